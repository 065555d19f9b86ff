#!/usr/bin/env bash
# bench/roster_ratios.sh: the roster reader's and writer's figures as ratios,
# so they can be compared across machines:
#   - read + write of the 32,767-bot roster against reading and safe-writing
#     the same bytes raw (goal: at most 3x);
#   - the roster at 16,384 bots against 32,767 (goal: half the time, +-10 %),
#     for the whole read + write and for the reader and writer alone (the
#     bytes in memory), which leaves out the disk's fixed cost per sync.
# Each figure is the median real time of REPETITIONS runs (default 9). Uses the
# build in $BUILD_DIR (default build-bench/).
set -euo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=${BUILD_DIR:-$root/build-bench}
program=$build/bench/roster_bench
if [[ ! -x $program ]]; then
  echo "bench/roster_ratios.sh: $program is missing (scripts/bench builds it)" >&2
  exit 1
fi

csv=$("$program" --benchmark_filter='/(16384|32767)$' --benchmark_repetitions="${REPETITIONS:-9}" \
  --benchmark_report_aggregates_only=true --benchmark_format=csv 2>/dev/null)

# "name_median",iterations,real_time,... -> name real_time (microseconds)
medians=$(awk -F, '$1 ~ /_median"?$/ { name = $1; gsub(/"|_median/, "", name); print name, $3 }' <<<"$csv")
time_of() {
  awk -v name="$1" '$1 == name { print $2; found = 1 } END { if (!found) exit 1 }' <<<"$medians" || {
    echo "bench/roster_ratios.sh: no figure for $1" >&2
    exit 1
  }
}

ratio_line() {  # label, numerator, denominator, goal
  awk -v label="$1" -v a="$2" -v b="$3" -v goal="$4" \
    'BEGIN { printf "%-58s %6.2f   (%.2f ms / %.2f ms; goal %s)\n", label, a / b, a / 1000, b / 1000, goal }'
}

sum() { awk -v a="$1" -v b="$2" 'BEGIN { print a + b }'; }

read_write_big=$(sum "$(time_of ReadRosterFile/32767)" "$(time_of WriteRosterFile/32767)")
raw_big=$(sum "$(time_of RawReadWholeFile/32767)" "$(time_of RawWriteWholeFile/32767)")
read_write_half=$(sum "$(time_of ReadRosterFile/16384)" "$(time_of WriteRosterFile/16384)")
memory_big=$(sum "$(time_of ReadRosterInMemory/32767)" "$(time_of FormatRoster/32767)")
memory_half=$(sum "$(time_of ReadRosterInMemory/16384)" "$(time_of FormatRoster/16384)")

echo "roster figures, median of ${REPETITIONS:-9} runs (real time):"
ratio_line "read + write 32,767 bots / raw read + safe write" "$read_write_big" "$raw_big" "<= 3"
ratio_line "read + write 16,384 bots / 32,767 bots" "$read_write_half" "$read_write_big" "0.45 .. 0.55"
ratio_line "reader + writer in memory 16,384 bots / 32,767 bots" "$memory_half" "$memory_big" "0.45 .. 0.55"

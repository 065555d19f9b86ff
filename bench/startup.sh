#!/usr/bin/env bash
# bench/startup.sh: how long Vexmoor's main window takes to come up and how
# much memory it takes at its peak, side by side in one run with the floor: a
# bare Qt main window of the same frame (menu bar, six tabs, status bar) shown
# at the same size. Two game directories, both generated with our own names:
#   demo  the demo game (vexmoor_make_demo);
#   big   a roster at the 32,767-bot limit with 60 teams, and 5,000 map files
#         (vexmoor_make_big_game).
# Every start of Vexmoor finds 10 recent games of its game directory, the
# most it keeps (the home lists them at start).
# Each game directory is also started with a game setup loaded, as
# `vexmoor --setup` starts: a team game on an installed map against bots
# chosen by name (on the big game from the far end of the roster).
# Each start keeps its settings and setups in a folder of its own, written
# by its first run (a warm-up) and only read by the rest, so that the
# bench's own writing is not timed as the program's start.
# Time: hyperfine, in BATCHES batches (default 5) that take the programs in
# turn, so that a change of the machine's speed during the run touches all
# alike (3 warm-up runs each in the first batch, 1 in the others, RUNS runs
# each in all, default 20); median wall time over all runs. Memory: peak
# resident set size from GNU time over RUNS rounds that take the programs
# in turn, median. Prints each as a ratio to the floor, and the start with a
# setup as a ratio to the start without.
# The platform is offscreen. Uses the build in $BUILD_DIR (default
# build-bench/), building the programs there when they are missing.
set -euo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=${BUILD_DIR:-$root/build-bench}
runs=${RUNS:-20}

for tool in hyperfine jq /usr/bin/time; do
  if ! command -v "$tool" >/dev/null; then
    echo "bench/startup.sh: $tool is missing (scripts/setup installs it)" >&2
    exit 1
  fi
done

startup=$build/bench/vexmoor_startup_bench
bare=$build/bench/vexmoor_bare_window
make_big=$build/bench/vexmoor_make_big_game
make_demo=$build/vexmoor_make_demo
if [[ ! -x $startup || ! -x $bare || ! -x $make_big || ! -x $make_demo ]]; then
  cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DVEXMOOR_BENCH=ON -DVEXMOOR_TESTS=ON >/dev/null
  cmake --build "$build" -j"${JOBS:-2}" --target vexmoor_startup_bench vexmoor_bare_window vexmoor_make_demo \
    vexmoor_make_big_game
fi

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

"$make_demo" "$work/demo" >/dev/null
"$make_big" "$work/big" >/dev/null

# Never the user's display, settings or data.
export QT_QPA_PLATFORM=offscreen
export XDG_CONFIG_HOME=$work/config
export XDG_DATA_HOME=$work/data
export XDG_RUNTIME_DIR=$work/runtime
mkdir -p "$XDG_CONFIG_HOME" "$XDG_DATA_HOME" "$XDG_RUNTIME_DIR"
chmod 700 "$XDG_RUNTIME_DIR"

# The floor is shown at the size the main window comes up at.
size=$("$startup" "$work/demo" 2>&1 | sed -nE 's/^main window shown after .*, ([0-9]+x[0-9]+)$/\1/p')
if [[ -z $size ]]; then
  echo "bench/startup.sh: the main window did not come up" >&2
  exit 1
fi

# A setup file for a game directory: its map file, its bots and its teams.
# A recent game also keeps the map of its launch, which its summary names.
write_setup() {  # file, game directory, map file, your team, bot teams (JSON list), bots (JSON list)[, map]
  local launched=
  if [[ -n ${7:-} ]]; then launched=$'\n  "LaunchFragments": {"MapFrame": " +map '"$7"$'"},'; fi
  cat >"$1" <<SETUP
{
  "VexmoorSetup": 1,$launched
  "GameDirectory": "$2/",
  "AllowCheatsCheckBox": 1,
  "TimelimitCheckBox": 1,
  "TimeLimitText": "25",
  "SpawnSpecificBotsOption": true,
  "SpawnRandomBotsOption": false,
  "BotSkillSlider": 3,
  "BotAutoskillCheck": 0,
  "SpecificBotList": $6,
  "InternalMapOption": false,
  "ExternalMapOption": true,
  "MapFile": "$3",
  "TeamplayCheckBox": 1,
  "YourTeamList": "$4",
  "BotTeamList": $5,
  "PlayersPerTeamText": "6"
}
SETUP
}
write_setup "$work/demo-setup.json" "$work/demo" dust_yard.bsp "Ember Court" '["Moor Wardens", "Ash Walkers"]' \
  '["Rook", "Kestrel", "Pike"]'
write_setup "$work/big-setup.json" "$work/big" moor4999.bsp "Team 60" '["Team 01", "Team 30"]' \
  '["Bot 0001", "Bot 30000", "Bot 32767"]'

# The recent games each start lists: ten of the same game on that directory.
write_setup "$work/demo-recent.json" "$work/demo" dust_yard.bsp "Ember Court" '["Moor Wardens", "Ash Walkers"]' \
  '["Rook", "Kestrel", "Pike"]' dust_yard
write_setup "$work/big-recent.json" "$work/big" moor4999.bsp "Team 60" '["Team 01", "Team 30"]' \
  '["Bot 0001", "Bot 30000", "Bot 32767"]' moor4999

floor_cmd=("$bare" "$size")
demo_cmd=("$startup" "$work/demo" --recent-game "$work/demo-recent.json" --home "$work/home-demo")
big_cmd=("$startup" "$work/big" --recent-game "$work/big-recent.json" --home "$work/home-big")
demo_setup_cmd=("$startup" "$work/demo" --recent-game "$work/demo-recent.json" --setup-file "$work/demo-setup.json"
  --home "$work/home-demo-setup")
big_setup_cmd=("$startup" "$work/big" --recent-game "$work/big-recent.json" --setup-file "$work/big-setup.json"
  --home "$work/home-big-setup")

# A setup that did not load in full would wait for its message to be read.
for cmd in demo_setup_cmd big_setup_cmd; do
  declare -n run="$cmd"
  if ! timeout 60 "${run[@]}" 2>&1 | grep -q '^main window shown'; then
    echo "bench/startup.sh: ${run[*]} did not come up with its setup" >&2
    exit 1
  fi
done

batches=${BATCHES:-5}
echo "window size: $size; $runs runs of each, in $batches batches"
names=("floor: bare Qt main window" "Vexmoor on the demo game" "Vexmoor on the big game directory"
  "Vexmoor on the demo game with --setup" "Vexmoor on the big game directory with --setup")
commands=("${floor_cmd[*]}" "${demo_cmd[*]}" "${big_cmd[*]}" "${demo_setup_cmd[*]}" "${big_setup_cmd[*]}")
for ((b = 0; b < batches; ++b)); do
  batch_runs=$(((runs * (b + 1)) / batches - (runs * b) / batches))
  ((batch_runs >= 2)) || batch_runs=2
  arguments=()
  for i in "${!names[@]}"; do arguments+=(--command-name "${names[$i]}" "${commands[$i]}"); done
  if ! hyperfine --warmup $((b == 0 ? 3 : 1)) --runs "$batch_runs" --shell=none --style none \
    --export-json "$work/times-$b.json" "${arguments[@]}" >"$work/hyperfine.log" 2>&1; then
    cat "$work/hyperfine.log" >&2
    exit 1
  fi
done
# Every run's wall time in milliseconds, one file per program.
for i in "${!names[@]}"; do
  jq -r --argjson i "$i" '.results[$i].times[] * 1000' "$work"/times-*.json >"$work/times-$i.ms"
done

# Peak memory, the three in turn so that a change of load touches all alike.
peak() { /usr/bin/time -f '%M' "$@" 2>&1 >/dev/null | tail -n 1; }
: >"$work/floor.kb"
: >"$work/demo.kb"
: >"$work/big.kb"
: >"$work/demo-setup.kb"
: >"$work/big-setup.kb"
for ((i = 0; i < runs; ++i)); do
  peak "${floor_cmd[@]}" >>"$work/floor.kb"
  peak "${demo_cmd[@]}" >>"$work/demo.kb"
  peak "${big_cmd[@]}" >>"$work/big.kb"
  peak "${demo_setup_cmd[@]}" >>"$work/demo-setup.kb"
  peak "${big_setup_cmd[@]}" >>"$work/big-setup.kb"
done
median() { sort -n "$1" | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }

time_of() { median "$work/times-$(($1 - 1)).ms"; }
floor_ms=$(time_of 1)
demo_ms=$(time_of 2)
big_ms=$(time_of 3)
demo_setup_ms=$(time_of 4)
big_setup_ms=$(time_of 5)
floor_kb=$(median "$work/floor.kb")
demo_kb=$(median "$work/demo.kb")
big_kb=$(median "$work/big.kb")
demo_setup_kb=$(median "$work/demo-setup.kb")
big_setup_kb=$(median "$work/big-setup.kb")
mib() { awk -v k="$1" 'BEGIN { print k / 1024 }'; }

ratio_line() {  # label, value, floor, unit, goal
  awk -v label="$1" -v a="$2" -v b="$3" -v unit="$4" -v goal="$5" \
    'BEGIN { printf "%-40s %5.2f   (%.1f %s / %.1f %s; goal %s)\n", label, a / b, a, unit, b, unit, goal }'
}
echo
echo "start-up against the floor, medians:"
ratio_line "demo game, time" "$demo_ms" "$floor_ms" ms "<= 1.1"
ratio_line "demo game, peak memory" "$(awk -v k="$demo_kb" 'BEGIN { print k / 1024 }')" \
  "$(awk -v k="$floor_kb" 'BEGIN { print k / 1024 }')" MiB "<= 1.1"
ratio_line "big game directory, time" "$big_ms" "$floor_ms" ms "<= 1.5"
ratio_line "big game directory, peak memory" "$(awk -v k="$big_kb" 'BEGIN { print k / 1024 }')" \
  "$(awk -v k="$floor_kb" 'BEGIN { print k / 1024 }')" MiB "<= 1.3"
echo
echo "start-up with --setup against without, medians:"
ratio_line "demo game --setup, time" "$demo_setup_ms" "$demo_ms" ms "<= 1.1"
ratio_line "demo game --setup, peak memory" "$(mib "$demo_setup_kb")" "$(mib "$demo_kb")" MiB "<= 1.1"
ratio_line "big game directory --setup, time" "$big_setup_ms" "$big_ms" ms "<= 1.1"
ratio_line "big game directory --setup, peak memory" "$(mib "$big_setup_kb")" "$(mib "$big_kb")" MiB "<= 1.1"
ratio_line "demo game --setup against the floor, time" "$demo_setup_ms" "$floor_ms" ms "<= 1.1"
ratio_line "big game --setup against the floor, time" "$big_setup_ms" "$floor_ms" ms "<= 1.5"

#!/usr/bin/env bash
# bench/startup.sh: how long Vexmoor's main window takes to come up, next to a
# bare Qt window, timed with hyperfine (3 warm-up runs, 20 runs each) on the
# offscreen platform. Uses the build in $BUILD_DIR (default build-bench/),
# building the two programs there when they are missing.
set -euo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=${BUILD_DIR:-$root/build-bench}

if ! command -v hyperfine >/dev/null; then
  echo "bench/startup.sh: hyperfine is missing (scripts/setup installs it)" >&2
  exit 1
fi

startup=$build/bench/vexmoor_startup_bench
bare=$build/bench/vexmoor_bare_window
if [[ ! -x $startup || ! -x $bare ]]; then
  cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DVEXMOOR_BENCH=ON -DVEXMOOR_TESTS=ON >/dev/null
  cmake --build "$build" -j"${JOBS:-2}" --target vexmoor_startup_bench vexmoor_bare_window vexmoor_make_demo
fi

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# The demo game directory when the demo maker is built; otherwise a small one made here.
if [[ -x $build/vexmoor_make_demo ]]; then
  "$build/vexmoor_make_demo" "$work/game" "$work/config/vexmoor.ini" >/dev/null
else
  mkdir -p "$work/game/eraser" "$work/game/baseq2/maps" "$work/config"
  printf '[bots]\r\n"Rook""rook/slate" 3  2  4  1  0  1  60 \r\n[teams]\r\n"Moor Wardens""MW""rook/slate"["Rook"]\r\n[view weapons]\r\n' \
    >"$work/game/eraser/bots.cfg"
  printf 'IBSP' >"$work/game/baseq2/maps/arena.bsp"
  printf '#!/bin/sh\n' >"$work/game/quake2.exe"
  chmod +x "$work/game/quake2.exe"
fi

# Never the user's display or settings.
export QT_QPA_PLATFORM=offscreen
export XDG_CONFIG_HOME=$work/config
export XDG_RUNTIME_DIR=$work/runtime
mkdir -p "$XDG_RUNTIME_DIR"
chmod 700 "$XDG_RUNTIME_DIR"

hyperfine --warmup 3 --runs 20 --shell=none \
  --command-name "bare Qt window" "$bare" \
  --command-name "Vexmoor main window" "$startup $work/game"

#!/bin/sh
# Builds the benchmarks (Release, in build-bench/) and prints a short table:
# lift simulation on the null driver, then the game window on the default map
# under a virtual X display with Mesa (start-up, frame rate, peak memory).
# Usage: ./bench.sh [seconds per frame-rate run, default 5]
set -e
cd "$(dirname "$0")"
./scripts/install-deps.sh --test
BUILD=build-bench
cmake -S . -B "$BUILD" -DCMAKE_BUILD_TYPE=Release -DTRAVONDEL_BENCH=ON -DTRAVONDEL_TESTS=OFF >/dev/null
cmake --build "$BUILD" -j"$(nproc)" >/dev/null
export ALSOFT_DRIVERS=null

"$BUILD/bench/bench_lifts" --benchmark_out="$BUILD/lifts.json" --benchmark_out_format=json >"$BUILD/lifts.log" 2>&1
for run in 1 2 3; do
  if [ -z "$DISPLAY" ]; then
    xvfb-run -a -s "-screen 0 1600x1200x24 -noreset" "$BUILD/bench/bench_game" "$BUILD/runtime" "${1:-5}"
  else
    "$BUILD/bench/bench_game" "$BUILD/runtime" "${1:-5}"
  fi >"$BUILD/game-$run.txt" 2>/dev/null
done
/usr/bin/python3 bench/summary.py "$BUILD"

#!/bin/sh
# Builds the fuzz targets with clang (in build-fuzz/) and runs each for the given
# number of seconds (default 60), starting from the seeds in fuzz/corpus/<target>/.
# New inputs collect in build-fuzz/corpus/; a crash, leak, timeout or sanitizer
# report stops the run, leaves the input in build-fuzz/findings/<target>/ and
# makes the script fail. Usage: fuzz/run.sh [seconds] [target...] (0 seconds: build only)
set -e
cd "$(dirname "$0")/.."
ROOT="$(pwd)"
SECONDS_EACH="${1:-60}"
[ $# -gt 0 ] && shift
TARGETS="${*:-fuzz_settings fuzz_map}"
# Absolute paths: the targets work in folders of their own.
BUILD="$ROOT/build-fuzz"

cmake -S fuzz -B "$BUILD" -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_C_COMPILER=clang \
  -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$BUILD" -j"$(nproc)" >/dev/null
[ "$SECONDS_EACH" -gt 0 ] || exit 0   # 0: build only

status=0
for t in $TARGETS; do
  seeds="$ROOT/fuzz/corpus/${t#fuzz_}"
  work="$BUILD/corpus/$t"
  findings="$BUILD/findings/$t"
  mkdir -p "$work" "$findings"
  echo "== $t: ${SECONDS_EACH}s from $(ls "$seeds" | wc -l) seeds"
  # The readers print a trace line per map line: stdout is closed (-close_fd_mask=1).
  if ! UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 ASAN_OPTIONS=detect_leaks=1 \
      "$BUILD/$t" "$work" "$seeds" -max_total_time="$SECONDS_EACH" -timeout=20 -rss_limit_mb=2048 \
      -max_len=16384 -close_fd_mask=1 -print_final_stats=1 -artifact_prefix="$findings/" \
      >"$BUILD/$t.log" 2>&1; then
    echo "$t: FINDING (see $BUILD/$t.log, inputs in $findings/)"
    grep -E '^(==[0-9]+==ERROR|SUMMARY|.*runtime error)' "$BUILD/$t.log" | head -5
    status=1
  else
    grep -E '^stat::number_of_executed_units|^stat::peak_rss_mb' "$BUILD/$t.log" | tr '\n' ' '
    echo
  fi
done
exit $status

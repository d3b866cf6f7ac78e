#!/bin/sh
# Builds and runs every test twice: a plain build, then one under
# AddressSanitizer + UndefinedBehaviorSanitizer. Non-zero exit on any failure.
set -e
cd "$(dirname "$0")"
./scripts/install-deps.sh --test
JOBS="$(nproc)"

run_suite() {
  dir="$1"; shift
  cmake -S . -B "$dir" "$@" >/dev/null
  cmake --build "$dir" -j"$JOBS"
  # OpenGL tests need a display: give the whole run one virtual screen. Without
  # -noreset it resets whenever no test is connected, and a test opening its
  # window at that moment cannot reach it.
  if [ -z "$DISPLAY" ]; then
    xvfb-run -a -s "-screen 0 1600x1200x24 -noreset" ctest --test-dir "$dir/tests" -j"$JOBS" --output-on-failure
  else
    ctest --test-dir "$dir/tests" -j"$JOBS" --output-on-failure
  fi
}

echo "== plain build =="
run_suite build-test -DCMAKE_BUILD_TYPE=RelWithDebInfo
echo "== AddressSanitizer + UndefinedBehaviorSanitizer build =="
run_suite build-asan -DCMAKE_BUILD_TYPE=Debug -DTRAVONDEL_SANITIZE=ON
echo "== fuzzing: settings and map readers, 60 s each =="
./fuzz/run.sh 60
echo "All tests passed."

#!/bin/sh
# Runs the scripted game session (tests/app/test_session.cpp: a lift of each kind,
# trees planted and cut, every window opened and closed, quit) under valgrind
# on the null driver. Fails on any memory error and on memory definitely lost.
set -e
cd "$(dirname "$0")/.."
BUILD=build-valgrind
command -v valgrind >/dev/null || { echo "valgrind is not installed (apt-get install valgrind)"; exit 1; }
cmake -S . -B "$BUILD" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$BUILD" -j"$(nproc)" --target test_session media >/dev/null
cd "$BUILD/tests"
ALSOFT_DRIVERS=null valgrind --error-exitcode=1 --leak-check=full --errors-for-leak-kinds=definite \
  --show-leak-kinds=definite --num-callers=30 ./test_session

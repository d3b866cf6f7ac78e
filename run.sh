#!/bin/sh
# Builds Travondel (Release) with its media and default map, and starts it.
set -e
cd "$(dirname "$0")"
./scripts/install-deps.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=Release -DTRAVONDEL_TESTS=OFF >/dev/null
cmake --build build -j"$(nproc)"
cd build/runtime
if [ -z "$DISPLAY" ]; then
  echo "No X display: running the game on a virtual display (xvfb-run)."
  # -noreset: the display must outlive the launcher's window, closed before the game's opens.
  exec xvfb-run -a -s "-screen 0 1600x1200x24 -noreset" ./travondel
fi
exec ./travondel

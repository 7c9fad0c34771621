#!/usr/bin/env bash
# Builds the parts of Trundlex that need no Qt for 64-bit Windows with mingw-w64, into
# build-windows/: bin/trundlex-tool.exe (every command but `render`) and the test programs.
# Run it under the shared build lock:  flock /tmp/trundlex-build.lock scripts/build-windows.sh
# Extra arguments go to the build step (e.g. --target core_tests).
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="$root/build-windows"
if [ ! -f "$build/build.ninja" ]; then
  cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake" \
    -DTRUNDLEX_WITH_QT=OFF -DTRUNDLEX_BUILD_BENCHMARKS=OFF
fi
cmake --build "$build" -j"${JOBS:-2}" "$@"

#!/usr/bin/env bash
# Builds the Debian package (trundlex_VERSION_ARCH.deb) into build/package/: the game, the
# editor and trundlex-tool with their data and desktop files under /usr. Install it with
#   sudo apt-get install ./build/package/trundlex_*.deb
# Set TRUNDLEX_JOBS to limit the parallel compile jobs.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh

jobs=${TRUNDLEX_JOBS:-$(nproc 2>/dev/null || echo 2)}
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build -j"$jobs" --target trundlex trundlex-editor trundlex-tool trundlex_data
rm -rf build/package
(cd build && cpack -G DEB -B package)
ls -l build/package/*.deb

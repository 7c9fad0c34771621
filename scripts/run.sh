#!/usr/bin/env bash
# Installs the dependencies, builds and starts the game with its shipped levels and course.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build -j"$(nproc 2>/dev/null || echo 2)" --target trundlex trundlex_data
exec build/bin/trundlex "$@"

#!/usr/bin/env bash
# Installs the dependencies, builds and starts the program. Until the game window lands,
# this starts the command-line tool and lists what it can do.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build -j"$(nproc 2>/dev/null || echo 2)" --target trundlex-tool
exec build/bin/trundlex-tool --help "$@"

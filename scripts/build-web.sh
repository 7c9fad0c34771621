#!/usr/bin/env bash
# Builds the WebAssembly build of Trundlex with Debian's emscripten (scripts/install-deps.sh
# installs it) into build-web/: bin/trundlex-tool.js with its .wasm (every command that needs
# neither Qt nor sockets, run with node as the native tool is run), the page's module
# bin/trundlex-page.js with its .wasm and TypeScript types (src/web/PageApi.cpp),
# bin/golden_trace.js and bin/core_tests.js. scripts/test-web.sh tests them against the native build;
# scripts/bench-web.sh builds bench/PuttRate.cpp here too and measures both.
# Extra arguments go to the build step (e.g. --target golden_trace); without them it builds
# the programs above.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="$root/build-web"
command -v emcmake >/dev/null || { echo "build-web: emscripten is not installed (scripts/install-deps.sh)" >&2; exit 1; }
# emscripten's optimizer, run when a program is linked, imports Debian's acorn, which node only
# finds in Debian's own module folder.
export NODE_PATH="/usr/share/nodejs${NODE_PATH:+:$NODE_PATH}"
if [ ! -f "$build/build.ninja" ]; then
  emcmake cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DTRUNDLEX_WITH_QT=OFF
fi
if [ $# -eq 0 ]; then
  set -- --target trundlex-tool trundlex-page golden_trace core_tests trundlex_data
fi
cmake --build "$build" -j"${JOBS:-2}" "$@"

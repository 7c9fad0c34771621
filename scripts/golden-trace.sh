#!/usr/bin/env bash
# Writes tests/core/ball/golden-trace.txt anew from this build's ball. Run it only when the
# rolling of the ball changes on purpose, and say why in the commit: every other build and
# platform must then reproduce the new trace bit for bit (ctest's golden_trace_test).
set -euo pipefail
cd "$(dirname "$0")/.."
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build --target golden_trace
build/bin/golden_trace write tests/core/ball/golden-trace.txt tests/core/ball/trace-levels

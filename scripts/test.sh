#!/usr/bin/env bash
# Installs the dependencies, builds everything into build/ and runs every test with ctest;
# then the WebAssembly build (build-web/) and its tests under node (TRUNDLEX_SKIP_WEB=1 leaves
# them out); then the Windows build (build-windows/) and its tests under Wine
# (TRUNDLEX_SKIP_WINDOWS=1 leaves them out); then builds the tests that run threads under
# ThreadSanitizer (build-tsan/) and runs them. Set TRUNDLEX_SKIP_TSAN=1 to leave out the
# sanitizer stage. Then clang builds the core's tests and the golden trace (build-clang/) and
# runs the portable math's tests and the trace. Last, every fuzz target runs for 10 seconds
# (scripts/fuzz.sh), so that a harness that no longer builds or fails at once is seen;
# TRUNDLEX_SKIP_FUZZ=1 leaves that out.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh

jobs=$(nproc 2>/dev/null || echo 2)

cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build -j"$jobs"
ctest --test-dir build --output-on-failure -j"$jobs"
# The shipped nginx site in front of the room host's HTTP side, over loopback with TLS.
scripts/test-nginx.sh

# The WebAssembly build (build-web/), tested under node against the native build above: the
# same putts to the same bits, the same lines from the tool. TRUNDLEX_SKIP_WEB=1 leaves it out.
if [ "${TRUNDLEX_SKIP_WEB:-0}" != "1" ]; then
  if command -v emcmake >/dev/null && command -v node >/dev/null; then
    JOBS="$jobs" scripts/build-web.sh
    scripts/test-web.sh
  else
    echo "web: skipped, emscripten or node is not installed (scripts/install-deps.sh does it)"
  fi
fi

# The build without Qt for Windows (mingw-w64), tested under Wine against the Linux build
# above; the install script puts both in place. TRUNDLEX_SKIP_WINDOWS=1 leaves it out.
if [ "${TRUNDLEX_SKIP_WINDOWS:-0}" != "1" ]; then
  if command -v x86_64-w64-mingw32-g++-posix >/dev/null && [ -x /usr/lib/wine/wine64 ]; then
    JOBS="$jobs" scripts/build-windows.sh
    scripts/test-windows.sh
  else
    echo "windows: skipped, mingw-w64 or Wine is not installed (scripts/install-deps.sh does it)"
  fi
fi

# Only the tests that exercise threads are worth the sanitizer's build time.
tsan_targets=(ball_tests playfield_thread_tests library_tests net_tests solver_tests control_tests editor_check_tests
              web_tests)
if [ "${TRUNDLEX_SKIP_TSAN:-0}" != "1" ] && [ ${#tsan_targets[@]} -gt 0 ]; then
  cmake -S . -B build-tsan -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DTRUNDLEX_SANITIZE=thread -DTRUNDLEX_BUILD_BENCHMARKS=OFF -DTRUNDLEX_BUILD_TOOLS=OFF
  cmake --build build-tsan -j"$jobs" --target "${tsan_targets[@]}"
  TSAN_OPTIONS="halt_on_error=1 second_deadlock_stack=1" \
    ctest --test-dir build-tsan --output-on-failure -j"$jobs" -L threads
fi

# A second compiler must roll every putt to the same bits: clang builds the core's tests and
# the golden trace, and runs the portable math's tests and the trace.
if command -v clang++ >/dev/null; then
  cmake -S . -B build-clang -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ \
    -DTRUNDLEX_BUILD_BENCHMARKS=OFF -DTRUNDLEX_BUILD_TOOLS=OFF >/dev/null
  cmake --build build-clang -j"$jobs" --target core_tests golden_trace
  build-clang/bin/core_tests --gtest_filter='PortableMath*' --gtest_brief=1
  build-clang/bin/golden_trace check tests/core/ball/golden-trace.txt tests/core/ball/trace-levels
else
  echo "clang: skipped, clang++ is not installed (scripts/install-deps.sh should have done it)"
fi

if [ "${TRUNDLEX_SKIP_FUZZ:-0}" != "1" ]; then
  if command -v clang++ >/dev/null; then
    scripts/fuzz.sh 10
  else
    echo "fuzz: skipped, clang++ is not installed (scripts/install-deps.sh should have done it)"
  fi
fi

#!/usr/bin/env bash
# Writes tests/core/util/math-reference.txt anew from MPFR: the exact values at which builds
# without MPFR (Windows) measure the portable math's accuracy. Needed only when the portable
# math or the accuracy tests' arguments change. Uses the Linux build in build/ (or BUILD).
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${BUILD:-$root/build}"
cmake --build "$build" --target core_tests
TRUNDLEX_WRITE_MATH_REFERENCE=1 "$build/bin/core_tests" \
  --gtest_filter=PortableMath.ReferenceTableHoldsMpfrsValues
"$build/bin/core_tests" --gtest_filter='PortableMath.*Reference*'
echo "written: $(grep -vc '^#' "$root/tests/core/util/math-reference.txt") rows"

#!/usr/bin/env bash
# Builds the fuzz targets with clang (AddressSanitizer + UBSan) into build-fuzz/ and runs
# each for SECONDS (default 60) on a working copy of its seed corpus. Prints one line per
# target, "fuzz TARGET: N executions, 0 crashes" or the file holding the input that failed,
# and exits 1 when any target found something. Set TRUNDLEX_FUZZ_JOBS to build with fewer
# or more jobs.
set -euo pipefail
cd "$(dirname "$0")/.."

seconds=${1:-60}
if ! [[ "$seconds" =~ ^[0-9]+$ ]] || [ "$seconds" -lt 1 ]; then
  echo "usage: scripts/fuzz.sh [SECONDS]" >&2
  exit 2
fi
if ! command -v clang++ >/dev/null; then
  echo "fuzz: clang++ is missing (scripts/install-deps.sh installs it)" >&2
  exit 2
fi

build=build-fuzz
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ \
  -DTRUNDLEX_FUZZ=ON -DTRUNDLEX_BUILD_TESTS=OFF -DTRUNDLEX_BUILD_BENCHMARKS=OFF \
  -DTRUNDLEX_BUILD_TOOLS=OFF >/dev/null
cmake --build "$build" -j"${TRUNDLEX_FUZZ_JOBS:-$(nproc 2>/dev/null || echo 2)}" --target fuzz_targets

seeds=tests/fuzz/corpus
findings=0
# The file readers' targets write each input to a scratch file; keep those out of /tmp.
export TMPDIR="$PWD/$build/scratch"
mkdir -p "$TMPDIR"
for binary in "$build"/bin/fuzz_*; do
  target=${binary##*/fuzz_}
  work="$build/corpus/$target"
  crashes="$build/findings/$target"
  mkdir -p "$work" "$crashes"
  options=(-max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -print_final_stats=1
           -artifact_prefix="$crashes/")
  if [ -f "tests/fuzz/$target.dict" ]; then
    options+=(-dict="tests/fuzz/$target.dict")
  fi
  corpora=("$work")
  if [ -d "$seeds/$target" ]; then
    corpora+=("$seeds/$target")
  fi
  log="$build/findings/$target.log"
  status=0
  "$binary" "${options[@]}" "${corpora[@]}" >"$log" 2>&1 || status=$?
  runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -n 1)
  if [ "$status" -eq 0 ]; then
    echo "fuzz $target: ${runs:-0} executions, 0 crashes"
  else
    findings=1
    artifact=$(sed -n 's/.*Test unit written to \(.*\)$/\1/p' "$log" | tail -n 1)
    echo "fuzz $target: ${runs:-?} executions, crash in ${artifact:-$log} (log: $log)"
  fi
done
rm -rf "$TMPDIR"
exit "$findings"

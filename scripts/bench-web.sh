#!/usr/bin/env bash
# Measures the WebAssembly build against the native one, in one run:
#  1. sub-steps per second of the ball (bench/PuttRate.cpp over every 8th putt of the golden
#     trace, probes where needed and everywhere), the same program natively and under node;
#     both must do the same work (sub-steps and a digest of where the putts ended);
#  2. the size of the .wasm a page loads, as it is and gzipped;
#  3. start-up: node starting the tool, compiling its .wasm and reading a level, against node
#     starting with nothing to do and against the native tool (medians of 9 runs).
# Builds what it runs first (build/ and build-web/ must have been configured: scripts/test.sh
# and scripts/build-web.sh do that). Not a test: it prints figures and fails only when the
# two builds do different work. EVERY and ROUNDS change the size of step 1.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
native="$root/build/bin"
web="$root/build-web/bin"
every="${EVERY:-8}"
rounds="${ROUNDS:-3}"
trace="$root/tests/core/ball/golden-trace.txt"
levels="$root/tests/core/ball/trace-levels"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

cmake --build "$root/build" -j"${JOBS:-2}" --target putt_rate trundlex-tool > /dev/null
"$root/scripts/build-web.sh" --target putt_rate trundlex-tool > /dev/null

echo "== sub-steps per second (every ${every}th putt of the golden trace, best of $rounds rounds)"
"$native/putt_rate" "$trace" "$levels" "$every" "$rounds" > "$work/native.txt"
node "$web/putt_rate.js" "$trace" "$levels" "$every" "$rounds" > "$work/wasm.txt"
if ! cmp -s <(grep -v 'sub-steps/s' "$work/native.txt") <(grep -v 'sub-steps/s' "$work/wasm.txt"); then
  echo "bench-web: the two builds rolled different putts:" >&2
  diff "$work/native.txt" "$work/wasm.txt" >&2
  exit 1
fi
grep -v 'sub-steps/s' "$work/native.txt"
for kind in where-needed everywhere; do
  n=$(awk -v k="$kind:" '$1 == k && $3 == "sub-steps/s" { print $2 }' "$work/native.txt")
  w=$(awk -v k="$kind:" '$1 == k && $3 == "sub-steps/s" { print $2 }' "$work/wasm.txt")
  awk -v k="$kind" -v n="$n" -v w="$w" \
    'BEGIN { printf "%-13s native %.2fM/s  WebAssembly %.2fM/s  ratio %.2f\n", k, n / 1e6, w / 1e6, w / n }'
done

echo "== size of what a page loads"
for file in "$web/trundlex-tool.wasm" "$web/trundlex-tool.js"; do
  raw=$(stat -c %s "$file")
  packed=$(gzip -9 -c "$file" | wc -c)
  awk -v f="$(basename "$file")" -v r="$raw" -v g="$packed" \
    'BEGIN { printf "%-20s %7.0f KB, gzipped %6.0f KB\n", f, r / 1024, g / 1024 }'
done

# The median of 9 wall times of a command, in milliseconds.
median_ms() {
  local times=()
  for _ in 1 2 3 4 5 6 7 8 9; do
    local t0 t1
    t0=$(date +%s%N)
    "$@" > /dev/null
    t1=$(date +%s%N)
    times+=($(((t1 - t0) / 1000000)))
  done
  printf '%s\n' "${times[@]}" | sort -n | sed -n 5p
}

echo "== start-up to a level read (median of 9)"
level="$levels/grand-tour.lev"
bare=$(median_ms node -e 0)
tool=$(median_ms node "$web/trundlex-tool.js" level-info "$level")
here=$(median_ms "$native/trundlex-tool" level-info "$level")
echo "node alone ${bare} ms; WebAssembly tool ${tool} ms (the module's own share $((tool - bare)) ms); native tool ${here} ms"

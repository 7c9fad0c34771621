#!/usr/bin/env bash
# Measures the WebAssembly build against the native one, in one run:
#  1. sub-steps per second of the ball (bench/PuttRate.cpp over every 8th putt of the golden
#     trace, probes where needed and everywhere), the same program natively and under node;
#     both must do the same work (sub-steps and a digest of where the putts ended);
#  2. the size of what a page loads (the page's module, trundlex-page), as it is and gzipped,
#     and of the tool for comparison;
#  3. start-up: the page's module loaded and a game of two computers ready
#     (bench/page_startup.js), and node starting the tool, compiling its .wasm and reading a
#     level against node starting with nothing to do and against the native tool (medians of
#     9 runs).
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
"$root/scripts/build-web.sh" --target putt_rate trundlex-tool trundlex-page > /dev/null

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
for file in "$web/trundlex-page.wasm" "$web/trundlex-page.js" "$web/trundlex-tool.wasm" \
  "$web/trundlex-tool.js"; do
  raw=$(stat -c %s "$file")
  packed=$(gzip -9 -c "$file" | wc -c)
  awk -v f="$(basename "$file")" -v r="$raw" -v g="$packed" \
    'BEGIN { printf "%-20s %7.0f KB, gzipped %6.0f KB\n", f, r / 1024, g / 1024 }'
done

# The wall time of a command, in milliseconds.
wall_ms() {
  local t0 t1
  t0=$(date +%s%N)
  "$@" > /dev/null
  t1=$(date +%s%N)
  echo $(((t1 - t0) / 1000000))
}
median() { sort -n | sed -n 5p; }

echo "== start-up of the page's module to a ready game (median of 9)"
for _ in 1 2 3 4 5 6 7 8 9; do
  node "$root/bench/page_startup.js" "$web" "$levels"
done > "$work/startup.txt"
module=$(awk '{ print $2 }' "$work/startup.txt" | median)
ready=$(awk '{ print $4 }' "$work/startup.txt" | median)
echo "module loaded and compiled after ${module} ms, game of two computers on four levels ready after ${ready} ms"

echo "== start-up of the tool to a level read (median of 9)"
level="$levels/grand-tour.lev"
# Interleaved, so that a change in the machine's load falls on all three alike.
for _ in 1 2 3 4 5 6 7 8 9; do
  echo "$(wall_ms node -e 0) $(wall_ms node "$web/trundlex-tool.js" level-info "$level") $(wall_ms "$native/trundlex-tool" level-info "$level")"
done > "$work/tool.txt"
bare=$(awk '{ print $1 }' "$work/tool.txt" | median)
tool=$(awk '{ print $2 }' "$work/tool.txt" | median)
here=$(awk '{ print $3 }' "$work/tool.txt" | median)
echo "node alone ${bare} ms; WebAssembly tool ${tool} ms; native tool ${here} ms"

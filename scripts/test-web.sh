#!/usr/bin/env bash
# Tests the WebAssembly build (scripts/build-web.sh) under node against the native build:
#  1. the golden trace: all its putts end on the same bits in WebAssembly;
#  2. core_tests (levels, archives, number texts, the portable math against its committed
#     reference table), all but the file locks, which a page with its one process has no use
#     for and emscripten's flock does not lock;
#  3. `trundlex-tool.js simulate` prints the same result line as the native trundlex-tool for
#     40 of the golden trace's putts, and the same tick and sound lines for one with --trace;
#  4. the other commands without Qt or sockets print the same lines or write the same bytes,
#     among them local-match, a game of computer players through the game controller, and
#     the par of every shipped level matches the table the game ships;
#  5. the page's module, driven through its API under node's test runner (tests/web/), plays
#     the same games as the native build, and its online games meet in a room of the native
#     room host and roll every putt alike;
#  6. the browser game (build-web/site/) in Chromium: scripts/test-browser.sh.
# Steps 3 to 5 need the native build in build/ (or NATIVE_BUILD): its trundlex-tool.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
web="$root/build-web/bin"
native="${NATIVE_BUILD:-$root/build}/bin/trundlex-tool"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
fail() { echo "test-web: $*" >&2; exit 1; }
seconds() { date +%s%3N; }
elapsed() { local ms=$(($(seconds) - $1)); printf '%d.%d s' $((ms / 1000)) $((ms % 1000 / 100)); }
wasm_tool() { node "$web/trundlex-tool.js" "$@"; }
[ -x "$native" ] || fail "no native trundlex-tool at $native (build build/ first)"
[ -f "$web/trundlex-tool.js" ] || fail "no $web/trundlex-tool.js (scripts/build-web.sh builds it)"

trace="$root/tests/core/ball/golden-trace.txt"
levels="$root/tests/core/ball/trace-levels"
passed=0

t=$(seconds)
node "$web/golden_trace.js" check "$trace" "$levels"
passed=$((passed + 1))
echo "golden trace in WebAssembly: $(elapsed "$t")"

t=$(seconds)
node "$web/core_tests.js" --gtest_brief=1 --gtest_filter='-FileLockTest.*'
passed=$((passed + 1))
echo "core_tests in WebAssembly: $(elapsed "$t")"

t=$(seconds)
compared=0
while read -r level x y speed heading _; do
  args=(simulate "$levels/$level" --x "$x" --y "$y" --speed "$speed" --heading "$heading")
  want="$("$native" "${args[@]}")"
  got="$(wasm_tool "${args[@]}")"
  [[ "$want" == result:* ]] || fail "the native tool printed no result for ${args[*]}: $want"
  [ "$got" = "$want" ] || fail "simulate ${args[*]}: WebAssembly '$got', native '$want'"
  compared=$((compared + 1))
done < <(grep -v '^#' "$trace" | awk 'NR % 256 == 1')
[ "$compared" -eq 40 ] || fail "$compared putts compared instead of 40"
# One long putt with every tick and sound: many more doubles written out.
traced=(simulate "$levels/grand-tour.lev" --speed 60 --heading 0.7 --trace)
"$native" "${traced[@]}" > "$work/native-trace.txt"
wasm_tool "${traced[@]}" > "$work/wasm-trace.txt"
[ "$(grep -c '^tick:' "$work/native-trace.txt")" -gt 10 ] || fail "the traced putt printed few ticks"
cmp -s "$work/native-trace.txt" "$work/wasm-trace.txt" ||
  fail "simulate --trace differs: $(diff "$work/native-trace.txt" "$work/wasm-trace.txt" | head -4)"
passed=$((passed + 1))
echo "simulate: $compared putts and one traced putt alike in WebAssembly and natively ($(elapsed "$t"))"

# Runs one command both ways and compares what each printed and what it ended with.
same_output() {
  local status_native=0 status_wasm=0
  "$native" "$@" > "$work/native.out" 2>&1 || status_native=$?
  wasm_tool "$@" > "$work/wasm.out" 2>&1 || status_wasm=$?
  [ -s "$work/native.out" ] || fail "$* printed nothing natively"
  cmp -s "$work/native.out" "$work/wasm.out" ||
    fail "$* printed differently: $(diff "$work/native.out" "$work/wasm.out" | head -4)"
  [ "$status_native" = "$status_wasm" ] ||
    fail "$* ended with $status_wasm in WebAssembly, $status_native natively"
  passed=$((passed + 1))
}

t=$(seconds)
same_output level-text "$levels/bank-shot.lev"
same_output level-info "$levels/duck-pond.lev"
same_output simulate "$levels/bank-shot.lev" --speed nan --heading 0
same_output solve "$levels/bank-shot.lev"
mkdir -p "$work/pars"
cp "$levels/first-putt.lev" "$levels/gentle-slope.lev" "$levels/bank-shot.lev" "$work/pars/"
same_output par "$work/pars"
# Every shipped level's par, as the table the game ships says.
wasm_tool par "$root/resources/levels" --table > "$work/pars.txt"
cmp -s "$work/pars.txt" "$root/resources/levels/pars.txt" ||
  fail "the shipped pars differ in WebAssembly: $(diff "$work/pars.txt" "$root/resources/levels/pars.txt" | head -4)"
passed=$((passed + 1))
same_output play-course "$levels/first-putt.lev" "$levels/bank-shot.lev" --strength medium \
  --games 3 --seed 7
same_output local-match "$levels/first-putt.lev" "$levels/duck-pond.lev" "$levels/glacier.lev" \
  --players Ann:medium,Bob:hard,Cy:easy --seed 3 --events
"$native" course-pack "$work/pair.cou" "Web Pair" "$levels/first-putt.lev" \
  "$levels/gentle-slope.lev" > /dev/null
same_output course-info "$work/pair.cou"
# Files written by the WebAssembly tool are read back by the native one (and the other way).
"$native" level-text "$levels/glacier.lev" > "$work/glacier.txt"
"$native" level-pack "$work/glacier.txt" "$work/native.lev" > /dev/null
wasm_tool level-pack "$work/glacier.txt" "$work/wasm.lev" > /dev/null
cmp -s "$work/native.lev" "$work/wasm.lev" || fail "level-pack wrote other bytes in WebAssembly"
"$native" random-level "$work/native-random.lev" --seed 11 --pieces "$root/resources/RBites" > /dev/null
wasm_tool random-level "$work/wasm-random.lev" --seed 11 --pieces "$root/resources/RBites" > /dev/null
# A new level's ID ends with the time it was written, to the second: the two runs may fall in
# different seconds, so the IDs are compared without it (the content's hash before it stays).
without_time() { "$native" level-text "$1" | sed -E '2s/[0-9]{15}\}(\r?)$/}\1/'; }
[ "$(without_time "$work/native-random.lev")" = "$(without_time "$work/wasm-random.lev")" ] ||
  fail "random-level wrote another level in WebAssembly"
passed=$((passed + 2))
echo "other commands: the same lines and files in WebAssembly and natively ($(elapsed "$t"))"

t=$(seconds)
NATIVE_BUILD="$(dirname "$(dirname "$native")")" node --test "$root/tests/web/"
passed=$((passed + 1))
echo "the page's module under node: $(elapsed "$t")"

t=$(seconds)
NATIVE_BUILD="$(dirname "$(dirname "$native")")" "$root/scripts/test-browser.sh"
passed=$((passed + 1))
echo "the browser game in Chromium: $(elapsed "$t")"

echo "web: $passed passed, 0 failed"

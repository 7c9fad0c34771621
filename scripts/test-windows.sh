#!/usr/bin/env bash
# Tests the Windows build (scripts/build-windows.sh) under Wine:
#  1. every test program of build-windows/ through ctest, among them the golden trace;
#  2. `trundlex-tool.exe simulate` prints the same result line as the Linux trundlex-tool for
#     a sample of the golden trace's putts, and works out every shipped level's par as the
#     table the game ships says, and draws the same course of the day for a month of days;
#  3. `trundlex-tool.exe serve`, and `serve --rooms` with a default room, each play a game over
#     loopback with the Linux serve-test-client and end with exit status 0 on Ctrl+C.
# Steps 2 and 3 need the Linux build in build/ (or LINUX_BUILD): trundlex-tool and
# serve-test-client. Run it under the shared build lock like every test run.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
win="$root/build-windows"
linux="${LINUX_BUILD:-$root/build}"
wine="$root/scripts/wine-run.sh"
export WINEPREFIX="$win/wine-prefix" WINEDEBUG=-all
work="$(mktemp -d)"
host=""
cleanup() {
  if [ -n "$host" ] && kill -0 "$host" 2>/dev/null; then kill -KILL "$host"; fi
  rm -rf "$work"
}
trap cleanup EXIT
fail() { echo "test-windows: $*" >&2; exit 1; }
seconds() { date +%s%3N; }
elapsed() { local ms=$(($(seconds) - $1)); printf '%d.%d s' $((ms / 1000)) $((ms % 1000 / 100)); }

# A fresh prefix is made once (wineboot); the server then stays up between the many short
# programs below, instead of starting again for each, and goes by itself once they are done.
# (One still running from a moment ago serves as well: then this start fails, harmlessly.)
t=$(seconds)
mkdir -p "$WINEPREFIX"
/usr/lib/wine/wineserver -p10 || true
if [ ! -f "$WINEPREFIX/system.reg" ]; then
  "$wine" wineboot --init >/dev/null 2>&1
  echo "wine prefix made in $(elapsed "$t")"
fi

t=$(seconds)
ctest --test-dir "$win" --output-on-failure -j2
echo "test programs under Wine: $(elapsed "$t")"

# The Windows tool prints CRLF line ends; the lines themselves must be the same.
t=$(seconds)
trace="$root/tests/core/ball/golden-trace.txt"
levels="$root/tests/core/ball/trace-levels"
compared=0
while read -r level x y speed heading _; do
  args=(simulate "$levels/$level" --x "$x" --y "$y" --speed "$speed" --heading "$heading")
  want="$("$linux/bin/trundlex-tool" "${args[@]}")"
  got="$("$wine" "$win/bin/trundlex-tool.exe" "${args[@]}" | tr -d '\r')"
  [[ "$want" == result:* ]] || fail "the Linux tool printed no result for ${args[*]}: $want"
  [ "$got" = "$want" ] || fail "simulate ${args[*]}: Windows '$got', Linux '$want'"
  compared=$((compared + 1))
done < <(grep -v '^#' "$trace" | awk 'NR % 640 == 1')
[ "$compared" -ge 10 ] || fail "only $compared putts compared"
echo "simulate: $compared putts alike on Windows and Linux ($(elapsed "$t"))"

# The shipped pars: the Windows build works out every shipped level's par as the table says.
t=$(seconds)
"$wine" "$win/bin/trundlex-tool.exe" par "$root/resources/levels" --table | tr -d '\r' \
  > "$work/pars.txt"
cmp -s "$work/pars.txt" "$root/resources/levels/pars.txt" ||
  fail "the shipped pars differ on Windows: $(diff "$work/pars.txt" "$root/resources/levels/pars.txt" | head -4)"
echo "shipped pars: the same on Windows ($(elapsed "$t"))"

# The course of the day: the Windows build draws the same holes as the Linux one, day by day.
t=$(seconds)
daily=(daily --levels "$root/resources/levels" --date 2026-12-09 --days 31)
want="$("$linux/bin/trundlex-tool" "${daily[@]}")"
got="$("$wine" "$win/bin/trundlex-tool.exe" "${daily[@]}" | tr -d '\r')"
[[ "$want" == name:* ]] || fail "the Linux tool drew no course of the day: $want"
[ "$got" = "$want" ] ||
  fail "the course of the day differs on Windows: $(diff <(echo "$want") <(echo "$got") | head -4)"
echo "course of the day: 31 days drawn alike on Windows ($(elapsed "$t"))"

# Waits until `file` has a line starting with `prefix` (at most `limit` seconds) and prints it.
await_line() {
  local file=$1 prefix=$2 limit=$3 line
  local deadline=$(($(date +%s) + limit))
  while [ "$(date +%s)" -lt "$deadline" ]; do
    # (A host's event lines start with their UTC time, which is left out here.)
    line="$(tr -d '\r' < "$file" | sed -E 's/^[0-9]{4}-[0-9]{2}-[0-9]{2}T[0-9:.]+Z //' |
      grep -m1 "^$prefix" || true)"
    if [ -n "$line" ]; then echo "$line"; return 0; fi
    if [ -n "$host" ] && ! kill -0 "$host" 2>/dev/null; then break; fi
    sleep 0.1
  done
  return 1
}

# Starts the Windows host with `args`, lets a Linux client play its game to the end and ends
# the host with Ctrl+C (SIGINT, which Wine hands on as a console event), expecting exit 0. The
# host's line for the game's end starts with `over`.
play_against_host() {
  local over=$1; shift
  "$wine" "$win/bin/trundlex-tool.exe" "$@" > "$work/host.log" 2>&1 &
  host=$!
  local listening port status=0
  if ! listening="$(await_line "$work/host.log" "listening " 60)"; then
    # Whether it ended (and how) or hangs tells a crash at start from a slow start.
    local how="still running after 60 s"
    if ! kill -0 "$host" 2>/dev/null; then
      wait "$host" && how="ended with 0" || how="ended with $?"
      host=""
    fi
    fail "no port from the host ($how): $(cat "$work/host.log")"
  fi
  port="${listening#listening }"
  timeout 120 "$linux/bin/serve-test-client" "$port" Linda > "$work/client.log" 2>&1 ||
    fail "the Linux client did not finish: $(cat "$work/client.log")"
  grep -qx "over" "$work/client.log" || fail "the client saw no end: $(cat "$work/client.log")"
  grep -q "^strokes Linda [1-9]" "$work/client.log" || fail "no strokes: $(cat "$work/client.log")"
  await_line "$work/host.log" "$over" 30 >/dev/null || fail "the host saw no end: $(cat "$work/host.log")"
  kill -INT "$host"
  timeout 30 tail --pid="$host" -f /dev/null || fail "the host did not end on Ctrl+C"
  wait "$host" || status=$?
  host=""
  [ "$status" -eq 0 ] || fail "the host ended with $status on Ctrl+C: $(cat "$work/host.log")"
}

t=$(seconds)
play_against_host "over" serve --port 0 "$levels/first-putt.lev" "$levels/gentle-slope.lev"
echo "serve: a game with a Linux client over loopback, ended by Ctrl+C ($(elapsed "$t"))"

# The room host: the client, which asks for no room, plays in the default room of a course,
# which takes it through the door and the hand-over of its connection to a room.
t=$(seconds)
mkdir -p "$work/courses"
"$linux/bin/trundlex-tool" course-pack "$work/courses/pair.cou" "Wine Pair" \
  "$levels/first-putt.lev" "$levels/gentle-slope.lev" > /dev/null
play_against_host "room [A-Z0-9]* over" serve --rooms --port 0 --levels "$levels" \
  --courses "$work/courses" --course "$work/courses/pair.cou"
echo "serve --rooms: a game in the default room with a Linux client ($(elapsed "$t"))"

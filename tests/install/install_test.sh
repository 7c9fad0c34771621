#!/usr/bin/env bash
# Installs the build into a temporary DESTDIR under the prefix /usr and runs the installed
# programs from a folder far from the build, with nothing pointing back at the build tree:
# they must find their data in the installed share/trundlex/, the game must also read the
# user's own levels, and a program copied away from its data must say so and fail.
# Usage: install_test.sh CMAKE BUILD_DIR
set -euo pipefail
cmake_cmd=$1
build_dir=$2

work=$(mktemp -d "${TMPDIR:-/tmp}/trundlex-install-XXXXXX")
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

DESTDIR="$work/root" "$cmake_cmd" --install "$build_dir" --prefix /usr >/dev/null
root="$work/root/usr"
for program in trundlex trundlex-editor trundlex-tool; do
  [ -x "$root/bin/$program" ] || fail "$program is not installed in bin/"
done

# A clean user: own home, own XDG folders; the system data folders hold nothing of ours (an
# installed package must not stand in for the folder under test).
export HOME="$work/home"
export XDG_DATA_HOME="$HOME/.local/share" XDG_CONFIG_HOME="$HOME/.config"
export XDG_DATA_DIRS="$work/empty-share" XDG_RUNTIME_DIR="$work/runtime"
export QT_QPA_PLATFORM=offscreen
unset LD_LIBRARY_PATH QT_PLUGIN_PATH
mkdir -p "$HOME" "$XDG_DATA_DIRS" "$XDG_RUNTIME_DIR"
chmod 700 "$XDG_RUNTIME_DIR"
cd "$HOME"

echo "-- the tool reads an installed level and finds the installed template pieces"
info=$("$root/bin/trundlex-tool" level-info "$root/share/trundlex/levels/first-putt.lev")
grep -qx "name: First Putt" <<<"$info" || fail "level-info printed: $info"
"$root/bin/trundlex-tool" random-level "$work/random.lev" --seed 7 ||
  fail "random-level did not find the installed RBites folder"
"$root/bin/trundlex-tool" level-info "$work/random.lev" | grep -qx "width: 50" ||
  fail "the random level is not 50 wide"

echo "-- the game starts and reads the installed levels and courses"
shipped=$(find "$root/share/trundlex/levels" -name '*.lev' | wc -l)
out=$("$root/bin/trundlex" --quit-after-start 2>"$work/game.err") ||
  fail "the game failed: $out $(cat "$work/game.err")"
echo "$out"
grep -q "^trundlex: $shipped levels and [1-9][0-9]* courses from $root/share/trundlex and " \
  <<<"$out" || fail "the game did not read the $shipped installed levels"
grep -qx "trundlex: $shipped shipped pars" <<<"$out" ||
  fail "the game did not read a par for each of the $shipped installed levels"

echo "-- a damaged table of shipped pars is left aside with a message"
pars="$root/share/trundlex/levels/pars.txt"
cp "$pars" "$work/pars.txt"
sed -i '2s/\t[0-9]*$/\t99/' "$pars"
out=$("$root/bin/trundlex" --quit-after-start 2>"$work/game.err") ||
  fail "the game failed: $out $(cat "$work/game.err")"
grep -qx "trundlex: 0 shipped pars" <<<"$out" || fail "a damaged table was read: $out"
grep -q "pars.txt is damaged" "$work/game.err" || fail "no message about the damaged table"
cp "$work/pars.txt" "$pars"

echo "-- a level of the user's own appears in the game"
mkdir -p "$XDG_DATA_HOME/Trundlex/levels"
"$root/bin/trundlex-tool" level-text "$root/share/trundlex/levels/first-putt.lev" >"$work/mine.txt"
"$root/bin/trundlex-tool" level-pack --new-id "$work/mine.txt" \
  "$XDG_DATA_HOME/Trundlex/levels/mine.lev" >/dev/null
out=$("$root/bin/trundlex" --quit-after-start 2>/dev/null) || fail "the game failed: $out"
grep -q "^trundlex: $((shipped + 1)) levels " <<<"$out" || fail "user level not read: $out"

echo "-- the editor starts and finds the installed template pieces"
out=$("$root/bin/trundlex-editor" --quit-after-start 2>"$work/editor.err") ||
  fail "the editor failed: $out $(cat "$work/editor.err")"
echo "$out"
grep -q "^trundlex-editor: template pieces from $root/share/trundlex/RBites," <<<"$out" ||
  fail "the editor did not use the installed RBites folder"
grep -q "levels saved to $XDG_DATA_HOME/Trundlex/levels\$" <<<"$out" ||
  fail "the editor would save levels into the installation"

echo "-- programs away from their data fail with a message"
mkdir -p "$work/lonely/bin"
cp "$root/bin/trundlex" "$root/bin/trundlex-editor" "$work/lonely/bin/"
if "$work/lonely/bin/trundlex" --quit-after-start >/dev/null 2>"$work/lonely.err"; then
  fail "the game started without its data"
fi
grep -q "no shipped levels or sounds found" "$work/lonely.err" || fail "no message from the game"
if "$work/lonely/bin/trundlex-editor" --quit-after-start >/dev/null 2>"$work/lonely.err"; then
  fail "the editor started without its data"
fi
grep -q "no template pieces or sounds found" "$work/lonely.err" || fail "no message from the editor"

echo "-- ... and find it in the standard data locations"
XDG_DATA_DIRS="$root/share" "$work/lonely/bin/trundlex" --quit-after-start >/dev/null 2>&1 ||
  fail "the game did not look in XDG_DATA_DIRS"
XDG_DATA_DIRS="$root/share" "$work/lonely/bin/trundlex-editor" --quit-after-start >/dev/null \
  2>&1 || fail "the editor did not look in XDG_DATA_DIRS"
echo "install test passed"

#!/usr/bin/env bash
# Checks the installed desktop integration with the freedesktop tools: the desktop entries and
# AppStream files validate, and with our MIME package in a fresh user data folder a level file
# is recognised as a Trundlex level, which the editor opens by default; and a trundlex:// room
# link opened with xdg-open starts the game with the link as its argument.
# Usage: desktop_files_test.sh CMAKE BUILD_DIR SOURCE_DIR
set -euo pipefail
cmake_cmd=$1
build_dir=$2
source_dir=$3

work=$(mktemp -d "${TMPDIR:-/tmp}/trundlex-desktop-XXXXXX")
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

DESTDIR="$work/root" "$cmake_cmd" --install "$build_dir" --prefix /usr >/dev/null
share="$work/root/usr/share"
ids=(org.brackwater.Trundlex org.brackwater.TrundlexEditor)

echo "-- desktop entries"
for id in "${ids[@]}"; do
  desktop-file-validate "$share/applications/$id.desktop" || fail "$id.desktop"
  grep -q '^Name\[sv\]=' "$share/applications/$id.desktop" || fail "$id.desktop: no Swedish name"
  grep -q '^Comment\[sv\]=' "$share/applications/$id.desktop" || fail "$id.desktop: no Swedish comment"
  icon=$(sed -n 's/^Icon=//p' "$share/applications/$id.desktop")
  for size in 16 32 48 64 128 256; do
    file "$share/icons/hicolor/${size}x${size}/apps/$icon.png" | grep -q "PNG image data, $size x $size" ||
      fail "no $size px icon $icon"
  done
  [ -s "$share/icons/hicolor/scalable/apps/$icon.svg" ] || fail "no scalable icon $icon"
done

echo "-- AppStream"
appstreamcli validate --no-net "$share"/metainfo/*.metainfo.xml || fail "appstreamcli validate"
for shot in $(sed -n 's|.*<image>.*/screenshots/\(.*\)</image>.*|\1|p' "$share"/metainfo/*.xml); do
  [ -s "$source_dir/packaging/screenshots/$shot" ] || fail "screenshot $shot is not in packaging/"
done

echo "-- MIME type of level files"
export XDG_DATA_HOME="$work/data" XDG_CONFIG_HOME="$work/config" XDG_DATA_DIRS="$work/root/usr/share"
mkdir -p "$XDG_DATA_HOME/mime/packages" "$XDG_DATA_HOME/applications" "$XDG_CONFIG_HOME"
cp "$share/mime/packages/org.brackwater.Trundlex.xml" "$XDG_DATA_HOME/mime/packages/"
update-mime-database "$XDG_DATA_HOME/mime"
cp "$share/applications/"*.desktop "$XDG_DATA_HOME/applications/"
update-desktop-database "$XDG_DATA_HOME/applications"
# Neither the name nor the ending tells it apart: an ordinary level under another name is still
# recognised by its contents; the .lev ending alone is enough as well.
cp "$source_dir/resources/levels/first-putt.lev" "$work/course-hole.lev"
cp "$source_dir/resources/levels/first-putt.lev" "$work/renamed.dat"
for file in "$work/course-hole.lev" "$work/renamed.dat"; do
  type=$(XDG_CURRENT_DESKTOP= xdg-mime query filetype "$file")
  echo "   $(basename "$file"): $type"
  [ "$type" = application/x-trundlex-level ] || fail "$file is $type"
done
default=$(XDG_CURRENT_DESKTOP= xdg-mime query default application/x-trundlex-level)
echo "   default application: $default"
[ "$default" = org.brackwater.TrundlexEditor.desktop ] || fail "default application $default"
grep -q '<comment xml:lang="sv">Trundlex-banfil</comment>' "$share/mime/packages/org.brackwater.Trundlex.xml" ||
  fail "no Swedish description of the file type"
echo "-- trundlex:// links"
game_entry="$share/applications/org.brackwater.Trundlex.desktop"
grep -qx 'MimeType=x-scheme-handler/trundlex;' "$game_entry" || fail "the game does not claim trundlex:// links"
grep -qx 'Exec=trundlex %u' "$game_entry" || fail "the game's Exec does not pass the link (%u)"
handler=$(XDG_CURRENT_DESKTOP= xdg-mime query default x-scheme-handler/trundlex)
echo "   handler: $handler"
[ "$handler" = org.brackwater.Trundlex.desktop ] || fail "trundlex:// links go to $handler"
# A stand-in for the game on the PATH records what xdg-open starts it with.
mkdir -p "$work/bin"
printf '#!/bin/sh\nprintf "%%s\\n" "$@" > "%s"\n' "$work/started-with" > "$work/bin/trundlex"
chmod +x "$work/bin/trundlex"
link='trundlex://golf.example.org:50001/K7QX2M'
PATH="$work/bin:$PATH" DISPLAY=${DISPLAY:-:99} XDG_CURRENT_DESKTOP= xdg-open "$link" ||
  fail "xdg-open $link"
[ "$(cat "$work/started-with" 2>/dev/null)" = "$link" ] ||
  fail "the game was started with '$(cat "$work/started-with" 2>/dev/null)' instead of the link"
echo "   xdg-open $link starts: trundlex $link"
echo "desktop files test passed"

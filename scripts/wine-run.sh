#!/usr/bin/env bash
# Runs a Windows program of build-windows/ under Wine: Debian's 64-bit loader, a private
# prefix inside the build folder (made on first use), no debug chatter. Used by ctest of the
# Windows build and by scripts/test-windows.sh.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
export WINEPREFIX="${WINEPREFIX:-$root/build-windows/wine-prefix}"
export WINEDEBUG=-all
exec /usr/lib/wine/wine64 "$@"

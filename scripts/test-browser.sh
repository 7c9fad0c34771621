#!/usr/bin/env bash
# Tests the browser game (build-web/site/, built by scripts/build-web.sh) in Debian's Chromium
# (scripts/install-deps.sh installs it; CHROMIUM names another), driven by playwright-core
# from web/node_modules: a game played to its results by keyboard and again, the local game
# setup, the level browser, touch putting on a phone, and the Swedish texts; Today's course
# against the native trundlex-tool's draw (build/, or NATIVE_BUILD); the page's level pictures
# against the native tool's modern look; Play with friends with a stand-in for the module's
# online game; and online games in rooms of the native tool's room host, two pages meeting
# there, and a page with the desktop game's network client (serve-test-client, from the same
# native build); and the page offline from its service worker's cache, a new build's cache
# taking the old one's place, and installing as an app (tests/browser/).
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
fail() { echo "test-browser: $*" >&2; exit 1; }
[ -f "$root/build-web/site/index.html" ] || fail "no page in build-web/site (scripts/build-web.sh builds it)"
[ -x "${CHROMIUM:-/usr/bin/chromium}" ] || fail "no Chromium at ${CHROMIUM:-/usr/bin/chromium} (scripts/install-deps.sh)"
native="${NATIVE_BUILD:-$root/build}/bin/trundlex-tool"
[ -x "$native" ] || fail "no native trundlex-tool at $native (build build/ first)"
[ -d "$root/web/node_modules/playwright-core" ] || (cd "$root/web" && npm ci --no-audit --no-fund)
node --test --test-concurrency=1 "$root/tests/browser/"

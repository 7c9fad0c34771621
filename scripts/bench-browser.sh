#!/usr/bin/env bash
# Measures the browser game in Debian's headless Chromium (CHROMIUM names another), RUNS runs
# (default 3) each in a fresh profile, the page served on loopback (bench/web/browser-bench.mjs):
#  1. the bytes of the first load to a start screen ready to play, as sent and gzipped, and
#     apart from them what the service worker then fetches to keep the site for offline;
#  2. the time to the start screen's first frame, and to its first frame with Play enabled;
#  3. the frame time (a frame's work on the page's thread) while a ball rolls in a game
#     against the computer, p50 and p95.
# Builds the page first (scripts/build-web.sh --page-only: the module must have been built).
# Not a test: it prints figures, each run's and their ranges, beside the goals (under 1 MB
# gzipped, under 1 s on loopback, p95 under 16 ms).
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
[ -x "${CHROMIUM:-/usr/bin/chromium}" ] || { echo "bench-browser: no Chromium at ${CHROMIUM:-/usr/bin/chromium} (scripts/install-deps.sh)" >&2; exit 1; }
"$root/scripts/build-web.sh" --page-only > /dev/null
node "$root/bench/web/browser-bench.mjs" "${RUNS:-3}"

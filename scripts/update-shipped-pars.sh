#!/usr/bin/env bash
# Works out the par of every shipped level again and writes resources/levels/pars.txt, the
# table the game reads so that nobody waits for a shipped level's par, and rates.txt beside it,
# how often a careful person makes each par. Run it after changing a
# level in resources/levels or anything that changes a par (the solver, the hand, the trials);
# content_tests fails until the table matches. Uses the native build in build/ (or $BUILD_DIR).
#
# The table is committed rather than made by the build: the Windows and WebAssembly builds
# cannot run their own tool while building, and a committed file needs no solver run in any
# build; content_tests recomputes every par, so a stale table cannot go unnoticed.
set -euo pipefail
cd "$(dirname "$0")/.."

build="${BUILD_DIR:-build}"
cmake --build "$build" --target trundlex-tool
out=resources/levels/pars.txt
"$build/bin/trundlex-tool" par resources/levels --table >"$out.new"
mv "$out.new" "$out"
echo "wrote $out ($(($(wc -l <"$out") - 1)) levels)"
# How often the par's trials make par on each level, for the course pickers' labels.
rates=resources/levels/rates.txt
"$build/bin/trundlex-tool" hole-rates resources/levels >"$rates.new"
mv "$rates.new" "$rates"
echo "wrote $rates ($(($(wc -l <"$rates") - 1)) levels)"

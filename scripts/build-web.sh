#!/usr/bin/env bash
# Builds the WebAssembly build of Trundlex with Debian's emscripten (scripts/install-deps.sh
# installs it) into build-web/: bin/trundlex-tool.js with its .wasm (every command that needs
# neither Qt nor sockets, run with node as the native tool is run), the page's module
# bin/trundlex-page.js with its .wasm and TypeScript types (src/web/PageApi.cpp),
# bin/golden_trace.js and bin/core_tests.js. scripts/test-web.sh tests them against the native build;
# scripts/bench-web.sh builds bench/PuttRate.cpp here too and measures both.
# Then it builds the browser game (web/, TypeScript with vite, from web/package-lock.json) into
# build-web/site/: the page, the module beside it, the shipped levels, pars, courses, sounds and
# icons, content.json naming the level and course files, and the service worker (sw.js) that
# keeps them all for playing offline.
# Extra arguments go to the build step (e.g. --target golden_trace) and skip the page; without
# them it builds the programs above and the page. --page-only builds the page alone, with the
# module already built.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="$root/build-web"
command -v emcmake >/dev/null || { echo "build-web: emscripten is not installed (scripts/install-deps.sh)" >&2; exit 1; }
# emscripten's optimizer, run when a program is linked, imports Debian's acorn, which node only
# finds in Debian's own module folder.
export NODE_PATH="/usr/share/nodejs${NODE_PATH:+:$NODE_PATH}"

# The browser game in build-web/site/, with everything it loads.
build_page() {
  local site="$build/site" web="$root/web"
  command -v npm >/dev/null || { echo "build-web: npm is not installed (scripts/install-deps.sh)" >&2; exit 1; }
  [ -f "$build/bin/trundlex-page.js" ] || { echo "build-web: no $build/bin/trundlex-page.js to put beside the page" >&2; exit 1; }
  # Installs exactly the lockfile's packages, again only when the lockfile changed.
  if [ ! -f "$web/node_modules/.package-lock.json" ] ||
     [ "$web/package-lock.json" -nt "$web/node_modules/.package-lock.json" ]; then
    (cd "$web" && npm ci --no-audit --no-fund)
  fi
  rm -rf "$site"
  mkdir -p "$site"
  (cd "$web" && npx tsc --noEmit && npx vite build --logLevel warn)
  cp "$build/bin/trundlex-page.js" "$build/bin/trundlex-page.wasm" "$site/"
  mkdir -p "$site/levels" "$site/courses" "$site/sounds" "$site/icons"
  cp "$root"/resources/levels/*.lev "$root/resources/levels/pars.txt" "$site/levels/"
  cp "$root"/resources/courses/*.cou "$site/courses/"
  cp "$root"/resources/sounds/*.wav "$site/sounds/"
  cp "$root"/resources/icons/*.png "$site/icons/"
  # The page reads the levels' names through the module; this only names the files.
  (cd "$site" && node -e '
    const fs = require("fs");
    const names = (dir, ext) => fs.readdirSync(dir).filter((f) => f.endsWith(ext)).sort();
    fs.writeFileSync("content.json", JSON.stringify({ levels: names("levels", ".lev"), courses: names("courses", ".cou") }) + "\n");
  ')
  # Last, since it lists every file above for the service worker's cache.
  node "$web/offline/write-sw.mjs" "$site"
  # A gzipped copy beside each file that packs well, which the room host sends to a browser
  # that takes gzip (the module and scripts shrink to a third). -n keeps the build repeatable.
  find "$site" -type f \( -name '*.html' -o -name '*.js' -o -name '*.css' -o -name '*.wasm' \
      -o -name '*.json' -o -name '*.webmanifest' -o -name '*.svg' -o -name '*.lev' -o -name '*.cou' \
      -o -name '*.txt' -o -name '*.wav' \) -print0 |
    while IFS= read -r -d '' file; do
      gzip -9 -n -c "$file" > "$file.gz"
      if [ "$(stat -c %s "$file.gz")" -ge "$(( $(stat -c %s "$file") * 9 / 10 ))" ]; then
        rm "$file.gz"  # hardly smaller: not worth a second copy
      fi
    done
  echo "build-web: the page is in $site"
}

if [ "${1:-}" = "--page-only" ]; then
  build_page
  exit 0
fi

if [ ! -f "$build/build.ninja" ]; then
  emcmake cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DTRUNDLEX_WITH_QT=OFF
fi
page=0
if [ $# -eq 0 ]; then
  set -- --target trundlex-tool trundlex-page golden_trace core_tests trundlex_data
  page=1
fi
cmake --build "$build" -j"${JOBS:-2}" "$@"
if [ "$page" -eq 1 ]; then
  build_page
fi

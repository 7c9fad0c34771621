// Start-up of the page's module to a ready game, as a page (or its worker) goes through it:
// the module's .js and .wasm loaded and compiled, a game of two computer players set up on
// four levels and started. Prints "module MS ready MS" (milliseconds since this script
// began); scripts/bench-web.sh runs it several times in fresh processes.
//   node bench/page_startup.js BUILD_WEB_BIN LEVELDIR
'use strict';
const { performance } = require('node:perf_hooks');
const begin = performance.now();
const fs = require('node:fs');
const path = require('node:path');

const [bin, levelDir] = process.argv.slice(2);
const holes = ['first-putt.lev', 'gentle-slope.lev', 'bank-shot.lev', 'duck-pond.lev'];

require(path.join(bin, 'trundlex-page.js'))({
  wasmBinary: fs.readFileSync(path.join(bin, 'trundlex-page.wasm')),
}).then((trundlex) => {
  const loaded = performance.now();
  const game = new trundlex.LocalGame(1);
  for (const hole of holes) {
    if (!game.addLevel(fs.readFileSync(path.join(levelDir, hole)))) throw new Error(hole);
  }
  game.addComputer('Ann', 3);
  game.addComputer('Bob', 1);
  if (!game.start()) throw new Error('the game did not start');
  const ready = performance.now();
  game.delete();
  console.log(`module ${(loaded - begin).toFixed(1)} ready ${(ready - begin).toFixed(1)}`);
});

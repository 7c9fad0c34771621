// How fast the browser game draws level pictures (web/src/render/level.ts, run by the page's
// paint worker): every shipped level at the block sizes of a phone, a laptop and a 4K screen,
// under node, which runs the same JavaScript engine as Chromium. Prints milliseconds per
// picture and per million pixels. Run after scripts/build-web.sh: node bench/web-render.mjs
import { createRequire } from 'node:module';
import fs from 'node:fs';
import os from 'node:os';
import path from 'node:path';
import { fileURLToPath } from 'node:url';

const root = path.resolve(path.dirname(fileURLToPath(import.meta.url)), '..');
const require = createRequire(path.join(root, 'web', 'package.json'));
const site = path.join(root, 'build-web', 'site');
const out = path.join(fs.mkdtempSync(path.join(os.tmpdir(), 'trundlex-bench-')), 'level.mjs');
await require('esbuild').build({ entryPoints: [path.join(root, 'web', 'src', 'render', 'level.ts')], bundle: true, format: 'esm', platform: 'node', outfile: out, logLevel: 'warning' });
const { renderLevel } = await import(out);
const trundlex = await require(path.join(site, 'trundlex-page.js'))({ wasmBinary: fs.readFileSync(path.join(site, 'trundlex-page.wasm')) });
const dir = path.join(root, 'resources', 'levels');
const levels = fs.readdirSync(dir).filter((f) => f.endsWith('.lev')).sort()
  .map((f) => JSON.parse(trundlex.levelJson(fs.readFileSync(path.join(dir, f)))));
renderLevel(levels[0], 16); // warm up
for (const block of [24, 76, 240]) {
  let ms = 0;
  let pixels = 0;
  for (const level of levels) {
    const t = performance.now();
    const picture = renderLevel(level, block);
    ms += performance.now() - t;
    pixels += picture.width * picture.height;
  }
  console.log(`block ${block} px: ${(ms / levels.length).toFixed(0)} ms a level, ${(ms / (pixels / 1e6)).toFixed(0)} ms per million pixels (${levels.length} levels)`);
}

// The page's level renderer (web/src/render/level.ts) against the desktop's modern renderer
// (the native `trundlex-tool render --look modern`): every shipped level, from the module's
// levelJson, and levels/every-shape.lev (every shape in every quarter turn, over and under
// every material, sloped and flat), must come out as the desktop draws it, but for the flags
// (drawn over the level on the page's canvas, into the picture by the tool), which are left
// out of the comparison. A wrong shape, turn, material or slope shows as pixels far apart.
import { describe, it, before } from 'node:test';
import assert from 'node:assert/strict';
import { createRequire } from 'node:module';
import { execFileSync } from 'node:child_process';
import fs from 'node:fs';
import os from 'node:os';
import path from 'node:path';
import zlib from 'node:zlib';
import { root, site } from './harness.mjs';

const require = createRequire(path.join(root, 'web', 'package.json'));
const nativeTool = path.join(process.env.NATIVE_BUILD || path.join(root, 'build'), 'bin', 'trundlex-tool');
const BLOCK = 24;

// An 8-bit RGB or RGBA PNG without interlacing, as the tool writes, as RGBA.
function readPng(file) {
  const data = fs.readFileSync(file);
  let offset = 8;
  let width = 0, height = 0, channels = 0;
  const idat = [];
  while (offset < data.length) {
    const length = data.readUInt32BE(offset);
    const type = data.toString('latin1', offset + 4, offset + 8);
    const body = data.subarray(offset + 8, offset + 8 + length);
    if (type === 'IHDR') {
      width = body.readUInt32BE(0);
      height = body.readUInt32BE(4);
      assert.equal(body[8], 8, 'bit depth');
      channels = { 2: 3, 6: 4 }[body[9]];
      assert.ok(channels, `colour type ${body[9]}`);
      assert.equal(body[12], 0, 'interlace');
    } else if (type === 'IDAT') {
      idat.push(body);
    }
    offset += 12 + length;
  }
  const raw = zlib.inflateSync(Buffer.concat(idat));
  const stride = width * channels;
  const out = new Uint8Array(width * height * 4);
  let prev = new Uint8Array(stride);
  for (let y = 0; y < height; ++y) {
    const filter = raw[y * (stride + 1)];
    const line = Uint8Array.from(raw.subarray(y * (stride + 1) + 1, (y + 1) * (stride + 1)));
    for (let i = 0; i < stride; ++i) {
      const a = i >= channels ? line[i - channels] : 0;
      const b = prev[i];
      const c = i >= channels ? prev[i - channels] : 0;
      let p = 0;
      if (filter === 1) p = a;
      else if (filter === 2) p = b;
      else if (filter === 3) p = (a + b) >> 1;
      else if (filter === 4) {
        const e = a + b - c;
        const pa = Math.abs(e - a), pb = Math.abs(e - b), pc = Math.abs(e - c);
        p = pa <= pb && pa <= pc ? a : pb <= pc ? b : c;
      }
      line[i] = (line[i] + p) & 0xff;
    }
    for (let x = 0; x < width; ++x) {
      for (let k = 0; k < 3; ++k) out[(y * width + x) * 4 + k] = line[x * channels + k];
      out[(y * width + x) * 4 + 3] = 255;
    }
    prev = line;
  }
  return { width, height, data: out };
}

let render;
let trundlex;
before(async () => {
  const { build } = require('esbuild');
  const out = path.join(fs.mkdtempSync(path.join(os.tmpdir(), 'trundlex-render-')), 'level.mjs');
  await build({ entryPoints: [path.join(root, 'web', 'src', 'render', 'level.ts')], bundle: true, format: 'esm', platform: 'node', outfile: out, logLevel: 'warning' });
  render = await import(out);
  trundlex = await require(path.join(site, 'trundlex-page.js'))({ wasmBinary: fs.readFileSync(path.join(site, 'trundlex-page.wasm')) });
});

describe('level pictures', () => {
  it('match the desktop modern renderer on every shipped level and every shape, flags aside', () => {
    const shipped = path.join(root, 'resources', 'levels');
    const work = fs.mkdtempSync(path.join(os.tmpdir(), 'trundlex-render-'));
    const files = fs.readdirSync(shipped).filter((f) => f.endsWith('.lev')).sort().map((f) => path.join(shipped, f));
    assert.ok(files.length > 0);
    files.push(path.join(root, 'tests', 'browser', 'levels', 'every-shape.lev'));
    for (const lev of files) {
      const file = path.basename(lev);
      const level = JSON.parse(trundlex.levelJson(fs.readFileSync(lev)));
      const png = path.join(work, file + '.png');
      execFileSync(nativeTool, ['render', lev, png, '--block-size', String(BLOCK), '--look', 'modern'], { stdio: 'ignore' });
      const want = readPng(png);
      const got = render.renderLevel(level, BLOCK);
      assert.equal(got.width, want.width, file);
      assert.equal(got.height, want.height, file);
      // The flags stand up and to the right of each cup, their shadows down and to the right.
      const flags = render.flagSpots(level);
      const nearFlag = (x, y) => flags.some((f) => x > f.x - 0.5 && x < f.x + 1.8 && y > f.y - 1.8 && y < f.y + 0.9);
      let far = 0;
      let sum = 0;
      let counted = 0;
      for (let y = 0; y < want.height; ++y) {
        for (let x = 0; x < want.width; ++x) {
          if (nearFlag((x + 0.5) / BLOCK, (y + 0.5) / BLOCK)) continue;
          const i = (y * want.width + x) * 4;
          const d = Math.max(...[0, 1, 2].map((k) => Math.abs(got.data[i + k] - want.data[i + k])));
          sum += d;
          ++counted;
          if (d > 8) ++far;
        }
      }
      assert.ok(counted > 0, file);
      assert.ok(far === 0, `${file}: ${far} pixels differ by more than 8`);
      assert.ok(sum / counted < 1.5, `${file}: pixels differ by ${(sum / counted).toFixed(2)} on average`);
    }
  });
});

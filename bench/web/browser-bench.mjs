// Measures the browser game (build-web/site/) in headless Chromium, a fresh browser profile
// per run, the page served on loopback:
//  1. the bytes of the first load: every file the page fetched until its start screen was
//     ready to play, as sent and gzipped (-9, what a host's .gz beside each file would send),
//     and apart from that what the service worker then fetched to keep the site for offline;
//  2. the time from navigation to the start screen's first frame (the first contentful paint)
//     and to the first frame with Play enabled (the module and the levels read);
//  3. the frame time while a ball rolls in a game against the computer: from a frame's start
//     to the end of its work on the page's thread (scripts, layout, painting), p50/p95/max, and
//     the time between frames for comparison.
// Not a test: it prints figures. Run with scripts/bench-browser.sh (RUNS runs, default 3).
// Usage: node bench/web/browser-bench.mjs [RUNS]
import { createRequire } from 'node:module';
import fs from 'node:fs';
import http from 'node:http';
import path from 'node:path';
import zlib from 'node:zlib';
import { fileURLToPath } from 'node:url';

const here = path.dirname(fileURLToPath(import.meta.url));
const root = path.resolve(here, '..', '..');
const site = path.join(root, 'build-web', 'site');
const runs = Number(process.argv[2] ?? process.env.RUNS ?? 3);
const require = createRequire(path.join(root, 'web', 'package.json'));
const { chromium } = require('playwright-core');

const types = {
  '.html': 'text/html; charset=utf-8', '.js': 'text/javascript; charset=utf-8', '.css': 'text/css; charset=utf-8',
  '.json': 'application/json', '.wasm': 'application/wasm', '.png': 'image/png', '.wav': 'audio/wav',
  '.txt': 'text/plain; charset=utf-8', '.webmanifest': 'application/manifest+json',
};

// A static server of the site that notes every file it sends (and whether the page or its
// service worker asked), read into memory first so that the disk plays no part.
function serveSite() {
  const files = new Map();
  const log = [];
  const server = http.createServer((req, res) => {
    let name = decodeURIComponent(new URL(req.url, 'http://x').pathname).slice(1);
    if (name === '' || name.endsWith('/')) name += 'index.html';
    let file = files.get(name);
    if (!file) {
      const full = path.join(site, name);
      if (!full.startsWith(site + path.sep) || !fs.existsSync(full) || !fs.statSync(full).isFile()) {
        res.writeHead(404).end();
        return;
      }
      const data = fs.readFileSync(full);
      file = { data, gzipped: zlib.gzipSync(data, { level: 9 }).length };
      files.set(name, file);
    }
    // The service worker's own script, and the files it keeps, which it asks for past the
    // browser's HTTP cache (and so with "no-cache").
    const offline = req.headers['service-worker'] === 'script' || /no-cache/.test(req.headers.pragma ?? req.headers['cache-control'] ?? '');
    log.push({ name, bytes: file.data.length, gzipped: file.gzipped, offline });
    res.writeHead(200, { 'Content-Type': types[path.extname(name)] ?? 'application/octet-stream', 'Cache-Control': 'no-cache' });
    res.end(file.data);
  });
  return new Promise((resolve) => server.listen(0, '127.0.0.1', () => resolve({
    url: `http://127.0.0.1:${server.address().port}/`, log, close: () => new Promise((r) => { server.closeAllConnections(); server.close(r); }),
  })));
}

// Runs in the page before its own scripts: notes the first frame with Play enabled, and the
// frames while a ball rolls (state 5 on the playfield).
function probe() {
  window.benchmark = { ready: -1, work: [], gaps: [] };
  let last = -1;
  const frame = (start) => {
    requestAnimationFrame(frame);
    const rolling = document.querySelector('canvas.playfield')?.dataset.state === '5';
    if (rolling && last >= 0) window.benchmark.gaps.push(start - last);
    last = rolling ? start : -1;
    const ready = window.benchmark.ready < 0 && [...document.querySelectorAll('button')].some((b) => b.textContent === 'Play' && !b.disabled);
    // A message posted now is handled after this frame has been drawn.
    const channel = new MessageChannel();
    channel.port1.onmessage = () => {
      const end = performance.now();
      if (ready) window.benchmark.ready = end;
      if (rolling) window.benchmark.work.push(end - start);
    };
    channel.port2.postMessage(0);
  };
  requestAnimationFrame(frame);
}

const quantile = (values, q) => {
  const s = [...values].sort((a, b) => a - b);
  return s.length === 0 ? NaN : s[Math.min(s.length - 1, Math.floor(q * s.length))];
};
const kb = (n) => `${(n / 1024).toFixed(0)} KB`;

async function once(browser, server) {
  server.log.length = 0;
  const context = await browser.newContext({ viewport: { width: 1280, height: 800 }, locale: 'en-US' });
  await context.addInitScript(probe);
  const page = await context.newPage();
  await page.goto(server.url);
  await page.waitForFunction(() => window.benchmark.ready >= 0, null, { timeout: 30000 });
  const loaded = server.log.filter((f) => !f.offline);
  const timing = await page.evaluate(() => ({
    paint: performance.getEntriesByName('first-contentful-paint')[0]?.startTime ?? NaN,
    ready: window.benchmark.ready,
  }));
  await page.evaluate(async () => { await navigator.serviceWorker.ready; });
  const first = loaded;
  const cache = server.log.filter((f) => f.offline);
  const sum = (list, key) => list.reduce((a, f) => a + f[key], 0);

  // A game against the computer: the person putts hard, and both balls roll until enough
  // frames have been seen (or the time is up).
  await page.getByRole('button', { name: 'Play', exact: true }).click();
  const deadline = Date.now() + 60000;
  while (Date.now() < deadline && await page.evaluate(() => window.benchmark.work.length) < 300) {
    const state = await page.locator('canvas.playfield').evaluate((c) => `${c.dataset.turn}:${c.dataset.state}`).catch(() => '');
    if (state === 'here:2') {
      await page.keyboard.press('ArrowLeft');
      await page.keyboard.down(' ');
      await page.waitForTimeout(900);
      await page.keyboard.up(' ');
    }
    await page.waitForTimeout(100);
  }
  const frames = await page.evaluate(() => window.benchmark);
  await context.close();
  return {
    files: first.length,
    bytes: sum(first, 'bytes'),
    gzipped: sum(first, 'gzipped'),
    cacheFiles: cache.length,
    cacheGzipped: sum(cache, 'gzipped'),
    paint: timing.paint,
    ready: timing.ready,
    frames: frames.work.length,
    p50: quantile(frames.work, 0.5),
    p95: quantile(frames.work, 0.95),
    max: quantile(frames.work, 1),
    gap95: quantile(frames.gaps, 0.95),
  };
}

if (!fs.existsSync(path.join(site, 'index.html'))) {
  console.error(`browser-bench: no page in ${site} (scripts/build-web.sh builds it)`);
  process.exit(1);
}
const browser = await chromium.launch({ executablePath: process.env.CHROMIUM ?? '/usr/bin/chromium', args: ['--no-sandbox'] });
const server = await serveSite();
const results = [];
try {
  for (let i = 1; i <= runs; ++i) {
    const r = await once(browser, server);
    results.push(r);
    console.log(`run ${i}: first load ${r.files} files ${kb(r.bytes)}, gzipped ${kb(r.gzipped)} ` +
      `(then the offline cache: ${r.cacheFiles} files, gzipped ${kb(r.cacheGzipped)}); ` +
      `start screen drawn ${r.paint.toFixed(0)} ms, ready to play ${r.ready.toFixed(0)} ms; ` +
      `ball rolling ${r.frames} frames: work p50 ${r.p50.toFixed(1)} ms, p95 ${r.p95.toFixed(1)} ms, max ${r.max.toFixed(1)} ms, ` +
      `between frames p95 ${r.gap95.toFixed(1)} ms`);
  }
} finally {
  await browser.close();
  await server.close();
}
const range = (key, digits = 0, scale = 1) => {
  const v = results.map((r) => r[key] / scale);
  return `${Math.min(...v).toFixed(digits)}–${Math.max(...v).toFixed(digits)}`;
};
console.log(`== ${runs} runs (goals: first load under 1024 KB gzipped, start screen under 1000 ms, frame p95 under 16 ms)`);
console.log(`first load gzipped ${range('gzipped', 0, 1024)} KB (as sent ${range('bytes', 0, 1024)} KB); ` +
  `start screen drawn ${range('paint')} ms, ready to play ${range('ready')} ms; ` +
  `frame work while a ball rolls p95 ${range('p95', 1)} ms (p50 ${range('p50', 1)} ms)`);

// Starts Debian's Chromium through playwright-core (no browser of its own is downloaded) and
// the static server for build-web/site/; helpers the browser tests share.
import { createRequire } from 'node:module';
import path from 'node:path';
import fs from 'node:fs';
import { fileURLToPath } from 'node:url';
import { serve } from './serve.mjs';

const here = path.dirname(fileURLToPath(import.meta.url));
export const root = path.resolve(here, '..', '..');
export const site = path.join(root, 'build-web', 'site');
const require = createRequire(path.join(root, 'web', 'package.json'));
const { chromium } = require('playwright-core');

/** Chromium and a server of the page; `serveOptions` as serve()'s. */
export async function start(serveOptions = {}) {
  if (!fs.existsSync(path.join(site, 'index.html'))) {
    throw new Error(`no page in ${site} (scripts/build-web.sh builds it)`);
  }
  const executablePath = process.env.CHROMIUM ?? '/usr/bin/chromium';
  const browser = await chromium.launch({ executablePath, args: ['--no-sandbox', '--autoplay-policy=no-user-gesture-required'] });
  const server = await serve(site, serveOptions);
  return {
    browser,
    url: server.url,
    async close() {
      await browser.close();
      await server.close();
    },
  };
}

/** A page at `url` (the site under test unless given) whose errors fail the test that looks at `errors`. */
export async function open(env, options = {}, url = env.url) {
  const context = await env.browser.newContext(options);
  const page = await context.newPage();
  const errors = [];
  page.on('pageerror', (e) => errors.push(String(e)));
  page.on('console', (m) => {
    if (m.type() === 'error') errors.push(m.text());
  });
  await page.goto(url);
  return { context, page, errors };
}

export const State = { Aiming: 2, Charging: 4, Rolling: 5 };

/** The playfield's state as the page shows it: view state, whose turn, the ball's point. */
export async function field(page) {
  return page.locator('canvas.playfield').evaluate((c) => ({
    state: Number(c.dataset.state ?? -1),
    turn: c.dataset.turn ?? '',
    ball: c.dataset.ball ? c.dataset.ball.split(',').map(Number) : null,
    box: (() => { const r = c.getBoundingClientRect(); return { x: r.left, y: r.top, w: r.width, h: r.height }; })(),
  })).catch(() => null);
}

/** Whether the document fits the viewport without scrolling. */
export async function fits(page) {
  return page.evaluate(() => {
    const e = document.scrollingElement;
    return e.scrollWidth <= window.innerWidth && e.scrollHeight <= window.innerHeight;
  });
}

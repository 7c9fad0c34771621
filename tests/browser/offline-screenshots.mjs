// Screenshots of the page without a network, for a person to look at (not a test): loaded
// once, then reloaded offline from its service worker's cache: the start screen, Play with
// friends saying it needs the network, and a game against the computer, on a desktop
// (1280 x 800) and a phone (390 x 844).
// Run after scripts/build-web.sh: node tests/browser/offline-screenshots.mjs [OUTDIR]   (/tmp/offline-shots)
import fs from 'node:fs';
import { open, start } from './harness.mjs';

const out = process.argv[2] ?? '/tmp/offline-shots';
fs.mkdirSync(out, { recursive: true });
const env = await start();
const devices = {
  desktop: { viewport: { width: 1280, height: 800 } },
  phone: { viewport: { width: 390, height: 844 }, deviceScaleFactor: 3, hasTouch: true, isMobile: true },
};

async function ready(page) {
  await page.waitForFunction(() => [...document.querySelectorAll('button')].some((b) => b.textContent === 'Play' && !b.disabled), null, { timeout: 20000 });
}

for (const [device, options] of Object.entries(devices)) {
  const { context, page } = await open(env, { ...options, locale: 'en-GB' });
  const shot = (what) => page.screenshot({ path: `${out}/${device}-offline-${what}.png` });
  await ready(page);
  await page.evaluate(async () => { await navigator.serviceWorker.ready; });
  await context.setOffline(true);
  await page.reload();
  await ready(page);
  await shot('start');
  await page.getByRole('button', { name: 'Play with friends', exact: true }).click();
  await page.getByRole('alert').waitFor();
  await shot('friends');
  await page.getByRole('button', { name: 'Back', exact: true }).click();
  await ready(page);
  await page.getByLabel('Your name', { exact: true }).fill('Oona');
  await page.getByRole('button', { name: 'Play', exact: true }).click();
  await page.waitForFunction(() => {
    const c = document.querySelector('canvas.playfield');
    return c && c.dataset.turn === 'here' && c.dataset.state === '2' && c.dataset.ball;
  }, null, { timeout: 20000 });
  await shot('game');
  await context.close();
}
await env.close();
console.log(`screenshots in ${out}`);

// Screenshots of the browser game for a person to look at (not a test): the start screen, the
// local game setup, a hole with the aim shown, a banner, the results and the level browser,
// on a desktop (1280 x 800) and a phone (390 x 844), in English and Swedish.
// Run after scripts/build-web.sh: node tests/browser/screenshots.mjs [OUTDIR]   (/tmp/page-shots)
import fs from 'node:fs';
import { State, field, open, start } from './harness.mjs';

const out = process.argv[2] ?? '/tmp/page-shots';
fs.mkdirSync(out, { recursive: true });
const env = await start();
const words = {
  en: { play: 'Play', local: 'Local game', levels: 'Levels', name: 'Your name', again: 'Play again', leave: 'Leave game', back: 'Back' },
  sv: { play: 'Spela', local: 'Lokalt spel', levels: 'Banor', name: 'Ditt namn', again: 'Spela igen', leave: 'Lämna spelet', back: 'Tillbaka' },
};
const only = process.env.SHOTS_DEVICES?.split(',');
const devices = {
  desktop: { viewport: { width: 1280, height: 800 } },
  phone: { viewport: { width: 390, height: 844 }, deviceScaleFactor: 3, hasTouch: true, isMobile: true },
};

async function ready(page, w) {
  await page.waitForFunction((name) => [...document.querySelectorAll('button')].some((b) => b.textContent === name && !b.disabled), w.play, { timeout: 20000 });
}

for (const [device, options] of Object.entries(devices).filter(([d]) => !only || only.includes(d))) {
  for (const lang of ['en', 'sv']) {
    const w = words[lang];
    const { context, page } = await open(env, { ...options, locale: lang === 'sv' ? 'sv-SE' : 'en-GB' });
    const shot = (what) => page.screenshot({ path: `${out}/${device}-${lang}-${what}.png` });
    await ready(page, w);
    await shot('start');
    await page.getByRole('button', { name: w.local, exact: true }).click();
    await shot('setup');
    await page.getByRole('button', { name: w.back, exact: true }).click();
    await page.getByRole('button', { name: w.levels, exact: true }).click();
    await page.waitForFunction(() => [...document.querySelectorAll('canvas.preview')].slice(0, 6).every((c) => c.getContext('2d').getImageData(c.width >> 1, c.height >> 1, 1, 1).data[3] === 255), null, { timeout: 30000 });
    await shot('levels');
    await page.getByRole('button', { name: w.back, exact: true }).click();
    await ready(page, w);
    await page.getByLabel(w.name, { exact: true }).fill(lang === 'sv' ? 'Stina' : 'Tess');
    await page.getByRole('button', { name: w.play, exact: true }).click();
    await page.waitForFunction(() => {
      const c = document.querySelector('canvas.playfield');
      return c && c.dataset.turn === 'here' && c.dataset.state === '2' && c.dataset.ball;
    }, null, { timeout: 20000 });
    const f = await field(page);
    const bx = f.box.x + f.ball[0];
    const by = f.box.y + f.ball[1];
    if (device === 'desktop') {
      await page.mouse.move(bx - 90, by + 40);
      await page.waitForTimeout(300);
      await shot('aim');
      await page.mouse.down();
      await page.waitForTimeout(450);
      await shot('force');
      await page.mouse.up();
    } else {
      const cdp = await context.newCDPSession(page);
      const touch = (type, x, y) => cdp.send('Input.dispatchTouchEvent', { type, touchPoints: type === 'touchEnd' ? [] : [{ x, y }] });
      await touch('touchStart', bx, by);
      for (let i = 1; i <= 6; ++i) await touch('touchMove', bx - 10 * i, by + 12 * i);
      await page.waitForTimeout(300);
      await shot('aim');
      await touch('touchEnd');
    }
    // Play on by keyboard, catching the first banner and the results.
    let banner = false;
    const deadline = Date.now() + 240000;
    const again = page.getByRole('button', { name: w.again, exact: true });
    while (Date.now() < deadline && !(await again.isVisible())) {
      if (!banner && await page.locator('.plate.centre:not([hidden])').count()) {
        await shot('banner');
        banner = true;
      }
      const g = await field(page);
      if (g && g.turn === 'here' && g.state === State.Aiming) {
        for (let k = Math.floor(Math.random() * 30); k > 0; --k) await page.keyboard.press('ArrowRight');
        await page.keyboard.down(' ');
        await page.waitForTimeout(250 + Math.random() * 600);
        await page.keyboard.up(' ');
      } else if (banner && g && g.state === State.Rolling) {
        await page.keyboard.press(' ');
      }
      await page.waitForTimeout(50);
    }
    await shot('results');
    if (device === 'phone') {
      await page.setViewportSize({ width: 844, height: 390 });
      await again.click();
      await page.waitForFunction(() => document.querySelector('canvas.playfield')?.dataset.ball, null, { timeout: 20000 });
      await page.waitForTimeout(1500);
      await shot('landscape');
    }
    await context.close();
    console.log(`${device} ${lang}: done`);
  }
}
await env.close();

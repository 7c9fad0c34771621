// Screenshots of the course of the day in the browser game for a person to look at (not a
// test): the start screen with Today's course, the local game setup and Play with friends
// offering it, and its first hole, on a desktop (1280 x 800) and a small phone (360 x 640), in English and Swedish.
// Run after scripts/build-web.sh: node tests/browser/daily-screenshots.mjs [OUTDIR]   (/tmp/daily-shots)
import fs from 'node:fs';
import { open, start } from './harness.mjs';

const out = process.argv[2] ?? '/tmp/daily-shots';
fs.mkdirSync(out, { recursive: true });
const env = await start();
const words = {
  en: { today: "Today's course", local: 'Local game', friends: 'Play with friends', course: 'Course', back: 'Back', name: 'Your name' },
  sv: { today: 'Dagens bansamling', local: 'Lokalt spel', friends: 'Spela med vänner', course: 'Bansamling', back: 'Tillbaka', name: 'Ditt namn' },
};
const devices = {
  desktop: { viewport: { width: 1280, height: 800 } },
  phone: { viewport: { width: 360, height: 640 }, deviceScaleFactor: 2, hasTouch: true, isMobile: true },
};

for (const [device, options] of Object.entries(devices)) {
  for (const lang of ['en', 'sv']) {
    const w = words[lang];
    const { context, page } = await open(env, { ...options, locale: lang === 'sv' ? 'sv-SE' : 'en-GB' });
    const shot = (what) => page.screenshot({ path: `${out}/${device}-${lang}-${what}.png` });
    const today = page.getByRole('button', { name: w.today, exact: true });
    await page.waitForFunction((name) => [...document.querySelectorAll('button')].some((b) => b.textContent === name && !b.disabled), w.today, { timeout: 20000 });
    await shot('start');
    await page.getByRole('button', { name: w.local, exact: true }).click();
    await shot('setup');
    await page.getByRole('button', { name: w.back, exact: true }).click();
    await page.getByRole('button', { name: w.friends, exact: true }).click();
    await page.getByLabel(w.course, { exact: true }).selectOption({ label: `${w.today} (9 ${lang === 'sv' ? 'hål' : 'holes'})` });
    await shot('friends');
    await page.getByRole('button', { name: w.back, exact: true }).click();
    await page.getByLabel(w.name, { exact: true }).fill(lang === 'sv' ? 'Stina' : 'Tess');
    await today.click();
    await page.waitForFunction(() => {
      const c = document.querySelector('canvas.playfield');
      return c && c.dataset.turn === 'here' && c.dataset.state === '2' && c.dataset.ball;
    }, null, { timeout: 20000 });
    // The level's picture is painted in a worker: give it time to arrive.
    await page.waitForTimeout(1500);
    await shot('first-hole');
    await context.close();
    console.log(`${device} ${lang}: done`);
  }
}
await env.close();

// Screenshots of "Play with friends" for a person to look at (not a test), played in a room of
// the real room host (the native `trundlex-tool serve --rooms`, NATIVE_BUILD or build/): the
// choice to create or join, the invite link's screen, the lobby of the room's creator (with a
// computer player and chat) and of the friend who came by the link, the online game seen by the
// one waiting while the other aims, the next turn with the first ball waiting, with the chat
// open, and the results after the host stopped;
// on a desktop (1280 x 800), a phone held upright (360 x 640) and on its side (640 x 360), in
// English and Swedish.
// Run after scripts/build-web.sh: node tests/browser/online-screenshots.mjs [OUTDIR]   (/tmp/online-shots)
import fs from 'node:fs';
import path from 'node:path';
import { spawn } from 'node:child_process';
import { createRequire } from 'node:module';
import { field, root, site, State } from './harness.mjs';

const out = process.argv[2] ?? '/tmp/online-shots';
fs.mkdirSync(out, { recursive: true });
const require = createRequire(path.join(root, 'web', 'package.json'));
const { chromium } = require('playwright-core');
const nativeTool = path.join(process.env.NATIVE_BUILD || path.join(root, 'build'), 'bin', 'trundlex-tool');

function startHost() {
  return new Promise((resolve, reject) => {
    const child = spawn(nativeTool, ['serve', '--rooms', '--port', '0', '--http-port', '0', '--http-address', '127.0.0.1', '--web', site], { stdio: ['ignore', 'pipe', 'inherit'] });
    child.stdout.on('data', (data) => {
      const m = / listening http (\d+)/.exec(data.toString());
      if (m) resolve({ child, url: `http://127.0.0.1:${m[1]}/` });
    });
    child.on('exit', (code) => reject(new Error(`the room host ended (${code})`)));
  });
}

const words = {
  en: { friends: 'Play with friends', create: 'Create room', join: 'Join', name: 'Your name', chat: 'Chat', msg: 'Message', send: 'Send', add: 'Add computer player', start: 'Start game', again: 'Play again' },
  sv: { friends: 'Spela med vänner', create: 'Skapa rum', join: 'Gå med', name: 'Ditt namn', chat: 'Chatt', msg: 'Meddelande', send: 'Skicka', add: 'Lägg till datorspelare', start: 'Starta spelet', again: 'Spela igen' },
};
const devices = {
  desktop: { viewport: { width: 1280, height: 800 } },
  phone: { viewport: { width: 360, height: 640 }, deviceScaleFactor: 2, hasTouch: true, isMobile: true },
  'phone-landscape': { viewport: { width: 640, height: 360 }, deviceScaleFactor: 2, hasTouch: true, isMobile: true },
};
const browser = await chromium.launch({ executablePath: process.env.CHROMIUM ?? '/usr/bin/chromium', args: ['--no-sandbox'] });
const enabled = (page, name) => page.waitForFunction((n) => [...document.querySelectorAll('button')].some((b) => b.textContent === n && !b.disabled), name, { timeout: 20000 });

for (const [device, options] of Object.entries(devices)) {
  for (const lang of ['en', 'sv']) {
    const w = words[lang];
    const { child: host, url } = await startHost();
    const context = () => browser.newContext({ ...options, locale: lang === 'sv' ? 'sv-SE' : 'en-GB' });
    const annContext = await context();
    const ann = await annContext.newPage();
    const shot = (page, what) => page.screenshot({ path: `${out}/${device}-${lang}-${what}.png` });
    await ann.goto(url);
    await enabled(ann, w.friends);
    await ann.getByRole('button', { name: w.friends, exact: true }).click();
    await ann.getByLabel(w.name, { exact: true }).fill('Tess');
    await shot(ann, 'friends');
    await ann.getByRole('button', { name: w.create, exact: true }).click();
    await ann.locator('.room-code').filter({ hasText: /^[0-9A-Z]{6}$/ }).waitFor({ timeout: 15000 });
    const link = await ann.locator('#invite-link').inputValue();

    const beaContext = await context();
    const bea = await beaContext.newPage();
    await bea.goto(url);
    await bea.evaluate(() => localStorage.setItem('trundlex.name', 'Bea'));
    await bea.goto('about:blank');
    await bea.goto(link);
    await enabled(bea, w.join);
    await shot(bea, 'link');
    await bea.getByRole('button', { name: w.join, exact: true }).click();
    await ann.locator('.room-players li', { hasText: 'Bea' }).waitFor({ timeout: 15000 });
    await ann.getByRole('button', { name: w.add, exact: true }).click();
    await ann.locator('.room-players li').nth(2).waitFor({ timeout: 10000 });
    await bea.getByLabel(w.msg, { exact: true }).fill(lang === 'sv' ? 'Hej! Jag är redo.' : 'Hi! Ready when you are.');
    await bea.getByRole('button', { name: w.send, exact: true }).click();
    await ann.locator('.chat-log li:not(.empty)').first().waitFor({ timeout: 10000 });
    await bea.locator('.room-players li').nth(2).waitFor({ timeout: 10000 });
    await shot(ann, 'lobby-creator');
    await shot(bea, 'lobby-joiner');

    await enabled(ann, w.start);
    await ann.getByRole('button', { name: w.start, exact: true }).click();
    // The one who aims points the mouse about; the other watches the aim and opens the chat.
    let mover = null;
    const deadline = Date.now() + 30000;
    while (!mover && Date.now() < deadline) {
      for (const p of [ann, bea]) {
        const f = await field(p);
        if (f && f.turn === 'here' && f.state === State.Aiming && f.ball) mover = p;
      }
      if (!mover) await ann.waitForTimeout(100);
    }
    if (!mover) throw new Error('nobody aims');
    const watcher = mover === ann ? bea : ann;
    await watcher.waitForTimeout(1800);
    const f = await field(mover);
    if (device === 'desktop') {
      await mover.mouse.move(f.box.x + f.ball[0] - 80, f.box.y + f.ball[1] + 50);
      await mover.mouse.move(f.box.x + f.ball[0] - 90, f.box.y + f.ball[1] + 40);
    } else {
      for (let i = 0; i < 12; ++i) await mover.keyboard.press('ArrowLeft');
    }
    await watcher.waitForTimeout(600);
    await shot(watcher, 'game-watching');
    await shot(mover, 'game-aiming');
    // The mover putts; the next turn shows the putted ball waiting where it rests.
    await mover.locator('canvas.playfield').focus();
    await mover.keyboard.down(' ');
    await mover.waitForTimeout(500);
    await mover.keyboard.up(' ');
    await watcher.waitForFunction(() => {
      const c = document.querySelector('canvas.playfield');
      return c && c.dataset.turn === 'here' && c.dataset.state === '2';
    }, null, { timeout: 30000 }).catch(() => undefined);
    await watcher.waitForTimeout(1800);
    await shot(watcher, 'game-next-turn');
    await watcher.locator('.chat-toggle').click();
    await watcher.waitForTimeout(200);
    await shot(watcher, 'game-chat');

    // The host stops: the game ends with the results so far.
    const ended = new Promise((r) => host.once('exit', r));
    host.kill('SIGTERM');
    await ended;
    await watcher.getByRole('button', { name: w.again, exact: true }).waitFor({ timeout: 15000 });
    await shot(watcher, 'ended');
    await annContext.close();
    await beaContext.close();
    console.log(`${device} ${lang}: done`);
  }
}
await browser.close();

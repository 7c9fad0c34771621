// Screenshots of the "Play with friends" screens for a person to look at (not a test): the
// choice to create or join, the lobby of the room's creator and of a friend who joined by the
// invite link, and an online game with a remote player's aim and the chat open; on a desktop
// (1280 x 800), a phone held upright (360 x 640) and on its side (640 x 360), in English and
// Swedish. The room is played back by the stand-in OnlineGame (mock-online.js); the level is a
// shipped one, read by the module under node.
// Run after scripts/build-web.sh: node tests/browser/online-screenshots.mjs [OUTDIR]   (/tmp/online-shots)
import fs from 'node:fs';
import path from 'node:path';
import { createRequire } from 'node:module';
import { fileURLToPath } from 'node:url';
import { open, root, start } from './harness.mjs';
import { RoomPeers } from './room-peer.mjs';

const here = path.dirname(fileURLToPath(import.meta.url));
const out = process.argv[2] ?? '/tmp/online-shots';
fs.mkdirSync(out, { recursive: true });
const require = createRequire(import.meta.url);
const createTrundlex = require(path.join(root, 'build-web', 'bin', 'trundlex-page.js'));
const module = await createTrundlex({ wasmBinary: fs.readFileSync(path.join(root, 'build-web', 'bin', 'trundlex-page.wasm')) });
const level = JSON.parse(module.levelJson(fs.readFileSync(path.join(root, 'resources', 'levels', 'duck-pond.lev'))));

const peers = new RoomPeers();
const env = await start({
  extend: { '/trundlex-page.js': fs.readFileSync(path.join(here, 'mock-online.js'), 'utf8') },
  upgrade: (req, socket) => peers.upgrade(req, socket),
});
const words = {
  en: { friends: 'Play with friends', create: 'Create room', join: 'Join', name: 'Your name', chat: 'Chat', msg: 'Message' },
  sv: { friends: 'Spela med vänner', create: 'Skapa rum', join: 'Gå med', name: 'Ditt namn', chat: 'Chatt', msg: 'Meddelande' },
};
const devices = {
  desktop: { viewport: { width: 1280, height: 800 } },
  phone: { viewport: { width: 360, height: 640 }, deviceScaleFactor: 2, hasTouch: true, isMobile: true },
  'phone-landscape': { viewport: { width: 640, height: 360 }, deviceScaleFactor: 2, hasTouch: true, isMobile: true },
};
const player = (name, colour, here, computer = false) => ({ name, colour, pattern: 8, here, computer });
const lobby = (over) => ({
  phase: 'lobby', code: 'K7QX2M', course: "Beginner's Nine", creator: true, token: 'T0KEN', canStart: true,
  status: { text: 'connectionOpen' },
  players: [player('Tess', 0x3050e0, true), player('Bea', 0x30b040, false), player('Computer 1', 0x20a0e0, true, true)],
  ...over,
});
const board = {
  hole: 0, turn: 1,
  holes: ['Duck Pond', 'Two', 'Three', 'Four', 'Five', 'Six', 'Seven', 'Eight', 'Nine'].map((name, i) => ({ name, par: [3, 2, 3, 4, 2, 3, 3, 2, 4][i] })),
  players: [
    { name: 'Tess', colour: 0x3050e0, pattern: 8, kind: 'here', strokes: [2, 0, 0, 0, 0, 0, 0, 0, 0], total: 2 },
    { name: 'Bea', colour: 0x30b040, pattern: 8, kind: 'remote', strokes: [0, 0, 0, 0, 0, 0, 0, 0, 0], total: 0 },
    { name: 'Computer 1', colour: 0x20a0e0, pattern: 8, kind: 'computer', strokes: [0, 0, 0, 0, 0, 0, 0, 0, 0], total: 0 },
  ],
};

for (const [device, options] of Object.entries(devices)) {
  for (const lang of ['en', 'sv']) {
    const w = words[lang];
    const { context, page } = await open(env, { ...options, locale: lang === 'sv' ? 'sv-SE' : 'en-GB' });
    const shot = (what) => page.screenshot({ path: `${out}/${device}-${lang}-${what}.png` });
    await page.waitForFunction((n) => [...document.querySelectorAll('button')].some((b) => b.textContent === n && !b.disabled), w.friends, { timeout: 20000 });
    await page.getByRole('button', { name: w.friends, exact: true }).click();
    await page.getByLabel(w.name, { exact: true }).fill('Tess');
    await shot('friends');
    let count = peers.peers.length;
    await page.getByRole('button', { name: w.create, exact: true }).click();
    let peer = await peers.next(count);
    await peer.receive((m) => m.hello);
    peer.send({ lobby: lobby() });
    peer.send({ events: ['chat {"name":"Bea","text":"Hi! Ready when you are."}', 'chat {"name":"Tess","text":"Adding a computer player"}'] });
    await page.locator('.room-code', { hasText: 'K7QX2M' }).waitFor();
    await page.waitForTimeout(200);
    await shot('lobby-creator');
    peer.send({
      level, board,
      events: ['started', 'level', 'hole 1 9 Duck Pond', 'board', 'state 3', 'turn remote Bea',
        `ball ${level.start[0] + 3} ${level.start[1] + 1} 0.25 3190848 8 0`, 'aim -0.6 1', 'chat {"name":"Bea","text":"Watch this!"}'],
    });
    await page.locator('canvas.playfield').waitFor();
    await page.waitForTimeout(1200);
    await shot('game');
    await page.getByRole('button', { name: new RegExp(`^${w.chat}`) }).click();
    await page.waitForTimeout(200);
    await shot('game-chat');
    peer.drop();
    await page.waitForTimeout(500);
    await shot('game-lost');
    await context.close();

    // The friend, by the link.
    const friend = await open(env, { ...options, locale: lang === 'sv' ? 'sv-SE' : 'en-GB' });
    await friend.page.evaluate(() => localStorage.setItem('trundlex.name', 'Bea'));
    await friend.page.goto('about:blank');
    await friend.page.goto(`${env.url}#K7QX2M`);
    await friend.page.waitForFunction((n) => [...document.querySelectorAll('button')].some((b) => b.textContent === n && !b.disabled), w.join, { timeout: 20000 });
    await friend.page.screenshot({ path: `${out}/${device}-${lang}-link.png` });
    count = peers.peers.length;
    await friend.page.getByRole('button', { name: w.join, exact: true }).click();
    peer = await peers.next(count);
    await peer.receive((m) => m.hello);
    peer.send({ lobby: lobby({ creator: false, canStart: false, status: { text: 'waitingForStart' }, players: [player('Tess', 0x3050e0, false), player('Bea', 0x30b040, true)] }) });
    await friend.page.locator('.room-code', { hasText: 'K7QX2M' }).waitFor();
    await friend.page.waitForTimeout(200);
    await friend.page.screenshot({ path: `${out}/${device}-${lang}-lobby-joiner.png` });
    peer.drop();
    await friend.context.close();
    console.log(`${device} ${lang}: done`);
  }
}
for (const p of peers.peers) p.drop();
await env.close();

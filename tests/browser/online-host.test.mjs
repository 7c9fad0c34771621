// Two browser pages meet in a room of the real room host (the native `trundlex-tool serve
// --rooms`, which also serves the page and carries the game over its WebSocket at /play): one
// creates a room, the other opens its invite link, types a name and joins; chat goes across;
// the creator starts and both see the first hole with both players, and a putt of one is seen
// by the other; the friend reloads her page and takes her seat back with Reconnect. And a page
// plays with the desktop game's network client (serve-test-client, the desktop's own network
// game over TCP) in one room. And a room on Today's course plays the host's draw of its day.
// Run: scripts/test-browser.sh (NATIVE_BUILD names the native build, default build/)
import { after, before, describe, it } from 'node:test';
import assert from 'node:assert/strict';
import { execFileSync, spawn } from 'node:child_process';
import fs from 'node:fs';
import path from 'node:path';
import { createRequire } from 'node:module';
import { field, root, site, State } from './harness.mjs';

const require = createRequire(path.join(root, 'web', 'package.json'));
const { chromium } = require('playwright-core');
const nativeBin = path.join(process.env.NATIVE_BUILD || path.join(root, 'build'), 'bin');
const nativeTool = path.join(nativeBin, 'trundlex-tool');
const desktopClient = path.join(nativeBin, 'serve-test-client');
const DESKTOP = { viewport: { width: 1100, height: 760 }, locale: 'en-US' };

let browser;
let host;
let url;
let gamePort;
const hostLines = [];

// Starts the room host on free ports and waits for its HTTP port.
function startHost() {
  return new Promise((resolve, reject) => {
    const child = spawn(nativeTool, ['serve', '--rooms', '--port', '0', '--http-port', '0', '--http-address', '127.0.0.1', '--web', site], { stdio: ['ignore', 'pipe', 'pipe'] });
    let buffer = '';
    const timer = setTimeout(() => reject(new Error(`the room host printed no HTTP port: ${hostLines.join('\n')}`)), 10000);
    child.stdout.on('data', (data) => {
      buffer += data.toString();
      let end;
      while ((end = buffer.indexOf('\n')) >= 0) {
        const line = buffer.slice(0, end);
        buffer = buffer.slice(end + 1);
        hostLines.push(line);
        const game = / listening (\d+)$/.exec(line);
        if (game) gamePort = Number(game[1]);
        const m = / listening http (\d+)$/.exec(line);
        if (m) {
          clearTimeout(timer);
          resolve({ child, port: Number(m[1]) });
        }
      }
    });
    child.stderr.on('data', (data) => hostLines.push(data.toString()));
    child.on('exit', (code) => {
      clearTimeout(timer);
      reject(new Error(`the room host ended (${code}): ${hostLines.join('\n')}`));
    });
  });
}

before(async () => {
  assert.ok(fs.existsSync(nativeTool), `no native trundlex-tool at ${nativeTool}`);
  assert.ok(fs.existsSync(desktopClient), `no native serve-test-client at ${desktopClient}`);
  const started = await startHost();
  host = started.child;
  url = `http://127.0.0.1:${started.port}/`;
  browser = await chromium.launch({ executablePath: process.env.CHROMIUM ?? '/usr/bin/chromium', args: ['--no-sandbox'] });
});
after(async () => {
  await browser?.close();
  if (host && host.exitCode === null) {
    const ended = new Promise((r) => host.once('exit', r));
    host.kill('SIGTERM');
    await ended;
  }
});

async function openPage() {
  const context = await browser.newContext(DESKTOP);
  const page = await context.newPage();
  const errors = [];
  page.on('pageerror', (e) => errors.push(String(e)));
  page.on('console', (m) => { if (m.type() === 'error') errors.push(m.text()); });
  return { context, page, errors };
}

async function ready(page, name) {
  await page.waitForFunction((n) => [...document.querySelectorAll('button')]
    .some((b) => b.textContent === n && !b.disabled), name, { timeout: 20000 });
}

async function boardNames(page) {
  return page.locator('.board-table tbody tr:not(.par-row) .player-name').allTextContents();
}

// Opens the start page, goes to Play with friends as `name` and creates a room; its code.
async function createRoom(page, name) {
  await page.goto(url);
  await ready(page, 'Play with friends');
  await page.getByRole('button', { name: 'Play with friends', exact: true }).click();
  await page.getByLabel('Your name', { exact: true }).fill(name);
  await page.getByRole('button', { name: 'Create room', exact: true }).click();
  await page.locator('.room-code').filter({ hasText: /^[0-9A-Z]{6}$/ }).waitFor({ timeout: 15000 });
  return (await page.locator('.room-code').textContent()).trim();
}

describe('a room of the real room host', () => {
  it('sends the page, its scripts and the module gzipped to a browser that takes gzip', async () => {
    const { context, page } = await openPage();
    const encodings = new Map();
    context.on('response', (r) => encodings.set(new URL(r.url()).pathname, r.headers()['content-encoding'] ?? ''));
    await page.goto(url);
    await ready(page, 'Play with friends');
    // The module is fetched by the game's worker; its answer may come after the buttons.
    const module = () => [...encodings.keys()].some((p) => p.endsWith('/trundlex-page.wasm'));
    for (const deadline = Date.now() + 20000; !module() && Date.now() < deadline;) await page.waitForTimeout(100);
    const loaded = [...encodings].filter(([p]) => /\.(js|wasm|html)$|\/$/.test(p));
    assert.ok(loaded.some(([p]) => p.endsWith('/trundlex-page.wasm')), `the module was not seen: ${[...encodings.keys()].join(' ')}`);
    for (const [p, encoding] of loaded) assert.equal(encoding, 'gzip', p);
    await context.close();
  });

  it('one page creates a room, a second joins by its invite link, the creator starts, both play the first hole', async () => {
    const ann = await openPage();
    const code = await createRoom(ann.page, 'Ann');
    const link = await ann.page.getByLabel('Invite link', { exact: true }).inputValue();
    assert.equal(link, `${new URL(url).origin}/#${code}`);
    assert.ok(hostLines.some((l) => l.includes(`room ${code}`)), 'the host tells of the room');

    // The friend: the link, a name, Join.
    const bea = await openPage();
    await bea.page.goto(link);
    await bea.page.getByRole('heading', { name: `Join room ${code}` }).waitFor();
    await bea.page.getByLabel('Your name', { exact: true }).fill('Bea');
    await ready(bea.page, 'Join');
    await bea.page.getByRole('button', { name: 'Join', exact: true }).click();
    await bea.page.locator('.room-players li', { hasText: 'Ann' }).waitFor({ timeout: 15000 });
    await bea.page.locator('.room-players li', { hasText: 'Bea' }).waitFor();
    assert.equal(await bea.page.getByRole('button', { name: 'Start game', exact: true }).count(), 0, 'only the creator starts');
    await ann.page.locator('.room-players li', { hasText: 'Bea' }).waitFor({ timeout: 15000 });
    // The friend sees who made the room; nobody else is said to have.
    assert.match(await bea.page.locator('.room-players li', { hasText: 'Ann' }).textContent(), /created the room/);
    assert.doesNotMatch(await bea.page.locator('.room-players li', { hasText: 'Bea' }).textContent(), /created the room/);
    assert.doesNotMatch(await ann.page.locator('.room-players li', { hasText: 'Bea' }).textContent(), /created the room/);

    // A chat line from the friend reaches the creator.
    await bea.page.getByLabel('Message', { exact: true }).fill('hi Ann');
    await bea.page.getByRole('button', { name: 'Send', exact: true }).click();
    await ann.page.getByRole('log').filter({ hasText: 'Bea: hi Ann' }).waitFor({ timeout: 10000 });

    const start = ann.page.getByRole('button', { name: 'Start game', exact: true });
    await ann.page.waitForFunction(() => [...document.querySelectorAll('button')].some((b) => b.textContent === 'Start game' && !b.disabled), null, { timeout: 15000 });
    await start.click();
    for (const who of [ann, bea]) {
      await who.page.getByRole('heading', { name: /^Hole 1 of \d+: / }).waitFor({ timeout: 20000 });
      await who.page.waitForFunction(() => document.querySelectorAll('.board-table tbody tr:not(.par-row)').length === 2, null, { timeout: 10000 });
      assert.deepEqual((await boardNames(who.page)).sort(), ['Ann', 'Bea']);
    }

    // Whoever has the turn putts by keyboard; the other sees the ball roll and the turn pass.
    const aiming = async (page) => {
      const f = await field(page);
      return f && f.turn === 'here' && f.state === State.Aiming;
    };
    const deadline = Date.now() + 20000;
    let mover = null;
    while (!mover && Date.now() < deadline) {
      if (await aiming(ann.page)) mover = ann;
      else if (await aiming(bea.page)) mover = bea;
      else await ann.page.waitForTimeout(100);
    }
    assert.ok(mover, 'one of the two aims');
    const watcher = mover === ann ? bea : ann;
    const moverName = mover === ann ? 'Ann' : 'Bea';
    assert.equal((await field(watcher.page)).turn, 'other');
    await mover.page.locator('canvas.playfield').focus();
    await mover.page.keyboard.down(' ');
    await mover.page.waitForTimeout(400);
    await mover.page.keyboard.up(' ');
    // The watcher's board counts the putt.
    await watcher.page.waitForFunction((name) => [...document.querySelectorAll('.board-table tbody tr:not(.par-row)')]
      .some((r) => r.querySelector('.player-name')?.textContent === name && r.querySelector('td.total')?.textContent === '1'),
    moverName, { timeout: 20000 });

    // The friend reloads the page: the host's computer plays for her meanwhile, and the link's
    // screen offers her seat back, with the game where it stands.
    await bea.page.reload();
    const annHears = (text) => ann.page.waitForFunction((t) => document.querySelector('.chat-drawer .chat-log')?.textContent.includes(t), text, { timeout: 15000 });
    await annHears('Bea left the game; the computer plays for them.');
    const reconnect = bea.page.getByRole('button', { name: 'Reconnect', exact: true });
    await reconnect.waitFor({ timeout: 10000 });
    await ready(bea.page, 'Reconnect');
    await reconnect.click();
    await bea.page.getByRole('heading', { name: /^Hole 1 of \d+: / }).waitFor({ timeout: 20000 });
    await bea.page.waitForFunction((name) => [...document.querySelectorAll('.board-table tbody tr:not(.par-row)')]
      .some((r) => r.querySelector('.player-name')?.textContent === name && Number(r.querySelector('td.total')?.textContent) >= 1),
    moverName, { timeout: 20000 });
    await annHears('Bea is back.');
    assert.ok(hostLines.some((l) => l.endsWith(`room ${code} back Bea`)), 'the host gave Bea her seat back');

    assert.deepEqual(ann.errors, []);
    assert.deepEqual(bea.errors, []);
    await ann.context.close();
    await bea.context.close();
  });

  it('a page and the desktop game\'s network client play in one room, each seeing the other\'s putts', async () => {
    const ann = await openPage();
    const code = await createRoom(ann.page, 'Ann');

    // The desktop side joins by the code over the game's TCP port and putts at the cup on its
    // turns, printing what it sends and receives.
    assert.ok(gamePort > 0, 'the host printed its game port');
    const desktop = spawn(desktopClient, [String(gamePort), 'Dex', '-1', '127.0.0.1', code], { stdio: ['ignore', 'pipe', 'inherit'] });
    let said = '';
    desktop.stdout.on('data', (data) => { said += data.toString(); });
    const desktopEnded = new Promise((r) => desktop.once('exit', r));
    try {
      await ann.page.locator('.room-players li', { hasText: 'Dex' }).waitFor({ timeout: 15000 });
      await ann.page.waitForFunction(() => [...document.querySelectorAll('button')].some((b) => b.textContent === 'Start game' && !b.disabled), null, { timeout: 15000 });
      await ann.page.getByRole('button', { name: 'Start game', exact: true }).click();
      await ann.page.getByRole('heading', { name: /^Hole 1 of \d+: / }).waitFor({ timeout: 20000 });

      // Until each has putted once: Ann by keyboard on her turns; the desktop on its own.
      const deadline = Date.now() + 60000;
      const dexPutted = () => /^sent Dex$/m.test(said);
      const annPutted = () => /^received Ann$/m.test(said);
      while (!(dexPutted() && annPutted()) && Date.now() < deadline) {
        const f = await field(ann.page);
        if (f && f.turn === 'here' && f.state === State.Aiming) {
          await ann.page.locator('canvas.playfield').focus();
          await ann.page.keyboard.down(' ');
          await ann.page.waitForTimeout(300);
          await ann.page.keyboard.up(' ');
        }
        await ann.page.waitForTimeout(100);
      }
      assert.ok(dexPutted(), `the desktop client putted: ${said}`);
      assert.ok(annPutted(), `the desktop client received the page's putt: ${said}`);
      // The page's board counts the desktop player's putt.
      await ann.page.waitForFunction(() => [...document.querySelectorAll('.board-table tbody tr:not(.par-row)')]
        .some((r) => r.querySelector('.player-name')?.textContent === 'Dex' && Number(r.querySelector('td.total')?.textContent) >= 1),
      null, { timeout: 20000 });
      // Every putt came to rest at the same point, to the last bit, in the browser and on the
      // desktop side (the page shows each roll in real time, so it may still be a putt behind).
      const desktopRests = [...said.matchAll(/^rest (\S+) (\S+)$/gm)].map((m) => `${m[1]} ${m[2]}`);
      await ann.page.waitForFunction(() => (document.querySelector('canvas.playfield')?.dataset.rests ?? '').split(';').length > 2,
        null, { timeout: 20000 });
      const pageRests = (await ann.page.locator('canvas.playfield').evaluate((c) => c.dataset.rests)).split(';').filter(Boolean);
      const compared = Math.min(pageRests.length, desktopRests.length);
      assert.ok(compared >= 2, `both putts rested on both sides: page ${pageRests}, desktop ${desktopRests}`);
      assert.deepEqual(pageRests.slice(0, compared), desktopRests.slice(0, compared));
      assert.deepEqual(ann.errors, []);
    } finally {
      desktop.kill('SIGTERM');
      await desktopEnded;
      await ann.context.close();
    }
  });

  it("creates a room on Today's course and plays the holes the native tool draws for the host's day", async () => {
    const ann = await openPage();
    await ann.page.goto(url);
    await ready(ann.page, 'Play with friends');
    await ann.page.getByRole('button', { name: 'Play with friends', exact: true }).click();
    await ann.page.getByLabel('Your name', { exact: true }).fill('Ann');
    await ann.page.getByLabel('Course', { exact: true }).selectOption({ label: "Today's course (9 holes)" });
    await ann.page.getByRole('button', { name: 'Create room', exact: true }).click();
    await ann.page.locator('.course-name').filter({ hasText: /^Today's course$/ }).waitFor({ timeout: 15000 });
    await ann.page.locator('.room-code').filter({ hasText: /^[0-9A-Z]{6}$/ }).waitFor({ timeout: 15000 });
    const code = (await ann.page.locator('.room-code').textContent()).trim();
    await ann.page.waitForFunction(() => [...document.querySelectorAll('button')].some((b) => b.textContent === 'Start game' && !b.disabled), null, { timeout: 15000 });
    await ann.page.getByRole('button', { name: 'Start game', exact: true }).click();
    // The host names the day it drew the room's course for; the native tool, from the same
    // shipped levels, draws that day's first hole.
    const createdLine = () => hostLines.map((l) => new RegExp(`room ${code} created Today's course \\(daily-(\\d{4}-\\d{2}-\\d{2})\\) by `).exec(l)).find(Boolean);
    for (const deadline = Date.now() + 15000; !createdLine() && Date.now() < deadline;) await ann.page.waitForTimeout(100);
    const created = createdLine();
    assert.ok(created, `the host told of no room ${code} on today's course: ${hostLines.join('\n')}`);
    const firstId = /^level: (.*) par \d+$/m.exec(execFileSync(nativeTool, ['daily', '--date', created[1]], { encoding: 'utf8' }))[1];
    const levels = path.join(nativeBin, 'levels');
    const firstName = fs.readdirSync(levels).filter((f) => f.endsWith('.lev'))
      .map((f) => execFileSync(nativeTool, ['level-info', path.join(levels, f)], { encoding: 'utf8' }))
      .filter((info) => info.includes(`\nid: ${firstId}\n`))
      .map((info) => /^name: (.*)$/m.exec(info)[1]);
    assert.equal(firstName.length, 1, `the drawn level ${firstId} is not among the host's levels`);
    await ann.page.getByRole('heading', { name: `Hole 1 of 9: ${firstName[0]}`, exact: true }).waitFor({ timeout: 20000 });
    assert.deepEqual(ann.errors, []);
    await ann.context.close();
  });

  it('a code that names no room is refused in words, back at the code', async () => {
    const cy = await openPage();
    await cy.page.goto(url);
    await ready(cy.page, 'Play with friends');
    await cy.page.getByRole('button', { name: 'Play with friends', exact: true }).click();
    await cy.page.getByLabel('Your name', { exact: true }).fill('Cy');
    // Letters and digits of the codes' alphabet, typed as people do; no room has this code.
    await cy.page.getByLabel('Room code', { exact: true }).fill('zz9-zz9');
    await cy.page.getByRole('button', { name: 'Join', exact: true }).click();
    await cy.page.getByRole('alert').filter({ hasText: 'There is no room with the code ZZ9ZZ9.' }).waitFor({ timeout: 15000 });
    assert.equal(await cy.page.getByLabel('Room code', { exact: true }).inputValue(), 'zz9-zz9');
    assert.deepEqual(cy.errors, []);
    await cy.context.close();
  });
});

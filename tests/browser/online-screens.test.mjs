// The page's "Play with friends" screens in Debian's Chromium, with a stand-in for the
// module's OnlineGame (mock-online.js) whose other end is this test (room-peer.mjs): what the
// page asks of the game reaches the connection, and what comes back is shown. Creating a room,
// joining by code and by an invite link, the lobby, chat, a refusal, a lost connection and
// Reconnect, a phone's layout, and the Swedish words. Run: scripts/test-browser.sh
import { after, before, describe, it } from 'node:test';
import assert from 'node:assert/strict';
import fs from 'node:fs';
import path from 'node:path';
import { fileURLToPath } from 'node:url';
import { fits, open, start } from './harness.mjs';
import { RoomPeers } from './room-peer.mjs';

const here = path.dirname(fileURLToPath(import.meta.url));
const peers = new RoomPeers();
let env;
before(async () => {
  env = await start({
    extend: { '/trundlex-page.js': fs.readFileSync(path.join(here, 'mock-online.js'), 'utf8') },
    upgrade: (req, socket) => peers.upgrade(req, socket),
  });
});
after(async () => {
  for (const p of peers.peers) p.drop();
  await env?.close();
});

const DESKTOP = { viewport: { width: 1280, height: 800 }, locale: 'en-US' };
const PHONE = { viewport: { width: 360, height: 640 }, deviceScaleFactor: 2, hasTouch: true, isMobile: true, locale: 'en-US' };

async function ready(page, name) {
  await page.waitForFunction((n) => [...document.querySelectorAll('button')]
    .some((b) => b.textContent === n && !b.disabled), name, { timeout: 20000 });
}

function lobbyOf(over) {
  return {
    phase: 'lobby', code: 'K7QX2M', course: 'Meadow', creator: true, token: 'TOKEN1234567890ABCDE',
    players: [{ name: 'Ann', colour: 0x2030e0, pattern: 8, here: true, computer: false, creator: true }],
    canStart: false, status: { text: 'connectionOpen' },
    ...over,
  };
}

// A level of 5 x 4 blocks of flat grass with a cup, enough for the playfield to draw.
function tinyLevel() {
  const cells = [];
  for (let i = 0; i < 20; ++i) cells.push(0, 0, i === 13 ? 3 : 0, 8, 0, 8);
  return { id: 'tiny', name: 'Tiny', author: 'Tests', width: 5, height: 4, start: [1.5, 1.5], cells };
}

function boardOf(names) {
  return {
    hole: 0, holes: [{ name: 'Tiny', par: 2 }, { name: 'Two', par: 3 }, { name: 'Three', par: 3 }], turn: 1,
    players: names.map((name, i) => ({ name, colour: 0x2030e0 + i * 0x400000, pattern: 8, kind: i === 0 ? 'here' : 'remote', strokes: [0, 0, 0], total: 0 })),
  };
}

describe('play with friends (the module stood in for)', () => {
  it('creates a room: code, invite link, players, computer players, chat, start, the game, a lost connection and Reconnect', async () => {
    const { context, page, errors } = await open(env, DESKTOP);
    await context.grantPermissions(['clipboard-read', 'clipboard-write']);
    await ready(page, 'Play with friends');
    const before = peers.peers.length;
    await page.getByRole('button', { name: 'Play with friends', exact: true }).click();
    await page.getByLabel('Your name', { exact: true }).fill('Ann');
    const course = await page.getByLabel('Course', { exact: true }).inputValue();
    assert.notEqual(course, '', 'a shipped course is offered');
    await page.getByRole('button', { name: 'Create room', exact: true }).click();

    const peer = await peers.next(before);
    const hello = await peer.receive((m) => m.hello);
    assert.deepEqual(hello.hello, { people: ['Ann'], request: { kind: 'create', course } });
    peer.send({ lobby: lobbyOf() });

    await page.locator('.room-code', { hasText: 'K7QX2M' }).waitFor();
    assert.equal(await page.getByRole('status').textContent(), 'Press Start game when your friends have joined.');
    const link = page.getByLabel('Invite link', { exact: true });
    assert.equal(await link.inputValue(), `${new URL(env.url).origin}/#K7QX2M`);
    await page.getByRole('button', { name: 'Copy link', exact: true }).click();
    await page.getByRole('button', { name: 'Copied!' }).waitFor();
    assert.equal(await page.evaluate(() => navigator.clipboard.readText()), `${new URL(env.url).origin}/#K7QX2M`);
    const start = page.getByRole('button', { name: 'Start game', exact: true });
    assert.equal(await start.isDisabled(), true, 'nobody to start with yet');
    assert.match(await page.locator('.room-players li').first().textContent(), /Ann.*created the room/);

    // A friend comes in; the creator adds a computer player and takes it out again.
    peer.send({ lobby: lobbyOf({ canStart: true, players: [...lobbyOf().players, { name: 'Bob', colour: 0x20a020, pattern: 8, here: false, computer: false, creator: false }] }) });
    await page.locator('.room-players li', { hasText: 'Bob' }).waitFor();
    assert.equal(await start.isDisabled(), false, 'Start game once the lobby may start');
    await page.getByLabel('Strength', { exact: true }).selectOption({ label: 'Computer, hard' });
    await page.getByRole('button', { name: 'Add computer player', exact: true }).click();
    const added = await peer.receive((m) => m.addComputer);
    assert.equal(added.addComputer.strength, 3);
    assert.ok(!['Ann', 'Bob'].includes(added.addComputer.name) && added.addComputer.name !== '', added.addComputer.name);
    await page.getByRole('button', { name: 'Remove Bob from the room', exact: true }).click();
    assert.deepEqual((await peer.receive((m) => m.remove)).remove, 'Bob');

    // Chat both ways.
    await page.getByLabel('Message', { exact: true }).fill('hello there');
    await page.getByRole('button', { name: 'Send', exact: true }).click();
    assert.equal((await peer.receive((m) => m.chat)).chat, 'hello there');
    await page.getByRole('log').filter({ hasText: 'Ann: hello there' }).waitFor();
    peer.send({ events: ['chat {"name":"Bob","text":"hej <b>då</b>"}'] });
    await page.getByRole('log').filter({ hasText: 'Bob: hej <b>då</b>' }).waitFor();

    await start.click();
    await peer.receive((m) => m.start);
    peer.send({
      level: tinyLevel(), board: boardOf(['Ann', 'Bob']),
      events: ['started', 'level', 'hole 1 3 Tiny', 'board', 'state 3', 'turn remote Bob', 'ball 1.5 1.5 0.2 2109664 8 0', 'aim 0.5 0'],
    });
    await page.getByRole('heading', { name: 'Hole 1 of 3: Tiny' }).waitFor();
    await page.getByRole('status').filter({ hasText: "Bob's turn" }).waitFor();
    assert.equal(await page.locator('canvas.playfield').getAttribute('data-turn'), 'other');

    // The chat stays at hand during the game.
    const toggle = page.getByRole('button', { name: /^Chat/ });
    peer.send({ events: ['chat {"name":"Bob","text":"good luck"}'] });
    await page.locator('.chat-toggle .badge', { hasText: '1' }).waitFor();
    // Enter opens the chat, ready to type; Esc closes it.
    await page.locator('canvas.playfield').focus();
    await page.keyboard.press('Enter');
    await page.getByRole('log').filter({ hasText: 'Bob: good luck' }).waitFor();
    assert.equal(await page.getByLabel('Message', { exact: true }).evaluate((e) => e === document.activeElement), true);
    await page.keyboard.press('Escape');
    await page.getByRole('log').waitFor({ state: 'hidden' });
    await toggle.click();
    await page.getByRole('log').filter({ hasText: 'Bob: good luck' }).waitFor();
    await page.getByLabel('Message', { exact: true }).fill('thanks');
    await page.getByLabel('Message', { exact: true }).press('Enter');
    assert.equal((await peer.receive((m) => m.chat === 'thanks')).chat, 'thanks');

    peer.send({ events: ['left Bob'] });
    await page.getByRole('status').filter({ hasText: 'Bob left the game; the computer plays for them.' }).waitFor();

    // The connection drops: Reconnect asks for the seat back with the room's token.
    peer.drop();
    const reconnect = page.getByRole('button', { name: 'Reconnect', exact: true });
    await reconnect.waitFor();
    await page.getByRole('status').filter({ hasText: 'The connection to the room host was lost.' }).waitFor();
    await reconnect.click();
    const again = await peers.next(before + 1);
    const rejoin = await again.receive((m) => m.hello);
    assert.deepEqual(rejoin.hello.request, { kind: 'rejoin', code: 'K7QX2M', token: 'TOKEN1234567890ABCDE' });
    assert.deepEqual(rejoin.hello.people, ['Ann']);

    // Leaving closes the connection and offers nothing back.
    await page.getByRole('button', { name: 'Leave room', exact: true }).click();
    await again.receive((m) => m.leave);
    await again.waitClosed();
    await ready(page, 'Play with friends');
    assert.equal(await page.getByRole('button', { name: 'Reconnect', exact: true }).count(), 0);
    assert.deepEqual(errors, []);
    await context.close();
  });

  it('a game cut short ends with the standings so far: Reconnect after a lost host, nothing after the host stopped', async () => {
    const { context, page, errors } = await open(env, DESKTOP);
    for (const [cut, offered] of [['lost', true], ['hoststopped', false]]) {
      await ready(page, 'Play with friends');
      await page.getByRole('button', { name: 'Play with friends', exact: true }).click();
      await page.getByLabel('Your name', { exact: true }).fill('Ann');
      const before = peers.peers.length;
      await page.getByRole('button', { name: 'Create room', exact: true }).click();
      const peer = await peers.next(before);
      await peer.receive((m) => m.hello);
      peer.send({ lobby: lobbyOf({ token: `SEAT-${cut}` }) });
      peer.send({ level: tinyLevel(), board: boardOf(['Ann', 'Bob']), events: ['started', 'level', 'hole 1 3 Tiny', 'board', 'turn remote Bob'] });
      await page.getByRole('heading', { name: 'Hole 1 of 3: Tiny' }).waitFor();
      peer.send({ events: [cut, 'over Ann, Bob', 'ended'] });
      peer.drop();
      await page.locator('.results .headline', { hasText: 'The game ended before the last hole.' }).waitFor();
      await page.getByText('Standings so far').waitFor();
      assert.equal(await page.locator('table.standings tr.winner').count(), 0, 'nobody won a game cut short');
      assert.equal(await page.getByRole('button', { name: 'Reconnect', exact: true }).count(), offered ? 1 : 0, cut);
      if (offered) {
        await page.getByRole('button', { name: 'Reconnect', exact: true }).click();
        const again = await peers.next(before + 1);
        assert.deepEqual((await again.receive((m) => m.hello)).hello.request, { kind: 'rejoin', code: 'K7QX2M', token: 'SEAT-lost' });
        again.drop();
        await page.getByRole('button', { name: 'Leave room', exact: true }).click();
      } else {
        await page.getByRole('button', { name: 'Back', exact: true }).click();
      }
    }
    assert.deepEqual(errors, []);
    await context.close();
  });

  it('shares the invite link through the system share sheet where the browser has one', async () => {
    const { context, page, errors } = await open(env, PHONE);
    // Headless chromium has no share sheet: one that records what it was given stands in.
    await context.addInitScript(() => {
      window.sharedInvites = [];
      Object.defineProperty(navigator, 'share', {
        configurable: true,
        value: (data) => { window.sharedInvites.push(data); return Promise.resolve(); },
      });
    });
    await page.goto(env.url);
    await ready(page, 'Play with friends');
    const before = peers.peers.length;
    await page.getByRole('button', { name: 'Play with friends', exact: true }).click();
    await page.getByLabel('Your name', { exact: true }).fill('Ann');
    await page.getByRole('button', { name: 'Create room', exact: true }).click();
    const peer = await peers.next(before);
    await peer.receive((m) => m.hello);
    peer.send({ lobby: lobbyOf() });
    await page.locator('.room-code', { hasText: 'K7QX2M' }).waitFor();
    await page.getByRole('button', { name: 'Share', exact: true }).tap();
    await page.waitForFunction(() => window.sharedInvites.length === 1, null, { timeout: 5000 });
    const [shared] = await page.evaluate(() => window.sharedInvites);
    assert.equal(shared.url, `${new URL(env.url).origin}/#K7QX2M`);
    assert.match(shared.text, /K7QX2M/, 'the message names the code too, for a friend who types it');
    assert.deepEqual(errors, []);
    await context.close();
  });

  it('an invite link leads straight to the name and Join, and the joiner waits for the creator', async () => {
    // A friend who has played before: the name is remembered.
    const { context, page, errors } = await open(env, DESKTOP);
    await page.evaluate(() => localStorage.setItem('trundlex.name', 'Bea'));
    await page.goto('about:blank');
    const before = peers.peers.length;
    await page.goto(`${env.url}#K7QX2M`);
    await page.getByRole('heading', { name: 'Join room K7QX2M' }).waitFor();
    assert.equal(await page.getByLabel('Your name', { exact: true }).inputValue(), 'Bea');
    await ready(page, 'Join');
    await page.getByRole('button', { name: 'Join', exact: true }).click();
    const peer = await peers.next(before);
    const hello = await peer.receive((m) => m.hello);
    assert.deepEqual(hello.hello, { people: ['Bea'], request: { kind: 'join', code: 'K7QX2M' } });
    peer.send({
      lobby: lobbyOf({
        creator: false, canStart: false, status: { text: 'waitingForStart' },
        players: [{ name: 'Ann', colour: 0x2030e0, pattern: 8, here: false, computer: false, creator: true }, { name: 'Bea', colour: 0x20a020, pattern: 8, here: true, computer: false, creator: false }],
      }),
    });
    await page.getByText("Waiting for the room's creator to start the game.").first().waitFor();
    assert.equal(await page.getByRole('button', { name: 'Start game', exact: true }).count(), 0, 'only the creator starts');
    assert.equal(await page.getByRole('button', { name: 'Add computer player', exact: true }).count(), 0);
    assert.match(await page.locator('.room-players li', { hasText: 'Bea' }).textContent(), /here/);
    assert.equal(await page.locator('.room-code').textContent(), 'K7QX2M');
    assert.deepEqual(errors, []);
    await context.close();
  });

  it('joins by a typed code; a refusal is told in words and the page closes the connection', async () => {
    const { context, page, errors } = await open(env, DESKTOP);
    await ready(page, 'Play with friends');
    await page.getByRole('button', { name: 'Play with friends', exact: true }).click();
    await page.getByLabel('Your name', { exact: true }).fill('Cy');
    await page.getByLabel('Room code', { exact: true }).fill('k7qx-2m');
    const before = peers.peers.length;
    await page.getByRole('button', { name: 'Join', exact: true }).click();
    const peer = await peers.next(before);
    const hello = await peer.receive((m) => m.hello);
    assert.deepEqual(hello.hello.request, { kind: 'join', code: 'k7qx-2m' }, 'the code goes to the module as typed');
    peer.send({ lobby: lobbyOf({ phase: 'ended', code: '', token: '', creator: false, players: [], status: { text: 'refused', refusal: 'noSuchRoom', subject: 'K7QX2M' } }), close: true });
    // Back at the question, with the reason and the code as typed.
    await page.getByRole('alert').filter({ hasText: 'There is no room with the code K7QX2M.' }).waitFor();
    assert.equal(await page.getByLabel('Room code', { exact: true }).inputValue(), 'k7qx-2m');
    await peer.waitClosed();
    assert.equal(await page.getByRole('button', { name: 'Reconnect', exact: true }).count(), 0, 'a refused room is not offered again');

    // A text the module cannot take as a code never opens a connection.
    await page.getByLabel('Room code', { exact: true }).fill('what!');
    const count = peers.peers.length;
    await page.getByRole('button', { name: 'Join', exact: true }).click();
    await page.getByRole('alert').filter({ hasText: 'A room code has six letters and digits.' }).waitFor();
    assert.equal(peers.peers.length, count);
    assert.deepEqual(errors, []);
    await context.close();
  });

  it('fits a phone held either way, and speaks Swedish', async () => {
    const { context, page, errors } = await open(env, { ...PHONE, locale: 'sv-SE' });
    await ready(page, 'Spela med vänner');
    await page.getByRole('button', { name: 'Spela med vänner', exact: true }).click();
    for (const name of ['Skapa rum', 'Gå med']) assert.equal(await page.getByRole('button', { name, exact: true }).count(), 1, name);
    for (const label of ['Ditt namn', 'Rumskod', 'Bansamling']) assert.equal(await page.getByLabel(label, { exact: true }).count(), 1, label);
    assert.equal(await fits(page), true, 'the choice fits 360 x 640');
    await page.getByLabel('Ditt namn', { exact: true }).fill('Stina');
    const before = peers.peers.length;
    await page.getByRole('button', { name: 'Skapa rum', exact: true }).click();
    const peer = await peers.next(before);
    await peer.receive((m) => m.hello);
    peer.send({ lobby: lobbyOf({ players: [{ name: 'Stina', colour: 0x2030e0, pattern: 8, here: true, computer: false, creator: true }], status: { text: 'transferLevels', count: 3 } }) });
    await page.getByRole('status').filter({ hasText: 'Överför banor... (3)' }).waitFor();
    for (const name of ['Kopiera länken', 'Starta spelet', 'Lägg till datorspelare', 'Lämna rummet', 'Skicka']) {
      assert.equal(await page.getByRole('button', { name, exact: true }).count(), 1, name);
    }
    assert.equal(await page.getByLabel('Inbjudningslänk', { exact: true }).count(), 1);
    assert.match(await page.locator('.room-players li').first().textContent(), /skapade rummet/);
    assert.equal(await fits(page), true, 'the lobby fits 360 x 640 (its card scrolls inside)');
    await page.setViewportSize({ width: 640, height: 360 });
    assert.equal(await fits(page), true, 'the lobby fits 640 x 360');
    peer.send({ events: ['started', 'level', 'hole 1 3 Tiny', 'board', 'turn remote Ann'], level: tinyLevel(), board: boardOf(['Stina', 'Ann']) });
    await page.getByRole('heading', { name: 'Hål 1 av 3: Tiny' }).waitFor();
    await page.getByRole('button', { name: 'Chatt' }).waitFor();
    assert.equal(await fits(page), true, 'the game fits 640 x 360');
    peer.send({ events: ['returned Ann'] });
    await page.getByRole('status').filter({ hasText: 'Ann är tillbaka.' }).waitFor();
    assert.deepEqual(errors, []);
    await context.close();
  });
});

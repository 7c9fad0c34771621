// The page's online game (OnlineGame of build-web/bin/trundlex-page.js) in a room of the native
// room host (`trundlex-tool serve --rooms`, from build/ or NATIVE_BUILD): the test carries
// each game's connection over a TCP socket of node's, as a page carries its WebSocket through
// the host's web side. Two games in WebAssembly meet by code, chat and play a course to its
// end, and every putt comes to rest at the same bits on both. Run: node --test tests/web/
'use strict';
const test = require('node:test');
const assert = require('node:assert/strict');
const fs = require('node:fs');
const os = require('node:os');
const net = require('node:net');
const path = require('node:path');
const { execFileSync, spawn } = require('node:child_process');

const root = path.resolve(__dirname, '..', '..');
const web = path.join(root, 'build-web', 'bin');
const nativeTool = path.join(process.env.NATIVE_BUILD || path.join(root, 'build'), 'bin', 'trundlex-tool');
const traceLevels = path.join(root, 'tests', 'core', 'ball', 'trace-levels');
const EASY = 1;
const CUP = 3;

function loadModule() {
  return require(path.join(web, 'trundlex-page.js'))({
    wasmBinary: fs.readFileSync(path.join(web, 'trundlex-page.wasm')),
  });
}

// A room host with one course of two holes, in a folder of its own; its port.
async function startHost(t) {
  const folder = fs.mkdtempSync(path.join(os.tmpdir(), 'trundlex-online-'));
  t.after(() => fs.rmSync(folder, { recursive: true, force: true }));
  fs.mkdirSync(path.join(folder, 'levels'));
  fs.mkdirSync(path.join(folder, 'courses'));
  const holes = ['first-putt.lev', 'gentle-slope.lev'].map((name) => {
    fs.copyFileSync(path.join(traceLevels, name), path.join(folder, 'levels', name));
    return path.join(folder, 'levels', name);
  });
  execFileSync(nativeTool, ['course-pack', path.join(folder, 'courses', 'two.cou'), 'Two Holes', ...holes]);
  const host = spawn(nativeTool, ['serve', '--rooms', '--port', '0', '--levels', path.join(folder, 'levels'),
                                  '--courses', path.join(folder, 'courses')], { stdio: ['ignore', 'pipe', 'inherit'] });
  t.after(() => host.kill('SIGTERM'));
  return new Promise((resolve, reject) => {
    let seen = '';
    const timer = setTimeout(() => reject(new Error(`the host printed no port: ${seen}`)), 10000);
    host.stdout.on('data', (chunk) => {
      seen += chunk;
      const found = /listening (\d+)/.exec(seen);
      if (found) {
        clearTimeout(timer);
        resolve(Number(found[1]));
      }
    });
  });
}

// One page: an online game whose connection is a socket, the event lines it has shown, and
// where its cup and ball are (for a person who putts towards the cup).
class Page {
  constructor(trundlex, seed, name) {
    this.game = new trundlex.OnlineGame(seed);
    assert.equal(this.game.addPerson(name), true);
    this.events = [];
    this.ball = null;
    this.cup = null;
  }
  connect(port) {
    this.socket = net.connect(port, '127.0.0.1', () => { this.game.opened(); this.flush(); });
    this.socket.on('data', (bytes) => { this.game.received(bytes); this.flush(); });
    this.socket.on('close', () => {
      if (this.deleted) return;
      this.game.closed();
      this.flush();
    });
    this.socket.on('error', () => {});
  }
  flush() {
    const out = this.game.takeOutgoing();
    if (out.length > 0 && this.socket && !this.socket.destroyed) this.socket.write(out);
    if (this.game.wantsClose() && this.socket) this.socket.end();
  }
  frame(clock) {
    this.game.runUntil(clock);
    this.flush();
    const text = this.game.takeEvents();
    if (text === '') return;
    for (const line of text.split('\n')) {
      this.events.push(line);
      const words = line.split(' ');
      if (words[0] === 'ball' && words[1] !== 'none') this.ball = [Number(words[1]), Number(words[2])];
      if (line === 'level') this.cup = cupOf(JSON.parse(this.game.levelJson()));
    }
  }
  lobby() {
    return JSON.parse(this.game.lobbyJson());
  }
  close() {
    this.deleted = true;
    this.socket?.destroy();
    this.game.delete();
  }
  rests() {
    return this.events.filter((line) => line.startsWith('rest '));
  }
}

function cupOf(level) {
  for (let i = 0; i < level.width * level.height; ++i) {
    if (level.cells[i * 6 + 2] === CUP || level.cells[i * 6 + 4] === CUP) return [(i % level.width) + 0.5, Math.floor(i / level.width) + 0.5];
  }
  return null;
}

// Runs the pages frame by frame (50 ms of their clocks each) until `done`; a page whose
// person aims putts towards its cup, with a force that grows with the distance.
async function runUntil(pages, done, what, patience = 30000) {
  const deadline = Date.now() + patience;
  let clock = pages.clock ?? 0;
  while (!done()) {
    if (Date.now() > deadline) {
      const tail = (page) => page.events.filter((l) => !/^(path|sound|force|aim) /.test(l)).slice(-12).join(' | ');
      throw new Error(`timed out waiting for ${what}: ${pages.map(tail).join(' || ')} states ${pages.map((p) => p.game.state())}`);
    }
    clock += 50;
    for (const page of pages) {
      page.frame(clock);
      if (page.game.state() === 2 && page.ball && page.cup) {
        const dx = page.cup[0] - page.ball[0];
        const dy = page.cup[1] - page.ball[1];
        const force = Math.min(page.game.maxForce(), 10 + 9 * Math.hypot(dx, dy));
        assert.equal(page.game.puttWithForce(Math.atan2(dy, dx), force), true);
        page.flush();
      }
    }
    await new Promise((resolve) => setImmediate(resolve));
  }
  pages.clock = clock;
}

test('two pages meet in a room by its code, chat, and play the same game to its end', async (t) => {
  const [trundlex, port] = await Promise.all([loadModule(), startHost(t)]);
  assert.ok(trundlex.apiVersion() >= 3, 'a module without OnlineGame');
  const ann = new Page(trundlex, 1, 'Ann');
  const bob = new Page(trundlex, 2, 'Bob');
  t.after(() => { ann.close(); bob.close(); });
  const pages = [ann, bob];

  assert.equal(ann.game.createRoom('Two Holes'), true);
  assert.equal(ann.lobby().phase, 'connecting');
  ann.connect(port);
  await runUntil(pages, () => ann.lobby().phase === 'lobby', 'the room');
  const { code } = ann.lobby();
  assert.match(code, /^[A-Z2-9]{6}$/);
  assert.equal(ann.lobby().course, 'Two Holes');

  // The friend types the code as it was read out.
  assert.equal(bob.game.joinRoom(`${code.slice(0, 3).toLowerCase()} ${code.slice(3)}`), true);
  bob.connect(port);
  await runUntil(pages, () => bob.lobby().players.length === 2 && ann.lobby().players.length === 2, 'the join');
  assert.equal(bob.lobby().creator, false);
  assert.deepEqual(bob.lobby().players.map((p) => [p.name, p.here]), [['Ann', false], ['Bob', true]]);

  assert.equal(ann.game.addComputer('Robo', EASY), true);
  assert.equal(bob.game.sendChat('ready when you are'), '');
  await runUntil(pages, () => bob.lobby().players.length === 3 &&
    ann.events.some((line) => line.startsWith('chat ') && JSON.parse(line.slice(5)).text === 'ready when you are'),
  'the computer player and the chat line');

  assert.equal(bob.game.startGame(), false, 'only the creator starts');
  assert.equal(ann.lobby().canStart, true);
  assert.equal(ann.game.startGame(), true);
  await runUntil(pages, () => ann.events.includes('started') && bob.events.includes('started'), 'the start');

  await runUntil(pages, () => ann.game.isOver() && bob.game.isOver(), 'the end of the game', 60000);
  assert.ok(ann.rests().length >= 6, `three players on two holes: ${ann.rests().length} putts`);
  assert.deepEqual(bob.rests(), ann.rests(), 'every putt rests at the same bits on both computers');
  assert.equal(bob.game.result(), ann.game.result());
  assert.ok(bob.events.some((line) => line === 'turn remote Robo'), 'Ann\'s computer plays Robo');
  assert.ok(bob.events.some((line) => line.startsWith('path ')), 'remote putts roll on the page too');
});

test('a code of no room is refused with the host\'s reason', async (t) => {
  const [trundlex, port] = await Promise.all([loadModule(), startHost(t)]);
  const page = new Page(trundlex, 3, 'Lou');
  t.after(() => page.close());
  assert.equal(page.game.joinRoom('O0O-0O0'), false, 'look-alike characters are never in a code');
  assert.equal(page.game.joinRoom('ABC-DEF'), true);
  page.connect(port);
  await runUntil([page], () => page.lobby().phase === 'ended', 'the refusal');
  const { status } = page.lobby();
  assert.equal(status.text, 'refused');
  assert.equal(status.refusal, 'noSuchRoom');
  assert.equal(status.subject, 'ABCDEF');
});

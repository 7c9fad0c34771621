// The page's module (build-web/bin/trundlex-page.js, scripts/build-web.sh) driven as a page
// drives it, under node's test runner: games of computer players through the game controller
// in WebAssembly must play out exactly as the native build plays them (`trundlex-tool
// local-match`, from build/ or NATIVE_BUILD). Run: node --test tests/web/
'use strict';
const test = require('node:test');
const assert = require('node:assert/strict');
const fs = require('node:fs');
const path = require('node:path');
const { execFileSync } = require('node:child_process');

const root = path.resolve(__dirname, '..', '..');
const web = path.join(root, 'build-web', 'bin');
const nativeTool = path.join(process.env.NATIVE_BUILD || path.join(root, 'build'), 'bin', 'trundlex-tool');
const levelDir = path.join(root, 'tests', 'core', 'ball', 'trace-levels');
const holes = ['first-putt.lev', 'gentle-slope.lev', 'bank-shot.lev', 'duck-pond.lev'];
const EASY = 1;
const HARD = 3;

let modulePromise;
function loadModule() {
  // A page fetches the .wasm; here node reads it and hands it over.
  modulePromise ??= require(path.join(web, 'trundlex-page.js'))({
    wasmBinary: fs.readFileSync(path.join(web, 'trundlex-page.wasm')),
  });
  return modulePromise;
}

// A game of Ann (hard) and Bob (easy) over `holes`, set up through the API.
function newGame(trundlex, seed) {
  const game = new trundlex.LocalGame(seed);
  for (const hole of holes) {
    assert.equal(game.addLevel(fs.readFileSync(path.join(levelDir, hole))), true, hole);
  }
  assert.equal(game.addComputer('Ann', HARD), true);
  assert.equal(game.addComputer('Bob', EASY), true);
  assert.equal(game.start(), true);
  return game;
}

// Runs the game to its end, `slice` steps a call, as a worker would between messages to the
// page; the event lines and the result.
function playOut(game, slice) {
  const events = [];
  const take = () => {
    const text = game.takeEvents();
    if (text !== '') events.push(...text.split('\n'));
  };
  let calls = 0;
  while (game.advance(slice)) {
    take();
    assert.ok(++calls < 100000, 'the game never ended');
  }
  take();
  return { events, result: game.result(), calls };
}

function nativeMatch(seed) {
  const args = ['local-match', ...holes.map((h) => path.join(levelDir, h)),
    '--players', 'Ann:hard,Bob:easy', '--seed', String(seed), '--events'];
  return execFileSync(nativeTool, args, { encoding: 'utf8' });
}

test('the module answers the version its type declarations name', async () => {
  const trundlex = await loadModule();
  const types = fs.readFileSync(path.join(web, 'trundlex-page.d.ts'), 'utf8');
  const declared = /API version (\d+):/.exec(types);
  assert.ok(declared, 'the declarations name their version');
  assert.equal(trundlex.apiVersion(), Number(declared[1]));
  // Every kind of game the declarations offer is there to make.
  for (const [, name] of types.matchAll(/^  (\w+): new \(/gm)) {
    assert.equal(typeof trundlex[name], 'function', name);
  }
});

test('a match of two computer players ends as the native build plays it', async () => {
  const trundlex = await loadModule();
  for (const seed of [42, 7]) {
    const game = newGame(trundlex, seed);
    const { events, result } = playOut(game, 100);
    assert.equal(game.isOver(), true);
    game.delete();
    assert.equal(events.join('\n') + '\n' + result, nativeMatch(seed), `seed ${seed}`);
    // Every hole is played in order, then the end is told.
    const started = events.filter((e) => e.startsWith('hole ')).map((e) => e.split(' ')[1]);
    assert.deepEqual(started, ['1', '2', '3', '4']);
    assert.ok(events.some((e) => e.startsWith('over ')), 'no end was told');
    assert.match(result, /^total: Ann \d+, Bob \d+$/m);
  }
});

test('slices of one step play the same game as long runs', async () => {
  const trundlex = await loadModule();
  const long = newGame(trundlex, 42);
  const short = newGame(trundlex, 42);
  const whole = playOut(long, 100000);
  const sliced = playOut(short, 1);
  long.delete();
  short.delete();
  assert.deepEqual(sliced.events, whole.events);
  assert.equal(sliced.result, whole.result);
  // A step is one result, timer or roll: a match of four holes takes many.
  assert.ok(sliced.calls > 4 * holes.length, `only ${sliced.calls} steps`);
});

test('what cannot be played is refused', async () => {
  const trundlex = await loadModule();
  const game = new trundlex.LocalGame(1);
  assert.equal(game.start(), false, 'started with nothing to play');
  assert.equal(game.advance(10), false, 'ran before it started');
  assert.equal(game.addLevel(new Uint8Array([5, 1, 2, 3])), false, 'took bytes of no level');
  assert.equal(game.addComputer('', HARD), false, 'took a player without a name');
  assert.equal(game.addComputer('Cy', 0), false, 'took a person as a computer');
  assert.equal(game.addComputer('Cy', 4), false, 'took a strength beyond hard');
  assert.equal(game.addComputer('Cy', EASY), true);
  assert.equal(game.start(), false, 'started without a hole');
  assert.equal(game.addLevel(fs.readFileSync(path.join(levelDir, holes[0]))), true);
  assert.equal(game.start(), true);
  assert.equal(game.addComputer('Late', EASY), false, 'took a player after the start');
  game.delete();
});

const shipped = path.join(root, 'resources');

test('every shipped level and course reads as what a page draws and lists', async () => {
  const trundlex = await loadModule();
  const ids = new Set();
  for (const file of fs.readdirSync(path.join(shipped, 'levels')).filter((f) => f.endsWith('.lev'))) {
    const level = JSON.parse(trundlex.levelJson(fs.readFileSync(path.join(shipped, 'levels', file))));
    assert.ok(level.name.length > 0, file);
    assert.equal(level.cells.length, 6 * level.width * level.height, file);
    assert.ok(level.start[0] > 0 && level.start[0] < level.width, file);
    assert.ok(level.start[1] > 0 && level.start[1] < level.height, file);
    assert.ok(level.cells.includes(3), `${file} has no cup`);
    ids.add(level.id);
  }
  const courses = fs.readdirSync(path.join(shipped, 'courses')).filter((f) => f.endsWith('.cou'));
  assert.ok(courses.length >= 3);
  for (const file of courses) {
    const course = JSON.parse(trundlex.courseJson(fs.readFileSync(path.join(shipped, 'courses', file))));
    assert.ok(course.levels.length >= 9, file);
    for (const id of course.levels) assert.ok(ids.has(id), `${file} names a level that is not shipped`);
  }
  assert.equal(trundlex.levelJson(new Uint8Array([1, 2, 3])), '');
  assert.equal(trundlex.courseJson(fs.readFileSync(path.join(shipped, 'levels', 'first-putt.lev'))), '');
});

// A person and a computer over the first two holes of a shipped course, in real time at 60
// frames a second, the person putting by touch towards the cup with a middling force.
test('a person plays a shipped course in real time through the input calls', async () => {
  const trundlex = await loadModule();
  const course = JSON.parse(trundlex.courseJson(fs.readFileSync(path.join(shipped, 'courses', 'beginners-nine.cou'))));
  const byId = new Map();
  for (const file of fs.readdirSync(path.join(shipped, 'levels')).filter((f) => f.endsWith('.lev'))) {
    const bytes = fs.readFileSync(path.join(shipped, 'levels', file));
    byId.set(JSON.parse(trundlex.levelJson(bytes)).id, bytes);
  }
  const game = new trundlex.LocalGame(2024);
  for (const id of course.levels.slice(0, 2)) assert.equal(game.addLevel(byId.get(id)), true);
  assert.equal(game.addPerson('Åsa'), true);
  assert.equal(game.addComputer('Cy', HARD), true);
  assert.equal(game.setPars(fs.readFileSync(path.join(shipped, 'levels', 'pars.txt'), 'utf8')), true);
  assert.equal(game.start(), true);
  let clock = 0;
  let level = null;
  let ball = null;
  const events = [];
  let personPutts = 0;
  while (!game.isOver() && clock < 30 * 60 * 1000) {
    game.runUntil(clock += 16);
    assert.ok(game.time() <= clock, 'the game ran ahead of the clock');
    for (const line of game.takeEvents().split('\n').filter((l) => l !== '')) {
      events.push(line);
      if (line === 'level') level = JSON.parse(game.levelJson());
      if (line.startsWith('ball ') && line !== 'ball none') ball = line.split(' ').slice(1, 3).map(Number);
    }
    if (game.state() === 2 /* Aiming */) {
      let cup = null;
      for (let i = 0; i < level.width * level.height && cup === null; ++i) {
        if (level.cells[6 * i + 2] === 3 || level.cells[6 * i + 4] === 3) cup = [i % level.width + 0.5, Math.floor(i / level.width) + 0.5];
      }
      const heading = Math.atan2(cup[1] - ball[1], cup[0] - ball[0]);
      assert.equal(game.puttWithForce(heading, game.maxForce() / 3), true);
      ++personPutts;
    }
  }
  assert.equal(game.isOver(), true, 'the game never ended');
  const board = JSON.parse(game.boardJson());
  game.delete();
  assert.ok(personPutts >= 2);
  assert.deepEqual(board.players.map((p) => p.name), ['Åsa', 'Cy']);
  assert.ok(board.holes.every((h) => h.par >= 1), 'the shipped pars were not taken');
  for (const player of board.players) {
    assert.equal(player.total, player.strokes.reduce((a, b) => a + b, 0));
    assert.ok(player.strokes.every((s) => s >= 1));
  }
  assert.equal(events.filter((e) => e.startsWith('putt Åsa ')).length, personPutts,
    'a touch putt did not roll');
  assert.ok(events.some((e) => e.startsWith('path 10 ')));
  assert.ok(events.some((e) => /^sound \d+ sounds\/InCup\.wav$/.test(e)), 'no ball dropped with a sound');
});

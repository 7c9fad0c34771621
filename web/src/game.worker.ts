// The game worker: loads the page's module, reads the shipped levels through it, and runs a
// game in step with the page's clock, posting what happens. A computer's thinking may block
// here for a second; the page keeps drawing meanwhile.
/// <reference lib="webworker" />
import type { BoardData, CourseData, DailyCourseData, DailyDraw, LevelData, LobbyData, LocalGame, OnlineGame, TrundlexModule, TrundlexOptions } from './api';
import { API_VERSION } from './api';
import { OnlineLink, playUrl } from './online-link';
import type { FromWorker, ShippedCourse, ShippedLevel, TodaysCourse, ToWorker } from './protocol';

declare const self: DedicatedWorkerGlobalScope;
declare const createTrundlex: (options?: TrundlexOptions) => Promise<TrundlexModule>;

let trundlex: TrundlexModule | null = null;
let base = '';
let pars = '';
const levelBytes = new Map<string, Uint8Array>();
// The course of the day, drawn from the shipped levels and pars; kept, since it remembers the
// days it has drawn.
let daily: DailyDraw | null = null;
let fileOfId = new Map<string, string>();
// The game being played: a local one, or an online one with its link to the room host.
let game: LocalGame | OnlineGame | null = null;
let link: OnlineLink | null = null;
let running = false;
// The game's clock: performance time since the start, less the time the page was hidden.
let clockStart = 0;
let hiddenSince = -1;
let hiddenTotal = 0;
let timer = 0;

function post(message: FromWorker): void {
  self.postMessage(message);
}

function clock(): number {
  const now = hiddenSince >= 0 ? hiddenSince : performance.now();
  return Math.max(0, now - clockStart - hiddenTotal);
}

async function fetchBytes(path: string): Promise<Uint8Array> {
  const response = await fetch(base + path);
  if (!response.ok) throw new Error(`${path}: ${response.status}`);
  return new Uint8Array(await response.arrayBuffer());
}

async function load(siteBase: string, time: number): Promise<void> {
  base = siteBase;
  self.importScripts(base + 'trundlex-page.js');
  const wasmBinary = await fetchBytes('trundlex-page.wasm');
  trundlex = await createTrundlex({ wasmBinary });
  const version = trundlex.apiVersion();
  if (version !== API_VERSION) {
    throw new Error(`the module speaks API version ${version}, the page ${API_VERSION}`);
  }
  const content = (await (await fetch(base + 'content.json')).json()) as { levels: string[]; courses: string[] };
  pars = await (await fetch(base + 'levels/pars.txt')).text();
  const shipped: ShippedLevel[] = [];
  await Promise.all(content.levels.map(async (file) => levelBytes.set(file, await fetchBytes('levels/' + file))));
  const files = content.levels.filter((file) => trundlex!.levelJson(levelBytes.get(file)!) !== '');
  const parsOf = shippedPars(files);
  files.forEach((file, i) => {
    const level = JSON.parse(trundlex!.levelJson(levelBytes.get(file)!)) as LevelData;
    shipped.push({ file, id: level.id, name: level.name, author: level.author, par: parsOf[i] ?? 0, level });
  });
  fileOfId = new Map(shipped.map((l) => [l.id, l.file]));
  daily = new trundlex.DailyDraw();
  for (const file of files) daily.addLevel(levelBytes.get(file)!);
  daily.setPars(pars);
  post({ type: 'loaded', levels: shipped, courses: await readCourses(content.courses, shipped), today: todaysCourse(time) });
}

// The course of the UTC day of the page's clock `time`; null when none can be drawn.
function todaysCourse(time: number): TodaysCourse | null {
  if (!trundlex || !daily) return null;
  const text = daily.courseJson(trundlex.utcDate(time));
  if (text === '') return null;
  const course = JSON.parse(text) as DailyCourseData;
  const holes = course.levels.map((id) => fileOfId.get(id));
  if (holes.length === 0 || holes.some((h) => h === undefined)) return null;
  return { id: course.id, date: course.date, levels: holes as string[] };
}

// The shipped courses whose levels are all here, read through the module.
async function readCourses(files: string[], levels: ShippedLevel[]): Promise<ShippedCourse[]> {
  const fileOf = new Map(levels.map((l) => [l.id, l.file]));
  const courses: ShippedCourse[] = [];
  for (const file of files) {
    try {
      const text = trundlex!.courseJson(await fetchBytes('courses/' + file));
      if (text === '') continue;
      const course = JSON.parse(text) as CourseData;
      const holes = course.levels.map((id) => fileOf.get(id));
      if (holes.length > 0 && holes.every((h) => h !== undefined)) {
        courses.push({ file, name: course.name, levels: holes as string[] });
      }
    } catch {
      // A course that does not load is left out.
    }
  }
  return courses;
}

// The pars of the shipped levels, as the module reads them from the table: a game over all
// of them that is set up and started, never played.
function shippedPars(files: string[]): number[] {
  if (!trundlex || files.length === 0) return [];
  const probe = new trundlex.LocalGame(1);
  try {
    for (const file of files) probe.addLevel(levelBytes.get(file)!);
    probe.setPars(pars);
    probe.addComputer('-', 1);
    if (!probe.start()) return [];
    probe.takeEvents();
    const board = JSON.parse(probe.boardJson()) as BoardData;
    return board.holes.map((h) => h.par);
  } catch {
    return [];
  } finally {
    probe.delete();
  }
}

function stopGame(): void {
  running = false;
  if (timer) clearTimeout(timer);
  timer = 0;
  if (link) link.dispose();
  else if (game) game.delete();
  game = null;
  link = null;
}

function startClock(): void {
  clockStart = performance.now();
  hiddenTotal = 0;
  hiddenSince = -1;
}

function online(message: Extract<ToWorker, { type: 'online' }>): void {
  stopGame();
  if (!trundlex) return;
  const made = OnlineLink.connect(trundlex, message.seed, message.names, pars, message.request, playUrl(base), {
    connectionClosed: () => {
      flush();
      post({ type: 'connectionClosed' });
    },
  });
  if (typeof made === 'string') {
    post({ type: 'onlineRefused', what: made });
    return;
  }
  link = made;
  game = made.game;
  startClock();
  running = true;
  post({ type: 'started', maxForce: game.maxForce(), minimumForce: game.minimumForce() });
  flush();
  frame();
}

function start(message: Extract<ToWorker, { type: 'start' }>): void {
  stopGame();
  if (!trundlex) return;
  const g = new trundlex.LocalGame(message.seed >>> 0);
  for (const file of message.levels) {
    const bytes = levelBytes.get(file);
    if (bytes) g.addLevel(bytes);
  }
  g.setPars(pars);
  for (const p of message.players) {
    if (p.strength === 0) g.addPerson(p.name);
    else g.addComputer(p.name, p.strength);
  }
  if (!g.start()) {
    g.delete();
    post({ type: 'failed', message: 'the game did not start' });
    return;
  }
  game = g;
  startClock();
  running = true;
  post({ type: 'started', maxForce: g.maxForce(), minimumForce: g.minimumForce() });
  flush();
  frame();
}

// Posts the events so far, with the level and the board when they changed.
function flush(): void {
  if (!game) return;
  const text = game.takeEvents();
  if (text === '') return;
  const lines = text.split('\n');
  const message: FromWorker = { type: 'events', time: game.time(), lines };
  if (lines.includes('level')) message.level = JSON.parse(game.levelJson()) as LevelData;
  if (lines.includes('board')) message.board = JSON.parse(game.boardJson()) as BoardData;
  if (lines.some((l) => l.startsWith('over'))) message.result = game.result();
  if (link && lines.includes('lobby')) message.lobby = JSON.parse(link.game.lobbyJson()) as LobbyData;
  post(message);
}

function frame(): void {
  timer = 0;
  if (!game || !running) return;
  if (hiddenSince < 0 || link) {
    const goesOn = game.runUntil(clock());
    link?.pump();
    flush();
    // An online game keeps its connection (chat, the others leaving) after its end, until the
    // page leaves it.
    if (!goesOn && !link) {
      running = false;
      return;
    }
  }
  timer = self.setTimeout(frame, 16) as unknown as number;
}

// Input from the page takes effect at once, and what it changed goes out at once.
function input(apply: (g: LocalGame | OnlineGame) => void): void {
  if (!game) return;
  game.runUntil(clock());
  apply(game);
  link?.pump();
  flush();
}

function room(apply: (l: OnlineLink) => void): void {
  if (!link) return;
  apply(link);
  flush();
}

self.onmessage = (event: MessageEvent<ToWorker>) => {
  const m = event.data;
  try {
    switch (m.type) {
      case 'load':
        load(m.base, m.time).catch((e: unknown) => post({ type: 'failed', message: String(e instanceof Error ? e.message : e) }));
        break;
      case 'daily': post({ type: 'daily', today: todaysCourse(m.time) }); break;
      case 'start': start(m); break;
      case 'online': online(m); break;
      case 'roomStart': room((l) => l.startGame()); break;
      case 'roomAddComputer': room((l) => l.addComputer(m.name, m.strength)); break;
      case 'roomRemove': room((l) => l.removePlayer(m.name)); break;
      case 'chat': room((l) => {
        const reason = l.sendChat(m.text);
        if (reason !== '') post({ type: 'chatRefused', reason });
      }); break;
      case 'aim': input((g) => g.aimAt(m.heading)); break;
      case 'charge': input((g) => g.beginCharge()); break;
      case 'release': input((g) => g.releaseCharge()); break;
      case 'cancel': input((g) => g.cancelCharge()); break;
      case 'putt': input((g) => g.puttWithForce(m.heading, m.force)); break;
      case 'hurry': input((g) => g.hurry()); break;
      case 'visible':
        // The others in a room do not wait for a hidden tab: an online game's clock runs on.
        if (link) break;
        if (!m.visible && hiddenSince < 0) hiddenSince = performance.now();
        if (m.visible && hiddenSince >= 0) {
          hiddenTotal += performance.now() - hiddenSince;
          hiddenSince = -1;
        }
        break;
      case 'stop': stopGame(); break;
    }
  } catch (e) {
    post({ type: 'failed', message: String(e instanceof Error ? e.message : e) });
  }
};

// The page: start screen, local game setup, level browser, the game and its results. The
// game's rules all live in the module, run by the game worker; this thread draws, listens to
// the player, plays sounds and lays things out.
import './style.css';
import type { BoardData } from './api';
import { Sounds } from './audio';
import { renderBoard } from './board';
import { bannerTitle, fill, langFromNavigator, texts, type Lang, type Texts } from './i18n';
import { codeFromHash, Friends } from './online';
import { LevelPainter } from './painter';
import { Playfield } from './playfield';
import type { FromWorker, PlayerSetup, ShippedCourse, ShippedLevel, TodaysCourse, ToWorker } from './protocol';
import { cssColour } from './render/ball';
import { drawFlags, flagSpots } from './render/level';
import { button, el, NAME_KEY, say } from './ui';


const LANG_KEY = 'trundlex.lang';
const QUICK_HOLES = 3;
const BANNER_MS = 1300;
const TURN_MS = 1600;
const HELP_MS = 9000;

const base = new URL('.', location.href).href;
let lang: Lang = (localStorage.getItem(LANG_KEY) as Lang | null) ?? langFromNavigator(navigator.language);
let t: Texts = texts(lang);
const sounds = new Sounds(base);
const painter = new LevelPainter();
const worker = new Worker(new URL('./game.worker.ts', import.meta.url));

let shipped: ShippedLevel[] = [];
let courses: ShippedCourse[] = [];
// The course of the day as last drawn (with the levels, then at every start of it).
let today: TodaysCourse | null = null;
let todayWaiting: ((course: TodaysCourse | null) => void)[] = [];
let loadError = '';
let screen: 'start' | 'setup' | 'levels' | 'game' | 'results' | 'friends' | 'link' | 'lobby' = 'start';
let lastGame: { players: PlayerSetup[]; levels: string[] } | null = null;

const main = document.getElementById('screen')!;
const langButton = document.getElementById('lang') as HTMLButtonElement;
const soundButton = document.getElementById('sound') as HTMLButtonElement;

function send(message: ToWorker): void {
  worker.postMessage(message);
}

const friends = new Friends({
  main,
  t: () => t,
  send,
  ready: () => shipped.length > 0,
  courses: () => courses,
  today: () => today,
  leaveScreen: (name) => {
    leaveScreen();
    stopGame();
    document.body.classList.remove('in-game');
    screen = name;
  },
  showStart: () => showStart(),
  enterGame: (maxForce, minimumForce) => {
    leaveScreen();
    if (game) game.dispose();
    screen = 'game';
    document.body.classList.add('in-game');
    game = new GameScreen(true);
    game.started(maxForce, minimumForce);
  },
  inGame: () => screen === 'game' || screen === 'results',
  endGame: () => game?.endEarly(),
});

// --- Header: language and sound ---

// A loudspeaker, with waves or crossed out; drawn, since not every system has an emoji font.
function speakerIcon(muted: boolean): SVGSVGElement {
  const ns = 'http://www.w3.org/2000/svg';
  const svg = document.createElementNS(ns, 'svg');
  svg.setAttribute('viewBox', '0 0 24 24');
  svg.setAttribute('width', '22');
  svg.setAttribute('height', '22');
  svg.setAttribute('aria-hidden', 'true');
  const path = document.createElementNS(ns, 'path');
  path.setAttribute('d', muted
    ? 'M3 9v6h4l5 4V5L7 9H3z M16 9l5 6 M21 9l-5 6'
    : 'M3 9v6h4l5 4V5L7 9H3z M15.5 8.5a5 5 0 0 1 0 7 M18.5 5.5a9 9 0 0 1 0 13');
  path.setAttribute('fill', 'none');
  path.setAttribute('stroke', 'currentColor');
  path.setAttribute('stroke-width', '2');
  path.setAttribute('stroke-linecap', 'round');
  path.setAttribute('stroke-linejoin', 'round');
  svg.append(path);
  return svg;
}

function applyLanguage(): void {
  t = texts(lang);
  document.documentElement.lang = lang;
  langButton.textContent = t.language;
  langButton.setAttribute('aria-label', t.languageName);
  soundButton.replaceChildren(speakerIcon(sounds.muted));
  soundButton.setAttribute('aria-label', sounds.muted ? t.unmute : t.mute);
  soundButton.setAttribute('aria-pressed', String(sounds.muted));
}

langButton.addEventListener('click', () => {
  lang = lang === 'en' ? 'sv' : 'en';
  localStorage.setItem(LANG_KEY, lang);
  applyLanguage();
  rerender();
});
soundButton.addEventListener('click', () => {
  sounds.muted = !sounds.muted;
  if (sounds.muted) sounds.cancelPending();
  applyLanguage();
});

document.addEventListener('pointerdown', () => sounds.unlock(), { capture: true });
document.addEventListener('keydown', () => sounds.unlock(), { capture: true });

function rerender(): void {
  switch (screen) {
    case 'start': showStart(); break;
    case 'friends': case 'link': case 'lobby': friends.rerender(); break;
    case 'setup': showSetup(); break;
    case 'levels': showLevels(); break;
    case 'game': game?.retitle(); break;
    case 'results': game?.showResults(); break;
  }
}

// --- Which holes ---

interface HoleSet { label: string; files: string[]; today?: boolean }

function byPar(): ShippedLevel[] {
  return shipped.map((l, i) => ({ l, i }))
    .sort((a, b) => (a.l.par || 99) - (b.l.par || 99) || a.i - b.i)
    .map((x) => x.l);
}

// A quick round opens the first shipped course (or takes the easiest levels without one),
// then come the courses and every level.
function holeSets(): HoleSet[] {
  const quick = courses.length > 0 ? courses[0].levels.slice(0, QUICK_HOLES) : byPar().slice(0, QUICK_HOLES).map((l) => l.file);
  const sets: HoleSet[] = [{ label: fill(t.quickRound, quick.length), files: quick }];
  if (today) sets.push({ label: fill(t.courseHoles, fill(t.courseOfTheDay, today.date), today.levels.length), files: today.levels, today: true });
  for (const course of courses) sets.push({ label: fill(t.courseHoles, course.name, course.levels.length), files: course.levels });
  sets.push({ label: fill(t.allLevels, shipped.length), files: shipped.map((l) => l.file) });
  return sets;
}

// The course of the day of the browser's clock, drawn by the module in the worker: drawn
// anew at every start, so that a page left open over midnight plays the new day's course.
function drawToday(): Promise<TodaysCourse | null> {
  return new Promise((resolve) => {
    todayWaiting.push(resolve);
    send({ type: 'daily', time: Date.now() });
  });
}

function startToday(players: PlayerSetup[], from: typeof screen): void {
  void drawToday().then((course) => {
    // Only where it was asked for: the player may have gone elsewhere meanwhile.
    if (screen !== from) return;
    if (!course) {
      say(t.todayUnavailable);
      return;
    }
    startGame(players, course.levels);
  });
}

// --- Start screen ---

function leaveScreen(): void {
  if (screen === 'levels') painter.drop(true, false);
}

function showStart(): void {
  leaveScreen();
  screen = 'start';
  document.body.classList.remove('in-game');
  stopGame();
  if (friends.active) {
    friends.leave();
    history.replaceState(null, '', location.pathname + location.search);
  }
  const name = el('input', { id: 'your-name', type: 'text', maxLength: 24, value: localStorage.getItem(NAME_KEY) ?? '' });
  name.setAttribute('enterkeyhint', 'go');
  name.setAttribute('autocomplete', 'nickname');
  const label = el('label', { htmlFor: 'your-name', textContent: t.yourName });
  const playButton = button(t.play, () => {
    const who = name.value.trim() || t.defaultName;
    localStorage.setItem(NAME_KEY, who);
    const holes = holeSets()[0].files;
    startGame([{ name: who, strength: 0 }, { name: t.opponentName, strength: 2 }], holes);
  }, 'primary big');
  name.addEventListener('keydown', (e) => {
    if (e.key === 'Enter') playButton.click();
  });
  const todayButton = button(t.todaysCourse, () => {
    const who = name.value.trim() || t.defaultName;
    localStorage.setItem(NAME_KEY, who);
    startToday([{ name: who, strength: 0 }, { name: t.opponentName, strength: 2 }], 'start');
  }, 'big');
  const ready = shipped.length > 0;
  for (const b of [playButton]) b.disabled = !ready;
  todayButton.disabled = !ready || !today;
  const logo = el('img', { src: base + 'icons/trundlex.png', alt: '', className: 'logo', width: 96, height: 96 });
  const card = el('div', { className: 'card start' },
    logo,
    el('h1', { textContent: 'Trundlex' }),
    el('p', { className: 'tagline', textContent: t.tagline }),
    el('div', { className: 'field-row' }, label, name),
    playButton,
    el('p', { className: 'hint', textContent: t.playHint }),
    todayButton,
    el('p', { className: 'hint', textContent: ready && !today ? t.todayUnavailable : t.todayHint }),
    Object.assign(button(t.playWithFriends, () => friends.showFriends(), 'big friends-button'), { disabled: !ready }),
    el('div', { className: 'row' },
      Object.assign(button(t.localGame, showSetup), { disabled: !ready }),
      Object.assign(button(t.levels, showLevels), { disabled: !ready })),
  );
  const rejoin = friends.rejoinOffer();
  if (rejoin) card.insertBefore(rejoin, playButton.previousSibling);
  if (loadError) card.append(el('p', { className: 'error', role: 'alert', textContent: fill(t.loadFailed, loadError) }));
  else if (!ready) card.append(el('p', { className: 'hint', textContent: t.loading }));
  main.replaceChildren(card);
}

// --- Local game setup ---

let setupPlayers: PlayerSetup[] | null = null;
let setupHoles = 0;

function showSetup(): void {
  leaveScreen();
  screen = 'setup';
  if (!setupPlayers) {
    setupPlayers = [
      { name: localStorage.getItem(NAME_KEY) ?? t.defaultName, strength: 0 },
      { name: t.computerName, strength: 2 },
    ];
  }
  const players = setupPlayers;
  const list = el('ol', { className: 'players' });
  const kinds: [number, string][] = [[0, t.person], [1, t.easy], [2, t.medium], [3, t.hard]];
  players.forEach((p, i) => {
    const name = el('input', { type: 'text', value: p.name, maxLength: 24 });
    name.setAttribute('aria-label', fill(t.playerName, i + 1));
    name.addEventListener('input', () => { p.name = name.value; });
    const kind = el('select');
    kind.setAttribute('aria-label', fill(t.playerKind, i + 1));
    for (const [value, text] of kinds) kind.append(el('option', { value: String(value), textContent: text, selected: p.strength === value }));
    kind.addEventListener('change', () => { p.strength = Number(kind.value) as PlayerSetup['strength']; });
    const remove = button('✕', () => { players.splice(i, 1); showSetup(); }, 'icon');
    remove.setAttribute('aria-label', fill(t.removePlayer, p.name || String(i + 1)));
    remove.disabled = players.length <= 1;
    list.append(el('li', {}, name, kind, remove));
  });
  const add = button(t.addPlayer, () => {
    players.push({ name: `${t.computerName} ${players.length + 1}`, strength: 2 });
    showSetup();
  });
  add.disabled = players.length >= 8;
  const sets = holeSets();
  setupHoles = Math.min(setupHoles, sets.length - 1);
  const holes = el('fieldset', { className: 'holes' }, el('legend', { textContent: t.holes }));
  sets.forEach((set, i) => {
    const radio = el('input', { type: 'radio', name: 'holes', id: `holes-${i}`, checked: i === setupHoles });
    radio.addEventListener('change', () => { setupHoles = i; });
    holes.append(el('label', { htmlFor: `holes-${i}`, className: 'choice' }, radio, set.label));
  });
  const start = button(t.startGame, () => {
    const chosen = players.map((p, i) => ({ ...p, name: p.name.trim() || `${t.player} ${i + 1}` }));
    const set = holeSets()[setupHoles];
    if (set.today) startToday(chosen, 'setup');
    else startGame(chosen, set.files);
  }, 'primary big');
  main.replaceChildren(el('div', { className: 'card setup' },
    el('h1', { textContent: t.localGame }),
    el('h2', { textContent: t.players }), list, add,
    holes,
    el('div', { className: 'row' }, button(t.back, showStart), start)));
}

// --- Level browser ---

function showLevels(): void {
  screen = 'levels';
  const grid = el('ul', { className: 'level-grid' });
  // Small pictures: twice the pixels at most, however dense the screen.
  const ratio = Math.min(2, Math.max(1, window.devicePixelRatio || 1));
  for (const level of shipped) {
    const canvas = el('canvas', { className: 'preview' });
    canvas.setAttribute('role', 'img');
    canvas.setAttribute('aria-label', level.name);
    const cssBlock = Math.min(300 / level.level.width, 190 / level.level.height);
    const deviceBlock = Math.max(2, Math.floor(cssBlock * ratio));
    const block = deviceBlock / ratio;
    canvas.width = deviceBlock * level.level.width;
    canvas.height = deviceBlock * level.level.height;
    canvas.style.aspectRatio = `${level.level.width} / ${level.level.height}`;
    void painter.paint(level.level, deviceBlock, false).then((bitmap) => {
      const ctx = canvas.getContext('2d');
      if (!bitmap || !ctx) return;
      ctx.drawImage(bitmap, 0, 0);
      ctx.setTransform(ratio, 0, 0, ratio, 0, 0);
      drawFlags(ctx, flagSpots(level.level), 0, 0, block);
    });
    grid.append(el('li', { className: 'level-card' },
      canvas,
      el('h3', { textContent: level.name }),
      el('p', { className: 'meta', textContent: `${t.par}: ${level.par > 0 ? level.par : t.parUnknown} · ${t.creator}: ${level.author}` })));
  }
  main.replaceChildren(el('div', { className: 'card levels' },
    el('div', { className: 'titlebar' }, button(t.back, showStart), el('h1', { textContent: t.levels })),
    grid));
}

// --- The game ---

function startGame(players: PlayerSetup[], levels: string[]): void {
  lastGame = { players, levels };
  leaveScreen();
  stopGame();
  screen = 'game';
  document.body.classList.add('in-game');
  game = new GameScreen();
  send({ type: 'start', seed: Math.floor(Math.random() * 0xffffffff), players, levels });
}

function stopGame(): void {
  if (game) {
    send({ type: 'stop' });
    game.dispose();
    game = null;
  }
}

interface BannerLook { accent: string; sign: 'none' | 'star' | 'ripples' | 'stop' }

function bannerLook(kind: number): BannerLook {
  if (kind <= 4) return { accent: 'rgb(255,204,64)', sign: 'star' };
  if (kind === 5 || kind === 9) return { accent: 'rgb(120,220,140)', sign: 'none' };
  if (kind <= 8) return { accent: 'rgb(240,140,80)', sign: 'none' };
  if (kind === 10) return { accent: 'rgb(90,170,255)', sign: 'ripples' };
  if (kind === 11) return { accent: 'rgb(220,220,220)', sign: 'stop' };
  return { accent: 'rgb(235,90,90)', sign: 'stop' };
}

function signSvg(sign: BannerLook['sign'], accent: string): SVGSVGElement | null {
  if (sign === 'none') return null;
  const ns = 'http://www.w3.org/2000/svg';
  const svg = document.createElementNS(ns, 'svg');
  svg.setAttribute('viewBox', '-1 -1 2 2');
  svg.setAttribute('class', 'sign');
  svg.setAttribute('aria-hidden', 'true');
  const add = (tag: string, attrs: Record<string, string>) => {
    const e = document.createElementNS(ns, tag);
    for (const [k, v] of Object.entries(attrs)) e.setAttribute(k, v);
    svg.append(e);
  };
  if (sign === 'star') {
    const points: string[] = [];
    for (let i = 0; i < 10; ++i) {
      const a = -Math.PI / 2 + (i * Math.PI) / 5;
      const d = i % 2 === 0 ? 0.95 : 0.43;
      points.push(`${(d * Math.cos(a)).toFixed(3)},${(d * Math.sin(a)).toFixed(3)}`);
    }
    add('polygon', { points: points.join(' '), fill: accent });
  } else if (sign === 'ripples') {
    for (const k of [0.3, 0.6, 0.95]) add('ellipse', { rx: String(k), ry: String(k * 0.55), fill: 'none', stroke: accent, 'stroke-width': '0.1' });
  } else {
    add('circle', { r: '0.85', fill: 'none', stroke: accent, 'stroke-width': '0.12' });
    add('line', { x1: '-0.6', y1: '0.6', x2: '0.6', y2: '-0.6', stroke: accent, 'stroke-width': '0.12' });
  }
  return svg;
}

class GameScreen {
  private root: HTMLElement;
  private title: HTMLElement;
  private boardHost: HTMLElement;
  private field: HTMLElement;
  private plate: HTMLElement;
  private help: HTMLElement;
  private putted = false;
  private helpTimer = 0;
  private playfield: Playfield;
  private board: BoardData | null = null;
  private hole: { n: number; count: number; name: string } | null = null;
  private turnName = '';
  private winners: string | null = null;
  // An online game that ended before its last hole (the host went, or the connection).
  private early = false;
  private plateTimer = 0;
  private resultsTimer = 0;
  private keyDown = (e: KeyboardEvent) => this.key(e, true);
  private keyUp = (e: KeyboardEvent) => this.key(e, false);
  private visibility = () => {
    // The others in a room play on while this tab is hidden: only a local game pauses.
    if (this.online) return;
    const visible = document.visibilityState === 'visible';
    this.playfield.setVisible(visible);
    send({ type: 'visible', visible });
  };

  constructor(private readonly online = false) {
    this.title = el('h1', { className: 'hole-title' });
    this.boardHost = el('div', { className: 'board', tabIndex: 0 });
    this.boardHost.setAttribute('role', 'region');
    this.field = el('div', { className: 'field' });
    this.plate = el('div', { className: 'plate', hidden: true });
    this.plate.setAttribute('aria-hidden', 'true');
    // How to putt, under the level until the first putt of the game.
    this.help = el('p', { className: 'help', hidden: true });
    this.help.setAttribute('aria-hidden', 'true');
    const leave = button('✕', () => showStart(), 'icon leave');
    leave.dataset.role = 'leave';
    const bar = el('div', { className: 'gamebar' }, leave, this.title);
    this.root = el('section', { className: 'game' },
      bar,
      this.boardHost,
      this.field);
    if (online) friends.attachGame(bar, this.root);
    main.replaceChildren(this.root);
    this.playfield = new Playfield(this.field, painter, {
      aim: (heading) => send({ type: 'aim', heading }),
      charge: () => send({ type: 'charge' }),
      release: () => send({ type: 'release' }),
      cancel: () => send({ type: 'cancel' }),
      putt: (heading, force) => send({ type: 'putt', heading, force }),
      hurry: () => {
        sounds.cancelPending();
        send({ type: 'hurry' });
      },
      gesture: () => sounds.unlock(),
    });
    this.field.append(this.plate, this.help);
    document.addEventListener('keydown', this.keyDown);
    document.addEventListener('keyup', this.keyUp);
    document.addEventListener('visibilitychange', this.visibility);
    this.retitle();
    this.playfield.canvas.focus({ preventScroll: true });
  }

  dispose(): void {
    clearTimeout(this.plateTimer);
    clearTimeout(this.resultsTimer);
    clearTimeout(this.helpTimer);
    document.removeEventListener('keydown', this.keyDown);
    document.removeEventListener('keyup', this.keyUp);
    document.removeEventListener('visibilitychange', this.visibility);
    this.playfield.dispose();
  }

  retitle(): void {
    const leave = this.root.querySelector<HTMLButtonElement>('[data-role=leave]')!;
    leave.setAttribute('aria-label', t.leaveGame);
    leave.title = t.leaveGame;
    this.boardHost.setAttribute('aria-label', t.scoreBoard);
    this.playfield.canvas.setAttribute('aria-label', `${t.field}. ${matchMedia('(pointer: coarse)').matches ? t.howToTouch : t.howToMouse} ${t.howToKeys}`);
    this.title.textContent = this.hole ? fill(t.holeOf, this.hole.n, this.hole.count, this.hole.name) : t.loading;
    if (this.board) renderBoard(this.boardHost, this.board, t);
  }

  private key(e: KeyboardEvent, down: boolean): void {
    if (screen !== 'game') return;
    const target = e.target as HTMLElement | null;
    const typing = target && (target.tagName === 'INPUT' || target.tagName === 'SELECT' || target.tagName === 'TEXTAREA');
    const onControl = target && target.tagName === 'BUTTON';
    if (typing || (onControl && (e.key === ' ' || e.key === 'Enter'))) return;
    if (this.online && down && e.key === 'Enter' && friends.openChat()) {
      e.preventDefault();
      return;
    }
    if (this.playfield.key(e, down)) e.preventDefault();
  }

  private showPlate(title: string, detail: string, accent: string, sign: BannerLook['sign'], ms: number, top: boolean): void {
    clearTimeout(this.plateTimer);
    const children: Node[] = [];
    const svg = signSvg(sign, accent);
    const words = el('div', { className: 'words' }, el('div', { className: 'title', textContent: title }));
    if (detail) {
      const d = el('div', { className: 'detail', textContent: detail });
      d.style.color = accent;
      words.append(d);
    }
    if (svg) children.push(svg);
    children.push(words);
    this.plate.replaceChildren(...children);
    this.plate.className = top ? 'plate top' : 'plate centre';
    // Over the level itself, wherever the layout has put it.
    const level = this.playfield.shownRect();
    this.plate.style.left = `${level.x + level.w / 2}px`;
    this.plate.style.top = top ? `${level.y + 6}px` : `${level.y + level.h / 2}px`;
    this.plate.style.maxWidth = `${Math.max(120, level.w - 16)}px`;
    this.plate.style.setProperty('--accent', accent);
    this.plate.style.setProperty('--fade-delay', `${Math.max(0, ms - 350)}ms`);
    this.plate.hidden = false;
    // Restart the fade each time.
    this.plate.style.animation = 'none';
    void this.plate.offsetWidth;
    this.plate.style.animation = '';
    this.plateTimer = window.setTimeout(() => { this.plate.hidden = true; }, ms);
  }

  private showHelp(shown: boolean): void {
    this.help.hidden = !shown;
    if (!shown) return;
    this.help.textContent = matchMedia('(pointer: coarse)').matches ? t.howToTouch : `${t.howToMouse} ${t.howToKeys}`;
    // Above the level where there is room; else over it, as low as it can be while it leaves
    // the cups and the ball in sight (or where it hides fewest of them). Gone after a while.
    const level = this.playfield.shownRect();
    this.help.style.left = `${level.x + level.w / 2}px`;
    this.help.style.maxWidth = `${Math.max(160, level.w - 24)}px`;
    if (level.y >= 60) {
      this.help.style.top = `${level.y - 6}px`;
    } else {
      const w = this.help.offsetWidth;
      const h = this.help.offsetHeight;
      const spots = this.playfield.spotsToKeepClear();
      const hidden = (bottom: number) => spots.filter((s) =>
        Math.abs(s.x - (level.x + level.w / 2)) < w / 2 + s.r && s.y > bottom - h - s.r && s.y < bottom + s.r).length;
      // Its bottom edge (the note is drawn above its top value), from the level's lower edge
      // up to its upper one in steps of a quarter of its height.
      let best = level.y + level.h - 8;
      for (let bottom = best; bottom >= level.y + 8 + h && hidden(best) > 0; bottom -= Math.max(4, h / 4)) {
        if (hidden(bottom) < hidden(best)) best = bottom;
      }
      this.help.style.top = `${best}px`;
    }
    clearTimeout(this.helpTimer);
    this.helpTimer = window.setTimeout(() => { this.help.hidden = true; }, HELP_MS);
  }

  private playerColour(name: string): string {
    const p = this.board?.players.find((x) => x.name === name);
    return p ? cssColour(p.colour) : '#fff';
  }

  private holeStatus(): string {
    return this.hole ? fill(t.holeOf, this.hole.n, this.hole.count, this.hole.name) : '';
  }

  handle(m: Extract<FromWorker, { type: 'events' }>): void {
    for (const line of m.lines) {
      const words = line.split(' ');
      const kind = words[0];
      switch (kind) {
        case 'hole': {
          this.hole = { n: Number(words[1]), count: Number(words[2]), name: words.slice(3).join(' ') };
          this.retitle();
          break;
        }
        case 'level':
          if (m.level) this.playfield.setLevel(m.level);
          break;
        case 'board':
          if (m.board) {
            this.board = m.board;
            this.playfield.setBoard(m.board);
            renderBoard(this.boardHost, m.board, t);
          }
          break;
        case 'state':
          this.playfield.setState(Number(words[1]));
          break;
        case 'ball':
          if (words[1] === 'none') this.playfield.showBall(null);
          else {
            this.playfield.showBall({
              x: Number(words[1]), y: Number(words[2]), r: Number(words[3]),
              colour: Number(words[4]), pattern: Number(words[5]), transparent: words[6] === '1',
            });
          }
          break;
        case 'aim':
          this.playfield.setAim(Number(words[1]), words[2] === '1');
          break;
        case 'force':
          this.playfield.setForce(Number(words[1]), words[2] === '1');
          break;
        case 'path':
          this.playfield.roll(Number(words[1]), words.slice(2).map(Number));
          break;
        case 'rest':
          this.playfield.rest(Number(words[1]), Number(words[2]), words[3] === '1');
          // Where every putt came to rest, exactly as the module wrote it: tests compare it
          // with what other computers of the game rolled.
          this.playfield.canvas.dataset.rests = `${this.playfield.canvas.dataset.rests ?? ''}${words[1]} ${words[2]};`;
          break;
        case 'sound':
          sounds.play(words.slice(2).join(' '), Number(words[1]));
          break;
        case 'turn': {
          const who = words[1];
          this.turnName = words.slice(2).join(' ');
          this.playfield.setTurn(who === 'here');
          this.showHelp(who === 'here' && !this.putted);
          if (who === 'nobody') break;
          const text = fill(t.turn, this.turnName);
          say(`${this.holeStatus()} – ${text}`);
          this.showPlate(text, '', this.playerColour(this.turnName), 'none', TURN_MS, true);
          break;
        }
        case 'putt':
          this.putted = true;
          this.showHelp(false);
          break;
        case 'thinking':
          say(`${this.holeStatus()} – ${fill(t.thinking, words.slice(1).join(' '))}`);
          break;
        case 'banner': {
          const bannerKind = Number(words[1]);
          const title = bannerTitle(t, bannerKind, Number(words[2]));
          const look = bannerLook(bannerKind);
          this.showPlate(title, this.turnName, look.accent, look.sign, BANNER_MS, false);
          say(`${this.turnName}: ${title}`);
          // A ball lost or over the limit is not left lying where it stopped: the game shows
          // it again where it puts it.
          if (bannerKind >= 10) this.playfield.pickUp();
          break;
        }
        case 'over':
          this.winners = words.slice(1).join(' ');
          if (this.online && friends.cutShort) this.early = true;
          // Let the last banner be seen first.
          this.resultsTimer = window.setTimeout(() => this.showResults(), BANNER_MS + 200);
          break;
        default:
          break;
      }
    }
  }

  started(maxForce: number, minimumForce: number): void {
    this.playfield.maxForce = maxForce;
    this.playfield.minimumForce = minimumForce;
  }

  /** The online game is over before its end: its results so far. */
  endEarly(): void {
    if (this.winners !== null) return;
    this.winners = '';
    this.early = true;
    clearTimeout(this.resultsTimer);
    this.resultsTimer = window.setTimeout(() => this.showResults(), BANNER_MS + 200);
  }

  showResults(): void {
    if (this.winners === null) return;
    screen = 'results';
    document.body.classList.remove('in-game');
    const board = this.board;
    const winnerNames = this.winners.split(', ').filter((n) => n !== '');
    let headline = '';
    const persons = board?.players.filter((p) => p.kind === 'here') ?? [];
    if (winnerNames.length === 1) {
      const winner = board?.players.find((p) => p.name === winnerNames[0]);
      headline = winner?.kind === 'here' ? fill(t.wellPlayed, winnerNames[0]) : fill(t.wins, winnerNames[0]);
    } else if (winnerNames.length > 1) {
      headline = fill(t.shareWin, winnerNames.slice(0, -1).join(', '), winnerNames[winnerNames.length - 1]);
    }
    if (this.early) headline = t.endedEarly;
    const table = el('table', { className: 'standings' });
    const head = table.createTHead().insertRow();
    head.append(el('th', { scope: 'col', textContent: t.player }), el('th', { scope: 'col', textContent: t.strokes }));
    const body = table.createTBody();
    const players = [...(board?.players ?? [])].sort((a, b) => a.total - b.total);
    for (const p of players) {
      const row = body.insertRow();
      if (winnerNames.includes(p.name) && !this.early) row.className = 'winner';
      const name = el('th', { scope: 'row' },
        Object.assign(el('span', { className: 'swatch' }), { style: `background:${cssColour(p.colour)}` }),
        p.kind === 'computer' ? fill(t.computerSuffix, p.name) : p.name + (persons.length === 1 && p.kind === 'here' ? ` ${t.you}` : ''));
      row.append(name, el('td', { textContent: String(p.total) }));
    }
    const holesPlayed = board?.holes.length ?? 0;
    const again = button(t.playAgain, () => {
      if (this.online) friends.playAgain();
      else if (lastGame) startGame(lastGame.players, lastGame.levels);
    }, 'primary big');
    const more = this.online ? friends.resultsActions() : [];
    this.dispose();
    main.replaceChildren(el('div', { className: 'card results' },
      el('h1', { textContent: t.gameOver }),
      el('p', { className: 'headline', textContent: headline }),
      el('p', { className: 'hint', textContent: this.early ? t.standingsSoFar : fill(holesPlayed === 1 ? t.finalStandings1 : t.finalStandingsN, holesPlayed) }),
      table,
      el('div', { className: 'row' }, button(t.back, () => { game = null; showStart(); }), ...more, again)));
    say(`${t.gameOver}. ${headline}`);
    again.focus();
  }
}

let game: GameScreen | null = null;

worker.onmessage = (event: MessageEvent<FromWorker>) => {
  const m = event.data;
  switch (m.type) {
    case 'loaded':
      shipped = m.levels;
      courses = m.courses;
      today = m.today;
      if (screen === 'start') showStart();
      else if (screen === 'friends' || screen === 'link') friends.rerender();
      break;
    case 'daily': {
      today = m.today ?? today;
      const waiting = todayWaiting;
      todayWaiting = [];
      for (const resolve of waiting) resolve(m.today);
      break;
    }
    case 'failed':
      loadError = m.message;
      if (screen === 'start') showStart();
      else say(fill(t.loadFailed, m.message));
      break;
    case 'started':
      game?.started(m.maxForce, m.minimumForce);
      friends.handle(m);
      break;
    case 'events':
      // The lobby's lines first: "started" makes the game screen the playing lines go to.
      friends.handle(m);
      if (screen === 'game' || screen === 'results') game?.handle(m);
      break;
    default:
      friends.handle(m);
      break;
  }
};

applyLanguage();
// An invite link (#CODE) leads straight to the name and Join.
const invited = codeFromHash(location.hash);
if (invited !== '') friends.showLink(invited);
else showStart();
// A link pasted into this tab's address bar changes only the fragment.
window.addEventListener('hashchange', () => {
  const code = codeFromHash(location.hash);
  if (code !== '' && (screen === 'start' || screen === 'friends' || screen === 'link')) friends.showLink(code);
});
send({ type: 'load', base, time: Date.now() });
// Playing with friends needs the network: its screens tell when it goes and comes back.
for (const change of ['online', 'offline']) {
  window.addEventListener(change, () => {
    if (screen === 'friends' || screen === 'link') friends.rerender();
    // The start screen's offer of a lost room's seat needs the network too.
    if (screen === 'start' && friends.rejoinOffer() !== null) showStart();
  });
}
// The service worker (written by the build) keeps the whole site for playing offline; the
// development server has none.
if (import.meta.env.PROD && 'serviceWorker' in navigator) {
  navigator.serviceWorker.register('sw.js').catch(() => {
    // Without it the page works as before, only not offline.
  });
}

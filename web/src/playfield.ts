// The playfield: the level, the balls, the aim and the force meter on one canvas at the
// screen's pixel density, and the input that aims and putts. It only shows what the game
// says and forwards what the player does; the game itself runs in the worker.
import type { BoardData, LevelData } from './api';
import { ViewState } from './api';
import type { LevelPainter } from './painter';
import { BALL_RADIUS, BallSprite, rgbOf } from './render/ball';
import { drawAim, drawForceMeter } from './render/aim';
import { drawFlags, flagSpots, type FlagSpot } from './render/level';

export interface PlayfieldInput {
  aim(heading: number): void;
  charge(): void;
  release(): void;
  cancel(): void;
  putt(heading: number, force: number): void;
  hurry(): void;
  gesture(): void;
}

interface Path {
  start: number;
  ms: number;
  points: number[];
}

interface Waiting {
  ball: BallSprite;
  holed: boolean;
}

// Aim steps of the arrow keys, in radians.
const AIM_STEP = Math.PI / 90;
const FINE_AIM_STEP = Math.PI / 1800;

export class Playfield {
  readonly canvas: HTMLCanvasElement;
  private ctx: CanvasRenderingContext2D;
  private level: LevelData | null = null;
  private flags: FlagSpot[] = [];
  private picture: ImageBitmap | null = null;
  // Device pixels a block in the picture, and wanted for the present size.
  private pictureBlock = 0;
  private wantedBlock = 0;
  // A level that fits the screen better across is drawn a quarter turn clockwise.
  private turned = false;
  private drawnKey = '';
  // Layout in CSS pixels.
  private width = 0;
  private height = 0;
  private ratio = 1;
  private block = 1;
  private left = 0;
  private top = 0;
  private meter = { x: 0, y: 0, w: 18, h: 0 };

  private ball = new BallSprite();
  private ballShown = false;
  private ballKey = '';
  private pendingBall: { x: number; y: number; r: number } | null = null;
  private waiting = new Map<string, Waiting>();
  // Players who have not putted on this hole yet wait at the tee.
  private atTee: BallSprite[] = [];
  private teeKey = '';
  private path: Path | null = null;
  private aim = 0;
  private aimShown = false;
  private aimLines = false;
  private force = 0;
  private forceShown = false;
  private state: number = ViewState.NoGame;
  private playableHere = false;
  maxForce = 80;
  minimumForce = 0;

  private drag: { id: number; x: number; y: number; force: number; weak: boolean; live: boolean } | null = null;
  private pendingAim: number | null = null;
  private charging = false;
  private frameRequest = 0;
  private resizeObserver: ResizeObserver;

  constructor(private readonly host: HTMLElement, private readonly painter: LevelPainter,
    private readonly input: PlayfieldInput) {
    this.canvas = document.createElement('canvas');
    this.canvas.className = 'playfield';
    this.canvas.tabIndex = 0;
    this.canvas.setAttribute('role', 'img');
    host.append(this.canvas);
    this.ctx = this.canvas.getContext('2d')!;
    this.resizeObserver = new ResizeObserver(() => this.layout());
    this.resizeObserver.observe(host);
    this.canvas.addEventListener('pointerdown', (e) => this.pointerDown(e));
    this.canvas.addEventListener('pointermove', (e) => this.pointerMove(e));
    this.canvas.addEventListener('pointerup', (e) => this.pointerUp(e));
    this.canvas.addEventListener('pointercancel', (e) => this.pointerCancel(e));
    this.canvas.addEventListener('contextmenu', (e) => e.preventDefault());
    this.layout();
    this.loop();
  }

  dispose(): void {
    cancelAnimationFrame(this.frameRequest);
    this.resizeObserver.disconnect();
    this.canvas.remove();
  }

  // --- What the game says ---

  setLevel(level: LevelData): void {
    this.level = level;
    this.flags = flagSpots(level);
    this.picture = null;
    this.pictureBlock = 0;
    this.wantedBlock = 0;
    this.drawnKey = '';
    this.waiting.clear();
    this.path = null;
    this.ballShown = false;
    this.aimShown = false;
    this.layout();
  }

  setState(state: number): void {
    this.state = state;
    this.canvas.dataset.state = String(state);
    if (state !== ViewState.Charging) this.charging = false;
    if (state !== ViewState.Aiming && state !== ViewState.Charging) this.drag = null;
  }

  setTurn(playableHere: boolean): void {
    this.playableHere = playableHere;
    this.canvas.dataset.turn = playableHere ? 'here' : 'other';
    this.aimShown = false;
    this.drag = null;
  }

  /** "ball X Y R COLOUR PATTERN TRANSPARENT", or null for "ball none". */
  showBall(b: { x: number; y: number; r: number; colour: number; pattern: number; transparent: boolean } | null): void {
    if (!b) {
      this.ballShown = false;
      this.ballKey = '';
      return;
    }
    const key = `${b.colour}/${b.pattern}`;
    if (key !== this.ballKey) {
      // Another player's ball: the one shown so far waits where it lies.
      this.parkShownBall();
      this.ball = new BallSprite();
      this.ball.setStyle(b.colour, b.pattern, b.transparent);
      this.ball.placeAt(b.x, b.y, b.r);
      this.ballKey = key;
      this.waiting.delete(key);
    } else {
      this.ball.setStyle(b.colour, b.pattern, b.transparent);
      if (this.path) this.pendingBall = { x: b.x, y: b.y, r: b.r };
      else this.ball.placeAt(b.x, b.y, b.r);
    }
    this.ballShown = true;
  }

  private parkShownBall(): void {
    if (this.ballShown && this.ballKey !== '' && this.ball.r >= BALL_RADIUS - 1e-6) {
      this.waiting.set(this.ballKey, { ball: this.ball, holed: false });
    }
  }

  /** The score board: who has not putted on this hole yet. */
  setBoard(board: BoardData): void {
    this.atTee = [];
    for (const p of board.players) {
      if (board.hole < 0 || (p.strokes[board.hole] ?? 0) > 0) continue;
      const ball = new BallSprite();
      ball.setStyle(p.colour, p.pattern, false);
      this.atTee.push(ball);
    }
    this.teeKey = this.atTee.map((b) => `${b.colour}/${b.pattern}`).join(';');
    // Where the others' balls lie, as the game says: right after joining a game under way (a
    // rejoin, say) this page has not seen them roll there.
    for (const p of board.players) {
      if (p.ball === undefined) continue;
      const key = `${p.colour}/${p.pattern}`;
      if (key === this.ballKey && this.ballShown) continue;
      if (p.ball === null) {
        this.waiting.delete(key);
        continue;
      }
      const known = this.waiting.get(key);
      if (known && known.ball.x === p.ball[0] && known.ball.y === p.ball[1]) continue;
      const ball = new BallSprite();
      ball.setStyle(p.colour, p.pattern, false);
      ball.placeAt(p.ball[0], p.ball[1], p.ball[2]);
      this.waiting.set(key, { ball, holed: false });
    }
  }

  setAim(heading: number, lines: boolean): void {
    this.aim = heading;
    this.aimLines = lines;
    this.aimShown = true;
  }

  setForce(force: number, shown: boolean): void {
    this.force = force;
    this.forceShown = shown;
  }

  /** "path MS X Y R ...": the ball rolls through these from now. */
  roll(ms: number, points: number[]): void {
    this.aimShown = false;
    this.forceShown = false;
    this.path = { start: performance.now(), ms: Math.max(1, ms), points };
  }

  /** "rest X Y 0|1": the roll is over; a ball in the cup is gone. */
  rest(x: number, y: number, inCup: boolean): void {
    this.path = null;
    const pending = this.pendingBall;
    this.pendingBall = null;
    if (inCup) {
      this.ballShown = false;
      this.ballKey = '';
      return;
    }
    this.ball.placeAt(pending?.x ?? x, pending?.y ?? y, pending?.r ?? this.ball.r);
  }

  /** The shown ball is taken away until the game shows it again (lost, or over the limit). */
  pickUp(): void {
    this.path = null;
    this.ballShown = false;
    this.ballKey = '';
  }

  private hiddenAt = -1;

  /** The page is hidden or shown again: the game's clock stops meanwhile, and so does the roll. */
  setVisible(visible: boolean): void {
    const now = performance.now();
    if (!visible && this.hiddenAt < 0) this.hiddenAt = now;
    if (visible && this.hiddenAt >= 0) {
      if (this.path) this.path.start += now - this.hiddenAt;
      this.hiddenAt = -1;
    }
  }

  // --- Layout and drawing ---

  private layout(): void {
    const rect = this.host.getBoundingClientRect();
    this.width = Math.max(1, Math.floor(rect.width));
    this.height = Math.max(1, Math.floor(rect.height));
    this.ratio = Math.max(1, window.devicePixelRatio || 1);
    // Setting a canvas' size clears it, even to the same size: draw it all again.
    this.canvas.width = Math.round(this.width * this.ratio);
    this.canvas.height = Math.round(this.height * this.ratio);
    this.drawnKey = '';
    this.canvas.style.width = `${this.width}px`;
    this.canvas.style.height = `${this.height}px`;
    if (!this.level) return;
    // The force meter's strip left of the level, narrower on a small screen.
    const strip = Math.round(Math.min(48, Math.max(28, Math.min(this.width, this.height) * 0.08)));
    const gap = 6;
    const roomW = this.width - strip - gap;
    const roomH = this.height - 2 * gap;
    const fit = (across: number, down: number) => Math.max(1, Math.min(roomW / across, roomH / down));
    const straight = fit(this.level.width, this.level.height);
    const quarter = fit(this.level.height, this.level.width);
    this.turned = quarter > straight * 1.15;
    const cssBlock = this.turned ? quarter : straight;
    // Whole device pixels a block, so the picture is drawn one to one.
    const deviceBlock = Math.max(1, Math.floor(cssBlock * this.ratio));
    this.block = deviceBlock / this.ratio;
    const [shownW, shownH] = this.shownSize();
    const used = strip + shownW;
    const x0 = Math.floor((this.width - used) / 2);
    this.left = Math.round((x0 + strip) * this.ratio) / this.ratio;
    this.top = Math.round(((this.height - shownH) / 2) * this.ratio) / this.ratio;
    const meterW = Math.max(12, Math.min(18, strip * 0.4));
    this.meter = { x: x0 + (strip - meterW) / 2, y: this.top, w: meterW, h: shownH };
    // Where the cups are, for tools that drive the page (CSS pixels from the canvas' corner).
    this.canvas.dataset.cups = this.flags.map((f) => this.toScreen(f.x, f.y).map((v) => v.toFixed(1)).join(',')).join(' ');
    if (deviceBlock !== this.wantedBlock) {
      this.wantedBlock = deviceBlock;
      this.painter.drop(false, true);
      const level = this.level;
      const take = (bitmap: ImageBitmap | null, size: number) => {
        if (bitmap && this.level === level && (size === this.wantedBlock || this.pictureBlock !== this.wantedBlock)) {
          this.picture = bitmap;
          this.pictureBlock = size;
        }
      };
      // A coarse picture at once, then the sharp one.
      const coarse = Math.max(2, Math.floor(deviceBlock / 4));
      if (!this.picture && coarse < deviceBlock) {
        void this.painter.paint(level, coarse, true).then((bitmap) => take(bitmap, coarse));
      }
      void this.painter.paint(level, deviceBlock, true).then((bitmap) => take(bitmap, deviceBlock));
    }
  }

  // The level's size on the screen, in CSS pixels.
  private shownSize(): [number, number] {
    if (!this.level) return [0, 0];
    const w = this.block * this.level.width;
    const h = this.block * this.level.height;
    return this.turned ? [h, w] : [w, h];
  }

  // A point of the level (blocks) on the canvas (CSS pixels), and back.
  private toScreen(x: number, y: number): [number, number] {
    if (this.turned && this.level) return [this.left + (this.level.height - y) * this.block, this.top + x * this.block];
    return [this.left + x * this.block, this.top + y * this.block];
  }

  /**
   * What a note over the level must leave in sight: every cup and the ball in play, as circles
   * in the canvas' CSS pixels.
   */
  spotsToKeepClear(): { x: number; y: number; r: number }[] {
    const spots = this.flags.map((f) => {
      const [x, y] = this.toScreen(f.x, f.y);
      return { x, y, r: this.block * 0.8 };
    });
    if (this.ballShown) {
      const [x, y] = this.toScreen(this.ball.x, this.ball.y);
      spots.push({ x, y, r: this.block * 0.6 });
    }
    return spots;
  }

  /** The level's rectangle on the canvas, in CSS pixels. */
  shownRect(): { x: number; y: number; w: number; h: number } {
    const [w, h] = this.shownSize();
    return { x: this.left, y: this.top, w, h };
  }

  private fromScreen(sx: number, sy: number): [number, number] {
    if (this.turned && this.level) return [(sy - this.top) / this.block, this.level.height - (sx - this.left) / this.block];
    return [(sx - this.left) / this.block, (sy - this.top) / this.block];
  }

  private loop(): void {
    this.frameRequest = requestAnimationFrame(() => {
      this.advancePath();
      if (this.pendingAim !== null) {
        this.input.aim(this.pendingAim);
        this.pendingAim = null;
      }
      this.draw();
      this.loop();
    });
  }

  private advancePath(): void {
    const path = this.path;
    if (!path) return;
    const count = path.points.length / 3;
    if (count === 0) return;
    const t = (performance.now() - path.start) / path.ms;
    const i = Math.min(count - 1, Math.max(0, Math.floor(t)));
    const j = Math.min(count - 1, i + 1);
    const f = Math.min(1, Math.max(0, t - i));
    const p = path.points;
    const x = p[i * 3] + (p[j * 3] - p[i * 3]) * f;
    const y = p[i * 3 + 1] + (p[j * 3 + 1] - p[i * 3 + 1]) * f;
    const r = p[i * 3 + 2] + (p[j * 3 + 2] - p[i * 3 + 2]) * f;
    this.ball.rollTo(x, y, r);
  }

  // What the picture shows; an unchanged picture is not drawn again (a phone's battery).
  private sceneKey(): string {
    const d = this.drag;
    const waiting = [...this.waiting.values()].map((w) => `${w.ball.x},${w.ball.y},${w.holed}`).join(';');
    return [this.canvas.width, this.canvas.height, this.pictureBlock, this.picture ? 1 : 0, this.ballShown, this.ball.x,
      this.ball.y, this.ball.r, this.ball.colour, this.ball.pattern, this.ball.transparent, this.aim, this.aimShown, this.aimLines, this.forceShown, this.force,
      this.state, this.playableHere, d ? `${d.x},${d.y},${d.live}` : '', waiting, this.teeKey, this.ballKey, this.path ? 1 : 0].join('|');
  }

  private draw(): void {
    const key = this.sceneKey();
    if (key === this.drawnKey) return;
    this.drawnKey = key;
    const ctx = this.ctx;
    ctx.setTransform(this.ratio, 0, 0, this.ratio, 0, 0);
    ctx.clearRect(0, 0, this.width, this.height);
    if (!this.level) return;
    const [shownW, shownH] = this.shownSize();
    // A soft shadow under the course, as if it lay on the table.
    ctx.save();
    ctx.shadowColor = 'rgba(0,0,0,0.35)';
    ctx.shadowBlur = 16;
    ctx.shadowOffsetY = 4;
    ctx.fillStyle = 'rgb(46,110,52)';
    ctx.fillRect(this.left, this.top, shownW, shownH);
    ctx.restore();
    if (this.picture) {
      const w = Math.round(this.block * this.level.width * this.ratio);
      const h = Math.round(this.block * this.level.height * this.ratio);
      ctx.save();
      ctx.setTransform(1, 0, 0, 1, 0, 0);
      ctx.imageSmoothingEnabled = this.pictureBlock !== this.wantedBlock;
      ctx.translate(Math.round(this.left * this.ratio), Math.round(this.top * this.ratio));
      if (this.turned) {
        ctx.translate(h, 0);
        ctx.rotate(Math.PI / 2);
      }
      ctx.drawImage(this.picture, 0, 0, w, h);
      ctx.restore();
    }
    const turn = this.turned ? Math.PI / 2 : 0;
    const [teeX, teeY] = this.toScreen(this.level.start[0], this.level.start[1]);
    for (const b of this.atTee) {
      const key = `${b.colour}/${b.pattern}`;
      if (key !== this.ballKey && !this.waiting.has(key)) b.drawAt(ctx, teeX, teeY, this.block, turn, true);
    }
    for (const w of this.waiting.values()) {
      if (w.holed) continue;
      const [wx, wy] = this.toScreen(w.ball.x, w.ball.y);
      w.ball.drawAt(ctx, wx, wy, this.block, turn, true);
    }
    const colour = rgbOf(this.ball.colour);
    const ring = `rgb(${colour.map((c) => Math.min(255, Math.round(c * 1.15))).join(',')})`;
    const [cx, cy] = this.toScreen(this.ball.x, this.ball.y);
    const myAim = this.playableHere && (this.state === ViewState.Aiming || this.state === ViewState.Charging);
    if (this.ballShown && !this.path && (this.aimShown || myAim)) {
      const lines = this.aimShown && this.aimLines && !(this.drag && !this.drag.live);
      drawAim(ctx, cx, cy, this.ball.r * this.block, this.aim + turn, ring, myAim, lines);
    }
    const flags = this.flags.map((f) => {
      const [x, y] = this.toScreen(f.x, f.y);
      return { x: x / this.block, y: y / this.block };
    });
    drawFlags(ctx, flags, 0, 0, this.block);
    if (this.ballShown) this.ball.drawAt(ctx, cx, cy, this.block, turn, false);
    // Where the ball is, for tools that drive the page (CSS pixels from the canvas' corner).
    const where = this.ballShown ? `${cx.toFixed(1)},${cy.toFixed(1)}` : '';
    if (this.canvas.dataset.ball !== where) this.canvas.dataset.ball = where;
    const m = this.meter;
    if (this.drag && this.drag.live) {
      drawForceMeter(ctx, m.x, m.y, m.w, m.h, this.drag.force / this.maxForce, this.drag.weak);
    } else if (this.forceShown) {
      const share = Math.min(1, this.force / this.maxForce);
      const shake = share * share * 3 * Math.sin(this.force * 91);
      drawForceMeter(ctx, m.x + shake, m.y, m.w, m.h, share);
    }
  }

  // --- Input ---

  private toLevel(e: PointerEvent): { x: number; y: number } {
    const r = this.canvas.getBoundingClientRect();
    const [x, y] = this.fromScreen(e.clientX - r.left, e.clientY - r.top);
    return { x, y };
  }

  private aiming(): boolean {
    return this.playableHere && this.ballShown && this.state === ViewState.Aiming;
  }

  private pointerDown(e: PointerEvent): void {
    this.input.gesture();
    this.canvas.focus({ preventScroll: true });
    if (e.pointerType === 'mouse') {
      if (e.button === 2) this.callOff();
      if (e.button !== 0) return;
      if (this.aiming()) {
        this.mouseAim(e);
        this.charging = true;
        this.canvas.setPointerCapture(e.pointerId);
        this.input.charge();
      }
      return;
    }
    if (this.aiming() && !this.drag) {
      this.canvas.setPointerCapture(e.pointerId);
      this.drag = { id: e.pointerId, x: 0, y: 0, force: 0, weak: true, live: false };
      this.touchDrag(e);
      e.preventDefault();
    }
  }

  private pointerMove(e: PointerEvent): void {
    if (e.pointerType === 'mouse') {
      // The right button pressed while the left is held comes as a move.
      if (e.button === 2) this.callOff();
      if (this.playableHere && (this.state === ViewState.Aiming || this.state === ViewState.Charging)) this.mouseAim(e);
      return;
    }
    if (this.drag && e.pointerId === this.drag.id) {
      this.touchDrag(e);
      e.preventDefault();
    }
  }

  private pointerUp(e: PointerEvent): void {
    if (e.pointerType === 'mouse') {
      if (e.button === 0 && this.charging) {
        this.charging = false;
        this.input.release();
      }
      return;
    }
    const drag = this.drag;
    if (drag && e.pointerId === drag.id) {
      this.touchDrag(e);
      this.drag = null;
      if (drag.live && !drag.weak && this.aiming()) {
        this.pendingAim = null;
        this.input.putt(this.dragHeading(drag), drag.force);
      }
    }
  }

  private pointerCancel(e: PointerEvent): void {
    if (this.drag && e.pointerId === this.drag.id) this.drag = null;
    if (e.pointerType === 'mouse' && this.charging) {
      this.charging = false;
      this.input.cancel();
    }
  }

  // The right button calls a putt off while the force builds up; the left button's release
  // then putts nothing.
  private callOff(): void {
    if (this.charging) {
      this.charging = false;
      this.input.cancel();
    }
  }

  // The ball goes away from the pointer, as on the desktop.
  private mouseAim(e: PointerEvent): void {
    const p = this.toLevel(e);
    const dx = p.x - this.ball.x;
    const dy = p.y - this.ball.y;
    if (dx === 0 && dy === 0) return;
    this.pendingAim = Math.atan2(dy, dx) + Math.PI;
  }

  private dragHeading(drag: { x: number; y: number }): number {
    return Math.atan2(-drag.y, -drag.x);
  }

  // A drag back from the ball: its direction aims the other way, its length sets the force.
  // Back on the ball, no putt.
  private touchDrag(e: PointerEvent): void {
    const drag = this.drag!;
    const p = this.toLevel(e);
    drag.x = (p.x - this.ball.x) * this.block;
    drag.y = (p.y - this.ball.y) * this.block;
    const distance = Math.hypot(drag.x, drag.y);
    const dead = Math.max(18, 1.7 * BALL_RADIUS * this.block);
    const range = Math.min(260, Math.max(100, 0.38 * Math.min(this.width, this.height)));
    drag.live = distance > dead;
    // Gentle putts need fine control: the force grows with the square of the pull.
    const pull = Math.min(1, Math.max(0, (distance - dead) / range));
    drag.force = pull * pull * this.maxForce;
    drag.weak = drag.force <= this.minimumForce;
    if (drag.live) this.pendingAim = this.dragHeading(drag);
  }

  /** Keys while the game is shown; true when the key was the game's. */
  key(e: KeyboardEvent, down: boolean): boolean {
    if (e.key === 'ArrowLeft' || e.key === 'ArrowRight') {
      if (down && this.playableHere && (this.state === ViewState.Aiming || this.state === ViewState.Charging)) {
        const step = e.shiftKey ? FINE_AIM_STEP : AIM_STEP;
        this.aim += e.key === 'ArrowLeft' ? -step : step;
        this.aimShown = true;
        this.aimLines = true;
        this.pendingAim = this.aim;
      }
      return true;
    }
    if (e.key === ' ' || e.code === 'Space') {
      if (down && !e.repeat) {
        this.input.gesture();
        if (this.path) {
          this.hurry();
        } else if (this.aiming()) {
          if (this.pendingAim !== null) {
            this.input.aim(this.pendingAim);
            this.pendingAim = null;
          }
          this.charging = true;
          this.input.charge();
        }
      } else if (!down && this.charging) {
        this.charging = false;
        this.input.release();
      }
      return true;
    }
    if (e.key === 'Escape' && down) {
      if (this.charging) {
        this.charging = false;
        this.input.cancel();
      } else if (this.drag) {
        this.drag = null;
      } else if (this.path) {
        this.hurry();
      }
      return true;
    }
    return false;
  }

  private hurry(): void {
    this.input.hurry();
  }
}


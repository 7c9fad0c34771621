// Balls in the modern look: a soft shadow, a lit body, the pattern's dots turning as the ball
// rolls, and a shine on top; a waiting ball paler, with a white outline. As the desktop draws them.

export const BALL_RADIUS = 0.35;

interface Point3 { x: number; y: number; z: number }

function rotated(p: Point3, a: number, b: number, c: number): Point3 {
  const ca = Math.cos(a), sa = Math.sin(a);
  const cb = Math.cos(b), sb = Math.sin(b);
  const cc = Math.cos(c), sc = Math.sin(c);
  const m00 = cc * ca;
  const m01 = -sc * cb - cc * sa * sb;
  const m02 = sc * sb - cc * sa * cb;
  const m10 = sc * ca;
  const m11 = cc * cb - sc * sa * sb;
  const m12 = -cc * sb - sc * sa * cb;
  const m20 = sa;
  const m21 = ca * sb;
  const m22 = ca * cb;
  return {
    x: m00 * p.x + m01 * p.y + m02 * p.z,
    y: m10 * p.x + m11 * p.y + m12 * p.z,
    z: m20 * p.x + m21 * p.y + m22 * p.z,
  };
}

/** The 192 dots on a ball's surface for a pattern (0-5 spirals, 6-7 circles, 8 plain). */
export function patternDots(pattern: number, radius = BALL_RADIUS): Point3[] {
  const origin = { x: radius, y: 0, z: 0 };
  const step = (2 * Math.PI) / 64;
  const points: Point3[] = [];
  if (pattern >= 0 && pattern <= 5) {
    for (let i = 0; i < 192; ++i) {
      const t = i * step;
      let a = 0, b = 0, c = 0;
      switch (pattern) {
        case 0: a = t / 2 / 1.5; b = t / 2 / 1.5; c = t / 1.5; break;
        case 1: a = (2 * t) / 3; b = t / 3; c = t / 3; break;
        case 2: a = t / 2 / 1.5; b = (2 * t) / 1.5; c = (2 * t) / 1.5; break;
        case 3: a = t; b = t / 2; c = t / 3; break;
        case 4: a = (3 * t) / 2; b = (3 * t) / 4; c = (3 * t) / 8; break;
        default: a = t; b = t / 3; c = (2 * t) / 3; break;
      }
      points.push(rotated(origin, a, b, c));
    }
    return points;
  }
  const first: Point3[] = [], second: Point3[] = [], third: Point3[] = [];
  for (let i = 0; i < 64; ++i) {
    const t = i * step;
    first.push(rotated(origin, t, 0, 0));
    second.push(rotated(origin, 0, 0, t));
    third.push(pattern === 6 ? rotated(origin, t, 0, Math.PI / 2) : rotated(origin, t, 0, t));
  }
  return [...first, ...second, ...third];
}

/** A ball as the page shows it: where it is (blocks), its style, and its dots as they have turned. */
export class BallSprite {
  x = 0;
  y = 0;
  r = BALL_RADIUS;
  colour = 0xffffff;
  pattern = 8;
  transparent = false;
  private dots: Point3[] = patternDots(8);
  private dotsPattern = 8;

  setStyle(colour: number, pattern: number, transparent: boolean): void {
    this.colour = colour;
    this.transparent = transparent;
    if (pattern !== this.dotsPattern) {
      this.dots = patternDots(pattern);
      this.dotsPattern = pattern;
    }
    this.pattern = pattern;
  }

  /** Moves the ball, turning its dots by the roll a move over the ground makes. */
  rollTo(x: number, y: number, r: number): void {
    const dx = x - this.x;
    const dy = y - this.y;
    if ((dx !== 0 || dy !== 0) && Math.abs(dx) + Math.abs(dy) < 2) {
      const a = -dx / BALL_RADIUS;
      const b = -dy / BALL_RADIUS;
      this.dots = this.dots.map((p) => rotated(p, a, b, 0));
    }
    this.x = x;
    this.y = y;
    this.r = r;
  }

  placeAt(x: number, y: number, r: number): void {
    this.x = x;
    this.y = y;
    this.r = r;
  }

  /**
   * Draws the ball with its centre at (cx, cy), `scale` units a block, on a level shown turned
   * by `turn` (0 or a quarter turn clockwise): the light still comes from the upper left.
   */
  drawAt(ctx: CanvasRenderingContext2D, cx: number, cy: number, scale: number, turn: number, waiting: boolean): void {
    const radius = this.r * scale;
    if (radius < 0.5) return;
    const turned = turn !== 0;
    const colour = rgbOf(this.colour);
    const sinking = this.r < BALL_RADIUS - 1e-6;
    ctx.save();
    paintBody(ctx, cx, cy, radius, colour, waiting, !sinking);
    if (!sinking && this.pattern !== 8) {
      const size = Math.max(1 / (window.devicePixelRatio || 1), radius * 0.15);
      const near = towards(colour, [0, 0, 0], 0.55);
      const far = towards(colour, [255, 255, 255], 0.3);
      for (const p of this.dots) {
        if (p.z <= 0 && !this.transparent) continue;
        const c = p.z > 0 ? near : far;
        const z = Math.abs(p.z) / BALL_RADIUS;
        const alpha = (waiting ? 0.6 : 1) * (0.35 + 0.65 * z);
        ctx.fillStyle = `rgba(${c[0]},${c[1]},${c[2]},${alpha.toFixed(3)})`;
        const dx = turned ? -p.y : p.x;
        const dy = turned ? p.x : p.y;
        ctx.fillRect(cx + dx * scale - size / 2, cy + dy * scale - size / 2, size, size);
      }
    }
    paintShine(ctx, cx, cy, radius, waiting);
    ctx.restore();
  }
}

type Rgb3 = [number, number, number];

/** 0xBBGGRR as red, green, blue. */
export function rgbOf(value: number): Rgb3 {
  return [value & 0xff, (value >> 8) & 0xff, (value >> 16) & 0xff];
}

export function cssColour(value: number): string {
  const [r, g, b] = rgbOf(value);
  return `rgb(${r},${g},${b})`;
}

function towards(from: Rgb3, to: Rgb3, t: number): Rgb3 {
  return [
    Math.round(from[0] + (to[0] - from[0]) * t),
    Math.round(from[1] + (to[1] - from[1]) * t),
    Math.round(from[2] + (to[2] - from[2]) * t),
  ];
}

const css = (c: Rgb3, alpha = 1) => `rgba(${c[0]},${c[1]},${c[2]},${alpha})`;

function paintBody(ctx: CanvasRenderingContext2D, cx: number, cy: number, radius: number, colour: Rgb3,
  waiting: boolean, shadow: boolean): void {
  if (shadow) {
    const ax = cx + 0.22 * radius;
    const ay = cy + 0.3 * radius;
    const shade = ctx.createRadialGradient(ax, ay, 0, ax, ay, radius * 1.12);
    shade.addColorStop(0, `rgba(0,0,0,${(waiting ? 50 : 95) / 255})`);
    shade.addColorStop(0.75, `rgba(0,0,0,${(waiting ? 25 : 45) / 255})`);
    shade.addColorStop(1, 'rgba(0,0,0,0)');
    ctx.fillStyle = shade;
    ctx.beginPath();
    ctx.arc(ax, ay, radius * 1.12, 0, Math.PI * 2);
    ctx.fill();
  }
  ctx.globalAlpha = waiting ? 0.6 : 1;
  const fx = cx - 0.38 * radius;
  const fy = cy - 0.42 * radius;
  const body = ctx.createRadialGradient(fx, fy, 0, cx, cy, radius);
  body.addColorStop(0, css(towards(colour, [255, 255, 255], 0.65)));
  body.addColorStop(0.45, css(colour));
  body.addColorStop(1, css(waiting ? colour : towards(colour, [0, 0, 0], 0.3)));
  ctx.fillStyle = body;
  ctx.beginPath();
  ctx.arc(cx, cy, radius, 0, Math.PI * 2);
  ctx.fill();
  ctx.globalAlpha = 1;
}

function paintShine(ctx: CanvasRenderingContext2D, cx: number, cy: number, radius: number, waiting: boolean): void {
  const ax = cx - 0.4 * radius;
  const ay = cy - 0.45 * radius;
  const shine = ctx.createRadialGradient(ax, ay, 0, ax, ay, radius * 0.45);
  shine.addColorStop(0, `rgba(255,255,255,${(waiting ? 120 : 200) / 255})`);
  shine.addColorStop(1, 'rgba(255,255,255,0)');
  ctx.fillStyle = shine;
  ctx.beginPath();
  ctx.arc(ax, ay, radius * 0.45, 0, Math.PI * 2);
  ctx.fill();
  if (waiting) {
    ctx.strokeStyle = 'rgba(255,255,255,0.9)';
    ctx.lineWidth = Math.max(1, radius / 7);
    ctx.beginPath();
    ctx.arc(cx, cy, radius, 0, Math.PI * 2);
    ctx.stroke();
  }
}

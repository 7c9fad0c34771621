// A level in the modern look, worked out pixel by pixel as the desktop's modern renderer does:
// textured materials with anti-aliased shape edges, walls raised with a bevel and a drop
// shadow, water deeper away from its rim, chevrons down every slope. Runs in the paint worker
// (a big level at a 4K screen's size takes a while); flags are drawn over it on a canvas.
import type { LevelData } from '../api';
import { Kind, cellAt, holds, inFrontOfShape, isPlain, kindAt } from './blocks';
import { materialColour, type Rgb } from './texture';

type Plane = Uint8Array;

const coverageCache = new Map<string, Plane>();

// Share of each pixel of a block of `size` pixels in the shape's front, 0-255, 4 x 4 samples.
function coverage(shape: number, rotation: number, size: number): Plane {
  const key = `${shape}/${rotation}/${size}`;
  const cached = coverageCache.get(key);
  if (cached) return cached;
  const plane = new Uint8Array(size * size);
  for (let y = 0; y < size; ++y) {
    for (let x = 0; x < size; ++x) {
      let inside = 0;
      for (let s = 0; s < 16; ++s) {
        if (inFrontOfShape(shape, rotation, (x + ((s % 4) + 0.5) / 4) / size, (y + (Math.floor(s / 4) + 0.5) / 4) / size)) {
          ++inside;
        }
      }
      plane[y * size + x] = Math.floor((inside * 255) / 16);
    }
  }
  coverageCache.set(key, plane);
  return plane;
}

// Box blur along rows, then columns; twice it is close to a Gaussian. Edges repeat.
function boxBlur(plane: Plane, w: number, h: number, radius: number): void {
  if (radius < 1 || w < 1 || h < 1) return;
  const window = 2 * radius + 1;
  const line = new Int32Array(Math.max(w, h));
  const pass = (count: number, length: number, index: (i: number, k: number) => number) => {
    for (let i = 0; i < count; ++i) {
      for (let k = 0; k < length; ++k) line[k] = plane[index(i, k)];
      const sample = (k: number) => line[k < 0 ? 0 : k >= length ? length - 1 : k];
      let sum = 0;
      for (let k = -radius; k <= radius; ++k) sum += sample(k);
      for (let k = 0; k < length; ++k) {
        plane[index(i, k)] = Math.floor(sum / window);
        sum += sample(k + radius + 1) - sample(k - radius);
      }
    }
  };
  pass(h, w, (y, x) => y * w + x);
  pass(w, h, (x, y) => y * w + x);
}

function at(plane: Plane, w: number, h: number, x: number, y: number): number {
  const cx = x < 0 ? 0 : x >= w ? w - 1 : x;
  const cy = y < 0 ? 0 : y >= h ? h - 1 : y;
  return plane[cy * w + cx] / 255;
}

export interface LevelPixels {
  width: number;
  height: number;
  /** RGBA, row by row. */
  data: Uint8ClampedArray<ArrayBuffer>;
}

/** The level at `blockSize` pixels a block, its corner at (0, 0); null when empty. */
export function renderLevel(level: LevelData, blockSize: number): LevelPixels | null {
  if (level.width < 1 || level.height < 1 || blockSize < 1) return null;
  const w = level.width * blockSize;
  const h = level.height * blockSize;
  const n = w * h;
  const walls = new Uint8Array(n);
  const waters = new Uint8Array(n);
  const cups = new Uint8Array(n);
  const front = new Uint8Array(n);
  for (let c = 0; c < level.width; ++c) {
    for (let r = 0; r < level.height; ++r) {
      const cell = cellAt(level, c, r);
      const cover = isPlain(cell) ? null : coverage(cell.shape, cell.rotation, blockSize);
      for (let y = 0; y < blockSize; ++y) {
        for (let x = 0; x < blockSize; ++x) {
          const a = cover ? cover[y * blockSize + x] : 0;
          const i = (r * blockSize + y) * w + c * blockSize + x;
          front[i] = a;
          const share = (kind: number) => (cell.backKind === kind ? 255 - a : 0) + (cell.frontKind === kind ? a : 0);
          walls[i] = share(Kind.Wall);
          waters[i] = share(Kind.Water);
          cups[i] = share(Kind.Cup);
        }
      }
    }
  }
  const shadow = walls.slice();
  const bevel = walls.slice();
  const depth = waters.slice();
  const hole = cups.slice();
  const shadowRadius = Math.max(1, Math.floor(blockSize / 7));
  boxBlur(shadow, w, h, shadowRadius);
  boxBlur(shadow, w, h, shadowRadius);
  boxBlur(bevel, w, h, Math.max(1, Math.floor(blockSize / 12)));
  boxBlur(depth, w, h, Math.max(1, Math.floor(blockSize / 3)));
  boxBlur(depth, w, h, Math.max(1, Math.floor(blockSize / 3)));
  boxBlur(hole, w, h, Math.max(1, Math.floor(blockSize / 5)));
  const shadowOffset = Math.max(1, Math.floor(blockSize / 7));
  const bevelStep = Math.max(1, Math.floor(blockSize / 14));

  const out = new Uint8ClampedArray(n * 4);
  const back: Rgb = { r: 0, g: 0, b: 0 };
  const fore: Rgb = { r: 0, g: 0, b: 0 };
  // How deep into water or a cup a pixel lies, for the material of that kind.
  const depthOf = (kind: number, px: number, py: number) =>
    kind === Kind.Water ? Math.min(1, Math.max(0, (at(depth, w, h, px, py) - 0.5) * 2.2))
      : kind === Kind.Cup ? Math.min(1, Math.max(0, (at(hole, w, h, px, py) - 0.5) * 2)) : 1;
  for (let c = 0; c < level.width; ++c) {
    for (let r = 0; r < level.height; ++r) {
      const cell = cellAt(level, c, r);
      for (let y = 0; y < blockSize; ++y) {
        const py = r * blockSize + y;
        for (let x = 0; x < blockSize; ++x) {
          const px = c * blockSize + x;
          const i = py * w + px;
          const a = front[i] / 255;
          let cr = 0, cg = 0, cb = 0;
          if (a < 1) {
            materialColour(cell.backKind, cell.backSlope, px, py, blockSize, depthOf(cell.backKind, px, py), back);
            cr = back.r; cg = back.g; cb = back.b;
          }
          if (a > 0) {
            materialColour(cell.frontKind, cell.frontSlope, px, py, blockSize, depthOf(cell.frontKind, px, py), fore);
            if (a < 1) {
              cr += (fore.r - cr) * a; cg += (fore.g - cg) * a; cb += (fore.b - cb) * a;
            } else {
              cr = fore.r; cg = fore.g; cb = fore.b;
            }
          }
          const wall = walls[i] / 255;
          if (wall > 0) {
            // Lit from the upper left: lighter where the wall begins above or left.
            const light = at(bevel, w, h, px + bevelStep, py + bevelStep) - at(bevel, w, h, px - bevelStep, py - bevelStep);
            const f = 1 + 0.55 * light * wall;
            cr *= f; cg *= f; cb *= f;
          }
          if (wall < 1) {
            const f = 1 - 0.5 * at(shadow, w, h, px - shadowOffset, py - shadowOffset) * (1 - wall);
            cr *= f; cg *= f; cb *= f;
          }
          const o = i * 4;
          out[o] = cr;
          out[o + 1] = cg;
          out[o + 2] = cb;
          out[o + 3] = 255;
        }
      }
    }
  }
  return { width: w, height: h, data: out };
}

export interface FlagSpot { x: number; y: number }

/** Where a flag stands in every group of touching cup blocks, in block units. */
export function flagSpots(level: LevelData): FlagSpot[] {
  const cols = level.width;
  const rows = level.height;
  const group = new Int32Array(cols * rows).fill(-1);
  const spots: FlagSpot[] = [];
  const cupIn = (c: number, r: number, spot: { x: number; y: number; weight: number }) => {
    const cell = cellAt(level, c, r);
    if (!holds(cell, Kind.Cup)) return false;
    for (let s = 0; s < 64; ++s) {
      const u = ((s % 8) + 0.5) / 8;
      const v = (Math.floor(s / 8) + 0.5) / 8;
      if (kindAt(cell, u, v) === Kind.Cup) {
        spot.x += c + u;
        spot.y += r + v;
        spot.weight += 1;
      }
    }
    return true;
  };
  for (let c0 = 0; c0 < cols; ++c0) {
    for (let r0 = 0; r0 < rows; ++r0) {
      const probe0 = { x: 0, y: 0, weight: 0 };
      if (group[r0 * cols + c0] >= 0 || !cupIn(c0, r0, probe0)) continue;
      const spot = { x: 0, y: 0, weight: 0 };
      const id = spots.length;
      group[r0 * cols + c0] = id;
      const stack: [number, number][] = [[c0, r0]];
      while (stack.length > 0) {
        const [c, r] = stack.pop()!;
        cupIn(c, r, spot);
        for (let dc = -1; dc <= 1; ++dc) {
          for (let dr = -1; dr <= 1; ++dr) {
            const nc = c + dc;
            const nr = r + dr;
            const probe = { x: 0, y: 0, weight: 0 };
            if (nc < 0 || nr < 0 || nc >= cols || nr >= rows || group[nr * cols + nc] >= 0 || !cupIn(nc, nr, probe)) continue;
            group[nr * cols + nc] = id;
            stack.push([nc, nr]);
          }
        }
      }
      spots.push(spot.weight > 0 ? { x: spot.x / spot.weight, y: spot.y / spot.weight } : { x: -1, y: -1 });
    }
  }
  return spots.filter((s) => s.x >= 0);
}

/** A flag on a pole standing at each spot; (left, top) the level's corner, `blockSize` per block. */
export function drawFlags(ctx: CanvasRenderingContext2D, spots: FlagSpot[], left: number, top: number, blockSize: number): void {
  const pole = Math.min(70, Math.max(16, blockSize * 1.3));
  ctx.save();
  ctx.lineCap = 'round';
  for (const s of spots) {
    const bx = left + s.x * blockSize;
    const by = top + s.y * blockSize;
    const tx = bx;
    const ty = by - pole;
    // The pole's shadow falls to the lower right, like the walls'.
    ctx.strokeStyle = 'rgba(0,0,0,0.275)';
    ctx.lineWidth = pole / 16;
    ctx.beginPath();
    ctx.moveTo(bx, by);
    ctx.lineTo(bx + pole * 0.55, by + pole * 0.25);
    ctx.stroke();
    ctx.strokeStyle = 'rgb(245,245,240)';
    ctx.lineWidth = pole / 18;
    ctx.beginPath();
    ctx.moveTo(bx, by);
    ctx.lineTo(tx, ty);
    ctx.stroke();
    ctx.beginPath();
    ctx.moveTo(tx, ty);
    ctx.bezierCurveTo(tx + pole * 0.22, ty - pole * 0.06, tx + pole * 0.36, ty + pole * 0.08, tx + pole * 0.55, ty + pole * 0.16);
    ctx.lineTo(tx, ty + pole * 0.36);
    ctx.closePath();
    const cloth = ctx.createLinearGradient(tx, ty, tx + pole * 0.55, ty + pole * 0.2);
    cloth.addColorStop(0, 'rgb(240,50,50)');
    cloth.addColorStop(1, 'rgb(200,20,40)');
    ctx.fillStyle = cloth;
    ctx.fill();
    ctx.strokeStyle = 'rgb(120,10,20)';
    ctx.lineWidth = Math.max(1, pole / 40);
    ctx.lineCap = 'butt';
    ctx.stroke();
    ctx.lineCap = 'round';
    ctx.fillStyle = 'rgb(255,215,90)';
    ctx.beginPath();
    ctx.arc(tx, ty, pole / 22, 0, Math.PI * 2);
    ctx.fill();
  }
  ctx.restore();
}

// The modern look's materials: textured, shaded colours worked out per pixel, with chevrons
// down every slope. The same noise and the same numbers as the desktop's modern renderer, so
// a level looks the same in the browser.

export interface Rgb { r: number; g: number; b: number }

export function mix(a: Rgb, b: Rgb, t: number): Rgb {
  return { r: a.r + (b.r - a.r) * t, g: a.g + (b.g - a.g) * t, b: a.b + (b.b - a.b) * t };
}

export function scaled(c: Rgb, f: number): Rgb {
  return { r: c.r * f, g: c.g * f, b: c.b * f };
}

/** Pseudo-random 0-1 for a lattice point, the same everywhere. */
export function latticeNoise(x: number, y: number, seed: number): number {
  let h = (Math.imul(x, 374761393) + Math.imul(y, 668265263) + Math.imul(seed, 2246822519 | 0)) >>> 0;
  h = Math.imul(h ^ (h >>> 13), 1274126177) >>> 0;
  h = (h ^ (h >>> 16)) >>> 0;
  return (h & 0xffffff) / 16777216;
}

export function smoothNoise(x: number, y: number, seed: number): number {
  const x0 = Math.floor(x);
  const y0 = Math.floor(y);
  let fx = x - x0;
  let fy = y - y0;
  fx = fx * fx * (3 - 2 * fx);
  fy = fy * fy * (3 - 2 * fy);
  const a = latticeNoise(x0, y0, seed);
  const b = latticeNoise(x0 + 1, y0, seed);
  const c = latticeNoise(x0, y0 + 1, seed);
  const d = latticeNoise(x0 + 1, y0 + 1, seed);
  const top = a + (b - a) * fx;
  const bottom = c + (d - c) * fx;
  return top + (bottom - top) * fy;
}

/** Where a pixel lies and, for water and cups, how far in from the rim (0-1). */
export interface TexturePoint {
  px: number;
  py: number;
  blockSize: number;
  depth: number;
}

// One chevron in the middle of every sloped block pointing downhill, over a shade darkening
// downhill across the block.
function chevronLight(slope: number, u: number, v: number): number {
  const angle = slope * 0.78539816;
  const dx = Math.cos(angle);
  const dy = -Math.sin(angle);
  const cu = u - Math.floor(u) - 0.5;
  const cv = v - Math.floor(v) - 0.5;
  const along = cu * dx + cv * dy;
  const across = Math.abs(cu * -dy + cv * dx);
  const arm = along + 0.75 * across - 0.12;
  const stroke = Math.max(0, 1 - Math.abs(arm) / 0.08);
  const reach = Math.min(1, Math.max(0, (0.36 - across) / 0.06));
  return 1 + 0.22 * stroke * reach - 0.1 * along;
}

function grass(p: TexturePoint, u: number, v: number): Rgb {
  const patches = smoothNoise(u * 0.45, v * 0.45, 11);
  const tufts = smoothNoise(p.px * 0.22, p.py * 0.22, 12);
  const blades = latticeNoise(p.px, p.py, 13);
  return scaled({ r: 70, g: 150, b: 60 }, 0.9 + 0.16 * patches + 0.06 * tufts + 0.05 * blades);
}

function sand(p: TexturePoint, u: number, v: number): Rgb {
  const drift = smoothNoise(u * 1.3, v * 0.7, 21);
  const grain = latticeNoise(p.px, p.py, 22);
  let f = 0.93 + 0.07 * drift + 0.09 * grain;
  if (latticeNoise(p.px, p.py, 23) > 0.94) f *= 0.84;
  return scaled({ r: 226, g: 192, b: 120 }, f);
}

function ice(p: TexturePoint, u: number, v: number): Rgb {
  const sheen = smoothNoise((u + v) * 0.55, (v - u) * 0.25, 31);
  const frost = smoothNoise(p.px * 0.15, p.py * 0.15, 32);
  const base = mix({ r: 176, g: 214, b: 232 }, { r: 226, g: 244, b: 250 }, sheen);
  if (latticeNoise(p.px, p.py, 33) > 0.996) return { r: 240, g: 252, b: 255 };
  return scaled(base, 0.97 + 0.04 * frost);
}

function water(p: TexturePoint, u: number, v: number): Rgb {
  const d = Math.min(1, p.depth);
  const s = d * d * (3 - 2 * d);
  const base = mix({ r: 96, g: 176, b: 232 }, { r: 20, g: 74, b: 168 }, s);
  const ripple = smoothNoise(u * 2.2, v * 3.6, 41);
  return scaled(base, 0.93 + 0.12 * ripple);
}

function wall(p: TexturePoint, u: number, v: number): Rgb {
  const stone = smoothNoise(u * 2.5, v * 2.5, 51);
  const grit = latticeNoise(p.px, p.py, 52);
  return scaled({ r: 162, g: 66, b: 56 }, 0.9 + 0.12 * stone + 0.05 * grit);
}

function cup(p: TexturePoint): Rgb {
  const d = Math.min(1, p.depth);
  return mix({ r: 78, g: 84, b: 80 }, { r: 10, g: 12, b: 12 }, Math.sqrt(d));
}

export function materialColour(kind: number, slope: number, p: TexturePoint): Rgb {
  const u = p.px / p.blockSize;
  const v = p.py / p.blockSize;
  let c: Rgb;
  switch (kind) {
    case 1: return wall(p, u, v);
    case 3: return cup(p);
    case 2: c = ice(p, u, v); break;
    case 4: c = sand(p, u, v); break;
    case 5: c = water(p, u, v); break;
    default: c = grass(p, u, v); break;
  }
  if (slope >= 0 && slope < 8) c = scaled(c, chevronLight(slope, u, v));
  return c;
}

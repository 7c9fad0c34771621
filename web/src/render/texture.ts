// The modern look's materials: textured, shaded colours worked out per pixel, with chevrons
// down every slope. The same noise and the same numbers as the desktop's modern renderer, so
// a level looks the same in the browser.

export interface Rgb { r: number; g: number; b: number }

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

function set(o: Rgb, r: number, g: number, b: number, f: number): void {
  o.r = r * f;
  o.g = g * f;
  o.b = b * f;
}

/**
 * The modern colour of a material at pixel (px, py) of the level picture, `blockSize` pixels a
 * block; `depth` 0 at the rim of water or a cup, 1 well inside. Written into `o`: this runs
 * for every pixel of the picture.
 */
export function materialColour(kind: number, slope: number, px: number, py: number, blockSize: number,
  depth: number, o: Rgb): void {
  const u = px / blockSize;
  const v = py / blockSize;
  switch (kind) {
    case 1: { // wall
      const stone = smoothNoise(u * 2.5, v * 2.5, 51);
      const grit = latticeNoise(px, py, 52);
      set(o, 162, 66, 56, 0.9 + 0.12 * stone + 0.05 * grit);
      return;
    }
    case 3: { // cup
      const t = Math.sqrt(Math.min(1, depth));
      o.r = 78 + (10 - 78) * t;
      o.g = 84 + (12 - 84) * t;
      o.b = 80 + (12 - 80) * t;
      return;
    }
    case 2: { // ice: a soft sheen in broad patches, and a glint here and there
      const sheen = smoothNoise((u + v) * 0.55, (v - u) * 0.25, 31);
      const frost = smoothNoise(px * 0.15, py * 0.15, 32);
      if (latticeNoise(px, py, 33) > 0.996) {
        set(o, 240, 252, 255, 1);
      } else {
        set(o, 176 + 50 * sheen, 214 + 30 * sheen, 232 + 18 * sheen, 0.97 + 0.04 * frost);
      }
      break;
    }
    case 4: { // sand, with a darker grain here and there
      const drift = smoothNoise(u * 1.3, v * 0.7, 21);
      const grain = latticeNoise(px, py, 22);
      let f = 0.93 + 0.07 * drift + 0.09 * grain;
      if (latticeNoise(px, py, 23) > 0.94) f *= 0.84;
      set(o, 226, 192, 120, f);
      break;
    }
    case 5: { // water, deeper away from its rim
      const d = Math.min(1, depth);
      const s = d * d * (3 - 2 * d);
      const ripple = smoothNoise(u * 2.2, v * 3.6, 41);
      set(o, 96 + (20 - 96) * s, 176 + (74 - 176) * s, 232 + (168 - 232) * s, 0.93 + 0.12 * ripple);
      break;
    }
    default: { // grass
      const patches = smoothNoise(u * 0.45, v * 0.45, 11);
      const tufts = smoothNoise(px * 0.22, py * 0.22, 12);
      const blades = latticeNoise(px, py, 13);
      set(o, 70, 150, 60, 0.9 + 0.16 * patches + 0.06 * tufts + 0.05 * blades);
      break;
    }
  }
  if (slope >= 0 && slope < 8) {
    const f = chevronLight(slope, u, v);
    o.r *= f;
    o.g *= f;
    o.b *= f;
  }
}

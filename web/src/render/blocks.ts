// The blocks of a level as levelJson() gives them, and the shape of each block's front: the
// same regions the desktop renderer paints, so a pixel shows the material the ball meets there.
import type { LevelData } from '../api';

export const Shape = { Square: 0, Circle: 1, Triangle: 2, QuarterDisc: 3, HalfDisc: 4 } as const;
export const Kind = { Grass: 0, Wall: 1, Ice: 2, Cup: 3, Sand: 4, Water: 5 } as const;
export const Flat = 8;

export interface Cell {
  shape: number;
  rotation: number;
  backKind: number;
  backSlope: number;
  frontKind: number;
  frontSlope: number;
}

export function cellAt(level: LevelData, c: number, r: number): Cell {
  const i = (r * level.width + c) * 6;
  const v = level.cells;
  return {
    shape: v[i], rotation: v[i + 1], backKind: v[i + 2], backSlope: v[i + 3],
    frontKind: v[i + 4], frontSlope: v[i + 5],
  };
}

/** A block that shows its back only: a square, or front and back of one material. */
export function isPlain(cell: Cell): boolean {
  return cell.shape === Shape.Square ||
    (cell.backKind === cell.frontKind && cell.backSlope === cell.frontSlope);
}

function insideCircle(u: number, v: number, cx: number, cy: number, radiusSquared: number): boolean {
  const du = u - cx;
  const dv = v - cy;
  return du * du + dv * dv <= radiusSquared;
}

const quarterX = [0, 0, 1, 1];
const quarterY = [1, 0, 0, 1];
const halfX = [1, 0.5, 0, 0.5];
const halfY = [0.5, 1, 0.5, 0];

/** Whether (u, v), 0-1 across the block from its top-left corner, lies in a shape's front. */
export function inFrontOfShape(shape: number, rotation: number, u: number, v: number): boolean {
  switch (shape) {
    case Shape.Circle:
      return insideCircle(u, v, 0.5, 0.5, 0.25);
    case Shape.Triangle:
      switch (rotation) {
        case 0: return u > v;
        case 1: return u + v >= 1;
        case 2: return u <= v;
        default: return u + v < 1;
      }
    case Shape.QuarterDisc:
      return insideCircle(u, v, quarterX[rotation], quarterY[rotation], 1);
    case Shape.HalfDisc:
      return insideCircle(u, v, halfX[rotation], halfY[rotation], 0.25);
    default:
      return false;
  }
}

export function kindAt(cell: Cell, u: number, v: number): number {
  return !isPlain(cell) && inFrontOfShape(cell.shape, cell.rotation, u, v) ? cell.frontKind : cell.backKind;
}

export function holds(cell: Cell, kind: number): boolean {
  return cell.backKind === kind || (!isPlain(cell) && cell.frontKind === kind);
}

// Draws level pictures off the page's thread: a big level at a large screen's resolution
// takes long enough to stall the animation.
/// <reference lib="webworker" />
import type { LevelData } from './api';
import { renderLevel } from './render/level';

declare const self: DedicatedWorkerGlobalScope;

export interface PaintRequest { id: number; level: LevelData; blockSize: number }
export interface PaintAnswer { id: number; width: number; height: number; pixels: ArrayBuffer | null }

self.onmessage = (event: MessageEvent<PaintRequest>) => {
  const { id, level, blockSize } = event.data;
  const picture = renderLevel(level, blockSize);
  const answer: PaintAnswer = picture
    ? { id, width: picture.width, height: picture.height, pixels: picture.data.buffer }
    : { id, width: 0, height: 0, pixels: null };
  self.postMessage(answer, picture ? [picture.data.buffer] : []);
};

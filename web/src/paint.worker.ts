// Draws level pictures off the page's thread: a big level at a large screen's resolution
// takes long enough to stall the animation. The playfield's pictures go first, and only the
// newest of them; previews wait, and are dropped when the page no longer shows them.
/// <reference lib="webworker" />
import type { LevelData } from './api';
import { renderLevel } from './render/level';

declare const self: DedicatedWorkerGlobalScope;

export type PaintRequest =
  | { type: 'paint'; id: number; level: LevelData; blockSize: number; field: boolean }
  | { type: 'drop'; previews: boolean; field: boolean };
export interface PaintAnswer { id: number; width: number; height: number; pixels: ArrayBuffer | null }

type Job = Extract<PaintRequest, { type: 'paint' }>;
let fieldJobs: Job[] = [];
let previewJobs: Job[] = [];
let scheduled = false;

function answer(job: Job, drawn: boolean): void {
  const picture = drawn ? renderLevel(job.level, job.blockSize) : null;
  const a: PaintAnswer = picture
    ? { id: job.id, width: picture.width, height: picture.height, pixels: picture.data.buffer }
    : { id: job.id, width: 0, height: 0, pixels: null };
  self.postMessage(a, picture ? [picture.data.buffer] : []);
}

function work(): void {
  scheduled = false;
  const job = fieldJobs.shift() ?? previewJobs.shift();
  if (!job) return;
  answer(job, true);
  schedule();
}

function schedule(): void {
  if (!scheduled && (fieldJobs.length > 0 || previewJobs.length > 0)) {
    scheduled = true;
    setTimeout(work, 0);
  }
}

self.onmessage = (event: MessageEvent<PaintRequest>) => {
  const m = event.data;
  if (m.type === 'drop') {
    const dropped = [...(m.previews ? previewJobs : []), ...(m.field ? fieldJobs : [])];
    if (m.previews) previewJobs = [];
    if (m.field) fieldJobs = [];
    for (const job of dropped) answer(job, false);
    return;
  }
  if (m.field) fieldJobs.push(m);
  else previewJobs.push(m);
  schedule();
};

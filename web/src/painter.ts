// The page's side of the paint worker: level pictures as ImageBitmaps, for the playfield
// (first) or for previews.
import type { LevelData } from './api';
import type { PaintAnswer, PaintRequest } from './paint.worker';

export class LevelPainter {
  private worker = new Worker(new URL('./paint.worker.ts', import.meta.url));
  private nextId = 1;
  private waiting = new Map<number, (bitmap: ImageBitmap | null) => void>();

  constructor() {
    this.worker.onmessage = async (event: MessageEvent<PaintAnswer>) => {
      const { id, width, height, pixels } = event.data;
      const resolve = this.waiting.get(id);
      if (!resolve) return;
      this.waiting.delete(id);
      if (!pixels || width === 0) {
        resolve(null);
        return;
      }
      resolve(await createImageBitmap(new ImageData(new Uint8ClampedArray(pixels), width, height)));
    };
  }

  /** The level at `blockSize` device pixels a block; null when it was dropped or is empty. */
  paint(level: LevelData, blockSize: number, field: boolean): Promise<ImageBitmap | null> {
    const id = this.nextId++;
    const request: PaintRequest = { type: 'paint', id, level, blockSize: Math.max(1, Math.round(blockSize)), field };
    return new Promise((resolve) => {
      this.waiting.set(id, resolve);
      this.worker.postMessage(request);
    });
  }

  /** Forgets the pictures asked for and not yet drawn. */
  drop(previews: boolean, field: boolean): void {
    const request: PaintRequest = { type: 'drop', previews, field };
    this.worker.postMessage(request);
  }
}

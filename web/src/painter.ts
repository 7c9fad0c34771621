// The page's side of the paint worker: level pictures as ImageBitmaps, asked for by level
// and size, the newest request first.
import type { LevelData } from './api';
import type { PaintAnswer, PaintRequest } from './paint.worker';

type Waiting = { resolve: (bitmap: ImageBitmap | null) => void };

export class LevelPainter {
  private worker = new Worker(new URL('./paint.worker.ts', import.meta.url));
  private nextId = 1;
  private waiting = new Map<number, Waiting>();

  constructor() {
    this.worker.onmessage = async (event: MessageEvent<PaintAnswer>) => {
      const { id, width, height, pixels } = event.data;
      const w = this.waiting.get(id);
      if (!w) return;
      this.waiting.delete(id);
      if (!pixels || width === 0) {
        w.resolve(null);
        return;
      }
      const image = new ImageData(new Uint8ClampedArray(pixels), width, height);
      w.resolve(await createImageBitmap(image));
    };
  }

  paint(level: LevelData, blockSize: number): Promise<ImageBitmap | null> {
    const id = this.nextId++;
    const request: PaintRequest = { id, level, blockSize: Math.max(1, Math.round(blockSize)) };
    return new Promise((resolve) => {
      this.waiting.set(id, { resolve });
      this.worker.postMessage(request);
    });
  }
}

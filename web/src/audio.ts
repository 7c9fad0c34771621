// The game's sounds through Web Audio: the shipped .wav files, decoded once, played at the
// time the game names. Browsers start audio only after a gesture, so the context is made (or
// resumed) on the first one.

export class Sounds {
  private context: AudioContext | null = null;
  private buffers = new Map<string, Promise<AudioBuffer | null>>();
  private pending = new Set<AudioBufferSourceNode>();
  muted = false;

  constructor(private readonly base: string) {}

  /** Call from a user gesture (pointer down, key down). */
  unlock(): void {
    if (!this.context) {
      try {
        this.context = new AudioContext();
      } catch {
        return;
      }
    }
    if (this.context.state === 'suspended') void this.context.resume();
  }

  private buffer(file: string): Promise<AudioBuffer | null> {
    let b = this.buffers.get(file);
    if (!b) {
      const context = this.context!;
      b = fetch(this.base + file)
        .then((r) => (r.ok ? r.arrayBuffer() : Promise.reject(new Error(String(r.status)))))
        .then((data) => context.decodeAudioData(data))
        .catch(() => null);
      this.buffers.set(file, b);
    }
    return b;
  }

  /** Plays `file` (as the game names it, e.g. "sounds/InCup.wav") `delayMs` from now. */
  play(file: string, delayMs: number): void {
    if (this.muted || !this.context || this.context.state !== 'running') return;
    if (!/^sounds\/[A-Za-z0-9_-]+\.wav$/.test(file)) return;
    const context = this.context;
    const wanted = context.currentTime + Math.max(0, delayMs) / 1000;
    void this.buffer(file).then((buffer) => {
      if (!buffer || this.muted) return;
      const source = context.createBufferSource();
      source.buffer = buffer;
      source.connect(context.destination);
      this.pending.add(source);
      source.onended = () => this.pending.delete(source);
      // A sound whose moment passed while it was decoded still plays, late, once.
      source.start(Math.max(wanted, context.currentTime));
    });
  }

  /** Stops the sounds not yet heard (a ball sent straight to its rest). */
  cancelPending(): void {
    if (!this.context) return;
    for (const source of this.pending) {
      try {
        source.stop();
      } catch {
        // already over
      }
    }
    this.pending.clear();
  }
}

// Types of the page's module, build-web/bin/trundlex-page.js. API version 1: apiVersion()
// answers 1 for exactly what is declared here.

/** A computer player's strength: 1 easy, 2 medium, 3 hard. */
export type Strength = 1 | 2 | 3;

/**
 * A game of computer players on this computer, run through the game controller. Set it up,
 * start it, then call advance() until it returns false; takeEvents() gives what the view
 * shows, in order. Runs synchronously: use it in a Web Worker. Free it with delete().
 */
export interface LocalGame {
  /** Adds a hole on the level in a .lev file's bytes; false for bytes that hold no level. */
  addLevel(levFile: Uint8Array | ArrayBuffer): boolean;
  /** Adds a computer player; false for an empty name, a bad strength or a started game. */
  addComputer(name: string, strength: Strength): boolean;
  /** Starts the match; false without players or holes. */
  start(): boolean;
  /** Runs at most `steps` steps; false once the game cannot go on (over, or not started). */
  advance(steps: number): boolean;
  isOver(): boolean;
  /**
   * The event lines since the last call, joined by "\n" ("" for none):
   * "hole N COUNT NAME", "turn here|computer|remote|nobody NAME", "thinking NAME",
   * "putt NAME HEADING SPEED", "rest X Y 0|1", "banner KIND COUNT", "scores S1 S2 ...",
   * "over WINNERS", "replay HOLE STROKE NAME". Later versions may add kinds; skip the ones you do not know.
   */
  takeEvents(): string;
  /** Each hole's strokes ("hole 1 NAME: Ann 2, Bob 3"), the totals and the winners. */
  result(): string;
  /** The game's own time in milliseconds: how long the match would take to watch. */
  time(): number;
  /** Frees the game's memory in the module. */
  delete(): void;
}

export interface TrundlexModule {
  /** The version of this API: 1. */
  apiVersion(): number;
  /** A new game whose random sequence starts from `seed` (0 to 4294967295). */
  LocalGame: new (seed: number) => LocalGame;
}

export interface TrundlexOptions {
  /** The .wasm's bytes, when the page (or node) loads them itself. */
  wasmBinary?: ArrayBuffer | Uint8Array;
  /** Where to find trundlex-page.wasm, given its name and the script's folder. */
  locateFile?(path: string, prefix: string): string;
}

/** Loads the module. */
export default function createTrundlex(options?: TrundlexOptions): Promise<TrundlexModule>;

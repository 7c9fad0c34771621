// Messages between the page and the game worker, which owns the module and the game.
import type { BoardData, LevelData, LobbyData, Strength } from './api';
import type { RoomRequest } from './online-link';

export interface ShippedLevel {
  file: string;
  id: string;
  name: string;
  author: string;
  /** 0: not known. */
  par: number;
  level: LevelData;
}

/** A shipped course whose levels are all here: its holes as level files, in order. */
export interface ShippedCourse {
  file: string;
  name: string;
  levels: string[];
}

/** The course of a UTC day, drawn by the module from the shipped levels: its holes as level files, in order. */
export interface TodaysCourse {
  /** What the day's results are kept under ("daily-YYYY-MM-DD"). */
  id: string;
  /** The day, "YYYY-MM-DD". */
  date: string;
  levels: string[];
}

export interface PlayerSetup {
  name: string;
  /** 0: a person at this screen; 1-3: a computer of that strength. */
  strength: 0 | 1 | 2 | 3;
}

export type ToWorker =
  /** `time`: the page's clock (Date.now()), whose UTC day's course comes with "loaded". */
  | { type: 'load'; base: string; time: number }
  /** The course of the day of `time` (Date.now()), drawn anew: a page left open over midnight gets the new day's. */
  | { type: 'daily'; time: number }
  | { type: 'start'; seed: number; players: PlayerSetup[]; levels: string[] }
  /** A game in a room of the host the page came from, for this screen's players. */
  | { type: 'online'; seed: number; names: string[]; request: RoomRequest }
  | { type: 'roomStart' }
  | { type: 'roomAddComputer'; name: string; strength: Strength }
  | { type: 'roomRemove'; name: string }
  | { type: 'chat'; text: string }
  | { type: 'aim'; heading: number }
  | { type: 'charge' }
  | { type: 'release' }
  | { type: 'cancel' }
  | { type: 'putt'; heading: number; force: number }
  | { type: 'hurry' }
  | { type: 'visible'; visible: boolean }
  | { type: 'stop' };

export type FromWorker =
  /** `today`: the course of the day, null when no shipped level has its par. */
  | { type: 'loaded'; levels: ShippedLevel[]; courses: ShippedCourse[]; today: TodaysCourse | null }
  | { type: 'daily'; today: TodaysCourse | null }
  | { type: 'failed'; message: string }
  | { type: 'started'; maxForce: number; minimumForce: number }
  /** The online game could not even be asked for (the module refused the request). */
  | { type: 'onlineRefused'; what: 'name' | 'request' }
  /** A chat line was not sent: why ("empty", "tooLong", "badCharacter"). */
  | { type: 'chatRefused'; reason: string }
  /** The connection to the room host closed. */
  | { type: 'connectionClosed' }
  | {
      type: 'events';
      /** The game's time when these were taken (ms). */
      time: number;
      lines: string[];
      level?: LevelData;
      board?: BoardData;
      /** With a "lobby" line: the lobby as it is now. */
      lobby?: LobbyData;
      /** With the "over" line: the result's text. */
      result?: string;
    };

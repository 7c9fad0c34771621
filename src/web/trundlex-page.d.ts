// Types of the page's module, build-web/bin/trundlex-page.js. API version 4: apiVersion()
// answers 4 for exactly what is declared here. Version 2 added people at the screen, their
// input, the game in real time, the levels' and the score board's contents, the ball's path
// and the shipped pars. Version 3 adds OnlineGame: a game in a room of a room host over a
// connection the page carries, and where each player's ball lies in the score board's
// data. Version 4 adds DailyDraw, the course of the day, and utcDate. Everything of earlier
// versions stays as it was.

/** A computer player's strength: 1 easy, 2 medium, 3 hard. */
export type Strength = 1 | 2 | 3;

/** What the game is doing (the desktop view's states). */
export const enum ViewState {
  NoGame = 0,
  /** A person at this screen aims: aimAt, beginCharge and puttWithForce are taken. */
  Aiming = 2,
  WaitingForRemote = 3,
  /** The force builds up while the button (or Space) is held: releaseCharge or cancelCharge. */
  Charging = 4,
  Rolling = 5,
  ReplayWaiting = 6,
  ReplayRolling = 7,
  GameOver = 8,
  ComputerThinking = 9,
}

/** A course as courseJson() gives it: its holes are the levels with these IDs, in order. */
export interface CourseData {
  id: string;
  name: string;
  levels: string[];
}

/** The course of a day as DailyDraw.courseJson() gives it. */
export interface DailyCourseData {
  /** What the day's high scores are kept under: "daily-" and the date. */
  id: string;
  /** "Today's course " and the date, in English (a page shows its own words). */
  name: string;
  /** The UTC day, "YYYY-MM-DD". */
  date: string;
  /** The holes' level IDs in playing order: nine, or all the levels when fewer have a par. */
  levels: string[];
  /** Each hole's par, from the table given. */
  pars: number[];
}

/** A level as levelJson() gives it: what the playfield draws. */
export interface LevelData {
  /** Identifies the level's content; courses name their levels by it. */
  id: string;
  name: string;
  author: string;
  /** In blocks. */
  width: number;
  height: number;
  /** The tee, in block units (x right, y down). */
  start: [number, number];
  /**
   * Six numbers per block, row by row from the top left: shape (0 square, 1 circle,
   * 2 triangle, 3 quarter disc, 4 half disc), quarter turns clockwise (0-3), the back's
   * material and slope, the front's material and slope. Materials: 0 grass, 1 wall, 2 ice,
   * 3 cup, 4 sand, 5 water. Slopes: the downhill direction in 45° steps counter-clockwise on
   * screen from "right" (0-7), 8 flat. A square block shows its back only.
   */
  cells: number[];
}

/** The score board as boardJson() gives it. */
export interface BoardData {
  /** The hole being played, from 0; -1 before the first. */
  hole: number;
  holes: { name: string; par: number /* 0: not known */ }[];
  players: {
    name: string;
    /** 0xBBGGRR. */
    colour: number;
    /** 0-7 dotted, 8 plain. */
    pattern: number;
    /** Who putts: a person at this screen, a computer (here or on another computer), a person elsewhere. */
    kind: 'here' | 'computer' | 'remote';
    /** Strokes on each hole so far (0: not played yet). */
    strokes: number[];
    total: number;
    /**
     * Where the player's ball lies on the hole (x, y and radius in blocks), or null when it is
     * not on it (not teed yet, holed). The page draws the others' balls as waiting balls.
     */
    ball: [number, number, number] | null;
  }[];
  /** The player who has the turn, or -1. */
  turn: number;
}

/** What both kinds of game do while they run: the clock, a person's input and what the view shows. */
export interface PlayedGame {
  /**
   * Runs everything due up to the game's time `ms` (the page's clock since the start, in ms);
   * time never passes beyond it, so balls roll and banners stay as long as they would on the
   * desktop. False once the game is over (or not started).
   */
  runUntil(ms: number): boolean;
  isOver(): boolean;
  /** The game's own time in milliseconds. */
  time(): number;
  state(): ViewState;

  /** The mouse points this way (radians from +x towards +y); while aiming or charging. */
  aimAt(heading: number): void;
  /** The button goes down (or Space): the force builds up, one tick every 10 ms. */
  beginCharge(): void;
  /** The button comes up: putts, or aims again when the force is too weak. */
  releaseCharge(): void;
  /** Esc, or the pointer back on the ball: no putt, aim again. */
  cancelCharge(): void;
  /**
   * Putts at once as if the force had been built up to `force` (0-80) with the aim trembling
   * on the way, as touch putting does; false when nobody aims here or the force is too weak.
   */
  puttWithForce(heading: number, force: number): boolean;
  /** The strongest force, and the weakest that still putts. */
  maxForce(): number;
  minimumForce(): number;
  /** Skips the rest of the rolling ball and its pause: the ball goes to where it rests (a lost ball still gets its banner). */
  hurry(): void;

  /** The level being played (after a "level" event). */
  levelJson(): string;
  /** The score board (after a "board" event). */
  boardJson(): string;

  /**
   * The event lines since the last call, joined by "\n" ("" for none):
   * - "hole N COUNT NAME", "turn here|computer|remote|nobody NAME", "thinking NAME",
   *   "putt NAME HEADING SPEED", "rest X Y 0|1", "banner KIND COUNT", "scores S1 S2 ...",
   *   "over WINNERS", "replay HOLE STROKE NAME" (as in version 1);
   * - "level": a new level is played, read levelJson();
   * - "board": the score board changed, read boardJson();
   * - "state N": the ViewState;
   * - "ball X Y R COLOUR PATTERN TRANSPARENT" or "ball none": the ball shown and played;
   * - "aim HEADING 0|1": the aim, with (1) or without the direction lines;
   * - "force F 0|1": the force meter's force, shown (1) or hidden;
   * - "path MS X Y R X Y R ...": the ball now rolls through these positions, one every MS
   *   milliseconds from now (R shrinks as it drops); "rest" follows when it has rolled them;
   * - "sound AT FILE": play a shipped sound AT ms from now (within a roll: from its start);
   * - "par HOLE PAR": a hole's (from 0) par became known.
   * Later versions may add kinds; skip the ones you do not know.
   */
  takeEvents(): string;
  /** Each hole's strokes ("hole 1 NAME: Ann 2, Bob 3"), the totals and the winners. */
  result(): string;
  /** Frees the game's memory in the module. */
  delete(): void;
}

/**
 * A game on this computer, run through the game controller. Set it up, start it, then either
 * call advance() until it returns false (as fast as it can: tests, a match of computers) or
 * call runUntil() with the page's clock at every frame (in real time, for people watching and
 * playing). takeEvents() gives what the view shows, in order. Free it with delete().
 *
 * Runs synchronously; a computer's thinking can take up to a second in one call: use it in a
 * Web Worker.
 */
export interface LocalGame extends PlayedGame {
  /** Adds a hole on the level in a .lev file's bytes; false for bytes that hold no level. */
  addLevel(levFile: Uint8Array | ArrayBuffer): boolean;
  /** Adds a computer player; false for an empty name, a bad strength, 8 players or a started game. */
  addComputer(name: string, strength: Strength): boolean;
  /** Adds a person who plays at this screen; false for an empty name, 8 players or a started game. */
  addPerson(name: string): boolean;
  /**
   * The shipped levels' pars: the text of levels/pars.txt. Before start(); false (and no pars
   * taken) for a table that does not read. Holes the table does not name get no par.
   */
  setPars(table: string): boolean;
  /** Starts the match; false without players or holes. */
  start(): boolean;
  /** Runs at most `steps` steps, time jumping to each next timer; false once over or not started. */
  advance(steps: number): boolean;
}

/** The lobby and its room as OnlineGame.lobbyJson() gives it. */
export interface LobbyData {
  /**
   * Where the lobby stands: "connecting" (the page opens its connection), "asking" (the
   * room is asked for), "lobby" (in the room, waiting for the start), "playing", or
   * "ended" (see `status` for why).
   */
  phase: 'connecting' | 'asking' | 'lobby' | 'playing' | 'ended';
  /** The room's code and course once the host has answered ("" before). */
  code: string;
  course: string;
  /** This computer created the room: it may add computer players, take players out and start. */
  creator: boolean;
  /** The seat token: with the code it gets this computer its place back (rejoin). "" before. */
  token: string;
  /** Every player in the room, in the match's order. */
  players: {
    name: string;
    /** 0xBBGGRR; 8 plain or 0-7 dotted. */
    colour: number;
    pattern: number;
    /** Played at this screen. */
    here: boolean;
    /** The computer putts for this player (on this computer, or on the one that added it). */
    computer: boolean;
    /** A player of the computer that created the room (which may add computers and start). */
    creator: boolean;
  }[];
  /** This computer created the room and has not asked for the start yet (the host starts the game once every computer holds the levels). */
  canStart: boolean;
  /**
   * The last status line: `text` is a key the page translates, with its values:
   * "connectionOpen", "couldntConnect", "transferLevels" (count), "waitingForStart",
   * "disconnected" (names), "interrupted", "otherVersion" (host, mine),
   * "refused" (refusal: "noSuchRoom" | "started" | "full" | "noSuchCourse" | "noFreeRoom" |
   * "codeNeeded" | "tooManyAttempts" | "tooManyRooms" | "tooManyConnections" | "removed" |
   * "noSeat" | "other"; subject: the code, or the course for noSuchCourse; reason: the
   * host's own words, in English), "notARoomHost", "cantStartServer" (never for a page's
   * game, which serves nobody); "" before the first.
   */
  status: { text: string; count?: number; names?: string; refusal?: string; subject?: string; reason?: string; host?: string; mine?: string };
}

/**
 * A game with people on other computers, in a room of a room host (`trundlex-tool serve
 * --rooms`), as one of the room's computers. The page carries the connection: it opens a
 * WebSocket to the host's /play (binary messages) and hands over what happens on it; every
 * message of the game, the putts and the rules run here, the same as on the desktop.
 *
 * Set it up: addPerson (this screen's players; at least one), setPars, then createRoom or
 * joinRoom or rejoinRoom. Then:
 * - open the connection and call opened() once it is open, or closed() when it fails;
 * - received(bytes) for every message that arrives, closed() when it ends;
 * - after every call into the game, send what takeOutgoing() gives (nothing when empty), and
 *   close the connection once wantsClose() says so (after sending);
 * - call runUntil(pageClock) at every frame (also in the lobby: it keeps the connection's
 *   timers) and read takeEvents().
 * Input, levelJson, boardJson, result and the event lines are LocalGame's; remote players'
 * turns come as "turn remote NAME" with their aim ("aim") and putt ("putt") when they play.
 *
 * Events besides LocalGame's:
 * - "lobby": the lobby changed, read lobbyJson();
 * - "chat JSON": a chat line, JSON {"name": ..., "text": ..., "mine": true for this
 *   screen's own line};
 * - "left NAMES": a computer left the game with these players (joined with ", ");
 *   "computer NAMES": this computer's computer plays them from now on;
 * - "returned NAMES": players are back with their own computer;
 * - "started": the lobby closed and the game begins;
 * - "lost": this computer lost its connection to the host: a new OnlineGame with the same
 *   people may rejoinRoom(code, token) while the room's game goes on;
 *   "hoststopped": the host is stopping;
 * - "ended": the network game is over here (the host went, or the page left); the results
 *   so far stand.
 */
export interface OnlineGame extends PlayedGame {
  /** A person who plays at this screen; before create/join. False for an empty name, a name with "|" or too long, a name twice, or 8 people. */
  addPerson(name: string): boolean;
  /** As LocalGame.setPars. */
  setPars(table: string): boolean;
  /** Asks for a new room on the course named `course` ("" the host's default). False once asked. */
  createRoom(course: string): boolean;
  /** Asks to join the room with this code (as typed: dashes, spaces and lower case are fine). False for text that cannot be a code. */
  joinRoom(code: string): boolean;
  /**
   * Asks for this computer's place back in a room it lost its connection to: in a new
   * OnlineGame with the same people, and the code and token of the lost one's lobbyJson().
   * The game's putts so far are rolled again, then play goes on.
   */
  rejoinRoom(code: string, token: string): boolean;

  /** The page's connection is open. */
  opened(): void;
  /** Bytes arrived on it (a binary WebSocket message). */
  received(bytes: Uint8Array | ArrayBuffer): void;
  /** It closed, or could not be opened. */
  closed(): void;
  /** What to send now; empty when nothing. */
  takeOutgoing(): Uint8Array;
  /** The game is done with the connection: close it once takeOutgoing() is empty. */
  wantsClose(): boolean;

  /** The lobby and room as LobbyData's JSON. */
  lobbyJson(): string;
  /** The room's creator asks for the start; false when it may not (not the creator, or too early). */
  startGame(): boolean;
  /** The creator adds a computer player of this computer; false after the start or when full. */
  addComputer(name: string, strength: Strength): boolean;
  /** The creator takes a player out of the lobby. */
  removePlayer(name: string): boolean;
  /** Sends a chat line as this screen's first player (a "chat" event shows it here too); "" when sent, else why not ("empty", "notConnected", "badCharacter", "separator": a name with "|"). */
  sendChat(text: string): string;
  /** Leaves the room (the game ends here; the others go on with a computer in this computer's place). */
  leave(): void;
}

/**
 * The course of the day: nine holes drawn for each UTC day from the levels given that have a
 * par in the table given, the same draw as the desktop game's and the room host's. Give it the
 * shipped levels and the shipped pars to play the course everybody plays that day. Keep it
 * for more days: it remembers the days drawn (each day's draw leaves out the levels of the
 * days before it). Free it with delete().
 */
export interface DailyDraw {
  /** A level that may be drawn, in a .lev file's bytes; false for bytes that hold no level or a level ID given before. */
  addLevel(levFile: Uint8Array | ArrayBuffer): boolean;
  /** The pars table (the text of levels/pars.txt); false (and no pars) for a table that does not read. */
  setPars(table: string): boolean;
  /** The course of the UTC day `date` ("YYYY-MM-DD") as DailyCourseData's JSON; "" for a date that does not read or when no level given has its par. */
  courseJson(date: string): string;
  delete(): void;
}

export interface TrundlexModule {
  /** The version of this API: 4. */
  apiVersion(): number;
  /** A new game whose random sequence starts from `seed` (0 to 4294967295). */
  LocalGame: new (seed: number) => LocalGame;
  /** A new game in a room of a room host (see OnlineGame); `seed` as LocalGame's. */
  OnlineGame: new (seed: number) => OnlineGame;
  /** The level in a .lev file's bytes as LevelData's JSON (for previews), or "" when none. */
  levelJson(levFile: Uint8Array | ArrayBuffer): string;
  /** The course in a .cou file's bytes as CourseData's JSON, or "" when none. */
  courseJson(couFile: Uint8Array | ArrayBuffer): string;
  /** A new draw of the course of the day, with no levels yet. */
  DailyDraw: new () => DailyDraw;
  /** The UTC date ("YYYY-MM-DD") of a time in ms since 1970 (Date.now()), as DailyDraw takes it. */
  utcDate(unixMs: number): string;
}

export interface TrundlexOptions {
  /** The .wasm's bytes, when the page (or node) loads them itself. */
  wasmBinary?: ArrayBuffer | Uint8Array;
  /** Where to find trundlex-page.wasm, given its name and the script's folder. */
  locateFile?(path: string, prefix: string): string;
}

/** Loads the module. */
export default function createTrundlex(options?: TrundlexOptions): Promise<TrundlexModule>;

// Everything between the page and the module's OnlineGame in one place: the game itself, the
// WebSocket to the room host's /play that carries it, and the rule that every call into the
// game is followed by sending what it wants sent (and closing when it is done with the
// connection). The rest of the worker only sees a game with LocalGame's playing calls.
/// <reference lib="webworker" />
import type { LobbyData, OnlineGame, Strength, TrundlexModule } from './api';

export type RoomRequest =
  | { kind: 'create'; course: string }
  | { kind: 'join'; code: string }
  | { kind: 'rejoin'; code: string; token: string };

export interface OnlineLinkEvents {
  /** The connection closed (by the host, the network, or the game). */
  connectionClosed(): void;
}

/** The room host's WebSocket for a page served from `base`: ws(s)://HOST/play. */
export function playUrl(base: string): string {
  const url = new URL('/play', base);
  url.protocol = url.protocol === 'https:' ? 'wss:' : 'ws:';
  return url.href;
}

export class OnlineLink {
  readonly game: OnlineGame;
  private socket: WebSocket | null = null;
  private open = false;
  private closing = false;

  /**
   * Sets the game up for `names` (this screen's players) and the request; what the module
   * refused otherwise (a name it cannot carry, or a text that cannot be a room code, say):
   * nothing is opened then.
   */
  static connect(module: TrundlexModule, seed: number, names: string[], pars: string, request: RoomRequest,
    url: string, events: OnlineLinkEvents): OnlineLink | 'name' | 'request' {
    const game = new module.OnlineGame(seed >>> 0);
    if (names.length === 0 || !names.every((n) => game.addPerson(n))) {
      game.delete();
      return 'name';
    }
    game.setPars(pars);
    const asked = request.kind === 'create' ? game.createRoom(request.course)
      : request.kind === 'join' ? game.joinRoom(request.code)
        : game.rejoinRoom(request.code, request.token);
    if (!asked) {
      game.delete();
      return 'request';
    }
    const link = new OnlineLink(game, events);
    link.openSocket(url);
    return link;
  }

  private constructor(game: OnlineGame, private readonly events: OnlineLinkEvents) {
    this.game = game;
  }

  private openSocket(url: string): void {
    let socket: WebSocket;
    try {
      socket = new WebSocket(url);
    } catch {
      // A URL the browser will not even try: the same as a connection that failed.
      queueMicrotask(() => this.lost());
      return;
    }
    socket.binaryType = 'arraybuffer';
    this.socket = socket;
    socket.onopen = () => {
      this.open = true;
      this.call((g) => g.opened());
    };
    socket.onmessage = (e: MessageEvent) => {
      if (e.data instanceof ArrayBuffer) this.call((g) => g.received(new Uint8Array(e.data)));
    };
    // An error is always followed by close; the game hears of it once.
    socket.onclose = () => this.lost();
  }

  private lost(): void {
    if (!this.socket && this.closing) return;
    const socket = this.socket;
    this.socket = null;
    this.open = false;
    if (socket) socket.onopen = socket.onmessage = socket.onclose = null;
    this.closing = true;
    this.call((g) => g.closed());
    this.events.connectionClosed();
  }

  /** Calls into the game, then sends what it has to send and closes when it asks to. */
  call<T>(f: (g: OnlineGame) => T): T {
    const result = f(this.game);
    this.pump();
    return result;
  }

  /** Sends everything the game has queued; closes the connection once the game is done with it. */
  pump(): void {
    for (;;) {
      const bytes = this.game.takeOutgoing();
      if (bytes.length === 0) break;
      // The module's memory may move; send a copy.
      if (this.socket && this.open) this.socket.send(bytes.slice());
    }
    if (this.socket && this.game.wantsClose() && !this.closing) {
      this.closing = true;
      this.socket.close(1000);
    }
  }

  lobby(): LobbyData {
    return JSON.parse(this.game.lobbyJson()) as LobbyData;
  }

  startGame(): boolean { return this.call((g) => g.startGame()); }
  addComputer(name: string, strength: Strength): boolean { return this.call((g) => g.addComputer(name, strength)); }
  removePlayer(name: string): boolean { return this.call((g) => g.removePlayer(name)); }
  sendChat(text: string): string { return this.call((g) => g.sendChat(text)); }

  /** Leaves the room and frees the game; the connection closes after the goodbye is sent. */
  dispose(): void {
    this.call((g) => g.leave());
    const socket = this.socket;
    this.socket = null;
    if (socket) {
      socket.onopen = socket.onmessage = socket.onclose = null;
      socket.close(1000);
    }
    this.game.delete();
  }
}

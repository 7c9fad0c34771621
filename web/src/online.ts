// Playing with friends: the screens to create or join a room (by code or by an invite link),
// the lobby with its players, invite link and chat, the chat during the game, notes on who
// left or came back, and getting a lost seat back. The room, its players and every rule are
// the module's (through the worker); this only shows the lobby it is given and forwards what
// the player does.
import type { LobbyData, Strength } from './api';
import { fill, lobbyStatus, type Texts } from './i18n';
import type { FromWorker, ShippedCourse, TodaysCourse, ToWorker } from './protocol';
import type { RoomRequest } from './online-link';
import { cssColour } from './render/ball';
import { button, el, icon, ICONS, NAME_KEY, say } from './ui';

const SEAT_KEY = 'trundlex.seat';
const COURSE_KEY = 'trundlex.course';
// The name a room host offers the course of the day under: the host draws it for its own UTC
// day from its levels, the same draw as the page's.
const HOST_TODAY = "Today's course";
const COPIED_MS = 2000;

/** What the online screens need from the rest of the page. */
export interface OnlineShell {
  main: HTMLElement;
  t(): Texts;
  send(m: ToWorker): void;
  /** The module and the shipped files are loaded. */
  ready(): boolean;
  courses(): ShippedCourse[];
  /** The page's course of the day: a host with the same levels offers the same. */
  today(): TodaysCourse | null;
  /** Leaves whatever screen is shown (stops a game) before an online screen takes its place. */
  leaveScreen(name: 'friends' | 'link' | 'lobby'): void;
  showStart(): void;
  /** Shows the playfield for the online game that has just begun. */
  enterGame(maxForce: number, minimumForce: number): void;
  /** The game screen is showing (or its results). */
  inGame(): boolean;
  /** The online game ended before its results: show the results so far. */
  endGame(): void;
}

interface ChatLine { name: string; text: string; note?: boolean; mine?: boolean }

interface Seat { code: string; token: string; names?: string[] }

/** The code in an invite link's fragment (#K7QX2M), as typed; "" for none. */
export function codeFromHash(hash: string): string {
  let text = hash.replace(/^#/, '');
  try {
    text = decodeURIComponent(text);
  } catch {
    // Left as it came.
  }
  return text.trim();
}

export class Friends {
  private lobby: LobbyData | null = null;
  private request: RoomRequest | null = null;
  private names: string[] = [];
  private chat: ChatLine[] = [];
  private chatLogs = new Set<HTMLElement>();
  private connected = false;
  private leaving = false;
  private started = false;
  // The game came to its end: nothing to go back to.
  private over = false;
  // The game was cut short: the connection to the host was lost (the seat is kept for a
  // Reconnect), or the host stopped (nothing to go back to).
  private lostHost = false;
  private hostStopped = false;
  private force = { max: 80, min: 0 };
  private shown: 'none' | 'friends' | 'link' | 'lobby' = 'none';
  private linkCode = '';
  // The room was asked for from the invite link's screen (else from the choice to create or join).
  private viaLink = false;
  private typedCode = '';
  private refusedText = '';
  private drawer: { panel: HTMLElement; toggle: HTMLButtonElement; badge: HTMLElement; lost: HTMLElement } | null = null;
  private unread = 0;

  constructor(private readonly shell: OnlineShell) {}

  private get t(): Texts { return this.shell.t(); }

  /** The online game ended before its end (the host stopped, or this computer lost it). */
  get cutShort(): boolean { return this.lostHost || this.hostStopped; }

  /** Whether the current game is an online one. */
  get active(): boolean { return this.request !== null; }

  /** A seat this tab had in a room before a reload or a lost connection. */
  savedSeat(): Seat | null {
    try {
      const seat = JSON.parse(sessionStorage.getItem(SEAT_KEY) ?? 'null') as Seat | null;
      return seat && typeof seat.code === 'string' && typeof seat.token === 'string' && seat.token !== '' ? seat : null;
    } catch {
      return null;
    }
  }

  private forgetSeat(): void {
    sessionStorage.removeItem(SEAT_KEY);
  }

  // --- Choosing: create a room or join one ---

  private nameField(): HTMLInputElement {
    const name = el('input', { id: 'your-name', type: 'text', maxLength: 24, value: localStorage.getItem(NAME_KEY) ?? '' });
    name.setAttribute('autocomplete', 'nickname');
    return name;
  }

  private takeName(field: HTMLInputElement): string {
    const who = field.value.trim() || this.t.defaultName;
    localStorage.setItem(NAME_KEY, who);
    return who;
  }

  showFriends(): void {
    const t = this.t;
    this.shell.leaveScreen('friends');
    this.shown = 'friends';
    const name = this.nameField();
    const ready = this.shell.ready();
    const courses = this.shell.courses();
    const course = el('select', { id: 'course' });
    const chosen = localStorage.getItem(COURSE_KEY);
    for (const c of courses) course.append(el('option', { value: c.name, textContent: fill(t.courseHoles, c.name, c.levels.length), selected: c.name === chosen }));
    const today = this.shell.today();
    if (today) course.append(el('option', { value: HOST_TODAY, textContent: fill(t.courseHoles, t.todaysCourse, today.levels.length), selected: chosen === HOST_TODAY }));
    const create = button(t.createRoom, () => {
      localStorage.setItem(COURSE_KEY, course.value);
      this.viaLink = false;
      this.begin([this.takeName(name)], { kind: 'create', course: course.value });
    }, 'primary big');
    create.disabled = !ready || courses.length === 0;
    const code = el('input', { id: 'room-code', type: 'text', maxLength: 16, className: 'code-input', value: this.typedCode });
    code.setAttribute('autocomplete', 'off');
    code.setAttribute('autocapitalize', 'characters');
    code.setAttribute('spellcheck', 'false');
    code.setAttribute('enterkeyhint', 'go');
    const error = el('p', { className: 'error', hidden: true });
    error.setAttribute('role', 'alert');
    const join = button(t.join, () => {
      if (code.value.trim() === '') {
        code.focus();
        return;
      }
      this.viaLink = false;
      this.typedCode = code.value;
      this.begin([this.takeName(name)], { kind: 'join', code: code.value });
    }, 'big');
    join.disabled = !ready;
    code.addEventListener('keydown', (e) => {
      if (e.key === 'Enter') join.click();
    });
    if (this.refusedText) {
      error.textContent = this.refusedText;
      error.hidden = false;
      this.refusedText = '';
    }
    this.needNetwork(error, create, join);
    this.shell.main.replaceChildren(el('div', { className: 'card friends' },
      el('div', { className: 'titlebar' }, button(t.back, () => this.shell.showStart()), el('h1', { textContent: t.playWithFriends })),
      el('p', { className: 'hint', textContent: t.friendsHint }),
      el('div', { className: 'field-row' }, el('label', { htmlFor: 'your-name', textContent: t.yourName }), name),
      el('section', { className: 'choice-box' },
        el('div', { className: 'field-row' }, el('label', { htmlFor: 'course', textContent: t.course }), course),
        create,
        el('p', { className: 'hint', textContent: t.createHint })),
      el('div', { className: 'divider', textContent: t.or }),
      el('section', { className: 'choice-box' },
        el('div', { className: 'field-row' }, el('label', { htmlFor: 'room-code', textContent: t.roomCode }),
          el('div', { className: 'inline' }, code, join)),
        el('p', { className: 'hint', textContent: t.joinHint })),
      error));
    if (!ready) say(t.loading);
  }

  /** An invite link was opened: the name, then the lobby. */
  showLink(code: string): void {
    const t = this.t;
    this.shell.leaveScreen('link');
    this.shown = 'link';
    this.linkCode = code;
    const name = this.nameField();
    name.setAttribute('enterkeyhint', 'go');
    const join = button(t.join, () => {
      this.viaLink = true;
      this.begin([this.takeName(name)], { kind: 'join', code });
    }, 'primary big');
    join.disabled = !this.shell.ready();
    name.addEventListener('keydown', (e) => {
      if (e.key === 'Enter') join.click();
    });
    const error = el('p', { className: 'error', hidden: !this.refusedText, textContent: this.refusedText });
    error.setAttribute('role', 'alert');
    this.refusedText = '';
    this.needNetwork(error, join);
    // A seat this tab lost (after a reload, say) is offered back; for the room of this very
    // link (as this page writes its links), before joining it a second time.
    const seat = this.savedSeat();
    if (seat !== null && seat.code === code) join.className = 'big';
    this.shell.main.replaceChildren(el('div', { className: 'card start link' },
      el('img', { src: 'icons/trundlex.png', alt: '', className: 'logo', width: 96, height: 96 }),
      el('h1', { textContent: fill(t.joinRoomOf, code.toUpperCase()) }),
      el('p', { className: 'tagline', textContent: t.joinLinkHint }),
      el('div', { className: 'field-row' }, el('label', { htmlFor: 'your-name', textContent: t.yourName }), name),
      ...(seat !== null ? [this.rejoinOffer()!] : []),
      join,
      error,
      button(t.back, () => {
        history.replaceState(null, '', location.pathname + location.search);
        this.shell.showStart();
      })));
    if (this.shell.ready()) name.focus({ preventScroll: true });
  }

  // Without a network a room cannot be reached: say so instead of failing to connect. The page
  // shows this screen again when the network comes back (rerender).
  private needNetwork(error: HTMLElement, ...buttons: HTMLButtonElement[]): void {
    if (navigator.onLine) return;
    for (const b of buttons) b.disabled = true;
    if (error.hidden) {
      error.textContent = this.t.offline;
      error.hidden = false;
    }
  }

  /** The start screen's offer to go back to a room this tab lost (after a reload, say). */
  rejoinOffer(): HTMLElement | null {
    const seat = this.savedSeat();
    if (!seat) return null;
    const t = this.t;
    const go = button(t.reconnect, () => this.reconnect(), 'primary');
    // Offline the room cannot be reached; the start screen is shown again when the network
    // comes back.
    go.disabled = !this.shell.ready() || !navigator.onLine;
    return el('div', { className: 'rejoin' }, el('span', { textContent: fill(t.rejoinOffer, seat.code) }), go);
  }

  private begin(names: string[], request: RoomRequest): void {
    this.names = names;
    this.request = request;
    this.lobby = null;
    this.connected = true;
    this.leaving = false;
    this.started = false;
    this.over = false;
    this.lostHost = false;
    this.hostStopped = false;
    this.unread = 0;
    if (request.kind !== 'rejoin') this.chat = [];
    // The lobby first: it stops whatever game was shown, and the new one must not be stopped.
    this.showLobby();
    this.shell.send({ type: 'online', seed: Math.floor(Math.random() * 0xffffffff), names, request });
  }

  /** Asks for this tab's seat back in the room it lost. */
  reconnect(): void {
    const seat = this.savedSeat();
    if (!seat) return;
    const names = seat.names && seat.names.length > 0 ? seat.names
      : this.names.length > 0 ? this.names : [localStorage.getItem(NAME_KEY) ?? this.t.defaultName];
    this.begin(names, { kind: 'rejoin', code: seat.code, token: seat.token });
  }

  /** A new room on the same course, for "Play again" after an online game. */
  playAgain(): void {
    const course = this.lobby?.course ?? localStorage.getItem(COURSE_KEY) ?? '';
    this.begin(this.names.length > 0 ? this.names : [this.t.defaultName], { kind: 'create', course });
  }

  /** The player leaves the room (or its results): nothing is offered back. */
  leave(): void {
    if (!this.request) return;
    // The worker's game leaves the room (it says goodbye and closes the connection).
    this.shell.send({ type: 'stop' });
    this.leaving = true;
    this.request = null;
    this.drawer = null;
    this.chatLogs.clear();
    this.forgetSeat();
    this.shown = 'none';
  }

  // --- The lobby ---

  private inviteLink(code: string): string {
    return `${location.origin}/#${code}`;
  }

  private showLobby(): void {
    const t = this.t;
    this.shell.leaveScreen('lobby');
    this.shown = 'lobby';
    const lobby = this.lobby;
    const phase = lobby?.phase ?? 'connecting';
    const code = lobby?.code ?? '';
    const card = el('div', { className: 'card lobby' });
    const leave = button(t.leaveRoom, () => this.shell.showStart());
    card.append(el('div', { className: 'titlebar' },
      el('h1', { textContent: t.playWithFriends }),
      lobby?.course ? el('span', { className: 'course-name', textContent: lobby.course === HOST_TODAY ? t.todaysCourse : lobby.course }) : ''));

    // The code and the invite link.
    const invite = el('section', { className: 'invite' });
    if (code !== '') {
      const big = el('p', { className: 'room-code', textContent: code });
      big.setAttribute('aria-label', fill(t.roomCodeIs, code.split('').join(' ')));
      const link = this.inviteLink(code);
      const linkField = el('input', { id: 'invite-link', type: 'text', readOnly: true, value: link, className: 'link-field' });
      const copy = button(t.copyLink, () => {
        const done = (ok: boolean) => {
          copy.lastChild!.textContent = ok ? t.copied : t.copyLink;
          if (!ok) {
            linkField.select();
            say(t.copyFailed);
          } else {
            say(t.copied);
          }
          window.setTimeout(() => { if (copy.isConnected) copy.lastChild!.textContent = t.copyLink; }, COPIED_MS);
        };
        if (navigator.clipboard) navigator.clipboard.writeText(link).then(() => done(true), () => done(false));
        else done(false);
      }, 'primary with-icon');
      copy.prepend(icon(ICONS.copy, 18));
      copy.lastChild!.replaceWith(el('span', { textContent: t.copyLink }));
      const buttons = el('div', { className: 'inline' }, copy);
      if (typeof navigator.share === 'function') {
        const share = button(t.share, () => {
          navigator.share({ title: 'Trundlex', text: fill(t.shareText, code), url: link }).catch(() => undefined);
        }, 'with-icon');
        share.prepend(icon(ICONS.share, 18));
        buttons.append(share);
      }
      invite.append(
        el('div', { className: 'code-box' }, el('span', { className: 'label', textContent: t.roomCode }), big),
        el('div', { className: 'link-box' },
          el('label', { htmlFor: 'invite-link', textContent: t.inviteLink }), linkField, buttons,
          el('p', { className: 'hint', textContent: t.inviteHint })));
    } else {
      invite.append(el('p', { className: 'room-code pending', textContent: '······' }));
    }


    // The players.
    const players = el('ul', { className: 'room-players' });
    const iCreate = lobby?.creator ?? false;
    for (const p of lobby?.players ?? []) {
      const tags: string[] = [];
      // The people at the creator's screen made the room; its computer players only joined it.
      if (p.creator && !p.computer) tags.push(t.createdRoom);
      if (p.here && !p.computer) tags.push(t.here);
      if (p.computer) tags.push(t.computerTag);
      const swatch = el('span', { className: 'swatch' });
      swatch.style.background = cssColour(p.colour);
      swatch.setAttribute('aria-hidden', 'true');
      const item = el('li', {}, swatch, el('span', { className: 'player-name', textContent: p.name }));
      if (tags.length > 0) item.append(el('span', { className: 'tags', textContent: tags.join(' · ') }));
      if (iCreate && phase === 'lobby' && !(p.here && !p.computer)) {
        const remove = button('', () => this.shell.send({ type: 'roomRemove', name: p.name }), 'icon small');
        remove.append(icon(ICONS.close, 16));
        remove.setAttribute('aria-label', fill(t.removeFromRoom, p.name));
        item.append(remove);
      }
      players.append(item);
    }
    const people = el('section', { className: 'room-people' }, el('h2', { textContent: t.players }), players);
    if (iCreate && phase === 'lobby') {
      const strength = el('select', { id: 'computer-strength' });
      strength.setAttribute('aria-label', t.strength);
      for (const [value, text] of [[1, t.easy], [2, t.medium], [3, t.hard]] as [Strength, string][]) {
        strength.append(el('option', { value: String(value), textContent: text, selected: value === 2 }));
      }
      const add = button(t.addComputer, () => this.shell.send({
        type: 'roomAddComputer', name: this.computerName(), strength: Number(strength.value) as Strength,
      }));
      add.disabled = (lobby?.players.length ?? 0) >= 8;
      people.append(el('div', { className: 'inline add-computer' }, strength, add));
    }


    // Where things stand, and what can be done.
    const statusText = this.lobbyLine();
    const stateLine = el('p', { className: phase === 'ended' ? 'lobby-status error' : 'lobby-status', textContent: statusText });

    const actions = el('div', { className: 'row actions' }, leave);
    if (phase === 'ended' || !this.connected) {
      if (this.canReconnect()) actions.append(button(t.reconnect, () => this.reconnect(), 'primary big'));
    } else if (iCreate) {
      const start = button(t.startGame, () => this.shell.send({ type: 'roomStart' }), 'primary big');
      start.disabled = !(lobby?.canStart ?? false) || phase !== 'lobby';
      actions.append(start);
    }
    // Two groups a phone on its side shows as columns; elsewhere the card's grid places each part.
    card.append(el('div', { className: 'lobby-main' }, invite, stateLine, actions),
      el('div', { className: 'lobby-side' }, people, this.chatPanel()));
    this.shell.main.replaceChildren(card);
  }

  private lobbyLine(): string {
    const t = this.t;
    const lobby = this.lobby;
    if (!lobby) return t.connecting;
    const words = lobbyStatus(t, lobby.status);
    if (lobby.phase === 'ended') return words || t.connectionLost;
    if (lobby.phase === 'connecting') return words || t.connecting;
    if (lobby.phase === 'asking') return words || t.askingRoom;
    if (lobby.phase === 'lobby' && !lobby.creator && (words === '' || lobby.status.text === 'waitingForStart')) return t.waitingForCreator;
    if (lobby.phase === 'lobby' && lobby.creator && (words === '' || lobby.status.text === 'waitingForStart' || lobby.status.text === 'connectionOpen')) return t.pressStart;
    return words;
  }

  private canReconnect(): boolean {
    return this.savedSeat() !== null && this.lobby?.status.text !== 'refused' && !this.over && !this.hostStopped;
  }

  // A name for a new computer player that nobody in the room has.
  private computerName(): string {
    const taken = new Set((this.lobby?.players ?? []).map((p) => p.name));
    for (let n = 1; ; ++n) {
      const name = `${this.t.computerName} ${n}`;
      if (!taken.has(name)) return name;
    }
  }

  // --- Chat ---

  private chatPanel(): HTMLElement {
    const t = this.t;
    const log = el('ol', { className: 'chat-log' });
    log.setAttribute('role', 'log');
    log.setAttribute('aria-label', t.chat);
    this.chatLogs.add(log);
    this.fillLog(log);
    const input = el('input', { type: 'text', maxLength: 200, placeholder: t.chatPlaceholder, className: 'chat-input' });
    input.setAttribute('aria-label', t.chatMessage);
    input.setAttribute('enterkeyhint', 'send');
    const form = el('form', { className: 'chat-form' }, input, el('button', { type: 'submit', textContent: t.send }));
    form.addEventListener('submit', (e) => {
      e.preventDefault();
      if (input.value.trim() === '') return;
      this.shell.send({ type: 'chat', text: input.value });
      input.value = '';
    });
    return el('section', { className: 'chat' }, el('h2', { textContent: t.chat }), log, form);
  }

  private fillLog(log: HTMLElement): void {
    if (this.chat.length === 0) {
      log.replaceChildren(el('li', { className: 'empty', textContent: this.t.chatEmpty }));
      return;
    }
    log.replaceChildren(...this.chat.map((c) => c.note
      ? el('li', { className: 'note', textContent: c.text })
      : el('li', { className: c.mine ? 'mine' : '' }, el('b', { textContent: `${c.name}: ` }), c.text)));
    log.scrollTop = log.scrollHeight;
  }

  private addChat(line: ChatLine): void {
    this.chat.push(line);
    if (this.chat.length > 200) this.chat.shift();
    for (const log of [...this.chatLogs]) {
      if (!log.isConnected) this.chatLogs.delete(log);
      else this.fillLog(log);
    }
    if (this.drawer && this.drawer.panel.hidden && !line.note && !line.mine) {
      ++this.unread;
      this.drawer.badge.textContent = String(this.unread);
      this.drawer.badge.hidden = false;
      this.drawer.toggle.setAttribute('aria-label', `${this.t.chat} (${fill(this.t.newMessages, this.unread)})`);
    }
  }

  /** The chat button and its panel, on the game screen of an online game. */
  attachGame(bar: HTMLElement, root: HTMLElement): void {
    const t = this.t;
    const toggle = button('', () => {
      const open = panel.hidden;
      panel.hidden = !open;
      toggle.setAttribute('aria-expanded', String(open));
      if (open) {
        this.unread = 0;
        badge.hidden = true;
        toggle.setAttribute('aria-label', t.chat);
        panel.querySelector<HTMLInputElement>('.chat-input')?.focus({ preventScroll: true });
      }
    }, 'icon chat-toggle');
    toggle.append(icon(ICONS.chat));
    const badge = el('span', { className: 'badge', hidden: true });
    toggle.append(badge);
    toggle.setAttribute('aria-label', t.chat);
    toggle.setAttribute('aria-expanded', 'false');
    const close = button('', () => toggle.click(), 'icon small close');
    close.append(icon(ICONS.close, 16));
    close.setAttribute('aria-label', t.back);
    const panel = el('div', { className: 'chat-drawer', hidden: true }, this.chatPanel(), close);
    panel.addEventListener('keydown', (e) => {
      if (e.key !== 'Escape') return;
      e.preventDefault();
      toggle.click();
      toggle.focus({ preventScroll: true });
    });
    const lost = el('div', { className: 'lost', hidden: true });
    bar.append(lost, toggle);
    root.append(panel);
    this.drawer = { panel, toggle, badge, lost };
    this.updateLost();
  }

  /** Enter during an online game: the chat opens, ready to type. */
  openChat(): boolean {
    if (!this.drawer || !this.drawer.panel.hidden) return false;
    this.drawer.toggle.click();
    return true;
  }

  private updateLost(): void {
    if (!this.drawer) return;
    const lost = this.drawer.lost;
    lost.hidden = this.connected || this.over;
    if (lost.hidden) return;
    const children: (Node | string)[] = [el('span', { textContent: this.t.connectionLost })];
    if (this.canReconnect()) children.push(button(this.t.reconnect, () => this.reconnect(), 'primary'));
    lost.replaceChildren(...children);
  }

  /** Reconnect on the results of a game whose connection was lost. */
  resultsActions(): HTMLButtonElement[] {
    if (this.connected || !this.canReconnect()) return [];
    return [button(this.t.reconnect, () => this.reconnect(), 'big')];
  }

  // --- What the worker tells ---

  handle(m: FromWorker): void {
    const t = this.t;
    switch (m.type) {
      case 'started':
        this.force = { max: m.maxForce, min: m.minimumForce };
        return;
      case 'onlineRefused': {
        const rejoining = this.request?.kind === 'rejoin';
        this.request = null;
        if (rejoining) this.forgetSeat();
        this.backWithError(m.what === 'name' ? t.badName : t.notACode);
        return;
      }
      case 'chatRefused':
        say(m.reason === 'tooLong' ? t.chatTooLong
          : m.reason === 'badCharacter' || m.reason === 'separator' ? t.chatBadCharacter
            : m.reason === 'notConnected' ? t.connectionLost : '');
        return;
      case 'connectionClosed':
        if (!this.request) return;
        this.connected = false;
        if (this.shown === 'lobby') this.showLobby();
        this.updateLost();
        if (!this.over && !this.leaving) say(this.lobby?.status.text === 'refused' ? lobbyStatus(t, this.lobby.status) : t.connectionLost);
        return;
      case 'events':
        break;
      default:
        return;
    }
    if (!this.request) return;
    for (const line of m.lines) {
      const space = line.indexOf(' ');
      const kind = space < 0 ? line : line.slice(0, space);
      const rest = space < 0 ? '' : line.slice(space + 1);
      switch (kind) {
        case 'lobby':
          if (m.lobby) this.setLobby(m.lobby);
          break;
        case 'chat':
          try {
            const c = JSON.parse(rest) as { name: string; text: string; mine?: boolean };
            const mine = c.mine === true;
            this.addChat({ name: String(c.name), text: String(c.text), mine });
            if (this.shell.inGame() && !mine) say(`${c.name}: ${c.text}`);
          } catch {
            // A line that does not read is skipped.
          }
          break;
        case 'left': this.note(fill(t.leftNote, rest)); break;
        case 'computer': this.note(fill(t.computerNote, rest)); break;
        case 'returned': this.note(fill(t.returnedNote, rest)); break;
        case 'lost':
          this.lostHost = true;
          this.note(t.connectionLost);
          break;
        case 'hoststopped':
          this.hostStopped = true;
          this.forgetSeat();
          this.note(t.hostStopped);
          break;
        case 'started':
          if (!this.started) {
            this.started = true;
            this.shown = 'none';
            this.shell.enterGame(this.force.max, this.force.min);
            say(t.startedNote);
          }
          break;
        case 'over':
          // The results of a game cut short are the results so far; a lost seat stays on offer.
          if (!this.cutShort) {
            this.over = true;
            this.forgetSeat();
          }
          break;
        case 'ended':
          this.note(t.endedNote);
          if (this.started && !this.over) this.shell.endGame();
          break;
      }
    }
  }

  // The room could not be had: back to where it was asked for, saying why, with what was typed.
  private backWithError(text: string): void {
    if (this.request) this.shell.send({ type: 'stop' });
    this.request = null;
    this.refusedText = text;
    if (this.viaLink && this.linkCode !== '') this.showLink(this.linkCode);
    else this.showFriends();
    say(text);
  }

  private note(text: string): void {
    this.addChat({ name: '', text, note: true });
    say(text);
  }

  private setLobby(lobby: LobbyData): void {
    const before = this.lobby;
    this.lobby = lobby;
    // The seat, and the people it is for: a rejoin must bring the same people.
    if (lobby.code !== '' && lobby.token !== '') sessionStorage.setItem(SEAT_KEY, JSON.stringify({ code: lobby.code, token: lobby.token, names: this.names }));
    if (lobby.status.text === 'refused') this.forgetSeat();
    // No room to be in (a refusal, no host to reach): the question again, with the reason.
    const noRoom = ['refused', 'couldntConnect', 'notARoomHost', 'otherVersion'].includes(lobby.status.text);
    if (lobby.phase === 'ended' && !this.started && noRoom) {
      this.backWithError(lobbyStatus(this.t, lobby.status) || this.t.couldntConnect);
      return;
    }
    // The link leads to this room from now on, so a reload comes back here.
    if (lobby.code !== '' && location.hash !== `#${lobby.code}`) history.replaceState(null, '', `#${lobby.code}`);
    if (this.shown === 'lobby') this.showLobby();
    const line = this.lobbyLine();
    if (before === null || lobbyStatus(this.t, before.status) !== lobbyStatus(this.t, lobby.status) || before.phase !== lobby.phase) say(line);
  }

  /** The language changed, or the game finished loading: draw the shown screen again, keeping what was typed. */
  rerender(): boolean {
    const typed = [...this.shell.main.querySelectorAll<HTMLInputElement>('input[id]')].map((i) => [i.id, i.value] as const);
    switch (this.shown) {
      case 'friends': this.showFriends(); break;
      case 'link': this.showLink(this.linkCode); break;
      case 'lobby': this.showLobby(); break;
      default: return false;
    }
    for (const [id, value] of typed) {
      const input = this.shell.main.querySelector<HTMLInputElement>(`input[id="${id}"]`);
      if (input && !input.readOnly) input.value = value;
    }
    return true;
  }
}

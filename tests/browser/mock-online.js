// Appended to the page's module in the browser tests of the online screens: a stand-in for
// the module's OnlineGame that knows no rule at all. It forwards what the page asks for to the
// test's WebSocket peer (tests/browser/room-peer.mjs) as JSON, and plays back what that peer
// sends: the lobby, event lines, a level and a score board. So the tests drive the page's
// online screens and its transport through exactly the calls the real module takes.
(() => {
  const realCreate = createTrundlex;
  const encoder = new TextEncoder();
  const decoder = new TextDecoder();

  class MockOnlineGame {
    constructor(seed) {
      this.seed = seed;
      this.people = [];
      this.request = null;
      this.out = [];
      this.events = [];
      this.close = false;
      this.ms = 0;
      this.level = '';
      this.board = '';
      this.lobby = { phase: 'connecting', code: '', course: '', creator: false, token: '', players: [], canStart: false, status: { text: '' } };
    }
    tell(message) { this.out.push(JSON.stringify(message)); }
    addPerson(name) { if (name === '') return false; this.people.push(name); return true; }
    setPars(table) { return typeof table === 'string'; }
    createRoom(course) { this.request = { kind: 'create', course }; this.events.push('lobby'); return true; }
    // The tests' own stand-in for a text that cannot be a code.
    joinRoom(code) { if (code.includes('!')) return false; this.request = { kind: 'join', code }; this.events.push('lobby'); return true; }
    rejoinRoom(code, token) { this.request = { kind: 'rejoin', code, token }; this.events.push('lobby'); return true; }
    opened() { this.tell({ hello: { people: this.people, request: this.request } }); }
    received(bytes) {
      const m = JSON.parse(decoder.decode(bytes));
      if (m.level) this.level = JSON.stringify(m.level);
      if (m.board) this.board = JSON.stringify(m.board);
      if (m.lobby) { this.lobby = m.lobby; this.events.push('lobby'); }
      if (m.events) this.events.push(...m.events);
      if (m.close) this.close = true;
    }
    closed() {
      this.lobby = { ...this.lobby, phase: 'ended', canStart: false, status: this.lobby.status.text === 'refused' ? this.lobby.status : { text: 'interrupted' } };
      this.events.push('lobby');
    }
    takeOutgoing() { return this.out.length > 0 ? encoder.encode(this.out.shift()) : new Uint8Array(0); }
    wantsClose() { return this.close; }
    lobbyJson() { return JSON.stringify(this.lobby); }
    startGame() { this.tell({ start: true }); return true; }
    addComputer(name, strength) { this.tell({ addComputer: { name, strength } }); return true; }
    removePlayer(name) { this.tell({ remove: name }); return true; }
    // As the module does, a line sent is also told back as this screen's own.
    sendChat(text) {
      if (text.trim() === '') return 'empty';
      if (text.length > 100) return 'tooLong';
      this.tell({ chat: text });
      this.events.push(`chat ${JSON.stringify({ name: this.people[0], text, mine: true })}`);
      return '';
    }
    leave() { this.tell({ leave: true }); this.close = true; }
    runUntil(ms) { this.ms = ms; return true; }
    isOver() { return false; }
    time() { return this.ms; }
    state() { return 3; }
    aimAt(heading) { this.tell({ aim: heading }); }
    beginCharge() {}
    releaseCharge() {}
    cancelCharge() {}
    puttWithForce() { return false; }
    maxForce() { return 80; }
    minimumForce() { return 4; }
    hurry() {}
    levelJson() { return this.level; }
    boardJson() { return this.board; }
    takeEvents() { const text = this.events.join('\n'); this.events = []; return text; }
    result() { return ''; }
    delete() {}
  }

  // eslint-disable-next-line no-global-assign
  createTrundlex = async (options) => {
    const module = await realCreate(options);
    module.OnlineGame = MockOnlineGame;
    return module;
  };
})();

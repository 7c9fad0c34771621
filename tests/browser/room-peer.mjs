// The other end of the page's /play WebSocket in the browser tests with the mock OnlineGame
// (mock-online.js): accepts the upgrade, reads the page's binary messages as JSON and sends
// JSON back in binary messages. Just enough of RFC 6455 for one browser on loopback.
import crypto from 'node:crypto';

const GUID = '258EAFA5-E914-47DA-95CA-C5AB0DC85B11';

export class RoomPeers {
  constructor() {
    this.peers = [];
    this.waiters = [];
  }

  /** The http server's 'upgrade' handler. */
  upgrade(req, socket) {
    const key = req.headers['sec-websocket-key'];
    if (new URL(req.url, 'http://x').pathname !== '/play' || !key) {
      socket.destroy();
      return;
    }
    const accept = crypto.createHash('sha1').update(key + GUID).digest('base64');
    socket.write(`HTTP/1.1 101 Switching Protocols\r\nUpgrade: websocket\r\nConnection: Upgrade\r\nSec-WebSocket-Accept: ${accept}\r\n\r\n`);
    const peer = new Peer(socket);
    this.peers.push(peer);
    for (const w of this.waiters.splice(0)) w();
  }

  /** The next peer to connect after `count` peers so far, within `ms`. */
  async next(count, ms = 10000) {
    const deadline = Date.now() + ms;
    while (this.peers.length <= count) {
      if (Date.now() > deadline) throw new Error(`no connection to /play within ${ms} ms`);
      await new Promise((resolve) => {
        this.waiters.push(resolve);
        setTimeout(resolve, 100);
      });
    }
    return this.peers[count];
  }
}

class Peer {
  constructor(socket) {
    this.socket = socket;
    this.messages = [];
    this.closed = false;
    this.buffer = Buffer.alloc(0);
    socket.on('data', (data) => this.data(data));
    socket.on('close', () => { this.closed = true; });
    socket.on('error', () => { this.closed = true; });
  }

  data(data) {
    this.buffer = Buffer.concat([this.buffer, data]);
    for (;;) {
      if (this.buffer.length < 2) return;
      const opcode = this.buffer[0] & 0x0f;
      let length = this.buffer[1] & 0x7f;
      let at = 2;
      if (length === 126) { length = this.buffer.readUInt16BE(2); at = 4; }
      else if (length === 127) { length = Number(this.buffer.readBigUInt64BE(2)); at = 10; }
      const masked = (this.buffer[1] & 0x80) !== 0;
      const mask = masked ? this.buffer.subarray(at, at + 4) : null;
      if (masked) at += 4;
      if (this.buffer.length < at + length) return;
      const payload = Buffer.from(this.buffer.subarray(at, at + length));
      if (mask) for (let i = 0; i < payload.length; ++i) payload[i] ^= mask[i & 3];
      this.buffer = this.buffer.subarray(at + length);
      if (opcode === 0x8) {
        this.closeFrameSeen = true;
        this.write(0x8, Buffer.alloc(0));
        this.socket.end();
        return;
      }
      if (opcode === 0x2 || opcode === 0x1) this.messages.push(JSON.parse(payload.toString('utf8')));
    }
  }

  write(opcode, payload) {
    const n = payload.length;
    const head = n < 126 ? Buffer.from([0x80 | opcode, n])
      : n < 65536 ? Buffer.from([0x80 | opcode, 126, n >> 8, n & 0xff])
        : Buffer.concat([Buffer.from([0x80 | opcode, 127]), (() => { const b = Buffer.alloc(8); b.writeBigUInt64BE(BigInt(n)); return b; })()]);
    if (!this.socket.destroyed) this.socket.write(Buffer.concat([head, payload]));
  }

  /** Sends one binary message holding `object` as JSON. */
  send(object) {
    this.write(0x2, Buffer.from(JSON.stringify(object), 'utf8'));
  }

  /** The first message from the page that `match` accepts, waited for up to `ms`. */
  async receive(match, ms = 10000) {
    const deadline = Date.now() + ms;
    for (;;) {
      const found = this.messages.find(match);
      if (found) return found;
      if (Date.now() > deadline) throw new Error(`the page did not send the message looked for within ${ms} ms; it sent ${JSON.stringify(this.messages)}`);
      await new Promise((r) => setTimeout(r, 25));
    }
  }

  /** Waits up to `ms` for the page to close the connection. */
  async waitClosed(ms = 10000) {
    const deadline = Date.now() + ms;
    while (!this.closed && !this.closeFrameSeen) {
      if (Date.now() > deadline) throw new Error(`the page kept the connection open for ${ms} ms`);
      await new Promise((r) => setTimeout(r, 25));
    }
  }

  /** The host's side ends the connection. */
  drop() {
    this.socket.destroy();
  }
}

// A tiny static server for build-web/site/ on a free loopback port, for the browser tests.
// `options.extend` maps a file's path to text appended to it (the mock OnlineGame after the
// module); `options.upgrade` takes WebSocket upgrades (the test's peer at /play).
import http from 'node:http';
import fs from 'node:fs';
import path from 'node:path';

const types = {
  '.html': 'text/html; charset=utf-8',
  '.js': 'text/javascript; charset=utf-8',
  '.css': 'text/css; charset=utf-8',
  '.json': 'application/json',
  '.wasm': 'application/wasm',
  '.png': 'image/png',
  '.wav': 'audio/wav',
  '.txt': 'text/plain; charset=utf-8',
  '.lev': 'application/octet-stream',
  '.cou': 'application/octet-stream',
  '.webmanifest': 'application/manifest+json',
};

export function serve(root, options = {}) {
  const server = http.createServer((req, res) => {
    const url = new URL(req.url, 'http://localhost');
    let file = path.normalize(path.join(root, decodeURIComponent(url.pathname)));
    if (!file.startsWith(root)) {
      res.writeHead(403).end();
      return;
    }
    if (url.pathname.endsWith('/')) file = path.join(file, 'index.html');
    fs.readFile(file, (err, data) => {
      if (err) {
        res.writeHead(404).end();
        return;
      }
      const extra = options.extend?.[url.pathname];
      res.writeHead(200, { 'Content-Type': types[path.extname(file)] ?? 'application/octet-stream' });
      res.end(extra ? Buffer.concat([data, Buffer.from('\n' + extra)]) : data);
    });
  });
  if (options.upgrade) server.on('upgrade', (req, socket) => options.upgrade(req, socket));
  return new Promise((resolve) => {
    server.listen(0, '127.0.0.1', () => {
      const { port } = server.address();
      resolve({
        url: `http://127.0.0.1:${port}/`,
        close: () => new Promise((r) => {
          server.closeAllConnections?.();
          server.close(r);
        }),
      });
    });
  });
}

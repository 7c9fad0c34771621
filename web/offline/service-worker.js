// The page's service worker: once the page has been loaded, everything a local game needs
// (the page, its scripts, the module, the levels, courses, sounds and icons) comes from a
// cache, so Play, Local game and Levels work without a network. The build (write-sw.mjs)
// puts VERSION and FILES in front of this: FILES names every file of the site, VERSION is
// derived from their contents, so a new build installs a new cache and drops the old one.
// Playing with friends talks to the host over /play, which is never answered from here.

/* global VERSION, FILES */
const PREFIX = 'trundlex-site-';
const CACHE = PREFIX + VERSION;
const scope = new URL(self.registration.scope);
// The host's own addresses: the game's WebSocket and the host's health and figures.
const LIVE = new Set(['play', 'healthz', 'metrics']);

self.addEventListener('install', (event) => {
  event.waitUntil((async () => {
    const cache = await caches.open(CACHE);
    // Past the HTTP cache: a file of the old build must not be stored under the new version.
    await cache.addAll(FILES.map((f) => new Request(new URL(f, scope), { cache: 'reload' })));
    // The new version serves the next load; the page that found it keeps what it has loaded.
    await self.skipWaiting();
  })());
});

self.addEventListener('activate', (event) => {
  event.waitUntil((async () => {
    for (const name of await caches.keys()) {
      if (name.startsWith(PREFIX) && name !== CACHE) await caches.delete(name);
    }
    await self.clients.claim();
  })());
});

self.addEventListener('fetch', (event) => {
  const request = event.request;
  if (request.method !== 'GET') return;
  const url = new URL(request.url);
  if (url.origin !== scope.origin || !url.pathname.startsWith(scope.pathname)) return;
  const path = url.pathname.slice(scope.pathname.length);
  if (LIVE.has(path.split('/')[0])) return;
  // The page itself, whatever its fragment (an invite link) or query says.
  const key = path === '' ? new URL('index.html', scope).href : url.href;
  event.respondWith((async () => {
    const cache = await caches.open(CACHE);
    const hit = await cache.match(key, { ignoreSearch: true });
    return hit ?? fetch(request);
  })());
});

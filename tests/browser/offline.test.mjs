// The page offline: its service worker keeps every file of the site, so once loaded the page
// comes back without a network and a game against the computer is played; Play with friends
// says it needs the network; a new build's page replaces the old cache; and Chromium finds the
// page installable as an app. Run: scripts/test-browser.sh
import { after, before, describe, it } from 'node:test';
import assert from 'node:assert/strict';
import { execFileSync } from 'node:child_process';
import { createRequire } from 'node:module';
import fs from 'node:fs';
import os from 'node:os';
import path from 'node:path';
import { open, root, site, start } from './harness.mjs';
import { serve } from './serve.mjs';

let env;
before(async () => { env = await start(); });
after(async () => { await env?.close(); });

const DESKTOP = { viewport: { width: 1280, height: 800 }, locale: 'en-US' };

// Every file of a built site but the service worker itself and the packed copies the host
// sends in their place, as paths relative to it.
function siteFiles(dir) {
  const walk = (d) => fs.readdirSync(d, { withFileTypes: true }).flatMap((e) =>
    e.isDirectory() ? walk(path.join(d, e.name)) : [path.relative(dir, path.join(d, e.name)).split(path.sep).join('/')]);
  return walk(dir).filter((f) => f !== 'sw.js' && !f.endsWith('.gz')).sort();
}

// Waits until a service worker controls the page and answers what the site's caches hold:
// { names: cache names, files: paths (relative to the page) in the newest one }.
async function cached(page) {
  return page.evaluate(async () => {
    await navigator.serviceWorker.ready;
    if (!navigator.serviceWorker.controller) {
      await new Promise((resolve) => navigator.serviceWorker.addEventListener('controllerchange', resolve, { once: true }));
    }
    const names = (await caches.keys()).filter((n) => n.startsWith('trundlex-'));
    const files = [];
    for (const name of names) {
      for (const r of await (await caches.open(name)).keys()) files.push(new URL(r.url).pathname.slice(1));
    }
    return { names, files: files.sort() };
  });
}

async function startScreen(page) {
  await page.waitForFunction(() => [...document.querySelectorAll('button')]
    .some((b) => b.textContent === 'Play' && !b.disabled), null, { timeout: 20000 });
}

describe('offline', () => {
  it('keeps the whole site, and plays against the computer after a reload without a network', async () => {
    const { context, page, errors } = await open(env, DESKTOP);
    await startScreen(page);
    const first = await cached(page);
    assert.equal(first.names.length, 1, `one cache: ${first.names}`);
    assert.deepEqual(first.files, siteFiles(site), 'every file of the site is kept');

    // A room this tab lost before (as a reload mid-game leaves it): its seat is offered.
    await page.evaluate(() => sessionStorage.setItem('trundlex.seat',
      JSON.stringify({ code: 'K7QX2M', token: 'ABCDEFGHJKMNPQRSTUVW', names: ['Oona'] })));
    await context.setOffline(true);
    await page.reload();
    await startScreen(page);
    assert.equal(await page.evaluate(() => navigator.onLine), false);
    // Offline the room cannot be reached: the offer waits for the network.
    const reconnect = page.getByRole('button', { name: 'Reconnect', exact: true });
    assert.equal(await reconnect.isDisabled(), true, 'Reconnect offline');
    await context.setOffline(false);
    await page.waitForFunction(() => [...document.querySelectorAll('button')]
      .some((b) => b.textContent === 'Reconnect' && !b.disabled), null, { timeout: 10000 });
    await context.setOffline(true);
    await page.waitForFunction(() => [...document.querySelectorAll('button')]
      .some((b) => b.textContent === 'Reconnect' && b.disabled), null, { timeout: 10000 });
    await page.evaluate(() => sessionStorage.removeItem('trundlex.seat'));

    // Play with friends cannot reach a host, and says so rather than trying.
    await page.getByRole('button', { name: 'Play with friends', exact: true }).click();
    await page.getByRole('alert').filter({ hasText: 'You are offline' }).waitFor({ timeout: 10000 });
    assert.equal(await page.getByRole('button', { name: 'Create room', exact: true }).isDisabled(), true);
    assert.equal(await page.getByRole('button', { name: 'Join', exact: true }).isDisabled(), true);
    await page.getByRole('button', { name: 'Back', exact: true }).click();

    await page.getByLabel('Your name', { exact: true }).fill('Oona');
    await page.getByRole('button', { name: 'Play', exact: true }).click();
    await page.getByRole('heading', { name: /^Hole 1 of 3: / }).waitFor({ timeout: 20000 });
    await page.waitForFunction(() => {
      const c = document.querySelector('canvas.playfield');
      return c && c.dataset.turn === 'here' && c.dataset.state === '2' && c.dataset.ball;
    }, null, { timeout: 20000 });
    await page.keyboard.down(' ');
    await page.waitForFunction(() => document.querySelector('canvas.playfield')?.dataset.state === '4', null, { timeout: 5000 });
    // Held a while, for a putt of some force.
    await page.waitForTimeout(400);
    await page.keyboard.up(' ');
    // The putt counts: Oona's first hole shows a stroke.
    await page.waitForFunction(() => {
      const row = [...document.querySelectorAll('.board-table tbody tr')].find((r) => r.querySelector('.player-name')?.textContent === 'Oona');
      return row && row.querySelector('td').textContent === '1';
    }, null, { timeout: 20000 });

    // An invite link opened offline says the same; once the network is back, Join can be used.
    await page.getByRole('button', { name: 'Leave game', exact: true }).click();
    await startScreen(page);
    await page.evaluate(() => { location.hash = 'K7QX2M'; });
    await page.getByRole('alert').filter({ hasText: 'You are offline' }).waitFor({ timeout: 10000 });
    assert.equal(await page.getByRole('button', { name: 'Join', exact: true }).isDisabled(), true);
    await context.setOffline(false);
    await page.waitForFunction(() => [...document.querySelectorAll('button')]
      .some((b) => b.textContent === 'Join' && !b.disabled), null, { timeout: 10000 });
    assert.equal(await page.getByRole('alert').filter({ hasText: 'You are offline' }).count(), 0);
    assert.deepEqual(errors, []);
    await context.close();
  });

  it('replaces the cache with a new build\'s, and drops the old one', async () => {
    const dir = fs.mkdtempSync(path.join(os.tmpdir(), 'trundlex-site-'));
    let server;
    try {
      fs.cpSync(site, dir, { recursive: true });
      server = await serve(dir);
      const { context, page, errors } = await open(env, DESKTOP, server.url);
      await startScreen(page);
      const old = await cached(page);
      assert.equal(old.names.length, 1);
      const oldContent = await page.evaluate(async () => (await fetch('content.json')).text());

      // A new build: one file changed, and the service worker written again for it.
      const changed = JSON.stringify({ ...JSON.parse(oldContent), note: 'rebuilt' }) + '\n';
      fs.writeFileSync(path.join(dir, 'content.json'), changed);
      execFileSync(process.execPath, [path.join(root, 'web', 'offline', 'write-sw.mjs'), dir], { stdio: 'ignore' });

      await page.reload();
      await startScreen(page);
      // The new service worker installs beside the page and then drops the old cache.
      const deadline = Date.now() + 20000;
      let fresh = old;
      while (fresh.names.length !== 1 || fresh.names[0] === old.names[0]) {
        assert.ok(Date.now() < deadline, `no new cache alone in time: ${fresh.names}`);
        await page.waitForTimeout(200);
        fresh = await cached(page);
      }
      assert.deepEqual(fresh.files, siteFiles(dir));

      // Offline, the page and what it reads are the new build's.
      await context.setOffline(true);
      await page.reload();
      await startScreen(page);
      assert.equal(await page.evaluate(async () => (await fetch('content.json')).text()), changed);
      assert.deepEqual(errors, []);
      await context.close();
    } finally {
      await server?.close();
      fs.rmSync(dir, { recursive: true, force: true });
    }
  });

  it('installs as an app in Chromium\'s eyes', async () => {
    // An incognito window installs nothing: this one keeps a profile.
    const profile = fs.mkdtempSync(path.join(os.tmpdir(), 'trundlex-profile-'));
    const chromium = createRequire(path.join(root, 'web', 'package.json'))('playwright-core').chromium;
    const context = await chromium.launchPersistentContext(profile, {
      executablePath: process.env.CHROMIUM ?? '/usr/bin/chromium', args: ['--no-sandbox'], ...DESKTOP,
    });
    try {
      const page = context.pages()[0] ?? await context.newPage();
      const errors = [];
      page.on('pageerror', (e) => errors.push(String(e)));
      await page.goto(env.url);
      await startScreen(page);
      await cached(page);
      const cdp = await context.newCDPSession(page);
      const { installabilityErrors } = await cdp.send('Page.getInstallabilityErrors');
      assert.deepEqual(installabilityErrors, []);
      const { url } = await cdp.send('Page.getAppManifest');
      assert.equal(url, new URL('manifest.webmanifest', env.url).href);
      const manifest = JSON.parse(fs.readFileSync(path.join(site, 'manifest.webmanifest'), 'utf8'));
      assert.equal(manifest.display, 'standalone');
      // Every icon it names is shipped, at the size it claims.
      for (const icon of manifest.icons) {
        const png = fs.readFileSync(path.join(site, icon.src));
        assert.equal(`${png.readUInt32BE(16)}x${png.readUInt32BE(20)}`, icon.sizes, icon.src);
      }
      assert.deepEqual(errors, []);
    } finally {
      await context.close();
      fs.rmSync(profile, { recursive: true, force: true });
    }
  });
});

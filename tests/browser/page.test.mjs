// The browser game (build-web/site/) in Debian's Chromium: the start screen, a game played
// through to its results with the keyboard, the local game setup, the level browser, touch
// putting on a phone, and the Swedish texts. Run: scripts/test-browser.sh
import { after, before, describe, it } from 'node:test';
import assert from 'node:assert/strict';
import { State, field, fits, open, start } from './harness.mjs';

let env;
before(async () => { env = await start(); });
after(async () => { await env?.close(); });

const DESKTOP = { viewport: { width: 1280, height: 800 }, locale: 'en-US' };
const PHONE = { viewport: { width: 390, height: 844 }, deviceScaleFactor: 3, hasTouch: true, isMobile: true, locale: 'en-US' };

// The start screen once the levels are read (its buttons are enabled then).
async function ready(page, playName = 'Play') {
  await page.waitForFunction((name) => [...document.querySelectorAll('button')]
    .some((b) => b.textContent === name && !b.disabled), playName, { timeout: 20000 });
  return page.getByRole('button', { name: playName, exact: true });
}

// Each player's strokes on each hole and total, read from the score board.
async function boardRows(page) {
  return page.locator('.board-table tbody tr:not(.par-row)').evaluateAll((rows) => rows.map((r) => ({
    name: r.querySelector('.player-name').textContent,
    current: r.getAttribute('aria-current') === 'true',
    strokes: [...r.querySelectorAll('td:not(.total)')].map((td) => td.textContent),
    total: Number(r.querySelector('td.total').textContent),
  })));
}

// Putts whenever the person here aims (Space held for a while, after turning the aim a
// little) and hurries rolling balls, until the results show. Bounded by `ms`.
async function playToResults(page, ms, seen) {
  const again = page.getByRole('button', { name: 'Play again', exact: true });
  const deadline = Date.now() + ms;
  let putts = 0;
  while (Date.now() < deadline) {
    if (await again.isVisible()) return putts;
    const f = await field(page);
    if (f && f.turn === 'here' && f.state === State.Aiming) {
      for (let k = Math.floor(Math.random() * 20); k > 0; --k) await page.keyboard.press('ArrowLeft');
      await page.keyboard.down(' ');
      await page.waitForTimeout(200 + Math.random() * 500);
      await page.keyboard.up(' ');
      ++putts;
      const rows = await boardRows(page).catch(() => []);
      if (rows.some((r) => r.current)) seen.current = true;
    } else if (f && f.state === State.Rolling) {
      await page.keyboard.press(' ');
    }
    await page.waitForTimeout(40);
  }
  throw new Error(`no results within ${ms} ms after ${putts} putts`);
}

describe('desktop', () => {
  it('plays a game against the computer by keyboard to the results, and again', async () => {
    const { context, page, errors } = await open(env, DESKTOP);
    const play = await ready(page);
    for (const name of ['Local game', 'Levels']) {
      assert.equal(await page.getByRole('button', { name, exact: true }).count(), 1, name);
    }
    await page.getByLabel('Your name', { exact: true }).fill('Tess');
    await play.click();
    await page.getByRole('heading', { name: /^Hole 1 of 3: / }).waitFor();
    const canvas = page.locator('canvas.playfield');
    assert.equal(await canvas.evaluate((c) => c.width === Math.round(c.getBoundingClientRect().width * devicePixelRatio)), true);
    const rows = await boardRows(page);
    assert.deepEqual(rows.map((r) => r.name), ['Tess', 'Robin (computer)']);
    assert.equal(await fits(page), true, 'the game fits the window');
    await page.setViewportSize({ width: 3840, height: 2160 });
    await page.waitForFunction(() => document.querySelector('canvas.playfield').width > 3000);
    assert.equal(await fits(page), true, 'the game fits a 4K screen');
    await page.setViewportSize(DESKTOP.viewport);
    await page.waitForFunction(() => document.querySelector('canvas.playfield').width < 1300);
    await page.getByRole('status').filter({ hasText: "Tess's turn" }).waitFor();

    const seen = { current: false };
    const putts = await playToResults(page, 240000, seen);
    assert.ok(putts >= 3, `${putts} putts for three holes`);
    assert.ok(seen.current, 'the board marked whose turn it was');
    const standings = await page.locator('table.standings tbody tr').evaluateAll((trs) => trs.map((tr) => ({
      name: tr.querySelector('th').textContent, total: Number(tr.querySelector('td').textContent),
    })));
    assert.equal(standings.length, 2);
    for (const s of standings) assert.ok(s.total >= 3, `${s.name}: ${s.total} strokes on three holes`);
    assert.ok(standings[0].total <= standings[1].total, 'best first');
    assert.match(await page.getByRole('status').textContent(), /Game over\. .*(wins|Well played|share)/);

    await page.getByRole('button', { name: 'Play again', exact: true }).click();
    await page.getByRole('heading', { name: /^Hole 1 of 3: / }).waitFor();
    await page.waitForFunction(() => document.querySelectorAll('.board-table tbody tr').length === 3);
    const fresh = await boardRows(page);
    assert.deepEqual(fresh.map((r) => r.total), [0, 0], 'a new game starts from nothing');

    // The name is remembered for the next visit.
    await page.reload();
    await ready(page);
    assert.equal(await page.getByLabel('Your name', { exact: true }).inputValue(), 'Tess');
    assert.deepEqual(errors, []);
    await context.close();
  });

  it('putts with the mouse, and the right button calls a putt off', async () => {
    const { context, page, errors } = await open(env, DESKTOP);
    await ready(page);
    await page.getByLabel('Your name', { exact: true }).fill('Mo');
    await page.getByRole('button', { name: 'Play', exact: true }).click();
    const aiming = () => page.waitForFunction(() => {
      const c = document.querySelector('canvas.playfield');
      return c && c.dataset.turn === 'here' && c.dataset.state === '2' && c.dataset.ball;
    }, null, { timeout: 20000 });
    await aiming();
    const f = await field(page);
    const x = f.box.x + f.ball[0];
    const y = f.box.y + f.ball[1];
    // Behind the ball: it goes the other way.
    await page.mouse.move(x - 60, y + 10);
    await page.mouse.down();
    await page.waitForFunction(() => document.querySelector('canvas.playfield').dataset.state === String(4));
    await page.mouse.down({ button: 'right' });
    await aiming();
    await page.mouse.up({ button: 'right' });
    await page.mouse.up();
    assert.equal((await boardRows(page))[0].strokes[0], '', 'no stroke for a putt called off');
    await page.mouse.down();
    await page.waitForTimeout(600);
    await page.mouse.up();
    await page.waitForFunction(() => {
      const row = document.querySelector('.board-table tbody tr:not(.par-row)');
      return row && row.querySelector('td').textContent === '1';
    }, null, { timeout: 20000 });
    assert.deepEqual(errors, []);
    await context.close();
  });

  it('sets up a local game of people and computers on the chosen holes', async () => {
    const { context, page, errors } = await open(env, DESKTOP);
    await ready(page);
    await page.getByRole('button', { name: 'Local game', exact: true }).click();
    await page.getByRole('button', { name: 'Add player', exact: true }).click();
    await page.getByLabel('Name of player 1').fill('Ann');
    await page.getByLabel('Name of player 2').fill('Bob');
    await page.getByLabel('Player 2 plays as').selectOption({ label: 'Person' });
    await page.getByLabel('Name of player 3').fill('Cy');
    await page.getByLabel('Player 3 plays as').selectOption({ label: 'Computer, hard' });
    await page.getByLabel(/^All levels \(\d+ holes\)$/).check();
    await page.getByRole('button', { name: 'Start game', exact: true }).click();
    const count = (await (await fetch(env.url + 'content.json')).json()).levels.length;
    await page.getByRole('heading', { name: new RegExp(`^Hole 1 of ${count}: `) }).waitFor();
    await page.waitForFunction(() => document.querySelectorAll('.board-table tbody tr:not(.par-row)').length === 3);
    const rows = await boardRows(page);
    assert.deepEqual(rows.map((r) => r.name), ['Ann', 'Bob', 'Cy (computer)']);
    assert.equal(rows[0].strokes.length, count, 'a column for every hole');
    // Shipped levels have their pars from the table.
    const pars = await page.locator('.board-table .par-row td:not(.total)').allTextContents();
    assert.ok(pars.every((p) => /^\d+$/.test(p)), `pars: ${pars.join(' ')}`);
    await page.getByRole('button', { name: 'Leave game' }).click();
    await page.getByRole('button', { name: 'Play', exact: true }).waitFor();
    assert.deepEqual(errors, []);
    await context.close();
  });

  it('shows every shipped level with a drawn preview, its name and par', async () => {
    const { context, page, errors } = await open(env, DESKTOP);
    await ready(page);
    await page.getByRole('button', { name: 'Levels', exact: true }).click();
    const count = (await (await fetch(env.url + 'content.json')).json()).levels.length;
    const cards = page.locator('.level-card');
    await page.waitForFunction((n) => document.querySelectorAll('.level-card').length === n, count);
    const metas = await cards.locator('.meta').allTextContents();
    assert.ok(metas.every((m) => /^Par: \d+ · Creator: ./.test(m)), metas.join('\n'));
    // The previews get drawn: the middle of each shows some colour of the course.
    await page.waitForFunction(() => [...document.querySelectorAll('canvas.preview')].every((c) => {
      const d = c.getContext('2d').getImageData(c.width >> 1, c.height >> 1, 1, 1).data;
      return d[3] === 255;
    }), null, { timeout: 30000 });
    assert.equal(await page.getByRole('heading', { level: 3 }).count(), count);
    await page.getByRole('button', { name: 'Back', exact: true }).click();
    await ready(page);
    assert.deepEqual(errors, []);
    await context.close();
  });
});

describe('phone', () => {
  it('putts with a touch drag back from the ball and fits portrait and landscape', async () => {
    const { context, page, errors } = await open(env, PHONE);
    await ready(page);
    assert.equal(await fits(page), true, 'start screen fits');
    await page.getByLabel('Your name', { exact: true }).fill('Pip');
    await page.getByRole('button', { name: 'Play', exact: true }).tap();
    await page.waitForFunction(() => {
      const c = document.querySelector('canvas.playfield');
      return c && c.dataset.turn === 'here' && c.dataset.state === '2' && c.dataset.ball;
    }, null, { timeout: 20000 });
    assert.equal(await fits(page), true, 'the game fits a portrait phone');
    const f = await field(page);
    assert.equal(await page.locator('canvas.playfield').evaluate((c) => c.width === Math.round(c.getBoundingClientRect().width * 3)), true);
    const x = f.box.x + f.ball[0];
    const y = f.box.y + f.ball[1];
    // Pull back towards the field's middle's far side: the ball goes the other way.
    const cx = f.box.x + f.box.w / 2;
    const cy = f.box.y + f.box.h / 2;
    const len = Math.hypot(cx - x, cy - y) || 1;
    const dx = ((x - cx) / len) * 110;
    const dy = ((y - cy) / len) * 110;
    const cdp = await context.newCDPSession(page);
    const touch = (type, px, py) => cdp.send('Input.dispatchTouchEvent', { type, touchPoints: type === 'touchEnd' ? [] : [{ x: px, y: py }] });
    await touch('touchStart', x + 2, y + 2);
    for (let i = 1; i <= 8; ++i) await touch('touchMove', x + (dx * i) / 8, y + (dy * i) / 8);
    await touch('touchEnd');
    // The putt counts: Pip's first hole shows a stroke.
    await page.waitForFunction(() => {
      const row = [...document.querySelectorAll('.board-table tbody tr')].find((r) => r.querySelector('.player-name')?.textContent === 'Pip');
      return row && row.querySelector('td').textContent === '1';
    }, null, { timeout: 20000 });
    await page.setViewportSize({ width: 844, height: 390 });
    await page.waitForFunction(() => {
      const c = document.querySelector('canvas.playfield');
      return c.width === Math.round(c.getBoundingClientRect().width * 3);
    });
    assert.equal(await fits(page), true, 'the game fits a landscape phone');
    for (const [width, height] of [[360, 640], [640, 360]]) {
      await page.setViewportSize({ width, height });
      await page.waitForFunction((w) => Math.round(document.querySelector('canvas.playfield').getBoundingClientRect().right) <= w, width);
      assert.equal(await fits(page), true, `the game fits ${width} x ${height}`);
    }
    assert.deepEqual(errors, []);
    await context.close();
  });
});

describe('the first-turn help on a phone', () => {
  for (const [width, height] of [[360, 640], [640, 360]]) {
    it(`leaves the cup and the ball in sight at ${width} x ${height}`, async () => {
      const { context, page, errors } = await open(env, { ...PHONE, viewport: { width, height } });
      await ready(page);
      await page.getByLabel('Your name', { exact: true }).fill('Pip');
      await page.getByRole('button', { name: 'Play', exact: true }).tap();
      await page.waitForFunction(() => {
        const c = document.querySelector('canvas.playfield');
        return c && c.dataset.turn === 'here' && c.dataset.state === '2' && c.dataset.ball && c.dataset.cups;
      }, null, { timeout: 20000 });
      const seen = await page.evaluate(() => {
        const help = document.querySelector('.help');
        const canvas = document.querySelector('canvas.playfield').getBoundingClientRect();
        const points = [document.querySelector('canvas.playfield').dataset.ball, ...document.querySelector('canvas.playfield').dataset.cups.split(' ')]
          .map((p) => p.split(',').map(Number)).map(([x, y]) => ({ x: canvas.x + x, y: canvas.y + y }));
        const r = help.getBoundingClientRect();
        return { shown: !help.hidden, text: help.textContent, rect: { x: r.x, y: r.y, w: r.width, h: r.height }, points };
      });
      assert.equal(seen.shown, true, 'the help is shown at the first turn');
      assert.match(seen.text, /Drag back/);
      for (const p of seen.points) {
        const inside = p.x > seen.rect.x && p.x < seen.rect.x + seen.rect.w && p.y > seen.rect.y && p.y < seen.rect.y + seen.rect.h;
        assert.equal(inside, false, `the help ${JSON.stringify(seen.rect)} covers ${JSON.stringify(p)}`);
      }
      assert.deepEqual(errors, []);
      await context.close();
    });
  }
});

describe('Swedish', () => {
  it('speaks Swedish on the start screen and in the game, and switches to English', async () => {
    const { context, page, errors } = await open(env, { ...DESKTOP, locale: 'sv-SE' });
    await ready(page, 'Spela');
    assert.equal(await page.locator('html').getAttribute('lang'), 'sv');
    for (const name of ['Lokalt spel', 'Banor']) {
      assert.equal(await page.getByRole('button', { name, exact: true }).count(), 1, name);
    }
    await page.getByLabel('Ditt namn', { exact: true }).fill('Stina');
    await page.getByRole('button', { name: 'Spela', exact: true }).click();
    await page.getByRole('heading', { name: /^Hål 1 av 3: / }).waitFor();
    await page.getByRole('status').filter({ hasText: 'Stina står på tur' }).waitFor();
    assert.deepEqual(await page.locator('.board-table thead th').evaluateAll((ths) => [ths[0].textContent, ths.at(-1).textContent]), ['Namn', 'Summa']);
    assert.equal(await page.locator('.board-table .player-name').nth(1).textContent(), 'Robin (dator)');
    await page.getByRole('button', { name: 'Lämna spelet' }).click();
    await page.getByRole('button', { name: 'In English' }).click();
    await ready(page, 'Play');
    assert.equal(await page.getByLabel('Your name', { exact: true }).count(), 1);
    assert.deepEqual(errors, []);
    await context.close();
  });
});

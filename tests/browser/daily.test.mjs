// Today's course in the browser game (build-web/site/) in Debian's Chromium: the page plays
// the nine holes the native build's `trundlex-tool daily` (build/, or NATIVE_BUILD) draws for
// the UTC day of the browser's clock, from the start screen and from the local game's setup,
// and the next day's once the clock has passed midnight. Run: scripts/test-browser.sh
import { after, before, describe, it } from 'node:test';
import assert from 'node:assert/strict';
import { execFileSync } from 'node:child_process';
import fs from 'node:fs';
import path from 'node:path';
import { open, root, start } from './harness.mjs';

const nativeTool = path.join(process.env.NATIVE_BUILD ?? path.join(root, 'build'), 'bin', 'trundlex-tool');
const levelsFolder = path.join(root, 'resources', 'levels');

let env;
before(async () => { env = await start(); });
after(async () => { await env?.close(); });

// Auckland is half a day ahead of UTC: its date is not the UTC one late in a UTC evening.
const DESKTOP = { viewport: { width: 1280, height: 800 }, locale: 'en-US', timezoneId: 'Pacific/Auckland' };

function tool(...args) {
  return execFileSync(nativeTool, args, { encoding: 'utf8' });
}

// Each shipped level's name by its ID, as the native build reads them.
const nameOf = new Map(fs.readdirSync(levelsFolder).filter((f) => f.endsWith('.lev')).map((file) => {
  const info = tool('level-info', path.join(levelsFolder, file));
  return [/^id: (.*)$/m.exec(info)[1], /^name: (.*)$/m.exec(info)[1]];
}));

// The native draw of a UTC day: its holes' level names and pars, in order.
function nativeDay(date) {
  const lines = tool('daily', '--date', date, '--levels', levelsFolder).split('\n');
  const holes = lines.filter((l) => l.startsWith('level: ')).map((l) => /^level: (.*) par (\d+)$/.exec(l));
  assert.equal(holes.length, 9, lines.join('\n'));
  return { names: holes.map((h) => nameOf.get(h[1])), pars: holes.map((h) => h[2]) };
}

async function ready(page, name) {
  await page.waitForFunction((n) => [...document.querySelectorAll('button')]
    .some((b) => b.textContent === n && !b.disabled), name, { timeout: 20000 });
  return page.getByRole('button', { name, exact: true });
}

// The first hole is up: its title, and the pars of the score board's holes.
async function firstHole(page, day, holeOf = 'Hole 1 of 9') {
  await page.getByRole('heading', { name: `${holeOf}: ${day.names[0]}`, exact: true }).waitFor({ timeout: 20000 });
  await page.waitForFunction(() => document.querySelectorAll('.board-table .par-row td:not(.total)').length === 9);
  const pars = await page.locator('.board-table .par-row td:not(.total)').allTextContents();
  assert.deepEqual(pars, day.pars, 'the holes are not the drawn levels');
}

describe("Today's course", () => {
  it("plays the nine holes drawn for the browser clock's UTC day, and the next day's after midnight", async () => {
    const { context, page, errors } = await open(env, DESKTOP);
    await page.clock.setFixedTime(new Date('2027-05-17T22:30:00Z'));
    await page.reload();
    const day = nativeDay('2027-05-17');
    const today = await ready(page, "Today's course");
    await page.getByLabel('Your name', { exact: true }).fill('Dag');
    await today.click();
    await firstHole(page, day);
    const players = await page.locator('.board-table .player-name').allTextContents();
    assert.deepEqual(players, ['Dag', 'Robin (computer)']);

    // The local game's setup offers the same day's course to any players.
    await page.getByRole('button', { name: 'Leave game' }).click();
    await (await ready(page, 'Local game')).click();
    await page.getByLabel(/^Course of the day, 2027-05-17 \(9 holes\)$/).check();
    await page.getByRole('button', { name: 'Start game', exact: true }).click();
    await firstHole(page, day);

    // Past midnight, the page left open: the new day's course.
    await page.getByRole('button', { name: 'Leave game' }).click();
    await page.clock.setFixedTime(new Date('2027-05-18T00:00:05Z'));
    const next = nativeDay('2027-05-18');
    assert.notDeepEqual(next, day, 'two days drew the same course');
    await (await ready(page, "Today's course")).click();
    await firstHole(page, next);
    assert.deepEqual(errors, []);
    await context.close();
  });

  it('is "Dagens bansamling" in Swedish', async () => {
    const { context, page, errors } = await open(env, { ...DESKTOP, locale: 'sv-SE' });
    await page.clock.setFixedTime(new Date('2027-05-17T22:30:00Z'));
    await page.reload();
    await (await ready(page, 'Dagens bansamling')).click();
    await firstHole(page, nativeDay('2027-05-17'), 'Hål 1 av 9');
    assert.deepEqual(errors, []);
    await context.close();
  });
});

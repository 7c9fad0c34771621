// The course of the day in the page's module (DailyDraw and utcDate of
// build-web/bin/trundlex-page.js), given the shipped levels and pars as a page hands them over:
// it must draw the same holes as the native build's `trundlex-tool daily` (build/ or
// NATIVE_BUILD), which is what the desktop game and the room host play that day.
// Run: node --test tests/web/
'use strict';
const test = require('node:test');
const assert = require('node:assert/strict');
const fs = require('node:fs');
const path = require('node:path');
const { execFileSync } = require('node:child_process');

const root = path.resolve(__dirname, '..', '..');
const web = path.join(root, 'build-web', 'bin');
const nativeTool = path.join(process.env.NATIVE_BUILD || path.join(root, 'build'), 'bin', 'trundlex-tool');
const levelsFolder = path.join(root, 'resources', 'levels');
const levelFiles = fs.readdirSync(levelsFolder).filter((f) => f.endsWith('.lev')).sort();
const parsTable = fs.readFileSync(path.join(levelsFolder, 'pars.txt'), 'utf8');

let modulePromise;
function loadModule() {
  modulePromise ??= require(path.join(web, 'trundlex-page.js'))({
    wasmBinary: fs.readFileSync(path.join(web, 'trundlex-page.wasm')),
  });
  return modulePromise;
}

// A draw given the shipped levels (in the order given) and, unless told otherwise, the pars.
function newDraw(trundlex, files = levelFiles, withPars = true) {
  const draw = new trundlex.DailyDraw();
  for (const file of files) {
    assert.equal(draw.addLevel(fs.readFileSync(path.join(levelsFolder, file))), true, file);
  }
  if (withPars) assert.equal(draw.setPars(parsTable), true);
  return draw;
}

// `trundlex-tool daily` for `days` days from `date`, read into the shape of the page's JSON.
function nativeDays(date, days = 1) {
  const text = execFileSync(nativeTool, ['daily', '--date', date, '--days', String(days), '--levels', levelsFolder],
    { encoding: 'utf8' });
  const courses = [];
  for (const line of text.split('\n').filter((l) => l !== '')) {
    const [key, ...rest] = line.split(': ');
    const value = rest.join(': ');
    if (key === 'name') courses.push({ name: value, levels: [], pars: [] });
    else if (key === 'id') courses.at(-1).id = value;
    else if (key === 'level') {
      const [, id, par] = /^(.*) par (\d+)$/.exec(value);
      courses.at(-1).levels.push(id);
      courses.at(-1).pars.push(Number(par));
    } else assert.fail(`the native tool printed an unknown line: ${line}`);
  }
  assert.equal(courses.length, days, text);
  return courses;
}

function pageDay(draw, date) {
  const text = draw.courseJson(date);
  assert.notEqual(text, '', `no course for ${date}`);
  const { date: shown, ...course } = JSON.parse(text);
  assert.equal(shown, date);
  return course;
}

// The next `count` dates from `date`, as JavaScript's own calendar counts them.
function datesFrom(date, count) {
  const start = Date.parse(`${date}T00:00:00Z`);
  return Array.from({ length: count }, (_, i) => new Date(start + i * 86400000).toISOString().slice(0, 10));
}

test('the page draws the same course of the day as the native tool', async () => {
  const trundlex = await loadModule();
  // A week over the turn of a year, the last day of February in a leap year and the first
  // of March after it, a day long before the others (the draw remembers the days between),
  // and a day before the days are drawn in a chain.
  const runs = [['2026-12-28', 7], ['2028-02-28', 3], ['2031-07-04', 1], ['2025-06-15', 1]];
  const draw = newDraw(trundlex);
  try {
    for (const [first, days] of runs) {
      const native = nativeDays(first, days);
      datesFrom(first, days).forEach((date, i) => {
        const course = pageDay(draw, date);
        assert.deepEqual(course, native[i], date);
        assert.equal(course.id, `daily-${date}`);
        assert.equal(new Set(course.levels).size, 9, `${date}: nine different holes`);
      });
    }
  } finally {
    draw.delete();
  }
});

test('the draw depends on neither the order the levels come in nor the order days are asked', async () => {
  const trundlex = await loadModule();
  const dates = ['2027-03-09', '2026-01-01', '2026-12-09', '2027-03-08'];
  const forwards = newDraw(trundlex);
  const backwards = newDraw(trundlex, [...levelFiles].reverse());
  try {
    const native = dates.map((date) => nativeDays(date)[0]);
    // The first asked in an order of its own, the second the other way round.
    dates.forEach((date, i) => assert.deepEqual(pageDay(forwards, date), native[i], date));
    [...dates].reverse().forEach((date, i) => {
      assert.deepEqual(pageDay(backwards, date), native[dates.length - 1 - i], date);
    });
    // Both builds taking the date for nothing would agree too: neighbouring days differ.
    assert.notDeepEqual(native[0].levels, native[3].levels);
  } finally {
    forwards.delete();
    backwards.delete();
  }
});

test('no course without pars, for a date that is not one, or from bytes of no level', async () => {
  const trundlex = await loadModule();
  const unpaired = newDraw(trundlex, levelFiles, false);
  const draw = newDraw(trundlex);
  try {
    assert.equal(unpaired.courseJson('2026-12-09'), '', 'drew levels without a par');
    assert.equal(unpaired.setPars('these are no pars'), false);
    assert.equal(unpaired.courseJson('2026-12-09'), '', 'a table that does not read gave pars');
    for (const date of ['2026-02-29', '2026-13-01', '2026-12-9', '09.12.2026', '']) {
      assert.equal(draw.courseJson(date), '', date);
    }
    assert.equal(draw.addLevel(new Uint8Array([1, 2, 3])), false);
    // A level given again is one level, not a second chance to be drawn.
    assert.equal(draw.addLevel(fs.readFileSync(path.join(levelsFolder, levelFiles[0]))), false);
    assert.deepEqual(pageDay(draw, '2026-12-09'), nativeDays('2026-12-09')[0]);
  } finally {
    unpaired.delete();
    draw.delete();
  }
});

test("utcDate gives the UTC day of the browser's clock", async () => {
  const trundlex = await loadModule();
  const times = [
    Date.UTC(2026, 11, 9, 23, 59, 59, 999), Date.UTC(2026, 11, 10), Date.UTC(2028, 1, 29, 12),
    Date.UTC(1970, 0, 1), -1, Date.UTC(1969, 6, 20, 20, 17), Date.UTC(2100, 2, 1) - 1, 1765238400123,
  ];
  for (const time of times) {
    assert.equal(trundlex.utcDate(time), new Date(time).toISOString().slice(0, 10), String(time));
  }
  // A clock gone wrong gives a date all the same, which draws a course.
  for (const wrong of [NaN, Infinity, -Infinity, 1e300]) {
    assert.match(trundlex.utcDate(wrong), /^\d{4}-\d{2}-\d{2}$/, String(wrong));
  }
});

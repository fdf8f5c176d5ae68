// SPDX-FileCopyrightText: 2026 Lotto developers
// SPDX-License-Identifier: GPL-3.0-or-later
// load_faults.test.mjs: the page in Chromium when one of its own files is missing, late or broken: over http through
// intercepted requests, and opened from the disk from a copy of the folder without the file or with half of it.
//
// LOTTO_WEB_SITE names the built folder. Every load must end, within a few seconds of its last file, either in a game
// or in the one true sentence, shown and told to a screen reader; a lost file is never a browser too old, and never a
// window that does not answer.
import assert from 'node:assert/strict';
import { cpSync, mkdtempSync, readFileSync, rmSync, writeFileSync } from 'node:fs';
import { tmpdir } from 'node:os';
import path from 'node:path';
import { test } from 'node:test';
import { chromiumServing, expected, siteUrl } from './browser.mjs';

const site = process.env.LOTTO_WEB_SITE;
assert.ok(site, 'LOTTO_WEB_SITE must name the built folder (build-web/site)');
const light = `rgb(${expected.colours.light.rgb.join(', ')})`;
const firstSlot = expected.slotHeadings[0];
const GAME = 'a game';
const NOTICE = '這一頁有檔案沒有完整載入，樂透程式無法開始，請重新載入這一頁。';
const ENDED = '樂透程式已經結束。重新載入這一頁就能再開獎。';

// The two scripts arrive in either order and run in the page's: one of them late arrives after the other has.
const otherScript = { 'lotto-core.js': 'lotto.js', 'lotto.js': 'lotto-core.js' };
const font = 'uming-tw-subset.woff2';
// Rows of one fault to either script.
const eachScript = (faults, want) =>
  Object.keys(otherScript).flatMap((file) => faults.map((fault) => [{ [file]: fault }, want]));

// Each row: what befalls which files, and what the load must end in. "late …" waits for the other script's answer to
// have reached the page; any other file held late is answered once the game plays without it. "cut" is the file's first
// half; "garbled" keeps lotto-core.js a script that runs, with a stretch of the program it carries overwritten.
const overHttp = [
  ...eachScript(['missing', 'cut', 'late missing', 'late cut'], NOTICE),
  [{ 'lotto-core.js': 'garbled' }, NOTICE],
  ...eachScript(['late'], GAME),
  [{ 'lotto-core.js': 'missing', 'lotto.js': 'late' }, NOTICE],
  [{ 'lotto-core.js': 'late', 'lotto.js': 'missing' }, NOTICE],
  [{ 'lotto-core.js': 'cut', 'lotto.js': 'late' }, NOTICE],
  [{ 'lotto-core.js': 'late', 'lotto.js': 'cut' }, NOTICE],
  [{ 'index.html': 'cut' }, NOTICE],
  [{ 'lotto.js': 'of another build' }, NOTICE],
  [{ 'index.html': 'of a build with another control' }, NOTICE],
  [{ 'lotto-core.js': 'without ready' }, NOTICE],
  [{ 'lotto-core.js': 'in an engine refusing to compile at once' }, GAME],
  [{ 'lotto.js': 'throwing in a tick' }, ENDED],
  [{ [font]: 'missing' }, GAME],
  [{ [font]: 'late' }, GAME],
  [{ [font]: 'cut' }, GAME],
  [{ 'manifest.webmanifest': 'missing' }, GAME],
];
// From the disk nothing arrives late: a file is there, or not, or was copied in part.
const fromDisk = [...eachScript(['missing', 'cut'], NOTICE), [{ [font]: 'missing' }, GAME]];
const rowName = (faults) =>
  Object.entries(faults)
    .map(([file, fault]) => `${file} ${fault}`)
    .join(', ');

// The program rides in lotto-core.js as a base64 string: 200 of its characters from its middle on become "A".
function garbled(script) {
  const text = script.toString('latin1');
  const start = text.indexOf('.wasm="') + 7;
  const end = text.indexOf('"', start);
  assert.ok(start >= 7 && end - start > 1000, 'lotto-core.js carries its program as a string');
  const at = Math.floor((start + end) / 2);
  return Buffer.from(text.slice(0, at) + 'A'.repeat(200) + text.slice(at + 200), 'latin1');
}

// A page script of a build whose board calls one of its methods by another name than the program does.
const anotherBuilds = (script) => Buffer.from(script.toString('latin1').replaceAll('setDiscVisible', 'setDiscShown'), 'latin1');
const edited = (from, to) => (whole) => Buffer.from(whole.toString('latin1').replace(from, to), 'latin1');

// The faults that rewrite a file. Chromium before 115 refuses to compile or instantiate a module over 4 KB at once on
// the page's thread. A tick throws as it would light the first ball.
const rewrites = {
  garbled,
  'of another build': anotherBuilds,
  'of a build with another control': edited('data-design="Command4"', 'data-design="Command5"'),
  'without ready': edited(/createLottoModule\.ready/g, 'createLottoModule.readied'),
  'in an engine refusing to compile at once': edited(/^/, 'WebAssembly.Module=WebAssembly.Instance=function(){throw RangeError()};'),
  'throwing in a tick': edited(/setDiscColour\(\w+,\w+,(\w+)\)\{/, '$&if($1)throw Error();'),
};

const chromium = chromiumServing(site);

// { answered, asked(answer) }: answered settles with the answer once asked is called, or fails after five seconds.
function askedFor(file) {
  let asked;
  const answer = new Promise((resolve) => (asked = resolve));
  let timer;
  const late = new Promise((_, reject) => {
    timer = setTimeout(() => reject(new Error(`the page never asked for ${file}`)), 5000);
  });
  const answered = Promise.race([answer, late]).finally(() => clearTimeout(timer));
  return { answered, asked };
}

// Before any script of the page: notes whether the first light was on by the first frame after the program's start,
// which ends by lifting the window's inertness. A frame comes after the task it was asked for in and every microtask
// behind it: a light that waits a whole beat from the program's start, or for a timer the browser may run after the
// frame, is not on by then; one whose beat was due when the start ended is.
function watchFirstBeat() {
  window.firstBeat = {};
  new MutationObserver((changes) => {
    for (const { target, attributeName } of changes) {
      if (attributeName === 'inert' && !target.inert) {
        requestAnimationFrame(() => (window.firstBeat.litByNextFrame ??= window.firstBeat.lightAt !== undefined));
      }
      if (attributeName === 'style' && target.classList.contains('disc')) window.firstBeat.lightAt ??= performance.now();
    }
  }).observe(document, { subtree: true, attributes: true, attributeFilter: ['inert', 'style'] });
}

// Resolves once the page shows a notice or lights a ball, to what it shows and when, in milliseconds from the start
// of the navigation; rejects if neither comes within five seconds.
function outcome(page) {
  return page
    .waitForFunction(
      (lit) => {
        const notices = [...document.querySelectorAll('.notice')].filter((notice) => notice.checkVisibility());
        const discs = [...document.querySelectorAll('.disc')];
        const playing = discs.some((disc) => disc.checkVisibility() && getComputedStyle(disc).backgroundColor === lit);
        if (!notices.length && !playing) return null;
        return { notices: notices.map((notice) => notice.textContent), playing, at: Math.round(performance.now()) };
      },
      light,
      { timeout: 5000 },
    )
    .then((handle) => handle.jsonValue());
}

// What ends the load, checked as a player and a screen reader meet it.
async function checkEnd(t, page, end, want, errors) {
  if (want === GAME) {
    assert.deepEqual(end.notices, [], 'no notice over a game');
    await page.getByRole('button', { name: expected.buttons.Command2.caption, exact: true }).click();
    await page.waitForFunction(
      (heading) => document.querySelector('[data-design="Label1-42"]').textContent !== heading,
      firstSlot,
      { timeout: 5000 },
    );
    assert.deepEqual(errors, [], 'the game runs without an uncaught exception');
  } else {
    assert.deepEqual(end.notices, [want], 'one sentence, the true one');
    assert.equal(end.playing, false);
    const { nodes } = await (await page.context().newCDPSession(page)).send('Accessibility.getFullAXTree');
    const told = nodes.filter((node) => !node.ignored);
    const byId = new Map(told.map((node) => [node.nodeId, node]));
    const alerts = told.filter((node) => node.role?.value === 'alert');
    const said = alerts.map((alert) => alert.childIds.map((id) => byId.get(id)?.name?.value ?? '').join(''));
    assert.deepEqual(said, want === ENDED ? [] : [want], 'an alert, which a screen reader speaks as it shows');
    const buttons = told.filter((node) => node.role?.value === 'button');
    assert.deepEqual(buttons, [], 'no button of a window that cannot answer is left to a screen reader');
  }
  t.diagnostic(`${want} at ${end.at} ms`);
}

test('over http, each missing, late or broken file ends in a game or one true sentence', async (t) => {
  for (const [faults, want] of overHttp) {
    await t.test(rowName(faults), async (row) => {
      const context = await chromium.browser.newContext({ serviceWorkers: 'block' });
      const page = await context.newPage();
      const errors = [];
      page.on('pageerror', (error) => errors.push(error.message));
      await page.addInitScript(watchFirstBeat);
      let releasedAt = null;
      // Each spoilt file's answer, once the page asks for it: the row is void unless every one was asked for.
      const spoilt = Object.fromEntries(Object.keys(faults).map((file) => [file, askedFor(file)]));
      const fileOf = (request) => new URL(request.url()).pathname.split('/').pop() || 'index.html';
      // Each file's answer once it has reached the page, whole or failed.
      const arrivals = new Map();
      const arrival = (file) => {
        if (!arrivals.has(file)) {
          let arrived;
          arrivals.set(file, { arrived: new Promise((resolve) => (arrived = resolve)), arrive: () => arrived() });
        }
        return arrivals.get(file);
      };
      for (const type of ['requestfinished', 'requestfailed']) page.on(type, (request) => arrival(fileOf(request)).arrive());
      const playing = () =>
        page.waitForFunction(
          (lit) => [...document.querySelectorAll('.disc')].some((d) => getComputedStyle(d).backgroundColor === lit),
          light,
        );
      const spoil = async (route, file, fault) => {
        if (fault.startsWith('late')) {
          await (otherScript[file] ? arrival(otherScript[file]).arrived : playing());
          // A late script comes once the window has been up for more than the design's 30 ms beat.
          if (otherScript[file]) {
            await page.waitForFunction(() => {
              const opened = performance.getEntriesByType('navigation')[0]?.domInteractive;
              return opened > 0 && performance.now() - opened > 30;
            });
          }
          releasedAt = await page.evaluate(() => Math.round(performance.now()));
        }
        if (fault.endsWith('missing')) return route.fulfill({ status: 404, body: 'not found' });
        if (fault.endsWith('cut') || rewrites[fault]) {
          const response = await route.fetch();
          const whole = await response.body();
          const body = fault.endsWith('cut')
            ? whole.subarray(0, whole.length >> 1)
            : rewrites[fault](whole);
          const headers = { ...response.headers(), 'content-length': `${body.length}` };
          return route.fulfill({ response, body, headers });
        }
        return route.continue();
      };
      await page.route('**/*', (route) => {
        const file = fileOf(route.request());
        if (!faults[file]) return route.continue();
        const answer = spoil(route, file, faults[file]);
        spoilt[file].asked(answer);
        return answer;
      });
      await page.goto(siteUrl(site, chromium.server), { waitUntil: 'commit' });
      const end = await outcome(page);
      if (releasedAt !== null) row.diagnostic(`the late file answered at ${releasedAt} ms`);
      // The browser reads the manifest only to install the page: asked for as an installing browser asks, mid-game.
      if (want === GAME) await (await context.newCDPSession(page)).send('Page.getAppManifest');
      await checkEnd(row, page, end, want, errors);
      if (want === GAME && Object.entries(faults).some(([file, fault]) => otherScript[file] && fault === 'late')) {
        const lit = await page.evaluate(() => window.firstBeat.litByNextFrame);
        assert.equal(lit, true, 'a program started late lights its first ball in the next frame, not a beat later');
      }
      await Promise.all(Object.values(spoilt).map(({ answered }) => answered));
      await context.close();
    });
  }
});

test('from the disk, a missing or half-copied file ends in a game or the lost-file sentence', async (t) => {
  for (const [faults, want] of fromDisk) {
    await t.test(rowName(faults), async (row) => {
      const folder = mkdtempSync(path.join(tmpdir(), 'lotto-faults-'));
      try {
        cpSync(site, folder, { recursive: true });
        for (const [file, fault] of Object.entries(faults)) {
          const at = path.join(folder, file);
          if (fault === 'missing') rmSync(at);
          else writeFileSync(at, readFileSync(at).subarray(0, readFileSync(at).length >> 1));
        }
        const context = await chromium.browser.newContext();
        const page = await context.newPage();
        const errors = [];
        page.on('pageerror', (error) => errors.push(error.message));
        await page.goto(siteUrl(folder), { waitUntil: 'commit' });
        await checkEnd(row, page, await outcome(page), want, errors);
        await context.close();
      } finally {
        rmSync(folder, { recursive: true, force: true });
      }
    });
  }
});

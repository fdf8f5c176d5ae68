// SPDX-FileCopyrightText: 2026 Lotto developers
// SPDX-License-Identifier: GPL-3.0-or-later
// lotto_page.test.mjs: the lottery page in one browser engine, played by mouse and keyboard through its roles and
// names.
//
// LOTTO_WEB_SITE names the built folder; LOTTO_WEB_ORIGIN is "http" (served from 127.0.0.1) or "file" (opened from
// the disk); LOTTO_WEB_ENGINE is chromium, firefox or webkit (engines/); LOTTO_EXPECTED names the table of what the
// tests expect (tests/support/expected.json). The light runs on the page's own 30 ms timer: nothing here shortens
// or stubs it. Geometry is measured in the form's own pixels, whatever scale the page gives the form.
import assert from 'node:assert/strict';
import { readFileSync } from 'node:fs';
import path from 'node:path';
import { after, afterEach, before, beforeEach, test } from 'node:test';
import { pathToFileURL } from 'node:url';
import { decodePng, expected, serveFolder, siteUrl, tenTicks, until } from './browser.mjs';
import { launchEngine } from './engines/index.mjs';

const site = process.env.LOTTO_WEB_SITE;
const origin = process.env.LOTTO_WEB_ORIGIN || 'http';
assert.ok(site, 'LOTTO_WEB_SITE must name the built folder (build-web/site)');
assert.ok(['http', 'file'].includes(origin), `LOTTO_WEB_ORIGIN is http or file, not ${origin}`);

const { slotNames, slotHeadings, states } = expected;
const captions = Object.fromEntries(Object.entries(expected.buttons).map(([design, { caption }]) => [design, caption]));
const [NEXT, DRAW, CLEAR, BYE] = ['Command1', 'Command2', 'Command3', 'Command4'].map((design) => captions[design]);
const rgb = (colour) => `rgb(${expected.colours[colour].rgb.join(', ')})`;
const formWidth = expected.boxes.Form1.pixels[2];
const allNumbers = Array.from({ length: 42 }, (_, i) => i + 1);
const endedNotice = /樂透程式已經結束/;

let engine, server, page, serverLogStart;

before(async () => {
  engine = await launchEngine(process.env.LOTTO_WEB_ENGINE || 'chromium');
  if (origin === 'http') server = await serveFolder(site);
});
after(async () => {
  await engine?.close();
  await server?.close();
});

// In the page, for every case: the board as its elements hold it, whether or not the form shows, and a count of
// the changes made to it. Every tick recolours discs, so counting the discs' colour changes counts ticks.
function installProbes({ light }) {
  const design = (name) => document.querySelector(`[data-design="${name}"]`);
  const form = design('Form1');
  const shownInForm = (element) => {
    for (let up = element; up && up !== form; up = up.parentElement) {
      if (getComputedStyle(up).display === 'none') return false;
    }
    return getComputedStyle(element).visibility !== 'hidden';
  };
  // What a screen reader calls the control: its own name, after what the last announcement put before it.
  const spokenName = (element) => (element.getAttribute('aria-label') ?? element.textContent).trim();
  const nameOf = (element) => spokenName(element).split(' ').at(-1);
  const buttons = () => [...form.querySelectorAll('button')];
  // The beat of every timer the page sets from now on, such as the light's after Next.
  const setInterval = window.setInterval;
  window.setInterval = (fn, ms, ...rest) => (window.probe.beats.push(ms), setInterval(fn, ms, ...rest));
  window.probe = {
    beats: [],
    colourChanges: 0,
    formChanges: 0,
    board: () => {
      // The colour the program gave each disc, or the design's fill it opened with, whatever colours the system forces.
      const colourOf = (disc) => disc.style.backgroundColor || getComputedStyle(disc).backgroundColor;
      const colours = Array.from({ length: 42 }, (_, i) => colourOf(design(`Shape1-${i}`)));
      const shown = Array.from({ length: 42 }, (_, i) => shownInForm(design(`Shape1-${i}`)));
      return {
        slots: Array.from({ length: 7 }, (_, k) => design(`Label1-${42 + k}`).textContent.trim()),
        shown,
        colours,
        // A drawn ball's disc keeps the light's colour, hidden, until the next tick.
        lit: colours.findIndex((colour, i) => colour === light && shown[i]),
        enabled: Object.fromEntries(
          buttons().map((b) => [nameOf(b), !b.disabled && b.getAttribute('aria-disabled') !== 'true']),
        ),
      };
    },
    centre: (name) => {
      const box = buttons()
        .find((b) => nameOf(b) === name)
        .getBoundingClientRect();
      return [box.left + box.width / 2, box.top + box.height / 2];
    },
    focus: (name) => buttons().find((b) => nameOf(b) === name).focus(),
    focused: () => document.activeElement && nameOf(document.activeElement),
    focusSays: () => document.activeElement && spokenName(document.activeElement),
    discVisible: (number) => shownInForm(design(`Shape1-${number - 1}`)),
    liveRegion: () => document.querySelector('[role="status"]')?.textContent.trim(),
  };
  new MutationObserver((records) => {
    for (const { target, type, attributeName } of records) {
      probe.formChanges++;
      const recoloured = type === 'attributes' && ['style', 'class'].includes(attributeName);
      if (recoloured && target.matches('[data-design^="Shape1-"]')) probe.colourChanges++;
    }
  }).observe(form, { attributes: true, childList: true, characterData: true, subtree: true });
  let repeats = 0;
  window.addEventListener('keydown', (event) => (repeats += event.repeat ? 1 : 0), true);
  probe.keyRepeats = () => repeats;
}

const lightOn = (ms) => until(() => page.evaluate(() => probe.board().lit >= 0), ms);

// Every case opens a fresh page and collects what must never happen: a console error, an uncaught exception, a
// failed request or an HTTP error (from the engine, and from the server's log where the engine tells nothing), or a
// request that leaves the page's own origin (or its folder, from the disk).
// A case may open the page again, at another size or with forced colours: the faults of the page it leaves stay told.
async function openPage(options = {}) {
  const left = page;
  await left?.close();
  page = await engine.open(siteUrl(site, server), { width: 800, height: 600, ...options });
  page.faults.unshift(...(left?.faults ?? []));
  await probeLoaded();
}
// Loaded means the balls are numbered and the light has lit one of them; else, what the page says and why.
async function probeLoaded() {
  await page.evaluate(installProbes, { light: rgb('light') });
  if (await lightOn(10000)) return;
  const says = await page.evaluate(() => document.body.innerText.trim());
  assert.fail(`no ball lit once the page loaded; it says "${says}"; faults: ${page.faults.join('; ') || 'none'}`);
}
beforeEach(async () => {
  serverLogStart = server?.log.length;
  page = undefined;
  await openPage();
});
afterEach(async () => {
  const home = server ? server.origin : pathToFileURL(path.resolve(site)).href;
  const resources = await page.evaluate(() => performance.getEntriesByType('resource').map((entry) => entry.name));
  const foreign = [...page.requests, ...resources].filter((url) => {
    const own = server ? new URL(url).origin === home : url.startsWith(`${home}/`);
    return !own && !/^(data|blob):/.test(url);
  });
  const refused = (server?.log.slice(serverLogStart) ?? []).filter(({ status }) => status >= 400);
  await page.close();
  assert.deepEqual(
    [...page.faults, ...foreign.map((url) => `request to another origin: ${url}`), ...refused.map(JSON.stringify)],
    [],
    'no console error, failed request or request to another origin',
  );
});

const clickButton = async (name) => page.click([await page.evaluate((n) => probe.centre(n), name)]);
// The focus moves on in a task of its own after a press: whether it lands on `name` within a second.
const focusedIs = (name) => until(async () => (await page.evaluate(() => probe.focused())) === name, 1000);
const enabledIn = (phase) => {
  const { draw, next, clear } = states[phase];
  return { [DRAW]: draw, [NEXT]: next, [CLEAR]: clear, [BYE]: true };
};

// The board as a screen reader meets it, in one read: the balls still on the board, each slot's number (null
// while empty), which buttons are enabled and what they say they do, the instruction line, the live region.
// Controls go by their own names, the last word of what a screen reader calls them.
async function readBoard() {
  const board = { balls: [], slots: Array(7).fill(undefined), enabled: {}, descriptions: {}, instruction: undefined };
  for (const { role, name: spoken, description, disabled, value } of await page.accessibleNodes()) {
    const name = role === 'listitem' ? spoken : spoken.split(' ').at(-1);
    if (role === 'listitem') {
      const [, head, text] = name.match(/^(.*) (\S+)$/) ?? [];
      if (head === expected.ballName) board.balls.push(Number(text));
      else if (slotNames.includes(head)) {
        board.slots[slotNames.indexOf(head)] = text === expected.emptySlot ? null : Number(text);
      }
    } else if (role === 'button') {
      board.enabled[name] = !disabled;
      board.descriptions[name] = description;
    } else if (role === 'textbox' && name === expected.instructionLineName) board.instruction = value;
    else if (role === 'status') board.liveRegion = true;
  }
  board.balls.sort((a, b) => a - b);
  return board;
}

async function checkRolling(phase) {
  if (states[phase].rolling) {
    const before = await page.evaluate(() => probe.colourChanges);
    const rolled = await until(async () => (await page.evaluate(() => probe.colourChanges)) > before);
    assert.ok(rolled, `${phase}: the light does not roll`);
    return;
  }
  assert.equal(await tenTicks(page), 0, `${phase}: colour changes in ten ticks of a stopped light`);
}

function assertFreshBoard(board, when) {
  assert.deepEqual(board.balls, allNumbers, `${when}: all 42 balls on the board`);
  assert.deepEqual(board.slots, Array(7).fill(null), `${when}: every slot ${expected.emptySlot}`);
}

// After draw number `drawn` (1 … 7): the new number sits in its slot, is distinct, has left the board for the eye
// and the accessibility tree, and the live region announces it.
async function checkDraw(drawn, previous) {
  const board = await readBoard();
  const number = board.slots[drawn - 1];
  const phase = drawn < 7 ? 'afterDraw' : 'finished';
  assert.ok(Number.isInteger(number) && number >= 1 && number <= 42, `draw ${drawn} fills its slot: ${number}`);
  assert.deepEqual(board.slots.slice(0, drawn - 1), previous.slots.slice(0, drawn - 1), 'earlier slots unchanged');
  assert.ok(board.slots.slice(drawn).every((slot) => slot === null), 'later slots still empty');
  assert.ok(!board.balls.includes(number), `ball ${number} left the accessibility tree`);
  assert.equal(board.balls.length, 42 - drawn);
  assert.equal(await page.evaluate((n) => probe.discVisible(n), number), false, `ball ${number}'s disc left the board`);
  // Said first, as the focus lands: a live region would be read behind all the focus says, and a quick key drops it.
  const focusOn = drawn < 7 ? NEXT : expected.instructionLineName;
  assert.equal(board.instruction, states[phase].line);
  assert.deepEqual(board.enabled, enabledIn(phase), `after draw ${drawn}`);
  assert.ok(await focusedIs(focusOn), `after draw ${drawn} the focus is on ${focusOn}`);
  if (drawn === 7) assert.equal(new Set(board.slots).size, 7, `seven distinct numbers: ${board.slots}`);
  assert.equal(await page.evaluate(() => probe.focusSays()), `${slotNames[drawn - 1]} ${number} ${focusOn}`);
  return board;
}

async function checkResumed(phase, when) {
  const board = await readBoard();
  assert.equal(board.instruction, states[phase].line, when);
  assert.deepEqual(board.enabled, enabledIn(phase), when);
  assert.ok(await focusedIs(DRAW), `${when}: the focus is on ${DRAW}`);
  return board;
}

test('a whole game with the mouse: each draw announced, the focus follows the game, 清除 restores the board', async () => {
  let board = await checkResumed('opened', 'at start');
  assertFreshBoard(board, 'at start');
  assert.ok(board.liveRegion, 'the live region is in the page from the start');
  assert.equal(await page.evaluate(() => probe.liveRegion()), '', 'and empty');
  await checkRolling('opened');
  for (let drawn = 1; drawn <= 7; drawn++) {
    await clickButton(DRAW);
    board = await checkDraw(drawn, board);
    if (drawn === 7) break;
    if (drawn === 1) {
      await checkRolling('afterDraw');
      // A screen reader may hear of a focus move before the other changes of its task: the focus moves on once the
      // frame that shows them is out, in every engine.
      const inPressTask = await page.evaluate((draw) => (document.activeElement.click(), probe.focused() === draw), DRAW);
      assert.equal(inPressTask, false, "the focus moved in the press's task");
    } else await clickButton(NEXT);
    await checkResumed('running', `${NEXT} after draw ${drawn}`);
    if (drawn === 1) {
      await checkRolling('running');
      assert.equal(await page.evaluate(() => probe.liveRegion()), '', 'the rolling light is silent');
      assert.equal(await page.evaluate(() => probe.focusSays()), DRAW, `${NEXT} left the number behind`);
      const beats = await page.evaluate(() => [...new Set(probe.beats)]);
      assert.deepEqual(beats, [expected.rollIntervalMs], 'the light beats as designed');
    }
  }
  await checkRolling('finished');
  await clickButton(CLEAR);
  board = await checkResumed('cleared', CLEAR);
  assertFreshBoard(board, `after ${CLEAR}`);
  assert.equal(await page.evaluate(() => probe.focusSays()), `${expected.newGameAnnouncement} ${DRAW}`);
  await checkRolling('cleared');
  const shown = await page.evaluate((numbers) => numbers.map((n) => probe.discVisible(n)), allNumbers);
  assert.deepEqual(shown, Array(42).fill(true), 'every ball is back');
});

// A browser may bring back what its controls held before a reload; the program starts anew all the same.
test('a reload after two draws is a new start: buttons, slots, focus and light as the window opens', async () => {
  let board = await readBoard();
  await clickButton(DRAW);
  board = await checkDraw(1, board);
  await clickButton(NEXT);
  await checkResumed('running', `${NEXT} after draw 1`);
  await clickButton(DRAW);
  await checkDraw(2, board);
  await page.reload();
  await probeLoaded();
  assertFreshBoard(await checkResumed('opened', 'after the reload'), 'after the reload');
  await checkRolling('opened');
});

test('a whole game from the keyboard: Space and Enter press the focused button once, even held down', async () => {
  let board = await readBoard();
  await page.evaluate((name) => probe.focus(name), DRAW);
  // Space presses on release, Enter on the key going down; a held key sends repeated keydowns, each of which could
  // press whatever button the focus has just moved to.
  const press = async (key, held) => {
    if (!held) return page.press(key);
    const before = await page.evaluate(() => probe.keyRepeats());
    await page.hold(key);
    assert.ok((await page.evaluate(() => probe.keyRepeats())) > before, `${key} held down repeated`);
  };
  const keys = ['Space', 'Enter'];
  // A Space that goes down on 開獎 and comes up after the window lost the focus, or the page was hidden, holds up no
  // later key.
  const lostRelease = { 1: 'blur', 3: 'visibilitychange' };
  for (let drawn = 1; drawn <= 7; drawn++) {
    await page.evaluate((lost) => {
      if (!lost) return;
      document.activeElement.dispatchEvent(new KeyboardEvent('keydown', { key: ' ', bubbles: true }));
      (lost === 'blur' ? window : document).dispatchEvent(new Event(lost));
    }, lostRelease[drawn]);
    await press(keys[drawn % 2], drawn === 2 || drawn === 5);
    board = await checkDraw(drawn, board);
    if (drawn < 7) {
      await press(keys[(drawn + 1) % 2], drawn === 3 || drawn === 4);
      const resumed = await checkResumed('running', `${keys[(drawn + 1) % 2]} on ${NEXT} after draw ${drawn}`);
      assert.deepEqual(resumed.slots, board.slots, `a held key pressed ${NEXT} once and drew nothing`);
    }
  }
  // From the instruction line back over Bye to 清除: Next and 開獎 are greyed and out of the tab order.
  await page.press('Shift+Tab');
  assert.ok(await focusedIs(BYE), `Shift+Tab from the instruction line reaches ${BYE}`);
  await page.press('Shift+Tab');
  assert.ok(await focusedIs(CLEAR), `and then ${CLEAR}`);
  await press('Enter', true);
  assertFreshBoard(await checkResumed('cleared', `Enter on ${CLEAR}`), `after Enter on ${CLEAR}`);
});

test('the page follows the design: boxes in pixels, colours, the Ming subset and the button descriptions', async () => {
  // Every box relative to the form's corner, in the form's own pixels: its rendered width over the design's.
  const form = await page.evaluate((width) => {
    const design = (name) => document.querySelector(`[data-design="${name}"]`);
    const corner = design('Form1').getBoundingClientRect();
    const scale = corner.width / width;
    const box = (name) => {
      const r = design(name).getBoundingClientRect();
      const box = [r.left - corner.left, r.top - corner.top, r.width, r.height];
      return box.map((v) => Math.round((v / scale) * 100) / 100);
    };
    const names = [...document.querySelectorAll('[data-design]')].map((element) => element.dataset.design);
    const boxes = Object.fromEntries(names.map((name) => [name, box(name)]));
    return { left: corner.left, top: corner.top, scale, boxes };
  }, formWidth);
  const { boxes } = form;
  for (const [name, { pixels }] of Object.entries(expected.boxes)) assert.deepEqual(boxes[name], pixels, name);
  // Ball i sits in row i div 7 and column i mod 7; slot k is disc and label 42 + k. Number labels keep their
  // Left and Top and grow to the right: "10" starts where "1" would and is wider.
  const { discs, labels } = expected;
  for (let i = 0; i < 49; i++) {
    const row = Math.floor(i / 7), column = i % 7;
    const disc =
      row === 6
        ? [discs.slotLeft.pixels[column], discs.slotTop.pixels]
        : [(row === 0 ? discs.leftRow0 : discs.left).pixels[column], discs.top.pixels[row]];
    assert.deepEqual(boxes[`Shape1-${i}`], [...disc, discs.size.pixels, discs.size.pixels], `Shape1(${i})`);
    const label =
      row === 6
        ? [labels.slotLeft.pixels[column], labels.slotTop.pixels[column]]
        : [(row === 0 ? labels.leftRow0 : labels.left).pixels[column], labels.top.pixels[row]];
    assert.deepEqual(boxes[`Label1-${i}`].slice(0, 2), label, `Label1(${i})'s corner`);
  }
  assert.ok(boxes['Label1-9'][2] > boxes['Label1-0'][2], '"10" is wider than "1"');
  // A frame line, w pixels wide, covers its ends and w pixels across, centred on the line.
  const half = Math.floor(expected.lines.width / 2);
  for (const name of ['Line1', 'Line2', 'Line3', 'Line4']) {
    const [x1, y1, x2, y2] = expected.lines[name].pixels;
    const [left, top, width, height] = boxes[name];
    const [along, across] = y1 === y2 ? [[left, width], [top, height]] : [[top, height], [left, width]];
    const [from, to, at] =
      y1 === y2 ? [Math.min(x1, x2), Math.max(x1, x2), y1] : [Math.min(y1, y2), Math.max(y1, y2), x1];
    assert.deepEqual(across, [at - half, expected.lines.width], `${name} ${boxes[name]}: across`);
    assert.ok(along[0] <= from && along[0] + along[1] >= to + 1, `${name} ${boxes[name]}: spans ${from} … ${to}`);
  }

  // Colours as painted, from a screenshot while the light rolls, at design pixel (x, y) of the form.
  const shot = decodePng(await page.screenshot());
  const colour = (x, y) =>
    `rgb(${shot.pixel(Math.floor(form.left + x * form.scale), Math.floor(form.top + y * form.scale)).join(', ')})`;
  assert.equal(colour(4, 4), rgb('background'), 'background');
  assert.equal(colour(300, 395), rgb('background'), 'background between the balls and the frame');
  // Left of each number on the disc's middle row is the fill; exactly one ball is lit, the slots never are.
  const fills = Array.from({ length: 49 }, (_, i) => colour(boxes[`Shape1-${i}`][0] + 8, boxes[`Shape1-${i}`][1] + 24));
  assert.equal(fills.slice(0, 42).filter((fill) => fill === rgb('light')).length, 1, `one lit ball: ${fills}`);
  assert.equal(fills.filter((fill) => fill === rgb('ball')).length, 48, 'every other disc orange');
  const frameY = expected.lines.Line1.pixels[1];
  for (let y = frameY - half; y <= frameY + half; y++) assert.equal(colour(244, y), rgb('frame'), `frame at 244, ${y}`);
  const wide = `the frame line is ${expected.lines.width} pixels wide`;
  assert.notEqual(colour(244, frameY - half - 1), rgb('frame'), wide);
  assert.notEqual(colour(244, frameY + half + 1), rgb('frame'), wide);
  const [specialLeft, specialTop, specialWidth, specialHeight] = boxes['Label1-48'];
  let red = 0;
  for (let y = Math.floor(specialTop); y < specialTop + specialHeight; y++) {
    for (let x = Math.floor(specialLeft); x < specialLeft + specialWidth; x++) {
      if (colour(x, y) === rgb('special')) red++;
    }
  }
  assert.ok(red > 15, `${slotHeadings[6]} is dark red (${red} pixels)`);

  // The shipped Ming subset, not an installed face, draws the button and the numbers: the first face each asks for
  // is one the page loaded, and where the engine tells which faces drew the text, that one drew it.
  for (const design of ['Command2', 'Label1-9']) {
    const first = await page.evaluate((selector) => {
      const unquoted = (family) => family.trim().replace(/^"|"$/g, '');
      const family = unquoted(getComputedStyle(document.querySelector(selector)).fontFamily.split(',')[0]);
      return [...document.fonts].some((face) => unquoted(face.family) === family && face.status === 'loaded');
    }, `[data-design="${design}"]`);
    assert.ok(first, `${design} asks first for a face the page loaded`);
    const fonts = await page.platformFonts(`[data-design="${design}"]`);
    if (fonts) {
      const want = [{ familyName: 'AR PL UMing TW', isCustomFont: true }];
      assert.deepEqual(fonts, want, `${design}: ${JSON.stringify(fonts)}`);
    }
  }
  const descriptions = Object.values(expected.buttons).map(({ caption, description }) => [caption, description]);
  assert.deepEqual((await readBoard()).descriptions, Object.fromEntries(descriptions));
});

const buttonCentres = () =>
  page.evaluate((names) => Object.fromEntries(names.map((n) => [n, probe.centre(n)])), [DRAW, NEXT, CLEAR, BYE]);

test('fast clicking loses no result and draws through no greyed button, nor ends the page', async () => {
  // Each click's board as the page holds it when the click arrives, before any of the page's handlers: slot texts,
  // which balls show, the lit ball, enabled buttons. Nothing but ticks may change the board between two clicks.
  await page.evaluate((notice) => {
    window.clicks = [];
    window.addEventListener(
      'click',
      (event) => {
        const target = event.target.closest('button');
        const greyed = target?.disabled || target?.getAttribute('aria-disabled') === 'true';
        const ended = new RegExp(notice).test(document.body.innerText);
        if (target) clicks.push({ button: target.textContent.trim(), greyed, ended, board: probe.board() });
      },
      true,
    );
  }, endedNotice.source);
  const centres = await buttonCentres();

  const firstSeed = Number(process.env.LOTTO_WEB_SEED) || (Date.now() % 1000003) + 1;
  let seed = firstSeed;
  const random = () => (seed = (seed * 16807) % 2147483647) / 2147483647;
  const plan = [];
  for (const name of [DRAW, NEXT, CLEAR]) plan.push(...Array(50).fill(name));
  for (let round = 0; round < 50; round++) plan.push(DRAW, NEXT);
  plan.push(CLEAR);
  for (let round = 0; round < 150; round++) plan.push([DRAW, NEXT, CLEAR][Math.floor(random() * 3)]);
  await page.click(plan.map((name) => centres[name]));
  const { clicks, final } = await page.evaluate(() => ({ clicks: window.clicks, final: probe.board() }));

  const seedNote = `LOTTO_WEB_SEED=${firstSeed}`;
  let draws = 0;
  clicks.forEach((click, n) => {
    const next = n + 1 < clicks.length ? clicks[n + 1].board : final;
    const { slots, shown, lit } = click.board;
    const at = `click ${n} on ${click.button}, ${seedNote}`;
    assert.equal(click.ended, false, `${at}: the page ended`);
    if (click.greyed) {
      assert.deepEqual([next.slots, next.shown], [slots, shown], `${at}: a greyed button acted`);
      return;
    }
    if (click.button === DRAW) {
      const filled = slots.findIndex((text, k) => text === slotHeadings[k]);
      assert.ok(filled >= 0, `${at}: ${DRAW} enabled with every slot filled`);
      const number = Number(next.slots[filled]);
      // The lit ball, or with none lit yet since the board changed, a ball rolled at the press from those on it.
      if (lit >= 0) assert.equal(number, lit + 1, `${at}: the draw took the lit ball`);
      else assert.ok(shown[number - 1], `${at}: drew ${number}, a ball not on the board`);
      assert.deepEqual(next.slots, slots.map((text, k) => (k === filled ? String(number) : text)), at);
      assert.deepEqual(next.shown, shown.map((on, i) => on && i !== number - 1), `${at}: the drawn ball left`);
      draws++;
    } else if (click.button === NEXT) {
      assert.deepEqual([next.slots, next.shown], [slots, shown], `${at}: ${NEXT} changed the result`);
    } else {
      assert.deepEqual(next.slots, slotHeadings, `${at}: ${CLEAR} restores the headings`);
      assert.ok(next.shown.every(Boolean), `${at}: ${CLEAR} brings every ball back`);
    }
  });
  assert.ok(draws >= 8, `${seedNote}: the burst drew ${draws} numbers over ${clicks.length} clicks`);
});

// Bye, pressed while the light rolls, ends the page: the light stops, the page says so, and nothing changes the board
// any more, whether the form still shows or not: no tick, no click where a button was or on the button itself, no key.
test('Bye, pressed again and again mid-game, ends the page for good', async () => {
  await clickButton(DRAW);
  await clickButton(NEXT);
  await checkRolling('running');
  const centres = await buttonCentres();
  await page.click(Array(50).fill(centres[BYE]));
  assert.match(await page.evaluate(() => document.body.innerText), endedNotice, 'the page says the program ended');
  const focusReads = await page.evaluate(() => document.activeElement?.textContent ?? '');
  assert.match(focusReads, endedNotice, 'with the focus on the sentence, which a screen reader reads out');
  const stopped = await page.evaluate(() => ({ board: probe.board(), changes: probe.formChanges }));
  await page.click([DRAW, NEXT, CLEAR, BYE].map((name) => centres[name]));
  await page.evaluate(() => {
    for (const button of document.querySelectorAll('[data-design="Form1"] button')) {
      button.dispatchEvent(new MouseEvent('click', { bubbles: true, cancelable: true }));
      for (const key of ['Enter', ' ']) {
        for (const type of ['keydown', 'keyup']) {
          button.dispatchEvent(new KeyboardEvent(type, { key, bubbles: true, cancelable: true }));
        }
      }
    }
    document.querySelector('[data-design="Command2"]').focus();
  });
  await page.press('Enter');
  await tenTicks(page);
  const later = await page.evaluate(() => ({ board: probe.board(), changes: probe.formChanges }));
  assert.deepEqual(later.board, stopped.board, 'after Bye the light stands still and no press changes the board');
  assert.equal(later.changes, stopped.changes, 'after Bye nothing in the form changes');
});

// Luminance and contrast as WCAG measures them, of colours [r, g, b].
const luminance = (colour) =>
  colour
    .map((v) => (v / 255 <= 0.04045 ? v / 255 / 12.92 : ((v / 255 + 0.055) / 1.055) ** 2.4))
    .reduce((sum, v, k) => sum + v * [0.2126, 0.7152, 0.0722][k], 0);
const ratio = (lighter, darker) => (lighter + 0.05) / (darker + 0.05);
const contrast = (a, b) => ratio(Math.max(luminance(a), luminance(b)), Math.min(luminance(a), luminance(b)));

// The board as the screen shows it, from one screenshot: each ball's fill (left of its number, on the disc's middle
// row), and the contrast between the lightest and the darkest pixel of each shown number's box and of each button's
// inside: a number or caption the eye cannot tell from what it is drawn on (a disc, or the plate an engine draws
// behind forced text) leaves its box of one colour.
async function lookAtBoard() {
  const boxes = await page.evaluate(() => {
    const box = (element) => {
      const r = element.getBoundingClientRect();
      return r.width ? [r.left, r.top, r.width, r.height] : null;
    };
    const items = [...document.querySelectorAll('.item')].map((item) => item.checkVisibility() && item);
    return {
      discs: items.map((item) => item && box(item.querySelector('.disc'))),
      numbers: items.map((item) => item && box(item.querySelector('.label'))),
      buttons: [...document.querySelectorAll('button.control')].map((b) => ({ box: box(b), greyed: !!b.ariaDisabled })),
    };
  });
  const shot = decodePng(await page.screenshot());
  const at = (x, y) => shot.pixel(Math.floor(x), Math.floor(y));
  const spread = ([left, top, width, height]) => {
    const seen = [];
    for (let y = Math.ceil(top); y < top + height - 1; y++) {
      for (let x = Math.ceil(left); x < left + width - 1; x++) seen.push(luminance(at(x, y)));
    }
    return ratio(Math.max(...seen), Math.min(...seen));
  };
  const insideBorder = ([left, top, width, height]) => [left + 4, top + 4, width - 8, height - 8];
  return {
    fills: boxes.discs.map((d) => d && at(d[0] + d[2] / 6, d[1] + d[3] / 2)),
    numbers: boxes.numbers.map((n) => n && spread(n)),
    captions: boxes.buttons.map(({ box, greyed }) => ({ greyed, contrast: spread(insideBorder(box)) })),
  };
}

// The light as the eye sees it, in the design's colours and where the system forces its own on the page (a contrast
// theme, Firefox's "override the colours"): in several screenshots while it rolls, exactly one ball stands apart
// from the rest by at least 3:1, the least a part of a control needs to be seen, and it moves. Under forced colours
// every number, the lit ball's too, and every filled slot reads on its disc, a greyed button is fainter than an
// enabled one, and the focus shows.
for (const forcedColours of [false, true]) {
  const colours = forcedColours ? 'forced' : "the design's";
  test(`${colours} colours: exactly one ball stands out and moves, every number reads`, async (t) => {
    if (forcedColours && !engine.forcesColours) return t.skip(`${engine.name} cannot force colours`);
    if (forcedColours) await openPage({ forcedColours });
    assert.equal(await page.evaluate(() => matchMedia('(forced-colors: active)').matches), forcedColours);
    const lit = [];
    for (let shot = 0; shot < 4; shot++) {
      if (shot === 2) {
        await clickButton(DRAW);
        await clickButton(NEXT);
        await checkResumed('running', `${NEXT} after a draw`);
        // The light comes back with the first beat after Next, a moment after the press.
        assert.ok(await lightOn(5000), `a ball lit after ${NEXT}`);
      }
      const { fills, numbers, captions } = await lookAtBoard();
      const balls = fills.slice(0, 42).filter(Boolean);
      const standsOut = fills.slice(0, 42).flatMap((mine, i) => {
        const apart = mine ? balls.filter((fill) => contrast(mine, fill) >= 3).length : 0;
        return apart > 1 ? [i] : [];
      });
      assert.equal(standsOut.length, 1, `shot ${shot}: balls ${standsOut} stand out of ${JSON.stringify(fills)}`);
      lit.push(standsOut[0]);
      // The design draws two texts to be seen rather than read: the lit ball's number, black on navy, and the special
      // slot's, dark red on orange; a screen reader reads both by their names.
      const designsOwn = (i) => !forcedColours && (i === lit.at(-1) || i === 48);
      const unreadable = numbers.map((c, i) => c && c < 4.5 && !designsOwn(i) && i + 1).filter(Boolean);
      assert.deepEqual(unreadable, [], `shot ${shot}: numbers at ${numbers.map((c) => (c ? c.toFixed(1) : '-'))}`);
      const [greyed, enabled] = [true, false].map((g) => captions.filter(({ greyed }) => greyed === g));
      const faintest = Math.min(...enabled.map(({ contrast }) => contrast));
      if (forcedColours) assert.ok(greyed.every(({ contrast }) => contrast < faintest), JSON.stringify(captions));
    }
    assert.ok(new Set(lit).size > 1, `the light moves between shots: balls ${lit.map((i) => i + 1)}`);

    // The focus can be seen: a key that moves it onto a button changes at least a line two pixels thick round the
    // button by 3:1 or more. (In its own colours the design leaves the focus to the engine's own ring.)
    if (!forcedColours) return;
    await page.press('Tab');
    const [focused, [left, top, width, height]] = await page.evaluate(() => {
      const r = document.activeElement.getBoundingClientRect();
      return [document.activeElement.textContent, [r.left, r.top, r.width, r.height]];
    });
    const withFocus = decodePng(await page.screenshot());
    await page.press('Shift+Tab');
    const without = decodePng(await page.screenshot());
    let changed = 0;
    for (let y = Math.floor(top) - 6; y < top + height + 6; y++) {
      for (let x = Math.floor(left) - 6; x < left + width + 6; x++) {
        if (contrast(withFocus.pixel(x, y), without.pixel(x, y)) >= 3) changed++;
      }
    }
    assert.ok(changed >= 4 * (width + height), `${focused}: ${changed} pixels change as it takes the focus`);
  });
}

// axe-core, a standard accessibility engine, run in the page from the pinned package (nothing is fetched), at a
// desktop's size and a phone's, at the start, in mid-game and at the end of a game, in the design's colours and,
// where the engine can, in forced ones. It finds nothing but what the design itself draws so, each named here with
// its reason.
const hex = (colour) => `#${expected.colours[colour].rgb.map((v) => v.toString(16).padStart(2, '0')).join('')}`;
const designFindings = [
  {
    rule: 'page-has-heading-one',
    reason: "the page is the design's one window, which has a title and no heading; its title is the document's",
    alsoForced: true,
    is: () => true,
  },
  {
    rule: 'color-contrast',
    reason: "the lit ball's number is black on navy by design: the light is seen, and the ball is read by its name",
    is: ({ colours }) => colours[1] === hex('light'),
  },
  {
    rule: 'color-contrast',
    reason: "the special slot's heading and number are dark red on orange by design; the slot is read by its name",
    is: ({ colours }) => colours.join() === [hex('special'), hex('ball')].join(),
  },
];
const axeSource = readFileSync(new URL('node_modules/axe-core/axe.min.js', import.meta.url), 'utf8');
test("axe-core: only the design's own, 2 sizes, 3 moments, its colours and, where the engine can, forced", async () => {
  const found = [];
  const sizes = [[800, 600], [360, 740]]; // a desktop's window and a phone's screen
  for (const [width, height] of sizes) {
    for (const forcedColours of engine.forcesColours ? [false, true] : [false]) {
      await openPage({ width, height, forcedColours });
      await page.evaluate(axeSource);
      // Two draws with the light rolling again, then five more to the end.
      for (const [moment, presses, drawn] of [
        ['start', [], 0],
        ['mid-game', [DRAW, NEXT, DRAW, NEXT], 2],
        ['end', [DRAW, NEXT, DRAW, NEXT, DRAW, NEXT, DRAW, NEXT, DRAW], 7],
      ]) {
        for (const name of presses) await clickButton(name);
        assert.equal((await readBoard()).slots.filter(Number.isInteger).length, drawn, `${moment}: numbers drawn`);
        // The light moves while axe looks: a contrast finding names the colours it saw, text and ground.
        const violations = await page.evaluate(async () =>
          (await window.axe.run(document)).violations.flatMap(({ id, nodes }) =>
            nodes.map(({ target, any }) => {
              const { fgColor, bgColor } = any[0]?.data ?? {};
              return { rule: id, target: target.join(' '), colours: [fgColor, bgColor] };
            }),
          ),
        );
        const where = `${width} × ${height}, ${forcedColours ? 'forced' : "the design's"} colours, ${moment}`;
        for (const violation of violations) {
          const own = (f) => f.rule === violation.rule && (f.alsoForced || !forcedColours) && f.is(violation);
          if (!designFindings.some(own)) found.push(`${where}: ${JSON.stringify(violation)}`);
        }
      }
    }
  }
  assert.deepEqual(found, []);
});

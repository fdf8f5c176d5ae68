// SPDX-FileCopyrightText: 2026 Lotto developers
// SPDX-License-Identifier: GPL-3.0-or-later
// phone.test.mjs: the lottery page on phones and a tablet, in Chromium's emulation of their screens and touch.
//
// LOTTO_WEB_SITE names the built folder, served from 127.0.0.1. The window must show whole and as large as the
// screen allows in any orientation, play by taps, stay in its tab on Bye, and show itself before its program runs.
import assert from 'node:assert/strict';
import { afterEach, test } from 'node:test';
import { chromiumServing, expected, tenTicks } from './browser.mjs';
import { watchFaults } from './engines/index.mjs';

const site = process.env.LOTTO_WEB_SITE;
assert.ok(site, 'LOTTO_WEB_SITE must name the built folder (build-web/site)');

// The design's client area (8895 × 7455 twips at 15 twips to the pixel), the controls' boxes and the slots' headings.
const [, , designWidth, designHeight] = expected.boxes.Form1.pixels;
const headings = expected.slotHeadings;

const chromium = chromiumServing(site);
let context, faults;

afterEach(async () => {
  await context?.close();
  context = undefined;
  assert.deepEqual(faults, [], 'no console error and no uncaught exception');
});

// Makes the page one opened from the home screen, as Safari tells it (this Chromium emulates no display mode), in a
// window the program's end closes, as the desktop's end does.
async function asInstalledApp(page) {
  await page.evaluate(() => Object.defineProperty(navigator, 'standalone', { value: true }));
}

// A page on a touch screen of `width` × `height` CSS pixels, the only page in its tab's history, as when opened from
// a link in another app; `hold` names files whose requests never get an answer, `beforeScripts` runs before the page's.
async function openPhone({ width, height, scale = 3 }, { hold = [], waitForProgram = true, beforeScripts } = {}) {
  context = await chromium.browser.newContext({
    viewport: { width, height },
    deviceScaleFactor: scale,
    isMobile: true,
    hasTouch: true,
  });
  const page = await context.newPage();
  // The page's own faults; its requests go unwatched, since some are held back on purpose.
  ({ faults } = watchFaults(page, null));
  for (const file of hold) await page.route(`**/${file}`, () => {});
  if (beforeScripts) await page.addInitScript(beforeScripts);
  await page.addInitScript(() => {
    window.editablesFocused = [];
    document.addEventListener('focusin', (event) => {
      if (event.target.matches('input, textarea, [contenteditable]')) editablesFocused.push(event.target.dataset.design);
    });
  });
  const { origin } = chromium.server;
  await page.evaluate((url) => location.replace(url), `${origin}/`);
  await page.waitForURL(`${origin}/`, { waitUntil: waitForProgram ? 'load' : 'commit' });
  if (waitForProgram) {
    await page.waitForFunction(
      () => ![...document.querySelectorAll('.disc')].every((disc) => getComputedStyle(disc).backgroundColor === 'rgb(255, 128, 0)'),
      null,
      { timeout: 10000 },
    );
  }
  return page;
}

// The form's box on the screen, its scale, and its controls and first disc in the design's pixels, as the page lays
// them out.
function readFit(page) {
  return page.evaluate((controls) => {
    const form = document.querySelector('[data-design="Form1"]');
    const r = form.getBoundingClientRect();
    const scale = r.width / form.offsetWidth;
    const inDesign = (name) => {
      const p = document.querySelector(`[data-design="${name}"]`).getBoundingClientRect();
      return [p.left - r.left, p.top - r.top, p.width, p.height].map((v) => Math.round((v / scale) * 10) / 10);
    };
    const root = document.documentElement;
    return {
      box: { left: r.left, top: r.top, right: r.right, bottom: r.bottom, width: r.width, height: r.height },
      scale,
      room: { width: root.clientWidth, height: root.clientHeight },
      scroll: { width: root.scrollWidth, height: root.scrollHeight },
      controls: controls.map(inDesign),
      shape0: inDesign('Shape1-0'),
      touchAction: getComputedStyle(form).touchAction,
      viewportMeta: document.querySelector('meta[name="viewport"]').content,
    };
  }, Object.keys(expected.boxes));
}

const slotTexts = (page) =>
  page.evaluate(() =>
    Array.from({ length: 7 }, (_, k) => document.querySelector(`[data-design="Label1-${42 + k}"]`).textContent),
  );

// Taps a control that closes its page, and waits for the page to close. The window can close while the tap is still
// being answered, which ends the tap in an error that says only that the page has gone.
async function tapAndClose(page, control) {
  const closed = page.waitForEvent('close', { timeout: 5000 });
  const tapped = control.tap().catch(async (error) => {
    await closed.catch(() => {});
    if (!page.isClosed()) throw error;
  });
  await Promise.all([tapped, closed]);
}

function assertFits(fit, { width, height }, when) {
  const largest = Math.min(width / designWidth, height / designHeight);
  assert.deepEqual([fit.room.width, fit.room.height], [width, height], `${when}: the page has the whole screen`);
  assert.ok(Math.abs(fit.box.width - designWidth * largest) <= 1, `${when}: width ${fit.box.width} at scale ${largest}`);
  assert.ok(Math.abs(fit.box.height - designHeight * largest) <= 1, `${when}: height ${fit.box.height}`);
  assert.ok(fit.box.left >= -0.5 && fit.box.top >= -0.5, `${when}: ${JSON.stringify(fit.box)} starts on screen`);
  assert.ok(fit.box.right <= width + 0.5 && fit.box.bottom <= height + 0.5, `${when}: ends on screen`);
  assert.ok(Math.abs(fit.box.left - (width - fit.box.right)) <= 1, `${when}: centred across: ${JSON.stringify(fit.box)}`);
  assert.ok(Math.abs(fit.box.top - (height - fit.box.bottom)) <= 1, `${when}: centred down: ${JSON.stringify(fit.box)}`);
  assert.ok(fit.scroll.width <= width && fit.scroll.height <= height, `${when}: nothing scrolls: ${JSON.stringify(fit.scroll)}`);
  // Inside the form the design's pixels, scaled as one picture: every control at its box; Shape1(0) at 330, 233 twips,
  // 735 × 735.
  assert.deepEqual(fit.controls, Object.values(expected.boxes).map(({ pixels }) => pixels), `${when}: the controls`);
  assert.deepEqual(fit.shape0, [22, 16, 49, 49], `${when}: Shape1(0) in the design's pixels`);
}

test('the window fills a phone or tablet screen in either orientation, centred, with nothing to scroll', async () => {
  for (const [portrait, landscape, scale] of [
    [{ width: 360, height: 740 }, { width: 740, height: 360 }, 3],
    [{ width: 390, height: 844 }, { width: 844, height: 390 }, 3],
    [{ width: 768, height: 1024 }, { width: 1024, height: 768 }, 2],
  ]) {
    const page = await openPhone({ ...portrait, scale });
    const fit = await readFit(page);
    assertFits(fit, portrait, `${portrait.width}×${portrait.height}`);
    assert.doesNotMatch(fit.viewportMeta, /user-scalable\s*=\s*(no|0)|maximum-scale/, 'pinch zoom stays');
    assert.equal(fit.touchAction, 'manipulation', 'a double tap on the window never zooms');
    await page.setViewportSize(landscape);
    // Fitted again once the window's scale has changed from the upright screen's (on each screen here the turn
    // changes it): the turn is a resize the page answers in its own time, and centring alone comes before it.
    await page.waitForFunction(
      (uprightWidth) =>
        Math.abs(document.querySelector('[data-design="Form1"]').getBoundingClientRect().width - uprightWidth) > 1,
      fit.box.width,
    );
    assertFits(await readFit(page), landscape, `${landscape.width}×${landscape.height}, turned`);
    await context.close();
    context = undefined;
  }
});

test('a whole game by taps: each draw lands in its slot, and no tap puts a keyboard on the screen', async () => {
  const page = await openPhone({ width: 360, height: 740 });
  // A button's own name comes last: the focus carries the last announcement before it.
  const tap = (name) => page.getByRole('button', { name: new RegExp(`(^| )${name}$`) }).tap();
  for (let draw = 1; draw <= 7; draw++) {
    await tap('開獎');
    const now = await slotTexts(page);
    assert.ok(/^\d+$/.test(now[draw - 1]), `draw ${draw} fills its slot: ${now}`);
    assert.deepEqual(now.slice(draw), headings.slice(draw), `draw ${draw}: later slots keep their headings`);
    if (draw < 7) await tap('Next');
  }
  const drawn = await slotTexts(page);
  assert.equal(new Set(drawn).size, 7, `seven distinct numbers: ${drawn}`);
  await tap('清除');
  assert.deepEqual(await slotTexts(page), headings, '清除 brings the headings back');
  // The instruction line is a text box: focused, a phone opens its keyboard over the board.
  assert.deepEqual(await page.evaluate(() => window.editablesFocused), [], 'no tap moved the focus into a text box');
});

test('Bye in a tab with one page of history: the tab stays, says the program ended, and the light stops; an installed app closes', async () => {
  const page = await openPhone({ width: 360, height: 740 });
  let closed = false;
  page.on('close', () => (closed = true));
  assert.equal(await page.evaluate(() => history.length), 1, 'a tab opened on the page alone');
  await page.getByRole('button', { name: 'Bye', exact: true }).tap();
  await page.locator('#ended').waitFor({ state: 'visible', timeout: 10_000 });
  assert.equal(closed || page.isClosed(), false, 'the tab stays');
  assert.match(await page.locator('#ended').innerText(), /^樂透程式已經結束。/);
  assert.equal(await tenTicks(page), 0, 'no disc changed colour after Bye');

  await context.close();
  const app = await openPhone({ width: 360, height: 740 });
  await asInstalledApp(app);
  await tapAndClose(app, app.getByRole('button', { name: 'Bye', exact: true }));
});

test('before its program runs, the page shows the whole window, numbered and headed, and its buttons do nothing', async () => {
  const screen = { width: 844, height: 390 };
  const page = await openPhone(screen, { hold: ['lotto-core.js'], waitForProgram: false });
  await page.waitForSelector('[data-design="Text1"]', { state: 'attached' });
  await page.waitForFunction(() => document.fonts.status === 'loaded');
  const shown = await page.evaluate(() => {
    const text = (name) => document.querySelector(`[data-design="${name}"]`).textContent;
    const command2 = document.querySelector('[data-design="Command2"]');
    return {
      numbers: Array.from({ length: 42 }, (_, i) => text(`Label1-${i}`)),
      slots: Array.from({ length: 7 }, (_, k) => text(`Label1-${42 + k}`)),
      draw: { caption: command2.textContent, greyed: command2.hasAttribute('aria-disabled') || command2.disabled },
      inert: document.querySelector('[data-design="Form1"]').inert,
    };
  });
  assert.deepEqual(shown.numbers, Array.from({ length: 42 }, (_, i) => String(i + 1)), 'balls 1 … 42');
  assert.deepEqual(shown.slots, headings, 'slots 一 … 特');
  assert.deepEqual(shown.draw, { caption: '開獎', greyed: false }, '開獎 as the design starts it');
  assert.equal(shown.inert, true, 'the window is inert until its program runs');
  assertFits(await readFit(page), screen, 'before the program runs'); // every control already where the design puts it

  const box = await page.locator('[data-design="Command2"]').boundingBox();
  await page.touchscreen.tap(box.x + box.width / 2, box.y + box.height / 2);
  await page.mouse.click(box.x + box.width / 2, box.y + box.height / 2);
  await tenTicks(page);
  const focusOnBody = await page.evaluate(() => document.activeElement === document.body);
  assert.deepEqual([await slotTexts(page), focusOnBody], [headings, true], 'no press before the program runs acts');
});

test('a random source that fails is the run-time error that ends the program, reported once; read, it ends an installed app', async () => {
  const page = await openPhone(
    { width: 390, height: 844 },
    {
      waitForProgram: false,
      beforeScripts: () => {
        crypto.getRandomValues = () => {
          throw new DOMException('no entropy', 'OperationError');
        };
      },
    },
  );
  await page.waitForSelector('#report[open]', { timeout: 10000 });
  const report = await page.evaluate(() => ({
    title: document.getElementById('report-title').textContent,
    text: document.getElementById('report-text').textContent,
  }));
  assert.deepEqual(report, { title: '樂透程式', text: '執行階段錯誤 5：作業系統的亂數來源無法使用' });
  await tenTicks(page);
  const colours = await page.evaluate(() =>
    [...document.querySelectorAll('.disc')].map((disc) => getComputedStyle(disc).backgroundColor),
  );
  assert.equal(new Set(colours).size, 1, 'no ball was lit');

  // The report read, the program's end closes an installed app's window, as Bye does there.
  await asInstalledApp(page);
  await tapAndClose(page, page.getByRole('button', { name: '確定', exact: true }));
});

// SPDX-FileCopyrightText: 2026 Lotto developers
// SPDX-License-Identifier: GPL-3.0-or-later
// lotto_page.test.mjs: the lottery page in Debian's Chromium, played by mouse and keyboard through its roles and names.
//
// LOTTO_WEB_SITE names the built folder; LOTTO_WEB_ORIGIN is "http" (served from 127.0.0.1) or "file" (opened from
// the disk). The light runs on the page's own 30 ms timer: nothing here shortens or stubs it.
import assert from 'node:assert/strict';
import path from 'node:path';
import { after, afterEach, before, beforeEach, test } from 'node:test';
import { pathToFileURL } from 'node:url';
import { decodePng, launchChromium, serveFolder, siteUrl } from './browser.mjs';

const site = process.env.LOTTO_WEB_SITE;
const origin = process.env.LOTTO_WEB_ORIGIN || 'http';
assert.ok(site, 'LOTTO_WEB_SITE must name the built folder (build-web/site)');
assert.ok(['http', 'file'].includes(origin), `LOTTO_WEB_ORIGIN is http or file, not ${origin}`);

const slotNames = ['第一個號碼', '第二個號碼', '第三個號碼', '第四個號碼', '第五個號碼', '第六個號碼', '特別號'];
const allNumbers = Array.from({ length: 42 }, (_, i) => i + 1);

let browser, server, context, page, faults;

before(async () => {
  browser = await launchChromium();
  if (origin === 'http') server = await serveFolder(site);
});
after(async () => {
  await browser?.close();
  await server?.close();
});

// Every test opens a fresh page and collects what must never happen: a console error, an uncaught exception,
// a failed request, or a request that leaves the page's own origin (or its folder, from the disk).
beforeEach(async () => {
  context = await browser.newContext({ viewport: { width: 800, height: 600 }, deviceScaleFactor: 1 });
  page = await context.newPage();
  faults = [];
  const home = server ? server.origin : pathToFileURL(path.resolve(site)).href;
  page.on('console', (message) => {
    if (message.type() === 'error') faults.push(`console error: ${message.text()}`);
  });
  page.on('pageerror', (error) => faults.push(`uncaught: ${error.message}`));
  context.on('request', (request) => {
    const url = request.url();
    const own = server ? new URL(url).origin === home : url.startsWith(`${home}/`);
    if (!own && !/^(data|blob):/.test(url)) faults.push(`request to another origin: ${url}`);
  });
  context.on('requestfailed', (request) => faults.push(`failed: ${request.url()} ${request.failure()?.errorText}`));
  context.on('response', (response) => {
    if (response.status() >= 400) faults.push(`HTTP ${response.status()}: ${response.url()}`);
  });
  await page.goto(siteUrl(site, server));
  await page.evaluate(() => {
    window.litDisc = (disc) => getComputedStyle(disc).backgroundColor === 'rgb(0, 0, 128)';
  });
  // Loaded means the balls are numbered and the light has lit one of them.
  await page.waitForFunction(() => [...document.querySelectorAll('.disc')].some(litDisc), null, { timeout: 10000 });
});
afterEach(async () => {
  await context.close();
  assert.deepEqual(faults, [], 'no console error, failed request or request to another origin');
});

const button = (name) => page.getByRole('button', { name, exact: true });
const instructionLine = () => page.getByRole('textbox', { name: '操作提示' });

// The board as a screen reader meets it, read from the page's accessibility tree in one pass: the balls still on
// the board, each slot's number (null while empty), which buttons are enabled, the instruction line, the live region.
async function readBoard() {
  const board = { balls: [], slots: Array(7).fill(undefined), enabled: {}, instruction: undefined, status: undefined };
  const unquote = (text) => (text ?? '').trim().replace(/^"(.*)"$/, '$1');
  for (const line of (await page.ariaSnapshot()).split('\n')) {
    let m;
    if ((m = line.match(/- img "號碼 (\d+)"/))) board.balls.push(Number(m[1]));
    else if ((m = line.match(/- img "(第.個號碼|特別號) ([^"]+)"/))) {
      board.slots[slotNames.indexOf(m[1])] = m[2] === '未開出' ? null : Number(m[2]);
    } else if ((m = line.match(/- button "(.+?)"( \[disabled\])?/))) board.enabled[m[1]] = !m[2];
    else if ((m = line.match(/- textbox "操作提示"(?::(.*))?/))) board.instruction = unquote(m[1]);
    else if ((m = line.match(/- status(?: "[^"]*")?(?::(.*))?/))) board.status = unquote(m[1]);
  }
  board.balls.sort((a, b) => a - b);
  return board;
}

async function focusedIs(locator) {
  return locator.evaluate((element) => element === document.activeElement);
}

async function liveRegionSays(text) {
  await page
    .waitForFunction((expected) => document.querySelector('[role="status"]')?.textContent.trim() === expected, text, {
      timeout: 5000,
    })
    .catch(() => {});
  return (await page.getByRole('status').textContent()).trim();
}

async function discVisible(number) {
  return page.locator(`[data-design="Shape1-${number - 1}"]`).isVisible();
}

function assertFreshBoard(board, when) {
  assert.deepEqual(board.balls, allNumbers, `${when}: all 42 balls on the board`);
  assert.deepEqual(board.slots, Array(7).fill(null), `${when}: every slot 未開出`);
  assert.deepEqual(board.enabled, { 開獎: true, Next: false, 清除: false, Bye: true }, when);
}

// After draw number `drawn` (1 … 7): the new number sits in its slot, is distinct, has left the board for the eye
// and the accessibility tree, and the live region announces it.
async function checkDraw(drawn, previous) {
  const board = await readBoard();
  const number = board.slots[drawn - 1];
  assert.ok(Number.isInteger(number) && number >= 1 && number <= 42, `draw ${drawn} fills its slot: ${number}`);
  assert.deepEqual(board.slots.slice(0, drawn - 1), previous.slots.slice(0, drawn - 1), 'earlier slots unchanged');
  assert.ok(board.slots.slice(drawn).every((slot) => slot === null), 'later slots still empty');
  assert.ok(!board.balls.includes(number), `ball ${number} left the accessibility tree`);
  assert.equal(board.balls.length, 42 - drawn);
  assert.equal(await discVisible(number), false, `ball ${number}'s disc left the board`);
  assert.equal(await liveRegionSays(`${slotNames[drawn - 1]} ${number}`), `${slotNames[drawn - 1]} ${number}`);
  if (drawn < 7) {
    assert.equal(board.instruction, 'NEXT開獎');
    assert.deepEqual(board.enabled, { 開獎: false, Next: true, 清除: true, Bye: true });
    assert.ok(await focusedIs(button('Next')), `after draw ${drawn} the focus is on Next`);
  } else {
    assert.equal(board.instruction, '按清除重開');
    assert.deepEqual(board.enabled, { 開獎: false, Next: false, 清除: true, Bye: true });
    assert.ok(await focusedIs(instructionLine()), 'after the seventh draw the focus is on the instruction line');
    assert.equal(new Set(board.slots).size, 7, `seven distinct numbers: ${board.slots}`);
  }
  return board;
}

async function checkResumed(when) {
  const board = await readBoard();
  assert.equal(board.instruction, '請按開獎', when);
  assert.ok(board.enabled['開獎'], when);
  assert.ok(await focusedIs(button('開獎')), `${when}: the focus is on 開獎`);
  return board;
}

test('a whole game with the mouse: each draw announced, the focus follows the game, 清除 restores the board', async () => {
  let board = await readBoard();
  assertFreshBoard(board, 'at start');
  assert.equal(board.status, '', 'the live region is in the page, empty, from the start');
  assert.equal(board.instruction, '');
  for (let drawn = 1; drawn <= 7; drawn++) {
    await button('開獎').click();
    board = await checkDraw(drawn, board);
    if (drawn < 7) {
      await button('Next').click();
      await checkResumed(`Next after draw ${drawn}`);
    }
    if (drawn === 1) {
      await page.waitForTimeout(200);
      assert.equal((await readBoard()).status, `${slotNames[0]} ${board.slots[0]}`, 'the rolling light is silent');
    }
  }
  await button('清除').click();
  board = await checkResumed('清除');
  assertFreshBoard(board, 'after 清除');
  for (const number of allNumbers) assert.ok(await discVisible(number), `ball ${number} is back`);
});

test('a whole game from the keyboard: Space and Enter press the focused button once, even held down', async () => {
  let board = await readBoard();
  await button('開獎').focus();
  // Space presses on release, Enter on the key going down; a held key sends repeated keydowns, each of which could
  // press whatever button the focus has just moved to.
  const press = async (key, held) => {
    await page.keyboard.down(key);
    for (let repeat = 0; held && repeat < 5; repeat++) await page.keyboard.down(key);
    await page.keyboard.up(key);
  };
  const keys = ['Space', 'Enter'];
  for (let drawn = 1; drawn <= 7; drawn++) {
    await press(keys[drawn % 2], drawn === 2 || drawn === 5);
    board = await checkDraw(drawn, board);
    if (drawn < 7) {
      await press(keys[(drawn + 1) % 2], drawn === 3 || drawn === 4);
      const resumed = await checkResumed(`${keys[(drawn + 1) % 2]} on Next after draw ${drawn}`);
      assert.deepEqual(resumed.slots, board.slots, 'a held key pressed Next once and drew nothing');
    }
  }
  // From the instruction line back over Bye to 清除: Next and 開獎 are greyed and out of the tab order.
  await page.keyboard.press('Shift+Tab');
  assert.ok(await focusedIs(button('Bye')), 'Shift+Tab from the instruction line reaches Bye');
  await page.keyboard.press('Shift+Tab');
  assert.ok(await focusedIs(button('清除')), 'and then 清除');
  await press('Enter', true);
  assertFreshBoard(await checkResumed('Enter on 清除'), 'after Enter on 清除');
});

test('the page follows the design: boxes in pixels, colours, the Ming subset and the button descriptions', async () => {
  // Boxes relative to the form's client area, worked out by hand from the design's twips (15 to a pixel, rounded).
  const expected = {
    Form1: [0, 0, 593, 497], // 8895 × 7455
    Command2: [480, 80, 97, 41], // Left 7200, Top 1200, 1455 × 615
    Command4: [480, 272, 97, 41], // Top 4080
    Text1: [480, 336, 97, 25], // Top 5040, 1455 × 375
    'Shape1-0': [22, 16, 49, 49], // row 0, column 0: 330, 233, 735 × 735
    'Shape1-15': [90, 144, 49, 49], // row 2, column 1: 1350, 2160
    'Shape1-48': [410, 416, 49, 49], // the special slot: 6150, 6240
  };
  const boxes = await page.evaluate((names) => {
    const form = document.querySelector('[data-design="Form1"]').getBoundingClientRect();
    const box = (name) => {
      const r = document.querySelector(`[data-design="${name}"]`).getBoundingClientRect();
      return [r.left - form.left, r.top - form.top, r.width, r.height].map((v) => Math.round(v * 100) / 100);
    };
    return Object.fromEntries(names.map((name) => [name, box(name)]));
  }, [...Object.keys(expected), 'Label1-0', 'Label1-9', 'Label1-44', 'Line1', 'Line2']);
  for (const [name, box] of Object.entries(expected)) assert.deepEqual(boxes[name], box, name);
  // Number labels keep their Left and Top and grow to the right: "10" starts where "1" would and is wider.
  assert.deepEqual(boxes['Label1-0'].slice(0, 2), [40, 28], 'Label1(0) at 600, 420');
  assert.deepEqual(boxes['Label1-9'].slice(0, 2), [170, 92], 'Label1(9) at 2550, 1380');
  assert.deepEqual(boxes['Label1-44'].slice(0, 2), [164, 428], 'Label1(44) at 2460, 6427');
  assert.ok(boxes['Label1-9'][2] > boxes['Label1-0'][2], '"10" is wider than "1"');
  // Line1 runs (240, 6120)–(7080, 6120), 7 pixels wide: across it rows 405 … 411, along it at least 16 … 472.
  const [lineLeft, lineTop, lineWidth, lineHeight] = boxes.Line1;
  assert.deepEqual([lineTop, lineHeight], [405, 7], `Line1 ${boxes.Line1}`);
  assert.ok(lineLeft <= 16 && lineLeft + lineWidth >= 473, `Line1 spans 16 … 472: ${boxes.Line1}`);
  assert.equal(boxes.Line2[2], 7, 'Line2 is 7 pixels wide');

  // Colours as painted, from a screenshot of the form while the light rolls.
  const { x, y } = await page.locator('[data-design="Form1"]').boundingBox();
  const formBox = { x: Math.round(x), y: Math.round(y), width: 593, height: 497 };
  const shot = decodePng(await page.screenshot({ clip: formBox }));
  const colour = (x, y) => `rgb(${shot.pixel(x, y).join(', ')})`;
  assert.equal(colour(4, 4), 'rgb(0, 192, 192)', 'background');
  assert.equal(colour(300, 395), 'rgb(0, 192, 192)', 'background between the balls and the frame');
  const discBoxes = await page.evaluate(() => {
    const form = document.querySelector('[data-design="Form1"]').getBoundingClientRect();
    return Array.from({ length: 49 }, (_, i) => {
      const r = document.querySelector(`[data-design="Shape1-${i}"]`).getBoundingClientRect();
      return [Math.round(r.left - form.left), Math.round(r.top - form.top + r.height / 2)];
    });
  });
  // Left of each number on the disc's middle row is the fill; exactly one ball is lit, the slots never are.
  const fills = discBoxes.map(([left, middle]) => colour(left + 8, middle));
  assert.equal(fills.slice(0, 42).filter((fill) => fill === 'rgb(0, 0, 128)').length, 1, `one navy ball: ${fills}`);
  assert.equal(fills.filter((fill) => fill === 'rgb(255, 128, 0)').length, 48, 'every other disc orange');
  for (let y = 405; y <= 411; y++) assert.equal(colour(244, y), 'rgb(0, 128, 0)', `frame green at 244, ${y}`);
  assert.notEqual(colour(244, 404), 'rgb(0, 128, 0)', 'the frame line is 7 pixels wide');
  assert.notEqual(colour(244, 412), 'rgb(0, 128, 0)', 'the frame line is 7 pixels wide');
  const special = await page.locator('[data-design="Label1-48"]').boundingBox();
  let red = 0;
  for (let y = Math.floor(special.y - formBox.y); y < special.y - formBox.y + special.height; y++) {
    for (let x = Math.floor(special.x - formBox.x); x < special.x - formBox.x + special.width; x++) {
      if (colour(x, y) === 'rgb(192, 0, 0)') red++;
    }
  }
  assert.ok(red > 15, `特 is dark red (${red} pixels)`);

  // The shipped Ming subset, not an installed face, draws the button and the numbers.
  const cdp = await context.newCDPSession(page);
  await cdp.send('DOM.enable');
  await cdp.send('CSS.enable');
  const { root } = await cdp.send('DOM.getDocument');
  for (const design of ['Command2', 'Label1-9']) {
    const { nodeId } = await cdp.send('DOM.querySelector', { nodeId: root.nodeId, selector: `[data-design="${design}"]` });
    const { fonts } = await cdp.send('CSS.getPlatformFontsForNode', { nodeId });
    assert.deepEqual(
      fonts.map(({ familyName, isCustomFont }) => ({ familyName, isCustomFont })),
      [{ familyName: 'AR PL UMing TW', isCustomFont: true }],
      `${design}: ${JSON.stringify(fonts)}`,
    );
  }
  const { nodes } = await cdp.send('Accessibility.getFullAXTree');
  const descriptions = Object.fromEntries(
    nodes.filter((node) => node.role?.value === 'button').map((node) => [node.name?.value, node.description?.value]),
  );
  assert.deepEqual(descriptions, {
    開獎: '取出亮燈的球',
    Next: '讓燈光繼續跳動',
    清除: '清除號碼，重新開始',
    Bye: '結束程式',
  });
});

test('fast clicking loses no result and draws through no greyed button; only Bye ends the page', async () => {
  // Each click's board as the page holds it when the click arrives, before any of the page's handlers: slot texts,
  // which balls show, the lit ball, enabled buttons. Nothing but ticks may change the board between two clicks.
  await page.evaluate(() => {
    const design = (name) => document.querySelector(`[data-design="${name}"]`);
    window.boardNow = () => ({
      slots: Array.from({ length: 7 }, (_, k) => design(`Label1-${42 + k}`).textContent.trim()),
      shown: Array.from({ length: 42 }, (_, i) => design(`Shape1-${i}`).checkVisibility()),
      lit: Array.from({ length: 42 }, (_, i) => design(`Shape1-${i}`)).findIndex(
        (disc) => disc.checkVisibility() && litDisc(disc),
      ),
      ended: document.body.dataset.state === 'ended',
    });
    window.clicks = [];
    window.addEventListener(
      'click',
      (event) => {
        const target = event.target.closest('button');
        const greyed = target?.disabled || target?.getAttribute('aria-disabled') === 'true';
        if (target) clicks.push({ button: target.textContent.trim(), greyed, board: boardNow() });
      },
      true,
    );
  });
  const centres = {};
  for (const name of ['開獎', 'Next', '清除', 'Bye']) {
    const box = await button(name).boundingBox();
    centres[name] = [box.x + box.width / 2, box.y + box.height / 2];
  }
  const clickFast = (name) => page.mouse.click(...centres[name]);

  const firstSeed = Number(process.env.LOTTO_WEB_SEED) || (Date.now() % 1000003) + 1;
  let seed = firstSeed;
  const random = () => (seed = (seed * 16807) % 2147483647) / 2147483647;
  const plan = [];
  for (const name of ['開獎', 'Next', '清除']) plan.push(...Array(50).fill(name));
  for (let round = 0; round < 50; round++) plan.push('開獎', 'Next');
  plan.push('清除');
  for (let round = 0; round < 150; round++) plan.push(['開獎', 'Next', '清除'][Math.floor(random() * 3)]);
  for (const name of plan) await clickFast(name);
  const { clicks, final } = await page.evaluate(() => ({ clicks: window.clicks, final: boardNow() }));

  const headings = ['一', '二', '三', '四', '五', '六', '特'];
  const seedNote = `LOTTO_WEB_SEED=${firstSeed}`;
  let draws = 0;
  clicks.forEach((click, n) => {
    const next = n + 1 < clicks.length ? clicks[n + 1].board : final;
    const { slots, shown, lit } = click.board;
    const at = `click ${n} on ${click.button}, ${seedNote}`;
    assert.equal(next.ended, false, `${at}: the page ended`);
    if (click.greyed) {
      assert.deepEqual([next.slots, next.shown], [slots, shown], `${at}: a greyed button acted`);
      return;
    }
    if (click.button === '開獎') {
      const filled = slots.findIndex((text, k) => text === headings[k]);
      assert.ok(filled >= 0, `${at}: 開獎 enabled with every slot filled`);
      const number = Number(next.slots[filled]);
      // The lit ball, or with none lit yet since the board changed, a ball rolled at the press from those on it.
      if (lit >= 0) assert.equal(number, lit + 1, `${at}: the draw took the lit ball`);
      else assert.ok(shown[number - 1], `${at}: drew ${number}, a ball not on the board`);
      assert.deepEqual(next.slots, slots.map((text, k) => (k === filled ? String(number) : text)), at);
      assert.deepEqual(next.shown, shown.map((on, i) => on && i !== number - 1), `${at}: the drawn ball left`);
      draws++;
    } else if (click.button === 'Next') {
      assert.deepEqual([next.slots, next.shown], [slots, shown], `${at}: Next changed the result`);
    } else {
      assert.deepEqual(next.slots, headings, `${at}: 清除 restores the headings`);
      assert.ok(next.shown.every(Boolean), `${at}: 清除 brings every ball back`);
    }
  });
  assert.ok(draws >= 8, `${seedNote}: the burst drew ${draws} numbers over ${clicks.length} clicks`);

  // Bye, pressed while the light rolls, ends the page: the light stops and no control works any more.
  if (await button('開獎').isDisabled()) await clickFast((await button('Next').isEnabled()) ? 'Next' : '清除');
  await page.waitForFunction(() => boardNow().lit >= 0);
  for (let n = 0; n < 50; n++) await clickFast('Bye');
  assert.equal(page.isClosed(), false, 'the page stays to say the program has ended');
  assert.equal(await page.evaluate(() => document.body.dataset.state), 'ended');
  const endedText = await page.locator('body').innerText();
  assert.match(endedText, /結束/, 'the page says the program has ended');
  const stopped = await page.evaluate(() => boardNow());
  for (const name of ['開獎', 'Next', '清除', 'Bye']) await clickFast(name);
  // The form may have left the accessibility tree; reach the button by its design name to try the keyboard too.
  await page.locator('[data-design="Command2"]').focus({ timeout: 1000 }).catch(() => {});
  await page.keyboard.press('Enter');
  await page.waitForTimeout(300); // ten ticks, had the light kept running
  const later = await page.evaluate(() => boardNow());
  assert.deepEqual(later, stopped, 'after Bye the light stands still and no press changes the board');
});

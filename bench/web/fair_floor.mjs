// SPDX-FileCopyrightText: 2026 Lotto developers
// SPDX-License-Identifier: GPL-3.0-or-later
// fair_floor.mjs: reads the board off the built page in Chromium and writes the fair floor page from it: the same
// discs in the same boxes and colours on the same form, the light hopping among the balls, no WebAssembly, no text.
import { copyFileSync, mkdtempSync, rmSync, writeFileSync } from 'node:fs';
import os from 'node:os';
import path from 'node:path';
import { fileURLToPath } from 'node:url';
import { launchChromium, serveFolder } from '../../tests/web/browser.mjs';
import { writeStaticWindow } from './static_window.mjs';

// Every disc of the design, balls and result slots alike, found by its design name wherever the page keeps its
// styles; the light reaches only the balls, Shape1-0 … Shape1-41, seven of 42 being the game itself.
export const discSelector = '[data-design^="Shape1-"]';
const ballCount = 42;
const isBall = (name) => Number(/^Shape1-(\d+)$/.exec(name)?.[1] ?? Infinity) < ballCount;

// Records in the one load the board is read from what happens between the first byte and the first light: when
// the light's timer is started, the first colour changes of the discs and every frame, for the page's timeline.
function recordTheStart() {
  const record = (window.startRecord = { timer: null, changes: [], frames: [] });
  const setIntervalOfTheWindow = window.setInterval;
  window.setInterval = function (handler, delay, ...rest) {
    if (record.timer === null) record.timer = { at: performance.now(), delay };
    return setIntervalOfTheWindow.call(this, handler, delay, ...rest);
  };
  new MutationObserver((mutations) => {
    const at = performance.now();
    for (const mutation of mutations) {
      if (record.changes.length < 200 && mutation.target.matches?.('[data-design^="Shape1-"]')) {
        record.changes.push({ at, colour: getComputedStyle(mutation.target).backgroundColor });
      }
    }
  }).observe(document, { subtree: true, attributes: true, attributeFilter: ['style', 'class', 'hidden'] });
  const frame = () => {
    record.frames.push(performance.now());
    if (record.frames.length < 300) requestAnimationFrame(frame);
  };
  requestAnimationFrame(frame);
}

// Every disc's colour in a few snapshots a tick and a half apart, and each box and outline in design pixels: the
// form's box divided by the scale the page may have fitted it to the screen with.
async function readDiscs(selector) {
  const form = document.querySelector('[data-design="Form1"]');
  const discs = [...form.querySelectorAll(selector)];
  const colours = discs.map(() => []);
  for (let snapshot = 0; snapshot < 7; snapshot++) {
    if (snapshot) await new Promise((resolve) => setTimeout(resolve, 45));
    discs.forEach((disc, index) => colours[index].push(getComputedStyle(disc).backgroundColor));
  }
  const formBox = form.getBoundingClientRect();
  const scale = formBox.width / form.offsetWidth;
  return {
    form: {
      left: formBox.left + scrollX,
      top: formBox.top + scrollY,
      width: form.offsetWidth,
      height: form.offsetHeight,
      background: getComputedStyle(form).backgroundColor,
    },
    pageBackground: getComputedStyle(document.documentElement).backgroundColor,
    bodyBackground: getComputedStyle(document.body).backgroundColor,
    discs: discs.map((disc, index) => {
      const box = disc.getBoundingClientRect(), style = getComputedStyle(disc);
      return {
        name: disc.dataset.design,
        left: (box.left - formBox.left) / scale - form.clientLeft,
        top: (box.top - formBox.top) / scale - form.clientTop,
        width: box.width / scale,
        height: box.height / scale,
        colours: colours[index],
        outlineWidth: style.borderTopWidth,
        outlineStyle: style.borderTopStyle,
        outlineColour: style.borderTopColor,
        radius: style.borderRadius,
      };
    }),
  };
}

function mostFrequent(values) {
  const counts = new Map();
  for (const value of values) counts.set(value, (counts.get(value) || 0) + 1);
  return [...counts].sort((a, b) => b[1] - a[1])[0][0];
}

// Opens the page once, in a browser of its own as every measured load, and reads its board once the light rolls:
// each disc's fill is the colour it shows in most snapshots, the light the one other colour any ball showed.
// Also returns that load's timeline, in milliseconds from the navigation's start.
export async function readBoard(url, viewport) {
  const browser = await launchChromium();
  try {
    const page = await browser.newPage({ viewport });
    await page.addInitScript(recordTheStart);
    await page.goto(url, { waitUntil: 'load' });
    // Until the light rolls: the board may be on the page well before the program behind it has started.
    await page.waitForFunction(
      ([selector, count]) => {
        const form = document.querySelector('[data-design="Form1"]');
        if (!form || form.getBoundingClientRect().width === 0) return false;
        const balls = [...form.querySelectorAll(selector)].filter(
          (disc) => Number(/-(\d+)$/.exec(disc.dataset.design)?.[1]) < count,
        );
        return balls.length === count && new Set(balls.map((ball) => getComputedStyle(ball).backgroundColor)).size > 1;
      },
      [discSelector, ballCount],
      { timeout: 20000 },
    );
    const board = await page.evaluate(readDiscs, discSelector);
    for (const disc of board.discs) disc.fill = mostFrequent(disc.colours);
    const balls = board.discs.filter((disc) => isBall(disc.name));
    if (balls.length !== ballCount) {
      throw new Error(`the page does not show the ${ballCount} balls Shape1-0 … Shape1-${ballCount - 1}`);
    }
    const lights = new Set(balls.flatMap((disc) => disc.colours.filter((colour) => colour !== disc.fill)));
    if (lights.size !== 1) throw new Error(`the page's light is not one colour on its balls: ${[...lights]}`);
    board.light = [...lights][0];
    board.ballCount = balls.length;
    board.timeline = await page.evaluate(readTimeline);
    const lightChange = board.timeline.record.changes.find((change) => change.colour === board.light);
    const lightFrame = lightChange && board.timeline.record.frames.find((frame) => frame >= lightChange.at);
    board.timeline.lightChange = lightChange?.at;
    board.timeline.lightFrame = lightFrame;
    return board;
  } finally {
    await browser.close();
  }
}

function readTimeline() {
  const [navigation] = performance.getEntriesByType('navigation');
  return {
    record: window.startRecord,
    navigation: {
      responseEnd: navigation.responseEnd,
      domContentLoaded: navigation.domContentLoadedEventEnd,
      load: navigation.loadEventEnd,
    },
    resources: performance
      .getEntriesByType('resource')
      .map((entry) => ({ name: new URL(entry.name).pathname, start: entry.startTime, end: entry.responseEnd })),
    longFrames: performance
      .getEntriesByType('long-animation-frame')
      .map((entry) => ({ start: entry.startTime, duration: entry.duration, renderStart: entry.renderStart })),
    paints: performance.getEntriesByType('paint').map((entry) => ({ name: entry.name, start: entry.startTime })),
  };
}

// The timeline of that one load as lines of text, earliest first.
export function timelineLines(timeline) {
  const events = [[timeline.navigation.responseEnd, 'the document received']];
  for (const resource of timeline.resources) events.push([resource.end, `${resource.name} received`]);
  events.push([timeline.navigation.domContentLoaded, 'DOMContentLoaded over (deferred scripts have run)']);
  events.push([timeline.navigation.load, 'load over']);
  for (const frame of timeline.longFrames) {
    events.push([
      frame.start,
      `long animation frame to ${(frame.start + frame.duration).toFixed(1)}: ${frame.duration.toFixed(1)} ms, ` +
        `${(frame.renderStart - frame.start).toFixed(1)} of them before rendering`,
    ]);
  }
  const timer = timeline.record.timer;
  if (timer) events.push([timer.at, `first setInterval (${timer.delay} ms): the light's timer starts`]);
  for (const paint of timeline.paints) events.push([paint.start, paint.name]);
  if (timeline.lightChange !== undefined) events.push([timeline.lightChange, 'a disc takes the light (first tick)']);
  if (timeline.lightFrame !== undefined) events.push([timeline.lightFrame, 'first frame with the light on']);
  return events.sort((a, b) => a[0] - b[0]).map(([at, what]) => `${at.toFixed(1).padStart(8)}  ${what}`);
}

const cssPixels = (value) => `${Number(value.toFixed(3))}px`;

// Writes fair.html, fair.css and its script into folder, from the board as readBoard read it.
export function writeFairFloor(board, folder) {
  const discRules = board.discs.map((disc, index) =>
    [
      `#d${index} {`,
      `left: ${cssPixels(disc.left)}; top: ${cssPixels(disc.top)};`,
      `width: ${cssPixels(disc.width)}; height: ${cssPixels(disc.height)};`,
      `background-color: ${disc.fill};`,
      `border: ${disc.outlineWidth} ${disc.outlineStyle} ${disc.outlineColour}; border-radius: ${disc.radius};`,
      '}',
    ].join(' '),
  );
  const { form } = board;
  const css = [
    `html { background-color: ${board.pageBackground}; }`,
    `body { margin: 0; background-color: ${board.bodyBackground}; }`,
    `.form { position: absolute; box-sizing: border-box; left: ${cssPixels(form.left)}; top: ${cssPixels(form.top)};` +
      ` width: ${cssPixels(form.width)}; height: ${cssPixels(form.height)}; background-color: ${form.background}; }`,
    '.disc { position: absolute; box-sizing: border-box; }',
    ...discRules,
    '',
  ].join('\n');
  const discs = board.discs
    .map((disc, index) => {
      const ball = isBall(disc.name) ? ' data-ball' : '';
      return `<div class="disc" id="d${index}" data-design="${disc.name}"${ball}></div>`;
    })
    .join('\n');
  const html = `<!doctype html>
<html lang="zh-Hant">
<head>
<meta charset="utf-8">
<meta http-equiv="Content-Security-Policy" content="default-src 'self'">
<meta name="viewport" content="width=device-width">
<title>fair floor</title>
<link rel="stylesheet" href="fair.css">
</head>
<body>
<div class="form" data-light="${board.light}">
${discs}
</div>
<script src="fair_floor.js"></script>
</body>
</html>
`;
  writeFileSync(path.join(folder, 'fair.css'), css);
  writeFileSync(path.join(folder, 'fair.html'), html);
  const script = path.join(path.dirname(fileURLToPath(import.meta.url)), 'fair_floor.js');
  copyFileSync(script, path.join(folder, 'fair_floor.js'));
}

// Serves the built site, the static window written from it and a fair floor written from its board, each from
// 127.0.0.1; resolves to { lotto, staticWindow, fair, board, close() }, close() ending the servers and removing the
// floors' folders.
// The middle of the figures a bench's rounds gave, the rounds that gave none (NaN) left out.
export function median(values) {
  const known = values.filter((value) => !Number.isNaN(value)).sort((a, b) => a - b);
  if (!known.length) return NaN;
  const middle = known.length >> 1;
  return known.length % 2 ? known[middle] : (known[middle - 1] + known[middle]) / 2;
}

export async function serveSiteAndFloors(site, viewport) {
  const folder = mkdtempSync(path.join(os.tmpdir(), 'lotto-fair-floor-'));
  const staticFolder = mkdtempSync(path.join(os.tmpdir(), 'lotto-static-window-'));
  const servers = [];
  const close = async () => {
    for (const server of servers) await server.close();
    rmSync(folder, { recursive: true, force: true });
    rmSync(staticFolder, { recursive: true, force: true });
  };
  try {
    const lotto = await serveFolder(site);
    servers.push(lotto);
    const board = await readBoard(`${lotto.origin}/`, viewport);
    writeFairFloor(board, folder);
    const fair = await serveFolder(folder);
    servers.push(fair);
    writeStaticWindow(site, staticFolder, board.light);
    const staticWindow = await serveFolder(staticFolder);
    servers.push(staticWindow);
    return { lotto, staticWindow, fair, board, close };
  } catch (error) {
    await close();
    throw error;
  }
}

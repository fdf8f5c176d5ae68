// SPDX-FileCopyrightText: 2026 Lotto developers
// SPDX-License-Identifier: GPL-3.0-or-later
// firefox_startup.mjs: the lottery page's start-up in headless Firefox against the fair floor: the first frame, the
// first contentful paint and the first frame with the light on, medians of interleaved rounds; tests nothing.
//
// Usage: node bench/web/firefox_startup.mjs SITE-FOLDER (puppeteer-core from tests/web's node_modules).
// Environment: BENCH_ROUNDS (7), LOTTO_FIREFOX. Firefox reports first-contentful-paint but no first-paint, and the
// fair floor, which shows no text, reports no contentful paint at all: the figure both pages have is the first
// frame, the time of the first animation frame's callback, which runs just before that frame is painted. Each load
// is in a fresh Firefox, the pages' order alternating from round to round.
import { readFileSync } from 'node:fs';
import { execFileSync } from 'node:child_process';
import { firefoxPath, launchFirefox } from '../../tests/web/engines/firefox.mjs';
import { discSelector, median, serveSiteAndFloors } from './fair_floor.mjs';

const site = process.argv[2];
if (!site) throw new Error('usage: firefox_startup.mjs SITE-FOLDER');
const rounds = Number(process.env.BENCH_ROUNDS || 7);
const viewport = { width: 800, height: 600 };

// Runs before the page's own scripts: the first frame, and the first frame that shows a disc in the light's colour,
// which it says on the console, so that the bench need not poll the page with scripts of its own meanwhile.
function watchStartUp(selector, light) {
  window.startUp = { frame: null, light: null };
  const look = () => {
    window.startUp.frame ??= performance.now();
    for (const disc of document.querySelectorAll(selector)) {
      if (getComputedStyle(disc).backgroundColor === light) {
        window.startUp.light = performance.now();
        console.debug('light on');
        return;
      }
    }
    requestAnimationFrame(look);
  };
  requestAnimationFrame(look);
}

async function measure(url, light) {
  const browser = await launchFirefox();
  try {
    const page = await browser.newPage();
    await page.setViewport({ ...viewport, deviceScaleFactor: 1 });
    await page.evaluateOnNewDocument(watchStartUp, discSelector, light);
    const lightOn = new Promise((resolve, reject) => {
      const timer = setTimeout(() => reject(new Error(`no light within 20 s at ${url}`)), 20000);
      page.on('console', (message) => {
        if (message.text() !== 'light on') return;
        clearTimeout(timer);
        resolve();
      });
    });
    await page.goto(url, { waitUntil: 'load' });
    await lightOn;
    return await page.evaluate(() => ({
      frame: window.startUp.frame,
      contentful: performance.getEntriesByName('first-contentful-paint')[0]?.startTime ?? NaN,
      light: window.startUp.light,
    }));
  } finally {
    await browser.close();
  }
}


const version = execFileSync(firefoxPath, ['--version']).toString().trim();
const loadAverage = readFileSync('/proc/loadavg', 'latin1').split(' ').slice(0, 3).join(' ');
console.log(`== web page in ${version} headless, ${rounds} rounds, load average at the start ${loadAverage}`);
const { lotto, fair, board, close } = await serveSiteAndFloors(site, viewport);
try {
  const pages = { lotto: `${lotto.origin}/`, fair: `${fair.origin}/fair.html` };
  const results = { lotto: [], fair: [] };
  console.log('round  page    first_frame_ms  first_contentful_paint_ms  light_on_ms');
  for (let round = 1; round <= rounds; round++) {
    const order = round % 2 ? ['lotto', 'fair'] : ['fair', 'lotto'];
    for (const name of order) {
      const figures = await measure(pages[name], board.light);
      results[name].push(figures);
      const cells = [figures.frame, figures.contentful, figures.light].map((ms) => ms.toFixed(1));
      console.log(`${String(round).padEnd(6)} ${name.padEnd(6)} ${cells[0].padStart(15)} ${cells[1].padStart(26)} ${cells[2].padStart(12)}`);
    }
  }
  console.log("== medians; ratio: the page's median over the fair floor's");
  for (const [label, figure] of [['first frame', 'frame'], ['first contentful paint', 'contentful'], ['first frame with the light on', 'light']]) {
    const [page, floor] = ['lotto', 'fair'].map((name) => median(results[name].map((figures) => figures[figure])));
    const ratio = Number.isNaN(floor) ? 'no floor figure' : (page / floor).toFixed(2);
    console.log(`${label.padEnd(30)} lotto ${page.toFixed(1).padStart(7)} ms  fair ${floor.toFixed(1).padStart(7)} ms  ${ratio}`);
  }
} finally {
  await close();
}

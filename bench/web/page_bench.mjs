// SPDX-FileCopyrightText: 2026 Lotto developers
// SPDX-License-Identifier: GPL-3.0-or-later
// page_bench.mjs: the lottery page in headless Chromium against the floor page: CPU while rolling, first frames, weight.
//
// Usage: node bench/web/page_bench.mjs SITE-FOLDER. Environment: BENCH_ROUNDS (5), BENCH_ROLL_SECONDS (10),
// BENCH_SETTLE_SECONDS (2). Each round starts a fresh Chromium for each page in rotating order, so that every
// process of that browser instance belongs to the page measured, and the order's drift favours neither page.
import { readdirSync, readFileSync, statSync } from 'node:fs';
import path from 'node:path';
import { fileURLToPath } from 'node:url';
import { gzipSync } from 'node:zlib';
import { chromiumPath, launchChromium, serveFolder } from '../../tests/web/browser.mjs';

const site = process.argv[2];
if (!site) throw new Error('usage: page_bench.mjs SITE-FOLDER');
const rounds = Number(process.env.BENCH_ROUNDS || 5);
const rollSeconds = Number(process.env.BENCH_ROLL_SECONDS || 10);
const settleSeconds = Number(process.env.BENCH_SETTLE_SECONDS || 2);
const floorFolder = path.dirname(fileURLToPath(import.meta.url));
const weightLimit = 150_000; // bytes before compression, every file of the folder
const cpuLimit = 1.2; // the page's CPU while rolling over the floor page's

// CPU time in nanoseconds of every thread of every process descended from this one: the Chromium instance this
// script launched, browser, zygotes, renderer, GPU and utility processes alike (this node process is not counted).
function chromiumCpuNs() {
  const parents = new Map();
  for (const entry of readdirSync('/proc')) {
    if (!/^\d+$/.test(entry)) continue;
    try {
      const stat = readFileSync(`/proc/${entry}/stat`, 'latin1');
      parents.set(Number(entry), Number(stat.slice(stat.lastIndexOf(')') + 2).split(' ')[1]));
    } catch {
      // the process ended while the table was read
    }
  }
  const descends = (pid) => {
    for (let p = parents.get(pid); p > 1; p = parents.get(p)) if (p === process.pid) return true;
    return false;
  };
  let total = 0;
  for (const pid of parents.keys()) {
    if (!descends(pid)) continue;
    try {
      for (const task of readdirSync(`/proc/${pid}/task`)) {
        total += Number(readFileSync(`/proc/${pid}/task/${task}/schedstat`, 'latin1').split(' ')[0]);
      }
    } catch {
      // ended meanwhile
    }
  }
  return total;
}

// Watches from the first script on, frame by frame, for the first frame that shows a lit (navy) disc, then stops.
function watchForTheLight() {
  window.lightOnMs = null;
  const look = () => {
    for (const disc of document.querySelectorAll('.disc')) {
      if (getComputedStyle(disc).backgroundColor === 'rgb(0, 0, 128)') {
        window.lightOnMs = performance.now();
        return;
      }
    }
    requestAnimationFrame(look);
  };
  requestAnimationFrame(look);
}

const sleep = (ms) => new Promise((resolve) => setTimeout(resolve, ms));

// One page in a fresh browser: start-up figures from the navigation's start, then CPU over the roll.
async function measure(url) {
  const browser = await launchChromium();
  try {
    const page = await browser.newPage({ viewport: { width: 800, height: 600 } });
    await page.addInitScript(watchForTheLight);
    await page.goto(url, { waitUntil: 'load' });
    await page.waitForFunction(() => window.lightOnMs !== null, null, { timeout: 20000 });
    const startup = await page.evaluate(() => ({
      paint: performance.getEntriesByName('first-paint')[0]?.startTime ?? NaN,
      light: window.lightOnMs,
    }));
    await sleep(settleSeconds * 1000);
    const cpuBefore = chromiumCpuNs(), wallBefore = process.hrtime.bigint();
    await sleep(rollSeconds * 1000);
    const cpuAfter = chromiumCpuNs(), wallAfter = process.hrtime.bigint();
    return { ...startup, cpu: (100 * (cpuAfter - cpuBefore)) / Number(wallAfter - wallBefore) };
  } finally {
    await browser.close();
  }
}

function median(values) {
  const sorted = [...values].sort((a, b) => a - b), middle = sorted.length >> 1;
  return sorted.length % 2 ? sorted[middle] : (sorted[middle - 1] + sorted[middle]) / 2;
}

function folderFiles(root) {
  return readdirSync(root, { recursive: true })
    .map((name) => path.join(root, name))
    .filter((file) => statSync(file).isFile())
    .sort();
}

const pad = (text, width) => String(text).padEnd(width);
const padLeft = (text, width) => String(text).padStart(width);
const verdict = (met) => (met ? 'met' : 'NOT MET');

const loadAverage = readFileSync('/proc/loadavg', 'latin1').split(' ').slice(0, 3).join(' ');
console.log(`== web page: ${chromiumPath} headless, ${rounds} rounds, settle ${settleSeconds} s, CPU over ${rollSeconds} s`);
console.log(`== load average at the start ${loadAverage}`);

console.log('== weight of every file the page needs');
let raw = 0, gzipped = 0;
for (const file of folderFiles(site)) {
  const bytes = readFileSync(file), packed = gzipSync(bytes, { level: 9 }).length;
  raw += bytes.length;
  gzipped += packed;
  console.log(`${pad(path.relative(site, file), 40)} ${padLeft(bytes.length, 9)} B ${padLeft(packed, 9)} B gzipped`);
}
console.log(`${pad('total', 40)} ${padLeft(raw, 9)} B ${padLeft(gzipped, 9)} B gzipped`);

const lotto = await serveFolder(site);
const floor = await serveFolder(floorFolder);
const pages = { lotto: `${lotto.origin}/`, floor: `${floor.origin}/floor.html` };
const results = { lotto: [], floor: [] };
console.log(`== each round, figures from the navigation's start`);
console.log(`${pad('round', 6)} ${pad('page', 6)} ${padLeft('first_paint_ms', 15)} ${padLeft('light_on_ms', 12)} ${padLeft('cpu_%', 8)}`);
try {
  for (let round = 1; round <= rounds; round++) {
    const order = round % 2 ? ['lotto', 'floor'] : ['floor', 'lotto'];
    for (const name of order) {
      const figures = await measure(pages[name]);
      results[name].push(figures);
      console.log(
        `${pad(round, 6)} ${pad(name, 6)} ${padLeft(figures.paint.toFixed(1), 15)} ${padLeft(figures.light.toFixed(1), 12)} ${padLeft(figures.cpu.toFixed(2), 8)}`,
      );
    }
  }
} finally {
  await lotto.close();
  await floor.close();
}

const medians = {};
for (const name of ['lotto', 'floor']) {
  medians[name] = {};
  for (const figure of ['paint', 'light', 'cpu']) medians[name][figure] = median(results[name].map((r) => r[figure]));
}
const ratio = (figure) => medians.lotto[figure] / medians.floor[figure];
console.log('== medians');
console.log(`${pad('figure', 44)} ${padLeft('lotto', 10)} ${padLeft('floor', 10)} ${padLeft('ratio', 7)}  target`);
const row = (label, figure, unit, target) =>
  console.log(
    `${pad(label, 44)} ${padLeft(medians.lotto[figure].toFixed(2) + unit, 10)} ${padLeft(medians.floor[figure].toFixed(2) + unit, 10)} ${padLeft(ratio(figure).toFixed(2), 7)}  ${target}`,
  );
row('CPU while rolling, all Chromium processes', 'cpu', ' %', `<= ${cpuLimit}: ${verdict(ratio('cpu') <= cpuLimit)}`);
row('first paint', 'paint', ' ms', '');
row('first frame with the light on', 'light', ' ms', '');
console.log(
  `${pad('weight of the folder', 44)} ${padLeft(raw, 10)} ${padLeft(`${gzipped} gz`, 10)} ${padLeft('', 7)}  <= ${weightLimit} B: ${verdict(raw <= weightLimit)}`,
);

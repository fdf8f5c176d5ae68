// SPDX-FileCopyrightText: 2026 Lotto developers
// SPDX-License-Identifier: GPL-3.0-or-later
// page_bench.mjs: the lottery page in headless Chromium against a fair floor page: first paint, first light, CPU while
// rolling, weight.
//
// Usage: node bench/web/page_bench.mjs SITE-FOLDER. Environment: BENCH_ROUNDS (5), BENCH_ROLL_SECONDS (10),
// BENCH_SETTLE_SECONDS (2). The fair floor is written afresh each run from the built page's own board (see
// fair_floor.mjs); the two-disc floor of this folder is measured beside it for reference. Each round starts a fresh
// Chromium for each page, in an order that changes every round, so that every process of that browser instance
// belongs to the page measured and the machine's drift favours no page.
import { readdirSync, readFileSync, statSync } from 'node:fs';
import path from 'node:path';
import { fileURLToPath } from 'node:url';
import { gzipSync } from 'node:zlib';
import { chromiumPath, launchChromium, serveFolder } from '../../tests/web/browser.mjs';
import { discSelector, serveSiteAndFairFloor, timelineLines } from './fair_floor.mjs';

const site = process.argv[2];
if (!site) throw new Error('usage: page_bench.mjs SITE-FOLDER');
const rounds = Number(process.env.BENCH_ROUNDS || 5);
const rollSeconds = Number(process.env.BENCH_ROLL_SECONDS || 10);
const settleSeconds = Number(process.env.BENCH_SETTLE_SECONDS || 2);
const benchFolder = path.dirname(fileURLToPath(import.meta.url));
const viewport = { width: 800, height: 600 };
const leastRounds = 5; // fewer medians scatter too much to call a target met
const weightLimit = 150_000; // bytes before compression, every file of the folder
// The page's figure over the fair floor's, at most.
const ratioLimits = { paint: 1.2, light: 1.5, cpu: 1.1 };

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

// Watches from the first script on, frame by frame, for the first frame that shows a disc in the light's colour.
function watchForTheLight({ selector, light }) {
  window.lightOnMs = null;
  const look = () => {
    for (const disc of document.querySelectorAll(selector)) {
      if (getComputedStyle(disc).backgroundColor === light) {
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
async function measure({ url, selector }, light) {
  const browser = await launchChromium();
  try {
    const page = await browser.newPage({ viewport });
    await page.addInitScript(watchForTheLight, { selector, light });
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

// One line of a table: a positive width right-aligns its cell, a negative one left-aligns it.
const columns = (cells, widths) =>
  cells
    .map((cell, index) => {
      const width = widths[index];
      return width < 0 ? String(cell).padEnd(-width) : String(cell).padStart(width);
    })
    .join(' ');
const verdict = (met) => (met ? 'met' : 'NOT MET');

const loadAverage = readFileSync('/proc/loadavg', 'latin1').split(' ').slice(0, 3).join(' ');
console.log(
  `== web page: ${chromiumPath} headless, ${rounds} rounds, settle ${settleSeconds} s, CPU over ${rollSeconds} s`,
);
console.log(`== load average at the start ${loadAverage}`);

console.log('== weight of every file the page needs');
const fileColumns = [-40, 11, 17];
let raw = 0, gzipped = 0;
for (const file of folderFiles(site)) {
  const bytes = readFileSync(file), packed = gzipSync(bytes, { level: 9 }).length;
  raw += bytes.length;
  gzipped += packed;
  console.log(columns([path.relative(site, file), `${bytes.length} B`, `${packed} B gzipped`], fileColumns));
}
console.log(columns(['total', `${raw} B`, `${gzipped} B gzipped`], fileColumns));

// Every order of the three pages once in six rounds: each page as often first, second and last, and the lottery
// page as often before the fair floor as after it.
const orders = [
  ['lotto', 'fair', 'two-disc'],
  ['two-disc', 'fair', 'lotto'],
  ['fair', 'lotto', 'two-disc'],
  ['two-disc', 'lotto', 'fair'],
  ['fair', 'two-disc', 'lotto'],
  ['lotto', 'two-disc', 'fair'],
];
const names = orders[0];

const { lotto, fair, board, close } = await serveSiteAndFairFloor(site, viewport);
const twoDisc = await serveFolder(benchFolder);
try {
  const [first] = board.discs;
  console.log(
    `== the fair floor, from the page's board: ${board.discs.length} discs, ${board.ballCount} of them balls ` +
      `(the first ${first.width}x${first.height}, ${first.fill}, ` +
      `outline ${first.outlineWidth} ${first.outlineColour}), the light ${board.light}, ` +
      `the form ${board.form.width}x${board.form.height} ${board.form.background}`,
  );
  console.log("== the page's timeline in that load, ms from the navigation's start");
  for (const line of timelineLines(board.timeline)) console.log(line);

  const pages = {
    lotto: { url: `${lotto.origin}/`, selector: discSelector },
    fair: { url: `${fair.origin}/fair.html`, selector: discSelector },
    'two-disc': { url: `${twoDisc.origin}/floor.html`, selector: '.disc' },
  };
  const results = Object.fromEntries(names.map((name) => [name, []]));
  console.log(`== each round, figures from the navigation's start`);
  const roundColumns = [-6, -9, 15, 12, 8];
  console.log(columns(['round', 'page', 'first_paint_ms', 'light_on_ms', 'cpu_%'], roundColumns));
  for (let round = 1; round <= rounds; round++) {
    for (const name of orders[(round - 1) % orders.length]) {
      const figures = await measure(pages[name], board.light);
      results[name].push(figures);
      const { paint, light, cpu } = figures;
      console.log(columns([round, name, paint.toFixed(1), light.toFixed(1), cpu.toFixed(2)], roundColumns));
    }
  }

  const medians = {};
  for (const name of names) {
    medians[name] = {};
    for (const figure of ['paint', 'light', 'cpu']) {
      medians[name][figure] = median(results[name].map((figures) => figures[figure]));
    }
  }
  const ratio = (figure, floor) => medians.lotto[figure] / medians[floor][figure];
  console.log(`== medians; ratio: the page's median over the floor's`);
  const medianColumns = [-42, 10, 10, 6, -19, 10, 6];
  console.log(columns(['figure', 'lotto', 'fair', 'ratio', ' target', 'two-disc', 'ratio'], medianColumns));
  const row = (label, figure, unit) => {
    const fairRatio = ratio(figure, 'fair'), limit = ratioLimits[figure];
    const judged = rounds >= leastRounds ? verdict(fairRatio <= limit) : `${leastRounds}+ rounds`;
    const figures = names.map((name) => `${medians[name][figure].toFixed(1)}${unit}`);
    const [lotto, fair, twoDisc] = figures;
    const cells = [label, lotto, fair, fairRatio.toFixed(2), ` <= ${limit}: ${judged}`, twoDisc];
    console.log(columns([...cells, ratio(figure, 'two-disc').toFixed(2)], medianColumns));
  };
  row('first paint', 'paint', ' ms');
  row('first frame with the light on', 'light', ' ms');
  row('CPU while rolling, all Chromium processes', 'cpu', ' %');
  const weight = ` <= ${weightLimit} B: ${verdict(raw <= weightLimit)}`;
  const cells = ['weight of the site folder, every file', `${raw} B`, '', '', weight, `(${gzipped} B gzipped)`];
  console.log(columns(cells, [...medianColumns.slice(0, 5), 20]));
} finally {
  await twoDisc.close();
  await close();
}

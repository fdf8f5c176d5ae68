// SPDX-FileCopyrightText: 2026 Lotto developers
// SPDX-License-Identifier: GPL-3.0-or-later
// page_bench.mjs: the lottery page in headless Chromium against its static window and the fair floor: first paint,
// first light and CPU while rolling, as measured and with the CPU slowed 4x; and the folder's weight.
//
// Usage: node bench/web/page_bench.mjs SITE-FOLDER. Environment: BENCH_ROUNDS (7), BENCH_ROLL_SECONDS (10),
// BENCH_SETTLE_SECONDS (2). Both floors are written afresh each run from the built page: the static window (see
// static_window.mjs) is the page without its program and with a light rolled from DOMContentLoaded, the least any
// page that shows this design can cost; the fair floor (see fair_floor.mjs) the same discs without text or font, the
// least the light itself can cost. Each load is in a fresh Chromium, so that every process of that browser belongs
// to the page measured; each round loads every page at either CPU speed in an order that changes from round to
// round, so that the machine's drift favours no page. The slowed CPU is Chromium's own throttling (the DevTools
// protocol's Emulation.setCPUThrottlingRate), roughly a mid-range phone's.
import { readdirSync, readFileSync, statSync } from 'node:fs';
import path from 'node:path';
import { gzipSync } from 'node:zlib';
import { chromiumPath, launchChromium, until } from '../../tests/web/browser.mjs';
import { discSelector, median, serveSiteAndFloors, timelineLines } from './fair_floor.mjs';

const site = process.argv[2];
if (!site) throw new Error('usage: page_bench.mjs SITE-FOLDER');
const rounds = Number(process.env.BENCH_ROUNDS || 7);
const rollSeconds = Number(process.env.BENCH_ROLL_SECONDS || 10);
const settleSeconds = Number(process.env.BENCH_SETTLE_SECONDS || 2);
const viewport = { width: 800, height: 600 };
const leastRounds = 7; // fewer medians scatter too much on a shared machine to call a target met
const weightLimit = 150_000; // bytes before compression, every file of the folder
const cpuRates = [1, 4]; // as measured, and Chromium's CPU slowed 4x
// Each figure's target: the page's median over the named floor's, at most.
const targets = {
  paint: { floor: 'static', limit: 1.05 },
  light: { floor: 'static', limit: 1.25 },
  cpu: { floor: 'fair', limit: 1.1 },
};

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

// Watches from the first script on, frame by frame, for the first frame that shows a disc in the light's colour, and
// says so on the console. The bench waits for that message rather than asking the page: Playwright's waiting
// functions evaluate its own script in the page, tens of milliseconds of the main thread at 4x, which would land
// between the page's load and a light that comes after it, and count against the page alone.
function watchForTheLight({ selector, light }) {
  window.lightOnMs = null;
  const look = () => {
    for (const disc of document.querySelectorAll(selector)) {
      if (getComputedStyle(disc).backgroundColor === light) {
        window.lightOnMs = performance.now();
        console.debug('light on');
        return;
      }
    }
    requestAnimationFrame(look);
  };
  requestAnimationFrame(look);
}

const sleep = (ms) => new Promise((resolve) => setTimeout(resolve, ms));
const loadAverage = () => readFileSync('/proc/loadavg', 'latin1').split(' ').slice(0, 3).join(' ');

// Waits until the browser's processes have used less than a tenth of a core over a quarter of a second, or at most
// ten seconds. A browser just launched goes on starting its own services for a second or so, on the same two cores
// as the page: navigating meanwhile measures that start as much as the page's, and in one run two identical static
// windows differed by a quarter. A player's browser is usually running already.
async function browserSettled() {
  const spanMs = 250;
  let before = chromiumCpuNs();
  let at = Date.now();
  await until(
    () => {
      const after = chromiumCpuNs(), now = Date.now();
      const settled = now - at >= spanMs && (after - before) / 1e6 < (now - at) / 10;
      [before, at] = [after, now];
      return settled;
    },
    10_000,
    spanMs,
  );
}

// One page in a fresh browser once it has settled, its CPU slowed `rate` times from before the navigation: start-up
// figures from the navigation's start, then CPU over the roll.
async function measure({ url, selector }, light, rate) {
  const browser = await launchChromium();
  try {
    const page = await browser.newPage({ viewport });
    if (rate !== 1) {
      const session = await page.context().newCDPSession(page);
      await session.send('Emulation.setCPUThrottlingRate', { rate });
    }
    await page.addInitScript(watchForTheLight, { selector, light });
    await browserSettled();
    const lightOn = page.waitForEvent('console', { predicate: (message) => message.text() === 'light on', timeout: 60000 });
    await page.goto(url, { waitUntil: 'load', timeout: 60000 });
    await lightOn;
    // The light can be on in the very first frame, whose paint entry comes once that frame is presented.
    const startup = await page.evaluate(
      () =>
        new Promise((resolve) => {
          const watcher = new PerformanceObserver((entries) => {
            const paint = entries.getEntriesByName('first-paint')[0];
            if (!paint) return;
            watcher.disconnect();
            resolve({ paint: paint.startTime, light: window.lightOnMs });
          });
          watcher.observe({ type: 'paint', buffered: true });
        }),
    );
    await sleep(settleSeconds * 1000);
    const cpuBefore = chromiumCpuNs(), wallBefore = process.hrtime.bigint();
    await sleep(rollSeconds * 1000);
    const cpuAfter = chromiumCpuNs(), wallAfter = process.hrtime.bigint();
    return { ...startup, cpu: (100 * (cpuAfter - cpuBefore)) / Number(wallAfter - wallBefore) };
  } finally {
    await browser.close();
  }
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

console.log(
  `== web page: ${chromiumPath} headless, ${rounds} rounds at CPU ${cpuRates.map((rate) => `${rate}x`).join(' and ')}, ` +
    `settle ${settleSeconds} s, CPU over ${rollSeconds} s`,
);
console.log(`== load average at the start ${loadAverage()}`);

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

// Every order of the three pages once in six rounds: each page as often first, second and last, and each page as
// often before another as after it. The CPU speeds alternate which goes first.
const orders = [
  ['lotto', 'static', 'fair'],
  ['fair', 'static', 'lotto'],
  ['static', 'lotto', 'fair'],
  ['fair', 'lotto', 'static'],
  ['static', 'fair', 'lotto'],
  ['lotto', 'fair', 'static'],
];
const names = orders[0];

const { lotto, staticWindow, fair, board, close } = await serveSiteAndFloors(site, viewport);
try {
  const [first] = board.discs;
  console.log(
    `== the floors, from the built page: the static window is its folder without the program's scripts, the light ` +
      `rolled from DOMContentLoaded; the fair floor ${board.discs.length} discs, ${board.ballCount} of them balls ` +
      `(the first ${first.width}x${first.height}, ${first.fill}, ` +
      `outline ${first.outlineWidth} ${first.outlineColour}), the light ${board.light}, ` +
      `the form ${board.form.width}x${board.form.height} ${board.form.background}`,
  );
  console.log("== the page's timeline in that load, ms from the navigation's start");
  for (const line of timelineLines(board.timeline)) console.log(line);

  const pages = {
    lotto: { url: `${lotto.origin}/`, selector: discSelector },
    static: { url: `${staticWindow.origin}/`, selector: discSelector },
    fair: { url: `${fair.origin}/fair.html`, selector: discSelector },
  };
  const results = Object.fromEntries(cpuRates.map((rate) => [rate, Object.fromEntries(names.map((name) => [name, []]))]));
  console.log(`== each round, figures from the navigation's start`);
  const roundColumns = [-6, -4, -7, 15, 12, 8, -15];
  console.log(columns(['round', 'cpu', 'page', 'first_paint_ms', 'light_on_ms', 'cpu_%', ' load average'], roundColumns));
  for (let round = 1; round <= rounds; round++) {
    const rates = round % 2 ? cpuRates : [...cpuRates].reverse();
    for (const [turn, rate] of rates.entries()) {
      for (const name of orders[(round - 1 + turn * 3) % orders.length]) {
        const figures = await measure(pages[name], board.light, rate);
        results[rate][name].push(figures);
        const { paint, light, cpu } = figures;
        const cells = [round, `${rate}x`, name, paint.toFixed(1), light.toFixed(1), cpu.toFixed(2), ` ${loadAverage()}`];
        console.log(columns(cells, roundColumns));
      }
    }
  }

  console.log(`== medians; each ratio is the page's median over that floor's, the target's ratio judged`);
  const medianColumns = [-32, 4, 10, 10, 10, 12, 10, -24];
  console.log(
    columns(['figure', 'cpu', 'lotto', 'static', 'fair', 'lotto/static', 'lotto/fair', ' target'], medianColumns),
  );
  const rows = [
    ['first paint', 'paint', ' ms'],
    ['first frame with the light on', 'light', ' ms'],
    ['CPU while rolling, all processes', 'cpu', ' %'],
  ];
  for (const [label, figure, unit] of rows) {
    for (const rate of cpuRates) {
      const medians = Object.fromEntries(
        names.map((name) => [name, median(results[rate][name].map((figures) => figures[figure]))]),
      );
      const { floor, limit } = targets[figure];
      const ratios = { static: medians.lotto / medians.static, fair: medians.lotto / medians.fair };
      const judged = rounds >= leastRounds ? verdict(ratios[floor] <= limit) : `${leastRounds}+ rounds`;
      const cells = [
        label,
        `${rate}x`,
        ...names.map((name) => `${medians[name].toFixed(1)}${unit}`),
        ratios.static.toFixed(2),
        ratios.fair.toFixed(2),
        ` lotto/${floor} <= ${limit}: ${judged}`,
      ];
      console.log(columns(cells, medianColumns));
    }
  }
  const weight = ` <= ${weightLimit} B: ${verdict(raw <= weightLimit)}`;
  console.log(columns(['weight of the site folder', '', `${raw} B`, '', '', '', '', weight], medianColumns));
  console.log(`== load average at the end ${loadAverage()}`);
} finally {
  await close();
}

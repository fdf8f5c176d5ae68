// SPDX-FileCopyrightText: 2026 Lotto developers
// SPDX-License-Identifier: GPL-3.0-or-later
// firefox.mjs: Debian's Firefox ESR, headless through puppeteer-core over WebDriver BiDi, which the browser's own
// remote agent speaks, behind the engine operations of index.mjs.
import puppeteer from 'puppeteer-core';
import { domAccessibleNodes } from './dom_accessibility.mjs';
import { sharedOperations } from './index.mjs';

export const firefoxPath = process.env.LOTTO_FIREFOX || '/usr/bin/firefox-esr';

// 'Shift+Tab' holds Shift around Tab, as playwright reads it; puppeteer calls Space by its character.
const keyNames = { Space: ' ' };
async function pressChord(keyboard, chord) {
  const keys = chord.split('+').map((key) => keyNames[key] ?? key);
  for (const key of keys.slice(0, -1)) await keyboard.down(key);
  await keyboard.press(keys.at(-1));
  for (const key of keys.slice(0, -1).reverse()) await keyboard.up(key);
}

// Also the benchmarks' Firefox.
export function launchFirefox(prefs = {}) {
  return puppeteer.launch({
    browser: 'firefox',
    protocol: 'webDriverBiDi',
    executablePath: firefoxPath,
    headless: true,
    extraPrefsFirefox: prefs,
  });
}

export async function launch() {
  const browser = await launchFirefox();
  // A pref holds for the whole browser: pages with forced colours open in a second Firefox, set to override every
  // page's colours with the system's (its "override the colours" setting), started when first asked for.
  let forcing;
  return {
    name: 'firefox',
    forcesColours: true,
    async open(url, { width = 800, height = 600, forcedColours = false } = {}) {
      const owner = forcedColours
        ? await (forcing ??= launchFirefox({ 'browser.display.document_color_use': 2 }))
        : browser;
      const context = await owner.createBrowserContext();
      const page = await context.newPage();
      await page.setViewport({ width, height, deviceScaleFactor: 1 });
      const shared = sharedOperations(page, page, (key) => keyNames[key] ?? key);
      await page.goto(url);
      return {
        ...shared,
        press: (key) => pressChord(page.keyboard, key),
        // Firefox answers accessibility queries over BiDi only by role or name, each costing a tenth of a second
        // or more, and gives no names back: the balls and slots, whose leaving the tree matters, are found by the
        // engine in one query for list items; their names and everything else are read from the DOM. The tree follows the DOM at
        // the next refresh, so the query waits for two frames first. The query is puppeteer's internal one behind
        // its ::-p-aria selector (the package is pinned), without the selector's second look at every node found,
        // which makes it several times slower.
        async accessibleNodes() {
          await page.evaluate(() => new Promise((done) => requestAnimationFrame(() => requestAnimationFrame(done))));
          const root = await page.$('html');
          const items = [];
          for await (const item of root.queryAXTree(undefined, 'listitem')) items.push(item);
          const nodes = await page.evaluate(domAccessibleNodes, true, ...items);
          await Promise.all([root, ...items].map((handle) => handle.dispose()));
          return nodes;
        },
        platformFonts: async () => null,
        close: () => context.close(),
      };
    },
    close: async () => Promise.all([browser.close(), forcing?.then((forced) => forced.close())]),
  };
}

// SPDX-FileCopyrightText: 2026 Lotto developers
// SPDX-License-Identifier: GPL-3.0-or-later
// index.mjs: one browser engine behind the few operations the page's tests need, chosen by name.
//
// launchEngine(name) starts one browser for the whole test process and resolves to { name, open, close }.
// open(url, { width, height, ...options }) loads url in a fresh page (a fresh context where the driver makes one
// cheaply) whose viewport is width × height CSS pixels at scale 1; Chromium passes the other options to
// playwright's newContext (isMobile, hasTouch, deviceScaleFactor …). forcedColours: true forces the system's colours
// on the page, as a contrast theme or a browser told to override pages' colours does, in an engine whose
// forcesColours is true. It resolves to a page with:
//   evaluate(fn, arg)     runs fn(arg) in the page and resolves to its JSON-like result;
//   click(points)         real pointer clicks at each [x, y] of the viewport, in order, as fast as the driver can;
//   reload()              the browser's own reload, as F5 does it, resolving once the page has loaded again;
//   press(key)            one press of 'Space', 'Enter', 'Tab' or 'Shift+Tab' on whatever has the focus;
//   hold(key)             'Space' or 'Enter' held down long enough to repeat, then released;
//   accessibleNodes()     the buttons, list items, text boxes and status regions a screen reader meets, in one read:
//                         [{ role, name, description, disabled, value }], roles as ARIA names them;
//   screenshot()          a PNG of the viewport at one device pixel per CSS pixel;
//   platformFonts(sel)    the faces that drew the element's text [{ familyName, isCustomFont }], or null where
//                         the engine cannot tell;
//   faults                console errors, uncaught exceptions, failed requests and HTTP errors the engine reported
//                         (WebKit's driver reports none: its tests rely on the server's log and the page's state);
//   requests              the URL of every request the engine reported;
//   close().
export const engineNames = ['chromium', 'chromium_oldest', 'firefox', 'webkit'];

// The faults and requests that playwright and puppeteer report alike, through the same event names and methods;
// network is where the driver reports requests (playwright's context also sees the service worker's), null to leave
// requests unwatched.
export function watchFaults(page, network = page) {
  const faults = [];
  const requests = [];
  page.on('console', (message) => {
    if (message.type() === 'error') faults.push(`console error: ${message.text()}`);
  });
  page.on('pageerror', (error) => faults.push(`uncaught: ${error.message}`));
  network?.on('request', (request) => requests.push(request.url()));
  network?.on('requestfailed', (request) => faults.push(`failed: ${request.url()} ${request.failure()?.errorText}`));
  network?.on('response', (response) => {
    if (response.status() >= 400) faults.push(`HTTP ${response.status()}: ${response.url()}`);
  });
  return { faults, requests };
}

// The operations of a page that playwright and puppeteer share, through the same methods, with its faults watched
// (as watchFaults); keyName gives the driver's name of a key.
export function sharedOperations(page, network, keyName = (key) => key) {
  return {
    ...watchFaults(page, network),
    evaluate: (fn, arg) => page.evaluate(fn, arg),
    async click(points) {
      for (const [x, y] of points) await page.mouse.click(x, y);
    },
    reload: () => page.reload(),
    // Each keydown after the first, with the key still down, is a repeat (KeyboardEvent.repeat), as a held key sends.
    async hold(key) {
      for (let n = 0; n < 6; n++) await page.keyboard.down(keyName(key));
      await page.keyboard.up(keyName(key));
    },
    screenshot: () => page.screenshot(),
  };
}

export async function launchEngine(name) {
  if (!engineNames.includes(name)) throw new Error(`no browser engine called ${name}: ${engineNames.join(', ')}`);
  const { launch } = await import(`./${name}.mjs`);
  return launch();
}

// SPDX-FileCopyrightText: 2026 Lotto developers
// SPDX-License-Identifier: GPL-3.0-or-later
// webkit.mjs: Debian's WebKitGTK, its MiniBrowser driven by WebKitWebDriver through selenium-webdriver on an X
// server of the test's own, behind the engine operations of index.mjs.
//
// MiniBrowser has no headless mode, so Xvfb stands in for a screen. The driver speaks classic WebDriver only: no
// console messages, no network events, no accessibility tree; what the page exposes to assistive technology is
// read from its DOM. Its key actions send no repeats, so a held key is held on the X server, whose autorepeat
// then sends them as a keyboard would.
import { execFile, spawn } from 'node:child_process';
import { existsSync, mkdtempSync, readdirSync, rmSync } from 'node:fs';
import { createServer } from 'node:net';
import { tmpdir } from 'node:os';
import { join } from 'node:path';
import { fileURLToPath } from 'node:url';
import { promisify } from 'node:util';
import { Builder, Key } from 'selenium-webdriver';
import { until } from '../browser.mjs';
import { domAccessibleNodes } from './dom_accessibility.mjs';

const run = promisify(execFile);
// Waits until `condition` holds, for at most ten seconds.
async function waitFor(condition, what) {
  if (!(await until(condition, 10000))) throw new Error(`WebKit: no ${what} within 10 s`);
}

// Debian keeps MiniBrowser in the architecture's library folder (/usr/lib/x86_64-linux-gnu/…), on no PATH.
export const miniBrowserPath =
  process.env.LOTTO_MINIBROWSER ||
  readdirSync('/usr/lib')
    .map((folder) => `/usr/lib/${folder}/webkit2gtk-4.1/MiniBrowser`)
    .find((file) => existsSync(file));
const webDriverPath = process.env.LOTTO_WEBKIT_WEBDRIVER || 'WebKitWebDriver';
const xvfbScript = fileURLToPath(new URL('../../../scripts/lib/xvfb.sh', import.meta.url));

const webDriverKeys = { Space: Key.SPACE, Enter: Key.ENTER, Tab: Key.TAB, Shift: Key.SHIFT };
const xKeys = { Space: 'space', Enter: 'Return' };
// A held key is let go once the page has seen it repeat this often (the X server's autorepeat starts after 660 ms
// and repeats 25 times a second).
const heldRepeats = 3;

// Starts Xvfb on a display number of its own with scripts/lib/xvfb.sh, as the shell tests do, and leaves it running
// for this process to end.
async function startXvfb() {
  const folder = mkdtempSync(join(tmpdir(), 'lotto-webkit-'));
  process.once('exit', () => rmSync(folder, { recursive: true, force: true }));
  const startServer = 'source "$0" && start_xvfb "$1" 1280x1024x24 >/dev/null && echo "$DISPLAY $xvfb_pid"';
  const { stdout } = await run('bash', ['-c', startServer, xvfbScript, join(folder, 'xvfb.log')]);
  const [display, pid] = stdout.trim().split(' ');
  const kill = () => {
    try {
      process.kill(Number(pid));
    } catch {
      // ended already
    }
  };
  return { display, kill };
}

function freePort() {
  return new Promise((resolve, reject) => {
    const probe = createServer();
    probe.on('error', reject);
    probe.listen(0, '127.0.0.1', () => {
      const { port } = probe.address();
      probe.close(() => resolve(port));
    });
  });
}

async function startWebDriver(env) {
  const port = await freePort();
  const driver = spawn(webDriverPath, [`--port=${port}`], { env, stdio: 'ignore' });
  let exited = false;
  driver.on('exit', () => (exited = true));
  const url = `http://127.0.0.1:${port}`;
  const answers = () => fetch(`${url}/status`).then(({ ok }) => ok, () => false); // false until it listens
  if ((await until(async () => exited || (await answers()), 5000)) && !exited) return { url, driver };
  driver.kill();
  throw new Error(`${webDriverPath} did not answer on port ${port}`);
}

export async function launch() {
  const x = await startXvfb();
  // Whatever ends this process ends the X server too, and with it the browser on it.
  process.once('exit', () => x.kill());
  const env = { ...process.env, DISPLAY: x.display };
  delete env.WAYLAND_DISPLAY;
  let webDriver, session;
  try {
    webDriver = await startWebDriver(env);
    // A server address of our own: selenium then never runs its selenium-manager, which would download a driver.
    session = await new Builder()
      .usingServer(webDriver.url)
      .withCapabilities({
        browserName: 'MiniBrowser',
        'webkitgtk:browserOptions': { binary: miniBrowserPath, args: ['--automation'] },
      })
      .build();
  } catch (error) {
    webDriver?.driver.kill();
    x.kill();
    throw error;
  }
  const xdotool = (...args) => run('xdotool', args, { env });
  let toolbar; // [width, height] of the window less its viewport

  return {
    name: 'webkit',
    forcesColours: false, // WebKitGTK has no forced colours
    async open(url, { width = 800, height = 600 } = {}) {
      // The window's size less its toolbar is the viewport: the toolbar measured once, the window sized around it.
      const window = session.manage().window();
      if (!toolbar) {
        await window.setRect({ x: 0, y: 0, width, height });
        const [innerWidth, innerHeight] = await session.executeScript('return [innerWidth, innerHeight]');
        toolbar = [width - innerWidth, height - innerHeight];
      }
      await window.setRect({ x: 0, y: 0, width: width + toolbar[0], height: height + toolbar[1] });
      // Keys from the X server go to the window under its pointer: park it in the window's corner, off the form.
      await xdotool('mousemove', String(width - 2), String(height - 2));
      await session.get(url);
      const chord = (keys) => {
        let actions = session.actions({ async: true });
        for (const key of keys) actions = actions.keyDown(webDriverKeys[key]);
        for (const key of [...keys].reverse()) actions = actions.keyUp(webDriverKeys[key]);
        return actions.perform();
      };
      return {
        faults: [],
        requests: [],
        evaluate: (fn, arg) => session.executeScript(fn, arg),
        // One chain of actions: a move takes 100 ms unless told otherwise.
        async click(points) {
          let actions = session.actions({ async: true });
          for (const [x, y] of points) {
            actions = actions.move({ x: Math.round(x), y: Math.round(y), duration: 0 }).click();
          }
          await actions.perform();
        },
        reload: () => session.navigate().refresh(),
        press: (key) => chord(key.split('+')),
        // The X server delivers the key to the page in its own time: the key is let go once the page has seen it
        // repeat, and the hold ends once the page has seen it let go, and with it the press a release makes.
        async hold(key) {
          await session.executeScript(() => {
            const held = (window.heldKey = { repeats: 0, released: false });
            const down = (event) => (held.repeats += event.repeat ? 1 : 0);
            const up = () => {
              held.released = true;
              removeEventListener('keydown', down, true);
              removeEventListener('keyup', up, true);
            };
            addEventListener('keydown', down, true);
            addEventListener('keyup', up, true);
          });
          const seen = (what) => session.executeScript(what);
          await xdotool('keydown', xKeys[key]);
          await waitFor(() => seen(`return window.heldKey.repeats >= ${heldRepeats}`), `${key} repeating`);
          await xdotool('keyup', xKeys[key]);
          await waitFor(() => seen('return window.heldKey.released'), `${key} let go`);
        },
        accessibleNodes: () => session.executeScript(domAccessibleNodes),
        // A new window's first frames reach the driver's snapshot late: wait for the page to paint twice.
        async screenshot() {
          const painted = () => new Promise((done) => requestAnimationFrame(() => requestAnimationFrame(done)));
          await session.executeScript(painted);
          return Buffer.from(await session.takeScreenshot(), 'base64');
        },
        platformFonts: async () => null,
        // The one window stays for the next page; leaving this one stops its timers.
        close: () => session.get('about:blank'),
      };
    },
    async close() {
      try {
        await session.quit();
      } finally {
        webDriver.driver.kill();
        x.kill();
      }
    },
  };
}

// SPDX-FileCopyrightText: 2026 Lotto developers
// SPDX-License-Identifier: GPL-3.0-or-later
// updates.test.mjs: the page over http as a returning player meets it: offline after the first visit, a second build
// deployed at every moment of a player's visits, and what a phone needs to install it.
//
// LOTTO_WEB_SITE names the built folder. The second build is made once per run by the project's own build from a copy
// of the source with a mark added to the page, its script and the program; LOTTO_WEB_SECOND_BUILD names a folder to
// keep that copy and its build in between runs, so that a run builds again only what changed.
import assert from 'node:assert/strict';
import { execFileSync } from 'node:child_process';
import fs from 'node:fs';
import os from 'node:os';
import path from 'node:path';
import { after, before, test } from 'node:test';
import { fileURLToPath } from 'node:url';
import { PNG } from 'pngjs';
import { launchChromium, serveFolder, siteUrl } from './browser.mjs';

const site = process.env.LOTTO_WEB_SITE;
assert.ok(site, 'LOTTO_WEB_SITE must name the built folder (build-web/site)');
const sourceRoot = fileURLToPath(new URL('../../', import.meta.url));
// A button by its own name, which comes last: the focus carries the last announcement before it.
const buttonNamed = (page, name) => page.getByRole('button', { name: new RegExp(`(^| )${name}$`) });

// What the web build reads, and the marks the second build adds: each of the page, its script and the program tells
// which build it came from once the page runs.
const webSources = ['CMakeLists.txt', 'cmake', 'draw', 'design', 'midend', 'web', 'packaging', 'LICENSES', 'scripts'];
const secondBuildMarks = {
  'web/page/index.html.in': (text) => text.replace('<html ', '<html data-build="second" '),
  'web/page/lotto.js': (text) => `${text}globalThis.pageScriptBuild = 'second';\n`,
  'web/page/web_binding.cpp': (text) =>
    `${text}static struct SecondBuild {\n` +
    `  SecondBuild() { EM_ASM({ globalThis.coreScriptBuild = 'second'; }, 0); }\n` +
    '} secondBuild;\n',
};

// Copies the web build's sources into `root`/source with the marks, writing only files whose contents changed so that
// the build there stays incremental, and builds the site with the project's own script. Resolves to the site.
function buildSecondSite(root) {
  const copy = (from, to) => {
    if (fs.statSync(from).isDirectory()) {
      fs.mkdirSync(to, { recursive: true });
      for (const entry of fs.readdirSync(from)) copy(path.join(from, entry), path.join(to, entry));
      return;
    }
    const relative = path.relative(sourceRoot, from).split(path.sep).join('/');
    let contents = fs.readFileSync(from);
    if (secondBuildMarks[relative]) {
      const marked = secondBuildMarks[relative](contents.toString('utf8'));
      assert.notEqual(marked, contents.toString('utf8'), `${relative}: the second build's mark found no place`);
      contents = Buffer.from(marked);
    }
    if (fs.existsSync(to) && fs.readFileSync(to).equals(contents)) return;
    fs.mkdirSync(path.dirname(to), { recursive: true });
    fs.writeFileSync(to, contents, { mode: fs.statSync(from).mode });
  };
  for (const source of webSources) copy(path.join(sourceRoot, source), path.join(root, 'source', source));
  try {
    execFileSync(path.join(root, 'source/scripts/build-web'), [path.join(root, 'build')], { stdio: 'pipe' });
  } catch (error) {
    throw new Error(`the second build failed:\n${error.stdout}${error.stderr}`, { cause: error });
  }
  return path.join(root, 'build/site');
}

let browser;
let secondSite;
const folders = [];
const temporary = (name) => {
  const folder = fs.mkdtempSync(path.join(os.tmpdir(), name));
  folders.push(folder);
  return folder;
};
before(
  async () => {
    secondSite = buildSecondSite(process.env.LOTTO_WEB_SECOND_BUILD || temporary('lotto-second-'));
    browser = await launchChromium();
  },
  { timeout: 800_000 },
);
after(async () => {
  await browser?.close();
  for (const folder of folders) fs.rmSync(folder, { recursive: true, force: true });
});

// Copies of the first build to serve, as a host holds them, and to deploy the second into: the folder itself, or its
// subfolders named, as pages of several projects share one host.
function hostedCopy(...subfolders) {
  const folder = temporary('lotto-host-');
  for (const sub of subfolders.length ? subfolders : ['']) fs.cpSync(site, path.join(folder, sub), { recursive: true });
  return folder;
}

// Uploads the second build over the first, one whole file at a time as an upload tool writes them, `sw.js` first or
// last; `between(file)` runs after each file.
async function deploySecondBuild(folder, { swFirst = false, between = () => {} } = {}) {
  const files = fs.readdirSync(secondSite).filter((file) => file !== 'sw.js');
  files.splice(swFirst ? 0 : files.length, 0, 'sw.js');
  for (const file of files) {
    fs.copyFileSync(path.join(secondSite, file), path.join(folder, `.${file}.part`));
    fs.renameSync(path.join(folder, `.${file}.part`), path.join(folder, file));
    await between(file);
  }
}

// One draw, seen where a player sees it: the first slot names its number.
async function drawOnce(page) {
  await buttonNamed(page, '開獎').click();
  await page.getByLabel(/^第一個號碼 \d+$/).waitFor({ timeout: 10_000 });
}

// Which build the loaded page, its script and its program came from; one name when they agree.
async function buildInUse(page) {
  const marks = await page.evaluate(() =>
    [document.documentElement.dataset.build, globalThis.pageScriptBuild, globalThis.coreScriptBuild].map(
      (mark) => mark ?? 'first',
    ),
  );
  assert.equal(new Set(marks).size, 1, `the page, its script and its program from different builds: ${marks}`);
  return marks[0];
}

// Loads the page again (`how` is 'reload' or 'goto', the address opened anew) and plays a draw: a working board in one
// document, with no page in between that only loads it again. Resolves to the build it came from, once the take-over
// that load makes due, if any, is done.
async function loadAgain(page, url, how = 'reload') {
  let documents = 0;
  const committed = (frame) => frame === page.mainFrame() && documents++;
  if (page.url().startsWith('http')) await takeOverDone(page, false);
  const onlyPage = page.context().pages().length === 1;
  page.on('framenavigated', committed);
  try {
    await (how === 'reload' ? page.reload({ waitUntil: 'commit' }) : page.goto(url, { waitUntil: 'commit' }));
    await drawOnce(page);
    const build = await buildInUse(page);
    assert.equal(documents, 1, `${documents} documents to load the page once`);
    // A page of the second build, loaded as the only one while that build waited, hands it over.
    await takeOverDone(page, onlyPage && build === 'second');
    return build;
  } finally {
    page.off('framenavigated', committed);
  }
}

// Waits while a worker activates, and, when `due`, while a build waits to take over. Chromium can lose a navigation
// sent to a worker as it activates when DevTools is attached to the workers, as playwright attaches them: a test loads
// the page again only once no take-over is due or under way. DevTools also keeps a worker running that a browser would
// stop once idle, and a take-over waits for the old worker to stop: one that a request after the load started again
// would hold it back here for good, and the page asks for nothing after its load.
function takeOverDone(page, due) {
  const waited = page.evaluate(async (waitingTakesOver) => {
    const registration = await navigator.serviceWorker.getRegistration();
    const stateChange = (worker) => new Promise((done) => worker.addEventListener('statechange', done, { once: true }));
    for (;;) {
      const { waiting, active } = registration ?? {};
      if (active?.state === 'activating') await stateChange(active);
      else if (waitingTakesOver && waiting) await stateChange(waiting);
      else return;
    }
  }, due);
  let timer;
  const neverCame = new Promise((_, fail) => {
    timer = setTimeout(() => fail(new Error('a take-over never came or never ended')), 30_000);
  });
  return Promise.race([waited, neverCame]).finally(() => clearTimeout(timer));
}

// Asks the host for a newer build, as the browser does by itself now and then, and waits for it to arrive or fail.
// Resolves to whether a build now waits.
function checkForUpdate(page) {
  return page.evaluate(async () => {
    const registration = await navigator.serviceWorker.getRegistration();
    if (!registration) return false; // a first install failed, and the next load registers the worker anew
    await registration.update().catch(() => {});
    while (registration.installing) {
      const worker = registration.installing;
      await new Promise((done) => worker.addEventListener('statechange', done, { once: true }));
    }
    return registration.waiting !== null;
  });
}

// Waits until the page's registration of its worker has taken effect, and no build is installing, activating or
// waiting to take over, and the worker in charge controls the page if any worker did; resolves to the build of each
// cache left that holds this address's page. A build that waits must be about to take over, or this waits for ever.
function settled(page) {
  return page.evaluate(async () => {
    const container = navigator.serviceWorker;
    let registration = await container.getRegistration();
    while (!registration) {
      await new Promise((frame) => requestAnimationFrame(frame));
      registration = await container.getRegistration();
    }
    const stateChange = (worker) => new Promise((done) => worker.addEventListener('statechange', done, { once: true }));
    for (;;) {
      const { installing, waiting, active } = registration;
      if (installing || waiting || (active && active.state !== 'activated')) {
        await stateChange(installing || waiting || active);
      } else if (container.controller && container.controller !== active) {
        await new Promise((done) => container.addEventListener('controllerchange', done, { once: true }));
      } else {
        const pages = await Promise.all((await caches.keys()).map((cacheName) => caches.match('./', { cacheName })));
        const build = async (cached) => (/data-build="second"/.test(await cached.text()) ? 'second' : 'first');
        return Promise.all(pages.filter(Boolean).map(build));
      }
    }
  });
}

// A first visit to `url`, and the reload that puts the page under its worker.
async function visit(page, url) {
  await page.goto(url);
  await settled(page);
  assert.equal(await loadAgain(page, url), 'first');
}

// A first visit in a browser profile of its own to the page in `folder`'s subfolder `under`, served as a host would
// serve it; `play` goes on from there, or, when not `visited`, from a blank tab to make that visit itself.
async function firstVisit(folder, { under = '', visited = true, ...hostOptions }, play) {
  const server = await serveFolder(folder, hostOptions);
  const context = await browser.newContext();
  try {
    const page = await context.newPage();
    const url = siteUrl(folder, server) + under;
    if (visited) await visit(page, url);
    await play({ context, page, url, server });
  } finally {
    await context.close();
    await server.close();
  }
}

const minutes = { timeout: 180_000 };
// A host that lets browsers keep files for 10 minutes, which a new build's worker must see past.
const keepsFiles = { cacheControl: 'max-age=600' };

test('after the first visit the page loads and plays offline, every file of the folder with it', minutes, () =>
  firstVisit(site, {}, async ({ context, page }) => {
    await context.setOffline(true);
    assert.equal(await loadAgain(page), 'first');
    const files = fs.readdirSync(site).filter((file) => file !== 'sw.js');
    const servedSizes = await page.evaluate((names) => {
      const size = (response) => (response.ok ? response.arrayBuffer().then((body) => body.byteLength) : -1);
      return Promise.all(names.map((name) => fetch(name).then(size)));
    }, files);
    assert.deepEqual(servedSizes, files.map((file) => fs.statSync(path.join(site, file)).size));
  }));

test('a second build deployed between visits is the next load once it has arrived, and stays', minutes, () => {
  const hosted = hostedCopy();
  return firstVisit(hosted, keepsFiles, async ({ context, page, url }) => {
    await deploySecondBuild(hosted);
    assert.equal(await loadAgain(page, url), 'first', 'a load before the new build arrived');
    assert.ok(await checkForUpdate(page), 'the second build never arrived whole');

    // A second tab loads the new build; the first plays on with the old one it loaded.
    const secondTab = await context.newPage();
    assert.equal(await loadAgain(secondTab, url, 'goto'), 'second');
    await buttonNamed(page, 'Next').click();
    await buttonNamed(page, '開獎').click();
    await page.getByLabel(/^第二個號碼 \d+$/).waitFor({ timeout: 10_000 });
    assert.equal(await buildInUse(page), 'first');
    await page.close();

    assert.equal(await loadAgain(secondTab, url), 'second');
    assert.deepEqual(await settled(secondTab), ['second'], 'the old build is left behind');
    assert.equal(await loadAgain(secondTab, url, 'goto'), 'second');
  });
});

test('two copies on one host, one updated: each plays offline, on its own build', minutes, () => {
  const hosted = hostedCopy('a', 'b');
  return firstVisit(hosted, { under: 'a/' }, async ({ context, page, server }) => {
    const other = await context.newPage();
    await visit(other, `${server.origin}/b/`);
    await other.close();
    await deploySecondBuild(path.join(hosted, 'a'));
    assert.ok(await checkForUpdate(page), 'the second build never arrived whole');
    assert.equal(await loadAgain(page), 'second');
    await context.setOffline(true);
    assert.equal(await loadAgain(page), 'second');
    assert.equal(await loadAgain(await context.newPage(), `${server.origin}/b/`, 'goto'), 'first');
  });
});

test('a second build uploaded file by file, sw.js first or last: every load whole on one build', minutes, async () => {
  for (const swFirst of [true, false]) {
    const hosted = hostedCopy();
    await firstVisit(hosted, keepsFiles, async ({ page, url }) => {
      const builds = [];
      await deploySecondBuild(hosted, {
        swFirst,
        between: async () => {
          builds.push(await loadAgain(page, url));
          await checkForUpdate(page);
        },
      });
      builds.push(await loadAgain(page, url));
      builds.push(await loadAgain(page, url));
      // Once a load has the second build, every later one has it too, and the last has it.
      assert.match(builds.join(), /^(first,)*second(,second)*$/, `sw.js ${swFirst ? 'first' : 'last'}: ${builds}`);
    });
  }
});

test('a second build deployed during a load: that load on one build, the next on the second', minutes, async () => {
  // During the first visit, while its worker fetches the files, and during a returning player's reload, while the
  // browser asks whether sw.js has changed.
  for (const heldPath of ['/index.html', '/sw.js']) {
    const hosted = hostedCopy();
    let hold = null;
    let arrived;
    const requested = new Promise((resolve) => (arrived = resolve));
    const beforeServing = (pathname) => {
      if (pathname !== heldPath || !hold) return undefined;
      arrived();
      return hold;
    };
    // A page no worker loaded takes its scripts from the browser's HTTP cache: behind a host that lets browsers keep
    // them, its reload after a failed first install would mix builds whatever the worker does.
    const firstInstall = heldPath === '/index.html'; // only the worker asks for index.html by that name
    const options = firstInstall ? { visited: false, beforeServing } : { ...keepsFiles, beforeServing };
    await firstVisit(hosted, options, async ({ page, url }) => {
      let release;
      hold = new Promise((resolve) => (release = resolve));
      if (firstInstall) await page.goto(url);
      else {
        await page.reload({ waitUntil: 'commit' });
        const update = () => navigator.serviceWorker.getRegistration().then((registration) => registration.update());
        page.evaluate(update).catch(() => {}); // the browser's own check may come first
      }
      await requested;
      await deploySecondBuild(hosted);
      hold = null;
      release();
      await drawOnce(page);
      assert.equal(await buildInUse(page), 'first', `held ${heldPath}`);
      await checkForUpdate(page);
      const builds = [await loadAgain(page, url), await loadAgain(page, url)];
      assert.equal(builds.at(-1), 'second', `held ${heldPath}: ${builds}`);
    });
  }
});

test('a waiting worker that never answers holds no load more than a few frames', minutes, () => {
  const hosted = hostedCopy();
  return firstVisit(hosted, {}, async ({ page, url }) => {
    assert.equal(await loadAgain(page, url), 'first'); // the load the first visit's worker answers
    // A build's worker that installs, then waits and answers no message, as one of a build made before any was asked.
    fs.writeFileSync(path.join(hosted, 'sw.js'), "self.addEventListener('install', () => {});\n");
    assert.ok(await checkForUpdate(page), 'the silent worker never came to wait');
    assert.equal(await loadAgain(page, url), 'first');
    const { fromWorker, held } = await page.evaluate(() => {
      const load = performance.getEntriesByType('navigation')[0];
      return { fromWorker: load.workerStart > 0, held: Math.round(load.responseStart - load.requestStart) };
    });
    assert.ok(fromWorker, 'the worker in charge answered the load');
    assert.ok(held < 200, `the page's answer waited ${held} ms on a worker that never answers`);
  });
});

test('a phone can install the page: an id, PNG icons of 192 and 512 px, one maskable, and an Apple icon', minutes, () =>
  firstVisit(site, {}, async ({ context, page, url }) => {
    const cdp = await context.newCDPSession(page);
    const { errors, data } = await cdp.send('Page.getAppManifest');
    assert.deepEqual(errors, []);
    // The tests' browser keeps no profile, which is all that stops it installing the page.
    const { installabilityErrors } = await cdp.send('Page.getInstallabilityErrors');
    assert.deepEqual(installabilityErrors.filter((error) => error.errorId !== 'in-incognito'), []);
    assert.equal((await cdp.send('Page.getAppId')).appId, url);

    const manifest = JSON.parse(data);
    const icon = async (src) => PNG.sync.read(Buffer.from(await (await fetch(new URL(src, url))).arrayBuffer()));
    const size = ({ width, height }) => `${width}x${height}`;
    const pngs = manifest.icons.filter((entry) => entry.type === 'image/png');
    for (const entry of pngs) assert.equal(size(await icon(entry.src)), entry.sizes, entry.src);
    assert.deepEqual(pngs.map((entry) => entry.sizes).sort(), ['192x192', '512x512']);
    const maskable = pngs.find((entry) => (entry.purpose || 'any').split(' ').includes('maskable'));
    assert.ok(maskable, 'no maskable icon');

    // The tab's icon is written into the page, and draws.
    const tabIcon = await page.evaluate(async () => {
      const image = new Image();
      image.src = document.querySelector('link[rel="icon"]').href;
      await image.decode();
      return { scheme: new URL(image.src).protocol, width: image.width };
    });
    assert.deepEqual(tabIcon, { scheme: 'data:', width: 128 });

    const appleIcon = await page.evaluate(() => document.querySelector('link[rel="apple-touch-icon"]')?.href);
    assert.ok(appleIcon, 'no apple-touch-icon');
    assert.equal(size(await icon(appleIcon)), '180x180');

    // What a phone's mask keeps of a maskable icon is the centred circle of 80 %: outside it only the ground may show,
    // opaque, in the page's background colour. The Apple icon is shown opaque too, its corners rounded off.
    for (const src of [maskable.src, appleIcon]) {
      const { width, height, data } = await icon(src);
      const ground = [...data.subarray(0, 4)];
      let offGround = 0;
      for (let y = 0; y < height; y++) {
        for (let x = 0; x < width; x++) {
          const outside = Math.hypot(x + 0.5 - width / 2, y + 0.5 - height / 2) > 0.4 * width;
          if (outside && ground.some((value, i) => data[(y * width + x) * 4 + i] !== value)) offGround++;
        }
      }
      const centre = ((height / 2) * width + width / 2) * 4;
      assert.equal(offGround, 0, `${src}: drawn outside the safe zone`);
      assert.equal(ground[3], 255, `${src}: the ground is not opaque`);
      const background = manifest.background_color.match(/\w\w/g).map((pair) => parseInt(pair, 16));
      // Quantised to 12 colours, the ground may move a shade.
      background.forEach((value, i) => assert.ok(Math.abs(ground[i] - value) <= 4, `${src}: ${ground}`));
      assert.notDeepEqual([...data.subarray(centre, centre + 4)], ground, `${src}: nothing drawn`);
    }
  }));

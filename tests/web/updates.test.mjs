// SPDX-FileCopyrightText: 2026 Lotto developers
// SPDX-License-Identifier: GPL-3.0-or-later
// updates.test.mjs: the page over http as a returning player meets it: offline after the first visit, a new build
// behind a host that lets browsers keep files for 10 minutes, and what a phone needs to install it.
//
// LOTTO_WEB_SITE names the built folder; LOTTO_CMAKE the cmake that runs the build's own service worker script.
import assert from 'node:assert/strict';
import { execFileSync } from 'node:child_process';
import { cpSync, mkdtempSync, readdirSync, readFileSync, rmSync, statSync, writeFileSync } from 'node:fs';
import os from 'node:os';
import path from 'node:path';
import { after, before, test } from 'node:test';
import { fileURLToPath } from 'node:url';
import { launchChromium, serveFolder, siteUrl } from './browser.mjs';

const site = process.env.LOTTO_WEB_SITE;
assert.ok(site, 'LOTTO_WEB_SITE must name the built folder (build-web/site)');
const cmake = process.env.LOTTO_CMAKE || 'cmake';
const webSources = fileURLToPath(new URL('../../web/', import.meta.url));

let browser;
const folders = [];
before(async () => {
  browser = await launchChromium();
});
after(async () => {
  await browser?.close();
  for (const folder of folders) rmSync(folder, { recursive: true, force: true });
});

// A copy of the built site to serve, as a host holds it, and to deploy another build into.
function hostedCopy() {
  const folder = mkdtempSync(path.join(os.tmpdir(), 'lotto-host-'));
  folders.push(folder);
  cpSync(site, folder, { recursive: true });
  return folder;
}

// What the next build would be: the page (its styles with it) and both scripts changed, each with a mark a loaded
// page shows, and sw.js written again by the build's own script from the folder's files.
function deployNewBuild(folder) {
  const edit = (file, change) =>
    writeFileSync(path.join(folder, file), change(readFileSync(path.join(folder, file), 'utf8')));
  edit('index.html', (text) => text.replace('<html ', '<html data-build="new" '));
  edit('lotto.js', (text) => `${text}\nglobalThis.pageScriptBuild = 'new';\n`);
  edit('lotto-core.js', (text) => `${text}\nglobalThis.coreScriptBuild = 'new';\n`);
  const files = readdirSync(folder).filter((file) => file !== 'sw.js');
  execFileSync(cmake, [
    `-DSITE=${folder}`,
    `-DFILES=${files.join(';')}`,
    `-DTEMPLATE=${webSources}page/sw.js.in`,
    `-DOUTPUT=${folder}/sw.js`,
    '-P',
    `${webSources}writers/service_worker.cmake`,
  ]);
  return readFileSync(path.join(folder, 'sw.js'), 'utf8').match(/const cacheName = '([^']+)'/)[1];
}

// Which build each file the loaded page uses came from.
function buildsInUse(page) {
  return page.evaluate(() => ({
    page: document.documentElement.dataset.build || 'old',
    pageScript: globalThis.pageScriptBuild || 'old',
    coreScript: globalThis.coreScriptBuild || 'old',
  }));
}

// One draw, seen where a player sees it: the first slot names its number.
async function drawOnce(page) {
  await page.getByRole('button', { name: '開獎', exact: true }).click();
  await page.getByLabel(/^第一個號碼 \d+$/).waitFor({ timeout: 10_000 });
}

// Resolves once the page's worker has taken its build's files and is the one in charge.
function workerActivated(page) {
  return page.evaluate(async () => {
    const { active } = await navigator.serviceWorker.ready;
    while (active.state === 'activating') {
      await new Promise((done) => active.addEventListener('statechange', done, { once: true }));
    }
    return active.state;
  });
}

// A first visit in a browser profile of its own, to `folder` served as a host would serve it; `play` goes on from
// there once the page's worker is in charge.
async function firstVisit(folder, hostOptions, play) {
  const server = await serveFolder(folder, hostOptions);
  const context = await browser.newContext();
  try {
    const page = await context.newPage();
    const url = siteUrl(folder, server);
    await page.goto(url);
    assert.equal(await workerActivated(page), 'activated');
    await play({ context, page, url });
  } finally {
    await context.close();
    await server.close();
  }
}

const minutes = { timeout: 120_000 };

test('after the first visit the page loads and plays offline, every file of the folder with it', minutes, () =>
  firstVisit(site, {}, async ({ context, page }) => {
    await context.setOffline(true);
    await page.reload();
    await drawOnce(page);
    assert.ok(await page.evaluate(() => navigator.serviceWorker.controller !== null), 'the worker serves the offline page');
    const files = readdirSync(site).filter((file) => file !== 'sw.js');
    const servedSizes = await page.evaluate((names) => {
      const size = (response) => (response.ok ? response.arrayBuffer().then((body) => body.byteLength) : -1);
      return Promise.all(names.map((name) => fetch(name).then(size)));
    }, files);
    assert.deepEqual(servedSizes, files.map((file) => statSync(path.join(site, file)).size));
  }));

test('a new build behind a host that lets browsers keep files for 10 minutes arrives whole by the second load', minutes, () => {
  const hosted = hostedCopy();
  return firstVisit(hosted, { cacheControl: 'max-age=600' }, async ({ page, url }) => {
    const newCache = deployNewBuild(hosted);

    await page.goto(url);
    await drawOnce(page);
    const first = await buildsInUse(page);
    assert.equal(new Set(Object.values(first)).size, 1, `one build on the first load, not ${JSON.stringify(first)}`);
    // A player plays a while: the new build is fetched meanwhile, in the background.
    const fetched = await page.evaluate(async (name) => {
      const registration = await navigator.serviceWorker.getRegistration();
      for (let waited = 0; waited < 20_000; waited += 100) {
        if ((await caches.has(name)) && !registration.installing) return true;
        await new Promise((done) => setTimeout(done, 100));
      }
      return false;
    }, newCache);
    assert.ok(fetched, 'the new build was never fetched');

    await page.goto(url);
    await drawOnce(page);
    assert.deepEqual(await buildsInUse(page), { page: 'new', pageScript: 'new', coreScript: 'new' });
  });
});

// Width and height from a PNG's header, after its signature.
function pngSize(bytes) {
  assert.equal(bytes.toString('latin1', 1, 4), 'PNG');
  assert.equal(bytes.toString('latin1', 12, 16), 'IHDR');
  return `${bytes.readUInt32BE(16)}x${bytes.readUInt32BE(20)}`;
}

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
    const icon = async (src) => Buffer.from(await (await fetch(new URL(src, url))).arrayBuffer());
    const pngs = manifest.icons.filter((entry) => entry.type === 'image/png');
    for (const entry of pngs) assert.equal(pngSize(await icon(entry.src)), entry.sizes, entry.src);
    assert.deepEqual(pngs.map((entry) => entry.sizes).sort(), ['192x192', '512x512']);
    const maskable = pngs.find((entry) => (entry.purpose || 'any').split(' ').includes('maskable'));
    assert.ok(maskable, 'no maskable icon');

    const appleIcon = await page.evaluate(() => document.querySelector('link[rel="apple-touch-icon"]')?.href);
    assert.ok(appleIcon, 'no apple-touch-icon');
    assert.equal(pngSize(await icon(appleIcon)), '180x180');

    // What a phone's mask keeps of a maskable icon is the centred circle of 80 %: outside it only the ground may show,
    // opaque, in the page's background colour. The Apple icon is shown opaque too, its corners rounded off.
    for (const src of [maskable.src, appleIcon]) {
      const drawn = await page.evaluate(async (src) => {
        const image = new Image();
        image.src = src;
        await image.decode();
        const canvas = document.createElement('canvas');
        canvas.width = image.width;
        canvas.height = image.height;
        const context = canvas.getContext('2d');
        context.drawImage(image, 0, 0);
        const { data } = context.getImageData(0, 0, image.width, image.height);
        const ground = [...data.subarray(0, 4)];
        const centre = (image.height / 2) * image.width + image.width / 2;
        let offGround = 0;
        for (let y = 0; y < image.height; y++) {
          for (let x = 0; x < image.width; x++) {
            const at = (y * image.width + x) * 4;
            const outside = Math.hypot(x + 0.5 - image.width / 2, y + 0.5 - image.height / 2) > 0.4 * image.width;
            if (outside && ground.some((value, i) => data[at + i] !== value)) offGround++;
          }
        }
        return { ground, offGround, centre: [...data.subarray(centre * 4, centre * 4 + 4)] };
      }, src);
      assert.equal(drawn.offGround, 0, `${src}: drawn outside the safe zone`);
      assert.equal(drawn.ground[3], 255, `${src}: the ground is not opaque`);
      const background = manifest.background_color.match(/\w\w/g).map((pair) => parseInt(pair, 16));
      // Quantised to 12 colours, the ground may move a shade.
      background.forEach((value, i) => assert.ok(Math.abs(drawn.ground[i] - value) <= 4, `${src}: ${drawn.ground}`));
      assert.notDeepEqual(drawn.centre, drawn.ground, `${src}: nothing drawn`);
    }
  }));

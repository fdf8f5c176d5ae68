// SPDX-FileCopyrightText: 2026 Lotto developers
// SPDX-License-Identifier: GPL-3.0-or-later
// browser.mjs: Debian's Chromium launched headless, the page's folder served from a static server on loopback,
// screenshots decoded, and what the tests expect.
import { createReadStream, readFileSync, statSync } from 'node:fs';
import { createServer } from 'node:http';
import path from 'node:path';
import { after, before } from 'node:test';
import { pathToFileURL } from 'node:url';
import { chromium } from 'playwright-core';
import { PNG } from 'pngjs';

// One table of what the tests expect for the C++, Python and JavaScript tests alike (tests/support/expected.json, or
// the copy LOTTO_EXPECTED names): the design's values as the design writes them.
export const expected = JSON.parse(
  readFileSync(process.env.LOTTO_EXPECTED || new URL('../support/expected.json', import.meta.url), 'utf8'),
);

export const chromiumPath = process.env.LOTTO_CHROMIUM || '/usr/bin/chromium';

// As root Chromium refuses to start with its sandbox; the test machines run everything as root.
export function launchChromium(extraArgs = []) {
  return chromium.launch({ executablePath: chromiumPath, args: ['--no-sandbox', ...extraArgs] });
}

// For a test file's cases: one Chromium and the folder served, started before the first case and stopped after the
// last: { browser, server }, filled in once they run.
export function chromiumServing(root) {
  const shared = {};
  before(async () => {
    shared.browser = await launchChromium();
    shared.server = await serveFolder(root);
  });
  after(async () => {
    await shared.browser?.close();
    await shared.server?.close();
  });
  return shared;
}

// What a static web host would say for each kind of file the folder holds; wasm must be application/wasm
// or streaming compilation refuses it.
const contentTypes = {
  '.html': 'text/html; charset=utf-8',
  '.js': 'text/javascript; charset=utf-8',
  '.mjs': 'text/javascript; charset=utf-8',
  '.css': 'text/css; charset=utf-8',
  '.wasm': 'application/wasm',
  '.woff2': 'font/woff2',
  '.json': 'application/json',
  '.webmanifest': 'application/manifest+json',
  '.png': 'image/png',
  '.svg': 'image/svg+xml',
  '.ico': 'image/x-icon',
  '.txt': 'text/plain; charset=utf-8',
};

// Serves `root` on 127.0.0.1 at a free port; resolves to { origin, log, close() }. Only files inside root are served.
// log holds { url, status } for every request, which is all a driver without network events tells of a failure.
// cacheControl is what the host tells browsers: no-cache, or how long they may keep a file unasked. beforeServing(path),
// when given, is awaited before each file is read: a test holds a request there while it changes the folder.
export function serveFolder(root, { cacheControl = 'no-cache', beforeServing = () => {} } = {}) {
  const base = path.resolve(root);
  const log = [];
  const server = createServer(async (request, response) => {
    response.on('finish', () => log.push({ url: request.url, status: response.statusCode }));
    const pathname = decodeURIComponent(new URL(request.url, 'http://127.0.0.1').pathname);
    await beforeServing(pathname);
    let file = path.join(base, pathname.endsWith('/') ? `${pathname}index.html` : pathname);
    if (file !== base && !file.startsWith(base + path.sep)) file = '';
    let size = -1;
    try {
      const stat = file ? statSync(file) : null;
      if (stat && stat.isFile()) size = stat.size;
    } catch {
      size = -1;
    }
    if (size < 0) {
      response.writeHead(404, { 'content-type': 'text/plain' }).end('not found');
      return;
    }
    response.writeHead(200, {
      'content-type': contentTypes[path.extname(file)] || 'application/octet-stream',
      'content-length': size,
      'cache-control': cacheControl,
    });
    createReadStream(file).pipe(response);
  });
  return new Promise((resolve) => {
    server.listen(0, '127.0.0.1', () => {
      resolve({
        origin: `http://127.0.0.1:${server.address().port}`,
        log,
        close: () => new Promise((done) => server.close(done)),
      });
    });
  });
}

// The page's address over http from `server`, or straight from the disk.
export function siteUrl(site, server) {
  return server ? `${server.origin}/` : pathToFileURL(path.join(path.resolve(site), 'index.html')).href;
}

// A PNG screenshot decoded: { width, height, pixel(x, y) -> [r, g, b] }.
export function decodePng(png) {
  const { width, height, data } = PNG.sync.read(png);
  return { width, height, pixel: (x, y) => [...data.subarray((y * width + x) * 4, (y * width + x) * 4 + 3)] };
}

// Calls `answer()` every `every` ms until it resolves to something true, or until `ms` have passed; resolves to its
// last answer.
export async function until(answer, ms = 5000, every = 20) {
  for (const end = Date.now() + ms; ; await new Promise((done) => setTimeout(done, every))) {
    const last = await answer();
    if (last || Date.now() > end) return last;
  }
}

// Ten ticks of a 30 ms timer of the test's own in the page (anything with evaluate(fn)), run by the same event loop
// as the light's: a light that kept rolling would have moved by then, however busy the machine. Resolves to how
// often a disc changed meanwhile.
export function tenTicks(page) {
  return page.evaluate(
    () =>
      new Promise((done) => {
        let ticks = 0, changes = 0;
        const count = (records) => (changes += records.filter(({ target }) => target.matches('.disc')).length);
        const discs = new MutationObserver(count);
        discs.observe(document, { subtree: true, attributes: true, attributeFilter: ['style', 'class'] });
        const timer = setInterval(() => {
          if (++ticks < 10) return;
          clearInterval(timer);
          count(discs.takeRecords());
          discs.disconnect();
          done(changes);
        }, 30);
      }),
  );
}

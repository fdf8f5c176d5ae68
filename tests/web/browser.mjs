// SPDX-FileCopyrightText: 2026 Lotto developers
// SPDX-License-Identifier: GPL-3.0-or-later
// browser.mjs: Debian's Chromium launched headless, the page's folder served from a static server on loopback,
// screenshots decoded, and what the tests expect.
import { createReadStream, readFileSync, statSync } from 'node:fs';
import { createServer } from 'node:http';
import path from 'node:path';
import { after, before } from 'node:test';
import { pathToFileURL } from 'node:url';
import { inflateSync } from 'node:zlib';
import { chromium } from 'playwright-core';

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

// Decodes a PNG screenshot as Chromium writes it (8 bits per channel, RGB or RGBA, not interlaced) into
// { width, height, pixel(x, y) -> [r, g, b] }.
export function decodePng(png) {
  const width = png.readUInt32BE(16), height = png.readUInt32BE(20);
  const bitDepth = png[24], colourType = png[25], interlaced = png[28];
  const channels = { 2: 3, 6: 4 }[colourType];
  if (bitDepth !== 8 || !channels || interlaced) throw new Error(`unexpected PNG: depth ${bitDepth}, type ${colourType}`);
  const chunks = [];
  for (let at = 8; at < png.length; ) {
    const length = png.readUInt32BE(at), type = png.toString('latin1', at + 4, at + 8);
    if (type === 'IDAT') chunks.push(png.subarray(at + 8, at + 8 + length));
    at += 12 + length;
  }
  const raw = inflateSync(Buffer.concat(chunks));
  const stride = width * channels, pixels = Buffer.alloc(stride * height);
  for (let y = 0; y < height; y++) {
    const filter = raw[y * (stride + 1)];
    for (let x = 0; x < stride; x++) {
      const value = raw[y * (stride + 1) + 1 + x];
      const left = x >= channels ? pixels[y * stride + x - channels] : 0;
      const up = y > 0 ? pixels[(y - 1) * stride + x] : 0;
      const upLeft = x >= channels && y > 0 ? pixels[(y - 1) * stride + x - channels] : 0;
      let predicted = 0;
      if (filter === 1) predicted = left;
      else if (filter === 2) predicted = up;
      else if (filter === 3) predicted = (left + up) >> 1;
      else if (filter === 4) {
        const p = left + up - upLeft, pa = Math.abs(p - left), pb = Math.abs(p - up), pc = Math.abs(p - upLeft);
        predicted = pa <= pb && pa <= pc ? left : pb <= pc ? up : upLeft;
      }
      pixels[y * stride + x] = (value + predicted) & 0xff;
    }
  }
  return {
    width,
    height,
    pixel: (x, y) => [...pixels.subarray(y * stride + x * channels, y * stride + x * channels + 3)],
  };
}

// SPDX-FileCopyrightText: 2026 Lotto developers
// SPDX-License-Identifier: GPL-3.0-or-later
// chromium_oldest.mjs: the oldest Chromium the page is made for, the headless build of the pinned @sparticuz/chromium
// that scripts/install-deps unpacks into tests/web/old-chromium, behind the engine operations of index.mjs.
import { spawn } from 'node:child_process';
import { mkdtempSync, rmSync } from 'node:fs';
import { tmpdir } from 'node:os';
import path from 'node:path';
import { fileURLToPath } from 'node:url';
import { chromium } from 'playwright-core';
import { chromiumEngine } from './chromium.mjs';

const folder = process.env.LOTTO_OLDEST_CHROMIUM || fileURLToPath(new URL('../old-chromium', import.meta.url));

// Started by playwright's own launch, this old build ends as the first page's context closes: it is started here and
// reached at its debugging port. Built for hosts without a sandbox, it runs in one process, beside the libraries it
// was built with.
export async function launch() {
  const profile = mkdtempSync(path.join(tmpdir(), 'lotto-chromium-'));
  const flags = ['--headless', '--no-sandbox', '--single-process', '--no-zygote', '--remote-debugging-port=0'];
  const child = spawn(path.join(folder, 'chromium'), [...flags, `--user-data-dir=${profile}`, 'about:blank'], {
    env: { ...process.env, LD_LIBRARY_PATH: path.join(folder, 'aws', 'lib') },
    stdio: ['ignore', 'ignore', 'pipe'],
  });
  const exited = new Promise((done) => child.once('exit', done));
  process.once('exit', () => child.kill()); // a test process that ends early leaves no browser behind
  const stop = async () => {
    child.kill();
    await exited;
    rmSync(profile, { recursive: true, force: true });
  };
  try {
    let told = '';
    const endpoint = await new Promise((resolve, reject) => {
      child.stderr.on('data', (data) => {
        const url = (told += data).match(/DevTools listening on (ws:\S+)/)?.[1];
        if (url) resolve(url);
      });
      child.stderr.on('end', () => reject(new Error(`${folder}/chromium ended before it listened: ${told}`)));
    });
    const engine = chromiumEngine('chromium_oldest', await chromium.connectOverCDP(endpoint));
    return { ...engine, close: () => engine.close().finally(stop) };
  } catch (error) {
    await stop();
    throw error;
  }
}

// SPDX-FileCopyrightText: 2026 Lotto developers
// SPDX-License-Identifier: GPL-3.0-or-later
// static_window.mjs: writes the static window from the built page: the same folder and index.html, the program's
// scripts taken out, and a few lines in the head that roll the light every 30 ms from DOMContentLoaded on.
//
// It shows exactly what the page shows before its program runs, with the same font, styles and fit, so it is the
// least any page can cost to show this design with its light: the program's start is all the page may add to it.
import { createHash } from 'node:crypto';
import { cpSync, readFileSync, writeFileSync } from 'node:fs';
import path from 'node:path';
import { fileURLToPath } from 'node:url';

const lightScript = readFileSync(path.join(path.dirname(fileURLToPath(import.meta.url)), 'static_light.js'), 'utf8');

// Copies site into folder without the program (every script the page loads from a file, and any WebAssembly), with
// the light's script written into the head and allowed by its hash. `light` is the light's CSS colour.
export function writeStaticWindow(site, folder, light) {
  let html = readFileSync(path.join(site, 'index.html'), 'utf8');
  const programFiles = [];
  html = html.replace(/<script src="([^"]+)"[^>]*><\/script>\n?/g, (tag, file) => {
    programFiles.push(file);
    return '';
  });
  if (!programFiles.length) throw new Error('the built page loads no script: nothing to take out for the static window');
  const hash = `'sha256-${createHash('sha256').update(lightScript).digest('base64')}'`;
  const withHash = html.replace(/script-src /, `script-src ${hash} `);
  if (withHash === html) throw new Error("the built page's policy has no script-src to allow the static light by");
  const lightTag = `<script data-light="${light}">${lightScript}</script>\n`;
  html = withHash.replace('</head>', `${lightTag}</head>`);
  cpSync(site, folder, {
    recursive: true,
    filter: (source) => !programFiles.includes(path.relative(site, source)) && !source.endsWith('.wasm'),
  });
  writeFileSync(path.join(folder, 'index.html'), html);
  return programFiles;
}

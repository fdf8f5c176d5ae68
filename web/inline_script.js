// SPDX-FileCopyrightText: 2026 Lotto developers
// SPDX-License-Identifier: GPL-3.0-or-later
// inline_script.js: run at build time under node: writes a script, minified, into the page in place of
// @INLINE_SCRIPT@, and its SHA-256 in place of @INLINE_SCRIPT_HASH@, where the page's policy allows that one script.
//
// Usage: node inline_script.js PAGE.html SCRIPT.js OUT.html (terser found through NODE_PATH, see node_modules.cmake).
'use strict';
const crypto = require('crypto');
const fs = require('fs');
const { minify } = require('terser');

async function main() {
  const [pagePath, scriptPath, outPath] = process.argv.slice(2);
  if (!outPath) throw new Error('usage: node inline_script.js PAGE.html SCRIPT.js OUT.html');
  const page = fs.readFileSync(pagePath, 'utf8');
  const { code } = await minify(fs.readFileSync(scriptPath, 'utf8'), {
    compress: { passes: 2 },
    mangle: true,
    format: { comments: false },
  });
  if (code.includes('</')) throw new Error(`${scriptPath} would end its script element early`);
  for (const mark of ['@INLINE_SCRIPT@', '@INLINE_SCRIPT_HASH@']) {
    if (page.split(mark).length !== 2) throw new Error(`${pagePath} must hold ${mark} once`);
  }
  const hash = crypto.createHash('sha256').update(code, 'utf8').digest('base64');
  const written = page
    .replace('@INLINE_SCRIPT_HASH@', () => `'sha256-${hash}'`)
    .replace('@INLINE_SCRIPT@', () => `<script>${code}</script>`);
  fs.writeFileSync(outPath, written);
}

main().catch((error) => {
  console.error(`inline_script.js: ${error.message}`);
  process.exit(1);
});

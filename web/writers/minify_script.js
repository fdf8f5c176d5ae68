// SPDX-FileCopyrightText: 2026 Lotto developers
// SPDX-License-Identifier: GPL-3.0-or-later
// minify_script.js: run at build time under node: one of the page's own scripts, minified with terser for the page's
// weight, its licence lines and its first line kept; and, for the build's other writers, minified(), the one way
// every script of the page is minified.
//
// Usage: node minify_script.js IN.js OUT.js (terser found through NODE_PATH, see node_modules.cmake).
'use strict';
const fs = require('fs');
const { minify } = require('terser');

// The code minified, without comments unless `keptComments` (a pattern) names those to keep.
async function minified(code, keptComments = false) {
  return (await minify(code, { compress: { passes: 2 }, mangle: true, format: { comments: keptComments } })).code;
}

async function main() {
  const [inPath, outPath] = process.argv.slice(2);
  if (!outPath) throw new Error('usage: node minify_script.js IN.js OUT.js');
  const code = await minified(fs.readFileSync(inPath, 'utf8'), /SPDX-|^ [\w-]+\.js: /);
  fs.writeFileSync(outPath, `${code}\n`);
}

module.exports = { minified };

if (require.main === module) {
  main().catch((error) => {
    console.error(`minify_script.js: ${error.message}`);
    process.exit(1);
  });
}

// SPDX-FileCopyrightText: 2026 Lotto developers
// SPDX-License-Identifier: GPL-3.0-or-later
// minify_script.js: run at build time under node: one of the page's own scripts, minified with terser for the page's
// weight, its licence lines and its first line kept.
//
// Usage: node minify_script.js IN.js OUT.js (terser found through NODE_PATH, see node_modules.cmake).
'use strict';
const fs = require('fs');
const { minify } = require('terser');

async function main() {
  const [inPath, outPath] = process.argv.slice(2);
  if (!outPath) throw new Error('usage: node minify_script.js IN.js OUT.js');
  const { code } = await minify(fs.readFileSync(inPath, 'utf8'), {
    compress: { passes: 2 },
    mangle: true,
    format: { comments: /SPDX-|^ [\w-]+\.js: / },
  });
  fs.writeFileSync(outPath, `${code}\n`);
}

main().catch((error) => {
  console.error(`minify_script.js: ${error.message}`);
  process.exit(1);
});

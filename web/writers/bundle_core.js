// SPDX-FileCopyrightText: 2026 Lotto developers
// SPDX-License-Identifier: GPL-3.0-or-later
// bundle_core.js: run at build time under node: the program's script for the page, its WebAssembly inside.
//
// Usage: node bundle_core.js GLUE.js PROGRAM.wasm START.js OUT.js. The glue emscripten writes and the script that
// starts the program (web/page/core_start.js) are minified as the page's own scripts are (minify_script.js:
// Debian's terser, NODE_PATH=/usr/share/nodejs), and the WebAssembly rides along between them gzipped and in
// base64, as createLottoModule.wasm: a page opened from the disk may fetch no file, not even one beside it, and the
// page's weight counts its files as they lie in the folder.
'use strict';
const fs = require('fs');
const zlib = require('zlib');
const { minified } = require('./minify_script.js');

async function main() {
  const [gluePath, wasmPath, startPath, outPath] = process.argv.slice(2);
  if (!outPath) throw new Error('usage: node bundle_core.js GLUE.js PROGRAM.wasm START.js OUT.js');
  const scriptAt = async (scriptPath) => minified(fs.readFileSync(scriptPath, 'utf8'));
  const wasm = zlib.gzipSync(fs.readFileSync(wasmPath), { level: 9 }).toString('base64');
  fs.writeFileSync(
    outPath,
    '/* lotto-core.js: the lottery program\'s draw core, design and midend, compiled to WebAssembly with emscripten. ' +
      'GPL-3.0-or-later; the source is the lottery program\'s. */\n' +
      `${await scriptAt(gluePath)}\ncreateLottoModule.wasm="${wasm}";\n${await scriptAt(startPath)}\n`,
  );
}

main().catch((error) => {
  console.error(`bundle_core.js: ${error.message}`);
  process.exit(1);
});

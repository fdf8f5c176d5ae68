// SPDX-FileCopyrightText: 2026 Lotto developers
// SPDX-License-Identifier: GPL-3.0-or-later
// inline_script.js: run at build time under node: writes into the page's head what its first paint needs, so that
// the paint waits for no file: the stylesheets, joined and shortened, in place of @INLINE_STYLE@, and the scripts
// that must run before any file arrives, joined and minified, in place of @INLINE_SCRIPT@; and the SHA-256 of each in
// place of @INLINE_STYLE_HASH@ and @INLINE_SCRIPT_HASH@, where the page's policy allows that one style element and
// that one script; and the page's icon, as a data: address, in place of @ICON@.
//
// Usage: node inline_script.js PAGE.html OUT.html FILE... where each FILE is a script (.js) or a stylesheet (.css),
// joined in the order given (minified as minify_script.js minifies, with terser found through NODE_PATH, see
// node_modules.cmake), or the icon (.svg).
'use strict';
const crypto = require('crypto');
const fs = require('fs');
const { minified } = require('./minify_script.js');

// The stylesheets' comments (their licence headers among them: the page carries its own) and the room around their
// punctuation go; every value stays as written. Neither sheet has a comment mark inside a string.
function shortenedStyles(paths) {
  return paths
    .map((file) => fs.readFileSync(file, 'utf8'))
    .join('\n')
    .replace(/\/\*[\s\S]*?\*\//g, '')
    .replace(/@charset[^;]*;/g, '') // a style element is already text; the rule means nothing there
    .replace(/\s+/g, ' ')
    .replace(/\s*([{};,>])\s*/g, '$1')
    .replace(/;}/g, '}')
    .trim();
}

// A browser asks for a page's icon only once the page has loaded. Written into the page, it is one file fewer on every
// load, and no request comes after the load to start the old build's worker again just as a newer build takes over,
// which would hold the take-over back until that worker has been idle for a while.
function iconAddress(file) {
  const drawing = fs
    .readFileSync(file, 'utf8')
    .replace(/<\?xml[^>]*\?>/, '')
    .replace(/<!--[\s\S]*?-->/g, '') // its licence header among them: the page carries its own
    .replace(/\s+/g, ' ')
    .replace(/> </g, '><')
    .replace(/"/g, "'") // the drawing quotes nothing but its attributes, and single quotes need no escape here
    .trim();
  const escaped = (c) => `%${c.charCodeAt(0).toString(16).toUpperCase().padStart(2, '0')}`;
  return `data:image/svg+xml,${drawing.replace(/[%#<>&\s]/g, escaped)}`;
}

const sha256 = (text) => `'sha256-${crypto.createHash('sha256').update(text, 'utf8').digest('base64')}'`;

async function main() {
  const [pagePath, outPath, ...files] = process.argv.slice(2);
  const scriptPaths = files.filter((file) => file.endsWith('.js'));
  const stylePaths = files.filter((file) => file.endsWith('.css'));
  const iconPaths = files.filter((file) => file.endsWith('.svg'));
  const named = scriptPaths.length + stylePaths.length + iconPaths.length;
  if (scriptPaths.length === 0 || stylePaths.length === 0 || iconPaths.length !== 1 || named !== files.length) {
    throw new Error('usage: node inline_script.js PAGE.html OUT.html SCRIPT.js... STYLE.css... ICON.svg');
  }
  const page = fs.readFileSync(pagePath, 'utf8');
  const scripts = Object.fromEntries(scriptPaths.map((file) => [file, fs.readFileSync(file, 'utf8')]));
  const code = await minified(scripts);
  if (code.includes('</')) throw new Error(`${scriptPaths.join(', ')} would end the script element early`);
  const styles = shortenedStyles(stylePaths);
  if (styles.includes('</')) throw new Error(`${stylePaths.join(', ')} would end the style element early`);
  for (const mark of ['@INLINE_SCRIPT@', '@INLINE_SCRIPT_HASH@', '@INLINE_STYLE@', '@INLINE_STYLE_HASH@', '@ICON@']) {
    if (page.split(mark).length !== 2) throw new Error(`${pagePath} must hold ${mark} once`);
  }
  const written = page
    .replace('@INLINE_SCRIPT_HASH@', () => sha256(code))
    .replace('@INLINE_STYLE_HASH@', () => sha256(styles))
    .replace('@INLINE_SCRIPT@', () => `<script>${code}</script>`)
    .replace('@INLINE_STYLE@', () => `<style>${styles}</style>`)
    .replace('@ICON@', () => iconAddress(iconPaths[0]));
  fs.writeFileSync(outPath, written);
}

main().catch((error) => {
  console.error(`inline_script.js: ${error.message}`);
  process.exit(1);
});

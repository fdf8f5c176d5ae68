// SPDX-FileCopyrightText: 2026 Lotto developers
// SPDX-License-Identifier: GPL-3.0-or-later
// css_targets.mjs: the stylesheets named on the command line against the browsers the project's .browserslistrc
// names, through doiuse's PostCSS plugin: its command line's tokenizer stops at an apostrophe in a comment and then
// finds nothing. Prints each feature a target lacks and fails on any.
import { readFileSync } from 'node:fs';
import doiuse from 'doiuse';
import postcss from 'postcss';

const found = [];
for (const file of process.argv.slice(2)) {
  const check = doiuse({ onFeatureUsage: ({ message }) => found.push(message) });
  await postcss([check]).process(readFileSync(file, 'utf8'), { from: file });
}
console.log(found.join('\n') || `${process.argv.length - 2} stylesheets use nothing a target browser lacks`);
process.exitCode = found.length > 0 ? 1 : 0;

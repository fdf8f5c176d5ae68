// SPDX-FileCopyrightText: 2026 Lotto developers
// SPDX-License-Identifier: GPL-3.0-or-later
// eslint.config.mjs: how ESLint reads the project's JavaScript: the page's scripts in the browser, the build's
// writers and the tests and benchmarks under node. ESLint and its rule sets are the browser tests' dev dependencies,
// pinned by tests/web/package-lock.json (npm ci --prefix tests/web).
import { createRequire } from 'node:module';

const require = createRequire(new URL('./tests/web/package.json', import.meta.url));
const js = require('@eslint/js');
const globals = require('globals');
const compat = require('eslint-plugin-compat');
const esX = require('eslint-plugin-es-x');

// The service worker's template holds the build's @NAME@ placeholders: each is read as a comment in its place.
const template = {
  preprocess: (text) => [text.replace(/@([A-Z_]+)@/g, '/*$1*/')],
  postprocess: (messages) => messages.flat(),
};

export default [
  js.configs.recommended,
  { linterOptions: { reportUnusedDisableDirectives: 'error' } },
  {
    files: ['web/page/*.js', 'bench/web/*.js'],
    languageOptions: { sourceType: 'script', globals: globals.browser },
  },
  // lotto-core.js's glue defines the program's factory, which its end (core_start.js) and lotto.js use.
  {
    files: ['web/page/lotto.js', 'web/page/core_start.js'],
    languageOptions: { globals: { createLottoModule: 'readonly' } },
  },
  // Linked into the program's glue by emscripten, which supplies these names and the $-prefixed helpers without
  // their $. A failing call answers its failure without reading the exception.
  {
    files: ['web/page/page_imports.js'],
    languageOptions: {
      sourceType: 'script',
      globals: {
        ...globals.browser,
        ...Object.fromEntries(
          ['mergeInto', 'LibraryManager', 'Module', 'HEAPU8', 'HEAPU16', 'pageText', 'pageUtf8'].map((name) => [
            name,
            'readonly',
          ]),
        ),
      },
    },
    rules: { 'no-unused-vars': ['error', { caughtErrors: 'none' }] },
  },
  {
    files: ['web/page/sw.js.in'],
    processor: template,
    languageOptions: { sourceType: 'script', globals: globals.serviceworker },
  },
  // What the page runs, against the oldest browsers it is made for (.browserslistrc): no interface and no syntax they
  // lack, unless it is tested for first.
  ...[compat.configs['flat/recommended'], esX.configs['flat/restrict-to-es2022'], esX.configs['flat/no-new-in-esnext']]
    .map((config) => ({ ...config, files: ['web/page/*.js', 'web/page/sw.js.in'] })),
  { files: ['web/writers/*.js'], languageOptions: { sourceType: 'commonjs', globals: globals.node } },
  // The page's scripts and the build's writers stay in small named parts, each a function a reader takes in at once.
  {
    files: ['web/page/*.js', 'web/page/sw.js.in', 'web/writers/*.js'],
    rules: { 'max-lines-per-function': ['error', { max: 60 }], complexity: ['error', { max: 10 }] },
  },
  { files: ['eslint.config.mjs'], languageOptions: { sourceType: 'module', globals: globals.node } },
  // Node drives the browsers; the functions it hands them run in the page, where the tests' own scripts add
  // `probe` and `editablesFocused` to the window.
  {
    files: ['scripts/screenshot-web'],
    languageOptions: { sourceType: 'commonjs', globals: { ...globals.node, ...globals.browser } },
  },
  {
    files: ['tests/web/**/*.mjs', 'bench/web/*.mjs'],
    languageOptions: {
      sourceType: 'module',
      globals: { ...globals.node, ...globals.browser, probe: 'readonly', editablesFocused: 'readonly' },
    },
  },
  { ignores: ['tests/web/node_modules/', 'build*/'] },
];

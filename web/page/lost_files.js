// SPDX-FileCopyrightText: 2026 Lotto developers
// SPDX-License-Identifier: GPL-3.0-or-later
// lost_files.js: says in one sentence that a script of the page could not be loaded or arrived broken, in place of
// a window that would never answer; written into the page's head by the build, ahead of the scripts it watches.
'use strict';

(() => {
  // A script cut short is a syntax error and runs nothing, yet its element still says it has loaded: each of the
  // page's scripts is known whole by what it leaves behind.
  const ranWhole = new Map([
    ['lotto-core.js', () => typeof createLottoModule === 'function'],
    ['lotto.js', (script) => script.dataset.ran !== undefined],
  ]);
  const ownScript = (target) => target.localName === 'script' && ranWhole.has(target.getAttribute('src'));

  // The notice stands in the page ahead of the window, so that a page cut short still holds it.
  function showNotice() {
    const form = document.querySelector('[data-design="Form1"]');
    if (form) form.hidden = true;
    document.getElementById('lost-file').hidden = false;
  }
  function tell() {
    if (document.readyState === 'loading') document.addEventListener('DOMContentLoaded', showNotice, { once: true });
    else showNotice();
  }

  // Neither event bubbles: they are heard on their way down to the script's element.
  document.addEventListener('error', (event) => ownScript(event.target) && tell(), true);
  document.addEventListener(
    'load',
    (event) => ownScript(event.target) && !ranWhole.get(event.target.getAttribute('src'))(event.target) && tell(),
    true,
  );
})();

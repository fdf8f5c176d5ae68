// SPDX-FileCopyrightText: 2026 Lotto developers
// SPDX-License-Identifier: GPL-3.0-or-later
// static_light.js: the light of the static window, written into the built page's head in place of the program: from
// DOMContentLoaded on, every 30 ms it leaves its ball for a random other one, two style writes a tick.
'use strict';
(() => {
  const light = document.currentScript.dataset.light;
  document.addEventListener('DOMContentLoaded', () => {
    // The balls are the first 42 discs of the design, Shape1-0 … Shape1-41; the result slots follow them.
    const balls = [...document.querySelectorAll('[data-design^="Shape1-"]')].filter(
      (disc) => Number(disc.dataset.design.slice('Shape1-'.length)) < 42,
    );
    let lit = -1;
    setInterval(() => {
      let next = Math.floor(Math.random() * (lit < 0 ? balls.length : balls.length - 1));
      if (lit >= 0) {
        if (next >= lit) next++;
        balls[lit].style.backgroundColor = ''; // back to the fill of the page's styles
      }
      balls[next].style.backgroundColor = light;
      lit = next;
    }, 30);
  });
})();

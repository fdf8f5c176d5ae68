// SPDX-FileCopyrightText: 2026 Lotto developers
// SPDX-License-Identifier: GPL-3.0-or-later
// fair_floor.js: the light of the fair floor page: every 30 ms it leaves its ball for a random other one anywhere on
// the board, two style writes a tick, as the least any page that shows the design's light must do.
'use strict';
const form = document.querySelector('.form');
const balls = form.querySelectorAll('[data-ball]');
const light = form.dataset.light;
let lit = -1;
setInterval(() => {
  // One of the other balls, each as likely: the light never stays where it is.
  let next = Math.floor(Math.random() * (lit < 0 ? balls.length : balls.length - 1));
  if (lit >= 0) {
    if (next >= lit) next++;
    balls[lit].style.backgroundColor = ''; // back to the fill of the stylesheet
  }
  balls[next].style.backgroundColor = light;
  lit = next;
}, 30);

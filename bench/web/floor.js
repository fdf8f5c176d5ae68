// SPDX-FileCopyrightText: 2026 Lotto developers
// SPDX-License-Identifier: GPL-3.0-or-later
// floor.js: swaps the two discs' colours every 30 ms, as the light's least work per tick: two style writes.
'use strict';
const discs = [document.getElementById('first'), document.getElementById('second')];
let lit = 0;
setInterval(() => {
  discs[lit].style.backgroundColor = 'rgb(255, 128, 0)';
  lit = 1 - lit;
  discs[lit].style.backgroundColor = 'rgb(0, 0, 128)';
}, 30);

// SPDX-FileCopyrightText: 2026 Lotto developers
// SPDX-License-Identifier: GPL-3.0-or-later
// fit.js: fits the window the build wrote into the page to the screen; written into the page's head by the build, so
// that the first paint is already fitted without waiting for a script file.
'use strict';

(() => {
  const root = document.documentElement;
  // The window is one picture in its own proportions. A phone or tablet shows it as large as the screen allows; a
  // desktop browser at the design's own size, as the desktop program does, and smaller only in a smaller window.
  // The design's size comes from the stylesheet the build wrote from the design.
  const design = getComputedStyle(root);
  const designWidth = parseFloat(design.getPropertyValue('--form1-width'));
  const designHeight = parseFloat(design.getPropertyValue('--form1-height'));
  const coarsePointer = matchMedia('(pointer: coarse)');
  function fit() {
    const roomWidth = root.clientWidth;
    const roomHeight = root.clientHeight;
    let scale = Math.min(roomWidth / designWidth, roomHeight / designHeight);
    if (!coarsePointer.matches) scale = Math.min(1, scale);
    // The corner on a whole device pixel, so that the design's lines and rims fall on pixels as they were drawn.
    const onDevicePixel = (length) => `${Math.round(length * devicePixelRatio) / devicePixelRatio}px`;
    root.style.setProperty('--fit-scale', String(scale));
    root.style.setProperty('--fit-left', onDevicePixel((roomWidth - designWidth * scale) / 2));
    root.style.setProperty('--fit-top', onDevicePixel((roomHeight - designHeight * scale) / 2));
  }
  if (designWidth > 0 && designHeight > 0) {
    fit();
    window.addEventListener('resize', fit);
    coarsePointer.addEventListener?.('change', fit);
  }
})();

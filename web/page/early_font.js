// SPDX-FileCopyrightText: 2026 Lotto developers
// SPDX-License-Identifier: GPL-3.0-or-later
// early_font.js: asks for the page's own faces while its head is read; written into the head by the build.
//
// A face declared in the style sheet is fetched only once the first layout finds text that needs it, which comes
// after the program's scripts have run: the window's text, invisible until its face is in, would wait for them too.
// A face's own load starts it now, without holding the first paint for it as a preloaded face would. A face that
// never comes is the style sheet's matter: its text then shows in the fallback the style names.
'use strict';

for (const face of document.fonts) face.load().catch(() => {});

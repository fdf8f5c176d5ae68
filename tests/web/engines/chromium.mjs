// SPDX-FileCopyrightText: 2026 Lotto developers
// SPDX-License-Identifier: GPL-3.0-or-later
// chromium.mjs: Debian's Chromium, headless through playwright-core, behind the engine operations of index.mjs.
import { launchChromium } from '../browser.mjs';
import { sharedOperations } from './index.mjs';

export async function launch() {
  return chromiumEngine('chromium', await launchChromium());
}

// The engine operations on a playwright browser of Chromium's, whichever way it was started.
export function chromiumEngine(name, browser) {
  return {
    name,
    forcesColours: true,
    async open(url, { width = 800, height = 600, forcedColours = false, ...options } = {}) {
      // DevTools' emulation of forced colours draws as a contrast theme does.
      const forced = forcedColours ? { forcedColors: 'active' } : {};
      const viewport = { width, height };
      const context = await browser.newContext({ viewport, deviceScaleFactor: 1, ...forced, ...options });
      const page = await context.newPage();
      const shared = sharedOperations(page, context);
      await page.goto(url);
      let cdp;
      const devtools = async () => (cdp ??= await context.newCDPSession(page));
      return {
        ...shared,
        native: { context, page }, // for Chromium-only tests: touch, offline, service workers
        press: (key) => page.keyboard.press(key),
        async accessibleNodes() {
          const { nodes } = await (await devtools()).send('Accessibility.getFullAXTree');
          return nodes
            .filter((node) => !node.ignored)
            .map((node) => ({
              role: node.role?.value,
              name: node.name?.value ?? '',
              description: node.description?.value ?? '',
              disabled: node.properties?.some((p) => p.name === 'disabled' && p.value.value === true) ?? false,
              value: node.value?.value ?? '',
            }))
            .filter((node) => ['button', 'listitem', 'textbox', 'status'].includes(node.role));
        },
        async platformFonts(selector) {
          const session = await devtools();
          await session.send('DOM.enable');
          await session.send('CSS.enable');
          const { root } = await session.send('DOM.getDocument');
          const { nodeId } = await session.send('DOM.querySelector', { nodeId: root.nodeId, selector });
          const { fonts } = await session.send('CSS.getPlatformFontsForNode', { nodeId });
          return fonts.map(({ familyName, isCustomFont }) => ({ familyName, isCustomFont }));
        },
        close: () => context.close(),
      };
    },
    close: () => browser.close(),
  };
}

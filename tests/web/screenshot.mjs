// SPDX-License-Identifier: GPL-3.0-or-later
// The README's picture of Heliora in the browser: headless Chromium, the main screen paused
// on the temperature view, the page's buttons beside it.
//   node tests/web/screenshot.mjs [SITE_DIR] [OUT.png]
import path from 'node:path';
import { serve } from './server.mjs';
import { launch, VIEWPORT, waitForMainScreen } from './browser.mjs';

const top = path.resolve(import.meta.dirname, '../..');
const site = path.resolve(process.argv[2] || path.join(top, 'build-web/site'));
const out = path.resolve(process.argv[3] || path.join(top, 'docs/screenshots/browser.png'));
const server = await serve(site);
const chromium = await launch();
try {
  const page = await chromium.browser.newPage();
  await page.setViewport(VIEWPORT);
  await page.goto(server.url);
  await waitForMainScreen(page);
  // Let the Earth come round a little, pause, and rest the pointer on the Earth picture.
  await new Promise((r) => setTimeout(r, 3000));
  await page.keyboard.press('Space');
  const box = await page.$eval('#canvas', (c) => c.getBoundingClientRect().toJSON());
  await page.mouse.move(box.left + 600, box.top + 370);
  await new Promise((r) => setTimeout(r, 500));
  await page.screenshot({ path: out });
  console.log(`screenshot.mjs: ${out}`);
} finally {
  await chromium.close();
  await server.close();
}

// SPDX-License-Identifier: GPL-3.0-or-later
// Starts Debian's Chromium headless for the tests and the benchmark, each time with a fresh
// profile; never a downloaded browser.
import fs from 'node:fs';
import os from 'node:os';
import path from 'node:path';
import puppeteer from 'puppeteer-core';

export const CHROMIUM = process.env.HELIORA_CHROMIUM || '/usr/bin/chromium';

export async function launch() {
  const profile = fs.mkdtempSync(path.join(os.tmpdir(), 'heliora-chromium-'));
  const browser = await puppeteer.launch({
    executablePath: CHROMIUM,
    headless: true,
    userDataDir: profile,
    args: ['--headless', '--no-sandbox', '--disable-gpu', '--disable-background-networking',
           '--disable-component-update', '--no-first-run', '--disable-dev-shm-usage'],
  });
  const close = async () => {
    await browser.close().catch(() => {});
    fs.rmSync(profile, { recursive: true, force: true });
  };
  return { browser, close, profile };
}

// A page of the program's size plus the buttons' strip, so the picture shows at scale 1.
export const VIEWPORT = { width: 1024 + 88, height: 768 };

// Waits until Heliora's main screen has been drawn; returns the page's own moment for it.
export async function waitForMainScreen(page, timeout = 20000) {
  await page.waitForFunction(
    () => window.heliora && window.heliora.firstMainScreenAt() > 0, { timeout, polling: 20 });
  return page.evaluate(() => window.heliora.firstMainScreenAt());
}

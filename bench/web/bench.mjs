// SPDX-License-Identifier: GPL-3.0-or-later
// Heliora in the browser, measured (a benchmark, never a test):
//   - time from navigation to the first drawn main screen: median of 5 fresh loads, cache off
//   - the same with Chromium's CPU slowed 4x (a school Chromebook's stand-in)
//   - the bytes a first visit downloads with gzip, and the whole site gzipped
//   - the main screen's frame cost in the browser against the desktop program's, in one run
//
//   node bench/web/bench.mjs [--site build-web/site] [--replay PATH] [--runs 5]
//
// Needs the site (tools/build-web.sh) and the native heliora-replay (build-test/).
import { execFileSync } from 'node:child_process';
import fs from 'node:fs';
import os from 'node:os';
import path from 'node:path';
import zlib from 'node:zlib';
import { serve } from '../../tests/web/server.mjs';
import { launch, VIEWPORT, waitForMainScreen } from '../../tests/web/browser.mjs';

const top = path.resolve(import.meta.dirname, '../..');
const option = (name, fallback) => {
  const i = process.argv.indexOf(name);
  return i > 0 && process.argv[i + 1] ? process.argv[i + 1] : fallback;
};
const SITE = path.resolve(option('--site', path.join(top, 'build-web/site')));
const REPLAY = path.resolve(option('--replay',
  path.join(top, 'build-test/tools/heliora-replay/heliora-replay')));
const RUNS = Number(option('--runs', '5'));

const median = (xs) => {
  const s = [...xs].sort((a, b) => a - b);
  return s.length % 2 ? s[(s.length - 1) / 2] : (s[s.length / 2 - 1] + s[s.length / 2]) / 2;
};
const kb = (n) => `${(n / 1024).toFixed(0)} KB`;

// One fresh load in a new profile-less context: ms from navigation to the first main screen.
async function firstMainScreen(chromium, url, { throttle = 1 } = {}) {
  const context = await chromium.browser.createBrowserContext();
  try {
    const page = await context.newPage();
    await page.setViewport(VIEWPORT);
    await page.setCacheEnabled(false);
    if (throttle > 1) {
      const cdp = await page.createCDPSession();
      await cdp.send('Emulation.setCPUThrottlingRate', { rate: throttle });
    }
    await page.goto(url);
    return await waitForMainScreen(page, 60000); // performance.now() counts from navigation
  } finally {
    await context.close();
  }
}

// The bytes a first visit costs: up to the first main screen, and once the service worker
// has its offline copy.
async function visitBytes(chromium, server) {
  const context = await chromium.browser.createBrowserContext();
  try {
    const page = await context.newPage();
    await page.setViewport(VIEWPORT);
    const before = server.stats.bytes;
    await page.goto(server.url);
    await waitForMainScreen(page);
    const start = server.stats.bytes - before;
    await page.evaluate(() => navigator.serviceWorker.ready);
    await new Promise((r) => setTimeout(r, 500));
    return { start, offline: server.stats.bytes - before };
  } finally {
    await context.close();
  }
}

// The browser's main-thread time per frame while the main screen animates. A frame ends in
// the program's sleep, which Asyncify turns into a setTimeout on the page: those are counted.
async function browserFrameCost(chromium, url, seconds) {
  const context = await chromium.browser.createBrowserContext();
  try {
    const page = await context.newPage();
    await page.setViewport(VIEWPORT);
    await page.evaluateOnNewDocument(() => {
      const setTimeoutBefore = window.setTimeout;
      window.__helioraSleeps = 0;
      window.setTimeout = function (f, ms, ...rest) {
        if (ms > 0) window.__helioraSleeps++;
        return setTimeoutBefore.call(this, f, ms, ...rest);
      };
    });
    await page.goto(url);
    await waitForMainScreen(page);
    await page.mouse.move(VIEWPORT.width - 2, VIEWPORT.height - 2); // off the picture
    await new Promise((r) => setTimeout(r, 1000));
    const cdp = await page.createCDPSession();
    await cdp.send('Performance.enable');
    const sample = async () => {
      const { metrics } = await cdp.send('Performance.getMetrics');
      const task = metrics.find((m) => m.name === 'TaskDuration').value;
      return { task, frames: await page.evaluate(() => window.__helioraSleeps) };
    };
    const a = await sample();
    await new Promise((r) => setTimeout(r, seconds * 1000));
    const b = await sample();
    const frames = b.frames - a.frames;
    return { ms: frames > 0 ? ((b.task - a.task) * 1000) / frames : NaN, frames,
             share: ((b.task - a.task) * 100) / seconds, fps: frames / seconds };
  } finally {
    await context.close();
  }
}

// The native program's CPU time per main-screen frame: heliora-replay without a window, a long
// and a short run of idle frames, the difference divided by the frames between them.
function nativeFrameCost(frames) {
  const work = fs.mkdtempSync(path.join(os.tmpdir(), 'heliora-bench-'));
  try {
    for (const f of ['hlra_cfg.bin', 'newcoast.txt', 'coast5.bin']) {
      fs.copyFileSync(path.join(top, 'data', f), path.join(work, f));
    }
    const cpu = (n) => {
      const script = path.join(work, `idle-${n}.txt`);
      fs.writeFileSync(script, `idle ${n}\n`);
      // bash's `times` gives the children's user and system time.
      const out = execFileSync('bash', ['-c', '"$@" >/dev/null; times', '_', REPLAY, '--workdir',
                                        work, '--script', script, '--out', work]).toString();
      const [user, sys] = out.trim().split('\n').pop().split(/\s+/).map((t) => {
        const m = /(\d+)m([\d.]+)s/.exec(t);
        return Number(m[1]) * 60 + Number(m[2]);
      });
      return user + sys;
    };
    const runs = [];
    for (let i = 0; i < 3; i++) runs.push(((cpu(frames + 10) - cpu(10)) * 1000) / frames);
    return median(runs);
  } finally {
    fs.rmSync(work, { recursive: true, force: true });
  }
}

// The desktop program's share of a core while its main screen animates, under a virtual X
// server of the picture's own size, as the browser shows it (tools/measure-idle.sh; needs Xvfb
// and xdotool), as a percentage.
function nativeDesktopShare(seconds) {
  const build = path.dirname(path.dirname(path.dirname(REPLAY))); // build-test/
  try {
    const out = execFileSync('bash', [path.join(top, 'tools/measure-idle.sh'), build, '3',
                                      String(seconds), 'main'],
                             { stdio: ['ignore', 'pipe', 'ignore'],
                               env: { ...process.env, HELIORA_MEASURE_SCREEN: '1024x768' } })
      .toString();
    const line = out.split('\n').find((l) => l.startsWith('main '));
    return line ? Number(line.split(/\s+/)[1].replace('%', '')) : NaN;
  } catch {
    return NaN;
  }
}

function siteGzipped() {
  let raw = 0, gz = 0;
  const walk = (dir) => {
    for (const e of fs.readdirSync(dir, { withFileTypes: true })) {
      const f = path.join(dir, e.name);
      if (e.isDirectory()) walk(f);
      else {
        const body = fs.readFileSync(f);
        raw += body.length;
        gz += /\.png$/.test(f) ? body.length : zlib.gzipSync(body, { level: 9 }).length;
      }
    }
  };
  walk(SITE);
  return { raw, gz };
}

async function main() {
  if (!fs.existsSync(path.join(SITE, 'index.html'))) {
    throw new Error(`no site in ${SITE}: run tools/build-web.sh first`);
  }
  const server = await serve(SITE, { gzip: true });
  const chromium = await launch();
  try {
    await firstMainScreen(chromium, server.url); // the browser's own first start, not counted

    const plain = [];
    for (let i = 0; i < RUNS; i++) plain.push(await firstMainScreen(chromium, server.url));
    const visit = await visitBytes(chromium, server);
    const slow = [];
    for (let i = 0; i < RUNS; i++) {
      slow.push(await firstMainScreen(chromium, server.url, { throttle: 4 }));
    }
    const browser = await browserFrameCost(chromium, server.url, 5);
    const native = fs.existsSync(REPLAY) ? nativeFrameCost(500) : NaN;
    const desktop = nativeDesktopShare(5);
    const site = siteGzipped();

    const ms = (x) => `${x.toFixed(0)} ms`;
    console.log(`first drawn main screen after navigation, median of ${RUNS} fresh loads, ` +
                `cache off: ${ms(median(plain))}  (${plain.map((x) => x.toFixed(0)).join(', ')})`);
    console.log(`the same with the CPU slowed 4x: ${ms(median(slow))}  ` +
                `(${slow.map((x) => x.toFixed(0)).join(', ')})`);
    console.log(`sent with gzip on a first visit: ${kb(visit.start)} up to the first main screen, ` +
                `${kb(visit.offline)} with the offline copy; the whole site gzipped: ` +
                `${kb(site.gz)} of ${kb(site.raw)}`);
    // Both animate at the same rate (the configuration's frame delay), so the shares of a core
    // compare frame costs of programs that show their frames; the headless run is the drawing
    // and the model alone, with nothing shown.
    const perFrame = (share) => (share * 10) / browser.fps;
    console.log(`main screen frame cost (${browser.frames} browser frames, ` +
                `${browser.fps.toFixed(1)} a second): browser ${browser.ms.toFixed(2)} ms of ` +
                `main-thread time, desktop program under Xvfb ${perFrame(desktop).toFixed(2)} ms ` +
                `of CPU: ratio ${(browser.share / desktop).toFixed(2)}`);
    console.log(`  against heliora-replay without a window (no picture shown): ` +
                `${native.toFixed(2)} ms of CPU per frame: ratio ${(browser.ms / native).toFixed(2)}`);
  } finally {
    await chromium.close();
    await server.close();
  }
}

main().catch((e) => {
  console.error(`bench.mjs: ${e.message}`);
  process.exit(1);
});

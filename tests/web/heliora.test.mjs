// SPDX-License-Identifier: GPL-3.0-or-later
// Heliora in a real browser (Debian's Chromium, headless), against the site in build-web/site
// served on 127.0.0.1: the same pixels as the native program, every way in (mouse, keys,
// touch, the page's buttons), offline start, updates, and the plain messages for bad starts.
import { test, before, after, afterEach } from 'node:test';
import assert from 'node:assert/strict';
import { execFileSync } from 'node:child_process';
import crypto from 'node:crypto';
import fs from 'node:fs';
import os from 'node:os';
import path from 'node:path';
import { serve } from './server.mjs';
import { launch, VIEWPORT, waitForMainScreen } from './browser.mjs';
import { decodePng, comparePictures } from './png.mjs';

const top = path.resolve(import.meta.dirname, '../..');
const SITE = process.env.HELIORA_SITE || path.join(top, 'build-web/site');
const REPLAY = process.env.HELIORA_REPLAY ||
  path.join(top, 'build-test/tools/heliora-replay/heliora-replay');
const MODEL = process.env.HELIORA_MODEL ||
  path.join(top, 'build-test/tools/heliora-model/heliora-model');

// ScreenIds, as heliora-replay's expect-screen and state steps name them.
const MAIN = 1, CHANGE_TILT = 2, CHANGE_SHAPE = 5, SELECT_LATITUDES = 8, LOGBOOK = 15;

let server, chromium, work;
const problems = []; // console errors and page errors of every page that should have none

before(async () => {
  assert.ok(fs.existsSync(path.join(SITE, 'index.html')), `no site in ${SITE}: run tools/build-web.sh`);
  work = fs.mkdtempSync(path.join(os.tmpdir(), 'heliora-web-test-'));
  server = await serve(SITE);
  chromium = await launch();
});

after(async () => {
  await chromium?.close();
  await server?.close();
  if (work) fs.rmSync(work, { recursive: true, force: true });
});

const pages = []; // closed after each test, whatever happened in it

afterEach(async () => {
  for (const page of pages.splice(0)) await page.close().catch(() => {});
});

// A fresh page with a fresh program; `watch` collects its errors into `problems`.
async function open({ url = server.url, viewport = VIEWPORT, context = null, watch = true } = {}) {
  const page = await (context || chromium.browser).newPage();
  pages.push(page);
  if (process.env.HELIORA_DEBUG) page.on('console', (m) => console.log('page:', m.type(), m.text()));
  if (watch) {
    page.on('console', (m) => { if (m.type() === 'error') problems.push(`console: ${m.text()}`); });
    page.on('pageerror', (e) => problems.push(`page error: ${e.message}`));
  }
  await page.emulateTimezone('UTC'); // the native replay runs with TZ=UTC: same log entry times
  await page.setViewport(viewport);
  await page.goto(url);
  return page;
}

async function openRunning(options) {
  const page = await open(options);
  await waitForMainScreen(page);
  return page;
}

const screenOf = (page) => page.evaluate(() => window.heliora.screen());

async function waitForScreen(page, id, timeout = 5000) {
  await page.waitForFunction((n) => window.heliora.screen() === n, { timeout, polling: 20 }, id)
    .catch(async () => assert.fail(`screen ${id} expected, ${await screenOf(page)} is running`));
}

// Design-space coordinates (1024 x 768) to the page's, wherever and however big the picture is.
async function toPage(page, x, y) {
  const r = await page.$eval('#canvas', (c) => {
    const b = c.getBoundingClientRect();
    return { left: b.left, top: b.top, sx: b.width / c.width, sy: b.height / c.height };
  });
  return [r.left + (x + 0.5) * r.sx, r.top + (y + 0.5) * r.sy];
}

// Waits until the program has presented n more frames, or n frames' time on a still screen.
async function idle(page, n) {
  const start = await page.evaluate(() => window.heliora.presents());
  await page.waitForFunction((s, k) => window.heliora.presents() >= s + k,
    { timeout: 60 * n + 100, polling: 10 }, start, n).catch(() => {});
}

// The steps of a heliora-replay script, done with Chromium's mouse and keyboard.
async function play(page, steps) {
  for (const step of steps) {
    const [verb, ...rest] = step.split(' ');
    if (verb === 'click' || verb === 'move') {
      const [x, y] = await toPage(page, Number(rest[0]), Number(rest[1]));
      if (verb === 'click') await page.mouse.click(x, y);
      else await page.mouse.move(x, y);
    } else if (verb === 'key') {
      await page.keyboard.press(rest[0]);
    } else if (verb === 'type') {
      await page.keyboard.type(rest.join(' '));
    } else if (verb === 'idle') {
      await idle(page, Number(rest[0]));
    } else {
      throw new Error(`no browser step for "${step}"`);
    }
  }
}

// --- the same pixels as the native program --------------------------------------------

// The native program's pictures for the steps: the frames right after them, one per idle
// step, so that an animation on the screen (the Watch the Seasons button, the turning globe)
// can be met at whatever frame the browser shows it.
const NATIVE_FRAMES = 90;

function nativeFrames(name, steps) {
  const dir = path.join(work, name);
  const wd = path.join(dir, 'wd');
  fs.mkdirSync(wd, { recursive: true });
  for (const f of ['hlra_cfg.bin', 'newcoast.txt', 'coast5.bin']) {
    fs.copyFileSync(path.join(top, 'data', f), path.join(wd, f));
  }
  const script = [...steps];
  for (let i = 0; i < NATIVE_FRAMES; i++) script.push(`shot f${i}.png`, 'idle 1');
  fs.writeFileSync(path.join(dir, 'script.txt'), script.join('\n') + '\n');
  execFileSync(REPLAY, ['--workdir', wd, '--script', path.join(dir, 'script.txt'), '--out', dir],
               { env: { ...process.env, TZ: 'UTC' }, stdio: 'pipe' });
  const frames = new Map(); // digest of the RGBA -> frame number
  const pictures = [];
  for (let i = 0; i < NATIVE_FRAMES; i++) {
    const picture = decodePng(fs.readFileSync(path.join(dir, `f${i}.png`)));
    pictures.push(picture);
    const digest = crypto.createHash('sha256').update(picture.data).digest('hex');
    if (!frames.has(digest)) frames.set(digest, i);
  }
  return { frames, pictures };
}

// The browser's pictures over a while, as digests of their RGBA bytes.
function browserDigests(page, ms) {
  return page.evaluate(async (ms) => {
    const seen = [];
    const hex = (b) => Array.from(new Uint8Array(b), (v) => v.toString(16).padStart(2, '0')).join('');
    const end = performance.now() + ms;
    let last = -2;
    while (performance.now() < end) {
      const n = window.heliora.presents();
      if (n !== last) {
        last = n;
        const p = window.heliora.picture();
        const digest = hex(await crypto.subtle.digest('SHA-256', p.data));
        if (!seen.includes(digest)) seen.push(digest);
      }
      await new Promise((r) => setTimeout(r, 5));
    }
    return seen;
  }, ms);
}

async function browserPicture(page) {
  const b64 = await page.evaluate(() => {
    const p = window.heliora.picture();
    let s = '';
    for (let i = 0; i < p.data.length; i += 0x8000) {
      s += String.fromCharCode.apply(null, p.data.subarray(i, i + 0x8000));
    }
    return JSON.stringify({ width: p.width, height: p.height, data: btoa(s) });
  });
  const p = JSON.parse(b64);
  return { width: p.width, height: p.height, data: new Uint8Array(Buffer.from(p.data, 'base64')) };
}

const STILLS = [
  { name: 'change-tilt', screen: CHANGE_TILT,
    steps: ['idle 2', 'click 300 33', 'idle 2', 'move 600 700'] },
  { name: 'select-latitudes', screen: SELECT_LATITUDES,
    steps: ['idle 2', 'click 537 33', 'idle 2', 'click 910 377', 'idle 1', 'click 400 245',
            'move 600 700', 'idle 2'] },
  { name: 'logbook', screen: LOGBOOK,
    steps: ['idle 2', 'click 750 33', 'idle 2', 'click 875 33', 'idle 2', 'move 600 730'] },
  { name: 'sun-angle', screen: 13,
    steps: ['idle 2', 'click 300 33', 'idle 2', 'click 863 406', 'idle 1', 'click 425 200',
            'idle 3', 'move 700 500'] },
];

test('the browser draws the same pixels as the native program', async (t) => {
  for (const still of STILLS) {
    await t.test(still.name, async () => {
      // A log entry shows the minute it was made: a second try covers a minute's turn.
      let verdict = '';
      for (let attempt = 0; attempt < 2; attempt++) {
        const native = nativeFrames(`${still.name}-${attempt}`, still.steps);
        const page = await openRunning();
        await play(page, still.steps);
        await waitForScreen(page, still.screen);
        const digests = await browserDigests(page, 1500);
        const hit = digests.find((d) => native.frames.has(d));
        if (hit) {
          await page.close();
          return;
        }
        const mine = await browserPicture(page);
        await page.close();
        let best = null;
        for (const [i, picture] of native.pictures.entries()) {
          const c = comparePictures(mine, picture);
          if (!best || c.different < best.different) best = { ...c, frame: i };
        }
        verdict = `${best.different} pixels differ from the nearest native frame ` +
                  `(${best.frame}), within ${best.box}`;
      }
      assert.fail(verdict);
    });
  }
});

// --- behaviour ------------------------------------------------------------------------

test('the main screen appears, and each NavBar button reaches its screen', async () => {
  const page = await openRunning();
  assert.equal(await screenOf(page), MAIN);
  const picture = await browserPicture(page);
  assert.deepEqual([picture.width, picture.height], [1024, 768]);
  for (const [x, y, screen] of [[300, 33, CHANGE_TILT], [420, 33, CHANGE_SHAPE],
                                [537, 33, SELECT_LATITUDES], [875, 33, LOGBOOK],
                                [104, 537, MAIN], [750, 33, MAIN]]) {
    await play(page, [`click ${x} ${y}`]);
    await waitForScreen(page, screen);
  }
  // Exit ends the program and leaves a page that says so; its button starts it again.
  await play(page, ['click 50 33']);
  await page.waitForSelector('#message:not([hidden])', { timeout: 5000 });
  assert.match(await page.$eval('#message-title', (e) => e.textContent), /ended/);
  await Promise.all([page.waitForNavigation(), page.click('#again')]);
  await waitForMainScreen(page);
  await page.close();
});

test('Space pauses the main screen, a touch tap clicks, and other scales still hit', async () => {
  const page = await openRunning();
  const changes = async () => new Set(await browserDigests(page, 400)).size;
  assert.ok(await changes() > 1, 'the main screen animates');
  await page.keyboard.press('Space');
  await idle(page, 2);
  await new Promise((r) => setTimeout(r, 300)); // the Pause button's new look drawn
  assert.equal(await changes(), 1, 'Space pauses it');
  // After frames of small changes sent apart, the page shows exactly the program's picture.
  const box = await page.$eval('#canvas', (c) => {
    const r = c.getBoundingClientRect();
    return { x: r.x, y: r.y, width: r.width, height: r.height };
  });
  const shown = decodePng(await page.screenshot({ clip: box }));
  const { different } = comparePictures(shown, await browserPicture(page));
  assert.equal(different, 0, 'pixels of the page canvas unlike the program\'s picture');
  await page.keyboard.press('Space');
  assert.ok(await changes() > 1, 'Space goes on');

  await page.setViewport({ ...VIEWPORT, hasTouch: true, isMobile: false });
  await page.touchscreen.tap(...await toPage(page, 300, 33));
  await waitForScreen(page, CHANGE_TILT);

  // Whole-number scales sharp, others through the second canvas, below one smoothed;
  // the pointer lands on the same button at each.
  for (const [width, height, kind, screen, x] of [[2200, 1536, 'sharp', CHANGE_SHAPE, 420],
                                                   [1500, 900, 'smooth', SELECT_LATITUDES, 537],
                                                   [700, 500, '', CHANGE_TILT, 300]]) {
    await page.setViewport({ width, height });
    await page.waitForFunction((k) => document.getElementById('picture').className === k, {}, kind);
    const box = await page.$eval('#picture', (e) => e.getBoundingClientRect().toJSON());
    assert.ok(Math.abs(box.width / box.height - 4 / 3) < 0.01, `4:3 at ${width}x${height}`);
    assert.ok(box.left >= 0 && box.top >= 0 && box.right <= width && box.bottom <= height);
    await play(page, [`click ${x} 33`]);
    await waitForScreen(page, screen);
  }
  await page.close();
});

async function downloaded(dir, ext, timeout = 10000) {
  const end = Date.now() + timeout;
  while (Date.now() < end) {
    const f = fs.readdirSync(dir).find((n) => n.endsWith(ext));
    if (f) return fs.readFileSync(path.join(dir, f));
    await new Promise((r) => setTimeout(r, 50));
  }
  assert.fail(`no ${ext} file was downloaded`);
}

test('the picture and numbers buttons download a PNG and the native model\'s CSV', async () => {
  const page = await openRunning();
  const dir = fs.mkdtempSync(path.join(work, 'downloads-'));
  const cdp = await page.createCDPSession();
  await cdp.send('Browser.setDownloadBehavior', { behavior: 'allow', downloadPath: dir });
  await page.click('#tools button[data-command="1"]');
  const png = decodePng(await downloaded(dir, '.png'));
  assert.deepEqual([png.width, png.height], [1024, 768]);
  // The numbers are the native model's for the same settings (the shipped configuration's
  // home latitude, 40 N, Earth's tilt and orbit).
  await page.click('#tools button[data-command="2"]');
  const csv = (await downloaded(dir, '.csv')).toString('latin1').split(/\r?\n/);
  const native = execFileSync(MODEL, ['--tilt', '23.5', '--shape', '0.02', '--lat', '40',
                                      '--format', 'csv']).toString().split('\n');
  const rows = (lines) => lines.filter((l) => l && !l.startsWith('#'));
  assert.ok(rows(csv).length > 300, `${rows(csv).length} rows`);
  assert.deepEqual(rows(csv), rows(native));
  // The keys panel button opens the panel as F1 does: its grey face over the main screen.
  const grey = () => page.evaluate(() => {
    const p = window.heliora.picture();
    return [[300, 540], [700, 540], [500, 150]].every(([x, y]) => {
      const o = (y * p.width + x) * 4;
      return p.data[o] === 192 && p.data[o + 1] === 192 && p.data[o + 2] === 192;
    });
  });
  assert.equal(await grey(), false);
  await page.click('#tools button[data-command="4"]');
  for (let i = 0; i < 50 && !(await grey()); i++) await idle(page, 1);
  assert.ok(await grey(), 'the keys panel shows');
  assert.equal(await screenOf(page), MAIN);
  // Full screen and back, through the browser.
  const full = (on) => page.waitForFunction((v) => !!document.fullscreenElement === v, {}, on);
  await page.click('#tools button[data-command="3"]');
  await full(true);
  await page.click('#tools button[data-command="3"]');
  await full(false);
  await page.close();
});

test('after one visit Heliora starts with the network off, and a changed site takes over',
  async () => {
    // Its own copy of the site and server, which the update changes.
    const site = path.join(work, 'site');
    fs.cpSync(SITE, site, { recursive: true });
    const own = await serve(site);
    const context = await chromium.browser.createBrowserContext();
    try {
      const page = await openRunning({ url: own.url, context });
      const first = await page.evaluate(() => window.heliora.version());
      // Installable: the manifest names the program and its icons load.
      const manifest = await page.evaluate(async () => {
        const link = document.querySelector('link[rel="manifest"]');
        const m = await (await fetch(link.href)).json();
        const sizes = await Promise.all(m.icons.map(async (icon) => {
          const blob = await (await fetch(new URL(icon.src, link.href))).blob();
          return (await createImageBitmap(blob)).width;
        }));
        return { name: m.name, start: m.start_url, sizes };
      });
      assert.deepEqual(manifest, { name: 'Heliora', start: './', sizes: [192, 512] });
      await page.evaluate(() => navigator.serviceWorker.ready);
      await page.setOfflineMode(true);
      await page.reload();
      await waitForMainScreen(page);
      await page.setOfflineMode(false);

      fs.appendFileSync(path.join(site, 'index.html'), '<!-- changed -->\n');
      execFileSync(path.join(top, 'tools/stamp-site.sh'), [site], { stdio: 'pipe' });
      // The visit after the change fetches the new worker (the running page stays as it is);
      // the next one starts the new site.
      await page.reload();
      await waitForMainScreen(page);
      assert.equal(await page.evaluate(() => window.heliora.version()), first);
      // (The browser looks for a new worker after each visit; asked here, so as not to wait.)
      await page.evaluate(() => navigator.serviceWorker.getRegistration().then((r) => r.update()));
      const waiting = () => page.evaluate(() => navigator.serviceWorker.getRegistration()
        .then((r) => !!(r && r.waiting)));
      for (let i = 0; i < 150 && !(await waiting()); i++) await new Promise((r) => setTimeout(r, 100));
      assert.ok(await waiting(), 'the changed site\'s worker is installed and waits');
      // The next visit: the page closed and opened again.
      await page.close();
      const next = await openRunning({ url: own.url, context });
      assert.notEqual(await next.evaluate(() => window.heliora.version()), first);
    } finally {
      await context.close();
      await own.close();
    }
  });

test('a bad start shows a plain message, never a blank page', async () => {
  const broken = path.join(work, 'broken');
  fs.cpSync(SITE, broken, { recursive: true });
  fs.rmSync(path.join(broken, 'heliora.data'));
  const brokenServer = await serve(broken);
  try {
    for (const [what, url, prepare, title] of [
      ['opened as a file', `file://${SITE}/index.html`, null, /needs a web server/],
      ['no WebAssembly', server.url, () => { delete window.WebAssembly; }, /cannot run/],
      ['a download fails', brokenServer.url, null, /could not be loaded/],
    ]) {
      const page = await chromium.browser.newPage();
      if (prepare) await page.evaluateOnNewDocument(prepare);
      await page.goto(url);
      await page.waitForSelector('#message:not([hidden])', { timeout: 10000 })
        .catch(() => assert.fail(`${what}: no message`));
      assert.match(await page.$eval('#message-title', (e) => e.textContent), title, what);
      await page.close();
    }
  } finally {
    await brokenServer.close();
  }
});

test('the browser reported no errors', () => {
  assert.deepEqual(problems, []);
});

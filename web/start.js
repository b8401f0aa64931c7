// SPDX-License-Identifier: GPL-3.0-or-later
// Starts Heliora in the page: checks what the browser has, downloads the program with a
// loading bar, sizes the picture to the window, and shows a plain message for anything that
// goes wrong. Written without newer syntax so that an old browser still shows the message.
(function () {
  'use strict';

  // Written by tools/stamp-site.sh: the site's version and the sizes of its files.
  var SITE = null; // @site

  var PROGRAM_FILES = ['heliora.js', 'heliora.wasm', 'heliora.data'];
  var TOOLBAR = 44; // CSS pixels the buttons need beside the picture

  var page = {
    phase: 'loading', // loading, running, ended, failed
    module: null,
    loaded: {}, // bytes downloaded per file
    firstMainScreenAt: 0 // performance.now() of the first present of the main screen
  };

  function $(id) { return document.getElementById(id); }

  function showMessage(title, text, offerRestart) {
    $('stage').hidden = true;
    $('loading').hidden = true;
    $('message-title').textContent = title;
    $('message-text').textContent = text;
    $('again').hidden = !offerRestart;
    $('message').hidden = false;
  }

  function fail(title, text) {
    if (page.phase === 'failed' || page.phase === 'ended') return;
    page.phase = 'failed';
    showMessage(title, text, location.protocol !== 'file:');
  }

  // What the browser must have; each missing piece gets its own plain message.
  function browserProblem() {
    if (location.protocol === 'file:') {
      return ['Heliora needs a web server',
        'This page was opened as a file, and browsers do not let a page load its program ' +
        'that way. Serve this folder with any web server (for example "tools/run.sh --web" ' +
        'in Heliora\'s source folder, or "python3 -m http.server" in this folder) and open ' +
        'the address it prints.'];
    }
    if (typeof WebAssembly !== 'object' || typeof WebAssembly.instantiate !== 'function' ||
        typeof Promise !== 'function' || typeof fetch !== 'function' ||
        typeof Uint8Array !== 'function') {
      return ['This browser cannot run Heliora',
        'Heliora needs WebAssembly, which this browser lacks or has switched off. ' +
        'A current Chrome, Edge, Firefox or Safari runs it.'];
    }
    var probe = document.createElement('canvas');
    var context = null;
    try {
      context = probe.getContext && (probe.getContext('2d') || probe.getContext('webgl'));
    } catch (e) {
      context = null;
    }
    if (!context) {
      return ['This browser cannot draw Heliora',
        'Heliora draws on a canvas, which this browser lacks or has switched off.'];
    }
    return null;
  }

  // --- the loading bar -------------------------------------------------------------------

  function megabytes(bytes) { return (bytes / 1048576).toFixed(1) + ' MB'; }

  function showProgress() {
    var done = 0, total = 0, known = true;
    for (var i = 0; i < PROGRAM_FILES.length; i++) {
      var name = PROGRAM_FILES[i];
      var size = SITE && SITE.sizes ? SITE.sizes[name] : page.expected && page.expected[name];
      if (!size) known = false;
      total += size || 0;
      done += Math.min(page.loaded[name] || 0, size || Infinity);
    }
    if (known && total > 0) {
      $('bar-done').style.width = Math.round(100 * done / total) + '%';
      $('loading-size').textContent = megabytes(done) + ' of ' + megabytes(total);
    } else {
      $('loading-size').textContent = megabytes(done);
    }
  }

  // Downloads one file, counting its bytes for the bar; any failure rejects with the file's name.
  // `tap`, if given, gets a copy of the body as it arrives.
  function download(name, tap) {
    return fetch(name).then(function (response) {
      if (!response.ok) throw new Error(name + ': ' + response.status + ' ' + response.statusText);
      var length = Number(response.headers.get('Content-Length'));
      if (length && !response.headers.get('Content-Encoding')) {
        page.expected = page.expected || {};
        page.expected[name] = length;
      }
      if (!response.body || !response.body.getReader) {
        return response.arrayBuffer().then(function (buffer) {
          page.loaded[name] = buffer.byteLength;
          showProgress();
          return buffer;
        });
      }
      var body = response.body;
      if (tap && body.tee) {
        var both = body.tee();
        tap(both[0]);
        body = both[1];
      }
      var reader = body.getReader();
      var chunks = [];
      var received = 0;
      function pump() {
        return reader.read().then(function (step) {
          if (step.done) {
            var whole = new Uint8Array(received);
            for (var i = 0, at = 0; i < chunks.length; i++) {
              whole.set(chunks[i], at);
              at += chunks[i].length;
            }
            return whole.buffer;
          }
          chunks.push(step.value);
          received += step.value.length;
          page.loaded[name] = received;
          showProgress();
          return pump();
        });
      }
      return pump();
    }, function () {
      throw new Error(name + ': the network did not answer');
    });
  }

  function loadScript(name) {
    return new Promise(function (resolve, reject) {
      var script = document.createElement('script');
      script.src = name;
      script.onload = function () {
        page.loaded[name] = SITE && SITE.sizes ? SITE.sizes[name] : 0;
        showProgress();
        resolve();
      };
      script.onerror = function () { reject(new Error(name + ': the download failed')); };
      document.head.appendChild(script);
    });
  }

  // --- the picture's size ----------------------------------------------------------------

  function layout() {
    var canvas = $('canvas'), view = $('view'), picture = $('picture'), tools = $('tools');
    var pw = canvas.width || 1024, ph = canvas.height || 768;
    var dpr = window.devicePixelRatio || 1;
    var W = window.innerWidth, H = window.innerHeight;
    var full = !!(document.fullscreenElement || document.webkitFullscreenElement);

    // The scale in device pixels, so that "whole number" means sharp on the real screen.
    function fit(w, h) { return Math.max(0.05, Math.min(w * dpr / pw, h * dpr / ph)); }
    var s = fit(W, H), areaW = W, toolsAt = 'right';
    var cssW = pw * s / dpr, cssH = ph * s / dpr;
    if ((W - cssW) / 2 >= TOOLBAR) {
      toolsAt = 'right';
    } else if ((H - cssH) / 2 >= TOOLBAR) {
      toolsAt = 'bottom';
    } else if (full) {
      toolsAt = 'none'; // full screen without room: the keys still work, Escape leaves
    } else {
      areaW = W - TOOLBAR;
      s = fit(areaW, H);
      cssW = pw * s / dpr;
      cssH = ph * s / dpr;
    }
    var left = (areaW - cssW) / 2, top = (H - cssH) / 2;
    picture.style.left = left + 'px';
    picture.style.top = top + 'px';
    picture.style.width = cssW + 'px';
    picture.style.height = cssH + 'px';

    tools.hidden = toolsAt === 'none';
    tools.className = toolsAt === 'bottom' ? '' : 'column';
    tools.style.left = tools.style.top = tools.style.right = tools.style.bottom = '';
    if (toolsAt === 'bottom') {
      tools.style.right = '4px';
      tools.style.bottom = '4px';
    } else {
      tools.style.right = '4px';
      tools.style.top = '4px';
    }

    // Whole-number scales (and scales below one) draw the canvas directly; others go through
    // #view at the next whole number up, which the browser then smooths down.
    var whole = Math.abs(s - Math.round(s)) < 1e-6;
    var factor = whole || s < 1 ? 0 : Math.ceil(s);
    picture.className = factor ? 'smooth' : whole ? 'sharp' : '';
    view.hidden = !factor;
    page.viewFactor = factor;
    if (factor && (view.width !== pw * factor || view.height !== ph * factor)) {
      view.width = pw * factor;
      view.height = ph * factor;
    }
    if (factor && page.ready) copyView(); // at its new size, even on a still screen
  }

  // The program's exports answer once its runtime is up.
  function presents() {
    var M = page.module;
    return page.ready && M._HelioraPresentCount ? M._HelioraPresentCount() : -1;
  }

  function screenId() {
    var M = page.module;
    return page.ready && M._HelioraScreenId ? M._HelioraScreenId() : 0;
  }

  // The picture blown up into #view, for the scales that need it.
  function copyView() {
    var view = $('view');
    var context = view.getContext('2d');
    context.imageSmoothingEnabled = false;
    context.drawImage($('canvas'), 0, 0, view.width, view.height);
  }

  // After each present (the program calls it): follow a change of the picture's size (the
  // configuration may ask for 800 x 600), note the first main screen, and copy the picture
  // into #view when the scale needs it. Nothing runs between presents.
  function afterPresent() {
    if (page.phase !== 'running') return;
    var canvas = $('canvas');
    if (canvas.width !== page.shownW || canvas.height !== page.shownH) {
      page.shownW = canvas.width;
      page.shownH = canvas.height;
      layout();
    }
    if (!page.firstMainScreenAt && screenId() === 1) {
      page.firstMainScreenAt = performance.now();
      mark('heliora-main-screen');
    }
    if (!$('loading').hidden) $('loading').hidden = true;
    if (page.viewFactor) copyView();
  }

  // --- the buttons, full screen and touch ----------------------------------------------

  function command(n) {
    var M = page.module;
    if (page.phase === 'running' && page.ready && M._HelioraCommand) M._HelioraCommand(n);
  }

  function fullscreen() {
    var stage = $('stage');
    var request = stage.requestFullscreen || stage.webkitRequestFullscreen;
    var exit = document.exitFullscreen || document.webkitExitFullscreen;
    if (document.fullscreenElement || document.webkitFullscreenElement) {
      if (exit) exit.call(document);
    } else if (request) {
      var result = request.call(stage);
      if (result && result.catch) result.catch(function () {});
    }
  }

  function wireButtons() {
    var buttons = $('tools').getElementsByTagName('button');
    for (var i = 0; i < buttons.length; i++) {
      // No focus for the buttons: Space and Enter must keep reaching the program.
      buttons[i].addEventListener('mousedown', function (e) { e.preventDefault(); });
      buttons[i].addEventListener('click', function (e) {
        e.currentTarget.blur();
        var n = Number(e.currentTarget.getAttribute('data-command'));
        // Full screen straight from the click: browsers allow it only inside a user gesture.
        if (n === 3) fullscreen(); else command(n);
      });
    }
    $('picture').addEventListener('contextmenu', function (e) { e.preventDefault(); });
    $('again').addEventListener('click', function () { location.reload(); });
    window.addEventListener('resize', layout);
    document.addEventListener('fullscreenchange', layout);
    document.addEventListener('webkitfullscreenchange', layout);
  }

  // --- the test hook -------------------------------------------------------------------

  window.heliora = {
    // The program's own picture, RGBA after the palette, as a copy.
    picture: function () {
      var M = page.module;
      if (!page.ready || !M._HelioraPicture || page.phase !== 'running') return null;
      var w = M._HelioraPictureWidth(), h = M._HelioraPictureHeight();
      var at = M._HelioraPicture();
      return { width: w, height: h, data: M.HEAPU8.slice(at, at + w * h * 4) };
    },
    phase: function () { return page.phase; },
    screen: screenId,
    presents: presents,
    command: command,
    firstMainScreenAt: function () { return page.firstMainScreenAt; },
    version: function () { return SITE ? SITE.version : ''; }
  };

  // --- offline -------------------------------------------------------------------------

  // A changed site waits in a new service worker until the next visit. This page has not
  // started anything yet, so a waiting worker may take over now: the page reloads from it.
  // Otherwise calls goOn(), at once when no worker controls the page.
  function takeWaitingUpdate(goOn) {
    if (!('serviceWorker' in navigator) || !navigator.serviceWorker.controller) {
      goOn();
      return;
    }
    var gone = false;
    function once() { if (!gone) { gone = true; goOn(); } }
    setTimeout(once, 3000); // a worker that never answers must not stop the start
    navigator.serviceWorker.getRegistration().then(function (registration) {
      if (!registration || !registration.waiting || gone) {
        once();
        return;
      }
      gone = true;
      navigator.serviceWorker.addEventListener('controllerchange', function () {
        if (page.phase === 'loading') location.reload();
      });
      registration.waiting.postMessage('take-over');
      setTimeout(goOn, 4000); // the new worker did not take over: start the old site
    }).catch(once);
  }

  // Registered once the program runs, so that filling the cache does not slow the first
  // start; the program's files, downloaded already, go into the cache first, so that a first
  // visit does not download them twice.
  function registerServiceWorker(files) {
    if (!('serviceWorker' in navigator) || !SITE || !window.caches) return;
    var ready = Promise.resolve();
    if (!navigator.serviceWorker.controller) {
      ready = caches.open('heliora-' + SITE.version).then(function (cache) {
        return Promise.all([
          cache.put('heliora.wasm', new Response(files.wasm,
            { headers: { 'Content-Type': 'application/wasm' } })),
          cache.put('heliora.data', new Response(files.data,
            { headers: { 'Content-Type': 'application/octet-stream' } }))
        ]);
      }).catch(function () {});
    }
    ready.then(function () {
      return navigator.serviceWorker.register('sw.js');
    }).catch(function (e) {
      if (window.console) console.warn('Heliora works online only: ' + e.message);
    });
  }

  // --- start ---------------------------------------------------------------------------

  // Moments of the start, for the benchmark (performance.getEntriesByType('mark')).
  function mark(name) {
    if (window.performance && performance.mark) performance.mark(name);
  }

  function start(files) {
    mark('heliora-files');
    var canvas = $('canvas');
    var Module = {
      canvas: canvas,
      instantiateWasm: function (imports, receive) {
        files.compiled.then(function (compiled) {
          return WebAssembly.instantiate(compiled, imports).then(function (instance) {
            receive(instance, compiled);
          });
        }).catch(function (e) {
          Module.onAbort('its WebAssembly: ' + (e && e.message ? e.message : e));
        });
        return {}; // the exports come through receive()
      },
      getPreloadedPackage: function () { return files.data; },
      locateFile: function (path) { return path; },
      print: function (text) { if (window.console) console.log(text); },
      printErr: function (text) { if (window.console) console.warn(text); },
      onRuntimeInitialized: function () {
        page.ready = true;
        mark('heliora-runtime');
      },
      monitorRunDependencies: function (left) {
        if (left === 0) $('loading-size').textContent = 'Starting\u2026';
      },
      onAbort: function (what) {
        fail('Heliora has stopped', 'Something went wrong inside Heliora (' + String(what) +
          '). Start it again with the button below.');
      },
      onHelioraExit: function () {
        page.phase = 'ended';
        showMessage('Heliora has ended', 'You closed Heliora. Its logbook lasts one run, ' +
          'so a new start begins with an empty one.', true);
      },
      helioraFullscreen: fullscreen,
      onHelioraPresent: afterPresent
    };
    page.module = Module;
    page.phase = 'running';
    $('stage').hidden = false;
    layout();
    var created;
    try {
      created = window.createHeliora(Module);
    } catch (e) {
      Module.onAbort(e && e.message ? e.message : e);
      return;
    }
    if (created && created.then) {
      created.then(function () { registerServiceWorker(files); }, function (e) {
        Module.onAbort(e && e.message ? e.message : e);
      });
    }
  }

  function main() {
    var problem = browserProblem();
    if (problem) {
      showMessage(problem[0], problem[1], false);
      page.phase = 'failed';
      return;
    }
    wireButtons();
    takeWaitingUpdate(loadProgram);
  }

  // The app's manifest, for installing. Linked from here rather than from index.html:
  // while Chromium reads a manifest, a changed site's waiting worker cannot take over, and
  // it never does if asked during that time.
  function linkManifest() {
    var link = document.createElement('link');
    link.rel = 'manifest';
    link.href = 'manifest.webmanifest';
    document.head.appendChild(link);
  }

  function loadProgram() {
    linkManifest();
    showProgress();
    var files = {};
    Promise.all([
      loadScript('heliora.js'),
      // Compiled by the browser's own threads while it downloads, or else once it is in.
      download('heliora.wasm', function (stream) {
        if (!WebAssembly.compileStreaming || typeof Response !== 'function') return;
        files.compiled = WebAssembly.compileStreaming(
          new Response(stream, { headers: { 'Content-Type': 'application/wasm' } }));
        files.compiled.catch(function () {}); // reported when the program asks for it
      }).then(function (b) {
        files.wasm = b;
        if (!files.compiled) {
          files.compiled = WebAssembly.compile(b);
          files.compiled.catch(function () {});
        }
      }),
      download('heliora.data').then(function (b) { files.data = b; })
    ]).then(function () {
      if (page.phase !== 'loading') return;
      if (typeof window.createHeliora !== 'function') {
        throw new Error('heliora.js: not the Heliora program');
      }
      start(files);
    }).catch(function (e) {
      fail('Heliora could not be loaded',
        'A file of Heliora did not arrive (' + e.message + '). Check the connection, ' +
        'then start it again with the button below.');
    });
  }

  main();
})();

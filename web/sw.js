// SPDX-License-Identifier: GPL-3.0-or-later
// Keeps the whole site in a cache named after its version, so that Heliora starts with no
// network after one visit. A changed site gets a new version (tools/stamp-site.sh writes it
// below), is cached beside the old one, and takes over on the next visit; a running page is
// never replaced under the program.
'use strict';

var VERSION = 'unstamped'; // @version
var FILES = []; // @files
var CACHE = 'heliora-' + VERSION;

self.addEventListener('install', function (event) {
  event.waitUntil(caches.open(CACHE).then(function (cache) {
    return Promise.all(['./'].concat(FILES).map(function (name) {
      // The page has put in the big files it downloaded already; the rest are checked with
      // the server, so that old and new files never mix in one version.
      return cache.match(name).then(function (hit) {
        return hit || cache.add(new Request(name, { cache: 'no-cache' }));
      });
    }));
  }));
});

self.addEventListener('activate', function (event) {
  event.waitUntil(caches.keys().then(function (names) {
    return Promise.all(names.filter(function (name) {
      return name.indexOf('heliora-') === 0 && name !== CACHE;
    }).map(function (name) { return caches.delete(name); }));
  }).then(function () { return self.clients.claim(); }));
});

// The page asks for this only while it is still loading, before the program runs.
self.addEventListener('message', function (event) {
  if (event.data === 'take-over') self.skipWaiting();
});

self.addEventListener('fetch', function (event) {
  var request = event.request;
  if (request.method !== 'GET' || new URL(request.url).origin !== self.location.origin) return;
  event.respondWith(caches.open(CACHE).then(function (cache) {
    return cache.match(request, { ignoreSearch: true }).then(function (hit) {
      return hit || fetch(request);
    });
  }));
});

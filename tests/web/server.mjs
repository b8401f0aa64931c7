// SPDX-License-Identifier: GPL-3.0-or-later
// A small static server for the browser tests and the benchmark: serves one folder on
// 127.0.0.1 with the right types (application/wasm above all), optionally gzipped, and counts
// the bytes it sends.
import http from 'node:http';
import fs from 'node:fs';
import path from 'node:path';
import zlib from 'node:zlib';

const TYPES = {
  '.html': 'text/html; charset=utf-8',
  '.js': 'text/javascript; charset=utf-8',
  '.mjs': 'text/javascript; charset=utf-8',
  '.css': 'text/css; charset=utf-8',
  '.wasm': 'application/wasm',
  '.data': 'application/octet-stream',
  '.webmanifest': 'application/manifest+json',
  '.json': 'application/json',
  '.png': 'image/png',
  '.ttf': 'font/ttf',
  '.txt': 'text/plain; charset=utf-8',
};

// Already compressed formats gain nothing from gzip.
const COMPRESSIBLE = new Set(['.html', '.js', '.mjs', '.css', '.wasm', '.data', '.webmanifest',
                              '.json', '.ttf', '.txt', '']);

export function serve(folder, { port = 0, gzip = false } = {}) {
  const root = path.resolve(folder);
  const stats = { bytes: 0, requests: 0 };
  const gzipped = new Map();
  const server = http.createServer((req, res) => {
    stats.requests++;
    let rel;
    try {
      rel = decodeURIComponent(new URL(req.url, 'http://x').pathname);
    } catch {
      res.writeHead(400).end();
      return;
    }
    if (rel.endsWith('/')) rel += 'index.html';
    const file = path.join(root, path.normalize(rel));
    if (!file.startsWith(root + path.sep)) {
      res.writeHead(403).end();
      return;
    }
    fs.stat(file, (err, info) => {
      if (err || !info.isFile()) {
        res.writeHead(404, { 'Content-Type': 'text/plain' }).end('not found');
        return;
      }
      // Files are checked on every use; unchanged ones answer 304 as static servers do.
      const etag = `"${info.size.toString(16)}-${Math.floor(info.mtimeMs).toString(16)}"`;
      if (req.headers['if-none-match'] === etag) {
        res.writeHead(304, { ETag: etag, 'Cache-Control': 'no-cache' }).end();
        return;
      }
      send(req, res, file, etag);
    });
  });
  function send(req, res, file, etag) {
    fs.readFile(file, (err, body) => {
      if (err) {
        res.writeHead(404, { 'Content-Type': 'text/plain' }).end('not found');
        return;
      }
      const ext = path.extname(file);
      const headers = { 'Content-Type': TYPES[ext] || 'application/octet-stream',
                        'Cache-Control': 'no-cache', ETag: etag };
      const wantsGzip = gzip && COMPRESSIBLE.has(ext) &&
                        /\bgzip\b/.test(req.headers['accept-encoding'] || '');
      if (wantsGzip) {
        // Compressed once per version of the file, as static servers keep .gz copies.
        const key = `${file} ${etag}`;
        if (!gzipped.has(key)) gzipped.set(key, zlib.gzipSync(body, { level: 9 }));
        body = gzipped.get(key);
        headers['Content-Encoding'] = 'gzip';
        headers['Vary'] = 'Accept-Encoding';
      }
      headers['Content-Length'] = body.length;
      res.writeHead(200, headers);
      if (req.method === 'HEAD') {
        res.end();
        return;
      }
      stats.bytes += body.length;
      res.end(body);
    });
  }
  return new Promise((resolve, reject) => {
    server.once('error', reject);
    server.listen(port, '127.0.0.1', () => {
      const { port: bound } = server.address();
      resolve({
        url: `http://127.0.0.1:${bound}/`,
        stats,
        close: () => new Promise((done) => { server.closeAllConnections?.(); server.close(done); }),
      });
    });
  });
}

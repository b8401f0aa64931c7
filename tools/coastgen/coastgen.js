#!/usr/bin/env node
// SPDX-License-Identifier: GPL-3.0-or-later
// Builds the program's two coastline files from Natural Earth land outlines (public
// domain; the npm package world-atlas carries them as TopoJSON):
//   newcoast.txt  the coarse outline drawn on the small turning globes, at most 265 points;
//   coast5.bin    the finer outline drawn on the Select Latitudes world map;
// and a PNG that shows both, so a change can be checked by eye.
//
// Usage: node coastgen.js [--data DIR] [--png FILE]
//   --data DIR   where newcoast.txt and coast5.bin go (default: data/ of the repository)
//   --png FILE   the picture of both outlines (default: docs/coastline.png)
'use strict';

const fs = require('fs');
const path = require('path');
const zlib = require('zlib');
const topojson = require('topojson-client');

const REPO = path.resolve(__dirname, '..', '..');
const DEG = Math.PI / 180;

// ---------------------------------------------------------------- arguments

function parseArgs(argv) {
  const opts = {data: path.join(REPO, 'data'), png: path.join(REPO, 'docs', 'coastline.png')};
  for (let i = 0; i < argv.length; i++) {
    const a = argv[i];
    if ((a === '--data' || a === '--png') && i + 1 < argv.length) {
      opts[a.slice(2)] = path.resolve(argv[++i]);
    } else if (a === '--help' || a === '-h') {
      process.stdout.write('usage: node coastgen.js [--data DIR] [--png FILE]\n');
      process.exit(0);
    } else {
      process.stderr.write(`coastgen: unknown argument '${a}'\n`);
      process.exit(2);
    }
  }
  return opts;
}

// ---------------------------------------------------------------- geometry

function toVec(p) {
  const lon = p[0] * DEG, lat = p[1] * DEG;
  return [Math.cos(lat) * Math.cos(lon), Math.cos(lat) * Math.sin(lon), Math.sin(lat)];
}
function sub(a, b) { return [a[0] - b[0], a[1] - b[1], a[2] - b[2]]; }
function cross(a, b) {
  return [a[1] * b[2] - a[2] * b[1], a[2] * b[0] - a[0] * b[2], a[0] * b[1] - a[1] * b[0]];
}
function dot(a, b) { return a[0] * b[0] + a[1] * b[1] + a[2] * b[2]; }
function norm(a) { return Math.sqrt(dot(a, a)); }

// Area of the triangle a b c on the unit sphere's chords: the measure Visvalingam-Whyatt
// ranks points by. Working on the sphere keeps polar coasts from looking falsely large.
function triangleArea(a, b, c) { return 0.5 * norm(cross(sub(b, a), sub(c, a))); }

// Rough area of a closed ring (unit sphere), projected on the plane facing its centre.
// Only used to rank islands, so the projection's error on continents does not matter.
function ringArea(ring) {
  const v = ring.map(toVec);
  let c = [0, 0, 0];
  for (const p of v) c = [c[0] + p[0], c[1] + p[1], c[2] + p[2]];
  const n = norm(c) || 1;
  c = [c[0] / n, c[1] / n, c[2] / n];
  let s = 0;
  for (let i = 0; i < v.length; i++) s += dot(cross(v[i], v[(i + 1) % v.length]), c);
  return Math.abs(s) / 2;
}

function pointInRing(ring, lon, lat) {
  let inside = false;
  for (let i = 0, j = ring.length - 1; i < ring.length; j = i++) {
    const [xi, yi] = ring[i], [xj, yj] = ring[j];
    if ((yi > lat) !== (yj > lat) && lon < ((xj - xi) * (lat - yi)) / (yj - yi) + xi) inside = !inside;
  }
  return inside;
}

// ---------------------------------------------------------------- source outlines

// Every ring of the land outlines, without its repeated closing point.
function loadRings(name) {
  const topo = require(`world-atlas/${name}.json`);
  const fc = topojson.feature(topo, topo.objects.land);
  const feats = fc.type === 'FeatureCollection' ? fc.features : [fc];
  const rings = [];
  for (const f of feats) {
    const g = f.geometry;
    const polys = g.type === 'MultiPolygon' ? g.coordinates : [g.coordinates];
    for (const poly of polys) {
      for (const r of poly) {
        const pts = r.slice(0, r.length - 1);
        // The cap of made-up land around the South Pole is no coast.
        if (pts.every((p) => p[1] < -89)) continue;
        if (pts.length >= 3) rings.push(pts);
      }
    }
  }
  return rings;
}

function onCutMeridian(p) { return Math.abs(Math.abs(p[0]) - 180) < 1e-6; }

// Natural Earth splits land that straddles longitude 180 and closes each half along that
// meridian. Those edges are no coast: cut the ring there, leaving open strokes.
// Returns [{pts, closed}].
function cutAtMeridian(ring) {
  const n = ring.length;
  const fake = [];
  for (let i = 0; i < n; i++) fake.push(onCutMeridian(ring[i]) && onCutMeridian(ring[(i + 1) % n]));
  if (!fake.some((x) => x)) return [{pts: ring.slice(), closed: true}];
  // Start right after a made-up edge and walk once round the ring.
  const start = (fake.indexOf(true) + 1) % n;
  const out = [];
  let cur = [ring[start]];
  for (let k = 0; k < n; k++) {
    const i = (start + k) % n;
    const j = (i + 1) % n;
    if (fake[i]) {
      if (cur.length >= 2) out.push({pts: cur, closed: false});
      cur = [ring[j]];
    } else {
      cur.push(ring[j]);
    }
  }
  if (cur.length >= 2) out.push({pts: cur, closed: false});
  return out;
}

// ---------------------------------------------------------------- Visvalingam-Whyatt

// A binary heap of [key, id] with lazy deletion (stale entries are skipped on pop).
class Heap {
  constructor() { this.a = []; }
  push(key, id, stamp) {
    const a = this.a;
    a.push([key, id, stamp]);
    let i = a.length - 1;
    while (i > 0) {
      const p = (i - 1) >> 1;
      if (a[p][0] <= a[i][0]) break;
      [a[p], a[i]] = [a[i], a[p]];
      i = p;
    }
  }
  pop() {
    const a = this.a;
    const top = a[0];
    const last = a.pop();
    if (a.length > 0) {
      a[0] = last;
      let i = 0;
      for (;;) {
        const l = 2 * i + 1, r = l + 1;
        let m = i;
        if (l < a.length && a[l][0] < a[m][0]) m = l;
        if (r < a.length && a[r][0] < a[m][0]) m = r;
        if (m === i) break;
        [a[m], a[i]] = [a[i], a[m]];
        i = m;
      }
    }
    return top;
  }
  get size() { return this.a.length; }
}

// Simplifies all strokes together. Points go in order of the smallest effective area
// over the whole world, so detail is spent where the outline needs it most, until either
// the total point count (closing points included) is within budget or every remaining
// point covers at least minArea. A stroke never drops below its own minimum count.
// regionWeights scale the areas of points inside longitude/latitude boxes; spikeWeight
// (0..1) trades area against the sharpness of the bend.
function simplify(strokes, {budget = Infinity, minArea = 0, spikeWeight = 0, regionWeights = []}) {
  const nodes = [];
  const heap = new Heap();
  let total = 0;
  strokes.forEach((s, si) => {
    const base = nodes.length;
    const n = s.pts.length;
    for (let i = 0; i < n; i++) {
      nodes.push({p: s.pts[i], v: toVec(s.pts[i]), stroke: si, prev: -1, next: -1, alive: true,
        area: Infinity, stamp: 0});
    }
    for (let i = 0; i < n; i++) {
      const nd = nodes[base + i];
      if (s.closed) {
        nd.prev = base + ((i + n - 1) % n);
        nd.next = base + ((i + 1) % n);
      } else {
        nd.prev = i > 0 ? base + i - 1 : -1;
        nd.next = i < n - 1 ? base + i + 1 : -1;
      }
    }
    s.alive = n;
    s.first = base;
    total += n + (s.closed ? 1 : 0);
  });
  const regionOf = (p) => {
    for (const r of regionWeights) {
      if (p[0] >= r.lon0 && p[0] <= r.lon1 && p[1] >= r.lat0 && p[1] <= r.lat1) return r.weight;
    }
    return 1;
  };
  const areaOf = (id) => {
    const nd = nodes[id];
    if (nd.prev < 0 || nd.next < 0) return Infinity;  // ends of an open stroke stay
    const a = nodes[nd.prev].v, b = nd.v, c = nodes[nd.next].v;
    let w = regionOf(nd.p);
    if (spikeWeight > 0) {
      // Sharp spikes go sooner and gentle bends stay longer, so a heavily thinned
      // outline keeps smooth shapes instead of zigzags.
      const u = sub(a, b), v = sub(c, b);
      const cosAngle = dot(u, v) / ((norm(u) * norm(v)) || 1);
      w *= 1 - spikeWeight * cosAngle;
    }
    return triangleArea(a, b, c) * w;
  };
  for (let id = 0; id < nodes.length; id++) {
    nodes[id].area = areaOf(id);
    if (nodes[id].area < Infinity) heap.push(nodes[id].area, id, 0);
  }
  while (heap.size > 0) {
    const [key, id, stamp] = heap.pop();
    const nd = nodes[id];
    if (!nd.alive || stamp !== nd.stamp) continue;
    const s = strokes[nd.stroke];
    if (s.alive <= s.minPoints) continue;
    if (total <= budget && key >= minArea) break;
    nd.alive = false;
    s.alive--;
    total--;
    if (s.first === id) s.first = nd.next;
    nodes[nd.prev].next = nd.next;
    nodes[nd.next].prev = nd.prev;
    for (const nb of [nd.prev, nd.next]) {
      // An effective area never falls below that of a point already removed.
      const a = Math.max(areaOf(nb), key);
      nodes[nb].area = a;
      nodes[nb].stamp++;
      if (a < Infinity) heap.push(a, nb, nodes[nb].stamp);
    }
  }
  return strokes.map((s) => {
    const pts = [];
    let id = s.first;
    for (let k = 0; k < s.alive; k++) {
      pts.push(nodes[id].p);
      id = nodes[id].next;
    }
    return {pts, closed: s.closed, name: s.name};
  });
}

// ---------------------------------------------------------------- the coarse outline

// Places every reader of newcoast.txt must be able to recognise. A ring is found by a
// point inside it; its minimum keeps it from collapsing to a triangle.
const NAMED = [
  {name: 'Greenland', lon: -42, lat: 72, min: 8},
  {name: 'Madagascar', lon: 46.5, lat: -19, min: 5},
  {name: 'Great Britain', lon: -2, lat: 54, min: 6},
  {name: 'Ireland', lon: -8, lat: 53, min: 3},
  {name: 'Iceland', lon: -19, lat: 65, min: 4},
  {name: 'Honshu', lon: 138.5, lat: 36, min: 5},
  {name: 'New Zealand North', lon: 175.5, lat: -38.5, min: 4},
  {name: 'New Zealand South', lon: 170.5, lat: -44, min: 4},
  {name: 'Cuba', lon: -79, lat: 21.7, min: 3},
];
const COARSE_BUDGET = 265;
const COARSE_RINGS = 12;  // the largest rings by area, besides the named ones
const COARSE_SPIKE_WEIGHT = 0.3;
// Europe's coast is a tangle of small peninsulas and inland seas whose triangles are
// tiny next to a continent's bends; without extra weight Scandinavia, Italy, the Baltic
// and the Black Sea all vanish at this budget.
const COARSE_REGIONS = [{lon0: -12, lon1: 45, lat0: 34, lat1: 72, weight: 4}];

// What the globe reader makes of a file value: it adds 0.5 and truncates toward zero,
// which rounds positive values to the nearest degree but pulls negative ones a degree
// toward zero. A negative value is therefore written half a degree further out, so the
// reader lands on the nearest whole degree (-10.3 is written -10.5 and read as -10).
// Positive values are written as they are to a tenth; readers that keep the decimals
// (the main screen's globe) then see the true position.
function fileValue(v) {
  const t = Math.round(v * 10) / 10;
  if (t >= 0) return {text: t.toFixed(1), whole: Math.trunc(t + 0.5)};
  const w = Math.round(-t);  // nearest whole degree, halves away from zero
  return {text: (-(w + 0.5)).toFixed(1), whole: -w};
}

function coarseStrokes(rings) {
  const ranked = rings.map((r) => ({r, area: ringArea(r)})).sort((a, b) => b.area - a.area);
  const chosen = new Map();
  ranked.slice(0, COARSE_RINGS).forEach((x) => chosen.set(x.r, {min: 3}));
  for (const nm of NAMED) {
    // Smallest ring first: a ring that wraps round longitude 180 can seem to hold
    // points far outside it on the flat plane this test works in.
    const hit = ranked.slice().reverse().find((x) => pointInRing(x.r, nm.lon, nm.lat));
    if (!hit) throw new Error(`no land ring holds ${nm.name}`);
    chosen.set(hit.r, {min: nm.min, name: nm.name});
  }
  const strokes = [];
  for (const [r, info] of chosen) {
    for (const s of cutAtMeridian(r)) {
      s.minPoints = s.closed ? Math.max(3, info.min) : 2;
      s.name = info.name;
      strokes.push(s);
    }
  }
  return strokes;
}

// Whole-degree strokes as the globe reader will see them; repeated points dropped.
function quantise(strokes) {
  const out = [];
  for (const s of strokes) {
    let pts = s.pts.map((p) => {
      const lat = fileValue(p[1]), lon = fileValue(p[0]);
      return {lat, lon, key: `${lat.whole},${lon.whole}`};
    });
    pts = pts.filter((q, i) => i === 0 || q.key !== pts[i - 1].key);
    if (s.closed) {
      while (pts.length > 1 && pts[pts.length - 1].key === pts[0].key) pts.pop();
      if (pts.length < 3) continue;
      pts.push(pts[0]);  // close the ring: the reader joins consecutive points only
    } else if (pts.length < 2) {
      continue;
    }
    out.push({pts, name: s.name});
  }
  return out;
}

function countPoints(q) { return q.reduce((n, s) => n + s.pts.length, 0); }

function buildCoarse(rings) {
  const strokes = coarseStrokes(rings);
  // Simplify to a budget, then look at what survives rounding to whole degrees; points
  // that round onto their neighbour are free, so raise the budget until the file is full.
  let best = null;
  for (let budget = COARSE_BUDGET; budget < COARSE_BUDGET + 200; budget++) {
    // simplify() keeps its bookkeeping on the stroke records, so each round gets copies.
    const q = quantise(simplify(strokes.map((s) => ({...s})), {budget, spikeWeight: COARSE_SPIKE_WEIGHT, regionWeights: COARSE_REGIONS}));
    if (countPoints(q) > COARSE_BUDGET) break;
    best = q;
  }
  return best;
}

function writeCoarse(file, strokes) {
  const lines = [];
  for (const s of strokes) {
    s.pts.forEach((p, i) => {
      // 1000 starts a new line on the globe; 0 continues it.
      lines.push(`${i === 0 ? 1000 : 0} ${p.lat.text} ${p.lon.text}`);
    });
  }
  fs.writeFileSync(file, lines.join('\n') + '\n');
  return lines.length;
}

// ---------------------------------------------------------------- the map outline

const MAP_UNIT = 0.00029088716978;   // radians per stored unit, very nearly an arc minute
const MAP_MIN_RING_KM2 = 2500;       // smaller islands are under a pixel on the map
const MAP_MIN_AREA_KM2 = 40;         // detail finer than this cannot be seen at 560 x 440
const EARTH_KM2 = 6371 * 6371;

function buildMap(rings) {
  const strokes = [];
  for (const r of rings) {
    if (ringArea(r) * EARTH_KM2 < MAP_MIN_RING_KM2) continue;
    for (const s of cutAtMeridian(r)) {
      s.minPoints = s.closed ? 3 : 2;
      strokes.push(s);
    }
  }
  const simple = simplify(strokes, {minArea: MAP_MIN_AREA_KM2 / EARTH_KM2});
  const out = [];
  for (const s of simple) {
    let pts = s.pts.map((p) => [Math.round(p[1] * DEG / MAP_UNIT), Math.round(p[0] * DEG / MAP_UNIT)]);
    pts = pts.filter((q, i) => i === 0 || q[0] !== pts[i - 1][0] || q[1] !== pts[i - 1][1]);
    if (s.closed) {
      if (pts.length < 3) continue;
      pts.push(pts[0]);
    } else if (pts.length < 2) {
      continue;
    }
    out.push(pts);
  }
  return out;
}

function writeMap(file, strokes) {
  const n = strokes.reduce((k, s) => k + s.length, 0);
  const buf = Buffer.alloc(n * 6);
  let o = 0;
  for (const s of strokes) {
    s.forEach((p, i) => {
      buf.writeInt16LE(i === 0 ? 6 : 0, o);  // above 5 starts a new line
      buf.writeInt16LE(p[0], o + 2);           // latitude, north positive
      buf.writeInt16LE(p[1], o + 4);           // longitude, east positive
      o += 6;
    });
  }
  fs.writeFileSync(file, buf);
  return n;
}

// ---------------------------------------------------------------- picture

class Image {
  constructor(w, h, rgb) {
    this.w = w; this.h = h;
    this.px = Buffer.alloc(w * h * 3);
    this.fill(0, 0, w, h, rgb);
  }
  set(x, y, rgb) {
    x = Math.round(x); y = Math.round(y);
    if (x < 0 || y < 0 || x >= this.w || y >= this.h) return;
    const o = (y * this.w + x) * 3;
    this.px[o] = rgb[0]; this.px[o + 1] = rgb[1]; this.px[o + 2] = rgb[2];
  }
  fill(x0, y0, x1, y1, rgb) {
    for (let y = y0; y < y1; y++) for (let x = x0; x < x1; x++) this.set(x, y, rgb);
  }
  line(x0, y0, x1, y1, rgb) {
    const n = Math.max(1, Math.ceil(Math.max(Math.abs(x1 - x0), Math.abs(y1 - y0))));
    for (let i = 0; i <= n; i++) this.set(x0 + ((x1 - x0) * i) / n, y0 + ((y1 - y0) * i) / n, rgb);
  }
  png() {
    const crcTable = [];
    for (let n = 0; n < 256; n++) {
      let c = n;
      for (let k = 0; k < 8; k++) c = c & 1 ? 0xedb88320 ^ (c >>> 1) : c >>> 1;
      crcTable.push(c >>> 0);
    }
    const crc = (b) => {
      let c = 0xffffffff;
      for (const x of b) c = crcTable[(c ^ x) & 0xff] ^ (c >>> 8);
      return (c ^ 0xffffffff) >>> 0;
    };
    const chunk = (type, data) => {
      const len = Buffer.alloc(4); len.writeUInt32BE(data.length);
      const td = Buffer.concat([Buffer.from(type, 'ascii'), data]);
      const c = Buffer.alloc(4); c.writeUInt32BE(crc(td));
      return Buffer.concat([len, td, c]);
    };
    const ihdr = Buffer.alloc(13);
    ihdr.writeUInt32BE(this.w, 0); ihdr.writeUInt32BE(this.h, 4);
    ihdr[8] = 8; ihdr[9] = 2;  // 8-bit RGB
    const raw = Buffer.alloc((this.w * 3 + 1) * this.h);
    for (let y = 0; y < this.h; y++) {
      this.px.copy(raw, y * (this.w * 3 + 1) + 1, y * this.w * 3, (y + 1) * this.w * 3);
    }
    return Buffer.concat([Buffer.from([137, 80, 78, 71, 13, 10, 26, 10]), chunk('IHDR', ihdr),
      chunk('IDAT', zlib.deflateSync(raw, {level: 9})), chunk('IEND', Buffer.alloc(0))]);
  }
}

const SEA = [24, 40, 88], GRID = [48, 70, 120], COAST = [250, 230, 120], LAND_MAP = [130, 220, 130];
const WHITE = [255, 255, 255];

// An equirectangular panel: lines of [lat, lon] degree strokes; wrap jumps are skipped.
function drawPanel(img, x0, y0, scale, strokes, rgb) {
  const w = 360 * scale, h = 180 * scale;
  img.fill(x0, y0, x0 + w, y0 + h, SEA);
  for (let lon = -180; lon <= 180; lon += 30) img.line(x0 + (lon + 180) * scale, y0, x0 + (lon + 180) * scale, y0 + h - 1, GRID);
  for (let lat = -90; lat <= 90; lat += 30) img.line(x0, y0 + (90 - lat) * scale, x0 + w - 1, y0 + (90 - lat) * scale, GRID);
  for (const s of strokes) {
    for (let i = 0; i + 1 < s.length; i++) {
      const [la0, lo0] = s[i], [la1, lo1] = s[i + 1];
      if (Math.abs(lo1 - lo0) > 180) continue;
      img.line(x0 + (lo0 + 180) * scale, y0 + (90 - la0) * scale, x0 + (lo1 + 180) * scale, y0 + (90 - la1) * scale, rgb);
    }
  }
}

// A globe of the given size as the turning globes draw the coarse outline: whole-degree
// points, east to the right, a segment shown when both its ends face the viewer.
function drawGlobe(img, x0, y0, size, strokes, centreLon, tiltDeg) {
  const R = size / 2, t = tiltDeg * DEG;
  for (let y = 0; y < size; y++) {
    for (let x = 0; x < size; x++) {
      if ((x - R) ** 2 + (y - R) ** 2 <= R * R) img.set(x0 + x, y0 + y, SEA);
    }
  }
  const proj = (lat, lon) => {
    const a = (lon - centreLon + 90) * DEG, q = lat * DEG;  // a = 90 faces the viewer
    const A = -R * Math.sin(q), B = -R * Math.cos(a) * Math.cos(q);
    return {vis: Math.sin(a) * Math.cos(q) >= 0, x: B * Math.cos(t) - A * Math.sin(t) + R, y: A * Math.cos(t) + B * Math.sin(t) + R};
  };
  for (const s of strokes) {
    for (let i = 0; i + 1 < s.length; i++) {
      const p = proj(s[i][0], s[i][1]), q = proj(s[i + 1][0], s[i + 1][1]);
      if (p.vis && q.vis) img.line(x0 + p.x, y0 + p.y, x0 + q.x, y0 + q.y, COAST);
    }
  }
}

// The Select Latitudes map: the fine outline in the map's own projection (x shrinks with
// the cosine of the latitude) on its 560 x 440 rectangle, lines broken at wrap jumps.
function drawWorldMap(img, x0, y0, strokes) {
  const L = 0, T = 0, R = 560, B = 440;
  const cx = (L + R) / 2, cy = (T + B) / 2;
  const sx = (R - cx) * 0.31512705349838777, sy = (B - cy + 120) * 0.38197218605865185;
  img.fill(x0, y0, x0 + R, y0 + B, SEA);
  for (const s of strokes) {
    let prev = null;
    for (const p of s) {
      const f = p[0] * MAP_UNIT, l = p[1] * MAP_UNIT;
      const X = Math.trunc(cx + l * Math.cos(f) * sx + 0.5), Y = Math.trunc(cy - f * sy + 0.5);
      if (prev && Math.abs(X - prev[0]) < 60) {
        img.line(x0 + prev[0], y0 + prev[1], x0 + X, y0 + Y, LAND_MAP);
        img.line(x0 + prev[0] + 1, y0 + prev[1], x0 + X + 1, y0 + Y, LAND_MAP);
      }
      prev = [X, Y];
    }
  }
}

// Top: the coarse outline (whole degrees, white dots at its points) over longitude and
// latitude, then globes of 128 and 260 pixels as the program draws them; bottom: the fine
// outline over longitude and latitude, and the world map as the program draws it.
function writePicture(file, coarse, map) {
  const scale = 3;
  const W = 360 * scale + 20, panelH = 180 * scale;
  const small = [[-100, 0], [-60, 0], [20, 0], [80, 0], [140, 0], [170, 0], [0, -23.5], [0, 23.5]];
  const large = [[-90, -23.5], [15, -23.5], [110, -23.5], [170, 23.5]];
  const H = 10 + panelH + 10 + 128 + 10 + 260 + 10 + panelH + 10 + 440 + 10;
  const img = new Image(W, H, [0, 0, 0]);
  let y = 10;
  const coarseDeg = coarse.map((s) => s.pts.map((p) => [p.lat.whole, p.lon.whole]));
  drawPanel(img, 10, y, scale, coarseDeg, COAST);
  for (const s of coarseDeg) for (const p of s) img.set(10 + (p[1] + 180) * scale, y + (90 - p[0]) * scale, WHITE);
  y += panelH + 10;
  small.forEach(([lon, tilt], i) => drawGlobe(img, 10 + i * 134, y, 128, coarseDeg, lon, tilt));
  y += 128 + 10;
  large.forEach(([lon, tilt], i) => drawGlobe(img, 10 + i * 268, y, 260, coarseDeg, lon, tilt));
  y += 260 + 10;
  const mapDeg = map.map((s) => s.map((p) => [p[0] * MAP_UNIT / DEG, p[1] * MAP_UNIT / DEG]));
  drawPanel(img, 10, y, scale, mapDeg, LAND_MAP);
  y += panelH + 10;
  drawWorldMap(img, 10, y, map);
  fs.mkdirSync(path.dirname(file), {recursive: true});
  fs.writeFileSync(file, img.png());
}

// ---------------------------------------------------------------- main

function main() {
  const opts = parseArgs(process.argv.slice(2));
  fs.mkdirSync(opts.data, {recursive: true});

  const coarse = buildCoarse(loadRings('land-110m'));
  const nCoarse = writeCoarse(path.join(opts.data, 'newcoast.txt'), coarse);

  const map = buildMap(loadRings('land-50m'));
  const nMap = writeMap(path.join(opts.data, 'coast5.bin'), map);

  writePicture(opts.png, coarse, map);
  process.stdout.write(`newcoast.txt: ${nCoarse} points in ${coarse.length} lines\n` +
    `coast5.bin: ${nMap} records in ${map.length} lines\n` +
    `picture: ${opts.png}\n`);
}

if (require.main === module) main();
module.exports = {loadRings, ringArea, buildCoarse, buildMap, Image, drawPanel, drawGlobe, drawWorldMap, MAP_UNIT};

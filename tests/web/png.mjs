// SPDX-License-Identifier: GPL-3.0-or-later
// Reads a PNG into RGBA bytes: enough of the format for the program's own shots and for
// checking that a downloaded picture decodes (8-bit or paletted, not interlaced).
import zlib from 'node:zlib';

const SIGNATURE = Buffer.from([137, 80, 78, 71, 13, 10, 26, 10]);

export function decodePng(bytes) {
  const buf = Buffer.from(bytes);
  if (buf.length < 8 || !buf.subarray(0, 8).equals(SIGNATURE)) throw new Error('not a PNG');
  let at = 8, header = null, palette = null, alpha = null;
  const data = [];
  while (at + 8 <= buf.length) {
    const length = buf.readUInt32BE(at);
    const type = buf.toString('latin1', at + 4, at + 8);
    const body = buf.subarray(at + 8, at + 8 + length);
    if (body.length !== length) throw new Error('PNG cut short');
    if (type === 'IHDR') {
      header = { width: body.readUInt32BE(0), height: body.readUInt32BE(4), depth: body[8],
                 colour: body[9], interlace: body[12] };
    } else if (type === 'PLTE') {
      palette = body;
    } else if (type === 'tRNS') {
      alpha = body;
    } else if (type === 'IDAT') {
      data.push(body);
    } else if (type === 'IEND') {
      break;
    }
    at += 12 + length;
  }
  if (!header) throw new Error('PNG without a header');
  const { width, height, depth, colour, interlace } = header;
  if (interlace) throw new Error('interlaced PNG');
  const channels = { 0: 1, 2: 3, 3: 1, 4: 2, 6: 4 }[colour];
  if (!channels || (depth !== 8 && !(colour === 3 && [1, 2, 4].includes(depth)))) {
    throw new Error(`unsupported PNG: colour type ${colour}, depth ${depth}`);
  }
  const raw = zlib.inflateSync(Buffer.concat(data));
  const stride = Math.ceil((width * channels * depth) / 8);
  const bpp = Math.max(1, (channels * depth) >> 3);
  if (raw.length < height * (stride + 1)) throw new Error('PNG data cut short');
  const lines = Buffer.alloc(height * stride);
  for (let y = 0; y < height; y++) {
    const filter = raw[y * (stride + 1)];
    const src = raw.subarray(y * (stride + 1) + 1, (y + 1) * (stride + 1));
    const line = lines.subarray(y * stride, (y + 1) * stride);
    const up = y ? lines.subarray((y - 1) * stride, y * stride) : Buffer.alloc(stride);
    for (let x = 0; x < stride; x++) {
      const a = x >= bpp ? line[x - bpp] : 0, b = up[x], c = x >= bpp ? up[x - bpp] : 0;
      let v = src[x];
      if (filter === 1) v += a;
      else if (filter === 2) v += b;
      else if (filter === 3) v += (a + b) >> 1;
      else if (filter === 4) {
        const p = a + b - c, pa = Math.abs(p - a), pb = Math.abs(p - b), pc = Math.abs(p - c);
        v += pa <= pb && pa <= pc ? a : pb <= pc ? b : c;
      } else if (filter !== 0) throw new Error('bad PNG filter');
      line[x] = v & 255;
    }
  }
  const rgba = new Uint8Array(width * height * 4);
  for (let y = 0; y < height; y++) {
    const line = lines.subarray(y * stride, (y + 1) * stride);
    for (let x = 0; x < width; x++) {
      const o = (y * width + x) * 4;
      if (colour === 3) {
        const bits = x * depth;
        const i = (line[bits >> 3] >> (8 - depth - (bits & 7))) & ((1 << depth) - 1);
        if (!palette || i * 3 + 2 >= palette.length) throw new Error('PNG palette too short');
        rgba[o] = palette[i * 3];
        rgba[o + 1] = palette[i * 3 + 1];
        rgba[o + 2] = palette[i * 3 + 2];
        rgba[o + 3] = alpha && i < alpha.length ? alpha[i] : 255;
      } else {
        const p = x * channels;
        const grey = channels < 3;
        rgba[o] = line[p];
        rgba[o + 1] = grey ? line[p] : line[p + 1];
        rgba[o + 2] = grey ? line[p] : line[p + 2];
        rgba[o + 3] = channels === 4 ? line[p + 3] : channels === 2 ? line[p + 1] : 255;
      }
    }
  }
  return { width, height, data: rgba };
}

// How many pixels differ, and the box around them.
export function comparePictures(a, b) {
  if (a.width !== b.width || a.height !== b.height) {
    return { different: a.width * a.height, box: 'sizes differ' };
  }
  let different = 0, x0 = a.width, y0 = a.height, x1 = -1, y1 = -1;
  for (let i = 0, n = a.width * a.height; i < n; i++) {
    const o = i * 4;
    if (a.data[o] !== b.data[o] || a.data[o + 1] !== b.data[o + 1] ||
        a.data[o + 2] !== b.data[o + 2] || a.data[o + 3] !== b.data[o + 3]) {
      different++;
      const x = i % a.width, y = (i / a.width) | 0;
      x0 = Math.min(x0, x); x1 = Math.max(x1, x); y0 = Math.min(y0, y); y1 = Math.max(y1, y);
    }
  }
  return { different, box: different ? `${x0},${y0} .. ${x1},${y1}` : '' };
}

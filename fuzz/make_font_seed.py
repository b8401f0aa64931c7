#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Writes the font fuzzer's seed: a TrueType file of a few hundred bytes with a square glyph
for 'A' and 'x' and a triangle for the degree sign, mapped through a format 4 character map.
Usage: make_font_seed.py OUT.ttf"""
import struct
import sys


def glyph(points):
    """One closed contour of on-curve points, coordinates as shorts."""
    xs = [p[0] for p in points]
    ys = [p[1] for p in points]
    data = struct.pack(">hhhhh", 1, min(xs), min(ys), max(xs), max(ys))
    data += struct.pack(">H", len(points) - 1) + struct.pack(">H", 0)
    data += bytes([0x01] * len(points))  # on curve, long coordinates
    last = 0
    for x in xs:
        data += struct.pack(">h", x - last)
        last = x
    last = 0
    for y in ys:
        data += struct.pack(">h", y - last)
        last = y
    return data + b"\0" * (len(data) % 2)


def cmap(mapping):
    codes = sorted(mapping)
    segs = [(c, c, mapping[c] - c) for c in codes] + [(0xFFFF, 0xFFFF, 1)]
    n = len(segs)
    body = struct.pack(">HHHH", n * 2, 2, 1, n * 2 - 2)
    body += b"".join(struct.pack(">H", s[1]) for s in segs) + b"\0\0"
    body += b"".join(struct.pack(">H", s[0]) for s in segs)
    body += b"".join(struct.pack(">h", s[2]) for s in segs)
    body += b"\0\0" * n
    sub = struct.pack(">HHH", 4, 6 + len(body), 0) + body
    return struct.pack(">HHHHI", 0, 1, 3, 1, 12) + sub


def main(out):
    square = glyph([(100, 0), (100, 700), (500, 700), (500, 0)])
    small = glyph([(50, 0), (50, 500), (450, 500), (450, 0)])
    degree = glyph([(100, 500), (250, 700), (400, 500)])
    glyphs = [b"", square, small, degree]
    glyf, loca = b"", []
    for g in glyphs:
        loca.append(len(glyf) // 2)
        glyf += g
    loca.append(len(glyf) // 2)
    n = len(glyphs)
    tables = {
        b"cmap": cmap({0x41: 1, 0x78: 2, 0xB0: 3}),
        b"glyf": glyf,
        b"head": struct.pack(">IIIIHHQQhhhhHHhhh", 0x10000, 0, 0, 0x5F0F3CF5, 0, 1000, 0, 0,
                             0, -200, 600, 800, 0, 8, 2, 0, 0),
        b"hhea": struct.pack(">IhhhHhhhhhhhhhhhH", 0x10000, 800, -200, 0, 600, 0, 0, 500, 1,
                             0, 0, 0, 0, 0, 0, 0, n),
        b"hmtx": b"".join(struct.pack(">Hh", 600, 0) for _ in range(n)),
        b"loca": b"".join(struct.pack(">H", o) for o in loca),
        b"maxp": struct.pack(">IHHHHHHHHHHHHHH", 0x10000, n, 4, 1, 0, 0, 2, 0, 0, 0, 0, 0, 0, 0, 0),
        b"OS/2": struct.pack(">HhHHHhhhhhhhhhhh10sIIIIIIHHHhhhHH", 0, 500, 400, 5, 0,
                             0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, b"\0" * 10, 1, 0, 0, 0, 0, 0,
                             0x40, 0x41, 0xB0, 800, -200, 0, 800, 200),
    }
    tags = sorted(tables)
    offset = 12 + 16 * len(tags)
    directory, body = b"", b""
    for tag in tags:
        data = tables[tag]
        directory += struct.pack(">4sIII", tag, 0, offset + len(body), len(data))
        body += data + b"\0" * (-len(data) % 4)
    header = struct.pack(">IHHHH", 0x10000, len(tags), 128, 3, len(tags) * 16 - 128)
    with open(out, "wb") as f:
        f.write(header + directory + body)


if __name__ == "__main__":
    main(sys.argv[1])

# SPDX-License-Identifier: GPL-3.0-or-later
"""Indexed PNG writing and the program's fixed palette (standard library only)."""
import struct
import zlib

# Slots 1..50 as the program sets them at start-up; 0 is black and 255 white.
FIXED = {
    1: (0, 0, 192), 2: (0, 192, 0), 3: (0, 192, 192), 4: (192, 0, 0),
    5: (192, 0, 192), 6: (192, 192, 0), 7: (192, 192, 192), 8: (128, 128, 128),
    9: (128, 128, 255), 10: (128, 255, 128), 11: (128, 255, 255), 12: (255, 128, 128),
    13: (255, 128, 255), 14: (255, 255, 0), 15: (255, 255, 255),
    16: (29, 105, 159), 17: (44, 144, 215), 18: (128, 187, 231), 19: (148, 198, 235),
    20: (178, 214, 240), 21: (201, 226, 244), 22: (235, 245, 251),
    23: (92, 92, 92), 24: (135, 135, 135), 25: (170, 170, 170), 26: (192, 192, 192),
    27: (210, 210, 210), 28: (225, 225, 225), 29: (240, 240, 240),
    30: (132, 119, 59), 31: (184, 169, 98), 32: (207, 197, 149), 33: (215, 207, 167),
    34: (221, 214, 181), 35: (232, 227, 205), 36: (247, 245, 236),
    37: (92, 0, 0), 38: (135, 0, 0), 39: (170, 0, 0), 40: (192, 0, 0),
    41: (210, 0, 0), 42: (225, 0, 0), 43: (240, 0, 0),
    44: (0, 64, 0), 45: (0, 127, 0), 46: (0, 170, 0), 47: (0, 192, 0),
    48: (0, 210, 0), 49: (0, 240, 0), 50: (0, 255, 0),
}

TRANSPARENT = 19  # colour key of the sprite sheet, cursors and icon
ALLOWED = set(range(0, 51)) | {255}


def palette():
    """256 RGB triples: the fixed slots, white at 255, and the distinct near-blacks
    the free slots hold before a screen sets them."""
    pal = []
    for i in range(256):
        if i == 0:
            pal.append((0, 0, 0))
        elif i == 255:
            pal.append((255, 255, 255))
        elif i in FIXED:
            pal.append(FIXED[i])
        else:
            pal.append((1, 1, i))
    return pal


def _chunk(kind, data):
    body = kind + data
    return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body) & 0xFFFFFFFF)


def encode_png(width, height, pixels, transparent=None):
    """pixels: row-major list of palette indices. Returns the PNG bytes (8-bit indexed,
    no filtering: the files are tiny and this keeps them byte-stable)."""
    assert len(pixels) == width * height
    raw = bytearray()
    for y in range(height):
        raw.append(0)
        raw.extend(pixels[y * width:(y + 1) * width])
    out = b"\x89PNG\r\n\x1a\n"
    out += _chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, 3, 0, 0, 0))
    out += _chunk(b"PLTE", b"".join(bytes(c) for c in palette()))
    if transparent is not None:
        # Only the key is see-through, so viewers and RGBA loaders show the shape.
        out += _chunk(b"tRNS", bytes([255] * transparent + [0]))
    out += _chunk(b"IDAT", zlib.compress(bytes(raw), 9))
    out += _chunk(b"IEND", b"")
    return out


def write_png(path, width, height, pixels, transparent=None):
    data = encode_png(width, height, pixels, transparent)
    with open(path, "wb") as f:
        f.write(data)

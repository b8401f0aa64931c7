#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Draws every image the program embeds and writes them as indexed PNG files.

    python3 tools/resgen/resgen.py [--out resources] [--preview docs/resources-preview.png]

Output is deterministic, so regenerating unchanged art leaves the files byte-identical."""
import argparse
import os
import sys

sys.dont_write_bytecode = True  # keep the source folder clean
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

import art  # noqa: E402
from pngio import write_png, ALLOWED, TRANSPARENT  # noqa: E402
from raster import Canvas  # noqa: E402

# name: (draw function, cell in the 1024-wide sheet, cell in the 800-wide sheet)
SPRITES = [
    ("tilt", art.tilt_icon, (0, 0, 32, 32), (0, 0, 24, 24)),
    ("shape", art.shape_icon, (32, 0, 32, 32), (24, 0, 24, 24)),
    ("temperature", art.temperature_icon, (32, 32, 32, 32), (24, 24, 24, 24)),
    ("spare", art.spare_icon, (40, 128, 32, 32), (30, 96, 24, 24)),
    ("daylight", art.daylight_icon, (64, 32, 32, 32), (48, 24, 24, 24)),
    ("solar", art.solar_icon, (0, 32, 32, 32), (0, 24, 24, 24)),
    ("latitudes", art.latitudes_icon, (64, 0, 32, 32), (48, 0, 24, 24)),
    ("normal", art.normal_icon, (96, 32, 32, 32), (72, 24, 24, 24)),
    ("watch", art.watch_icon, (140, 64, 48, 32), (105, 48, 36, 24)),
    ("rounder", art.rounder_icon, (128, 32, 32, 32), (117, 24, 20, 24)),
    ("stretched", art.stretched_icon, (160, 32, 32, 32), (96, 24, 20, 24)),
    ("done", art.done_icon, (0, 96, 40, 40), (0, 72, 28, 30)),
    ("question", art.question_icon, (32, 64, 32, 32), (24, 48, 24, 24)),
    ("panel", art.panel_mark, (0, 64, 16, 16), (0, 48, 8, 8)),
    ("sparemark", art.spare_mark, (72, 96, 12, 12), (54, 72, 8, 8)),
    ("newer", lambda w, h: art.updown_icon(w, h, True), (96, 64, 22, 22), (73, 48, 16, 16)),
    ("older", lambda w, h: art.updown_icon(w, h, False), (118, 64, 22, 22), (89, 48, 16, 16)),
    ("delete", art.delete_icon, (68, 64, 22, 32), (48, 48, 24, 24)),
    ("about", art.about_logo, (84, 96, 64, 32), (63, 72, 48, 24)),
    ("open", art.open_book_icon, (96, 0, 32, 32), (72, 0, 24, 24)),
    ("save", art.save_book_icon, (160, 0, 32, 32), (120, 0, 24, 24)),
    ("users", art.users_icon, (128, 0, 32, 32), (96, 0, 24, 24)),
    ("exit", art.exit_icon, (40, 96, 32, 32), (30, 72, 24, 24)),
    ("close", art.close_icon, (159, 96, 12, 12), (120, 72, 10, 10)),
    ("minimise", art.minimise_icon, (147, 96, 12, 12), (111, 72, 10, 10)),
]

SHEETS = [("sprites_1024.png", 192, 168, 2), ("sprites_800.png", 144, 126, 3)]

# Rows, top row first, most significant bit leftmost; 0 bits are black, 1 bits white.
BRUSHES = [
    [0x00] * 8,
    [0x22, 0x88] * 4,
    [0xFF, 0xAA, 0xFF, 0x55] * 2,
    [0xDD, 0x77] * 4,
    [0x77, 0xFF, 0xDD, 0xFF] * 2,
    [0x7F, 0xFF, 0xF7, 0xFF] * 2,
    [0x7F, 0xFF, 0xFF, 0xFF, 0xF7, 0xFF, 0xFF, 0xFF],
    [0x33, 0xFF, 0xFF, 0x33] * 2,
    [0xEF, 0xEF, 0xEF, 0x00, 0xFE, 0xFE, 0xFE, 0x00],
    [0x7F, 0xFF, 0xFF, 0xEB, 0xF7, 0xFF, 0xFF, 0xBE],
]


def build_sheet(w, h, col):
    sheet = Canvas(w, h)
    owner = [None] * (w * h)
    for name, draw, *cells in SPRITES:
        x, y, cw, ch = cells[col - 2]
        img = draw(cw, ch)
        assert (img.w, img.h) == (cw, ch), name
        for j in range(ch):
            for i in range(cw):
                c = img.px[j * cw + i]
                if c == TRANSPARENT:
                    continue
                k = (y + j) * w + (x + i)
                # Two cells of the layout share a column; only one of them may draw there.
                if owner[k] is not None:
                    raise SystemExit(f"{name} and {owner[k]} both draw at ({x + i}, {y + j})")
                owner[k] = name
                sheet.px[k] = c
    return sheet


def brush(rows):
    c = Canvas(8, 8)
    for y, bits in enumerate(rows):
        for x in range(8):
            c.set(x, y, 255 if bits & (0x80 >> x) else 0)
    return c


def check(name, canvas):
    bad = set(canvas.px) - ALLOWED
    if bad:
        raise SystemExit(f"{name}: indices outside the fixed palette: {sorted(bad)}")


def enlarge(c, k, bg=None):
    out = Canvas(c.w * k, c.h * k)
    for y in range(out.h):
        for x in range(out.w):
            v = c.px[(y // k) * c.w + x // k]
            out.px[y * out.w + x] = bg if (bg is not None and v == TRANSPARENT) else v
    return out


def preview(images, path):
    """Everything enlarged, on the panel grey and on the blue button face (which is the
    colour key itself), plus the sheets at their real size."""
    s1024, s800 = images["sprites_1024.png"], images["sprites_800.png"]
    pad = 16
    W = pad * 3 + 2 * s1024.w * 4
    parts = []
    y = pad
    for sheet in (s1024, s800):
        parts.append((enlarge(sheet, 4, 26), pad, y))
        parts.append((enlarge(sheet, 4), pad * 2 + s1024.w * 4, y))
        y += sheet.h * 4 + pad
    x = pad
    for sheet in (s1024, s800):
        for bg in (26, None):
            parts.append((enlarge(sheet, 1, bg), x, y))
            x += sheet.w + pad
    for sheet in (s1024, s800):
        parts.append((enlarge(sheet, 2, 26), x, y))
        x += sheet.w * 2 + pad
    y += s1024.h * 2 + pad
    x = pad
    for name in ("cursor_1.png", "cursor_2.png", "cursor_3.png", "icon.png"):
        parts.append((enlarge(images[name], 4, 26), x, y))
        x += 128 + pad
    for name in ("cursor_1.png", "cursor_2.png", "cursor_3.png", "icon.png"):
        parts.append((enlarge(images[name], 1, 26), x, y))
        x += 32 + pad
    x += pad
    for n in range(1, 11):
        parts.append((enlarge(images[f"brush_{n}.png"], 4), x, y))
        x += 32 + 8
    y += 128 + pad
    out = Canvas(W, y, 8)
    for img, ox, oy in parts:
        out.blit(img, ox, oy)
    write_png(path, out.w, out.h, out.px)


DESKTOP_ICON_SIZES = (48, 64, 128, 256)
# The web page's icons: the browser tab, and the installed app on phones and Chromebooks.
WEB_ICON_SIZES = (32, 192, 512)


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    root = os.path.dirname(os.path.dirname(here))
    ap = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    ap.add_argument("--out", default=os.path.join(root, "resources"))
    ap.add_argument("--preview", default=os.path.join(root, "docs", "resources-preview.png"))
    ap.add_argument("--web", default=os.path.join(root, "web", "icons"))
    args = ap.parse_args()

    images, keyed = {}, set()
    for name, w, h, col in SHEETS:
        images[name] = build_sheet(w, h, col)
    hotspots = []
    for shape, make in ((1, art.cursor_arrow), (2, art.cursor_busy), (3, art.cursor_hand)):
        img, spot = make()
        name = f"cursor_{shape}.png"
        if img.get(*spot) == TRANSPARENT:
            raise SystemExit(f"{name}: the hotspot {spot} is on a transparent pixel")
        images[name] = img
        keyed.add(name)
        hotspots.append((shape, spot))
    images["icon.png"] = art.program_icon(32, 32)
    keyed.add("icon.png")
    # The desktop's menu and launcher icons (installed, not embedded), each drawn at its size.
    for size in DESKTOP_ICON_SIZES:
        images[f"icon_{size}.png"] = art.program_icon(size, size)
        keyed.add(f"icon_{size}.png")
    for n, rows in enumerate(BRUSHES, 1):
        images[f"brush_{n}.png"] = brush(rows)

    os.makedirs(args.out, exist_ok=True)
    for name, img in images.items():
        check(name, img)
        write_png(os.path.join(args.out, name), img.w, img.h, img.px,
                  TRANSPARENT if name in keyed else None)
    with open(os.path.join(args.out, "cursors.txt"), "w") as f:
        f.write("# shape x y: the pointer's hotspot in cursor_<shape>.png (written by tools/resgen)\n")
        for shape, (x, y) in hotspots:
            f.write(f"{shape} {x} {y}\n")
    if args.web:
        os.makedirs(args.web, exist_ok=True)
        for size in WEB_ICON_SIZES:
            img = art.program_icon(size, size)
            check(f"icon-{size}.png", img)
            write_png(os.path.join(args.web, f"icon-{size}.png"), img.w, img.h, img.px, TRANSPARENT)
    if args.preview:
        os.makedirs(os.path.dirname(args.preview), exist_ok=True)
        preview(images, args.preview)


if __name__ == "__main__":
    main()

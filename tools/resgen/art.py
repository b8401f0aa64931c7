# SPDX-License-Identifier: GPL-3.0-or-later
"""The sprites, cursors and program icon, drawn for each size they are used at.

Every function takes the cell size and returns a Canvas of exactly that size. Shapes
are laid out on a 32-unit grid and scaled, but stroke widths keep a floor of about one
pixel so the small layout stays crisp; where scaling alone does not read well, the
small size gets its own touch-ups."""
import math
from raster import (Canvas, Scene, T, ellipse, disc, rect, polygon, line,
                    polyline, halfplane, thin_ellipse, thin_line, plot, halo)

# Palette slots used by the art.
BLACK, WHITE = 0, 255
NAVY, YELLOW, OLIVE = 1, 14, 6
B0, B1, B2, B4, B5, B6 = 16, 17, 18, 20, 21, 22          # blues, dark to pale (19 is the key)
G0, G1, G2, G3, G4, G5, G6 = 23, 24, 25, 26, 27, 28, 29  # greys
TAN0, TAN1, TAN2, TAN3, TAN4, TAN5, TAN6 = 30, 31, 32, 33, 34, 35, 36
R0, R1, R2, R3, R4, R5, R6 = 37, 38, 39, 40, 41, 42, 43  # reds
GR0, GR1, GR2, GR3, GR4, GR5, GR6 = 44, 45, 46, 47, 48, 49, 50


def px(v, s, floor=1.0):
    """A stroke width of v units on the 32 grid, never thinner than `floor` pixels."""
    return max(v * s, floor)


# ---- shared pieces ----------------------------------------------------------------

# Continents as ellipses on the unit disc: (u, v, ru, rv, angle). Abstract, but they
# read as land and sea at every size we draw.
LAND = [(-0.38, -0.30, 0.42, 0.24, 35), (-0.20, 0.28, 0.20, 0.38, -15),
        (0.40, -0.05, 0.24, 0.42, 10), (0.55, 0.55, 0.18, 0.12, 0)]


def globe(sc, cx, cy, r, tilt=0.0, outline=B0, ow=1.2, land=LAND, shade=True):
    """A lit globe: ocean, land, a shaded limb on the lower right, an outline."""
    t = math.radians(tilt)
    ct, st = math.cos(t), math.sin(t)
    body = disc(cx, cy, r)
    sc.add(disc(cx, cy, r + ow), outline)
    sc.add(body, B1)
    for (u, v, ru, rv, a) in land:
        x = cx + (u * ct - v * st) * r
        y = cy + (u * st + v * ct) * r
        blob = ellipse(x, y, ru * r, rv * r, a + tilt) & body
        sc.add(blob, GR2)
        if shade:
            sc.add(blob - disc(cx - 0.22 * r, cy - 0.22 * r, r * 0.98), GR1)
    if shade:
        sc.add((body - disc(cx - 0.22 * r, cy - 0.22 * r, r * 0.98)) - _land(cx, cy, r, ct, st, land), B0)
        sc.add(disc(cx - 0.45 * r, cy - 0.45 * r, max(0.16 * r, 0.7)), B4)
    return body


def _land(cx, cy, r, ct, st, land):
    s = None
    for (u, v, ru, rv, a) in land:
        x = cx + (u * ct - v * st) * r
        y = cy + (u * st + v * ct) * r
        e = ellipse(x, y, ru * r, rv * r, a + math.degrees(math.atan2(st, ct)))
        s = e if s is None else s | e
    return s


def sun(sc, cx, cy, r, rays=8, ray_in=None, ray_out=None, ray_w=None, phase=0.0, s=1.0):
    """A yellow sun with an olive rim and pointed rays."""
    ray_in = r + 2.0 * s if ray_in is None else ray_in
    ray_out = r + 6.0 * s if ray_out is None else ray_out
    ray_w = 3.0 * s if ray_w is None else ray_w
    for i in range(rays):
        a = math.radians(phase + 360.0 * i / rays)
        ca, sa = math.cos(a), math.sin(a)
        hw = ray_w / 2
        tri = [(cx + ca * ray_in - sa * hw, cy + sa * ray_in + ca * hw),
               (cx + ca * ray_out, cy + sa * ray_out),
               (cx + ca * ray_in + sa * hw, cy + sa * ray_in - ca * hw)]
        sc.add(polygon(_grow(tri, 0.9)), OLIVE)
        sc.add(polygon(tri), YELLOW)
    sc.add(disc(cx, cy, r + max(1.0, 1.1 * s)), OLIVE)
    sc.add(disc(cx, cy, r), YELLOW)


def _grow(pts, d):
    """Push a convex polygon's corners out by about d pixels from its centre."""
    mx = sum(p[0] for p in pts) / len(pts)
    my = sum(p[1] for p in pts) / len(pts)
    out = []
    for x, y in pts:
        dx, dy = x - mx, y - my
        L = math.hypot(dx, dy) or 1
        out.append((x + dx / L * d, y + dy / L * d))
    return out


def arrow(sc, x0, y0, x1, y1, w, head, fill, edge, ow=1.0):
    """A straight arrow from (x0, y0) to the tip (x1, y1)."""
    dx, dy = x1 - x0, y1 - y0
    L = math.hypot(dx, dy)
    ux, uy = dx / L, dy / L
    bx, by = x1 - ux * head, y1 - uy * head
    hw = head * 0.75
    shaft = polygon([(x0 - uy * w / 2, y0 + ux * w / 2), (bx - uy * w / 2, by + ux * w / 2),
                     (bx + uy * w / 2, by - ux * w / 2), (x0 + uy * w / 2, y0 - ux * w / 2)])
    tip = polygon([(bx - uy * hw, by + ux * hw), (x1, y1), (bx + uy * hw, by - ux * hw)])
    if edge is not None:
        sc.add(polygon(_outline_pts(x0, y0, x1, y1, w, head, ow)), edge)
    sc.add(shaft | tip, fill)


def _outline_pts(x0, y0, x1, y1, w, head, o):
    dx, dy = x1 - x0, y1 - y0
    L = math.hypot(dx, dy)
    ux, uy = dx / L, dy / L
    bx, by = x1 - ux * head, y1 - uy * head
    hw = head * 0.75 + o * 1.4
    sw = w / 2 + o
    sx, sy = x0 - ux * o, y0 - uy * o
    tx, ty = x1 + ux * o * 1.8, y1 + uy * o * 1.8
    return [(sx - uy * sw, sy + ux * sw), (bx - uy * sw, by + ux * sw), (bx - uy * hw, by + ux * hw),
            (tx, ty), (bx + uy * hw, by - ux * hw), (bx + uy * sw, by - ux * sw), (sx + uy * sw, sy - ux * sw)]


# ---- the sprites ------------------------------------------------------------------

def tilt_icon(w, h):
    s = w / 32.0
    c = Canvas(w, h)
    sc = Scene(w, h)
    cx, cy, r = w / 2.0, h / 2.0 + 1.0 * s, 10.0 * s
    a = math.radians(23.5)
    L = 16.0 * s
    dxa, dya = math.sin(a) * L, -math.cos(a) * L
    # Upright reference, dashed, above the globe.
    for y0 in ((0.0, 3.0) if w >= 32 else (0.0,)):
        sc.add(rect(math.floor(cx) - 1, y0, math.floor(cx), y0 + 2.0), G0)
    sc.add(line(cx - dxa, cy - dya, cx + dxa, cy + dya, px(2.4, s, 1.8)), BLACK)
    body = globe(sc, cx, cy, r, tilt=23.5)
    ex, ey = math.cos(a) * r, math.sin(a) * r
    sc.add(line(cx - ex, cy - ey, cx + ex, cy + ey, px(1.6, s, 1.1)) & body, R6)
    sc.render(c)
    # The axis runs on through the globe.
    ax = thin_line(cx - dxa * 0.6, cy - dya * 0.6, cx + dxa * 0.6, cy + dya * 0.6) if w >= 32 else []
    plot(c, [p for p in ax if body(p[0] + 0.5, p[1] + 0.5) and c.get(*p) != R6], BLACK)
    return c


def shape_icon(w, h):
    s = w / 32.0
    c = Canvas(w, h)
    cx, cy = w / 2.0, h / 2.0
    # The circle it could be, dashed, and the stretched orbit it is.
    circ = thin_ellipse(cx, cy, 8.5 * s, 8.5 * s)
    plot(c, [p for i, p in enumerate(circ) if (i // 3) % 2 == 0], G0)
    orbit_line(c, cx, cy, 14.0 * s, 7.0 * s)
    sc = Scene(w, h)
    sun(sc, cx - 4.0 * s, cy, 3.2 * s, rays=8, ray_in=4.6 * s, ray_out=6.8 * s, ray_w=2.0 * s, s=s)
    a = math.radians(-50)
    globe(sc, cx + 14.0 * s * math.cos(a), cy - 7.0 * s * math.sin(a), 3.6 * s, ow=1.0, shade=False,
          land=[(-0.2, -0.2, 0.5, 0.35, 30)])
    return sc.render(c)


def temperature_icon(w, h):
    s = w / 32.0
    sc = Scene(w, h)
    cx = w / 2.0 - 1.5 * s
    top, bulb_y, tw, br = 4.0 * s, 24.5 * s, 3.2 * s, 5.2 * s
    o = max(1.1, 1.3 * s)
    tube = rect(cx - tw, top, cx + tw, bulb_y) | disc(cx, top, tw)
    bulb = disc(cx, bulb_y, br)
    sc.add(rect(cx - tw - o, top, cx + tw + o, bulb_y) | disc(cx, top, tw + o) | disc(cx, bulb_y, br + o), G0)
    sc.add(tube | bulb, WHITE)
    sc.add(rect(cx - 1.4 * s - 0.3, 12.5 * s, cx + 1.4 * s + 0.3, bulb_y) | disc(cx, bulb_y, br - 1.5 * s), R5)
    sc.add(disc(cx + 1.6 * s, bulb_y + 1.6 * s, br - 2.2 * s) & disc(cx, bulb_y, br - 1.5 * s) -
           disc(cx - 0.8 * s, bulb_y - 0.8 * s, br - 1.9 * s), R2)
    sc.add(disc(cx - 1.5 * s, bulb_y - 1.7 * s, max(1.0 * s, 0.6)), R6)
    # Scale marks.
    for i, y in enumerate((6.5, 10.0, 13.5, 17.0)):
        ln = 4.0 if i % 2 == 0 else 2.6
        sc.add(line(cx + tw + o + 1.2 * s, y * s, cx + tw + o + 1.2 * s + ln * s, y * s, px(1.2, s), cap=False), G0)
    return sc.render()


def solar_icon(w, h):
    s = w / 32.0
    sc = Scene(w, h)
    cx, cy = w / 2.0, h / 2.0
    sun(sc, cx, cy, 7.0 * s, rays=8, ray_in=8.8 * s, ray_out=15.2 * s, ray_w=4.6 * s, phase=0, s=s)
    sc.add(disc(cx - 2.2 * s, cy - 2.2 * s, 2.2 * s) & disc(cx, cy, 7.0 * s), WHITE)
    return sc.render()


def daylight_icon(w, h):
    s = w / 32.0
    sc = Scene(w, h)
    cx, hy = w / 2.0 + 1.0 * s, 20.0 * s
    sun(sc, cx, hy, 8.0 * s, rays=9, ray_in=10.0 * s, ray_out=15.5 * s, ray_w=3.6 * s, phase=0, s=s)
    # Two hills in front hide the lower half of the sun.
    o = max(1.0, 1.1 * s)
    hills = [(5.0 * s, hy + 10.0 * s, 17.0 * s, 10.5 * s), (28.0 * s, hy + 12.0 * s, 15.0 * s, 11.0 * s)]
    for hx, hyc, rx, ry in hills:
        sc.add(ellipse(hx, hyc, rx + o, ry + o), GR0)
    for hx, hyc, rx, ry in hills:
        sc.add(ellipse(hx, hyc, rx, ry), GR3)
        sc.add(ellipse(hx, hyc, rx, ry) - ellipse(hx - 3.0 * s, hyc - 3.0 * s, rx, ry), GR2)
    sc.add(ellipse(hills[1][0], hills[1][1], hills[1][2] + o, hills[1][3] + o) &
           ellipse(hills[0][0], hills[0][1], hills[0][2], hills[0][3]) -
           ellipse(hills[1][0], hills[1][1], hills[1][2], hills[1][3]), GR0)
    return sc.render()


def latitudes_icon(w, h):
    s = w / 32.0
    sc = Scene(w, h)
    cx, cy, r = w / 2.0, h / 2.0, 11.0 * s
    body = globe(sc, cx, cy, r)
    for f in (-0.8, -0.42, 0.0, 0.42, 0.8):
        sc.add(line(cx - r, cy + f * r, cx + r, cy + f * r, px(0.9, s, 0.9), cap=False) & body, B5)
    # The two chosen latitudes stand out past the globe's edge.
    for f, col in ((-0.42, R6), (0.42, YELLOW)):
        y = math.floor(cy + f * r) + 0.0
        hw = math.sqrt(1 - f * f) * r + 2.0 * s
        th = 2.0 if w >= 32 else 1.0
        sc.add(rect(cx - hw - 1, y - 1, cx + hw + 1, y + th + 1), B0)
        sc.add(rect(cx - hw, y, cx + hw, y + th), col)
    return sc.render()


def tick(sc, pts, w, fill, edge, hi=None):
    sc.add(polyline(pts, w + 2.2), edge)
    sc.add(polyline(pts, w), fill)
    if hi is not None:
        a, b, c = pts
        sc.add(line(b[0] + 0.1 * w, b[1] - 0.55 * w, c[0] - 0.3 * w, c[1] - 0.1 * w, max(1.0, w * 0.28)), hi)


def normal_icon(w, h):
    s = w / 32.0
    sc = Scene(w, h)
    globe(sc, 13.0 * s, 13.0 * s, 10.5 * s, tilt=23.5)
    tick(sc, [(15.0 * s, 21.5 * s), (20.0 * s, 27.0 * s), (29.5 * s, 14.5 * s)], px(4.2, s, 3.0), GR4, GR0)
    return sc.render()


def watch_icon(w, h):
    s = h / 32.0
    c = Canvas(w, h)
    cx, cy = w / 2.0, h / 2.0 + 1.0 * s
    rx, ry = w / 2.0 - 2.5 * s, 10.0 * s
    orbit_line(c, cx, cy, rx, ry)
    sc = Scene(w, h)
    sun(sc, cx - 3.0 * s, cy - 0.5 * s, 5.0 * s, rays=8, ray_in=6.5 * s, ray_out=9.5 * s, ray_w=3.0 * s,
        phase=22.5, s=s)
    a = math.radians(215)
    ex, ey = cx + rx * math.cos(a), cy - ry * math.sin(a)
    globe(sc, ex, ey, 4.8 * s, tilt=23.5, ow=1.1, land=[(-0.3, -0.25, 0.5, 0.3, 30), (0.35, 0.4, 0.3, 0.3, 0)])
    return sc.render(c)


def orbit_arrows(sc, cx, cy, s, vertical, reach, size):
    """Red arrows that pull the orbit outwards along one axis."""
    for sgn in (-1, 1):
        if vertical:
            arrow(sc, cx, cy + sgn * (reach - size * 1.1), cx, cy + sgn * reach, px(1.8, s, 1.2), size, R5, R1, 0.8)
        else:
            arrow(sc, cx + sgn * (reach - size * 1.1), cy, cx + sgn * reach, cy, px(1.8, s, 1.2), size, R5, R1, 0.8)


def rounder_icon(w, h):
    s = h / 32.0
    c = Canvas(w, h)
    cx, cy = w / 2.0, h / 2.0
    r = min(w / 2.0 - 2.0, 9.0 * s)
    orbit_line(c, cx, cy, r, r)
    sc = Scene(w, h)
    sun(sc, cx, cy, 3.0 * s, rays=8, ray_in=4.3 * s, ray_out=6.3 * s, ray_w=2.0 * s, s=s)
    orbit_arrows(sc, cx, cy, s, True, h / 2.0 - 0.4, 4.2 * s)
    return sc.render(c)


def stretched_icon(w, h):
    s = h / 32.0
    c = Canvas(w, h)
    cx, cy = w / 2.0, h / 2.0
    rx, ry = w / 2.0 - 2.0, 4.5 * s
    orbit_line(c, cx, cy, rx, ry)
    sc = Scene(w, h)
    sun(sc, cx - rx * 0.5, cy, 2.4 * s, rays=8, ray_in=3.6 * s, ray_out=5.2 * s, ray_w=1.8 * s, s=s)
    # Arrows above and below point along the long axis.
    for sgn in (-1, 1):
        y = cy + sgn * (ry + 6.0 * s)
        for d in (-1, 1):
            arrow(sc, cx + d * 1.5 * s, y, cx + d * (w / 2.0 - 1.0), y, px(1.8, s, 1.2), 4.0 * s, R5, R1, 0.8)
    return sc.render(c)


def done_icon(w, h):
    s = min(w, h) / 40.0
    sc = Scene(w, h)
    pts = [(7.0 * s, 21.0 * s), (16.0 * s, 30.5 * s), (33.5 * s, 9.0 * s)]
    pts = [(x + (w - 40 * s) / 2, y + (h - 40 * s) / 2) for x, y in pts]
    tick(sc, pts, px(6.5, s, 4.0), GR3, GR0, hi=GR6)
    return sc.render()


def question_icon(w, h):
    s = w / 32.0
    sc = Scene(w, h)
    cx, cy, r = w / 2.0, h / 2.0, 13.5 * s
    sc.add(disc(cx, cy, r + max(1.1, 1.3 * s)), B0)
    sc.add(disc(cx, cy, r), WHITE)
    sc.add(disc(cx, cy, r) - disc(cx - 1.2 * s, cy - 1.2 * s, r - 0.4 * s), B5)
    q = Canvas(w, h)
    sc.render(q)
    glyph = QUESTION_32 if w >= 28 else QUESTION_24
    gw, gh = len(glyph[0]), len(glyph)
    q.pixmap(int(round(cx - gw / 2.0)), int(round(cy - gh / 2.0)), glyph, {'#': NAVY, '+': B0})
    return q


# A bold question mark, drawn by hand at each size: vector glyphs get mushy here.
QUESTION_32 = [
    "..#######..",
    ".#########.",
    "###+...####",
    "###.....###",
    "........###",
    ".......####",
    ".....#####.",
    "....####...",
    "....###....",
    "....###....",
    "...........",
    "....###....",
    "....###....",
    "....###....",
]
QUESTION_24 = [
    ".######.",
    "###..###",
    "##....##",
    "......##",
    "....###.",
    "...###..",
    "...##...",
    "........",
    "...##...",
    "...##...",
]


def panel_mark(w, h):
    """A quiet tile for large grey panels: pressed dots on the panel grey."""
    c = Canvas(w, h, G3)
    dots = [(2, 3), (10, 1), (6, 9), (14, 11), (1, 13)] if w >= 16 else [(1, 1), (5, 5)]
    for x, y in dots:
        c.set(x, y, G1 if w >= 16 else G2)
        c.set((x + 1) % w, (y + 1) % h, G5)
    return c


def spare_mark(w, h):
    if w < 12:
        c = Canvas(w, h)
        c.pixmap(0, 0, EARTH_8, {'#': B0, 'o': B1, 'g': GR2, 'w': B4})
        return c
    sc = Scene(w, h)
    r = w / 2.0 - 1.2
    globe(sc, w / 2.0, h / 2.0, r, tilt=23.5, ow=1.0, land=[(-0.3, -0.25, 0.5, 0.3, 30), (0.35, 0.4, 0.3, 0.3, 0)])
    return sc.render()


def updown_icon(w, h, up):
    s = w / 22.0
    sc = Scene(w, h)
    cx = w / 2.0
    top, bot = 1.8 * s, h - 2.2 * s
    head = 9.0 * s
    hw, sw = 8.6 * s, 3.4 * s
    pts = [(cx, top), (cx + hw, top + head), (cx + sw, top + head), (cx + sw, bot),
           (cx - sw, bot), (cx - sw, top + head), (cx - hw, top + head)]
    if not up:
        pts = [(x, h - y) for x, y in pts]
    sc.add(polygon(_grow(pts, max(1.2, 1.3 * s))), B0)
    sc.add(polygon(pts), WHITE)
    # The right half in shade gives the arrow some body.
    sc.add(polygon(pts) & rect(cx + 0.5 * s, 0, w, h), B5)
    return sc.render()


def delete_icon(w, h):
    s = min(w / 22.0, h / 32.0)
    sc = Scene(w, h)
    cx = w / 2.0
    bw = 7.5 * s           # half width of the bin at the top
    top = h / 2.0 - 11.0 * s
    bot = h / 2.0 + 13.5 * s
    o = max(1.1, 1.2 * s)
    lid_y0, lid_y1 = top + 2.5 * s, top + 5.5 * s
    body = polygon([(cx - bw, lid_y1 + 0.8 * s), (cx + bw, lid_y1 + 0.8 * s),
                    (cx + bw - 1.6 * s, bot), (cx - bw + 1.6 * s, bot)])
    lid = rect(cx - bw - 1.6 * s, lid_y0, cx + bw + 1.6 * s, lid_y1)
    handle = rect(cx - 3.0 * s, top - 0.6 * s, cx + 3.0 * s, lid_y0)
    sc.add(polygon(_grow([(cx - bw, lid_y1 + 0.8 * s), (cx + bw, lid_y1 + 0.8 * s),
                          (cx + bw - 1.6 * s, bot), (cx - bw + 1.6 * s, bot)], o * 1.3)), G0)
    sc.add(rect(cx - bw - 1.6 * s - o, lid_y0 - o, cx + bw + 1.6 * s + o, lid_y1 + o), G0)
    sc.add(rect(cx - 3.0 * s - o, top - 0.6 * s - o, cx + 3.0 * s + o, lid_y0), G0)
    sc.add(handle - rect(cx - 1.6 * s, top + 0.8 * s, cx + 1.6 * s, lid_y0), G4)
    sc.add(body, G5)
    sc.add(body & halfplane(cx + bw * 0.35, 0, cx + bw * 0.35 - 0.2, 1), G3)
    sc.add(lid, G5)
    sc.add(lid & rect(0, (lid_y0 + lid_y1) / 2 + 0.5, w, h), G3)
    n = 3
    for i in range(n):
        x = cx + (i - 1) * bw * 0.55
        sc.add(line(x, lid_y1 + 3.5 * s, x - (i - 1) * 0.6 * s, bot - 2.5 * s, px(1.5, s, 1.0)), G1)
    return sc.render()


def emblem(c, s, sun_x, sun_y, sun_r, ray_out, orbit, earth_angle, earth_r):
    """The program's mark: the Sun inside the orbit, and the tilted Earth on it."""
    ocx, ocy, orx, ory = orbit
    orbit_line(c, ocx, ocy, orx, ory)
    sc = Scene(c.w, c.h)
    sun(sc, sun_x, sun_y, sun_r, rays=12, ray_in=sun_r + 1.6 * s, ray_out=ray_out, ray_w=2.6 * s, phase=15, s=s)
    t = math.radians(earth_angle)
    ex, ey = ocx + orx * math.cos(t), ocy - ory * math.sin(t)
    a = math.radians(23.5)
    L = earth_r + 2.8 * s
    sc.add(line(ex - math.sin(a) * L, ey + math.cos(a) * L, ex + math.sin(a) * L, ey - math.cos(a) * L,
                px(1.8, s, 1.3)), BLACK)
    globe(sc, ex, ey, earth_r, tilt=23.5, ow=max(1.0, 1.1 * s))
    return sc.render(c)


def about_logo(w, h):
    s = h / 32.0
    c = Canvas(w, h)
    emblem(c, s, 24.0 * s, 16.0 * s, 5.8 * s, 9.6 * s, (33.0 * s, 16.0 * s, 27.0 * s, 12.5 * s), -42, 5.4 * s)
    # The sheet column shared with the minimise box stays clear.
    for y in range(h):
        c.set(w - 1, y, T)
    return c


def program_icon(w, h):
    s = w / 32.0
    c = Canvas(w, h)
    emblem(c, s, 13.5 * s, 14.0 * s, 4.4 * s, 7.6 * s, (16.0 * s, 14.0 * s, 14.0 * s, 9.5 * s), -58, 5.4 * s)
    return c


def book_pages(sc, s, x0, x1, ytop, ymid, depth, lines=True):
    """An open book seen from the front: two pages dipping to the spine."""
    cx = (x0 + x1) / 2.0
    o = max(1.0, 1.1 * s)
    cover_pts = [(x0 - 1.5 * s, ytop + 2.2 * s), (cx, ymid + 2.2 * s), (x1 + 1.5 * s, ytop + 2.2 * s),
                 (x1 + 1.5 * s, ytop + depth + 3.0 * s), (cx, ymid + depth + 3.4 * s),
                 (x0 - 1.5 * s, ytop + depth + 3.0 * s)]
    cover = polygon(cover_pts)
    sc.add(polygon(_grow(cover_pts, o)), R0)
    sc.add(cover, R3)
    left = polygon([(x0, ytop), (cx, ymid), (cx, ymid + depth), (x0, ytop + depth)])
    right = polygon([(cx, ymid), (x1, ytop), (x1, ytop + depth), (cx, ymid + depth)])
    sc.add(polygon(_grow([(x0, ytop), (cx, ymid), (x1, ytop), (x1, ytop + depth), (cx, ymid + depth),
                          (x0, ytop + depth)], o)), G0)
    sc.add(left, WHITE)
    sc.add(right, TAN6)
    sc.add(line(cx, ymid + 0.5, cx, ymid + depth - 0.5, px(1.0, s), cap=False), G1)
    if lines:
        n = 4 if s > 0.9 else 3
        for i in range(n):
            f = (i + 1.2) / (n + 1.0)
            for xa, xb in ((x0 + 2.2 * s, cx - 2.0 * s), (cx + 2.0 * s, x1 - 2.2 * s)):
                ya = ytop + f * depth + (ymid - ytop) * ((xa - x0) / (cx - x0) if xa < cx else (x1 - xa) / (x1 - cx))
                yb = ytop + f * depth + (ymid - ytop) * ((xb - x0) / (cx - x0) if xb < cx else (x1 - xb) / (x1 - cx))
                sc.add(line(xa, ya, xb, yb, px(0.9, s, 0.8), cap=False), G2)


def open_book_icon(w, h):
    s = w / 32.0
    sc = Scene(w, h)
    book_pages(sc, s, 3.0 * s, w - 3.0 * s, 7.0 * s, 10.0 * s, 15.0 * s)
    return sc.render()


def save_book_icon(w, h):
    s = w / 32.0
    sc = Scene(w, h)
    o = max(1.0, 1.1 * s)
    x0, x1, y0, y1 = 5.0 * s, 23.0 * s, 3.0 * s, 27.5 * s
    # Page block showing at the right and bottom, then the cover and its spine.
    sc.add(rect(x0 + 2.0 * s - o, y0 + 2.0 * s - o, x1 + 2.0 * s + o, y1 + 2.0 * s + o), G0)
    sc.add(rect(x0 + 2.0 * s, y0 + 2.0 * s, x1 + 2.0 * s, y1 + 2.0 * s), TAN6)
    for i in range(1, 3):
        sc.add(line(x1 + (0.7 * i) * s, y0 + 3.0 * s, x1 + (0.7 * i) * s, y1 + 1.2 * s, px(0.5, s, 0.4), cap=False), TAN3)
    sc.add(rect(x0 - o, y0 - o, x1 + o, y1 + o), R0)
    sc.add(rect(x0, y0, x1, y1), R3)
    sc.add(rect(x0, y0, x0 + 3.5 * s, y1), R1)
    sc.add(rect(x0 + 7.0 * s, y0 + 4.0 * s, x1 - 3.0 * s, y0 + 10.0 * s), TAN5)
    sc.add(line(x0 + 8.5 * s, y0 + 7.0 * s, x1 - 4.5 * s, y0 + 7.0 * s, px(0.9, s, 0.8), cap=False), TAN1)
    # A pencil across the lower right corner: we write into the book.
    a0x, a0y, a1x, a1y = 29.5 * s, 13.0 * s, 15.5 * s, 27.5 * s
    ux, uy = (a1x - a0x), (a1y - a0y)
    L = math.hypot(ux, uy)
    ux, uy = ux / L, uy / L
    tipx, tipy = a1x + ux * 4.0 * s, a1y + uy * 4.0 * s
    hw = 2.3 * s
    nx, ny = -uy, ux
    body = polygon([(a0x + nx * hw, a0y + ny * hw), (a1x + nx * hw, a1y + ny * hw),
                    (a1x - nx * hw, a1y - ny * hw), (a0x - nx * hw, a0y - ny * hw)])
    cone = polygon([(a1x + nx * hw, a1y + ny * hw), (tipx, tipy), (a1x - nx * hw, a1y - ny * hw)])
    sc.add(polygon(_grow([(a0x + nx * hw, a0y + ny * hw), (a1x + nx * hw, a1y + ny * hw), (tipx, tipy),
                          (a1x - nx * hw, a1y - ny * hw), (a0x - nx * hw, a0y - ny * hw)], o * 1.2)), BLACK)
    sc.add(body, YELLOW)
    sc.add(body & halfplane(a0x, a0y, a1x, a1y), OLIVE)
    sc.add(cone, TAN3)
    sc.add(disc(tipx - ux * 0.8 * s, tipy - uy * 0.8 * s, 1.3 * s) & cone, G0)
    sc.add(polygon([(a0x + nx * hw, a0y + ny * hw), (a0x + ux * 3.0 * s + nx * hw, a0y + uy * 3.0 * s + ny * hw),
                    (a0x + ux * 3.0 * s - nx * hw, a0y + uy * 3.0 * s - ny * hw), (a0x - nx * hw, a0y - ny * hw)]), R6)
    return sc.render()


def person(sc, s, cx, head_y, head_r, shirt, shirt_dark):
    o = max(1.0, 1.1 * s)
    body_top = head_y + head_r + 0.8 * s
    shoulders = ellipse(cx, body_top + 8.0 * s, 8.0 * s, 8.0 * s) & rect(cx - 9 * s, body_top, cx + 9 * s, body_top + 8.2 * s)
    sc.add(ellipse(cx, body_top + 8.0 * s, 8.0 * s + o, 8.0 * s + o) & rect(cx - 10 * s, body_top - o, cx + 10 * s, body_top + 8.2 * s + o), G0)
    sc.add(shoulders, shirt)
    sc.add(shoulders & halfplane(cx + 2.5 * s, 0, cx + 2.5 * s - 0.1, 1), shirt_dark)
    sc.add(disc(cx, head_y, head_r + o), G0)
    sc.add(disc(cx, head_y, head_r), TAN4)
    # Hair over the top of the head, a little lower at the sides.
    sc.add(disc(cx, head_y, head_r) - disc(cx, head_y + 1.6 * s, head_r * 0.95), TAN0)


def users_icon(w, h):
    s = w / 32.0
    sc = Scene(w, h)
    clip = rect(0, 0, w, h - max(1.0, 1.5 * s))
    sub = Scene(w, h)
    person(sub, s, 20.5 * s, 8.5 * s, 4.6 * s, GR3, GR1)
    person(sub, s, 12.0 * s, 12.5 * s, 5.0 * s, B1, B0)
    for shape, col, wt in sub.layers:
        sc.add(shape & clip, col, wt)
    return sc.render()


def exit_icon(w, h):
    s = w / 32.0
    sc = Scene(w, h)
    o = max(1.0, 1.1 * s)
    dx0, dx1, dy0, dy1 = 5.0 * s, 18.0 * s, 3.0 * s, 29.0 * s
    sc.add(rect(dx0 - o - 1.0 * s, dy0 - o - 1.0 * s, dx1 + o + 1.0 * s, dy1), G0)
    sc.add(rect(dx0 - 1.0 * s, dy0 - 1.0 * s, dx1 + 1.0 * s, dy1), TAN4)
    sc.add(rect(dx0, dy0, dx1, dy1), BLACK)
    sc.add(rect(dx0 - 4.0 * s, dy1 - 0.2, dx1 + 5.0 * s, dy1 + o + 0.4), G0)
    # The door swings open towards us on its left hinge.
    door = [(dx0, dy0), (dx0 + 8.0 * s, dy0 + 3.0 * s), (dx0 + 8.0 * s, dy1 + 2.0 * s), (dx0, dy1)]
    sc.add(polygon(_grow(door, o)), TAN0)
    sc.add(polygon(door), TAN2)
    sc.add(polygon([(dx0 + 1.5 * s, dy0 + 3.0 * s), (dx0 + 6.5 * s, dy0 + 5.0 * s),
                    (dx0 + 6.5 * s, dy0 + 12.0 * s), (dx0 + 1.5 * s, dy0 + 10.5 * s)]), TAN1)
    sc.add(disc(dx0 + 6.2 * s, (dy0 + dy1) / 2 + 1.5 * s, max(1.2 * s, 0.8)), YELLOW)
    arrow(sc, 13.0 * s, 17.0 * s, w - 1.5 * s, 17.0 * s, px(3.4, s, 2.4), 7.0 * s, GR4, GR0, max(1.0, 1.0 * s))
    return sc.render()


def close_icon(w, h):
    c = Canvas(w, h)
    # The small box's first column is shared with the minimise box beside it.
    c.pixmap(0, 0, CLOSE_12 if w >= 12 else CLOSE_10, {'#': BLACK})
    return c


def minimise_icon(w, h):
    c = Canvas(w, h)
    # The large box's first column and the small box's last are shared with a neighbour.
    x0, x1 = (2, w - 2) if w >= 12 else (1, w - 2)
    y1 = h - 2 if w >= 12 else h - 1
    for y in range(y1 - 2, y1):
        for x in range(x0, x1):
            c.set(x, y, BLACK)
    return c


def spare_icon(w, h):
    """A calendar page: the year the model runs through. Laid out on whole pixels."""
    c = Canvas(w, h)
    big = w >= 32
    x0, y0, x1, y1 = (4, 7, 28, 29) if big else (3, 5, 21, 22)
    head = 5 if big else 4
    sc = Scene(w, h)
    sc.add(rect(x0 - 1, y0 - 1, x1 + 1, y1 + 1), G0)
    sc.add(rect(x0, y0, x1, y1), WHITE)
    sc.add(rect(x0, y0, x1, y0 + head), R3)
    sc.add(rect(x0, y0 + head, x1, y0 + head + 1), R1)
    rings = (9, 15, 21) if big else (6, 11, 16)
    for rx in rings:
        sc.add(rect(rx, y0 - 4 if big else y0 - 3, rx + 2, y0 + 2), G0)
        sc.add(rect(rx, y0 - 3 if big else y0 - 2, rx + 1, y0 + 1), G5)
    cell, pitch = (3, 5) if big else (2, 4)
    gx0, gy0 = (x0 + 3, y0 + head + 3) if big else (x0 + 2, y0 + head + 2)
    for j in range(3):
        for i in range(4):
            gx, gy = gx0 + i * pitch, gy0 + j * pitch
            sc.add(rect(gx, gy, gx + cell, gy + cell), R5 if (i, j) == (2, 1) else G2)
    return sc.render(c)


def orbit_line(c, cx, cy, rx, ry, a0=0.0, a1=360.0):
    """An orbit as a crisp one-pixel white line with a dark border."""
    pix = thin_ellipse(cx, cy, rx, ry, a0, a1)
    halo(c, pix, B0)
    plot(c, pix, WHITE)


CLOSE_12 = [
    "............",
    "............",
    "..##....##..",
    "..###..###..",
    "...######...",
    "....####....",
    "....####....",
    "...######...",
    "..###..###..",
    "..##....##..",
    "............",
    "............",
]
CLOSE_10 = [
    "..........",
    ".##....##.",
    ".###..###.",
    "..######..",
    "...####...",
    "...####...",
    "..######..",
    ".###..###.",
    ".##....##.",
    "..........",
]
EARTH_8 = [
    "..####..",
    ".#wggo#.",
    "#oggooo#",
    "#ogooog#",
    "#oooggo#",
    "#ooogoo#",
    ".#oooo#.",
    "..####..",
]


# ---- cursors ----------------------------------------------------------------------

ARROW = [
    "#",
    "##",
    "#o#",
    "#oo#",
    "#ooo#",
    "#oooo#",
    "#ooooo#",
    "#oooooo#",
    "#ooooooo#",
    "#oooooooo#",
    "#ooooooooo#",
    "#oooooo#####",
    "#ooo#oo#",
    "#oo##oo#",
    "#o#  #oo#",
    "##   #oo#",
    "#     #oo#",
    "      #oo#",
    "       ##",
]

HAND = [
    "    ##",
    "   #oo#",
    "   #oo#",
    "   #oo#",
    "   #oo#",
    "   #oo###",
    "   #oo#oo##",
    "   #oo#oo#o##",
    "   #oo#oo#oo#o#",
    "## #oo#oo#oo#oo#",
    "#o##ooooooooooo#",
    "#oo#ooooooooooo#",
    " #oooooooooooo#",
    " #oooooooooooo#",
    "  #ooooooooooo#",
    "  #oooooooooo#",
    "   #ooooooooo#",
    "   #oooooooo#",
    "    #ooooooo#",
    "    #ooooooo#",
    "    #########",
]


def pixmap_cursor(rows, ox, oy):
    c = Canvas(32, 32)
    c.pixmap(ox, oy, [r.replace(' ', '.') for r in rows], {'#': BLACK, 'o': WHITE})
    return c


def cursor_arrow():
    return pixmap_cursor(ARROW, 0, 0), (0, 0)


def cursor_hand():
    return pixmap_cursor(HAND, 0, 0), (4, 0)


def cursor_busy():
    """An hourglass: wooden caps, glass, sand running down."""
    sc = Scene(32, 32)
    cx = 10.0
    top, bot = 1.0, 23.0
    sc.add(rect(cx - 8.0, top, cx + 8.0, top + 3.0), BLACK)
    sc.add(rect(cx - 7.0, top + 1.0, cx + 7.0, top + 2.0), TAN2)
    sc.add(rect(cx - 8.0, bot - 3.0, cx + 8.0, bot), BLACK)
    sc.add(rect(cx - 7.0, bot - 2.0, cx + 7.0, bot - 1.0), TAN2)
    glass = polygon([(cx - 6.0, top + 3.0), (cx + 6.0, top + 3.0), (cx + 6.0, top + 5.0), (cx + 1.2, 12.0),
                     (cx + 6.0, bot - 5.0), (cx + 6.0, bot - 3.0), (cx - 6.0, bot - 3.0), (cx - 6.0, bot - 5.0),
                     (cx - 1.2, 12.0), (cx - 6.0, top + 5.0)])
    sc.add(polygon(_grow([(cx - 6.0, top + 3.0), (cx + 6.0, top + 3.0), (cx + 6.0, top + 5.0), (cx + 1.2, 12.0),
                          (cx + 6.0, bot - 5.0), (cx + 6.0, bot - 3.0), (cx - 6.0, bot - 3.0), (cx - 6.0, bot - 5.0),
                          (cx - 1.2, 12.0), (cx - 6.0, top + 5.0)], 1.2)), BLACK)
    sc.add(glass, WHITE)
    sc.add(glass & rect(0, 7.0, 32, 11.5), TAN2)
    sc.add(glass & (polygon([(cx - 5.5, bot - 3.0), (cx, bot - 8.0), (cx + 5.5, bot - 3.0)])), TAN2)
    sc.add(rect(cx - 0.5, 11.0, cx + 0.5, bot - 6.0), TAN1)
    return sc.render(), (10, 12)

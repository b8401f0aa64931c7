# SPDX-License-Identifier: GPL-3.0-or-later
"""A tiny vector-to-pixel renderer for palette art.

Shapes are point predicates in pixel units (pixel (x, y) covers [x, x+1) x [y, y+1)).
A Scene paints layers in order; each pixel takes the colour that covers most of its
sub-samples (a layer may weigh more), so no colour is ever blended and every pixel stays
an exact palette slot. One-pixel lines such as orbits are traced pixel by pixel instead."""
import math

T = 19  # transparent key


class Canvas:
    def __init__(self, w, h, fill=T):
        self.w, self.h = w, h
        self.px = [fill] * (w * h)

    def get(self, x, y):
        if 0 <= x < self.w and 0 <= y < self.h:
            return self.px[y * self.w + x]
        return T

    def set(self, x, y, c):
        if 0 <= x < self.w and 0 <= y < self.h:
            self.px[y * self.w + x] = c

    def blit(self, other, ox, oy, key=None):
        for y in range(other.h):
            for x in range(other.w):
                c = other.px[y * other.w + x]
                if key is None or c != key:
                    self.set(ox + x, oy + y, c)

    def pixmap(self, x0, y0, rows, colours):
        """Hand-drawn touch-ups: one string per row, '.' leaves a pixel alone."""
        for j, row in enumerate(rows):
            for i, ch in enumerate(row):
                if ch != '.':
                    self.set(x0 + i, y0 + j, colours[ch])

# ---- shapes -----------------------------------------------------------------------

class Shape:
    def __init__(self, fn, box):
        self.fn, self.box = fn, box  # box: (x0, y0, x1, y1)

    def __call__(self, x, y):
        b = self.box
        return b[0] <= x <= b[2] and b[1] <= y <= b[3] and self.fn(x, y)

    def __and__(self, o):
        a, b = self.box, o.box
        return Shape(lambda x, y: self.fn(x, y) and o(x, y),
                     (max(a[0], b[0]), max(a[1], b[1]), min(a[2], b[2]), min(a[3], b[3])))

    def __or__(self, o):
        a, b = self.box, o.box
        return Shape(lambda x, y: self(x, y) or o(x, y),
                     (min(a[0], b[0]), min(a[1], b[1]), max(a[2], b[2]), max(a[3], b[3])))

    def __sub__(self, o):
        return Shape(lambda x, y: self.fn(x, y) and not o(x, y), self.box)


def ellipse(cx, cy, rx, ry=None, angle=0.0):
    ry = rx if ry is None else ry
    ca, sa = math.cos(math.radians(angle)), math.sin(math.radians(angle))
    m = max(rx, ry)

    def fn(x, y):
        dx, dy = x - cx, y - cy
        u, v = dx * ca + dy * sa, -dx * sa + dy * ca
        return (u / rx) ** 2 + (v / ry) ** 2 <= 1.0
    return Shape(fn, (cx - m, cy - m, cx + m, cy + m))


def disc(cx, cy, r):
    return ellipse(cx, cy, r, r)


def rect(x0, y0, x1, y1):
    return Shape(lambda x, y: x0 <= x < x1 and y0 <= y < y1, (x0, y0, x1, y1))


def polygon(pts):
    xs = [p[0] for p in pts]
    ys = [p[1] for p in pts]
    n = len(pts)

    def fn(x, y):
        inside = False
        j = n - 1
        for i in range(n):
            xi, yi = pts[i]
            xj, yj = pts[j]
            if (yi > y) != (yj > y) and x < (xj - xi) * (y - yi) / (yj - yi) + xi:
                inside = not inside
            j = i
        return inside
    return Shape(fn, (min(xs), min(ys), max(xs), max(ys)))


def line(x0, y0, x1, y1, width, cap=True):
    """A stroke with round ends (or square-cut ends with cap=False)."""
    h = width / 2.0
    dx, dy = x1 - x0, y1 - y0
    L2 = dx * dx + dy * dy or 1e-9

    def fn(x, y):
        t = ((x - x0) * dx + (y - y0) * dy) / L2
        if not cap and (t < 0 or t > 1):
            return False
        t = min(1.0, max(0.0, t))
        px, py = x0 + t * dx - x, y0 + t * dy - y
        return px * px + py * py <= h * h
    return Shape(fn, (min(x0, x1) - h, min(y0, y1) - h, max(x0, x1) + h, max(y0, y1) + h))


def polyline(pts, width):
    s = None
    for a, b in zip(pts, pts[1:]):
        seg = line(a[0], a[1], b[0], b[1], width)
        s = seg if s is None else s | seg
    return s


def halfplane(ax, ay, bx, by):
    """Points on the left of the directed line a->b (screen coordinates)."""
    return Shape(lambda x, y: (bx - ax) * (y - ay) - (by - ay) * (x - ax) <= 0,
                 (-1e9, -1e9, 1e9, 1e9))


# ---- scenes -----------------------------------------------------------------------

class Scene:
    def __init__(self, w, h, ss=5):
        self.w, self.h, self.ss = w, h, ss
        self.layers = []

    def add(self, shape, colour, weight=1.0):
        if shape is not None:
            self.layers.append((shape, colour, weight))
        return self

    def render(self, canvas=None, ox=0, oy=0):
        c = canvas or Canvas(self.w, self.h)
        ss = self.ss
        offs = [(i + 0.5) / ss for i in range(ss)]
        layers = list(reversed(self.layers))
        for y in range(self.h):
            for x in range(self.w):
                votes, hits = {}, 0
                for fy in offs:
                    for fx in offs:
                        sx, sy = x + fx, y + fy
                        for shape, colour, weight in layers:
                            if shape(sx, sy):
                                votes[colour] = votes.get(colour, 0.0) + weight
                                hits += 1
                                break
                if not hits:
                    continue
                best = max(votes, key=lambda k: votes[k])
                # The background keeps a pixel that the shapes cover less than it does.
                if votes[best] > ss * ss - hits:
                    c.set(ox + x, oy + y, best)
        return c


# ---- one-pixel curves ---------------------------------------------------------------

def thin_path(points, closed):
    """The pixels a dense polyline passes through, one pixel wide: a pixel whose two
    path neighbours touch each other is an L-corner and is dropped."""
    path = []
    for x, y in points:
        p = (int(math.floor(x)), int(math.floor(y)))
        if not path or path[-1] != p:
            path.append(p)
    if closed and len(path) > 1 and path[0] == path[-1]:
        path.pop()
    changed = True
    while changed and len(path) > 3:
        changed = False
        out = []
        n = len(path)
        i = 0
        while i < n:
            if (not closed and (i == 0 or i == n - 1)):
                out.append(path[i])
                i += 1
                continue
            a = out[-1] if out else path[i - 1]
            b = path[(i + 1) % n]
            if abs(a[0] - b[0]) <= 1 and abs(a[1] - b[1]) <= 1 and a != b:
                changed = True
                out.append(b) if i + 1 < n else None
                i += 2
                continue
            out.append(path[i])
            i += 1
        path = out
    return path


def thin_ellipse(cx, cy, rx, ry, a0=0.0, a1=360.0):
    n = int(max(rx, ry) * 40) + 100
    full = abs(a1 - a0) >= 360
    pts = []
    for i in range(n + 1):
        t = math.radians(a0 + (a1 - a0) * i / n)
        pts.append((cx + rx * math.cos(t), cy - ry * math.sin(t)))
    return thin_path(pts, full)


def thin_line(x0, y0, x1, y1):
    n = int(math.hypot(x1 - x0, y1 - y0) * 20) + 2
    return thin_path([(x0 + (x1 - x0) * i / n, y0 + (y1 - y0) * i / n) for i in range(n + 1)], False)


def plot(canvas, pixels, colour):
    for x, y in pixels:
        canvas.set(x, y, colour)


def halo(canvas, pixels, colour, diagonal=True):
    """Border a one-pixel line on both sides so it shows on any background."""
    own = set(pixels)
    nb = [(1, 0), (-1, 0), (0, 1), (0, -1)]
    if diagonal:
        nb += [(1, 1), (1, -1), (-1, 1), (-1, -1)]
    for x, y in pixels:
        for dx, dy in nb:
            if (x + dx, y + dy) not in own:
                canvas.set(x + dx, y + dy, colour)

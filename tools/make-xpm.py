#!/usr/bin/env python3
"""Draw Glouton's sprites and captions and write them as XPM text art.

Usage: python3 tools/make-xpm.py [OUTDIR]      (default: assets/ next to tools/)

Every picture is drawn here from simple shapes (discs, ellipses, lines,
polygons) or from small ASCII letter drawings, on a grid of one-character
palette keys.  The XPM files written are one character per pixel, so they
stay readable and can be touched up by hand.

Palette keys (the usual 16-colour icon set):
    .  transparent (None)     k  black      w  white     s  silver
    g  grey                   o  olive      y  yellow    r  red
    m  maroon                 l  lime       d  green     b  blue
    n  navy                   c  cyan       p  magenta   u  purple
    e  eye sockets of the skulls (green, red or yellow)
"""
import math
import os
import sys

PALETTE = {
    '.': 'None',
    'k': '#000000', 'w': '#FFFFFF', 's': '#C0C0C0', 'g': '#808080',
    'o': '#808000', 'y': '#FFFF00', 'r': '#FF0000', 'm': '#800000',
    'l': '#00FF00', 'd': '#008000', 'b': '#0000FF', 'n': '#000080',
    'c': '#00FFFF', 'p': '#FF00FF', 'u': '#800080',
}


class Pic:
    def __init__(self, w, h, fill='.'):
        self.w, self.h = w, h
        self.px = [[fill] * w for _ in range(h)]

    def get(self, x, y):
        if 0 <= x < self.w and 0 <= y < self.h:
            return self.px[y][x]
        return None

    def put(self, x, y, k):
        if 0 <= x < self.w and 0 <= y < self.h:
            self.px[y][x] = k

    def fill_if(self, test, k, only=None):
        """Paint key k where test(pixel centre x, y) holds."""
        for y in range(self.h):
            for x in range(self.w):
                if only is not None and self.px[y][x] not in only:
                    continue
                if test(x + 0.5, y + 0.5):
                    self.px[y][x] = k

    def ellipse(self, cx, cy, rx, ry, k, only=None):
        self.fill_if(lambda x, y: ((x - cx) / rx) ** 2 + ((y - cy) / ry) ** 2
                     <= 1.0, k, only)

    def disc(self, cx, cy, r, k, only=None):
        self.ellipse(cx, cy, r, r, k, only)

    def rect(self, x0, y0, x1, y1, k):
        for y in range(y0, y1 + 1):
            for x in range(x0, x1 + 1):
                self.put(x, y, k)

    def polygon(self, pts, k, only=None):
        def inside(x, y):
            n, c = len(pts), False
            for i in range(n):
                (x0, y0), (x1, y1) = pts[i], pts[(i + 1) % n]
                if (y0 > y) != (y1 > y):
                    if x < x0 + (y - y0) * (x1 - x0) / (y1 - y0):
                        c = not c
            return c
        self.fill_if(inside, k, only)

    def line(self, x0, y0, x1, y1, k, width=1.0):
        """Thick segment between two points given in pixel-centre units."""
        def near(x, y):
            dx, dy = x1 - x0, y1 - y0
            L2 = dx * dx + dy * dy or 1e-9
            t = max(0.0, min(1.0, ((x - x0) * dx + (y - y0) * dy) / L2))
            ex, ey = x0 + t * dx - x, y0 + t * dy - y
            return ex * ex + ey * ey <= (width / 2.0) ** 2
        self.fill_if(near, k)

    def outline(self, inside_keys, k, outside_keys=('.',), diag=False):
        """Recolour the border pixels of a shape: pixels with a key in
        inside_keys that touch a pixel in outside_keys (or the edge)."""
        nb = [(1, 0), (-1, 0), (0, 1), (0, -1)]
        if diag:
            nb += [(1, 1), (1, -1), (-1, 1), (-1, -1)]
        hits = []
        for y in range(self.h):
            for x in range(self.w):
                if self.px[y][x] in inside_keys:
                    for dx, dy in nb:
                        v = self.get(x + dx, y + dy)
                        if v is None or v in outside_keys:
                            hits.append((x, y))
                            break
        for x, y in hits:
            self.px[y][x] = k

    def halo(self, inside_keys, k, over=('.',), diag=False):
        """Paint k on pixels in `over` that touch the shape (outer rim)."""
        nb = [(1, 0), (-1, 0), (0, 1), (0, -1)]
        if diag:
            nb += [(1, 1), (1, -1), (-1, 1), (-1, -1)]
        hits = []
        for y in range(self.h):
            for x in range(self.w):
                if self.px[y][x] in over:
                    if any(self.get(x + dx, y + dy) in inside_keys
                           for dx, dy in nb):
                        hits.append((x, y))
        for x, y in hits:
            self.px[y][x] = k

    def stamp(self, rows, x0, y0, keymap=None):
        """Copy an ASCII drawing; spaces are left untouched."""
        for j, row in enumerate(rows):
            for i, ch in enumerate(row):
                if ch != ' ':
                    self.put(x0 + i, y0 + j, keymap.get(ch, ch) if keymap else ch)

    def copy(self):
        p = Pic(self.w, self.h)
        p.px = [r[:] for r in self.px]
        return p


def write_xpm(pic, path, extra=None):
    pal = dict(PALETTE)
    if extra:
        pal.update(extra)
    used = []
    for row in pic.px:
        for ch in row:
            if ch not in used:
                used.append(ch)
    order = [k for k in pal if k in used]
    missing = [k for k in used if k not in pal]
    if missing:
        raise SystemExit('%s: no colour for key(s) %r' % (path, missing))
    name = os.path.splitext(os.path.basename(path))[0].replace('-', '_') + '_xpm'
    lines = ['/* XPM */', 'static const char *%s[] = {' % name,
             '/* width height colours chars-per-pixel */',
             '"%d %d %d 1",' % (pic.w, pic.h, len(order))]
    for k in order:
        lines.append('"%s c %s",' % (k, pal[k]))
    lines.append('/* pixels */')
    rows = [''.join(r) for r in pic.px]
    for i, r in enumerate(rows):
        lines.append('"%s"%s' % (r, ',' if i < len(rows) - 1 else ''))
    lines.append('};')
    with open(path, 'w') as f:
        f.write('\n'.join(lines) + '\n')


# ---------------------------------------------------------------- glouton

def glouton(n=32):
    """The glouton on an n-pixel square: 32 for the game; 16 and 48 for the
    icons, drawn from the same shapes at their own size."""
    f = n / 32.0
    p = Pic(n, n)
    c, r = 16.0 * f, 15.0 * f
    p.disc(c, c, r, 'y')
    # olive shading on the lower right, as a crescent
    p.fill_if(lambda x, y: (x - c) ** 2 + (y - c) ** 2 <= r * r and
              (x - c + 2.2 * f) ** 2 + (y - c + 2.2 * f) ** 2 > (r - 0.3 * f) ** 2, 'o')
    p.outline('yo', 'o')
    # eyes
    for ex in (11.5, 20.5):
        p.ellipse(ex * f, 11.5 * f, 2.4 * f, 3.5 * f, 'k')
    # smile: a thick arc with rounded ends
    sy = 14.0 * f
    def smile(x, y):
        d = math.hypot(x - c, y - sy)
        a = math.degrees(math.atan2(y - sy, x - c))
        return 8.4 * f <= d <= 10.4 * f and 28 <= a <= 152
    p.fill_if(smile, 'k', only='y')
    for sx in (-1, 1):
        a = math.radians(90 - sx * 62)
        p.disc(c + 9.4 * f * math.cos(a), sy + 9.4 * f * math.sin(a), 1.3 * f, 'k', only='y')
    # a small shine on the upper left
    if n == 32:
        p.stamp(['ww', 'w'], 7, 6)
    else:
        p.disc(8.0 * f, 7.0 * f, 1.2 * f, 'w', only='y')
    return p


# ---------------------------------------------------------------- skulls

def skull():
    p = Pic(32, 32)
    cx, cy, rx, ry = 16.0, 13.0, 13.2, 12.0
    p.ellipse(cx, cy, rx, ry, 'w')
    # jaw
    p.polygon([(8.0, 18), (24.0, 18), (23.0, 28.5), (21, 30), (11, 30), (9.0, 28.5)], 'w')
    # shading: silver band then grey on the lower right of the cranium
    def shade(lim):
        def t(x, y):
            nx, ny = (x - cx) / rx, (y - cy) / ry
            return (nx * 0.6 + ny * 0.8) > lim
        return t
    p.fill_if(shade(0.45), 's', only='w')
    p.fill_if(shade(0.80), 'g', only='ws')
    p.fill_if(lambda x, y: x > 20.5 and y > 18, 's', only='w')
    p.fill_if(lambda x, y: x > 22 and y > 18, 'g', only='ws')
    # temples
    p.fill_if(lambda x, y: y > 17 and (x < 8.5 or x > 23.5), 'g', only='ws')
    p.outline('wsg', 'k')
    # eye sockets
    for ex in (10.5, 21.5):
        p.ellipse(ex, 14.0, 4.3, 4.0, 'k')
        p.ellipse(ex, 14.2, 3.2, 2.9, 'e')
    # nose
    p.polygon([(16.0, 18.0), (18.2, 22.6), (13.8, 22.6)], 'k')
    # teeth
    p.rect(10, 24, 22, 24, 'k')
    for x in (12, 14, 16, 18, 20):
        p.rect(x, 25, x, 28, 'k')
    p.rect(10, 26, 22, 26, 'k')
    return p


# ---------------------------------------------------------------- wall

def wall():
    # stones laid in four courses of 8 rows; joints on the top row and left
    # column of each stone so the tile repeats seamlessly.
    courses = [
        (0, [0, 13, 23]),
        (8, [5, 19, 28]),
        (16, [0, 10, 24]),
        (24, [6, 16, 27]),
    ]
    kinds = [('s', 'w', 'g'), ('g', 's', 'o'), ('w', 'w', 's'), ('o', 'g', 'k')]
    order = [0, 1, 2, 3, 2, 0, 1, 3, 0, 2, 3, 1]
    p = Pic(32, 32, 'k')
    n = 0
    for y0, xs in courses:
        for i, x0 in enumerate(xs):
            x1 = xs[(i + 1) % len(xs)] + (32 if i == len(xs) - 1 else 0)
            base, hi, lo = kinds[order[n % len(order)]]
            n += 1
            for x in range(x0 + 1, x1):
                for y in range(y0 + 1, y0 + 8):
                    top = (y == y0 + 1) or (x == x0 + 1)
                    bot = (y == y0 + 7) or (x == x1 - 1)
                    k = base
                    if top and not bot:
                        k = hi
                    elif bot:
                        k = lo
                    p.put(x % 32, y, k)
            # a fleck or two of texture
            sx = (x0 + 3 + (n * 5) % max(1, (x1 - x0 - 5))) % 32
            p.put(sx, y0 + 3 + n % 3, lo)
            if x1 - x0 > 9:
                p.put((sx + 4) % 32 if (sx + 4) % 32 < x1 % 32 or x1 <= 32
                      else sx, y0 + 5, hi)
    # round off the stone corners a little (joint colour in the corners)
    q = p.copy()
    for y in range(32):
        for x in range(32):
            if q.px[y][x] == 'k':
                continue
            up = q.px[(y - 1) % 32][x] == 'k'
            dn = q.px[(y + 1) % 32][x] == 'k'
            lf = q.px[y][(x - 1) % 32] == 'k'
            rt = q.px[y][(x + 1) % 32] == 'k'
            if (up or dn) and (lf or rt):
                p.px[y][x] = 'k'
    return p


# ---------------------------------------------------------------- floor

def floor_tile():
    return Pic(32, 32, 'b')


def pellet():
    p = Pic(32, 32, 'b')
    c = 16.0
    p.disc(c, c, 4.9, 'k')
    p.disc(c, c, 4.0, 's')
    p.disc(c, c, 3.2, 'w')
    p.disc(c, c, 2.1, 'c')
    return p


# ---------------------------------------------------------------- bonuses

def fruits():
    p = Pic(32, 32, 'b')
    # stems
    p.line(9.5, 20, 16.5, 7.5, 'd', 1.6)
    p.line(21.5, 21, 16.5, 7.5, 'd', 1.6)
    # leaves: pointed, made of two overlapping discs
    def leaf(ax, ay, bx, by, fat):
        mx, my = (ax + bx) / 2, (ay + by) / 2
        L = math.hypot(bx - ax, by - ay)
        nx, ny = -(by - ay) / L, (bx - ax) / L
        R = (L * L / 4 + fat * fat) / (2 * fat)
        o = R - fat
        c1 = (mx + nx * o, my + ny * o)
        c2 = (mx - nx * o, my - ny * o)
        p.fill_if(lambda x, y: math.hypot(x - c1[0], y - c1[1]) <= R and
                  math.hypot(x - c2[0], y - c2[1]) <= R, 'l')
    leaf(17.0, 7.5, 28.5, 3.0, 2.8)
    leaf(16.0, 7.5, 6.5, 5.0, 2.2)
    p.outline('l', 'd', outside_keys='b')
    p.line(17.5, 7.0, 27.0, 3.6, 'd', 1.0)
    # red fruit, left
    p.disc(9.5, 22.5, 7.4, 'r')
    p.fill_if(lambda x, y: (x - 9.5) ** 2 + (y - 22.5) ** 2 <= 7.4 ** 2 and
              (x - 8.0) ** 2 + (y - 21.0) ** 2 > 5.6 ** 2, 'm')
    p.outline('rm', 'k', outside_keys='bdl')
    p.stamp(['ww', 'w'], 6, 19)
    # yellow fruit, right
    p.disc(22.5, 23.5, 7.4, 'y')
    p.fill_if(lambda x, y: (x - 22.5) ** 2 + (y - 23.5) ** 2 <= 7.4 ** 2 and
              (x - 21.0) ** 2 + (y - 22.0) ** 2 > 5.6 ** 2, 'o')
    p.outline('yo', 'k', outside_keys='bdlrm')
    p.stamp(['ww', 'w'], 19, 20)
    return p


def burger():
    p = Pic(32, 32, 'b')
    top = 'a'   # bun, golden
    # top bun: a dome
    p.fill_if(lambda x, y: y <= 16 and ((x - 16) / 13.5) ** 2 +
              ((y - 16) / 10.5) ** 2 <= 1.0, top)
    p.fill_if(lambda x, y: y <= 16 and ((x - 16) / 13.5) ** 2 +
              ((y - 16) / 10.5) ** 2 <= 1.0 and
              ((x - 14) / 13.0) ** 2 + ((y - 14) / 9.6) ** 2 > 1.0, 'o')
    # lettuce: wavy green band
    p.fill_if(lambda x, y: 16 <= y < 21 and 3 <= x <= 29, 'r')
    p.fill_if(lambda x, y: 16 <= y < 18 and 2 <= x <= 30, 'l')
    p.fill_if(lambda x, y: 18 <= y < 19 and int(x) % 4 in (0, 1) and 2 <= x <= 30, 'l')
    p.fill_if(lambda x, y: 18 <= y < 19 and int(x) % 4 in (1,) and 2 <= x <= 30, 'd')
    # meat
    p.fill_if(lambda x, y: 21 <= y < 24 and 3 <= x <= 29, 'm')
    # bottom bun
    p.polygon([(3, 24), (29, 24), (28, 28), (26.5, 29), (5.5, 29), (4, 28)], top)
    p.fill_if(lambda x, y: y > 27, 'o', only=top)
    p.outline(top + 'olrm', 'k', outside_keys='b')
    # lettuce edge, a little darker below
    p.fill_if(lambda x, y: 17 <= y < 18 and int(x) % 4 in (2, 3), 'd', only='l')
    # sesame seeds
    for sx, sy in ((9, 9), (14, 7), (19, 8), (23, 11), (12, 12), (17, 12), (6, 13)):
        p.put(sx, sy, 'k')
        p.put(sx + 1, sy, 'k')
    p.stamp(['www', 'w'], 10, 8 - 2)
    return p


def cake():
    p = Pic(32, 32, 'b')
    cx = 16.0
    # white base: a short cylinder seen a little from above
    p.rect(4, 18, 27, 26, 'w')
    p.ellipse(cx, 26.0, 12.0, 3.0, 'w')
    p.fill_if(lambda x, y: x > 23.5, 's', only='w')
    p.fill_if(lambda x, y: y > 27 and x > 9.5, 's', only='w')
    # magenta icing: the top face and a band round the side with drips
    p.ellipse(cx, 17.0, 12.0, 4.0, 'p')
    p.rect(4, 17, 27, 20, 'p')
    for dx, dl in ((6, 23.5), (10.5, 22), (15, 24.5), (19.5, 22.5), (24, 23.5)):
        p.line(dx, 20, dx, dl, 'p', 2.6)
    p.fill_if(lambda x, y: x > 23.5 and y > 19.5, 'u', only='p')
    # front edge of the top face
    p.fill_if(lambda x, y: ((x - cx) / 11.0) ** 2 + ((y - 17.0) / 3.2) ** 2 > 1.0
              and y > 18.0 and y < 20.0 and 5 < x < 27, 'u', only='p')
    p.outline('wspu', 'k', outside_keys='b')
    # candle
    p.rect(13, 6, 18, 18, 'k')
    p.rect(14, 7, 16, 17, 'w')
    p.rect(17, 7, 17, 17, 's')
    p.put(15, 5, 'k')
    p.put(16, 5, 'k')
    # flame
    p.stamp([' yy ',
             'yyyy',
             'yrry',
             'yrry',
             'yyyy'], 14, 0)
    p.put(13, 3, 'y')
    p.put(18, 3, 'y')
    return p


def star():
    p = Pic(32, 32, 'b')
    c = 16.0
    # green rays on the diagonals
    for dx, dy in ((1, 1), (1, -1), (-1, 1), (-1, -1)):
        p.line(c + dx * 6.5, c + dy * 6.5, c + dx * 13.0, c + dy * 13.0, 'l', 1.8)
        p.line(c + dx * 8.0, c + dy * 8.0, c + dx * 11.0, c + dy * 11.0, 'd', 0.8)
    def body(R, e=0.55):
        def t(x, y):
            ax, ay = abs(x - c) / R, abs(y - c) / R
            return ax ** e + ay ** e <= 1.0
        return t
    p.fill_if(body(15.8), 'y')
    p.fill_if(body(14.0), 'r', only='y')
    # each point lit on one side, shaded on the other (a pinwheel)
    def dark(x, y):
        dx, dy = x - c, y - c
        if abs(dy) >= abs(dx):
            return (dx > 0) == (dy < 0)
        return (dy > 0) == (dx > 0)
    p.fill_if(lambda x, y: dark(x, y), 'm', only='r')
    p.fill_if(lambda x, y: (x - c) ** 2 + (y - c) ** 2 <= 1.6 ** 2, 'y')
    return p


# ---------------------------------------------------------------- title face

def face():
    S = 32
    p = Pic(S, S)
    c, r = 16.0, 15.4
    p.disc(c, c, r, 'y')
    # olive shading on the lower right, as a crescent
    p.fill_if(lambda x, y: (x - c + 2.0) ** 2 + (y - c + 2.0) ** 2 > r ** 2,
              'o', only='y')
    p.outline('yo', 'k')   # one pixel thick
    # eyes: white with blue pupils looking a little to the right
    for ex in (11.0, 21.0):
        p.ellipse(ex, 11.5, 3.2, 4.4, 'k')
        p.ellipse(ex, 11.5, 2.2, 3.4, 'w')
        x = int(ex)
        p.rect(x, 11, x + 1, 13, 'b')
        p.put(x + 1, 13, 'n')
        p.put(x, 11, 'w')
    # mouth: open smile with a one-pixel black rim, teeth and a red tongue
    p.fill_if(lambda x, y: y >= 18.0 and ((x - c) / 10.0) ** 2 +
              ((y - 18.0) / 9.0) ** 2 <= 1.0, 'm')
    p.outline('m', 'k', outside_keys='yo')
    p.fill_if(lambda x, y: y < 20.0, 'w', only='m')
    p.fill_if(lambda x, y: ((x - c) / 5.6) ** 2 + ((y - 26.2) / 3.2) ** 2 <= 1.0,
              'r', only='m')
    # cheeks
    for chx in (5, 25):
        p.rect(chx, 16, chx + 1, 16, 'r')
    # shine
    p.stamp(['ww', 'w'], 6, 5)
    return p


# ---------------------------------------------------------------- letters

def glyph_rows(rows, scale):
    """Blow up a small letter drawing.  '#' is a full cell; the corner
    cells '/', '\\', 'L', 'J' keep one triangle half of the cell:
        '/'  lower-right half     '\\' lower-left half
        'J'  upper-left half      'L'  upper-right half"""
    h = len(rows) * scale
    w = max(len(r) for r in rows) * scale
    out = [[' '] * w for _ in range(h)]
    n = scale - 1
    for j, row in enumerate(rows):
        for i, ch in enumerate(row):
            for b in range(scale):
                for a in range(scale):
                    on = (ch == '#' or
                          (ch == '/' and a + b >= n) or
                          (ch == '\\' and (n - a) + b >= n) or
                          (ch == 'J' and a + b <= n) or
                          (ch == 'L' and (n - a) + b <= n))
                    if on:
                        out[j * scale + b][i * scale + a] = 'X'
    return [''.join(r) for r in out]


SCORE_FONT = {
    'S': ['/###\\',
          '##  #',
          '##   ',
          'L###\\',
          '   ##',
          '#  ##',
          'L###J'],
    'C': ['/###\\',
          '##  #',
          '##   ',
          '##   ',
          '##   ',
          '##  #',
          'L###J'],
    'O': ['/###\\',
          '##  #',
          '##  #',
          '##  #',
          '##  #',
          '##  #',
          'L###J'],
    'R': ['####\\',
          '##  #',
          '##  #',
          '####J',
          '## #\\',
          '##  #',
          '##  #'],
    'E': ['#####',
          '##   ',
          '##   ',
          '#### ',
          '##   ',
          '##   ',
          '#####'],
}


def score_caption():
    W, H = 111, 31
    p = Pic(W, H, 'y')
    scale, gap = 3, 6
    letters = [glyph_rows(SCORE_FONT[ch], scale) for ch in 'SCORE']
    total = sum(len(g[0]) for g in letters) + gap * (len(letters) - 1)
    x = (W - total) // 2
    y = (H - len(letters[0])) // 2
    for g in letters:
        p.stamp(g, x, y, {'X': 'r'})
        x += len(g[0]) + gap
    # thicken: one more pixel on the right of every stroke (bold)
    q = p.copy()
    for yy in range(H):
        for xx in range(1, W):
            if q.px[yy][xx - 1] == 'r':
                p.px[yy][xx] = 'r'
    return p


# "HighS:" drawn at full size, 3-pixel strokes; baseline at row 14
HIGHS_FONT = {
    'H': ['###     ###',
          '###     ###',
          '###     ###',
          '###     ###',
          '###     ###',
          '###     ###',
          '###########',
          '###########',
          '###########',
          '###     ###',
          '###     ###',
          '###     ###',
          '###     ###',
          '###     ###',
          '###     ###'],
    'i': ['   ',
          '###',
          '###',
          '   ',
          '   ',
          '###',
          '###',
          '###',
          '###',
          '###',
          '###',
          '###',
          '###',
          '###',
          '###'],
    'g': ['         ',
          '         ',
          '         ',
          '         ',
          '         ',
          '  #######',
          ' ########',
          '####  ###',
          '###   ###',
          '###   ###',
          '###   ###',
          '####  ###',
          ' ########',
          '  #######',
          '      ###',
          '      ###',
          '###  ####',
          '######## ',
          ' ######  '],
    'h': ['###      ',
          '###      ',
          '###      ',
          '###      ',
          '###      ',
          '### ###  ',
          '######## ',
          '####  ###',
          '###   ###',
          '###   ###',
          '###   ###',
          '###   ###',
          '###   ###',
          '###   ###',
          '###   ###'],
    'S': ['  ######  ',
          ' ######## ',
          '####   ###',
          '###     ##',
          '###       ',
          '####      ',
          ' #######  ',
          '  ####### ',
          '      ####',
          '       ###',
          '##     ###',
          '###   ####',
          ' ######## ',
          '  ######  ',
          '          '],
    ':': ['   ',
          '   ',
          '   ',
          '   ',
          '   ',
          '###',
          '###',
          '###',
          '   ',
          '   ',
          '   ',
          '###',
          '###',
          '###',
          '   '],
}


def highs_caption():
    W, H = 67, 25
    p = Pic(W, H)
    for y in range(H):
        for x in range(W):
            p.px[y][x] = 'y' if (x + y) % 2 == 0 else 'w'
    text, gap = 'HighS:', 2
    total = sum(len(HIGHS_FONT[ch][0]) for ch in text) + gap * (len(text) - 1)
    x = (W - total) // 2
    y = 3
    for ch in text:
        p.stamp([row.replace('#', 'r') for row in HIGHS_FONT[ch]], x, y)
        x += len(HIGHS_FONT[ch][0]) + gap
    for y in range(H):
        p.px[y][0] = 'b'
        p.px[y][W - 1] = 'b'
    return p


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    out = sys.argv[1] if len(sys.argv) > 1 else os.path.join(here, '..', 'assets')
    os.makedirs(out, exist_ok=True)
    sk = skull()
    eyes = {'tete1': '#00FF00', 'tete2': '#FF0000', 'tete3': '#FFFF00'}
    for name, col in eyes.items():
        write_xpm(sk, os.path.join(out, name + '.xpm'), {'e': col})
    write_xpm(glouton(), os.path.join(out, 'glouton.xpm'))
    for n in (16, 48):  # the icon sizes that are no whole multiple of 32
        write_xpm(glouton(n), os.path.join(out, 'glouton-%d.xpm' % n))
    write_xpm(wall(), os.path.join(out, 'mur.xpm'))
    write_xpm(floor_tile(), os.path.join(out, 'sol.xpm'))
    write_xpm(pellet(), os.path.join(out, 'gomme.xpm'))
    write_xpm(fruits(), os.path.join(out, 'bonus1.xpm'))
    write_xpm(burger(), os.path.join(out, 'bonus2.xpm'), {'a': '#E0A040'})
    write_xpm(cake(), os.path.join(out, 'bonus3.xpm'))
    write_xpm(star(), os.path.join(out, 'bonus4.xpm'))
    write_xpm(face(), os.path.join(out, 'face.xpm'))
    write_xpm(score_caption(), os.path.join(out, 'score.xpm'))
    write_xpm(highs_caption(), os.path.join(out, 'highs.xpm'))


if __name__ == '__main__':
    main()

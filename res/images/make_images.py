#!/usr/bin/env python3
"""Draws every picture resource of Quellix: icons, bitmaps and the cursor.

Usage: python3 make_images.py OUTPUT_DIR

Nothing is read from disk; each picture is computed from simple shapes
(rounded squares, rings, strokes) described by signed distance functions and
written in the file formats the resource compiler takes (.ico, .cur, .bmp).
The output is byte-for-byte the same on every run.

Files written:
    quellix.ico   icon 128, 16/32/48 px in 16 and 256 colours; 16, 20, 24,
                  32, 40, 48 and 64 px in 32 bits with alpha; 256 px as PNG
    dialog.ico    icon 135, 32 px in 256 colours; 40, 48 and 64 px in 32 bits
                  with alpha
    small.ico     icon 139, 16 px, 16 colours of its own orange-red palette;
                  16, 20, 24 and 32 px in 32 bits with alpha (the 16-px one
                  the same picture as the 16-colour one)
    tray_old.ico  icon 141, 16 px, standard 16-colour palette
    banner.bmp    bitmap 131, 411 x 77, 24-bit
    restore.bmp   bitmap 136, 16 x 16, 16 colours
    notifier.bmp  bitmap 140, 16 x 16, 24-bit
    hand.cur      cursor 134, 32 x 32 monochrome, hot spot (13, 7)
"""

import math
import os
import struct
import sys
import zlib

# ---------------------------------------------------------------------------
# Colours

WHITE = (255, 255, 255)
BLACK = (0, 0, 0)

# The program's orange-red identity, light to dark.
TILE_TOP = (255, 126, 74)
TILE_BOTTOM = (206, 50, 20)
TILE_EDGE = (140, 30, 10)

# The 16 colours every Windows display offers, in the usual order.
VGA16 = [
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0),
    (0, 0, 128), (128, 0, 128), (0, 128, 128), (192, 192, 192),
    (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0),
    (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255),
]


def clamp(v, lo=0.0, hi=1.0):
    return lo if v < lo else hi if v > hi else v


def mix(a, b, t):
    """Colour a blended towards b by t (0..1)."""
    return (a[0] + (b[0] - a[0]) * t,
            a[1] + (b[1] - a[1]) * t,
            a[2] + (b[2] - a[2]) * t)


def ramp(stops, t):
    """Colour at t (0..1) along evenly spaced colour stops."""
    t = clamp(t) * (len(stops) - 1)
    i = min(int(t), len(stops) - 2)
    return mix(stops[i], stops[i + 1], t - i)


def to_bytes(c):
    return tuple(int(clamp(round(v), 0, 255)) for v in c)


# ---------------------------------------------------------------------------
# Signed distances (negative inside) and coverage

def coverage(sd):
    """Pixel coverage of a shape from the signed distance at the pixel centre."""
    return clamp(0.5 - sd)


def sd_round_rect(x, y, x0, y0, x1, y1, r):
    cx, cy = (x0 + x1) * 0.5, (y0 + y1) * 0.5
    hx, hy = (x1 - x0) * 0.5 - r, (y1 - y0) * 0.5 - r
    qx, qy = abs(x - cx) - hx, abs(y - cy) - hy
    outside = math.hypot(max(qx, 0.0), max(qy, 0.0))
    return outside + min(max(qx, qy), 0.0) - r


def dist_segment(x, y, ax, ay, bx, by):
    dx, dy = bx - ax, by - ay
    ll = dx * dx + dy * dy
    h = 0.0 if ll == 0 else clamp(((x - ax) * dx + (y - ay) * dy) / ll)
    return math.hypot(x - ax - dx * h, y - ay - dy * h)


def dist_arc(x, y, cx, cy, r, a0, sweep):
    """Distance to a circular arc starting at angle a0 (radians,
    counter-clockwise, y up) and running `sweep` radians (negative: clockwise)."""
    if sweep < 0:
        a0, sweep = a0 + sweep, -sweep
    dx, dy = x - cx, y - cy
    a = math.atan2(dy, dx)
    if (a - a0) % (2 * math.pi) <= sweep + 1e-9:
        return abs(math.hypot(dx, dy) - r)
    a1 = a0 + sweep
    return min(math.hypot(x - cx - r * math.cos(a0), y - cy - r * math.sin(a0)),
               math.hypot(x - cx - r * math.cos(a1), y - cy - r * math.sin(a1)))


class PowerSymbol:
    """The power symbol: an open ring with a bar through its opening.

    (cx, cy) is the ring's centre, r the radius of the ring's centre line,
    t the stroke thickness; the bar runs from y=top down to y=bottom (outer
    extent, rounded ends). Image coordinates, y down."""

    def __init__(self, cx, cy, r, t, top, bottom, clearance=0.55):
        self.cx, self.cy, self.r, self.t = cx, cy, r, t
        self.top, self.bottom = top, bottom
        # Half the opening, measured from straight up, chosen so that the
        # rounded ring ends keep `clearance` stroke widths away from the bar.
        self.gap = math.asin(min(1.0, (1.0 + clearance) * t / r))
        self.ends = [(cx + s * r * math.sin(self.gap), cy - r * math.cos(self.gap))
                     for s in (1, -1)]

    def sd(self, x, y):
        dx, dy = x - self.cx, y - self.cy
        if abs(math.atan2(dx, -dy)) >= self.gap:
            d_ring = abs(math.hypot(dx, dy) - self.r)
        else:
            d_ring = min(math.hypot(x - ex, y - ey) for ex, ey in self.ends)
        h = self.t * 0.5
        d_bar = dist_segment(x, y, self.cx, self.top + h, self.cx, self.bottom - h)
        return min(d_ring, d_bar) - h


# ---------------------------------------------------------------------------
# Images

class Image:
    def __init__(self, w, h, fill=WHITE):
        self.w, self.h = w, h
        self.px = [[tuple(map(float, fill)) for _ in range(w)] for _ in range(h)]
        self.opaque = [[True] * w for _ in range(h)]

    def blend(self, x, y, colour, alpha):
        if 0 <= x < self.w and 0 <= y < self.h and alpha > 0:
            self.px[y][x] = mix(self.px[y][x], colour, clamp(alpha))

    def paint(self, sd_func, colour, alpha=1.0, box=None):
        """Blend colour wherever the shape covers a pixel."""
        x0, y0, x1, y1 = box if box else (0, 0, self.w, self.h)
        for y in range(max(0, y0), min(self.h, y1)):
            for x in range(max(0, x0), min(self.w, x1)):
                c = coverage(sd_func(x + 0.5, y + 0.5))
                if c > 0:
                    self.px[y][x] = mix(self.px[y][x], colour, c * alpha)

    def colours(self):
        return [[to_bytes(c) for c in row] for row in self.px]


# ---------------------------------------------------------------------------
# Palettes

def nearest(palette, c):
    best, bi = None, 0
    for i, p in enumerate(palette):
        d = (p[0] - c[0]) ** 2 * 3 + (p[1] - c[1]) ** 2 * 4 + (p[2] - c[2]) ** 2 * 2
        if best is None or d < best:
            best, bi = d, i
    return bi


def median_cut(counts, n):
    """Deterministic median cut: up to n colours representing `counts`
    (a dict colour -> pixel count)."""
    boxes = [sorted(counts.items())]
    while len(boxes) < n:
        best = None
        for bi, box in enumerate(boxes):
            if len(box) < 2:
                continue
            for ch in range(3):
                vals = [c[ch] for c, _ in box]
                spread = (max(vals) - min(vals)) * (1 + 0.15 * math.log(1 + sum(k for _, k in box)))
                if best is None or spread > best[0]:
                    best = (spread, bi, ch)
        if best is None or best[0] == 0:
            break
        _, bi, ch = best
        box = sorted(boxes[bi], key=lambda e: (e[0][ch], e[0]))
        total = sum(k for _, k in box)
        acc, cut = 0, 1
        for i, (_, k) in enumerate(box):
            acc += k
            if acc * 2 >= total:
                cut = min(max(i + 1, 1), len(box) - 1)
                break
        boxes[bi:bi + 1] = [box[:cut], box[cut:]]
    palette = []
    for box in boxes:
        total = sum(k for _, k in box)
        palette.append(tuple(int(round(sum(c[ch] * k for c, k in box) / total))
                             for ch in range(3)))
    return palette


def make_palette(img, size, fixed=(BLACK, WHITE)):
    """A palette of `size` entries: the fixed colours first, then colours
    chosen for the image's opaque pixels; padded with black."""
    counts = {}
    cols = img.colours()
    for y in range(img.h):
        for x in range(img.w):
            if img.opaque[y][x] and cols[y][x] not in fixed:
                counts[cols[y][x]] = counts.get(cols[y][x], 0) + 1
    free = size - len(fixed)
    if len(counts) <= free:
        chosen = sorted(counts)
    else:
        chosen = median_cut(counts, free)
    palette = list(fixed) + chosen
    return palette + [BLACK] * (size - len(palette))


def indexed(img, palette):
    """Palette indices of the image; transparent pixels get index 0 (black)."""
    cols = img.colours()
    cache = {}
    rows = []
    for y in range(img.h):
        row = []
        for x in range(img.w):
            if not img.opaque[y][x]:
                row.append(palette.index(BLACK))
                continue
            c = cols[y][x]
            if c not in cache:
                cache[c] = nearest(palette, c)
            row.append(cache[c])
        rows.append(row)
    return rows


# ---------------------------------------------------------------------------
# File formats

def pack_bits(values, bpp):
    """One bottom-up DIB scan line, padded to 4 bytes."""
    out = bytearray()
    per = 8 // bpp
    for i in range(0, len(values), per):
        b = 0
        for j in range(per):
            v = values[i + j] if i + j < len(values) else 0
            b |= v << (8 - bpp * (j + 1))
        out.append(b)
    while len(out) % 4:
        out.append(0)
    return bytes(out)


def rgbquads(palette):
    return b"".join(struct.pack("<BBBB", c[2], c[1], c[0], 0) for c in palette)


def info_header(w, h, bpp, image_size, colours):
    return struct.pack("<IiiHHIIiiII", 40, w, h, 1, bpp, 0, image_size, 0, 0, colours, 0)


def icon_dib(img, bpp, palette):
    """One icon image: header (double height), palette, colour bits, mask."""
    idx = indexed(img, palette)
    xor = b"".join(pack_bits(idx[y], bpp) for y in reversed(range(img.h)))
    mask = b"".join(pack_bits([0 if o else 1 for o in img.opaque[y]], 1)
                    for y in reversed(range(img.h)))
    return (info_header(img.w, img.h * 2, bpp, len(xor) + len(mask), len(palette))
            + rgbquads(palette) + xor + mask)


def write_ico(path, images, extra=()):
    """images: list of (Image, bpp, palette); extra: (size, bpp, data) entries
    already encoded (32-bit images, PNG), written after them."""
    dibs = [(img.w, bpp, icon_dib(img, bpp, pal)) for img, bpp, pal in images] + list(extra)
    out = bytearray(struct.pack("<HHH", 0, 1, len(dibs)))
    offset = 6 + 16 * len(dibs)
    for size, bpp, dib in dibs:
        out += struct.pack("<BBBBHHII", size % 256, size % 256,
                           (1 << bpp) if bpp < 8 else 0, 0, 1, bpp, len(dib), offset)
        offset += len(dib)
    for _, _, dib in dibs:
        out += dib
    write_file(path, out)


def write_cur(path, rows, hotspot):
    """Monochrome cursor from rows of '#' (black), '.' (white), ' ' (clear)."""
    h, w = len(rows), len(rows[0])
    xor_rows, and_rows = [], []
    for row in rows:
        xor_rows.append([1 if ch == "." else 0 for ch in row])
        and_rows.append([1 if ch == " " else 0 for ch in row])
    xor = b"".join(pack_bits(r, 1) for r in reversed(xor_rows))
    mask = b"".join(pack_bits(r, 1) for r in reversed(and_rows))
    dib = (info_header(w, h * 2, 1, len(xor) + len(mask), 2)
           + rgbquads([BLACK, WHITE]) + xor + mask)
    out = struct.pack("<HHH", 0, 2, 1)
    out += struct.pack("<BBBBHHII", w, h, 2, 0, hotspot[0], hotspot[1], len(dib), 22)
    write_file(path, out + dib)


def write_bmp(path, img, bpp=24, palette=None):
    if bpp == 24:
        cols = img.colours()
        bits = bytearray()
        for y in reversed(range(img.h)):
            line = bytearray()
            for r, g, b in cols[y]:
                line += bytes((b, g, r))
            while len(line) % 4:
                line.append(0)
            bits += line
        head = info_header(img.w, img.h, 24, len(bits), 0)
        pal = b""
    else:
        idx = indexed(img, palette)
        bits = b"".join(pack_bits(idx[y], bpp) for y in reversed(range(img.h)))
        head = info_header(img.w, img.h, bpp, len(bits), len(palette))
        pal = rgbquads(palette)
    offset = 14 + len(head) + len(pal)
    fh = struct.pack("<2sIHHI", b"BM", offset + len(bits), 0, 0, offset)
    write_file(path, fh + head + pal + bytes(bits))


def write_file(path, data):
    with open(path, "wb") as f:
        f.write(data)


# ---------------------------------------------------------------------------
# The program icon: a white power symbol on an orange-red rounded square

# Per size: tile margin, corner radius, symbol centre y.
TILE_GEOMETRY = {16: (0, 4.0, 9.0), 32: (1, 6.5, 17.0), 48: (2, 9.0, 25.0)}

# The sizes of the 32-bit images (the system picks them by DPI: 16 and 32 px
# at 100 %, 20 and 40 at 125 %, 24 and 48 at 150 %, 32 and 64 at 200 %).
ALPHA_SIZES = (16, 20, 24, 32, 40, 48, 64)
PNG_SIZE = 256
# Icon 135 at 125, 150 and 200 % (none at 32 px: at 96 DPI the 256-colour one shows).
DIALOG_ICON_SCALED_SIZES = (40, 48, 64)
# Icon 139 (title bar and notification area) at 125, 150 and 200 %.
SMALL_ICON_SCALED_SIZES = (20, 24, 32)


def tile_geometry(size):
    """The hand-set geometry where there is one, else the same proportions."""
    if size in TILE_GEOMETRY:
        return TILE_GEOMETRY[size]
    return (size // 24, size * 0.2, round(size * 0.53))


def power_for(size):
    """The power symbol laid out for an icon of `size` pixels: stroke of an
    eighth of the size, so that bar and ring sit on whole pixels."""
    _, _, cy = tile_geometry(size)
    t = size / 8.0
    r = size / 4.0
    c = size / 2.0
    top = cy - r - t / 2 - size / 16.0
    return PowerSymbol(c, cy, r, t, top, cy + t * 0.25)


def tile_icon(size, flat=None):
    """The icon picture. flat=None: shaded tile with soft edges, for palettes
    that can show them; flat=(fill, edge): hard-edged two-colour tile."""
    m, rad, _ = tile_geometry(size)
    sym = power_for(size)
    img = Image(size, size, BLACK)
    lo, hi = m, size - m
    for y in range(size):
        for x in range(size):
            px, py = x + 0.5, y + 0.5
            sd = sd_round_rect(px, py, lo, lo, hi, hi, rad)
            if sd >= 0:
                img.opaque[y][x] = False
                continue
            s = sym.sd(px, py)
            if flat:
                fill, edge = flat
                c = edge if sd > -1 else fill
                img.px[y][x] = WHITE if s < 0 else c
                continue
            t = (py - lo) / (hi - lo)
            c = ramp([TILE_TOP, mix(TILE_TOP, TILE_BOTTOM, 0.55), TILE_BOTTOM], t)
            if size >= 32:
                # a soft light falling on the upper half
                glow = clamp(1.0 - math.hypot((px - size * 0.5) / (size * 0.6),
                                              (py - lo) / (size * 0.55)))
                c = mix(c, WHITE, 0.22 * glow)
                # thin bevel just inside the edge, lighter at the top
                bevel = clamp(1.0 - abs(sd + 1.5)) * clamp(1.0 - 1.6 * t)
                c = mix(c, WHITE, 0.35 * bevel)
                # the symbol's shadow, one pixel down
                c = mix(c, TILE_EDGE, 0.45 * coverage(sym.sd(px, py - size / 32.0) + 0.3))
            c = mix(c, TILE_EDGE, clamp(sd + 1.5))
            c = mix(c, WHITE, coverage(s))
            img.px[y][x] = c
    return img


def tile_icon_rgba(size):
    """The shaded icon with soft, partly transparent edges: rows of
    (r, g, b, a) bytes, top row first."""
    img = tile_icon(size)
    m, rad, _ = tile_geometry(size)
    rows = []
    for y in range(size):
        row = []
        for x in range(size):
            sd = sd_round_rect(x + 0.5, y + 0.5, m, m, size - m, size - m, rad)
            alpha = coverage(sd)
            r, g, b = to_bytes(img.px[y][x]) if alpha > 0 else (0, 0, 0)
            if alpha > 0 and not img.opaque[y][x]:
                r, g, b = to_bytes(TILE_EDGE)  # the rim outside the hard-edged tile
            row.append((r, g, b, int(round(alpha * 255))))
        rows.append(row)
    return rows


def rgba_icon_dib(rows):
    """A 32-bit icon image: BGRA colour bits, then the mask old systems read."""
    size = len(rows)
    xor = b"".join(bytes(v for r, g, b, a in rows[y] for v in (b, g, r, a)) for y in reversed(range(size)))
    mask = b"".join(pack_bits([0 if a else 1 for *_, a in rows[y]], 1) for y in reversed(range(size)))
    return info_header(size, size * 2, 32, len(xor) + len(mask), 0) + xor + mask


def indexed_rgba(img, palette):
    """The palette picture as 32-bit rows with a hard-edged alpha channel:
    drawn by a system that takes the alpha image, it looks the same."""
    idx = indexed(img, palette)
    return [[palette[idx[y][x]] + (255,) if img.opaque[y][x] else (0, 0, 0, 0) for x in range(img.w)]
            for y in range(img.h)]


def png(rows):
    """An RGBA PNG of the rows (what icons of 256 px hold)."""
    h, w = len(rows), len(rows[0])
    raw = b"".join(b"\0" + bytes(v for px in row for v in px) for row in rows)

    def chunk(kind, data):
        return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data))

    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", w, h, 8, 6, 0, 0, 0))
            + chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b""))


# ---------------------------------------------------------------------------
# A small stroke font for the banner (geometric, monoline)
#
# Glyph coordinates: baseline at y=0, y up, x-height 10, cap height 14.
# Strokes: ("l", x0, y0, x1, y1) line, ("a", cx, cy, r, start, sweep) arc in
# degrees, ("p", [(x, y), ...]) polyline.

GLYPHS = {
    "Q": (15, [("a", 7.5, 7, 7.5, 0, 360), ("l", 10.2, 3.4, 14.6, -1.2)]),
    "u": (8, [("l", 0, 10, 0, 4), ("a", 4, 4, 4, 180, 180), ("l", 8, 10, 8, 0)]),
    "e": (10, [("l", 0.2, 5, 10, 5), ("a", 5, 5, 5, 0, 318)]),
    "l": (0, [("l", 0, 0, 0, 14.6)]),
    "i": (0, [("l", 0, 0, 0, 10), ("l", 0, 13.6, 0, 13.6)]),
    "x": (8.5, [("l", 0, 10, 8.5, 0), ("l", 0, 0, 8.5, 10)]),
    "s": (7, [("a", 3.5, 7.5, 2.5, 25, 245), ("a", 3.5, 2.5, 2.5, 90, -250)]),
    "h": (8, [("l", 0, 0, 0, 14.6), ("a", 4, 6, 4, 180, -180), ("l", 8, 6, 8, 0)]),
    "t": (5, [("p", [(1.8, 13), (1.8, 2.2)]), ("a", 4.0, 2.2, 2.2, 180, 90),
              ("l", 0, 10, 5, 10)]),
    "d": (10, [("a", 5, 5, 5, 0, 360), ("l", 10, 0, 10, 14.6)]),
    "o": (10, [("a", 5, 5, 5, 0, 360)]),
    "w": (12, [("p", [(0, 10), (3, 0), (6, 9), (9, 0), (12, 10)])]),
    "n": (8, [("l", 0, 0, 0, 10), ("a", 4, 6, 4, 180, -180), ("l", 8, 6, 8, 0)]),
    "m": (13, [("l", 0, 0, 0, 10), ("a", 3.25, 7, 3.25, 180, -180), ("l", 6.5, 7, 6.5, 0),
               ("a", 9.75, 7, 3.25, 180, -180), ("l", 13, 7, 13, 0)]),
    "r": (5.5, [("l", 0, 0, 0, 10), ("a", 4.5, 5.5, 4.5, 180, -110)]),
    " ": (3, []),
}


class Text:
    """A line of text in the stroke font, placed in image coordinates."""

    def __init__(self, text, x, baseline, scale, weight, spacing=3.6):
        self.scale, self.half = scale, weight * 0.5
        self.glyphs = []  # (strokes, ox) in font units
        ox = 0.0
        for ch in text:
            adv, strokes = GLYPHS[ch]
            self.glyphs.append((strokes, ox))
            ox += adv + spacing
        self.width_units = ox - spacing
        self.x, self.baseline = x, baseline

    def width(self):
        return (self.width_units + 2 * self.half) * self.scale

    def box(self, pad=2):
        s = self.scale
        return (int(self.x - pad), int(self.baseline - 16 * s - pad),
                int(self.x + self.width() + pad + 1), int(self.baseline + 3 * s + pad + 1))

    def sd(self, x, y):
        s = self.scale
        u = (x - self.x) / s - self.half
        v = (self.baseline - y) / s
        best = 1e9
        for strokes, ox in self.glyphs:
            gu = u - ox
            if gu < -6 or gu > 22:
                continue
            for st in strokes:
                if st[0] == "l":
                    d = dist_segment(gu, v, st[1], st[2], st[3], st[4])
                elif st[0] == "a":
                    d = dist_arc(gu, v, st[1], st[2], st[3],
                                 math.radians(st[4]), math.radians(st[5]))
                else:
                    pts = st[1]
                    d = min(dist_segment(gu, v, *pts[i], *pts[i + 1])
                            for i in range(len(pts) - 1))
                best = min(best, d)
        return (best - self.half) * s


# ---------------------------------------------------------------------------
# The pictures

def banner():
    w, h = 411, 77
    img = Image(w, h)
    deep, warm, light = (176, 38, 16), (226, 78, 34), (247, 146, 66)
    for y in range(h):
        for x in range(w):
            t = x / (w - 1)
            c = ramp([deep, warm, light], t ** 0.85)
            # a little darker towards the bottom edge
            c = mix(c, deep, 0.22 * (y / (h - 1)) ** 1.5)
            # a faint glow behind the symbol on the left
            g = clamp(1.0 - math.hypot(x - 44, y - 38) / 70.0)
            c = mix(c, (255, 170, 110), 0.30 * g * g)
            img.px[y][x] = c

    # Large, faint rings drifting off the right edge.
    for r, a in ((34, 0.10), (62, 0.08), (92, 0.06), (124, 0.045)):
        img.paint(lambda x, y, r=r: abs(math.hypot(x - 372, y - 30) - r) - 1.2, WHITE, a)

    # The power symbol, with a soft shadow.
    sym = PowerSymbol(44, 41, 17.5, 6.2, 10.5, 42)
    box = (14, 4, 76, 72)
    img.paint(lambda x, y: (sym.sd(x - 1.5, y - 2.0) - 1.5) / 2.5, (110, 20, 5), 0.35, box)
    img.paint(sym.sd, WHITE, 1.0, box)

    # Separator between symbol and lettering.
    img.paint(lambda x, y: max(abs(x - 88.5) - 0.5, abs(y - 38.5) - 24.0),
              (255, 220, 200), 0.45)

    title = Text("Quellix", 101, 46, 2.45, 2.35, spacing=3.3)
    tb = title.box()
    img.paint(lambda x, y: (title.sd(x - 1.5, y - 2.0) - 1.0) / 2.0, (110, 20, 5), 0.35, tb)
    img.paint(title.sd, WHITE, 1.0, tb)

    sub = Text("shutdown timer", 103, 65, 0.95, 1.75, spacing=3.2)
    img.paint(sub.sd, (255, 230, 212), 1.0, sub.box())

    # Crisp line along the bottom edge.
    for x in range(w):
        img.blend(x, h - 1, (120, 24, 8), 0.65)
    return img


def notifier():
    """White cross on an orange-red square with a white border."""
    img = Image(16, 16)
    for y in range(16):
        for x in range(16):
            if x in (0, 15) or y in (0, 15):
                img.px[y][x] = WHITE
                continue
            c = mix((250, 108, 62), (214, 56, 24), (y - 1) / 13.0)
            if x in (1, 14) or y in (1, 14):
                c = mix(c, (160, 34, 10), 0.35)
            img.px[y][x] = c
    cross = lambda x, y: min(dist_segment(x, y, 4.9, 4.9, 11.1, 11.1),
                             dist_segment(x, y, 11.1, 4.9, 4.9, 11.1)) - 0.8
    img.paint(cross, WHITE)
    return img


RESTORE_GLYPH = [
    "................",
    "................",
    ".....#########..",
    ".....#########..",
    ".....#.......#..",
    ".....#.......#..",
    "..#########..#..",
    "..#########..#..",
    "..#.......#..#..",
    "..#.......####..",
    "..#.......#.....",
    "..#.......#.....",
    "..#.......#.....",
    "..#########.....",
    "................",
    "................",
]


def restore():
    img = Image(16, 16)
    for y, row in enumerate(RESTORE_GLYPH):
        for x, ch in enumerate(row):
            img.px[y][x] = BLACK if ch == "#" else WHITE
    return img


# Pointing hand, 32 x 32: '#' outline, '.' white, ' ' clear.
# The tip of the raised index finger is at (13, 7), the hot spot.
HAND_ROWS = [
    "      ##          ",
    "     #..#         ",
    "     #..#         ",
    "     #..#         ",
    "     #..#         ",
    "     #..###       ",
    "     #..#..###    ",
    "     #..#..#..### ",
    "     #..#..#..#..#",
    " ##  #..#..#..#..#",
    "#..# #..#..#..#..#",
    "#...##...........#",
    " #..#............#",
    " #...............#",
    "  #..............#",
    "  #.............# ",
    "   #............# ",
    "   #...........#  ",
    "    #..........#  ",
    "    #..........#  ",
    "    ############  ",
]
HAND_HOTSPOT = (13, 7)


def hand_cursor():
    ox = HAND_HOTSPOT[0] - HAND_ROWS[0].index("#")
    oy = HAND_HOTSPOT[1]
    grid = [[" "] * 32 for _ in range(32)]
    for y, row in enumerate(HAND_ROWS):
        for x, ch in enumerate(row):
            grid[oy + y][ox + x] = ch
    return ["".join(r) for r in grid]


def main(argv):
    if len(argv) != 2:
        sys.stderr.write("usage: make_images.py OUTPUT_DIR\n")
        return 2
    out = argv[1]
    os.makedirs(out, exist_ok=True)
    p = lambda name: os.path.join(out, name)

    # Icon 128: three sizes, each in 16 and in 256 colours, then the 32-bit
    # images with alpha for every scaling and the 256-pixel PNG.
    images = []
    for bpp, colours in ((4, 16), (8, 256)):
        for size in (16, 32, 48):
            img = tile_icon(size)
            images.append((img, bpp, make_palette(img, colours)))
    extra = [(size, 32, rgba_icon_dib(tile_icon_rgba(size))) for size in ALPHA_SIZES]
    extra.append((PNG_SIZE, 32, png(tile_icon_rgba(PNG_SIZE))))
    write_ico(p("quellix.ico"), images, extra)

    # Icon 135: the 32-pixel picture in 256 colours, as shown at 96 DPI, and
    # 32-bit images with alpha for the larger sizes other resolutions ask for.
    img = tile_icon(32)
    extra = [(size, 32, rgba_icon_dib(tile_icon_rgba(size))) for size in DIALOG_ICON_SCALED_SIZES]
    write_ico(p("dialog.ico"), [(img, 8, make_palette(img, 256))], extra)

    # Icon 139: 16 pixels, 16 orange-red shades of its own, for old systems;
    # the same in 32 bits, which newer systems pick at 96 DPI, so that it
    # looks as before; and drawn anew with soft edges for each larger scaling.
    img = tile_icon(16)
    palette = make_palette(img, 16)
    extra = [(16, 32, rgba_icon_dib(indexed_rgba(img, palette)))]
    extra += [(size, 32, rgba_icon_dib(tile_icon_rgba(size))) for size in SMALL_ICON_SCALED_SIZES]
    write_ico(p("small.ico"), [(img, 4, palette)], extra)

    # Icon 141: 16 pixels in the standard colours, flat red.
    img = tile_icon(16, flat=((255, 0, 0), (128, 0, 0)))
    write_ico(p("tray_old.ico"), [(img, 4, VGA16)])

    write_bmp(p("banner.bmp"), banner())
    write_bmp(p("restore.bmp"), restore(), bpp=4, palette=VGA16)
    write_bmp(p("notifier.bmp"), notifier())
    write_cur(p("hand.cur"), hand_cursor(), HAND_HOTSPOT)
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))

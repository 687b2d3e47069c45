#!/usr/bin/env python3
"""Draws the eleven 32 x 24 toolbar pictures as PPM files (4 x 4 samples per
pixel, so edges are smooth). make_pictures.sh turns them into PNGs."""
import math
import sys

W, H, SS = 32, 24, 4
GREY = (128, 128, 128)
WHITE = (255, 255, 255)
BLACK = (0, 0, 0)
YELLOW = (255, 220, 0)
BLUE = (32, 96, 192)


def grey(v):
    v = max(0, min(255, int(round(v))))
    return (v, v, v)


def seg_dist(px, py, ax, ay, bx, by):
    dx, dy = bx - ax, by - ay
    t = max(0.0, min(1.0, ((px - ax) * dx + (py - ay) * dy) / (dx * dx + dy * dy)))
    return math.hypot(px - ax - t * dx, py - ay - t * dy)


def on_strokes(x, y, segments, half):
    return any(seg_dist(x, y, *s) <= half for s in segments)


def spot(x, y):
    return WHITE if math.hypot(x - 16, y - 12) <= 7 else GREY


def annulus(x, y):
    return WHITE if 5 <= math.hypot(x - 16, y - 12) <= 10 else GREY


def bar(x, y):
    return WHITE if 14 <= x <= 18 and 2 <= y <= 22 else GREY


def grating(x, y):
    if math.hypot(x - 16, y - 12) > 11:
        return GREY
    return grey(128 + 127 * math.cos(2 * math.pi * (x - 16) / 6.5))


ARROW_SWAP = [(13, 9, 19, 9), (17, 7, 19, 9), (17, 11, 19, 9),
              (19, 15, 13, 15), (15, 13, 13, 15), (15, 17, 13, 15)]


def polarity(x, y):
    if on_strokes(x, y, ARROW_SWAP, 0.75):
        return YELLOW
    if math.hypot(x - 7, y - 12) <= 6:
        return WHITE
    if math.hypot(x - 25, y - 12) <= 6:
        return BLACK
    return GREY


def centre_surround(x, y, sign):
    r = math.hypot(x - 16, y - 12)
    if r <= 5:
        return WHITE if sign > 0 else BLACK
    if r <= 11:
        return grey(40) if sign > 0 else grey(235)
    return GREY


def gabor(x, y, slant, period=12.0, sx=5.5, sy=8.0, cx=16.0):
    u, v = x - cx + slant * (y - 12), y - 12
    envelope = math.exp(-((x - cx) ** 2) / (2 * sx * sx) - (v * v) / (2 * sy * sy))
    return grey(128 + 1.4 * 127 * envelope * math.cos(2 * math.pi * u / period))


def simple(x, y):
    return gabor(x, y, 0.0)


ARROW_RIGHT = [(24, 12, 31, 12), (28, 9, 31, 12), (28, 15, 31, 12)]


def directional(x, y):
    if on_strokes(x, y, ARROW_RIGHT, 0.85):
        return YELLOW
    return gabor(x, y, 0.45, cx=13.0, sx=5.0)


def complex_cell(x, y):
    pluses, minuses = [], []
    for (cx, cy) in [(10, 6), (22, 6), (16, 12), (10, 18), (22, 18)]:
        pluses += [(cx - 2.5, cy, cx + 2.5, cy), (cx, cy - 2.5, cx, cy + 2.5)]
    for (cx, cy) in [(16, 6), (10, 12), (22, 12), (16, 18)]:
        minuses.append((cx - 2.5, cy, cx + 2.5, cy))
    if on_strokes(x, y, pluses, 0.8):
        return WHITE
    if on_strokes(x, y, minuses, 0.8):
        return BLACK
    return grey(96) if ((x - 16) / 14) ** 2 + ((y - 12) / 11.5) ** 2 <= 1 else GREY


def question_mark():
    points = []
    for i in range(0, 24):
        a = math.radians(180 - i * 230 / 23)
        points.append((16 + 3.6 * math.cos(a), 9 - 3.6 * math.sin(a)))
    segs = [(*points[i], *points[i + 1]) for i in range(len(points) - 1)]
    segs += [(*points[-1], 16, 13.5), (16, 13.5, 16, 15)]
    return segs


QUESTION = question_mark()


def help_picture(x, y):
    if math.hypot(x - 16, y - 18.6) <= 1.5:
        return WHITE
    if on_strokes(x, y, QUESTION, 1.1):
        return WHITE
    return BLUE if math.hypot(x - 16, y - 12) <= 11 else GREY


PICTURES = {
    'spot': spot, 'annulus': annulus, 'bar': bar, 'grating': grating,
    'polarity': polarity, 'on_centre': lambda x, y: centre_surround(x, y, 1),
    'off_centre': lambda x, y: centre_surround(x, y, -1), 'simple': simple,
    'directional': directional, 'complex': complex_cell, 'help': help_picture,
}


def render(name, out):
    f = PICTURES[name]
    rows = []
    for py in range(H):
        for px in range(W):
            acc = [0, 0, 0]
            for sy in range(SS):
                for sx in range(SS):
                    c = f(px + (sx + 0.5) / SS, py + (sy + 0.5) / SS)
                    for k in range(3):
                        acc[k] += c[k]
            rows.append(bytes(int(a / (SS * SS) + 0.5) for a in acc))
    with open(out, 'wb') as fh:
        fh.write(b'P6\n%d %d\n255\n' % (W, H))
        fh.write(b''.join(rows))


if __name__ == '__main__':
    for name in sys.argv[1:] or PICTURES:
        render(name, name + '.ppm')

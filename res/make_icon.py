#!/usr/bin/env python3
"""Draws Glazier's icon (a window frame glazed with four panes of glass) into glazier.ico.

Plain Python, no libraries: each size is rendered with 4 x 4 supersampling and written as a
32-bit BMP image with its AND mask, the form every Windows version reads.

    python3 res/make_icon.py [output.ico]
"""
import os
import struct
import sys

SIZES = (16, 20, 24, 32, 40, 48, 64, 96, 128)
SAMPLES = 4

FRAME = (43, 58, 74)        # window frame, dark slate
TITLE_TOP = (86, 150, 235)  # title bar gradient
TITLE_BOTTOM = (38, 96, 196)
GLASS_TOP = (214, 240, 255)  # glass gradient
GLASS_BOTTOM = (150, 205, 240)
GLASS_ALPHA = 0.85
MUNTIN = (90, 110, 130)      # the bars between the panes
GLINT = (255, 255, 255)


def mix(a, b, t):
    return tuple(a[i] + (b[i] - a[i]) * t for i in range(3))


def inside_rounded(x, y, left, top, right, bottom, radius):
    if not (left <= x <= right and top <= y <= bottom):
        return False
    cx = min(max(x, left + radius), right - radius)
    cy = min(max(y, top + radius), bottom - radius)
    return (x - cx) ** 2 + (y - cy) ** 2 <= radius ** 2


def sample(x, y, border):
    """Colour and alpha at (x, y) in the unit square; border is the frame width in units."""
    outer = (0.04, 0.06, 0.96, 0.94)
    if not inside_rounded(x, y, *outer, 0.08):
        return (0, 0, 0), 0.0
    left, top, right, bottom = outer
    title_bottom = 0.30
    inner_left, inner_right = left + border, right - border
    inner_top, inner_bottom = title_bottom, bottom - border
    if y < title_bottom:
        if top + border <= y and inner_left <= x <= inner_right:
            return mix(TITLE_TOP, TITLE_BOTTOM, (y - top) / (title_bottom - top)), 1.0
        return FRAME, 1.0
    if not (inner_left <= x <= inner_right and inner_top <= y <= inner_bottom):
        return FRAME, 1.0
    mid_x = (inner_left + inner_right) / 2
    mid_y = (inner_top + inner_bottom) / 2
    half_bar = border * 0.45
    if abs(x - mid_x) <= half_bar or abs(y - mid_y) <= half_bar:
        return MUNTIN, 1.0
    # Two streaks of light across the upper left of each pane.
    pane_w = (inner_right - inner_left) / 2
    pane_h = (inner_bottom - inner_top) / 2
    u = ((x - inner_left) % pane_w) / pane_w + ((y - inner_top) % pane_h) / pane_h
    if 0.45 <= u <= 0.62 or 0.72 <= u <= 0.78:
        return mix(GLASS_TOP, GLINT, 0.8), 0.95
    t = (y - inner_top) / (inner_bottom - inner_top)
    return mix(GLASS_TOP, GLASS_BOTTOM, t), GLASS_ALPHA


def render(size):
    """Rows top-down of (b, g, r, a) bytes."""
    border = max(1.0 / size, 0.07)  # at least one pixel wide
    rows = []
    for py in range(size):
        row = []
        for px in range(size):
            acc = [0.0, 0.0, 0.0]
            alpha = 0.0
            for sy in range(SAMPLES):
                for sx in range(SAMPLES):
                    x = (px + (sx + 0.5) / SAMPLES) / size
                    y = (py + (sy + 0.5) / SAMPLES) / size
                    colour, a = sample(x, y, border)
                    for i in range(3):
                        acc[i] += colour[i] * a
                    alpha += a
            n = SAMPLES * SAMPLES
            if alpha == 0:
                row.append((0, 0, 0, 0))
                continue
            r, g, b = (round(acc[i] / alpha) for i in range(3))
            row.append((b, g, r, round(255 * alpha / n)))
        rows.append(row)
    return rows


def bmp_image(size):
    rows = render(size)
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    pixels = bytearray()
    for row in reversed(rows):  # bottom-up
        for b, g, r, a in row:
            pixels += bytes((b, g, r, a))
    mask_stride = ((size + 31) // 32) * 4
    mask = bytearray()
    for row in reversed(rows):
        line = bytearray(mask_stride)
        for x, (_, _, _, a) in enumerate(row):
            if a == 0:
                line[x // 8] |= 0x80 >> (x % 8)
        mask += line
    return header + bytes(pixels) + bytes(mask)


def write_icon(path):
    images = [bmp_image(size) for size in SIZES]
    out = bytearray(struct.pack("<HHH", 0, 1, len(images)))
    offset = 6 + 16 * len(images)
    for size, image in zip(SIZES, images):
        out += struct.pack("<BBBBHHII", size, size, 0, 0, 1, 32, len(image), offset)
        offset += len(image)
    for image in images:
        out += image
    with open(path, "wb") as f:
        f.write(out)


if __name__ == "__main__":
    default = os.path.join(os.path.dirname(os.path.abspath(__file__)), "glazier.ico")
    write_icon(sys.argv[1] if len(sys.argv) > 1 else default)

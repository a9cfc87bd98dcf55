#!/usr/bin/env python3
"""Draws the toolkit's cursors and bitmaps into OUTDIR, for its resource script.

Every picture is drawn here from simple shapes: cursors as a white body with a
black outline (32 x 32, monochrome), bitmaps as strips of 16 x 16 glyphs.

    make-artwork.py OUTDIR
"""
import math
import os
import struct
import sys

SIZE = 32


# ------------------------------------------------------------------ shapes

def blank(w=SIZE, h=SIZE):
    return [[0] * w for _ in range(h)]


def fill_poly(grid, points, value=1):
    """Fills a polygon (even-odd rule, pixel centres)."""
    h, w = len(grid), len(grid[0])
    for y in range(h):
        cy = y + 0.5
        xs = []
        for (x0, y0), (x1, y1) in zip(points, points[1:] + points[:1]):
            if (y0 <= cy < y1) or (y1 <= cy < y0):
                xs.append(x0 + (cy - y0) * (x1 - x0) / (y1 - y0))
        xs.sort()
        for a, b in zip(xs[::2], xs[1::2]):
            for x in range(max(0, math.ceil(a - 0.5)), min(w, math.floor(b - 0.5) + 1)):
                grid[y][x] = value


def fill_rect(grid, x0, y0, x1, y1, value=1):
    for y in range(max(0, y0), min(len(grid), y1)):
        for x in range(max(0, x0), min(len(grid[0]), x1)):
            grid[y][x] = value


def fill_disc(grid, cx, cy, r, value=1):
    for y in range(len(grid)):
        for x in range(len(grid[0])):
            if (x + 0.5 - cx) ** 2 + (y + 0.5 - cy) ** 2 <= r * r:
                grid[y][x] = value


def line(grid, x0, y0, x1, y1, width=1.0, value=1):
    """A thick segment: pixels whose centre lies within width/2 of it."""
    dx, dy = x1 - x0, y1 - y0
    length2 = dx * dx + dy * dy or 1
    for y in range(len(grid)):
        for x in range(len(grid[0])):
            px, py = x + 0.5, y + 0.5
            t = max(0, min(1, ((px - x0) * dx + (py - y0) * dy) / length2))
            qx, qy = x0 + t * dx, y0 + t * dy
            if (px - qx) ** 2 + (py - qy) ** 2 <= (width / 2) ** 2:
                grid[y][x] = value


def ring(grid, cx, cy, r_out, r_in, value=1):
    for y in range(len(grid)):
        for x in range(len(grid[0])):
            d2 = (x + 0.5 - cx) ** 2 + (y + 0.5 - cy) ** 2
            if r_in * r_in <= d2 <= r_out * r_out:
                grid[y][x] = value


# ----------------------------------------------------------------- cursors

ARROW = [(1, 1), (1, 17), (5, 13), (8, 20), (11, 19), (8, 12), (13, 12)]


def arrow_with_badge(badge):
    body = blank()
    fill_poly(body, ARROW)
    fill_rect(body, 14, 20, 26, 30)          # the dragged item
    if badge == "copy":
        fill_rect(body, 20, 14, 31, 17, 1)   # a plus above it
        fill_rect(body, 24, 10, 27, 21, 1)
    return body


def no_drop():
    body = blank()
    ring(body, 16, 16, 11, 7.5)
    line(body, 9, 23, 23, 9, 3.5)
    return body


def two_way(vertical):
    """A double bar with arrows pointing away from it (dividers, sizing)."""
    body = blank()
    fill_rect(body, 14, 6, 16, 26)
    fill_rect(body, 17, 6, 19, 26)
    fill_rect(body, 4, 15, 28, 17)
    fill_poly(body, [(1, 16), (7, 10), (7, 22)])
    fill_poly(body, [(31, 16), (25, 10), (25, 22)])
    if vertical:
        body = [list(r) for r in zip(*body)]
    return body


def resize():
    body = blank()
    fill_rect(body, 15, 4, 17, 28)
    fill_rect(body, 4, 15, 28, 17)
    fill_poly(body, [(1, 16), (7, 10), (7, 22)])
    fill_poly(body, [(31, 16), (25, 10), (25, 22)])
    return body


def hand():
    body = blank()
    fill_rect(body, 10, 2, 14, 18)    # pointing finger
    fill_rect(body, 14, 9, 18, 18)
    fill_rect(body, 18, 10, 22, 18)
    fill_rect(body, 22, 11, 26, 20)
    fill_poly(body, [(4, 15), (7, 13), (10, 16), (10, 20)])  # thumb
    fill_rect(body, 8, 18, 26, 24)
    fill_rect(body, 10, 24, 24, 29)
    return body


def crosshair():
    body = blank()
    fill_rect(body, 15, 2, 17, 13)
    fill_rect(body, 15, 19, 17, 30)
    fill_rect(body, 2, 15, 13, 17)
    fill_rect(body, 19, 15, 30, 17)
    return body


def pipette():
    body = blank()
    line(body, 4, 28, 20, 12, 3)
    fill_disc(body, 23, 9, 5)
    return body


def bucket():
    body = blank()
    fill_poly(body, [(6, 14), (16, 4), (27, 15), (17, 25)])
    line(body, 22, 16, 27, 27, 2.5)
    return body


def pencil():
    body = blank()
    fill_poly(body, [(2, 30), (4, 22), (22, 4), (28, 10), (10, 28)])
    return body


def outlined(body):
    """White body, black outline one pixel around it, the rest transparent."""
    h, w = len(body), len(body[0])
    out = [["." for _ in range(w)] for _ in range(h)]
    for y in range(h):
        for x in range(w):
            if body[y][x]:
                out[y][x] = "o"
                continue
            if any(0 <= y + dy < h and 0 <= x + dx < w and body[y + dy][x + dx]
                   for dy in (-1, 0, 1) for dx in (-1, 0, 1)):
                out[y][x] = "X"
    return out


def cursor_file(pixels, hotspot):
    """A .cur file: one 32 x 32 monochrome image with its hotspot."""
    rows_xor, rows_and = [], []
    for row in reversed(pixels):  # bottom-up
        xor_bits = and_bits = 0
        for x, c in enumerate(row):
            bit = 1 << (31 - x)
            if c == ".":
                and_bits |= bit
            elif c == "o":
                xor_bits |= bit
        rows_xor.append(struct.pack(">I", xor_bits))
        rows_and.append(struct.pack(">I", and_bits))
    header = struct.pack("<IiiHHIIiiII", 40, SIZE, SIZE * 2, 1, 1, 0, 0, 0, 0, 2, 0)
    palette = struct.pack("<II", 0x000000, 0xFFFFFF)
    image = header + palette + b"".join(rows_xor) + b"".join(rows_and)
    directory = struct.pack("<HHH", 0, 2, 1)
    entry = struct.pack("<BBBBHHII", SIZE, SIZE, 2, 0, hotspot[0], hotspot[1], len(image), 6 + 16)
    return directory + entry + image


CURSORS = {
    "drag-copy": (lambda: arrow_with_badge("copy"), (1, 1)),
    "drag-move": (lambda: arrow_with_badge("move"), (1, 1)),
    "drag-none": (no_drop, (16, 16)),
    "split-h": (lambda: two_way(False), (16, 16)),
    "split-v": (lambda: two_way(True), (16, 16)),
    "resize": (resize, (16, 16)),
    "hand": (hand, (12, 2)),
    "shape": (crosshair, (16, 16)),
    "pick": (pipette, (4, 28)),
    "fill": (bucket, (26, 27)),
    "pencil": (pencil, (2, 30)),
}


# ----------------------------------------------------------------- bitmaps

def bmp_file(width, height, pixels, bits=24):
    """pixels[y][x] = (r, g, b, a); top row first."""
    stride = (width * bits // 8 + 3) & ~3
    data = bytearray()
    for y in reversed(range(height)):
        row = bytearray()
        for x in range(width):
            r, g, b, a = pixels[y][x]
            row += bytes((b, g, r, a)) if bits == 32 else bytes((b, g, r))
        row += b"\0" * (stride - len(row))
        data += row
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, bits, 0, len(data), 2835, 2835, 0, 0)
    return struct.pack("<2sIHHI", b"BM", 14 + 40 + len(data), 0, 0, 14 + 40) + info + bytes(data)


def strip(glyphs, background, alpha=False):
    """16 x 16 glyphs side by side: each glyph is a list of (mask, colour)."""
    width = 16 * len(glyphs)
    pixels = [[background + (0 if alpha else 255,)] * width for _ in range(16)]
    for i, layers in enumerate(glyphs):
        for mask, colour in layers:
            for y in range(16):
                for x in range(16):
                    if mask[y][x]:
                        pixels[y][16 * i + x] = colour + (255,)
    return width, pixels


def g_rect(x0, y0, x1, y1, hollow=False):
    m = blank(16, 16)
    fill_rect(m, x0, y0, x1, y1)
    if hollow:
        fill_rect(m, x0 + 1, y0 + 1, x1 - 1, y1 - 1, 0)
    return m


def g_poly(points):
    m = blank(16, 16)
    fill_poly(m, points)
    return m


def g_line(x0, y0, x1, y1, width=1.6):
    m = blank(16, 16)
    line(m, x0, y0, x1, y1, width)
    return m


def g_disc(cx, cy, r):
    m = blank(16, 16)
    fill_disc(m, cx, cy, r)
    return m


def g_ring(cx, cy, r_out, r_in):
    m = blank(16, 16)
    ring(m, cx, cy, r_out, r_in)
    return m


BLACK, DARK, BLUE, RED, GREEN, YELLOW, WHITE = (
    (0, 0, 0), (64, 64, 64), (32, 80, 176), (200, 40, 40), (40, 150, 60), (240, 200, 40), (255, 255, 255))


def arrow_glyph(direction):
    shapes = {"left": [(2, 8), (8, 2), (8, 6), (14, 6), (14, 10), (8, 10), (8, 14)]}
    points = shapes["left"]
    turn = {"left": lambda x, y: (x, y), "right": lambda x, y: (16 - x, y),
            "up": lambda x, y: (y, x), "down": lambda x, y: (y, 16 - x)}[direction]
    return [(g_poly([turn(x, y) for x, y in points]), BLUE)]


# The image editor's tools and move buttons, in the order its tool bars use.
EDITOR_GLYPHS = [
    [(g_poly([(2, 14), (3, 10), (11, 2), (14, 5), (6, 13)]), YELLOW), (g_line(2, 14, 4, 12, 1.5), DARK)],  # pencil
    [(g_poly([(3, 8), (8, 3), (13, 8), (8, 13)]), DARK), (g_line(11, 9, 14, 14, 1.6), BLUE)],  # fill
    [(g_line(2, 14, 10, 6, 2), DARK), (g_disc(12, 4, 3), BLUE)],                 # pick colour
    [(g_line(2, 14, 14, 2, 1.6), BLACK)],                                        # line
    [(g_rect(2, 3, 14, 13, hollow=True), BLACK)],                                # rectangle
    [(g_ring(8, 8, 6.5, 5.2), BLACK)],                                           # ellipse
    [(g_rect(2, 2, 10, 11, True), DARK), (g_rect(6, 5, 14, 14, True), BLUE)],    # copy
    [(g_rect(3, 3, 13, 15), DARK), (g_rect(6, 6, 15, 15, True), BLUE)],          # paste
    [(g_line(3, 3, 13, 13, 2.2), RED), (g_line(13, 3, 3, 13, 2.2), RED)],        # clear
    [(g_poly([(2, 6), (7, 2), (7, 4), (12, 4), (14, 8), (14, 13), (11, 13), (11, 8), (7, 8), (7, 10)]), BLUE)],  # undo
    [(g_poly([(14, 6), (9, 2), (9, 4), (4, 4), (2, 8), (2, 13), (5, 13), (5, 8), (9, 8), (9, 10)]), BLUE)],  # redo
    [(g_rect(2, 5, 14, 14), YELLOW), (g_rect(2, 3, 7, 5), YELLOW), (g_rect(2, 5, 14, 14, True), DARK)],  # import
    arrow_glyph("left"), arrow_glyph("down"), arrow_glyph("up"), arrow_glyph("right"),
]

# The buttons of a maximised child window: restore, minimise, maximise, close.
WINDOW_GLYPHS = [
    [(g_rect(2, 5, 11, 14, True), BLACK), (g_rect(5, 2, 14, 11, True), BLACK), (g_rect(5, 2, 14, 4), BLACK)],
    [(g_rect(3, 11, 11, 13), BLACK)],
    [(g_rect(2, 2, 14, 14, True), BLACK), (g_rect(2, 2, 14, 4), BLACK)],
    [(g_line(3, 3, 13, 13, 2), BLACK), (g_line(13, 3, 3, 13, 2), BLACK)],
]


def palette_glyphs():
    """36 pictures a user may give a button: shapes in six colours."""
    colours = [BLUE, RED, GREEN, YELLOW, DARK, (140, 60, 170)]
    shapes = [
        lambda: g_disc(8, 8, 6),
        lambda: g_rect(2, 2, 14, 14),
        lambda: g_poly([(8, 1), (15, 14), (1, 14)]),
        lambda: g_poly([(8, 1), (15, 8), (8, 15), (1, 8)]),
        lambda: g_poly([(8, 1), (10, 6), (15, 6), (11, 9), (13, 15), (8, 11), (3, 15), (5, 9), (1, 6), (6, 6)]),
        lambda: g_poly([(2, 8), (8, 2), (8, 6), (14, 6), (14, 10), (8, 10), (8, 14)]),
    ]
    return [[(shape(), colour)] for colour in colours for shape in shapes]


def main():
    out = sys.argv[1]
    os.makedirs(out, exist_ok=True)
    for name, (draw, hotspot) in CURSORS.items():
        with open(os.path.join(out, name + ".cur"), "wb") as f:
            f.write(cursor_file(outlined(draw()), hotspot))
    silver, magenta = (192, 192, 192), (255, 0, 255)
    bitmaps = {
        "editor-tools.bmp": strip(EDITOR_GLYPHS, silver) + (24,),
        "editor-tools-alpha.bmp": strip(EDITOR_GLYPHS, (0, 0, 0), alpha=True) + (32,),
        "window-buttons.bmp": strip(WINDOW_GLYPHS, magenta) + (24,),
        "icon-palette.bmp": strip(palette_glyphs(), magenta) + (24,),
    }
    for name, (width, pixels, bits) in bitmaps.items():
        with open(os.path.join(out, name), "wb") as f:
            f.write(bmp_file(width, 16, pixels, bits))


if __name__ == "__main__":
    main()

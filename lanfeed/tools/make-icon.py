#!/usr/bin/env python3
"""Writes the plug-in's icon: make-icon.py OUT.ico

A 32x32 icon drawn here: a screen with a stand and a network arrow.
"""
import struct
import sys

W = H = 32


def pixel(x, y):
    """BGRA of the pixel at (x, y), y from the top."""
    frame = (40, 40, 48, 255)
    screen = (200, 120, 40, 255)
    arrow = (60, 200, 250, 255)
    if 3 <= x <= 28 and 4 <= y <= 21:
        if 5 <= x <= 26 and 6 <= y <= 19:
            if 12 <= y <= 13 and 9 <= x <= 20 or (21 <= x <= 23 and abs(y - 12.5) <= 23 - x + 0.5):
                return arrow
            return screen
        return frame
    if 14 <= x <= 17 and 22 <= y <= 25 or 9 <= x <= 22 and 26 <= y <= 27:
        return frame
    return (0, 0, 0, 0)


rows = b"".join(bytes(c for x in range(W) for c in pixel(x, y)) for y in reversed(range(H)))
mask = bytes(4 * H)  # the alpha channel decides; the AND mask is all opaque
header = struct.pack("<IiiHHIIiiII", 40, W, 2 * H, 1, 32, 0, len(rows) + len(mask), 0, 0, 0, 0)
image = header + rows + mask
icon = struct.pack("<HHH", 0, 1, 1) + struct.pack("<BBBBHHII", W, H, 0, 0, 1, 32, len(image), 22) + image
with open(sys.argv[1], "wb") as out:
    out.write(icon)

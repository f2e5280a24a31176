#!/usr/bin/env python3
"""Draws the help viewer's button glyphs as 16 x 16 bitmaps (24 bits a pixel)
into resources/: back, forward, open, print and next hit. The bottom-left
pixel is the colour that shows through (magenta). Run it again after a change
and commit the bitmaps; the resource script compiles them in."""
import os
import struct
import sys

W = H = 16
CLEAR = (255, 0, 255)
DARK = (0, 0, 0)
GREEN = (0, 128, 0)
LIGHT_GREEN = (96, 208, 96)
BLUE = (0, 64, 192)
YELLOW = (240, 200, 64)
BROWN = (160, 112, 32)
GREY = (128, 128, 128)
LIGHT = (224, 224, 224)
WHITE = (255, 255, 255)


def blank():
    return [[CLEAR] * W for _ in range(H)]


def rect(p, x0, y0, x1, y1, colour):
    for y in range(y0, y1 + 1):
        for x in range(x0, x1 + 1):
            p[y][x] = colour


def frame(p, x0, y0, x1, y1, colour):
    for x in range(x0, x1 + 1):
        p[y0][x] = p[y1][x] = colour
    for y in range(y0, y1 + 1):
        p[y][x0] = p[y][x1] = colour


def arrow(left):
    """A green arrow with a dark outline, pointing left or right."""
    p = blank()
    # The head: a triangle from the tip at x=1 to the base at x=8.
    for i in range(8):
        for y in range(7 - i, 9 + i):
            p[y][1 + i] = LIGHT_GREEN
        p[7 - i][1 + i] = p[8 + i][1 + i] = DARK
    # The back of the head, outside the shaft.
    for y in list(range(0, 5)) + list(range(11, 16)):
        if p[y][8] == LIGHT_GREEN:
            p[y][8] = DARK
    # The shaft.
    rect(p, 9, 5, 14, 10, LIGHT_GREEN)
    for x in range(8, 15):
        p[4][x] = p[11][x] = DARK
    for y in range(4, 12):
        p[y][14] = DARK
    # Shade the lower half a little darker.
    for y in range(9, 16):
        for x in range(16):
            if p[y][x] == LIGHT_GREEN:
                p[y][x] = GREEN
    if not left:
        p = [list(reversed(row)) for row in p]
    return p


def open_file():
    """An open folder with a sheet of paper in it."""
    p = blank()
    rect(p, 1, 3, 6, 4, YELLOW)
    frame(p, 1, 3, 6, 4, BROWN)
    rect(p, 1, 5, 13, 14, YELLOW)
    frame(p, 1, 5, 13, 14, BROWN)
    rect(p, 5, 1, 12, 9, WHITE)
    frame(p, 5, 1, 12, 9, DARK)
    for y in (3, 5, 7):
        for x in range(7, 11):
            p[y][x] = BLUE
    # The front flap of the folder, slanted.
    for i, y in enumerate(range(8, 15)):
        for x in range(2 + i // 3, 15 - (6 - i) // 3):
            p[y][x] = YELLOW
        p[y][2 + i // 3] = BROWN
        p[y][min(15, 15 - (6 - i) // 3)] = BROWN
    for x in range(2, 15):
        p[8][x] = BROWN
        p[14][x] = BROWN
    return p


def printer():
    """A printer with a sheet coming out of it."""
    p = blank()
    rect(p, 4, 1, 11, 6, WHITE)
    frame(p, 4, 1, 11, 6, DARK)
    rect(p, 1, 6, 14, 12, LIGHT)
    frame(p, 1, 6, 14, 12, DARK)
    rect(p, 3, 8, 4, 8, GREEN)
    rect(p, 4, 11, 11, 14, WHITE)
    frame(p, 4, 11, 11, 14, DARK)
    for x in range(6, 10):
        p[13][x] = BLUE
    return p


def next_hit():
    """A magnifying glass over a small down arrow: the next hit."""
    p = blank()
    for y in range(16):
        for x in range(16):
            d = (x - 6) ** 2 + (y - 5) ** 2
            if d <= 9:
                p[y][x] = (200, 232, 255)
            elif d <= 20:
                p[y][x] = DARK
    for i in range(4):
        p[9 + i][9 + i] = BROWN
        p[9 + i][10 + i] = BROWN
    # The down arrow at the bottom left.
    for i in range(4):
        for x in range(1 + i, 8 - i):
            p[11 + i][x] = BLUE
    rect(p, 3, 9, 5, 10, BLUE)
    return p


def save(pixels, path):
    row_bytes = W * 3
    pad = (4 - row_bytes % 4) % 4
    data = b""
    for y in range(H - 1, -1, -1):  # bottom row first
        for (r, g, b) in pixels[y]:
            data += bytes((b, g, r))
        data += b"\0" * pad
    header = struct.pack("<IiiHHIIiiII", 40, W, H, 1, 24, 0, len(data), 2835, 2835, 0, 0)
    with open(path, "wb") as f:
        f.write(b"BM" + struct.pack("<IHHI", 14 + 40 + len(data), 0, 0, 54) + header + data)


def main():
    root = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "resources")
    if len(sys.argv) > 1:
        root = sys.argv[1]
    glyphs = {
        "glyph_back.bmp": arrow(True),
        "glyph_forward.bmp": arrow(False),
        "glyph_open.bmp": open_file(),
        "glyph_print.bmp": printer(),
        "glyph_nexthit.bmp": next_hit(),
    }
    for name, pixels in glyphs.items():
        # The bottom-left pixel must stay the see-through colour.
        assert pixels[H - 1][0] == CLEAR, name
        save(pixels, os.path.join(root, name))


if __name__ == "__main__":
    main()

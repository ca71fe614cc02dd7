#!/usr/bin/env python3
"""Draws the sample game's window images (the talk window's three pieces,
the task button highlight, the task log dialog, the task panel, buttons and
close buttons) and writes them as 24-bit BMP and 32-bit uncompressed TGA.

Usage: make-sample-images.py [OUTPUT_DIR]   (default: sample/task beside tools/)

Only the standard library is used, so the images can be rebuilt anywhere.
The output is deterministic: running the script twice gives the same bytes.
"""

import math
import os
import struct
import sys

# Colours as (r, g, b). The windows are dark ink-blue lacquer framed in
# gold, the buttons vermilion lacquer: the module's white texts and yellow
# links read on all of them (tests/pictures measure it).
INK_DARK = (14, 17, 32)
INK_LIGHT = (30, 37, 64)
BORDER = (8, 8, 14)
GOLD = (196, 154, 64)
GOLD_LIGHT = (238, 206, 120)
LACQUER = (120, 36, 28)


def clamp(v):
    return max(0, min(255, int(round(v))))


def mix(a, b, t):
    return tuple(clamp(a[i] + (b[i] - a[i]) * t) for i in range(3))


def shade(c, d):
    return tuple(clamp(v + d) for v in c)


def fibre(x, y):
    """A small, repeatable grain of the lacquer, from -3 to +3."""
    h = (x * 374761393 + y * 668265263) & 0xFFFFFFFF
    h = ((h ^ (h >> 13)) * 1274126177) & 0xFFFFFFFF
    return ((h >> 16) % 7) - 3


def mist(x, y):
    """Soft bands of mist drifting across the ink, from 0 to 1."""
    a = math.sin(x / 37.0 + y / 23.0) + math.sin(x / 59.0 - y / 17.0 + 1.3)
    b = math.sin((x + 2 * y) / 71.0 + 0.7)
    return max(0.0, min(1.0, 0.5 + 0.22 * a + 0.16 * b))


def ink(x, y, width, height, depth=0.0):
    """The lacquer at (x, y): mist over dark ink, darker towards the edges."""
    edge = min(x, width - 1 - x, y, height - 1 - y) / 18.0
    t = mist(x, y) * 0.8 + 0.2 * min(1.0, edge) - depth
    return shade(mix(INK_DARK, INK_LIGHT, max(0.0, min(1.0, t))), fibre(x, y))


def side_frame(x, width):
    """The left and right frame: a dark outer border and a gold line inside it."""
    for pos in (x, width - 1 - x):
        if pos < 2:
            return BORDER
        if pos == 4:
            return GOLD
        if pos == 5:
            return GOLD_LIGHT
    return None


def tile_ink(x, y, width, height):
    """The talk window's ink. Its pieces are stacked and the middle one is
    repeated, so the mist runs down the columns and does not change from row
    to row: no seam shows where one piece meets the next."""
    edge = min(x, width - 1 - x) / 18.0
    t = mist(x, 0) * 0.8 + 0.2 * min(1.0, edge)
    return shade(mix(INK_DARK, INK_LIGHT, max(0.0, min(1.0, t))), fibre(x, y))


def draw_top(width, height):
    pixels = []
    for y in range(height):
        row = []
        for x in range(width):
            frame = side_frame(x, width)
            if y < 2:
                c = BORDER
            elif y == 4 and 4 <= x < width - 4:
                c = GOLD
            elif y == 5 and 5 <= x < width - 5:
                c = GOLD_LIGHT
            elif frame is not None and y >= 4:
                c = frame
            elif frame is not None:
                c = BORDER if min(x, width - 1 - x) < 2 else tile_ink(x, y, width, height)
            else:
                c = tile_ink(x, y, width, height)
                if y < 36:
                    # The title band: the ink warmed by the lacquer.
                    c = mix(c, LACQUER, 0.25)
            row.append(c)
        pixels.append(row)
    # An ornament: a gold rule with a diamond in the middle, under the band.
    rule_y = 37
    mid = width // 2
    for x in range(12, width - 12):
        pixels[rule_y][x] = GOLD
    for dy in range(-3, 4):
        half = 3 - abs(dy)
        for dx in range(-half, half + 1):
            pixels[rule_y + dy][mid + dx] = GOLD_LIGHT if abs(dx) + abs(dy) < 2 else GOLD
    return pixels


def draw_middle(width, height):
    pixels = []
    for y in range(height):
        row = []
        for x in range(width):
            frame = side_frame(x, width)
            row.append(frame if frame is not None else tile_ink(x, y, width, height))
        pixels.append(row)
    return pixels


def draw_bottom(width, height):
    pixels = []
    for y in range(height):
        row = []
        from_bottom = height - 1 - y
        for x in range(width):
            frame = side_frame(x, width)
            inside = 4 <= x < width - 4
            if from_bottom < 2:
                c = BORDER
            elif from_bottom == 4 and inside:
                c = GOLD
            elif from_bottom == 5 and 5 <= x < width - 5:
                c = GOLD_LIGHT
            elif frame is not None and from_bottom >= 4:
                c = frame
            elif frame is not None:
                c = BORDER if min(x, width - 1 - x) < 2 else tile_ink(x, y, width, height)
            else:
                c = tile_ink(x, y, width, height)
            row.append(c)
        pixels.append(row)
    return pixels


def draw_select(width, height):
    """A golden halo round a task button under the mouse: the button is 5
    pixels in from each side, and its face stays clear so that its caption
    keeps its contrast."""
    pixels = []
    radius = 6
    inset = 5
    for y in range(height):
        row = []
        for x in range(width):
            dx = max(radius - x, 0, x - (width - 1 - radius))
            dy = max(radius - y, 0, y - (height - 1 - radius))
            dist = (dx * dx + dy * dy) ** 0.5
            face = inset <= x < width - inset and inset <= y < height - inset
            if dist > radius or face:
                row.append((0, 0, 0, 0))
                continue
            out = min(x, width - 1 - x, y, height - 1 - y)  # 0 at the rim
            if out < 1:
                row.append(GOLD + (120,))
            else:
                glow = 1.0 - (out - 1) / max(1, inset - 1)
                row.append(mix(GOLD, GOLD_LIGHT, glow) + (clamp(140 + 100 * glow),))
        pixels.append(row)
    return pixels


def framed(width, height, inner, title_rows=0):
    """A gold-rimmed panel: BORDER outside, a gold line, then inner(x, y)."""
    pixels = []
    for y in range(height):
        row = []
        for x in range(width):
            d = min(x, width - 1 - x, y, height - 1 - y)
            if d < 2:
                c = BORDER
            elif d == 3:
                c = GOLD
            elif d == 4:
                c = GOLD_LIGHT
            elif title_rows and y == title_rows and 10 <= x < width - 10:
                c = GOLD
            elif title_rows and y == title_rows + 1 and 10 <= x < width - 10:
                c = BORDER
            else:
                c = inner(x, y)
            row.append(c)
        pixels.append(row)
    return pixels


def draw_log_dialog(width, height):
    """The task log dialog: ink, a title band, recessed story and note panes."""
    def inner(x, y):
        c = ink(x, y, width, height)
        if y < 36:
            c = mix(c, LACQUER, 0.25)
        # The story pane (200,40)-(500,232) and the note (200,250)-(500,290).
        for l, t, r, b in ((196, 38, 504, 236), (196, 246, 504, 294)):
            if l <= x < r and t <= y < b:
                rim = min(x - l, r - 1 - x, y - t, b - 1 - y)
                c = GOLD if rim == 0 else shade(c, -8)
        return c
    return framed(width, height, inner, title_rows=36)


def draw_button(width, height):
    """A raised vermilion lacquer button with a gold rim."""
    pixels = []
    for y in range(height):
        row = []
        for x in range(width):
            d = min(x, width - 1 - x, y, height - 1 - y)
            if d == 0:
                c = BORDER
            elif d == 1:
                c = GOLD if y < height / 2 else mix(GOLD, BORDER, 0.5)
            else:
                light = 1.0 - y / max(1, height - 1)
                c = shade(mix(LACQUER, shade(LACQUER, 36), light), fibre(x, y))
            row.append(c)
        pixels.append(row)
    return pixels


def draw_close(size):
    """A round red seal on clear corners; the button's own "X" goes on it."""
    pixels = []
    r = size / 2.0
    for y in range(size):
        row = []
        for x in range(size):
            dx, dy = x + 0.5 - r, y + 0.5 - r
            dist = (dx * dx + dy * dy) ** 0.5
            if dist > r:
                row.append((0, 0, 0, 0))
            elif dist > r - 1.5:
                row.append(GOLD_LIGHT + (255,))
            else:
                row.append(shade(LACQUER, 20 - int(dist * 2)) + (255,))
        pixels.append(row)
    return pixels


def draw_panel(width, height):
    """The task panel above the talk window: ink in a gold frame."""
    return framed(width, height, lambda x, y: ink(x, y, width, height))


def bmp_bytes(pixels):
    height = len(pixels)
    width = len(pixels[0])
    row_size = (width * 3 + 3) & ~3
    image_size = row_size * height
    out = bytearray()
    out += struct.pack("<2sIHHI", b"BM", 14 + 40 + image_size, 0, 0, 14 + 40)
    out += struct.pack("<IiiHHIIiiII", 40, width, height, 1, 24, 0, image_size, 2835, 2835, 0, 0)
    for row in reversed(pixels):  # bottom row first
        line = bytearray()
        for r, g, b in row:
            line += bytes((b, g, r))
        line += b"\0" * (row_size - len(line))
        out += line
    return bytes(out)


def tga_bytes(pixels):
    height = len(pixels)
    width = len(pixels[0])
    # Uncompressed true colour, 32 bits, 8 alpha bits, rows from the top.
    out = bytearray(struct.pack("<BBBHHBHHHHBB", 0, 0, 2, 0, 0, 0, 0, 0, width, height, 32, 0x28))
    for row in pixels:
        for r, g, b, a in row:
            out += bytes((b, g, r, a))
    return bytes(out)


# The NPC talk window (and the menus) is 340 wide: 44 + 6 x 20 + 26 = 190
# high by default.
TALK_WIDTH = 340

IMAGES = [
    ("BakTaskDlgShang_1.bmp", lambda: bmp_bytes(draw_top(TALK_WIDTH, 44))),
    ("BakTaskDlgZhong.bmp", lambda: bmp_bytes(draw_middle(TALK_WIDTH, 20))),
    ("BakTaskDlgXia.bmp", lambda: bmp_bytes(draw_bottom(TALK_WIDTH, 26))),
    ("BakTaskSelect.tga", lambda: tga_bytes(draw_select(170, 32))),
    ("LogDlgBack.bmp", lambda: bmp_bytes(draw_log_dialog(520, 300))),
    ("TaskPanelBack.bmp", lambda: bmp_bytes(draw_panel(TALK_WIDTH, 115))),
    ("Button160x22.bmp", lambda: bmp_bytes(draw_button(160, 22))),
    ("Button76x24.bmp", lambda: bmp_bytes(draw_button(76, 24))),
    ("Button80x24.bmp", lambda: bmp_bytes(draw_button(80, 24))),
    ("Button48x20.bmp", lambda: bmp_bytes(draw_button(48, 20))),
    ("Close18.tga", lambda: tga_bytes(draw_close(18))),
    ("Close20.tga", lambda: tga_bytes(draw_close(20))),
]


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    out_dir = sys.argv[1] if len(sys.argv) > 1 else os.path.join(here, "..", "sample", "task")
    os.makedirs(out_dir, exist_ok=True)
    for name, make in IMAGES:
        path = os.path.join(out_dir, name)
        with open(path, "wb") as f:
            f.write(make())
        print(path)


if __name__ == "__main__":
    main()

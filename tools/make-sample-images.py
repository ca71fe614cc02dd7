#!/usr/bin/env python3
"""Draws the sample game's window images (parchment backgrounds, the task
button highlight, the task log dialog, the task panel, buttons and close
buttons) and writes them as 24-bit BMP and 32-bit uncompressed TGA.

Usage: make-sample-images.py [OUTPUT_DIR]   (default: sample/task beside tools/)

Only the standard library is used, so the images can be rebuilt anywhere.
The output is deterministic: running the script twice gives the same bytes.
"""

import os
import struct
import sys

# Colours as (r, g, b).
PARCHMENT_LIGHT = (236, 220, 178)
PARCHMENT_DARK = (205, 178, 126)
BORDER = (92, 58, 26)
GOLD = (196, 154, 64)
GOLD_LIGHT = (238, 206, 120)


def clamp(v):
    return max(0, min(255, int(round(v))))


def mix(a, b, t):
    return tuple(clamp(a[i] + (b[i] - a[i]) * t) for i in range(3))


def shade(c, d):
    return tuple(clamp(v + d) for v in c)


def fibre(x, y):
    """A small, repeatable grain: the paper's fibres, from -5 to +5."""
    h = (x * 374761393 + y * 668265263) & 0xFFFFFFFF
    h = ((h ^ (h >> 13)) * 1274126177) & 0xFFFFFFFF
    grain = ((h >> 16) % 11) - 5
    # Faint horizontal streaks make it read as paper rather than noise.
    streak = 2 if (y * 7 + x // 23) % 17 == 0 else 0
    return grain - streak


def paper(x, y, width, depth):
    """Parchment at (x, y): lighter in the middle, darker towards the sides."""
    edge = min(x, width - 1 - x) / (width / 2)
    base = mix(PARCHMENT_DARK, PARCHMENT_LIGHT, min(1.0, edge * 1.6 + 0.15 - depth))
    return shade(base, fibre(x, y))


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
                c = BORDER if min(x, width - 1 - x) < 2 else paper(x, y, width, 0.35)
            else:
                # Darker at the very top, like the rolled edge of a scroll.
                c = paper(x, y, width, max(0.0, 0.45 - y / height))
            row.append(c)
        pixels.append(row)
    # An ornament: a gold rule with a diamond in the middle, near the bottom.
    rule_y = height - 8
    mid = width // 2
    for x in range(24, width - 24):
        pixels[rule_y][x] = GOLD
    for dy in range(-4, 5):
        half = 4 - abs(dy)
        for dx in range(-half, half + 1):
            pixels[rule_y + dy][mid + dx] = GOLD_LIGHT if abs(dx) + abs(dy) < 2 else GOLD
    return pixels


def draw_middle(width, height):
    pixels = []
    for y in range(height):
        row = []
        for x in range(width):
            frame = side_frame(x, width)
            row.append(frame if frame is not None else paper(x, y, width, 0.0))
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
                c = BORDER if min(x, width - 1 - x) < 2 else paper(x, y, width, 0.35)
            else:
                c = paper(x, y, width, max(0.0, 0.45 - from_bottom / height))
            row.append(c)
        pixels.append(row)
    return pixels


def draw_select(width, height):
    """A soft golden glow with a bright rim; its corners are clear."""
    pixels = []
    radius = 8
    for y in range(height):
        row = []
        for x in range(width):
            # Distance outside the rounded rectangle's straight part.
            dx = max(radius - x, 0, x - (width - 1 - radius))
            dy = max(radius - y, 0, y - (height - 1 - radius))
            dist = (dx * dx + dy * dy) ** 0.5
            if dist > radius:
                row.append((0, 0, 0, 0))
                continue
            edge = radius - dist  # 0 at the rim
            if edge < 1.5:
                row.append(GOLD_LIGHT + (220,))
            else:
                inner = min(x, width - 1 - x, y, height - 1 - y)
                glow = max(0.0, 1.0 - inner / (height / 2))
                alpha = clamp(40 + 110 * glow)
                row.append(mix(GOLD, GOLD_LIGHT, glow) + (alpha,))
        pixels.append(row)
    return pixels


# The task log dialog and the buttons are dark lacquered wood, so that the
# windows' white texts and yellow links stay readable on them.
WOOD_DARK = (46, 28, 18)
WOOD_LIGHT = (88, 54, 32)
LACQUER = (120, 36, 28)


def wood(x, y, width, height):
    """Dark wood at (x, y): grain along the rows, a vignette towards the edges."""
    h = (y * 2654435761 + (x // 37) * 40503) & 0xFFFFFFFF
    h = ((h ^ (h >> 15)) * 2246822519) & 0xFFFFFFFF
    grain = ((h >> 20) % 9) - 4
    wave = 0.5 + 0.5 * ((((y + (x * 3) // 41) % 13) / 12.0) - 0.5)
    edge = min(x, width - 1 - x, y, height - 1 - y) / 24.0
    base = mix(WOOD_DARK, WOOD_LIGHT, min(1.0, 0.25 + 0.35 * wave + 0.1 * min(1.0, edge)))
    return shade(base, grain + fibre(x, y) // 2)


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
    """The task log dialog: dark wood, a title band, a recessed story pane."""
    def inner(x, y):
        c = wood(x, y, width, height)
        if y < 38:
            c = shade(mix(c, LACQUER, 0.35), 6)
        # The story pane (200,40)-(500,240) and the note (200,250)-(500,290).
        for l, t, r, b in ((196, 36, 504, 244), (196, 246, 504, 294)):
            if l <= x < r and t <= y < b:
                rim = min(x - l, r - 1 - x, y - t, b - 1 - y)
                c = GOLD if rim == 0 else shade(c, -22)
        return c
    return framed(width, height, inner, title_rows=36)


def draw_button(width, height):
    """A raised lacquer button with a gold rim."""
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
                c = shade(mix(LACQUER, shade(LACQUER, 40), light), fibre(x, y) // 2)
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
    """The task panel above the talk window: parchment in a gold frame."""
    return framed(width, height, lambda x, y: shade(paper(x, y, width, 0.25), -10))


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


IMAGES = [
    ("BakTaskDlgShang_1.bmp", lambda: bmp_bytes(draw_top(300, 40))),
    ("BakTaskDlgZhong.bmp", lambda: bmp_bytes(draw_middle(300, 20))),
    ("BakTaskDlgXia.bmp", lambda: bmp_bytes(draw_bottom(300, 30))),
    ("BakTaskSelect.tga", lambda: tga_bytes(draw_select(170, 32))),
    ("LogDlgBack.bmp", lambda: bmp_bytes(draw_log_dialog(520, 300))),
    ("TaskPanelBack.bmp", lambda: bmp_bytes(draw_panel(300, 115))),
    ("Button160x22.bmp", lambda: bmp_bytes(draw_button(160, 22))),
    ("Button76x24.bmp", lambda: bmp_bytes(draw_button(76, 24))),
    ("Button80x24.bmp", lambda: bmp_bytes(draw_button(80, 24))),
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

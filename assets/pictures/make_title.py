#!/usr/bin/env python3
"""Draws the title's letters and the flak burst that the F turns into, as 22 x 34 XPM files.

    assets/pictures/make_title.py      rewrites title_*.xpm beside this script

The letters are solid blocks on a grid: stems 5 pixels wide and bars 6 rows high, which come out
about equally thick once the picture is stretched to its 55 x 68 box. Each is lit from the top
left, burns from pale yellow at the top to deep orange at the foot, and casts a shadow in a
darker shade of the sky it stands on. The files are checked in; run this only to redraw them.
"""

import math
import os

W, H = 22, 34
# Where a letter's body lies in the picture; the outline and shadow take the pixels around it.
LEFT, TOP, BODY_W, BODY_H = 2, 2, 17, 28

NONE, OUTLINE, SHADOW = ".", "o", "s"
COLOURS = {
    OUTLINE: "#1B0F0A",
    SHADOW: "#3C5096",  # the sky, darkened
    "h": "#FFFBD8",  # lit edge
    "1": "#FFE766",
    "2": "#FFD03A",
    "3": "#FFAE26",
    "4": "#FF8A18",
    "5": "#EA6010",
    "6": "#C8400A",
    "d": "#7E2006",  # edge in shade
    # the burst's smoke
    "k": "#2E2B2A",
    "m": "#4F4A46",
    "l": "#7A736C",
    "p": "#A39A90",
}
BANDS = "1123344556"  # body rows, top to bottom, in tenths of its height


def blank():
    return [[False] * BODY_W for _ in range(BODY_H)]


def rect(g, x0, x1, y0, y1):
    for y in range(y0, y1 + 1):
        for x in range(x0, x1 + 1):
            g[y][x] = True


def clear(g, x0, x1, y0, y1):
    for y in range(y0, y1 + 1):
        for x in range(x0, x1 + 1):
            g[y][x] = False


def cut(g, *points):
    for x, y in points:
        g[y][x] = False


def band(g, y0, y1, x_at, half):
    """A slanted stroke: in each row, the pixels within `half` of the stroke's centre x_at(y)."""
    for y in range(y0, y1 + 1):
        c = x_at(y)
        for x in range(BODY_W):
            if abs(x + 0.5 - c) <= half:
                g[y][x] = True


def corners(g, x0, x1, y0, y1):
    cut(g, (x0, y0), (x1, y0), (x0, y1), (x1, y1))


def letter_f():
    g = blank()
    rect(g, 0, 16, 0, 5)
    rect(g, 0, 4, 6, 27)
    rect(g, 0, 13, 11, 16)
    corners(g, 0, 16, 0, 5)
    cut(g, (13, 11), (13, 16), (0, 27), (4, 27))
    return g


def letter_l():
    g = blank()
    rect(g, 0, 4, 0, 27)
    rect(g, 0, 16, 22, 27)
    cut(g, (0, 0), (4, 0), (0, 27), (16, 22), (16, 27))
    return g


def letter_a():
    g = blank()
    rect(g, 0, 16, 0, 27)
    clear(g, 5, 11, 6, 10)
    clear(g, 5, 11, 17, 27)
    cut(g, (0, 0), (1, 0), (2, 0), (0, 1), (1, 1), (0, 2))
    cut(g, (16, 0), (15, 0), (14, 0), (16, 1), (15, 1), (16, 2))
    cut(g, (0, 27), (4, 27), (12, 27), (16, 27))
    return g


def letter_k():
    g = blank()
    rect(g, 0, 4, 0, 27)
    band(g, 0, 14, lambda y: 14.5 - y * 0.55, 3.0)
    band(g, 13, 27, lambda y: 6.8 + (y - 13) * 0.55, 3.0)
    cut(g, (0, 0), (4, 0), (0, 27), (4, 27))
    return g


def letter_m():
    g = blank()
    rect(g, 0, 4, 0, 27)
    rect(g, 12, 16, 0, 27)
    band(g, 0, 15, lambda y: 3.0 + y * 0.38, 2.2)
    band(g, 0, 15, lambda y: 14.0 - y * 0.38, 2.2)
    cut(g, (0, 0), (16, 0), (0, 27), (4, 27), (12, 27), (16, 27))
    return g


def letter_i():
    g = blank()
    rect(g, 3, 13, 0, 5)
    rect(g, 6, 10, 6, 21)
    rect(g, 3, 13, 22, 27)
    corners(g, 3, 13, 0, 5)
    corners(g, 3, 13, 22, 27)
    return g


def letter_r():
    g = blank()
    rect(g, 0, 4, 0, 27)
    rect(g, 0, 15, 0, 5)
    rect(g, 11, 16, 1, 15)
    rect(g, 0, 15, 11, 16)
    band(g, 17, 27, lambda y: 9.8 + (y - 17) * 0.45, 3.0)
    cut(g, (0, 0), (15, 0), (16, 1), (16, 15), (15, 16), (0, 27), (4, 27))
    return g


def letter_e():
    g = blank()
    rect(g, 0, 4, 0, 27)
    rect(g, 0, 16, 0, 5)
    rect(g, 0, 13, 11, 16)
    rect(g, 0, 16, 22, 27)
    cut(g, (0, 0), (16, 0), (16, 5), (13, 11), (13, 16), (16, 22), (0, 27), (16, 27))
    return g


def letter_bang():
    g = blank()
    rect(g, 6, 10, 0, 13)
    rect(g, 7, 9, 14, 18)
    rect(g, 6, 10, 22, 27)
    cut(g, (6, 0), (10, 0), (6, 22), (10, 22), (6, 27), (10, 27))
    return g


def shade_letter(body):
    """Paints a body mask onto the picture: shadow, outline, then the lit and shaded body."""
    px = [[NONE] * W for _ in range(H)]

    def inside(x, y):
        bx, by = x - LEFT, y - TOP
        return 0 <= bx < BODY_W and 0 <= by < BODY_H and body[by][bx]

    def near(x, y):
        return any(inside(x + dx, y + dy) for dx in (-1, 0, 1) for dy in (-1, 0, 1))

    for y in range(H):
        for x in range(W):
            if inside(x, y):
                row = y - TOP
                colour = BANDS[row * len(BANDS) // BODY_H]
                if not inside(x, y - 1) or not inside(x - 1, y):
                    colour = "h"
                elif not inside(x, y + 1) or not inside(x + 1, y):
                    colour = "d"
                px[y][x] = colour
            elif near(x, y):
                px[y][x] = OUTLINE
    # The shadow falls one pixel right and two down from the outlined letter.
    for y in range(H - 1, -1, -1):
        for x in range(W - 1, -1, -1):
            if px[y][x] == NONE and y >= 2 and x >= 1 and px[y - 2][x - 1] not in (NONE, SHADOW):
                px[y][x] = SHADOW
    return px


def flak_burst():
    """A burst of flak: a lumpy ball of black smoke torn open by a ragged flash, shards flying
    out. Distances are measured on the screen, where the picture is stretched 2.5 wide, 2 high."""
    px = [[NONE] * W for _ in range(H)]
    cx, cy = 10.8, 16.5

    def at(x, y, ox=0.0, oy=0.0):
        return (x + 0.5 - cx - ox) * 2.5, (y + 0.5 - cy - oy) * 2.0

    # Puffs of smoke: centre offset (x, y) in picture pixels and radius on the screen, back first.
    puffs = [(0, 0, 17), (-5.2, -5, 10), (4.8, -6, 11), (-6.4, 4, 10), (6, 3.5, 10),
             (-0.5, -10.5, 9), (-2.8, 10.5, 9), (3.6, 9.5, 9), (-7.2, -1, 7.5), (7.4, -1.5, 7)]
    for y in range(H):
        for x in range(W):
            for ox, oy, r in puffs:
                dx, dy = at(x, y, ox, oy)
                d = math.hypot(dx, dy) / r
                if d > 1:
                    continue
                # The front puff wins; each is lit on its upper left and dark at its rim.
                lit = -(dx + dy) / r * 0.6 + (1 - d) * 0.5
                px[y][x] = ("k" if d > 0.82 and lit < 0.2 else "p" if lit > 0.62 else
                            "l" if lit > 0.3 else "m" if lit > -0.15 else "k")
    # The flash: rays of uneven length round a white-hot heart.
    for y in range(H):
        for x in range(W):
            dx, dy = at(x, y)
            d = math.hypot(dx, dy)
            a = math.atan2(dy, dx)
            reach = 12.5 + 4.5 * math.sin(3 * a + 0.4) + 3.5 * math.sin(5 * a + 2.1) + 2 * math.sin(
                8 * a + 1.0)
            for part, colour in ((0.3, "h"), (0.5, "1"), (0.7, "3"), (0.87, "4"), (1.0, "6")):
                if d <= reach * part:
                    px[y][x] = colour
                    break
    # Shards flung out, each a hot streak with a dark head.
    for angle in (200, 335, 120, 60, 260, 15):
        a = math.radians(angle)
        for step, colour in ((24, "3"), (27, "6"), (30, "k")):
            x = int(cx + math.cos(a) * step / 2.5)
            y = int(cy + math.sin(a) * step / 2.0)
            if 0 <= x < W and 0 <= y < H and px[y][x] == NONE or colour != "k":
                if 0 <= x < W and 0 <= y < H:
                    px[y][x] = colour
    # A dark rim round the smoke, so the burst reads against the sky.
    rim = [row[:] for row in px]
    for y in range(H):
        for x in range(W):
            if px[y][x] != NONE:
                continue
            if any(0 <= x + dx < W and 0 <= y + dy < H and px[y + dy][x + dx] in "kmlp"
                   for dx, dy in ((1, 0), (-1, 0), (0, 1), (0, -1))):
                rim[y][x] = OUTLINE
    return rim


def write_xpm(path, name, px):
    used = sorted({c for row in px for c in row} - {NONE})
    assert len(used) + 1 <= 16, f"{name}: {len(used) + 1} colours"
    lines = ["/* XPM */", f"static char *{name}[] = {{", f'"{W} {H} {len(used) + 1} 1",',
             f'"{NONE} c None",']
    lines += [f'"{c} c {COLOURS[c]}",' for c in used]
    lines += [f'"{"".join(row)}",' for row in px]
    lines[-1] = lines[-1].rstrip(",")
    lines.append("};")
    with open(path, "w", encoding="ascii") as f:
        f.write("\n".join(lines) + "\n")


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    letters = {"f": letter_f, "l": letter_l, "a": letter_a, "k": letter_k, "m": letter_m,
               "i": letter_i, "r": letter_r, "e": letter_e, "bang": letter_bang}
    for name, draw in letters.items():
        write_xpm(os.path.join(here, f"title_{name}.xpm"), f"title_{name}_xpm",
                  shade_letter(draw()))
    write_xpm(os.path.join(here, "title_burst.xpm"), "title_burst_xpm", flak_burst())


if __name__ == "__main__":
    main()

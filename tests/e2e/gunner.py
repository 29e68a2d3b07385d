#!/usr/bin/env python3
"""A gunner for the end-to-end tests: he watches the real window and shoots parachutes.

    gunner.py WINDOW SECONDS

He looks at the playfield a few times a second (a screenshot of WINDOW), finds the open parachute
nearest the gun within his reach, turns the barrel towards where it will be when his shell gets
there, and fires a standard shell (B) once the barrel points at it. A canopy shot away is worth 5
points and its trooper's fall 15 more. He reads the barrel's angle off the screen every time, so
his turns never drift. He stops as soon as the score under the bunker changes from its first
picture (status 0), or after SECONDS without a score (status 1). The keys go to the window that
has the keyboard, which must be the game's.
"""

import math
import subprocess
import sys
import time

PIVOT = (396, 434)
CANOPY_RED = (228, 74, 46)  # the middle of a parachute's canopy
BARREL = (128, 192, 192)    # the barrel's inner line
UNITS_PER_RADIAN = 90       # the game's angles
TURN_PER_SECOND = 64        # a unit a frame
SHELL_SPEED = 5             # px a frame, a standard shell
GRAVITY = 0.03              # px a frame, a frame
SHELL_FRAMES = 90           # how far ahead he reckons
BARREL_LENGTH = 36
CANOPY_SINK = 0.8           # px a frame
REACH = 220
SCORE_LABEL = (366, 494, 426, 518)  # left, top, right, bottom of the score under the bunker
LABEL = (24, 24, 48)        # the colour of its digits
TOP, BOTTOM = 100, 330       # the band of sky he watches
CLOSE_ENOUGH = 5             # units: a canopy is 33 px wide
SHORTEST_PRESS = 6           # frames
LATENCY = 0.05               # seconds from his decision to the game's reading the key


def screenshot(window):
    ppm = subprocess.run(["import", "-window", window, "-depth", "8", "ppm:-"],
                         capture_output=True, check=True).stdout
    # P6, width, height, maxval, each followed by one blank, then the pixels.
    fields, at = [], 0
    while len(fields) < 4:
        while ppm[at:at + 1].isspace():
            at += 1
        end = at
        while not ppm[end:end + 1].isspace():
            end += 1
        fields.append(ppm[at:end])
        at = end
    width = int(fields[1])
    return ppm[at + 1:], width


def pixel(pixels, width, x, y):
    i = 3 * (y * width + x)
    return tuple(pixels[i:i + 3])


def barrel_angle(pixels, width):
    """The barrel's angle in the game's units, from its inner line 22 px from the pivot."""
    seen = [a for a in range(-121, 122)
            if pixel(pixels, width, round(PIVOT[0] + 22 * math.sin(a / UNITS_PER_RADIAN)),
                     round(PIVOT[1] - 22 * math.cos(a / UNITS_PER_RADIAN))) == BARREL]
    return sum(seen) / len(seen) if seen else None


def nearest_canopy(pixels, width):
    """The middle of the canopy nearest the gun within his reach, or None."""
    red, colour = [], bytes(CANOPY_RED)
    for y in range(TOP, BOTTOM):
        row = pixels[3 * (y * width + PIVOT[0] - REACH):3 * (y * width + PIVOT[0] + REACH)]
        at = row.find(colour)
        while at >= 0:
            if at % 3 == 0:
                red.append((PIVOT[0] - REACH + at // 3, y))
            at = row.find(colour, at + 1)
    if not red:
        return None
    near = min(red, key=lambda p: math.hypot(p[0] - PIVOT[0], p[1] - PIVOT[1]))
    canopy = [(x, y) for x, y in red if abs(x - near[0]) < 20 and abs(y - near[1]) < 14]
    return (sum(x for x, _ in canopy) / len(canopy), sum(y for _, y in canopy) / len(canopy))


def key(*args):
    subprocess.run(["xdotool", *args], check=True)


def aim(canopy, angle, late):
    """The barrel's angle nearest its own whose shell meets the canopy, as the canopy will be
    `late` frames after the screenshot; None when no angle does."""
    x0, y0 = canopy[0], canopy[1] + 12  # the middle of what a shell hits: canopy and man
    best = None
    for tenths in range(-1000, 1001, 5):
        target = tenths / 10
        turn = abs(target - angle)
        if best is not None and turn >= abs(best - angle):
            continue
        radians = target / UNITS_PER_RADIAN
        x = PIVOT[0] + BARREL_LENGTH * math.sin(radians)
        y = PIVOT[1] - BARREL_LENGTH * math.cos(radians)
        vx, vy = SHELL_SPEED * math.sin(radians), -SHELL_SPEED * math.cos(radians)
        for frame in range(1, SHELL_FRAMES):
            vy += GRAVITY
            x, y = x + vx, y + vy
            if abs(x - x0) < 12 and abs(y - (y0 + CANOPY_SINK * (late + turn + frame))) < 16:
                best = target
                break
    return best


def score_picture(pixels, width):
    """Where the score under the bunker has its digits' colour, whatever flies past."""
    left, top, right, bottom = SCORE_LABEL
    return frozenset((x, y) for y in range(top, bottom) for x in range(left, right)
                     if pixel(pixels, width, x, y) == LABEL)


def main():
    window, seconds = sys.argv[1], float(sys.argv[2])
    end, shots, no_score, last_score = time.time() + seconds, 0, None, None
    while time.time() < end:
        taken = time.time()
        pixels, width = screenshot(window)
        # The score has moved when its picture differs from the first, twice running.
        score = score_picture(pixels, width)
        no_score = no_score or score
        if score != no_score and score == last_score:
            print(f"gunner: scored after {shots} shots")
            return 0
        last_score = score
        angle, canopy = barrel_angle(pixels, width), nearest_canopy(pixels, width)
        if angle is None or canopy is None:
            time.sleep(0.1)
            continue
        # The canopy sinks while he looks, turns and fires, and while the shell flies.
        late = (time.time() - taken + LATENCY) * TURN_PER_SECOND
        target = aim(canopy, angle, late)
        if target is None:
            time.sleep(0.05)
            continue
        turn = target - angle
        if abs(turn) > CLOSE_ENOUGH:
            # Keys are read every fourth frame: a shorter press may go unseen. He looks again.
            arrow = "Right" if turn > 0 else "Left"
            key("keydown", arrow)
            time.sleep(max(abs(turn), SHORTEST_PRESS) / TURN_PER_SECOND)
            key("keyup", arrow)
            continue
        key("key", "b")
        shots += 1
    print(f"gunner: no score after {shots} shots")
    return 1


if __name__ == "__main__":
    sys.exit(main())

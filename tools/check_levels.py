#!/usr/bin/env python3
"""Checks the sample levels in assets/levels/ (or the .lev files given).

    python3 tools/check_levels.py [FILE.lev ...]

For each level: the file is one line of 24 whole numbers, four enemy options
and a quoted vial count, ending in CR LF with no blanks; every platform lies
within the editor's limits; and every platform can be reached from the ground.
Reachability is found by playing the game's own jump rules tick by tick
(walk 90 a tick, 70 in the air; rise 275, fall 150; landing within 200 twips
of a top, centre over the platform) for every start point on every surface,
every charge and a mouse held over the target. Enemies are left out.
Standard library only. Exits 1 when a level fails.
"""
import glob
import os
import re
import sys

# The playfield, in twips.
GROUND = (10680, -240, 615, 20000)  # top, left, height, width
PLAYER = 375  # side of the hero's square
FIELD_WIDTH = 15210
WALL_LEFT, WALL_RESET, WALL_RIGHT = 0, 10, 14740
RISE, FALL, CATCH = 275, 150, 200  # per tick; landing depth
POWER_STEP, POWER_MAX = 170, 4500
AIR_SPEED = 70
CLOUDS = (1320, 10200, 5760)  # lefts of the three clouds
CLOUD_WIDTH = 3180

# The editor pulls platforms back within these.
TOP_MIN, TOP_MAX, WIDTH_MAX, HEIGHT_MAX, RIGHT_MAX = 2000, 8400, 14500, 8000, 15360

LINE = re.compile(r'^(-?\d+,){28}"(\d*)"\r\n$')


def parse(path):
    data = open(path, "rb").read().decode("ascii")
    if not LINE.match(data):
        raise ValueError("not one line of 28 numbers and a quoted count ending in CR LF")
    fields = data.rstrip("\r\n").split(",")
    nums = [int(f) for f in fields[:28]]
    plats = [tuple(nums[i : i + 4]) for i in range(0, 24, 4)]
    ois, vitois, nb, nbg = nums[24:28]
    vials = int(fields[28].strip('"') or 0)  # no item chosen: no vial
    return plats, ois, vitois, nb, nbg, vials


def limits(plats, ois, vitois, nb, nbg, vials):
    errors = []
    for k, (top, left, height, width) in enumerate(plats, 1):
        if left < 0 or left + width > RIGHT_MAX:
            errors.append("platform %d sticks out sideways" % k)
        if not TOP_MIN <= top <= TOP_MAX:
            errors.append("platform %d top %d outside %d..%d" % (k, top, TOP_MIN, TOP_MAX))
        if width > WIDTH_MAX or height > HEIGHT_MAX or width <= 0 or height <= 0:
            errors.append("platform %d size %dx%d" % (k, width, height))
    if ois not in (0, 1) or not 2 <= vitois <= 50 or not 0 <= nb <= 7 or not 0 <= nbg <= 100:
        errors.append("enemy option out of range")
    if not 0 <= vials <= 10:
        errors.append("vial count %d outside 0..10" % vials)
    return errors


def jump(surfaces, start, centre, power, target):
    """Plays one jump from surface index start; returns the surface landed on."""
    top = surfaces[start][0] - PLAYER
    left = centre - PLAYER / 2
    base, etat, pause = top, 1, 0
    t_top, t_left, _, t_width = surfaces[target]
    mouse = min(max(centre, t_left + PLAYER), t_left + t_width - PLAYER)
    for _ in range(400):
        # walk towards the mouse, in the air
        if left + PLAYER / 2 < mouse:
            left += AIR_SPEED
        if left + PLAYER / 2 > mouse:
            left -= AIR_SPEED
        if left < WALL_LEFT:
            left = WALL_RESET
        if left > WALL_RIGHT:
            left = WALL_RIGHT
        if top + PLAYER > GROUND[0]:
            return 0
        if etat in (2, 3):
            for i, (p_top, p_left, _, p_width) in enumerate(surfaces):
                bottom = top + PLAYER
                c = left + PLAYER / 2
                if p_top <= bottom < p_top + CATCH and p_left <= c <= p_left + p_width:
                    return i
        if etat == 1:
            if top <= base - power:
                etat = 3
            else:
                top -= RISE
        elif etat == 2:
            top += FALL
        elif etat == 3:
            if pause <= 0:
                etat = 2
            pause = 0
    return None


def reachable(plats):
    surfaces = [GROUND] + list(plats)
    seen, todo = {0}, [0]
    while todo:
        s = todo.pop()
        s_top, s_left, _, s_width = surfaces[s]
        lo = max(s_left, WALL_RESET + PLAYER / 2)
        hi = min(s_left + s_width, WALL_RIGHT + PLAYER / 2)
        starts = [lo + (hi - lo) * i / 20 for i in range(21)]
        for t in range(1, len(surfaces)):
            if t in seen:
                continue
            for power in range(POWER_STEP, POWER_MAX + POWER_STEP, POWER_STEP):
                if any(jump(surfaces, s, c, min(power, POWER_MAX), t) == t for c in starts):
                    seen.add(t)
                    todo.append(t)
                    break
    return sorted(seen)


def under_clouds(plats):
    """Which platform a grey frog dropped from each cloud lands on first."""
    out = []
    for c_left in CLOUDS:
        centre = c_left + CLOUD_WIDTH / 2
        hits = [(top, k) for k, (top, left, _, width) in enumerate(plats, 1) if left < centre < left + width]
        out.append(min(hits)[1] if hits else 0)
    return out


def main(paths):
    failed = False
    for path in paths:
        name = os.path.basename(path)
        try:
            level = parse(path)
        except (ValueError, UnicodeDecodeError) as e:
            print("%s: %s" % (name, e))
            failed = True
            continue
        plats, ois, vitois, nb, nbg, vials = level
        errors = limits(*level)
        seen = reachable(plats)
        missing = [k for k in range(1, 7) if k not in seen]
        if missing:
            errors.append("platforms out of reach: %s" % missing)
        print("%s: bird %s speed %d, green %d, grey %d, vials %d; clouds drop onto %s; %s"
              % (name, "yes" if ois else "no", vitois, nb, nbg, vials,
                 under_clouds(plats), "; ".join(errors) or "ok"))
        failed |= bool(errors)
    return 1 if failed else 0


if __name__ == "__main__":
    here = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "assets", "levels")
    sys.exit(main(sys.argv[1:] or sorted(glob.glob(os.path.join(here, "*.lev")))))

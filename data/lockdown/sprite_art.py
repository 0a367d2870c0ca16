"""The pictures of lockdown's sprite sheet, painted cell by cell.

Each painter gets a Cell (a frame's rectangle on the sheet) and draws into it with palette
indexes; what it leaves alone stays the colour key and is transparent in the game. Guns are
drawn by the game as dark barrels under the bodies, so bodies keep clear of the barrel's
reach; the guard sprites use palette indexes 147, 74 and 251 for the parts that a guard's
second colour scheme recolours. No picture touches its cell's edge unless it goes on in
the next cell (a tile in the next tile, legs in the body, feet on the floor).

SCHEMES lists the colour schemes the game adds to a sprite after cutting it, in order.
"""
import math

KEY = 2


def cube(r, g, b):
    """Index of a colour of the 6 by 6 by 6 cube (each component 0 to 5)."""
    return 16 + 36 * r + 6 * g + b


def grey(level):
    """Index of a grey step, 0 (darkest) to 13."""
    return 232 + level


INK = grey(0)           # outlines

# The colours that a type-1 guard's scheme replaces: helmet, sleeves and webbing.
HELMET, SLEEVE, BELT = 147, 74, 251
SKIN = cube(5, 4, 3)
TROUSERS = cube(1, 1, 2)
BOOTS = grey(1)
GUN = grey(2)


class Cell:
    def __init__(self, pixels, x, y, w, h):
        self.pixels, self.x, self.y, self.w, self.h = pixels, x, y, w, h

    def put(self, px, py, colour):
        px, py = int(px), int(py)
        if 0 <= px < self.w and 0 <= py < self.h:
            self.pixels[self.y + py][self.x + px] = colour

    def get(self, px, py):
        if 0 <= px < self.w and 0 <= py < self.h:
            return self.pixels[self.y + py][self.x + px]
        return KEY

    def rect(self, x0, y0, x1, y1, colour):
        for py in range(int(y0), int(y1) + 1):
            for px in range(int(x0), int(x1) + 1):
                self.put(px, py, colour)

    def disc(self, cx, cy, r, colour, inner=-1.0):
        for py in range(self.h):
            for px in range(self.w):
                d = math.hypot(px - cx, py - cy)
                if inner < d <= r:
                    self.put(px, py, colour)

    def line(self, x0, y0, x1, y1, width, colour):
        """A thick segment: every pixel whose centre lies within width/2 of it."""
        half = width / 2.0
        dx, dy = x1 - x0, y1 - y0
        length2 = dx * dx + dy * dy or 1.0
        for py in range(self.h):
            for px in range(self.w):
                t = max(0.0, min(1.0, ((px - x0) * dx + (py - y0) * dy) / length2))
                if math.hypot(px - (x0 + t * dx), py - (y0 + t * dy)) <= half:
                    self.put(px, py, colour)

    def outline(self, colour=INK, limit=None):
        """Rims every drawn shape with one pixel of the colour (within limit(px, py))."""
        edge = []
        for py in range(self.h):
            for px in range(self.w):
                if self.get(px, py) != KEY:
                    continue
                if limit and not limit(px, py):
                    continue
                if any(self.get(px + ox, py + oy) not in (KEY, colour)
                       for ox, oy in ((1, 0), (-1, 0), (0, 1), (0, -1))):
                    edge.append((px, py))
        for px, py in edge:
            self.put(px, py, colour)

    def mirror(self):
        for py in range(self.h):
            row = self.pixels[self.y + py]
            row[self.x:self.x + self.w] = row[self.x:self.x + self.w][::-1]


# --- the zizuzu and what belongs to it --------------------------------------------------

def zizuzu(c, frame):
    """A bright core inside a broken ring; the gap between them is where the barrel turns."""
    cx, cy = (c.w - 1) / 2.0, (c.h - 1) / 2.0
    for py in range(c.h):
        for px in range(c.w):
            d = math.hypot(px - cx, py - cy)
            a = math.degrees(math.atan2(py - cy, px - cx)) % 90
            if 9.0 < d <= 11.4 and 12 < a < 78:
                c.put(px, py, 253 if d < 10.3 else cube(1, 3, 5))
            elif d <= 4.2:
                c.put(px, py, 255 if d < 2 else (251 if frame == 0 else 248))


def flash(c, frame):
    """A white star of rays, smaller on each later frame."""
    cx, cy = (c.w - 1) / 2.0, (c.h - 1) / 2.0
    reach = 11 - 3 * frame
    for k in range(8):
        a = math.radians(k * 45 + 10 * frame)
        length = reach if k % 2 == 0 else reach * 0.6
        c.line(cx, cy, cx + length * math.cos(a), cy + length * math.sin(a), 1.6, 255)
    c.disc(cx, cy, 2.5, 251)


def debris(c, frame):
    """Shards of the zizuzu's ring."""
    rnd = (frame * 37 + 11) % 7
    pts = [(1 + rnd % 3, 1), (c.w - 2, 2 + rnd % 4), (c.w - 3 - rnd % 2, c.h - 2), (1, c.h - 3)]
    for py in range(c.h):
        for px in range(c.w):
            inside = True
            for (x0, y0), (x1, y1) in zip(pts, pts[1:] + pts[:1]):
                if (x1 - x0) * (py - y0) - (y1 - y0) * (px - x0) < 0:
                    inside = False
            if inside:
                c.put(px, py, 253 if (px + py + frame) % 3 else cube(1, 3, 5))


def reticle(c, frame):
    """Four red corner brackets and a centre dot: the targeter's lock."""
    w, h = c.w - 1, c.h - 1
    for x0, y0, sx, sy in ((1, 1, 1, 1), (w - 1, 1, -1, 1), (1, h - 1, 1, -1), (w - 1, h - 1, -1, -1)):
        for k in range(5):
            c.put(x0 + sx * k, y0, 250)
            c.put(x0, y0 + sy * k, 250)
    c.put(w // 2, h // 2, 250)


# --- machines ----------------------------------------------------------------------------

# The turret's mounting plate: every side of the cell has one, in palette indexes of its own
# (each side's middle and each corner apart), and the game's schemes keep only the plate on
# the side of the turret's tile, which then hides the back half of the barrel.
MOUNT_SIDE = {"left": 17, "top": 18, "right": 19, "bottom": 20}
MOUNT_CORNER = {("left", "top"): 21, ("right", "top"): 22, ("left", "bottom"): 23,
                ("right", "bottom"): 24}
TURRET_DOMES = [cube(1, 4, 1), cube(4, 4, 0), cube(4, 1, 0)]
MOUNT, MOUNT_OFF, DOME_OFF = grey(7), grey(3), grey(5)


def turret_mount_index(px, py, cx, cy):
    """The plate index of a turret cell pixel, or None: a plate covers the half of the cell
    on its side, less the centre line."""
    horizontal = "left" if px < cx else "right" if px > cx else None
    vertical = "top" if py < cy else "bottom" if py > cy else None
    if horizontal and vertical:
        return MOUNT_CORNER[(horizontal, vertical)]
    if horizontal or vertical:
        return MOUNT_SIDE[horizontal or vertical]
    return None


def turret(c, frame):
    """A small dome over a mounting plate; frames 1 and 2 are more and more damaged. The
    barrel (5 pixels from the centre) shows beyond the dome on the open side only."""
    cx, cy = (c.w - 1) // 2, (c.h - 1) // 2
    for py in range(c.h):
        for px in range(c.w):
            index = turret_mount_index(px, py, cx, cy)
            # Rivets, and damage that breaks the plate's rim.
            edge = px in (0, c.w - 1) or py in (0, c.h - 1)
            if index is not None and not (frame and edge and (px * 7 + py * 3 + frame) % (5 - frame) == 0):
                c.put(px, py, index)
    # No dark rim: the barrel is dark, and shows from the dome's edge.
    c.disc(cx, cy, 2.3, TURRET_DOMES[frame])
    if frame == 2:
        c.put(cx + 1, cy - 1, INK)
        c.put(cx - 1, cy + 1, INK)


def turret_schemes():
    """Scheme 1 + direction shows the plate on the side of the turret's tile (direction 0:
    the turret is left of its tile, 1 above it, 2 right of it, 3 below it); four more, in
    the same order, show the turret switched off: a dark plate and a grey dome."""
    plate_side = ["right", "bottom", "left", "top"]
    schemes = []
    for off in (False, True):
        for side in plate_side:
            pairs = []
            for name, index in MOUNT_SIDE.items():
                pairs.append((index, (MOUNT_OFF if off else MOUNT) if name == side else KEY))
            for names, index in MOUNT_CORNER.items():
                pairs.append((index, (MOUNT_OFF if off else MOUNT) if side in names else KEY))
            if off:
                pairs += [(dome, DOME_OFF) for dome in TURRET_DOMES]
            schemes.append(("turret", pairs))
    return schemes


TANK_HULLS = [cube(2, 3, 1), cube(3, 3, 1), cube(3, 2, 1)]
TANK_LIGHT = 252


def tank_schemes():
    """Scheme 1: the tank switched off, its hull grey and its light out."""
    pairs = [(hull, grey(6)) for hull in TANK_HULLS] + [(grey(12), grey(8)), (TANK_LIGHT, INK),
                                                        (grey(9), grey(5))]
    return [("tank", pairs)]


def tank(c, frame):
    """Treads, a low hull and a small dome; the barrel reaches above the hull. Frames 0-2
    roll the treads, 3-5 and 6-8 repeat them with damage."""
    damage, roll = divmod(frame, 3)
    hull = TANK_HULLS[damage]
    cx = (c.w - 1) / 2.0
    # Treads: rows 9 to 12, with cleats that move as the tank rolls.
    for py in range(9, 13):
        for px in range(1, c.w - 1):
            if py in (9, 12) and px in (1, c.w - 2):
                continue
            c.put(px, py, grey(3))
    for px in range(2 + roll, c.w - 2, 3):
        c.put(px, 10, grey(9))
        c.put(px, 11, grey(9))
    # Hull: rows 7 and 8, with a power light at the back.
    c.rect(1, 7, c.w - 2, 8, hull)
    c.rect(1, 7, c.w - 2, 7, grey(12))
    c.put(2, 8, TANK_LIGHT)
    # The dome on the gun's pivot (row 6), small enough for the barrel to clear it.
    c.disc(cx, 6.5, 2.6, hull)
    c.put(cx, 5, grey(12))
    if damage:
        for k in range(damage * 3):
            c.put(3 + (k * 5) % (c.w - 6), 8 - k % 2, INK)


def terminal(c, frame):
    """A console: a monitor housing around the screen hole, a keyboard ledge and a
    cabinet. The screen area (5..24, 3..17) stays clear for the security colour."""
    case, shade, dark = grey(11), grey(8), grey(4)
    c.rect(2, 1, 28, 21, case)                       # monitor housing
    c.rect(2, 20, 28, 21, shade)
    c.rect(4, 2, 25, 18, dark)                       # bezel
    c.rect(5, 3, 24, 17, KEY)                        # the screen itself shows through
    c.rect(12, 22, 17, 25, shade)                    # neck
    c.rect(2, 26, 28, 29, grey(9))                   # keyboard ledge
    for px in range(3, 27, 3):
        c.put(px, 27, grey(3))
        c.put(px + 1, 28, grey(3))
    c.rect(3, 30, 27, 49, shade)                     # cabinet
    c.rect(3, 30, 27, 30, grey(12))
    for py in range(33, 46, 3):                      # vents
        c.rect(7, py, 23, py, dark)
    c.put(24, 47, 252)                               # power light
    c.outline(limit=lambda px, py: 0 < py < c.h - 1 and 0 < px < c.w - 1)


def terminal_screen(c, frame):
    """The glass over the screen: a dark rim, a glint and three lines of text; the rest is
    clear, so the screen shows the terminal's security colour."""
    for px in range(c.w):
        c.put(px, 0, grey(2))
        c.put(px, c.h - 1, grey(2))
    for py in range(c.h):
        c.put(0, py, grey(2))
        c.put(c.w - 1, py, grey(2))
    for k, (y, length) in enumerate(((3, 11), (6, 14), (9, 8))):
        for px in range(3, 3 + length):
            if (px + k + frame) % 4:
                c.put(px, y, grey(1))
    c.put(c.w - 3, 2, 255)
    c.put(c.w - 4, 2, 255)
    c.put(c.w - 3, 3, 255)
    c.rect(3, 12, 4, 12, grey(1))                     # a blinking prompt
    if frame % 2 == 0:
        c.rect(6, 12, 7, 12, grey(1))


def door(c, frame):
    c.rect(0, 0, c.w - 1, c.h - 1, grey(10))
    for py in range(0, c.h, 6):
        c.rect(0, py, c.w - 1, py + 2, 248)
        c.rect(0, py + 3, c.w - 1, py + 5, grey(1))
    c.outline()


def exit_sign(c, frame):
    c.rect(0, 0, c.w - 1, c.h - 1, cube(0, 3, 1))
    c.rect(2, 2, c.w - 3, c.h - 3, cube(0, 4, 1))
    # An arrow pointing right.
    c.rect(8, 17, 24, 22, 255)
    for k in range(10):
        c.rect(24 + k, 10 + k, 24 + k, 29 - k, 255)


def pointer(c, frame):
    """A cross-hair pointer."""
    m = c.w // 2
    c.disc(m, m, 9, 255, inner=7.5)
    c.rect(m, 1, m, 8, 255)
    c.rect(m, c.h - 9, m, c.h - 2, 255)
    c.rect(1, m, 8, m, 255)
    c.rect(c.w - 9, m, c.w - 2, m, 255)
    c.put(m, m, 250)


# --- walls -------------------------------------------------------------------------------

def tile(c, frame):
    """Four wall looks, all in middle tones (greys 9 to 13 and colours as bright), so that
    white and black text read over them and so do the guards' dark bullets (colour 10): a
    riveted steel plate, bricks, concrete blocks and a ribbed blue-grey panel."""
    w, h = c.w, c.h
    if frame == 0:
        c.rect(0, 0, w - 1, h - 1, grey(13))
        c.rect(1, 1, w - 1, h - 1, grey(9))
        c.rect(1, 1, w - 2, h - 2, grey(11))
        for px, py in ((4, 4), (w - 5, 4), (4, h - 5), (w - 5, h - 5)):
            c.put(px, py, grey(13))
            c.put(px + 1, py + 1, grey(9))
        c.rect(2, h // 2, w - 3, h // 2, grey(10))
    elif frame == 1:
        c.rect(0, 0, w - 1, h - 1, grey(10))
        for row in range(4):
            top = row * 10
            shift = 0 if row % 2 == 0 else 10
            for k in range(-1, 3):
                left = k * 20 + shift
                c.rect(left + 1, top + 1, left + 18, top + 8, cube(3, 2, 1))
                c.rect(left + 1, top + 1, left + 18, top + 1, cube(4, 2, 1))
    elif frame == 2:
        c.rect(0, 0, w - 1, h - 1, grey(9))
        c.rect(1, 1, w - 2, h - 2, grey(12))
        for k in range(60):
            c.put((k * 13) % (w - 4) + 2, (k * 29) % (h - 4) + 2, grey(10))
        c.rect(0, h // 2, w - 1, h // 2, grey(9))
        c.rect(w // 2, 0, w // 2, h // 2, grey(9))
    else:
        c.rect(0, 0, w - 1, h - 1, cube(2, 2, 2))
        c.rect(1, 1, w - 2, h - 2, cube(2, 2, 3))
        for px in range(3, w - 3, 5):
            c.rect(px, 2, px, h - 3, cube(3, 3, 4))
            c.rect(px + 2, 2, px + 2, h - 3, cube(2, 2, 2))


def stairs(c, frame):
    """A catwalk: a grated top with a yellow and grey hazard edge over a cross-braced frame;
    frame 1 braces the other way. Middle tones again, for the bullets that fly through, and
    lighter than the play background so that the frame shows against it."""
    w, h = c.w, c.h
    c.rect(0, 0, w - 1, 3, grey(12))
    for px in range(0, w, 3):
        c.put(px, 1, grey(9))
        c.put(px, 2, grey(9))
    for px in range(w):
        c.put(px, 4, 248 if (px // 4) % 2 == 0 else grey(9))
        c.put(px, 5, 248 if (px // 4) % 2 == 0 else grey(9))
    c.rect(0, 6, 1, h - 1, grey(13))
    c.rect(w - 2, 6, w - 1, h - 1, grey(13))
    if frame == 0:
        c.line(2, 7, w - 3, h - 1, 1.5, grey(13))
    else:
        c.line(w - 3, 7, 2, h - 1, 1.5, grey(13))


# --- guards ------------------------------------------------------------------------------

def soldier_torso(c, cx, top, facing, look):
    """The body from the shoulders to the hips, for one look layer:
    0 a plain uniform, 1 armour with a riot shield held on the front side; 2 the uniform of a
    falling or fallen guard, in the sleeves' colour, so that each guard's colour scheme
    keeps its look (blue uniform or grey armour) to the end."""
    if look == 2:
        c.rect(cx - 6, top + 14, cx + 6, top + 44, SLEEVE)
        c.rect(cx - 1, top + 16, cx, top + 42, grey(3))                     # zip
    elif look == 0:
        c.rect(cx - 6, top + 14, cx + 6, top + 44, cube(1, 2, 4))
        c.rect(cx - 4, top + 16, cx + 4, top + 30, cube(2, 3, 5))          # chest
        c.rect(cx - 1, top + 16, cx, top + 42, cube(1, 1, 3))              # zip
    else:
        c.rect(cx - 6, top + 13, cx + 6, top + 44, grey(6))
        c.rect(cx - 5, top + 15, cx + 5, top + 28, grey(9))                # armour plate
        for py in range(top + 17, top + 28, 3):
            c.rect(cx - 4, py, cx + 4, py, grey(6))
        # The shield: a tall plate in front, rounded at both ends, with a window and a
        # coloured stripe.
        front = cx + 8 * facing
        x0, x1 = sorted((front, front + 5 * facing))
        c.rect(x0, top + 9, x1, top + 45, grey(12))
        c.rect(x0 + 1, top + 8, x1 - 1, top + 46, grey(12))
        c.rect(x0, top + 9, x0, top + 45, grey(4))
        c.rect(x1, top + 9, x1, top + 45, grey(4))
        c.rect(x0 + 1, top + 14, x1 - 1, top + 19, cube(1, 2, 3))           # window
        c.rect(x0 + 1, top + 30, x1 - 1, top + 34, BELT)


def soldier_common(c, cx, top, facing, aim):
    """What every guard has: helmet and face, belt, the arm and the gun pointing at aim
    degrees (0 right, 90 up), hips down to the legs."""
    c.disc(cx, top + 7, 5.2, SKIN)
    for py in range(top, top + 6):                                        # helmet dome
        for px in range(cx - 7, cx + 8):
            if math.hypot(px - cx, py - (top + 6)) <= 6.4:
                c.put(px, py, HELMET)
    c.rect(cx - 6 + facing, top + 5, cx + 6 + 2 * facing, top + 5, HELMET)  # brim
    c.put(cx + 3 * facing, top + 8, INK)                                  # eye
    c.put(cx + 2 * facing, top + 11, cube(3, 1, 1))                       # mouth
    c.rect(cx - 5, top + 45, cx + 5, top + 49, TROUSERS)                  # hips
    c.rect(cx - 6, top + 42, cx + 6, top + 44, BELT)
    c.put(cx, top + 43, INK)
    # Shoulder, arm and gun.
    sx, sy = cx + 2 * facing, top + 18
    a = math.radians(aim)
    ux, uy = math.cos(a), -math.sin(a)
    hx, hy = sx + 8 * ux, sy + 8 * uy
    c.line(sx, sy, hx, hy, 3.2, SLEEVE)
    c.line(hx - 4 * ux, hy - 4 * uy, hx + 14 * ux, hy + 14 * uy, 2.2, GUN)
    c.put(hx, hy, SKIN)


def guard_body(c, cx, top, facing, aim, layer):
    if layer == 2:
        soldier_common(c, cx, top, facing, aim)
    else:
        soldier_torso(c, cx, top, facing, layer)
    # The helmet's rim stays off the cell's top row.
    c.outline(limit=lambda px, py: py > 0)


def legs(c, cx, top, facing, stride):
    """Two legs from the hips (row 0) to the boots; stride -1..1 swings them apart."""
    hip = top + 1
    for side in (-1, 1):
        swing = stride * side * 6
        knee = (cx + side * 2 + swing * 0.5, hip + 19)
        foot = (cx + side * 2 + swing, hip + 35)
        c.line(cx + side * 2, hip, knee[0], knee[1], 4.5, TROUSERS)
        c.line(knee[0], knee[1], foot[0], foot[1], 4.0, TROUSERS)
        c.rect(foot[0] - 2, foot[1], foot[0] + 2 + 2 * facing, foot[1] + 2, BOOTS)
    c.outline()


def fallen(c, angle, scale):
    """A whole guard facing right, tipped backwards by angle degrees (0 standing, 90 lying
    on its back) about its hips, which stay over the middle of the cell and sink toward the
    floor as it falls, shrunk by scale."""
    sprite = Cell([[KEY] * 60 for _ in range(100)], 0, 0, 60, 100)
    soldier_torso(sprite, 30, 0, 1, 2)
    soldier_common(sprite, 30, 0, 1, -60)
    legs(sprite, 30, 48, 1, 0)
    hip_x, hip_y, foot_y = 30, 46, 86
    a = math.radians(-angle)
    hip_height = (foot_y - hip_y) * scale * math.cos(a) + 6 * abs(math.sin(a))
    base_x, base_y = (c.w - 1) / 2.0, c.h - 1 - hip_height
    for py in range(sprite.h):
        for px in range(sprite.w):
            colour = sprite.get(px, py)
            if colour == KEY:
                continue
            dx, dy = px - hip_x, py - hip_y
            for ox in (0, 0.5):
                for oy in (0, 0.5):
                    rx = (dx + ox) * math.cos(a) - (dy + oy) * math.sin(a)
                    ry = (dx + ox) * math.sin(a) + (dy + oy) * math.cos(a)
                    c.put(round(base_x + rx * scale), round(base_y + ry * scale), colour)


def dying(c, frame):
    fallen(c, [10, 30, 55, 75, 90][frame], 0.85)


def dead_body(c, frame):
    fallen(c, 90, 0.78)
    for px in range(6, c.w - 12):                      # a dark pool under the body
        if c.get(px, c.h - 1) == KEY:
            c.put(px, c.h - 1, cube(2, 0, 0))


# Where the torso stands in each guard body cell (centre column, top row), and which way
# the guard faces, chosen so that the body lines up with the legs at the offsets the game
# draws it with. Standing and walking guards hold the gun pointing down before them (65
# degrees below level), so that it fits the cell on either side.
FIRE_AIMS = [0, 45, 90, 90, 135, 180, 225, 270, 270, 315, 90, 90, 270, 270]
FIRE_FACING = [1, 1, 1, -1, -1, -1, -1, 1, -1, 1, 1, -1, 1, -1]


def guard_cell(kind, layer):
    def paint(c, frame):
        if kind == "stand":
            facing = 1 if frame == 0 else -1
            guard_body(c, 11 if facing > 0 else 15, 1, facing, -65 if facing > 0 else 245, layer)
        elif kind == "walk":
            facing = 1 if frame == 0 else -1
            guard_body(c, 8 if facing > 0 else 16, 1, facing, -65 if facing > 0 else 245, layer)
        else:
            facing = FIRE_FACING[frame]
            guard_body(c, 15 if facing > 0 else 48, 10, facing, FIRE_AIMS[frame], layer)
    return paint


def stand_legs(c, frame):
    legs(c, 9.5, 0, 1, 0)


def walk_legs(c, frame):
    stride = [0, 0.6, 0, -0.6][frame % 4]
    if frame < 4:
        legs(c, 36, 0, 1, stride)
    else:
        legs(c, 26, 0, -1, stride)


PAINTERS = {
    "zizuzu": zizuzu, "flash": flash, "debris": debris, "reticle": reticle,
    "turret": turret, "tank": tank, "terminal": terminal, "terminal_screen": terminal_screen,
    "door": door, "exit": exit_sign, "game": pointer, "tile": tile, "stairs": stairs,
    "guard_stand_legs": stand_legs, "guard_walk_legs": walk_legs,
    "guard_dying": dying, "guard_dead": dead_body,
}
for _kind in ("stand", "walk", "fire"):
    for _layer in range(3):
        PAINTERS["guard_%s_body_%d" % (_kind, _layer)] = guard_cell(_kind, _layer)


SCHEMES = turret_schemes() + tank_schemes()


def paint(pixels, name, frame, x, y, w, h):
    """Paints one frame of the named sprite into its cell; false for an unknown name."""
    painter = PAINTERS.get(name)
    if not painter:
        return False
    painter(Cell(pixels, x, y, w, h), frame)
    return True

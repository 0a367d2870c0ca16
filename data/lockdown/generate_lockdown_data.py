#!/usr/bin/env python3
"""Generates lockdown's data from the authored tables in this folder.

usage: generate_lockdown_data.py SOURCE_DIR OUT_DIR

Writes OUT_DIR/g.dat (an 8-bit BMP sprite sheet: the cells of sheet_layout.txt, each
painted by sprite_art.py),
OUT_DIR/PALDATA2.PAL (256 lines "red green blue flags"), the levels *.fly (copied),
OUT_DIR/SheetLayout.inc (the layout table as C++ initialisers for the game) and
OUT_DIR/SpriteSchemes.inc (the colour schemes of sprite_art.SCHEMES, likewise).
"""
import os
import shutil
import struct
import sys

# The generator runs from the source tree at build time: leave no bytecode there.
sys.dont_write_bytecode = True
import sprite_art  # noqa: E402

SHEET_W, SHEET_H = 1024, 512
KEY = 2

# 5 by 7 glyphs of the title's letters, bit 4 the leftmost column.
GLYPHS = {
    "L": [0x10, 0x10, 0x10, 0x10, 0x10, 0x10, 0x1F],
    "O": [0x0E, 0x11, 0x11, 0x11, 0x11, 0x11, 0x0E],
    "C": [0x0E, 0x11, 0x10, 0x10, 0x10, 0x11, 0x0E],
    "K": [0x11, 0x12, 0x14, 0x18, 0x14, 0x12, 0x11],
    "D": [0x1C, 0x12, 0x11, 0x11, 0x11, 0x12, 0x1C],
    "W": [0x11, 0x11, 0x11, 0x15, 0x15, 0x15, 0x0A],
    "N": [0x11, 0x11, 0x19, 0x15, 0x13, 0x11, 0x11],
}


def read_table(path):
    rows = []
    with open(path) as f:
        for number, line in enumerate(f, 1):
            line = line.split("#", 1)[0].split()
            if not line:
                continue
            if len(line) != 9:
                sys.exit("%s:%d: expected 9 fields, got %d" % (path, number, len(line)))
            name = line[0]
            w, h, x, y, frames, per_row, rows_, refl = (int(v) for v in line[1:])
            rows.append((name, w, h, x, y, frames, per_row, rows_, refl))
    return rows


def read_palette(path):
    palette = {}
    with open(path) as f:
        for number, line in enumerate(f, 1):
            line = line.split("#", 1)[0].split()
            if not line:
                continue
            index, r, g, b = (int(v) for v in line)
            if not (0 <= index < 256 and all(0 <= c < 256 for c in (r, g, b))):
                sys.exit("%s:%d: value out of range" % (path, number))
            palette[index] = (r, g, b)
    return palette


def full_palette(named):
    entries = []
    levels = [0, 51, 102, 153, 204, 255]
    for i in range(256):
        if i in named:
            entries.append(named[i])
        elif 16 <= i < 232:
            c = i - 16
            entries.append((levels[c // 36], levels[(c // 6) % 6], levels[c % 6]))
        else:
            v = 8 + (i - 232) * 10 if 232 <= i < 246 else 128
            entries.append((v, v, v))
    return entries


def cells(row):
    name, w, h, x, y, frames, per_row, rows_, refl = row
    for k in range(frames):
        r, c = divmod(k, per_row)
        yield k, x + c * (w + 1), y + r * (h + 1)


def check(layout):
    used = {}
    for row in layout:
        name, w, h, x, y, frames, per_row, rows_, refl = row
        if frames > per_row * rows_:
            sys.exit("%s: %d frames do not fit %d by %d cells" % (name, frames, per_row, rows_))
        if frames * (2 if refl else 1) > 64:
            sys.exit("%s: more than 64 frames" % name)
        for _, cx, cy in cells(row):
            if cx < 0 or cy < 0 or cx + w > SHEET_W or cy + h > SHEET_H:
                sys.exit("%s: cell at (%d, %d) lies outside the sheet" % (name, cx, cy))
            for py in range(cy, cy + h):
                for px in range(cx, cx + w):
                    if (px, py) in used:
                        sys.exit("%s overlaps %s at (%d, %d)" % (name, used[(px, py)], px, py))
                    used[(px, py)] = name


def draw_title(pixels, x, y, w, h):
    text = "LOCKDOWN"
    scale = 11
    advance = 6 * scale + 6
    left = x + (w - (len(text) * advance - 6 - scale)) // 2
    top = y + (h - 7 * scale) // 2
    for i, ch in enumerate(text):
        for gy, bits in enumerate(GLYPHS[ch]):
            for gx in range(5):
                if bits & (0x10 >> gx):
                    for py in range(scale):
                        for px in range(scale):
                            # Lighter at the top, as if lit from above.
                            colour = 251 if py < scale // 2 else 248
                            pixels[top + gy * scale + py][left + i * advance + gx * scale + px] = colour
    for px in range(x, x + w):
        pixels[y][px] = pixels[y + h - 1][px] = 253


def write_bmp(path, pixels, palette):
    row_bytes = (SHEET_W + 3) & ~3
    offset = 14 + 40 + 1024
    size = offset + row_bytes * SHEET_H
    with open(path, "wb") as f:
        f.write(b"BM" + struct.pack("<IHHI", size, 0, 0, offset))
        f.write(struct.pack("<IiiHHIIiiII", 40, SHEET_W, SHEET_H, 1, 8, 0, row_bytes * SHEET_H, 2835, 2835, 256, 0))
        for r, g, b in palette:
            f.write(bytes((b, g, r, 0)))
        pad = bytes(row_bytes - SHEET_W)
        for row in reversed(pixels):
            f.write(bytes(row) + pad)


def main():
    if len(sys.argv) != 3:
        sys.exit(__doc__)
    source, out = sys.argv[1], sys.argv[2]
    os.makedirs(out, exist_ok=True)
    layout = read_table(os.path.join(source, "sheet_layout.txt"))
    check(layout)
    palette = full_palette(read_palette(os.path.join(source, "palette.txt")))

    pixels = [[KEY] * SHEET_W for _ in range(SHEET_H)]
    for row in layout:
        name, w, h = row[0], row[1], row[2]
        for frame, cx, cy in cells(row):
            if name == "title":
                draw_title(pixels, cx, cy, w, h)
            elif not sprite_art.paint(pixels, name, frame, cx, cy, w, h):
                sys.exit("%s: no painter for this sprite" % name)
    write_bmp(os.path.join(out, "g.dat"), pixels, palette)

    with open(os.path.join(out, "PALDATA2.PAL"), "w") as f:
        for r, g, b in palette:
            f.write("%d %d %d 0\n" % (r, g, b))

    with open(os.path.join(out, "SheetLayout.inc"), "w") as f:
        f.write("// Generated from data/lockdown/sheet_layout.txt; do not edit.\n")
        for name, w, h, x, y, frames, per_row, rows_, refl in layout:
            f.write('{"%s", %d, %d, %d, %d, %d, %d, %d, %s},\n'
                    % (name, w, h, x, y, frames, per_row, rows_, "true" if refl else "false"))

    with open(os.path.join(out, "SpriteSchemes.inc"), "w") as f:
        f.write("// Generated from data/lockdown/sprite_art.py; do not edit.\n")
        for name, pairs in sprite_art.SCHEMES:
            f.write('{"%s", {%s}, {%s}},\n' % (name, ", ".join(str(a) for a, _ in pairs),
                                              ", ".join(str(b) for _, b in pairs)))

    for name in sorted(os.listdir(source)):
        if name.endswith(".fly"):
            shutil.copyfile(os.path.join(source, name), os.path.join(out, name))


if __name__ == "__main__":
    main()

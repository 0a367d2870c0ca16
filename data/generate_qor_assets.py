#!/usr/bin/env python3
"""Generates qor's images and sounds into a run directory.

Every asset is authored here, from code: images as 24-bit uncompressed BMPs, sounds as
22050 Hz 16-bit WAVs, and the music loop as an Ogg Vorbis file encoded from a synthesised WAV
with oggenc (vorbis-tools). Files that already exist and are newer than this script are kept.
Usage: generate_qor_assets.py RUN_DIR
"""
import array
import math
import os
import shutil
import struct
import subprocess
import sys
import tempfile
import wave

RATE = 22050
SCRIPT_TIME = os.path.getmtime(os.path.abspath(__file__))


def up_to_date(path):
    return os.path.exists(path) and os.path.getmtime(path) >= SCRIPT_TIME


def write_bmp(path, width, height, pixel):
    """Writes a 24-bit uncompressed BMP; pixel(x, y) gives (r, g, b) with y counted from the top."""
    row_size = (width * 3 + 3) // 4 * 4
    image_size = row_size * height
    data = bytearray()
    data += struct.pack("<2sIHHI", b"BM", 54 + image_size, 0, 0, 54)
    data += struct.pack("<IiiHHIIiiII", 40, width, height, 1, 24, 0, image_size, 2835, 2835, 0, 0)
    for y in range(height - 1, -1, -1):  # rows are stored bottom-up
        row = bytearray()
        for x in range(width):
            r, g, b = pixel(x, y)
            row += bytes((clamp_byte(b), clamp_byte(g), clamp_byte(r)))
        row += bytes(row_size - len(row))
        data += row
    with open(path, "wb") as out:
        out.write(data)


def clamp_byte(v):
    return max(0, min(255, int(v)))


def write_wav(path, left, right=None):
    """Writes 16-bit samples in -1..1 at 22050 Hz, mono or stereo."""
    channels = 1 if right is None else 2
    samples = array.array("h")
    if right is None:
        samples.extend(to_int16(v) for v in left)
    else:
        for l, r in zip(left, right):
            samples.append(to_int16(l))
            samples.append(to_int16(r))
    if sys.byteorder == "big":
        samples.byteswap()
    with wave.open(path, "wb") as out:
        out.setnchannels(channels)
        out.setsampwidth(2)
        out.setframerate(RATE)
        out.writeframes(samples.tobytes())


def to_int16(v):
    return max(-32767, min(32767, int(round(v * 32767))))


# ---- images ----

def big_star(x, y):
    """A soft white glow on black; black adds nothing under the sprites' additive blending."""
    d = math.hypot(x - 15.5, y - 15.5) / 16.0
    v = max(0.0, 1.0 - d) ** 2 * 255
    return v, v, min(255, v * 1.1)


def ok_button(x, y):
    """A green tick in a grey frame, 32 by 32."""
    if x in (0, 31) or y in (0, 31):
        return 160, 160, 160
    # Tick: a short stroke down to (12, 24), then a long stroke up to (27, 7).
    def near(x0, y0, x1, y1):
        dx, dy = x1 - x0, y1 - y0
        t = max(0.0, min(1.0, ((x - x0) * dx + (y - y0) * dy) / float(dx * dx + dy * dy)))
        return math.hypot(x - (x0 + t * dx), y - (y0 + t * dy)) < 2.2
    if near(5, 16, 12, 24) or near(12, 24, 27, 7):
        return 40, 220, 60
    return 30, 30, 30


def close_button(x, y):
    """A red cross in a red frame, 16 by 16."""
    if x in (0, 15) or y in (0, 15):
        return 200, 40, 40
    if abs(x - y) <= 1 or abs(x + y - 15) <= 1:
        return 255, 80, 80
    return 0, 0, 0


# The ships are drawn flipped top to bottom, so their noses point down in the files and up on
# screen at heading 0.

def ship_shape(x, y, size, hull, trim):
    """An arrowhead hull, nose at the bottom of the image, with a lit cockpit."""
    cx = (size - 1) / 2.0
    t = y / float(size - 1)  # 0 at the tail, 1 at the nose
    half = (1.0 - t) * size * 0.45 + 1
    if abs(x - cx) > half or y < size * 0.1:
        return 0, 0, 0
    edge = half - abs(x - cx) < 2
    if math.hypot(x - cx, y - size * 0.62) < size * 0.1:
        return 200, 240, 255
    return trim if edge else hull


def player_ship(x, y):
    return ship_shape(x, y, 40, (60, 120, 220), (170, 210, 255))


def pirate_ship(x, y):
    return ship_shape(x, y, 40, (190, 50, 40), (255, 170, 60))


def heavy_pirate_ship(x, y):
    return ship_shape(x, y, 56, (120, 40, 150), (230, 120, 255))


def ally_ship(x, y):
    return ship_shape(x, y, 40, (40, 160, 80), (160, 255, 170))


def fence_post(x, y):
    """A round post with a bright rim, 24 by 24."""
    d = math.hypot(x - 11.5, y - 11.5)
    if d > 11.5:
        return 0, 0, 0
    if d > 9:
        return 170, 220, 255
    return 50, 90, 130


def glow(color, size):
    def pixel(x, y):
        c = (size - 1) / 2.0
        d = math.hypot(x - c, y - c) / (size / 2.0)
        v = max(0.0, 1.0 - d) ** 1.5
        return tuple(ch * v for ch in color)
    return pixel


def missile(x, y):
    """A narrow body with a hot tail, 8 by 20, nose at the top."""
    if abs(x - 3.5) > 2.5:
        return 0, 0, 0
    if y > 15:
        return 255, 160, 40
    return 200, 200, 210


IMAGES = [
    ("bigStar.bmp", 32, 32, big_star),
    ("ok.bmp", 32, 32, ok_button),
    ("close.bmp", 16, 16, close_button),
    ("player.bmp", 40, 40, player_ship),
    ("global_pirate.bmp", 40, 40, pirate_ship),
    ("heavy_pirate.bmp", 56, 56, heavy_pirate_ship),
    ("wingman.bmp", 40, 40, ally_ship),
    ("node.bmp", 24, 24, fence_post),
    ("bullet.bmp", 8, 8, glow((120, 255, 255), 8)),
    ("pirate_bullet.bmp", 8, 8, glow((255, 120, 60), 8)),
    ("slow_bullet.bmp", 10, 10, glow((200, 90, 255), 10)),
    ("missle.bmp", 8, 20, missile),
]


# ---- sounds ----

def tone(seconds, start_hz, end_hz, noise=0.0, volume=0.5, seed=1):
    """A falling or rising chirp with optional noise and a fast decay."""
    n = int(seconds * RATE)
    rnd = seed
    out = []
    phase = 0.0
    for i in range(n):
        t = i / float(n)
        freq = start_hz + (end_hz - start_hz) * t
        phase += freq / RATE
        rnd = (rnd * 1103515245 + 12345) & 0x7FFFFFFF
        hiss = (rnd / float(0x7FFFFFFF) * 2 - 1) * noise
        env = (1 - t) ** 2
        out.append((math.sin(2 * math.pi * phase) * (1 - noise) + hiss) * env * volume)
    return out


SOUNDS = [
    ("laser.wav", lambda: tone(0.15, 1800, 400, 0.1, 0.4)),
    ("pirate_laser.wav", lambda: tone(0.18, 900, 250, 0.15, 0.4, 3)),
    ("hit.wav", lambda: tone(0.2, 300, 80, 0.6, 0.5, 5)),
    ("alert.wav", lambda: tone(0.3, 500, 900, 0.0, 0.3)),
    ("missle.wav", lambda: tone(0.4, 200, 600, 0.5, 0.4, 9)),
]


# ---- music ----

def midi_to_hz(note):
    return 440.0 * 2 ** ((note - 69) / 12.0)


def add_note(buf, start, length, freq, volume, shape):
    """Adds one enveloped note to a float buffer: a short attack, then an exponential decay."""
    attack = int(0.01 * RATE)
    n = min(length, len(buf) - start)
    phase_step = freq / RATE
    phase = 0.0
    for i in range(n):
        env = i / attack if i < attack else math.exp(-3.0 * (i - attack) / length)
        # Fade the last few milliseconds so that notes do not click.
        tail = n - i
        if tail < 200:
            env *= tail / 200.0
        buf[start + i] += volume * env * shape(phase)
        phase += phase_step
        if phase >= 1.0:
            phase -= 1.0


def triangle(p):
    return 4 * p - 1 if p < 0.5 else 3 - 4 * p


def soft_square(p):
    return math.tanh(3 * math.sin(2 * math.pi * p)) * 0.7


def sine(p):
    return math.sin(2 * math.pi * p)


def dora_doruduroziv():
    """An original 16-second loop in A minor at 120 beats a minute: bass, arpeggio and a tune
    over Am - F - C - G, two bars each. Returns the left and right channels."""
    beat = RATE // 2
    bars = 8
    total = bars * 4 * beat
    bass = [0.0] * total
    arp = [0.0] * total
    lead = [0.0] * total
    chords = [(45, [57, 60, 64]), (41, [53, 57, 60]), (48, [55, 60, 64]), (43, [55, 59, 62])]
    for bar in range(bars):
        root, triad = chords[(bar // 2) % 4]
        for b in range(4):
            start = (bar * 4 + b) * beat
            add_note(bass, start, beat, midi_to_hz(root if b % 2 == 0 else root + 12), 0.30,
                     triangle)
            for k in range(2):  # eighth-note arpeggio
                note = triad[(b * 2 + k) % 3] + 12
                add_note(arp, start + k * beat // 2, beat // 2, midi_to_hz(note), 0.10, soft_square)
    # The tune: (beat offset, length in beats, MIDI note), over the eight bars.
    tune = [
        (0, 1.5, 69), (1.5, 0.5, 72), (2, 1, 76), (3, 1, 74),
        (4, 2, 72), (6, 1, 71), (7, 1, 69),
        (8, 1.5, 69), (9.5, 0.5, 72), (10, 1, 77), (11, 1, 76),
        (12, 3, 72), (15, 1, 74),
        (16, 1, 76), (17, 1, 79), (18, 1, 76), (19, 1, 72),
        (20, 2, 74), (22, 1, 72), (23, 1, 71),
        (24, 1.5, 74), (25.5, 0.5, 72), (26, 1, 71), (27, 1, 67),
        (28, 3, 69), (31, 1, 71),
    ]
    for offset, length, note in tune:
        add_note(lead, int(offset * beat), int(length * beat), midi_to_hz(note), 0.22, sine)
    left = [b * 0.8 + a * 0.4 + m * 0.9 for b, a, m in zip(bass, arp, lead)]
    right = [b * 0.8 + a * 0.9 + m * 0.5 for b, a, m in zip(bass, arp, lead)]
    return left, right


def write_music(path):
    oggenc = shutil.which("oggenc")
    if not oggenc:
        sys.exit("oggenc (vorbis-tools) is needed to make " + os.path.basename(path))
    left, right = dora_doruduroziv()
    with tempfile.TemporaryDirectory() as tmp:
        wav_path = os.path.join(tmp, "music.wav")
        write_wav(wav_path, left, right)
        # A fixed serial number keeps the file the same from build to build.
        subprocess.run([oggenc, "-Q", "-q", "3", "--serial", "7", "-o", path, wav_path],
                       check=True)


def main():
    if len(sys.argv) != 2:
        sys.exit("usage: generate_qor_assets.py RUN_DIR")
    run_dir = sys.argv[1]
    os.makedirs(run_dir, exist_ok=True)
    for name, width, height, pixel in IMAGES:
        path = os.path.join(run_dir, name)
        if not up_to_date(path):
            write_bmp(path, width, height, pixel)
    for name, make in SOUNDS:
        path = os.path.join(run_dir, name)
        if not up_to_date(path):
            write_wav(path, make())
    music = os.path.join(run_dir, "Dora-Doruduroziv.ogg")
    if not up_to_date(music):
        write_music(music)


if __name__ == "__main__":
    main()

#!/usr/bin/env python3
"""Makes data/playing.avi, the opening animation of the player control.

A broadcast mark: a red beacon with three pairs of arcs whose light runs outwards,
15 pictures that loop (the control repeats frames 1 to 15). Each picture is drawn
here with anti-aliased edges on a transparent background and packed by ffmpeg into an
AVI clip of PNG pictures, so the clip sits on any logo page.

usage: tools/make_playing_avi.py [OUTPUT]   (default: data/playing.avi)
"""
import math
import os
import struct
import subprocess
import sys
import tempfile
import zlib

SIZE = 120           # pixels, square; the animation control is 140 x 160
FRAMES = 15
RATE = 12            # pictures per second
CENTRE = (SIZE - 1) / 2.0
BEACON_RADIUS = 9.0
ARC_RADII = (24.0, 38.0, 52.0)
ARC_WIDTH = 6.0
ARC_SPAN = math.radians(42)     # half the opening of each arc, either side of the axis
BEACON = (255, 59, 48)
WAVE = (226, 233, 242)


def coverage(distance, half_width):
    """Share of a pixel covered by a stroke, from the distance to its centre line."""
    return max(0.0, min(1.0, half_width - distance + 0.5))


def arc_distance(x, y, radius):
    """Distance from (x, y) to the left and right arcs of one radius, with round ends."""
    dx, dy = x - CENTRE, y - CENTRE
    best = float("inf")
    for axis in (0.0, math.pi):
        angle = math.atan2(dy, dx) - axis
        angle = (angle + math.pi) % (2 * math.pi) - math.pi
        if abs(angle) <= ARC_SPAN:
            best = min(best, abs(math.hypot(dx, dy) - radius))
        else:
            for end in (axis - ARC_SPAN, axis + ARC_SPAN):
                ex = CENTRE + radius * math.cos(end)
                ey = CENTRE + radius * math.sin(end)
                best = min(best, math.hypot(x - ex, y - ey))
    return best


def wave_light(arc, frame):
    """Brightness 0.25..1 of one arc: a pulse runs from the inner arc to the outer."""
    phase = (frame / FRAMES) * (len(ARC_RADII) + 1) - arc
    pulse = math.exp(-((phase - 0.5) ** 2) / 0.18)
    return 0.25 + 0.75 * pulse


def beacon_light(frame):
    return 0.8 + 0.2 * math.cos(2 * math.pi * frame / FRAMES)


def over(dst, colour, alpha):
    """Straight-alpha 'source over' of one colour onto a pixel (r, g, b, a) in 0..1."""
    r, g, b, a = dst
    out_a = alpha + a * (1 - alpha)
    if out_a <= 0:
        return (0.0, 0.0, 0.0, 0.0)
    mix = [(c / 255.0 * alpha + d * a * (1 - alpha)) / out_a for c, d in zip(colour, (r, g, b))]
    return (mix[0], mix[1], mix[2], out_a)


def draw(frame):
    rows = []
    lights = [wave_light(i, frame) for i in range(len(ARC_RADII))]
    beacon = beacon_light(frame)
    for y in range(SIZE):
        row = bytearray()
        for x in range(SIZE):
            px = (0.0, 0.0, 0.0, 0.0)
            # A soft glow behind the beacon.
            d = math.hypot(x - CENTRE, y - CENTRE)
            glow = 0.35 * beacon * math.exp(-(d / 16.0) ** 2)
            px = over(px, BEACON, glow)
            for radius, light in zip(ARC_RADII, lights):
                cov = coverage(arc_distance(x, y, radius), ARC_WIDTH / 2)
                if cov > 0:
                    px = over(px, WAVE, cov * light)
            cov = coverage(d - BEACON_RADIUS, 0.0) if d > BEACON_RADIUS else 1.0
            if cov > 0:
                px = over(px, BEACON, cov)
            row += bytes(int(round(c * 255)) for c in px)
        rows.append(bytes(row))
    return rows


def write_png(path, rows):
    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body) & 0xFFFFFFFF)

    raw = b"".join(b"\x00" + r for r in rows)
    header = struct.pack(">IIBBBBB", SIZE, SIZE, 8, 6, 0, 0, 0)
    with open(path, "wb") as f:
        f.write(b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) + chunk(b"IDAT", zlib.compress(raw, 9)) +
                chunk(b"IEND", b""))


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    out = sys.argv[1] if len(sys.argv) > 1 else os.path.join(here, "..", "data", "playing.avi")
    with tempfile.TemporaryDirectory() as work:
        for f in range(FRAMES):
            write_png(os.path.join(work, "frame%02d.png" % f), draw(f))
        subprocess.run(["ffmpeg", "-loglevel", "error", "-y", "-framerate", str(RATE),
                        "-i", os.path.join(work, "frame%02d.png"),
                        "-c:v", "png", "-pix_fmt", "rgba", "-fflags", "+bitexact",
                        "-flags:v", "+bitexact", "-f", "avi", out], check=True)
    print("wrote", os.path.normpath(out))


if __name__ == "__main__":
    main()

#!/usr/bin/env python3
"""Draws the form's PNG images into this folder (standard library only).

    python3 images/draw_icons.py

Each picture is drawn in a unit square from signed-distance shapes: a pixel is
covered by the fraction of its width that lies inside the shape (distance 0 at
the edge), which gives antialiased edges at any size without supersampling.
"""

import math
import os
import struct
import zlib

HERE = os.path.dirname(os.path.abspath(__file__))

# --------------------------------------------------------------------------
# Signed distances in unit coordinates (x right, y down); negative inside.


def circle(cx, cy, r):
    return lambda x, y: math.hypot(x - cx, y - cy) - r


def ring(cx, cy, r, width):
    return lambda x, y: abs(math.hypot(x - cx, y - cy) - r) - width / 2


def rounded_box(cx, cy, half_w, half_h, radius=0.0):
    def d(x, y):
        qx = abs(x - cx) - half_w + radius
        qy = abs(y - cy) - half_h + radius
        outside = math.hypot(max(qx, 0.0), max(qy, 0.0))
        return outside + min(max(qx, qy), 0.0) - radius
    return d


def _segment_distance(x, y, ax, ay, bx, by):
    px, py = x - ax, y - ay
    dx, dy = bx - ax, by - ay
    length2 = dx * dx + dy * dy
    t = 0.0 if length2 == 0 else max(0.0, min(1.0, (px * dx + py * dy) / length2))
    return math.hypot(px - dx * t, py - dy * t)


def stroke(points, width):
    """A polyline of round caps and joins."""
    segments = list(zip(points[:-1], points[1:]))

    def d(x, y):
        return min(_segment_distance(x, y, a[0], a[1], b[0], b[1]) for a, b in segments) - width / 2
    return d


def polygon(points):
    n = len(points)

    def d(x, y):
        best = min(_segment_distance(x, y, *points[i], *points[(i + 1) % n]) for i in range(n))
        inside = False
        for i in range(n):
            (x1, y1), (x2, y2) = points[i], points[(i + 1) % n]
            if (y1 > y) != (y2 > y) and x < x1 + (y - y1) * (x2 - x1) / (y2 - y1):
                inside = not inside
        return -best if inside else best
    return d


def rotated(shape, angle, cx, cy):
    c, s = math.cos(angle), math.sin(angle)

    def d(x, y):
        dx, dy = x - cx, y - cy
        return shape(cx + c * dx + s * dy, cy - s * dx + c * dy)
    return d


def union(*shapes):
    return lambda x, y: min(s(x, y) for s in shapes)


def subtract(shape, hole):
    return lambda x, y: max(shape(x, y), -hole(x, y))


def intersect(a, b):
    return lambda x, y: max(a(x, y), b(x, y))


# --------------------------------------------------------------------------
# Canvas


def hex_colour(text, alpha=1.0):
    text = text.lstrip("#")
    return (int(text[0:2], 16) / 255, int(text[2:4], 16) / 255, int(text[4:6], 16) / 255, alpha)


class Canvas:
    def __init__(self, size):
        self.size = size
        self.pixels = [[(0.0, 0.0, 0.0, 0.0)] * size for _ in range(size)]

    def fill(self, shape, colour, bounds=(0.0, 0.0, 1.0, 1.0)):
        """Paints colour over the shape; bounds (x0, y0, x1, y1) limit the work."""
        r, g, b, a = hex_colour(colour) if isinstance(colour, str) else colour
        n = self.size
        x0, y0 = max(0, int(bounds[0] * n) - 2), max(0, int(bounds[1] * n) - 2)
        x1, y1 = min(n, int(bounds[2] * n) + 3), min(n, int(bounds[3] * n) + 3)
        for j in range(y0, y1):
            row = self.pixels[j]
            for i in range(x0, x1):
                distance = shape((i + 0.5) / n, (j + 0.5) / n) * n
                coverage = min(1.0, max(0.0, 0.5 - distance))
                if coverage <= 0.0:
                    continue
                alpha = a * coverage
                pr, pg, pb, pa = row[i]
                out_a = alpha + pa * (1.0 - alpha)
                if out_a > 0.0:
                    row[i] = ((r * alpha + pr * pa * (1.0 - alpha)) / out_a,
                              (g * alpha + pg * pa * (1.0 - alpha)) / out_a,
                              (b * alpha + pb * pa * (1.0 - alpha)) / out_a, out_a)

    def save(self, name):
        raw = bytearray()
        for row in self.pixels:
            raw.append(0)
            for r, g, b, a in row:
                raw += bytes(int(round(max(0.0, min(1.0, c)) * 255)) for c in (r, g, b, a))

        def chunk(tag, data):
            body = tag + data
            return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body) & 0xFFFFFFFF)

        header = struct.pack(">IIBBBBB", self.size, self.size, 8, 6, 0, 0, 0)
        png = b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) + chunk(b"IDAT", zlib.compress(bytes(raw), 9)) \
            + chunk(b"IEND", b"")
        with open(os.path.join(HERE, name), "wb") as f:
            f.write(png)


# --------------------------------------------------------------------------
# The pictures


def wave_packet_icon():
    """A Gaussian envelope (|psi|^2, amber) under the real part of the packet
    (cyan) on a dark tile."""
    c = Canvas(256)
    c.fill(rounded_box(0.5, 0.5, 0.46, 0.46, 0.12), "#101d33")
    centre, width, k, axis, height = 0.5, 0.14, 2 * math.pi / 0.15, 0.6, 0.38
    xs = [0.08 + 0.84 * t / 160 for t in range(161)]
    envelope = [(x, axis - height * math.exp(-((x - centre) / width) ** 2)) for x in xs]
    c.fill(polygon(envelope + [(0.92, axis), (0.08, axis)]), hex_colour("#f4a259", 0.8), (0.08, 0.2, 0.92, 0.62))
    c.fill(stroke([(0.1, axis), (0.9, axis)], 0.016), "#8da9c4", (0.08, 0.56, 0.92, 0.64))
    wave = [(x, axis - 0.3 * math.exp(-0.5 * ((x - centre) / width) ** 2) * math.cos(k * (x - centre))) for x in xs]
    c.fill(stroke(wave, 0.03), "#4cc9f0", (0.06, 0.26, 0.94, 0.94))
    c.save("icon.png")


def open_icon():
    c = Canvas(64)
    back = union(rounded_box(0.47, 0.52, 0.39, 0.29, 0.05), rounded_box(0.28, 0.25, 0.2, 0.07, 0.04))
    c.fill(back, "#d99a1e")
    c.fill(rounded_box(0.5, 0.38, 0.33, 0.1, 0.02), "#fbf5e6", (0.15, 0.26, 0.85, 0.5))
    front = polygon([(0.22, 0.44), (0.96, 0.44), (0.82, 0.81), (0.08, 0.81)])
    c.fill(front, "#f6c445")
    c.save("open.png")


def save_as_icon():
    c = Canvas(64)
    body = polygon([(0.1, 0.1), (0.76, 0.1), (0.9, 0.24), (0.9, 0.9), (0.1, 0.9)])
    c.fill(body, "#2f5d8c")
    c.fill(rounded_box(0.46, 0.24, 0.2, 0.12, 0.02), "#d7dde4")
    c.fill(rounded_box(0.54, 0.24, 0.05, 0.08, 0.01), "#2f5d8c")
    c.fill(rounded_box(0.5, 0.67, 0.29, 0.18, 0.03), "#ffffff")
    for y in (0.6, 0.7):
        c.fill(stroke([(0.3, y), (0.7, y)], 0.035), "#9fb3c8")
    c.save("saveas.png")


def settings_icon():
    c = Canvas(64)
    tooth = rounded_box(0.5, 0.13, 0.085, 0.12, 0.03)
    teeth = [rotated(tooth, 2 * math.pi * i / 8, 0.5, 0.5) for i in range(8)]
    gear = subtract(union(circle(0.5, 0.5, 0.3), *teeth), circle(0.5, 0.5, 0.13))
    c.fill(gear, "#51606f")
    c.save("settings.png")


def clock_icon():
    c = Canvas(64)
    c.fill(circle(0.5, 0.5, 0.43), "#2b3a4a")
    c.fill(circle(0.5, 0.5, 0.36), "#ffffff")
    for i in range(12):
        angle = 2 * math.pi * i / 12
        inner = 0.29 if i % 3 == 0 else 0.31
        c.fill(stroke([(0.5 + inner * math.sin(angle), 0.5 - inner * math.cos(angle)),
                       (0.5 + 0.34 * math.sin(angle), 0.5 - 0.34 * math.cos(angle))], 0.03), "#2b3a4a")
    c.fill(stroke([(0.5, 0.5), (0.5, 0.26)], 0.06), "#2b3a4a")
    c.fill(stroke([(0.5, 0.5), (0.68, 0.6)], 0.05), "#2b3a4a")
    c.fill(stroke([(0.5, 0.5), (0.33, 0.32)], 0.025), "#e4572e")
    c.fill(circle(0.5, 0.5, 0.045), "#e4572e")
    c.save("clock.png")


def investigation_icon():
    c = Canvas(64)
    c.fill(stroke([(0.6, 0.6), (0.88, 0.88)], 0.14), "#3d4a57")
    c.fill(circle(0.4, 0.4, 0.27), hex_colour("#9ed0f0", 0.85))
    c.fill(ring(0.4, 0.4, 0.27, 0.08), "#3d4a57")
    c.fill(stroke([(0.27, 0.33), (0.33, 0.25), (0.42, 0.21)], 0.045), hex_colour("#ffffff", 0.9))
    c.save("investigation.png")


def help_icon():
    c = Canvas(64)
    c.fill(circle(0.5, 0.5, 0.44), "#2d7dd2")
    # The question mark: an arc of three quarters, a short stem and a dot.
    arc = [(0.5 + 0.15 * math.cos(a), 0.36 + 0.13 * math.sin(a))
           for a in [math.pi * (1.0 + 1.35 * t / 24) for t in range(25)]]
    arc.append((0.5, 0.56))
    arc.append((0.5, 0.62))
    c.fill(stroke(arc, 0.1), "#ffffff")
    c.fill(circle(0.5, 0.77, 0.06), "#ffffff")
    c.save("help.png")


def stat_icon():
    c = Canvas(64)
    c.fill(stroke([(0.1, 0.1), (0.1, 0.9), (0.92, 0.9)], 0.05), "#3d4a57")
    for x, top, colour in ((0.27, 0.55, "#4c9f70"), (0.47, 0.32, "#2d7dd2"), (0.67, 0.45, "#f4a259"),
                           (0.84, 0.2, "#e4572e")):
        c.fill(rounded_box(x, (top + 0.86) / 2, 0.07, (0.86 - top) / 2, 0.015), colour)
    c.save("stat.png")


def main():
    for draw in (wave_packet_icon, open_icon, save_as_icon, settings_icon, clock_icon, investigation_icon,
                 help_icon, stat_icon):
        draw()


if __name__ == "__main__":
    main()

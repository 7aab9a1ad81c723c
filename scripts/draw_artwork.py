#!/usr/bin/env python3
"""Draws Kelvane's artwork into resources/: the window and application icons, the logo banner and
the arrows of the sort-key swap buttons.

Standard library only: shapes are rasterised with 4 x 4 supersampling and written as RGBA PNG files
with zlib and struct. Run it again after changing a drawing and commit the PNG files it writes.

Usage: scripts/draw_artwork.py [OUTPUT_FOLDER]   (default: resources/ beside this script's folder)
"""

import os
import struct
import sys
import zlib

SAMPLES = 4  # per pixel and axis

# Colours of the motif: LDraw's red, yellow and blue, and a dark outline.
RED = (201, 26, 9)
YELLOW = (242, 205, 55)
BLUE = (0, 85, 191)
GREEN = (35, 120, 65)
OUTLINE = (33, 33, 33)
WHITE = (255, 255, 255)


class Canvas:
    """Straight-alpha RGBA pixels with painter's-algorithm compositing of anti-aliased shapes."""

    def __init__(self, width, height, background=(0, 0, 0, 0)):
        self.width = width
        self.height = height
        self.pixels = [list(background) for _ in range(width * height)]

    def _blend(self, x, y, colour, coverage):
        if coverage <= 0.0:
            return
        alpha = coverage * (colour[3] / 255.0 if len(colour) > 3 else 1.0)
        pixel = self.pixels[y * self.width + x]
        old_alpha = pixel[3] / 255.0
        new_alpha = alpha + old_alpha * (1.0 - alpha)
        for channel in range(3):
            mixed = colour[channel] * alpha + pixel[channel] * old_alpha * (1.0 - alpha)
            pixel[channel] = int(round(mixed / new_alpha)) if new_alpha > 0 else 0
        pixel[3] = int(round(new_alpha * 255.0))

    def fill(self, inside, bounds, colour):
        """Fills the shape whose membership test is inside(x, y) (pixel units) within bounds."""
        left, top, right, bottom = bounds
        left, top = max(0, int(left)), max(0, int(top))
        right, bottom = min(self.width, int(right) + 1), min(self.height, int(bottom) + 1)
        step = 1.0 / SAMPLES
        offsets = [(i + 0.5) * step for i in range(SAMPLES)]
        total = SAMPLES * SAMPLES
        for y in range(top, bottom):
            for x in range(left, right):
                hits = 0
                for dy in offsets:
                    for dx in offsets:
                        if inside(x + dx, y + dy):
                            hits += 1
                if hits:
                    self._blend(x, y, colour, hits / total)

    def rectangle(self, left, top, right, bottom, colour, radius=0.0):
        def inside(x, y):
            if not (left <= x < right and top <= y < bottom):
                return False
            if radius <= 0:
                return True
            cx = min(max(x, left + radius), right - radius)
            cy = min(max(y, top + radius), bottom - radius)
            return (x - cx) ** 2 + (y - cy) ** 2 <= radius * radius

        self.fill(inside, (left, top, right, bottom), colour)

    def polygon(self, points, colour):
        def inside(x, y):
            result = False
            j = len(points) - 1
            for i, (xi, yi) in enumerate(points):
                xj, yj = points[j]
                if (yi > y) != (yj > y) and x < (xj - xi) * (y - yi) / (yj - yi) + xi:
                    result = not result
                j = i
            return result

        xs = [p[0] for p in points]
        ys = [p[1] for p in points]
        self.fill(inside, (min(xs), min(ys), max(xs), max(ys)), colour)

    def downsampled(self, factor):
        """A canvas `factor` times smaller, each pixel the alpha-weighted mean of its block."""
        small = Canvas(self.width // factor, self.height // factor)
        for y in range(small.height):
            for x in range(small.width):
                sums = [0.0, 0.0, 0.0]
                alpha_sum = 0.0
                for sy in range(factor):
                    row = (y * factor + sy) * self.width
                    for sx in range(factor):
                        r, g, b, a = self.pixels[row + x * factor + sx]
                        sums[0] += r * a
                        sums[1] += g * a
                        sums[2] += b * a
                        alpha_sum += a
                pixel = small.pixels[y * small.width + x]
                if alpha_sum > 0:
                    pixel[:3] = [int(round(s / alpha_sum)) for s in sums]
                pixel[3] = int(round(alpha_sum / (factor * factor)))
        return small

    def paste(self, other, left, top):
        for y in range(other.height):
            for x in range(other.width):
                r, g, b, a = other.pixels[y * other.width + x]
                if a and 0 <= left + x < self.width and 0 <= top + y < self.height:
                    self._blend(left + x, top + y, (r, g, b), a / 255.0)

    def write_png(self, path):
        raw = bytearray()
        for y in range(self.height):
            raw.append(0)  # filter type: none
            for pixel in self.pixels[y * self.width:(y + 1) * self.width]:
                raw.extend(pixel)

        def chunk(kind, data):
            body = kind + data
            return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body) & 0xFFFFFFFF)

        header = struct.pack(">IIBBBBB", self.width, self.height, 8, 6, 0, 0, 0)  # 8-bit RGBA
        with open(path, "wb") as out:
            out.write(b"\x89PNG\r\n\x1a\n")
            out.write(chunk(b"IHDR", header))
            out.write(chunk(b"IDAT", zlib.compress(bytes(raw), 9)))
            out.write(chunk(b"IEND", b""))


def shade(colour, factor):
    return tuple(max(0, min(255, int(round(c * factor)))) for c in colour)


def brick(canvas, left, top, studs, pitch, height, colour, scale=1.0):
    """A brick seen from the front: its body, a lighter top edge and `studs` studs on top."""
    line = 3.0 * scale
    stud_width, stud_height = pitch * 0.62, height * 0.24
    for i in range(studs):
        stud_left = left + pitch * i + (pitch - stud_width) / 2
        canvas.rectangle(stud_left - line, top - stud_height - line, stud_left + stud_width + line, top + line,
                         OUTLINE, radius=2 * scale)
        canvas.rectangle(stud_left, top - stud_height, stud_left + stud_width, top + line, colour)
        canvas.rectangle(stud_left + stud_width * 0.15, top - stud_height + line * 0.6,
                         stud_left + stud_width * 0.35, top, shade(colour, 1.35))
    right, bottom = left + pitch * studs, top + height
    canvas.rectangle(left - line, top - line, right + line, bottom + line, OUTLINE, radius=3 * scale)
    canvas.rectangle(left, top, right, bottom, colour)
    canvas.rectangle(left, top, right, top + height * 0.18, shade(colour, 1.25))
    canvas.rectangle(left, bottom - height * 0.14, right, bottom, shade(colour, 0.78))


def arrow(canvas, centre_x, top, bottom, width, colour, pointing_down=True, scale=1.0):
    """A thick arrow with an outline: a shaft and a triangular head."""
    line = 3.0 * scale
    head = width * 1.15
    shaft = width * 0.42
    if pointing_down:
        head_base = bottom - head
        shaft_box = (centre_x - shaft / 2, top, centre_x + shaft / 2, head_base + 1)
        tip = [(centre_x - width, head_base), (centre_x + width, head_base), (centre_x, bottom)]
        tip_outline = [(centre_x - width - line * 1.6, head_base - line), (centre_x + width + line * 1.6,
                       head_base - line), (centre_x, bottom + line * 1.8)]
    else:
        head_base = top + head
        shaft_box = (centre_x - shaft / 2, head_base - 1, centre_x + shaft / 2, bottom)
        tip = [(centre_x - width, head_base), (centre_x + width, head_base), (centre_x, top)]
        tip_outline = [(centre_x - width - line * 1.6, head_base + line), (centre_x + width + line * 1.6,
                       head_base + line), (centre_x, top - line * 1.8)]
    l, t, r, b = shaft_box
    canvas.rectangle(l - line, t - line, r + line, b + line, OUTLINE, radius=2 * scale)
    canvas.polygon(tip_outline, OUTLINE)
    canvas.rectangle(l, t, r, b, colour)
    canvas.polygon(tip, colour)


def draw_icon(size=256):
    """Three bricks stacked from the widest up, beside an arrow pointing down: sorted bricks."""
    canvas = Canvas(size, size)
    s = size / 256.0
    brick(canvas, 14 * s, 188 * s, 4, 40 * s, 50 * s, RED, s)
    brick(canvas, 34 * s, 122 * s, 3, 40 * s, 50 * s, YELLOW, s)
    brick(canvas, 54 * s, 56 * s, 2, 40 * s, 50 * s, BLUE, s)
    arrow(canvas, 218 * s, 30 * s, 242 * s, 26 * s, GREEN, pointing_down=True, scale=s)
    return canvas


def draw_swap_arrow(pointing_down):
    """32 x 32 pixels, a solid black triangle on a transparent ground."""
    canvas = Canvas(32, 32)
    if pointing_down:
        canvas.polygon([(5, 9), (27, 9), (16, 24)], (0, 0, 0))
    else:
        canvas.polygon([(5, 23), (27, 23), (16, 8)], (0, 0, 0))
    return canvas


# A 5 x 7 pixel font for the banner's words: one string of five bits per row.
GLYPHS = {
    "A": ["01110", "10001", "10001", "11111", "10001", "10001", "10001"],
    "B": ["11110", "10001", "10001", "11110", "10001", "10001", "11110"],
    "C": ["01110", "10001", "10000", "10000", "10000", "10001", "01110"],
    "D": ["11110", "10001", "10001", "10001", "10001", "10001", "11110"],
    "E": ["11111", "10000", "10000", "11110", "10000", "10000", "11111"],
    "I": ["01110", "00100", "00100", "00100", "00100", "00100", "01110"],
    "K": ["10001", "10010", "10100", "11000", "10100", "10010", "10001"],
    "L": ["10000", "10000", "10000", "10000", "10000", "10000", "11111"],
    "M": ["10001", "11011", "10101", "10101", "10001", "10001", "10001"],
    "N": ["10001", "11001", "10101", "10011", "10001", "10001", "10001"],
    "O": ["01110", "10001", "10001", "10001", "10001", "10001", "01110"],
    "P": ["11110", "10001", "10001", "11110", "10000", "10000", "10000"],
    "R": ["11110", "10001", "10001", "11110", "10100", "10010", "10001"],
    "S": ["01111", "10000", "10000", "01110", "00001", "00001", "11110"],
    "T": ["11111", "00100", "00100", "00100", "00100", "00100", "00100"],
    "V": ["10001", "10001", "10001", "10001", "10001", "01010", "00100"],
    "W": ["10001", "10001", "10001", "10101", "10101", "10101", "01010"],
    "Y": ["10001", "10001", "01010", "00100", "00100", "00100", "00100"],
    ",": ["00000", "00000", "00000", "00000", "00110", "00100", "01000"],
    "-": ["00000", "00000", "00000", "11111", "00000", "00000", "00000"],
    " ": ["00000"] * 7,
}


def text(canvas, left, top, words, scale, colour):
    """Writes words in the pixel font; returns the x after the last letter."""
    x = left
    for letter in words:
        for row, bits in enumerate(GLYPHS[letter]):
            for column, bit in enumerate(bits):
                if bit == "1":
                    canvas.rectangle(x + column * scale, top + row * scale, x + (column + 1) * scale,
                                     top + (row + 1) * scale, colour)
        x += 6 * scale
    return x


def draw_banner(icon):
    """1280 x 32: the icon, the name, what it does, and a row of bricks running off to the right."""
    width, height = 1280, 32
    canvas = Canvas(width, height)
    top_colour, bottom_colour = (16, 52, 110), (6, 24, 58)
    for y in range(height):
        t = y / (height - 1)
        colour = [int(round(a + (b - a) * t)) for a, b in zip(top_colour, bottom_colour)] + [255]
        for x in range(width):
            canvas.pixels[y * width + x] = list(colour)
    canvas.paste(icon, 4, 0)
    x = text(canvas, 44, 5, "KELVANE", 3, WHITE)
    x = text(canvas, x + 14, 12, "SORTS LDRAW MODELS BY POSITION, PART AND COLOR", 2, (190, 205, 230))
    colours = [RED, YELLOW, BLUE, GREEN, WHITE, (160, 165, 169)]
    position, index = x + 24, 0
    while position < width:
        studs = 2 + index % 3
        brick(canvas, position, 14, studs, 10, 12, colours[index % len(colours)], 0.35)
        position += studs * 10 + 8
        index += 1
    return canvas


def main():
    root = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
    folder = sys.argv[1] if len(sys.argv) > 1 else os.path.join(root, "resources")
    large = draw_icon(256)
    large.write_png(os.path.join(folder, "kelvane.png"))
    small = large.downsampled(8)
    small.write_png(os.path.join(folder, "kelvane-32.png"))
    draw_banner(small).write_png(os.path.join(folder, "logo.png"))
    draw_swap_arrow(True).write_png(os.path.join(folder, "arrow-down.png"))
    draw_swap_arrow(False).write_png(os.path.join(folder, "arrow-up.png"))


if __name__ == "__main__":
    main()

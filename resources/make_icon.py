#!/usr/bin/env python3
"""Draws the program icon, a hard drive seen from the front, and writes
kestrune.ico: 48, 32 and 16 pixels, each in 8-bit and 32-bit colour.

    python3 resources/make_icon.py resources/kestrune.ico
"""
import struct
import sys

SIZES = (48, 32, 16)
SAMPLES = 4  # per axis, for the smooth edges of the 32-bit images


def shape(x, y):
    """Colour (r, g, b, a) at (x, y) in a unit square, y down."""
    # Drive body: a rounded box across the middle.
    left, right, top, bottom, radius = 0.06, 0.94, 0.28, 0.76, 0.08
    cx = min(max(x, left + radius), right - radius)
    cy = min(max(y, top + radius), bottom - radius)
    if (x - cx) ** 2 + (y - cy) ** 2 > radius ** 2:
        # Shadow under the body.
        if left + 0.04 <= x <= right and bottom <= y <= bottom + 0.06:
            return (0, 0, 0, 70)
        return (0, 0, 0, 0)
    # Outline.
    inner = 0.035
    if not (left + inner <= x <= right - inner and top + inner <= y <= bottom - inner):
        return (52, 60, 72, 255)
    # Green activity light at the right of the front panel.
    if (x - 0.80) ** 2 + (y - 0.60) ** 2 <= 0.045 ** 2:
        return (40, 200, 70, 255)
    # Dark slot along the top part of the front.
    if 0.16 <= x <= 0.70 and 0.40 <= y <= 0.47:
        return (60, 66, 78, 255)
    # Front panel: light at the top, darker below.
    t = (y - top) / (bottom - top)
    grey = int(226 - 70 * t)
    return (grey, grey, min(255, grey + 12), 255)


def render(size, samples):
    pixels = []
    for py in range(size):
        row = []
        for px in range(size):
            acc = [0, 0, 0, 0]
            for sy in range(samples):
                for sx in range(samples):
                    r, g, b, a = shape((px + (sx + 0.5) / samples) / size, (py + (sy + 0.5) / samples) / size)
                    acc[0] += r * a
                    acc[1] += g * a
                    acc[2] += b * a
                    acc[3] += a
            n = samples * samples
            alpha = acc[3] / n
            if acc[3]:
                row.append((round(acc[0] / acc[3]), round(acc[1] / acc[3]), round(acc[2] / acc[3]), round(alpha)))
            else:
                row.append((0, 0, 0, 0))
        pixels.append(row)
    return pixels


def mask_rows(size, pixels, opaque):
    """The AND mask, bottom-up, rows padded to 4 bytes: 1 = transparent."""
    stride = ((size + 31) // 32) * 4
    out = b""
    for row in reversed(pixels):
        bits = bytearray(stride)
        for x, p in enumerate(row):
            if not opaque(p):
                bits[x // 8] |= 0x80 >> (x % 8)
        out += bytes(bits)
    return out


def header(size, bpp, colours):
    return struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, bpp, 0, 0, 0, 0, colours, 0)


def image_32(size):
    pixels = render(size, SAMPLES)
    body = b"".join(bytes((b, g, r, a)) for row in reversed(pixels) for (r, g, b, a) in row)
    return header(size, 32, 0) + body + mask_rows(size, pixels, lambda p: p[3] > 0)


def image_8(size):
    pixels = render(size, 1)
    opaque = lambda p: p[3] >= 128
    palette = [(0, 0, 0)]
    index = {}
    rows = []
    for row in reversed(pixels):
        line = bytearray()
        for p in row:
            if not opaque(p):
                line.append(0)
                continue
            key = p[:3]
            if key not in index:
                index[key] = len(palette)
                palette.append(key)
            line.append(index[key])
        line += bytes((-len(line)) % 4)
        rows.append(bytes(line))
    assert len(palette) <= 256
    palette += [(0, 0, 0)] * (256 - len(palette))
    table = b"".join(bytes((b, g, r, 0)) for (r, g, b) in palette)
    return header(size, 8, 256) + table + b"".join(rows) + mask_rows(size, pixels, opaque)


def main(path):
    images = []
    for size in SIZES:
        images.append((size, 8, image_8(size)))
        images.append((size, 32, image_32(size)))
    offset = 6 + 16 * len(images)
    directory = struct.pack("<HHH", 0, 1, len(images))
    data = b""
    for size, bpp, blob in images:
        # Colour count 0: 256 colours or more.
        directory += struct.pack("<BBBBHHII", size % 256, size % 256, 0, 0, 1, bpp, len(blob), offset)
        offset += len(blob)
        data += blob
    with open(path, "wb") as f:
        f.write(directory + data)


if __name__ == "__main__":
    main(sys.argv[1] if len(sys.argv) > 1 else "kestrune.ico")

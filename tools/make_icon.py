#!/usr/bin/env python3
"""Draws the window icon: a servo seen from above, its horn on the output
shaft and its three-wire lead, as a 32x32 and a 16x16 image of 16 colours.

Writes the .ico bytes directly (no imaging library needed):
    python3 tools/make_icon.py ui/resources/orvelin.ico
"""

import struct
import sys

# The standard 16-colour palette, so every display shows the same colours.
PALETTE = [
    (0x00, 0x00, 0x00), (0x80, 0x00, 0x00), (0x00, 0x80, 0x00), (0x80, 0x80, 0x00),
    (0x00, 0x00, 0x80), (0x80, 0x00, 0x80), (0x00, 0x80, 0x80), (0xC0, 0xC0, 0xC0),
    (0x80, 0x80, 0x80), (0xFF, 0x00, 0x00), (0x00, 0xFF, 0x00), (0xFF, 0xFF, 0x00),
    (0x00, 0x00, 0xFF), (0xFF, 0x00, 0xFF), (0x00, 0xFF, 0xFF), (0xFF, 0xFF, 0xFF),
]
BLACK, DARK_RED, DARK_BLUE, SILVER, GREY = 0, 1, 4, 7, 8
RED, YELLOW, BLUE, WHITE = 9, 11, 12, 15


def colour_at(x, y):
    """Colour index at a point of the unit square (y down), or None where the
    icon is transparent."""
    horn_x, horn_y = 0.38, 0.47
    dx, dy = x - horn_x, y - horn_y
    r2 = dx * dx + dy * dy
    # Horn: a white arm across the shaft, then the disc and the shaft screw.
    if r2 < 0.035 * 0.035:
        return GREY
    if r2 < 0.17 * 0.17:
        return WHITE
    if abs(dy) < 0.07 and abs(dx) < 0.27:
        return WHITE
    # Lead: three wires leaving the body at the bottom right.
    if 0.80 <= y < 1.0:
        for offset, colour in ((0.62, BLACK), (0.72, RED), (0.82, YELLOW)):
            if offset <= x < offset + 0.08:
                return colour
    body = 0.10 <= x < 0.92 and 0.18 <= y < 0.80
    ears = 0.0 <= x < 1.0 and 0.36 <= y < 0.56
    if body:
        edge = x < 0.14 or x >= 0.88 or y < 0.22 or y >= 0.76
        return BLACK if edge else BLUE
    if ears:
        hole = (0.02 <= x < 0.07 or 0.95 <= x < 1.0) and 0.43 <= y < 0.49
        if hole:
            return None
        edge = y < 0.39 or y >= 0.53
        return BLACK if edge else GREY
    return None


def render(size):
    """Rows top to bottom of colour indexes or None, one sample per pixel."""
    return [[colour_at((col + 0.5) / size, (row + 0.5) / size) for col in range(size)]
            for row in range(size)]


def image_bytes(size):
    """BITMAPINFOHEADER, palette, 4-bit colour rows and 1-bit mask rows,
    both bottom up, each row padded to 4 bytes, as an .ico image holds them."""
    pixels = render(size)
    header = struct.pack('<IiiHHIIiiII', 40, size, size * 2, 1, 4, 0, 0, 0, 0, 16, 0)
    palette = b''.join(struct.pack('<BBBB', b, g, r, 0) for r, g, b in PALETTE)
    colour_stride = ((size * 4 + 31) // 32) * 4
    mask_stride = ((size + 31) // 32) * 4
    colour_rows = b''
    mask_rows = b''
    for row in reversed(pixels):
        colour = bytearray(colour_stride)
        mask = bytearray(mask_stride)
        for col, index in enumerate(row):
            if index is None:
                mask[col // 8] |= 0x80 >> (col % 8)
                index = 0
            colour[col // 2] |= index << (4 if col % 2 == 0 else 0)
        colour_rows += bytes(colour)
        mask_rows += bytes(mask)
    return header + palette + colour_rows + mask_rows


def icon_file(sizes):
    images = [image_bytes(size) for size in sizes]
    directory = struct.pack('<HHH', 0, 1, len(images))
    offset = len(directory) + 16 * len(images)
    entries = b''
    for size, data in zip(sizes, images):
        entries += struct.pack('<BBBBHHII', size, size, 16, 0, 1, 4, len(data), offset)
        offset += len(data)
    return directory + entries + b''.join(images)


def main():
    if len(sys.argv) != 2:
        sys.exit('usage: make_icon.py OUTPUT.ico')
    with open(sys.argv[1], 'wb') as out:
        out.write(icon_file([32, 16]))


if __name__ == '__main__':
    main()

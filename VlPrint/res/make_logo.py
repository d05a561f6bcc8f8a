#!/usr/bin/env python3
# Draws the report logo (300 x 63, 4-bit palette) into logo.bmp beside this script:
# a pipe in section with three insulation layers, and a bar in the same colours.
import os
import struct

W, H = 300, 63
LAYERS = [(31, (40, 60, 120)), (26, (230, 160, 40)), (20, (250, 210, 120)), (12, (120, 120, 120)), (8, (255, 255, 255))]

def pixel(x, y):
    cx, cy = 32, 31
    d2 = (x - cx) ** 2 + (y - cy) ** 2
    colour = (255, 255, 255)
    for radius, c in LAYERS:
        if d2 <= radius * radius:
            colour = c
    if 72 <= x <= 292:
        if 16 <= y < 24:
            colour = (40, 60, 120)
        elif 28 <= y < 34:
            colour = (230, 160, 40)
        elif 38 <= y < 44:
            colour = (250, 210, 120)
    return colour

# A palette of its six colours at four bits a pixel: the logo is drawn into
# every page of a report, so it is kept small.
palette = sorted({pixel(x, y) for y in range(H) for x in range(W)})
assert len(palette) <= 16
row_size = ((W + 1) // 2 + 3) & ~3
pixels = bytearray()
for y in range(H - 1, -1, -1):
    row = bytearray()
    for x in range(0, W, 2):
        high = palette.index(pixel(x, y))
        low = palette.index(pixel(x + 1, y)) if x + 1 < W else 0
        row.append(high << 4 | low)
    row += bytes(row_size - len(row))
    pixels += row
colours = b''.join(bytes((b, g, r, 0)) for r, g, b in palette)
offset = 54 + len(colours)
header = struct.pack('<2sIHHI', b'BM', offset + len(pixels), 0, 0, offset)
info = struct.pack('<IiiHHIIiiII', 40, W, H, 1, 4, 0, len(pixels), 2835, 2835, len(palette), len(palette))
with open(os.path.join(os.path.dirname(os.path.abspath(__file__)), 'logo.bmp'), 'wb') as f:
    f.write(header + info + colours + pixels)

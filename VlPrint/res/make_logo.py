#!/usr/bin/env python3
# Draws the report logo (300 x 63, 24-bit) into logo.bmp beside this script:
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

row_size = (W * 3 + 3) & ~3
pixels = bytearray()
for y in range(H - 1, -1, -1):
    row = bytearray()
    for x in range(W):
        r, g, b = pixel(x, y)
        row += bytes((b, g, r))
    row += bytes(row_size - len(row))
    pixels += row
header = struct.pack('<2sIHHI', b'BM', 54 + len(pixels), 0, 0, 54)
info = struct.pack('<IiiHHIIiiII', 40, W, H, 1, 24, 0, len(pixels), 2835, 2835, 0, 0)
with open(os.path.join(os.path.dirname(os.path.abspath(__file__)), 'logo.bmp'), 'wb') as f:
    f.write(header + info + pixels)

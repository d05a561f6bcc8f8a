#!/usr/bin/env python3
"""Draws the interface module's bitmaps and icon: the toolbar strip (nine
16x16 images, 16 colours), the logo (8-bit) and the program icon (32x32 and
16x16, 16 colours). Run from the repository root; it rewrites the files in
VlInterface/res/. Plain Python, no imaging library."""
import math
import os
import struct

OUT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "VlInterface", "res")

# The classic 16-colour palette; silver (index 7) is the toolbar background
# that the toolbar maps to the button face colour.
VGA = [(0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0), (0, 0, 128), (128, 0, 128),
       (0, 128, 128), (192, 192, 192), (128, 128, 128), (255, 0, 0), (0, 255, 0),
       (255, 255, 0), (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255)]
K, MAROON, GREEN, OLIVE, NAVY, PURPLE, TEAL, SILVER, GREY, RED, LIME, YELLOW, BLUE, \
    FUCHSIA, AQUA, WHITE = range(16)


class Canvas:
    """A grid of palette indices (or RGB tuples) with a few drawing helpers."""

    def __init__(self, w, h, fill):
        self.w, self.h = w, h
        self.px = [[fill] * w for _ in range(h)]

    def set(self, x, y, c):
        if 0 <= x < self.w and 0 <= y < self.h:
            self.px[y][x] = c

    def rect(self, x0, y0, x1, y1, c):
        for y in range(y0, y1 + 1):
            for x in range(x0, x1 + 1):
                self.set(x, y, c)

    def frame(self, x0, y0, x1, y1, c):
        self.hline(x0, x1, y0, c)
        self.hline(x0, x1, y1, c)
        self.vline(x0, y0, y1, c)
        self.vline(x1, y0, y1, c)

    def hline(self, x0, x1, y, c):
        for x in range(x0, x1 + 1):
            self.set(x, y, c)

    def vline(self, x, y0, y1, c):
        for y in range(y0, y1 + 1):
            self.set(x, y, c)

    def pixels(self, ox, oy, rows, colours):
        for dy, row in enumerate(rows):
            for dx, ch in enumerate(row):
                if ch in colours:
                    self.set(ox + dx, oy + dy, colours[ch])

    def disc(self, cx, cy, r, c):
        for y in range(self.h):
            for x in range(self.w):
                if (x + 0.5 - cx) ** 2 + (y + 0.5 - cy) ** 2 <= r * r:
                    self.set(x, y, c)


# ---------------------------------------------------------------- toolbar
def icon_new(c, ox):
    c.rect(ox + 3, 1, ox + 11, 14, WHITE)
    c.vline(ox + 2, 1, 14, K)
    c.hline(ox + 2, ox + 13, 15, K)
    c.hline(ox + 2, ox + 9, 0, K)
    c.vline(ox + 13, 4, 15, K)
    c.pixels(ox + 9, 0, ["K   ", "KWK ", "KWWK", "KKKK"], {"K": K, "W": WHITE})
    c.rect(ox + 12, 4, ox + 12, 14, WHITE)
    for y in (6, 8, 10, 12):
        c.hline(ox + 5, ox + 10, y, GREY)


def icon_open(c, ox):
    rows = ["                ",
            "          KKK   ",
            "         K   K K",
            "              KK",
            " KKK        KKKK",
            "KYWYK           ",
            "KWYWYKKKKKKKKK  ",
            "KYWYWYWYWYWYWK  ",
            "KWYWYWYWYWYWYK  ",
            "KYWYWYWKKKKKKKKK",
            "KWYWYWK3333333K ",
            "KYWYWK3333333K  ",
            "KWYWK3333333K   ",
            "KYWK3333333K    ",
            "KWK3333333K     ",
            "KKKKKKKKKK      "]
    c.pixels(ox, 0, rows, {"K": K, "Y": YELLOW, "W": WHITE, "3": OLIVE})


def icon_save(c, ox):
    c.rect(ox + 1, 1, ox + 14, 14, NAVY)
    c.frame(ox + 1, 1, ox + 14, 14, K)
    c.rect(ox + 4, 2, ox + 11, 7, WHITE)
    c.hline(ox + 5, ox + 10, 4, GREY)
    c.hline(ox + 5, ox + 10, 6, GREY)
    c.rect(ox + 4, 10, ox + 11, 14, SILVER)
    c.rect(ox + 5, 11, ox + 6, 13, NAVY)
    c.set(ox + 14, 1, SILVER)


def icon_print(c, ox):
    c.rect(ox + 4, 1, ox + 11, 6, WHITE)
    c.frame(ox + 4, 1, ox + 11, 6, K)
    c.rect(ox + 1, 6, ox + 14, 11, SILVER)
    c.frame(ox + 1, 6, ox + 14, 11, K)
    c.hline(ox + 2, ox + 13, 7, WHITE)
    c.set(ox + 12, 8, LIME)
    c.rect(ox + 3, 10, ox + 12, 14, WHITE)
    c.frame(ox + 3, 10, ox + 12, 14, K)
    c.hline(ox + 5, ox + 10, 12, GREY)
    c.hline(ox + 2, ox + 13, 11, K)
    c.rect(ox + 3, 11, ox + 12, 13, WHITE)
    c.vline(ox + 3, 11, 14, K)
    c.vline(ox + 12, 11, 14, K)
    c.hline(ox + 5, ox + 10, 12, GREY)


def icon_help(c, ox):
    rows = ["                ",
            "     KKKKKK     ",
            "    KBBBBBBK    ",
            "   KBBWWWWBBK   ",
            "   KBWWBBWWBK   ",
            "   KBBBBBWWBK   ",
            "    KBBBWWBK    ",
            "     KBWWBK     ",
            "     KBWWBK     ",
            "      KBBK      ",
            "      KKKK      ",
            "      KBBK      ",
            "     KBWWBK     ",
            "     KBWWBK     ",
            "      KBBK      ",
            "       KK       "]
    c.pixels(ox, 0, rows, {"K": K, "B": BLUE, "W": WHITE})


def icon_new_system(c, ox):
    # A section through an insulated pipe, with a plus sign for "new".
    rows = ["            K   ",
            "           K3K  ",
            "          KK3KK ",
            "    KKKK K33333K",
            "  KKYYYYKKK3KK  ",
            " KYYYYYYYYK3K   ",
            " KYYYKKKYYYKK   ",
            "KYYYK888KYYYK   ",
            "KYYK8RRR8KYYK   ",
            "KYYK8RRR8KYYK   ",
            "KYYK8RRR8KYYK   ",
            "KYYYK888KYYYK   ",
            " KYYYKKKYYYK    ",
            " KYYYYYYYYYK    ",
            "  KKYYYYYKK     ",
            "    KKKKK       "]
    c.pixels(ox, 0, rows, {"K": K, "Y": YELLOW, "8": GREY, "R": RED, "3": GREEN})


def toolbar():
    c = Canvas(16 * 9, 16, SILVER)
    drawers = {0: icon_new, 1: icon_open, 2: icon_save, 6: icon_print, 7: icon_help, 8: icon_new_system}
    for i, draw in drawers.items():
        draw(c, 16 * i)
    return c


# ---------------------------------------------------------------- logo
def logo(size=96):
    """A section through an insulated pipe: hot medium, steel wall,
    insulation and a metal jacket, drawn with 4x4 supersampling."""
    background = (192, 192, 192)
    cx = cy = size / 2
    rings = [(size * 0.47, (60, 70, 80)),      # jacket edge
             (size * 0.45, (205, 212, 220)),   # metal jacket
             (size * 0.41, (235, 190, 60)),    # insulation
             (size * 0.22, (55, 60, 68)),      # steel wall
             (size * 0.18, (200, 50, 35))]     # hot medium
    def colour_at(x, y):
        d = math.hypot(x - cx, y - cy)
        col = background
        for r, ring in rings:
            if d <= r:
                col = ring
        if col == rings[2][1]:
            # fibres of the insulation: a light radial texture
            a = math.atan2(y - cy, x - cx)
            if int((a + math.pi) * 48 / (2 * math.pi)) % 2 == 0:
                col = (222, 174, 48)
        if col == rings[1][1]:
            # light from the top left on the jacket
            shade = ((x - cx) + (y - cy)) / size
            col = tuple(max(0, min(255, int(v - 60 * shade))) for v in col)
        if col == rings[4][1]:
            shade = math.hypot(x - cx + size * 0.05, y - cy + size * 0.05) / (size * 0.18)
            col = (int(235 - 60 * shade), int(90 - 50 * shade), 40)
        return col
    c = Canvas(size, size, background)
    for y in range(size):
        for x in range(size):
            acc = [0, 0, 0]
            for sy in range(4):
                for sx in range(4):
                    col = colour_at(x + (sx + 0.5) / 4, y + (sy + 0.5) / 4)
                    for k in range(3):
                        acc[k] += col[k]
            c.px[y][x] = tuple(v // 16 for v in acc)
    return c


# ---------------------------------------------------------------- icon
def icon(size):
    c = Canvas(size, size, None)
    s = size / 32
    c.disc(16 * s, 16 * s, 15.5 * s, K)
    c.disc(16 * s, 16 * s, 14.5 * s, WHITE)
    c.disc(16 * s, 16 * s, 13 * s, SILVER)
    c.disc(16 * s, 16 * s, 11.5 * s, YELLOW)
    c.disc(16 * s, 16 * s, 6.5 * s, K)
    c.disc(16 * s, 16 * s, 5 * s, RED)
    return c


# ---------------------------------------------------------------- files
def bmp_rows_4bit(c):
    rows = []
    stride = ((c.w * 4 + 31) // 32) * 4
    for y in reversed(range(c.h)):
        row = bytearray()
        for x in range(0, c.w, 2):
            hi = c.px[y][x] or 0
            lo = (c.px[y][x + 1] or 0) if x + 1 < c.w else 0
            row.append((hi << 4) | lo)
        row += b"\0" * (stride - len(row))
        rows.append(bytes(row))
    return b"".join(rows)


def mask_rows(c):
    rows = []
    stride = ((c.w + 31) // 32) * 4
    for y in reversed(range(c.h)):
        row = bytearray(stride)
        for x in range(c.w):
            if c.px[y][x] is None:
                row[x // 8] |= 0x80 >> (x % 8)
        rows.append(bytes(row))
    return b"".join(rows)


def palette_bytes(pal):
    return b"".join(struct.pack("<BBBB", b, g, r, 0) for r, g, b in pal)


def info_header(w, h, bits, ncolours, image_size):
    return struct.pack("<IiiHHIIiiII", 40, w, h, 1, bits, 0, image_size, 2835, 2835, ncolours, 0)


def write_bmp(path, header_and_pal, pixels):
    offset = 14 + len(header_and_pal)
    with open(path, "wb") as f:
        f.write(b"BM" + struct.pack("<IHHI", offset + len(pixels), 0, 0, offset))
        f.write(header_and_pal + pixels)


def write_4bit_bmp(path, c):
    pixels = bmp_rows_4bit(c)
    write_bmp(path, info_header(c.w, c.h, 4, 16, len(pixels)) + palette_bytes(VGA), pixels)


def write_8bit_bmp(path, c):
    colours = sorted({c.px[y][x] for y in range(c.h) for x in range(c.w)})
    if len(colours) > 256:
        step = 4
        while True:
            q = lambda col: tuple(min(255, (v // step) * step + step // 2) for v in col)
            if len({q(col) for col in colours}) <= 256:
                break
            step *= 2
        # keep the background exact so the 3D colour mapping still finds it
        keep = {(192, 192, 192)}
        for y in range(c.h):
            for x in range(c.w):
                if c.px[y][x] not in keep:
                    c.px[y][x] = q(c.px[y][x])
        colours = sorted({c.px[y][x] for y in range(c.h) for x in range(c.w)})
    index = {col: i for i, col in enumerate(colours)}
    stride = ((c.w + 3) // 4) * 4
    pixels = b"".join(bytes(index[c.px[y][x]] for x in range(c.w)) + b"\0" * (stride - c.w)
                      for y in reversed(range(c.h)))
    write_bmp(path, info_header(c.w, c.h, 8, len(colours), len(pixels)) + palette_bytes(colours), pixels)


def write_ico(path, canvases):
    images = []
    for c in canvases:
        xor = bmp_rows_4bit(c)
        mask = mask_rows(c)
        images.append(info_header(c.w, c.h * 2, 4, 16, len(xor) + len(mask))
                      + palette_bytes(VGA) + xor + mask)
    with open(path, "wb") as f:
        f.write(struct.pack("<HHH", 0, 1, len(images)))
        offset = 6 + 16 * len(images)
        for c, data in zip(canvases, images):
            f.write(struct.pack("<BBBBHHII", c.w, c.h, 16, 0, 1, 4, len(data), offset))
            offset += len(data)
        for data in images:
            f.write(data)


if __name__ == "__main__":
    os.makedirs(OUT, exist_ok=True)
    write_4bit_bmp(os.path.join(OUT, "toolbar.bmp"), toolbar())
    write_8bit_bmp(os.path.join(OUT, "logo.bmp"), logo())
    write_ico(os.path.join(OUT, "varmelin.ico"), [icon(32), icon(16)])

#!/usr/bin/env python3
"""Draws Tavelin's icon and hand cursor and writes them as .ico and .cur.

The outputs are committed, so a build needs no Python; run this again only
after changing a picture:  python3 resources/draw_images.py

The icon: a blue rounded square with three white bars growing downwards
(short to long: sorted ascending). Eight images, as the icon group needs
them: 32x32 and 16x16 at 8 and at 24 bits, and 256, 48, 32 and 16 at 32 bits
(the 256 one stored as PNG, as Windows expects for that size).
The cursor: a 32x32 black-and-white pointing hand, hot spot on the
fingertip at (6, 1).
"""

import os
import struct
import zlib

HERE = os.path.dirname(os.path.abspath(__file__))

BLUE = (0x1F, 0x5F, 0xC8)
WHITE = (0xFF, 0xFF, 0xFF)


# ---- the icon picture -------------------------------------------------------

def inside_rounded_square(x, y, size):
    """True when the point (in pixels, fractional) lies on the blue tile."""
    margin = size / 16
    radius = size * 3 / 16
    lo, hi = margin, size - margin
    if x < lo or x > hi or y < lo or y > hi:
        return False
    cx = min(max(x, lo + radius), hi - radius)
    cy = min(max(y, lo + radius), hi - radius)
    return (x - cx) ** 2 + (y - cy) ** 2 <= radius ** 2


def on_bar(x, y, size):
    """True when the point lies on one of the three white bars."""
    left = size * 4 / 16
    height = size * 2 / 16
    for top, length in ((4, 4), (7, 6), (10, 8)):
        t = size * top / 16
        if t <= y < t + height and left <= x < left + size * length / 16:
            return True
    return False


def sample(size, px, py, grid):
    """Coverage of the tile and of the bars within one pixel (0..1 each)."""
    tile = bars = 0
    for i in range(grid):
        for j in range(grid):
            x = px + (i + 0.5) / grid
            y = py + (j + 0.5) / grid
            if inside_rounded_square(x, y, size):
                tile += 1
                if on_bar(x, y, size):
                    bars += 1
    n = grid * grid
    return tile / n, bars / n


def icon_pixels(size, smooth):
    """Rows top to bottom of (r, g, b, a) pixels."""
    grid = 4 if smooth else 1
    rows = []
    for py in range(size):
        row = []
        for px in range(size):
            tile, bars = sample(size, px, py, grid)
            if tile == 0:
                row.append((0, 0, 0, 0))
                continue
            white = bars / tile
            rgb = tuple(round(b + (w - b) * white) for b, w in zip(BLUE, WHITE))
            row.append(rgb + (round(255 * tile),))
        rows.append(row)
    return rows


# ---- image encodings ----------------------------------------------------------

def padded(row_bytes):
    return row_bytes + b"\0" * (-len(row_bytes) % 4)


def and_mask(rows):
    """1 bit per pixel, bottom-up: 1 where the pixel is transparent."""
    out = b""
    for row in reversed(rows):
        bits = bytearray((len(row) + 7) // 8)
        for x, p in enumerate(row):
            if p[3] < 128:
                bits[x // 8] |= 0x80 >> (x % 8)
        out += padded(bytes(bits))
    return out


def bitmap_header(size, bit_count, colours=0):
    return struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, bit_count, 0, 0, 0, 0, colours, 0)


def dib_32(rows):
    size = len(rows)
    body = b"".join(bytes((b, g, r, a)) for row in reversed(rows) for (r, g, b, a) in row)
    return bitmap_header(size, 32) + body + and_mask(rows)


def dib_24(rows):
    size = len(rows)
    body = b""
    for row in reversed(rows):
        body += padded(b"".join(bytes((b, g, r)) if a >= 128 else b"\0\0\0" for (r, g, b, a) in row))
    return bitmap_header(size, 24) + body + and_mask(rows)


def dib_8(rows):
    size = len(rows)
    palette = [(0, 0, 0)]
    index = {(0, 0, 0): 0}
    body = b""
    for row in reversed(rows):
        line = bytearray()
        for (r, g, b, a) in row:
            colour = (r, g, b) if a >= 128 else (0, 0, 0)
            if colour not in index:
                index[colour] = len(palette)
                palette.append(colour)
            line.append(index[colour])
        body += padded(bytes(line))
    assert len(palette) <= 256
    table = b"".join(bytes((b, g, r, 0)) for (r, g, b) in palette) + b"\0" * 4 * (256 - len(palette))
    return bitmap_header(size, 8, 256) + table + body + and_mask(rows)


def png(rows):
    size = len(rows)
    raw = b"".join(b"\0" + bytes(c for p in row for c in p) for row in rows)

    def chunk(kind, data):
        return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data))

    return (b"\x89PNG\r\n\x1a\n"
            + chunk(b"IHDR", struct.pack(">IIBBBBB", size, size, 8, 6, 0, 0, 0))
            + chunk(b"IDAT", zlib.compress(raw, 9))
            + chunk(b"IEND", b""))


def directory(kind, entries):
    """An .ico (kind 1) or .cur (kind 2) file from (header fields, data) pairs."""
    out = struct.pack("<HHH", 0, kind, len(entries))
    offset = 6 + 16 * len(entries)
    blobs = b""
    for (width, colours, field1, field2), data in entries:
        out += struct.pack("<BBBBHHII", width % 256, width % 256, colours, 0, field1, field2, len(data), offset)
        offset += len(data)
        blobs += data
    return out + blobs


def icon_file():
    images = []
    for size, bits in ((32, 8), (16, 8), (32, 24), (16, 24), (256, 32), (48, 32), (32, 32), (16, 32)):
        rows = icon_pixels(size, smooth=bits == 32)
        data = {8: dib_8, 24: dib_24, 32: png if size == 256 else dib_32}[bits](rows)
        images.append(((size, 0, 1, bits), data))
    return directory(1, images)


# ---- the hand cursor ------------------------------------------------------------

HAND = """
................
.....BB.........
....BWWB........
....BWWB........
....BWWB........
....BWWB........
....BWWBBB......
....BWWBWWBBB...
....BWWBWWBWWBB.
.BB.BWWBWWBWWBWB
BWWBBWWWWWWWWBWB
BWWWBWWWWWWWWWWB
.BWWBWWWWWWWWWWB
..BWWWWWWWWWWWWB
..BWWWWWWWWWWWWB
...BWWWWWWWWWWWB
...BWWWWWWWWWWB.
....BWWWWWWWWWB.
....BWWWWWWWWWB.
.....BWWWWWWWB..
.....BWWWWWWWB..
.....BBBBBBBBB..
"""

HOT_SPOT = (6, 1)


def cursor_file():
    size = 32
    art = HAND.strip("\n").split("\n")
    assert art[HOT_SPOT[1]][HOT_SPOT[0]] == "B", "the hot spot must be on the fingertip"
    art = [line.ljust(size, ".") for line in art] + ["." * size] * (size - len(art))
    xor_rows, and_rows = b"", b""
    for line in reversed(art):
        xor_bits, and_bits = bytearray(size // 8), bytearray(size // 8)
        for x, ch in enumerate(line):
            bit = 0x80 >> (x % 8)
            if ch == ".":
                and_bits[x // 8] |= bit      # transparent
            elif ch == "W":
                xor_bits[x // 8] |= bit      # white; black is both bits clear
        xor_rows += bytes(xor_bits)
        and_rows += bytes(and_bits)
    header = bitmap_header(size, 1, 2)
    palette = b"\0\0\0\0" + b"\xff\xff\xff\0"
    return directory(2, [((size, 2, HOT_SPOT[0], HOT_SPOT[1]), header + palette + xor_rows + and_rows)])


def main():
    with open(os.path.join(HERE, "tavelin.ico"), "wb") as f:
        f.write(icon_file())
    with open(os.path.join(HERE, "hand.cur"), "wb") as f:
        f.write(cursor_file())


if __name__ == "__main__":
    main()

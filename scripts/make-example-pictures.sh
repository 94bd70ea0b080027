#!/usr/bin/env bash
# Writes the example pictures in examples/pictures: BMP files of 1, 8 and 24
# bits per pixel drawn by a small Python program (no image tool needed).
# Usage: scripts/make-example-pictures.sh [folder]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
out=${1:-$root/examples/pictures}
mkdir -p "$out"
python3 - "$out" <<'PY'
import math, struct, sys

out = sys.argv[1]

def bmp(path, width, height, bits, pixels, palette):
    """pixels[y][x], top row first: palette indices, or (r, g, b) for 24 bits."""
    stride = (bits * width + 31) // 32 * 4
    rows = []
    for y in reversed(range(height)):  # bottom row first
        row = bytearray()
        if bits == 1:
            for x0 in range(0, width, 8):
                byte = 0
                for i in range(8):
                    if x0 + i < width and pixels[y][x0 + i]:
                        byte |= 0x80 >> i
                row.append(byte)
        elif bits == 8:
            row.extend(pixels[y])
        else:
            for r, g, b in pixels[y]:
                row.extend((b, g, r))
        row.extend(b"\0" * (stride - len(row)))
        rows.append(bytes(row))
    pal = b"".join(struct.pack("<BBBB", b, g, r, 0) for r, g, b in palette)
    offset = 54 + len(pal)
    image = b"".join(rows)
    head = struct.pack("<2sIHHI", b"BM", offset + len(image), 0, 0, offset)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, bits, 0, len(image), 2835, 2835,
                       len(palette), 0)
    with open(f"{out}/{path}", "wb") as f:
        f.write(head + info + pal + image)

# 1 bit, 26 x 16: an arrow pointing left (rows need padding).
w, h = 26, 16
arrow = [[0] * w for _ in range(h)]
for y in range(h):
    d = abs(y - 7.5)
    for x in range(w):
        head = x >= 2 + 2 * d and x < 12
        shaft = 5 <= y <= 10 and 10 <= x <= 23
        arrow[y][x] = 1 if head or shaft else 0
bmp("arrow-1bit.bmp", w, h, 1, arrow, [(0, 0, 0), (255, 176, 0)])

# 1 bit, 32 x 8: a chequered band (rows without padding).
w, h = 32, 8
band = [[((x // 4) + (y // 4)) % 2 for x in range(w)] for y in range(h)]
bmp("band-1bit-32.bmp", w, h, 1, band, [(0, 0, 0), (255, 255, 255)])

# 8 bits, 30 x 27: a warning triangle with "!" in amber shades.
w, h = 30, 27
tri = [[0] * w for _ in range(h)]
for y in range(h):
    half = (y + 1) * (w / 2) / h
    for x in range(w):
        dx = abs(x + 0.5 - w / 2)
        if dx <= half:
            edge = half - dx < 2.5 or y >= h - 3
            mark = dx < 1.6 and (4 <= y <= 16 or 19 <= y <= 21)
            tri[y][x] = 255 if edge or mark else 60 + 4 * y
bmp("caution-8bit.bmp", w, h, 8, tri, [(i, i * 176 // 255, 0) for i in range(256)])

# 24 bits, 22 x 22: a sun on a blue sky (3 x 22 = 66 bytes a row, padded to 68).
w, h = 22, 22
sun = []
for y in range(h):
    row = []
    for x in range(w):
        r = math.hypot(x - 10.5, y - 10.5)
        if r < 5:
            row.append((255, 220, 0))
        elif r < 9 and int(math.degrees(math.atan2(y - 10.5, x - 10.5)) + 360) % 45 < 12:
            row.append((255, 140, 0))
        else:
            row.append((0, 40 + 6 * y, 160))
    sun.append(row)
bmp("sun-24bit.bmp", w, h, 24, sun, [])
PY
ls -l "$out"

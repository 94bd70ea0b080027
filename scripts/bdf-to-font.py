#!/usr/bin/env python3
"""Converts a fixed-cell BDF bitmap font into an FNT or FNN sign font file.

Usage: bdf-to-font.py SOURCE.bdf OUTPUT.fnt|OUTPUT.fnn NUMBER [CHARSPACING LINESPACING]

Characters 1 to 255 of the BDF font (by encoding) go into cells of the
font's bounding-box height and width, on the font's baseline; code 0 stays
blank. An FNT file holds all 256 cells and no width table; an FNN file holds
one run per block of consecutive codes present in the BDF font.
"""
import struct
import sys


def read_bdf(path):
    font = {"chars": {}}
    with open(path, encoding="latin-1") as f:
        lines = iter(f.read().splitlines())
    for line in lines:
        words = line.split()
        if not words:
            continue
        if words[0] == "FONTBOUNDINGBOX":
            font["bbox"] = [int(v) for v in words[1:5]]
        elif words[0] == "FONT_ASCENT":
            font["ascent"] = int(words[1])
        elif words[0] == "FONT_DESCENT":
            font["descent"] = int(words[1])
        elif words[0] == "STARTCHAR":
            code, bbx, rows = -1, None, []
            for line in lines:
                words = line.split()
                if words[0] == "ENCODING":
                    code = int(words[1])
                elif words[0] == "BBX":
                    bbx = [int(v) for v in words[1:5]]
                elif words[0] == "BITMAP":
                    for line in lines:
                        if line.strip() == "ENDCHAR":
                            break
                        rows.append(line.strip())
                    break
            if 0 < code < 256:
                font["chars"][code] = (bbx, rows)
    return font


def cells_of(font):
    width, _, box_x, _ = font["bbox"]
    height = font["ascent"] + font["descent"]
    row_bytes = (width + 7) // 8
    cells = {}
    for code, (bbx, rows) in font["chars"].items():
        w, h, x_off, y_off = bbx
        cell = bytearray(height * row_bytes)
        top = font["ascent"] - (y_off + h)
        for r, text in enumerate(rows):
            bits = int(text, 16) if text else 0
            nbits = len(text) * 4
            y = top + r
            if not 0 <= y < height:
                continue
            for x in range(w):
                if bits >> (nbits - 1 - x) & 1:
                    cx = x + x_off - box_x
                    if 0 <= cx < width:
                        cell[y * row_bytes + cx // 8] |= 0x80 >> (cx % 8)
        cells[code] = bytes(cell)
    return width, height, row_bytes, cells


def fnt_file(width, height, row_bytes, cells, number, char_spacing, line_spacing):
    blank = bytes(height * row_bytes)
    body = b"".join(cells.get(c, blank) if c else blank for c in range(256))
    trailer = bytearray(64)
    trailer[0:5] = b"\x04FONT"
    struct.pack_into("<Q", trailer, 8, TIME_STAMP)
    struct.pack_into("<IIII", trailer, 16, width, height, row_bytes, 255 * height * row_bytes + 64)
    trailer[40:44] = b"LLIB"
    struct.pack_into("<I", trailer, 44, number)
    trailer[49] = char_spacing
    trailer[50] = line_spacing
    return body + bytes(trailer)


def fnn_file(width, height, row_bytes, cells, number, char_spacing, line_spacing):
    runs, codes = [], sorted(cells)
    for code in codes:
        if runs and runs[-1][-1] + 1 == code:
            runs[-1].append(code)
        else:
            runs.append([code])
    header = bytearray(52)
    struct.pack_into("<III", header, 0, 0, 52, len(runs))
    struct.pack_into("<IIII", header, 24, width, height, row_bytes, number)
    header[40] = char_spacing
    header[41] = line_spacing
    table, data = bytearray(), bytearray()
    base = 52 + 28 * len(runs)
    for run in runs:
        start = base + len(data)
        data += b"".join(cells[c] for c in run)
        record = bytearray(28)
        struct.pack_into("<III", record, 4, start, base + len(data), run[0])
        table += record
    return bytes(header + table + data)


# A fixed creation time keeps the files the same from run to run.
TIME_STAMP = 1767225600


def main(argv):
    if len(argv) not in (4, 6):
        sys.exit(__doc__)
    source, output, number = argv[1], argv[2], int(argv[3])
    char_spacing, line_spacing = (int(argv[4]), int(argv[5])) if len(argv) == 6 else (1, 2)
    width, height, row_bytes, cells = cells_of(read_bdf(source))
    make = fnn_file if output.lower().endswith(".fnn") else fnt_file
    with open(output, "wb") as f:
        f.write(make(width, height, row_bytes, cells, number, char_spacing, line_spacing))


if __name__ == "__main__":
    main(sys.argv)

#!/usr/bin/env python3
"""Turns the text pixel maps of resources/pixmaps into the program's .ico and .bmp files.

Usage: make-resources.py PIXMAP_DIR OUTPUT_DIR

An icon map (NAME.txt) holds optional "sizes: 16 32" (default both) and the line "16:"
followed by 16 rows of 16 characters; a "32:" section of 32 rows may follow, otherwise the
32 x 32 image is the 16 x 16 one scaled up. Characters are looked up in palette.txt.
A bitmap map (NAME.bmp.txt) holds "colors: C0 C1" (two hex RGB entries of a 2-colour
bitmap) and rows of "." (entry 0) and "#" (entry 1).
Only the standard library is used, and the output depends on nothing but the maps.
"""
import os
import struct
import sys


def read_palette(path):
    """The legend: character -> colour-table index (None for transparent) and the table."""
    legend = {}
    table = []
    for line in open(path, encoding="utf-8"):
        line = line.rstrip("\n")
        if not line or line.startswith("#"):
            continue
        char, rgb = line[0], line[2:8]
        if char == ".":
            legend[char] = None  # masked; its colour bits are entry 0
            continue
        legend[char] = len(table)
        table.append(tuple(int(rgb[i:i + 2], 16) for i in (0, 2, 4)))
    if len(table) != 16:
        raise SystemExit("%s: a 16-colour palette needs 16 entries" % path)
    return legend, table


def meaningful_lines(path):
    for line in open(path, encoding="utf-8"):
        line = line.rstrip("\n")
        if line.startswith("#") or not line.strip():
            continue
        yield line


def read_icon_map(path):
    sizes = [16, 32]
    sections = {}
    current = None
    for line in meaningful_lines(path):
        if line.startswith("sizes:"):
            sizes = [int(x) for x in line[6:].split()]
        elif line.rstrip().endswith(":") and line.rstrip()[:-1].isdigit():
            current = int(line.rstrip()[:-1])
            sections[current] = []
        elif current is not None:
            sections[current].append(line)
    for size, rows in sections.items():
        if len(rows) != size or any(len(row) != size for row in rows):
            raise SystemExit("%s: the %d section is not %d x %d" % (path, size, size, size))
    if 16 not in sections:
        raise SystemExit("%s: no 16 section" % path)
    if 32 not in sections:
        sections[32] = ["".join(ch * 2 for ch in row) for row in sections[16] for _ in (0, 1)]
    return sizes, sections


def icon_image(rows, legend, table):
    """One ICO image: BITMAPINFOHEADER, 16-colour table, XOR bits (4 bpp), AND mask."""
    size = len(rows)
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 4, 0, 0, 0, 0, 16, 0)
    palette = b"".join(struct.pack("<BBBB", b, g, r, 0) for (r, g, b) in table)
    xor_stride = (size * 4 + 31) // 32 * 4
    and_stride = (size + 31) // 32 * 4
    xor = bytearray()
    mask = bytearray()
    for row in reversed(rows):  # bottom-up
        line = bytearray(xor_stride)
        bits = bytearray(and_stride)
        for x, char in enumerate(row):
            if char not in legend:
                raise SystemExit("unknown pixel character %r" % char)
            index = legend[char]
            if index is None:
                bits[x // 8] |= 0x80 >> (x % 8)
                index = 0
            line[x // 2] |= index << (4 if x % 2 == 0 else 0)
        xor += line
        mask += bits
    return header + palette + bytes(xor) + bytes(mask)


def write_icon(path, images):
    directory = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    entries = b""
    for size, data in images:
        entries += struct.pack("<BBBBHHII", size % 256, size % 256, 16, 0, 1, 4, len(data), offset)
        offset += len(data)
    with open(path, "wb") as out:
        out.write(directory + entries + b"".join(data for _, data in images))


def make_icon(source, target, legend, table):
    sizes, sections = read_icon_map(source)
    images = [(size, icon_image(sections[size], legend, table)) for size in sorted(sizes)]
    write_icon(target, images)


def make_bitmap(source, target):
    colours = None
    rows = []
    for line in meaningful_lines(source):
        if line.startswith("colors:"):
            colours = [tuple(int(c[i:i + 2], 16) for i in (0, 2, 4)) for c in line[7:].split()]
        else:
            rows.append(line)
    width = len(rows[0])
    if colours is None or len(colours) != 2 or any(len(row) != width for row in rows):
        raise SystemExit("%s: needs 'colors:' with two entries and rows of equal width" % source)
    stride = (width + 31) // 32 * 4
    bits = bytearray()
    for row in reversed(rows):
        line = bytearray(stride)
        for x, char in enumerate(row):
            if char == "#":
                line[x // 8] |= 0x80 >> (x % 8)
            elif char != ".":
                raise SystemExit("%s: unknown pixel character %r" % (source, char))
        bits += line
    info = struct.pack("<IiiHHIIiiII", 40, width, len(rows), 1, 1, 0, len(bits), 2835, 2835, 2, 2)
    palette = b"".join(struct.pack("<BBBB", b, g, r, 0) for (r, g, b) in colours)
    offset = 14 + len(info) + len(palette)
    file_header = struct.pack("<2sIHHI", b"BM", offset + len(bits), 0, 0, offset)
    with open(target, "wb") as out:
        out.write(file_header + info + palette + bytes(bits))


def main():
    if len(sys.argv) != 3:
        raise SystemExit(__doc__)
    source_dir, output_dir = sys.argv[1], sys.argv[2]
    os.makedirs(output_dir, exist_ok=True)
    legend, table = read_palette(os.path.join(source_dir, "palette.txt"))
    for name in sorted(os.listdir(source_dir)):
        source = os.path.join(source_dir, name)
        if name.endswith(".bmp.txt"):
            make_bitmap(source, os.path.join(output_dir, name[:-4]))
        elif name.endswith(".txt") and name != "palette.txt":
            make_icon(source, os.path.join(output_dir, name[:-4] + ".ico"), legend, table)


if __name__ == "__main__":
    main()

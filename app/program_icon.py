#!/usr/bin/env python3
"""Build step: the program's XPM icon as a Windows .ico (one 32-bit image) or
as a PNG, enlarged by whole pixels for the browser's home screens.

    program_icon.py ico kestal.xpm kestal.ico
    program_icon.py png SIZE kestal.xpm icon.png
"""
import re
import struct
import sys
import zlib


def read_xpm(path):
    strings = re.findall(r'"((?:[^"\\]|\\.)*)"', open(path, encoding="ascii").read())
    width, height, colours, per_pixel = (int(n) for n in strings[0].split()[:4])
    palette = {}
    for line in strings[1:1 + colours]:
        key, value = line[:per_pixel], line[per_pixel:].split()
        colour = value[value.index("c") + 1]
        if colour.lower() == "none":
            palette[key] = (0, 0, 0, 0)
        else:
            rgb = int(colour.lstrip("#"), 16)
            palette[key] = (rgb >> 16 & 255, rgb >> 8 & 255, rgb & 255, 255)
    rows = strings[1 + colours:1 + colours + height]
    if len(rows) != height or any(len(row) != width * per_pixel for row in rows):
        sys.exit(f"program_icon: {path} is not a {width}x{height} picture")
    pixels = [[palette[row[x:x + per_pixel]] for x in range(0, len(row), per_pixel)]
              for row in rows]
    return width, height, pixels


def ico(width, height, pixels):
    # A DIB without its file header, twice as high for the AND mask that
    # follows the colours; rows from the bottom up.
    colours = b"".join(struct.pack("<4B", b, g, r, a)
                       for row in reversed(pixels) for (r, g, b, a) in row)
    mask_row = ((width + 31) // 32) * 4
    mask = b"".join(
        bytes(sum(0x80 >> bit for bit in range(8)
                  if x * 8 + bit < width and row[x * 8 + bit][3] == 0)
              for x in range(mask_row))
        for row in reversed(pixels))
    header = struct.pack("<IiiHHIIiiII", 40, width, height * 2, 1, 32, 0,
                         len(colours) + len(mask), 0, 0, 0, 0)
    image = header + colours + mask
    directory = struct.pack("<HHH", 0, 1, 1) + struct.pack(
        "<BBBBHHII", width % 256, height % 256, 0, 0, 1, 32, len(image), 6 + 16)
    return directory + image


def png(size, width, height, pixels):
    # Each pixel repeated into a square, so the hammer stays sharp.
    if size % width or size % height:
        sys.exit(f"program_icon: {size} is not a multiple of {width}x{height}")
    rows = []
    for y in range(size):
        row = pixels[y * height // size]
        rows.append(b"\0" + b"".join(bytes(row[x * width // size]) for x in range(size)))

    def chunk(kind, data):
        return (struct.pack(">I", len(data)) + kind + data +
                struct.pack(">I", zlib.crc32(kind + data)))
    header = struct.pack(">IIBBBBB", size, size, 8, 6, 0, 0, 0)  # 8-bit RGBA
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) +
            chunk(b"IDAT", zlib.compress(b"".join(rows), 9)) + chunk(b"IEND", b""))


if __name__ == "__main__":
    if len(sys.argv) == 4 and sys.argv[1] == "ico":
        data = ico(*read_xpm(sys.argv[2]))
    elif len(sys.argv) == 5 and sys.argv[1] == "png":
        data = png(int(sys.argv[2]), *read_xpm(sys.argv[3]))
    else:
        sys.exit("usage: program_icon.py ico INPUT.xpm OUTPUT.ico\n"
                 "       program_icon.py png SIZE INPUT.xpm OUTPUT.png")
    with open(sys.argv[-1], "wb") as out:
        out.write(data)

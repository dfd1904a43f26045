#!/usr/bin/env python3
"""Build step: the program's XPM icon as a Windows .ico, drawn at each size
Windows shows (so that Explorer, the taskbar and the Start menu never scale
it), or as a PNG of one size for the browser's home screens.

    program_icon.py ico kestal.xpm kestal.ico
    program_icon.py png SIZE kestal.xpm icon.png
"""
import re
import struct
import sys
import zlib

# 16 to 48: lists and the taskbar at 100 to 300 %; 64 and 256: large icons.
ICO_SIZES = (16, 20, 24, 32, 40, 48, 64, 256)


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


def drawn(size, width, height, pixels):
    """The picture at size x size: each pixel takes the colour at its centre
    in the picture, so every row and column is one of the picture's, the
    hammer keeps its flat colours and straight edges, and whole multiples
    simply repeat each pixel."""
    return [[pixels[(2 * y + 1) * height // (2 * size)][(2 * x + 1) * width // (2 * size)]
             for x in range(size)] for y in range(size)]


def png(size, width, height, pixels):
    picture = drawn(size, width, height, pixels)
    rows = b"".join(b"\0" + b"".join(bytes(colour) for colour in row) for row in picture)

    def chunk(kind, data):
        return (struct.pack(">I", len(data)) + kind + data +
                struct.pack(">I", zlib.crc32(kind + data)))
    header = struct.pack(">IIBBBBB", size, size, 8, 6, 0, 0, 0)  # 8-bit RGBA
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) +
            chunk(b"IDAT", zlib.compress(rows, 9)) + chunk(b"IEND", b""))


def dib(size, width, height, pixels):
    # A DIB without its file header, twice as high for the AND mask that
    # follows the colours; rows from the bottom up.
    picture = drawn(size, width, height, pixels)
    colours = b"".join(struct.pack("<4B", b, g, r, a)
                       for row in reversed(picture) for (r, g, b, a) in row)
    mask_row = ((size + 31) // 32) * 4
    mask = b"".join(
        bytes(sum(0x80 >> bit for bit in range(8)
                  if x * 8 + bit < size and row[x * 8 + bit][3] == 0)
              for x in range(mask_row))
        for row in reversed(picture))
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0,
                         len(colours) + len(mask), 0, 0, 0, 0)
    return header + colours + mask


def ico(width, height, pixels):
    # The 256 one as a PNG, as Windows takes it since Vista: a quarter of a
    # megabyte less in the program.
    images = [png(size, width, height, pixels) if size == 256 else
              dib(size, width, height, pixels) for size in ICO_SIZES]
    offset = 6 + 16 * len(images)
    directory = struct.pack("<HHH", 0, 1, len(images))
    for size, image in zip(ICO_SIZES, images):
        directory += struct.pack("<BBBBHHII", size % 256, size % 256, 0, 0, 1, 32, len(image),
                                 offset)
        offset += len(image)
    return directory + b"".join(images)


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

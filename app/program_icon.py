#!/usr/bin/env python3
"""Build step: the program's XPM icon as a Windows .ico, one 32-bit image.

    xpm_to_ico.py kestal.xpm kestal.ico
"""
import re
import struct
import sys


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
        sys.exit(f"xpm_to_ico: {path} is not a {width}x{height} picture")
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


if __name__ == "__main__":
    if len(sys.argv) != 3:
        sys.exit("usage: xpm_to_ico.py INPUT.xpm OUTPUT.ico")
    with open(sys.argv[2], "wb") as out:
        out.write(ico(*read_xpm(sys.argv[1])))

#!/usr/bin/env bash
# Runs kestal-screenshots into a fresh temporary directory and checks the
# pictures it draws: the main window at 292x493 and the help window at 304x269,
# each with real content (black text, the blue credit line, the red hint on
# the main window, many colours).
# The pictures committed in doc/screenshots/ must have the same sizes, so that
# a change of layout that forgets scripts/screenshots is caught. Nothing is
# written into the repository.
#   screenshots_test.sh PATH/TO/kestal-screenshots REPO_ROOT
set -euo pipefail

if (($# != 2)); then
    echo "usage: screenshots_test.sh PATH/TO/kestal-screenshots REPO_ROOT" >&2
    exit 2
fi
program=$1
repo=$(realpath -- "$2")
if [[ ! -x "$program" ]]; then
    echo "FAIL: $program is not an executable" >&2
    exit 1
fi
if ! command -v python3 >/dev/null; then
    echo "FAIL: python3 is missing" >&2
    exit 1
fi

work=$(realpath -- "$(mktemp -d)")
trap 'rm -rf "$work"' EXIT
case "$work/" in
    "$repo"/*)
        echo "FAIL: the temporary directory $work lies inside the repository" >&2
        exit 1
        ;;
esac
mkdir -m 700 "$work/runtime"

# A directory that does not exist yet: the program creates it.
if ! XDG_RUNTIME_DIR="$work/runtime" QT_QPA_PLATFORM=offscreen "$program" "$work/out"; then
    echo "FAIL: $program exited with an error" >&2
    exit 1
fi

python3 - "$work/out" "$repo/doc/screenshots" <<'PY'
import os
import struct
import sys
import zlib

fresh_dir, committed_dir = sys.argv[1], sys.argv[2]
EXPECTED_SIZES = {"form1.png": (292, 493), "form2.png": (304, 269)}
failures = []


def check(condition, message):
    if not condition:
        failures.append(message)


def chunks(data, path):
    if data[:8] != b"\x89PNG\r\n\x1a\n":
        raise ValueError("%s is not a PNG file" % path)
    position = 8
    while position + 12 <= len(data):
        length = struct.unpack_from(">I", data, position)[0]
        kind = data[position + 4:position + 8]
        yield kind, data[position + 8:position + 8 + length]
        position += 12 + length


def size_of(path):
    """Width and height from the IHDR chunk, bytes 16 to 24 of the file."""
    data = open(path, "rb").read()
    if data[:8] != b"\x89PNG\r\n\x1a\n" or data[12:16] != b"IHDR":
        raise ValueError("%s is not a PNG file" % path)
    return struct.unpack_from(">II", data, 16)


def pixels(path):
    """Every pixel as an (r, g, b) tuple, for 8-bit RGB or RGBA pictures."""
    data = open(path, "rb").read()
    header = None
    compressed = b""
    for kind, body in chunks(data, path):
        if kind == b"IHDR":
            header = struct.unpack(">IIBBBBB", body)
        elif kind == b"IDAT":
            compressed += body
    width, height, depth, colour, _, _, interlace = header
    if depth != 8 or colour not in (2, 6) or interlace != 0:
        raise ValueError("%s: depth %d, colour type %d, interlace %d not handled"
                         % (path, depth, colour, interlace))
    step = 3 if colour == 2 else 4
    stride = width * step
    raw = zlib.decompress(compressed)
    if len(raw) != height * (stride + 1):
        raise ValueError("%s: %d bytes of image data, not %d"
                         % (path, len(raw), height * (stride + 1)))
    rows = []
    previous = bytearray(stride)
    for y in range(height):
        kind = raw[y * (stride + 1)]
        line = bytearray(raw[y * (stride + 1) + 1:(y + 1) * (stride + 1)])
        for x in range(stride):
            left = line[x - step] if x >= step else 0
            up = previous[x]
            corner = previous[x - step] if x >= step else 0
            if kind == 1:
                line[x] = (line[x] + left) & 0xFF
            elif kind == 2:
                line[x] = (line[x] + up) & 0xFF
            elif kind == 3:
                line[x] = (line[x] + (left + up) // 2) & 0xFF
            elif kind == 4:
                estimate = left + up - corner
                pa, pb, pc = abs(estimate - left), abs(estimate - up), abs(estimate - corner)
                nearest = left if pa <= pb and pa <= pc else (up if pb <= pc else corner)
                line[x] = (line[x] + nearest) & 0xFF
            elif kind != 0:
                raise ValueError("%s: unknown filter %d on row %d" % (path, kind, y))
        rows.append(line)
        previous = line
    return [tuple(row[x:x + 3]) for row in rows for x in range(0, stride, step)]


def reddish(p):
    return p[0] >= 180 and p[1] <= 80 and p[2] <= 80


def bluish(p):
    return p[2] >= 140 and p[0] <= 80 and p[1] <= 80


def dark(p):
    return max(p) <= 40


for name, expected in EXPECTED_SIZES.items():
    fresh = os.path.join(fresh_dir, name)
    committed = os.path.join(committed_dir, name)
    if not os.path.isfile(fresh):
        failures.append("kestal-screenshots wrote no %s" % name)
    else:
        try:
            size = size_of(fresh)
            check(size == expected, "fresh %s is %dx%d, not %dx%d" % ((name,) + size + expected))
            image = pixels(fresh)
            colours = {}
            for p in image:
                colours[p] = colours.get(p, 0) + 1
            commonest = max(colours.values())
            check(len(colours) >= 16,
                  "fresh %s has only %d colours: blank or nearly" % (name, len(colours)))
            check(commonest <= 0.95 * len(image),
                  "fresh %s is %d%% one colour: blank or nearly"
                  % (name, 100 * commonest // len(image)))
            check(sum(1 for p in image if dark(p)) >= 200,
                  "fresh %s shows no black text" % name)
            check(sum(1 for p in image if bluish(p)) >= 100,
                  "fresh %s shows no blue credit line" % name)
            if name == "form1.png":
                check(sum(1 for p in image if reddish(p)) >= 100,
                      "fresh %s shows no red hint" % name)
        except (ValueError, zlib.error, TypeError, struct.error) as error:
            failures.append(str(error))
    if not os.path.isfile(committed):
        failures.append("%s is missing: run scripts/screenshots" % committed)
    else:
        try:
            size = size_of(committed)
            check(size == expected,
                  "%s is %dx%d, not %dx%d: run scripts/screenshots"
                  % ((committed,) + size + expected))
        except (ValueError, struct.error) as error:
            failures.append(str(error))

for message in failures:
    print("FAIL: " + message, file=sys.stderr)
if failures:
    sys.exit(1)
print("screenshots: form1.png 292x493 and form2.png 304x269, fresh and committed")
PY

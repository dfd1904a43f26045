#!/usr/bin/env bash
# kestal.exe as a Windows user gets it: first the files themselves (system
# DLLs only, the version record of both programs, the icon drawn at each size
# Windows shows, the manifest, their size), then the program driven by
# driver.exe under Wine, with Common Controls 6 as its manifest asks, in a
# throw-away prefix with French regional settings on a virtual X server.
#   wine_test.sh DRIVER.exe KESTAL.exe VERSION CONVERSIONS.txt KESTAL-CONVERT.exe KESTAL.ico
set -euo pipefail
driver=$1
exe=$2
version=$3
conversions=$4
converter=$5
icon=$6
here=$(dirname "$0")
fail() { echo "wine_test: $*" >&2; exit 1; }

# stands_alone EXE MAX_BYTES: only DLLs that every Windows has, and no bigger than MAX_BYTES.
stands_alone() {
    local imports others size
    imports=$(x86_64-w64-mingw32-objdump -p "$1" | sed -n 's/^\s*DLL Name: //p')
    others=$(grep -viE '^(kernel32|user32|gdi32|comctl32|advapi32|ole32|msvcrt|api-ms-win-crt-[a-z0-9-]+)\.dll$' \
        <<<"$imports" || true)
    [[ -n "$imports" && -z "$others" ]] || fail "$1 imports '$others', which not every Windows has"
    size=$(stat -c %s "$1")
    ((size <= $2)) || fail "$1 is $size bytes, over $2"
    echo "wine_test: $(basename "$1") is $size bytes and imports" $imports
}
stands_alone "$exe" $((1024 * 1024))
stands_alone "$converter" $((1024 * 1024))

# The version record of each: French (France) throughout, so that Windows
# shows it, the build's version, the publisher with its accent, its own names.
# kestal.exe last: the icon and manifest checks below read its resources.
IFS=. read -r major minor <<<"$version"
for program in "$converter" "$exe"; do
    name=$(basename "$program" .exe)
    resources=$(x86_64-w64-mingw32-windres -i "$program" -O rc)
    for line in "LANGUAGE 12, 1" 'BLOCK "040C04B0"' 'VALUE "Translation", 0x40c, 1200' \
        "FILEVERSION $((10#$major)), $((10#$minor)), 0, 0" "PRODUCTVERSION $((10#$major)), $((10#$minor)), 0, 0" \
        "VALUE \"FileVersion\", \"$version\"" "VALUE \"ProductVersion\", \"$version\"" \
        'VALUE "CompanyName", L"\311quipe Kestal"' 'VALUE "ProductName", "Kestal"' \
        "VALUE \"OriginalFilename\", \"$name.exe\"" "VALUE \"InternalName\", \"$name\""; do
        grep -qF -- "$line" <<<"$resources" || fail "no '$line' in the version record of $name"
    done
    grep -qE 'VALUE "FileDescription", L?"[^"]+"' <<<"$resources" || fail "$name has no description"
    grep -qE 'VALUE "LegalCopyright", L?"[^"]+"' <<<"$resources" || fail "$name has no copyright"
done

# The icon at each size Explorer, the taskbar and the Start menu show, so that
# none is scaled: each in kestal.exe, and each the hammer of the 32x32 one.
sizes=(16 20 24 32 40 48 64 256)
for size in "${sizes[@]}"; do
    octal=$(printf '\\%03o' $((size % 256)))
    grep -qF "\"$octal$octal\\000\\000\", 1, 32" <<<"$resources" || fail "no ${size}x$size icon in $exe"
done
/usr/bin/python3 - "$icon" "${sizes[@]}" <<'EOF_ICON' || fail "$icon is not the hammer at every size"
import struct, sys, zlib
data = open(sys.argv[1], "rb").read()
wanted = sorted(int(size) for size in sys.argv[2:])
found = []
for n in range(struct.unpack_from("<H", data, 4)[0]):
    width, _, _, _, _, _, length, offset = struct.unpack_from("<BBBBHHII", data, 6 + 16 * n)
    size, image = width or 256, data[offset:offset + length]
    found.append(size)
    if image.startswith(b"\x89PNG"):  # RGBA rows, each after its filter byte
        chunks, at = b"", 8
        while at < len(image):
            length, kind = struct.unpack_from(">I4s", image, at)
            chunks += image[at + 8:at + 8 + length] if kind == b"IDAT" else b""
            at += 12 + length
        rows = zlib.decompress(chunks)
        stride = 1 + 4 * size
        assert all(rows[y * stride] == 0 for y in range(size)), "a filtered PNG row"
        pixel = lambda x, y: tuple(rows[y * stride + 1 + 4 * x:y * stride + 4 + 4 * x])
    else:  # BGRA rows from the bottom up, after the 40-byte header
        def pixel(x, y):
            at = 40 + 4 * ((size - 1 - y) * size + x)
            return tuple(reversed(image[at:at + 3]))
    # Points of the 32x32 drawing: teal ground, black head, dark red handle.
    at = lambda x, y: pixel(x * size // 32, y * size // 32)
    dark_red = lambda rgb: rgb[1] == rgb[2] == 0 and 0x60 <= rgb[0] <= 0x90
    for x, y, what, ok in ((0, 0, "teal corner", lambda rgb: rgb == (0, 0x88, 0x88)),
                           (21, 8, "teal above the handle", lambda rgb: rgb == (0, 0x88, 0x88)),
                           (7, 16, "black head", lambda rgb: rgb == (0, 0, 0)),
                           (21, 16, "dark red handle", dark_red)):
        if not ok(at(x, y)):
            sys.exit(f"{size}x{size}: no {what} at ({x}, {y})/32: {at(x, y)}")
if sorted(found) != wanted:
    sys.exit(f"sizes {sorted(found)}, not {wanted}")
EOF_ICON
for line in '<dpiAware' 'name=""Microsoft.Windows.Common-Controls"" version=""6.0.0.0""' '<supportedOS'; do
    grep -qF "$line" <<<"$resources" || fail "no '$line' in the manifest of $exe"
done

source "$here/wine_session.sh"
trap wine_session_stop EXIT
# 120 dots per inch, where twips are not 15 to a pixel.
wine_session_start 120
# The loader's trace names each DLL as it is loaded: kestal.exe's comctl32 must
# be the side-by-side one of Common Controls 6, under which the driver then
# checks the tab order, colours, high-contrast colours and figures.
WINEDEBUG=+loaddll timeout 120 wine "$driver" test "$(winepath -w "$exe" 2>/dev/null)" \
    "$(winepath -w "$conversions" 2>/dev/null)" 2>"$WINE_SESSION/loaded" ||
    { status=$?; grep -v ':trace:loaddll:' "$WINE_SESSION/loaded" >&2; exit $status; }
grep -qiE 'winsxs\\+[^"]*common-controls_[0-9a-f]*_6\.[^"]*comctl32\.dll' "$WINE_SESSION/loaded" ||
    fail "kestal.exe ran without Common Controls 6"

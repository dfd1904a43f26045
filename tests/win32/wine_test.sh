#!/usr/bin/env bash
# kestal.exe as a Windows user gets it: first the file itself (system DLLs
# only, its version record, its icon and DPI-aware manifest, its size), then
# the program driven by driver.exe under Wine, in a throw-away prefix with
# French regional settings on a virtual X server.
#   wine_test.sh DRIVER.exe KESTAL.exe VERSION CONVERSIONS.txt KESTAL-CONVERT.exe
set -euo pipefail
driver=$1
exe=$2
version=$3
conversions=$4
converter=$5
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
stands_alone "$exe" $((1536 * 1024))
stands_alone "$converter" $((1024 * 1024))

resources=$(x86_64-w64-mingw32-windres -i "$exe" -O rc)
# The version record: French (France) throughout, so that Windows shows it,
# the build's version, and the accents intact.
IFS=. read -r major minor <<<"$version"
for line in "LANGUAGE 12, 1" 'BLOCK "040C04B0"' 'VALUE "Translation", 0x40c, 1200' \
    "FILEVERSION $((10#$major)), $((10#$minor)), 0, 0" "PRODUCTVERSION $((10#$major)), $((10#$minor)), 0, 0" \
    "VALUE \"FileVersion\", \"$version\"" "VALUE \"ProductVersion\", \"$version\"" \
    'VALUE "CompanyName", L"\311quipe Kestal"'; do
    grep -qF -- "$line" <<<"$resources" || fail "no '$line' in the version record"
done
grep -qF '"\040\040\000\000", 1, 32' <<<"$resources" || fail "no 32x32 icon in $exe"
grep -qF '<dpiAware' <<<"$resources" || fail "no DPI-aware manifest in $exe"

source "$here/wine_session.sh"
trap wine_session_stop EXIT
# 120 dots per inch, where twips are not 15 to a pixel.
wine_session_start 120
timeout 120 wine "$driver" test "$(winepath -w "$exe" 2>/dev/null)" \
    "$(winepath -w "$conversions" 2>/dev/null)"

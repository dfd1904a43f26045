#!/usr/bin/env bash
# Reads the version record back from kestal.exe with the MinGW resource tools:
# French (France), the build's version, the names with their accents,
# translation 040C/1200.
#   windows_resource_test.sh kestal.exe VERSION
set -euo pipefail
input=$1
version=$2
windres=x86_64-w64-mingw32-windres
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "windows_resource_test: $*" >&2; exit 1; }

"$windres" -i "$input" -O rc -o "$work/record.rc" || fail "no resources in $input"

IFS=. read -r major minor <<<"$version"
expected=(
    "LANGUAGE 12, 1"
    "FILEVERSION $((10#$major)), $((10#$minor)), 0, 0"
    "PRODUCTVERSION $((10#$major)), $((10#$minor)), 0, 0"
    'BLOCK "040C04B0"'
    "VALUE \"FileVersion\", \"$version\""
    "VALUE \"ProductVersion\", \"$version\""
    'VALUE "CompanyName", L"\311quipe Kestal"'
    'VALUE "LegalCopyright", L"\311quipe Kestal"'
    'VALUE "FileDescription", "Conversion de kestal"'
    'VALUE "OriginalFilename", "kestal.exe"'
    'VALUE "ProductName", "Kestal"'
    'VALUE "Translation", 0x40c, 1200'
)
for line in "${expected[@]}"; do
    grep -qF -- "$line" "$work/record.rc" || fail "no '$line' in the version record"
done
echo "windows_resource_test: ok"

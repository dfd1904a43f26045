#!/usr/bin/env bash
# Compiles the version record of kestal.exe with the MinGW resource compiler,
# as the Windows build does, and reads it back from the object file: French
# (France) resource, file and product version 1.0.0.0, string block 040C04B0
# with the program's names in it, accents intact, and translation 040C/1200.
#   windows_resource_test.sh PATH/TO/kestal.rc
set -euo pipefail

if (($# != 1)); then
    echo "usage: windows_resource_test.sh PATH/TO/kestal.rc" >&2
    exit 2
fi
rc_file=$1
if [[ ! -f "$rc_file" ]]; then
    echo "FAIL: no resource file at $rc_file" >&2
    exit 1
fi

windres=x86_64-w64-mingw32-windres
if ! command -v "$windres" >/dev/null; then
    echo "FAIL: $windres is missing (Debian package binutils-mingw-w64-x86-64)" >&2
    exit 1
fi
# windres preprocesses through the MinGW gcc by default, which Debian ships
# apart; the host C preprocessor does the same job for a file like this one.
if ! command -v cpp >/dev/null; then
    echo "FAIL: cpp, the C preprocessor, is missing (Debian package cpp)" >&2
    exit 1
fi
if ! command -v python3 >/dev/null; then
    echo "FAIL: python3 is missing" >&2
    exit 1
fi

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

if ! "$windres" --preprocessor=cpp --preprocessor-arg=-DRC_INVOKED \
    -O coff -i "$rc_file" -o "$work/kestal_rc.o"; then
    echo "FAIL: $windres could not compile $rc_file" >&2
    exit 1
fi

python3 - "$work/kestal_rc.o" <<'PY'
import struct
import sys

RT_VERSION = 16
LANG_FRENCH_FRANCE = 0x040C
CP_UNICODE = 1200
EXPECTED_STRINGS = {
    "CompanyName": "\u00c9quipe Kestal",
    "FileDescription": "Conversion de kestal",
    "FileVersion": "1.00",
    "InternalName": "kestal",
    "LegalCopyright": "\u00c9quipe Kestal",
    "OriginalFilename": "kestal.exe",
    "ProductName": "Kestal",
    "ProductVersion": "1.00",
}

failures = []


def fail(message):
    print("FAIL: " + message, file=sys.stderr)
    sys.exit(1)


def check(condition, message):
    if not condition:
        failures.append(message)


data = open(sys.argv[1], "rb").read()

# COFF object: file header, then section headers after the optional header.
if len(data) < 20:
    fail("object file too short")
machine, sections, _, _, _, optional_size, _ = struct.unpack_from("<HHIIIHH", data, 0)
if machine != 0x8664:
    fail("object is for machine 0x%04X, not x86-64 (0x8664)" % machine)
rsrc = None
for i in range(sections):
    offset = 20 + optional_size + 40 * i
    name = data[offset:offset + 8].rstrip(b"\0")
    raw_size, raw_pointer = struct.unpack_from("<II", data, offset + 16)
    if name == b".rsrc":
        rsrc = data[raw_pointer:raw_pointer + raw_size]
if rsrc is None:
    fail("the object has no .rsrc section")


def directory(offset):
    """Entries (id, is_directory, target offset) of a resource directory."""
    named, numbered = struct.unpack_from("<HH", rsrc, offset + 12)
    entries = []
    for i in range(named + numbered):
        ident, target = struct.unpack_from("<II", rsrc, offset + 16 + 8 * i)
        entries.append((ident, bool(target & 0x80000000), target & 0x7FFFFFFF))
    return entries


def only_entry(offset, what):
    entries = directory(offset)
    if len(entries) != 1:
        fail("expected one %s entry, found %d: %s"
             % (what, len(entries), [hex(e[0]) for e in entries]))
    return entries[0]


types = {ident: (is_dir, target) for ident, is_dir, target in directory(0)}
if RT_VERSION not in types:
    fail("no version resource (type 16) in .rsrc; types: %s" % sorted(types))
check(len(types) == 1, "unexpected resource types besides the version: %s" % sorted(types))
ident, is_dir, target = only_entry(types[RT_VERSION][1], "version resource name")
check(ident == 1, "version resource has id %d, not 1 (VS_VERSION_INFO)" % ident)
language, is_dir, target = only_entry(target, "version resource language")
check(language == LANG_FRENCH_FRANCE,
      "version resource language is 0x%04X, not French 0x040C" % language)
if is_dir:
    fail("language entry points to a directory, not to data")
# In an unlinked object, the data entry holds the offset within .rsrc; the
# linker adds the section's address through a relocation.
data_offset, data_size = struct.unpack_from("<II", rsrc, target)
record = rsrc[data_offset:data_offset + data_size]
if len(record) != data_size or data_size < 6:
    fail("version resource data lies outside .rsrc")


def align4(offset):
    return (offset + 3) & ~3


def node(buffer, offset):
    """One version record node: (key, wType, value bytes, children, end)."""
    length, value_length, kind = struct.unpack_from("<HHH", buffer, offset)
    if length < 6 or offset + length > len(buffer):
        fail("malformed node of length %d at offset %d" % (length, offset))
    end = offset + length
    key_end = offset + 6
    while buffer[key_end:key_end + 2] != b"\0\0":
        key_end += 2
        if key_end >= end:
            fail("unterminated key at offset %d" % offset)
    key = buffer[offset + 6:key_end].decode("utf-16-le")
    value_start = align4(key_end + 2)
    # wValueLength counts UTF-16 units for text (wType 1), bytes otherwise.
    value_bytes = value_length * 2 if kind == 1 else value_length
    value = buffer[value_start:value_start + value_bytes]
    children = []
    child = align4(value_start + value_bytes)
    while child < end:
        children.append(node(buffer, child))
        child = align4(children[-1][4])
    return key, kind, value, children, end


key, _, fixed, children, _ = node(record, 0)
check(key == "VS_VERSION_INFO", "root key is %r, not VS_VERSION_INFO" % key)
if len(fixed) != 52:
    fail("VS_FIXEDFILEINFO is %d bytes, not 52" % len(fixed))
(signature, _, file_ms, file_ls, product_ms, product_ls,
 _, _, file_os, file_type, _, _, _) = struct.unpack("<13I", fixed)
check(signature == 0xFEEF04BD, "VS_FIXEDFILEINFO signature is 0x%08X" % signature)
check((file_ms, file_ls) == (0x00010000, 0),
      "file version is 0x%08X 0x%08X, not 1.0.0.0 (0x00010000 0x00000000)" % (file_ms, file_ls))
check((product_ms, product_ls) == (0x00010000, 0),
      "product version is 0x%08X 0x%08X, not 1.0.0.0" % (product_ms, product_ls))
check(file_os == 0x40004, "file OS is 0x%X, not VOS_NT_WINDOWS32 (0x40004)" % file_os)
check(file_type == 1, "file type is %d, not VFT_APP (1)" % file_type)

blocks = {child[0]: child for child in children}
check(sorted(blocks) == ["StringFileInfo", "VarFileInfo"],
      "blocks are %s, not StringFileInfo and VarFileInfo" % sorted(blocks))

if "StringFileInfo" in blocks:
    tables = blocks["StringFileInfo"][3]
    names = [table[0] for table in tables]
    check(names == ["040C04B0"], "string blocks are %s, not [040C04B0]" % names)
    if names == ["040C04B0"]:
        strings = {}
        for entry in tables[0][3]:
            text = entry[2].decode("utf-16-le")
            check(text.endswith("\0"), "value of %s is not NUL-terminated" % entry[0])
            strings[entry[0]] = text.rstrip("\0")
        for name, expected in EXPECTED_STRINGS.items():
            check(strings.get(name) == expected,
                  "%s is %r, not %r" % (name, strings.get(name), expected))
        extra = sorted(set(strings) - set(EXPECTED_STRINGS))
        check(not extra, "unexpected strings: %s" % extra)

if "VarFileInfo" in blocks:
    variables = {entry[0]: entry[2] for entry in blocks["VarFileInfo"][3]}
    translation = variables.get("Translation", b"")
    pairs = [struct.unpack_from("<HH", translation, i) for i in range(0, len(translation) - 3, 4)]
    check(pairs == [(LANG_FRENCH_FRANCE, CP_UNICODE)],
          "Translation is %s, not [(0x040C, 1200)]" % [(hex(a), b) for a, b in pairs])

for message in failures:
    print("FAIL: " + message, file=sys.stderr)
if failures:
    sys.exit(1)
print("version record: French, 1.0.0.0, %d strings, Translation 0x040C/1200" % len(EXPECTED_STRINGS))
PY

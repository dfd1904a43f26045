"""The summary information of a built package, written again in the package's
code page: wixl stores its texts as UTF-8 whatever code page it declares, so
Explorer would show "Ã‰quipe Kestal" among the file's properties.

    recode(path, codepage, language)

libmsi writes this stream back as it read it, so this runs once the database
is complete, on the compound file itself: the property set is read, its texts
re-encoded, its code page and template's language set, and the shorter stream
put back in the sectors the old one held.
"""
import struct

NAME = "\x05SummaryInformation"
CODEPAGE, TEMPLATE = 1, 7  # property identifiers
VT_I2, VT_LPSTR = 2, 30
FREE, END_OF_CHAIN = 0xFFFFFFFF, 0xFFFFFFFE


def _properties(stream):
    """{identifier: (type, value)} of the one section: values are bytes for
    texts, the raw bytes after the type for the others."""
    section = struct.unpack_from("<I", stream, 44)[0]
    size, count = struct.unpack_from("<II", stream, section)
    properties = {}
    for n in range(count):
        identifier, offset = struct.unpack_from("<II", stream, section + 8 + 8 * n)
        start = section + offset
        kind = struct.unpack_from("<I", stream, start)[0]
        if kind == VT_LPSTR:
            length = struct.unpack_from("<I", stream, start + 4)[0]
            value = stream[start + 8:start + 8 + length].rstrip(b"\0")
        else:
            ends = sorted(o for o in (struct.unpack_from("<I", stream, section + 12 + 8 * m)[0]
                                      for m in range(count)) if o > offset)
            value = stream[start + 4:section + (ends[0] if ends else size)]
        properties[identifier] = (kind, value)
    return stream[:48], properties


def _property_set(header, properties):
    values = []
    for identifier in sorted(properties):
        kind, value = properties[identifier]
        if kind == VT_LPSTR:
            value = struct.pack("<I", len(value) + 1) + value + b"\0"
        value = struct.pack("<I", kind) + value
        values.append((identifier, value + b"\0" * (-len(value) % 4)))
    offset = 8 + 8 * len(values)
    table = b""
    for identifier, value in values:
        table += struct.pack("<II", identifier, offset)
        offset += len(value)
    return header + struct.pack("<II", offset, len(values)) + table + b"".join(
        value for _, value in values)


class _CompoundFile:
    """Just enough of the compound file format to find a stream's bytes and
    shorten it in place."""

    def __init__(self, data):
        self.data = data
        shift, mini_shift = struct.unpack_from("<HH", data, 0x1E)
        self.sector, self.mini = 1 << shift, 1 << mini_shift
        (fat_count, directory, _, self.cutoff, mini_fat, _, difat,
         difat_count) = struct.unpack_from("<8I", data, 0x2C)
        fat_sectors = list(struct.unpack_from("<109I", data, 0x4C))
        for _ in range(difat_count):
            entries = struct.unpack_from(f"<{self.sector // 4}I", data, self._at(difat))
            fat_sectors += entries[:-1]
            difat = entries[-1]
        self.fat_entries = [self._at(s) + 4 * n for s in fat_sectors[:fat_count]
                            for n in range(self.sector // 4)]
        self.mini_fat_entries = [self._at(s) + 4 * n for s in self._chain(mini_fat)
                                 for n in range(self.sector // 4)]
        self.entries = [self._at(s) + 128 * n for s in self._chain(directory)
                        for n in range(self.sector // 128)]
        self.mini_stream = self._chain(struct.unpack_from("<I", data, self.entries[0] + 0x74)[0])

    def _at(self, sector):
        return (sector + 1) * self.sector

    def _chain(self, start, mini=False):
        entries = self.mini_fat_entries if mini else self.fat_entries
        chain = []
        while start not in (FREE, END_OF_CHAIN):
            chain.append(start)
            start = struct.unpack_from("<I", self.data, entries[start])[0]
        return chain

    def _units(self, entry):
        """Where the stream of a directory entry lies: its file offsets, its
        unit's size, whether those are mini sectors, and its chain."""
        start, size = struct.unpack_from("<IQ", self.data, entry + 0x74)
        mini = size < self.cutoff
        chain = self._chain(start, mini)
        if not mini:
            return [self._at(s) for s in chain], self.sector, mini, chain
        return [self._at(self.mini_stream[m * self.mini // self.sector]) +
                m * self.mini % self.sector for m in chain], self.mini, mini, chain

    def entry(self, name):
        for entry in self.entries:
            length = struct.unpack_from("<H", self.data, entry + 0x40)[0]
            if length and self.data[entry:entry + length - 2].decode("utf-16-le") == name:
                return entry
        raise SystemExit(f"summary_information: the package has no {name!r}")

    def read(self, entry):
        units, unit, _, _ = self._units(entry)
        size = struct.unpack_from("<Q", self.data, entry + 0x78)[0]
        return b"".join(self.data[at:at + unit] for at in units)[:size]

    def shorten(self, entry, stream):
        units, unit, mini, chain = self._units(entry)
        old = struct.unpack_from("<Q", self.data, entry + 0x78)[0]
        if len(stream) > old:
            raise SystemExit("summary_information: the stream would grow")
        kept = -(-len(stream) // unit)
        padded = stream + b"\0" * (len(units) * unit - len(stream))
        for n, at in enumerate(units):
            self.data[at:at + unit] = padded[n * unit:(n + 1) * unit]
        entries = self.mini_fat_entries if mini else self.fat_entries
        for n, link in enumerate(chain[kept - 1:]):
            struct.pack_into("<I", self.data, entries[link], END_OF_CHAIN if n == 0 else FREE)
        struct.pack_into("<Q", self.data, entry + 0x78, len(stream))


def recode(path, codepage, language):
    with open(path, "rb") as package:
        data = bytearray(package.read())
    compound = _CompoundFile(data)
    entry = compound.entry(NAME)
    header, properties = _properties(compound.read(entry))
    for identifier, (kind, value) in properties.items():
        if kind == VT_LPSTR:
            properties[identifier] = (kind, value.decode("utf-8").encode(f"cp{codepage}"))
    platform = properties[TEMPLATE][1].split(b";")[0]
    properties[TEMPLATE] = (VT_LPSTR, platform + b";" + language.encode("ascii"))
    properties[CODEPAGE] = (VT_I2, struct.pack("<H", codepage))
    compound.shorten(entry, _property_set(header, properties))
    with open(path, "wb") as package:
        package.write(data)

#!/usr/bin/env python3
"""Writes the seed corpus of the archive reader's fuzz target into corpus/.

The archives are assembled here from the byte layout alone (not with mfarc), so the seeds
also pin the format. Run it again only when the seeds should change; the output is
deterministic. A seed holding several volumes is the volumes laid end to end.
"""
import os
import struct
import zlib

HERE = os.path.dirname(os.path.abspath(__file__))


def table():
    entries = []
    for n in range(256):
        c = n
        for _ in range(8):
            c = (c >> 1) ^ 0xEDB88320 if c & 1 else c >> 1
        entries.append(c)
    return entries


TABLE = table()


def checksum(data):
    value = 0
    for b in data:
        value = TABLE[(value ^ b) & 0xFF] ^ ((value >> 6) & 0x00FFFFFF)
    return value


def entry(name, data, method=2, crc=None, continued=0, packed=None, expanded=None,
          version=1, size=346, name_bytes=None):
    if packed is None:
        packed = zlib.compress(data) if method == 4 else data
    raw_name = name_bytes if name_bytes is not None else name.encode("latin-1")
    header = struct.pack(
        "<4sHHii260sIIIIiihHH40s",
        b"mfen", version, size, 1000000000, 0, raw_name,
        len(data) if expanded is None else expanded, len(packed),
        checksum(data) if crc is None else crc, 0, method, 0, 0, 0x20, continued,
        b"seed")
    assert len(header) == 346
    return header + packed


ARCHIVE = b"mflh\0\0\0\0"
TEXT = b"Corvatek Shiftwell setup data\r\n" * 8


def seeds():
    yield "empty", ARCHIVE
    yield "stored", ARCHIVE + entry("README.TXT", TEXT) + entry("EMPTY.TXT", b"")
    yield "deflate", ARCHIVE + entry("SHIFT.INI", TEXT, 4) + entry("NONE.DAT", b"", 4)
    yield "trailing-fragment", ARCHIVE + entry("A.TXT", b"abc") + b"mfen" + b"\0" * 40
    yield "bad-checksum", ARCHIVE + entry("A.TXT", TEXT, 4, crc=0x12345678)
    yield "method-3", ARCHIVE + entry("A.TXT", TEXT, 3)
    yield "hostile-names", (ARCHIVE + entry("..\\..\\UP.TXT", b"up")
                            + entry("/etc/ABS.TXT", b"abs") + entry("CON", b"con")
                            + entry("", b"", name_bytes=b"N" * 260))
    yield "sizes-lie", (ARCHIVE + entry("BIG.TXT", TEXT, 4, expanded=5)
                        + entry("SMALL.TXT", TEXT, 4, expanded=100000))
    packed = zlib.compress(TEXT * 4)
    whole = entry("SPAN.TXT", TEXT * 4, 4, continued=1)
    yield "two-volumes", (ARCHIVE + whole[:346 + len(packed) // 2] + ARCHIVE
                          + whole[346 + len(packed) // 2:] + entry("LAST.TXT", b"last"))
    yield "short-data", ARCHIVE + entry("CUT.TXT", TEXT, 4)[:346 + 20]


def main():
    folder = os.path.join(HERE, "corpus")
    os.makedirs(folder, exist_ok=True)
    for name, data in seeds():
        with open(os.path.join(folder, name + ".arc"), "wb") as f:
            f.write(data)


if __name__ == "__main__":
    main()

#!/usr/bin/env python3
"""Cross-checks mfarc against a second implementation of the archive format written here
from the byte layout alone: archives that mfarc writes (one volume and several, stored and
deflate) are read back by this reader, and an archive that this writer makes is tested and
extracted by mfarc.

    crosscheck.py MFARC SCRATCH_DIR
"""
import os
import random
import shutil
import struct
import subprocess
import sys
import zlib

HEADER = struct.Struct("<4sHHii260sIIIIiihHH40s")
assert HEADER.size == 346


def make_table():
    table = []
    for n in range(256):
        c = n
        for _ in range(8):
            c = (c >> 1) ^ 0xEDB88320 if c & 1 else c >> 1
        table.append(c)
    return table


TABLE = make_table()


def checksum(data):
    value = 0
    for b in data:
        value = TABLE[(value ^ b) & 0xFF] ^ ((value >> 6) & 0x00FFFFFF)
    return value


def next_volume(path):
    return path[:-1] + chr(ord(path[-1]) + 1)


def read_archive(first):
    """Yields (fields, expanded data) for every member, following volumes."""
    path = first
    f = open(path, "rb")
    assert f.read(8)[:4] == b"mflh", path
    while True:
        raw = f.read(346)
        if len(raw) < 346:
            return
        fields = HEADER.unpack(raw)
        (magic, version, size, mtime, _, name, expanded, packed, crc, _, method, _,
         dest, attrs, continued, _) = fields
        assert magic == b"mfen" and version == 1 and size == 346
        data = b""
        while len(data) < packed:
            data += f.read(packed - len(data))
            if len(data) < packed:
                assert continued, "member data ends early without continuation"
                path = next_volume(path)
                f = open(path, "rb")
                assert f.read(8)[:4] == b"mflh", path
        assert method in (2, 4)
        out = zlib.decompress(data) if method == 4 else data
        assert len(out) == expanded, name
        assert crc == checksum(out), name
        yield {"name": name.split(b"\0")[0].decode("latin-1"), "dest": dest,
               "method": method, "mtime": mtime, "continued": continued}, out


def write_archive(path, members):
    with open(path, "wb") as f:
        f.write(b"mflh\0\0\0\0")
        for name, data, method in members:
            packed = zlib.compress(data) if method == 4 else data
            f.write(HEADER.pack(b"mfen", 1, 346, 1234567890, 0, name.encode(), len(data),
                                len(packed), checksum(data), 0, method, 0, 7, 0x20, 0, b""))
            f.write(packed)


def run(*args):
    result = subprocess.run(args, capture_output=True, text=True)
    if result.returncode != 0:
        sys.exit("mfarc failed: %s\n%s" % (" ".join(args), result.stderr))
    return result.stdout


def main():
    mfarc, scratch = sys.argv[1], sys.argv[2]
    shutil.rmtree(scratch, ignore_errors=True)
    os.makedirs(scratch)
    rng = random.Random(7)
    files = {
        "EMPTY.TXT": b"",
        "TEXT.TXT": b"".join(rng.choice([b"archive ", b"volume ", b"setup\r\n"])
                             for _ in range(30000)),
        "RANDOM.BIN": bytes(rng.getrandbits(8) for _ in range(40000)),
    }
    paths = []
    for name, data in files.items():
        paths.append(os.path.join(scratch, name))
        with open(paths[-1], "wb") as f:
            f.write(data)

    for method in ("stored", "deflate"):
        for volume in (None, "20000"):
            first = os.path.join(scratch, "%s%s.A" % (method, volume or ""))
            args = [mfarc, "create", "-m", method, "-d", "-3"]
            args += ["-s", volume] if volume else []
            run(*(args + [first] + paths))
            members = list(read_archive(first))
            assert [m["name"] for m, _ in members] == list(files), members
            for fields, data in members:
                assert data == files[fields["name"]]
                assert fields["dest"] == -3 and fields["method"] == (2 if method == "stored" else 4)
            assert any(m["continued"] for m, _ in members) == bool(volume)

    theirs = os.path.join(scratch, "THEIRS.ARC")
    write_archive(theirs, [(n, d, 4 if i % 2 else 2) for i, (n, d) in enumerate(files.items())])
    run(mfarc, "test", theirs)
    out = os.path.join(scratch, "out")
    run(mfarc, "extract", theirs, out)
    for name, data in files.items():
        with open(os.path.join(out, name), "rb") as f:
            assert f.read() == data, name
        assert int(os.path.getmtime(os.path.join(out, name))) == 1234567890
    listing = run(mfarc, "list", theirs).splitlines()
    assert listing[1].split("\t") == ["TEXT.TXT", "7", "4", str(len(files["TEXT.TXT"])),
                                      listing[1].split("\t")[4],
                                      "%08x" % checksum(files["TEXT.TXT"]), "0"], listing
    shutil.rmtree(scratch)
    print("crosscheck: 1 passed, 0 failed")


if __name__ == "__main__":
    main()

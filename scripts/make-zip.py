#!/usr/bin/env python3
"""Writes a zip file that is the same byte for byte whenever the same files go into it.

Entries keep the order given, are deflated, and all carry the same time: SOURCE_DATE_EPOCH,
as UTC (zip times have no zone). Nothing else varies: no extra time fields, no permissions,
"made by" MS-DOS with the archive attribute. Names are stored in code page 932, without the
UTF-8 flag, which is how Japanese Windows reads them (XP's compressed folders included); each
also carries the Unicode path field (0x7075) with its UTF-8 form for tools that read it.

Usage: make-zip.py OUTPUT SOURCE=NAME [SOURCE=NAME ...]
"""
import os
import struct
import sys
import time
import zlib

VERSION = 20                        # 2.0: deflate
DEFLATE = 8
ARCHIVE_ATTRIBUTE = 0x20
UNICODE_PATH = 0x7075


def dos_time(epoch):
    t = time.gmtime(max(epoch, 315532800))  # zip times start in 1980
    return (t.tm_hour << 11) | (t.tm_min << 5) | (t.tm_sec // 2), ((t.tm_year - 1980) << 9) | (t.tm_mon << 5) | t.tm_mday


def unicode_path_field(stored_name, name):
    utf8 = name.encode("utf-8")
    return struct.pack("<HHBI", UNICODE_PATH, 5 + len(utf8), 1, zlib.crc32(stored_name)) + utf8


def deflate(data):
    compressor = zlib.compressobj(9, zlib.DEFLATED, -15)
    return compressor.compress(data) + compressor.flush()


def write_zip(output, entries, epoch):
    clock, date = dos_time(epoch)
    body, directory = bytearray(), bytearray()
    for source, name in entries:
        with open(source, "rb") as f:
            data = f.read()
        stored_name = name.encode("cp932")
        extra = b"" if name.isascii() else unicode_path_field(stored_name, name)
        packed, crc = deflate(data), zlib.crc32(data)
        offset = len(body)
        body += struct.pack("<IHHHHHIIIHH", 0x04034B50, VERSION, 0, DEFLATE, clock, date, crc, len(packed),
                            len(data), len(stored_name), len(extra))
        body += stored_name + extra + packed
        directory += struct.pack("<IHHHHHHIIIHHHHHII", 0x02014B50, VERSION, VERSION, 0, DEFLATE, clock, date, crc,
                                 len(packed), len(data), len(stored_name), len(extra), 0, 0, 0, ARCHIVE_ATTRIBUTE,
                                 offset)
        directory += stored_name + extra
    end = struct.pack("<IHHHHIIH", 0x06054B50, 0, 0, len(entries), len(entries), len(directory), len(body), 0)
    with open(output, "wb") as f:
        f.write(body + directory + end)


def main(argv):
    if len(argv) < 2 or any("=" not in entry for entry in argv[1:]):
        sys.exit(__doc__.strip().splitlines()[-1])
    epoch = os.environ.get("SOURCE_DATE_EPOCH")
    if not epoch:
        sys.exit("make-zip.py: SOURCE_DATE_EPOCH is not set")
    entries = [tuple(entry.rsplit("=", 1)) for entry in argv[1:]]
    write_zip(argv[0], entries, int(epoch))


if __name__ == "__main__":
    main(sys.argv[1:])

#!/usr/bin/env python3
"""Writes the seed corpus of the picture fuzz targets into
fuzz/corpus/pictures/<family>/: BMP and PNG seeds made here, GIF, PCX and
icon seeds copied from runtime/pictures/testdata (see make_testdata.py
there). The JPEG seeds were written once with libjpeg (baseline colour, grey,
progressive, CMYK, restart markers) and are kept as they are."""
import os
import shutil
import struct
import zlib

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
CORPUS = os.path.join(ROOT, "fuzz", "corpus", "pictures")
TESTDATA = os.path.join(ROOT, "runtime", "pictures", "testdata")


def write(family, name, data):
    folder = os.path.join(CORPUS, family)
    os.makedirs(folder, exist_ok=True)
    with open(os.path.join(folder, name), "wb") as f:
        f.write(data)


def bmp(w, h, bits, colours=0):
    table = b""
    if bits <= 8:
        count = colours or (1 << bits)
        table = b"".join(struct.pack("<BBBB", i * 37 % 256, i * 91 % 256, i * 13 % 256, 0)
                         for i in range(count))
    row_bytes = (abs(w) * bits + 7) // 8
    stride = (row_bytes + 3) // 4 * 4
    rows = b"".join(bytes((x * 29 + y * 7) % 256 for x in range(row_bytes)).ljust(stride, b"\0")
                    for y in range(abs(h)))
    offset = 54 + len(table)
    head = b"BM" + struct.pack("<IHHI", offset + len(rows), 0, 0, offset)
    head += struct.pack("<IiiHHIIiiII", 40, w, h, 1, bits, 0, len(rows), 2835, 2835, colours, 0)
    return head + table + rows


def png(w, h, colour_type, depth, extra=b""):
    channels = {0: 1, 2: 3, 3: 1, 4: 2, 6: 4}[colour_type]
    row_bytes = (w * channels * depth + 7) // 8
    raw = b"".join(bytes([y % 5]) + bytes((x * 17 + y * 3) % 256 for x in range(row_bytes))
                   for y in range(h))

    def chunk(kind, body):
        return struct.pack(">I", len(body)) + kind + body + struct.pack(">I", zlib.crc32(kind + body))

    ihdr = struct.pack(">IIBBBBB", w, h, depth, colour_type, 0, 0, 0)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", ihdr) + extra
            + chunk(b"IDAT", zlib.compress(raw)) + chunk(b"IEND", b""))


def png_chunk(kind, body):
    return struct.pack(">I", len(body)) + kind + body + struct.pack(">I", zlib.crc32(kind + body))


def main():
    write("bmp", "1bit_9x3.bmp", bmp(9, 3, 1))
    write("bmp", "4bit_5x4.bmp", bmp(5, 4, 4, colours=6))
    write("bmp", "8bit_topdown_7x3.bmp", bmp(7, -3, 8))
    write("bmp", "24bit_5x2.bmp", bmp(5, 2, 24))
    write("bmp", "32bit_3x3.bmp", bmp(3, 3, 32))
    palette = png_chunk(b"PLTE", bytes(range(48))) + png_chunk(b"tRNS", bytes((0, 128, 255)))
    write("png", "rgba_4x3.png", png(4, 3, 6, 8))
    write("png", "grey16_3x2.png", png(3, 2, 0, 16))
    write("png", "palette_5x2.png", png(5, 2, 3, 4, palette))
    write("png", "grey_alpha_2x2.png", png(2, 2, 4, 8))
    for name in os.listdir(TESTDATA):
        family = {".gif": "gif", ".pcx": "pcx", ".ico": "icon", ".cur": "icon"}.get(
            os.path.splitext(name)[1])
        if family:
            os.makedirs(os.path.join(CORPUS, family), exist_ok=True)
            shutil.copy(os.path.join(TESTDATA, name), os.path.join(CORPUS, family, name))


if __name__ == "__main__":
    main()

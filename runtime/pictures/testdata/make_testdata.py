#!/usr/bin/env python3
"""Writes the picture files the decoder tests read, from the formats' own
documentation, independently of the decoders. Run it from anywhere; it writes
beside itself. The pixel patterns are repeated in the tests' expectations.

GIF  gif87_4x3.gif            4x3, global table of 4, index (x + y) % 4
     gif89_interlaced.gif     screen 8x12, frame 5x10 at (1, 2), interlaced,
                              local table of 8, index (x + 2y) % 8, with
                              graphic control, comment and application blocks
     gif_noise_clear.gif      96x96, index = noise(x, y), clear code when the
                              code table is full
     gif_noise_full.gif       the same, carrying on with a full table
PCX  pcx8_5x3.pcx             8-bit, 5x3, index 40 * y + x, palette i -> (i, 255 - i, i // 2)
     pcx1_10x2.pcx            1-bit, 10x2, rows 0b1010101011 and 0b0000011111
ICO  icon_16_only.ico         two 16x16 entries; the last (32-bit) one is used
     icon_mixed.ico           16x16 4-bit, 32x32 4-bit (chosen), 48x48 32-bit
     icon_png.ico             one 24x24 PNG entry
     cursor_32.cur            one 32x32 1-bit cursor entry
"""
import os
import struct
import zlib

HERE = os.path.dirname(os.path.abspath(__file__))


def write(name, data):
    with open(os.path.join(HERE, name), "wb") as f:
        f.write(data)


# ---------------------------------------------------------------- GIF


class BitWriter:
    def __init__(self):
        self.out = bytearray()
        self.acc = 0
        self.count = 0

    def put(self, code, width):
        self.acc |= code << self.count
        self.count += width
        while self.count >= 8:
            self.out.append(self.acc & 0xFF)
            self.acc >>= 8
            self.count -= 8

    def finish(self):
        if self.count:
            self.out.append(self.acc & 0xFF)
        return bytes(self.out)


def lzw_encode(indices, min_size, clear_when_full=True):
    clear, end = 1 << min_size, (1 << min_size) + 1
    bits = BitWriter()

    def reset():
        return {}, clear + 2, min_size + 1, clear + 2, True

    table, enc_next, width, dec_next, after_clear = reset()
    bits.put(clear, width)
    prefix = None

    def emit(code):
        # Mirror the decoder: it adds an entry for every code but the first
        # after a clear, and widens when its next free code reaches 2^width.
        nonlocal width, dec_next, after_clear
        bits.put(code, width)
        if after_clear:
            after_clear = False
            return
        if dec_next < 4096:
            dec_next += 1
            if dec_next == (1 << width) and width < 12:
                width += 1

    for value in indices:
        if prefix is None:
            prefix = value
            continue
        key = (prefix, value)
        if key in table:
            prefix = table[key]
            continue
        emit(prefix)
        if enc_next < 4096:
            table[key] = enc_next
            enc_next += 1
        elif clear_when_full:
            bits.put(clear, width)
            table, enc_next, width, dec_next, after_clear = reset()
        prefix = value
    if prefix is not None:
        emit(prefix)
    bits.put(end, width)
    return bits.finish()


def sub_blocks(data):
    out = bytearray()
    for i in range(0, len(data), 255):
        chunk = data[i:i + 255]
        out.append(len(chunk))
        out += chunk
    out.append(0)
    return bytes(out)


def colour_table(colours, size_bits):
    table = bytearray()
    for r, g, b in colours:
        table += bytes((r, g, b))
    table += bytes(3 * ((1 << (size_bits + 1)) - len(colours)))
    return bytes(table)


def image_block(left, top, w, h, indices, min_size, flags=0, local=b"", clear_when_full=True):
    out = bytearray(b"\x2C")
    out += struct.pack("<HHHHB", left, top, w, h, flags)
    out += local
    out.append(min_size)
    out += sub_blocks(lzw_encode(indices, min_size, clear_when_full))
    return bytes(out)


def gif87():
    colours = [(255, 0, 0), (0, 255, 0), (0, 0, 255), (255, 255, 255)]
    head = b"GIF87a" + struct.pack("<HHBBB", 4, 3, 0x80 | 1, 0, 0) + colour_table(colours, 1)
    indices = [(x + y) % 4 for y in range(3) for x in range(4)]
    return head + image_block(0, 0, 4, 3, indices, 2) + b"\x3B"


def gif89_interlaced():
    w, h = 5, 10
    head = b"GIF89a" + struct.pack("<HHBBB", 8, 12, 0x80 | 0, 0, 0)
    head += colour_table([(9, 9, 9), (8, 8, 8)], 0)
    blocks = b"\x21\xFF\x0BNETSCAPE2.0\x03\x01\x00\x00\x00"
    blocks += b"\x21\xFE" + sub_blocks(b"made for the decoder tests")
    blocks += b"\x21\xF9\x04" + struct.pack("<BHB", 0x08 | 1, 25, 3) + b"\x00"
    order = []
    for start, step in ((0, 8), (4, 8), (2, 4), (1, 2)):
        order += range(start, h, step)
    indices = [(x + 2 * y) % 8 for y in order for x in range(w)]
    local = colour_table([(i * 30, 255 - i * 30, i * 10) for i in range(8)], 2)
    image = image_block(1, 2, w, h, indices, 3, flags=0x80 | 0x40 | 2, local=local)
    return head + blocks + image + b"\x3B"


def noise(x, y):
    return (x * 7 + y * 13 + ((x * y) ^ (x + 3 * y)) * 5) % 256


def gif_noise(clear_when_full):
    head = b"GIF89a" + struct.pack("<HHBBB", 96, 96, 0x80 | 7, 0, 0)
    head += colour_table([(i, i, i) for i in range(256)], 7)
    indices = [noise(x, y) for y in range(96) for x in range(96)]
    return head + image_block(0, 0, 96, 96, indices, 8, clear_when_full=clear_when_full) + b"\x3B"


# ---------------------------------------------------------------- PCX


def pcx_rle(row):
    out = bytearray()
    i = 0
    while i < len(row):
        run = 1
        while i + run < len(row) and row[i + run] == row[i] and run < 63:
            run += 1
        if run > 1 or row[i] >= 0xC0:
            out += bytes((0xC0 | run, row[i]))
        else:
            out.append(row[i])
        i += run
    return bytes(out)


def pcx_header(version, bits, w, h, planes, bytes_per_line):
    head = struct.pack("<BBBBHHHHHH", 10, version, 1, bits, 0, 0, w - 1, h - 1, 72, 72)
    head += bytes(48) + bytes((0, planes)) + struct.pack("<HH", bytes_per_line, 1)
    return head.ljust(128, b"\0")


def pcx8():
    w, h, bpl = 5, 3, 6
    data = b"".join(pcx_rle(bytes([40 * y + x for x in range(w)] + [0])) for y in range(h))
    palette = b"".join(bytes((i, 255 - i, i // 2)) for i in range(256))
    return pcx_header(5, 8, w, h, 1, bpl) + data + b"\x0C" + palette


def pcx1():
    rows = [0b1010101011, 0b0000011111]
    data = b"".join(pcx_rle(struct.pack(">H", r << 6)) for r in rows)
    return pcx_header(3, 1, 10, 2, 1, 2) + data


# ---------------------------------------------------------------- icons


def dib_image(size, bits, colour):
    """A square icon image: bitmap header (height doubled), colour table for
    4 bits, every pixel `colour` (an index, or 0xAARRGGBB), an empty mask."""
    row = ((size * bits + 31) // 32) * 4
    mask_row = ((size + 31) // 32) * 4
    head = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, bits, 0, 0, 0, 0, 0, 0)
    table = b""
    if bits == 4:
        table = b"".join(struct.pack("<BBBB", i * 16, 255 - i * 16, i, 0) for i in range(16))
        pixels = bytes([colour * 17] * (size // 2)).ljust(row, b"\0") * size
    elif bits == 1:
        table = b"\0\0\0\0\xff\xff\xff\0"
        pixels = bytes([0xAA] * (size // 8)).ljust(row, b"\0") * size
    else:
        pixels = struct.pack("<I", colour) * size * size
    return head + table + pixels + bytes(mask_row * size)


def png_image(w, h):
    raw = b"".join(b"\0" + bytes((200, 100, 50, 255)) * w for _ in range(h))

    def chunk(kind, body):
        return struct.pack(">I", len(body)) + kind + body + struct.pack(">I", zlib.crc32(kind + body))

    ihdr = struct.pack(">IIBBBBB", w, h, 8, 6, 0, 0, 0)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", ihdr) + chunk(b"IDAT", zlib.compress(raw))
            + chunk(b"IEND", b""))


def icon_file(kind, entries):
    """entries: (width byte, colour count byte, field4, field6, image bytes)"""
    out = bytearray(struct.pack("<HHH", 0, kind, len(entries)))
    offset = 6 + 16 * len(entries)
    for width, colours, f4, f6, image in entries:
        out += struct.pack("<BBBBHHII", width, width, colours, 0, f4, f6, len(image), offset)
        offset += len(image)
    for entry in entries:
        out += entry[4]
    return bytes(out)


def main():
    write("gif87_4x3.gif", gif87())
    write("gif89_interlaced.gif", gif89_interlaced())
    write("gif_noise_clear.gif", gif_noise(True))
    write("gif_noise_full.gif", gif_noise(False))
    write("pcx8_5x3.pcx", pcx8())
    write("pcx1_10x2.pcx", pcx1())
    write("icon_16_only.ico", icon_file(1, [(16, 16, 1, 4, dib_image(16, 4, 3)),
                                            (16, 0, 1, 32, dib_image(16, 32, 0xFF336699))]))
    write("icon_mixed.ico", icon_file(1, [(16, 16, 1, 4, dib_image(16, 4, 1)),
                                          (32, 16, 1, 4, dib_image(32, 4, 2)),
                                          (48, 0, 1, 32, dib_image(48, 32, 0xFF00FF00))]))
    write("icon_png.ico", icon_file(1, [(24, 0, 1, 32, png_image(24, 24))]))
    write("cursor_32.cur", icon_file(2, [(32, 2, 3, 4, dib_image(32, 1, 0))]))


if __name__ == "__main__":
    main()

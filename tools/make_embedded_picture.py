#!/usr/bin/python3
"""Makes app/assets/harbour.jpg, the picture embedded in the editor's form.

A drawing of our own (a harbour at dusk: sky, sun, hills, water, boats),
658 x 986 pixels, saved as a baseline JPEG with three 8-bit components, then
given the metadata segments a camera-and-editor picture carries ahead of its
image data: APP1 Exif, APP1 XMP, APP12 and APP14. The XMP packet's padding
brings the file to exactly TARGET_SIZE bytes, as the form's stored record
expects. Same input, same bytes: the drawing and the encoder are
deterministic.

Usage: make_embedded_picture.py OUTPUT.jpg
"""
import io
import math
import random
import struct
import sys

from PIL import Image, ImageDraw, ImageFilter

WIDTH, HEIGHT = 658, 986
TARGET_SIZE = 87896


def draw_scene():
    image = Image.new("RGB", (WIDTH, HEIGHT))
    pixels = image.load()
    horizon = 560
    for y in range(HEIGHT):
        for x in range(WIDTH):
            if y < horizon:  # dusk sky, warm at the horizon
                t = y / horizon
                r = int(40 + 200 * t ** 1.5)
                g = int(50 + 110 * t ** 2)
                b = int(120 - 40 * t)
            else:  # water, darker towards the viewer, with ripples
                t = (y - horizon) / (HEIGHT - horizon)
                ripple = 12 * math.sin(x / 9.0 + y * y / 900.0)
                r = int(60 - 30 * t + ripple)
                g = int(70 - 30 * t + ripple)
                b = int(110 - 40 * t + ripple)
            pixels[x, y] = (max(r, 0), max(g, 0), max(b, 0))
    draw = ImageDraw.Draw(image)
    draw.ellipse((380, 380, 500, 500), fill=(255, 200, 120))  # the sun
    rng = random.Random(1032)
    for layer, colour in enumerate([(90, 70, 110), (60, 50, 80), (35, 35, 55)]):
        points = [(0, horizon)]
        for x in range(0, WIDTH + 40, 40):
            points.append((x, horizon - 60 - 90 * (2 - layer) * rng.random() - 20 * layer))
        points.append((WIDTH, horizon))
        draw.polygon(points, fill=colour)
    for _ in range(6):  # boats with sails
        x, y = rng.randint(40, WIDTH - 120), rng.randint(horizon + 40, HEIGHT - 80)
        draw.polygon([(x, y), (x + 90, y), (x + 70, y + 22), (x + 15, y + 22)], fill=(30, 25, 20))
        draw.polygon([(x + 40, y - 70), (x + 40, y - 4), (x + 80, y - 4)], fill=(235, 225, 200))
    for _ in range(180):  # sun glitter on the water
        x, y = rng.randint(340, 540), rng.randint(horizon + 5, horizon + 260)
        draw.line((x, y, x + rng.randint(4, 14), y), fill=(250, 210, 150))
    return image.filter(ImageFilter.SMOOTH)


def segment(marker, payload):
    return struct.pack(">BBH", 0xFF, marker, len(payload) + 2) + payload


def exif_payload():
    # A little-endian TIFF header with one IFD: Orientation 1, Software.
    software = b"Mienzo picture maker\0"
    entries = 2
    ifd_size = 2 + entries * 12 + 4
    software_offset = 8 + ifd_size
    tiff = b"II*\0" + struct.pack("<I", 8) + struct.pack("<H", entries)
    tiff += struct.pack("<HHII", 0x0112, 3, 1, 1)
    tiff += struct.pack("<HHII", 0x0131, 2, len(software), software_offset)
    tiff += struct.pack("<I", 0) + software
    return b"Exif\0\0" + tiff


def xmp_payload(padding):
    head = (b'http://ns.adobe.com/xap/1.0/\0<?xpacket begin="\xef\xbb\xbf" '
            b'id="W5M0MpCehiHzreSzNTczkc9d"?>'
            b'<x:xmpmeta xmlns:x="adobe:ns:meta/"><rdf:RDF '
            b'xmlns:rdf="http://www.w3.org/1999/02/22-rdf-syntax-ns#">'
            b'<rdf:Description xmlns:dc="http://purl.org/dc/elements/1.1/" '
            b'dc:format="image/jpeg"/></rdf:RDF></x:xmpmeta>')
    return head + b" " * padding + b'<?xpacket end="w"?>'


def app12_payload():
    # Quality and comment blocks as picture editors write them.
    return b"Ducky" + struct.pack(">HHH", 1, 4, 80) + struct.pack(">HH", 0, 0)


def app14_payload():
    # Adobe: version 100, flags 0, transform 1 (the components are YCbCr).
    return b"Adobe" + struct.pack(">HHHB", 100, 0, 0, 1)


def encode(image, quality):
    out = io.BytesIO()
    image.save(out, "JPEG", quality=quality, optimize=False, progressive=False,
               subsampling=2)
    data = out.getvalue()
    # Drop the encoder's own APPn segments (JFIF), keep the rest.
    position, body = 2, b""
    while data[position] == 0xFF and 0xE0 <= data[position + 1] <= 0xEF:
        length = struct.unpack(">H", data[position + 2:position + 4])[0]
        position += 2 + length
    return data[position:]


def main():
    output = sys.argv[1]
    image = draw_scene()
    fixed = (segment(0xE1, exif_payload()) + segment(0xEC, app12_payload()) +
             segment(0xEE, app14_payload()))
    xmp_overhead = len(segment(0xE1, xmp_payload(0)))
    for quality in range(95, 10, -1):
        body = encode(image, quality)
        size = 2 + len(fixed) + xmp_overhead + len(body)
        if size <= TARGET_SIZE and TARGET_SIZE - size < 60000:
            padding = TARGET_SIZE - size
            data = (b"\xFF\xD8" + segment(0xE1, exif_payload()) +
                    segment(0xE1, xmp_payload(padding)) + segment(0xEC, app12_payload()) +
                    segment(0xEE, app14_payload()) + body)
            assert len(data) == TARGET_SIZE, len(data)
            with open(output, "wb") as f:
                f.write(data)
            print(f"{output}: {len(data)} bytes, quality {quality}, XMP padding {padding}")
            return
    sys.exit("no quality gives a file small enough")


if __name__ == "__main__":
    main()

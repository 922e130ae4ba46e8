#!/usr/bin/python3
"""Writes pictures of every kind the runtime decodes, with Pillow, and beside
each the pixels Pillow itself decodes from the written file, laid over white,
as raw RGB rows top-down (NAME.rgb). A manifest lists "NAME WIDTH HEIGHT".

Usage: pillow_reference.py OUT_DIR
Pillow is an independent decoder: a difference from the runtime's pixels is a
fault in one of them.
"""
import os
import random
import struct
import sys

from PIL import Image


def noise_rgb(w, h, seed):
    rng = random.Random(seed)
    img = Image.new("RGB", (w, h))
    img.putdata([(rng.randrange(256), rng.randrange(256), rng.randrange(256))
                 for _ in range(w * h)])
    return img


def smooth_rgb(w, h):
    img = Image.new("RGB", (w, h))
    img.putdata([((x * 255) // max(w - 1, 1), (y * 255) // max(h - 1, 1), (x + y) % 256)
                 for y in range(h) for x in range(w)])
    return img


def indexed(w, h, colours, seed):
    rng = random.Random(seed)
    img = Image.new("P", (w, h))
    palette = []
    for i in range(256):
        palette += [(i * 37) % 256, (i * 91 + 7) % 256, (255 - i * 13) % 256]
    img.putpalette(palette)
    img.putdata([rng.randrange(colours) for _ in range(w * h)])
    return img


def mono(w, h, seed):
    rng = random.Random(seed)
    img = Image.new("1", (w, h))
    img.putdata([255 if rng.random() < 0.5 else 0 for _ in range(w * h)])
    return img


def rgba(w, h, seed):
    rng = random.Random(seed)
    img = Image.new("RGBA", (w, h))
    img.putdata([(rng.randrange(256), rng.randrange(256), rng.randrange(256),
                  rng.choice([0, 1, 64, 127, 128, 200, 254, 255])) for _ in range(w * h)])
    return img


def raw_bmp(img, bits, top_down):
    """A BMP written by hand, for what Pillow does not write: 4-bit indices and
    top-down rows. `img` is a "P" image for 4 bits, "RGB" for 24."""
    w, h = img.size
    stride = (bits * w + 31) // 32 * 4
    rows = []
    for y in range(h):
        row = bytearray()
        if bits == 4:
            values = [img.getpixel((x, y)) for x in range(w)] + [0]
            for x in range(0, w, 2):
                row.append(values[x] << 4 | (values[x + 1] if x + 1 < w else 0))
        else:
            for x in range(w):
                r, g, b = img.getpixel((x, y))
                row += bytes((b, g, r))
        rows.append(bytes(row) + bytes(stride - len(row)))
    if not top_down:
        rows.reverse()
    colours = 16 if bits == 4 else 0
    palette = b""
    if colours:
        pal = img.getpalette()[: colours * 3]
        palette = b"".join(bytes((pal[i * 3 + 2], pal[i * 3 + 1], pal[i * 3], 0))
                           for i in range(colours))
    offset = 54 + len(palette)
    data = b"".join(rows)
    return (b"BM" + struct.pack("<IHHI", offset + len(data), 0, 0, offset) +
            struct.pack("<IiiHHIIiiII", 40, w, -h if top_down else h, 1, bits, 0, len(data),
                        0, 0, colours, 0) + palette + data)


def pictures():
    """(file name, Pillow image, save options)"""
    yield "bmp24_odd.bmp", noise_rgb(13, 7, 1), {}
    yield "bmp8.bmp", indexed(9, 5, 256, 2), {}
    yield "bmp4.bmp", raw_bmp(indexed(11, 3, 16, 3), 4, False), {}
    yield "bmp24_top_down.bmp", raw_bmp(noise_rgb(7, 4, 17), 24, True), {}
    yield "bmp1.bmp", mono(17, 4, 4), {}
    yield "bmp32.bmp", noise_rgb(6, 5, 5).convert("RGBA"), {}
    yield "gif87.gif", indexed(10, 6, 256, 6), {}
    yield "gif_interlaced.gif", indexed(16, 16, 64, 7), {"interlace": True}
    yield "gif_small_table.gif", indexed(7, 9, 4, 8), {}
    yield "pcx8.pcx", indexed(15, 6, 256, 9), {}
    yield "pcx1.pcx", mono(21, 5, 10), {}
    yield "png_rgba.png", rgba(9, 4, 11), {}
    yield "png_rgb.png", noise_rgb(5, 5, 12), {}
    yield "png_grey.png", noise_rgb(6, 3, 13).convert("L"), {}
    yield "png_palette.png", indexed(8, 8, 20, 14), {}
    yield "jpeg_colour.jpg", smooth_rgb(33, 17), {"quality": 90}
    yield "jpeg_grey.jpg", smooth_rgb(16, 16).convert("L"), {"quality": 90}
    yield "jpeg_progressive.jpg", smooth_rgb(20, 12), {"quality": 85, "progressive": True}
    yield "icon_32bit.ico", rgba(16, 16, 15), {"sizes": [(16, 16)], "bitmap_format": "bmp"}
    yield "icon_png.ico", rgba(32, 32, 16), {"sizes": [(32, 32)]}


def mark_monochrome_pcx_version_3(path):
    """Monochrome PCX files are recognised by version 3 (no palette); Pillow
    writes version 2. The image data is the same."""
    with open(path, "r+b") as f:
        f.seek(1)
        f.write(bytes((3,)))


def over_white(img):
    """The pixels over white, each channel c with alpha a becoming
    floor((c * a + 255 * (255 - a)) / 255): the blend is the runtime's own
    rule, so only the decoding is compared."""
    rgba_img = img.convert("RGBA")
    out = Image.new("RGB", img.size)
    out.putdata([tuple((c * a + 255 * (255 - a)) // 255 for c in (r, g, b))
                 for r, g, b, a in rgba_img.getdata()])
    return out


def main(out_dir):
    os.makedirs(out_dir, exist_ok=True)
    with open(os.path.join(out_dir, "manifest.txt"), "w") as manifest:
        for name, img, options in pictures():
            path = os.path.join(out_dir, name)
            if isinstance(img, bytes):
                with open(path, "wb") as f:
                    f.write(img)
            else:
                img.save(path, **options)
            if name.endswith(".pcx") and img.mode == "1":
                mark_monochrome_pcx_version_3(path)
            with Image.open(path) as decoded:
                decoded.seek(0)
                reference = over_white(decoded)
            with open(path + ".rgb", "wb") as f:
                f.write(reference.tobytes())
            manifest.write(f"{name} {reference.width} {reference.height}\n")


if __name__ == "__main__":
    main(sys.argv[1])

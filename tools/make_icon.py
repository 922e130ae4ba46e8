#!/usr/bin/python3
"""Makes the editor's application icon: app/desktop/icons/.

A drawing of our own: a wooden picture frame round a small landscape with a
caption band, and a brush that has just painted a trail of dots in the
editor's starting colour. One list of shapes in a 256 x 256 space is written
twice: as SVG (the scalable icon) and rasterised with 4 x 4 samples a pixel
into RGBA PNGs of 48, 128 and 256 pixels. Only the standard library is used,
and the output is the same bytes on every run.

Usage: make_icon.py OUTPUT_DIR
"""
import math
import os
import struct
import sys
import zlib

SPACE = 256
SIZES = (48, 128, 256)
SAMPLES = 4  # per pixel side

PAINT = "#ff5080"  # the colour picker's colour at start, RGB(255, 80, 128)


def rounded_rect(x0, y0, x1, y1, radius, colour):
    return ("rrect", (x0, y0, x1, y1, radius), colour)


def circle(cx, cy, radius, colour):
    return ("circle", (cx, cy, radius), colour)


def polygon(points, colour):
    return ("polygon", tuple(points), colour)


def along(tip, direction, t, half_width):
    """The two edge points of the brush at distance t from its tip."""
    dx, dy = direction
    nx, ny = -dy, dx
    cx, cy = tip[0] + dx * t, tip[1] + dy * t
    left = (cx + nx * half_width, cy + ny * half_width)
    right = (cx - nx * half_width, cy - ny * half_width)
    return left, right


def band(tip, direction, t0, w0, t1, w1, colour):
    """A brush section: a quadrilateral from t0 to t1, half widths w0 and w1."""
    a0, b0 = along(tip, direction, t0, w0)
    a1, b1 = along(tip, direction, t1, w1)
    return polygon([a0, a1, b1, b0], colour)


def brush():
    tip = (150.0, 130.0)
    direction = (math.sqrt(0.5), math.sqrt(0.5))  # from the tip to the handle's end
    end_t = 132.0
    end = (tip[0] + direction[0] * end_t, tip[1] + direction[1] * end_t)
    return [
        band(tip, direction, 54, 8, end_t, 6, "#263238"),  # handle
        circle(round(end[0], 3), round(end[1], 3), 6, "#263238"),
        band(tip, direction, 30, 10, 56, 10, "#b0bec5"),  # ferrule
        band(tip, direction, 50, 10, 53, 10, "#78909c"),  # its crimp
        band(tip, direction, 0, 2.5, 32, 9, PAINT),  # bristles, loaded with paint
    ]


def shapes():
    return [
        rounded_rect(20, 20, 236, 236, 18, "#6b4226"),  # frame
        rounded_rect(30, 30, 226, 226, 10, "#b5793a"),  # its bevel
        rounded_rect(44, 44, 212, 212, 3, "#8fd3f4"),  # sky
        circle(170, 84, 20, "#ffcf3f"),  # sun
        polygon([(44, 158), (92, 110), (124, 138), (164, 98), (212, 146), (212, 212), (44, 212)],
                "#3fa34d"),  # hills
        rounded_rect(44, 170, 212, 212, 3, "#fff6e0"),  # caption band
        rounded_rect(58, 181, 150, 190, 4.5, "#37474f"),  # caption text
        rounded_rect(58, 196, 122, 203, 3.5, "#37474f"),
        # The dots the brush has painted, as the editor paints them.
        circle(72, 150, 7, PAINT),
        circle(93, 141, 7, PAINT),
        circle(114, 134, 7, PAINT),
        circle(134, 130, 7, PAINT),
    ] + brush()


# --- SVG --------------------------------------------------------------------


def number(value):
    text = ("%.3f" % value).rstrip("0").rstrip(".")
    return text if text != "-0" else "0"


def svg_element(shape):
    kind, geometry, colour = shape
    if kind == "rrect":
        x0, y0, x1, y1, radius = geometry
        return '<rect x="%s" y="%s" width="%s" height="%s" rx="%s" fill="%s"/>' % (
            number(x0), number(y0), number(x1 - x0), number(y1 - y0), number(radius), colour)
    if kind == "circle":
        cx, cy, radius = geometry
        return '<circle cx="%s" cy="%s" r="%s" fill="%s"/>' % (
            number(cx), number(cy), number(radius), colour)
    points = " ".join("%s,%s" % (number(x), number(y)) for x, y in geometry)
    return '<polygon points="%s" fill="%s"/>' % (points, colour)


def write_svg(path):
    lines = ['<svg xmlns="http://www.w3.org/2000/svg" width="%d" height="%d" '
             'viewBox="0 0 %d %d" stroke="none">' % (SPACE, SPACE, SPACE, SPACE)]
    lines += ["  " + svg_element(shape) for shape in shapes()]
    lines.append("</svg>")
    with open(path, "w", encoding="ascii", newline="\n") as out:
        out.write("\n".join(lines) + "\n")


# --- Rasterising --------------------------------------------------------------


def inside_rrect(geometry, x, y):
    x0, y0, x1, y1, radius = geometry
    if x < x0 or x > x1 or y < y0 or y > y1:
        return False
    # Distance from the rectangle shrunk by the radius.
    dx = max(x0 + radius - x, 0, x - (x1 - radius))
    dy = max(y0 + radius - y, 0, y - (y1 - radius))
    return dx * dx + dy * dy <= radius * radius


def inside_circle(geometry, x, y):
    cx, cy, radius = geometry
    return (x - cx) ** 2 + (y - cy) ** 2 <= radius * radius


def inside_polygon(points, x, y):
    inside = False
    for i in range(len(points)):
        (ax, ay), (bx, by) = points[i - 1], points[i]
        if (ay > y) != (by > y) and x < ax + (y - ay) * (bx - ax) / (by - ay):
            inside = not inside
    return inside


def bounds(shape):
    kind, geometry, _ = shape
    if kind == "rrect":
        return geometry[0], geometry[1], geometry[2], geometry[3]
    if kind == "circle":
        cx, cy, radius = geometry
        return cx - radius, cy - radius, cx + radius, cy + radius
    xs = [p[0] for p in geometry]
    ys = [p[1] for p in geometry]
    return min(xs), min(ys), max(xs), max(ys)


TESTS = {"rrect": inside_rrect, "circle": inside_circle, "polygon": inside_polygon}


def rgb(colour):
    return tuple(int(colour[i:i + 2], 16) for i in (1, 3, 5))


def rasterise(size):
    """RGBA rows: each shape paints the samples it covers, later ones on top."""
    grid = size * SAMPLES
    scale = SPACE / grid
    samples = [None] * (grid * grid)
    for shape in shapes():
        kind, geometry, colour = shape
        test, value = TESTS[kind], rgb(colour)
        left, top, right, bottom = bounds(shape)
        first_x, last_x = max(0, int(left / scale) - 1), min(grid, int(right / scale) + 2)
        first_y, last_y = max(0, int(top / scale) - 1), min(grid, int(bottom / scale) + 2)
        for sy in range(first_y, last_y):
            y = (sy + 0.5) * scale
            row = sy * grid
            for sx in range(first_x, last_x):
                if test(geometry, (sx + 0.5) * scale, y):
                    samples[row + sx] = value
    rows = []
    for py in range(size):
        row = bytearray()
        for px in range(size):
            covered, total = 0, [0, 0, 0]
            for sy in range(py * SAMPLES, (py + 1) * SAMPLES):
                for sx in range(px * SAMPLES, (px + 1) * SAMPLES):
                    value = samples[sy * grid + sx]
                    if value is not None:
                        covered += 1
                        for c in range(3):
                            total[c] += value[c]
            if covered == 0:
                row += b"\0\0\0\0"
            else:
                row += bytes((total[c] + covered // 2) // covered for c in range(3))
                row.append((covered * 255 + SAMPLES * SAMPLES // 2) // (SAMPLES * SAMPLES))
        rows.append(bytes(row))
    return rows


def write_png(path, size, rows):
    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body))

    header = struct.pack(">IIBBBBB", size, size, 8, 6, 0, 0, 0)  # 8-bit RGBA
    raw = b"".join(b"\0" + row for row in rows)  # filter type 0 on every row
    with open(path, "wb") as out:
        out.write(b"\x89PNG\r\n\x1a\n")
        out.write(chunk(b"IHDR", header))
        out.write(chunk(b"IDAT", zlib.compress(raw, 9)))
        out.write(chunk(b"IEND", b""))


def main():
    if len(sys.argv) != 2:
        sys.exit(__doc__)
    folder = sys.argv[1]
    os.makedirs(folder, exist_ok=True)
    write_svg(os.path.join(folder, "mienzo.svg"))
    for size in SIZES:
        write_png(os.path.join(folder, "mienzo-%d.png" % size), size, rasterise(size))


if __name__ == "__main__":
    main()

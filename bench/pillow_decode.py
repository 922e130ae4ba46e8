#!/usr/bin/python3
"""Pillow's decoding time for the picture benchmarks' files.

The files are the ones mienzo_bench decodes, written out by it:

    MIENZO_BENCH_PICTURES_DIR=/tmp/pics build/bench/mienzo_bench --benchmark_filter=BM_Decode
    /usr/bin/python3 bench/pillow_decode.py /tmp/pics [--json out.json]

Each file is read into memory once; a decode is Image.open() on the bytes
and .load(), the step that produces the pixels (JPEG, PNG and BMP come out as
RGB, the GIF as palette indices). Like the Google Benchmark runs next to it,
every repetition times as many decodes as fill half a second of processor
time and takes their mean; the figure is the median of the repetitions. Debian's python3-pil runs
under /usr/bin/python3, so that is the interpreter to use.
"""

import argparse
import io
import json
import os
import statistics
import sys
import time

try:
    import PIL
    from PIL import Image
except ImportError:
    sys.exit("Pillow is missing: run this with /usr/bin/python3 (Debian's python3-pil)")

FILES = {"jpeg": "harbour.jpg", "png": "harbour.png", "bmp": "harbour.bmp", "gif": "harbour.gif"}
MIN_SECONDS = 0.5


def decode(data):
    picture = Image.open(io.BytesIO(data))
    picture.load()
    return picture


def mean_ms(data):
    """Mean processor milliseconds of one decode, over as many as fill
    MIN_SECONDS (processor time, as compare.py reads from Google Benchmark)."""
    count = 1
    while True:
        started = time.process_time()
        for _ in range(count):
            decode(data)
        elapsed = time.process_time() - started
        if elapsed >= MIN_SECONDS:
            return elapsed / count * 1000
        count = max(count * 2, int(count * MIN_SECONDS / max(elapsed, 1e-6) * 1.2))


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("folder", help="where mienzo_bench wrote harbour.jpg, .png, .bmp, .gif")
    parser.add_argument("--repetitions", type=int, default=5)
    parser.add_argument("--json", help="also write the medians here")
    args = parser.parse_args()
    results = {}
    for kind, name in FILES.items():
        with open(os.path.join(args.folder, name), "rb") as file:
            data = file.read()
        picture = decode(data)  # once, untimed: imports the plugin, checks the file
        times = [mean_ms(data) for _ in range(args.repetitions)]
        results[kind] = statistics.median(times)
        print(f"{kind}: {results[kind]:.2f} ms (median of {args.repetitions}; "
              f"{picture.mode} {picture.size[0]}x{picture.size[1]})", flush=True)
    if args.json:
        with open(args.json, "w") as out:
            json.dump({"pillow": PIL.__version__, "ms": results}, out)


if __name__ == "__main__":
    main()

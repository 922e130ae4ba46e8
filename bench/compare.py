#!/usr/bin/python3
"""Mienzo next to the programs and libraries a user would pick instead.

One run builds what it needs (RelWithDebInfo, in build-bench unless told
otherwise), then measures and prints, side by side:
  1. picture decoding: Mienzo's decoders against libjpeg-turbo, libpng,
     giflib, stb_image (mienzo_bench) and Pillow (bench/pillow_decode.py),
     all on the same files;
  2. GetPicture and the BMP encoder against a memcpy of the bytes they hand
     back (mienzo_bench);
  3. start-up time and peak memory against mtPaint and GrafX2 under one
     Xvfb server (bench/startup.py --peers).
Google Benchmark figures are medians of --repetitions repetitions, processor
time; the start-up figures are medians of --runs runs. The machine (processor,
cores, kernel) and its load before and after each part are printed too,
because other work on the machine moves every figure.

    /usr/bin/python3 bench/compare.py [--build-dir build-bench] [--repetitions 5] [--runs 7]

Missing Debian packages are installed first (scripts/setup.sh for the build,
then the peer programs), with sudo when not run as root.
"""

import argparse
import json
import os
import platform
import shutil
import subprocess
import sys
import tempfile

HERE = os.path.dirname(os.path.abspath(__file__))
ROOT = os.path.dirname(HERE)
# The paint programs startup.py measures, beyond what scripts/setup.sh installs.
PEER_PACKAGES = ["mtpaint", "grafx2"]
BENCH_FILTER = "^BM_Decode|^BM_Encode|^BM_PanelGetPicture"


def as_root(command):
    return command if os.geteuid() == 0 else ["sudo"] + command


def install_packages():
    subprocess.run([os.path.join(ROOT, "scripts", "setup.sh")], check=True)
    missing = [p for p in PEER_PACKAGES if subprocess.run(
        ["dpkg-query", "-W", "-f=${Status}", p], capture_output=True, text=True
    ).stdout.find("install ok installed") < 0]
    if missing:
        print(f"compare: installing {' '.join(missing)}", flush=True)
        env = dict(os.environ, DEBIAN_FRONTEND="noninteractive")
        subprocess.run(as_root(["apt-get", "update", "-q"]), check=True, env=env)
        subprocess.run(as_root(["apt-get", "install", "-y", "-q", "--no-install-recommends"] +
                               missing), check=True, env=env)


def build(build_dir, jobs):
    env = dict(os.environ)
    configure = ["cmake", "-S", ROOT, "-B", build_dir, "-G", "Ninja",
                 "-DCMAKE_BUILD_TYPE=RelWithDebInfo", "-DMIENZO_BUILD_TESTS=OFF"]
    if shutil.which("ccache"):
        configure += ["-DCMAKE_CXX_COMPILER_LAUNCHER=ccache", "-DCMAKE_C_COMPILER_LAUNCHER=ccache"]
        env.setdefault("CCACHE_BASEDIR", ROOT)
        env.setdefault("CCACHE_NOHASHDIR", "1")
    if not os.path.exists(os.path.join(build_dir, "build.ninja")):
        subprocess.run(configure, check=True, env=env, stdout=subprocess.DEVNULL)
    subprocess.run(["cmake", "--build", build_dir, "--parallel", str(jobs), "--target", "mienzo",
                    "mienzo_bench"], check=True, env=env, stdout=subprocess.DEVNULL)


def cpu_model():
    """The first processor's model name and clock from /proc/cpuinfo."""
    fields = {}
    with open("/proc/cpuinfo") as cpuinfo:
        for line in cpuinfo:
            key, _, value = line.partition(":")
            fields.setdefault(key.strip(), value.strip())
    model = fields.get("model name") or platform.processor() or platform.machine()
    clock = fields.get("cpu MHz")
    return f"{model} at {float(clock):.0f} MHz" if clock else model


def load():
    one, five, fifteen = os.getloadavg()
    return f"{one:.2f} {five:.2f} {fifteen:.2f}"


def run_benchmarks(build_dir, pictures, repetitions):
    out = os.path.join(pictures, "bench.json")
    run = subprocess.run([os.path.join(build_dir, "bench", "mienzo_bench"),
                          f"--benchmark_filter={BENCH_FILTER}",
                          f"--benchmark_repetitions={repetitions}",
                          "--benchmark_report_aggregates_only=true",
                          f"--benchmark_out={out}", "--benchmark_out_format=json"],
                         stdout=subprocess.DEVNULL, stderr=subprocess.PIPE, text=True,
                         env=dict(os.environ, MIENZO_BENCH_PICTURES_DIR=pictures))
    if run.returncode != 0:
        sys.exit(f"mienzo_bench failed:\n{run.stderr}")
    with open(out) as file:
        report = json.load(file)
    medians = {}
    for entry in report["benchmarks"]:
        if entry.get("aggregate_name") == "median":
            if entry.get("error_occurred"):
                sys.exit(f"{entry['run_name']}: {entry.get('error_message')}")
            scale = {"ns": 1e-6, "us": 1e-3, "ms": 1.0, "s": 1e3}[entry["time_unit"]]
            medians[entry["run_name"]] = entry["cpu_time"] * scale
    return medians


def run_pillow(pictures, repetitions):
    out = os.path.join(pictures, "pillow.json")
    subprocess.run(["/usr/bin/python3", os.path.join(HERE, "pillow_decode.py"), pictures,
                    "--repetitions", str(repetitions), "--json", out],
                   check=True, stdout=subprocess.DEVNULL)
    with open(out) as file:
        return json.load(file)


def cell(ms, mienzo_ms):
    if ms is None:
        return "-"
    return f"{ms:.2f} ({ms / mienzo_ms:.2f}x)"


def decoder_table(medians, pillow):
    pillow_ms = pillow["ms"]
    print("Decoding the same file from memory: median ms of processor time "
          "(peer / Mienzo; above 1 the peer is slower)\n")
    print(f"| file | Mienzo | libjpeg-turbo / libpng / giflib | stb_image | "
          f"Pillow {pillow['pillow']} |")
    print("|---|---:|---:|---:|---:|")
    library = {"jpeg": "BM_DecodeLibjpegTurbo", "png": "BM_DecodeLibpng", "bmp": None,
               "gif": "BM_DecodeGiflib"}
    names = {"jpeg": "harbour.jpg (88 KB)", "png": "harbour.png (RGB)",
             "bmp": "harbour.bmp (24-bit)", "gif": "harbour.gif (256 colours)"}
    for kind in ("jpeg", "png", "bmp", "gif"):
        ours = medians[f"BM_DecodeMienzo/{kind}"]
        lib = medians.get(library[kind]) if library[kind] else None
        stb = medians[f"BM_DecodeStbImage/{kind}"]
        print(f"| {names[kind]} | {ours:.2f} | {cell(lib, ours)} | {cell(stb, ours)} "
              f"| {cell(pillow_ms[kind], ours)} |")
    print("| PCX, ICO | no peer among these libraries | - | - | - |")


def encoder_table(medians):
    copy = medians["BM_EncodeMemcpyReference"]
    print("\nThe panel's picture (852 x 630, 1,610,334 bytes of BMP): median ms of processor "
          "time, and against a new block with the same bytes copied in\n")
    print("| operation | ms | / memcpy |")
    print("|---|---:|---:|")
    rows = [("memcpy of the bytes into a new block", "BM_EncodeMemcpyReference"),
            ("BMP encoder alone (32-bit bitmap to 24-bit file)", "BM_EncodePanelPicture"),
            ("GetPicture, panel with its off-screen bitmap", "BM_PanelGetPicture/from_bitmap"),
            ("GetPicture, panel drawn on the screen only", "BM_PanelGetPicture/from_screen")]
    for label, name in rows:
        print(f"| {label} | {medians[name]:.3f} | {medians[name] / copy:.1f} |")


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--build-dir", default=os.path.join(ROOT, "build-bench"))
    parser.add_argument("--repetitions", type=int, default=5)
    parser.add_argument("--runs", type=int, default=7, help="start-up runs per program")
    parser.add_argument("--jobs", type=int, default=2, help="parallel build jobs")
    parser.add_argument("--no-install", action="store_true", help="do not run apt-get")
    args = parser.parse_args()
    build_dir = os.path.abspath(args.build_dir)

    if not args.no_install:
        install_packages()
    build(build_dir, args.jobs)

    print(f"machine: {cpu_model()}; {os.cpu_count()} cores; {platform.system()} "
          f"{platform.release()} {platform.machine()}")
    print(f"load (1, 5, 15 min) at the start: {load()}\n", flush=True)
    pictures = tempfile.mkdtemp(prefix="mienzo-compare-")
    try:
        medians = run_benchmarks(build_dir, pictures, args.repetitions)
        pillow = run_pillow(pictures, args.repetitions)
    finally:
        shutil.rmtree(pictures, ignore_errors=True)
    decoder_table(medians, pillow)
    encoder_table(medians)
    print(f"\nload after the benchmarks: {load()}\n", flush=True)
    subprocess.run(["/usr/bin/python3", os.path.join(HERE, "startup.py"), "--program",
                    os.path.join(build_dir, "app", "mienzo"), "--runs", str(args.runs),
                    "--peers"], check=True)
    print(f"\nload at the end: {load()}")


if __name__ == "__main__":
    main()

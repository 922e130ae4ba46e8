#!/usr/bin/env python3
"""Start-up time and peak memory of the editor, headless and under Xvfb.

Each run starts the built program as a fresh process and measures:
  first frame   from the moment this script starts the process to the first
                frame the display presents (the program reports it on stderr,
                read from CLOCK_MONOTONIC, when MIENZO_REPORT_FIRST_FRAME is set)
  mapped        under Xvfb only: until xdotool finds the main window mapped
                (the measure other programs can be timed by too), polled
                every 5 ms
  peak memory   the process's maximum resident set size, from wait4()
The editor is closed with Esc after each run. Medians over --runs runs.

Headless, the program plays a one-line demo (`wait 300`, `key escape`) from a copy of its
directory, so it ends by itself. Under Xvfb the script starts its own server
(a free display number) so nothing on the desktop gets in the way.

    python3 bench/startup.py [--program build/app/mienzo] [--runs 7]
"""

import argparse
import os
import platform
import re
import shutil
import statistics
import subprocess
import sys
import tempfile
import time

FIRST_FRAME = re.compile(rb"first frame: monotonic_ns=(\d+)")


def run_measured(command, env, cwd, during=None):
    """Starts `command`, lets `during(pid, started_ns)` act on it, waits for it.

    Answers (first frame ms or None, extra result of `during`, peak RSS KiB,
    exit status)."""
    stderr = tempfile.TemporaryFile()
    started = time.monotonic_ns()
    process = subprocess.Popen(command, env=env, cwd=cwd, stdout=subprocess.DEVNULL,
                               stderr=stderr)
    extra = during(process.pid, started) if during else None
    try:
        _, status, usage = os.wait4(process.pid, 0)
    finally:
        process.returncode = 0  # reaped above
    stderr.seek(0)
    match = FIRST_FRAME.search(stderr.read())
    first = (int(match.group(1)) - started) / 1e6 if match else None
    return first, extra, usage.ru_maxrss, os.waitstatus_to_exitcode(status)


def headless_runs(program, runs):
    folder = tempfile.mkdtemp(prefix="mienzo-startup-")
    try:
        copy = os.path.join(folder, "mienzo")
        shutil.copy2(program, copy)
        with open(os.path.join(folder, "demo.mienzo"), "w") as script:
            script.write("wait 300\nkey escape\n")
        env = {k: v for k, v in os.environ.items() if k not in ("DISPLAY", "WAYLAND_DISPLAY")}
        env.update(MIENZO_REPORT_FIRST_FRAME="1", SDL_AUDIODRIVER="dummy")
        results = []
        for _ in range(runs):
            first, _, rss, code = run_measured([copy], env, folder)
            if code != 0 or first is None:
                sys.exit(f"headless run failed: exit {code}, first frame {first}")
            results.append((first, None, rss))
        return results
    finally:
        shutil.rmtree(folder, ignore_errors=True)


def start_xvfb():
    for number in range(90, 140):
        if os.path.exists(f"/tmp/.X11-unix/X{number}") or os.path.exists(f"/tmp/.X{number}-lock"):
            continue
        server = subprocess.Popen(["Xvfb", f":{number}", "-screen", "0", "1280x1024x24",
                                   "-nolisten", "tcp", "-noreset"],
                                  stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        for _ in range(100):
            if os.path.exists(f"/tmp/.X11-unix/X{number}"):
                return server, f":{number}"
            time.sleep(0.05)
        server.kill()
    sys.exit("could not start Xvfb")


def wait_for_window(pid, window_name, env):
    """The X window id of the process's first mapped window named so.

    Polled every few milliseconds: `xdotool search --sync` looks only every
    half second, too coarse for a start-up time."""
    deadline = time.monotonic() + 60
    while time.monotonic() < deadline:
        found = subprocess.run(["xdotool", "search", "--onlyvisible", "--pid", str(pid),
                                "--name", window_name], env=env, capture_output=True, text=True)
        if found.stdout.strip():
            return found.stdout.split()[0]
        time.sleep(0.005)
    sys.exit("the window never appeared")


def xvfb_runs(program, runs, window_name="^Mienzo$"):
    server, display = start_xvfb()
    env = dict(os.environ, DISPLAY=display, MIENZO_REPORT_FIRST_FRAME="1",
               SDL_AUDIODRIVER="dummy", SDL_VIDEODRIVER="x11")

    def map_then_close(pid, started):
        window = wait_for_window(pid, window_name, env)
        mapped = (time.monotonic_ns() - started) / 1e6
        time.sleep(0.3)  # let it settle, so the peak includes an idle editor
        subprocess.run(["xdotool", "mousemove", "--sync", "--window", window, "500", "10",
                        "key", "Escape"], env=env, check=True, timeout=30)
        return mapped

    try:
        results = []
        for _ in range(runs):
            first, mapped, rss, code = run_measured([program], env, os.path.dirname(program),
                                                    map_then_close)
            if code != 0 or first is None:
                sys.exit(f"Xvfb run failed: exit {code}, first frame {first}")
            results.append((first, mapped, rss))
        return results
    finally:
        server.terminate()
        server.wait()


def median(values):
    values = [v for v in values if v is not None]
    return statistics.median(values) if values else None


def row(name, results):
    first = median(r[0] for r in results)
    mapped = median(r[1] for r in results)
    rss = median(r[2] for r in results)
    mapped_text = f"{mapped:.0f}" if mapped is not None else "-"
    return f"| {name} | {first:.0f} | {mapped_text} | {rss / 1024:.1f} |"


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--program", default=os.path.join(
        os.path.dirname(os.path.abspath(__file__)), "..", "build", "app", "mienzo"))
    parser.add_argument("--runs", type=int, default=7)
    args = parser.parse_args()
    program = os.path.abspath(args.program)
    if not os.access(program, os.X_OK):
        sys.exit(f"{program} is not built (cmake --build build --target mienzo)")
    for tool in ("Xvfb", "xdotool"):
        if shutil.which(tool) is None:
            sys.exit(f"{tool} is missing (scripts/setup.sh installs it)")

    print(f"machine: {platform.machine()}, {os.cpu_count()} cores, "
          f"{platform.system()} {platform.release()}; load {os.getloadavg()[0]:.2f}")
    print(f"program: {program}; medians of {args.runs} runs\n")
    print("| display | first frame (ms) | window mapped (ms) | peak memory (MiB) |")
    print("|---|---:|---:|---:|")
    print(row("headless", headless_runs(program, args.runs)), flush=True)
    print(row("SDL under Xvfb", xvfb_runs(program, args.runs)), flush=True)


if __name__ == "__main__":
    main()

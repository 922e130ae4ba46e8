#!/usr/bin/env python3
"""Start-up time and peak memory of the editor, headless and under Xvfb.

Each run starts the built program as a fresh process and measures:
  first frame   from the moment this script starts the process to the first
                frame the display presents (the program reports it on stderr,
                read from CLOCK_MONOTONIC, when MIENZO_REPORT_FIRST_FRAME is set)
  mapped        under Xvfb only: until xdotool finds the main window mapped
                (the measure other programs can be timed by too), polled
                every 5 ms
  settled       under Xvfb only: until the program stops working, that is the
                end of its last 50 ms with more than a fifth of a processor
                before four quieter ones (from /proc/PID/task/*/schedstat),
                so it counts decoding and drawing done after the window maps
  peak memory   the process's maximum resident set size, from wait4()
The editor is closed with Esc after each run (the peers as their users would
close them). Medians over --runs runs.

Headless, the program plays a one-line demo (`wait 300`, `key escape`) from a copy of its
directory, so it ends by itself. Under Xvfb the script starts its own server
(a free display number) so nothing on the desktop gets in the way.

With --peers, the paint programs a user would pick instead (mtPaint and
GrafX2, when installed) are measured the same way under the same server,
each started empty and with a picture named on its command line, in turns
with the editor so a change in the machine's load reaches all of them.

    python3 bench/startup.py [--program build/app/mienzo] [--runs 7] [--peers]
"""

import argparse
import os
import platform
import re
import shutil
import signal
import statistics
import subprocess
import sys
import tempfile
import time

FIRST_FRAME = re.compile(rb"first frame: monotonic_ns=(\d+)")
HERE = os.path.dirname(os.path.abspath(__file__))
PICTURE = os.path.normpath(os.path.join(HERE, "..", "app", "assets", "harbour.jpg"))


def run_measured(command, env, cwd, during=None):
    """Starts `command`, lets `during(pid, started_ns)` act on it, waits for it.

    Answers (first frame ms or None, extra result of `during`, peak RSS KiB,
    exit status)."""
    stderr = tempfile.TemporaryFile()
    started = time.monotonic_ns()
    process = subprocess.Popen(command, env=env, cwd=cwd, stdout=subprocess.DEVNULL,
                               stderr=stderr)
    try:
        extra = during(process.pid, started) if during else None
    except BaseException:
        process.kill()
        raise
    finally:
        # wait4 below reaps it even when `during` failed.
        try:
            _, status, usage = os.wait4(process.pid, 0)
        finally:
            process.returncode = 0
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
    half second, too coarse for a start-up time. `--all` because xdotool
    otherwise answers windows that meet any one of the conditions."""
    deadline = time.monotonic() + 60
    while time.monotonic() < deadline:
        found = subprocess.run(["xdotool", "search", "--all", "--onlyvisible", "--pid", str(pid),
                                "--name", window_name], env=env, capture_output=True, text=True)
        if found.stdout.strip():
            return found.stdout.split()[0]
        time.sleep(0.005)
    raise RuntimeError(f"no window named {window_name} appeared")


def process_state(pid):
    """The state letter of a child not yet reaped ("Z" once it has ended)."""
    with open(f"/proc/{pid}/stat") as stat:
        return stat.read().rsplit(")", 1)[1].split()[0]


def processor_ns(pid):
    """Processor time used so far by all the process's threads, to the
    nanosecond (schedstat; the clock ticks of /proc/PID/stat are 10 ms)."""
    total = 0
    for task in os.listdir(f"/proc/{pid}/task"):
        try:
            with open(f"/proc/{pid}/task/{task}/schedstat") as schedstat:
                total += int(schedstat.read().split()[0])
        except (OSError, ValueError, IndexError):
            pass  # a thread that ended meanwhile
    return total


SLICE_NS = 50_000_000
BUSY_NS = SLICE_NS // 5  # a fifth of a processor
QUIET_SLICES = 4


def wait_until_settled(pid, started, limit_s=20):
    """Milliseconds from `started` to the end of the last 50 ms slice in
    which the process used more than a fifth of a processor, once four
    slices in a row have stayed below that.

    Not "no use at all": GrafX2 polls its input and keeps using about a
    tenth of a processor while it waits for the user."""
    last_busy = time.monotonic_ns()
    quiet = 0
    used = processor_ns(pid)
    slice_end = last_busy
    deadline = last_busy + limit_s * 1_000_000_000
    while quiet < QUIET_SLICES and slice_end < deadline:
        slice_end += SLICE_NS
        time.sleep(max(0, slice_end - time.monotonic_ns()) / 1e9)
        if process_state(pid) == "Z":
            break
        now_used = processor_ns(pid)
        if now_used - used > BUSY_NS:
            last_busy, quiet = slice_end, 0
        else:
            quiet += 1
        used = now_used
    return (last_busy - started) / 1e6


def wait_for_exit(pid, seconds):
    """True once the process has ended (a zombie not yet reaped)."""
    deadline = time.monotonic() + seconds
    while time.monotonic() < deadline:
        if process_state(pid) == "Z":
            return True
        time.sleep(0.02)
    return False


def xdotool(env, *arguments):
    subprocess.run(["xdotool", *arguments], env=env, check=True, timeout=30,
                   stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)


# How each program is closed, as its user would. Each answers nothing; the
# caller falls back to SIGTERM, then SIGKILL, when the program stays.
def close_mienzo(env, window, with_picture):
    xdotool(env, "mousemove", "--sync", "--window", window, "500", "10", "key", "Escape")


def close_mtpaint(env, window, with_picture):
    # Its File > Quit shortcut; keys reach GTK only in the focused window.
    xdotool(env, "windowfocus", "--sync", window, "key", "ctrl+q")


# GrafX2's QUIT button in its default 640 x 480 window (client coordinates).
GRAFX2_QUIT = ("445", "427")


def close_grafx2(env, window, with_picture):
    # Started empty it shows its version box until a click; a click on the
    # picture instead would paint and make it ask before quitting.
    steps = [] if with_picture else ["mousemove", "--window", window, "320", "200", "click", "1",
                                     "sleep", "0.2"]
    xdotool(env, *steps, "mousemove", "--window", window, *GRAFX2_QUIT, "click", "1")


class Subject:
    """One program started one way, and the runs measured so far."""

    def __init__(self, name, how, command, window_name, close, cwd=None, picture=False,
                 reports_first_frame=False):
        self.name, self.how, self.command = name, how, command
        self.window_name, self.close, self.cwd = window_name, close, cwd
        self.picture, self.reports_first_frame = picture, reports_first_frame
        self.results = []  # (first frame, mapped, settled, peak KiB)
        self.signalled = 0  # runs that had to be ended by a signal

    def run(self, env, keep=True):
        closed_by = []

        def map_settle_close(pid, started):
            wait_for_window(pid, self.window_name, env)
            mapped = (time.monotonic_ns() - started) / 1e6
            settled = wait_until_settled(pid, started)
            try:
                # Looked up again: a program may replace its first window.
                self.close(env, wait_for_window(pid, self.window_name, env), self.picture)
            except (subprocess.SubprocessError, RuntimeError) as error:
                print(f"{self.name}: could not close it as a user would ({error})",
                      file=sys.stderr)
            for sent in (signal.SIGTERM, signal.SIGKILL):
                if wait_for_exit(pid, 10):
                    break
                closed_by.append(sent)
                os.kill(pid, sent)
            return mapped, settled

        first, (mapped, settled), rss, code = run_measured(self.command, env, self.cwd,
                                                           map_settle_close)
        if (not closed_by and code != 0) or (self.reports_first_frame and first is None):
            sys.exit(f"{self.name} ({self.how}) failed: exit {code}, first frame {first}")
        if keep:
            self.results.append((first, mapped, settled, rss))
            self.signalled += bool(closed_by)


def peer_subjects():
    """mtPaint and GrafX2 where installed, each empty and with the picture."""
    peers = []
    for name, shown, window_name, close in (("mtpaint", "mtPaint", "^mtPaint", close_mtpaint),
                                            ("grafx2", "GrafX2", "^GrafX2", close_grafx2)):
        path = shutil.which(name)
        if path is None:
            print(f"{name} is not installed; left out", file=sys.stderr)
            continue
        version = subprocess.run(["dpkg-query", "-W", "-f=${Version}", name],
                                 capture_output=True, text=True).stdout
        label = f"{shown} {re.split('[+-]', version)[0]}".strip()
        peers.append(Subject(label, "new picture", [path], window_name, close))
        peers.append(Subject(label, "harbour.jpg on the command line", [path, PICTURE],
                             window_name, close, picture=True))
    return peers


def xvfb_runs(subjects, runs):
    """Runs every subject `runs` times in turns, after one unmeasured run each
    that leaves the configuration files a returning user has."""
    server, display = start_xvfb()
    home = tempfile.mkdtemp(prefix="mienzo-startup-home-")
    os.makedirs(os.path.join(home, ".config"))
    env = {k: v for k, v in os.environ.items() if not k.startswith("XDG_")}
    env.update(DISPLAY=display, HOME=home, MIENZO_REPORT_FIRST_FRAME="1",
               SDL_AUDIODRIVER="dummy", SDL_VIDEODRIVER="x11")
    try:
        for subject in subjects:
            subject.run(env, keep=False)
        for _ in range(runs):
            for subject in subjects:
                subject.run(env)
    finally:
        server.terminate()
        server.wait()
        shutil.rmtree(home, ignore_errors=True)


def median(values):
    values = [v for v in values if v is not None]
    return statistics.median(values) if values else None


def row(name, results):
    first = median(r[0] for r in results)
    mapped = median(r[1] for r in results)
    rss = median(r[-1] for r in results)
    mapped_text = f"{mapped:.0f}" if mapped is not None else "-"
    return f"| {name} | {first:.0f} | {mapped_text} | {rss / 1024:.1f} |"


def peers_table(mienzo, peers):
    base_mapped = median(r[1] for r in mienzo.results)
    base_rss = median(r[3] for r in mienzo.results)
    print("| program | started with | window mapped (ms) | settled (ms) | peak memory (MiB) "
          "| mapped / Mienzo | memory / Mienzo |")
    print("|---|---|---:|---:|---:|---:|---:|")
    for subject in [mienzo] + peers:
        mapped = median(r[1] for r in subject.results)
        settled = median(r[2] for r in subject.results)
        rss = median(r[3] for r in subject.results)
        note = f" ({subject.signalled} closed by a signal)" if subject.signalled else ""
        print(f"| {subject.name} | {subject.how}{note} | {mapped:.0f} | {settled:.0f} "
              f"| {rss / 1024:.1f} | {mapped / base_mapped:.2f} | {rss / base_rss:.2f} |")
    print("| Mienzo | a picture on the command line: not offered, it opens pictures "
          "from its dialog | - | - | - | - | - |")


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--program", default=os.path.join(HERE, "..", "build", "app", "mienzo"))
    parser.add_argument("--runs", type=int, default=7)
    parser.add_argument("--peers", action="store_true",
                        help="also measure mtPaint and GrafX2 under the same Xvfb")
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
    headless = headless_runs(program, args.runs)
    mienzo = Subject("Mienzo", "its editor, the picture box showing harbour.jpg", [program],
                     "^Mienzo$", close_mienzo, cwd=os.path.dirname(program),
                     reports_first_frame=True)
    peers = peer_subjects() if args.peers else []
    xvfb_runs([mienzo] + peers, args.runs)
    print("| display | first frame (ms) | window mapped (ms) | peak memory (MiB) |")
    print("|---|---:|---:|---:|")
    print(row("headless", headless))
    print(row("SDL under Xvfb", mienzo.results))
    if peers:
        print()
        peers_table(mienzo, peers)
    print(f"\nload afterwards {os.getloadavg()[0]:.2f}")


if __name__ == "__main__":
    main()

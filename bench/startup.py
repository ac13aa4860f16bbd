# SPDX-License-Identifier: MIT
"""Start-up of the game against its floors, interleaved under one Xvfb.

For each program: the time from exec to the window's first frame (the first damage the
X server reports on it), peak RSS, shared libraries loaded, and, under callgrind, the
instructions executed up to the first frame.

Usage: startup.py ROUNDS NAME=BINARY ...
"""

import json
import os
import select
import statistics
import subprocess
import sys
import tempfile
import time

sys.path.insert(0, os.path.join(os.path.dirname(__file__), "..", "tests", "e2e"))
from xsession import XServer  # noqa: E402
from Xlib import X, error  # noqa: E402
from Xlib.ext import damage, xtest  # noqa: E402

WIDTH, HEIGHT = 683, 561
DAMAGES = []  # of the windows being watched; reported again once subtracted
WATCHED_WINDOW = []  # the game's window, once it has painted


def watch_first_frame(server, command, timeout=120, keep_watching=False):
    """Starts the command; returns (process, seconds to first frame)."""
    d = server.display
    root = d.screen().root
    root.change_attributes(event_mask=X.SubstructureNotifyMask)
    d.sync()
    runtime = tempfile.mkdtemp()
    env = {k: v for k, v in os.environ.items() if not k.startswith("QT_")}
    env.update(DISPLAY=server.name, QT_QPA_PLATFORM="xcb", XDG_RUNTIME_DIR=runtime)
    start = time.monotonic()
    process = subprocess.Popen(command, env=env, stdout=subprocess.DEVNULL,
                               stderr=subprocess.DEVNULL)
    watched = set()
    deadline = start + timeout
    while time.monotonic() < deadline:
        while d.pending_events():
            event = d.next_event()
            if event.type == X.CreateNotify:
                # Any top-level window may become the game's; its size says which it is.
                DAMAGES.append(event.window.damage_create(damage.DamageReportNonEmpty))
                watched.add(event.window.id)
            elif (event.type == d.extension_event.DamageNotify and event.drawable.id in watched
                  and (event.drawable_geometry.width, event.drawable_geometry.height) == (WIDTH, HEIGHT)):
                WATCHED_WINDOW[:] = [event.drawable.id]
                elapsed = time.monotonic() - start
                if not keep_watching:
                    root.change_attributes(event_mask=X.NoEventMask)
                d.sync()
                return process, elapsed
        select.select([d.fileno()], [], [], 0.01)
    process.kill()
    raise RuntimeError("no frame from %s" % command)


def next_damage_after(server, action, timeout=10):
    """Seconds from the action to the next damage on a watched window."""
    d = server.display
    for damage_id in DAMAGES:
        d.damage_subtract(damage_id)
    d.sync()
    while d.pending_events():
        d.next_event()
    start = time.monotonic()
    action()
    while time.monotonic() - start < timeout:
        while d.pending_events():
            if d.next_event().type == d.extension_event.DamageNotify:
                return time.monotonic() - start
        select.select([d.fileno()], [], [], 0.005)
    raise RuntimeError("the click painted nothing")


def cold_first_click(server, binary):
    """A fresh game's first click on its background, to the first pixels it changes."""
    DAMAGES.clear()
    process, _ = watch_first_frame(server, [binary], keep_watching=True)
    time.sleep(0.5)  # the player takes a moment before the first click
    d = server.display
    root = d.screen().root
    window = d.create_resource_object("window", WATCHED_WINDOW[0])
    at = root.translate_coords(window, 300, 266)
    xtest.fake_input(d, X.MotionNotify, x=at.x, y=at.y)
    d.sync()

    def click():
        xtest.fake_input(d, X.ButtonPress, 1)
        xtest.fake_input(d, X.ButtonRelease, 1)
        d.flush()

    seconds = next_damage_after(server, click)
    server.display.screen().root.change_attributes(event_mask=X.NoEventMask)
    stop(process)
    return seconds


def peak_rss_kib(pid):
    with open("/proc/%d/status" % pid) as status:
        for line in status:
            if line.startswith("VmHWM:"):
                return int(line.split()[1])
    return 0


def shared_libraries(pid):
    with open("/proc/%d/maps" % pid) as maps:
        return len({line.split()[-1] for line in maps if ".so" in line.split()[-1]})


def stop(process):
    process.kill()
    process.wait()


def measure(server, binary):
    process, seconds = watch_first_frame(server, [binary])
    at_first_frame = peak_rss_kib(process.pid)
    time.sleep(0.3)  # let start-up finish what follows the first frame before reading RSS
    result = {"seconds": seconds, "rss_kib": peak_rss_kib(process.pid),
              "rss_first_frame_kib": at_first_frame,
              "libraries": shared_libraries(process.pid)}
    stop(process)
    return result


def instructions(server, binary):
    """Instructions up to the first frame, counted by callgrind."""
    out = tempfile.mktemp(prefix="callgrind.")
    process, _ = watch_first_frame(server, ["valgrind", "--tool=callgrind", "--dump-instr=no",
                                            "--callgrind-out-file=" + out, binary])
    subprocess.run(["callgrind_control", "--dump=first-frame", str(process.pid)],
                   capture_output=True, timeout=120)
    stop(process)
    total = 0
    for path in [p for p in os.listdir(os.path.dirname(out))
                 if p.startswith(os.path.basename(out))]:
        full = os.path.join(os.path.dirname(out), path)
        with open(full) as dump:
            text = dump.read()
        if "first-frame" in text:
            for line in text.splitlines():
                if line.startswith("summary:") or line.startswith("totals:"):
                    total = int(line.split()[1])
        os.remove(full)
    return total


def spread(values):
    values = sorted(values)
    return {"median": statistics.median(values), "min": values[0], "max": values[-1],
            "q1": values[len(values) // 4], "q3": values[(3 * len(values)) // 4]}


def main():
    rounds = int(sys.argv[1])
    programs = dict(arg.split("=", 1) for arg in sys.argv[2:])
    server = XServer()
    # Windows come and go under us; errors about the ones already gone are expected.
    server.display.set_error_handler(lambda err, request: None)
    server.display.damage_query_version()  # the extension wants this before any use
    samples = {name: [] for name in programs}
    try:
        names = list(programs)
        for round_number in range(rounds):
            # Rotate the order so no program always runs first (or warm) in a round.
            order = names[round_number % len(names):] + names[:round_number % len(names)]
            for name in order:
                samples[name].append(measure(server, programs[name]))
        counts = {name: instructions(server, binary) for name, binary in programs.items()}
        clicks = [cold_first_click(server, programs["wordrop"]) * 1000 for _ in range(rounds)]
    finally:
        server.stop()

    report = {}
    for name, runs in samples.items():
        report[name] = {
            "first_frame_ms": spread([r["seconds"] * 1000 for r in runs]),
            "peak_rss_mib": spread([r["rss_kib"] / 1024 for r in runs]),
            "peak_rss_at_first_frame_mib": spread([r["rss_first_frame_kib"] / 1024 for r in runs]),
            "shared_libraries": runs[0]["libraries"],
            "instructions_to_first_frame": counts[name],
            "binary_bytes": os.path.getsize(programs[name]),
        }
    report["wordrop"]["cold_first_click_ms"] = spread(clicks)
    json.dump(report, sys.stdout, indent=2)
    print()


if __name__ == "__main__":
    main()

# SPDX-License-Identifier: MIT
"""The game with too little memory: it plays, or it ends with one line saying memory ran out
and a failure status. It never aborts, and never hangs with a window that does not answer.

The address space is limited as `ulimit -v` or `prlimit --as` would, in steps from far
below what the game takes to play up to that, so that allocations fail wherever the game
and Qt happen to be when it runs out: loading faces, making widgets, starting the threads
of the X connection and of the accessibility bridge's D-Bus connection, mapping the
window's pixels. Run it in a session bus of its own (dbus-run-session), as a desktop has.

Usage: test_memory.py WORDROP_BINARY
"""

import collections
import os
import resource
import subprocess
import sys
import tempfile
import time
import unittest

from xsession import CLIENT_SIZE, OnXServer

BINARY = None
MB = 1 << 20


class Run:
    """The game under an address-space limit (None for none), on the server given."""

    def __init__(self, server, limit):
        self.server = server
        self.runtime_dir = tempfile.TemporaryDirectory()
        env = {k: v for k, v in os.environ.items() if not k.startswith("QT_")}
        env.update(DISPLAY=server.name, QT_QPA_PLATFORM="xcb",
                   XDG_RUNTIME_DIR=self.runtime_dir.name)

        def limit_address_space():
            if limit is not None:
                resource.setrlimit(resource.RLIMIT_AS, (limit, limit))

        self.process = subprocess.Popen([BINARY], env=env, stdout=subprocess.DEVNULL,
                                        stderr=subprocess.PIPE, text=True,
                                        preexec_fn=limit_address_space)

    def xdotool(self, *args, timeout=10):
        return subprocess.run(["xdotool", *map(str, args)], capture_output=True, text=True,
                              env={**os.environ, "DISPLAY": self.server.name},
                              timeout=timeout)

    def window(self):
        found = self.xdotool("search", "--onlyvisible", "--pid", self.process.pid).stdout.split()
        for wid in found:
            geometry = self.xdotool("getwindowgeometry", wid).stdout
            if "Geometry: %dx%d" % CLIENT_SIZE in geometry:
                return wid
        return None

    def wait(self, what, timeout):
        """Polls until the game has exited or shown its window; says which, or None."""
        deadline = time.monotonic() + timeout
        while time.monotonic() < deadline:
            if self.process.poll() is not None:
                return "exited"
            if what == "window" and self.window():
                return "window"
            time.sleep(0.05)
        return None

    def peak(self):
        with open("/proc/%d/status" % self.process.pid) as status:
            for line in status:
                if line.startswith("VmPeak:"):
                    return int(line.split()[1]) * 1024
        raise RuntimeError("no VmPeak")

    def close_by_keyboard(self, wid):
        """A click that starts a game, then Ctrl+Q, as a player closes the window; True when
        the game ended within 10 s."""
        try:
            self.xdotool("mousemove", "--window", wid, 300, 270, "click", "1")
            self.xdotool("windowfocus", "--sync", wid)
            self.xdotool("key", "ctrl+q")
        except subprocess.TimeoutExpired:
            pass
        return self.wait("exit", 10) == "exited"

    def threads(self):
        """Where each thread waits, as the kernel says: for a failure's message."""
        tasks = "/proc/%d/task" % self.process.pid
        said = []
        for task in sorted(os.listdir(tasks)):
            with open(os.path.join(tasks, task, "comm")) as comm, \
                    open(os.path.join(tasks, task, "wchan")) as wchan:
                said.append("%s in %s" % (comm.read().strip(), wchan.read().strip()))
        return ", ".join(said)

    def stop(self):
        if self.process.poll() is None:
            self.process.kill()
            self.process.wait()
        stderr = self.process.stderr.read()
        self.process.stderr.close()
        self.runtime_dir.cleanup()
        return stderr


class OutOfMemoryTest(OnXServer):
    def test_too_little_memory_ends_in_one_line_or_the_game_plays(self):
        # What the game reserves once its window is up, unlimited: an upper bound, since
        # much of it is thread stacks that are never touched.
        run = Run(self.server, None)
        try:
            self.assertEqual(run.wait("window", 20), "window", "the game showed no window")
            reserved = run.peak()
            self.assertTrue(run.close_by_keyboard(run.window()))
        finally:
            run.stop()

        # The least it plays with, to a megabyte, then each megabyte of the 40 below that,
        # where it runs out at one place or another.
        low, high = 0, reserved // MB
        while high - low > 1:
            middle = (low + high) // 2
            if self.attempt(middle * MB) == "played":
                high = middle
            else:
                low = middle
        outcomes = [self.attempt(limit * MB) for limit in range(high - 40, high + 1)]
        counts = collections.Counter(outcomes)
        print("from %d MB to %d MB: %s" % (high - 40, high, ", ".join(
            "%s %d" % outcome for outcome in sorted(counts.items()))))
        self.assertIn("out of memory", outcomes, "no limit ran the game out of memory")

    def attempt(self, limit):
        """Runs the game under the limit, checks how it ended, and says how."""
        run = Run(self.server, limit)
        what = run.wait("window", 20)
        if what == "window":
            closed = run.close_by_keyboard(run.window())
            threads = "" if closed else run.threads()
            status = run.process.poll()
            stderr = run.stop()
            if not closed:
                self.fail("at %d MB the window does not answer Ctrl+Q (threads: %s): %s"
                          % (limit // MB, threads, stderr))
            if status == 0:
                return "played"
            self.check_out_of_memory(limit, status, stderr)
            return "out of memory while playing"
        status = run.process.poll()
        threads = run.threads() if status is None else ""
        stderr = run.stop()
        self.assertIsNotNone(status, "at %d MB the game hung before its window showed "
                             "(threads: %s): %s" % (limit // MB, threads, stderr))
        if status == 127 and "error while loading shared libraries" in stderr:
            return "not loaded"  # the dynamic loader's own message: the program never ran
        self.check_out_of_memory(limit, status, stderr)
        return "out of memory"

    def check_out_of_memory(self, limit, status, stderr):
        at = "at %d MB" % (limit // MB)
        self.assertGreater(status, 0, "%s the game died of signal %d: %s" % (at, -status, stderr))
        lines = stderr.strip().splitlines()
        self.assertTrue(lines, "%s the game ended (status %d) and said nothing" % (at, status))
        self.assertTrue(lines[-1].startswith("wordrop: out of memory"),
                        "%s the game ended (status %d) with: %s" % (at, status, stderr))


if __name__ == "__main__":
    BINARY = os.path.abspath(sys.argv[1])
    unittest.main(argv=[sys.argv[0], "-v"])

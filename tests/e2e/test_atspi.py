# SPDX-License-Identifier: MIT
"""The accessibility tree as a screen reader gets it, over a real AT-SPI bus.

Run inside its own session bus, one test class at a time:
dbus-run-session -- python3 test_atspi.py WORDROP_BINARY AtSpiTest
"""

import os
import re
import subprocess
import sys
import tempfile
import threading
import time
import tty
import unittest

from xsession import Game, XServer

BINARY = None
TEXT_BOX = (7080, 2880)


def wait_for_bus_name(name, timeout=15):
    """Waits until a service owns the name on the session bus: a client that asks before
    then has the bus start a second one."""
    deadline = time.monotonic() + timeout
    while time.monotonic() < deadline:
        owned = subprocess.run(
            ["dbus-send", "--session", "--print-reply", "--dest=org.freedesktop.DBus",
             "/org/freedesktop/DBus", "org.freedesktop.DBus.NameHasOwner", "string:" + name],
            capture_output=True, text=True, timeout=10).stdout
        if "boolean true" in owned:
            return
        time.sleep(0.1)
    raise RuntimeError("nothing took the bus name " + name)


class AtSpiTest(unittest.TestCase):
    def setUp(self):
        if not os.environ.get("DBUS_SESSION_BUS_ADDRESS"):
            self.skipTest("needs a session bus: run under dbus-run-session")
        self.server = XServer()
        self.addCleanup(self.server.stop)
        self.bus = subprocess.Popen(["/usr/libexec/at-spi-bus-launcher", "--launch-immediately"],
                                    stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
                                    env={**os.environ, "DISPLAY": self.server.name})
        self.addCleanup(self.stop_bus)
        os.environ["DISPLAY"] = self.server.name
        self.game = Game(self.server, BINARY, {"QT_LINUX_ACCESSIBILITY_ALWAYS_ON": "1",
                                                "QT_ACCESSIBILITY": "1"})
        self.addCleanup(self.game.stop)
        # libatspi complains on stderr about events it cannot read: keep what it says.
        self.complaints = tempfile.TemporaryFile()
        saved_stderr = os.dup(2)
        os.dup2(self.complaints.fileno(), 2)
        self.addCleanup(self.restore_stderr, saved_stderr)
        import pyatspi  # after the bus is up: it connects when imported
        self.pyatspi = pyatspi

    def restore_stderr(self, saved):
        os.dup2(saved, 2)
        os.close(saved)
        self.complaints.close()

    def tearDown(self):
        self.complaints.seek(0)
        self.assertNotIn(b"dbind-WARNING", self.complaints.read())

    def stop_bus(self):
        self.bus.terminate()
        self.bus.wait()

    def window(self, timeout=15):
        """The game's window as the registry lists it."""
        deadline = time.monotonic() + timeout
        while time.monotonic() < deadline:
            desktop = self.pyatspi.Registry.getDesktop(0)
            for app in desktop:
                if app is not None and app.name == "wordrop":
                    for window in app:
                        if window is not None and window.name == "Form1":
                            return window
            time.sleep(0.2)
        self.fail("the game never appeared on the accessibility bus")

    def read(self, condition, what, timeout=10):
        """Reads the window's description and children until the condition holds."""
        deadline = time.monotonic() + timeout
        while True:
            window = self.window()
            names = [(child.getRoleName(), child.name) for child in window if child is not None]
            description = window.description
            if condition(description, names):
                return description, names
            if time.monotonic() > deadline:
                self.fail("%s: saw %r with %r" % (what, description, names))
            time.sleep(0.2)

    def test_the_tree_follows_the_game(self):
        self.read(lambda d, n: d == "Click the window or press F2 to start a game." and n == [],
                  "the start screen")
        self.game.click(4500, 4000)
        _, names = self.read(lambda d, n: d.startswith("0 wrong guesses"), "the board")
        self.assertIn(("label", "Wordrop??"), names)
        self.assertIn(("push button", "Ok!"), names)

        self.game.focus()
        self.game.click(*TEXT_BOX)
        for letter in "gx":
            self.game.type(letter)
            self.game.key("Return")
        description, names = self.read(lambda d, n: d.startswith("1 wrong guess:"), "two guesses")
        self.assertEqual(description, "1 wrong guess: x. Word: _ _ _ G _ _ _ _ _ _ G")
        self.assertEqual([n for n in names if n[1].startswith("G")],
                         [("label", "G, position 4"), ("label", "G, position 11")])
        self.assertIn(("label", "Wrong guesses: x"), names)

        # The winning guess hides the focused box: the focus goes to the banner, which
        # Enter presses.
        for letter in "proamin":
            self.game.type(letter)
            self.game.key("Return")
        self.read(lambda d, n: d.startswith("You win!"), "the win banner")
        banner = next(child for child in self.window()
                      if child is not None and child.name == "You Win!!!")
        self.assertTrue(banner.getState().contains(self.pyatspi.STATE_FOCUSED),
                        "the banner has the focus")
        self.game.key("Return")
        self.read(lambda d, n: d.startswith("The game is over"), "the closing screen")


class OrcaTest(unittest.TestCase):
    """Debian's Orca through one whole game played by keyboard alone. Its speech server is
    off: what it would say is in its debug log all the same."""

    def setUp(self):
        if not os.environ.get("DBUS_SESSION_BUS_ADDRESS"):
            self.skipTest("needs a session bus: run under dbus-run-session")
        self.server = XServer()
        self.addCleanup(self.server.stop)
        self.home = tempfile.TemporaryDirectory()
        self.addCleanup(self.home.cleanup)
        runtime_dir = os.path.join(self.home.name, "runtime")
        os.mkdir(runtime_dir, 0o700)
        # Orca's settings go through dconf, which wants a runtime directory of its own.
        env = {**os.environ, "DISPLAY": self.server.name, "HOME": self.home.name,
               "XDG_RUNTIME_DIR": runtime_dir}
        self.bus = subprocess.Popen(["/usr/libexec/at-spi-bus-launcher", "--launch-immediately"],
                                    stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, env=env)
        self.addCleanup(self.bus.terminate)
        wait_for_bus_name("org.a11y.Bus")
        self.game = Game(self.server, BINARY, {"QT_LINUX_ACCESSIBILITY_ALWAYS_ON": "1",
                                                "QT_ACCESSIBILITY": "1"})
        self.addCleanup(self.game.stop)
        # Orca buffers its debug log unless it goes to a terminal: it gets a pseudo-terminal,
        # read as it writes.
        master, terminal = os.openpty()
        tty.setraw(terminal)
        self.said = []
        self.started = False
        self.reader = threading.Thread(target=self.read_log, args=(master,), daemon=True)
        self.reader.start()
        self.orca_output = tempfile.TemporaryFile()
        self.orca = subprocess.Popen(
            ["orca", "--replace", "--disable", "speech", "--disable", "braille", "--user-prefs",
             os.path.join(self.home.name, "prefs"), "--debug-file", os.ttyname(terminal)],
            env=env, stdout=self.orca_output, stderr=subprocess.STDOUT)
        self.addCleanup(os.close, terminal)  # the log reads on while one end is open
        self.addCleanup(self.stop_orca)
        deadline = time.monotonic() + 30
        while not self.started:
            self.assertLess(time.monotonic(), deadline, "Orca did not start")
            time.sleep(0.1)
        self.game.focus()
        self.wait_for_speech(lambda said: "Form1 frame." in said, "Orca reading the window")

    def read_log(self, master):
        pending = b""
        while True:
            try:
                chunk = os.read(master, 1 << 16)
            except OSError:  # every end of the terminal closed
                break
            if not chunk:
                break
            pending += chunk
            *lines, pending = pending.split(b"\n")
            for line in lines:
                self.started = self.started or b"ORCA: Starting registry" in line
                found = re.search(r"SPEECH OUTPUT: '(.*?)' ?(\{.*)?$",
                                  line.decode(errors="replace").rstrip("\r"))
                if found:
                    self.said.append(found.group(1))
        os.close(master)

    def stop_orca(self):
        self.orca.kill()  # it does not always answer SIGTERM
        self.orca.wait()
        self.orca_output.close()

    def speech(self):
        """What Orca has said so far, one utterance a line."""
        return list(self.said)

    def wait_for_speech(self, condition, what, timeout=30):
        deadline = time.monotonic() + timeout
        while not condition(self.speech()):
            if time.monotonic() > deadline:
                self.fail("%s: Orca said %r" % (what, self.speech()))
            time.sleep(0.2)

    def notifications(self):
        return [line[len("notification "):] for line in self.speech()
                if line.startswith("notification ")]

    def press(self, *keys, then):
        """Keys, then a wait until Orca has spoken the notification that follows."""
        count = len(self.notifications())
        self.game.key(*keys)
        self.wait_for_speech(lambda said: len(self.notifications()) > count, then)
        self.assertEqual(self.notifications()[-1], then)

    def test_a_whole_game_by_keyboard_is_spoken(self):
        self.press("F2", then="A new game: the word has 11 letters. Pick a letter.")
        self.game.key("Tab", "Tab")
        self.wait_for_speech(lambda said: "Pick a letter text." in said, "the text box by name")
        spoken = {"g": "G appears at positions 4 and 11.",
                  "x": '"x" is wrong. 8 wrong guesses left.',
                  "p": "P appears at position 1.", "r": "R appears at positions 2 and 5.",
                  "o": "O appears at position 3.", "a": "A appears at position 6.",
                  "m": "M appears at positions 7 and 8.", "i": "I appears at position 9.",
                  "n": "You win! The word was PROGRAMMING."}
        for letter, then in spoken.items():
            self.game.type(letter)
            self.press("Return", then=then)
        self.press("Return", then="Please exit and try again.")
        self.game.key("ctrl+q")
        status = self.game.wait_exit()
        # Under the sanitizers a leak report is what turns the status to 1: show it.
        self.assertEqual(status, 0, status is not None and self.game.process.stderr.read())
        self.orca_output.seek(0)
        complaints = self.orca_output.read().decode(errors="replace")
        self.assertNotIn("dbind-WARNING", complaints)


if __name__ == "__main__":
    BINARY = os.path.abspath(sys.argv[1])
    # Each client wants a session bus of its own: name the test class to run.
    unittest.main(argv=[sys.argv[0], "-v", *sys.argv[2:]])

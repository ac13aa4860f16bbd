"""The accessibility tree as a screen reader gets it, over a real AT-SPI bus.

Run inside its own session bus: dbus-run-session -- python3 test_atspi.py WORDROP_BINARY
"""

import os
import subprocess
import sys
import time
import unittest

from xsession import Game, XServer

BINARY = None
TEXT_BOX = (7080, 2880)


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
        import pyatspi  # after the bus is up: it connects when imported
        self.pyatspi = pyatspi

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
        self.read(lambda d, n: d == "Click the window to start a game." and n == [],
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
        self.assertEqual(names.count(("label", "G")), 2)
        self.assertIn(("label", "x"), names)


if __name__ == "__main__":
    BINARY = os.path.abspath(sys.argv[1])
    unittest.main(argv=[sys.argv[0], "-v"])

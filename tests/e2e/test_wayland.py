# SPDX-License-Identifier: MIT
"""The game on Wayland: Debian's Weston, nested in an Xvfb of its own, where the client draws
the title bar itself. Real clicks and keys go in through the X server, pixels come back from it.

Usage: test_wayland.py WORDROP_BINARY [ARTIFACT_DIR]
"""

import os
import subprocess
import sys
import tempfile
import time
import unittest

from Xlib import X

from xsession import XServer

BINARY = None
ARTIFACTS = None

CLIENT_SIZE = (683, 561)
OUTPUT_SIZE = (1100, 800)
BUTTON_FACE = (192, 192, 192)
VIOLET = (141, 31, 255)
DARK_BLUE = (0, 0, 192)

# The title bar, from the client area's top left corner, in pixels; MINIMIZE and MAXIMIZE
# are where Qt's own title bar has those buttons.
TITLE_BAR = (0, -30, 683, 30)
TITLE = (300, -15)
MINIMIZE = (624, -15)
MAXIMIZE = (647, -15)
CLOSE = (669, -15)
RIGHT_EDGE = (684, 300)
BACKGROUND = (300, 266)  # 4500, 4000 twips
TEXT_BOX = (472, 192)


class Weston:
    """Weston's desktop on its X11 backend, drawn without GL so that pointer and picture
    agree to the pixel."""

    def __init__(self, server):
        self.server = server
        self.runtime_dir = tempfile.TemporaryDirectory()
        os.chmod(self.runtime_dir.name, 0o700)
        self.socket = "wordrop-e2e"
        self.log = tempfile.TemporaryFile()
        width, height = OUTPUT_SIZE
        # Weston's X11 backend takes the pointer in only when the X pointer enters its window,
        # and Xvfb starts with it in the middle of the screen, where that window will open.
        subprocess.run(["xdotool", "mousemove", str(width + 50), str(height + 50)], check=True,
                       timeout=20, env={**os.environ, "DISPLAY": server.name})
        # No panel (its launcher would take a stray click) and no animations (a window
        # caught mid-zoom is no window to measure).
        config = os.path.join(self.runtime_dir.name, "weston.ini")
        with open(config, "w") as ini:
            ini.write("[shell]\npanel-position=none\nanimation=none\nstartup-animation=none\n"
                      "close-animation=none\nfocus-animation=none\n")
        self.process = subprocess.Popen(
            ["weston", "--backend=x11-backend.so", "--use-pixman", "--socket=" + self.socket,
             "--width=%d" % width, "--height=%d" % height, "--config=" + config,
             "--idle-time=0"],
            env={**os.environ, "DISPLAY": server.name, "XDG_RUNTIME_DIR": self.runtime_dir.name},
            stdout=self.log, stderr=subprocess.STDOUT)
        deadline = time.monotonic() + 20
        while not os.path.exists(os.path.join(self.runtime_dir.name, self.socket)):
            if time.monotonic() > deadline or self.process.poll() is not None:
                self.log.seek(0)
                raise RuntimeError("weston did not start: " + self.log.read().decode()[-2000:])
            time.sleep(0.1)
        time.sleep(1)  # its shell's panel and background

    def stop(self):
        if self.process.poll() is None:
            self.process.terminate()
            self.process.wait(10)
        self.log.close()
        self.runtime_dir.cleanup()


class WaylandGame:
    def __init__(self, weston):
        self.weston = weston
        env = {k: v for k, v in os.environ.items() if not k.startswith(("QT_", "DISPLAY"))}
        env.update(QT_QPA_PLATFORM="wayland", WAYLAND_DISPLAY=weston.socket,
                   XDG_RUNTIME_DIR=weston.runtime_dir.name)
        self.process = subprocess.Popen([BINARY], env=env, stdout=subprocess.PIPE,
                                        stderr=subprocess.PIPE, text=True)

    def stop(self):
        if self.process.poll() is None:
            self.process.kill()
            self.process.wait()
        self.process.stdout.close()
        self.process.stderr.close()

    def wait_exit(self, timeout):
        try:
            return self.process.wait(timeout)
        except subprocess.TimeoutExpired:
            return None


class WaylandTest(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.server = XServer()
        try:
            cls.weston = Weston(cls.server)
        except Exception:
            cls.server.stop()
            raise

    @classmethod
    def tearDownClass(cls):
        cls.weston.stop()
        cls.server.stop()

    def setUp(self):
        self.game = WaylandGame(self.weston)
        self.addCleanup(self.game.stop)
        self.origin = self.wait_for_client(BUTTON_FACE, "the start screen")

    # The screen, read back from the X server.
    def pixels(self):
        width, height = OUTPUT_SIZE
        root = self.server.display.screen().root
        return root.get_image(0, 0, width, height, X.ZPixmap, 0xFFFFFFFF).data

    def client_area(self, colour):
        """The rectangle the colour fills in rows of at least 300 pixels, as (x, y, w, h)."""
        data, (width, height) = self.pixels(), OUTPUT_SIZE
        target = bytes((colour[2], colour[1], colour[0]))
        rows, starts, ends = [], [], []
        for y in range(height):
            row = data[y * width * 4:(y + 1) * width * 4]
            x = 0
            while x < width:
                if row[x * 4:x * 4 + 3] != target:
                    x += 1
                    continue
                start = x
                while x < width and row[x * 4:x * 4 + 3] == target:
                    x += 1
                if x - start >= 300:
                    rows.append(y)
                    starts.append(start)
                    ends.append(x)
        if not rows:
            return None
        return (min(starts), rows[0], max(ends) - min(starts), rows[-1] - rows[0] + 1)

    def wait_for_client(self, colour, what, timeout=10):
        deadline = time.monotonic() + timeout
        area = None
        while time.monotonic() < deadline:
            self.assertIsNone(self.game.process.poll(), "the game ended: " + self.stderr())
            area = self.client_area(colour)
            if area and area[2:] == CLIENT_SIZE:
                return area[:2]
            time.sleep(0.1)
        self.screenshot()
        self.fail("%s: no %dx%d window of %s, saw %s" % ((what,) + CLIENT_SIZE + (colour, area)))

    def stderr(self):
        if self.game.process.poll() is None:
            return ""
        return self.game.process.stderr.read()[-3000:]

    def screenshot(self):
        path = os.path.join(ARTIFACTS, self.id().split(".")[-1] + ".png")
        os.makedirs(ARTIFACTS, exist_ok=True)
        subprocess.run(["import", "-display", self.server.name, "-window", "root", path],
                       check=False, capture_output=True, timeout=30)

    # Input through the X server, which Weston's backend hands on as its own.
    def xdotool(self, *args):
        subprocess.run(["xdotool", *map(str, args)], check=True, timeout=20,
                       env={**os.environ, "DISPLAY": self.server.name})

    def at(self, offset):
        return self.origin[0] + offset[0], self.origin[1] + offset[1]

    def click(self, offset, repeat=1):
        # The pointer comes in from one side, so that Weston sees it move even where the X
        # pointer already stood.
        x, y = self.at(offset)
        self.xdotool("mousemove", x - 5, y - 5, "sleep", "0.05", "mousemove", x, y, "sleep", "0.1",
                     "click", "--repeat", repeat, "--delay", 80, 1)

    def keys(self, *keys):
        self.xdotool("key", "--delay", 40, *keys)

    def still_as_designed(self, colour, what):
        time.sleep(0.8)  # a maximized state comes and goes within a round trip or two
        self.origin = self.wait_for_client(colour, what)

    def buttons(self):
        """The marks drawn right of the title, as (left, right) spans of columns: what is
        darker than the bar's own colour, apart by 3 pixels or more."""
        data, width = self.pixels(), OUTPUT_SIZE[0]
        left, top, bar_width, height = TITLE_BAR
        x0, y0 = self.at((left, top))
        background = data[((y0 + 2) * width + x0 + 400) * 4:][:3]
        spans = []
        for x in range(x0 + 400, x0 + bar_width):
            inked = any(
                any(data[((y0 + y) * width + x) * 4 + c] < background[c] - 30 for c in range(3))
                for y in range(5, height - 5))
            if not inked:
                continue
            if spans and x - spans[-1][1] < 3:
                spans[-1][1] = x
            else:
                spans.append([x, x])
        return [(a - x0, b - x0) for a, b in spans]

    def test_the_title_bar_offers_close_only(self):
        # The bar may come to the screen a frame after the window's client area, and the
        # last test's window may still be on it.
        deadline = time.monotonic() + 5
        buttons = []
        while not buttons and time.monotonic() < deadline:
            self.origin = self.wait_for_client(BUTTON_FACE, "the start screen")
            buttons = self.buttons()
            if not buttons:
                time.sleep(0.1)
        self.assertEqual(len(buttons), 1, "marks right of the title at %s" % buttons)

        self.assertTrue(buttons[0][0] <= CLOSE[0] <= buttons[0][1], buttons)
        # Where other title bars have minimize and maximize, a click changes nothing.
        self.click(MINIMIZE)
        self.still_as_designed(BUTTON_FACE, "after a click where minimize would be")
        self.click(MAXIMIZE)
        self.still_as_designed(BUTTON_FACE, "after a click where maximize would be")
        self.click(CLOSE)
        self.assertEqual(self.game.wait_exit(5), 0, self.stderr())

    def test_maximize_tried_each_way_changes_nothing(self):
        self.click(TITLE, repeat=2)
        self.still_as_designed(BUTTON_FACE, "after a double-click on the title bar")
        self.keys("super+shift+m")
        self.still_as_designed(BUTTON_FACE, "after Weston's own maximize")
        self.keys("super+shift+m")
        self.still_as_designed(BUTTON_FACE, "after Weston's own maximize again")
        self.keys("super+shift+f")
        self.still_as_designed(BUTTON_FACE, "after Weston's own full screen")
        x, y = self.at(RIGHT_EDGE)
        self.xdotool("mousemove", x, y, "mousedown", 1, "mousemove", x + 40, y + 20, "sleep",
                     "0.2", "mousemove", x + 90, y + 40, "sleep", "0.2", "mouseup", 1)
        self.still_as_designed(BUTTON_FACE, "after dragging the right edge")

    def test_a_whole_game_to_the_closing_screen_then_close(self):
        self.click(BACKGROUND)
        self.still_as_designed(VIOLET, "the board")
        self.click(TEXT_BOX)
        for letter in "programin":
            self.xdotool("type", letter)
            self.keys("Return")
        self.still_as_designed(DARK_BLUE, "the win banner")
        self.keys("Return")
        self.keys("super+shift+m")
        self.still_as_designed(DARK_BLUE, "the closing screen")
        self.click(CLOSE)
        self.assertEqual(self.game.wait_exit(5), 0, self.stderr())

    def test_closing_ends_the_process_promptly_every_time(self):
        for attempt in range(6):
            if attempt:
                self.game = WaylandGame(self.weston)
                self.addCleanup(self.game.stop)
                self.origin = self.wait_for_client(BUTTON_FACE, "the start screen")
            if attempt % 2:
                self.keys("ctrl+q")
            else:
                self.click(CLOSE)
            self.assertEqual(self.game.wait_exit(3), 0, "attempt %d: %s" % (attempt, self.stderr()))


if __name__ == "__main__":
    BINARY = os.path.abspath(sys.argv[1])
    ARTIFACTS = os.path.abspath(sys.argv[2] if len(sys.argv) > 2 else "e2e-failures")
    unittest.main(argv=[sys.argv[0], "-v"])

# SPDX-License-Identifier: MIT
"""The game played from the outside: a real X window, real clicks and keys, real pixels.

Usage: test_window.py WORDROP_BINARY [ARTIFACT_DIR]
"""

import os
import subprocess
import sys
import time
import unittest

from Xlib import X, protocol

from xsession import Game, OnXServer, XServer

BINARY = None
ARTIFACTS = None

VIOLET = (141, 31, 255)
BUTTON_FACE = (192, 192, 192)
OLIVE = (64, 64, 0)
BLACK = (0, 0, 0)
WHITE = (255, 255, 255)
RED = (255, 0, 0)
DARK_BLUE = (0, 0, 192)
BLUE = (0, 0, 255)

# Places in twips, from the window's layout.
BACKGROUND = (4500, 4000)
TEXT_BOX = (7080, 2880)
TEXT_BOX_INK = (6780, 2700, 615, 390)  # inside the box, clear of its border
OK_BUTTON = (7080, 3540)
WRONG_BOX_0 = (240, 120, 375, 495)
LETTER = {"P": (5040, 6960, 375, 255), "R": (5520, 6960, 375, 255), "O": (6000, 6960, 375, 255),
          "G": (6480, 6960, 375, 255)}
HEAD_TOP = (2940, 960, 120, 90)  # the top of the head's outline
WORD_LABEL = (1560, 6360, 7935, 495)
WHOLE = (0, 0, 10245, 8415)


class WindowTest(OnXServer):
    def setUp(self):
        self.game = Game(self.server, BINARY)
        self.addCleanup(self.game.stop)

    # Waiting by condition: the window repaints when it gets to it.
    def wait_until(self, what, condition, timeout=8):
        deadline = time.monotonic() + timeout
        image = self.game.pixels()
        while not condition(image):
            if time.monotonic() > deadline:
                path = os.path.join(ARTIFACTS, self.id().split(".")[-1] + ".png")
                self.game.save_screenshot(path)
                self.fail("%s did not happen within %ss (screenshot: %s)" % (what, timeout, path))
            time.sleep(0.05)
            image = self.game.pixels()
        return image

    def wait_colour(self, x, y, colour, what):
        def matches(image):
            self.last_seen = image.at(x, y)
            return self.last_seen == colour
        self.last_seen = None
        try:
            return self.wait_until(what, matches)
        except AssertionError as error:
            raise AssertionError("%s: expected %s at twips (%d, %d), saw %s"
                                 % (error, colour, x, y, self.last_seen)) from None

    def start_game(self):
        self.game.click(*BACKGROUND)
        self.wait_colour(*BACKGROUND, VIOLET, "the board after the first click")

    def guess_by_mouse(self, text):
        self.game.click(*TEXT_BOX)
        self.game.type(text)
        self.game.click(*OK_BUTTON)

    def guess_by_enter(self, text):
        self.game.type(text)
        self.game.key("Return")

    def focus_text_box(self):
        self.game.focus()
        self.game.click(*TEXT_BOX)

    def test_start_screen_is_a_fixed_size_window_titled_form1(self):
        self.assertEqual(self.game.title(), "Form1")
        hints = self.game.size_hints()
        self.assertEqual((hints.min_width, hints.min_height), (683, 561))
        self.assertEqual((hints.max_width, hints.max_height), (683, 561))
        image = self.wait_colour(*BACKGROUND, BUTTON_FACE, "the start screen")
        self.assertEqual(image.count(*WHOLE, other_than=BUTTON_FACE), 0, "no text at start")

    def test_first_click_shows_the_board(self):
        self.start_game()
        image = self.wait_colour(1100, 4000, OLIVE, "the gallows post")
        self.assertEqual(image.at(3060, 600), OLIVE, "the rope")
        self.assertGreater(image.count(6120, 3360, 1935, 375, colour=BLUE), 1000, "the Ok! button")
        self.assertGreater(image.count(5520, 720, 3255, 855, colour=WHITE), 100, "Wordrop??")

    def test_a_right_and_a_wrong_letter(self):
        self.start_game()
        self.guess_by_mouse("g")
        self.wait_until("G above its blank",
                        lambda im: im.count(*LETTER["G"], colour=BLACK) > 10)
        self.guess_by_mouse("x")
        image = self.wait_until("x listed in the first box",
                                lambda im: im.count(*WRONG_BOX_0, other_than=VIOLET) > 10)
        self.assertGreater(image.count(*HEAD_TOP, colour=BLACK), 0, "the head")
        self.assertEqual(image.count(*LETTER["P"], colour=BLACK), 0, "P is still hidden")

    def test_a_won_game_and_its_closing_screen(self):
        self.start_game()
        self.focus_text_box()
        for letter in "programin":
            self.guess_by_enter(letter)
        image = self.wait_colour(100, 100, DARK_BLUE, "the win banner")
        self.assertGreater(image.count(*WORD_LABEL, colour=WHITE), 200, "The Word was: ...")
        self.assertGreater(image.count(*WHOLE, colour=RED), 200, "You Win!!!")
        self.assertEqual(image.count(*WHOLE, colour=VIOLET), 0, "the banner covers the board")
        self.game.click(3000, 3000)
        image = self.wait_until("the closing screen",
                                lambda im: im.count(*WORD_LABEL, colour=WHITE) == 0)
        self.assertEqual(image.at(100, 100), DARK_BLUE)
        self.assertGreater(image.count(*WHOLE, colour=RED), 500, "Please Exit / and Try Again!")

    def test_a_lost_game_and_its_closing_screen(self):
        self.start_game()
        self.focus_text_box()
        for letter in "bcdefhjkl":
            self.guess_by_enter(letter)
        image = self.wait_until("the lose banner",
                                lambda im: im.count(*WHOLE, colour=BLACK) > 200
                                and im.at(1100, 4000) == VIOLET)
        self.assertEqual(image.count(*WHOLE, colour=RED), 0)
        self.game.click(3000, 3000)
        image = self.wait_until("the closing screen",
                                lambda im: im.count(*WHOLE, colour=RED) > 500)
        self.assertEqual(image.at(100, 100), VIOLET)

    def test_keyboard_only_play(self):
        self.start_game()
        self.focus_text_box()
        self.game.type("p")
        self.game.key("alt+o")
        self.wait_until("P by Alt+O", lambda im: im.count(*LETTER["P"], colour=BLACK) > 10)
        self.guess_by_enter("r")
        self.wait_until("R by Enter", lambda im: im.count(*LETTER["R"], colour=BLACK) > 10)
        # Tab to the button: typing there goes nowhere; Tab back to the box.
        self.game.key("Tab")
        self.game.type("o")
        self.game.key("Tab")
        self.guess_by_enter("o")
        image = self.wait_until("O after two tabs", lambda im: im.count(*LETTER["O"], colour=BLACK) > 10)
        self.assertEqual(image.count(*WRONG_BOX_0, other_than=VIOLET), 0, "no wrong guess")

    def test_a_won_game_by_keyboard_alone(self):
        self.game.focus()
        self.game.key("F2")
        self.wait_colour(*BACKGROUND, VIOLET, "the board after F2")
        # No widget has the focus: the first letter goes into the text box, and the focus
        # with it; the last guess hides the box and the focus goes to the banner.
        for letter in "programin":
            self.guess_by_enter(letter)
        self.wait_colour(100, 100, DARK_BLUE, "the win banner")
        self.game.key("ctrl+n", "F2")  # nothing: no click reaches the background here
        self.game.key("Return")
        image = self.wait_until("the closing screen",
                                lambda im: im.count(*WORD_LABEL, colour=WHITE) == 0)
        self.assertEqual(image.at(100, 100), DARK_BLUE)
        self.game.key("F2", "space", "Return")
        time.sleep(0.3)
        self.assertEqual(self.game.pixels().data, image.data, "a key changed the closing screen")
        self.game.key("ctrl+q")
        self.assertEqual(self.game.wait_exit(), 0, self.game.process.stderr.read()[-3000:])

    def test_a_lost_game_by_keyboard_alone(self):
        self.game.focus()
        self.game.key("ctrl+n")
        self.wait_colour(*BACKGROUND, VIOLET, "the board after Ctrl+N")
        self.game.key("Tab", "Tab")
        self.guess_by_enter("x")
        self.wait_until("x listed", lambda im: im.count(*WRONG_BOX_0, other_than=VIOLET) > 10)
        self.game.key("F2")  # a new game over the old board: the head goes
        self.wait_until("the head erased", lambda im: im.count(*HEAD_TOP, colour=BLACK) == 0)
        for letter in "bcdefhjkl":
            self.guess_by_enter(letter)
        self.wait_until("the lose banner", lambda im: im.count(*WHOLE, colour=BLACK) > 200
                        and im.at(1100, 4000) == VIOLET)
        self.game.key("space")
        self.wait_until("the closing screen", lambda im: im.count(*WHOLE, colour=RED) > 500)
        self.game.key("ctrl+w")
        self.assertEqual(self.game.wait_exit(), 0, self.game.process.stderr.read()[-3000:])

    def test_a_repeated_letter_never_wins(self):
        self.start_game()
        self.focus_text_box()
        for _ in range(8):
            self.guess_by_enter("p")
        self.guess_by_enter("x")  # a marker that all eight presses were taken
        image = self.wait_until("the marker guess",
                                lambda im: im.count(*WRONG_BOX_0, other_than=VIOLET) > 10)
        self.assertNotEqual(image.at(100, 100), DARK_BLUE, "no win banner")
        self.assertEqual(image.at(*BACKGROUND), VIOLET)

    def test_process_and_window_class_are_named_wordrop(self):
        with open("/proc/%d/comm" % self.game.process.pid) as comm:
            self.assertEqual(comm.read().strip(), "wordrop")
        self.assertEqual(self.game.window.get_wm_class(), ("wordrop", "wordrop"))

    def test_closing_the_window_ends_the_program_cleanly(self):
        self.game.request_close()
        self.assertEqual(self.game.wait_exit(), 0, self.game.process.stderr.read()[-3000:])


class CloseAtEveryScreenTest(WindowTest):
    """The close box ends the program with status 0 whatever screen is up."""

    def close_and_check(self):
        self.game.request_close()
        self.assertEqual(self.game.wait_exit(), 0, self.game.process.stderr.read()[-3000:])

    def test_start(self):
        self.close_and_check()

    def test_playing(self):
        self.start_game()
        self.close_and_check()

    def test_won_and_closed(self):
        self.start_game()
        self.focus_text_box()
        for letter in "programin":
            self.guess_by_enter(letter)
        self.wait_colour(100, 100, DARK_BLUE, "the win banner")
        self.close_and_check()

    def test_lost(self):
        self.start_game()
        self.focus_text_box()
        for letter in "bcdefhjkl":
            self.guess_by_enter(letter)
        self.wait_until("the lose banner", lambda im: im.count(*WHOLE, colour=BLACK) > 200)
        self.close_and_check()

    def test_closed(self):
        self.start_game()
        self.focus_text_box()
        for letter in "bcdefhjkl":
            self.guess_by_enter(letter)
        self.wait_until("the lose banner", lambda im: im.count(*WHOLE, colour=BLACK) > 200)
        self.game.click(3000, 3000)
        self.wait_until("the closing screen", lambda im: im.count(*WHOLE, colour=RED) > 500)
        self.close_and_check()


class HeldKeyTest(WindowTest):
    """Keys held down for two seconds while the machine is busy, as the X server repeats
    them: each hold is one press, and never a second guess that would add a piece."""

    HOLDS = 10

    def setUp(self):
        super().setUp()
        busy = [subprocess.Popen([sys.executable, "-c", "while True: pass"])
                for _ in range(os.cpu_count() or 2)]
        for process in busy:
            self.addCleanup(process.wait)
            self.addCleanup(process.kill)
        self.start_game()
        self.focus_text_box()

    def hold(self, key):
        self.game.xdotool("keydown", key)
        time.sleep(2)  # how long the player holds it: the server repeats it meanwhile
        self.game.xdotool("keyup", key)

    def hold_each_time(self, key, on_button=False):
        for hold in range(self.HOLDS):
            self.game.key("F2")
            self.game.click(*TEXT_BOX)
            self.game.type("p")
            if on_button:
                self.game.key("Tab")
            self.hold(key)
            # A marker typed after the release shows once every repeat before it was taken.
            self.game.click(*TEXT_BOX)
            self.game.type("W")
            image = self.wait_until("the marker after hold %d" % hold,
                                    lambda im: im.count(*TEXT_BOX_INK, colour=BLACK) > 10
                                    and im.count(*LETTER["P"], colour=BLACK) > 10)
            self.assertEqual(image.count(*HEAD_TOP, colour=BLACK), 0,
                             "hold %d of %s made a second guess" % (hold, key))
            self.assertEqual(image.count(*WRONG_BOX_0, other_than=VIOLET), 0)
            self.game.key("BackSpace")

    def test_enter_in_the_text_box(self):
        self.hold_each_time("Return")

    def test_alt_o(self):
        self.hold_each_time("alt+o")

    def test_space_on_ok(self):
        self.hold_each_time("space", on_button=True)


# Only the tests of their own: the ones they inherit would run twice.
for name in [n for n in dir(WindowTest) if n.startswith("test_")]:
    setattr(CloseAtEveryScreenTest, name, None)
    setattr(HeldKeyTest, name, None)


@unittest.skipUnless(os.environ.get("WORDROP_E2E_WM"), "needs a window manager")
class WindowManagerTest(WindowTest):
    """Under a real window manager the window has a frame, and it stays as designed."""

    def atom(self, name):
        return self.server.display.intern_atom(name)

    def frame(self):
        """The window with the window manager's frame, in root coordinates."""
        d = self.server.display
        extents = self.game.window.get_full_property(self.atom("_NET_FRAME_EXTENTS"),
                                                     X.AnyPropertyType)
        left, right, top, bottom = extents.value if extents else (0, 0, 0, 0)
        origin = self.game.window.translate_coords(d.screen().root, 0, 0)
        geometry = self.game.window.get_geometry()
        return (-origin.x - left, -origin.y - top, geometry.width + left + right,
                geometry.height + top + bottom)

    def client_size(self):
        geometry = self.game.window.get_geometry()
        return geometry.width, geometry.height

    def wait_for_frame(self):
        deadline = time.monotonic() + 5
        while self.game.window.get_full_property(self.atom("_NET_FRAME_EXTENTS"),
                                                 X.AnyPropertyType) is None:
            self.assertLess(time.monotonic(), deadline, "the window manager gave no frame")
            time.sleep(0.05)
        time.sleep(0.3)  # the move that centres the frame

    def test_the_whole_frame_opens_centred(self):
        self.wait_for_frame()
        x, y, width, height = self.frame()
        root = self.server.display.screen()
        self.assertGreater(height, 561, "a title bar")
        self.assertLessEqual(abs(x + width / 2 - root.width_in_pixels / 2), 1, self.frame())
        self.assertLessEqual(abs(y + height / 2 - root.height_in_pixels / 2), 1, self.frame())

    def test_maximize_full_screen_and_resize_change_nothing(self):
        self.wait_for_frame()
        allowed = self.game.window.get_full_property(self.atom("_NET_WM_ALLOWED_ACTIONS"),
                                                     X.AnyPropertyType).value
        for action in ("_NET_WM_ACTION_MAXIMIZE_HORZ", "_NET_WM_ACTION_RESIZE"):
            self.assertNotIn(self.atom(action), allowed, action)
        root = self.server.display.screen().root
        for state in (("_NET_WM_STATE_MAXIMIZED_VERT", "_NET_WM_STATE_MAXIMIZED_HORZ"),
                      ("_NET_WM_STATE_FULLSCREEN", None)):
            data = [1, self.atom(state[0]), self.atom(state[1]) if state[1] else 0, 1, 0]
            event = protocol.event.ClientMessage(window=self.game.window,
                                                 client_type=self.atom("_NET_WM_STATE"),
                                                 data=(32, data))
            root.send_event(event, event_mask=X.SubstructureRedirectMask
                            | X.SubstructureNotifyMask)
            self.server.display.flush()
            time.sleep(0.5)
            self.assertEqual(self.client_size(), (683, 561), state[0])
        self.game.xdotool("windowsize", self.game.window_id, 900, 700)
        time.sleep(0.5)
        self.assertEqual(self.client_size(), (683, 561), "a resize request")
        self.start_game()  # and the game still answers
        self.assertEqual(self.game.wait_exit(0.1), None)


for name in [n for n in dir(WindowTest) if n.startswith("test_")]:
    setattr(WindowManagerTest, name, None)


class NoDisplayTest(unittest.TestCase):
    def test_no_display_is_one_line_and_a_failure_status(self):
        env = {k: v for k, v in os.environ.items()
               if k not in ("DISPLAY", "WAYLAND_DISPLAY") and not k.startswith("QT_")}
        result = subprocess.run([BINARY], env=env, capture_output=True, text=True, timeout=30)
        self.assertEqual(result.returncode, 1)
        lines = result.stderr.strip().splitlines()
        self.assertEqual(len(lines), 1, result.stderr)
        self.assertTrue(lines[0].startswith("wordrop: cannot open the display"), lines[0])


    def test_questions_are_answered_without_a_display(self):
        env = {k: v for k, v in os.environ.items()
               if k not in ("DISPLAY", "WAYLAND_DISPLAY") and not k.startswith("QT_")}
        for args, status, stream, start in (
                (["--help"], 0, "stdout", "Usage: wordrop"), (["--version"], 0, "stdout", "wordrop 0."),
                (["--bogus"], 2, "stderr", "wordrop: unknown option '--bogus'")):
            result = subprocess.run([BINARY, *args], env=env, capture_output=True, text=True,
                                    timeout=30)
            self.assertEqual(result.returncode, status, args)
            said = getattr(result, stream)
            self.assertTrue(said.startswith(start), said)
            if status:
                self.assertEqual(len(said.strip().splitlines()), 1, said)


class LostDisplayTest(unittest.TestCase):
    def test_the_game_exits_when_its_display_goes_away(self):
        server = XServer()
        game = Game(server, BINARY)
        try:
            server.close_connection()
            server.process.kill()
            server.process.wait()
            status = game.wait_exit(10)
            self.assertIsNotNone(status, "the game hung after losing its display")
            self.assertNotEqual(status, 0)
            self.assertIn("wordrop", game.process.stderr.read())
        finally:
            game.stop()
            server.stop()


if __name__ == "__main__":
    BINARY = os.path.abspath(sys.argv[1])
    ARTIFACTS = os.path.abspath(sys.argv[2] if len(sys.argv) > 2 else "e2e-failures")
    unittest.main(argv=[sys.argv[0], "-v"])

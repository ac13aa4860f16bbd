# SPDX-License-Identifier: MIT
"""Plays the same game on two builds of the game and checks that they paint every screen
alike, pixel for pixel: a build from source, and the one a package installs.

Usage: compare_screens.py REFERENCE_BINARY OTHER_BINARY ARTIFACT_DIR [VAR=VALUE ...]
The VAR=VALUE pairs go into the environment of the second game only.
"""

import os
import subprocess
import sys
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "e2e"))
from xsession import CLIENT_SIZE, Game, XServer  # noqa: E402

BACKGROUND = (4500, 4000)
TEXT_BOX = (7080, 2880)
BANNER = (3000, 3000)


def guess(letter):
    def step(game):
        game.type(letter)
        game.key("Return")
    return step


def click(where):
    return lambda game: game.click(*where)


def first_guess(game):
    game.click(*TEXT_BOX)
    guess("g")(game)


# A won game from its first screen to its closing screen, with a wrong letter on the way;
# every step changes the screen.
STEPS = [("start", None), ("board", click(BACKGROUND)), ("a right letter", first_guess),
         ("a wrong letter", guess("x"))] + \
        [("then " + letter, guess(letter)) for letter in "proamin"] + \
        [("closing screen", click(BANNER))]


def settled(game, previous, timeout=8):
    """The screen once it has changed from the previous one and held still for 0.3 s."""
    deadline = time.monotonic() + timeout
    image = game.pixels().data
    while previous is not None and image == previous and time.monotonic() < deadline:
        time.sleep(0.05)
        image = game.pixels().data
    while time.monotonic() < deadline:
        time.sleep(0.3)
        again = game.pixels().data
        if again == image:
            return image
        image = again
    return image


def save(pixels, name):
    os.makedirs(ARTIFACTS, exist_ok=True)
    path = os.path.join(ARTIFACTS, name.replace(" ", "-") + ".png")
    subprocess.run(["convert", "-size", "%dx%d" % CLIENT_SIZE, "-depth", "8", "bgra:-",
                    "-alpha", "off", path], input=pixels, check=False)


def play(server, binary, env=None, reference=None):
    """Each step's screen; with a reference, waits for each to match it (or times out)."""
    game = Game(server, binary, env)
    screens = []
    try:
        # The window is active from the start, as one that a window manager has focused, or
        # the focus frame on Ok! comes and goes with the moment the X server hands it over.
        game.focus()
        for index, (name, action) in enumerate(STEPS):
            if action:
                action(game)
            if reference is None:
                screens.append(settled(game, screens[-1] if screens else None))
                continue
            deadline = time.monotonic() + 8
            image = game.pixels().data
            while image != reference[index] and time.monotonic() < deadline:
                time.sleep(0.05)
                image = game.pixels().data
            screens.append(image)
            if image != reference[index]:
                save(reference[index], name + " wanted")
                save(image, name + " got")
                break
    finally:
        game.stop()
    return screens


def main():
    reference_binary, other_binary = sys.argv[1], sys.argv[2]
    env = dict(pair.split("=", 1) for pair in sys.argv[4:])
    server = XServer()
    try:
        reference = play(server, reference_binary)
        other = play(server, other_binary, env, reference)
    finally:
        server.stop()
    for (name, _), want, got in zip(STEPS, reference, other):
        if want != got:
            print("%s: the screens differ (both are in %s)" % (name, ARTIFACTS))
            return 1
    print("%d screens painted alike" % len(STEPS))
    return 0


if __name__ == "__main__":
    ARTIFACTS = os.path.abspath(sys.argv[3])
    sys.exit(main())

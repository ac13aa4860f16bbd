# SPDX-License-Identifier: MIT
"""Wake-ups while the game waits for input, screen by screen, counted as the context
switches of all its threads over five seconds.

Usage: idle.py WORDROP_BINARY [SECONDS]
"""

import glob
import json
import os
import sys
import time

sys.path.insert(0, os.path.join(os.path.dirname(__file__), "..", "tests", "e2e"))
from xsession import Game, XServer  # noqa: E402

BACKGROUND = (4500, 4000)
TEXT_BOX = (7080, 2880)


def switches(pid):
    total = 0
    for status in glob.glob("/proc/%d/task/*/status" % pid):
        try:
            with open(status) as f:
                for line in f:
                    if "ctxt_switches" in line:
                        total += int(line.split()[1])
        except FileNotFoundError:
            pass  # a thread that ended meanwhile
    return total


def wakeups(game, seconds):
    time.sleep(1.0)  # let the screen finish painting
    before = switches(game.process.pid)
    time.sleep(seconds)
    return switches(game.process.pid) - before


def guess_all(game, letters):
    for letter in letters:
        game.type(letter)
        game.key("Return")


def main():
    binary = sys.argv[1]
    seconds = float(sys.argv[2]) if len(sys.argv) > 2 else 5.0
    server = XServer()
    results = {}
    try:
        game = Game(server, binary)
        results["start"] = wakeups(game, seconds)
        game.click(*BACKGROUND)
        results["playing, focus on the button"] = wakeups(game, seconds)
        game.focus()
        game.click(*TEXT_BOX)
        results["playing, focus in the text box"] = wakeups(game, seconds)
        guess_all(game, "bcdefhjkl")
        results["lost"] = wakeups(game, seconds)
        game.click(3000, 3000)
        results["closed"] = wakeups(game, seconds)
        game.stop()

        game = Game(server, binary)
        game.click(*BACKGROUND)
        game.focus()
        game.click(*TEXT_BOX)
        guess_all(game, "programin")
        results["won"] = wakeups(game, seconds)
        game.stop()
    finally:
        server.stop()
    json.dump({"seconds": seconds, "wakeups": results}, sys.stdout, indent=2)
    print()


if __name__ == "__main__":
    main()

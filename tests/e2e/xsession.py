# SPDX-License-Identifier: MIT
"""A private X server and the game in it, driven and read as a player would."""

import os
import select
import signal
import subprocess
import tempfile
import time
import unittest

from Xlib import X, display, protocol

TWIPS_PER_PIXEL = 15
CLIENT_SIZE = (683, 561)


class XServer:
    """An Xvfb of our own on a display number it picks itself, with a window manager in it
    when WORDROP_E2E_WM names one (openbox)."""

    def __init__(self, window_manager=None):
        self.display = None
        self.window_manager = None
        self.log = tempfile.TemporaryFile()
        read_end, write_end = os.pipe()
        self.process = subprocess.Popen(
            ["Xvfb", "-displayfd", str(write_end), "-screen", "0", "1280x1024x24",
             "-nolisten", "tcp", "-noreset"],
            pass_fds=(write_end,), stdout=subprocess.DEVNULL, stderr=self.log)
        os.close(write_end)
        # Xvfb writes its display number and a newline once it is listening; the pipe stays
        # open until the whole line is in, or the late newline would kill the server.
        number = b""
        deadline = time.monotonic() + 15
        while not number.endswith(b"\n") and time.monotonic() < deadline:
            ready, _, _ = select.select([read_end], [], [], 1)
            if ready:
                chunk = os.read(read_end, 64)
                if not chunk:
                    break
                number += chunk
        os.close(read_end)
        number = number.decode().strip()
        if not number:
            self.stop()
            raise RuntimeError("Xvfb did not start")
        self.name = ":" + number
        self.display = self._connect()
        window_manager = window_manager or os.environ.get("WORDROP_E2E_WM")
        if window_manager:
            self._start_window_manager(window_manager)

    def _start_window_manager(self, command):
        self.window_manager = subprocess.Popen(
            [command, "--sm-disable"], env={**os.environ, "DISPLAY": self.name},
            stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        # A window manager is ready once it names itself on the root window.
        check = self.display.intern_atom("_NET_SUPPORTING_WM_CHECK")
        deadline = time.monotonic() + 15
        while self.display.screen().root.get_full_property(check, X.AnyPropertyType) is None:
            if time.monotonic() > deadline or self.window_manager.poll() is not None:
                raise RuntimeError("the window manager %s did not start" % command)
            time.sleep(0.05)

    def _connect(self, timeout=10):
        # A new server can drop the first connections while it settles: try again.
        deadline = time.monotonic() + timeout
        while True:
            try:
                return display.Display(self.name)
            except Exception:
                if time.monotonic() > deadline:
                    self.log.seek(0)
                    complaint = self.log.read().decode(errors="replace")
                    self.stop()
                    raise RuntimeError("cannot connect to Xvfb %s: %s" % (self.name, complaint))
                time.sleep(0.1)

    def close_connection(self):
        if self.display is not None:
            self.display.close()
            self.display = None

    def stop(self):
        if self.window_manager is not None and self.window_manager.poll() is None:
            self.window_manager.terminate()
            self.window_manager.wait()
        if self.process.poll() is None:
            self.close_connection()
            self.process.terminate()
            try:
                self.process.wait(5)
            except subprocess.TimeoutExpired:
                self.process.kill()
                self.process.wait()
        self.log.close()


class OnXServer(unittest.TestCase):
    """Test cases that share one X server of their own, started once for the class."""

    @classmethod
    def setUpClass(cls):
        cls.server = XServer()

    @classmethod
    def tearDownClass(cls):
        cls.server.stop()


class Game:
    """The game's process on an X server, with its window found and ready."""

    def __init__(self, server, binary, extra_env=None):
        self.server = server
        self.runtime_dir = tempfile.TemporaryDirectory()
        env = {k: v for k, v in os.environ.items() if not k.startswith("QT_")}
        env.update(DISPLAY=server.name, QT_QPA_PLATFORM="xcb",
                   XDG_RUNTIME_DIR=self.runtime_dir.name)
        env.update(extra_env or {})
        self.process = subprocess.Popen([binary], env=env, stdout=subprocess.PIPE,
                                        stderr=subprocess.PIPE, text=True)
        try:
            self.window_id = self._find_window()
        except Exception:
            self.stop()
            raise
        self.window = server.display.create_resource_object("window", self.window_id)

    def _find_window(self, timeout=90):
        # Up within a second on a quiet machine; built with the sanitizers, on a machine
        # whose every core is busy, it has taken over 30 s.
        deadline = time.monotonic() + timeout
        while time.monotonic() < deadline:
            if self.process.poll() is not None:
                raise RuntimeError("the game exited at start: " + self.process.stderr.read())
            found = self.xdotool("search", "--onlyvisible", "--name", "^Form1$", check=False)
            for line in found.split():
                wid = int(line)
                geometry = self.server.display.create_resource_object("window", wid).get_geometry()
                if (geometry.width, geometry.height) == CLIENT_SIZE:
                    return wid
            time.sleep(0.05)
        raise RuntimeError("no window titled Form1 appeared within %ss" % timeout)

    def xdotool(self, *args, check=True):
        result = subprocess.run(["xdotool", *map(str, args)], capture_output=True, text=True,
                                env={**os.environ, "DISPLAY": self.server.name}, timeout=20)
        if check and result.returncode != 0:
            raise RuntimeError("xdotool %s: %s" % (" ".join(map(str, args)), result.stderr))
        return result.stdout

    # Input, at positions in twips as the layout gives them.
    def click(self, x_twips, y_twips):
        self.xdotool("mousemove", "--window", self.window_id, x_twips // TWIPS_PER_PIXEL,
                     y_twips // TWIPS_PER_PIXEL, "click", "1")

    def focus(self):
        self.xdotool("windowfocus", "--sync", self.window_id)

    def type(self, text):
        self.xdotool("type", "--delay", "20", text)

    def key(self, *keys):
        self.xdotool("key", "--delay", "30", *keys)

    def request_close(self):
        """What a window manager sends when the player clicks the close box."""
        d = self.server.display
        protocols = d.intern_atom("WM_PROTOCOLS")
        delete = d.intern_atom("WM_DELETE_WINDOW")
        event = protocol.event.ClientMessage(window=self.window, client_type=protocols,
                                             data=(32, [delete, X.CurrentTime, 0, 0, 0]))
        self.window.send_event(event, event_mask=X.NoEventMask)
        d.flush()

    # Output.
    def pixels(self):
        """The window's client area as rows of (r, g, b)."""
        width, height = CLIENT_SIZE
        image = self.window.get_image(0, 0, width, height, X.ZPixmap, 0xFFFFFFFF)
        return Image(width, height, image.data)

    def save_screenshot(self, path):
        os.makedirs(os.path.dirname(path), exist_ok=True)
        subprocess.run(["import", "-display", self.server.name, "-window", str(self.window_id),
                        path], check=False, capture_output=True, timeout=30)

    def size_hints(self):
        return self.window.get_wm_normal_hints()

    def title(self):
        return self.window.get_wm_name()

    def wait_exit(self, timeout=10):
        try:
            return self.process.wait(timeout)
        except subprocess.TimeoutExpired:
            return None

    def stop(self):
        if self.process.poll() is None:
            self.process.send_signal(signal.SIGKILL)
            self.process.wait()
        self.process.stdout.close()
        self.process.stderr.close()
        self.runtime_dir.cleanup()


class Image:
    def __init__(self, width, height, data):
        self.width, self.height, self.data = width, height, data

    def at(self, x_twips, y_twips):
        return self.pixel(x_twips // TWIPS_PER_PIXEL, y_twips // TWIPS_PER_PIXEL)

    def pixel(self, x, y):
        offset = (y * self.width + x) * 4  # 32 bits a pixel: blue, green, red, unused
        blue, green, red = self.data[offset], self.data[offset + 1], self.data[offset + 2]
        return (red, green, blue)

    def count(self, left, top, width, height, colour=None, other_than=None):
        """Pixels of an area (in twips) of the colour, or of any colour but one."""
        n = 0
        for y in range(top // TWIPS_PER_PIXEL, min((top + height) // TWIPS_PER_PIXEL, self.height)):
            for x in range(left // TWIPS_PER_PIXEL, min((left + width) // TWIPS_PER_PIXEL, self.width)):
                p = self.pixel(x, y)
                if (colour is not None and p == colour) or (other_than is not None and p != other_than):
                    n += 1
        return n

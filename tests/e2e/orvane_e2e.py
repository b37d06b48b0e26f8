"""End-to-end harness: the real Orvane.scr under Wine, seen and driven from outside.

CMake runs each tests/e2e/test_<name>.py as the CTest test e2e_<name> of the Windows builds
with ORVANE_SCR, ORVTOOL, ORVANE_WINE_RUN and ORVANE_WINE_ROOT (the build tree, whose prefix
and private 1024 x 768 display are used) set; ORVANE_E2E_KEEP keeps the work folders. The
tests run one at a time (CTest resource lock): a window of one of the program's classes
belongs to the test that runs."""

import os
import pathlib
import re
import shutil
import struct
import subprocess
import tempfile
import time
import unittest

SHOW_CLASS, DIALOG_CLASS, PREVIEW_CLASS = "Orvane_S", "Orvane_P", "Orvane_R"
WM_CLOSE, WM_KEYDOWN, KEY_A = 0x0010, 0x0100, 0x41
RED, BLACK = (255, 0, 0), (0, 0, 0)  # fragments and craters
OK_BUTTON, CANCEL_BUTTON = (438, 504), (538, 504)  # the dialog's "設定" and "ｷｬﾝｾﾙ"


def environment(name):
    value = os.environ.get(name)
    if not value:
        raise unittest.SkipTest(f"{name} is not set (CTest sets it in the Windows builds)")
    return value


_wine_env = None


def wine_env():
    """The environment of the tree's display and prefix (brought up on first use)."""
    global _wine_env
    if _wine_env is None:
        _wine_env = dict(os.environ, ORVANE_WINE_ROOT=environment("ORVANE_WINE_ROOT"))
        out = subprocess.run([environment("ORVANE_WINE_RUN"), "--env"], env=_wine_env, check=True,
                             capture_output=True, text=True, timeout=600).stdout
        _wine_env.update(line.split("=", 1) for line in out.splitlines() if "=" in line)
    return dict(_wine_env)


def forget_wine_env():
    """The next wine_env() asks wine-run.sh again, as after a change of display."""
    global _wine_env
    _wine_env = None


def wine_tree(root, screen="1024x768x24"):
    """The harness moved to a Wine tree of its own at root (prefix, display of that size,
    wineserver), stopped on the way in and on the way out: a function that moves back."""
    saved = dict(os.environ)

    def switch(env):
        subprocess.run([environment("ORVANE_WINE_RUN"), "--stop"], capture_output=True,
                       env=dict(os.environ, ORVANE_WINE_ROOT=root), timeout=700)
        os.environ.clear()
        os.environ.update(env)
        forget_wine_env()

    switch(dict(saved, ORVANE_WINE_ROOT=root, ORVANE_WINE_SCREEN=screen))
    return lambda: switch(saved)


def registry(*values):
    """(key, name, type, data) set in the prefix; the wineserver is ended after, as Wine reads
    some of them (DPI, monitors) only when it starts."""
    env = wine_env()
    reg = os.path.join(env["WINEPREFIX"], "drive_c", "windows", "system32", "reg.exe")
    for key, name, kind, data in values:
        subprocess.run([environment("ORVANE_WINE_RUN"), reg, "add", key, "/v", name, "/t", kind,
                        "/d", str(data), "/f"], env=env, capture_output=True, timeout=300, check=True)
    subprocess.run([env["WINESERVER"], "-k"], env=env, capture_output=True, timeout=60)
    time.sleep(1)


def orvtool(*args, timeout=30):
    proc = subprocess.run([environment("ORVANE_WINE_RUN"), environment("ORVTOOL"), *map(str, args)],
                          env=wine_env(), stdin=subprocess.DEVNULL, capture_output=True,
                          timeout=timeout)
    return proc.returncode, proc.stdout.decode("utf-8", "replace")


def window_info(hwnd):
    """parent, style, exstyle, visible, pid (numbers), rect (left, top, right, bottom) and
    client (screen x, y, width, height); {} when there is no window."""
    code, out = orvtool("info", hwnd)
    return {k: tuple(map(int, v.split(","))) if "," in v else int(v, 0)
            for k, v in (item.split("=") for item in out.split())} if code == 0 else {}


def client_point(hwnd, point):
    """A point of the window's client area (x, y, ...) on the screen."""
    x, y, _, _ = window_info(hwnd)["client"]
    return x + point[0], y + point[1]


def children(hwnd):
    """(hwnd, class, text) of the child windows."""
    found = re.findall(r'^(\d+) -?\d+ "([^"]*)" "(.*)"$', orvtool("children", hwnd)[1], re.M)
    return [(int(h), c, t.replace("\\r", "\r").replace("\\n", "\n")) for h, c, t in found]


def post(hwnd, msg, wparam=0, lparam=0):
    return orvtool("post", hwnd, msg, wparam, lparam)[0] == 0


def xdotool(*args):
    subprocess.run(["xdotool", *map(str, args)], env=wine_env(), check=True,
                   stdin=subprocess.DEVNULL, capture_output=True, timeout=30)


def save_screen(path, display=None):
    """The screen (or that of another X display) kept as a PNG artefact."""
    os.makedirs(os.path.dirname(path), exist_ok=True)
    subprocess.run(["import", "-silent", "-window", "root", path], check=True, timeout=60,
                   env=dict(wine_env(), **({"DISPLAY": display} if display else {})))


def wait_until(predicate, seconds):
    """Polls predicate until it holds (its value) or the time is up (its last value)."""
    deadline = time.monotonic() + seconds
    while not (value := predicate()) and time.monotonic() < deadline:
        time.sleep(0.1)
    return value


class Screenshot:
    """The whole screen as X shows it: .pixel(x, y) -> (r, g, b)."""

    def __init__(self):
        data = subprocess.run(["import", "-silent", "-window", "root", "-depth", "8", "ppm:-"],
                              env=wine_env(), capture_output=True, timeout=60, check=True).stdout
        magic, width, height, top, self.rgb = data.split(maxsplit=4)
        assert magic == b"P6" and top == b"255", "unexpected screenshot format"
        self.width, self.height = int(width), int(height)

    def pixel(self, x, y):
        i = (y * self.width + x) * 3
        return tuple(self.rgb[i:i + 3])

    def count(self, colour):
        """Pixels of exactly this colour (overlapping matches, kept when pixel-aligned)."""
        found = re.finditer(b"(?=" + re.escape(bytes(colour)) + b")", self.rgb)
        return sum(m.start() % 3 == 0 for m in found)

    def dominant(self):
        """The colour of most of the screen, from a coarse grid of samples."""
        seen = [self.pixel(x, y) for y in range(8, self.height, 48)
                for x in range(8, self.width, 48)]
        return max(set(seen), key=seen.count)


def bmp(width, height, colour_at, by_rows=False):
    """A 24-bit BMP; colour_at(x, y) gives each pixel's (r, g, b), y from the top, or with
    by_rows colour_at(y) a whole row's (fast enough for pictures of tens of megabytes)."""
    rows = []
    for y in range(height - 1, -1, -1):
        if by_rows:
            row = bytes(colour_at(y)[::-1]) * width
        else:
            row = b"".join(bytes(colour_at(x, y)[::-1]) for x in range(width))
        rows.append(row + b"\0" * (-len(row) % 4))
    pixels = b"".join(rows)
    return (struct.pack("<2sIHHI", b"BM", 54 + len(pixels), 0, 0, 54) +
            struct.pack("<IiiHHIIiiII", 40, width, height, 1, 24, 0, len(pixels), 2835, 2835,
                        0, 0) + pixels)


def read_bytes(path):
    """The file's bytes, or None when there is no file."""
    return pathlib.Path(path).read_bytes() if os.path.exists(path) else None


def write_bytes(path, data):
    """The file made (with its folders) or replaced, holding data (bytes, or text as UTF-8)."""
    os.makedirs(os.path.dirname(path), exist_ok=True)
    pathlib.Path(path).write_bytes(data.encode() if isinstance(data, str) else data)


def windows_path(path):
    """The path a Windows program under Wine sees for a Linux path."""
    return "Z:" + path.replace("/", "\\")


def settings(**values):
    """A settings file in the program's own encoding: [Section] and key=value lines."""
    lines = ["[Section]", *(f"{k}={v}" for k, v in values.items())]
    return "".join(f"{line}\r\n" for line in lines).encode("cp932")


class Install:
    """Orvane.scr copied into a folder of its own, with its settings file beside it."""

    def __init__(self, folder, ini=None):
        self.folder, self.scr = folder, os.path.join(folder, "Orvane.scr")
        self.ini = os.path.join(folder, "Orvane.ini")
        shutil.copyfile(environment("ORVANE_SCR"), self.scr)
        if ini is not None:
            write_bytes(self.ini, ini)


class Run:
    """A Windows program started under Wine in folder, its output (Wine's too) kept in a file."""

    def __init__(self, program, args, folder, env=None):
        fd, self.log = tempfile.mkstemp(prefix="output-", suffix=".txt", dir=folder)
        os.close(fd)
        self._proc = subprocess.Popen(
            [environment("ORVANE_WINE_RUN"), program, *map(str, args)], cwd=folder,
            env={**wine_env(), **(env or {}), "ORVANE_WINE_OUTPUT": self.log},
            stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL)

    @property
    def output(self):
        return (read_bytes(self.log) or b"").decode("utf-8", "replace")

    def wait(self, timeout):
        """The exit code, or None when the program still runs after `timeout` seconds."""
        try:
            return self._proc.wait(timeout)
        except subprocess.TimeoutExpired:
            return None

    def stop(self):
        if self._proc.poll() is None:
            self._proc.terminate()
            self._proc.wait(10)


class OrvaneTestCase(unittest.TestCase):
    """A fresh work folder per test (self.work); what the test started is stopped."""

    def setUp(self):
        root = os.path.join(environment("ORVANE_WINE_ROOT"), "e2e-work")
        os.makedirs(root, exist_ok=True)
        self.work = tempfile.mkdtemp(prefix=self.id().rsplit(".", 1)[-1] + "-", dir=root)
        if not os.environ.get("ORVANE_E2E_KEEP"):
            self.addCleanup(shutil.rmtree, self.work, True)
        xdotool("mousemove", 1023, 767)  # a window's first mouse move is where the pointer is

    def install(self, ini=None):
        return Install(tempfile.mkdtemp(prefix="install-", dir=self.work), ini)

    def folder_of(self, pictures):
        """A folder holding these files (name -> bytes); its Windows path."""
        folder = os.path.join(self.work, "pictures")
        os.makedirs(folder, exist_ok=True)
        for file, data in pictures.items():
            write_bytes(os.path.join(folder, file), data)
        return windows_path(folder)

    def start(self, install, *args, env=None):
        run = Run(install.scr, args, install.folder, env)
        self.addCleanup(run.stop)
        return run

    def host(self, width, height):
        """orvtool's frameless window of this size, as the system's preview pane: its hwnd."""
        run = Run(environment("ORVTOOL"), ["host", width, height, 120], self.work)
        self.addCleanup(run.stop)
        shown = wait_until(lambda: re.match(r"\d+\n", run.output) or run.wait(0) is not None, 60)
        self.assertIsInstance(shown, re.Match, f"orvtool showed no host window:\n{run.output}")
        return int(shown.group())

    def start_window(self, install, switch, class_name, env=None):
        """Orvane started with this switch and its window of that class: (Run, hwnd)."""
        run = self.start(install, switch, env=env)
        code, out = orvtool("wait", class_name, 30, timeout=60)
        self.assertEqual(code, 0, f"no {class_name} window; output:\n{run.output[-3000:]}")
        return run, int(out)

    def start_show(self, install, env=None):
        return self.start_window(install, "/s", SHOW_CLASS, env)

    def start_preview(self, install, host):
        """/p in orvtool's host window: (Run, the one preview window in it)."""
        run = self.start(install, "/p", host)
        found = wait_until(lambda: [h for h, c, _ in children(host) if c == PREVIEW_CLASS], 20)
        self.assertEqual(len(found), 1, f"not one preview window in the host: {found}")
        return run, found[0]

    def assert_ends(self, run, seconds=20):
        self.assertEqual(run.wait(seconds), 0, f"did not end with 0:\n{run.output[-3000:]}")

    def open_dialog(self, install, env=None):
        """/c started, the dialog shown and painted: (Run, hwnd)."""
        run, hwnd = self.start_window(install, "/c", DIALOG_CLASS, env)
        wait_until(lambda: window_info(hwnd).get("visible"), 10)
        time.sleep(0.5)
        return run, hwnd

    def click(self, hwnd, *points):
        """Clicks at these points of the window's client area, one after another."""
        for point in points:
            xdotool("mousemove", *client_point(hwnd, point), "sleep", 0.2, "click", 1, "sleep", 0.3)

    def wait_screen(self, predicate, seconds):
        """Screenshots until one satisfies predicate: (that one or the last, whether)."""
        deadline = time.monotonic() + seconds
        while True:
            shot = Screenshot()
            if predicate(shot) or time.monotonic() > deadline:
                return shot, bool(predicate(shot))

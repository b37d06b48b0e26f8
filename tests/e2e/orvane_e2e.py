"""End-to-end harness: the real Orvane.scr under Wine, seen and driven from outside.

CMake runs each tests/e2e/test_<name>.py as the CTest test e2e_<name> of the Windows builds
with ORVANE_SCR, ORVTOOL, ORVANE_WINE_RUN and ORVANE_WINE_ROOT (the build tree, whose prefix
and private 1024 x 768 display are used) set; ORVANE_E2E_KEEP keeps the work folders. The
tests run one at a time (CTest resource lock): a window with one of the program's titles
belongs to the test that runs."""

import os
import re
import shutil
import struct
import subprocess
import tempfile
import threading
import time
import unittest

DISPLAY_TITLE, DIALOG_TITLE, PREVIEW_TITLE = "Orvane_Main", "Orvaneの設定", "Preview Window"
PROGRAM_TITLES = (DISPLAY_TITLE, DIALOG_TITLE, PREVIEW_TITLE)
WM_CLOSE, WM_KEYDOWN = 0x0010, 0x0100
KEY_A = 0x41
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


def escape(text):
    """\\uXXXX escapes, which reach orvtool intact whatever locale Wine converts with."""
    return "".join("\\\\" if c == "\\" else c if 0x20 <= ord(c) < 0x7F else f"\\u{ord(c):04x}"
                   for c in text)


def under_wine(program, *args, env=None, **popen):
    """A Windows program started in the tree's prefix and display: its subprocess.Popen."""
    return subprocess.Popen([environment("ORVANE_WINE_RUN"), program, *map(str, args)],
                            env={**wine_env(), **(env or {})}, stdin=subprocess.DEVNULL, **popen)


def orvtool(*args, timeout=30):
    proc = subprocess.run([environment("ORVANE_WINE_RUN"), environment("ORVTOOL"), *map(str, args)],
                          env=wine_env(), stdin=subprocess.DEVNULL, capture_output=True, timeout=timeout)
    return proc.returncode, proc.stdout.decode("utf-8", "replace")


def wait_window(title, seconds=30):
    code, out = orvtool("wait", escape(title), seconds, timeout=seconds + 30)
    return int(out) if code == 0 else None


def window_exists(hwnd):
    return orvtool("gone", hwnd, 0)[0] != 0


def window_info(hwnd):
    """parent, style, exstyle, visible, pid (numbers), rect (left, top, right, bottom),
    client (screen x, y, width, height), class and title; {} when there is no window."""
    code, out = orvtool("info", hwnd)
    head, _, names = out.strip().partition(" class=")
    info = {k: tuple(map(int, v.split(","))) if "," in v else int(v, 0)
            for k, v in (item.split("=") for item in head.split())} if code == 0 else {}
    info.update(re.findall(r'(class|title)="(.*?)"(?= title=|$)', "class=" + names))
    return info


def window_rect(hwnd):
    return window_info(hwnd)["rect"]


def client_rect(hwnd):
    return window_info(hwnd)["client"]


def client_point(hwnd, point):
    """A point of the window's client area (x, y, ...) on the screen."""
    x, y, _, _ = client_rect(hwnd)
    return x + point[0], y + point[1]


def children(hwnd):
    """(hwnd, class, text) of the child windows."""
    found = re.findall(r'^(\d+) -?\d+ "([^"]*)" "(.*)"$', orvtool("children", hwnd)[1], re.M)
    return [(int(h), c, t.replace("\\r", "\r").replace("\\n", "\n")) for h, c, t in found]


def post(hwnd, msg, wparam=0, lparam=0):
    return orvtool("post", hwnd, msg, wparam, lparam)[0] == 0


def program_windows():
    """(hwnd, title) of the visible top-level windows with one of the program's titles."""
    return {(int(h), t) for h, t in re.findall(r'^(\d+) \d+ "(.*)"$', orvtool("windows")[1], re.M)
            if t in PROGRAM_TITLES}


def wine_tree(root, screen=None):
    """The harness moved to the Wine tree at root, a prefix, display (screen: its size) and
    wineserver of a module's own: a function that stops that tree and moves back."""
    global _wine_env
    saved = {k: os.environ.get(k) for k in ("ORVANE_WINE_ROOT", "ORVANE_WINE_SCREEN")}

    def stop():
        os.makedirs(root, exist_ok=True)
        subprocess.run([environment("ORVANE_WINE_RUN"), "--stop"], cwd=root, capture_output=True,
                       env=dict(os.environ, ORVANE_WINE_ROOT=root), timeout=700)

    def back():
        global _wine_env
        stop()
        for k, v in saved.items():
            os.environ.pop(k, None) if v is None else os.environ.__setitem__(k, v)
        _wine_env = None

    stop()  # whatever an earlier run left there
    os.environ["ORVANE_WINE_ROOT"] = root
    if screen:
        os.environ["ORVANE_WINE_SCREEN"] = screen
    _wine_env = None
    return back


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


def save_screen(path, display=None):
    """The screen (or that of another X display) kept as a PNG artefact."""
    os.makedirs(os.path.dirname(path), exist_ok=True)
    subprocess.run(["import", "-silent", "-window", "root", path], check=True, timeout=60,
                   env=dict(wine_env(), **({"DISPLAY": display} if display else {})))


def xdotool(*args):
    subprocess.run(["xdotool", *map(str, args)], env=wine_env(), check=True,
                   stdin=subprocess.DEVNULL, capture_output=True, timeout=30)


def mouse_move(x, y):
    xdotool("mousemove", x, y)


def key(name):
    xdotool("key", name)


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
        seen = [self.pixel(x, y) for y in range(8, self.height, 48) for x in range(8, self.width, 48)]
        return max(set(seen), key=seen.count)


def bmp(width, height, colour_at):
    """A 24-bit BMP; colour_at(x, y) gives each pixel's (r, g, b), y from the top."""
    rows = []
    for y in range(height - 1, -1, -1):
        row = b"".join(bytes(colour_at(x, y)[::-1]) for x in range(width))
        rows.append(row + b"\0" * (-len(row) % 4))
    pixels = b"".join(rows)
    return (struct.pack("<2sIHHI", b"BM", 54 + len(pixels), 0, 0, 54) +
            struct.pack("<IiiHHIIiiII", 40, width, height, 1, 24, 0, len(pixels), 2835, 2835,
                        0, 0) + pixels)


def read_bytes(path):
    """The file's bytes, or None when there is no file."""
    try:
        with open(path, "rb") as f:
            return f.read()
    except FileNotFoundError:
        return None


def write_bytes(path, data):
    """The file made (with its folders) or replaced, holding data (bytes, or text as UTF-8)."""
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, "wb") as f:
        f.write(data.encode() if isinstance(data, str) else data)


def windows_path(path):
    """The path a Windows program under Wine sees for a Linux path."""
    return "Z:" + path.replace("/", "\\")


def settings(**values):
    """A settings file in the program's own encoding: [Section] and key=value lines."""
    return "".join(f"{line}\r\n" for line in ["[Section]", *(f"{k}={v}" for k, v in values.items())]
                   ).encode("cp932")


class Install:
    """Orvane.scr copied into its own folder, with its settings file beside it."""

    def __init__(self, folder, ini=None):
        os.makedirs(folder)
        self.folder, self.scr, self.ini = (folder, os.path.join(folder, "Orvane.scr"),
                                           os.path.join(folder, "Orvane.ini"))
        shutil.copyfile(environment("ORVANE_SCR"), self.scr)
        if ini is not None:
            write_bytes(self.ini, ini)

    def ini_bytes(self):
        return read_bytes(self.ini)

    def ini_stamp(self):
        """Bytes and stat of the settings file, to see whether it was written."""
        st = os.stat(self.ini) if os.path.exists(self.ini) else None
        return st and (self.ini_bytes(), st.st_mtime_ns, st.st_ino)


class Run:
    """One start of the program under Wine; with watch, .seen_windows collects the program
    windows visible while it ran."""

    def __init__(self, install, args, env=None, watch=False):
        self.args, self.returncode, self.seen_windows = [str(a) for a in args], None, set()
        self.log = os.path.join(install.folder, "program-output.txt")
        self._proc = under_wine(install.scr, *self.args, env={**(env or {}), "ORVANE_WINE_OUTPUT": self.log},
                                stdout=subprocess.DEVNULL, cwd=install.folder)
        self._watcher = watch and threading.Thread(target=self._watch, daemon=True)
        if self._watcher:
            self._watcher.start()

    def _watch(self):
        while self._proc.poll() is None:
            self.seen_windows |= program_windows()

    @property
    def ended(self):
        return self._proc.poll() is not None

    @property
    def output(self):
        return (read_bytes(self.log) or b"").decode("utf-8", "replace")

    def wait(self, timeout):
        """The exit code, or None when the program still runs after `timeout` seconds."""
        try:
            self.returncode = self._proc.wait(timeout)
        except subprocess.TimeoutExpired:
            return None
        if self._watcher:
            self._watcher.join(60)
        return self.returncode

    def kill(self):
        if self._proc.poll() is None:
            self._proc.terminate()
            self._proc.wait(10)


class Held:
    """A window orvtool shows and keeps until .close(): hold TITLE, or host W H."""

    def __init__(self, work, *args):
        fd, log = tempfile.mkstemp(prefix="orvtool-", dir=work)
        os.close(fd)
        self._proc = under_wine(environment("ORVTOOL"), *args, "120", env={"ORVANE_WINE_OUTPUT": log},
                                stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        self.hwnd, deadline = None, time.monotonic() + 60
        while self.hwnd is None and time.monotonic() < deadline and self._proc.poll() is None:
            first = read_bytes(log).split(b"\n")
            self.hwnd = int(first[0]) if len(first) > 1 else time.sleep(0.05)
        if self.hwnd is None:
            self.close()
            raise RuntimeError(f"orvtool {args[0]} did not show its window")

    def close(self):
        if self._proc.poll() is None:
            if self.hwnd is not None:
                post(self.hwnd, WM_CLOSE)
            self._proc.wait(30)


class OrvaneTestCase(unittest.TestCase):
    """A fresh work folder per test (self.work); what the test started is stopped."""

    def setUp(self):
        root = os.path.join(environment("ORVANE_WINE_ROOT"), "e2e-work")
        os.makedirs(root, exist_ok=True)
        self.work = tempfile.mkdtemp(prefix=self.id().rsplit(".", 1)[-1] + "-", dir=root)
        self._started, self._installs = [], 0
        if not os.environ.get("ORVANE_E2E_KEEP"):
            self.addCleanup(shutil.rmtree, self.work, True)
        self.addCleanup(lambda: [s.kill() if isinstance(s, Run) else s.close()
                                 for s in self._started])
        wine_env()
        mouse_move(1023, 767)  # a window's first mouse move is where the pointer is

    def install(self, ini=None, folder=None):
        self._installs += 1
        return Install(folder or os.path.join(self.work, f"install-{self._installs}"), ini)

    def folder_of(self, pictures, name="pictures"):
        """A folder holding these files (name -> bytes); its Windows path."""
        folder = os.path.join(self.work, name)
        os.makedirs(folder, exist_ok=True)
        for file, data in pictures.items():
            write_bytes(os.path.join(folder, file), data)
        return windows_path(folder)

    def start(self, install, *args, env=None, watch=False):
        run = Run(install, args, env=env, watch=watch)
        self._started.append(run)
        return run

    def run_program(self, install, *args, timeout=20.0, watch=False):
        run = self.start(install, *args, watch=watch)
        if run.wait(timeout) is None:
            self.fail(f"Orvane.scr {' '.join(run.args)} still ran after {timeout} s")
        return run

    def start_show(self, install, env=None):
        run = self.start(install, "/s", env=env)
        hwnd = wait_window(DISPLAY_TITLE)
        self.assertIsNotNone(hwnd, f"no show window; output:\n{run.output[-3000:]}")
        return run, hwnd

    def assert_ends(self, run, seconds=20):
        self.assertEqual(run.wait(seconds), 0, f"did not end with 0:\n{run.output[-3000:]}")

    def end_show(self, run, hwnd):
        self.assertTrue(post(hwnd, WM_KEYDOWN, KEY_A))
        self.assert_ends(run)

    def open_dialog(self, install, seconds=30, env=None):
        """/c started, the dialog shown and painted: (Run, hwnd)."""
        run = self.start(install, "/c", env=env)
        hwnd = wait_window(DIALOG_TITLE, seconds)
        self.assertIsNotNone(hwnd, f"the dialog did not open:\n{run.output[-3000:]}")
        self.wait_until(lambda: window_info(hwnd).get("visible"), 10)
        time.sleep(0.5)
        return run, hwnd

    def click_client(self, hwnd, point, button=1):
        mouse_move(*client_point(hwnd, point))
        time.sleep(0.2)
        xdotool("click", button)

    def held(self, *args):
        """orvtool's window kept for the test: ("hold", title) or ("host", w, h)."""
        held = Held(self.work, args[0], *(escape(a) if isinstance(a, str) else a for a in args[1:]))
        self._started.append(held)
        return held

    def wait_until(self, predicate, seconds):
        """Polls predicate until it holds (its value) or the time is up (its last value)."""
        deadline = time.monotonic() + seconds
        while not (value := predicate()) and time.monotonic() < deadline:
            time.sleep(0.1)
        return value

    def wait_screen(self, predicate, seconds):
        """Screenshots until one satisfies predicate: (that one or the last, whether)."""
        deadline = time.monotonic() + seconds
        while True:
            shot = Screenshot()
            if predicate(shot) or time.monotonic() > deadline:
                return shot, bool(predicate(shot))

"""End-to-end harness: the real Orvane.scr under Wine, seen and driven from outside.

Cases live in tests/e2e/test_*.py; CMake registers each file as the CTest test
e2e_<name> of the Windows builds and runs it through run_e2e.py. Standard library only.

Environment (CTest sets it; run by hand, set it yourself):
  ORVANE_SCR        the built Orvane.scr
  ORVTOOL           the built orvtool.exe (tools/orvtool: usage text in its source)
  ORVANE_WINE_RUN   cmake/wine-run.sh
  ORVANE_WINE_ROOT  the build tree (its Wine prefix and private display are used)
  ORVANE_E2E_KEEP   when set, the per-test folders are kept for inspection

API, for test modules (``from orvane_e2e import *``):
  OrvaneTestCase          unittest.TestCase base; self.work is a fresh folder per test
    .install(ini=None)    -> Install: Orvane.scr copied into a new folder, with Orvane.ini
                             beside it when ini (bytes) is given. The program reads and
                             writes its settings file beside itself.
    .start(install, *args, env=None) -> Run: starts the program with these arguments
    .run_program(install, *args, timeout=20.0) -> Run, already ended (fails the test when
                             it does not end in time; the program is then killed)
    .open_dialog(install)  -> (Run, hwnd): /c started, the dialog shown and painted
    .click_client(hwnd, (x, y), button=1): a click at a client-area point
    .hold_window(title, seconds=60) -> Held: orvtool shows a top-level window with that
                             title (a context manager; .hwnd, .pid, .close())
    .host_window(w, h, seconds=60) -> Held: a plain window with a w x h client area, e.g.
                             to host the preview (/p <hwnd>)
  Install: .folder, .scr, .ini (paths); .ini_bytes() (None when there is no file);
           .ini_stamp() (size and modification time, to see whether it was written)
  Run:     .wait(timeout) -> exit code or None; .ended; .returncode; .output; .elapsed;
           .kill(); .seen_windows (program windows seen while it ran, with watch=True)
  Windows (all by orvtool, titles as str):
    find_window(title) -> hwnd or None          wait_window(title, seconds) -> hwnd or None
    wait_gone(hwnd, seconds) -> bool             window_exists(hwnd) -> bool
    top_level_windows() -> [(hwnd, pid, title)]  (visible ones)
    window_rect(hwnd) / client_rect(hwnd) -> (left, top, right, bottom) / (x, y, w, h)
    window_info(hwnd) -> dict (parent, style, exstyle, visible, pid, class, title)
    children(hwnd) -> [(hwnd, id, class, text)]  window_text(hwnd) -> str
    post(hwnd, msg, wparam=0, lparam=0) -> bool  send(hwnd, msg, wparam=0, lparam=0) -> int
    foreground(hwnd) -> bool                     close_window(hwnd) -> bool
    orvtool(*args, timeout=30) -> (exit code, output)
  Screen and input (the private Xvfb display, 1024 x 768):
    screenshot() -> Screenshot: .width, .height, .pixel(x, y) -> (r, g, b), .save_png(path)
    xdotool(*args)   mouse_move(x, y)   click(button=1)   key(*names)   park_pointer()
  Constants: DISPLAY_TITLE "Orvane_Main", DIALOG_TITLE "Orvaneの設定",
             PREVIEW_TITLE "Preview Window", PROGRAM_TITLES (all three), WM_* numbers.

Window titles go to orvtool as \\uXXXX escapes, so they arrive intact whatever locale Wine
converts command lines with. Tests that look for the program's windows run one at a time
(CTest resource lock), so a window with one of its titles belongs to the test that runs.
"""

import os
import shutil
import struct
import subprocess
import tempfile
import threading
import time
import unittest

__all__ = [
    "OrvaneTestCase", "Install", "Run", "Held", "Screenshot",
    "find_window", "wait_window", "wait_gone", "window_exists", "top_level_windows",
    "window_rect", "client_rect", "window_info", "children", "window_text",
    "post", "send", "foreground", "close_window", "orvtool",
    "screenshot", "xdotool", "mouse_move", "click", "key", "park_pointer",
    "DISPLAY_TITLE", "DIALOG_TITLE", "PREVIEW_TITLE", "PROGRAM_TITLES",
    "WM_CLOSE", "WM_KEYDOWN", "WM_KEYUP", "WM_MOUSEMOVE", "WM_LBUTTONDOWN", "WM_COMMAND",
    "environment", "wine_env",
    "bmp", "windows_path", "count", "dominant",
]

DISPLAY_TITLE = "Orvane_Main"
DIALOG_TITLE = "Orvaneの設定"
PREVIEW_TITLE = "Preview Window"
PROGRAM_TITLES = (DISPLAY_TITLE, DIALOG_TITLE, PREVIEW_TITLE)

WM_CLOSE = 0x0010
WM_KEYDOWN = 0x0100
WM_KEYUP = 0x0101
WM_COMMAND = 0x0111
WM_MOUSEMOVE = 0x0200
WM_LBUTTONDOWN = 0x0201


def environment(name):
    value = os.environ.get(name)
    if not value:
        raise unittest.SkipTest(f"{name} is not set (CTest sets it in the Windows builds)")
    return value


_wine_env = None
_wine_env_lock = threading.Lock()


def wine_env():
    """The environment of the tree's display and prefix (brought up on first use)."""
    global _wine_env
    with _wine_env_lock:
        if _wine_env is None:
            out = subprocess.run([environment("ORVANE_WINE_RUN"), "--env"],
                                 env=_base_env(), capture_output=True, text=True,
                                 timeout=600, check=True).stdout
            env = _base_env()
            for line in out.splitlines():
                name, _, value = line.partition("=")
                if name:
                    env[name] = value
            _wine_env = env
        return dict(_wine_env)


def _base_env():
    env = dict(os.environ)
    env["ORVANE_WINE_ROOT"] = environment("ORVANE_WINE_ROOT")
    return env


def _escape(title):
    """\\uXXXX escapes for everything outside printable ASCII, and \\\\ for a backslash."""
    out = []
    for ch in title:
        code = ord(ch)
        if ch == "\\":
            out.append("\\\\")
        elif 0x20 <= code < 0x7F:
            out.append(ch)
        elif code > 0xFFFF:
            out.append(f"\\U{code:08x}")
        else:
            out.append(f"\\u{code:04x}")
    return "".join(out)


# --- orvtool -------------------------------------------------------------------------------

def orvtool(*args, timeout=30):
    """Runs orvtool with these arguments; returns (exit code, output text)."""
    proc = subprocess.run([environment("ORVANE_WINE_RUN"), environment("ORVTOOL"),
                           *[str(a) for a in args]],
                          env=wine_env(), stdin=subprocess.DEVNULL, capture_output=True,
                          timeout=timeout)
    return proc.returncode, proc.stdout.decode("utf-8", "replace")


def _value(args, timeout=30):
    code, out = orvtool(*args, timeout=timeout)
    return out.strip() if code == 0 else None


def find_window(title):
    value = _value(["find", _escape(title)])
    return int(value) if value else None


def wait_window(title, seconds):
    value = _value(["wait", _escape(title), seconds], timeout=seconds + 30)
    return int(value) if value else None


def wait_gone(hwnd, seconds):
    return orvtool("gone", hwnd, seconds, timeout=seconds + 30)[0] == 0


def window_exists(hwnd):
    return orvtool("exists", hwnd)[0] == 0


def top_level_windows():
    """Visible top-level windows as (hwnd, pid, title)."""
    code, out = orvtool("windows")
    result = []
    for line in out.splitlines() if code == 0 else []:
        hwnd, pid, title = line.split(" ", 2)
        result.append((int(hwnd), int(pid), title[1:-1]))
    return result


def window_rect(hwnd):
    value = _value(["rect", hwnd])
    return tuple(int(v) for v in value.split()) if value else None


def client_rect(hwnd):
    value = _value(["client", hwnd])
    return tuple(int(v) for v in value.split()) if value else None


def window_info(hwnd):
    value = _value(["info", hwnd])
    if not value:
        return None
    info = {}
    head, _, title = value.partition(' title="')
    head, _, cls = head.partition(' class="')
    for item in head.split():
        name, _, v = item.partition("=")
        info[name] = int(v, 0)
    info["class"] = cls[:-1]
    info["title"] = title[:-1]
    return info


def children(hwnd):
    """Child windows as (hwnd, control id, class, text)."""
    code, out = orvtool("children", hwnd)
    result = []
    for line in out.splitlines() if code == 0 else []:
        child, ident, rest = line.split(" ", 2)
        cls, _, text = rest.partition('" "')
        result.append((int(child), int(ident), cls[1:], text[:-1]))
    return result


def window_text(hwnd):
    code, out = orvtool("text", hwnd)
    return out[:-1] if code == 0 and out.endswith("\n") else (out if code == 0 else None)


def post(hwnd, msg, wparam=0, lparam=0):
    return orvtool("post", hwnd, msg, wparam, lparam)[0] == 0


def send(hwnd, msg, wparam=0, lparam=0):
    value = _value(["send", hwnd, msg, wparam, lparam])
    return int(value) if value is not None else None


def foreground(hwnd):
    return orvtool("foreground", hwnd)[0] == 0


def close_window(hwnd):
    return orvtool("close", hwnd)[0] == 0


# --- the X side ----------------------------------------------------------------------------

def xdotool(*args):
    subprocess.run(["xdotool", *[str(a) for a in args]], env=wine_env(), check=True,
                   stdin=subprocess.DEVNULL, capture_output=True, timeout=30)


def mouse_move(x, y):
    xdotool("mousemove", x, y)


def click(button=1):
    xdotool("click", button)


def key(*names):
    xdotool("key", *names)


def park_pointer():
    """Puts the pointer in the bottom right corner, out of the way of the tests' windows."""
    mouse_move(1023, 767)


class Screenshot:
    """The whole screen, as X shows it."""

    def __init__(self, width, height, rgb):
        self.width, self.height, self.rgb = width, height, rgb

    def pixel(self, x, y):
        i = (y * self.width + x) * 3
        return tuple(self.rgb[i:i + 3])

    def save_png(self, path):
        proc = subprocess.run(["convert", "-size", f"{self.width}x{self.height}", "-depth", "8",
                               "rgb:-", str(path)], input=self.rgb, capture_output=True,
                              timeout=60)
        if proc.returncode != 0:
            raise RuntimeError(proc.stderr.decode(errors="replace"))


def screenshot():
    proc = subprocess.run(["import", "-silent", "-window", "root", "-depth", "8", "ppm:-"],
                          env=wine_env(), capture_output=True, timeout=60, check=True)
    data = proc.stdout
    # P6 header: magic, width, height, maximum, each followed by one blank.
    fields, pos = [], 0
    while len(fields) < 4:
        while data[pos:pos + 1].isspace():
            pos += 1
        start = pos
        while not data[pos:pos + 1].isspace():
            pos += 1
        fields.append(data[start:pos])
    if fields[0] != b"P6" or fields[3] != b"255":
        raise RuntimeError("unexpected screenshot format")
    width, height = int(fields[1]), int(fields[2])
    return Screenshot(width, height, data[pos + 1:pos + 1 + width * height * 3])


def count(shot, colour, step=2):
    """Pixels of exactly this colour, sampling every `step`-th pixel in both directions."""
    target = bytes(colour)
    rgb, width, n = shot.rgb, shot.width, 0
    for y in range(0, shot.height, step):
        base = y * width * 3
        for x in range(0, width, step):
            i = base + x * 3
            n += rgb[i:i + 3] == target
    return n


def dominant(shot):
    """The colour of most of the screen, from a coarse grid of samples."""
    seen = {}
    for y in range(8, shot.height, 48):
        for x in range(8, shot.width, 48):
            p = shot.pixel(x, y)
            seen[p] = seen.get(p, 0) + 1
    return max(seen, key=seen.get)


# --- files for the program -----------------------------------------------------------------

def bmp(width, height, colour):
    """A 24-bit BMP of one colour."""
    row = bytes((colour[2], colour[1], colour[0])) * width
    row += b"\0" * (-len(row) % 4)
    pixels = row * height
    header = struct.pack("<2sIHHI", b"BM", 54 + len(pixels), 0, 0, 54)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 24, 0, len(pixels), 2835, 2835, 0, 0)
    return header + info + pixels


def windows_path(path):
    """The path a Windows program under Wine sees for a Linux path."""
    return "Z:" + path.replace("/", "\\")


# --- the program ---------------------------------------------------------------------------

class Install:
    """Orvane.scr copied into its own folder, with its settings file beside it."""

    def __init__(self, folder, ini=None):
        os.makedirs(folder)
        self.folder = folder
        self.scr = os.path.join(folder, "Orvane.scr")
        self.ini = os.path.join(folder, "Orvane.ini")
        shutil.copyfile(environment("ORVANE_SCR"), self.scr)
        if ini is not None:
            with open(self.ini, "wb") as f:
                f.write(ini)

    def ini_bytes(self):
        try:
            with open(self.ini, "rb") as f:
                return f.read()
        except FileNotFoundError:
            return None

    def ini_stamp(self):
        try:
            st = os.stat(self.ini)
            return (st.st_size, st.st_mtime_ns, st.st_ino)
        except FileNotFoundError:
            return None


class Run:
    """One start of the program under Wine."""

    def __init__(self, install, args, env=None, watch=False, log_dir=None):
        self.install = install
        self.args = [str(a) for a in args]
        self.output = ""
        self.returncode = None
        self.seen_windows = set()
        self._log = os.path.join(log_dir or install.folder, "program-output.txt")
        full_env = wine_env()
        full_env.update(env or {})
        full_env["ORVANE_WINE_OUTPUT"] = self._log
        self.started = time.monotonic()
        self.ended_at = None
        self._proc = subprocess.Popen(
            [environment("ORVANE_WINE_RUN"), install.scr, *self.args], env=full_env,
            stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL, stderr=subprocess.PIPE,
            cwd=install.folder)
        self._watcher = None
        if watch:
            self._watcher = threading.Thread(target=self._watch, daemon=True)
            self._watcher.start()

    def _watch(self):
        # Samples the visible windows that carry one of the program's titles while it runs.
        while self._proc.poll() is None:
            for hwnd, pid, title in top_level_windows():
                if title in PROGRAM_TITLES:
                    self.seen_windows.add((hwnd, pid, title))

    @property
    def ended(self):
        return self._proc.poll() is not None

    @property
    def elapsed(self):
        return (self.ended_at or time.monotonic()) - self.started

    def wait(self, timeout):
        """The exit code, or None when the program still runs after `timeout` seconds."""
        try:
            self._proc.wait(timeout)
        except subprocess.TimeoutExpired:
            return None
        self._finish()
        return self.returncode

    def kill(self):
        if self._proc.poll() is None:
            self._proc.terminate()
            try:
                self._proc.wait(10)
            except subprocess.TimeoutExpired:
                self._proc.kill()
                self._proc.wait()
        self._finish()

    def _finish(self):
        if self.ended_at is not None:
            return
        self.ended_at = time.monotonic()
        self.returncode = self._proc.returncode
        if self._watcher:
            self._watcher.join(60)
            self._watcher = None
        try:
            with open(self._log, "rb") as f:
                self.output = f.read().decode("utf-8", "replace")
        except FileNotFoundError:
            self.output = ""
        if self._proc.stderr:
            self.output += self._proc.stderr.read().decode("utf-8", "replace")
            self._proc.stderr.close()


class Held:
    """A window orvtool shows and keeps until .close() or the end of the with-block."""

    def __init__(self, work, args, seconds):
        fd, self._log = tempfile.mkstemp(prefix="orvtool-", suffix=".txt", dir=work)
        os.close(fd)
        env = wine_env()
        env["ORVANE_WINE_OUTPUT"] = self._log
        self._proc = subprocess.Popen(
            [environment("ORVANE_WINE_RUN"), environment("ORVTOOL"), *[str(a) for a in args],
             str(seconds)], env=env, stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL,
            stderr=subprocess.DEVNULL)
        self.hwnd = None
        deadline = time.monotonic() + 60
        while self.hwnd is None and time.monotonic() < deadline and self._proc.poll() is None:
            try:
                with open(self._log, "rb") as f:
                    first = f.readline()
                if first.endswith(b"\n"):
                    self.hwnd = int(first)
                    break
            except FileNotFoundError:
                pass
            time.sleep(0.05)
        if self.hwnd is None:
            self.close()
            raise RuntimeError(f"orvtool {args[0]} did not show its window")
        info = window_info(self.hwnd) or {}
        self.pid = info.get("pid")

    def close(self):
        if self._proc.poll() is None:
            if self.hwnd is not None:
                close_window(self.hwnd)
            try:
                self._proc.wait(30)
            except subprocess.TimeoutExpired:
                self._proc.terminate()
                self._proc.wait(10)

    def __enter__(self):
        return self

    def __exit__(self, *exc):
        self.close()


class OrvaneTestCase(unittest.TestCase):
    """Base class of the end-to-end cases: a fresh work folder, and everything the test
    started is stopped when it ends."""

    def setUp(self):
        root = os.path.join(environment("ORVANE_WINE_ROOT"), "e2e-work")
        os.makedirs(root, exist_ok=True)
        self.work = tempfile.mkdtemp(prefix=self.id().rsplit(".", 1)[-1] + "-", dir=root)
        self._runs = []
        self._held = []
        self._installs = 0
        if not os.environ.get("ORVANE_E2E_KEEP"):
            self.addCleanup(shutil.rmtree, self.work, True)
        self.addCleanup(self._stop_all)
        wine_env()

    def _stop_all(self):
        for run in self._runs:
            run.kill()
        for held in self._held:
            held.close()

    def wait_screen(self, predicate, seconds):
        """Screenshots until one satisfies `predicate`; that one, or the last, and whether."""
        deadline = time.monotonic() + seconds
        while True:
            shot = screenshot()
            if predicate(shot):
                return shot, True
            if time.monotonic() > deadline:
                return shot, False

    def install(self, ini=None):
        self._installs += 1
        return Install(os.path.join(self.work, f"install-{self._installs}"), ini)

    def start(self, install, *args, env=None, watch=False):
        run = Run(install, args, env=env, watch=watch)
        self._runs.append(run)
        return run

    def run_program(self, install, *args, timeout=20.0, env=None, watch=False):
        run = self.start(install, *args, env=env, watch=watch)
        if run.wait(timeout) is None:
            run.kill()
            self.fail(f"Orvane.scr {' '.join(run.args)} still ran after {timeout} s; "
                      f"output:\n{run.output}")
        return run

    def open_dialog(self, install, seconds=30):
        """Starts the settings dialog (/c) and waits until it is shown and painted:
        (Run, hwnd)."""
        park_pointer()
        run = self.start(install, "/c")
        hwnd = wait_window(DIALOG_TITLE, seconds)
        if hwnd is None:
            run.kill()
            self.fail(f"the dialog did not open; output:\n{run.output[-3000:]}")
        deadline = time.monotonic() + 10
        while not (window_info(hwnd) or {}).get("visible") and time.monotonic() < deadline:
            time.sleep(0.1)
        time.sleep(0.5)
        return run, hwnd

    def click_client(self, hwnd, point, button=1):
        """A click at a point of the window's client area."""
        x, y, _, _ = client_rect(hwnd)
        mouse_move(x + point[0], y + point[1])
        time.sleep(0.2)
        click(button)

    def hold_window(self, title, seconds=60):
        held = Held(self.work, ["hold", _escape(title)], seconds)
        self._held.append(held)
        return held

    def host_window(self, width, height, seconds=60):
        held = Held(self.work, ["host", width, height], seconds)
        self._held.append(held)
        return held

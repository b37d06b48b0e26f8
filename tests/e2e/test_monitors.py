"""The show on two monitors: a 1024 x 768 primary and an 800 x 600 monitor to its right, as
Wine sees them through an Xephyr with Xinerama inside a larger Xvfb. The case has its own
display, prefix (which reports the heads as monitors) and wineserver, under two-monitors/
in the build tree; the screenshot of both monitors (the heads as the outer Xvfb shows them)
is kept there as an artefact."""

import os
import subprocess
import time

from orvane_e2e import *
from test_show import DESKTOP, PLAIN, quarter

SECOND = (1024, 0, 1824, 600)  # left, top, right, bottom
LATER_DESKTOP = (0x99, 0x33, 0x66)


def start_server(command, env=None):
    """An X server started with -displayfd: (process, display number)."""
    read, write = os.pipe()
    proc = subprocess.Popen([*command, "-displayfd", str(write)], pass_fds=(write,), env=env,
                            stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL,
                            stderr=subprocess.DEVNULL, start_new_session=True)
    os.close(write)
    with os.fdopen(read) as f:
        number = f.readline().strip()
    if not number:
        proc.kill()
        raise RuntimeError(f"{command[0]} did not start")
    return proc, number


class TwoMonitors(OrvaneTestCase):
    @classmethod
    def setUpClass(cls):
        cls.root = os.path.join(environment("ORVANE_WINE_ROOT"), "two-monitors")
        cls.leave = wine_tree(cls.root)
        cls.xvfb, cls.outer = start_server(["Xvfb", "-screen", "0", "1900x800x24", "-nolisten", "tcp",
                                            "-noreset"])
        cls.xephyr, inner = start_server(
            ["Xephyr", "-screen", "1024x768+0+0", "-screen", "800x600+1032+0", "+xinerama", "-noreset",
             "-nolisten", "tcp"], env=dict(os.environ, DISPLAY=":" + cls.outer))
        # wine-run.sh takes this tree's display from here: the Xephyr, inside the Xvfb whose
        # process it watches and stops.
        write_bytes(os.path.join(cls.root, "wine-run", "display"), inner)
        write_bytes(os.path.join(cls.root, "wine-run", "xvfb.pid"), str(cls.xvfb.pid))
        # With XRandR Wine reports one monitor; with Xinerama alone, one per head.
        registry((r"HKCU\Software\Wine\X11 Driver", "UseXRandR", "REG_SZ", "N"))

    @classmethod
    def tearDownClass(cls):
        cls.leave()
        for server in (cls.xephyr, cls.xvfb):
            server.terminate()
            server.wait(10)

    def setUp(self):
        super().setUp()
        time.sleep(1)  # Xephyr passes the pointer's warp on late: not as a move of the show

    def test_both_show_the_picture_and_impacts_reach_the_second(self):
        folder = self.folder_of({"a.bmp": bmp(64, 48, lambda x, y: quarter(x, y, 64, 48))})
        install = self.install(settings(**{"画像のﾌｫﾙﾀﾞ": folder}))
        run, hwnd = self.start_show(install)
        self.assertEqual(window_rect(hwnd), (0, 0, 1824, 768))

        def crater_on_second(shot):
            # Black well inside the second monitor: a crater, not a fragment's shadow from
            # the first.
            return sum(shot.pixel(x, y) == BLACK for y in range(0, 600, 2)
                       for x in range(SECOND[0] + 150, SECOND[2], 2)) >= 10

        shot, ok = self.wait_screen(crater_on_second, 20)
        # The outer Xvfb holds the two heads as Xephyr windows: exactly what each monitor shows.
        save_screen(os.path.join(self.root, "two-monitors.png"), ":" + self.outer)
        self.assertTrue(ok, "no crater on the second monitor")
        # Each monitor holds the picture fitted to its own size.
        for left, top, width, height in ((0, 0, 1024, 768), (1024, 0, 800, 600)):
            wrong = [(x, y) for y in range(top, top + height, 4) for x in range(left, left + width, 4)
                     if shot.pixel(x, y) not in (RED, BLACK, quarter(x - left, y - top, width, height))]
            self.assertLess(len(wrong), 20, wrong[:5])
        self.end_show(run, hwnd)

    def test_a_move_on_the_second_ends_the_show(self):
        folder = self.folder_of({"a.bmp": bmp(8, 8, lambda x, y: PLAIN)})
        run, hwnd = self.start_show(self.install(settings(**{"画像のﾌｫﾙﾀﾞ": folder})))
        time.sleep(1.5)
        mouse_move(1500, 300)
        self.assert_ends(run, 15)

    def test_without_pictures_the_capture_covers_both(self):
        xsetroot = ["xsetroot", "-solid"]
        subprocess.run(xsetroot + ["#%02x%02x%02x" % DESKTOP], env=wine_env(), check=True)
        self.addCleanup(subprocess.run, xsetroot + ["black"], env=wine_env())
        install = self.install(settings(**{"画像のﾌｫﾙﾀﾞ": self.folder_of({})}))
        run, hwnd = self.start_show(install)
        time.sleep(1)
        # What the monitors show now is the capture, not the desktop behind the window.
        subprocess.run(xsetroot + ["#%02x%02x%02x" % LATER_DESKTOP], env=wine_env(), check=True)
        shot, ok = self.wait_screen(lambda s: s.count(BLACK) > 0, 5)
        self.assertTrue(ok, "no craters on the captured desktop")
        for x, y in ((10, 10), (1000, 700), (1034, 10), (1800, 590)):
            self.assertEqual(shot.pixel(x, y), DESKTOP, (x, y))
        self.end_show(run, hwnd)


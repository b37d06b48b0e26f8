"""The show on two monitors: a 1024 x 768 primary and an 800 x 600 monitor to its right, as
Wine sees them through an Xephyr with Xinerama inside a larger Xvfb, with a prefix (which
reports the heads as monitors) and wineserver of their own under two-monitors/ in the build
tree; the screenshot of both monitors is kept there as an artefact."""

import os
import subprocess
import time

from orvane_e2e import *
from test_show import crashed, quarter

SECOND = (1024, 0, 1824, 600)  # left, top, right, bottom
DESKTOP, LATER_DESKTOP = (0x33, 0x99, 0x66), (0x99, 0x33, 0x66)


class TwoMonitors(OrvaneTestCase):
    @classmethod
    def setUpClass(cls):
        cls.root = os.path.join(environment("ORVANE_WINE_ROOT"), "two-monitors")
        cls.leave = wine_tree(cls.root, "1900x800x24")
        cls.outer = wine_env()["DISPLAY"]  # the tree's own Xvfb, which holds the Xephyr
        read, write = os.pipe()
        cls.xephyr = subprocess.Popen(
            ["Xephyr", "-screen", "1024x768+0+0", "-screen", "800x600+1032+0", "+xinerama",
             "-nolisten", "tcp", "-noreset", "-displayfd", str(write)], pass_fds=(write,),
            env=dict(os.environ, DISPLAY=cls.outer), stdin=subprocess.DEVNULL,
            stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, start_new_session=True)
        os.close(write)
        with os.fdopen(read) as f:
            inner = f.readline().strip()
        if not inner:
            cls.tearDownClass()
            raise RuntimeError("Xephyr did not start")
        # From now on wine-run.sh takes the Xephyr as this tree's display.
        write_bytes(os.path.join(cls.root, "wine-run", "display"), inner)
        forget_wine_env()
        # With XRandR Wine reports one monitor; with Xinerama alone, one per head.
        registry((r"HKCU\Software\Wine\X11 Driver", "UseXRandR", "REG_SZ", "N"))

    @classmethod
    def tearDownClass(cls):
        cls.leave()  # the wineserver first, then its display
        cls.xephyr.terminate()
        cls.xephyr.wait(10)

    def setUp(self):
        super().setUp()
        time.sleep(1)  # Xephyr passes the pointer's warp on late: not as a move of the show

    def test_both_show_the_picture_impacts_reach_the_second_and_a_move_there_ends_it(self):
        folder = self.folder_of({"a.bmp": bmp(64, 48, lambda x, y: quarter(x, y, 64, 48))})
        install = self.install(settings(**{"画像のﾌｫﾙﾀﾞ": folder}))
        run, hwnd = self.start_show(install)
        self.assertEqual(window_info(hwnd)["rect"], (0, 0, 1824, 768))

        def crater_on_second(shot):
            # Black well inside the second monitor: a crater, not a fragment's shadow from
            # the first.
            return sum(shot.pixel(x, y) == BLACK for y in range(0, 600, 2)
                       for x in range(SECOND[0] + 150, SECOND[2], 2)) >= 10

        shot, ok = self.wait_screen(crater_on_second, 20)
        # The outer Xvfb holds the two heads as Xephyr windows: exactly what each monitor shows.
        save_screen(os.path.join(self.root, "two-monitors.png"), self.outer)
        self.assertTrue(ok, "no crater on the second monitor")
        # Each monitor holds the picture fitted to its own size.
        for left, top, width, height in ((0, 0, 1024, 768), (1024, 0, 800, 600)):
            wrong = [(x, y) for y in range(top, top + height, 4)
                     for x in range(left, left + width, 4)
                     if shot.pixel(x, y) not in (RED, BLACK, quarter(x - left, y - top, width, height))]
            self.assertLess(len(wrong), 20, wrong[:5])
        xdotool("mousemove", 1500, 300)
        self.assert_ends(run, 15)

    def test_without_pictures_it_crashes_into_the_desktop_captured_from_both(self):
        root = lambda colour: subprocess.run(["xsetroot", "-solid", colour], env=wine_env())
        root("#%02x%02x%02x" % DESKTOP)
        self.addCleanup(root, "black")
        install = self.install(settings(**{"画像のﾌｫﾙﾀﾞ": self.folder_of({})}))
        run, hwnd = self.start_show(install)
        time.sleep(1)
        # What the monitors show now is the capture, not the desktop behind the window.
        root("#%02x%02x%02x" % LATER_DESKTOP)
        shot, ok = self.wait_screen(crashed, 5)
        self.assertTrue(ok, "no fragments or craters on the captured desktop")
        for x, y in ((10, 10), (1000, 700), (1034, 10), (1800, 590)):
            self.assertEqual(shot.pixel(x, y), DESKTOP, (x, y))
        self.assertTrue(post(hwnd, WM_KEYDOWN, KEY_A))
        self.assert_ends(run)

"""The show (/s) on the private screen: the pictures of a folder with fragments and craters,
the picture change, the ways it ends, and the crash into the desktop without pictures."""

import subprocess
import time
import unittest

from orvane_e2e import *

# Plain colours no fragment (pure red) or crater (black) can be mistaken for.
QUARTERS = [(40, 120, 200), (230, 200, 60), (20, 160, 90), (150, 60, 170)]
PLAIN = (200, 90, 40)
DESKTOP = (0x33, 0x99, 0x66)


def quarter(x, y, width=1024, height=768):
    return QUARTERS[(2 if y >= height // 2 else 0) + (1 if x >= width // 2 else 0)]


def crashed(shot):
    return shot.count(RED) > 0 and shot.count(BLACK) > 0


class Show(OrvaneTestCase):
    def test_every_pixel_is_the_picture_a_fragment_or_a_crater_until_the_picture_changes(self):
        # Quarters of four colours: a frame put on screen upside down, or a changed part put
        # in the wrong place, shows a quarter's colour where another belongs.
        folder = self.folder_of({"a.bmp": bmp(64, 48, lambda x, y: quarter(x, y, 64, 48)),
                                 "b.bmp": bmp(64, 48, lambda x, y: PLAIN)})
        install = self.install(settings(**{"画像のﾌｫﾙﾀﾞ": folder, "ｲﾝﾀｰﾊﾞﾙ": " 4"}))
        run, hwnd = self.start_show(install)
        shown_at = time.monotonic()
        self.assertEqual(window_rect(hwnd), (0, 0, 1024, 768))
        self.assertTrue(window_info(hwnd)["exstyle"] & 0x8, "the show window is not topmost")
        first, ok = self.wait_screen(lambda s: s.dominant() in QUARTERS, 10)
        self.assertTrue(ok, f"the first picture is not on screen: {first.dominant()}")
        shot, ok = self.wait_screen(crashed, 2.5)
        self.assertTrue(ok, "no red fragments and black crater within the first seconds")
        wrong = [(x, y) for y in range(0, 768, 2) for x in range(0, 1024, 2)
                 if shot.pixel(x, y) not in (RED, BLACK, quarter(x, y))]
        self.assertEqual(wrong[:5], [])

        second, ok = self.wait_screen(lambda s: s.dominant() == PLAIN, 8)
        changed_after = time.monotonic() - shown_at
        self.assertTrue(ok, "the picture did not change")
        self.assertTrue(2.5 < changed_after < 8.0, changed_after)
        self.assertLess(second.count(BLACK), 8000, "the craters stayed over the new picture")
        self.end_show(run, hwnd)

    def test_a_click_a_key_or_a_move_in_both_coordinates_ends_it_and_nothing_else(self):
        folder = self.folder_of({"a.bmp": bmp(8, 8, lambda x, y: PLAIN)})
        install = self.install(settings(**{"画像のﾌｫﾙﾀﾞ": folder}))
        for how in ("move", "click", "key"):
            with self.subTest(how):
                run, hwnd = self.start_show(install)
                time.sleep(1.5)  # the first move, where the window appeared, is the origin
                if how == "move":  # along one axis from where the pointer was, then both
                    for x, y in ((500, 767), (1023, 300)):
                        mouse_move(x, y)
                        time.sleep(0.5)
                    self.assertIsNone(run.wait(0.5), "a move along one axis ended the show")
                {"move": lambda: mouse_move(700, 500), "click": lambda: xdotool("click", 1),
                 "key": lambda: key("a")}[how]()
                self.assert_ends(run, 15)
                # Nothing of the show stays on the screen.
                self.assertTrue(self.wait_screen(lambda s: s.count(PLAIN) == 0, 5)[1])
                mouse_move(1023, 767)
                time.sleep(0.5)

    def test_without_pictures_it_crashes_into_the_captured_desktop(self):
        xsetroot = ["xsetroot", "-solid"]
        subprocess.run(xsetroot + ["#%02x%02x%02x" % DESKTOP], env=wine_env(), check=True)
        self.addCleanup(subprocess.run, xsetroot + ["black"], env=wine_env())
        self.assertEqual(Screenshot().dominant(), DESKTOP)
        install = self.install(settings(**{"画像のﾌｫﾙﾀﾞ": self.folder_of({})}))
        run, hwnd = self.start_show(install)
        shot, ok = self.wait_screen(crashed, 4)
        self.assertTrue(ok, "no fragments or craters on the captured desktop")
        self.assertEqual(shot.dominant(), DESKTOP, "the show does not show the desktop")
        # Craters pile up on the desktop picture: it never changes.
        time.sleep(3)
        later = Screenshot()
        self.assertEqual(later.dominant(), DESKTOP)
        self.assertGreater(later.count(BLACK), shot.count(BLACK) // 2)
        self.end_show(run, hwnd)


if __name__ == "__main__":
    unittest.main()

"""The show (/s) on the private screen: the pictures of a folder with fragments and craters,
the picture change and the ways it ends. (The crash into the captured desktop is seen on two
monitors, in test_monitors.)"""

import time

from orvane_e2e import *

# Plain colours no fragment (pure red) or crater (black) can be mistaken for.
QUARTERS = [(40, 120, 200), (230, 200, 60), (20, 160, 90), (150, 60, 170)]
PLAIN = (200, 90, 40)


def quarter(x, y, width=1024, height=768):
    return QUARTERS[(2 if y >= height // 2 else 0) + (1 if x >= width // 2 else 0)]


def crashed(shot):
    return shot.count(RED) > 0 and shot.count(BLACK) > 0


class Show(OrvaneTestCase):
    def assert_ends_clean(self, run):
        self.assert_ends(run, 15)
        gone = lambda s: all(s.count(c) == 0 for c in (PLAIN, *QUARTERS))
        self.assertTrue(self.wait_screen(gone, 5)[1], "the show stayed on the screen")

    def test_pixels_of_picture_fragments_and_craters_the_change_and_the_ways_it_ends(self):
        # Quarters of four colours: a frame put on screen upside down, or a changed part put
        # in the wrong place, shows a quarter's colour where another belongs.
        folder = self.folder_of({"a.bmp": bmp(64, 48, lambda x, y: quarter(x, y, 64, 48)),
                                 "b.bmp": bmp(64, 48, lambda x, y: PLAIN)})
        install = self.install(settings(**{"画像のﾌｫﾙﾀﾞ": folder, "ｲﾝﾀｰﾊﾞﾙ": " 4"}))
        run, hwnd = self.start_show(install)
        shown_at = time.monotonic()
        self.assertEqual(window_info(hwnd)["rect"], (0, 0, 1024, 768))
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

        # Moves along one axis from where the pointer was do not end it; one in both does.
        for x, y in ((500, 767), (1023, 300)):
            xdotool("mousemove", x, y)
            time.sleep(0.5)
        self.assertIsNone(run.wait(0.5), "a move along one axis ended the show")
        xdotool("mousemove", 700, 500)
        self.assert_ends_clean(run)
        # A click ends it too (a key is seen in test_show_frames).
        xdotool("mousemove", 1023, 767)
        time.sleep(0.5)
        run, hwnd = self.start_show(install)
        time.sleep(1.5)  # the first move, where the window appeared, is the origin
        xdotool("click", 1)
        self.assert_ends_clean(run)

    def test_a_68_mb_photo_is_read_whole(self):
        # 5600 x 4200 fitted to the screen: its first and last rows in the file each show.
        photo = bmp(5600, 4200, lambda y: QUARTERS[0] if y < 2100 else QUARTERS[3], by_rows=True)
        self.assertGreater(len(photo), 68_000_000)
        folder = self.folder_of({"photo.bmp": photo})
        run, _ = self.start_show(self.install(settings(**{"画像のﾌｫﾙﾀﾞ": folder, "画像のｻｲｽﾞ": " 1"})))
        halves = lambda s: s.pixel(512, 40) == QUARTERS[0] and s.pixel(512, 728) == QUARTERS[3]
        self.assertTrue(self.wait_screen(halves, 40)[1], "the photo is not on screen whole")
        xdotool("key", "Escape")
        self.assert_ends_clean(run)

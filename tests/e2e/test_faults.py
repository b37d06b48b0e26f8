"""Faults injected into the running show: damaged picture files, and the picture folder
deleted while the show runs."""

import os
import shutil
import time
import unittest

from orvane_e2e import *

COLOUR_A, COLOUR_B = (40, 120, 200), (230, 200, 60)


class Faults(OrvaneTestCase):
    def test_damaged_pictures_are_passed_over_and_a_deleted_folder_keeps_the_last_picture(self):
        jpeg = bytes.fromhex("ffd8ffe000104a46494600010100000100010000ffc0001108003000400301220002110103110100")
        folder = self.folder_of({
            "a.bmp": bmp(64, 48, lambda x, y: COLOUR_A),
            "b.jpg": jpeg + os.urandom(3000),                              # garbage after the header
            "c.gif": b"GIF89a\x40\x00\x30\x00\xf7\x00\x00" + os.urandom(40),  # cut short
            "d.bmp": bmp(64, 48, lambda x, y: COLOUR_B)[:200],              # cut inside the pixels
            "e.wmf": os.urandom(500),                                      # no picture at all
            "f.bmp": bmp(64, 48, lambda x, y: COLOUR_B)})
        install = self.install(settings(**{"画像のﾌｫﾙﾀﾞ": folder, "ｲﾝﾀｰﾊﾞﾙ": " 1"}))
        run, hwnd = self.start_show(install)
        for colour in (COLOUR_B, COLOUR_A):  # past the damaged files, and round again
            shot, ok = self.wait_screen(lambda s: s.dominant() == colour, 15)
            self.assertTrue(ok, f"{colour} never came: {shot.dominant()}")
        shutil.rmtree(os.path.join(self.work, "pictures"))
        # The picture after the one on screen was read ahead before the folder went: it may
        # still come at the next change, then no other.
        time.sleep(1.5)
        first = Screenshot().dominant()
        time.sleep(5)
        later = Screenshot()
        self.assertTrue(window_exists(hwnd) and not run.ended, "the show ended")
        self.assertEqual(later.dominant(), first, "the picture changed with no files left")
        self.assertGreater(later.count(BLACK), 0, "no craters after the deletion")
        self.end_show(run, hwnd)


if __name__ == "__main__":
    unittest.main()

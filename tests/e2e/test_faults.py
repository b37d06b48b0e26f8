"""Faults injected into the running program: damaged picture files and the picture folder
deleted while the show runs; a settings file locked by another process when "設定" saves,
with the per-user place blocked too."""

import glob
import os
import shutil
import subprocess
import time
import unittest

from orvane_e2e import *

COLOUR_A, COLOUR_B = (40, 120, 200), (230, 200, 60)
SAVE_FAILED = ("設定を保存できませんでした。\r\n"
               "設定ﾌｧｲﾙに書き込めるか確かめてから、もう一度「設定」を押してください。")


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

    def test_a_locked_settings_file_is_reported_kept_and_the_dialog_stays(self):
        # The program saves for the user when its own file cannot be written: a folder where
        # that file would go leaves the save nowhere to go.
        roaming = glob.glob(os.path.join(wine_env()["WINEPREFIX"], "drive_c", "users", "*",
                                         "AppData", "Roaming"))
        per_user = [os.path.join(p, "Orvane", "Orvane.ini") for p in roaming if "/Public/" not in p]
        self.assertEqual(len(per_user), 1, roaming)
        if os.path.exists(per_user[0]) and not os.path.isdir(per_user[0]):
            self.skipTest(f"a per-user settings file exists: {per_user[0]}")
        os.makedirs(per_user[0], exist_ok=True)
        self.addCleanup(shutil.rmtree, os.path.dirname(per_user[0]), True)
        old = settings(**{"ｲﾝﾀｰﾊﾞﾙ": " 30", "mine": "keep me"})
        install = self.install(old)
        run, hwnd = self.open_dialog(install)
        locker = subprocess.Popen(
            [environment("ORVANE_WINE_RUN"), environment("ORVTOOL"), "lock",
             escape(windows_path(install.ini)), "60"], env=wine_env(),
            stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        self.addCleanup(lambda: locker.poll() is None and (locker.terminate(), locker.wait(10)))
        time.sleep(3)
        self.assertIsNone(locker.poll(), "orvtool could not lock the settings file")

        self.click_client(hwnd, OK_BUTTON)
        box = wait_window("Orvane", 15)
        self.assertIsNotNone(box, "no message after the failed save")
        self.assertEqual("".join(t for _, cls, t in children(box) if cls.lower() == "static"),
                         SAVE_FAILED)
        self.assertTrue(post(box, WM_COMMAND, 1) and wait_gone(box, 10), "the message stayed")
        self.assertTrue(window_exists(hwnd) and not run.ended, "the dialog closed")
        self.click_client(hwnd, CANCEL_BUTTON)
        self.assert_ends(run)
        locker.terminate()
        locker.wait(10)
        self.assertEqual(install.ini_bytes(), old)
        self.assertEqual(glob.glob(os.path.join(install.folder, "*.tmp")), [])


if __name__ == "__main__":
    unittest.main()

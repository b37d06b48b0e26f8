"""The settings dialog as a user meets it: where it opens and how it looks, what "設定" leaves
in the settings file after the sliders moved, "ｷｬﾝｾﾙ", and the user's own file (its
encoding, other sections, attributes and links) kept on save."""

import os
import time
import unittest

from orvane_e2e import *

INTERVAL_TRACK = (546, 60)       # right of the thumb at 10: ten more seconds
GRAVITY_LEFT_ARROW = (441, 260)  # one less
PREVIEW_SURFACE = (254, 114)     # the middle of the empty light grey preview

# What "設定" writes for a dialog opened without a settings file, after the two slider clicks:
# every key in the file's order, numbers with their leading blank.
SAVED = settings(**{"画像ﾁｪﾝｼﾞ": " 0", "画像のｻｲｽﾞ": " 1", "ｲﾝﾀｰﾊﾞﾙ": " 20", "画像のﾌｫﾙﾀﾞ": "",
                    "画像種類_0": " 1", "画像種類_1": " 1", "画像種類_2": " 1", "画像種類_3": " 1",
                    "BGM区分": " 0", "BGMﾘﾋﾟｰﾄ": " 0", "BGMﾌｧｲﾙ": "", "小片の数": " 200",
                    "小片の弾性": " 35", "重力": " 9", "拡散度": " 50", "激しさ": " 35", "速さ": " 20"})
USER_TEXT = "[Section]\r\nｲﾝﾀｰﾊﾞﾙ= 45\r\n[Mine]\r\nメモ=写真は週末に整理する\r\nx=1\r\n"


class SettingsDialog(OrvaneTestCase):
    def save(self, install, clicks=()):
        run, hwnd = self.open_dialog(install)
        for point in clicks:
            self.click_client(hwnd, point)
            time.sleep(0.3)
        self.click_client(hwnd, OK_BUTTON)
        self.assert_ends(run)

    def test_opens_centred_looking_like_its_layout_and_saves_what_the_sliders_show(self):
        install = self.install()
        run, hwnd = self.open_dialog(install)
        left, top, right, bottom = window_rect(hwnd)
        self.assertEqual((left, top, right - left, bottom - top), (207, 104, 609, 560))
        shot = Screenshot()
        x, y, _, _ = client_rect(hwnd)
        r, g, b = shot.pixel(x + 5, y + 5)  # the textured grey panel
        self.assertTrue(180 <= r <= 235 and abs(r - g) <= 3, (r, g, b))
        r, g, b = shot.pixel(x + OK_BUTTON[0] - 40, y + OK_BUTTON[1] + 6)  # a blue button face
        self.assertGreater(b, r + 40, (r, g, b))
        self.assertEqual(shot.pixel(x + PREVIEW_SURFACE[0], y + PREVIEW_SURFACE[1]), (224,) * 3)
        classes = sorted(c.lower() for _, c, _ in children(hwnd))
        self.assertEqual(classes, ["combobox", "edit", "listbox"] + ["scrollbar"] * 7)
        for point in (INTERVAL_TRACK, GRAVITY_LEFT_ARROW, OK_BUTTON):
            self.click_client(hwnd, point)
            time.sleep(0.3)
        self.assert_ends(run)
        self.assertEqual(install.ini_bytes(), SAVED)

    def test_cancel_released_off_the_button_closes_and_writes_nothing(self):
        install = self.install(SAVED)
        before = install.ini_stamp()
        run, hwnd = self.open_dialog(install)
        x, y, _, _ = client_rect(hwnd)
        mouse_move(x + CANCEL_BUTTON[0], y + CANCEL_BUTTON[1])
        time.sleep(0.2)
        xdotool("mousedown", 1)
        time.sleep(0.3)
        mouse_move(x + CANCEL_BUTTON[0], y + CANCEL_BUTTON[1] + 120)  # off the dialog
        time.sleep(0.2)
        xdotool("mouseup", 1)  # the button keeps the mouse: the release still cancels
        self.assert_ends(run)
        self.assertEqual(install.ini_stamp(), before)

    def test_the_users_file_keeps_its_encoding_sections_attributes_and_links(self):
        for name, bom, codec in (("UTF-16LE", b"\xff\xfe", "utf-16-le"),
                                 ("UTF-8", b"\xef\xbb\xbf", "utf-8")):
            with self.subTest(name):
                install = self.install(bom + USER_TEXT.encode(codec))
                self.save(install)
                saved = install.ini_bytes()
                self.assertTrue(saved.startswith(bom), saved[:16])
                text = saved[len(bom):].decode(codec)  # fails on any byte out of place
                self.assertIn("ｲﾝﾀｰﾊﾞﾙ= 45\r\n", text)
                self.assertIn("速さ= 20\r\n", text)
                self.assertTrue(text.endswith("[Mine]\r\nメモ=写真は週末に整理する\r\nx=1\r\n"), text)
        saved_keys = "速さ= 20\r\n".encode("cp932")
        with self.subTest("hidden"):
            install = self.install(USER_TEXT.encode("cp932"))
            attrib = ["attrib", escape(windows_path(install.ini))]
            self.assertEqual(orvtool(*attrib, "0x22")[0], 0)
            self.save(install)
            self.assertIn(saved_keys, install.ini_bytes())
            self.assertEqual(orvtool(*attrib)[1].strip(), "0x22")
        with self.subTest("hard link"):
            install = self.install(USER_TEXT.encode("cp932"))
            os.link(install.ini, other := os.path.join(install.folder, "other-name.ini"))
            self.save(install)
            self.assertTrue(os.path.samefile(install.ini, other), "the hard link was detached")
            self.assertIn(saved_keys, install.ini_bytes())
        with self.subTest("symbolic link"):
            install = self.install()
            write_bytes(target := os.path.join(self.work, "kept-elsewhere.ini"), USER_TEXT.encode("cp932"))
            os.symlink(target, install.ini)
            self.save(install)
            self.assertTrue(os.path.islink(install.ini), "the symbolic link became a plain file")
            self.assertIn(saved_keys, install.ini_bytes())


if __name__ == "__main__":
    unittest.main()

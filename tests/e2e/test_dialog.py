"""The settings dialog as a user meets it: where it opens, how it looks, and what its push
buttons and sliders leave in the settings file."""

import os
import time
import unittest

from orvane_e2e import *

# Client-area positions of the dialog's controls (panel offset plus control position).
OK_BUTTON = (392 + 46, 496 + 8)          # "設定"
CANCEL_BUTTON = (492 + 46, 496 + 8)      # "ｷｬﾝｾﾙ"
INTERVAL_TRACK = (336 + 148 + 62, 12 + 40 + 8)   # right of the thumb at 10
GRAVITY_LEFT_ARROW = (336 + 100 + 5, 12 + 240 + 8)
PREVIEW_SURFACE = (12 + 192, 12 + 52)    # Pic_K, 100 x 100, light grey

# What "設定" writes for a dialog opened without a settings file: every key in the file's
# order, numbers with their leading blank.
DEFAULT_FILE = ("[Section]\r\n"
                "画像ﾁｪﾝｼﾞ= 0\r\n"
                "画像のｻｲｽﾞ= 1\r\n"
                "ｲﾝﾀｰﾊﾞﾙ= 10\r\n"
                "画像のﾌｫﾙﾀﾞ=\r\n"
                "画像種類_0= 1\r\n"
                "画像種類_1= 1\r\n"
                "画像種類_2= 1\r\n"
                "画像種類_3= 1\r\n"
                "BGM区分= 0\r\n"
                "BGMﾘﾋﾟｰﾄ= 0\r\n"
                "BGMﾌｧｲﾙ=\r\n"
                "小片の数= 200\r\n"
                "小片の弾性= 35\r\n"
                "重力= 10\r\n"
                "拡散度= 50\r\n"
                "激しさ= 35\r\n"
                "速さ= 20\r\n").encode("cp932")


def artifact_path(name):
    """A file the build tree keeps after the test (the work folders are removed)."""
    folder = os.path.join(environment("ORVANE_WINE_ROOT"), "e2e-artifacts")
    os.makedirs(folder, exist_ok=True)
    return os.path.join(folder, name)


class SettingsDialog(OrvaneTestCase):
    def at(self, hwnd, point):
        x, y, _, _ = client_rect(hwnd)
        return x + point[0], y + point[1]

    def assert_closes(self, run):
        self.assertIsNotNone(run.wait(15), "the program still runs after the dialog closed")
        self.assertEqual(run.returncode, 0, run.output)

    def test_opens_centred_at_its_outer_size_and_looks_like_the_layout(self):
        run, hwnd = self.open_dialog(self.install())
        left, top, right, bottom = window_rect(hwnd)
        self.assertEqual((right - left, bottom - top), (609, 560))
        self.assertEqual((left, top), ((1024 - 609) // 2, (768 - 560) // 2))

        shot = screenshot()
        shot.save_png(artifact_path("settings_dialog.png"))
        cx, cy, cw, ch = client_rect(hwnd)
        self.assertGreaterEqual((cw, ch), (601, 533))
        # The textured grey panel, a blue push-button face and the light grey preview.
        r, g, b = shot.pixel(cx + 5, cy + 5)
        self.assertTrue(180 <= r <= 235 and abs(r - g) <= 3, (r, g, b))
        r, g, b = shot.pixel(*self.at(hwnd, (OK_BUTTON[0] - 40, OK_BUTTON[1] + 6)))
        self.assertGreater(b, r + 40, (r, g, b))
        self.assertEqual(shot.pixel(*self.at(hwnd, (PREVIEW_SURFACE[0] + 50,
                                                    PREVIEW_SURFACE[1] + 50))),
                         (0xE0, 0xE0, 0xE0))
        # The real controls: one list, seven scroll bars, one combo box.
        classes = [c[2].lower() for c in children(hwnd)]
        self.assertEqual(classes.count("listbox"), 1)
        self.assertEqual(classes.count("scrollbar"), 7)
        self.assertEqual(classes.count("combobox"), 1)
        close_window(hwnd)
        self.assert_closes(run)

    def test_ok_with_either_mouse_button_saves_every_key_and_closes(self):
        for button in (1, 3):
            with self.subTest(button=button):
                install = self.install()
                run, hwnd = self.open_dialog(install)
                self.click_client(hwnd, OK_BUTTON, button)
                self.assert_closes(run)
                self.assertEqual(install.ini_bytes(), DEFAULT_FILE)

    def test_cancel_released_off_the_button_closes_and_writes_nothing(self):
        install = self.install(DEFAULT_FILE)
        before = install.ini_stamp()
        run, hwnd = self.open_dialog(install)
        x, y = self.at(hwnd, CANCEL_BUTTON)
        mouse_move(x, y)
        time.sleep(0.2)
        xdotool("mousedown", 1)
        time.sleep(0.3)
        mouse_move(x, y + 120)  # off the dialog
        time.sleep(0.2)
        xdotool("mouseup", 1)  # the button keeps the mouse: the release still cancels
        self.assert_closes(run)
        self.assertEqual(install.ini_stamp(), before)

    def test_slider_positions_are_what_ok_stores(self):
        install = self.install()
        run, hwnd = self.open_dialog(install)
        self.click_client(hwnd, INTERVAL_TRACK)       # a click in the track: 10 more seconds
        time.sleep(0.3)
        self.click_client(hwnd, GRAVITY_LEFT_ARROW)   # an arrow: one less
        time.sleep(0.3)
        self.click_client(hwnd, OK_BUTTON)
        self.assert_closes(run)
        expected = (DEFAULT_FILE.replace("ｲﾝﾀｰﾊﾞﾙ= 10".encode("cp932"),
                                         "ｲﾝﾀｰﾊﾞﾙ= 20".encode("cp932"))
                    .replace("重力= 10".encode("cp932"), "重力= 9".encode("cp932")))
        self.assertEqual(install.ini_bytes(), expected)


if __name__ == "__main__":
    unittest.main()

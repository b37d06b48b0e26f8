"""The settings dialog without a mouse (Tab, Shift+Tab, arrows, Space, Enter, Esc, Alt+F4),
what the preview area says when there is nothing to show, the link to the README beside
the program, and a 68 MB BMP in the show."""

import os
import re
import time
import unittest

from orvane_e2e import *

PREVIEW = (12 + 192 + 3, 12 + 52 + 3, 94, 94)  # Pic_K inside its edge
ORDER_RANDOM_CAPTION = (336 + 40, 12 + 40)    # ｼｰｹﾝｼｬﾙ's caption, the order group's stop
LINK = (12, 500, 214, 13)
TEXTURE_SPOT = (5, 5)
CLEAR_BUTTON = (12 + 196 + 47, 12 + 276 + 8)  # "ｸﾘｱ"
RED = (220, 30, 30)


def settings(folder=""):
    return ("[Section]\r\n"
            f"画像のﾌｫﾙﾀﾞ={folder}\r\n").encode("cp932")


def ink(shot, x, y, w, h):
    """Pixels of a client rectangle that are neither the grey texture nor the preview grey."""
    found = 0
    for py in range(y, y + h):
        for px in range(x, x + w):
            r, g, b = shot.pixel(px, py)
            if max(r, g, b) - min(r, g, b) > 8 or max(r, g, b) < 150:
                found += 1
    return found


class KeyboardAndFeedback(OrvaneTestCase):
    def at(self, hwnd, point):
        x, y, _, _ = client_rect(hwnd)
        return x + point[0], y + point[1]

    def keys(self, hwnd, *names):
        # Keys go to the window under the pointer: a plain spot of the dialog.
        mouse_move(*self.at(hwnd, TEXTURE_SPOT))
        time.sleep(0.2)
        for name in names:
            key(name)
            time.sleep(0.15)

    def closes(self, run):
        self.assertIsNotNone(run.wait(15), "the dialog did not close")
        self.assertEqual(run.returncode, 0, run.output)

    def region_ink(self, hwnd, rect):
        x, y = self.at(hwnd, rect[:2])
        return ink(screenshot(), x, y, rect[2], rect[3])

    def test_tab_arrows_and_enter_set_and_save_without_the_mouse(self):
        install = self.install()
        run, hwnd = self.open_dialog(install)
        rx, ry = self.at(hwnd, (ORDER_RANDOM_CAPTION[0] - 1, ORDER_RANDOM_CAPTION[1] - 1))
        dots = lambda shot: sum(shot.pixel(rx + dx, ry) == (0, 0, 0) for dx in range(40))
        self.assertEqual(dots(screenshot()), 0)
        # Folder button, list, four kinds, ｸﾘｱ, then the order options.
        self.keys(hwnd, *["Tab"] * 7)
        self.assertGreater(dots(screenshot()), 10, "no focus shows round the order options")
        # ﾗﾝﾀﾞﾑ, then the interval slider one step up, then Enter saves.
        self.keys(hwnd, "Right", "Tab", "Right", "Return")
        self.closes(run)
        saved = install.ini_bytes().decode("cp932")
        self.assertIn("画像ﾁｪﾝｼﾞ= 1\r\n", saved)
        self.assertIn("ｲﾝﾀｰﾊﾞﾙ= 11\r\n", saved)

    def test_escape_alt_f4_and_space_on_cancel_close_without_saving(self):
        for keys in (["Escape"], ["alt+F4"], ["shift+Tab", "space"], ["Tab", "Escape"]):
            with self.subTest(keys=keys):
                install = self.install()
                run, hwnd = self.open_dialog(install)
                self.keys(hwnd, "Right")  # nothing to move: the folder button has the focus
                self.keys(hwnd, *keys)
                self.closes(run)
                self.assertIsNone(install.ini_bytes())

    def test_the_preview_says_what_it_cannot_show_and_clears_with_its_list(self):
        folder = os.path.join(self.work, "pictures")
        os.makedirs(folder)
        with open(os.path.join(folder, "a-broken.bmp"), "wb") as f:
            f.write(b"BM" + b"\x17" * 300)
        with open(os.path.join(folder, "b-good.bmp"), "wb") as f:
            f.write(bmp(64, 48, RED))
        run, hwnd = self.open_dialog(self.install(settings(windows_path(folder))))
        # A list with pictures and nothing selected: the preview is plain.
        self.assertLess(self.region_ink(hwnd, PREVIEW), 40)
        self.keys(hwnd, "Tab", "Down")  # the list, its first name: the broken file
        time.sleep(0.5)
        self.assertGreater(self.region_ink(hwnd, PREVIEW), 40, "nothing says it cannot be shown")
        self.keys(hwnd, "Down")
        time.sleep(0.5)
        shot = screenshot()
        px, py = self.at(hwnd, (PREVIEW[0] + 47, PREVIEW[1] + 27))
        self.assertEqual(shot.pixel(px, py), RED, "the good picture is not in the preview")
        # ｸﾘｱ: an empty list, a plain preview with the note that the show uses the desktop.
        self.click_client(hwnd, CLEAR_BUTTON)
        time.sleep(0.5)
        shot = screenshot()
        self.assertNotEqual(shot.pixel(px, py), RED, "the old picture stayed")
        self.assertGreater(self.region_ink(hwnd, PREVIEW), 80, "no note about the desktop")
        close_window(hwnd)
        self.closes(run)

    def test_the_link_opens_the_readme_beside_the_program_and_is_gone_without_it(self):
        install = self.install()
        run, hwnd = self.open_dialog(install)
        self.assertLess(self.region_ink(hwnd, LINK), 5, "a link shows with nothing to open")
        close_window(hwnd)
        self.closes(run)

        install = self.install()
        with open(os.path.join(install.folder, "README.txt"), "w", encoding="utf-8") as f:
            f.write("Orvane README\n")
        # Wine's shell traces what it is asked to open (this prefix has no viewer to show).
        park_pointer()
        run = self.start(install, "/c", env={"ORVANE_WINEDEBUG": "+exec"})
        hwnd = wait_window(DIALOG_TITLE, 30)
        self.assertIsNotNone(hwnd, run.output[-2000:])
        time.sleep(1.5)
        self.assertGreater(max(self.region_ink(hwnd, LINK) for _ in range(3)), 30,
                           "the link to the README does not show")
        self.click_client(hwnd, (LINK[0] + 20, LINK[1] + 6))
        time.sleep(2)
        close_window(hwnd)
        self.closes(run)
        readme = windows_path(os.path.join(install.folder, "README.txt")).replace("\\", "\\\\")
        self.assertRegex(run.output, 'verb=L"open" file=L"' + re.escape(readme) + '"')

    def test_a_68_mb_bmp_is_shown(self):
        folder = os.path.join(self.work, "big")
        os.makedirs(folder)
        colour = (40, 120, 200)
        path = os.path.join(folder, "photo.bmp")
        with open(path, "wb") as f:
            f.write(bmp(5600, 4200, colour))
        self.assertGreater(os.path.getsize(path), 68_000_000)
        park_pointer()
        time.sleep(1)
        run = self.start(self.install(settings(windows_path(folder))), "/s")
        shot, ok = self.wait_screen(lambda s: dominant(s) == colour, 40)
        self.assertTrue(ok, f"the picture is not on screen: {dominant(shot)}")
        key("Escape")
        self.assertIsNotNone(run.wait(20), "the show did not end")


if __name__ == "__main__":
    unittest.main()

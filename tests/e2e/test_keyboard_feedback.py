"""The settings dialog without a mouse (Tab, Shift+Tab, arrows, Space, Enter, Esc, Alt+F4)
saving into the user's own file, what the preview area says when there is nothing to show,
the link to the README beside the program."""

import os
import re
import time

from orvane_e2e import *
from test_dialog import USER_TEXT

PREVIEW = (12 + 192 + 3, 12 + 52 + 3, 94, 94)  # Pic_K inside its edge
LINK = (12, 500, 214, 13)
CLEAR_BUTTON = (12 + 196 + 47, 12 + 276 + 8)  # "ｸﾘｱ"
RED = (220, 30, 30)


class KeyboardAndFeedback(OrvaneTestCase):
    def keys(self, hwnd, *names):
        # Keys go to the window under the pointer: a plain spot of the dialog.
        xdotool("mousemove", *client_point(hwnd, (5, 5)))
        time.sleep(0.2)
        for name in names:
            xdotool("key", name)
            time.sleep(0.15)

    def region_ink(self, hwnd, rect):
        """Pixels of a client rectangle that are neither the grey texture nor the preview grey."""
        (x, y), shot = client_point(hwnd, rect), Screenshot()
        return sum(max(c) - min(c) > 8 or max(c) < 150 for c in
                   (shot.pixel(x + dx, y + dy) for dy in range(rect[3]) for dx in range(rect[2])))

    def test_tab_arrows_and_enter_save_into_the_users_file_behind_a_link(self):
        # Hidden and hard-linked files, and each encoding, have tests of their own (tests/win32,
        # tests/settings); here the whole way from the keys to the user's file on the disk.
        install = self.install()
        target = os.path.join(self.work, "kept-elsewhere.ini")
        write_bytes(target, b"\xff\xfe" + USER_TEXT.encode("utf-16-le"))
        os.symlink(target, install.ini)
        run, hwnd = self.open_dialog(install)
        # Folder button, list, four kinds, ｸﾘｱ, then the order options: ﾗﾝﾀﾞﾑ; then the
        # interval slider one step up, then Enter saves.
        self.keys(hwnd, *["Tab"] * 7, "Right", "Tab", "Right", "Return")
        self.assert_ends(run, 15)
        self.assertTrue(os.path.islink(install.ini), "the symbolic link became a plain file")
        saved = read_bytes(target)
        self.assertTrue(saved.startswith(b"\xff\xfe"), saved[:16])
        text = saved[2:].decode("utf-16-le")  # fails on any byte out of place
        for line in ("画像ﾁｪﾝｼﾞ= 1\r\n", "ｲﾝﾀｰﾊﾞﾙ= 46\r\n", "速さ= 20\r\n"):
            self.assertIn(line, text)
        self.assertTrue(text.endswith("[Mine]\r\nメモ=写真は週末に整理する\r\nx=1\r\n"), text)

    def test_escape_in_the_list_alt_f4_and_space_on_cancel_close_without_saving(self):
        for keys in (["Tab", "Escape"], ["alt+F4"], ["shift+Tab", "space"]):
            with self.subTest(keys=keys):
                install = self.install()
                run, hwnd = self.open_dialog(install)
                self.keys(hwnd, "Right")  # nothing to move: the folder button has the focus
                self.keys(hwnd, *keys)
                self.assert_ends(run, 15)
                self.assertIsNone(read_bytes(install.ini))

    def test_the_preview_says_what_it_cannot_show_and_the_link_opens_the_readme(self):
        folder = self.folder_of({"a-broken.bmp": b"BM" + b"\x17" * 300,
                                 "b-good.bmp": bmp(64, 48, lambda x, y: RED)})
        install = self.install(settings(**{"画像のﾌｫﾙﾀﾞ": folder}))
        write_bytes(os.path.join(install.folder, "README.txt"), "Orvane README\n")
        # Wine's shell traces what it is asked to open (this prefix has no viewer to show).
        run, hwnd = self.open_dialog(install, env={"ORVANE_WINEDEBUG": "+exec"})
        # A list with pictures and nothing selected: the preview is plain.
        self.assertLess(self.region_ink(hwnd, PREVIEW), 40)
        self.keys(hwnd, "Tab", "Down")  # the list, its first name: the broken file
        time.sleep(0.5)
        self.assertGreater(self.region_ink(hwnd, PREVIEW), 40, "nothing says it cannot be shown")
        self.keys(hwnd, "Down")
        time.sleep(0.5)
        px, py = client_point(hwnd, (PREVIEW[0] + 47, PREVIEW[1] + 27))
        self.assertEqual(Screenshot().pixel(px, py), RED, "the good picture is not in the preview")
        # ｸﾘｱ: an empty list, a plain preview with the note that the show uses the desktop.
        self.click(hwnd, CLEAR_BUTTON)
        time.sleep(0.2)
        self.assertNotEqual(Screenshot().pixel(px, py), RED, "the old picture stayed")
        self.assertGreater(self.region_ink(hwnd, PREVIEW), 80, "no note about the desktop")
        self.assertGreater(max(self.region_ink(hwnd, LINK) for _ in range(3)), 30,
                           "the link to the README does not show")
        self.click(hwnd, (LINK[0] + 20, LINK[1] + 6))
        time.sleep(2)
        post(hwnd, WM_CLOSE)
        self.assert_ends(run, 15)
        readme = windows_path(os.path.join(install.folder, "README.txt")).replace("\\", "\\\\")
        self.assertRegex(run.output, 'verb=L"open" file=L"' + re.escape(readme) + '"')

"""The settings dialog as a user meets it: where it opens and how it looks, what "設定" leaves
in the settings file after the sliders moved, and "ｷｬﾝｾﾙ". (The user's own file kept on save
is seen in test_keyboard_feedback.)"""

from orvane_e2e import *

INTERVAL_TRACK = (546, 60)       # right of the thumb at 10: ten more seconds
GRAVITY_LEFT_ARROW = (441, 260)  # one less

# What "設定" writes for a dialog opened without a settings file, after the two slider clicks:
# every key in the file's order, numbers with their leading blank.
SAVED = settings(**{"画像ﾁｪﾝｼﾞ": " 0", "画像のｻｲｽﾞ": " 1", "ｲﾝﾀｰﾊﾞﾙ": " 20", "画像のﾌｫﾙﾀﾞ": "",
                    "画像種類_0": " 1", "画像種類_1": " 1", "画像種類_2": " 1", "画像種類_3": " 1",
                    "BGM区分": " 0", "BGMﾘﾋﾟｰﾄ": " 0", "BGMﾌｧｲﾙ": "", "小片の数": " 200",
                    "小片の弾性": " 35", "重力": " 9", "拡散度": " 50", "激しさ": " 35", "速さ": " 20"})
USER_TEXT = "[Section]\r\nｲﾝﾀｰﾊﾞﾙ= 45\r\n[Mine]\r\nメモ=写真は週末に整理する\r\nx=1\r\n"


class SettingsDialog(OrvaneTestCase):
    def test_opens_centred_looking_like_its_layout_and_saves_what_the_sliders_show(self):
        install = self.install()
        run, hwnd = self.open_dialog(install)
        left, top, right, bottom = window_info(hwnd)["rect"]
        self.assertEqual((left, top, right - left, bottom - top), (207, 104, 609, 560))
        shot = Screenshot()
        r, g, b = shot.pixel(*client_point(hwnd, (5, 5)))  # the textured grey panel
        self.assertTrue(180 <= r <= 235 and abs(r - g) <= 3, (r, g, b))
        classes = sorted(c.lower() for _, c, _ in children(hwnd))
        self.assertEqual(classes, ["combobox", "edit", "listbox"] + ["scrollbar"] * 7)
        self.click(hwnd, INTERVAL_TRACK, GRAVITY_LEFT_ARROW, OK_BUTTON)
        self.assert_ends(run)
        self.assertEqual(read_bytes(install.ini), SAVED)

    def test_cancel_released_off_the_button_closes_and_writes_nothing(self):
        install = self.install(USER_TEXT.encode("cp932"))  # a save would add every key
        run, hwnd = self.open_dialog(install)
        x, y = client_point(hwnd, CANCEL_BUTTON)
        # Pressed there, released off the dialog: the button keeps the mouse, so it cancels.
        xdotool("mousemove", x, y, "sleep", 0.2, "mousedown", 1, "sleep", 0.3,
                "mousemove", x, y + 120, "sleep", 0.2, "mouseup", 1)
        self.assert_ends(run)
        self.assertEqual(read_bytes(install.ini), USER_TEXT.encode("cp932"))

"""At 144 DPI (150 %), in a prefix and a 1600 x 1200 display of this suite's own: the dialog
1.5 times its design, whole and centred, every caption inside its box, buttons and sliders
saving as at 96 DPI; the preview still covers its host."""

import os

import test_dialog
from orvane_e2e import *

DPI, SCREEN = 144, (1600, 1200)


def s(v):
    return (v * DPI + 48) // 96  # halves away from zero, as the dialog rounds


def box(panel, x, y, w, h):
    left, top = s(panel[0]) + s(x), s(panel[1]) + s(y)
    return left, top, left + s(w), top + s(h)


LEFT, RIGHT, MUSIC = (12, 12), (336, 12), (12, 364)
# Plates and labels with nothing else black within MARGIN pixels of them: the headings and the
# captions that once overflowed theirs.
CAPTION_BOXES = {
    "画像のﾌｧｲﾙ名": box(LEFT, 12, 8, 109, 22), "ﾌｫﾙﾀﾞで指定...": box(LEFT, 12, 40, 109, 22),
    "画像のﾌﾟﾚﾋﾞｭｰ": box(LEFT, 192, 8, 101, 22), "画像の種類": box(LEFT, 192, 164, 101, 22),
    "画像ﾁｪﾝｼﾞ": box(RIGHT, 12, 8, 109, 22), "ｲﾝﾀｰﾊﾞﾙ": box(RIGHT, 136, 8, 101, 22),
    "激突時の設定": box(RIGHT, 12, 168, 109, 22), "・小片の弾性": box(RIGHT, 20, 224, 72, 13),
    "BGM": box(MUSIC, 12, 8, 95, 22), "音楽CD": box(MUSIC, 140, 12, 43, 13),
    "MP3、WAV": box(MUSIC, 140, 52, 60, 13),
}
MARGIN = 5


def setUpModule():
    global ARTEFACTS, leave
    ARTEFACTS = os.path.join(environment("ORVANE_WINE_ROOT"), "e2e-artifacts")
    leave = wine_tree(os.path.join(environment("ORVANE_WINE_ROOT"), "wine-dpi144"),
                      f"{SCREEN[0]}x{SCREEN[1]}x24")
    registry(*((key, "LogPixels", "REG_DWORD", DPI) for key in (
        r"HKCU\Control Panel\Desktop",
        r"HKLM\System\CurrentControlSet\Hardware Profiles\Current\Software\Fonts")))


def tearDownModule():
    leave()


class DialogAt144Dpi(OrvaneTestCase):
    def test_scaled_whole_centred_captions_inside_saving_as_at_96_and_the_preview(self):
        install = self.install()
        run, hwnd = self.open_dialog(install)
        info = window_info(hwnd)
        (left, top, right, bottom), (cx, cy, cw, ch) = info["rect"], info["client"]
        shot = Screenshot()
        save_screen(os.path.join(ARTEFACTS, "settings_dialog_144dpi.png"))
        self.assertTrue(cw >= s(601) and ch >= s(533), (cw, ch))
        width, height = right - left, bottom - top
        self.assertTrue(width >= s(609) and height >= s(560), (width, height))
        self.assertEqual((left, top), ((SCREEN[0] - width) // 2, (SCREEN[1] - height) // 2))
        # The blue face of 設定, where it is drawn at this scale.
        r, g, b = shot.pixel(cx + s(398), cy + s(509))
        self.assertGreater(b, r + 40, (r, g, b))
        spills = {}
        for caption, (l, t, r_, b_) in CAPTION_BOXES.items():
            black = [(x, y) for y in range(t - MARGIN, b_ + MARGIN)
                     for x in range(l - MARGIN, r_ + MARGIN) if shot.pixel(cx + x, cy + y) == BLACK]
            inside = sum(l <= x < r_ and t <= y < b_ for x, y in black)
            self.assertGreater(inside, 20, f"no caption drawn in the box of {caption}")
            if inside < len(black):
                spills[caption] = len(black) - inside
        self.assertEqual(spills, {}, "captions with pixels outside their boxes")
        points = (test_dialog.INTERVAL_TRACK, test_dialog.GRAVITY_LEFT_ARROW, OK_BUTTON)
        self.click(hwnd, *((s(x), s(y)) for x, y in points))
        self.assert_ends(run, 15)
        self.assertEqual(read_bytes(install.ini), test_dialog.SAVED)
        # The preview takes its host's size in the pixels of this DPI.
        host = self.host(s(152), s(112))
        preview = self.start_preview(self.install(), host)[1]
        self.assertEqual(window_info(preview)["rect"], window_info(host)["rect"])
        post(host, WM_CLOSE)

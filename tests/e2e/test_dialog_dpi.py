"""The settings dialog on a screen scaled to 150 % (144 DPI): every part of it 1.5 times its
design size, whole and centred on the screen, every caption inside its box, and the push
buttons and sliders still doing what they do at 96 DPI.

The scaled screen lives in its own Wine prefix and display (a 1600 x 1200 Xvfb), so the
other suites keep the 96 DPI of the tree's prefix."""

import os
import subprocess
import time
import unittest

import orvane_e2e
import test_dialog
from orvane_e2e import *

DPI = 144
SCREEN = (1600, 1200)


def s(v):
    """A design length at 144 DPI, rounded as the dialog rounds (halves away from zero)."""
    return (v * DPI + 48) // 96


def rect(panel, x, y, w, h):
    """Client rectangle (left, top, right, bottom) of a control at (x, y) in its panel."""
    left, top = s(panel[0]) + s(x), s(panel[1]) + s(y)
    return left, top, left + s(w), top + s(h)


CLIENT, LEFT, RIGHT, MUSIC = (0, 0), (12, 12), (336, 12), (12, 364)

# Boxes that hold black captions, with nothing else black within MARGIN pixels: heading
# plates, button faces, and the labels beside marks and sliders.
CAPTION_BOXES = {
    "画像のﾌｧｲﾙ名": rect(LEFT, 12, 8, 109, 22),
    "ﾌｫﾙﾀﾞで指定...": rect(LEFT, 12, 40, 109, 22),
    "画像のﾌﾟﾚﾋﾞｭｰ": rect(LEFT, 192, 8, 101, 22),
    "画像の種類": rect(LEFT, 192, 164, 101, 22),
    "ｸﾘｱ": rect(LEFT, 196, 272, 95, 22),
    "*.bmp": rect(LEFT, 224, 192, 32, 13),
    "*.wmf": rect(LEFT, 224, 252, 32, 13),
    "画像ﾁｪﾝｼﾞ": rect(RIGHT, 12, 8, 109, 22),
    "ｼｰｹﾝｼｬﾙ": rect(RIGHT, 40, 40, 55, 13),
    "画像のｻｲｽﾞ": rect(RIGHT, 12, 88, 109, 22),
    "ﾌﾙｽｸﾘｰﾝ": rect(RIGHT, 40, 140, 52, 13),
    "ｲﾝﾀｰﾊﾞﾙ": rect(RIGHT, 136, 8, 101, 22),
    "初期値": rect(RIGHT, 144, 168, 85, 22),
    "激突時の設定": rect(RIGHT, 12, 168, 109, 22),
    "・小片の数": rect(RIGHT, 20, 204, 59, 13),
    "・小片の弾性": rect(RIGHT, 20, 224, 72, 13),
    "・拡散度": rect(RIGHT, 20, 264, 46, 13),
    "200": rect(RIGHT, 200, 204, 29, 13),
    "BGM": rect(MUSIC, 12, 8, 95, 22),
    "音楽CD": rect(MUSIC, 140, 12, 43, 13),
    "MP3、MAV": rect(MUSIC, 140, 52, 60, 13),
    "曲目をﾘﾋﾟｰﾄ": rect(MUSIC, 236, 12, 66, 13),
    "Designed by": rect(CLIENT, 12, 484, 165, 13),
    "設定": rect(CLIENT, 392, 492, 95, 22),
    "ｷｬﾝｾﾙ": rect(CLIENT, 492, 492, 95, 22),
}
MARGIN = 5
BLACK = (0, 0, 0)

OK_BUTTON = (s(392) + s(47), s(492) + s(11))
INTERVAL_TRACK = (s(336) + s(148) + s(62), s(12) + s(48))
GRAVITY_LEFT_ARROW = (s(336) + s(100) + s(5), s(12) + s(248))
PREVIEW_CENTRE = (s(12) + s(192) + s(50), s(12) + s(52) + s(50))

_saved = {}


def _wine(*args):
    subprocess.run([environment("ORVANE_WINE_RUN"), *args], env=wine_env(),
                   capture_output=True, timeout=300, check=False)


def setUpModule():
    # A prefix and display of this suite's own, beside the tree's.
    tree = environment("ORVANE_WINE_ROOT")
    _saved.update({k: os.environ.get(k) for k in ("ORVANE_WINE_ROOT", "ORVANE_WINE_SCREEN")})
    _saved["tree"] = tree
    os.environ["ORVANE_WINE_ROOT"] = os.path.join(tree, "wine-dpi144")
    os.environ["ORVANE_WINE_SCREEN"] = f"{SCREEN[0]}x{SCREEN[1]}x24"
    os.makedirs(os.environ["ORVANE_WINE_ROOT"], exist_ok=True)
    orvane_e2e._wine_env = None
    reg = os.path.join(wine_env()["WINEPREFIX"], "drive_c", "windows", "system32", "reg.exe")
    for key in (r"HKCU\Control Panel\Desktop",
                r"HKLM\System\CurrentControlSet\Hardware Profiles\Current\Software\Fonts"):
        _wine(reg, "add", key, "/v", "LogPixels", "/t", "REG_DWORD", "/d", str(DPI), "/f")
    _wine("--stop")  # new programs read the DPI when the wineserver starts
    orvane_e2e._wine_env = None


def tearDownModule():
    _wine("--stop")
    orvane_e2e._wine_env = None
    for key in ("ORVANE_WINE_ROOT", "ORVANE_WINE_SCREEN"):
        if _saved.get(key) is None:
            os.environ.pop(key, None)
        else:
            os.environ[key] = _saved[key]


class DialogAt144Dpi(OrvaneTestCase):
    def test_scaled_whole_centred_and_every_caption_inside_its_box(self):
        run, hwnd = self.open_dialog(self.install())
        left, top, right, bottom = window_rect(hwnd)
        cx, cy, cw, ch = client_rect(hwnd)
        shot = screenshot()
        folder = os.path.join(_saved["tree"], "e2e-artifacts")
        os.makedirs(folder, exist_ok=True)
        shot.save_png(os.path.join(folder, "settings_dialog_144dpi.png"))

        # 1.5 times the design: the client area holds the whole 601 x 533 panel, the
        # window is at least 609 x 560 scaled, centred, and all of it on the screen.
        self.assertGreaterEqual((cw, ch), (s(601), s(533)))
        width, height = right - left, bottom - top
        self.assertGreaterEqual((width, height), (s(609), s(560)))
        self.assertEqual((left, top), ((SCREEN[0] - width) // 2, (SCREEN[1] - height) // 2))
        self.assertTrue(left >= 0 and top >= 0 and right <= SCREEN[0] and bottom <= SCREEN[1])

        # The parts where the scaled layout puts them: the preview's grey at its scaled
        # centre, the blue face of 設定, the texture below the footer.
        self.assertEqual(shot.pixel(cx + PREVIEW_CENTRE[0], cy + PREVIEW_CENTRE[1]),
                         (0xE0, 0xE0, 0xE0))
        r, g, b = shot.pixel(cx + s(392) + s(6), cy + s(492) + s(17))
        self.assertGreater(b, r + 40, (r, g, b))
        r, g, b = shot.pixel(cx + s(300), cy + s(528))
        self.assertTrue(180 <= r <= 235 and abs(r - g) <= 3, (r, g, b))

        # Captions: black pixels round each box lie inside it, and the box has some.
        spills = {}
        for caption, (l, t, r_, b_) in CAPTION_BOXES.items():
            inside = outside = 0
            for y in range(t - MARGIN, b_ + MARGIN):
                for x in range(l - MARGIN, r_ + MARGIN):
                    if shot.pixel(cx + x, cy + y) != BLACK:
                        continue
                    if l <= x < r_ and t <= y < b_:
                        inside += 1
                    else:
                        outside += 1
            self.assertGreater(inside, 20, f"no caption drawn in the box of {caption}")
            if outside:
                spills[caption] = outside
        self.assertEqual(spills, {}, "captions with pixels outside their boxes")
        close_window(hwnd)
        self.assertIsNotNone(run.wait(15))

    def test_buttons_and_sliders_click_and_save(self):
        install = self.install()
        run, hwnd = self.open_dialog(install)
        self.click_client(hwnd, INTERVAL_TRACK)       # a click in the track: 10 more seconds
        time.sleep(0.3)
        self.click_client(hwnd, GRAVITY_LEFT_ARROW)   # an arrow: one less
        time.sleep(0.3)
        self.click_client(hwnd, OK_BUTTON)
        self.assertIsNotNone(run.wait(15), "the dialog did not close on 設定")
        expected = (test_dialog.DEFAULT_FILE
                    .replace("ｲﾝﾀｰﾊﾞﾙ= 10".encode("cp932"), "ｲﾝﾀｰﾊﾞﾙ= 20".encode("cp932"))
                    .replace("重力= 10".encode("cp932"), "重力= 9".encode("cp932")))
        self.assertEqual(install.ini_bytes(), expected)

    def test_preview_fills_its_host(self):
        install = self.install()
        with self.host_window(s(152), s(112)) as host:
            run = self.start(install, "/p", host.hwnd)
            deadline, preview = time.monotonic() + 20, None
            while preview is None and time.monotonic() < deadline:
                preview = next((c[0] for c in children(host.hwnd) if c[2] == "Orvane_R"), None)
                time.sleep(0.1)
            self.assertIsNotNone(preview, "no preview window appeared in the host")
            self.assertEqual(window_rect(preview), window_rect(host.hwnd))
            close_window(host.hwnd)
            self.assertIsNotNone(run.wait(15))


if __name__ == "__main__":
    unittest.main()

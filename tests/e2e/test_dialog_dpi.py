"""At 144 DPI (150 %), in a prefix and a 1600 x 1200 display of this suite's own: the dialog
1.5 times its design, whole and centred, every caption inside its box, buttons and sliders
saving as at 96 DPI; the preview still covers its host."""

import os
import subprocess
import time
import unittest

import orvane_e2e
import test_dialog
from orvane_e2e import *

DPI, SCREEN = 144, (1600, 1200)


def s(v):
    return (v * DPI + 48) // 96  # halves away from zero, as the dialog rounds


def box(panel, x, y, w, h):
    left, top = s(panel[0]) + s(x), s(panel[1]) + s(y)
    return left, top, left + s(w), top + s(h)


CLIENT, LEFT, RIGHT, MUSIC = (0, 0), (12, 12), (336, 12), (12, 364)
# Plates, faces and labels with nothing else black within MARGIN pixels of them.
CAPTION_BOXES = {
    "画像のﾌｧｲﾙ名": box(LEFT, 12, 8, 109, 22), "ﾌｫﾙﾀﾞで指定...": box(LEFT, 12, 40, 109, 22),
    "画像のﾌﾟﾚﾋﾞｭｰ": box(LEFT, 192, 8, 101, 22), "画像の種類": box(LEFT, 192, 164, 101, 22),
    "ｸﾘｱ": box(LEFT, 196, 272, 95, 22), "*.bmp": box(LEFT, 224, 192, 32, 13),
    "画像ﾁｪﾝｼﾞ": box(RIGHT, 12, 8, 109, 22), "ｼｰｹﾝｼｬﾙ": box(RIGHT, 40, 40, 55, 13),
    "ｲﾝﾀｰﾊﾞﾙ": box(RIGHT, 136, 8, 101, 22), "初期値": box(RIGHT, 144, 168, 85, 22),
    "激突時の設定": box(RIGHT, 12, 168, 109, 22), "・小片の弾性": box(RIGHT, 20, 224, 72, 13),
    "200": box(RIGHT, 200, 204, 29, 13), "BGM": box(MUSIC, 12, 8, 95, 22),
    "音楽CD": box(MUSIC, 140, 12, 43, 13), "MP3、MAV": box(MUSIC, 140, 52, 60, 13),
    "曲目をﾘﾋﾟｰﾄ": box(MUSIC, 236, 12, 66, 13), "Designed by": box(CLIENT, 12, 484, 165, 13),
    "設定": box(CLIENT, 392, 492, 95, 22), "ｷｬﾝｾﾙ": box(CLIENT, 492, 492, 95, 22),
}
MARGIN, BLACK = 5, (0, 0, 0)
_saved = {}


def _wine(*args):
    subprocess.run([environment("ORVANE_WINE_RUN"), *args], env=wine_env(),
                   capture_output=True, timeout=300, check=False)


def setUpModule():
    environment("ORVANE_WINE_ROOT")
    _saved.update({k: os.environ.get(k) for k in ("ORVANE_WINE_ROOT", "ORVANE_WINE_SCREEN")})
    os.environ["ORVANE_WINE_ROOT"] = os.path.join(_saved["ORVANE_WINE_ROOT"], "wine-dpi144")
    os.environ["ORVANE_WINE_SCREEN"] = f"{SCREEN[0]}x{SCREEN[1]}x24"
    orvane_e2e._wine_env = None
    reg = os.path.join(wine_env()["WINEPREFIX"], "drive_c", "windows", "system32", "reg.exe")
    for key in (r"HKCU\Control Panel\Desktop",
                r"HKLM\System\CurrentControlSet\Hardware Profiles\Current\Software\Fonts"):
        _wine(reg, "add", key, "/v", "LogPixels", "/t", "REG_DWORD", "/d", str(DPI), "/f")
    _wine("--stop")  # programs read the DPI when the wineserver starts
    orvane_e2e._wine_env = None


def tearDownModule():
    _wine("--stop")
    orvane_e2e._wine_env = None
    for key, value in _saved.items():
        os.environ.pop(key, None) if value is None else os.environ.__setitem__(key, value)


class DialogAt144Dpi(OrvaneTestCase):
    def test_scaled_whole_centred_and_every_caption_inside_its_box(self):
        run, hwnd = self.open_dialog(self.install())
        left, top, right, bottom = window_rect(hwnd)
        cx, cy, cw, ch = client_rect(hwnd)
        shot = screenshot()
        folder = os.path.join(_saved["ORVANE_WINE_ROOT"], "e2e-artifacts")
        os.makedirs(folder, exist_ok=True)
        shot.save_png(os.path.join(folder, "settings_dialog_144dpi.png"))
        self.assertGreaterEqual((cw, ch), (s(601), s(533)))
        width, height = right - left, bottom - top
        self.assertGreaterEqual((width, height), (s(609), s(560)))
        self.assertEqual((left, top), ((SCREEN[0] - width) // 2, (SCREEN[1] - height) // 2))
        # The preview's grey at its scaled centre, the blue face of 設定.
        self.assertEqual(shot.pixel(cx + s(254), cy + s(114)), (0xE0, 0xE0, 0xE0))
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
        close_window(hwnd)
        self.assertIsNotNone(run.wait(15))

    def test_buttons_and_sliders_click_and_save(self):
        install = self.install()
        run, hwnd = self.open_dialog(install)
        for point in ((s(546), s(60)), (s(441), s(260)), (s(439), s(503))):  # track, arrow, 設定
            self.click_client(hwnd, point)
            time.sleep(0.3)
        self.assertIsNotNone(run.wait(15), "the dialog did not close on 設定")
        expected = (test_dialog.DEFAULT_FILE
                    .replace("ｲﾝﾀｰﾊﾞﾙ= 10".encode("cp932"), "ｲﾝﾀｰﾊﾞﾙ= 20".encode("cp932"))
                    .replace("重力= 10".encode("cp932"), "重力= 9".encode("cp932")))
        self.assertEqual(install.ini_bytes(), expected)

    def test_preview_fills_its_host(self):
        with self.host_window(s(152), s(112)) as host:
            run = self.start(self.install(), "/p", host.hwnd)
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

"""The show (/s) on the private screen: the pictures of a folder, fragments and craters, the
picture change, the ways it ends, the crash into the desktop when there are no pictures, a
second start, and damaged picture files. Screenshots are kept in the build tree under
e2e-artifacts/show/."""

import os
import struct
import subprocess
import time
import unittest

from orvane_e2e import *

# Plain colours no fragment (pure red), shadow or crater (black) can be mistaken for.
COLOUR_A = (40, 120, 200)
COLOUR_B = (230, 200, 60)
DESKTOP = (0x33, 0x99, 0x66)
RED = (255, 0, 0)
BLACK = (0, 0, 0)


def quadrants_bmp(width, height, colours):
    """A 24-bit BMP whose four quarters have the colours top-left, top-right, bottom-left,
    bottom-right (rows are stored bottom row first)."""
    rows = []
    for y in range(height - 1, -1, -1):
        row = b""
        for x in range(width):
            r, g, b = colours[(2 if y >= height // 2 else 0) + (1 if x >= width // 2 else 0)]
            row += bytes((b, g, r))
        rows.append(row + b"\0" * (-len(row) % 4))
    pixels = b"".join(rows)
    header = struct.pack("<2sIHHI", b"BM", 54 + len(pixels), 0, 0, 54)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 24, 0, len(pixels), 2835, 2835, 0, 0)
    return header + info + pixels


def settings(folder, interval=10, pieces=200):
    text = ("[Section]\r\n"
            f"画像のﾌｫﾙﾀﾞ={folder}\r\n"
            f"ｲﾝﾀｰﾊﾞﾙ= {interval}\r\n"
            f"小片の数= {pieces}\r\n")
    return text.encode("cp932")


class Show(OrvaneTestCase):
    def setUp(self):
        super().setUp()
        self.artifacts = os.path.join(environment("ORVANE_WINE_ROOT"), "e2e-artifacts", "show")
        os.makedirs(self.artifacts, exist_ok=True)
        park_pointer()

    def keep(self, shot, name):
        path = os.path.join(self.artifacts, f"{self.id().rsplit('.', 1)[-1]}-{name}.png")
        shot.save_png(path)
        return path

    def picture_folder(self, pictures):
        folder = os.path.join(self.work, "pictures")
        os.makedirs(folder, exist_ok=True)
        for name, data in pictures.items():
            with open(os.path.join(folder, name), "wb") as f:
                f.write(data)
        return windows_path(folder)

    def start_show(self, ini, *args):
        install = self.install(ini)
        run = self.start(install, *(args or ("/s",)))
        hwnd = wait_window(DISPLAY_TITLE, 30)
        self.assertIsNotNone(hwnd, f"no show window; output:\n{run.output}")
        return install, run, hwnd

    def assert_ends(self, run, how):
        self.assertEqual(run.wait(15), 0, f"the show did not end on {how}; output:\n{run.output}")
        self.assertTrue(wait_gone_title(DISPLAY_TITLE, 15), "the show window stayed")

    def test_shows_the_pictures_with_fragments_and_craters_and_changes_after_the_interval(self):
        folder = self.picture_folder({"a.bmp": bmp(64, 48, COLOUR_A), "b.bmp": bmp(64, 48, COLOUR_B)})
        install, run, hwnd = self.start_show(settings(folder, interval=3, pieces=200))
        rect = window_rect(hwnd)
        self.assertEqual(rect, (0, 0, 1024, 768))
        self.assertTrue(window_info(hwnd)["exstyle"] & 0x8, "the show window is not topmost")

        first, ok = self.wait_screen(lambda s: dominant(s) == COLOUR_A, 10)
        self.keep(first, "first-picture")
        self.assertTrue(ok, f"the first picture is not on screen: {dominant(first)}")
        shown_at = time.monotonic()

        def crashed(shot):
            return count(shot, RED, 1) > 0 and count(shot, BLACK, 1) > 0
        crash, ok = self.wait_screen(crashed, 2.0)
        self.keep(crash, "fragments-and-crater")
        self.assertTrue(ok, "no red fragments and black crater within two seconds")

        second, ok = self.wait_screen(lambda s: dominant(s) == COLOUR_B, 8)
        changed_after = time.monotonic() - shown_at
        self.keep(second, "second-picture")
        self.assertTrue(ok, "the picture did not change")
        print(f"\n  picture changed {changed_after:.1f} s after the first was seen", flush=True)
        self.assertGreater(changed_after, 1.5)
        self.assertLess(changed_after, 6.0)
        # The craters of the first picture went with it.
        self.assertLess(count(second, BLACK, 1), 8000)

        key("Escape")
        self.assert_ends(run, "a key")

    def test_every_pixel_is_the_picture_a_fragment_or_a_crater(self):
        # Quarters of four colours: a frame put on screen upside down, or a changed part put
        # in the wrong place, shows a quarter's colour where another belongs.
        colours = [COLOUR_A, COLOUR_B, (20, 160, 90), (150, 60, 170)]
        folder = self.picture_folder({"q.bmp": quadrants_bmp(64, 48, colours)})
        install, run, hwnd = self.start_show(settings(folder, pieces=250))
        time.sleep(3.5)
        wrong, red, black = 0, 0, 0
        for attempt in range(3):
            shot = screenshot()
            for y in range(0, 768, 2):
                for x in range(0, 1024, 2):
                    p = shot.pixel(x, y)
                    if p == RED:
                        red += 1
                    elif p == BLACK:
                        black += 1
                    elif p != colours[(2 if y >= 384 else 0) + (1 if x >= 512 else 0)]:
                        wrong += 1
            self.keep(shot, f"quarters-{attempt}")
            time.sleep(0.3)
        self.assertEqual(wrong, 0)
        self.assertGreater(red, 0)
        self.assertGreater(black, 0)
        key("Escape")
        self.assert_ends(run, "a key")

    def test_first_move_and_moves_along_one_axis_keep_it_a_move_in_both_ends_it(self):
        folder = self.picture_folder({"a.bmp": bmp(64, 48, COLOUR_A)})
        install, run, hwnd = self.start_show(settings(folder))
        # The window's appearance under the pointer is its first movement: the origin.
        time.sleep(1.5)
        self.assertIsNone(run.wait(0.5), "the first movement ended the show")
        mouse_move(500, 767)   # sideways only
        time.sleep(0.5)
        mouse_move(500, 767)
        mouse_move(1023, 300)  # back to the origin's column, another row
        time.sleep(1.0)
        self.assertIsNone(run.wait(0.5), "a move along one axis ended the show")
        self.keep(screenshot(), "still-running")
        mouse_move(700, 500)
        self.assert_ends(run, "a move in both coordinates")

    def test_a_click_ends_it(self):
        folder = self.picture_folder({"a.bmp": bmp(64, 48, COLOUR_A)})
        install, run, hwnd = self.start_show(settings(folder))
        time.sleep(1.0)
        click(1)
        self.assert_ends(run, "a click")

    def test_a_key_ends_it_and_the_cursor_and_screen_come_back(self):
        folder = self.picture_folder({"a.bmp": bmp(64, 48, COLOUR_A)})
        install, run, hwnd = self.start_show(settings(folder))
        time.sleep(1.0)
        key("a")
        self.assert_ends(run, "a key")
        # Nothing of the show stays on the screen.
        shot, ok = self.wait_screen(lambda s: count(s, COLOUR_A, 8) == 0, 5)
        self.assertTrue(ok, "the show's picture stayed on screen")

    def test_without_pictures_it_crashes_into_the_desktop(self):
        xdotool_env_run(["xsetroot", "-solid", "#%02x%02x%02x" % DESKTOP])
        self.addCleanup(xdotool_env_run, ["xsetroot", "-solid", "black"])
        before = screenshot()
        self.assertEqual(dominant(before), DESKTOP)
        empty = self.picture_folder({})
        install, run, hwnd = self.start_show(settings(empty, pieces=200))

        def crashed(shot):
            return count(shot, RED, 1) > 0 and count(shot, BLACK, 1) > 0
        shot, ok = self.wait_screen(crashed, 4)
        self.keep(shot, "crash-into-desktop")
        self.assertTrue(ok, "no fragments or craters on the captured desktop")
        self.assertEqual(dominant(shot), DESKTOP, "the show does not show the desktop")
        # Craters pile up on the desktop picture: it never changes.
        time.sleep(3)
        later = screenshot()
        self.keep(later, "craters-pile-up")
        self.assertEqual(dominant(later), DESKTOP)
        self.assertGreater(count(later, BLACK, 1), count(shot, BLACK, 1) // 2)
        key("Escape")
        self.assert_ends(run, "a key")

    def test_a_second_start_while_it_runs_ends_at_once(self):
        folder = self.picture_folder({"a.bmp": bmp(64, 48, COLOUR_A)})
        install, run, hwnd = self.start_show(settings(folder))
        for args in (["/s"], []):
            with self.subTest(args=args):
                second = self.run_program(install, *args, timeout=10.0)
                self.assertEqual(second.returncode, 0, second.output)
                self.assertEqual(find_window(DISPLAY_TITLE), hwnd)
        self.assertIsNone(run.wait(0.5), "the first show ended")
        key("Escape")
        self.assert_ends(run, "a key")

    def test_damaged_pictures_are_passed_over_and_the_show_goes_on(self):
        good_jpeg_start = bytes.fromhex("ffd8ffe000104a46494600010100000100010000")
        frame = bytes.fromhex("ffc0001108003000400301220002110103110100")
        pictures = {
            "a.bmp": bmp(64, 48, COLOUR_A),
            "b.jpg": good_jpeg_start + frame + os.urandom(3000),      # garbage after the header
            "c.gif": b"GIF89a\x40\x00\x30\x00\xf7\x00\x00" + os.urandom(40),  # cut short
            "d.bmp": bmp(64, 48, COLOUR_B)[:200],                        # cut inside the pixels
            "e.wmf": os.urandom(500),                                     # no picture at all
            "f.bmp": bmp(64, 48, COLOUR_B),
        }
        folder = self.picture_folder(pictures)
        install, run, hwnd = self.start_show(settings(folder, interval=1))
        shot, ok = self.wait_screen(lambda s: dominant(s) == COLOUR_B, 15)
        self.keep(shot, "after-damaged-files")
        self.assertTrue(ok, f"the last good picture never came: {dominant(shot)}")
        self.assertIsNone(run.wait(0.5), "the show ended")
        # Round once more through the damaged files.
        shot, ok = self.wait_screen(lambda s: dominant(s) == COLOUR_A, 15)
        self.assertTrue(ok, "the cycle did not come round again")
        key("Escape")
        self.assert_ends(run, "a key")


def xdotool_env_run(args):
    subprocess.run(args, env=wine_env(), check=True, capture_output=True, timeout=30)


def wait_gone_title(title, seconds):
    deadline = time.monotonic() + seconds
    while time.monotonic() < deadline:
        if find_window(title) is None:
            return True
        time.sleep(0.2)
    return False


if __name__ == "__main__":
    unittest.main()

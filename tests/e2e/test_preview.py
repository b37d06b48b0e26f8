"""The preview in the host's preview area: the program's window becomes a child of the
host's, covers it, and the program ends with it. (Wine does not show what one process
draws into another's window; the preview's pixels are checked by win32_window_tests.)"""

import threading
import time
import unittest

from orvane_e2e import *

WS_CHILD = 0x40000000
WS_POPUP = 0x80000000


class Preview(OrvaneTestCase):
    def wait_preview(self, host, seconds=20):
        deadline = time.monotonic() + seconds
        while time.monotonic() < deadline:
            for child, _, cls, text in children(host):
                if cls == "Orvane_R":
                    return child
            time.sleep(0.1)
        self.fail("no preview window appeared in the host")

    def test_becomes_a_child_covering_the_host_and_ends_with_it(self):
        install = self.install()
        with self.host_window(152, 112) as host:
            run = self.start(install, "/p", host.hwnd)
            preview = self.wait_preview(host.hwnd)
            info = window_info(preview)
            self.assertEqual(info["parent"], host.hwnd)
            self.assertTrue(info["style"] & WS_CHILD)
            self.assertFalse(info["style"] & WS_POPUP)
            self.assertEqual(info["visible"], 1)
            self.assertEqual(info["title"], PREVIEW_TITLE)
            self.assertEqual(window_rect(preview), window_rect(host.hwnd))
            self.assertIsNone(run.wait(1.0), "the preview ended while its host lives")
            # Wine takes a while to take a window down without a window manager; what counts
            # is the time from the host window's end to the program's.
            gone = {}
            watcher = threading.Thread(
                target=lambda: gone.setdefault("at", wait_gone(host.hwnd, 20) and time.monotonic()))
            watcher.start()
            time.sleep(0.5)  # the watcher is up
            self.assertTrue(post(host.hwnd, WM_CLOSE))
            self.assertIsNotNone(run.wait(20), "the program outlived its host")
            ended_at = time.monotonic()
            watcher.join(30)
            self.assertTrue(gone.get("at"), "the host window did not go away")
            self.assertEqual(run.returncode, 0, run.output)
            ended_after = ended_at - gone["at"]
            print(f"\n  preview ended {ended_after:+.2f} s after its host", flush=True)
            self.assertLess(ended_after, 1.0)
        self.assertIsNone(install.ini_bytes(), "the preview wrote a settings file")

    def test_a_host_beyond_32767_twips_keeps_the_preview(self):
        install = self.install()
        with self.host_window(2400, 1600) as host:
            run = self.start(install, "/p", host.hwnd)
            preview = self.wait_preview(host.hwnd)
            left, top, right, bottom = window_rect(preview)
            self.assertEqual((right - left, bottom - top), (2400, 1600))
            self.assertIsNone(run.wait(2.0), "the program ended with a large host")
            host.close()
            self.assertIsNotNone(run.wait(10))
            self.assertEqual(run.returncode, 0, run.output)

    def test_a_handle_that_names_no_window_ends_at_once(self):
        install = self.install()
        for args in (["/p", "0"], ["/p"], ["/p", "12345678"]):
            with self.subTest(args=args):
                run = self.run_program(install, *args, timeout=10)
                self.assertEqual(run.returncode, 0, run.output)


if __name__ == "__main__":
    unittest.main()

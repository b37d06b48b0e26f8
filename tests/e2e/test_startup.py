"""Start-up as the system's screen-saver machinery sees it: one copy at a time, switches that
end without a window, and the preview as a child of the host's window that ends with it."""

import time
import unittest

from orvane_e2e import *

WS_CHILD, WS_POPUP = 0x40000000, 0x80000000
SETTINGS = settings(**{"ｲﾝﾀｰﾊﾞﾙ": " 30", "小片の数": " 120"})


class Startup(OrvaneTestCase):
    def test_a_running_copy_unknown_switches_and_the_password_change_end_without_a_window(self):
        install = self.install(SETTINGS)
        host = self.held("host", 152, 112)
        cases = [(DISPLAY_TITLE, ["/s"], ["/c"]), (DIALOG_TITLE, ["/p", host.hwnd]),
                 # Wine reports the NT family, where the system owns the password.
                 (None, ["/a", "1234"], ["/x"], ["/p", "12345678"])]
        for title, *arguments in cases:
            held = title and self.held("hold", title)
            for args in arguments:
                with self.subTest(running=title, args=args):
                    before = install.ini_stamp()
                    run = self.run_program(install, *args, timeout=10.0, watch=True)
                    self.assertEqual(run.returncode, 0, run.output)
                    self.assertEqual({w for w in run.seen_windows if not held or w[0] != held.hwnd},
                                     set(), "the program showed a window")
                    self.assertEqual(install.ini_stamp(), before, "the settings file was written")
            if held:
                held.close()
        self.assertEqual(children(host.hwnd), [], "a preview was put into the host")

    def test_the_preview_is_a_child_covering_its_host_and_ends_with_it(self):
        # 2400 pixels are beyond 32,767 twips.
        for size in ((152, 112), (2400, 1600)):
            with self.subTest(size=size):
                install = self.install()
                host = self.held("host", *size)
                run = self.start(install, "/p", host.hwnd)
                preview = self.wait_until(lambda: [h for h, cls, _ in children(host.hwnd)
                                                   if cls == "Orvane_R"], 20)
                self.assertEqual(len(preview), 1, "no preview window in the host")
                info = window_info(preview[0])
                self.assertEqual((info["parent"], info["visible"], info["title"]),
                                 (host.hwnd, 1, PREVIEW_TITLE))
                self.assertEqual(info["style"] & (WS_CHILD | WS_POPUP), WS_CHILD)
                self.assertEqual(window_rect(preview[0]), window_rect(host.hwnd))
                self.assertIsNone(run.wait(1.0), "the preview ended while its host lives")
                post(host.hwnd, WM_CLOSE)
                closed = time.monotonic()
                self.assert_ends(run)
                # Wine itself takes its time to take a window down without a window manager.
                self.assertLess(time.monotonic() - closed, 5.0)
                self.assertIsNone(install.ini_bytes(), "the preview wrote a settings file")


if __name__ == "__main__":
    unittest.main()

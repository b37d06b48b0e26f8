"""Start-up as the system's screen-saver machinery sees it: one copy at a time, switches that
end at once, then the preview as a child of the host's window that ends with it."""

from orvane_e2e import *

WS_CHILD, WS_POPUP = 0x40000000, 0x80000000
SETTINGS = settings(**{"ｲﾝﾀｰﾊﾞﾙ": " 30", "小片の数": " 120"})  # a save would add every key


class Startup(OrvaneTestCase):
    def test_a_running_copy_and_other_switches_end_at_once_and_the_preview_lives_in_its_host(self):
        # A copy that went on would show its window and wait for the user.
        install = self.install(SETTINGS)
        host = self.host(152, 112)
        cases = [(self.start_show, ["/s"], ["/c"]), (self.open_dialog, ["/p", host]),
                 # Wine reports the NT family, where the system owns the password.
                 (None, ["/a", "1234"], ["/x"], ["/p", "12345678"])]
        for start_first, *arguments in cases:
            first = start_first and start_first(install)
            for args in arguments:
                with self.subTest(first=start_first and start_first.__name__, args=args):
                    run = self.start(install, *args)
                    self.assertEqual(run.wait(10), 0, run.output)
                    self.assertEqual(read_bytes(install.ini), SETTINGS, "the settings were saved")
            if first:
                self.assertTrue(post(first[1], WM_CLOSE))
                self.assert_ends(first[0])
        self.assertEqual(children(host), [], "a preview was put into the host")

        # The preview as a child covering its host, a window of another process. (Hosts of
        # other sizes, and the preview's pixels, have tests of their own in tests/win32.)
        run, preview = self.start_preview(install, host)
        info = window_info(preview)
        self.assertEqual((info["parent"], info["visible"]), (host, 1))
        self.assertEqual(info["style"] & (WS_CHILD | WS_POPUP), WS_CHILD)
        self.assertEqual(info["rect"], window_info(host)["rect"])
        self.assertIsNone(run.wait(1.0), "the preview ended while its host lives")
        post(host, WM_CLOSE)
        # Wine itself takes its time to take a window down without a window manager.
        self.assert_ends(run, 5)
        self.assertEqual(read_bytes(install.ini), SETTINGS, "the preview saved the settings")

"""Start-up as the system's screen-saver machinery sees it: a second copy, switches that end
without a window, and the password change on the NT family."""

import unittest

from orvane_e2e import *

# "At once", generously: Wine's own start of a process is part of it.
QUICK = 10.0

SETTINGS = ("[Section]\r\n画像ﾁｪﾝｼﾞ= 1\r\nｲﾝﾀｰﾊﾞﾙ= 30\r\n画像のﾌｫﾙﾀﾞ=C:\\写真\r\n"
            "小片の数= 120\r\n").encode("cp932")


class SecondStart(OrvaneTestCase):
    def assert_ends_without_a_window(self, install, args, held_hwnd=None):
        before = (install.ini_bytes(), install.ini_stamp())
        run = self.run_program(install, *args, timeout=QUICK, watch=True)
        self.assertEqual(run.returncode, 0, run.output)
        self.assertEqual({w for w in run.seen_windows if w[0] != held_hwnd}, set(),
                         "the program showed a window")
        self.assertEqual((install.ini_bytes(), install.ini_stamp()), before,
                         "the settings file was written")

    def test_a_running_show_or_dialog_ends_every_new_start(self):
        install = self.install(SETTINGS)
        with self.host_window(152, 112) as host:
            for title in (DISPLAY_TITLE, DIALOG_TITLE):
                with self.hold_window(title) as held:
                    self.assertEqual(find_window(title), held.hwnd)
                    for args in (["/s"], ["/c"], [], ["/c:1234"], ["/p", host.hwnd]):
                        with self.subTest(title=title, args=args):
                            self.assert_ends_without_a_window(install, args, held.hwnd)
                # The preview host is left as it was: no child was put into it.
                self.assertEqual(children(host.hwnd), [])


class SwitchesThatEndAtOnce(OrvaneTestCase):
    def test_unknown_or_missing_letters_end_without_a_window(self):
        with_file = self.install(SETTINGS)
        without_file = self.install()
        for install in (with_file, without_file):
            for args in (["/x"], ["/"], ["s"], ["-z", "1234"]):
                with self.subTest(settings=install.ini_bytes() is not None, args=args):
                    before = (install.ini_bytes(), install.ini_stamp())
                    run = self.run_program(install, *args, timeout=QUICK, watch=True)
                    self.assertEqual(run.returncode, 0, run.output)
                    self.assertEqual(run.seen_windows, set())
                    self.assertEqual((install.ini_bytes(), install.ini_stamp()), before)

    def test_password_change_does_nothing_on_the_nt_family(self):
        # Wine reports the NT family, where the system owns the screen-saver password.
        install = self.install(SETTINGS)
        before = (install.ini_bytes(), install.ini_stamp())
        for args in (["/a", "1234"], ["/A:1234"], ["/a"]):
            with self.subTest(args=args):
                run = self.run_program(install, *args, timeout=QUICK, watch=True)
                self.assertEqual(run.returncode, 0, run.output)
                self.assertEqual(run.seen_windows, set())
        self.assertEqual((install.ini_bytes(), install.ini_stamp()), before)


if __name__ == "__main__":
    unittest.main()

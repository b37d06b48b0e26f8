"""Settings files and picture folders as users really have them, through the dialog's "設定":
files Notepad saved as "Unicode" or UTF-8, files larger than any fixed read, hidden files,
hard and symbolic links, and a picture folder at the 32,767-picture ceiling.

Each case prints what it observed (a line starting "observed:")."""

import os
import time
import unittest

from orvane_e2e import *

OK_BUTTON = (392 + 46, 496 + 8)          # "設定"
BMP_KIND_MARK = (12 + 208 + 6, 12 + 192 + 6)
LB_GETCOUNT = 0x018B
FILE_ATTRIBUTE_HIDDEN = 0x2
FILE_ATTRIBUTE_ARCHIVE = 0x20


def observed(text):
    print(f"\n  observed: {text}", flush=True)


def lines(*texts):
    return "".join(t + "\r\n" for t in texts)


# A file of the user's: our section with a changed interval, then a section of their own.
USER_TEXT = lines("[Section]", "ｲﾝﾀｰﾊﾞﾙ= 45", "画像のｻｲｽﾞ= 0",
                  "[Mine]", "メモ=写真は週末に整理する", "x=1")


def attributes(path):
    code, text = orvtool("attrib", windows_path(path).replace("\\", "\\\\"))
    return int(text.strip(), 16) if code == 0 else None


class SettingsFiles(OrvaneTestCase):
    def save(self, install):
        run, hwnd = self.open_dialog(install, seconds=120)
        self.click_client(hwnd, OK_BUTTON)
        code = run.wait(120)
        if code is None:
            run.kill()
            self.fail("the dialog did not close after 設定")
        self.assertEqual(code, 0, run.output[-3000:])

    def test_unicode_files_are_read_and_written_back_in_their_own_encoding(self):
        for name, bom, codec in (("UTF-16LE", b"\xff\xfe", "utf-16-le"),
                                 ("UTF-8", b"\xef\xbb\xbf", "utf-8")):
            with self.subTest(name):
                install = self.install(bom + USER_TEXT.encode(codec))
                self.save(install)
                saved = install.ini_bytes()
                self.assertTrue(saved.startswith(bom), saved[:16])
                text = saved[len(bom):].decode(codec)  # fails on any byte out of place
                # The values the file held are what the dialog showed and saved again.
                self.assertIn("ｲﾝﾀｰﾊﾞﾙ= 45\r\n", text)
                self.assertIn("画像のｻｲｽﾞ= 0\r\n", text)
                self.assertIn("速さ= 20\r\n", text)
                self.assertTrue(text.endswith(lines("[Mine]", "メモ=写真は週末に整理する", "x=1")),
                                text)
                self.assertEqual(text.count("[Section]"), 1)
                observed(f"{name} settings file: read, and saved back in {name} with the "
                         "user's own section intact")

    def test_a_settings_file_larger_than_64_mib_is_saved_whole(self):
        head = lines("[Section]", "ｲﾝﾀｰﾊﾞﾙ= 45").encode("cp932")
        filler = b"".join(b"k%07d=%s\r\n" % (i, b"v" * 1000) for i in range(68_000))
        tail = lines("[Later]", "last=line").encode("cp932")
        install = self.install(head + filler + tail)
        self.assertGreater(len(head + filler + tail), 64 << 20)
        started = time.monotonic()
        self.save(install)
        saved = install.ini_bytes()
        self.assertTrue(saved.endswith(tail), "the end of the file was cut off")
        self.assertIn(filler, saved)
        self.assertIn("速さ= 20\r\n".encode("cp932"), saved)
        observed(f"settings file of {len(head + filler + tail) / 1e6:.1f} MB saved whole, "
                 f"{time.monotonic() - started:.1f} s from start to close")

    def test_save_updates_the_users_file_hidden_linked_or_linked_to(self):
        install = self.install(USER_TEXT.encode("cp932"))
        self.assertIsNotNone(attributes(install.ini))
        orvtool("attrib", windows_path(install.ini).replace("\\", "\\\\"),
                str(FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_ARCHIVE))
        self.save(install)
        self.assertIn("速さ= 20\r\n".encode("cp932"), install.ini_bytes())
        self.assertEqual(attributes(install.ini), FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_ARCHIVE)

        install = self.install(USER_TEXT.encode("cp932"))
        other = os.path.join(self.work, "other-name.ini")
        os.link(install.ini, other)
        self.save(install)
        self.assertTrue(os.path.samefile(install.ini, other), "the hard link was detached")
        self.assertIn("速さ= 20\r\n".encode("cp932"), install.ini_bytes())

        install = self.install()
        target = os.path.join(self.work, "kept-elsewhere.ini")
        with open(target, "wb") as f:
            f.write(USER_TEXT.encode("cp932"))
        os.symlink(target, install.ini)
        self.save(install)
        self.assertTrue(os.path.islink(install.ini), "the symbolic link became a plain file")
        with open(target, "rb") as f:
            self.assertIn("速さ= 20\r\n".encode("cp932"), f.read())
        observed("save kept the hidden attribute, a hard link's other name and a symbolic "
                 "link with its target written")


class LargeFolders(OrvaneTestCase):
    def folder_of(self, count):
        folder = os.path.join(self.work, f"pictures-{count}")
        os.makedirs(folder)
        for i in range(count):
            open(os.path.join(folder, f"{i:05d}.bmp"), "wb").close()
        return self.install(lines("[Section]", "画像のﾌｫﾙﾀﾞ=" + windows_path(folder))
                            .encode("cp932"))

    def list_count(self, dialog):
        boxes = [c[0] for c in children(dialog) if c[2].lower() == "listbox"]
        self.assertEqual(len(boxes), 1, children(dialog))
        return lambda: send(boxes[0], LB_GETCOUNT)

    def wait_for(self, predicate, seconds):
        deadline = time.monotonic() + seconds
        while not predicate():
            if time.monotonic() > deadline:
                return False
            time.sleep(0.05)
        return True

    def test_a_kind_switch_over_10000_pictures_lists_them_in_seconds(self):
        install = self.folder_of(10000)
        run, hwnd = self.open_dialog(install, seconds=120)
        count = self.list_count(hwnd)
        self.assertTrue(self.wait_for(lambda: count() == 10000, 60), count())
        self.click_client(hwnd, BMP_KIND_MARK)      # BMP off: nothing left to list
        self.assertTrue(self.wait_for(lambda: count() == 0, 60), count())
        time.sleep(0.5)
        self.click_client(hwnd, BMP_KIND_MARK)      # and on again: the whole folder
        started = time.monotonic()
        listed = self.wait_for(lambda: count() == 10000, 60)
        took = time.monotonic() - started
        self.assertTrue(listed, count())
        # Loose: the machine is shared; the closing figure is printed.
        self.assertLess(took, 10, "the kind switch took too long")
        self.assertTrue(close_window(hwnd))
        self.assertEqual(run.wait(30), 0, run.output[-3000:])
        observed(f"kind switched back on over 10,000 pictures: listed again in {took:.2f} s")

    def test_a_folder_of_32767_pictures_opens_in_the_dialog(self):
        install = self.folder_of(32767)
        started = time.monotonic()
        run, hwnd = self.open_dialog(install, seconds=180)
        opened = time.monotonic() - started
        time.sleep(1)
        self.assertIsNone(run.returncode, run.output[-3000:])
        self.assertTrue(close_window(hwnd))
        self.assertEqual(run.wait(30), 0, run.output[-3000:])
        observed(f"a folder of 32,767 pictures: the dialog opened in {opened:.1f} s and "
                 "closed normally")


if __name__ == "__main__":
    unittest.main()

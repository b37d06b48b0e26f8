"""Faults injected into the running program: the picture folder deleted, a picture turned
into garbage and the music file deleted while the show runs; the settings file read-only,
locked by another process, in a folder that went away or on a full disk when "設定" saves;
the preview's host window gone right after the start; a settings file of 10 MB.

Each case prints what it observed (a line starting "observed:"), so a run of this module is
also the report of how the program behaves under these faults."""

import glob
import os
import random
import re
import shutil
import struct
import subprocess
import time
import unittest

from orvane_e2e import *

COLOUR_A = (40, 120, 200)
COLOUR_B = (230, 200, 60)
COLOUR_C = (90, 200, 90)
KEY_A = 0x41
WM_COMMAND_OK = 1  # IDOK

# Client-area points of the dialog's push buttons "設定" and "ｷｬﾝｾﾙ".
OK_BUTTON = (392 + 46, 496 + 8)
CANCEL_BUTTON = (492 + 46, 496 + 8)

SAVE_FAILED = ("設定を保存できませんでした。\r\n"
               "設定ﾌｧｲﾙに書き込めるか確かめてから、もう一度「設定」を押してください。")


def observed(text):
    print(f"\n  observed: {text}", flush=True)


def settings(**values):
    lines = ["[Section]"] + [f"{k}={v}" for k, v in values.items()]
    return ("\r\n".join(lines) + "\r\n").encode("cp932")


def mci_results(trace):
    """(command, code) of each command string in a +mci trace; code None when the trace
    shows no result for it."""
    calls = []
    for line in trace.splitlines():
        m = re.search(r'trace:mci:mciSendStringW \(L"((?:[^"\\]|\\.)*)",', line)
        if m:
            calls.append([m.group(1), None])
            continue
        m = re.search(r"trace:mci:mciSendStringW => \S+/ ([0-9a-f]+)", line)
        if m and calls:
            calls[-1][1] = int(m.group(1), 16)
    return [tuple(c) for c in calls]


def temp_files(folder):
    return sorted(glob.glob(os.path.join(glob.escape(folder), "*.tmp")))


class FaultCase(OrvaneTestCase):
    def setUp(self):
        super().setUp()
        park_pointer()

    def start_show(self, install, env=None):
        run = self.start(install, "/s", env=env)
        hwnd = wait_window(DISPLAY_TITLE, 30)
        if hwnd is None:
            run.kill()
            self.fail(f"no show window; output:\n{run.output[-3000:]}")
        return run, hwnd

    def end_show(self, run, hwnd):
        self.assertTrue(post(hwnd, WM_KEYDOWN, KEY_A))
        code = run.wait(20)
        if code is None:
            run.kill()
            self.fail("the show did not end after a key")
        self.assertEqual(code, 0, run.output[-3000:])


class ShowFaults(FaultCase):
    def picture_folder(self, pictures):
        folder = os.path.join(self.work, "pictures")
        os.makedirs(folder, exist_ok=True)
        for name, data in pictures.items():
            with open(os.path.join(folder, name), "wb") as f:
                f.write(data)
        return folder

    def test_picture_folder_deleted_during_the_show(self):
        folder = self.picture_folder({"a.bmp": bmp(64, 48, COLOUR_A),
                                      "b.bmp": bmp(64, 48, COLOUR_B)})
        install = self.install(settings(**{"画像のﾌｫﾙﾀﾞ": windows_path(folder),
                                           "ｲﾝﾀｰﾊﾞﾙ": " 1"}))
        run, hwnd = self.start_show(install)
        shot, ok = self.wait_screen(lambda s: dominant(s) in (COLOUR_A, COLOUR_B), 15)
        self.assertTrue(ok, "no picture on screen")
        shutil.rmtree(folder)
        # The picture after the one on screen was read ahead, before the folder went: it
        # may still come at the next change.
        time.sleep(1.5)
        first = dominant(screenshot())
        time.sleep(5)  # five picture changes due, none can load
        later = screenshot()
        self.assertTrue(window_exists(hwnd) and not run.ended, "the show ended")
        self.assertIn(dominant(later), (COLOUR_A, COLOUR_B))
        self.assertEqual(dominant(later), first, "the picture changed with no files left")
        self.assertGreater(count(later, (0, 0, 0), 2), 0, "no craters after the deletion")
        observed(f"folder deleted: the show kept its last picture {dominant(later)} for 5 s of "
                 "due changes, impacts went on; ended by a key with code 0")
        self.end_show(run, hwnd)

    def test_picture_turned_into_garbage_during_the_show(self):
        folder = self.picture_folder({"a.bmp": bmp(64, 48, COLOUR_A),
                                      "b.bmp": bmp(64, 48, COLOUR_B)})
        install = self.install(settings(**{"画像のﾌｫﾙﾀﾞ": windows_path(folder),
                                           "ｲﾝﾀｰﾊﾞﾙ": " 2"}))
        run, hwnd = self.start_show(install)
        shot, ok = self.wait_screen(lambda s: dominant(s) == COLOUR_A, 15)
        self.assertTrue(ok, "the first picture never showed")
        garbage = bytes(random.Random(7).randrange(256) for _ in range(64 * 48 * 3 + 54))
        with open(os.path.join(folder, "b.bmp"), "wb") as f:
            f.write(b"BM" + garbage[2:])  # a BMP's magic over noise
        time.sleep(7)  # b's turn comes and goes
        shot = screenshot()
        self.assertTrue(window_exists(hwnd) and not run.ended, "the show ended")
        self.assertEqual(dominant(shot), COLOUR_A, "garbage replaced the picture")
        # A good file in its place is shown at its next turn.
        with open(os.path.join(folder, "b.bmp"), "wb") as f:
            f.write(bmp(64, 48, COLOUR_C))
        shot, ok = self.wait_screen(lambda s: dominant(s) == COLOUR_C, 12)
        self.assertTrue(ok, "the mended picture never came")
        observed("picture overwritten with garbage: the show stayed on the previous picture "
                 "through its turn; once the file was good again it was shown")
        self.end_show(run, hwnd)

    def test_music_file_deleted_during_the_show(self):
        home = os.path.join(self.work, "home")
        os.makedirs(home)
        with open(os.path.join(home, ".asoundrc"), "w") as f:
            f.write("pcm.!default { type null }\n")
        wav = os.path.join(self.work, "tone.wav")
        mp3 = os.path.join(self.work, "music", "tone.mp3")
        os.makedirs(os.path.dirname(mp3))
        subprocess.run(["sox", "-n", "-r", "44100", "-c", "2", "-b", "16", wav, "synth", "2",
                        "sine", "440"], check=True, capture_output=True)
        subprocess.run(["lame", "--quiet", wav, mp3], check=True, capture_output=True)
        install = self.install(settings(**{"BGM区分": " 2", "BGMﾌｧｲﾙ": windows_path(mp3)}))
        run, hwnd = self.start_show(install, env={"HOME": home, "ORVANE_WINEDEBUG": "+mci"})
        log = os.path.join(install.folder, "program-output.txt")

        def trace():
            try:
                with open(log, "rb") as f:
                    return f.read().decode("utf-8", "replace")
            except FileNotFoundError:
                return ""

        deadline = time.monotonic() + 15
        while 'L"play MP3Play"' not in trace() and time.monotonic() < deadline:
            time.sleep(0.25)
        self.assertIn('L"play MP3Play"', trace(), "the music never started")
        os.remove(mp3)
        shutil.rmtree(os.path.dirname(mp3))
        deleted_at = len(mci_results(trace()))
        time.sleep(6)  # the two seconds run out; the watch asks every second
        self.assertTrue(window_exists(hwnd) and not run.ended, "the show ended")
        self.end_show(run, hwnd)
        after = mci_results(run.output)[deleted_at:]
        restarts = [code for command, code in after if command == "play MP3Play from 0"]
        self.assertEqual([c for c, _ in after[-2:]], ["stop MP3Play", "close MP3Play"])
        observed(f"music file deleted: the show went on; after the deletion the watch sent "
                 f"{len(restarts)} restart(s) with codes {restarts}; the end of the show "
                 "stopped and closed the device; exit code 0")


class SaveFaults(FaultCase):
    """"設定" when the settings file cannot be replaced. The program also keeps a per-user
    settings file when its own folder cannot be written; these cases block that second place
    (a folder stands where the per-user file would be), so the save has nowhere to go."""

    def setUp(self):
        super().setUp()
        prefix = wine_env()["WINEPREFIX"]
        roaming = [p for p in glob.glob(os.path.join(prefix, "drive_c", "users", "*", "AppData",
                                                      "Roaming"))
                   if os.sep + "Public" + os.sep not in p]
        if len(roaming) != 1:
            self.skipTest(f"cannot tell the prefix's application-data folder: {roaming}")
        self.per_user_folder = os.path.join(roaming[0], "Orvane")
        self.per_user = os.path.join(self.per_user_folder, "Orvane.ini")
        if os.path.isdir(self.per_user) and not os.listdir(self.per_user):
            os.rmdir(self.per_user)  # a block left by an interrupted run
        if os.path.exists(self.per_user):
            self.skipTest(f"a per-user settings file exists: {self.per_user}")

    def block_per_user(self):
        made_folder = not os.path.isdir(self.per_user_folder)
        os.makedirs(self.per_user, exist_ok=True)  # a folder where the file would go

        def unblock():
            shutil.rmtree(self.per_user, ignore_errors=True)
            for leftover in temp_files(self.per_user_folder):
                os.remove(leftover)
            if made_folder:
                shutil.rmtree(self.per_user_folder, ignore_errors=True)
        self.addCleanup(unblock)

    def message_box(self, seconds=15):
        """The message box titled "Orvane": (hwnd, its text) or (None, None)."""
        hwnd = wait_window("Orvane", seconds)
        if hwnd is None:
            return None, None
        # The message's text spans lines, so the listing is read line by line for the
        # controls' handles and classes only.
        _, listing = orvtool("children", hwnd)
        statics = [int(m.group(1)) for m in re.finditer(r'^(\d+) -?\d+ "([^"]*)"', listing, re.M)
                   if m.group(2).lower() == "static"]
        texts = [window_text(child) for child in statics]
        return hwnd, "".join(t for t in texts if t)

    def save_and_expect_the_message(self, install, run, hwnd):
        self.click_client(hwnd, OK_BUTTON)
        box, text = self.message_box()
        self.assertIsNotNone(box, "no message after the failed save")
        self.assertEqual(text, SAVE_FAILED)
        self.assertTrue(post(box, WM_COMMAND, WM_COMMAND_OK))
        self.assertTrue(wait_gone(box, 10), "the message did not go away")
        # The dialog stays open with what the user set; ｷｬﾝｾﾙ leaves it.
        self.assertTrue(window_exists(hwnd), "the dialog closed after the failed save")
        self.assertIsNone(run.wait(0.5))
        self.click_client(hwnd, CANCEL_BUTTON)
        self.assertIsNotNone(run.wait(15), "the dialog did not close on ｷｬﾝｾﾙ")
        self.assertEqual(run.returncode, 0, run.output[-3000:])
        return text

    def old_file(self):
        return settings(**{"ｲﾝﾀｰﾊﾞﾙ": " 30", "小片の数": " 150", "mine": "keep me"})

    def test_read_only_settings_file(self):
        self.block_per_user()
        install = self.install(self.old_file())
        os.chmod(install.ini, 0o444)
        self.addCleanup(os.chmod, install.ini, 0o644)
        run, hwnd = self.open_dialog(install)
        self.save_and_expect_the_message(install, run, hwnd)
        self.assertEqual(install.ini_bytes(), self.old_file())
        self.assertEqual(temp_files(install.folder), [])
        observed("read-only settings file: message box \"Orvane\" with the save-failed text; "
                 "the file's bytes unchanged; no temporary file left")

    def test_read_only_settings_file_saves_for_the_user_where_it_can(self):
        install = self.install(self.old_file())
        os.chmod(install.ini, 0o444)
        self.addCleanup(os.chmod, install.ini, 0o644)
        made_folder = not os.path.isdir(self.per_user_folder)

        def remove_per_user():
            if os.path.isfile(self.per_user):
                os.remove(self.per_user)
            if made_folder:
                shutil.rmtree(self.per_user_folder, ignore_errors=True)
        self.addCleanup(remove_per_user)
        run, hwnd = self.open_dialog(install)
        self.click_client(hwnd, OK_BUTTON)
        self.assertIsNotNone(run.wait(15), "the dialog did not close after saving")
        self.assertIsNone(find_window("Orvane"), "a message was shown")
        self.assertEqual(install.ini_bytes(), self.old_file())
        with open(self.per_user, "rb") as f:
            saved = f.read()
        self.assertIn("小片の数= 150".encode("cp932"), saved)
        self.assertIn(b"mine=keep me", saved)
        observed("read-only settings file, per-user folder writable: saved to "
                 "%APPDATA%\\Orvane\\Orvane.ini with the file's own lines kept, no message; "
                 "the read-only file unchanged")

    def test_settings_file_locked_by_another_process(self):
        self.block_per_user()
        install = self.install(self.old_file())
        run, hwnd = self.open_dialog(install)
        locker = subprocess.Popen(
            [environment("ORVANE_WINE_RUN"), environment("ORVTOOL"), "lock",
             windows_path(install.ini).replace("\\", "\\\\"), "60"],
            env=wine_env(), stdin=subprocess.DEVNULL, stdout=subprocess.PIPE,
            stderr=subprocess.DEVNULL)
        self.addCleanup(lambda: locker.poll() is None and (locker.terminate(), locker.wait(10)))
        time.sleep(3)
        self.assertIsNone(locker.poll(), "orvtool could not lock the settings file")
        self.save_and_expect_the_message(install, run, hwnd)
        locker.terminate()
        locker.wait(10)
        self.assertEqual(install.ini_bytes(), self.old_file())
        self.assertEqual(temp_files(install.folder), [])
        observed("settings file locked without sharing: message box \"Orvane\"; the file's "
                 "bytes unchanged; no temporary file left")

    def test_program_folder_gone_when_saving(self):
        self.block_per_user()
        install = self.install(self.old_file())
        run, hwnd = self.open_dialog(install)
        shutil.rmtree(install.folder)
        self.save_and_expect_the_message(install, run, hwnd)
        self.assertFalse(os.path.exists(install.folder), "the folder was made again")
        observed("program folder removed while the dialog was open: message box \"Orvane\"; "
                 "nothing was created")

    def test_full_disk_when_saving(self):
        self.block_per_user()
        mount = os.path.join(self.work, "small-disk")
        os.makedirs(mount)
        size = os.path.getsize(environment("ORVANE_SCR")) + 64 * 1024
        proc = subprocess.run(["mount", "-t", "tmpfs", "-o", f"size={size}", "tmpfs", mount],
                              capture_output=True, text=True)
        if proc.returncode != 0:
            self.skipTest(f"no tmpfs mount here ({proc.stderr.strip()}); the native tests "
                          "cover a failing write through the fake file system")
        self.addCleanup(subprocess.run, ["umount", "-l", mount], capture_output=True)
        install = Install(os.path.join(mount, "install"), self.old_file())
        run, hwnd = self.open_dialog(install)
        # The disk fills up while the dialog is open, to the last block.
        filler = os.path.join(mount, "filler")
        with open(filler, "wb", buffering=0) as f:
            try:
                while True:
                    f.write(b"\0" * 4096)
            except OSError:
                pass
            try:
                while True:
                    f.write(b"\0")
            except OSError:
                pass
        self.assertEqual(os.statvfs(mount).f_bavail, 0)
        self.save_and_expect_the_message(install, run, hwnd)
        self.assertEqual(install.ini_bytes(), self.old_file())
        self.assertEqual(temp_files(install.folder), [])
        observed("disk full while the dialog was open (tmpfs, no free block): message box \"Orvane\"; the file's "
                 "bytes unchanged; no temporary file left")


class StartFaults(FaultCase):
    def test_preview_host_destroyed_right_after_the_start(self):
        install = self.install()
        host = self.host_window(152, 112)
        run = self.start(install, "/p", host.hwnd)
        self.assertTrue(close_window(host.hwnd))
        code = run.wait(20)
        if code is None:
            run.kill()
            self.fail("the preview outlived its host")
        self.assertEqual(code, 0, run.output[-3000:])
        self.assertIsNone(find_window(PREVIEW_TITLE))
        observed(f"preview host closed at once: the program ended with code 0 after "
                 f"{run.elapsed:.1f} s, no window left")

    def test_settings_file_of_10_mb(self):
        rng = random.Random(10)
        lines = [b"[Section]\r\n"]
        size = 0
        while size < 10 * 1024 * 1024:
            line = b"key%07d=%s\r\n" % (len(lines), bytes(rng.randrange(0x21, 0x7F)
                                                           for _ in range(rng.randrange(0, 200))))
            lines.append(line)
            size += len(line)
        lines.append("ｲﾝﾀｰﾊﾞﾙ= 45\r\n".encode("cp932"))
        big = b"".join(lines)
        install = self.install(big)

        started = time.monotonic()
        run = self.start(install, "/c")
        dialog = wait_window(DIALOG_TITLE, 120)
        opened_after = time.monotonic() - started
        self.assertIsNotNone(dialog, "the dialog did not open")
        time.sleep(1)
        self.assertTrue(close_window(dialog))
        self.assertIsNotNone(run.wait(30), "the dialog did not close")
        self.assertEqual(run.returncode, 0)
        self.assertEqual(install.ini_bytes(), big)

        started = time.monotonic()
        run, hwnd = self.start_show(install)
        shown_after = time.monotonic() - started
        time.sleep(2)
        self.assertTrue(window_exists(hwnd) and not run.ended)
        self.end_show(run, hwnd)
        self.assertEqual(install.ini_bytes(), big)

        # "設定" rewrites the whole file: every other line stays, the known keys are set.
        run = self.start(install, "/c")
        dialog = wait_window(DIALOG_TITLE, 120)
        self.assertIsNotNone(dialog, "the dialog did not open again")
        time.sleep(1)
        x, y, _, _ = client_rect(dialog)
        mouse_move(x + OK_BUTTON[0], y + OK_BUTTON[1])
        time.sleep(0.2)
        started = time.monotonic()
        click(1)
        self.assertIsNotNone(run.wait(120), "the dialog did not close after saving")
        saved_after = time.monotonic() - started
        self.assertEqual(run.returncode, 0)
        saved = install.ini_bytes()
        self.assertTrue(saved.startswith(b"".join(lines[:-1])), "lines of the file were lost")
        self.assertIn("ｲﾝﾀｰﾊﾞﾙ= 45\r\n".encode("cp932"), saved)
        self.assertIn("速さ= 20\r\n".encode("cp932"), saved)
        observed(f"settings file of {len(big) / 1e6:.1f} MB: the dialog opened after "
                 f"{opened_after:.1f} s, the show appeared after {shown_after:.1f} s and ended "
                 f"by a key, and \"設定\" saved it in {saved_after:.1f} s with every other "
                 "line kept")


if __name__ == "__main__":
    unittest.main()

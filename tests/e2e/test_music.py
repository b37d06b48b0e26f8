"""Background music in the running show, heard through Wine's multimedia trace: an MP3 with
blanks in its path plays while the show runs, plays again after its end, and is stopped and
closed when the show ends;
with no CD drive the CD watch gives up after its first tick and the show runs silent.

The program runs with a dummy audio output (HOME holds an ALSA configuration whose default
device discards the sound) and WINEDEBUG=+mci, which writes every command string and its
reply to the program's output."""

import os
import re
import subprocess
import time
import unittest

from orvane_e2e import *

WINDOW_WAIT = 30
KEY_A = 0x41

_CALL = re.compile(r'trace:mci:mciSendStringW \(L"((?:[^"\\]|\\.)*)",')
_RESULT = re.compile(r'trace:mci:mciSendStringW => 2/ ([0-9a-f]+) \((?:L"((?:[^"\\]|\\.)*)"|\(null\))\)')


def _unescape(text):
    return re.sub(r"\\(.)", r"\1", text)


def mci_calls(output):
    """The command strings sent, in order, as [command, code or None, reply or None]; a
    command the trace shows no result for failed."""
    calls = []
    for line in output.splitlines():
        m = _CALL.search(line)
        if m:
            calls.append([_unescape(m.group(1)), None, None])
            continue
        m = _RESULT.search(line)
        if m and calls:
            calls[-1][1] = int(m.group(1), 16)
            calls[-1][2] = _unescape(m.group(2)) if m.group(2) is not None else None
    return calls


def settings(**values):
    lines = ["[Section]"] + [f"{k}={v}" for k, v in values.items()]
    return ("\r\n".join(lines) + "\r\n").encode("cp932")


class MusicCase(OrvaneTestCase):
    def setUp(self):
        super().setUp()
        self.home = os.path.join(self.work, "home")
        os.makedirs(self.home)
        with open(os.path.join(self.home, ".asoundrc"), "w") as f:
            f.write("pcm.!default { type null }\n")
        self.env = {"HOME": self.home, "ORVANE_WINEDEBUG": "+mci"}
        park_pointer()

    def make_mp3(self, folder, name, seconds):
        os.makedirs(folder, exist_ok=True)
        wav = os.path.join(self.work, "tone.wav")
        mp3 = os.path.join(folder, name)
        subprocess.run(["sox", "-n", "-r", "44100", "-c", "2", "-b", "16", wav, "synth",
                        str(seconds), "sine", "440"], check=True, capture_output=True)
        subprocess.run(["lame", "--quiet", wav, mp3], check=True, capture_output=True)
        return mp3

    def output_so_far(self, install):
        try:
            with open(os.path.join(install.folder, "program-output.txt"), "rb") as f:
                return f.read().decode("utf-8", "replace")
        except FileNotFoundError:
            return ""

    def start_show(self, install):
        run = self.start(install, "/s", env=self.env)
        hwnd = wait_window(DISPLAY_TITLE, WINDOW_WAIT)
        if hwnd is None:
            run.kill()
            self.fail(f"no show window; output:\n{run.output[-4000:]}")
        return run, hwnd

    def end_show(self, run, hwnd):
        post(hwnd, WM_KEYDOWN, KEY_A)
        code = run.wait(20)
        if code is None:
            run.kill()
            self.fail("the show did not end after a key")
        self.assertEqual(code, 0, run.output[-4000:])
        return mci_calls(run.output)


class Mp3InTheShow(MusicCase):
    def wait_for_calls(self, run, install, found, seconds):
        """Waits until found(calls) holds for the trace so far; returns whether it did."""
        deadline = time.monotonic() + seconds
        while time.monotonic() < deadline and not run.ended:
            if found(mci_calls(self.output_so_far(install))):
                return True
            time.sleep(0.25)
        return False

    def test_mp3_with_blanks_in_its_path_plays_repeats_and_stops_with_the_show(self):
        mp3 = self.make_mp3(os.path.join(self.work, "my music"), "a tone.Mp3", 2)
        install = self.install(settings(**{"BGM区分": " 2", "BGMﾌｧｲﾙ": windows_path(mp3)}))
        run, hwnd = self.start_show(install)

        def playing_after(calls, start):
            return any(c == "status MP3Play mode" and code == 0 and reply == "playing"
                       for c, code, reply in calls[start:])

        def restarts(calls):
            return [i for i, (c, code, _) in enumerate(calls)
                    if c == "play MP3Play from 0" and code == 0]

        # Timer1 asks the mode once a second: the file plays, ends after two seconds, and
        # the watch plays it again from the start.
        playing = self.wait_for_calls(run, install, lambda calls: playing_after(calls, 0), 15)
        repeated = self.wait_for_calls(
            run, install,
            lambda calls: bool(restarts(calls)) and playing_after(calls, restarts(calls)[0]), 15)
        self.assertTrue(window_exists(hwnd))
        calls = self.end_show(run, hwnd)

        opened = [c for c in calls if c[0].startswith("open ")]
        self.assertEqual(opened[0][0],
                         f'open "{windows_path(mp3)}" type MPEGVideo Alias MP3Play', calls)
        self.assertEqual(opened[0][1], 0, "the file did not open")
        commands = [c[0] for c in calls]
        self.assertEqual(commands[commands.index(opened[0][0]) + 1], "play MP3Play")
        self.assertTrue(playing, f"never reported playing: {calls}")
        self.assertTrue(repeated, f"not played again after its end: {calls}")
        self.assertEqual(commands[restarts(calls)[0] - 1], "stop MP3Play")
        # The end of the show stops and closes the file.
        self.assertEqual(commands[-2:], ["stop MP3Play", "close MP3Play"], calls[-6:])
        self.assertEqual([c[1] for c in calls[-2:]], [0, 0])


class CdWithoutDrive(MusicCase):
    def test_watch_gives_up_and_the_show_runs_silent(self):
        install = self.install(settings(**{"BGM区分": " 1", "BGMﾘﾋﾟｰﾄ": " 3"}))
        run, hwnd = self.start_show(install)
        time.sleep(3)  # some fifteen ticks of the 200 ms watch, were it still running
        self.assertTrue(window_exists(hwnd))
        calls = self.end_show(run, hwnd)
        commands = [c[0] for c in calls]

        self.assertIn("open cdaudio", commands)
        self.assertIn("set cdaudio time format tmsf", commands)
        self.assertEqual(commands.count("status cdaudio current track"), 1, commands)
        self.assertNotIn("status cdaudio number of tracks", commands)
        self.assertFalse([c for c in commands if c.startswith("play ")], commands)
        # The watch is off, so the end of the show leaves the drive alone.
        self.assertNotIn("stop cdaudio", commands)
        self.assertNotIn("close cdaudio", commands)


if __name__ == "__main__":
    unittest.main()

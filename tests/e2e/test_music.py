"""Background music in the running show, heard through Wine's multimedia trace
(WINEDEBUG=+mci writes every command string and its reply to the program's output) with a
dummy audio output (HOME holds an ALSA configuration whose default device discards the
sound): an MP3 with blanks in its path plays, plays again after its end, outlives the
deletion of its file without harm, and is stopped and closed when the show ends."""

import os
import re
import shutil
import subprocess
import time
import unittest

from orvane_e2e import *


def mci_calls(trace):
    """[command, code, reply] of each command string in a WINEDEBUG=+mci trace, in order;
    code and reply stay None when the trace shows no result (the command failed)."""
    calls = []
    for line in trace.splitlines():
        if m := re.search(r'mciSendStringW \(L"((?:[^"\\]|\\.)*)",', line):
            calls.append([re.sub(r"\\(.)", r"\1", m.group(1)), None, None])
        elif (m := re.search(r'mciSendStringW => \S+/ ([0-9a-f]+) \((?:L"((?:[^"\\]|\\.)*)")?', line)) and calls:
            calls[-1][1:] = [int(m.group(1), 16), m.group(2)]
    return calls


class Music(OrvaneTestCase):
    def test_an_mp3_plays_repeats_survives_its_deletion_and_stops_with_the_show(self):
        home, mp3 = os.path.join(self.work, "home"), os.path.join(self.work, "my music", "a tone.Mp3")
        write_bytes(os.path.join(home, ".asoundrc"), "pcm.!default { type null }\n")
        os.makedirs(os.path.dirname(mp3))
        subprocess.run(f"sox -n -r 44100 -c 2 -b 16 -t wav - synth 2 sine 440 | lame --quiet - '{mp3}'",
                       shell=True, check=True, capture_output=True)
        install = self.install(settings(**{"BGM区分": " 2", "BGMﾌｧｲﾙ": windows_path(mp3)}))
        run, hwnd = self.start_show(install, env={"HOME": home, "ORVANE_WINEDEBUG": "+mci"})

        def playing_after(calls, start):
            return any(c == ["status MP3Play mode", 0, "playing"] for c in calls[start:])

        def restarts(calls):
            return [i for i, c in enumerate(calls) if c[:2] == ["play MP3Play from 0", 0]]

        # The watch asks the mode once a second: the file plays, ends after two seconds, and
        # is played again from the start.
        played = self.wait_until(lambda: playing_after(mci_calls(run.output), 0), 15)
        repeated = self.wait_until(lambda: (r := restarts(calls := mci_calls(run.output)))
                                   and playing_after(calls, r[0]), 15)
        shutil.rmtree(os.path.dirname(mp3))
        time.sleep(4)  # the file runs out; the watch's restarts now fail
        self.assertTrue(window_exists(hwnd) and not run.ended, "the show ended")
        self.end_show(run, hwnd)

        calls = mci_calls(run.output)
        commands = [c[0] for c in calls]
        opened = commands.index(f'open "{windows_path(mp3)}" type MPEGVideo Alias MP3Play')
        self.assertEqual(calls[opened][1:2] + commands[opened + 1:opened + 2], [0, "play MP3Play"])
        self.assertTrue(played, f"never reported playing: {calls}")
        self.assertTrue(repeated, f"not played again after its end: {calls}")
        self.assertEqual(commands[restarts(calls)[0] - 1], "stop MP3Play")
        self.assertEqual([c[:2] for c in calls[-2:]], [["stop MP3Play", 0], ["close MP3Play", 0]],
                         calls[-6:])


if __name__ == "__main__":
    unittest.main()

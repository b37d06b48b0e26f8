"""Faults met while the show runs, its background music heard through Wine's multimedia
trace (WINEDEBUG=+mci writes every command string and its reply to the program's output)
with a dummy audio output (HOME holds an ALSA configuration whose default device discards
the sound): damaged picture files are passed over; an MP3 with blanks in its path plays,
plays again after its end, and is stopped and closed when the show ends."""

import os
import re
import subprocess

from orvane_e2e import *

COLOUR_A, COLOUR_B = (40, 120, 200), (230, 200, 60)


def mci_calls(trace):
    """[command, code, reply] of each command string in a WINEDEBUG=+mci trace, in order;
    code and reply stay None when the trace shows no result (the command failed)."""
    calls = []
    for line in trace.splitlines():
        if m := re.search(r'mciSendStringW \(L"((?:[^"\\]|\\.)*)",', line):
            calls.append([re.sub(r"\\(.)", r"\1", m.group(1)), None, None])
        elif (m := re.search(r'mciSendStringW => \S+/ ([0-9a-f]+) \((?:L"((?:[^"\\]|\\.)*)")?',
                             line)) and calls:
            calls[-1][1:] = [int(m.group(1), 16), m.group(2)]
    return calls


def playing_after(calls, start):
    return any(c == ["status MP3Play mode", 0, "playing"] for c in calls[start:])


def restarts(calls):
    return [i for i, c in enumerate(calls) if c[:2] == ["play MP3Play from 0", 0]]


class Faults(OrvaneTestCase):
    def test_damaged_files_leave_the_show_and_its_music_going(self):
        folder = self.folder_of({
            "a.bmp": bmp(64, 48, lambda x, y: COLOUR_A),
            "c.gif": b"GIF89a\x40\x00\x30\x00\xf7\x00\x00" + os.urandom(40),  # cut short
            "d.bmp": bmp(64, 48, lambda x, y: COLOUR_B)[:200],              # cut inside the pixels
            "f.bmp": bmp(64, 48, lambda x, y: COLOUR_B)})
        home, mp3 = os.path.join(self.work, "home"), os.path.join(self.work, "my music", "a tone.Mp3")
        write_bytes(os.path.join(home, ".asoundrc"), "pcm.!default { type null }\n")
        os.makedirs(os.path.dirname(mp3))
        subprocess.run(f"sox -n -r 44100 -c 2 -b 16 -t wav - synth 2 sine 440 | lame --quiet - '{mp3}'",
                       shell=True, check=True, capture_output=True)
        install = self.install(settings(**{"画像のﾌｫﾙﾀﾞ": folder, "ｲﾝﾀｰﾊﾞﾙ": " 1", "BGM区分": " 2",
                                           "BGMﾌｧｲﾙ": windows_path(mp3)}))
        run, hwnd = self.start_show(install, env={"HOME": home, "ORVANE_WINEDEBUG": "+mci"})
        # The watch asks the mode once a second: the file plays, ends after two seconds, and
        # is played again from the start.
        played = wait_until(lambda: playing_after(mci_calls(run.output), 0), 15)
        repeated = wait_until(lambda: (r := restarts(calls := mci_calls(run.output)))
                              and playing_after(calls, r[0]), 15)
        for colour in (COLOUR_B, COLOUR_A):  # past the damaged files, and round again
            shot, ok = self.wait_screen(lambda s: s.dominant() == colour, 15)
            self.assertTrue(ok, f"{colour} never came: {shot.dominant()}")
        self.assertTrue(post(hwnd, WM_KEYDOWN, KEY_A))
        self.assert_ends(run)

        calls = mci_calls(run.output)
        commands = [c[0] for c in calls]
        self.assertIn(f'open "{windows_path(mp3)}" type MPEGVideo Alias MP3Play', commands)
        self.assertTrue(played, f"never reported playing: {calls}")
        self.assertTrue(repeated, f"not played again after its end: {calls}")
        self.assertEqual(commands[restarts(calls)[0] - 1], "stop MP3Play")
        self.assertEqual([c[:2] for c in calls[-2:]], [["stop MP3Play", 0], ["close MP3Play", 0]],
                         calls[-6:])

#!/usr/bin/env python3
"""Frame intervals of the real show under Wine around its picture changes, for one or more
builds in the same run: each build shows the same picture folder with a change every
second (Speed 20, 200 fragments a burst) on a 1920 x 1080 Xvfb, while the X server reports
every frame (frame_probe.py). The fragments bounce long (elasticity 90), so
something moves in every frame and a missing frame is a frozen one, not a still screen.
Prints per build the number of changes, the longest frame interval overall and at the
changes, the peak resident size, how long after a key the show left the screen, and how
long the program took to end.

    bench/show_frame_gaps.py --pictures DIR [--seconds 30] [--rounds 2] NAME=Orvane.scr ...

The Wine prefix is made once under $TMPDIR/orvane-frame-gaps (or --prefix).
"""

import argparse
import os
import shutil
import statistics
import subprocess
import sys
import tempfile
import time

from frame_probe import FrameWatch, longest_gaps

WINE64 = "/usr/lib/wine/wine64"
SIZE = (1920, 1080)


def start_display():
    read, write = os.pipe()
    xvfb = subprocess.Popen(["Xvfb", "-displayfd", str(write), "-screen", "0",
                             f"{SIZE[0]}x{SIZE[1]}x24", "-nolisten", "tcp", "-noreset"],
                            pass_fds=(write,), stdout=subprocess.DEVNULL,
                            stderr=subprocess.DEVNULL)
    os.close(write)
    number = b""
    while not number.endswith(b"\n"):
        number += os.read(read, 16)
    os.close(read)
    return xvfb, ":" + number.decode().strip()


def wine_env(prefix, display):
    env = dict(os.environ, WINEPREFIX=prefix, DISPLAY=display, WINEDEBUG="-all",
               WINEDLLOVERRIDES="mscoree,mshtml=")
    env.setdefault("LC_CTYPE", "C.UTF-8")
    return env


def make_prefix(prefix, env):
    if os.path.isdir(prefix):
        return
    subprocess.run([WINE64, "wineboot", "--init"], env=dict(env, WINEARCH="win64"),
                   stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, check=True)
    subprocess.run(["wineserver", "-w"], env=env, check=False)


def resident_peak_kib(pid):
    try:
        with open(f"/proc/{pid}/status") as f:
            for line in f:
                if line.startswith("VmHWM:"):
                    return int(line.split()[1])
    except OSError:
        pass
    return 0


def run_show(name, scr, pictures, seconds, env, work):
    install = os.path.join(work, name)
    os.makedirs(install, exist_ok=True)
    shutil.copyfile(scr, os.path.join(install, "Orvane.scr"))
    folder = "Z:" + os.path.abspath(pictures).replace("/", "\\")
    with open(os.path.join(install, "Orvane.ini"), "wb") as f:
        f.write(("[Section]\r\n" f"画像のﾌｫﾙﾀﾞ={folder}\r\n" "ｲﾝﾀｰﾊﾞﾙ= 1\r\n"
                 "速さ= 20\r\n" "小片の数= 200\r\n" "小片の弾性= 90\r\n"
                 "画像のｻｲｽﾞ= 1\r\n").encode("cp932"))
    subprocess.run(["xdotool", "mousemove", str(SIZE[0] - 1), str(SIZE[1] - 1)], env=env)
    with FrameWatch(env["DISPLAY"]) as watch:
        proc = subprocess.Popen([WINE64, os.path.join(install, "Orvane.scr"), "/s"], env=env,
                                cwd=install, stdout=subprocess.DEVNULL,
                                stderr=subprocess.DEVNULL)
        started = time.monotonic()
        peak = 0
        while time.monotonic() - started < seconds and proc.poll() is None:
            peak = max(peak, resident_peak_kib(proc.pid))
            time.sleep(0.2)
        peak = max(peak, resident_peak_kib(proc.pid))
        pressed = time.monotonic()
        subprocess.run(["xdotool", "key", "Escape"], env=env)
        try:
            proc.wait(30)
        except subprocess.TimeoutExpired:
            proc.kill()
        ended = time.monotonic() - pressed
        time.sleep(0.2)
    # The show's window leaving the screen uncovers the whole root window.
    gone = next((t for t, x, y, w, h in watch.frames if t > pressed and (w, h) == SIZE), None)
    # The first two seconds hold the window's appearance, not the show's pace.
    longest, at_changes = longest_gaps(watch.frames, start=started + 2, end=pressed,
                                       whole=SIZE)
    return {"changes": len(at_changes), "longest": longest, "at_changes": at_changes,
            "peak_mib": peak / 1024, "end": ended, "frames": len(watch.frames),
            "gone": (gone - pressed) if gone else float("nan")}


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--pictures", required=True)
    parser.add_argument("--seconds", type=float, default=30)
    parser.add_argument("--rounds", type=int, default=1)
    parser.add_argument("--prefix", default=os.path.join(tempfile.gettempdir(),
                                                         "orvane-frame-gaps"))
    parser.add_argument("builds", nargs="+", help="NAME=path/to/Orvane.scr")
    args = parser.parse_args()

    xvfb, display = start_display()
    env = wine_env(args.prefix, display)
    work = tempfile.mkdtemp(prefix="frame-gaps-")
    try:
        make_prefix(args.prefix, env)
        for round_ in range(args.rounds):
            for build in args.builds:
                name, _, scr = build.partition("=")
                r = run_show(name, scr, args.pictures, args.seconds, env, work)
                changes = r["at_changes"] or [0]
                print(f"{name:>8} round {round_ + 1}: {r['changes']:3d} changes, "
                      f"longest frame interval {r['longest'] * 1000:6.0f} ms, at changes "
                      f"median {statistics.median(changes) * 1000:5.0f} / max "
                      f"{max(changes) * 1000:5.0f} ms, peak {r['peak_mib']:5.0f} MiB; after the key "
                      f"off screen {r['gone'] * 1000:5.0f} ms, ended {r['end'] * 1000:5.0f} ms",
                      flush=True)
    finally:
        subprocess.run(["wineserver", "-k"], env=env, check=False)
        xvfb.terminate()
        shutil.rmtree(work, ignore_errors=True)


if __name__ == "__main__":
    main()

"""Frames as the X server sees them: a DAMAGE watch on the root window, spoken over the X
protocol itself (standard library only). Every time a program puts pixels on screen the
server reports the damaged rectangle; the times between reports are the frame intervals
the user sees.

    with FrameWatch(display) as watch:      # display as in $DISPLAY, e.g. ":3"
        ...                                 # the show runs
    frames = watch.frames                   # [(time.monotonic(), x, y, width, height)]
"""

import socket
import struct
import threading
import time

__all__ = ["FrameWatch", "longest_gaps"]


class FrameWatch:
    def __init__(self, display):
        self.display, self.frames = display, []

    def _recv(self, n):
        data = b""
        while len(data) < n:
            chunk = self._sock.recv(n - len(data))
            if not chunk:
                raise ConnectionError("X server closed the connection")
            data += chunk
        return data

    def _reply(self):
        head = self._recv(32)
        if head[0] == 0:
            raise RuntimeError(f"X error {head[1]}")
        return head + self._recv(struct.unpack_from("<I", head, 4)[0] * 4)

    def __enter__(self):
        self._sock = socket.socket(socket.AF_UNIX, socket.SOCK_STREAM)
        self._sock.connect(f"/tmp/.X11-unix/X{self.display.lstrip(':').split('.')[0]}")
        self._sock.sendall(struct.pack("<BxHHHH2x", ord("l"), 11, 0, 0, 0))
        status, _, _, _, length = struct.unpack("<BBHHH", self._recv(8))
        setup = self._recv(length * 4)
        if status != 1:
            raise ConnectionError(f"X connection refused: {setup[:80]!r}")
        id_base, = struct.unpack_from("<I", setup, 4)
        screen = 32 + (struct.unpack_from("<H", setup, 16)[0] + 3) // 4 * 4 + 8 * setup[21]
        root, = struct.unpack_from("<I", setup, screen)
        self.width, self.height = struct.unpack_from("<HH", setup, screen + 20)
        # QueryExtension "DAMAGE", DamageQueryVersion 1.1, DamageCreate (raw rectangles).
        self._sock.sendall(struct.pack("<BxHH2x", 98, 4, 6) + b"DAMAGE\0\0")
        reply = self._reply()
        if not reply[8]:
            raise RuntimeError("the X server has no DAMAGE extension")
        major, self._event = reply[9], reply[10]
        self._sock.sendall(struct.pack("<BBHII", major, 0, 3, 1, 1))
        self._reply()
        self._sock.sendall(struct.pack("<BBHIIB3x", major, 1, 4, id_base + 1, root, 0))
        self._thread = threading.Thread(target=self._read, daemon=True)
        self._thread.start()
        return self

    def _read(self):
        try:
            while True:
                event = self._recv(32)
                if event[0] & 0x7F == self._event:
                    self.frames.append((time.monotonic(), *struct.unpack_from("<hhHH", event, 16)))
        except (OSError, ConnectionError):
            pass  # closed by __exit__

    def __exit__(self, *exc):
        self._sock.shutdown(socket.SHUT_RDWR)
        self._sock.close()
        self._thread.join(5)
        return False


def longest_gaps(frames, start=None, end=None, whole=None):
    """Frames grouped by arrival within 2 ms (one present can damage several rectangles);
    returns (longest interval, the longer of the intervals before and after each picture
    change) in seconds, within start..end. A change is a frame of the whole screen, `whole`
    being its (width, height), half a second or more after the last change."""
    times, changes, last_change = [], [], None
    for t, x, y, w, h in frames:
        if (start is not None and t < start) or (end is not None and t > end):
            continue
        if times and t - times[-1] < 0.002:
            continue
        if whole and (w, h) == whole and times and (last_change is None or t - last_change >= 0.5):
            changes.append(len(times))
            last_change = t
        times.append(t)
    gaps = [b - a for a, b in zip(times, times[1:])]
    at_changes = [max(gaps[max(i - 1, 0)], gaps[i] if i < len(gaps) else 0) for i in changes]
    return (max(gaps) if gaps else None), at_changes

"""Frames as the X server sees them: a DAMAGE watch on the root window, spoken over the X
protocol itself (standard library only). Every time a program puts pixels on screen the
server reports the damaged rectangle; the times between reports are the frame intervals
the user sees.

    with FrameWatch(display) as watch:      # display as in $DISPLAY, e.g. ":3"
        ...                                 # the show runs
    frames = watch.frames                   # [(seconds, x, y, width, height)], in order

Times are time.monotonic() when the report arrived.
"""

import os
import socket
import struct
import threading
import time

__all__ = ["FrameWatch", "longest_gaps"]

_QUERY_EXTENSION = 98
_DAMAGE_QUERY_VERSION = 0
_DAMAGE_CREATE = 1
_REPORT_RAW_RECTANGLES = 0


class FrameWatch:
    def __init__(self, display):
        self.display = display
        self.frames = []
        self._sock = None
        self._thread = None
        self._stopping = False
        self._lock = threading.Lock()

    # --- the connection ---------------------------------------------------------------------

    def _recv(self, n):
        data = b""
        while len(data) < n:
            chunk = self._sock.recv(n - len(data))
            if not chunk:
                raise ConnectionError("X server closed the connection")
            data += chunk
        return data

    def _connect(self):
        number = self.display.lstrip(":").split(".")[0]
        self._sock = socket.socket(socket.AF_UNIX, socket.SOCK_STREAM)
        self._sock.connect(f"/tmp/.X11-unix/X{number}")
        self._sock.sendall(struct.pack("<BxHHHH2x", ord("l"), 11, 0, 0, 0))
        status, _, _, _, length = struct.unpack("<BBHHH", self._recv(8))
        extra = self._recv(length * 4)
        if status != 1:
            raise ConnectionError(f"X connection refused: {extra[:80]!r}")
        self._id_base = struct.unpack_from("<I", extra, 4)[0]
        vendor_length, = struct.unpack_from("<H", extra, 16)
        formats = extra[21]
        screens_at = 32 + (vendor_length + 3) // 4 * 4 + 8 * formats
        self.root, = struct.unpack_from("<I", extra, screens_at)
        self.width, self.height = struct.unpack_from("<HH", extra, screens_at + 20)

    def _reply(self):
        head = self._recv(32)
        if head[0] == 0:
            raise RuntimeError(f"X error {head[1]}")
        length, = struct.unpack_from("<I", head, 4)
        return head + self._recv(length * 4)

    def _damage(self):
        name = b"DAMAGE"
        pad = b"\0" * (-len(name) % 4)
        self._sock.sendall(struct.pack("<BxHH2x", _QUERY_EXTENSION, 2 + (len(name) + 3) // 4,
                                       len(name)) + name + pad)
        reply = self._reply()
        present, self._major, self._event = reply[8], reply[9], reply[10]
        if not present:
            raise RuntimeError("the X server has no DAMAGE extension")
        self._sock.sendall(struct.pack("<BBHII", self._major, _DAMAGE_QUERY_VERSION, 3, 1, 1))
        self._reply()
        self._sock.sendall(struct.pack("<BBHIIB3x", self._major, _DAMAGE_CREATE, 4,
                                       self._id_base + 1, self.root, _REPORT_RAW_RECTANGLES))

    def _read(self):
        try:
            while True:
                event = self._recv(32)
                now = time.monotonic()
                if event[0] & 0x7F != self._event:
                    continue
                x, y, w, h = struct.unpack_from("<hhHH", event, 16)
                with self._lock:
                    self.frames.append((now, x, y, w, h))
        except (OSError, ConnectionError):
            pass  # closed by stop()

    # --- use ---------------------------------------------------------------------------------

    def __enter__(self):
        self._connect()
        self._damage()
        self._thread = threading.Thread(target=self._read, daemon=True)
        self._thread.start()
        return self

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
        if whole and (w, h) == whole and times and (last_change is None or
                                                    t - last_change >= 0.5):
            changes.append(len(times))
            last_change = t
        times.append(t)
    gaps = [b - a for a, b in zip(times, times[1:])]
    at_changes = [max(gaps[max(i - 1, 0)], gaps[i] if i < len(gaps) else 0) for i in changes]
    return (max(gaps) if gaps else None), at_changes

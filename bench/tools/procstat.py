#!/usr/bin/env python3
"""Figures of a running process, read from /proc.

  procstat.py cpu PID SECONDS   processor time of all its threads over the
                                next SECONDS, in percent of one core
  procstat.py hwm PID           its peak resident memory (VmHWM), in MB
  procstat.py gaps FILE MAPS    the longest main-thread stretches without
                                waiting for events (gapwatch), split at the
                                windows mapped (xmaptime --watch)
  procstat.py peak FILE         the loudest sample of raw 16-bit audio
"""
import glob
import os
import struct
import sys
import time


def thread_times(pid):
    """Nanoseconds on a processor, per thread (schedstat is exact)."""
    out = {}
    for path in glob.glob(f"/proc/{pid}/task/*/schedstat"):
        try:
            with open(path) as f:
                out[path.split("/")[4]] = int(f.read().split()[0])
        except (OSError, ValueError, IndexError):
            pass
    return out


def cpu(pid, seconds):
    # Threads may end within the window (the sound device's thread does when
    # the device is let go): every thread's last reading counts.
    first = thread_times(pid)
    last = dict(first)
    end = time.monotonic() + seconds
    while time.monotonic() < end:
        time.sleep(0.2)
        last.update(thread_times(pid))
    last.update(thread_times(pid))
    used = sum(last.values()) - sum(first.values())
    print(f"{used * 100 / (seconds * 1e9):.3f}")


def hwm(pid):
    with open(f"/proc/{pid}/status") as f:
        for line in f:
            if line.startswith("VmHWM:"):
                print(f"{int(line.split()[1]) / 1024:.1f}")
                return
    print("nan")


def gaps(gap_file, map_file):
    """Prints: the longest stretch while the game starts (from the first
    window + 0.3 s to the main window + 1.4 s) and around the track started
    from the menu (main window + 1.4 s to + 4.5 s), in ms."""
    maps = []
    if os.path.exists(map_file):
        maps = [int(l.split()[1]) for l in open(map_file) if l.startswith("map ")]
    if len(maps) < 2:
        print("nan nan")
        return
    rows = []
    if os.path.exists(gap_file):
        rows = [(int(f[0]), float(f[1])) for f in (l.split() for l in open(gap_file))]
    first, main = maps[0], maps[1]

    def longest(lo, hi):
        # A stretch counts where it ends; one that ends inside the span but
        # began before it counts whole.
        inside = [ms for at, ms in rows if lo <= at <= hi]
        return max(inside, default=0.0)

    start = longest(first + 300_000_000, main + 1_400_000_000)
    track = longest(main + 1_400_000_000, main + 4_500_000_000)
    print(f"{start:.1f} {track:.1f}")


def peak(raw):
    data = open(raw, "rb").read() if os.path.exists(raw) else b""
    n = len(data) // 2
    loud = max((abs(v) for v in struct.unpack(f"<{n}h", data[: n * 2])), default=0)
    print(loud)


if __name__ == "__main__":
    what = sys.argv[1]
    if what == "cpu":
        cpu(int(sys.argv[2]), float(sys.argv[3]))
    elif what == "hwm":
        hwm(int(sys.argv[2]))
    elif what == "gaps":
        gaps(sys.argv[2], sys.argv[3])
    elif what == "peak":
        peak(sys.argv[2])
    else:
        sys.exit(__doc__)

"""How long the window fails to answer while a full list of large texts takes copies and saves
them (see the README). Not part of the tests: PIMLOFT_EXE=... measure_stall.py [MiB]"""

import os
import subprocess
import sys
import tempfile
import time
from pathlib import Path

import datafile
import harness


def quiet(desktop, seconds=5.0):  # no file written for `seconds`, and no temporary file
    last, since = None, time.monotonic()
    while time.monotonic() - since < seconds:
        now = desktop.stamp(), (desktop.app / "PimLoft.ini.tmp").exists()
        last, since = now, since if now == last else time.monotonic()
        time.sleep(0.2)


def main():
    exe = Path(os.environ["PIMLOFT_EXE"]).resolve()
    size = int(float(sys.argv[1] if len(sys.argv) > 1 else 4) * (1 << 20))
    line = "The quick brown fox jumps over the lazy dog, caf\u00e9 \u043a\u043e\u0442.\n"
    # Wine hands the program CR LF: a text of `size` bytes in all.
    text = lambda head: head + line * ((size - 64) // (len(line.encode()) + 1))
    with tempfile.TemporaryDirectory() as folder:
        desktop = harness.Desktop(folder, harness.make_template_prefix(Path(folder) / "t", exe),
                                  exe)
        try:
            desktop.start([datafile.Slot()] * 71)  # the copies fill the blank slots
            started = time.monotonic()
            for n in range(71):
                desktop.offer(text(f"{n:03d} "))
            quiet(desktop)
            print(f"71 texts of {size} bytes filed and saved in {time.monotonic() - started:.0f}"
                  f" s; data file {desktop.data_file.stat().st_size / 1e6:.0f} MB")
            probe = exe.parent / "tests" / "pimloft_stall_probe.exe"
            for what, copy in (("a short copy", "short"), ("a copy as large", text("big "))):
                before = desktop.stamp()
                watch = desktop.spawn([desktop.wine, str(probe), "8"], stdout=subprocess.PIPE,
                                      text=True)
                time.sleep(1)
                desktop.offer(copy)
                out, _ = watch.communicate(timeout=60)
                print(f"{what}: {out.strip().replace(chr(10), '; ')};"
                      f" saved: {desktop.stamp() != before}")
                quiet(desktop)
        finally:
            desktop.stop()


if __name__ == "__main__":
    main()

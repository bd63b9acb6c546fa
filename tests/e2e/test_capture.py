"""Copied texts filed into the slots: behind a box, before a hard kill, at a close request."""

import random
import time

import datafile
from datafile import Slot
from harness import row_y

# With characters that code page 1252 lacks but would approximate ("\u0113" as "e").
UNICODE = ("Caf\u00e9 cr\u00e8me \u00fcber \u0113 \u00c5ngstr\u00f6m \u6f22\u5b57\u304b\u306a "
           "\U0001F600\U0001F469\u200D\U0001F4BB end")


def test_copies_behind_a_box_before_a_hard_kill_and_at_a_close_request_come_back(desktop):
    line = "".join(chr(0x20 + (i * 7) % 95) for i in range(120)) + " \u00e9\u6f22 "
    big = "\n".join(f"{n:06d} {line}" for n in range(8000))  # 1.1 MB as UTF-8
    proc = desktop.start([Slot()] * datafile.MAX_SLOTS)
    # The first save writes the data file whole; the later ones append to its journal.
    desktop.next_save(lambda: desktop.offer("first"), timeout=3.0)
    about = desktop.tray_menu(proc, "About Pim&Loft...", "About PimLoft")
    desktop.offer(UNICODE)
    desktop.offer(big)
    desktop.keys("Return", to=about, hides=True)
    taken, stop = [], time.monotonic() + random.uniform(4.0, 8.0)
    while time.monotonic() < stop:  # paced as a hand copies
        desktop.offer(text := f"copy {len(taken):03d}")
        taken.append((text, time.monotonic()))
        time.sleep(0.5)
    killed = time.monotonic()
    desktop.hard_kill()
    desktop.wait_exit(proc)

    # WM_CLOSE from outside, as at shutdown, sooner than the save a capture schedules.
    proc = desktop.start()
    desktop.offer("last")
    taskkill = lambda: desktop.run([desktop.wine, "taskkill", "/im", "PimLoft.exe"])
    kept = {s.text[:40] for s in desktop.exit_and_read(proc, taskkill).slots}  # short in reports
    due = {"first", "last"} | {text for text, at in taken if at < killed - 2.0}
    assert len(due) > 2 and due <= kept, f"lost: {sorted(due - kept)}"

    # The next run gives each text back whole (the data file's own text is the code page's).
    window = desktop.show(desktop.start())
    for row, text in ((1, UNICODE), (2, big)):
        desktop.click(window, 11, row_y(row), expect=text)

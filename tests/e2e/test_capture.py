"""Copied texts filed into the slots: round trips, behind a box, a hard kill."""

import random
import time

import datafile
from datafile import Slot
from harness import row_y

# With characters that code page 1252 lacks but would approximate ("\u0113" as "e").
UNICODE = ("Caf\u00e9 cr\u00e8me \u00fcber \u0113 \u00c5ngstr\u00f6m \u6f22\u5b57\u304b\u306a "
           "\U0001F600\U0001F469\u200D\U0001F4BB end")


def test_copies_behind_the_about_box_are_saved_at_a_close_request_and_selected_back(desktop,
                                                                                    figures):
    line = "".join(chr(0x20 + (i * 7) % 95) for i in range(120)) + " \u00e9\u6f22 "
    big = "\n".join(f"{n:06d} {line}" for n in range(8000))  # 1.1 MB as UTF-8
    proc = desktop.start([Slot()] * 4)
    about = desktop.tray_menu(proc, "About Pim&Loft...", "About PimLoft")
    desktop.offer(UNICODE)
    started = time.monotonic()
    desktop.offer(big)
    figures(f"1 MB text taken from the clipboard in {time.monotonic() - started:.2f} s")
    desktop.offer("third")
    desktop.keys("Return", to=about, hides=True)
    desktop.offer("fourth")
    # WM_CLOSE from outside, as at shutdown, sooner than the save a capture schedules.
    taskkill = lambda: desktop.run([desktop.wine, "taskkill", "/im", "PimLoft.exe"])
    assert [s.text for s in desktop.exit_and_read(proc, taskkill).slots][2:] == ["third", "fourth"]

    # The next run gives each text back whole (the data file's own text is the code page's).
    window = desktop.show(desktop.start())
    for row, text in ((0, UNICODE), (1, big)):
        desktop.click(window, 11, row_y(row), expect=text)


def test_copies_made_two_seconds_before_a_hard_kill_are_back_at_the_next_start(desktop, figures):
    proc = desktop.start([Slot()] * datafile.MAX_SLOTS)
    # The first save writes the data file whole; the later ones append to its journal.
    started = time.monotonic()
    desktop.next_save(lambda: desktop.offer("first"), timeout=3.0)
    figures(f"capture saved {time.monotonic() - started:.2f} s after it was offered")
    assert desktop.visible(proc.pid) == set()
    taken, stop = [], time.monotonic() + random.uniform(4.0, 8.0)
    while time.monotonic() < stop:
        desktop.offer(text := f"copy {len(taken):03d}")
        taken.append((text, time.monotonic()))
        time.sleep(0.5)
    killed = time.monotonic()
    desktop.hard_kill()
    desktop.wait_exit(proc)

    kept = {s.text for s in desktop.exit_and_read(desktop.start()).slots}  # what it loaded
    due = [text for text, at in taken if at < killed - 2.0]
    assert due and set(due) <= kept, f"lost: {sorted(set(due) - kept)}"

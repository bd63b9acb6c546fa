"""Pause, programs whose copies are never kept, and expiry: what they leave out of every file."""

import struct
import time

import datafile
from datafile import Slot
from harness import PLACED, Pixels, wait_until


def copy_in(desktop, pad, text):  # once on the clipboard, the program has been told of it
    desktop.click(pad, 200, 150)  # a closed dialog leaves the focus nowhere
    desktop.keys("ctrl+a")
    desktop.keys(text=text)
    desktop.keys("ctrl+a", "ctrl+c")
    desktop.wait_clipboard(text)


def assert_no_trace(desktop, text):
    for path in desktop.app.iterdir():
        data = path.read_bytes()
        assert text.encode() not in data and text.encode("utf-16-le") not in data, path.name


def test_a_copy_while_paused_is_filed_nowhere_and_the_pause_outlives_a_restart(desktop):
    proc = desktop.start([Slot()] * 3)
    # Once its menu has gone, which covers part of it.
    icon = lambda: not desktop.visible(proc.pid) and Pixels(desktop, desktop.tray()).data
    running = icon()
    desktop.tray_menu(proc, "Pa&use Capture")
    paused = wait_until(lambda: (now := icon()) != running and now, "the paused icon")
    # From notepad: a paused program reads no copy, so an X program's would wait for ever.
    copy_in(desktop, desktop.notepad(), "paused secret 41")
    desktop.tray_menu(proc, "Pa&use Capture")
    desktop.offer("after resuming")  # read only once capture has resumed
    desktop.tray_menu(proc, "Pa&use Capture")
    wait_until(lambda: icon() == paused, "the paused icon again")
    assert "after resuming" in [s.text for s in desktop.exit_and_read(proc).slots]
    assert_no_trace(desktop, "paused secret 41")
    proc = desktop.start()
    wait_until(lambda: icon() == paused, "the paused icon after a restart")


def test_copies_of_a_program_added_in_options_are_filed_nowhere(desktop):
    proc = desktop.start([Slot()] * 3)
    pad = desktop.notepad()
    copy_in(desktop, pad, "kept before")
    options = desktop.tray_menu(proc, "&Options...", "PimLoft Options")
    desktop.keys("alt+t", "alt+o", to=options, hides=True)  # the program of the last copy
    copy_in(desktop, pad, "excluded secret 52")
    desktop.offer("kept after")
    texts = [s.text for s in desktop.exit_and_read(proc).slots]
    assert {"kept before", "kept after"} <= set(texts), texts
    assert_no_trace(desktop, "excluded secret 52")


def test_old_unlocked_slots_expire_at_start_up(desktop):
    now, day = int(time.time()), 24 * 60 * 60
    slots = [Slot("expired secret 63"), Slot("old locked", locked=True), Slot("recent")]
    times = b"".join(struct.pack("<Bq", i, now - d * day) for i, d in enumerate((40, 40, 1)))
    desktop.data_file.write_bytes(datafile.extend(datafile.build(slots, PLACED), {
        datafile.PRIVACY: struct.pack("<BHH", 0, 30, 0), datafile.SLOT_TIMES: times}))
    saved = desktop.exit_and_read(desktop.start())
    assert saved.slots == [Slot(), slots[1], slots[2]]
    assert_no_trace(desktop, "expired secret 63")

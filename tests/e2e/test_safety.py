"""Nothing is lost: unreadable files, damaged Unicode, copies behind boxes, outside closes."""

import re

import datafile
from datafile import Slot
from harness import row_y

B = Slot()


def test_a_file_of_an_unknown_version_is_kept_aside_byte_for_byte(desktop):
    junk = b"1.00.60" + bytes(range(256)) * 4
    saved = desktop.exit_and_read(desktop.start(junk))
    aside = [p.name for p in desktop.app.iterdir() if p.name.startswith("PimLoft.ini.")]
    assert len(aside) == 1 and re.fullmatch(r"PimLoft\.ini\.unreadable-\d{8}-\d{6}", aside[0])
    assert (desktop.app / aside[0]).read_bytes() == junk
    assert saved.version == "1.00.50" and saved.slots() == [B]


def test_a_damaged_unicode_text_costs_only_itself(desktop):
    texts = ["\u65e5\u672c", "\u03a9mega", "emoji \U0001F600"]  # none in the 8-bit code page
    proc = desktop.start([B, B, B], height=1500)
    for text in texts:
        desktop.offer(text)
    assert [s.text for s in desktop.exit_and_read(proc).slots()] == texts

    data = bytearray(desktop.data_file.read_bytes())
    data[data.index(texts[1].encode()) + 2] ^= 1  # the first text found is the slot's own
    damaged = datafile.parse(bytes(data)).slots()
    assert [s.text for s in damaged][::2] == texts[::2] and damaged[1].text != texts[1]
    # The damaged text falls back to its 8-bit field; its description and the rest stay.
    assert desktop.exit_and_read(desktop.start(bytes(data))).slots() == damaged


def test_copies_behind_the_about_box_are_filed_and_a_close_request_saves_them(desktop):
    proc = desktop.start([B] * 5, height=1500)
    texts = ["one", "two", "three", "four", "five"]
    about = desktop.tray_menu(proc, "About Pim&Loft...", "About PimLoft")
    for text in texts[:3]:
        desktop.offer(text)
    desktop.keys("Return", to=about, hides=True)
    for text in texts[3:]:
        desktop.offer(text)
    # WM_CLOSE from outside, as at shutdown, sooner than the save a capture schedules.
    taskkill = lambda: desktop.run([desktop.wine, "taskkill", "/im", "PimLoft.exe"])
    assert [s.text for s in desktop.exit_and_read(proc, taskkill).slots()] == texts


def test_a_click_behind_confirm_clear_does_not_move_what_it_clears(desktop):
    a, b = Slot("alpha", "a", locked=True), Slot("bravo", "b", locked=True)
    proc, window = desktop.start([a, b], True, height=1500, current_slot=0)
    desktop.keys("Delete", to=window)
    box = desktop.window(proc.pid, "Confirm Clear")
    desktop.click(window, 100, row_y(1))
    desktop.keys("Return", to=box, hides=True)
    saved = desktop.exit_and_read(proc).slots()
    assert saved[0].text == "" and saved[1] == b

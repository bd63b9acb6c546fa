"""Slot commands by key and row menu, Edit Selection, and printing with and without a printer."""

import os
import time

import pytest

from datafile import Slot
from harness import ROW, Pdf_Printer, row_y, wait_until


def row(r):
    return 100, row_y(r)


def test_slot_commands_printing_without_a_printer_and_edit_selection(desktop):
    # Wine asks CUPS for printers: point it at a server that is not there.
    desktop.env["CUPS_SERVER"] = str(desktop.folder / "no-cups.sock")
    # Typed keys are ASCII only (xdotool's remapped keys do not reach Wine), so the edit
    # appends to a text that brings its own non-ASCII characters and line break.
    old_text = "caf\u00e9 \u20ac\r\nline two"
    slots = [Slot(old_text, "old description"), Slot("locked one", "kept", locked=True),
             Slot("third", "")]
    # The last row starts selected, so that clicking any other row selects it.
    proc, window = desktop.start(slots, True, height=1500, current_slot=2)
    assert desktop.size(window)[1] == 3 * ROW - 1
    desktop.keys("ctrl+n", to=window)
    desktop.wait_height(window, 4 * ROW - 1)

    desktop.click(window, *row(1), expect="locked one")
    desktop.keys("ctrl+x", to=window)
    box = desktop.window(proc.pid, "Confirm Delete")
    desktop.click(window, *row(0))  # the box keeps the list from input: no row is chosen
    desktop.keys("Escape", to=box, hides=True)
    assert desktop.size(window)[1] == 4 * ROW - 1
    # Cancel kept it: the same question comes again (for the same, locked slot), and OK now
    # deletes it.
    desktop.keys("ctrl+x", to=window)
    box = desktop.window(proc.pid, "Confirm Delete", exclude=(box,))
    desktop.keys("Return", to=box)
    desktop.wait_height(window, 3 * ROW - 1)
    desktop.wait_clipboard("third")

    desktop.click(window, *row(0), expect=old_text)
    menu = desktop.popup(proc.pid, lambda: desktop.click(window, *row(0), button=3))
    desktop.keys("p")  # &Print Slot
    desktop.wait_view(menu, False)
    box = desktop.window(proc.pid, "PimLoft", exclude=(window,))
    desktop.keys("Return", to=box, hides=True)
    saved = desktop.close_and_read(window)
    assert saved.slots() == [slots[0], slots[2], Slot()]
    desktop.wait_clipboard(old_text)

    desktop.show(proc)
    desktop.click(window, *row(0), count=2)
    dialog = desktop.window(proc.pid, "Edit Selection")
    assert desktop.size(dialog) == (314, 213)
    desktop.keys("ctrl+End", to=dialog)
    desktop.keys(to=dialog, text=" and more")
    desktop.keys("alt+o", to=dialog, hides=True)
    new_text = old_text + " and more"
    desktop.wait_clipboard(new_text)
    # Closing the dialog through its frame is Cancel: the second edit is dropped.
    desktop.click(window, *row(0), count=2)
    desktop.wait_view(dialog)
    desktop.keys("ctrl+a", to=dialog)
    desktop.keys(to=dialog, text="dropped")
    desktop.close(dialog)
    desktop.wait_view(dialog, False)
    desktop.wait_clipboard(new_text)

    # Delete clears the slot without asking.
    desktop.click(window, *row(1), expect="third")
    desktop.keys("Delete", to=window)
    wait_until(lambda: desktop.clipboard() in ("", None), "the cleared text on the clipboard")
    assert desktop.named(proc.pid, "Confirm Clear") == []
    saved = desktop.close_and_read(window)
    assert saved.slots() == [Slot(new_text, "old description"), Slot(), Slot()]
    assert saved.records[saved.settings.current_slot] == Slot()
    assert proc.poll() is None


@pytest.fixture(scope="module")
def pdf_printer():
    if os.geteuid() != 0:
        pytest.skip("cupsd and the cups-pdf backend need root")
    printer = Pdf_Printer()
    yield printer
    printer.stop()


# Non-ASCII characters of the data file's code page, so that the stored file can hold them.
PRINTED = Slot("first line, caf\u00e9\r\nsecond line \u20ac 42", "The description")
LINES = ["first line, caf\u00e9", "second line \u20ac 42"]


# Without the description (Print_Tip off) is the unit tests' case.
def test_ctrl_p_prints_the_slot_on_the_default_printer(desktop, pdf_printer, figures):
    desktop.env.update(CUPS_SERVER=pdf_printer.env["CUPS_SERVER"])
    slots = [PRINTED, Slot("other", "")]
    proc, window = desktop.start(slots, True, height=1500, current_slot=1)
    desktop.click(window, *row(0), expect=PRINTED.text)

    before = pdf_printer.pdfs()
    started = time.monotonic()
    desktop.keys("ctrl+p", to=window)
    text = pdf_printer.take_text(before, desktop.folder / "printed.pdf")
    figures(f"Ctrl+P to PDF: {time.monotonic() - started:.2f} s")

    assert text == ["The description", ""] + LINES
    assert desktop.named(proc.pid, "PimLoft") == [window], "a message appeared"
    assert desktop.close_and_read(window).slots() == slots

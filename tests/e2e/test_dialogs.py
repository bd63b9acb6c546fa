"""Slot commands by key and row menu, Edit Selection, and printing with and without a printer."""

import os

import pytest

from datafile import Slot
from harness import Pdf_Printer, row_y


def test_slot_commands_a_box_that_holds_the_list_editing_and_printing(desktop):
    # Wine asks CUPS for printers: first a server that is not there.
    desktop.env["CUPS_SERVER"] = str(desktop.folder / "no-cups.sock")
    # The edit appends to a text that brings its own non-ASCII characters and line break.
    old_text = "caf\u00e9 \u20ac\r\nline two"
    slots = [Slot(old_text, "old description"), Slot("locked one", "kept", locked=True),
             Slot("third", "")]
    # The last row starts selected, so that clicking any other row selects it.
    proc, window = desktop.start(slots, True, height=1500, current_slot=2)
    desktop.keys("ctrl+n", to=window)
    desktop.wait_height(window, 4)

    # The box keeps the list from input: the click chooses no row, so the locked one goes.
    desktop.click(window, 100, row_y(1), expect="locked one")
    desktop.keys("ctrl+x", to=window)
    box = desktop.window(proc.pid, "Confirm Delete")
    desktop.click(window, 100, row_y(0))
    desktop.keys("Return", to=box, hides=True)
    desktop.wait_height(window, 3)
    desktop.wait_clipboard("third")

    # Without a mouse: the menu key and Shift+F10 open the row menu below the selected row,
    # wherever the pointer rests; Enter opens Edit Selection.
    desktop.click(window, 100, row_y(0), expect=old_text)
    left, top = desktop.geometry(window)[0][:2]
    for key, then in (("Menu", "Escape"), ("shift+F10", "p")):  # p: &Print Slot
        desktop.point(window, 200, row_y(2))
        menu = desktop.popup(proc.pid, lambda: desktop.keys(key))
        assert desktop.geometry(menu)[0][:2] == (left + 48, top + 23), key
        desktop.keys(then)
        desktop.wait_view(menu, False)
    # No printer, so a message.
    desktop.keys("Return", to=desktop.window(proc.pid, "PimLoft", exclude=(window,)), hides=True)

    desktop.keys("Return", to=window)
    dialog = desktop.window(proc.pid, "Edit Selection")
    assert desktop.size(dialog) == (314, 213)
    desktop.keys("ctrl+End", to=dialog)  # typed keys are ASCII only: they reach Wine unmapped
    desktop.keys(to=dialog, text=" and more")
    desktop.keys("alt+o", to=dialog, hides=True)
    edited = old_text + " and more"
    desktop.wait_clipboard(edited)
    assert desktop.exit_and_read(proc).slots == [Slot(edited, "old description"), slots[2], Slot()]

    # Ctrl+P on the default printer: the description, then the text, non-ASCII characters kept.
    if os.geteuid() != 0:
        pytest.skip("printing: cupsd and the cups-pdf backend need root")
    printer = Pdf_Printer()
    try:
        desktop.env["CUPS_SERVER"] = printer.env["CUPS_SERVER"]
        proc, window = desktop.start(shown=True)  # the edited slot still selected
        printed = printer.take_text(lambda: desktop.keys("ctrl+p", to=window),
                                    desktop.folder / "printed.pdf")
        assert printed == ["old description", ""] + edited.split("\r\n")
        assert desktop.named(proc.pid, "PimLoft") == [window], "a message appeared"
    finally:
        printer.stop()

"""Slot commands from the keyboard and the row menu, and editing a row in Edit Selection."""

from dataclasses import replace

import datafile
import dialog_helpers as dh
from datafile import Settings, Slot

BASE = Settings(**dh.PLACE)


def test_add_delete_and_clear_from_the_keyboard(desktop, pimloft_exe):
    slots = [Slot("first text", "first"), Slot("locked one", "kept", locked=True),
             Slot("third", "")]
    # The last row starts selected, so that clicking any other row selects it.
    proc, window = dh.start_shown(
        desktop, pimloft_exe, datafile.build("1.00.50", slots, replace(BASE, current_slot=2)))
    assert dh.height(desktop, window) == 3 * dh.ROW - 1

    dh.keys_to(desktop, window, "ctrl+n")
    dh.wait_height(desktop, window, 4 * dh.ROW - 1)

    dh.select_row(desktop, window, 1, "locked one")
    dh.keys_to(desktop, window, "ctrl+x")
    box = dh.wait_window(desktop, proc.pid, "Confirm Delete")
    dh.keys_to(desktop, box, "Escape")
    desktop.wait_hidden(box)
    assert dh.height(desktop, window) == 4 * dh.ROW - 1
    # Cancel kept it: the same question comes again, and OK now deletes it.
    dh.keys_to(desktop, window, "ctrl+x")
    box = dh.wait_window(desktop, proc.pid, "Confirm Delete", exclude=(box,))
    dh.keys_to(desktop, box, "Return")
    dh.wait_height(desktop, window, 3 * dh.ROW - 1)
    dh.wait_until(lambda: desktop.get_clipboard() == "third", "the successor on the clipboard")

    dh.select_row(desktop, window, 0, "first text")
    dh.keys_to(desktop, window, "Delete")
    dh.wait_until(lambda: desktop.get_clipboard() in ("", None), "the cleared text on the clipboard")
    assert dh.windows_named(desktop, proc.pid, "Confirm Clear") == []

    saved = dh.close_and_read(desktop, window)
    assert saved.slots() == [Slot(), Slot("third", ""), Slot()]
    assert saved.records[saved.settings.current_slot] == Slot()
    assert proc.poll() is None


def test_double_click_opens_edit_selection_and_ok_stores_the_new_text(desktop, pimloft_exe):
    # Typed keys are ASCII only (xdotool's remapped keys do not reach Wine), so the edit
    # appends to a text that brings its own non-ASCII characters and line break.
    old_text = "caf\u00e9 \u20ac\r\nline two"
    slots = [Slot(old_text, "old description"), Slot("other", "")]
    proc, window = dh.start_shown(
        desktop, pimloft_exe, datafile.build("1.00.50", slots, replace(BASE, current_slot=1)))

    menu = dh.right_click_row(desktop, proc.pid, window, 0)
    shot = desktop.screenshot("row-menu.png")
    dh.crop(shot, dh.merged(desktop.window_info(window), desktop.window_info(menu)),
            desktop.folder / "row-menu-zoom.png")
    desktop.key("Escape")
    desktop.wait_hidden(menu)

    desktop.click(window, *dh.row_point(0), count=2)
    dialog = dh.wait_window(desktop, proc.pid, "Edit Selection")
    info = desktop.window_info(dialog)
    assert (info["width"], info["height"]) == (314, 213)
    dh.keys_to(desktop, dialog, "ctrl+End")
    dh.type_into(desktop, dialog, " and more")
    new_text = old_text + " and more"
    shot = desktop.screenshot("edit-selection.png")
    dh.crop(shot, info, desktop.folder / "edit-selection-zoom.png")
    dh.keys_to(desktop, dialog, "alt+o")
    desktop.wait_hidden(dialog)
    dh.wait_until(lambda: dh.as_x_text(desktop.get_clipboard()) == dh.as_x_text(new_text),
                  "the edited text on the clipboard")
    desktop.screenshot("edited-row.png")

    # Closing the dialog through its frame is Cancel: the second edit is dropped.
    desktop.click(window, *dh.row_point(0), count=2)
    desktop.wait_shown(dialog)
    dh.keys_to(desktop, dialog, "ctrl+a")
    dh.type_into(desktop, dialog, "dropped")
    desktop.close_window(dialog)
    desktop.wait_hidden(dialog)

    saved = dh.close_and_read(desktop, window)
    assert saved.slots() == [Slot(new_text, "old description"), Slot("other", "")]
    assert dh.as_x_text(desktop.get_clipboard()) == dh.as_x_text(new_text)

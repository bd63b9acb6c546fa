"""Mouse and keyboard on the slot list: selecting puts a slot back on the clipboard, the lock
column locks, Shift+drag reorders, and a row's text shows its description."""

import time
from dataclasses import replace

import harness

import datafile
from datafile import Settings, Slot
from list_helpers import ROW, SCHEME, Pixels, button_face, close_and_read, move_to, panel_colour
from list_helpers import shift_drag, start_shown, wait_clipboard, wait_height

PLACED = Settings(left=1500, top=3000, width=4500, height=3000)
TEXT_X = 120  # over the text column of any row


def row_y(row):
    return row * ROW + 11


def test_clicks_and_arrow_keys_select_and_locking_the_last_free_slot_adds_a_row(
        desktop, pimloft_exe):
    # Only "charlie" is unlocked; the list starts with "echo" selected.
    slots = [Slot("alpha text", "a", locked=True), Slot("bravo", "b", locked=True),
             Slot("charlie caf\u00e9 & co", "c"), Slot("delta", "d", locked=True),
             Slot("echo", "e", locked=True)]
    order = [4, 2, 0, 3, 1]
    texts = [s.text for s in slots]
    proc, window = start_shown(desktop, pimloft_exe, datafile.build(
        "1.00.50", slots, replace(PLACED, current_slot=order[4]), order))

    desktop.click(window, TEXT_X, row_y(0))
    wait_clipboard(desktop, texts[0])
    desktop.click(window, 10, row_y(3))  # the arrow column selects too
    wait_clipboard(desktop, texts[3])

    # Down and Up walk the list and wrap at both ends.
    for key, row in [("Down", 4), ("Down", 0), ("Up", 4), ("Up", 3), ("Up", 2), ("Up", 1)]:
        desktop.key(key)
        wait_clipboard(desktop, texts[row])
    harness.wait_until(lambda: button_face(Pixels(desktop, window), 0, 1 * ROW) == "pressed",
                       "row 1 to show as selected")

    # The lock column of the one unlocked slot: the press selects it, the release locks it,
    # and a blank unlocked slot is added below the rest.
    desktop.click(window, 35, row_y(2))
    wait_clipboard(desktop, texts[2])
    wait_height(desktop, window, 6 * ROW - 1)
    pixels = Pixels(desktop, window)
    desktop.screenshot("locked-and-grown.png")
    assert [button_face(pixels, 24, r * ROW) for r in range(6)] == ["pressed"] * 5 + ["released"]
    assert button_face(pixels, 0, 2 * ROW) == "pressed"
    assert panel_colour(pixels, 5) == (SCHEME["Window"], True)

    saved = close_and_read(desktop, window)
    # The program's own clipboard writes were not filed as new slots.
    assert saved.slots() == [Slot(s.text, s.description, True) for s in slots] + [Slot()]
    assert saved.chain[:5] == order
    assert saved.settings.current_slot == order[2]
    assert proc.poll() is None


def visible_popups(desktop, proc, window):
    return desktop.visible_windows(proc.pid) - {window}


def tooltip_width(desktop, proc, window, row):
    """Rests the pointer on a row's text until a tool tip shows; returns its width."""
    move_to(desktop, window, TEXT_X, row_y(row))
    move_to(desktop, window, TEXT_X + 2, row_y(row) + 1)
    shown = harness.wait_until(lambda: visible_popups(desktop, proc, window),
                               f"the tool tip of row {row}", timeout=10)
    return desktop.window_info(next(iter(shown)))["width"]


def test_descriptions_show_as_tool_tips_and_shift_drag_moves_a_row_to_the_top(desktop,
                                                                              pimloft_exe):
    slots = [Slot("alpha text", "short"), Slot("bravo", ""),
             Slot("charlie", "a much longer description of the third slot"),
             Slot("delta", "d"), Slot("echo", "e")]
    proc, window = start_shown(desktop, pimloft_exe, datafile.build("1.00.50", slots, PLACED))

    long_tip = tooltip_width(desktop, proc, window, 2)
    desktop.screenshot("tool-tip.png")
    # No tool tip over a row without a description, however long the pointer rests there.
    move_to(desktop, window, TEXT_X, row_y(1))
    harness.wait_until(lambda: not visible_popups(desktop, proc, window),
                       "the tool tip to go", timeout=10)
    end = time.monotonic() + 2
    while time.monotonic() < end:
        move_to(desktop, window, TEXT_X + int(end - time.monotonic()), row_y(1))
        assert not visible_popups(desktop, proc, window), "a tool tip for an empty description"
        time.sleep(0.2)
    short_tip = tooltip_width(desktop, proc, window, 0)
    assert short_tip < long_tip

    # Shift+drag of the third row: the bar follows the pointer to the boundary above row 1,
    # then to the top; the drop makes the slot the first, still selected.
    with shift_drag(desktop, window, TEXT_X, row_y(2)) as move:
        wait_clipboard(desktop, "charlie")
        move(row_y(1))
        harness.wait_until(
            lambda: {Pixels(desktop, window)[x, ROW - 1] for x in (5, 30, 100, 291)}
            == {SCHEME["ButtonShadow"]}, "the bar across the gap above row 1")
        desktop.screenshot("dragging.png")
        move(2)
    harness.wait_until(lambda: button_face(Pixels(desktop, window), 0, 0) == "pressed",
                       "the dragged row to show at the top")
    desktop.screenshot("dropped.png")
    pixels = Pixels(desktop, window)
    assert pixels[100, ROW - 1] != SCHEME["ButtonShadow"], "the bar stayed after the drop"

    saved = close_and_read(desktop, window)
    assert [s.text for s in saved.slots()] == ["charlie", "alpha text", "bravo", "delta", "echo"]
    # Slots keep their node index through the move, so the selection stays with the slot.
    assert saved.chain == [2, 0, 1, 3, 4]
    assert saved.settings.current_slot == 2

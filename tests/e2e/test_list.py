"""The slot list as drawn and used: the user's colours, size, tips, locks, Shift+drag."""

import pytest

from datafile import Slot
from harness import PLACED, ROW, TWIPS, Pixels, row_y, wait_until

TEXT_X = 120  # over the text column of any row

# Every role a colour no other role has, so that a pixel tells which role drew it.
SCHEME = {"ButtonFace": (200, 200, 200), "ButtonHilight": (250, 250, 250),
          "ButtonLight": (225, 225, 225), "ButtonShadow": (128, 128, 128),
          "ButtonDkShadow": (64, 64, 64), "Window": (255, 255, 240), "WindowText": (0, 0, 128),
          "Hilight": (10, 120, 60), "HilightText": (255, 255, 0)}


def button_face(pixels, left, top):  # of the 23x23 button there: inside its 2-px frame
    corner = (pixels[left + 2, top + 2], pixels[left + 3, top + 2])
    return {(SCHEME["ButtonHilight"], SCHEME["ButtonLight"]): "pressed",  # a dither
            (SCHEME["ButtonFace"], SCHEME["ButtonFace"]): "released"}.get(corner, corner)


def panel(pixels, row):  # background where no short text reaches; framed at the right edge?
    top, right = row * ROW, pixels.width - 1
    framed = (pixels[48, top + 10] == SCHEME["ButtonShadow"]
              and pixels[right, top + 10] == SCHEME["ButtonHilight"])
    return pixels[right - 4, top + 11], framed


SLOTS = [Slot("alpha text", "first"), Slot("bravo, kept", "locked", locked=True),
         Slot("charlie caf\u00e9", "a much longer description of the current slot"),
         Slot("delta & co", ""), Slot("echo", "last")]
CURRENT_ROW = 2


def test_rows_show_the_list_state_and_follow_size_tips_drag_and_locks(desktop):
    desktop.set_user_reg("Control Panel\\Colors",
                         {name: "%d %d %d" % rgb for name, rgb in SCHEME.items()})
    proc, window = desktop.start(SLOTS, True, current_slot=CURRENT_ROW)
    desktop.wait_height(window, 5)
    width = wait_until(lambda: (p := Pixels(desktop, window)) and button_face(p, 0, 0)
                       == "released" and p.width, "the list to be drawn") + 130

    # Wider: every panel reaches the new right edge, the highlight included. Then taller by part
    # of a row: the program snaps its window back at once, but Wine passes a size set during its
    # own resize on to the X window only when the close box has hidden it and it shows again.
    desktop.xdotool("windowsize", str(window), str(width), str(5 * ROW - 1))
    panels = [(SCHEME["Hilight" if r == CURRENT_ROW else "Window"], True) for r in range(5)]
    wait_until(lambda: (p := Pixels(desktop, window)).width == width
               and [panel(p, r) for r in range(5)] == panels, "the panels to reach the new edge")
    desktop.xdotool("windowsize", str(window), str(width), str(5 * ROW + 40))
    wait_until(lambda: Pixels(desktop, window).height == 5 * ROW + 40, "the X resize")
    desktop.close(window)
    desktop.wait_view(window, False)
    desktop.show(proc)
    desktop.wait_height(window, 5)

    # A description shows as a tool tip over its row's text, as wide as it needs; none shows
    # over a row without one, however long the pointer rests there.
    tip_width = lambda row: desktop.size(desktop.popup(proc.pid, lambda: [
        desktop.point(window, TEXT_X + d, row_y(row) + d) for d in (0, 1)]))[0]
    long_tip = tip_width(CURRENT_ROW)
    desktop.point(window, TEXT_X, row_y(3))  # no tip: the long one goes
    wait_until(lambda: desktop.visible(proc.pid) <= {window}, "the tool tip to go", timeout=10)
    with pytest.raises(AssertionError):
        wait_until(lambda: desktop.visible(proc.pid) - {window}, "no tool tip", timeout=2)
    assert tip_width(0) < long_tip

    # Shift+drag of the last row: the bar follows the pointer to the boundary above row 1,
    # then to the top; the drop makes the slot the first, selected.
    desktop.point(window, TEXT_X, row_y(4))
    desktop.xdotool("keydown", "shift", "mousedown", "1")
    desktop.wait_clipboard("echo")
    for y in range(row_y(4) - 6, 0, -6):  # in small steps, as a hand moves
        desktop.point(window, TEXT_X, y)
        if y == row_y(1):
            wait_until(lambda: {Pixels(desktop, window)[x, ROW - 1] for x in (5, 30, 100, 291)}
                       == {SCHEME["ButtonShadow"]}, "the bar across the gap above row 1")
    desktop.xdotool("mouseup", "1", "keyup", "shift")
    wait_until(lambda: button_face(Pixels(desktop, window), 0, 0) == "pressed",
               "the dragged row to show at the top")
    assert Pixels(desktop, window)[100, ROW - 1] != SCHEME["ButtonShadow"], "the bar stayed"

    # A press on the lock column selects the slot and the release locks it; locking the last
    # unlocked one adds a blank unlocked slot below the rest.
    moved = [SLOTS[i] for i in (4, 0, 1, 2, 3)]
    for r in (0, 1, 3, 4):
        desktop.click(window, 35, row_y(r), expect=moved[r].text)
    desktop.wait_height(window, 6)
    saved = desktop.exit_and_read(proc)  # the program's own clipboard writes filed no slots
    assert saved.slots == [Slot(s.text, s.description, True) for s in moved] + [Slot()]
    assert saved.settings.width == PLACED.width + 130 * TWIPS

"""The slot list on a 144-dpi screen: rows, pictures, text and twips at 1.5 times 96 dpi.

Found by trying (Wine 8): Wine reads the dpi from HKCU\\Control Panel\\Desktop\\LogPixels at
start-up and reports it to every program, aware or not, stretching none.
"""

import datafile
import harness
from datafile import Settings, Slot

DPI = 144
PITCH = 36  # 24 px at 96 dpi; the gap between rows stays one pixel
SLOTS = [Slot("Hdpq first"), Slot("Hdpq second"), Slot("Hdpq third"), Slot("Hdpq fourth")]
# 3 x 2 inches at (100, 200) px on this screen; twips keep their size at any dpi.
PLACED = Settings(left=1000, top=2000, width=4320, height=2880, current_slot=1)
BLACK = (0, 0, 0)


def rows_with(pic, colour, left, top, right, bottom):  # ys where the colour shows
    return [y for y in range(top, bottom) if pic.count(colour, left, y, right, y + 1)]


def test_list_is_drawn_at_the_screens_dpi(desktop):
    desktop.set_user_reg("Control Panel\\Desktop", {"LogPixels": DPI})
    proc, window = desktop.start(datafile.build(SLOTS, PLACED), shown=True)
    rows = len(SLOTS)

    pic = harness.wait_until(lambda: (p := harness.Pixels(desktop, window)).height == rows * PITCH
                             - 1 and p[2, PITCH * (rows - 1) + 2] != BLACK and p,
                             f"{rows} rows {PITCH} px apart")

    # 3 inches wide, less the frame: not 3 inches at 96 dpi (288 px), nor stretched.
    assert 3 * DPI - 24 <= pic.width <= 3 * DPI, pic.width
    face = pic[PITCH // 2, PITCH // 2 + 2 * PITCH]  # inside a released arrow's face
    for row in range(rows):
        top = row * PITCH
        # Each arrow button is a raised or sunken frame from the row's top to its bottom,
        # then the 1-px gap to the next row in the window's own colour.
        bottom = top + PITCH - 2
        assert face not in (pic[2, top], pic[2, bottom]), f"row {row}: no frame at y={top}"
        if row < rows - 1:
            assert pic[2, bottom + 1] == face, f"row {row}: no gap"
        # The arrow picture: 13 of 16 px tall at 96 dpi, so about 19 of 24 at 144.
        arrow = rows_with(pic, BLACK, 3, top + 3, PITCH - 4, top + PITCH - 4)
        assert 18 <= arrow[-1] - arrow[0] + 1 <= 24, f"row {row}: arrow {arrow}"
        # The text, "Hdpq": from ascender to descender about 15 px at -16 px, 10 at -11.
        if row != PLACED.current_slot:  # the highlighted row's text is not black
            text = rows_with(pic, BLACK, 2 * PITCH + 4, top + 2, 2 * PITCH + 60, top + 33)
            assert text and text[-1] - text[0] + 1 >= 13, f"row {row}: text rows {text}"
    assert proc.poll() is None

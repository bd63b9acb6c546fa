"""The slot list on a 144-dpi screen: rows, text and twips at 1.5 times 96 dpi, and
the rows as a screen reader in another process finds them.

Found by trying (Wine 8): Wine reads the dpi from HKCU\\Control Panel\\Desktop\\LogPixels at
start-up and reports it to every program, aware or not, stretching none.
"""

from datafile import Slot
from harness import Pixels, wait_until

DPI, PITCH = 144, 36  # 24 px at 96 dpi; the gap between rows stays one pixel
BLACK = (0, 0, 0)
# From ascender to descender in the first line, so that the drawn height tells the font's.
SLOTS = [Slot("Hdpq\r\nsecond line", ""), Slot("Hdpq two", "the second slot", locked=True),
         Slot("Hdpq caf\u00e9", "Hdpq caf\u00e9")]


def test_the_list_is_drawn_and_read_at_the_screens_dpi(desktop, exe):
    desktop.set_user_reg("Control Panel\\Desktop", {"LogPixels": DPI})
    # 3 x 2 inches at (100, 200) px on this screen; twips keep their size at any dpi.
    _, window = desktop.start(SLOTS, True, left=1000, top=2000, width=4320, height=2880,
                              current_slot=1)
    pic = wait_until(lambda: (p := Pixels(desktop, window)).height == 3 * PITCH - 1
                     and p[2, PITCH * 2 + 2] != BLACK and p, f"3 rows {PITCH} px apart")
    # 3 inches wide, less the frame: not 3 inches at 96 dpi (288 px), nor stretched.
    assert 3 * DPI - 24 <= pic.width <= 3 * DPI, pic.width
    for top in (0, 2 * PITCH):  # the highlighted row's text is not black
        # "Hdpq" from ascender to descender: about 15 px at -16 px, 10 at -11.
        text = [y for y in range(top + 2, top + 33)
                if BLACK in (pic[x, y] for x in range(2 * PITCH + 4, 2 * PITCH + 60))]
        assert text and text[-1] - text[0] + 1 >= 13, f"y={top}: text rows {text}"

    def probe(*argv):  # the reader's lines, split into fields
        result = desktop.run([desktop.wine, str(exe.parent / "tests/pimloft_reader_probe.exe"),
                              *argv])
        lines = [line.split("|") for line in result.stdout.decode("utf-8").splitlines()]
        assert result.returncode == 0, lines
        return lines

    # Names and states are the unit tests' matter; here, what crosses to the other process.
    lines = probe()
    assert lines[0] == ["list", "Clipboard slots", "list", "3"]
    left, top = map(int, lines[1][1].split())
    assert [line[-1] for line in lines[2:]] == [
        f"{left} {top + row * PITCH} {pic.width} {PITCH - 1}" for row in range(3)]
    assert lines[3][1:6] == ["2", "the second slot", "list item", "selected focused", "locked"]

    # "Select" on the third row is a click there: the clipboard takes its text, and the
    # reader hears the focus and the selection arrive.
    lines = probe("3")
    assert ["action", "00000000"] in lines and ["heard", "focus 3"] in lines
    assert ["heard", "selection 3"] in lines
    desktop.wait_clipboard("Hdpq caf\u00e9")

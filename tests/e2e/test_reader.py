"""The list as a screen reader in another process finds it."""

from pathlib import Path

from datafile import Slot
from harness import ROW

SLOTS = [Slot("alpha\r\nsecond line", ""), Slot("bravo", "the bravo slot", locked=True),
         Slot("caf\u00e9 text", "caf\u00e9 text")]


def test_a_reader_walks_the_rows_selects_one_and_hears_the_focus_move(desktop, exe):
    proc, window = desktop.start(SLOTS, True, current_slot=1)

    def probe(*argv):  # the reader's lines, split into fields
        reader = Path(exe).parent / "tests" / "pimloft_reader_probe.exe"
        result = desktop.run([desktop.wine, str(reader), *argv])
        lines = [line.split("|") for line in result.stdout.decode("utf-8").splitlines()]
        assert result.returncode == 0, lines
        return lines

    lines = probe()
    assert lines[0] == ["list", "Clipboard slots", "list", "3"]
    left, top = map(int, lines[1][1].split())
    place = lambda row: f"{left} {top + row * ROW} {desktop.size(window)[0]} {ROW - 1}"
    assert [line[1:] for line in lines[2:]] == [
        ["1", "alpha", "list item", "", "", place(0)],
        ["2", "the bravo slot", "list item", "selected focused", "locked", place(1)],
        ["3", "caf\u00e9 text", "list item", "", "", place(2)]]

    # "Select" on the third row is a click there: the clipboard takes its text, and the
    # reader hears the focus and the selection arrive.
    lines = probe("3")
    assert ["action", "00000000"] in lines
    assert ["heard", "focus 3"] in lines and ["heard", "selection 3"] in lines
    desktop.wait_clipboard("caf\u00e9 text")

"""Quick Paste: the hotkey's popup pastes a slot, or a text long gone from them, into notepad."""

import statistics

from datafile import Slot
from harness import wait_until

POPUP = "PimLoft Quick Paste"
SHOWN = rb" quick paste: shown ([\d.]+) ms after the hotkey\r\n"
OLDER = rb" quick paste: older texts ([\d.]+) ms after a keystroke\r\n"


def test_the_popup_pastes_slots_and_old_texts_and_none_is_kept_in_plain_text(desktop, figures):
    proc = desktop.start([Slot() for _ in range(3)])
    gone = [f"history {n} zebra{n}q \u00e9t\u00e9" for n in range(12)]
    for text in gone + ["alpha one", "bravo two", "charlie three"]:
        desktop.offer(text)
    desktop.exit_and_read(proc)  # every copy told is on disk when the program has ended
    for path in desktop.app.iterdir():
        data = path.read_bytes()
        for text in gone:
            assert text.encode() not in data and text.encode("utf-16-le") not in data, path.name

    desktop.env["PIMLOFT_TIMING"] = "1"
    proc = desktop.start()
    notepad = desktop.notepad()
    desktop.keys(to=notepad, text="[")
    desktop.keys("ctrl+grave")
    popup = desktop.window(proc.pid, POPUP)
    desktop.keys(to=popup, text="RAV")  # the second text, by part of it and in other case
    desktop.keys("Return", to=popup, hides=True)
    desktop.wait_clipboard("bravo two")
    desktop.keys(to=notepad, text="]")

    assert len(desktop.log_times(SHOWN)) == 1
    for _ in range(20):
        desktop.keys("ctrl+grave")
        desktop.keys("Escape", to=desktop.window(proc.pid, POPUP), hides=True)
    desktop.keys("ctrl+grave")  # Shift+Enter: the clipboard only
    desktop.keys(to=(popup := desktop.window(proc.pid, POPUP)), text="alpha")
    desktop.keys("shift+Return", to=popup, hides=True)
    desktop.wait_clipboard("alpha one")
    desktop.keys(to=notepad, text="-")  # the focus is back in notepad, and nothing was pasted
    times = desktop.log_times(SHOWN)[1:21]
    assert len(times) == 20
    figures(f"hotkey to popup shown: median {statistics.median(times):.1f} ms of 20 "
            f"(min {min(times):.1f}, max {max(times):.1f})")
    assert statistics.median(times) <= 50

    desktop.keys("ctrl+grave")
    desktop.keys(to=(popup := desktop.window(proc.pid, POPUP)), text="zebra2q")
    # The older texts follow the slots a moment later.
    wait_until(lambda: desktop.log_times(OLDER), "the older texts")
    desktop.keys("Return", to=popup, hides=True)
    desktop.wait_clipboard(gone[2])
    desktop.keys("ctrl+a", "ctrl+c", to=notepad)
    desktop.wait_clipboard(f"[bravo two]-{gone[2]}")

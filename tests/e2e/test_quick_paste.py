"""Quick Paste: the hotkey's popup pastes a slot into Wine's notepad."""

import re
import statistics

from datafile import Slot
from harness import wait_until

POPUP = "PimLoft Quick Paste"
TIMING = re.compile(rb" quick paste: shown ([\d.]+) ms after the hotkey\r\n")
OLDER = re.compile(rb" quick paste: older texts ([\d.]+) ms after a keystroke\r\n")


def test_the_popup_pastes_into_notepad_and_closes_without_a_trace(desktop, figures):
    log = desktop.data_file.with_name("PimLoft.log")
    timings = lambda: [float(t) for t in TIMING.findall(log.exists() and log.read_bytes() or b"")]
    desktop.env["PIMLOFT_TIMING"] = "1"
    proc = desktop.start([Slot() for _ in range(8)])  # each copy fills a blank slot
    for text in ("alpha one", "bravo two", "charlie three"):
        desktop.offer(text)
    desktop.spawn([desktop.wine, "notepad"])
    notepad = wait_until(lambda: next(iter(desktop.search("--onlyvisible", "--name", "Notepad")),
                                      None), "notepad")
    desktop.click(notepad, 200, 150)
    desktop.keys(to=notepad, text="[")

    desktop.keys("ctrl+grave")
    popup = desktop.window(proc.pid, POPUP)
    # Xvfb without a window manager: the keyboard goes to the window under the pointer.
    desktop.keys(to=popup, text="RAV")  # the second text, by part of it and in other case
    desktop.keys("Return")
    desktop.wait_view(popup, False)
    desktop.wait_clipboard("bravo two")
    desktop.keys(to=notepad, text="]")

    assert len(timings()) == 1
    for _ in range(20):
        desktop.keys("ctrl+grave")
        desktop.keys("Escape", to=desktop.window(proc.pid, POPUP), hides=True)
    desktop.keys("ctrl+grave")  # Shift+Enter: the clipboard only
    desktop.keys(to=(popup := desktop.window(proc.pid, POPUP)), text="alpha")
    desktop.keys("shift+Return", to=popup, hides=True)
    desktop.wait_clipboard("alpha one")
    desktop.keys(to=notepad, text="-")  # the focus is back in notepad, and nothing was pasted
    desktop.keys("ctrl+a", "ctrl+c", to=notepad)
    desktop.wait_clipboard("[bravo two]-")
    times = timings()[1:21]
    assert len(times) == 20
    figures(f"hotkey to popup shown: median {statistics.median(times):.1f} ms of 20 "
            f"(min {min(times):.1f}, max {max(times):.1f})")
    assert statistics.median(times) <= 50


def test_the_history_finds_what_left_the_slots_long_ago_and_holds_no_plain_text(desktop, figures):
    proc = desktop.start([Slot() for _ in range(3)])
    texts = [f"history {n} zebra{n}q \u00e9t\u00e9" for n in range(12)]
    for text in texts:
        desktop.offer(text)
    desktop.exit_and_read(proc)  # every copy told is on disk when the program has ended
    gone = texts[:-3]  # the three slots hold the last three
    for path in desktop.app.iterdir():
        data = path.read_bytes()
        for text in gone:
            assert text.encode() not in data and text.encode("utf-16-le") not in data, path.name

    log = desktop.data_file.with_name("PimLoft.log")
    desktop.env["PIMLOFT_TIMING"] = "1"
    proc = desktop.start()
    desktop.spawn([desktop.wine, "notepad"])
    notepad = wait_until(lambda: next(iter(desktop.search("--onlyvisible", "--name", "Notepad")),
                                      None), "notepad")
    desktop.click(notepad, 200, 150)
    desktop.keys("ctrl+grave")
    popup = desktop.window(proc.pid, POPUP)
    desktop.keys(to=popup, text="zebra2q")
    # The older texts follow the slots a moment later.
    found = wait_until(lambda: OLDER.findall(log.exists() and log.read_bytes() or b""),
                       "the older texts")
    desktop.keys("Return", to=popup, hides=True)
    desktop.wait_clipboard(gone[2])
    desktop.keys("ctrl+a", "ctrl+c", to=notepad)
    desktop.wait_clipboard(gone[2])
    figures(f"older texts shown {float(found[-1]):.1f} ms after the last keystroke")

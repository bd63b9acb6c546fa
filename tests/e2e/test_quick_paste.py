"""Quick Paste: the hotkey's popup pastes a slot into Wine's notepad."""

import statistics

from datafile import Slot
from harness import wait_until

POPUP = "PimLoft Quick Paste"


def notepad_text(desktop, notepad, expected):  # select all and copy: notepad holds `expected`
    desktop.keys("ctrl+a", "ctrl+c", to=notepad)
    desktop.wait_clipboard(expected)
    desktop.keys("ctrl+End", to=notepad)  # typing goes on after the text, not over it


def open_popup(desktop, proc):
    desktop.xdotool("key", "ctrl+grave")
    popup = desktop.window(proc.pid, POPUP)
    desktop.wait_view(popup)
    return popup


def test_the_popup_pastes_into_notepad_and_closes_without_a_trace(desktop, figures, tmp_path):
    timing = tmp_path / "timing.txt"
    desktop.env["PIMLOFT_TIMING"] = "Z:" + str(timing).replace("/", "\\")
    proc = desktop.start([Slot() for _ in range(8)])  # each copy fills a blank slot
    for text in ("alpha one", "bravo two", "charlie three"):
        desktop.offer(text)
    desktop.spawn([desktop.wine, "notepad"])
    notepad = wait_until(lambda: next(iter(desktop.search("--onlyvisible", "--name", "Notepad")),
                                      None), "notepad")
    desktop.click(notepad, 200, 150)
    desktop.keys(to=notepad, text="[")

    popup = open_popup(desktop, proc)
    desktop.run(["import", "-window", "root", str(tmp_path / "popup.png")])
    # Xvfb without a window manager: the keyboard goes to the window under the pointer.
    desktop.keys(to=popup, text="RAV")  # the second text, by part of it and in other case
    desktop.keys("Return")
    desktop.wait_view(popup, False)
    desktop.wait_clipboard("bravo two")
    desktop.keys(to=notepad, text="]")
    notepad_text(desktop, notepad, "[bravo two]")

    open_popup(desktop, proc)
    desktop.keys("Escape", to=popup, hides=True)
    desktop.keys(to=notepad, text="-")  # the focus is back in notepad, and nothing was pasted
    notepad_text(desktop, notepad, "[bravo two]-")

    open_popup(desktop, proc)
    desktop.keys(to=popup, text="alpha")
    desktop.keys("shift+Return")
    desktop.wait_view(popup, False)
    desktop.wait_clipboard("alpha one")
    desktop.keys(to=notepad, text="+")
    notepad_text(desktop, notepad, "[bravo two]-+")

    timing.unlink(missing_ok=True)
    for _ in range(20):
        open_popup(desktop, proc)
        desktop.keys("Escape", to=popup, hides=True)
    times = [float(line) for line in timing.read_text().split()]
    assert len(times) == 20
    figures(f"hotkey to popup shown: median {statistics.median(times):.1f} ms of 20 "
            f"(min {min(times):.1f}, max {max(times):.1f})")
    assert statistics.median(times) <= 50


def run_value(desktop):  # the Run key's PimLoft value as `reg query` reads it back, or None
    out = desktop.run([desktop.wine, "reg", "query", RUN, "/v", "PimLoft"]).stdout.decode()
    line = next((l for l in out.splitlines() if "PimLoft" in l and "REG_SZ" in l), None)
    return line and line.split("REG_SZ", 1)[1].strip()


RUN = r"HKCU\Software\Microsoft\Windows\CurrentVersion\Run"


def test_start_at_logon_writes_and_removes_the_run_value(desktop):
    proc = desktop.start()
    assert run_value(desktop) is None
    for checked in (True, False):
        options = desktop.tray_menu(proc, "&Options...", "PimLoft Options")
        desktop.keys("alt+s", to=options)  # "&Start PimLoft when I log on"
        desktop.keys("Return", to=options, hides=True)
        value = wait_until(lambda: (run_value(desktop) or "") if checked
                           else run_value(desktop) is None, "the Run value")
        if checked:  # the exe's quoted full path
            assert value.startswith('"') and value.endswith('\\app\\PimLoft.exe"'), value

"""Tray start-up, one instance, Options and exit."""

from dataclasses import replace

from datafile import Settings, Slot
from harness import TWIPS, wait_until


def test_first_run_tray_second_start_options_and_exit(desktop):
    proc = desktop.start()
    assert desktop.visible(proc.pid) == set()
    assert not desktop.data_file.exists()

    # A second start shows the running one and ends, leaving no icon.
    desktop.wait_exit(desktop.launch())
    desktop.wait_view(wait_until(lambda: desktop.main_window(proc.pid), "the main window"))
    assert desktop.tray_icon_count(desktop.tray()) == 1

    options = desktop.tray_menu(proc, "&Options...", "PimLoft Options")
    assert desktop.size(options) == (505, 571)
    desktop.click(options, 8 + 16 + 20, 80 + 72 + 8)  # "Add to Top of List" in its frame
    desktop.keys("alt+s", "alt+o", to=options, hides=True)  # and "Start PimLoft when I log on"
    run_key = r"HKCU\Software\Microsoft\Windows\CurrentVersion\Run"
    assert rb'\app\PimLoft.exe"' in desktop.run([desktop.wine, "reg", "query", run_key]).stdout

    # The first run's settings, centred (roughly, vertically: the height snaps later), one empty
    # slot. OK stores the fonts the labels got: Wine substitutes Courier and Times New Roman.
    saved = desktop.exit_and_read(proc)
    s = saved.settings
    assert s == replace(Settings(), add_mode=1101, **{n: getattr(s, n) for n in (
        "left", "top", "width", "height", "text_font", "tip_font")})
    assert s.text_font and s.tip_font and saved.slots == [Slot()]
    screen_w, screen_h = (n * TWIPS for n in desktop.SCREEN)
    assert abs(s.left + s.width // 2 - screen_w // 2) <= TWIPS and 0 < s.top < screen_h // 2

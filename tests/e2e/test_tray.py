"""Tray start-up, About, Options, show and hide, one instance, exit, every file version."""

import time
from dataclasses import replace

import pytest

import datafile
from datafile import Settings, Slot
from harness import wait_until

TWIPS = 15  # per pixel at 96 dpi


def test_first_run_tray_about_second_start_close_box_options_and_exit(desktop, figures):
    started = time.monotonic()
    proc = desktop.start()
    figures(f"start-up to tray icon: {time.monotonic() - started:.2f} s")
    assert desktop.visible(proc.pid) == set()
    assert not desktop.data_file.exists()

    about = desktop.tray_menu(proc, "About Pim&Loft...", "About PimLoft")
    # No system information program is registered under Wine: the box says so and stays.
    desktop.keys("alt+s", to=about)
    desktop.keys("Return", to=desktop.window(proc.pid, "PimLoft"), hides=True)
    assert desktop.size(about, shown=True)
    desktop.keys("Escape", to=about, hides=True)
    # Opened afresh, and Enter closes it as well.
    desktop.keys("Return", to=desktop.tray_menu(proc, "About Pim&Loft...", "About PimLoft"),
                 hides=True)

    # A second start shows the running one and ends.
    desktop.wait_exit(desktop.launch())
    window = wait_until(lambda: desktop.main_window(proc.pid), "the main window")
    desktop.wait_view(window)
    assert desktop.tray_icon_count(desktop.tray()) == 1

    # The close box only hides and saves; the icon brings the window back.
    first = desktop.close_and_read(window)
    assert proc.poll() is None, "closing the window ended the program"
    assert desktop.tray_icon_count(desktop.tray()) == 1
    assert desktop.show(proc) == window
    assert desktop.close_and_read(window) == first
    assert first.version == "1.00.50"
    assert first.chain == [0] and first.slots() == [Slot()]
    s = first.settings
    assert (s.current_slot, s.add_mode, s.ignore_case, s.on_top, s.reserved) == (0, 2, 1, 0, 0)
    assert s.del_warn != 0 and s.print_tip != 0
    assert (s.text_font, s.text_size, s.text_bold, s.text_italic, s.text_underline) == (
        "Courier New", 10.0, 0, 0, 0)
    assert (s.tip_font, s.tip_size, s.tip_bold != 0, s.tip_italic, s.tip_underline) == (
        "Times New Roman", 14.0, True, 0, 0)
    screen_w, screen_h = (n * TWIPS for n in desktop.SCREEN)
    assert abs(s.left + s.width // 2 - screen_w // 2) <= TWIPS
    # Centred before the height snaps to one row, so only roughly centred vertically.
    assert 0 < s.top < screen_h // 2 and s.width > 0 and s.height > 0

    options = desktop.tray_menu(proc, "&Options...", "PimLoft Options")
    assert desktop.size(options) == (505, 265)
    desktop.click(options, 8 + 16 + 20, 80 + 72 + 8)  # "Add to Top of List" in its frame
    desktop.keys("alt+o", to=options, hides=True)

    saved = desktop.exit_and_read(proc)
    # OK stores the fonts the labels really got: Wine has no Courier New or Times New Roman
    # and substitutes others, so only the names may differ from what was stored.
    t = saved.settings
    assert t == replace(s, add_mode=1101, text_font=t.text_font, tip_font=t.tip_font)
    assert t.text_font and t.tip_font and saved.slots() == [Slot()]


STORED = Settings(left=1500, top=3000, width=4500, height=3000, ignore_case=0, current_slot=5,
                  add_mode=1101, del_warn=0, on_top=0)
SLOTS = [Slot("first text", "first"), Slot("locked one", "kept", locked=True),
         Slot("caf\u00e9 \u00a3 line\r\nsecond line", ""), Slot("", "description only")]

# version, node of each slot top to bottom, slots as stored, expected settings
# (ignore case, placement, warn before delete) after loading
VERSIONS = [
    ("1.00.50", [5, 0, 9, 2], SLOTS, (0, 1101, False)),
    ("1.00.40", [2, 1, 0, 3], SLOTS, (0, 1101, False)),
    ("1.00.10", [0, 1, 2, 3], SLOTS, (1, 1101, False)),
    ("1.00.00", None, [SLOTS[0], None, SLOTS[1], SLOTS[2], None, SLOTS[3]], (1, 2, True)),
]


@pytest.mark.parametrize("version,order,stored,expected", VERSIONS, ids=[v[0] for v in VERSIONS])
def test_each_version_is_loaded_and_written_back_as_current(desktop, version, order, stored,
                                                            expected):
    saved = desktop.exit_and_read(desktop.start(datafile.build(version, stored, STORED, order)))
    assert saved.version == "1.00.50"
    assert saved.slots() == [s for s in stored if s is not None]
    if version in ("1.00.50", "1.00.40"):
        assert saved.chain == order, "a slot changed its node index"
    s = saved.settings
    assert (s.ignore_case, s.add_mode, s.del_warn != 0) == expected
    assert (s.left, s.top) == (STORED.left, STORED.top)
    if version == "1.00.50":
        assert s.current_slot == STORED.current_slot

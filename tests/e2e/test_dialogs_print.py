"""The Options dialog and the About box from the tray menu, and printing a slot, with and
without a printer."""

import os
import time
from dataclasses import replace

import pytest

import datafile
import dialog_helpers as dh
from datafile import Settings, Slot

BASE = Settings(**dh.PLACE)

# "News(0)", "Add to Top of List", inside its frame, in the dialog's pixels.
ADD_TO_TOP = (8 + 16 + 20, 80 + 72 + 8)


def test_about_box_and_options_from_the_tray_menu(desktop, pimloft_exe):
    slots = [Slot("text", "description")]
    desktop.install(pimloft_exe, datafile.build("1.00.50", slots, BASE))
    proc = desktop.start()
    desktop.wait_tray_icon()

    about = dh.open_from_tray_menu(desktop, proc.pid, "About Pim&Loft...", "About PimLoft")
    shot = desktop.screenshot("about.png")
    dh.crop(shot, desktop.window_info(about), desktop.folder / "about-zoom.png")
    # No system information program is registered under Wine: the box says so and stays.
    dh.keys_to(desktop, about, "alt+s")
    message = dh.wait_window(desktop, proc.pid, "PimLoft")
    desktop.screenshot("sysinfo-message.png")
    dh.keys_to(desktop, message, "Return")
    desktop.wait_hidden(message)
    assert desktop.is_viewable(about)
    dh.keys_to(desktop, about, "Escape")
    desktop.wait_hidden(about)
    # Opened afresh, and Enter closes it as well.
    about = dh.open_from_tray_menu(desktop, proc.pid, "About Pim&Loft...", "About PimLoft")
    dh.keys_to(desktop, about, "Return")
    desktop.wait_hidden(about)

    options = dh.open_from_tray_menu(desktop, proc.pid, "&Options...", "PimLoft Options")
    info = desktop.window_info(options)
    assert (info["width"], info["height"]) == (505, 265)
    desktop.click(options, *ADD_TO_TOP)
    shot = desktop.screenshot("options.png")
    dh.crop(shot, info, desktop.folder / "options-zoom.png")
    dh.keys_to(desktop, options, "alt+o")
    desktop.wait_hidden(options)

    desktop.double_click_tray_icon()
    window = desktop.wait_main_window(proc.pid)
    desktop.wait_shown(window)
    saved = dh.close_and_read(desktop, window)
    # OK stores the fonts the labels really got: Wine has no Courier New or Times New Roman
    # and substitutes others, so only the names may differ from what was stored.
    s = saved.settings
    assert s == replace(BASE, add_mode=1101, left=s.left, top=s.top, width=s.width,
                        height=s.height, text_font=s.text_font, tip_font=s.tip_font)
    assert s.text_font and s.tip_font
    assert saved.slots() == slots


def test_print_without_a_printer_says_so_and_changes_nothing(desktop, pimloft_exe):
    # Wine asks CUPS for printers: point it at a server that is not there.
    desktop.env["CUPS_SERVER"] = str(desktop.folder / "no-cups.sock")
    slots = [Slot("to print", "desc"), Slot("locked", "", locked=True)]
    proc, window = dh.start_shown(desktop, pimloft_exe,
                                  datafile.build("1.00.50", slots, replace(BASE, current_slot=1)))
    dh.select_row(desktop, window, 0, "to print")

    menu = dh.right_click_row(desktop, proc.pid, window, 0)
    desktop.choose_menu_item("&Print Slot")
    desktop.wait_hidden(menu)
    box = dh.wait_window(desktop, proc.pid, "PimLoft", exclude=(window,))
    desktop.screenshot("no-printer.png")
    dh.keys_to(desktop, box, "Return")
    desktop.wait_hidden(box)

    assert dh.height(desktop, window) == 2 * dh.ROW - 1
    saved = dh.close_and_read(desktop, window)
    assert saved.slots() == slots
    assert saved.chain == [0, 1] and saved.settings.current_slot == 0
    assert desktop.get_clipboard() == "to print"


@pytest.fixture(scope="module")
def pdf_printer():
    if os.geteuid() != 0:
        pytest.skip("cupsd and the cups-pdf backend need root")
    printer = dh.Pdf_Printer()
    try:
        yield printer
    finally:
        printer.stop()


# Non-ASCII characters of the data file's code page, so that the stored file can hold them.
PRINTED = Slot("first line, caf\u00e9\r\nsecond line \u20ac 42", "The description")

CASES = [
    ("with-description", BASE, ["The description", "", "first line, caf\u00e9",
                                "second line \u20ac 42"]),
    ("text-only", replace(BASE, print_tip=0), ["first line, caf\u00e9", "second line \u20ac 42"]),
]


@pytest.mark.parametrize("name,settings,expected", CASES, ids=[c[0] for c in CASES])
def test_ctrl_p_prints_the_slot_on_the_default_printer(desktop, pimloft_exe, pdf_printer,
                                                      figures, name, settings, expected):
    desktop.env.update(CUPS_SERVER=pdf_printer.env["CUPS_SERVER"])
    slots = [PRINTED, Slot("other", "")]
    proc, window = dh.start_shown(desktop, pimloft_exe,
                                  datafile.build("1.00.50", slots, replace(settings, current_slot=1)))
    dh.select_row(desktop, window, 0, dh.as_x_text(PRINTED.text))

    before = pdf_printer.pdfs()
    started = time.monotonic()
    dh.keys_to(desktop, window, "ctrl+p")
    pdf = pdf_printer.take_pdf(before, desktop.folder / f"{name}.pdf")
    figures(f"Ctrl+P to PDF ({name}): {time.monotonic() - started:.2f} s")
    dh.pdf_page_picture(pdf, desktop.folder / f"{name}-page")

    assert dh.pdf_text(pdf) == expected
    assert dh.windows_named(desktop, proc.pid, "PimLoft") == [window], "a message appeared"
    saved = dh.close_and_read(desktop, window)
    assert saved.slots() == slots

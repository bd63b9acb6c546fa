#!/usr/bin/env python3
"""The icon script turns the art into a valid icon, and the committed icon is up to date."""
import pathlib
import struct
import subprocess
import sys
import tempfile
import unittest

HERE = pathlib.Path(__file__).resolve().parent
SCRIPT = HERE / "make_icon.py"


def build(art_text):
    with tempfile.TemporaryDirectory() as folder:
        art = pathlib.Path(folder) / "art.txt"
        out = pathlib.Path(folder) / "out.ico"
        art.write_text(art_text, encoding="ascii")
        run = subprocess.run([sys.executable, str(SCRIPT), str(art), str(out)],
                             capture_output=True, text=True)
        return run, (out.read_bytes() if out.exists() else None)


def images(ico):
    reserved, kind, count = struct.unpack_from("<HHH", ico, 0)
    assert (reserved, kind) == (0, 1)
    found = []
    for i in range(count):
        w, h, _, _, planes, bpp, size, offset = struct.unpack_from("<BBBBHHII", ico, 6 + 16 * i)
        header = struct.unpack_from("<IiiHHI", ico, offset)
        found.append(dict(w=w or 256, h=h or 256, bpp=bpp, planes=planes, size=size,
                          offset=offset, header=header))
    return found


TINY = """palette
. 00000000
X FF000080
size 2
X.
.X
"""


class Make_Icon(unittest.TestCase):
    def test_committed_icon_matches_the_art(self):
        run, built = build((HERE / "PimLoft_icon.txt").read_text(encoding="ascii"))
        self.assertEqual(run.returncode, 0, run.stderr)
        self.assertEqual(built, (HERE / "PimLoft.ico").read_bytes(),
                         "PimLoft.ico is stale: run make_icon.py")

    def test_program_icon_has_both_sizes_in_32_bit(self):
        found = images((HERE / "PimLoft.ico").read_bytes())
        self.assertEqual(sorted((i["w"], i["h"]) for i in found), [(16, 16), (32, 32)])
        for image in found:
            self.assertEqual((image["bpp"], image["planes"]), (32, 1))
            # The bitmap inside is twice as high: colour plus mask.
            self.assertEqual(image["header"][2], 2 * image["h"])

    def test_pixels_are_bottom_up_bgra_and_the_mask_marks_transparency(self):
        run, ico = build(TINY)
        self.assertEqual(run.returncode, 0, run.stderr)
        (image,) = images(ico)
        pixels = ico[image["offset"] + 40:image["offset"] + 40 + 16]
        # Bottom row first: ".X" then "X.".
        self.assertEqual(pixels, bytes([0, 0, 0, 0, 0, 0, 255, 128, 0, 0, 255, 128, 0, 0, 0, 0]))
        mask = ico[image["offset"] + 56:image["offset"] + 64]
        self.assertEqual(mask, bytes([0x80, 0, 0, 0, 0x40, 0, 0, 0]))

    def test_bad_art_is_refused(self):
        for bad in (TINY.replace("X.\n.X", "X.\n.Y"), TINY.replace(".X\n", ".XX\n"),
                    "palette\n. 00000000\n"):
            run, ico = build(bad)
            self.assertNotEqual(run.returncode, 0, bad)
            self.assertIsNone(ico)


if __name__ == "__main__":
    unittest.main()

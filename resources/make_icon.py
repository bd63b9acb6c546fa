#!/usr/bin/env python3
"""Turns the pixel art in PimLoft_icon.txt into PimLoft.ico, and the same art with a pause
badge in its lower right corner into PimLoft_Paused.ico (the tray icon while capture is paused).

Usage: make_icon.py [art.txt] [out.ico] [paused.ico]   (defaults: the files beside this script)
Standard library only, so any Python 3 rebuilds the icon.
"""
import pathlib
import struct
import sys

HERE = pathlib.Path(__file__).resolve().parent


def parse(text):
    palette, images, rows, size, section = {}, [], [], 0, None

    def finish():
        if section == "size":
            if len(rows) != size or any(len(r) != size for r in rows):
                raise SystemExit(f"the {size}x{size} image is not square or has the wrong size")
            images.append((size, list(rows)))

    for line in text.splitlines():
        line = line.rstrip()
        if not line or line.startswith("#"):
            continue
        if line == "palette":
            finish()
            section = "palette"
        elif line.startswith("size "):
            finish()
            section, size, rows = "size", int(line.split()[1]), []
        elif section == "palette":
            char, rgba = line.split()
            palette[char] = bytes.fromhex(rgba)
        elif section == "size":
            rows.append(line)
    finish()
    for _, image in images:
        for row in image:
            for char in row:
                if char not in palette:
                    raise SystemExit(f"character {char!r} is not in the palette")
    return palette, images


def bitmap(size, rows, palette):
    # An icon image is a BMP without file header, twice as high (colour then mask), bottom-up.
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    pixels = bytearray()
    for row in reversed(rows):
        for char in row:
            r, g, b, a = palette[char]
            pixels += bytes((b, g, r, a))
    mask_stride = ((size + 31) // 32) * 4
    mask = bytearray()
    for row in reversed(rows):
        bits = bytearray(mask_stride)
        for x, char in enumerate(row):
            if palette[char][3] == 0:
                bits[x // 8] |= 0x80 >> (x % 8)
        mask += bits
    return header + bytes(pixels) + bytes(mask)


def ico(images, palette):
    images = sorted(images, key=lambda image: image[0])
    blobs = [bitmap(size, rows, palette) for size, rows in images]
    out = struct.pack("<HHH", 0, 1, len(blobs))
    offset = 6 + 16 * len(blobs)
    for (size, _), blob in zip(images, blobs):
        out += struct.pack("<BBBBHHII", size % 256, size % 256, 0, 0, 1, 32, len(blob), offset)
        offset += len(blob)
    return out + b"".join(blobs)


def paused(size, rows):
    # A dark square over the lower right third with two light bars: reads as "pause" at 16 px.
    side = size * 9 // 16
    start = size - side
    bar, gap = max(2, side // 5), max(1, side // 7)
    left = start + (side - 2 * bar - gap) // 2
    out = [list(row) for row in rows]
    for y in range(start, size):
        for x in range(start, size):
            inner = start + side // 5 <= y < size - side // 5
            on_bar = left <= x < left + bar or left + bar + gap <= x < left + 2 * bar + gap
            out[y][x] = "S" if inner and on_bar else "K"
    return size, ["".join(row) for row in out]


def main():
    art = pathlib.Path(sys.argv[1]) if len(sys.argv) > 1 else HERE / "PimLoft_icon.txt"
    out = pathlib.Path(sys.argv[2]) if len(sys.argv) > 2 else HERE / "PimLoft.ico"
    palette, images = parse(art.read_text(encoding="ascii"))
    if not images:
        raise SystemExit("no image in " + str(art))
    out.write_bytes(ico(images, palette))
    paused_out = (
        pathlib.Path(sys.argv[3]) if len(sys.argv) > 3 else out.with_name("PimLoft_Paused.ico")
    )
    paused_out.write_bytes(ico([paused(size, rows) for size, rows in images], palette))


if __name__ == "__main__":
    main()

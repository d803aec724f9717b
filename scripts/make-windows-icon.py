#!/usr/bin/env python3
"""Renders src/ui/icons/morvane.svg into data/windows/morvane.ico, the program's icon on Windows.

    scripts/make-windows-icon.py

Run it again after changing the picture and commit the result: a Windows build then needs no
SVG renderer. Needs rsvg-convert (librsvg2-bin) and Python 3 only. The sizes below 256 are 32-bit
bitmaps with alpha, which every Windows version reads; 256 is a PNG, as Explorer expects.
"""
import struct
import subprocess
import sys
import zlib
from pathlib import Path

ROOT = Path(__file__).resolve().parent.parent
SOURCE = ROOT / "src/ui/icons/morvane.svg"
TARGET = ROOT / "data/windows/morvane.ico"
SIZES = (16, 20, 24, 32, 40, 48, 64, 256)


def render(size):
    return subprocess.run(["rsvg-convert", "-w", str(size), "-h", str(size), str(SOURCE)],
                          check=True, capture_output=True).stdout


def png_rows(png):
    """The RGBA rows of an 8-bit, non-interlaced RGBA PNG (what rsvg-convert writes)."""
    if png[:8] != b"\x89PNG\r\n\x1a\n":
        sys.exit("rsvg-convert did not write a PNG")
    pos, data, header = 8, b"", None
    while pos < len(png):
        length, kind = struct.unpack(">I4s", png[pos:pos + 8])
        body = png[pos + 8:pos + 8 + length]
        if kind == b"IHDR":
            header = struct.unpack(">IIBBBBB", body)
        elif kind == b"IDAT":
            data += body
        pos += 12 + length
    width, height, depth, colour, _, _, interlace = header
    if (depth, colour, interlace) != (8, 6, 0):
        sys.exit("expected an 8-bit RGBA PNG without interlacing")
    raw, stride, rows, previous = zlib.decompress(data), width * 4, [], bytearray(width * 4)
    for y in range(height):
        start = y * (stride + 1)
        kind, row = raw[start], bytearray(raw[start + 1:start + 1 + stride])
        for i in range(stride):
            left = row[i - 4] if i >= 4 else 0
            up = previous[i]
            corner = previous[i - 4] if i >= 4 else 0
            if kind == 1:
                row[i] = (row[i] + left) & 0xFF
            elif kind == 2:
                row[i] = (row[i] + up) & 0xFF
            elif kind == 3:
                row[i] = (row[i] + (left + up) // 2) & 0xFF
            elif kind == 4:
                guess = left + up - corner
                pa, pb, pc = abs(guess - left), abs(guess - up), abs(guess - corner)
                nearest = left if pa <= pb and pa <= pc else up if pb <= pc else corner
                row[i] = (row[i] + nearest) & 0xFF
        rows.append(bytes(row))
        previous = row
    return rows


def bitmap(size, png):
    """A BITMAPINFOHEADER, BGRA pixels bottom-up and the (unused, all clear) AND mask."""
    pixels = b"".join(bytes((r[i + 2], r[i + 1], r[i], r[i + 3]))
                      for r in reversed(png_rows(png)) for i in range(0, len(r), 4))
    mask_stride = ((size + 31) // 32) * 4
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0,
                         len(pixels) + mask_stride * size, 0, 0, 0, 0)
    return header + pixels + bytes(mask_stride * size)


def main():
    images = []
    for size in SIZES:
        png = render(size)
        images.append((size, png if size >= 256 else bitmap(size, png)))
    out = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for size, image in images:
        side = 0 if size >= 256 else size  # 0 means 256 in a directory entry
        out += struct.pack("<BBBBHHII", side, side, 0, 0, 1, 32, len(image), offset)
        offset += len(image)
    out += b"".join(image for _, image in images)
    TARGET.parent.mkdir(parents=True, exist_ok=True)
    TARGET.write_bytes(out)
    print(f"{TARGET.relative_to(ROOT)}: {len(images)} images, {len(out)} bytes")


if __name__ == "__main__":
    main()

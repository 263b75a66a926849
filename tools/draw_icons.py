#!/usr/bin/env python3
"""Draws Quillmar's icons and writes them as .ico files into res/ (standard library only).

Every icon holds images of 16, 24, 32, 48 and 64 pixels, one for each display resolution.
104 printer.ico: a printer with a sheet.
105 folder.ico and 106 drive.ico: square images whose picture lies in their top-left part, as
the 18 x 14 pixels of the 32-pixel image; the rest is transparent (the file list and the drive
selector draw them at a row's top-left corner, at the size that fits the row).

Usage: tools/draw_icons.py [OUTPUT_DIR]   (default: res/ beside this script's folder)
"""
import os
import struct
import sys

TRANSPARENT = None
OUTLINE = (40, 40, 48)
WHITE = (255, 255, 255)
PAPER_LINE = (150, 150, 160)
BODY = (176, 180, 188)
BODY_DARK = (112, 116, 124)
SLOT = (60, 60, 68)
LIGHT = (40, 200, 60)
FOLDER = (240, 200, 70)
FOLDER_DARK = (190, 140, 30)
DRIVE = (196, 196, 204)
DRIVE_DARK = (120, 120, 132)


class Canvas:
    def __init__(self, size):
        self.size = size
        self.pixels = [[TRANSPARENT] * size for _ in range(size)]

    def rect(self, x0, y0, x1, y1, colour):
        """Fills the pixels x0 <= x < x1, y0 <= y < y1."""
        for y in range(max(0, y0), min(self.size, y1)):
            for x in range(max(0, x0), min(self.size, x1)):
                self.pixels[y][x] = colour

    def box(self, x0, y0, x1, y1, fill, outline=OUTLINE, width=1):
        self.rect(x0, y0, x1, y1, outline)
        self.rect(x0 + width, y0 + width, x1 - width, y1 - width, fill)


SIZES = (16, 24, 32, 48, 64)


def row_scale(size):
    """Pixels of the 32-pixel drawing to pixels of a `size` one; outlines at least 1 wide."""
    s = size / 32.0

    def u(v):
        return int(round(v * s))

    return u, max(1, int(round(s)))


def printer(size):
    """A printer with a sheet going in at the top and one coming out at the front."""
    c = Canvas(size)
    s = size / 16.0

    def u(v):
        return int(round(v * s))

    c.box(u(4), u(0.5), u(12), u(8), WHITE)  # the sheet going in
    for line in (2.5, 4.0, 5.5):
        if size >= 32 or line < 5:
            c.rect(u(5.5), u(line), u(10.5), u(line) + max(1, u(0.5)), PAPER_LINE)
    c.box(u(1), u(6), u(15), u(13), BODY)  # the body
    c.rect(u(2), u(7), u(14), u(7) + max(1, u(0.5)), BODY_DARK)
    c.rect(u(3), u(10), u(13), u(10) + max(1, u(0.75)), SLOT)  # the output slot
    c.rect(u(12), u(8), u(12) + max(1, u(1)), u(8) + max(1, u(1)), LIGHT)
    c.box(u(4), u(10.5), u(12), u(15.5), WHITE)  # the sheet coming out
    if size >= 32:
        c.rect(u(5.5), u(12.5), u(10.5), u(12.5) + max(1, u(0.5)), PAPER_LINE)
    return c


def folder(size=32):
    c = Canvas(size)
    u, w = row_scale(size)
    c.box(0, 0, u(8), u(4), FOLDER, width=w)  # the tab
    c.box(0, u(2), u(18), u(14), FOLDER, width=w)
    c.rect(w, u(2) + w, u(18) - w, u(2) + 2 * w, FOLDER_DARK)
    return c


def drive(size=32):
    c = Canvas(size)
    u, w = row_scale(size)
    c.box(0, u(3), u(18), u(13), DRIVE, width=w)
    c.rect(u(2), u(6), u(12), u(6) + w, DRIVE_DARK)  # the slot
    c.rect(u(14), u(9), u(16), u(11), LIGHT)
    return c


def image_data(canvas):
    """A 32-bit DIB with its mask, as an icon file stores one image."""
    size = canvas.size
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    colour = bytearray()
    for y in reversed(range(size)):
        for x in range(size):
            p = canvas.pixels[y][x]
            colour += bytes((0, 0, 0, 0)) if p is None else bytes((p[2], p[1], p[0], 255))
    mask = bytearray()
    row_bytes = ((size + 31) // 32) * 4
    for y in reversed(range(size)):
        row = bytearray(row_bytes)
        for x in range(size):
            if canvas.pixels[y][x] is None:
                row[x // 8] |= 0x80 >> (x % 8)
        mask += row
    return header + bytes(colour) + bytes(mask)


def write_icon(path, canvases):
    images = [image_data(c) for c in canvases]
    out = bytearray(struct.pack("<HHH", 0, 1, len(images)))
    offset = 6 + 16 * len(images)
    for canvas, data in zip(canvases, images):
        out += struct.pack("<BBBBHHII", canvas.size % 256, canvas.size % 256, 0, 0, 1, 32,
                           len(data), offset)
        offset += len(data)
    for data in images:
        out += data
    with open(path, "wb") as f:
        f.write(out)


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    out = sys.argv[1] if len(sys.argv) > 1 else os.path.join(here, "..", "res")
    write_icon(os.path.join(out, "printer.ico"), [printer(n) for n in SIZES])
    write_icon(os.path.join(out, "folder.ico"), [folder(n) for n in SIZES])
    write_icon(os.path.join(out, "drive.ico"), [drive(n) for n in SIZES])


if __name__ == "__main__":
    main()

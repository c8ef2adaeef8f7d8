#!/usr/bin/env python3
"""Draws the Routing page's filter pictures in the style of
make_admin_images.py: 40x16 list bitmaps, 24-bit, black where transparent,
each kind with a monochrome mask (white where transparent).

A filter's picture shows where the mail comes from (a person for mail from
local users, a globe for mail from the internet, both for all mail), an
arrow and the message. Inactive filters show the same shapes in greys, so
active and inactive pictures of a kind share one mask.

Run it after changing a picture; its outputs are committed beside it."""
import struct

from make_admin_images import (BLACK, BLUE, GREEN, GREY, HERE, LIGHT, LIME, NAVY, ORANGE, PAPER, SKY, WHITE,
                               Canvas)

WIDTH, HEIGHT = 40, 16


class Strip(Canvas):
    """A canvas wider than it is high."""

    def __init__(self, width, height):
        super().__init__(max(width, height))
        self.width, self.height = width, height
        self.px = [[None] * width for _ in range(height)]

    def put(self, x, y, c):
        if 0 <= x < self.width and 0 <= y < self.height:
            self.px[y][x] = c


def grey(c):
    level = (c[0] * 30 + c[1] * 59 + c[2] * 11) // 100
    return (level // 2 + 96,) * 3 if c != BLACK else (96, 96, 96)


def person(c, x, y, body):
    c.disc(x + 4.5, y + 3.5, 4, fill=ORANGE, line=BLACK)
    c.rect(x + 1, y + 8, x + 8, y + 13, fill=body, line=BLACK)
    c.rect(x + 2, y + 7, x + 7, y + 7, fill=BLACK, line=BLACK)


def globe(c, x, y):
    c.disc(x + 6.5, y + 7, 7, fill=SKY, line=NAVY)
    c.line(x + 6, y + 1, x + 6, y + 13, NAVY)
    c.line(x + 1, y + 7, x + 12, y + 7, NAVY)
    c.poly([(x + 2, y + 3), (x + 5, y + 3), (x + 4, y + 6), (x + 2, y + 6)], GREEN)
    c.poly([(x + 8, y + 9), (x + 11, y + 9), (x + 10, y + 12), (x + 8, y + 12)], GREEN)


def filter_picture(source, active):
    c = Strip(WIDTH, HEIGHT)
    if source == "internal":
        person(c, 3, 1, BLUE)
    elif source == "external":
        globe(c, 1, 1)
    else:
        globe(c, 0, 1)
        person(c, 8, 2, BLUE)
    # The arrow towards the message.
    c.rect(19, 7, 22, 8, fill=LIME, line=GREEN)
    c.poly([(22, 4), (26, 8), (22, 11)], GREEN)
    # The message.
    c.rect(27, 3, 39, 12, fill=PAPER, line=BLACK)
    c.line(27, 3, 33, 9, BLACK)
    c.line(39, 3, 33, 9, BLACK)
    if not active:
        for row in c.px:
            for x, colour in enumerate(row):
                if colour is not None:
                    row[x] = grey(colour)
    return c


def rows(canvas, pixel_bytes, row_bytes):
    data = b""
    for y in reversed(range(canvas.height)):
        row = b"".join(pixel_bytes(canvas.px[y][x], x) for x in range(canvas.width))
        data += row + b"\0" * (row_bytes - len(row))
    return data


def bitmap(canvas):
    row_bytes = (canvas.width * 3 + 3) & ~3
    pixels = rows(canvas, lambda c, x: b"\0\0\0" if c is None else bytes((c[2], c[1], c[0])), row_bytes)
    header = struct.pack("<IiiHHIIiiII", 40, canvas.width, canvas.height, 1, 24, 0, len(pixels), 0, 0, 0, 0)
    return struct.pack("<2sIHHI", b"BM", 14 + len(header) + len(pixels), 0, 0, 54) + header + pixels


def mask_bitmap(canvas):
    row_bytes = ((canvas.width + 31) // 32) * 4
    data = b""
    for y in reversed(range(canvas.height)):
        row = bytearray(row_bytes)
        for x in range(canvas.width):
            if canvas.px[y][x] is None:
                row[x // 8] |= 0x80 >> (x % 8)
        data += bytes(row)
    header = struct.pack("<IiiHHIIiiII", 40, canvas.width, canvas.height, 1, 1, 0, len(data), 0, 0, 2, 0)
    palette = struct.pack("<II", 0x000000, 0xFFFFFF)
    offset = 14 + len(header) + len(palette)
    return struct.pack("<2sIHHI", b"BM", offset + len(data), 0, 0, offset) + header + palette + data


if __name__ == "__main__":
    for source in ("internal", "external", "all"):
        for active in (True, False):
            picture = filter_picture(source, active)
            state = "active" if active else "inactive"
            (HERE / f"filter_{source}_{state}.bmp").write_bytes(bitmap(picture))
        (HERE / f"filter_{source}_mask.bmp").write_bytes(mask_bitmap(picture))

#!/usr/bin/env python3
"""Draws the administration windows' icons and list bitmaps, and the tray
icon's eight animation frames, from simple shapes. Pure Python.

Run it after changing a picture; its outputs are committed beside it.
Icons hold a 32x32 and a 16x16 image (24-bit colour with a transparency
mask); list bitmaps are 16x16, 24-bit, black where transparent, each with
a monochrome mask (white where transparent)."""
import math
import pathlib
import struct

HERE = pathlib.Path(__file__).parent

BLACK = (0, 0, 0)
WHITE = (255, 255, 255)
GREY = (128, 128, 128)
LIGHT = (200, 200, 200)
NAVY = (0, 0, 128)
BLUE = (40, 90, 200)
SKY = (120, 170, 240)
GREEN = (0, 150, 0)
LIME = (90, 210, 90)
RED = (200, 0, 0)
YELLOW = (250, 210, 40)
ORANGE = (240, 140, 20)
PAPER = (255, 255, 230)
BROWN = (140, 90, 40)


class Canvas:
    """Pixels of a picture, None where transparent; square unless a height is given."""

    def __init__(self, size, height=None):
        self.size = size
        self.width, self.height = size, height if height is not None else size
        self.px = [[None] * self.width for _ in range(self.height)]

    def put(self, x, y, c):
        if 0 <= x < self.width and 0 <= y < self.height:
            self.px[y][x] = c

    def rect(self, x0, y0, x1, y1, fill=None, line=None):
        for y in range(y0, y1 + 1):
            for x in range(x0, x1 + 1):
                edge = x in (x0, x1) or y in (y0, y1)
                if edge and line is not None:
                    self.put(x, y, line)
                elif fill is not None:
                    self.put(x, y, fill)

    def line(self, x0, y0, x1, y1, c):
        n = max(abs(x1 - x0), abs(y1 - y0), 1)
        for i in range(n + 1):
            self.put(round(x0 + (x1 - x0) * i / n), round(y0 + (y1 - y0) * i / n), c)

    def disc(self, cx, cy, r, fill=None, line=None):
        for y in range(self.height):
            for x in range(self.width):
                d = math.hypot(x - cx, y - cy)
                if line is not None and r - 1 < d <= r:
                    self.put(x, y, line)
                elif fill is not None and d <= r - 1:
                    self.put(x, y, fill)

    def poly(self, points, fill):
        ys = [p[1] for p in points]
        for y in range(min(ys), max(ys) + 1):
            xs = []
            for (ax, ay), (bx, by) in zip(points, points[1:] + points[:1]):
                if (ay <= y < by) or (by <= y < ay):
                    xs.append(ax + (y - ay) * (bx - ax) / (by - ay))
            xs.sort()
            for a, b in zip(xs[::2], xs[1::2]):
                for x in range(math.ceil(a), math.floor(b) + 1):
                    self.put(x, y, fill)

    def half(self):
        small = Canvas(self.size // 2)
        for y in range(small.size):
            for x in range(small.size):
                block = [self.px[2 * y + j][2 * x + i] for j in (0, 1) for i in (0, 1)]
                solid = [c for c in block if c is not None]
                if len(solid) >= 2:
                    small.px[y][x] = tuple(sum(c[k] for c in solid) // len(solid) for k in range(3))
        return small


# --- File formats -------------------------------------------------------------------

def dib(canvas, with_mask_height=True):
    size = canvas.size
    row_bytes = (size * 3 + 3) & ~3
    mask_row = ((size + 31) // 32) * 4
    pixels = b""
    mask = b""
    for y in reversed(range(size)):
        row = b""
        bits = 0
        mrow = bytearray(mask_row)
        for x in range(size):
            c = canvas.px[y][x]
            if c is None:
                row += b"\0\0\0"
                mrow[x // 8] |= 0x80 >> (x % 8)
            else:
                row += bytes((c[2], c[1], c[0]))
        pixels += row + b"\0" * (row_bytes - len(row))
        mask += bytes(mrow)
    height = size * 2 if with_mask_height else size
    header = struct.pack("<IiiHHIIiiII", 40, size, height, 1, 24, 0, len(pixels) + len(mask), 0, 0, 0, 0)
    return header, pixels, mask


def icon(canvas):
    images = []
    for c in (canvas, canvas.half()):
        header, pixels, mask = dib(c)
        images.append((c.size, header + pixels + mask))
    out = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for size, data in images:
        out += struct.pack("<BBBBHHII", size, size, 0, 0, 1, 24, len(data), offset)
        offset += len(data)
    return out + b"".join(d for _, d in images)


def bitmap(canvas):
    """A 24-bit bitmap file, black where transparent."""
    row_bytes = (canvas.width * 3 + 3) & ~3
    pixels = b""
    for y in reversed(range(canvas.height)):
        row = b"".join(b"\0\0\0" if c is None else bytes((c[2], c[1], c[0])) for c in canvas.px[y])
        pixels += row + b"\0" * (row_bytes - len(row))
    header = struct.pack("<IiiHHIIiiII", 40, canvas.width, canvas.height, 1, 24, 0, len(pixels), 0, 0, 0, 0)
    return struct.pack("<2sIHHI", b"BM", 14 + len(header) + len(pixels), 0, 0, 54) + header + pixels


def mask_bitmap(canvas):
    """A monochrome bitmap file, white where transparent."""
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


# --- Pictures -----------------------------------------------------------------------

def envelope(c, x0=3, y0=8, x1=28, y1=24, fill=WHITE):
    c.rect(x0, y0, x1, y1, fill=fill, line=BLACK)
    mx = (x0 + x1) // 2
    c.line(x0, y0, mx, (y0 + y1) // 2 + 1, BLACK)
    c.line(x1, y0, mx, (y0 + y1) // 2 + 1, BLACK)


def arrow_right(c, x, y, colour):
    c.rect(x, y - 2, x + 8, y + 2, fill=colour, line=colour)
    c.poly([(x + 8, y - 6), (x + 14, y), (x + 8, y + 6)], colour)


def arrow_down(c, x, y, colour):
    c.rect(x - 2, y, x + 2, y + 7, fill=colour, line=colour)
    c.poly([(x - 6, y + 7), (x, y + 13), (x + 6, y + 7)], colour)


def page_icon(name):
    c = Canvas(32)
    if name == "domain":
        c.disc(16, 16, 14, fill=SKY, line=NAVY)
        for dx in (-7, 0, 7):
            c.line(16 + dx, 3, 16 + dx, 29, NAVY)
        for dy in (-7, 0, 7):
            c.line(3, 16 + dy, 29, 16 + dy, NAVY)
        c.poly([(9, 9), (15, 7), (14, 14), (8, 15)], GREEN)
        c.poly([(19, 17), (25, 16), (23, 24), (18, 23)], GREEN)
    elif name == "dialup":
        c.rect(3, 16, 28, 27, fill=LIGHT, line=BLACK)
        c.rect(6, 19, 9, 21, fill=LIME)
        c.rect(12, 19, 15, 21, fill=RED)
        c.rect(6, 9, 25, 13, fill=BLACK, line=BLACK)
        c.rect(4, 7, 9, 14, fill=BLACK)
        c.rect(22, 7, 27, 14, fill=BLACK)
    elif name == "outgoing":
        envelope(c, 1, 6, 22, 22)
        arrow_right(c, 14, 22, GREEN)
    elif name == "incoming":
        envelope(c, 8, 14, 30, 30)
        arrow_down(c, 8, 0, BLUE)
    elif name == "antispam":
        envelope(c, 3, 8, 28, 24)
        c.disc(16, 16, 13, line=RED)
        c.disc(16, 16, 12, line=RED)
        c.line(7, 7, 25, 25, RED)
        c.line(8, 7, 26, 25, RED)
    elif name == "schedule":
        c.disc(16, 16, 14, fill=WHITE, line=BLACK)
        for k in range(12):
            a = k * math.pi / 6
            c.put(round(16 + 11 * math.cos(a)), round(16 + 11 * math.sin(a)), BLACK)
        c.line(16, 16, 16, 7, BLACK)
        c.line(16, 16, 23, 16, BLUE)
    elif name == "reminders":
        c.rect(4, 5, 27, 28, fill=WHITE, line=BLACK)
        c.rect(4, 5, 27, 10, fill=RED, line=BLACK)
        for y in (14, 19, 24):
            for x in (7, 12, 17, 22):
                c.rect(x, y, x + 2, y + 2, fill=GREY)
        c.rect(17, 19, 19, 21, fill=BLUE)
    elif name == "password":
        c.disc(10, 16, 7, fill=YELLOW, line=BROWN)
        c.disc(10, 16, 3, fill=None, line=BROWN)
        c.rect(16, 14, 29, 18, fill=YELLOW, line=BROWN)
        c.rect(23, 18, 25, 22, fill=YELLOW, line=BROWN)
        c.rect(27, 18, 29, 21, fill=YELLOW, line=BROWN)
    elif name == "address_lists":
        c.rect(6, 3, 27, 29, fill=PAPER, line=BLACK)
        c.rect(3, 3, 7, 29, fill=BLUE, line=NAVY)
        for y in range(8, 27, 5):
            c.line(11, y, 24, y, GREY)
    elif name == "aliases":
        c.disc(9, 10, 5, fill=ORANGE, line=BLACK)
        c.rect(3, 16, 15, 27, fill=ORANGE, line=BLACK)
        c.disc(23, 10, 5, fill=SKY, line=BLACK)
        c.rect(17, 16, 29, 27, fill=SKY, line=BLACK)
        c.line(13, 21, 19, 21, BLACK)
        c.line(17, 19, 19, 21, BLACK)
        c.line(17, 23, 19, 21, BLACK)
    elif name == "footnote":
        c.rect(6, 2, 26, 29, fill=WHITE, line=BLACK)
        for y in range(6, 18, 3):
            c.line(9, y, 23, y, GREY)
        c.rect(8, 21, 24, 27, fill=YELLOW, line=BROWN)
    elif name == "scanner":
        envelope(c, 2, 4, 22, 18)
        c.disc(19, 19, 8, fill=SKY, line=BLACK)
        c.disc(19, 19, 9, line=BLACK)
        for i in range(6):
            c.rect(24 + i, 24 + i, 25 + i, 25 + i, fill=BROWN)
    elif name == "attachments":
        envelope(c, 2, 10, 24, 26)
        for (x0, y0, x1, y1) in ((20, 3, 20, 22), (26, 6, 26, 24), (23, 26, 23, 9)):
            c.line(x0, y0, x1, y1, GREY)
        c.line(20, 3, 22, 1, GREY); c.line(22, 1, 24, 1, GREY); c.line(24, 1, 26, 3, GREY)
        c.line(26, 24, 24, 27, GREY); c.line(24, 27, 21, 26, GREY)
    elif name == "ports":
        c.rect(3, 10, 14, 21, fill=LIGHT, line=BLACK)
        c.rect(6, 13, 11, 18, fill=BLACK)
        c.rect(17, 10, 28, 21, fill=LIGHT, line=BLACK)
        c.rect(20, 13, 25, 18, fill=BLACK)
        c.line(8, 21, 8, 27, BLUE); c.line(8, 27, 22, 27, BLUE); c.line(22, 27, 22, 21, BLUE)
    elif name == "routing":
        # One message in, forking to two destinations.
        envelope(c, 1, 11, 14, 21)
        c.line(14, 16, 20, 16, BLACK)
        c.line(20, 16, 26, 7, BLACK)
        c.line(20, 16, 26, 25, BLACK)
        c.poly([(23, 4), (29, 5), (27, 10)], GREEN)
        c.poly([(23, 28), (29, 27), (27, 22)], BLUE)
    elif name == "options":
        c.disc(16, 16, 11, fill=GREY, line=BLACK)
        for k in range(8):
            a = k * math.pi / 4
            x, y = 16 + 12 * math.cos(a), 16 + 12 * math.sin(a)
            c.rect(round(x) - 2, round(y) - 2, round(x) + 2, round(y) + 2, fill=GREY, line=BLACK)
        c.disc(16, 16, 11, fill=GREY)
        c.disc(16, 16, 5, fill=WHITE, line=BLACK)
    return c


def tray_frame(k):
    """An envelope with a light that climbs up the right edge and back."""
    c = Canvas(32)
    envelope(c, 2, 9, 25, 27, fill=PAPER)
    y = 26 - k * 3
    c.disc(27, y, 4, fill=LIME if k < 7 else YELLOW, line=GREEN)
    return c


def list_picture(kind):
    c = Canvas(16)
    if kind in ("pop_active", "pop_inactive"):
        screen = LIME if kind == "pop_active" else LIGHT
        c.rect(2, 1, 13, 10, fill=screen, line=BLACK)
        c.rect(5, 11, 10, 12, fill=GREY)
        c.rect(1, 13, 14, 14, fill=LIGHT, line=BLACK)
    elif kind == "relay":
        c.rect(1, 3, 12, 12, fill=WHITE, line=BLACK)
        c.line(1, 3, 6, 8, BLACK)
        c.line(12, 3, 7, 8, BLACK)
        c.poly([(10, 9), (15, 12), (10, 15)], GREEN)
    elif kind == "user":
        c.disc(8, 5, 4, fill=ORANGE, line=BLACK)
        c.rect(3, 9, 12, 15, fill=BLUE, line=BLACK)
    elif kind == "clock":
        c.disc(7.5, 7.5, 7.5, fill=WHITE, line=BLACK)
        for k in range(4):
            a = k * math.pi / 2
            c.put(round(7.5 + 5 * math.cos(a)), round(7.5 + 5 * math.sin(a)), GREY)
        c.line(7, 7, 7, 3, BLACK)
        c.line(8, 8, 11, 8, BLUE)
    return c


if __name__ == "__main__":
    for name in ("domain", "dialup", "outgoing", "incoming", "antispam", "schedule", "reminders",
                 "routing", "password", "address_lists", "aliases", "footnote", "scanner", "attachments",
                 "ports", "options"):
        (HERE / f"{name}.ico").write_bytes(icon(page_icon(name)))
    for k in range(8):
        (HERE / f"tray{k}.ico").write_bytes(icon(tray_frame(k)))
    for image, mask, kind in (("pop_active.bmp", "pop_mask.bmp", "pop_active"),
                              ("pop_inactive.bmp", None, "pop_inactive"),
                              ("relay.bmp", "relay_mask.bmp", "relay"),
                              ("user.bmp", "user_mask.bmp", "user"),
                              ("clock.bmp", "clock_mask.bmp", "clock")):
        picture = list_picture(kind)
        (HERE / image).write_bytes(bitmap(picture))
        if mask:
            (HERE / mask).write_bytes(mask_bitmap(picture))

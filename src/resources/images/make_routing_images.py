#!/usr/bin/env python3
"""Draws the Routing page's filter pictures in the style of
make_admin_images.py: 40x16 list bitmaps, 24-bit, black where transparent,
each kind with a monochrome mask (white where transparent).

A filter's picture shows where the mail comes from (a person for mail from
local users, a globe for mail from the internet, both for all mail), an
arrow and the message. Inactive filters show the same shapes in greys, so
active and inactive pictures of a kind share one mask.

Run it after changing a picture; its outputs are committed beside it."""

from make_admin_images import (BLACK, BLUE, GREEN, GREY, HERE, LIGHT, LIME, NAVY, ORANGE, PAPER, SKY, WHITE,
                               Canvas, bitmap, mask_bitmap)

WIDTH, HEIGHT = 40, 16


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
    c = Canvas(WIDTH, HEIGHT)
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


if __name__ == "__main__":
    for source in ("internal", "external", "all"):
        for active in (True, False):
            picture = filter_picture(source, active)
            state = "active" if active else "inactive"
            (HERE / f"filter_{source}_{state}.bmp").write_bytes(bitmap(picture))
        (HERE / f"filter_{source}_mask.bmp").write_bytes(mask_bitmap(picture))

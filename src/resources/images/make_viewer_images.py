#!/usr/bin/env python3
"""Draws the mailbox viewer's pictures: the folder tree's two folders (empty,
holding mail), 16x16 each in one strip, and the six message states, 20x15
each in one strip: 0 in a mailbox, 1 held, 2 incoming, 3 outgoing, 4 in the
incoming archive, 5 in the outgoing archive or spam. 24-bit bitmaps, black
where transparent, each with a monochrome mask (white where transparent).

Run it after changing a picture; its outputs are committed beside it."""
import pathlib

from make_admin_images import Canvas, bitmap, mask_bitmap, BLACK, BLUE, GREEN, GREY, LIGHT, ORANGE, PAPER, RED, SKY, WHITE

HERE = pathlib.Path(__file__).parent
FOLDER = (230, 190, 80)
FOLDER_DARK = (170, 120, 30)


def folder(s, x, with_mail):
    s.rect(x + 1, 3, x + 6, 5, fill=FOLDER, line=FOLDER_DARK)
    s.rect(x + 1, 5, x + 14, 14, fill=FOLDER, line=FOLDER_DARK)
    if with_mail:
        s.rect(x + 5, 1, x + 13, 8, fill=WHITE, line=BLACK)
        s.line(x + 5, 1, x + 9, 5, BLACK)
        s.line(x + 13, 1, x + 9, 5, BLACK)


def envelope(s, x, fill=WHITE):
    s.rect(x + 1, 3, x + 14, 12, fill=fill, line=BLACK)
    s.line(x + 1, 3, x + 7, 8, BLACK)
    s.line(x + 14, 3, x + 8, 8, BLACK)


def arrow(s, x, y, colour, right):
    for i in range(4):
        s.line(x + (i if right else 3 - i), y - 3 + i, x + (i if right else 3 - i), y + 3 - i, colour)


def state(s, k):
    x = 20 * k
    envelope(s, x, PAPER if k in (4, 5) else WHITE)
    if k == 1:  # held: a red bar across
        s.rect(x + 13, 7, x + 19, 13, fill=RED, line=BLACK)
        s.rect(x + 15, 9, x + 17, 11, fill=WHITE)
    elif k == 2:  # incoming: a green arrow pointing in
        arrow(s, x + 15, 11, GREEN, False)
        s.line(x + 17, 11, x + 19, 11, GREEN)
    elif k == 3:  # outgoing: a blue arrow pointing out
        s.line(x + 14, 11, x + 16, 11, BLUE)
        arrow(s, x + 16, 11, BLUE, True)
    elif k in (4, 5):  # archived: a box under the envelope
        s.rect(x + 12, 9, x + 19, 14, fill=SKY if k == 4 else LIGHT, line=GREY)
        s.line(x + 14, 11, x + 17, 11, BLACK if k == 4 else ORANGE)


if __name__ == "__main__":
    folders = Canvas(32, 16)
    folder(folders, 0, False)
    folder(folders, 16, True)
    (HERE / "view_folders.bmp").write_bytes(bitmap(folders))
    (HERE / "view_folders_mask.bmp").write_bytes(mask_bitmap(folders))
    states = Canvas(120, 15)
    for k in range(6):
        state(states, k)
    (HERE / "view_states.bmp").write_bytes(bitmap(states))
    (HERE / "view_states_mask.bmp").write_bytes(mask_bitmap(states))

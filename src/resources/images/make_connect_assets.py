#!/usr/bin/env python3
"""Draws the connectivity assets: the countdown dialog's icon (connect.ico)
and the countdown animation (count.avi, installed beside the library).

Run it after changing a picture; its outputs are committed beside it.

count.avi holds ten uncompressed 8-bit frames at one frame a second, the
digits 10 down to 1 over a shrinking bar. Its frames are stored bottom-up
with a positive height: the animation control draws nothing from top-down
frames."""
import pathlib
import struct

HERE = pathlib.Path(__file__).parent

# ---- the icon: a telephone handset over a globe, 32x32, 16 colours -------

ICON = """
................................
................................
.........##############.........
.......##oooooooooooooo##.......
......#oo##############oo#......
.....#oo#..............#oo#.....
.....#o#................#o#.....
....#oo#................#oo#....
....#########......#########....
....#yyyyyyy#......#yyyyyyy#....
....#yyyyyyy#......#yyyyyyy#....
....#########......#########....
................................
...........##########...........
.........##bbbbbbbbbb##.........
........#bbggbbbbbbbbbb#........
.......#bbgggbbbbbbggbbb#.......
......#bbbgggggbbbgggggbb#......
......#bbbbgggggbbggggbbb#......
.....#bbbbbbggggbbbggbbbbb#.....
.....#bbbbbbbggbbbbbbbbbbb#.....
.....#bbbbbbbbbbbbbgggbbbb#.....
.....#bbbbbbbbbbbbggggbbbb#.....
......#bbbbbbbbbbbgggbbbb#......
......#bbbbbbbbbbbggbbbbb#......
.......#bbbbbbbbbbbbbbbb#.......
........#bbbbbbbbbbbbbb#........
.........##bbbbbbbbbb##.........
...........##########...........
................................
................................
................................
"""

ICON_COLOURS = {  # character: palette index
    "#": 0, "o": 15, "y": 11, "b": 4, "g": 2, ".": 0,
}
# The 16-colour palette (RGB).
PALETTE16 = [
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0), (0, 0, 128), (128, 0, 128), (0, 128, 128),
    (192, 192, 192), (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0), (0, 0, 255),
    (255, 0, 255), (0, 255, 255), (255, 255, 255),
]


def icon_file(art):
    rows = art.strip("\n").split("\n")
    assert len(rows) == 32 and all(len(r) == 32 for r in rows)
    pixels, mask = [], []
    for r in reversed(rows):
        line = bytearray()
        for i in range(0, 32, 2):
            line.append(ICON_COLOURS[r[i]] << 4 | ICON_COLOURS[r[i + 1]])
        pixels.append(bytes(line))
        bits = 0
        for i, ch in enumerate(r):
            if ch == ".":
                bits |= 1 << (31 - i)
        mask.append(struct.pack(">I", bits))
    header = struct.pack("<IiiHHIIiiII", 40, 32, 64, 1, 4, 0, 0, 0, 0, 16, 0)
    palette = b"".join(struct.pack("<BBBB", b, g, r, 0) for r, g, b in PALETTE16)
    image = header + palette + b"".join(pixels) + b"".join(mask)
    directory = struct.pack("<HHH", 0, 1, 1)
    entry = struct.pack("<BBBBHHII", 32, 32, 16, 0, 1, 4, len(image), 6 + 16)
    return directory + entry + image


# ---- the animation --------------------------------------------------------

WIDTH, HEIGHT, FRAMES = 64, 40, 10
BACKGROUND, DIGIT, BAR, FRAME_EDGE = 0, 1, 2, 3
ANIMATION_PALETTE = [(224, 224, 224), (0, 0, 160), (0, 160, 0), (96, 96, 96)]

FONT = {  # 5x7 digits
    "0": ["01110", "10001", "10011", "10101", "11001", "10001", "01110"],
    "1": ["00100", "01100", "00100", "00100", "00100", "00100", "01110"],
    "2": ["01110", "10001", "00001", "00010", "00100", "01000", "11111"],
    "3": ["11110", "00001", "00001", "01110", "00001", "00001", "11110"],
    "4": ["00010", "00110", "01010", "10010", "11111", "00010", "00010"],
    "5": ["11111", "10000", "11110", "00001", "00001", "10001", "01110"],
    "6": ["00110", "01000", "10000", "11110", "10001", "10001", "01110"],
    "7": ["11111", "00001", "00010", "00100", "01000", "01000", "01000"],
    "8": ["01110", "10001", "10001", "01110", "10001", "10001", "01110"],
    "9": ["01110", "10001", "10001", "01111", "00001", "00010", "01100"],
}
SCALE = 4


def frame(number):
    """One frame, top row first, one palette index a pixel."""
    image = [[BACKGROUND] * WIDTH for _ in range(HEIGHT)]
    for x in range(WIDTH):
        image[0][x] = image[HEIGHT - 1][x] = FRAME_EDGE
    for y in range(HEIGHT):
        image[y][0] = image[y][WIDTH - 1] = FRAME_EDGE
    text = str(number)
    text_width = len(text) * 5 * SCALE + (len(text) - 1) * SCALE
    left, top = (WIDTH - text_width) // 2, 3
    for n, ch in enumerate(text):
        for row, bits in enumerate(FONT[ch]):
            for col, bit in enumerate(bits):
                if bit == "1":
                    for dy in range(SCALE):
                        for dx in range(SCALE):
                            image[top + row * SCALE + dy][left + n * 6 * SCALE + col * SCALE + dx] = DIGIT
    bar = (WIDTH - 8) * number // FRAMES
    for y in range(HEIGHT - 6, HEIGHT - 3):
        for x in range(4, 4 + bar):
            image[y][x] = BAR
    return image


def chunk(fourcc, data):
    pad = b"\0" if len(data) % 2 else b""
    return fourcc + struct.pack("<I", len(data)) + data + pad


def riff_list(kind, fourcc, data):
    return kind + struct.pack("<I", len(data) + 4) + fourcc + data


def avi_file():
    frame_size = WIDTH * HEIGHT  # rows of 64 bytes need no padding
    frames = []
    for number in range(FRAMES, 0, -1):
        rows = frame(number)
        frames.append(b"".join(bytes(r) for r in reversed(rows)))  # bottom-up
    avih = struct.pack("<IIIIIIIIII4I", 1000000, frame_size, 0, 0x10, FRAMES, 0, 1, frame_size,
                       WIDTH, HEIGHT, 0, 0, 0, 0)
    strh = (b"vids" + b"DIB " + struct.pack("<IHHIIIIIIiI", 0, 0, 0, 0, 1, 1, 0, FRAMES, frame_size, -1, 0)
            + struct.pack("<hhhh", 0, 0, WIDTH, HEIGHT))
    colours = 256
    strf = struct.pack("<IiiHHIIiiII", 40, WIDTH, HEIGHT, 1, 8, 0, frame_size, 0, 0, colours, 0)
    palette = ANIMATION_PALETTE + [(0, 0, 0)] * (colours - len(ANIMATION_PALETTE))
    strf += b"".join(struct.pack("<BBBB", b, g, r, 0) for r, g, b in palette)
    hdrl = riff_list(b"LIST", b"hdrl", chunk(b"avih", avih)
                     + riff_list(b"LIST", b"strl", chunk(b"strh", strh) + chunk(b"strf", strf)))
    movi_data = b""
    index = b""
    for data in frames:
        index += b"00db" + struct.pack("<III", 0x10, 4 + len(movi_data), len(data))
        movi_data += chunk(b"00db", data)
    movi = riff_list(b"LIST", b"movi", movi_data)
    body = hdrl + movi + chunk(b"idx1", index)
    return b"RIFF" + struct.pack("<I", len(body) + 4) + b"AVI " + body


if __name__ == "__main__":
    (HERE / "connect.ico").write_bytes(icon_file(ICON))
    (HERE / "count.avi").write_bytes(avi_file())

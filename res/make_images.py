#!/usr/bin/env python3
"""Draws the program's bitmaps and icon from the pixel art below.

Run from anywhere: python3 res/make_images.py. It rewrites the files in res/images/.
Every picture is 16 colours. The menu and tool-bar pictures use light grey as their
background, which the program and the tool bar swap for the system's button face.
"""

import pathlib
import struct

OUT = pathlib.Path(__file__).resolve().parent / "images"

# The standard 16-colour palette, as (red, green, blue).
PALETTE = [
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0),
    (0, 0, 128), (128, 0, 128), (0, 128, 128), (192, 192, 192),
    (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0),
    (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255),
]

# '.' is the background (light grey in bitmaps, transparent in the icon); 'S' is light grey
# that stays light grey.
INK = {
    '.': 7, 'S': 7, 'K': 0, 'M': 1, 'G': 2, 'O': 3, 'N': 4, 'P': 5, 'T': 6,
    'D': 8, 'R': 9, 'L': 10, 'Y': 11, 'B': 12, 'F': 13, 'C': 14, 'W': 15,
}

# Images go into 16 x 15 image lists, so the last row of every menu picture stays empty.
LOAD = [  # an opening folder
    "................",
    "..........KKK...",
    ".........K...K.K",
    "..............KK",
    ".KKKK........KKK",
    "KOOOOK..........",
    "KOOOOOKKKKKKK...",
    "KOOOOOOOOOOOK...",
    "KOOOOOOKKKKKKKKK",
    "KOOOOOKYYYYYYYYK",
    "KOOOOKYYYYYYYYK.",
    "KOOOKYYYYYYYYK..",
    "KOOKYYYYYYYYK...",
    "KOKYYYYYYYYK....",
    "KKKKKKKKKKK.....",
    "................",
]

SAVE = [  # a floppy disk
    "................",
    ".KKKKKKKKKKKKKK.",
    ".KNKWWWWWWWWKNK.",
    ".KNKWWWWWWWWKNK.",
    ".KNKWDDDDDDWKNK.",
    ".KNKWWWWWWWWKNK.",
    ".KNKWDDDDDDWKNK.",
    ".KNNKKKKKKKKNNK.",
    ".KNNNNNNNNNNNNK.",
    ".KNNKKKKKKKKNNK.",
    ".KNNKDDKSSSKNNK.",
    ".KNNKDDKSSSKNNK.",
    ".KNNKDDKSSSKNNK.",
    ".KNNKKKKKKKKNNK.",
    ".KKKKKKKKKKKKKK.",
    "................",
]

SEND = [  # an arrow into a printer
    ".......RR.......",
    ".......RR.......",
    ".....RRRRRR.....",
    "......RRRR......",
    ".......RR.......",
    "...KKKKKKKKKK...",
    "...KWWWWWWWWK...",
    ".KKKKKKKKKKKKKK.",
    "KWWWWWWWWWWWWWWK",
    "KWWWWWWWWWWWLLWK",
    "KDDDDDDDDDDDDDDK",
    "KDKKKKKKKKKKKKDK",
    "KDDDDDDDDDDDDDDK",
    ".KKKKKKKKKKKKKK.",
    "................",
    "................",
]

FACTORY = [  # a factory with a saw-tooth roof
    "..D.............",
    ".D..............",
    "..D.............",
    ".KKK............",
    ".KMK............",
    ".KMK...K...K...K",
    ".KMK..KK..KK..KK",
    ".KMK.KRK.KRK.KRK",
    ".KMKKRRKKRRKKRRK",
    "KKKKKKKKKKKKKKKK",
    "KMMMMMMMMMMMMMMK",
    "KMYYMMYYMMYYMMMK",
    "KMYYMMYYMMYYMMMK",
    "KMMMMMMMMMMMMMMK",
    "KKKKKKKKKKKKKKKK",
    "................",
]

PRINTER = [  # a printer with a tick: this one
    "................",
    "...............G",
    "..............GG",
    "...KKKKKKG...GG.",
    "...KWWWWKGG.GG..",
    "...KWWWWK.GGG...",
    "...KWWWWK..G....",
    ".KKKKKKKKKKKKKK.",
    "KWWWWWWWWWWWWWWK",
    "KWWWWWWWWWWWLLWK",
    "KDDDDDDDDDDDDDDK",
    "KDKKKKKKKKKKKKDK",
    "KDDDDDDDDDDDDDDK",
    ".KKKKKKKKKKKKKK.",
    "................",
    "................",
]

PARAM = [  # three sliders
    "..KKK...........",
    "..KBK...........",
    "DDKBKDDDDDDDDDDD",
    "WWKBKWWWWWWWWWWW",
    "..KKK...........",
    ".........KKK....",
    ".........KBK....",
    "DDDDDDDDDKBKDDDD",
    "WWWWWWWWWKBKWWWW",
    ".........KKK....",
    "......KKK.......",
    "......KBK.......",
    "DDDDDDKBKDDDDDDD",
    "WWWWWWKBKWWWWWWW",
    "......KKK.......",
    "................",
]

MSW = [  # a block of four DIP switches
    "................",
    "................",
    ".KKKKKKKKKKKKKKK",
    ".KRRRRRRRRRRRRRK",
    ".KRWWRKKRWWRKKRK",
    ".KRWWRKKRWWRKKRK",
    ".KRWWRKKRWWRKKRK",
    ".KRWWRKKRWWRKKRK",
    ".KRKKRWWRKKRWWRK",
    ".KRKKRWWRKKRWWRK",
    ".KRKKRWWRKKRWWRK",
    ".KRKKRWWRKKRWWRK",
    ".KRRRRRRRRRRRRRK",
    ".KKKKKKKKKKKKKKK",
    "................",
    "................",
]

SELECT = [  # a list of choices with the middle one picked
    "................",
    "KKKKKKKKKKKKKKKK",
    "KWWKWWWWWWWWWWWK",
    "KWKWKWDDDDDDDWWK",
    "KWWKWWWWWWWWWWWK",
    "KWWWWWWWWWWWWWWK",
    "KNNWNNNNNNNNNNNK",
    "KNWWWNWWWWWWWNNK",
    "KNNWNNNNNNNNNNNK",
    "KWWWWWWWWWWWWWWK",
    "KWWKWWWWWWWWWWWK",
    "KWKWKWDDDDDDDWWK",
    "KWWKWWWWWWWWWWWK",
    "KKKKKKKKKKKKKKKK",
    "................",
    "................",
]

ICON16 = [  # a printer with a switch panel on its front
    "................",
    "....KKKKKKKK....",
    "....KWWWWWWK....",
    "....KWDDDDWK....",
    "....KWWWWWWK....",
    ".KKKKKKKKKKKKKK.",
    "KWWWWWWWWWWWWWDK",
    "KSKKKKKKKKKSSSDK",
    "KSKRWRRRWRKSLLDK",
    "KSKRWRWRWRKSSSDK",
    "KSKRRRWRRRKSYYDK",
    "KSKKKKKKKKKSSSDK",
    "KDDDDDDDDDDDDDDK",
    ".KKKKKKKKKKKKKK.",
    "..KK........KK..",
    "................",
]


def icon32():
    """The 32 x 32 program icon, drawn with rectangles."""
    px = [['.'] * 32 for _ in range(32)]

    def fill(x0, y0, x1, y1, c):
        for y in range(y0, y1 + 1):
            for x in range(x0, x1 + 1):
                px[y][x] = c

    def frame(x0, y0, x1, y1, c):
        fill(x0, y0, x1, y0, c)
        fill(x0, y1, x1, y1, c)
        fill(x0, y0, x0, y1, c)
        fill(x1, y0, x1, y1, c)

    # The paper coming out of the top, with a few printed lines.
    fill(9, 1, 22, 11, 'W')
    frame(9, 1, 22, 11, 'K')
    for y, x1 in ((3, 20), (5, 17), (7, 19), (9, 15)):
        fill(11, y, x1, y, 'D')
    # The body: a light top edge, a dark bottom and right edge.
    fill(1, 10, 30, 26, 'S')
    frame(1, 10, 30, 26, 'K')
    fill(2, 11, 28, 11, 'W')
    fill(2, 11, 2, 24, 'W')
    fill(2, 25, 29, 25, 'D')
    fill(29, 11, 29, 25, 'D')
    fill(8, 13, 23, 13, 'K')  # the paper slot
    # The switch panel: four switches, levers up or down.
    fill(4, 16, 18, 23, 'R')
    frame(4, 16, 18, 23, 'K')
    for i, up in enumerate((True, False, True, True)):
        x = 6 + 3 * i
        fill(x, 18, x + 1, 21, 'K')
        if up:
            fill(x, 18, x + 1, 19, 'W')
        else:
            fill(x, 20, x + 1, 21, 'W')
    # Two lamps and a button.
    fill(22, 17, 23, 18, 'L')
    frame(21, 16, 24, 19, 'K')
    fill(26, 17, 27, 18, 'Y')
    frame(25, 16, 28, 19, 'K')
    fill(22, 21, 27, 22, 'D')
    frame(21, 20, 28, 23, 'K')
    # Feet.
    fill(3, 27, 6, 28, 'K')
    fill(25, 27, 28, 28, 'K')
    return [''.join(row) for row in px]


def check(art, width, height):
    assert len(art) == height, art
    for row in art:
        assert len(row) == width, row


def strip(*arts):
    """Images side by side in one row."""
    return [''.join(rows) for rows in zip(*arts)]


def indexes(art):
    return [[INK[c] for c in row] for row in art]


def pack4(row):
    data = bytearray()
    for i in range(0, len(row), 2):
        data.append((row[i] << 4) | (row[i + 1] if i + 1 < len(row) else 0))
    while len(data) % 4:
        data.append(0)
    return bytes(data)


def pack1(bits):
    data = bytearray()
    for i in range(0, len(bits), 8):
        byte = 0
        for j, bit in enumerate(bits[i:i + 8]):
            byte |= bit << (7 - j)
        data.append(byte)
    while len(data) % 4:
        data.append(0)
    return bytes(data)


def palette_bytes():
    return b''.join(struct.pack('<BBBB', b, g, r, 0) for r, g, b in PALETTE)


def dib_header(width, height, image_bytes):
    return struct.pack('<IiiHHIIiiII', 40, width, height, 1, 4, 0, image_bytes, 0, 0, 16, 0)


def bmp(art):
    width, height = len(art[0]), len(art)
    pixels = b''.join(pack4(row) for row in reversed(indexes(art)))
    body = dib_header(width, height, len(pixels)) + palette_bytes() + pixels
    offset = 14 + 40 + 64
    return struct.pack('<2sIHHI', b'BM', 14 + len(body), 0, 0, offset) + body


def ico(*arts):
    images = []
    for art in arts:
        size = len(art)
        mask = b''.join(pack1([1 if c == '.' else 0 for c in row]) for row in reversed(art))
        # Transparent pixels are black in the colour image, so the screen shows through.
        xor = b''.join(
            pack4([0 if c == '.' else INK[c] for c in row]) for row in reversed(art))
        images.append((size, dib_header(size, 2 * size, len(xor) + len(mask)) +
                       palette_bytes() + xor + mask))
    head = struct.pack('<HHH', 0, 1, len(images))
    offset = 6 + 16 * len(images)
    entries = b''
    for size, data in images:
        entries += struct.pack('<BBBBHHII', size, size, 16, 0, 1, 4, len(data), offset)
        offset += len(data)
    return head + entries + b''.join(data for _, data in images)


def main():
    menu = {
        'menu_load': LOAD, 'menu_save': SAVE, 'menu_send': SEND, 'menu_factory': FACTORY,
        'menu_printer': PRINTER, 'menu_param': PARAM, 'menu_msw': MSW, 'menu_select': SELECT,
    }
    for art in list(menu.values()) + [ICON16]:
        check(art, 16, 16)
    big = icon32()
    check(big, 32, 32)

    OUT.mkdir(exist_ok=True)
    files = {name + '.bmp': bmp(art) for name, art in menu.items()}
    files['toolbar.bmp'] = bmp(strip(LOAD, SAVE, SEND, FACTORY, PRINTER))
    files['tabs.bmp'] = bmp(strip(SELECT, MSW, PARAM))
    files['switchboard.ico'] = ico(ICON16, big)
    for name, data in files.items():
        (OUT / name).write_bytes(data)


if __name__ == '__main__':
    main()

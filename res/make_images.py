#!/usr/bin/env python3
"""Draws the program's bitmaps and icon.

Run from anywhere: python3 res/make_images.py. It rewrites the files in res/images/.
With --check it writes nothing and exits 1 when a file there is not what it draws, or is
missing, or is one it does not draw.
Every picture is 16 colours. The menu and tool-bar pictures use light grey as their
background, which the program and the tool bar swap for the system's button face.

Each picture comes at 16, 20, 24 and 32 px, for the display scales from 100 % to 200 %: the
16-px ones are the pixel art below, the others are drawn from shapes at their own size (the
program never stretches a picture). The icon also has 48- and 256-px frames.
"""

import math
import pathlib
import struct
import sys

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




class Canvas:
    """A size x size picture of ink letters, drawn in a grid of `unit` units a side.

    A shape covers the pixels whose centres lie inside it; its outline is the band of those
    pixels nearer than `lw` pixels to its edge, so outlines stay one pixel wide (or a few,
    at the large sizes) however far the shape is scaled.
    """

    def __init__(self, size, unit):
        self.size = size
        self.scale = size / unit
        self.px = [['.'] * size for _ in range(size)]

    def _points(self, points):
        return [(x * self.scale, y * self.scale) for x, y in points]

    def _box(self, pts, pad=0.0):
        xs = [p[0] for p in pts]
        ys = [p[1] for p in pts]
        x0 = max(0, int(math.floor(min(xs) - pad)))
        x1 = min(self.size, int(math.ceil(max(xs) + pad)))
        y0 = max(0, int(math.floor(min(ys) - pad)))
        y1 = min(self.size, int(math.ceil(max(ys) + pad)))
        return x0, x1, y0, y1

    def shape(self, points, fill, outline=None, lw=1):
        pts = self._points(points)
        x0, x1, y0, y1 = self._box(pts)
        edges = list(zip(pts, pts[1:] + pts[:1]))
        for y in range(y0, y1):
            for x in range(x0, x1):
                cx, cy = x + 0.5, y + 0.5
                if not _inside(cx, cy, edges):
                    continue
                near = outline is not None and min(
                    _distance(cx, cy, a, b) for a, b in edges) < lw
                colour = outline if near else fill
                if colour is not None:
                    self.px[y][x] = colour

    def rect(self, x0, y0, x1, y1, fill, outline=None, lw=1):
        self.shape([(x0, y0), (x1, y0), (x1, y1), (x0, y1)], fill, outline, lw)

    def stroke(self, points, colour, width=1.0):
        """A line through the points, `width` pixels wide."""
        pts = self._points(points)
        x0, x1, y0, y1 = self._box(pts, width)
        segments = list(zip(pts, pts[1:]))
        for y in range(y0, y1):
            for x in range(x0, x1):
                cx, cy = x + 0.5, y + 0.5
                if min(_distance(cx, cy, a, b) for a, b in segments) <= width / 2:
                    self.px[y][x] = colour

    def rows(self):
        return [''.join(row) for row in self.px]


def _inside(x, y, edges):
    inside = False
    for (ax, ay), (bx, by) in edges:
        if (ay > y) != (by > y):
            if x < ax + (y - ay) * (bx - ax) / (by - ay):
                inside = not inside
    return inside


def _distance(x, y, a, b):
    (ax, ay), (bx, by) = a, b
    dx, dy = bx - ax, by - ay
    length = dx * dx + dy * dy
    t = 0.0 if length == 0 else max(0.0, min(1.0, ((x - ax) * dx + (y - ay) * dy) / length))
    px, py = ax + t * dx, ay + t * dy
    return math.hypot(x - px, y - py)


def line_width(size):
    """Outline width of the 16-unit pictures: one pixel, two from 32 px up."""
    return max(1, size // 16)


def load(size):  # an opening folder with an arrow over it
    c = Canvas(size, 16)
    lw = line_width(size)
    c.shape([(0, 5.5), (0.5, 4), (4.5, 4), (5.5, 6), (13, 6), (13, 9), (3, 9), (0, 15)],
            'O', 'K', lw)
    c.shape([(0, 15), (4, 8.5), (16, 8.5), (11.5, 15)], 'Y', 'K', lw)
    c.stroke([(9.5, 3.5), (10.5, 1.8), (12.5, 1.3), (14.5, 2.6)], 'K', lw)
    c.shape([(13, 3.5), (16, 1.5), (16, 4.5)], 'K')
    return c.rows()


def save(size):  # a floppy disk
    c = Canvas(size, 16)
    lw = line_width(size)
    c.rect(1, 1, 15, 15, 'N', 'K', lw)
    c.rect(3.5, 1, 12.5, 7.5, 'W', 'K', lw)
    for y in (3.5, 5.5):
        c.stroke([(5, y), (11, y)], 'D', lw)
    c.rect(4, 9.5, 12, 15, 'S', 'K', lw)
    c.rect(5.3, 10.8, 7.3, 15, 'D')
    return c.rows()


def _printer(c, lw):
    c.rect(0, 7.5, 16, 14, 'W', 'K', lw)
    c.rect(0, 10.5, 16, 14, 'D', 'K', lw)
    c.stroke([(2, 12), (14, 12)], 'K', lw)
    c.rect(11.5, 8.8, 14, 10.2, 'L')


def send(size):  # an arrow down into a printer
    c = Canvas(size, 16)
    lw = line_width(size)
    c.rect(3, 5.5, 13, 8, 'W', 'K', lw)
    _printer(c, lw)
    c.rect(6.8, 0, 9.2, 3, 'R')
    c.shape([(4.5, 2.5), (11.5, 2.5), (8, 6)], 'R')
    return c.rows()


def factory(size):  # a factory with a saw-tooth roof and a smoking chimney
    c = Canvas(size, 16)
    lw = line_width(size)
    c.stroke([(2.5, 0.3), (1.8, 1.2), (2.5, 2.1)], 'D', lw)
    c.rect(1, 3, 4, 10, 'M', 'K', lw)
    for x in (4.5, 8.5, 12.5):
        c.shape([(x, 10), (x + 3.5, 5.5), (x + 3.5, 10)], 'R', 'K', lw)
    c.rect(0, 9.5, 16, 15, 'M', 'K', lw)
    for x in (2, 6, 10):
        c.rect(x, 11.3, x + 2, 13.2, 'Y')
    return c.rows()


def printer(size):  # a printer with a tick: this one
    c = Canvas(size, 16)
    lw = line_width(size)
    c.rect(3, 3, 9.5, 8, 'W', 'K', lw)
    _printer(c, lw)
    c.stroke([(9, 4.5), (11, 6.5), (15.5, 1.5)], 'G', 2 * lw)
    return c.rows()


def param(size):  # three sliders
    c = Canvas(size, 16)
    lw = line_width(size)
    for y, x in ((2.5, 3), (7.5, 10), (12.5, 7)):
        c.rect(0, y - 0.5, 16, y + 0.5, 'D')
        c.rect(0, y + 0.5, 16, y + 1.5, 'W')
        c.rect(x - 1.5, y - 2.5, x + 1.5, y + 2.5, 'B', 'K', lw)
    return c.rows()


def msw(size):  # a block of four DIP switches
    c = Canvas(size, 16)
    lw = line_width(size)
    c.rect(1, 2, 16, 14, 'R', 'K', lw)
    for i, up in enumerate((True, False, True, False)):
        x = 2.6 + 3.4 * i
        c.rect(x, 3.6, x + 2.2, 12.4, 'K')
        if up:
            c.rect(x, 3.6, x + 2.2, 8, 'W')
        else:
            c.rect(x, 8, x + 2.2, 12.4, 'W')
    return c.rows()


def select(size):  # a list of choices with the middle one picked
    c = Canvas(size, 16)
    lw = line_width(size)
    c.rect(0, 1, 16, 14, 'W', 'K', lw)
    c.rect(lw / c.scale, 5.5, 16 - lw / c.scale, 9.5, 'N')
    for y, colour, mark in ((3.3, 'D', 'K'), (7.5, 'W', 'W'), (11.7, 'D', 'K')):
        c.shape([(1.8, y), (3, y - 1.2), (4.2, y), (3, y + 1.2)], None, mark, lw)
        c.stroke([(5.8, y), (12.5, y)], colour, lw)
    return c.rows()


def icon(size):  # the 32-px frame's printer, for the other sizes
    c = Canvas(size, 32)
    lw = max(1, round(size / 42))
    c.rect(9, 1, 23, 12, 'W', 'K', lw)
    for y, x1 in ((3.5, 21), (5.5, 18), (7.5, 20), (9.5, 16)):
        c.stroke([(11, y), (x1, y)], 'D', lw)
    c.rect(1, 10, 31, 27, 'S', 'K', lw)
    c.rect(1 + lw / c.scale, 11, 30, 12, 'W')
    c.rect(2, 25, 30, 26, 'D')
    c.rect(29, 11, 30, 26, 'D')
    c.rect(8, 13, 24, 14, 'K')
    c.rect(4, 16, 19, 24, 'R', 'K', lw)
    for i, up in enumerate((True, False, True, True)):
        x = 6 + 3 * i
        c.rect(x, 18, x + 2, 22, 'K')
        c.rect(x, 18 if up else 20, x + 2, 20 if up else 22, 'W')
    c.rect(21, 16, 25, 20, 'L', 'K', lw)
    c.rect(25, 16, 29, 20, 'Y', 'K', lw)
    c.rect(21, 20, 29, 24, 'D', 'K', lw)
    c.rect(3, 27, 7, 29, 'K')
    c.rect(25, 27, 29, 29, 'K')
    return c.rows()


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
        side = size % 256  # a 256-px frame is written as 0
        entries += struct.pack('<BBBBHHII', side, side, 16, 0, 1, 4, len(data), offset)
        offset += len(data)
    return head + entries + b''.join(data for _, data in images)


SIZES = (16, 20, 24, 32)

# Each picture as pixel art at 16 px and as a drawing for the other sizes.
PICTURES = {
    'load': (LOAD, load), 'save': (SAVE, save), 'send': (SEND, send),
    'factory': (FACTORY, factory), 'printer': (PRINTER, printer), 'param': (PARAM, param),
    'msw': (MSW, msw), 'select': (SELECT, select),
}
TOOLBAR = ('load', 'save', 'send', 'factory', 'printer')
TABS = ('select', 'msw', 'param')


def picture(name, size):
    art, drawing = PICTURES[name]
    return art if size == 16 else drawing(size)


def file_name(name, size):
    """The 16-px picture keeps its plain name; the others carry their size."""
    return f'{name}.bmp' if size == 16 else f'{name}_{size}.bmp'


def main():
    files = {}
    for size in SIZES:
        for name in PICTURES:
            art = picture(name, size)
            check(art, size, size)
            files[file_name('menu_' + name, size)] = bmp(art)
        files[file_name('toolbar', size)] = bmp(strip(*(picture(n, size) for n in TOOLBAR)))
        files[file_name('tabs', size)] = bmp(strip(*(picture(n, size) for n in TABS)))
    frames = [ICON16, icon(20), icon(24), icon32(), icon(48), icon(256)]
    for art in frames:
        check(art, len(art), len(art))
    files['switchboard.ico'] = ico(*frames)

    if '--check' in sys.argv[1:]:
        return check_files(files)
    OUT.mkdir(exist_ok=True)
    for name, data in files.items():
        (OUT / name).write_bytes(data)
    return 0


def check_files(files):
    """Whether res/images/ holds exactly the files drawn, byte for byte."""
    present = {path.name for path in OUT.iterdir()} if OUT.is_dir() else set()
    wrong = sorted(name for name, data in files.items()
                   if name not in present or (OUT / name).read_bytes() != data)
    extra = sorted(present - files.keys())
    for name in wrong:
        print(f'make_images: res/images/{name} is not what this script draws', file=sys.stderr)
    for name in extra:
        print(f'make_images: res/images/{name} is not drawn by this script', file=sys.stderr)
    return 1 if wrong or extra else 0


if __name__ == '__main__':
    sys.exit(main())

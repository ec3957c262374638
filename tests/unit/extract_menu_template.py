#!/usr/bin/env python3
"""Writes menu_142_template.inc: the RT_MENU data of menu 142 as windres compiles it.

    printf '#pragma code_page(65001)\n#include <windows.h>\n#include "resource.h"\n#include "menu.rc"\n' > /tmp/menu_only.rc
    x86_64-w64-mingw32-windres -I res /tmp/menu_only.rc -O res -o /tmp/menu.res
    python3 tests/unit/extract_menu_template.py /tmp/menu.res > tests/unit/menu_142_template.inc
"""

import struct
import sys

RT_MENU = 4
MENU_ID = 142


def ordinal_or_name(data, pos):
    if struct.unpack_from('<H', data, pos)[0] == 0xFFFF:
        return struct.unpack_from('<H', data, pos + 2)[0], pos + 4
    end = pos
    while struct.unpack_from('<H', data, end)[0] != 0:
        end += 2
    return data[pos:end].decode('utf-16-le'), end + 2


def resources(data):
    pos = 0
    while pos < len(data):
        size, header = struct.unpack_from('<II', data, pos)
        kind, after = ordinal_or_name(data, pos + 8)
        name, _ = ordinal_or_name(data, after)
        start = pos + header
        yield kind, name, data[start:start + size]
        pos = (start + size + 3) & ~3


def main():
    data = open(sys.argv[1], 'rb').read()
    body = next(b for k, n, b in resources(data) if k == RT_MENU and n == MENU_ID)
    print('// Menu 142 as windres compiles it; made by extract_menu_template.py.')
    for i in range(0, len(body), 16):
        print('    ' + ' '.join('0x%02X,' % b for b in body[i:i + 16]))


if __name__ == '__main__':
    main()

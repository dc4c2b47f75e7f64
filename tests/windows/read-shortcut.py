#!/usr/bin/env python3

# SPDX-FileCopyrightText: 2026 Tamrel <tamrel@example.org>
# SPDX-License-Identifier: GPL-3.0-or-later

"""Reads a Windows shortcut (.lnk, Microsoft's Shell Link format) and prints what Explorer
starts from it: the target's path, the working folder and the icon's path, one a line. The
target's path is stored in the ANSI code page of the Windows that made the shortcut, which
is given.

Usage: read-shortcut.py SHORTCUT.lnk CODEPAGE (e.g. cp1251)
"""

import struct
import sys

HAS_TARGET_ID_LIST, HAS_LINK_INFO, HAS_NAME, HAS_RELATIVE_PATH = 0x1, 0x2, 0x4, 0x8
HAS_WORKING_DIR, HAS_ARGUMENTS, HAS_ICON_LOCATION, IS_UNICODE = 0x10, 0x20, 0x40, 0x80


def c_string(data, offset, encoding):
    return data[offset:data.index(b"\0", offset)].decode(encoding)


def main():
    data = open(sys.argv[1], "rb").read()
    codepage = sys.argv[2]
    header_size, = struct.unpack_from("<I", data, 0)
    if header_size != 0x4C:
        sys.exit(f"{sys.argv[1]} is not a shortcut")
    flags, = struct.unpack_from("<I", data, 20)
    position = header_size
    if flags & HAS_TARGET_ID_LIST:
        position += 2 + struct.unpack_from("<H", data, position)[0]
    target = ""
    if flags & HAS_LINK_INFO:
        size, info_header, _, _, base, _, suffix = struct.unpack_from("<7I", data, position)
        if info_header >= 0x24:
            base_unicode, = struct.unpack_from("<I", data, position + 28)
            end = data.index(b"\0\0", position + base_unicode)
            end += (end - position - base_unicode) % 2
            target = data[position + base_unicode:end].decode("utf-16-le")
        else:
            target = c_string(data, position + base, codepage)
        target += c_string(data, position + suffix, codepage)
        position += size
    strings = {}
    for flag in (HAS_NAME, HAS_RELATIVE_PATH, HAS_WORKING_DIR, HAS_ARGUMENTS, HAS_ICON_LOCATION):
        if flags & flag:
            count, = struct.unpack_from("<H", data, position)
            position += 2
            length = count * 2 if flags & IS_UNICODE else count
            raw = data[position:position + length]
            text = raw.decode("utf-16-le" if flags & IS_UNICODE else codepage)
            strings[flag] = text.rstrip("\0")
            position += length
    print(target)
    print(strings.get(HAS_WORKING_DIR, ""))
    print(strings.get(HAS_ICON_LOCATION, ""))


if __name__ == "__main__":
    main()

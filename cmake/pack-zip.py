#!/usr/bin/env python3

# SPDX-FileCopyrightText: 2026 Tamrel <tamrel@example.org>
# SPDX-License-Identifier: GPL-3.0-or-later

"""Packs a folder into a zip that is the same, byte for byte, wherever and whenever it is
made from the same files: the folder itself as the top entry, entries in the order of their
paths, every entry with the given time (as UTC) and with Windows attributes only (no owner,
permissions or extra time fields of the build machine), files compressed at the highest level.

Usage: pack-zip.py FOLDER OUTPUT.zip SOURCE_DATE_EPOCH
"""

import os
import sys
import time
import zipfile

FILE_ATTRIBUTE_DIRECTORY = 0x10
FILE_ATTRIBUTE_ARCHIVE = 0x20


def entry(name, epoch, directory):
    # Zip times are local times of day to two seconds; the epoch is written as UTC.
    info = zipfile.ZipInfo(name, time.gmtime(epoch)[:6])
    info.create_system = 0  # MS-DOS and Windows: the attributes below are Windows ones
    info.external_attr = FILE_ATTRIBUTE_DIRECTORY if directory else FILE_ATTRIBUTE_ARCHIVE
    info.compress_type = zipfile.ZIP_STORED if directory else zipfile.ZIP_DEFLATED
    return info


def main():
    folder, output, epoch = sys.argv[1], sys.argv[2], int(sys.argv[3])
    top = os.path.basename(os.path.normpath(folder))
    paths = []
    for root, directories, files in os.walk(folder):
        relative = os.path.relpath(root, folder)
        for name in directories:
            paths.append((os.path.normpath(os.path.join(relative, name)), True))
        for name in files:
            paths.append((os.path.normpath(os.path.join(relative, name)), False))
    temporary = output + ".part"
    with zipfile.ZipFile(temporary, "w") as archive:
        archive.writestr(entry(top + "/", epoch, True), b"")
        for path, directory in sorted(paths):
            name = top + "/" + path.replace(os.sep, "/") + ("/" if directory else "")
            if directory:
                archive.writestr(entry(name, epoch, True), b"")
            else:
                with open(os.path.join(folder, path), "rb") as file:
                    archive.writestr(entry(name, epoch, False), file.read(), compresslevel=9)
    os.replace(temporary, output)


if __name__ == "__main__":
    main()

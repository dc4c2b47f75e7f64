#!/usr/bin/env python3

# SPDX-FileCopyrightText: 2026 Tamrel <tamrel@example.org>
# SPDX-License-Identifier: GPL-3.0-or-later

"""Reads the resources of the built Windows program file back and checks what Explorer and
the file's Properties show: the icon (32 x 32 and 16 x 16 pixels, each in 16 and in 256
colours) and the version record (file and product version, English (United States),
Unicode); and what Windows reads before it starts the program: its application manifest
(the user's own rights, Windows 10 and 11, per-monitor DPI awareness v2). Every program file
of the portable folder must let Windows load it at a random address anywhere in the 64-bit
address space and keep its data from being executed (ASLR, high-entropy ASLR, DEP).

Usage: check-program-file.py PROGRAM.exe VERSION PORTABLE-FOLDER
"""

import pathlib
import struct
import sys
from xml.etree import ElementTree

import pefile

RT_ICON = pefile.RESOURCE_TYPE["RT_ICON"]
RT_GROUP_ICON = pefile.RESOURCE_TYPE["RT_GROUP_ICON"]
RT_VERSION = pefile.RESOURCE_TYPE["RT_VERSION"]
RT_MANIFEST = pefile.RESOURCE_TYPE["RT_MANIFEST"]
ENGLISH_US = 0x0409
UNICODE = 1200

# Microsoft's names for the manifest's parts and the one identifier of Windows 10 and 11.
MANIFEST = {"asm3": "urn:schemas-microsoft-com:asm.v3",
            "compatibility": "urn:schemas-microsoft-com:compatibility.v1",
            "settings2016": "http://schemas.microsoft.com/SMI/2016/WindowsSettings"}
WINDOWS_10_AND_11 = "{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}"

# IMAGE_DLLCHARACTERISTICS_* of the optional header.
HIGH_ENTROPY_VA, DYNAMIC_BASE, NX_COMPAT = 0x0020, 0x0040, 0x0100
BASE_RELOCATION = pefile.DIRECTORY_ENTRY["IMAGE_DIRECTORY_ENTRY_BASERELOC"]

failures = []


def check(description, condition):
    print(("ok: " if condition else "FAILED: ") + description)
    if not condition:
        failures.append(description)


def entries(pe, resource_type):
    """(name or id, language, data) of every resource of one type."""
    found = []
    for type_entry in pe.DIRECTORY_ENTRY_RESOURCE.entries:
        if type_entry.id != resource_type:
            continue
        for name_entry in type_entry.directory.entries:
            for language_entry in name_entry.directory.entries:
                location = language_entry.data.struct
                data = pe.get_data(location.OffsetToData, location.Size)
                found.append((name_entry.id, language_entry.id, data))
    return found


def icon_images(pe):
    """(width, height, colours, bits) of each image of the first icon group, as the group
    lists them, after checking that each image it names is there and agrees."""
    groups = entries(pe, RT_GROUP_ICON)
    check("the program file holds an icon group", bool(groups))
    if not groups:
        return []
    icons = {name: data for name, _, data in entries(pe, RT_ICON)}
    check("the program file holds exactly four icon images", len(icons) == 4)

    data = groups[0][2]
    reserved, kind, count = struct.unpack_from("<HHH", data, 0)
    check("the first group is an icon group", reserved == 0 and kind == 1)
    images = []
    for i in range(count):
        width, height, colours, _, planes, bits, size, image_id = struct.unpack_from(
            "<BBBBHHIH", data, 6 + 14 * i)
        width, height = width or 256, height or 256
        images.append((width, height, colours, bits))
        image = icons.get(image_id)
        check(f"icon image {image_id} ({width} x {height}, {bits} bits) is in the file",
              image is not None and len(image) == size)
        if image is None:
            continue
        # Each image is a device-independent bitmap whose header gives its own size and
        # depth; its height counts the colour image and the mask.
        header_size, dib_width, dib_height, _, dib_bits = struct.unpack_from("<IiiHH", image, 0)
        check(f"icon image {image_id} is a bitmap of {width} x {height} in {bits} bits",
              header_size == 40 and (dib_width, dib_height, dib_bits) == (width, 2 * height, bits))
    return images


def version_record(pe, version):
    records = entries(pe, RT_VERSION)
    check("the program file holds one version record", len(records) == 1)
    if records:
        check("the version record is in English (United States)", records[0][1] == ENGLISH_US)

    # The numeric form: 1.00 is 1, 0, 0, 0.
    major, minor = (int(part) for part in version.split("."))
    fixed = pe.VS_FIXEDFILEINFO[0]
    check(f"numeric file version {major}.{minor}.0.0",
          (fixed.FileVersionMS, fixed.FileVersionLS) == (major << 16 | minor, 0))
    check(f"numeric product version {major}.{minor}.0.0",
          (fixed.ProductVersionMS, fixed.ProductVersionLS) == (major << 16 | minor, 0))
    check("file type application", fixed.FileType == 1)

    tables = {}
    translations = []
    for info in pe.FileInfo[0]:
        if info.Key == b"StringFileInfo":
            for table in info.StringTable:
                tables[table.LangID.decode().upper()] = table.entries
        elif info.Key == b"VarFileInfo":
            for var in info.Var:
                translations.extend(var.entry.values())
    key = f"{ENGLISH_US:04X}{UNICODE:04X}"
    check(f"one string table, {key}: English (United States), Unicode", list(tables) == [key])
    strings = tables.get(key, {})
    for name in ("FileVersion", "ProductVersion"):
        value = strings.get(name.encode(), b"").decode()
        check(f'{name} "{version}" (found "{value}")', value == version)
    check('ProductName "DD for Velmor"', strings.get(b"ProductName") == b"DD for Velmor")
    check(f"translation {ENGLISH_US:#06x}, code page {UNICODE}",
          translations == [f"0x{ENGLISH_US:04x} 0x{UNICODE:04x}"])


def manifest(pe):
    found = entries(pe, RT_MANIFEST)
    check("the program file holds one application manifest, number 1",
          [name for name, _, _ in found] == [1])
    if not found:
        return
    root = ElementTree.fromstring(found[0][2])
    level = root.find(".//asm3:trustInfo/asm3:security/asm3:requestedPrivileges/"
                      "asm3:requestedExecutionLevel", MANIFEST)
    check("the manifest asks for the rights of the user who starts it (asInvoker)",
          level is not None and level.get("level") == "asInvoker"
          and level.get("uiAccess", "false") == "false")
    systems = [system.get("Id") for system in root.findall(
        "compatibility:compatibility/compatibility:application/compatibility:supportedOS",
        MANIFEST)]
    check(f"the manifest names Windows 10 and 11 as supported (found {systems})",
          systems == [WINDOWS_10_AND_11])
    awareness = root.find("asm3:application/asm3:windowsSettings/settings2016:dpiAwareness",
                          MANIFEST)
    check("the manifest makes the program DPI-aware per monitor, version 2",
          awareness is not None and awareness.text.strip() == "PerMonitorV2")


def security_flags(folder):
    programs = sorted(path for path in pathlib.Path(folder).rglob("*")
                      if path.suffix.lower() in (".exe", ".dll"))
    check(f"the portable folder holds ddvelmor.exe and DLLs ({len(programs)} program files)",
          any(path.name == "ddvelmor.exe" for path in programs) and len(programs) > 1)
    for path in programs:
        pe = pefile.PE(str(path), fast_load=True)
        flags = pe.OPTIONAL_HEADER.DllCharacteristics
        relocations = pe.OPTIONAL_HEADER.DATA_DIRECTORY[BASE_RELOCATION].Size
        name = path.relative_to(folder)
        check(f"{name}: ASLR with relocations, high-entropy ASLR, DEP (flags {flags:#06x})",
              flags & DYNAMIC_BASE and relocations and flags & HIGH_ENTROPY_VA
              and flags & NX_COMPAT)


def main():
    program, version, portable = sys.argv[1], sys.argv[2], sys.argv[3]
    pe = pefile.PE(program, fast_load=True)
    pe.parse_data_directories(directories=[
        pefile.DIRECTORY_ENTRY["IMAGE_DIRECTORY_ENTRY_RESOURCE"]])
    check("the program file is a Windows program for 64-bit x86",
          pe.FILE_HEADER.Machine == pefile.MACHINE_TYPE["IMAGE_FILE_MACHINE_AMD64"]
          and pe.OPTIONAL_HEADER.Subsystem == pefile.SUBSYSTEM_TYPE["IMAGE_SUBSYSTEM_WINDOWS_GUI"])

    images = icon_images(pe)
    print("icon images:", images)
    check("icon images 32 x 32 and 16 x 16, each in 16 colours (4 bits) and 256 (8 bits)",
          sorted(images) == sorted([(32, 32, 16, 4), (16, 16, 16, 4),
                                    (32, 32, 0, 8), (16, 16, 0, 8)]))
    version_record(pe, version)
    manifest(pe)
    security_flags(portable)
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())

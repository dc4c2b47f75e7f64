#!/usr/bin/env python3

# SPDX-FileCopyrightText: 2026 Tamrel <tamrel@example.org>
# SPDX-License-Identifier: GPL-3.0-or-later

"""Writes the licence files of the Windows downloads into OUTPUT: LICENSE.txt (the program's
licence), NOTICE.txt (every bundled component with its licence texts) and SOURCE.txt (where
the source of everything in the download is), with Windows line ends so that Notepad shows
them, the two with Russian text in UTF-8 with a byte-order mark so that every Notepad reads it.

NOTICE.txt.in and SOURCE.txt.in in TEMPLATES are string.Template texts. Their fields are the
NAME=VALUE arguments and these licence texts:
  qt_lgpl, qt_gpl_exception      Qt's licence texts, from QT-PREFIX/licenses
  qt_entry_point_bsd             the BSD licence of Qt's entry point, linked into the program
  qt_third_party                 the third-party code compiled into the Qt files
                                 (written there by cmake/qt-attributions.py)
  gcc_exception                  the GCC Runtime Library Exception, from Debian's record
  libstdcxx_ryu_bsl, libstdcxx_fast_float_mit
                                 the licences of the two number-conversion libraries that
                                 GCC 12 compiles into libstdc++
  mingw_licences                 the parts of Debian's copyright record of mingw-w64 that
                                 cover its C run-time (start-up code and library) and
                                 winpthreads

Usage: windows-notices.py LICENSE TEMPLATES QT-PREFIX GCC-COPYRIGHT MINGW-COPYRIGHT OUTPUT
                          NAME=VALUE...
"""

import os
import string
import sys


def read(path):
    with open(path, encoding="utf-8") as file:
        return file.read().strip("\n")


def write(path, text, bom):
    """Text with Windows line ends, ending in one."""
    data = text.strip("\n").replace("\r\n", "\n").replace("\n", "\r\n") + "\r\n"
    with open(path, "w", encoding="utf-8-sig" if bom else "utf-8", newline="") as file:
        file.write(data)


def between(text, first, last, source):
    """The lines of TEXT from the one that is FIRST to the one that ends with LAST."""
    lines = text.splitlines()
    try:
        start = lines.index(first)
        end = next(i for i in range(start, len(lines)) if lines[i].endswith(last))
    except (ValueError, StopIteration):
        sys.exit(f"{source} no longer holds the text from {first!r} to {last!r}")
    return "\n".join(lines[start:end + 1])


def dep5_paragraphs(text):
    """The paragraphs of a machine-readable Debian copyright file: (raw text, fields)."""
    paragraphs = []
    for raw in text.split("\n\n"):
        raw = raw.strip("\n")
        if not raw:
            continue
        fields, name = {}, None
        for line in raw.splitlines():
            if line[:1] in (" ", "\t") and name:
                fields[name] += "\n" + line
            else:
                name, _, value = line.partition(":")
                fields[name] = value.strip()
        paragraphs.append((raw, fields))
    return paragraphs


def mingw_licences(path):
    """The paragraphs of Debian's mingw-w64 copyright record for the files that end up in the
    program and the DLLs: the default licence of the project, the C run-time and winpthreads
    (not its tests), followed by the licence texts they name without giving them."""
    paragraphs = dep5_paragraphs(read(path))
    chosen, named = [], []
    for raw, fields in paragraphs:
        patterns = fields.get("Files", "").split()
        if patterns == ["*"] or any(
                pattern.startswith(("mingw-w64-crt/", "mingw-w64-libraries/winpthreads/"))
                and "/tests_pthread/" not in pattern for pattern in patterns):
            chosen.append(raw)
            licence = fields["License"]
            if "\n" not in licence:  # a name only: the text stands in a paragraph of its own
                for name in licence.replace(" and ", " or ").split(" or "):
                    if name not in named:
                        named.append(name)
    texts = {fields["License"].split("\n")[0]: raw for raw, fields in paragraphs
             if "Files" not in fields and "License" in fields}
    missing = [name for name in named if name not in texts]
    if missing or len(chosen) < 3:
        sys.exit(f"{path}: no licence text for {missing}, or no paragraphs for the run-time")
    return "\n\n".join(chosen + [texts[name] for name in named])


def main():
    licence, templates, qt_prefix, gcc_copyright, mingw_copyright, output = sys.argv[1:7]
    fields = dict(argument.split("=", 1) for argument in sys.argv[7:])
    qt_licences = os.path.join(qt_prefix, "licenses")

    def qt_text(name, copyright_line=None):
        """One of Qt's licence texts; the templates among them have their line
        "Copyright (c) <year> <holder>" filled in."""
        lines = read(os.path.join(qt_licences, name)).splitlines()
        if copyright_line:
            placeholder = [i for i, line in enumerate(lines) if line.startswith("Copyright (c) <")]
            if len(placeholder) != 1:
                sys.exit(f"{name} has no copyright line to fill in")
            lines[placeholder[0]] = copyright_line
        return "\n".join(lines)

    fields.update(
        qt_lgpl=qt_text("LGPL-3.0-only.txt"),
        qt_gpl_exception=qt_text("Qt-GPL-exception-1.0.txt"),
        qt_entry_point_bsd=qt_text("BSD-3-Clause.txt", "Copyright (C) 2019 The Qt Company Ltd."),
        qt_third_party=read(os.path.join(qt_licences, "third-party.txt")),
        gcc_exception=between(read(gcc_copyright), "GCC RUNTIME LIBRARY EXCEPTION",
                              "requirements of the license of GCC.", gcc_copyright),
        libstdcxx_ryu_bsl=qt_text("BSL-1.0.txt"),
        libstdcxx_fast_float_mit=qt_text("MIT.txt", "Copyright (c) 2021 The fast_float authors"),
        mingw_licences=mingw_licences(mingw_copyright))

    os.makedirs(output, exist_ok=True)
    write(os.path.join(output, "LICENSE.txt"), read(licence), bom=False)
    for name in ("NOTICE.txt", "SOURCE.txt"):
        template = string.Template(read(os.path.join(templates, name + ".in")))
        write(os.path.join(output, name), template.substitute(fields), bom=True)


if __name__ == "__main__":
    main()

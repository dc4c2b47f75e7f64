#!/usr/bin/env python3

# SPDX-FileCopyrightText: 2026 Tamrel <tamrel@example.org>
# SPDX-License-Identifier: GPL-3.0-or-later

"""Writes the licences of the third-party code compiled into the Qt files the program ships,
from Qt's own qt_attribution.json files, after a Qt build with Ninja.

What is compiled in is read from the build: the objects that the link of each shipped file
takes, directly or through the static libraries it links, and every source and header that
the compiler read for them (Ninja's dependency log). An attribution counts when one of the
files it names, or the folder it stands for, is among them: this catches third-party code
that Qt includes into its own sources as well as the bundled libraries.

Usage: qt-attributions.py SOURCE BUILD OUTPUT SHIPPED-FILE...
       (shipped files relative to BUILD, as Ninja names them: bin/Qt6Core.dll ...)
"""

import json
import os
import subprocess
import sys


def ninja_inputs(build):
    """Every build statement's inputs, explicit and implicit, by output."""
    inputs = {}
    with open(os.path.join(build, "build.ninja"), encoding="utf-8") as ninja:
        for line in ninja:
            if not line.startswith("build "):
                continue
            # Paths with blanks are escaped as "$ "; the build folders have none.
            outputs, _, rest = line[len("build "):].rstrip("\n").partition(": ")
            words = rest.split(" ")[1:]  # after the rule
            if "||" in words:  # order-only inputs are not linked
                words = words[:words.index("||")]
            files = [word for word in words if word and word != "|"]
            for output in outputs.split(" "):
                inputs[output] = files
    return inputs


def linked_objects(inputs, shipped):
    """The objects that go into the shipped files, following static libraries."""
    objects, seen, pending = set(), set(), list(shipped)
    while pending:
        output = pending.pop()
        if output in seen:
            continue
        seen.add(output)
        if output not in inputs:
            sys.exit(f"build.ninja does not make {output}")
        for file in inputs[output]:
            if file.endswith(".obj"):
                objects.add(file)
            elif file.endswith(".a") and file in inputs:
                pending.append(file)
    return objects


def files_read(build, objects, source):
    """The files under SOURCE that the compiler read for the objects, relative to SOURCE."""
    listing = subprocess.run(["ninja", "-C", build, "-t", "deps", *sorted(objects)],
                             check=True, capture_output=True, text=True).stdout
    source = os.path.realpath(source)
    read = set()
    for line in listing.splitlines():
        if not line.startswith("    "):
            continue
        path = os.path.realpath(os.path.join(build, line.strip()))
        if path.startswith(source + os.sep):
            read.add(os.path.relpath(path, source))
    if not read:
        sys.exit("Ninja's dependency log names no source file: was Qt built with Ninja?")
    return read


def attributions(source):
    """(folder, entry) for every attribution under SOURCE/src. Qt's files are JSON with line
    breaks inside strings and repeated keys (the last one holds)."""
    found = []
    for folder, _, names in sorted(os.walk(os.path.join(source, "src"))):
        if "qt_attribution.json" not in names:
            continue
        with open(os.path.join(folder, "qt_attribution.json"), encoding="utf-8") as file:
            data = json.loads(file.read(), strict=False)
        for entry in data if isinstance(data, list) else [data]:
            found.append((os.path.relpath(folder, source), entry))
    return found


def covers(folder, entry, read):
    """Whether the files or folder an attribution stands for are among the files read."""
    if "Files" in entry:
        # A blank-separated string up to Qt 6.4, a list in later versions.
        files = entry["Files"]
        if isinstance(files, str):
            files = files.split()
        scope = [os.path.normpath(os.path.join(folder, f)) for f in files]
    else:
        scope = [os.path.normpath(os.path.join(folder, entry.get("Path", ".")))]
    return any(path == part or path.startswith(part + os.sep) for part in scope for path in read)


def licence_texts(source, folder, entry):
    names = entry.get("LicenseFiles") or ([entry["LicenseFile"]] if "LicenseFile" in entry else [])
    texts = []
    for name in names:
        with open(os.path.join(source, folder, name), encoding="utf-8", errors="replace") as file:
            texts.append(file.read().strip("\n"))
    return texts


def field_text(value):
    """A field's text: a string up to Qt 6.4, a list of lines in later versions."""
    return ("\n".join(value) if isinstance(value, list) else value).strip()


def main():
    source, build, output, shipped = sys.argv[1], sys.argv[2], sys.argv[3], sys.argv[4:]
    read = files_read(build, linked_objects(ninja_inputs(build), shipped), source)
    used = [(folder, entry) for folder, entry in attributions(source) if covers(folder, entry, read)]
    if not used:
        sys.exit("no attribution matches the files compiled into " + " ".join(shipped))
    used.sort(key=lambda item: item[1]["Name"].lower())

    rule = "-" * 72
    with open(output, "w", encoding="utf-8") as out:
        for folder, entry in used:
            version = f" {entry['Version']}" if entry.get("Version") else ""
            out.write(f"{rule}\n{entry['Name']}{version}\n")
            out.write(f"In Qt: {field_text(entry.get('QtUsage', ''))}\n")
            out.write(f"Copyright: {field_text(entry.get('Copyright', ''))}\n")
            spdx = f" ({entry['LicenseId']})" if entry.get("LicenseId") else ""
            out.write(f"Licence: {entry['License']}{spdx}\n\n")
            for text in licence_texts(source, folder, entry):
                out.write(text + "\n\n")
    print(f"{len(used)} third-party attributions for {' '.join(shipped)}")


if __name__ == "__main__":
    main()

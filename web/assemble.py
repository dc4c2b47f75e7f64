#!/usr/bin/env python3

# SPDX-FileCopyrightText: 2026 Tamrel <tamrel@example.org>
# SPDX-License-Identifier: GPL-3.0-or-later

"""Puts the web page's static site together in one folder:

  index.html, design.css, page.css, manifest.webmanifest
                           written by the page generator from the designs and web/page/ (GENERATED)
  author.png               the Author picture as the desktop program paints it (GENERATED)
  ddvelmor-core.mjs/.wasm  the calculator's core compiled to WebAssembly (CORE)
  page.js, sw.js           the view and its service worker, from web/page/
  icons/                   the program's icons at the sizes browsers ask for, from desktop/app/icons/

The release id, a hash of every file of the site, goes into the page and its service worker,
with the list of files the worker keeps and the project's version, which the generated page
names: a new release is a new worker, which replaces the cached site. The same inputs give the
same site, byte for byte.

Usage: assemble.py GENERATED CORE SITE
"""

import hashlib
import json
import re
import shutil
import sys
from pathlib import Path

SOURCE = Path(__file__).resolve().parent.parent


def main():
    generated, core, site = (Path(a) for a in sys.argv[1:4])
    files = {
        "index.html": generated / "index.html",
        "design.css": generated / "design.css",
        "page.css": generated / "page.css",
        "manifest.webmanifest": generated / "manifest.webmanifest",
        "author.png": generated / "author.png",
        "ddvelmor-core.mjs": core / "ddvelmor-core.mjs",
        "ddvelmor-core.wasm": core / "ddvelmor-core.wasm",
        "icons/ddvelmor-32.png": SOURCE / "desktop/app/icons/hicolor/32x32/apps/ddvelmor.png",
    }
    for name in ("page.js", "sw.js"):
        files[name] = SOURCE / "web/page" / name
    for icon in sorted((SOURCE / "desktop/app/icons/web").glob("ddvelmor-*.png")):
        files[f"icons/{icon.name}"] = icon

    contents = {name: path.read_bytes() for name, path in files.items()}
    digest = hashlib.sha256()
    for name in sorted(contents):
        digest.update(name.encode() + b"\0" + contents[name] + b"\0")
    release = digest.hexdigest()[:16]

    version = re.search(rb'<meta name="version" content="([^"]+)">', contents["index.html"])
    if not version:
        sys.exit(f"{files['index.html']} names no version")
    kept = ["./"] + sorted(name for name in contents if name not in ("sw.js", "index.html"))
    contents["index.html"] = contents["index.html"].replace(b"@RELEASE@", release.encode())
    contents["sw.js"] = (contents["sw.js"].replace(b"@RELEASE@", release.encode())
                         .replace(b"@VERSION@", version.group(1))
                         .replace(b"@FILES@", ", ".join(json.dumps(n) for n in kept).encode()))

    if site.exists():
        shutil.rmtree(site)
    for name, data in sorted(contents.items()):
        path = site / name
        path.parent.mkdir(parents=True, exist_ok=True)
        path.write_bytes(data)
    print(f"site {release}: {len(contents)} files, {sum(map(len, contents.values()))} bytes "
          f"in {site}")


if __name__ == "__main__":
    main()

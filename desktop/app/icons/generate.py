#!/usr/bin/env python3

# SPDX-FileCopyrightText: 2026 Tamrel <tamrel@example.org>
# SPDX-License-Identifier: GPL-3.0-or-later

"""Makes the program's icon images from its vector drawings.

ddvelmor.svg is the icon; ddvelmor-16.svg is the same motif redrawn for 16 pixels. From them
this script writes, beside itself:

  hicolor/<N>x<N>/apps/ddvelmor.png   the freedesktop theme sizes, 32-bit RGBA
  web/ddvelmor-<N>.png                the web page's icons at the sizes browsers ask for (the
                                      home-screen icon of iOS, the web app manifest's two)
  ddvelmor.ico                        the Windows icon: 32 x 32 and 16 x 16, each in 16 and in
                                      256 colours (4-bit and 8-bit bitmaps with an AND mask)

The drawings are rasterised by rsvg-convert (Debian package librsvg2-bin); everything else is
the Python standard library, and the files are written byte for byte the same on every run.
The generated files are committed, so building the program never runs this script.

  generate.py            write the files
  generate.py --check    compare the committed files with freshly generated ones; exit 1 on a
                         difference, 77 when rsvg-convert is missing
"""

import argparse
import shutil
import struct
import subprocess
import sys
import zlib
from pathlib import Path

HERE = Path(__file__).resolve().parent
SOURCE = HERE / "ddvelmor.svg"
SMALL_SOURCE = HERE / "ddvelmor-16.svg"
THEME_SIZES = (16, 24, 32, 48, 64, 128, 256)
WEB_SIZES = (180, 192, 512)
ICO_IMAGES = ((32, 4), (16, 4), (32, 8), (16, 8))  # (size, bits per pixel)
GREYS = ((0, 0, 0), (128, 128, 128), (192, 192, 192), (255, 255, 255))
SKIP = 77  # what CTest is told means "skipped"

# The sixteen colours of the classic Windows palette, in its order.
VGA_PALETTE = (
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0),
    (0, 0, 128), (128, 0, 128), (0, 128, 128), (192, 192, 192),
    (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0),
    (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255),
)


def render(size):
    """The icon at size x size pixels as rows of (r, g, b, a) tuples, straight alpha."""
    source = SMALL_SOURCE if size <= 16 else SOURCE
    png = subprocess.run(
        ["rsvg-convert", "--width", str(size), "--height", str(size), "--format", "png",
         str(source)],
        check=True, capture_output=True).stdout
    width, height, pixels = decode_png(png)
    if (width, height) != (size, size):
        raise SystemExit(f"rsvg-convert gave {width} x {height} for {size}")
    return pixels


def decode_png(data):
    """Decodes the 8-bit RGBA or RGB, non-interlaced PNG that rsvg-convert writes."""
    if data[:8] != b"\x89PNG\r\n\x1a\n":
        raise SystemExit("not a PNG")
    pos, idat, header = 8, b"", None
    while pos < len(data):
        length, kind = struct.unpack(">I4s", data[pos:pos + 8])
        body = data[pos + 8:pos + 8 + length]
        pos += 12 + length
        if kind == b"IHDR":
            header = struct.unpack(">IIBBBBB", body)
        elif kind == b"IDAT":
            idat += body
    width, height, depth, colour, _, _, interlace = header
    if depth != 8 or colour not in (2, 6) or interlace:
        raise SystemExit(f"unexpected PNG kind: depth {depth}, colour type {colour}")
    channels = 4 if colour == 6 else 3
    raw = zlib.decompress(idat)
    stride = width * channels
    rows, previous = [], bytearray(stride)
    for y in range(height):
        start = y * (stride + 1)
        kind, line = raw[start], bytearray(raw[start + 1:start + 1 + stride])
        for i in range(stride):
            left = line[i - channels] if i >= channels else 0
            up = previous[i]
            upper_left = previous[i - channels] if i >= channels else 0
            if kind == 1:
                line[i] = (line[i] + left) & 0xFF
            elif kind == 2:
                line[i] = (line[i] + up) & 0xFF
            elif kind == 3:
                line[i] = (line[i] + (left + up) // 2) & 0xFF
            elif kind == 4:
                p = left + up - upper_left
                pa, pb, pc = abs(p - left), abs(p - up), abs(p - upper_left)
                pred = left if pa <= pb and pa <= pc else up if pb <= pc else upper_left
                line[i] = (line[i] + pred) & 0xFF
        rows.append([tuple(line[x * channels:x * channels + channels]) + ((255,) if channels == 3
                                                                          else ())
                     for x in range(width)])
        previous = line
    return width, height, rows


def encode_png(pixels):
    """A plain RGBA PNG with no metadata, so that equal pixels give equal files."""
    size = len(pixels)
    raw = b"".join(b"\x00" + bytes(c for px in row for c in px) for row in pixels)

    def chunk(kind, body):
        return struct.pack(">I", len(body)) + kind + body + struct.pack(
            ">I", zlib.crc32(kind + body) & 0xFFFFFFFF)

    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", size, size, 8, 6, 0, 0, 0))
            + chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b""))


def nearest(palette, colour):
    return min(range(len(palette)),
               key=lambda i: sum((a - b) ** 2 for a, b in zip(palette[i], colour)))


def median_cut(colours, count):
    """At most count colours that stand for the given ones (a list of (r, g, b))."""
    boxes = [sorted(colours)]
    while len(boxes) < count:
        spans = []
        for box in boxes:
            spread = [max(c[ch] for c in box) - min(c[ch] for c in box) for ch in range(3)]
            spans.append((max(spread), spread.index(max(spread))))
        widest = max(range(len(boxes)), key=lambda i: (spans[i][0], len(boxes[i])))
        if spans[widest][0] == 0:
            break
        channel = spans[widest][1]
        box = sorted(boxes[widest], key=lambda c: (c[channel], c))
        half = len(box) // 2
        boxes[widest:widest + 1] = [box[:half], box[half:]]
    return sorted({tuple(sum(c[ch] for c in box) // len(box) for ch in range(3)) for box in boxes})


def ico_image(pixels, bits):
    """One ICO entry: BITMAPINFOHEADER, palette, colour bitmap and AND mask, rows bottom up.

    A pixel less than half opaque is transparent (AND bit set, colour index 0); the others
    keep their colour as if laid on the icon's own ground."""
    size = len(pixels)
    opaque = [[px[3] >= 128 for px in row] for row in pixels]
    colours = [px[:3] for row in pixels for px in row if px[3] >= 128]
    if bits == 4:
        # The drawing is black on a near-white ground: its shades go to the palette's four
        # greys, as the nearest colour would tint some of them red or olive.
        palette, candidates = list(VGA_PALETTE), [VGA_PALETTE.index(g) for g in GREYS]
    else:
        palette = median_cut(colours, 256)
        candidates = list(range(len(palette)))
    palette += [(0, 0, 0)] * ((1 << bits) - len(palette))
    cache = {}

    def index(colour):
        if colour not in cache:
            cache[colour] = candidates[nearest([palette[i] for i in candidates], colour)]
        return cache[colour]

    indices = [[index(px[:3]) if op else 0 for px, op in zip(row, ops)]
               for row, ops in zip(pixels, opaque)]

    def padded(row_bytes):
        return row_bytes + b"\x00" * (-len(row_bytes) % 4)

    colour_rows, mask_rows = [], []
    for y in reversed(range(size)):
        row = indices[y]
        if bits == 4:
            colour_rows.append(padded(bytes((row[x] << 4) | row[x + 1]
                                            for x in range(0, size, 2))))
        else:
            colour_rows.append(padded(bytes(row)))
        mask = bytearray((size + 7) // 8)
        for x in range(size):
            if not opaque[y][x]:
                mask[x // 8] |= 0x80 >> (x % 8)
        mask_rows.append(padded(bytes(mask)))
    bitmap = b"".join(colour_rows) + b"".join(mask_rows)
    header = struct.pack("<IiiHHIIiiII", 40, size, 2 * size, 1, bits, 0, len(bitmap), 0, 0,
                         0, 0)
    table = b"".join(bytes((b, g, r, 0)) for r, g, b in palette)
    return header + table + bitmap


def make_ico(rendered):
    images = [(size, bits, ico_image(rendered[size], bits)) for size, bits in ICO_IMAGES]
    offset = 6 + 16 * len(images)
    directory, bodies = struct.pack("<HHH", 0, 1, len(images)), b""
    for size, bits, body in images:
        colour_count = (1 << bits) if bits < 8 else 0
        directory += struct.pack("<BBBBHHII", size, size, colour_count, 0, 1, bits, len(body),
                                 offset)
        offset += len(body)
        bodies += body
    return directory + bodies


def generate():
    """Every generated file as {path relative to this folder: bytes}."""
    rendered = {size: render(size)
                for size in set(THEME_SIZES) | set(WEB_SIZES) | {s for s, _ in ICO_IMAGES}}
    files = {f"hicolor/{s}x{s}/apps/ddvelmor.png": encode_png(rendered[s]) for s in THEME_SIZES}
    files.update({f"web/ddvelmor-{s}.png": encode_png(rendered[s]) for s in WEB_SIZES})
    files["ddvelmor.ico"] = make_ico(rendered)
    return files


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--check", action="store_true",
                        help="compare the committed files with freshly generated ones")
    args = parser.parse_args()
    if shutil.which("rsvg-convert") is None:
        print("rsvg-convert is missing (Debian package librsvg2-bin)", file=sys.stderr)
        return SKIP if args.check else 1
    files = generate()
    if args.check:
        stale = [name for name, data in sorted(files.items())
                 if not (HERE / name).is_file() or (HERE / name).read_bytes() != data]
        for name in stale:
            print(f"out of date: {name}", file=sys.stderr)
        print(f"{len(files) - len(stale)} of {len(files)} generated files are up to date")
        return 1 if stale else 0
    for name, data in sorted(files.items()):
        path = HERE / name
        path.parent.mkdir(parents=True, exist_ok=True)
        path.write_bytes(data)
        print(f"wrote {name} ({len(data)} bytes)")
    return 0


if __name__ == "__main__":
    sys.exit(main())

#!/usr/bin/env python3
"""Writes the program's eleven stroke fonts from the public-domain Hershey stroke data.

    tools/make_stroke_fonts.py [--hershey DIR] [--root DIR]

Reads the .jhf files of Debian's hershey-fonts-data (default /usr/share/hershey-fonts) and
writes, below the source tree (default: this script's parent folder):

    data/<NAME>.CHR                        one stroke-font file per font
    data/HERSHEY-FONTS.txt                 the acknowledgement the Hershey data asks for
    src/render/fonts/vector_font_data.cpp  the same fonts compiled in as tVectorFontRecord

The output depends on nothing but the input files, so running it twice gives identical
files; the generated files are checked in and the build does not need the Hershey data.

Stroke encoding (the character data of both the files and the compiled-in tables)
----------------------------------------------------------------------------------
A character is a list of polylines followed by a terminating 0 byte:

    n  x1 y1  x2 y2  ...  xn yn      n >= 1 points, each two signed bytes
    ...
    0                                end of the character

x counts font units to the right of the character's left edge, y font units up from the
baseline (descenders are negative). A polyline of one point is a dot. A blank character
is the single byte 0. The character's advance width is kept apart: in the file's width
table, and in the compiled-in tables as the signed byte just before the strokes.

Compiled-in character data: byte 0 is the font height (the capital height in font units);
each character's entry in the offset table points at its width byte, which the strokes
follow.

.CHR file layout (little-endian; offsets from the start of the file)
--------------------------------------------------------------------
    0x00  4   "PK" 0x08 0x08
    0x04  88  descriptive text ending in 0x1A, padded with 0
    0x5C  4   font name
    0x60  4   file size (uint32)              our own, not read by the loader
    0x64  28  0
    0x80  1   'S' (signature, not checked)
    0x81  2   character count n (int16)
    0x83  1   0
    0x84  1   first character code
    0x85  2   stroke-data offset from 0x80 (int16) = 0x10 + 3n
    0x87  1   scan flag 0
    0x88  1   capital height (int8)
    0x89  1   baseline 0
    0x8A  1   descender (int8, negative)
    0x8B  5   0
    0x90  2n  offset of each character's strokes from the stroke data (uint16)
          n   advance width of each character (uint8)
          ... stroke data
"""

import argparse
import os
import struct
import sys

FIRST_CHAR = 32
CHAR_COUNT = 95          # 32 .. 126
HERSHEY_BASELINE = 9     # Hershey y grows downwards; the roman capitals sit on y = 9

# Font number order, name, Hershey file, transform, description.
#   "plain": the strokes as drawn; "small": scaled to 3/5 (a compact font); "grid": every
#   point snapped to a grid of 3 units and the curves straightened (a segmented look).
FONTS = [
    ("LITT", "futural", "small", "small sans serif, from the Hershey simplex sans at 3/5"),
    ("EURO", "futuram", "plain", "sans serif, from the Hershey duplex sans"),
    ("BLCK", "gothgbt", "plain", "black letter, from the Hershey English gothic"),
    ("BOLD", "timesrb", "plain", "bold roman, from the Hershey bold roman"),
    ("LCD1", "futural", "grid", "segmented sans, from the Hershey simplex sans on a grid"),
    ("LCOM", "timesr", "plain", "roman, from the Hershey complex roman"),
    ("SCRI", "scripts", "plain", "script, from the Hershey simplex script"),
    ("SIMP", "rowmans", "plain", "simplex roman, from the Hershey simplex roman"),
    ("TRIP", "rowmant", "plain", "triplex roman, from the Hershey triplex roman"),
    ("TSCR", "scriptc", "plain", "heavy script, from the Hershey complex script"),
    ("GOTH", "gothicger", "plain", "gothic, from the Hershey German gothic"),
]

NOTICE = """Stroke fonts LITT, EURO, BLCK, BOLD, LCD1, LCOM, SCRI, SIMP, TRIP, TSCR, GOTH

These files are converted by tools/make_stroke_fonts.py from the Hershey fonts in
Debian's hershey-fonts-data package. The Hershey data's terms ask that this
acknowledgement be distributed with the font data:

- The Hershey Fonts were originally created by Dr. A. V. Hershey while working at
  the U. S. National Bureau of Standards.
- The format of the Font data in this distribution was originally created by
  James Hurt, Cognition, Inc., 900 Technology Park Drive, Billerica, MA 01821.

Font      Hershey file     Kind
"""


def read_jhf(path):
    """The glyphs of a .jhf file in file order: (left, right, [polyline of (x, y)])."""
    glyphs = []
    with open(path, encoding="latin-1") as f:
        for line in f:
            line = line.rstrip("\r\n")
            if len(line) < 10:
                continue
            count = int(line[5:8])
            body = line[8:]
            if len(body) != 2 * count:
                sys.exit(f"{path}: glyph {line[:5].strip()} has {len(body) // 2} pairs, not {count}")
            left, right = ord(body[0]) - ord("R"), ord(body[1]) - ord("R")
            strokes, current = [], []
            for i in range(2, len(body), 2):
                pair = body[i:i + 2]
                if pair == " R":
                    if current:
                        strokes.append(current)
                    current = []
                    continue
                current.append((ord(pair[0]) - ord("R"), ord(pair[1]) - ord("R")))
            if current:
                strokes.append(current)
            if right <= left and strokes:
                # One glyph of the triplex roman ("J") comes with no width at all; it gets the
                # side bearings of its neighbours around its own strokes.
                xs = [x for stroke in strokes for x, _ in stroke]
                left, right = min(xs) - 2, max(xs) + 2
            glyphs.append((left, right, strokes))
    return glyphs


def round_half_away(v):
    return int(v + 0.5) if v >= 0 else -int(-v + 0.5)


def transform(glyph, kind):
    """Our coordinates (x from the left edge, y up from the baseline) and the width."""
    left, right, strokes = glyph
    scale = 0.6 if kind == "small" else 1.0

    def point(p):
        x, y = (p[0] - left) * scale, (HERSHEY_BASELINE - p[1]) * scale
        if kind == "grid":
            return (3 * round_half_away(x / 3), 3 * round_half_away(y / 3))
        return (round_half_away(x), round_half_away(y))

    out = []
    for stroke in strokes:
        pts = []
        for p in stroke:
            q = point(p)
            if not pts or pts[-1] != q:
                pts.append(q)
        if kind == "grid":
            pts = straighten(pts)
        out.append(pts)
    width = round_half_away((right - left) * scale)
    if kind == "grid":
        width = 3 * round_half_away(width / 3)
    return width, out


def straighten(pts):
    """Drops the inner points of runs that keep one direction, so a snapped curve becomes a
    few straight segments."""
    if len(pts) < 3:
        return pts
    out = [pts[0]]
    for i in range(1, len(pts) - 1):
        a, b, c = out[-1], pts[i], pts[i + 1]
        if (b[0] - a[0]) * (c[1] - b[1]) != (b[1] - a[1]) * (c[0] - b[0]):
            out.append(b)
    out.append(pts[-1])
    return out


def encode_strokes(strokes):
    data = bytearray()
    for pts in strokes:
        while pts:
            chunk, pts = pts[:255], pts[254:] if len(pts) > 255 else []
            data.append(len(chunk))
            for x, y in chunk:
                if not (-128 <= x <= 127 and -128 <= y <= 127):
                    sys.exit(f"point {x},{y} out of byte range")
                data += struct.pack("<bb", x, y)
    data.append(0)
    return bytes(data)


def build_font(name, glyphs, kind):
    chars = []
    for code in range(FIRST_CHAR, FIRST_CHAR + CHAR_COUNT):
        width, strokes = transform(glyphs[code - FIRST_CHAR], kind)
        chars.append((width, encode_strokes(strokes)))
    # Capital height from "H", descender from the lowest point of the descending letters.
    _, h_strokes = transform(glyphs[ord("H") - FIRST_CHAR], kind)
    height = max(y for pts in h_strokes for _, y in pts)
    descender = min(y for c in "gjpqy" for pts in transform(glyphs[ord(c) - FIRST_CHAR], kind)[1]
                    for _, y in pts)
    return {"name": name, "chars": chars, "height": height, "descender": descender}


def chr_file(font, description):
    n = len(font["chars"])
    head = bytearray(0x90)
    head[0:4] = b"PK\x08\x08"
    text = f"Pax3d stroke font {font['name']}: {description}\r\n".encode("ascii")
    if len(text) > 87:
        sys.exit(f"description of {font['name']} too long")
    head[4:4 + len(text)] = text
    head[4 + len(text)] = 0x1A
    head[0x5C:0x60] = font["name"].encode("ascii")
    head[0x80] = ord("S")
    struct.pack_into("<h", head, 0x81, n)
    head[0x84] = FIRST_CHAR
    struct.pack_into("<h", head, 0x85, 0x10 + 3 * n)
    struct.pack_into("<bbb", head, 0x88, font["height"], 0, font["descender"])
    offsets, widths, strokes = bytearray(), bytearray(), bytearray()
    for width, data in font["chars"]:
        offsets += struct.pack("<H", len(strokes))
        widths.append(width)
        strokes += data
    body = bytes(head) + offsets + widths + strokes
    out = bytearray(body)
    struct.pack_into("<I", out, 0x60, len(out))
    return bytes(out)


def c_bytes(data, indent="    "):
    lines = []
    for i in range(0, len(data), 24):
        lines.append(indent + ",".join(str(b) for b in data[i:i + 24]) + ",")
    return "\n".join(lines)


def compiled_tables(fonts):
    out = [
        "// Generated by tools/make_stroke_fonts.py from the Hershey stroke data; do not edit.",
        "// The stroke encoding is described in the generator.",
        "",
        '#include "render/fonts/vector_font_data.h"',
        "",
        "#include <cstdint>",
        "",
        "namespace pax {",
        "",
        "namespace {",
        "",
    ]
    records = []
    for number, font in enumerate(fonts):
        data = bytearray([font["height"]])
        offsets = []
        for width, strokes in font["chars"]:
            offsets.append(len(data))
            data += struct.pack("<b", width) + strokes
        if len(data) > 0xFFFF:
            sys.exit(f"{font['name']}: character data too long for 16-bit offsets")
        ident = font["name"].capitalize()
        out.append(f"// {number}: {font['name']}")
        out.append(f"constexpr uint16_t {ident}Offsets[] = {{")
        out.append(c_bytes(offsets))
        out.append("};")
        out.append(f"constexpr uint8_t {ident}Data[] = {{")
        out.append(c_bytes(data))
        out.append("};")
        out.append("")
        size = font["height"] - font["descender"]
        records.append(
            f'    {{"{font["name"]}", {FIRST_CHAR}, {FIRST_CHAR + CHAR_COUNT - 1}, 0, {size}, {{}}, '
            f'{font["descender"]}, 0, {ident}Offsets, {ident}Data, sizeof({ident}Data)}},')
    out.append("}  // namespace")
    out.append("")
    out.append("const std::array<tVectorFontRecord, VectorFontCount> VectorFontRecords{{")
    out += records
    out.append("}};")
    out.append("")
    out.append("}  // namespace pax")
    return "\n".join(out) + "\n"


def write(path, content):
    mode = "wb" if isinstance(content, bytes) else "w"
    with open(path, mode) as f:
        f.write(content)
    print(f"wrote {path} ({len(content)} bytes)")


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--hershey", default="/usr/share/hershey-fonts")
    parser.add_argument("--root", default=os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
    args = parser.parse_args()

    fonts, notice = [], NOTICE
    for name, source, kind, description in FONTS:
        path = os.path.join(args.hershey, source + ".jhf")
        if not os.path.exists(path):
            sys.exit(f"{path} missing: apt-get install hershey-fonts-data")
        glyphs = read_jhf(path)
        if len(glyphs) < CHAR_COUNT:
            sys.exit(f"{path}: {len(glyphs)} glyphs, expected at least {CHAR_COUNT}")
        font = build_font(name, glyphs, kind)
        fonts.append(font)
        write(os.path.join(args.root, "data", name + ".CHR"), chr_file(font, description))
        notice += f"{name:<10}{source + '.jhf':<17}{description}\n"
    write(os.path.join(args.root, "data", "HERSHEY-FONTS.txt"), notice)
    write(os.path.join(args.root, "src", "render", "fonts", "vector_font_data.cpp"), compiled_tables(fonts))


if __name__ == "__main__":
    main()

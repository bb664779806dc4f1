#!/usr/bin/env python3
# SPDX-FileCopyrightText: 2026 Gli autori di Tintar i Brindel
# SPDX-License-Identifier: GPL-3.0-or-later
"""Writes the hand-made GIF seeds of fuzz/seeds/.

Each seed exercises one corner of the format that the game's own drawings
do not: GIF87a, local colour tables, interlacing, several frames, a logical
screen larger than the frame, comment and application extensions, sizes on
either side of the smallest drawing the grid accepts, and a few damaged
files. The output is committed; rerun after changing this script:

    python3 fuzz/make-seeds.py
"""

import os
import struct

HERE = os.path.dirname(os.path.abspath(__file__))
OUT = os.path.join(HERE, "seeds")


def lzw(pixels, min_code):
    """LZW stream that never grows past min_code + 1 bits: a clear code is
    sent before the table would need a wider code."""
    clear = 1 << min_code
    end = clear + 1
    width = min_code + 1
    run = (1 << min_code) - 2
    codes = [clear]
    for i, p in enumerate(pixels):
        if i and i % run == 0:
            codes.append(clear)
        codes.append(p)
    codes.append(end)
    out = bytearray()
    acc = bits = 0
    for c in codes:
        acc |= c << bits
        bits += width
        while bits >= 8:
            out.append(acc & 0xFF)
            acc >>= 8
            bits -= 8
    if bits:
        out.append(acc & 0xFF)
    return out


def subblocks(data):
    out = bytearray()
    for i in range(0, len(data), 255):
        chunk = data[i:i + 255]
        out.append(len(chunk))
        out += chunk
    out.append(0)
    return bytes(out)


def table(colours, size_bits):
    n = 1 << (size_bits + 1)
    t = bytearray()
    for i in range(n):
        t += bytes(colours[i % len(colours)])
    return bytes(t)


PALETTE = [(255, 255, 255), (0, 0, 0), (255, 0, 0), (0, 0, 255)]


def header(version, w, h, gct_bits=1, with_gct=True):
    flags = (0x80 | 0x70 | gct_bits) if with_gct else 0x70
    out = version + struct.pack("<HHBBB", w, h, flags, 0, 0)
    if with_gct:
        out += table(PALETTE, gct_bits)
    return out


def frame(x, y, w, h, pixels, interlace=False, lct_bits=None, min_code=2):
    flags = 0x40 if interlace else 0
    if lct_bits is not None:
        flags |= 0x80 | lct_bits
    out = b"\x2C" + struct.pack("<HHHHB", x, y, w, h, flags)
    if lct_bits is not None:
        out += table([(0, 128, 0), (255, 255, 0), (128, 0, 128), (0, 255, 255)], lct_bits)
    out += bytes([min_code]) + subblocks(lzw(pixels, min_code))
    return out


def gce(delay=10, transparent=None, disposal=1):
    flags = disposal << 2
    index = 0
    if transparent is not None:
        flags |= 1
        index = transparent
    return b"\x21\xF9\x04" + struct.pack("<BHB", flags, delay, index) + b"\x00"


def netscape(loops=0):
    return b"\x21\xFF\x0BNETSCAPE2.0\x03\x01" + struct.pack("<H", loops) + b"\x00"


def comment(text):
    return b"\x21\xFE" + subblocks(text)


def drawing(w, h):
    """Outlined regions: a frame, a cross and a filled corner, so that a
    fill has several separate regions to find."""
    px = []
    for y in range(h):
        for x in range(w):
            if x in (0, w - 1) or y in (0, h - 1):
                px.append(1)
            elif x == w // 2 or y == h // 2:
                px.append(1)
            elif x < w // 2 and y < h // 2 and (x + y) % 3 == 0:
                px.append(2)
            else:
                px.append(0)
    return px


def write(name, data):
    with open(os.path.join(OUT, name), "wb") as f:
        f.write(data)


def main():
    os.makedirs(OUT, exist_ok=True)

    # The smallest drawing the game takes is 171 x 216 (cells of 40 x 40).
    write("piccolo-giusto.gif",
          header(b"GIF89a", 171, 216) + frame(0, 0, 171, 216, drawing(171, 216)) + b"\x3B")
    write("troppo-stretto.gif",
          header(b"GIF89a", 170, 230) + frame(0, 0, 170, 230, drawing(170, 230)) + b"\x3B")
    write("troppo-basso.gif",
          header(b"GIF89a", 180, 215) + frame(0, 0, 180, 215, drawing(180, 215)) + b"\x3B")
    write("uno.gif",
          header(b"GIF87a", 1, 1) + frame(0, 0, 1, 1, [1]) + b"\x3B")

    write("interlacciato-87a.gif",
          header(b"GIF87a", 176, 224) + frame(0, 0, 176, 224, drawing(176, 224), interlace=True) + b"\x3B")
    write("tavola-locale.gif",
          header(b"GIF89a", 172, 216, with_gct=False)
          + frame(0, 0, 172, 216, drawing(172, 216), lct_bits=1) + b"\x3B")
    # A frame smaller than the logical screen, placed off the corner.
    write("schermo-largo.gif",
          header(b"GIF89a", 180, 220) + gce(transparent=0) + frame(8, 12, 30, 30, drawing(30, 30)) + b"\x3B")
    write("animato.gif",
          header(b"GIF89a", 172, 220) + netscape() + comment(b"due fotogrammi")
          + gce(disposal=2) + frame(0, 0, 172, 220, drawing(172, 220))
          + gce(disposal=3) + frame(4, 4, 20, 20, [3] * 400) + b"\x3B")

    # Damaged files: cut in the pixels, no trailer, a frame past the screen.
    whole = header(b"GIF89a", 30, 30) + frame(0, 0, 30, 30, drawing(30, 30)) + b"\x3B"
    write("troncato.gif", whole[:len(whole) // 2])
    write("senza-fine.gif", whole[:-1])
    write("fuori-schermo.gif",
          header(b"GIF89a", 20, 24) + frame(10, 10, 30, 30, drawing(30, 30)) + b"\x3B")


if __name__ == "__main__":
    main()

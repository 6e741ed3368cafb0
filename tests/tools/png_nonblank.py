#!/usr/bin/env python3
"""Checks that a PNG picture is not blank: enough of its pixels differ from
the background colour of its top-left corner, in several colours.
Usage: png_nonblank.py FILE [MIN_FRACTION]"""
import struct
import sys
import zlib


def read_png(path):
    with open(path, "rb") as f:
        data = f.read()
    if data[:8] != b"\x89PNG\r\n\x1a\n":
        raise ValueError("not a PNG file")
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
        raise ValueError("unsupported PNG layout")
    channels = 3 if colour == 2 else 4
    raw = zlib.decompress(idat)
    stride = width * channels
    rows, prev, pos = [], bytearray(stride), 0
    for _ in range(height):
        kind = raw[pos]
        line = bytearray(raw[pos + 1:pos + 1 + stride])
        pos += 1 + stride
        for i in range(stride):
            a = line[i - channels] if i >= channels else 0
            b = prev[i]
            c = prev[i - channels] if i >= channels else 0
            if kind == 1:
                line[i] = (line[i] + a) & 255
            elif kind == 2:
                line[i] = (line[i] + b) & 255
            elif kind == 3:
                line[i] = (line[i] + (a + b) // 2) & 255
            elif kind == 4:
                p = a + b - c
                pa, pb, pc = abs(p - a), abs(p - b), abs(p - c)
                pred = a if pa <= pb and pa <= pc else (b if pb <= pc else c)
                line[i] = (line[i] + pred) & 255
        rows.append(bytes(line))
        prev = line
    return width, height, channels, rows


def main():
    path = sys.argv[1]
    minimum = float(sys.argv[2]) if len(sys.argv) > 2 else 0.01
    width, height, channels, rows = read_png(path)
    background = rows[0][:3]
    differing, colours = 0, set()
    for row in rows:
        for x in range(0, width * channels, channels):
            pixel = row[x:x + 3]
            if pixel != background:
                differing += 1
                colours.add(pixel)
    fraction = differing / float(width * height)
    print("%s: %dx%d, %.1f%% of the pixels drawn in %d colours" %
          (path, width, height, 100 * fraction, len(colours)))
    sys.exit(0 if fraction >= minimum and len(colours) >= 3 else 1)


if __name__ == "__main__":
    main()

#!/usr/bin/env python3
"""Reads an 8-bit PNG (grey, RGB or RGBA, optionally with palette) and answers
questions about its pixels, for the shell tests.

  png_pixels.py FILE size                  -> "W H"
  png_pixels.py FILE count X0 Y0 X1 Y1 R G B
      -> how many pixels of the rectangle X0..X1, Y0..Y1 (inclusive) have
         exactly the colour R G B
Exits 1 when FILE is no PNG this reader understands.
"""
import struct
import sys
import zlib


def read_png(path):
    with open(path, 'rb') as f:
        data = f.read()
    if data[:8] != b'\x89PNG\r\n\x1a\n':
        raise ValueError('no PNG signature')
    pos, idat, palette = 8, b'', None
    width = height = depth = ctype = interlace = None
    while pos < len(data):
        length, kind = struct.unpack('>I4s', data[pos:pos + 8])
        body = data[pos + 8:pos + 8 + length]
        if zlib.crc32(kind + body) != struct.unpack('>I', data[pos + 8 + length:pos + 12 + length])[0]:
            raise ValueError('bad CRC in ' + kind.decode('latin-1'))
        if kind == b'IHDR':
            width, height, depth, ctype, _, _, interlace = struct.unpack('>IIBBBBB', body)
        elif kind == b'PLTE':
            palette = [tuple(body[i:i + 3]) for i in range(0, len(body), 3)]
        elif kind == b'IDAT':
            idat += body
        elif kind == b'IEND':
            break
        pos += 12 + length
    if depth != 8 or interlace != 0 or ctype not in (0, 2, 3, 4, 6):
        raise ValueError('unsupported PNG layout')
    channels = {0: 1, 2: 3, 3: 1, 4: 2, 6: 4}[ctype]
    raw = zlib.decompress(idat)
    stride = width * channels
    rows, prev = [], bytearray(stride)
    for y in range(height):
        start = y * (stride + 1)
        kind, line = raw[start], bytearray(raw[start + 1:start + 1 + stride])
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
                line[i] = (line[i] + (a if pa <= pb and pa <= pc else b if pb <= pc else c)) & 255
        rows.append(line)
        prev = line

    def pixel(x, y):
        px = rows[y][x * channels:(x + 1) * channels]
        if ctype == 3:
            return palette[px[0]]
        if ctype in (0, 4):
            return (px[0],) * 3
        return tuple(px[:3])

    return width, height, pixel


def main(argv):
    try:
        width, height, pixel = read_png(argv[1])
    except (OSError, ValueError, zlib.error, struct.error, IndexError) as error:
        print('not a readable PNG: %s' % error, file=sys.stderr)
        return 1
    if argv[2] == 'size':
        print(width, height)
    elif argv[2] == 'count':
        x0, y0, x1, y1, r, g, b = map(int, argv[3:10])
        print(sum(1 for y in range(y0, y1 + 1) for x in range(x0, x1 + 1) if pixel(x, y) == (r, g, b)))
    return 0


if __name__ == '__main__':
    sys.exit(main(sys.argv))

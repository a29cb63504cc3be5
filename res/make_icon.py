#!/usr/bin/env python3
"""Draws the installer's icon (a parcel: a brown box with a cross band) at
32x32 and 16x16 and writes it as a Windows .ico. Run by hand when it changes."""
import struct, sys

def pixels(n):
    rows = []
    for y in range(n):
        row = []
        for x in range(n):
            m = n // 8
            inside = m <= x < n - m and m + n // 16 <= y < n - m
            if not inside:
                row.append((0, 0, 0, 0)); continue
            edge = x in (m, n - m - 1) or y in (m + n // 16, n - m - 1)
            band = abs(x - n // 2) <= max(1, n // 16) or abs(y - (n // 2 + n // 32)) <= max(0, n // 32)
            if edge: row.append((0x3a, 0x22, 0x10, 255))
            elif band: row.append((0xd8, 0x32, 0x28, 255))
            else: row.append((0xc8, 0x96, 0x5a, 255))
        rows.append(row)
    return rows

def image(n):
    px = pixels(n)
    header = struct.pack('<IiiHHIIiiII', 40, n, 2 * n, 1, 32, 0, 0, 0, 0, 0, 0)
    xor = b''.join(bytes((b, g, r, a)) for row in reversed(px) for (r, g, b, a) in row)
    stride = ((n + 31) // 32) * 4
    mask = b''
    for row in reversed(px):
        bits = 0; line = bytearray(stride)
        for x, p in enumerate(row):
            if p[3] == 0: line[x // 8] |= 0x80 >> (x % 8)
        mask += bytes(line)
    return header + xor + mask

sizes = [32, 16]
images = [image(n) for n in sizes]
out = struct.pack('<HHH', 0, 1, len(images))
offset = 6 + 16 * len(images)
for n, data in zip(sizes, images):
    out += struct.pack('<BBBBHHII', n, n, 0, 0, 1, 32, len(data), offset)
    offset += len(data)
out += b''.join(images)
open(sys.argv[1] if len(sys.argv) > 1 else 'Setup.ico', 'wb').write(out)

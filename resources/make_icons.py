#!/usr/bin/env python3
"""Draws the application icon (128) and the hand cursor (150) and writes them as .ico and .cur.

The outputs are committed, so a build needs no generator; run this after changing a drawing.
Standard library only.
"""
import struct
import sys
from pathlib import Path


def mouse_icon(size):
    """A mouse seen from above: a rounded body, a wheel and a parting line between the buttons."""
    pixels = [[(0, 0, 0, 0)] * size for _ in range(size)]
    cx, top, bottom = (size - 1) / 2, size * 0.06, size * 0.94
    half_width = size * 0.32
    for y in range(size):
        for x in range(size):
            if not top <= y <= bottom:
                continue
            # Superellipse body, a little narrower at the front.
            t = (y - top) / (bottom - top)
            w = half_width * (0.86 + 0.14 * t)
            ny = (y - (top + bottom) / 2) / ((bottom - top) / 2)
            nx = (x - cx) / w
            if nx ** 4 + ny ** 4 > 1:
                continue
            edge = nx ** 4 + ny ** 4 > 0.72
            shade = int(200 - 90 * t)
            colour = (30, 40, 60, 255) if edge else (shade // 3, shade // 2 + 40, shade + 40, 255)
            if abs(x - cx) < max(size / 32, 0.6) and t < 0.42:
                colour = (20, 25, 35, 255)
            if abs(x - cx) < size * 0.07 and 0.14 < t < 0.3:
                colour = (235, 240, 250, 255)
            pixels[y][x] = colour
    return pixels


def hand_cursor(size=32):
    """A pointing arrow with a white outline; hotspot at its tip (1, 1)."""
    pixels = [[(0, 0, 0, 0)] * size for _ in range(size)]
    for y in range(1, 22):
        for x in range(1, 1 + (y * 2) // 3 + 1):
            pixels[y][x] = (0, 0, 0, 255)
    for y in range(14, 28):
        for x in range(6, 10):
            pixels[y][x] = (0, 0, 0, 255)
    # White outline around the black shape.
    outlined = [row[:] for row in pixels]
    for y in range(size):
        for x in range(size):
            if pixels[y][x][3]:
                continue
            near = any(0 <= y + dy < size and 0 <= x + dx < size and pixels[y + dy][x + dx][3]
                       for dy in (-1, 0, 1) for dx in (-1, 0, 1))
            if near:
                outlined[y][x] = (255, 255, 255, 255)
    return outlined, (1, 1)


def dib(pixels):
    """A 32-bit bottom-up DIB with its AND mask, as icon and cursor entries store it."""
    size = len(pixels)
    header = struct.pack('<IiiHHIIiiII', 40, size, size * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    colour = b''.join(bytes((b, g, r, a)) for row in reversed(pixels) for (r, g, b, a) in row)
    mask_row_bytes = ((size + 31) // 32) * 4
    mask = b''
    for row in reversed(pixels):
        bits = bytearray(mask_row_bytes)
        for x, (_, _, _, a) in enumerate(row):
            if a == 0:
                bits[x // 8] |= 0x80 >> (x % 8)
        mask += bytes(bits)
    return header + colour + mask


def icon_file(entries, kind):
    """entries: list of (pixels, hotspot or None); kind 1 icon, 2 cursor."""
    out = struct.pack('<HHH', 0, kind, len(entries))
    offset = 6 + 16 * len(entries)
    blobs = []
    for pixels, hotspot in entries:
        blob = dib(pixels)
        size = len(pixels)
        planes, bits = (1, 32) if kind == 1 else hotspot
        out += struct.pack('<BBBBHHII', size % 256, size % 256, 0, 0, planes, bits, len(blob), offset)
        offset += len(blob)
        blobs.append(blob)
    return out + b''.join(blobs)


def main():
    here = Path(sys.argv[1]) if len(sys.argv) > 1 else Path(__file__).parent
    (here / 'app.ico').write_bytes(icon_file([(mouse_icon(s), None) for s in (16, 32, 48)], 1))
    cursor, hotspot = hand_cursor()
    (here / 'hand.cur').write_bytes(icon_file([(cursor, hotspot)], 2))


if __name__ == '__main__':
    main()

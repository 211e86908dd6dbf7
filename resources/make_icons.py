#!/usr/bin/env python3
"""Draws the application icon (128, app.ico at every size from 16 to 64 pixels the system asks for,
and 256), the hand cursor (150, hand.cur, hot spot on the fingertip) and the pencil cursor (167,
pencil.cur, hot spot (1, 5) on the lead's tip), the cursors at 32 and 64 pixels, and writes them as
.ico and .cur files.

The outputs are committed, so a build needs none of this; run it after changing a drawing.
Python's standard library plus rsvg-convert (Debian package librsvg2-bin); the mouse on the icon is
rendered by art/render3d.py.
"""
import base64
import struct
import sys
from pathlib import Path

HERE = Path(__file__).resolve().parent
sys.path.insert(0, str(HERE))

from art import mouse as m  # noqa: E402
from art import png, svg  # noqa: E402
from art import render3d as r3  # noqa: E402

HAND_HOT_SPOT = (9, 1)
PENCIL_HOT_SPOT = (1, 5)


def app_icon(size):
    """The mouse from above and a little in front, on the brand's green tile."""
    k = 4 if size < 48 else 3
    scale = size / 128.0
    camera = r3.Camera(62.0, scale, size * 0.53, size * 0.62)
    place = r3.Placement(-18.0)
    mats = m.MouseMaterials()
    rendered = r3.render([r3.SceneObject(m.body_mesh(90, 30), place, mats.body),
                          r3.SceneObject(m.wheel_mesh(32, 4), place, mats.wheel)],
                         camera, size, size, supersample=k, exposure=1.6)
    uri = 'data:image/png;base64,' + base64.b64encode(png.encode(size, size, rendered)).decode('ascii')
    radius = size * 0.2
    body = f'''
      <rect x="{size * 0.03}" y="{size * 0.03}" width="{size * 0.94}" height="{size * 0.94}" rx="{radius}"
            fill="url(#tile)" stroke="#1d5a14" stroke-width="{max(1.0, size / 32)}"/>
      <rect x="{size * 0.1}" y="{size * 0.08}" width="{size * 0.8}" height="{size * 0.36}" rx="{radius * 0.8}"
            fill="#fff" opacity="0.16"/>
      <ellipse cx="{size * 0.56}" cy="{size * 0.84}" rx="{size * 0.3}" ry="{size * 0.09}" fill="#000" opacity="0.35"
               filter="url(#blur)"/>
      <image width="{size}" height="{size}" xlink:href="{uri}"/>
    '''
    defs = f'''<linearGradient id="tile" x1="0" y1="0" x2="0" y2="1">
                 <stop offset="0" stop-color="#9be36a"/><stop offset="1" stop-color="#3e9a2c"/></linearGradient>
               <filter id="blur"><feGaussianBlur stdDeviation="{size / 40}"/></filter>'''
    return svg.render(svg.document(size, size, body, defs), size, size)


def hand_cursor(zoom=1):
    body = '''<path d="M9,1.5 C10.4,1.5 11.2,2.5 11.2,3.8 L11.2,11.2 C11.8,10.6 13.9,10.5 14.5,11.6
      C15.2,10.9 17.3,10.9 17.9,12.2 C18.6,11.6 20.8,11.7 21.2,13.4 L21.2,19.5 C21.2,23.5 19.4,26.5 18.6,28.5
      L10.2,28.5 C9.2,26.4 7.4,23.8 5.6,21.2 C4.2,19.2 3.2,17.6 4.3,16.5 C5.3,15.5 6.6,16.3 7.6,17.6 L6.8,16.4
      L6.8,3.8 C6.8,2.5 7.6,1.5 9,1.5 Z" fill="#fff" stroke="#000" stroke-width="1.2" stroke-linejoin="round"/>
      <path d="M11.2,11.2 L11.2,17 M14.5,11.6 L14.5,17 M17.9,12.2 L17.9,17.2" stroke="#000" stroke-width="1"
        stroke-linecap="round"/>
      <path d="M10.4,28.5 L18.4,28.5 L18.4,30.5 L10.4,30.5 Z" fill="#fff" stroke="#000" stroke-width="1.1"/>'''
    return svg.render(svg.document(32, 32, body, zoom=zoom), 32 * zoom, 32 * zoom)


def pencil_cursor(zoom=1):
    # Drawn along the x axis with the tip at the origin, then turned to point up and left.
    body = '''<g transform="translate(1 5) rotate(40)">
      <path d="M0,0 L8,-3.4 L8,3.4 Z" fill="#f2d2a4" stroke="#3b2a16" stroke-width="0.9" stroke-linejoin="round"/>
      <path d="M0,0 L3,-1.3 L3,1.3 Z" fill="#23262b"/>
      <rect x="8" y="-3.4" width="17" height="6.8" fill="#f5b731" stroke="#3b2a16" stroke-width="0.9"/>
      <path d="M8,-1.1 L25,-1.1" stroke="#d9901a" stroke-width="1.1"/>
      <path d="M8,1.3 L25,1.3" stroke="#fbd56f" stroke-width="0.9"/>
      <rect x="25" y="-3.6" width="2.6" height="7.2" fill="#c8ccd2" stroke="#3b2a16" stroke-width="0.8"/>
      <path d="M27.6,-3.6 L30.2,-3.6 Q31.6,-3.6 31.6,-2 L31.6,2 Q31.6,3.6 30.2,3.6 L27.6,3.6 Z" fill="#f08a9a"
        stroke="#3b2a16" stroke-width="0.8"/>
    </g>'''
    return svg.render(svg.document(32, 32, body, zoom=zoom), 32 * zoom, 32 * zoom)


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
    """entries: list of (pixels, hot spot or None); kind 1 icon, 2 cursor."""
    out = struct.pack('<HHH', 0, kind, len(entries))
    offset = 6 + 16 * len(entries)
    blobs = []
    for pixels, hotspot in entries:
        # The largest icon is stored as PNG, as the system allows from 256 pixels on: a bitmap that
        # size would weigh a quarter of a megabyte.
        blob = png.encode(len(pixels), len(pixels), pixels) if len(pixels) >= 256 else dib(pixels)
        size = len(pixels)
        planes, bits = (1, 32) if kind == 1 else hotspot
        out += struct.pack('<BBBBHHII', size % 256, size % 256, 0, 0, planes, bits, len(blob), offset)
        offset += len(blob)
        blobs.append(blob)
    return out + b''.join(blobs)


ICON_SIZES = (16, 20, 24, 32, 40, 48, 64, 256)


def doubled(hotspot, zoom):
    return (hotspot[0] * zoom, hotspot[1] * zoom)


def main():
    if not svg.available():
        sys.exit('rsvg-convert is missing: apt-get install librsvg2-bin')
    here = Path(sys.argv[1]) if len(sys.argv) > 1 else HERE
    # Every size the system asks for from 100 % to 200 % scale (small icons 16 to 32, large 32 to
    # 64), and 256 for the largest views.
    (here / 'app.ico').write_bytes(icon_file([(app_icon(s), None) for s in ICON_SIZES], 1))
    # The cursors at their size and twice it: the system picks the nearer for the display's scale.
    (here / 'hand.cur').write_bytes(icon_file([(hand_cursor(z), doubled(HAND_HOT_SPOT, z)) for z in (1, 2)], 2))
    (here / 'pencil.cur').write_bytes(icon_file([(pencil_cursor(z), doubled(PENCIL_HOT_SPOT, z)) for z in (1, 2)], 2))


if __name__ == '__main__':
    main()

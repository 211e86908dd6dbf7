"""Rendering SVG text to pixels with rsvg-convert (Debian package librsvg2-bin)."""
import shutil
import subprocess

from . import png


def available():
    return shutil.which('rsvg-convert') is not None


def render(svg_text, width, height):
    """Returns rows of straight RGBA pixels, exactly width x height."""
    result = subprocess.run(['rsvg-convert', '--format', 'png', '--width', str(width), '--height', str(height)],
                            input=svg_text.encode('utf-8'), capture_output=True, check=True)
    w, h, rows = png.decode(result.stdout)
    if (w, h) != (width, height):
        raise ValueError(f'rsvg-convert gave {w} x {h} instead of {width} x {height}')
    return rows


def document(width, height, body, defs='', zoom=1):
    """A drawing of width x height units, rendered with zoom pixels a unit."""
    return (f'<svg xmlns="http://www.w3.org/2000/svg" xmlns:xlink="http://www.w3.org/1999/xlink" '
            f'width="{width * zoom}" height="{height * zoom}" viewBox="0 0 {width} {height}">'
            f'<defs>{defs}</defs>{body}</svg>')

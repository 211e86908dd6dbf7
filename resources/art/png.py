"""Reading and writing 8-bit PNG files, standard library only.

Pixels are rows of (r, g, b, a) tuples, straight (not premultiplied) alpha.
"""
import struct
import zlib


def _chunks(data):
    pos = 8
    while pos < len(data):
        length, kind = struct.unpack('>I4s', data[pos:pos + 8])
        yield kind, data[pos + 8:pos + 8 + length]
        pos += 12 + length


def _paeth(a, b, c):
    p = a + b - c
    pa, pb, pc = abs(p - a), abs(p - b), abs(p - c)
    if pa <= pb and pa <= pc:
        return a
    return b if pb <= pc else c


def decode(data):
    """Returns (width, height, rows) for an 8-bit grey, RGB or RGBA PNG without interlacing."""
    if data[:8] != b'\x89PNG\r\n\x1a\n':
        raise ValueError('not a PNG file')
    idat = b''
    for kind, body in _chunks(data):
        if kind == b'IHDR':
            width, height, depth, colour, _, _, interlace = struct.unpack('>IIBBBBB', body)
        elif kind == b'IDAT':
            idat += body
    if depth != 8 or interlace:
        raise ValueError('only 8-bit, non-interlaced PNG files are read')
    channels = {0: 1, 2: 3, 4: 2, 6: 4}[colour]
    raw = zlib.decompress(idat)
    stride = width * channels
    rows = []
    previous = bytearray(stride)
    pos = 0
    for _ in range(height):
        kind = raw[pos]
        line = bytearray(raw[pos + 1:pos + 1 + stride])
        pos += 1 + stride
        for i in range(stride):
            left = line[i - channels] if i >= channels else 0
            up = previous[i]
            corner = previous[i - channels] if i >= channels else 0
            if kind == 1:
                line[i] = (line[i] + left) & 255
            elif kind == 2:
                line[i] = (line[i] + up) & 255
            elif kind == 3:
                line[i] = (line[i] + (left + up) // 2) & 255
            elif kind == 4:
                line[i] = (line[i] + _paeth(left, up, corner)) & 255
        previous = line
        if channels == 4:
            rows.append([tuple(line[i:i + 4]) for i in range(0, stride, 4)])
        elif channels == 3:
            rows.append([tuple(line[i:i + 3]) + (255,) for i in range(0, stride, 3)])
        elif channels == 2:
            rows.append([(line[i], line[i], line[i], line[i + 1]) for i in range(0, stride, 2)])
        else:
            rows.append([(v, v, v, 255) for v in line])
    return width, height, rows


def _filtered(rows_bytes, channels):
    """Each row with the filter that leaves the smallest sum of magnitudes (the usual heuristic)."""
    out = bytearray()
    previous = bytes(len(rows_bytes[0])) if rows_bytes else b''
    for line in rows_bytes:
        n = len(line)
        candidates = []
        for kind in range(5):
            f = bytearray(n)
            for i in range(n):
                left = line[i - channels] if i >= channels else 0
                up = previous[i]
                corner = previous[i - channels] if i >= channels else 0
                if kind == 0:
                    pred = 0
                elif kind == 1:
                    pred = left
                elif kind == 2:
                    pred = up
                elif kind == 3:
                    pred = (left + up) // 2
                else:
                    pred = _paeth(left, up, corner)
                f[i] = (line[i] - pred) & 255
            candidates.append((sum(v if v < 128 else 256 - v for v in f), kind, f))
        _, kind, best = min(candidates, key=lambda c: c[0])
        out.append(kind)
        out += best
        previous = line
    return bytes(out)


def encode(width, height, rows, alpha=True):
    """An 8-bit RGBA PNG, or RGB (no alpha channel at all) when alpha is False."""
    channels = 4 if alpha else 3
    rows_bytes = []
    for row in rows:
        line = bytearray()
        for pixel in row:
            line += bytes(pixel[:channels])
        rows_bytes.append(bytes(line))

    def chunk(kind, body):
        return struct.pack('>I', len(body)) + kind + body + struct.pack('>I', zlib.crc32(kind + body) & 0xFFFFFFFF)

    header = struct.pack('>IIBBBBB', width, height, 8, 6 if alpha else 2, 0, 0, 0)
    data = zlib.compress(_filtered(rows_bytes, channels), 9)
    return b'\x89PNG\r\n\x1a\n' + chunk(b'IHDR', header) + chunk(b'IDAT', data) + chunk(b'IEND', b'')

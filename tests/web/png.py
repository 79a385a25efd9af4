"""PNG pictures for the web tests: reading the 8-bit RGB and RGBA files the
capture tool and the browser write, writing RGB ones, and comparing two
pictures the way the golden frames are judged (a pixel changes when a
channel moves by more than a tolerance; two pictures match while at most a
share of their pixels changed)."""

import struct
import zlib

SIGNATURE = b"\x89PNG\r\n\x1a\n"
CHANNELS = {2: 3, 6: 4}  # colour type: RGB, RGBA

# The desktop build's golden frame tolerance.
GOLDEN_CHANNEL_TOLERANCE = 8
GOLDEN_CHANGED_SHARE = 0.005


class PngError(Exception):
    pass


class Picture:
    """Width, height and the rows' RGB bytes, top row first."""

    def __init__(self, width, height, rgb):
        if len(rgb) != width * height * 3:
            raise PngError("%dx%d picture with %d bytes" % (width, height, len(rgb)))
        self.width, self.height, self.rgb = width, height, bytes(rgb)


def _chunks(data):
    at = len(SIGNATURE)
    while at + 8 <= len(data):
        length, kind = struct.unpack(">I4s", data[at:at + 8])
        body = data[at + 8:at + 8 + length]
        if len(body) != length:
            raise PngError("a %s chunk is cut short" % kind.decode("latin-1"))
        yield kind, body
        at += 12 + length


def _paeth(a, b, c):
    p = a + b - c
    pa, pb, pc = abs(p - a), abs(p - b), abs(p - c)
    if pa <= pb and pa <= pc:
        return a
    return b if pb <= pc else c


def _unfilter(kind, row, previous, step):
    if kind == 0:
        return row
    out = bytearray(row)
    if kind == 1:
        for i in range(step, len(out)):
            out[i] = (out[i] + out[i - step]) & 255
    elif kind == 2:
        for i in range(len(out)):
            out[i] = (out[i] + previous[i]) & 255
    elif kind == 3:
        for i in range(len(out)):
            left = out[i - step] if i >= step else 0
            out[i] = (out[i] + ((left + previous[i]) >> 1)) & 255
    elif kind == 4:
        for i in range(len(out)):
            left = out[i - step] if i >= step else 0
            upper_left = previous[i - step] if i >= step else 0
            out[i] = (out[i] + _paeth(left, previous[i], upper_left)) & 255
    else:
        raise PngError("unknown row filter %d" % kind)
    return out


def decode(data, name="picture"):
    """A Picture from the bytes of an 8-bit RGB or RGBA, non-interlaced PNG
    (alpha is dropped)."""
    if not data.startswith(SIGNATURE):
        raise PngError("%s is no PNG file" % name)
    header, packed = None, []
    for kind, body in _chunks(data):
        if kind == b"IHDR":
            header = struct.unpack(">IIBBBBB", body)
        elif kind == b"IDAT":
            packed.append(body)
    if header is None:
        raise PngError("%s has no header" % name)
    width, height, depth, colour, _, _, interlace = header
    if depth != 8 or colour not in CHANNELS or interlace:
        raise PngError("%s: only 8-bit RGB or RGBA without interlacing is read (depth %d, colour type %d%s)"
                       % (name, depth, colour, ", interlaced" if interlace else ""))
    try:
        raw = zlib.decompress(b"".join(packed))
    except zlib.error as error:
        raise PngError("%s: %s" % (name, error)) from None
    step = CHANNELS[colour]
    stride = width * step
    if len(raw) != height * (stride + 1):
        raise PngError("%s: %d bytes of pixels for %dx%d" % (name, len(raw), width, height))
    rows, previous = [], bytes(stride)
    for y in range(height):
        start = y * (stride + 1)
        previous = _unfilter(raw[start], raw[start + 1:start + 1 + stride], previous, step)
        rows.append(previous)
    pixels = b"".join(rows)
    if step == 4:
        pixels = bytes(b for i, b in enumerate(pixels) if i % 4 != 3)
    return Picture(width, height, pixels)


def read(path):
    with open(path, "rb") as source:
        return decode(source.read(), path)


def encode(picture):
    stride = picture.width * 3
    raw = b"".join(b"\0" + picture.rgb[y * stride:(y + 1) * stride] for y in range(picture.height))

    def chunk(kind, body):
        return struct.pack(">I", len(body)) + kind + body + struct.pack(">I", zlib.crc32(kind + body))

    header = struct.pack(">IIBBBBB", picture.width, picture.height, 8, 2, 0, 0, 0)
    return SIGNATURE + chunk(b"IHDR", header) + chunk(b"IDAT", zlib.compress(raw, 6)) + chunk(b"IEND", b"")


def write(path, picture):
    with open(path, "wb") as out:
        out.write(encode(picture))


class Difference:
    def __init__(self, changed, pixels, largest, picture):
        self.changed, self.pixels, self.largest, self.picture = changed, pixels, largest, picture

    @property
    def share(self):
        return self.changed / self.pixels

    def within(self, share):
        return self.share <= share

    def __str__(self):
        return "%.2f%% of the pixels changed, the largest channel step %d" % (100 * self.share, self.largest)


def compare(a, b, channel_tolerance=GOLDEN_CHANNEL_TOLERANCE):
    """How far two pictures of one size are apart. The difference picture
    shows each changed pixel in red over a dimmed grey copy of `a`."""
    if (a.width, a.height) != (b.width, b.height):
        raise PngError("pictures of %dx%d and %dx%d" % (a.width, a.height, b.width, b.height))
    changed = largest = 0
    out = bytearray(len(a.rgb))
    pa, pb = a.rgb, b.rgb
    for i in range(0, len(pa), 3):
        step = max(abs(pa[i] - pb[i]), abs(pa[i + 1] - pb[i + 1]), abs(pa[i + 2] - pb[i + 2]))
        if step > largest:
            largest = step
        if step > channel_tolerance:
            changed += 1
            out[i] = 255
        else:
            grey = (pa[i] + pa[i + 1] + pa[i + 2]) // 9
            out[i] = out[i + 1] = out[i + 2] = grey
    return Difference(changed, a.width * a.height, largest, Picture(a.width, a.height, out))

"""Header facts of PNG, GIF and BMP files, read with the standard library."""

import struct


class Facts:
    def __init__(self, width, height, frames=1, delays=None, bits=0, alpha=False):
        self.width, self.height = width, height
        self.frames, self.delays = frames, delays or []
        self.bits, self.alpha = bits, alpha


def _png(data):
    # IHDR: width, height, bit depth, colour type; type 6 is RGBA.
    width, height, depth, colour = struct.unpack(">IIBB", data[16:26])
    return Facts(width, height, bits=depth, alpha=colour in (4, 6))


def _gif(data):
    width, height, flags = struct.unpack("<HHB", data[6:11])
    pos = 13
    if flags & 0x80:
        pos += 3 << ((flags & 7) + 1)
    frames, delays, delay = 0, [], 0

    def skip_sub_blocks(p):
        while p < len(data) and data[p]:
            p += data[p] + 1
        return p + 1

    while pos < len(data):
        tag = data[pos]
        if tag == 0x3B:  # trailer
            break
        if tag == 0x21:  # extension
            label = data[pos + 1]
            if label == 0xF9:  # graphic control: delay in hundredths of a second
                delay = struct.unpack("<H", data[pos + 4:pos + 6])[0]
            pos = skip_sub_blocks(pos + 2)
        elif tag == 0x2C:  # image descriptor
            frames += 1
            delays.append(delay)
            delay = 0
            packed = data[pos + 9]
            pos += 10
            if packed & 0x80:
                pos += 3 << ((packed & 7) + 1)
            pos = skip_sub_blocks(pos + 1)  # past the LZW minimum code size
        else:
            raise ValueError("GIF block 0x%02x at %d" % (tag, pos))
    return Facts(width, height, frames=frames, delays=delays, bits=8)


def _bmp(data):
    header_size, width, height, _planes, bits = struct.unpack("<IiiHH", data[14:30])
    return Facts(width, abs(height), bits=bits)


def read(path):
    with open(path, "rb") as f:
        data = f.read()
    if data[:8] == b"\x89PNG\r\n\x1a\n":
        return _png(data)
    if data[:6] in (b"GIF87a", b"GIF89a"):
        return _gif(data)
    if data[:2] == b"BM":
        return _bmp(data)
    raise ValueError("%s: not a PNG, GIF or BMP file" % path)

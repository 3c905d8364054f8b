"""Advance widths of a TrueType font, so labels and icons can be centred as a
group before the renderer lays the text out with the same font."""

import functools
import os
import struct
import subprocess

FAMILY = "DejaVu Sans"
# Files of FAMILY (Debian: fonts-dejavu-core), looked up in the usual font
# folders first; fc-match is asked only when they are elsewhere.
FILES = {False: "DejaVuSans.ttf", True: "DejaVuSans-Bold.ttf"}
FONT_DIRS = ("/usr/share/fonts", "/usr/local/share/fonts")


class TrueTypeWidths:
    def __init__(self, path):
        with open(path, "rb") as f:
            self.data = f.read()
        self.tables = self._table_directory()
        self.units_per_em = struct.unpack(">H", self._table("head")[18:20])[0]
        metric_count = struct.unpack(">H", self._table("hhea")[34:36])[0]
        hmtx = self._table("hmtx")
        self.advances = [struct.unpack(">H", hmtx[i * 4:i * 4 + 2])[0] for i in range(metric_count)]
        self.cmap = self._unicode_cmap()

    def _table_directory(self):
        count = struct.unpack(">H", self.data[4:6])[0]
        tables = {}
        for i in range(count):
            tag, _sum, offset, length = struct.unpack(">4sIII", self.data[12 + 16 * i:28 + 16 * i])
            tables[tag.decode("latin-1")] = (offset, length)
        return tables

    def _table(self, tag):
        offset, length = self.tables[tag]
        return self.data[offset:offset + length]

    def _unicode_cmap(self):
        cmap = self._table("cmap")
        count = struct.unpack(">H", cmap[2:4])[0]
        for i in range(count):
            platform, encoding, offset = struct.unpack(">HHI", cmap[4 + 8 * i:12 + 8 * i])
            if (platform, encoding) == (3, 1) and struct.unpack(">H", cmap[offset:offset + 2])[0] == 4:
                return self._format4(cmap[offset:])
        raise ValueError("no Unicode BMP cmap")

    @staticmethod
    def _format4(sub):
        segments = struct.unpack(">H", sub[6:8])[0] // 2
        ends = struct.unpack(">%dH" % segments, sub[14:14 + 2 * segments])
        base = 16 + 2 * segments
        starts = struct.unpack(">%dH" % segments, sub[base:base + 2 * segments])
        deltas = struct.unpack(">%dh" % segments, sub[base + 2 * segments:base + 4 * segments])
        range_base = base + 4 * segments
        offsets = struct.unpack(">%dH" % segments, sub[range_base:range_base + 2 * segments])
        mapping = {}
        for s in range(segments):
            for code in range(starts[s], ends[s] + 1):
                if code == 0xFFFF:
                    continue
                if offsets[s] == 0:
                    glyph = (code + deltas[s]) & 0xFFFF
                else:
                    at = range_base + 2 * s + offsets[s] + 2 * (code - starts[s])
                    glyph = struct.unpack(">H", sub[at:at + 2])[0]
                    if glyph:
                        glyph = (glyph + deltas[s]) & 0xFFFF
                mapping[code] = glyph
        return mapping

    def width(self, text, size):
        units = 0
        for ch in text:
            glyph = self.cmap.get(ord(ch), 0)
            units += self.advances[min(glyph, len(self.advances) - 1)]
        return units * size / self.units_per_em


def _find(file_name, bold):
    for root_dir in FONT_DIRS:
        for folder, _dirs, files in os.walk(root_dir):
            if file_name in files:
                return os.path.join(folder, file_name)
    pattern = FAMILY + (":bold" if bold else "")
    return subprocess.run(["fc-match", "-f", "%{file}", pattern], check=True,
                          capture_output=True, text=True).stdout.strip()


@functools.lru_cache(maxsize=None)
def _font(bold):
    return TrueTypeWidths(_find(FILES[bold], bold))


def text_width(text, size, bold=False):
    return _font(bold).width(text, size)

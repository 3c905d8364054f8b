#!/usr/bin/env python3
"""Render the skin images into an image folder.

    render.py --out DIR --rsvg RSVG_CONVERT --magick IMAGEMAGICK [--work DIR] [--only NAME...]
    render.py --list

Pictures drawn once live as SVG under src/; multi-state strips, the busy
spinner and the frames of the loading animation are composed by strips.py
from shared pieces. Every output is checked against SKINS after rendering, so
a source that drifts from the size the windows are laid out for fails the
build instead of shipping.
"""

import argparse
import os
import re
import subprocess
import sys
import tempfile

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, HERE)

import imagefacts  # noqa: E402
import strips  # noqa: E402

SRC = os.path.join(HERE, "src")

# name -> (how it is made, frame count, width, height)
# "svg": src/<stem>.svg; "strip": strips.py; "gif": src/loaddata.svg plus the
# animated layer from strips.py. Widths are whole strips (frames side by side).
SKINS = {
    "mainbg1.png": ("svg", 1, 984, 674),
    "mainbg2.png": ("svg", 1, 984, 674),
    "step1.png": ("svg", 1, 982, 120),
    "loaddata.gif": ("gif", strips.LOADING_FRAMES, 785, 331),
    "loadfail.png": ("svg", 1, 785, 331),
    "contacts.png": ("svg", 1, 16, 16),
    "close.png": ("strip", 4, 84, 22),
    "min.png": ("strip", 4, 84, 22),
    "menu.png": ("strip", 3, 63, 22),
    "btn_help.png": ("strip", 4, 96, 22),
    "btn_home.png": ("strip", 4, 96, 22),
    "back.png": ("strip", 3, 288, 30),
    "pause.png": ("strip", 4, 384, 30),
    "continue.png": ("strip", 4, 384, 30),
    "stop.png": ("strip", 4, 264, 30),
    "recover.png": ("strip", 3, 396, 34),
    "refresh.png": ("strip", 3, 396, 34),
    "animate.png": ("strip", 8, 144, 18),
    "list_hearder.bmp": ("svg", 1, 8, 30),
    "inc.png": ("svg", 1, 10, 10),
    "dec.png": ("svg", 1, 10, 10),
    "checkbox.png": ("strip", 4, 56, 14),
    "deleted.png": ("svg", 1, 14, 14),
    "tree_opened.bmp": ("svg", 1, 16, 16),
    "tree_closed.bmp": ("svg", 1, 16, 16),
    "checkboxes.png": ("strip", 5, 80, 16),
    "treeroot.png": ("svg", 1, 16, 16),
    "msgbox.png": ("svg", 1, 420, 190),
    "ok.png": ("strip", 4, 320, 30),
    "cancel.png": ("strip", 4, 320, 30),
    "yes.png": ("strip", 4, 320, 30),
    "no.png": ("strip", 4, 320, 30),
    "warn.png": ("svg", 1, 40, 40),
    "info.png": ("svg", 1, 40, 40),
    "error.png": ("svg", 1, 40, 40),
    "right.png": ("svg", 1, 40, 40),
    "contactperson.png": ("svg", 1, 62, 62),
    "aboutbk.png": ("svg", 1, 500, 370),
}

INCLUDE = re.compile(r'<g\s+data-include="([^"]+)"([^>]*)/>')


def expand_includes(text, base_dir, depth=0):
    """Replace <g data-include="parts/x.svg" .../> with the inner content of
    that file wrapped in a group carrying the other attributes."""
    if depth > 4:
        raise RuntimeError("include nesting too deep")

    def inner(match):
        path = os.path.join(base_dir, match.group(1))
        with open(path, encoding="utf-8") as f:
            part = f.read()
        body = re.sub(r"^.*?<svg[^>]*>", "", part, count=1, flags=re.S)
        body = re.sub(r"</svg>\s*$", "", body, flags=re.S)
        body = expand_includes(body, os.path.dirname(path), depth + 1)
        return "<g%s>%s</g>" % (match.group(2), body)

    return INCLUDE.sub(inner, text)


def svg_source(stem, extra=""):
    with open(os.path.join(SRC, stem + ".svg"), encoding="utf-8") as f:
        text = expand_includes(f.read(), SRC)
    if extra:
        text = text.replace("<!-- @frame -->", extra)
    return text


class Renderer:
    def __init__(self, out, work, rsvg, magick):
        self.out, self.work, self.rsvg, self.magick = out, work, rsvg, magick

    def svg_to_png(self, svg_text, png_path):
        svg_path = os.path.splitext(png_path)[0] + ".svg"
        if os.path.dirname(png_path) == self.out:
            svg_path = os.path.join(self.work, os.path.basename(svg_path))
        with open(svg_path, "w", encoding="utf-8") as f:
            f.write(svg_text)
        subprocess.run([self.rsvg, "--format=png", "-o", png_path, svg_path], check=True)

    def magick_run(self, args):
        subprocess.run([self.magick] + args, check=True)

    def render(self, name):
        kind = SKINS[name][0]
        stem, ext = os.path.splitext(name)
        target = os.path.join(self.out, name)
        if kind == "strip":
            self.svg_to_png(strips.strip_svg(stem), target)
        elif kind == "gif":
            frames = []
            for i in range(strips.LOADING_FRAMES):
                png = os.path.join(self.work, "%s-%02d.png" % (stem, i))
                self.svg_to_png(svg_source(stem, strips.loading_layer(i)), png)
                frames += ["-delay", str(strips.loading_delay(i)), png]
            # Whole opaque frames on one shared palette: every frame stands on
            # its own, whatever disposal a decoder assumes.
            self.magick_run(frames + ["-alpha", "off", "+dither", "+remap", "-dispose", "None",
                                      "-loop", "0", target])
        elif ext == ".bmp":
            png = os.path.join(self.work, stem + ".png")
            self.svg_to_png(svg_source(stem), png)
            # BMP3 keeps the plain BITMAPINFOHEADER that LoadImage reads; 24-bit, no alpha.
            self.magick_run([png, "-background", "white", "-alpha", "remove", "-alpha", "off",
                             "-type", "TrueColor", "BMP3:" + target])
        else:
            self.svg_to_png(svg_source(stem), target)


def check(path, name):
    kind, frames, width, height = SKINS[name]
    facts = imagefacts.read(path)
    problems = []
    if (facts.width, facts.height) != (width, height):
        problems.append("is %dx%d, expected %dx%d" % (facts.width, facts.height, width, height))
    if kind == "strip" and width % frames:
        problems.append("width %d does not split into %d frames" % (width, frames))
    if name.endswith(".gif"):
        if facts.frames != frames:
            problems.append("has %d frames, expected %d" % (facts.frames, frames))
        if not facts.delays or min(facts.delays) <= 0:
            problems.append("has a frame without a delay")
    if name.endswith(".bmp") and facts.bits != 24:
        problems.append("is %d-bit, expected 24-bit" % facts.bits)
    return ["%s %s" % (name, p) for p in problems]


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--list", action="store_true", help="print the output file names and stop")
    parser.add_argument("--out")
    parser.add_argument("--work")
    parser.add_argument("--rsvg", default="rsvg-convert")
    parser.add_argument("--magick", default="/usr/bin/convert")
    parser.add_argument("--only", nargs="*")
    args = parser.parse_args()
    if args.list:
        print(";".join(sorted(SKINS)))
        return
    if not args.out:
        parser.error("--out is required")

    names = args.only or sorted(SKINS)
    unknown = [n for n in names if n not in SKINS]
    if unknown:
        sys.exit("render.py: unknown skin file(s): " + ", ".join(unknown))
    os.makedirs(args.out, exist_ok=True)
    work = args.work or tempfile.mkdtemp(prefix="skin-")
    os.makedirs(work, exist_ok=True)

    renderer = Renderer(os.path.abspath(args.out), os.path.abspath(work), args.rsvg, args.magick)
    problems = []
    for name in names:
        renderer.render(name)
        problems += check(os.path.join(args.out, name), name)
    if problems:
        sys.exit("render.py:\n  " + "\n  ".join(problems))


if __name__ == "__main__":
    main()

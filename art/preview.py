#!/usr/bin/env python3
"""Compose mock screens from rendered skin images, placed where the windows
put them, to judge the artwork as a whole.

    preview.py --images DIR --out DIR [--magick IMAGEMAGICK] [--rsvg RSVG_CONVERT]

Controls that the program draws itself (tree, list, card, progress bar, texts)
are sketched with the colours, fonts and offsets the windows use; the skin
images are placed unscaled. Writes art-preview-<scene>.png into --out.
"""

import argparse
import os
import shutil
import subprocess
import tempfile
from xml.sax.saxutils import escape

UI_FONT = "Tahoma, DejaVu Sans"
LINK_FONT = "Arial, DejaVu Sans"


class Scene:
    def __init__(self, images, width, height):
        self.images, self.width, self.height = images, width, height
        self.parts = []

    def image(self, name, x, y, frame=None, frames=1, width=None, height=None):
        """Place a skin image, or one frame of a strip, unscaled."""
        path = os.path.join(self.images, name)
        w, h = width, height
        if frame is None:
            self.parts.append('<image x="%d" y="%d" width="%d" height="%d" href="%s"/>' % (x, y, w, h, path))
            return
        fw = w // frames
        self.parts.append('<svg x="%d" y="%d" width="%d" height="%d" viewBox="%d 0 %d %d" overflow="hidden">'
                          '<image x="0" y="0" width="%d" height="%d" href="%s"/></svg>'
                          % (x, y, fw, h, frame * fw, fw, h, w, h, path))

    def rect(self, x, y, w, h, fill, stroke=None):
        extra = ' stroke="%s"' % stroke if stroke else ""
        if stroke:
            x, y, w, h = x + 0.5, y + 0.5, w - 1, h - 1
        self.parts.append('<rect x="%g" y="%g" width="%g" height="%g" fill="%s"%s/>' % (x, y, w, h, fill, extra))

    def line(self, x0, y0, x1, y1, colour):
        self.parts.append('<path d="M%g %g L%g %g" stroke="%s" shape-rendering="crispEdges"/>'
                          % (x0 + 0.5, y0 + 0.5, x1 + 0.5, y1 + 0.5, colour))

    def text(self, x, y, text, size, colour="#000000", bold=False, font=UI_FONT, anchor="start",
             underline=False, background=None):
        """Text whose cell top-left is (x, y), as GDI's TextOut places it."""
        if background:
            self.parts.append('<rect x="%d" y="%d" width="%d" height="%d" fill="%s"/>'
                              % (x, y, len(text) * size * 0.55, size * 1.25, background))
        baseline = y + round(size * 0.92)
        self.parts.append('<text x="%g" y="%g" font-family="%s" font-size="%d"%s%s fill="%s" text-anchor="%s">%s</text>'
                          % (x, baseline, font, size, ' font-weight="bold"' if bold else "",
                             ' text-decoration="underline"' if underline else "", colour, anchor, escape(text)))

    def gradient_rect(self, x, y, w, h, start, end):
        gid = "g%d" % len(self.parts)
        self.parts.append('<defs><linearGradient id="%s"><stop offset="0" stop-color="%s"/>'
                          '<stop offset="1" stop-color="%s"/></linearGradient></defs>'
                          '<rect x="%d" y="%d" width="%d" height="%d" fill="url(#%s)"/>'
                          % (gid, start, end, x, y, w, h, gid))

    def svg(self):
        return ('<svg xmlns="http://www.w3.org/2000/svg" width="%d" height="%d">%s</svg>\n'
                % (self.width, self.height, "".join(self.parts)))


def size_of(images, name):
    with open(os.path.join(images, name), "rb") as f:
        head = f.read(32)
    if head[:4] == b"\x89PNG":
        return int.from_bytes(head[16:20], "big"), int.from_bytes(head[20:24], "big")
    if head[:2] == b"BM":
        return int.from_bytes(head[18:22], "little"), abs(int.from_bytes(head[22:26], "little", signed=True))
    return int.from_bytes(head[6:8], "little"), int.from_bytes(head[8:10], "little")


class Main:
    """The main window at 984 x 674 with its image buttons."""

    W, H = 984, 674

    def __init__(self, images):
        self.images = images
        self.scene = Scene(images, self.W, self.H)

    def button(self, name, x, y, states, state=0):
        w, h = size_of(self.images, name)
        fw = w // states
        if x < 0:
            x += self.W - fw
        if y < 0:
            y += self.H - h
        self.scene.image(name, x, y, frame=state, frames=states, width=w, height=h)

    def caption_buttons(self, hover=None):
        for name, x, states in (("min.png", -29, 4), ("close.png", -8, 4), ("menu.png", -50, 3),
                                ("btn_home.png", -120, 4), ("btn_help.png", -90, 4)):
            self.button(name, x, 5, states, 1 if name == hover else 0)

    def device_page(self, status):
        s = self.scene
        s.image("mainbg1.png", 0, 0, width=self.W, height=self.H)
        w, h = size_of(self.images, "step1.png")
        s.image("step1.png", 1, 74, width=w, height=h)
        s.image(status, 120, 230, width=785, height=331)
        self.caption_buttons()

    def failure_texts(self):
        s = self.scene
        s.text(100, 570, "Cannot load data from Android Phone, please : ", 13, "rgb(189,58,6)", background="#FFFFFF")
        for y, line in ((590, "1. Be sure you've installed the drive of your device"),
                        (610, "2. Make sure device enables USB Debugging(Setting >> Applications >> "
                              "Development >> USB debugging)."),
                        (630, "3. Make sure you've got ROOT access on your Android phone.")):
            s.text(120, y, line, 12, "rgb(10,0,0)")
        s.text(470, 630, "Have Problems?", 16, "#0000FF", font=LINK_FONT, underline=True)
        self.button("refresh.png", -30, -35, 3)

    def tree(self, caption, has_data=True, selected=True):
        s = self.scene
        x0, y0 = 1, 32
        s.rect(x0, y0, 221, 577, "#FFFFFF")
        fw = 16
        # Root row (group item): glyph, check box, root icon, bold caption.
        s.image("tree_opened.bmp", x0 + 5, y0 + 4, width=16, height=16)
        s.image("checkboxes.png", x0 + 26, y0 + 4, frame=3 if has_data else 0, frames=5, width=80, height=16)
        s.image("treeroot.png", x0 + 16 + fw + 15, y0 + 4, width=16, height=16)
        s.text(x0 + 16 + fw + 36, y0 + 5, "android phone", 12, bold=True)
        # Contacts row (leaf item).
        t = y0 + 25
        s.image("checkboxes.png", x0 + fw + 36, t + 4, frame=3 if has_data else 4, frames=5, width=80, height=16)
        if has_data and selected:
            s.gradient_rect(x0 + 2 * fw + 16 + 46, t, 221 - (2 * fw + 16 + 46), 25, "rgb(168,229,246)",
                            "rgb(241,247,249)")
        s.image("contacts.png", x0 + 2 * fw + 41, t + 4, width=16, height=16)
        colour = "rgb(200,200,200)" if not has_data else ("rgb(0,0,200)" if selected else "#000000")
        s.text(x0 + 16 + 2 * fw + 46, t + 5, caption, 12, colour)

    def progress(self, fraction):
        s = self.scene
        s.rect(42, 639, 730, 20, "#FFFFFF", "#ADADAD")
        s.rect(44, 641, int(726 * fraction), 16, "#06B025")

    def list_view(self, rows, selected=1):
        s = self.scene
        x0, y0, width = 225, 32, 507
        s.parts.append('<svg x="0" y="0" width="%d" height="%d" overflow="hidden">' % (x0 + width, y0 + 576))
        s.rect(x0, y0, width, 576, "#FFFFFF")
        hw, hh = size_of(self.images, "list_hearder.bmp")
        s.parts.append('<svg x="%d" y="%d" width="%d" height="30" viewBox="2 0 1 %d" preserveAspectRatio="none">'
                       '<image width="%d" height="%d" href="%s"/></svg>'
                       % (x0, y0, width, hh, hw, hh, os.path.join(self.images, "list_hearder.bmp")))
        columns = (("Name", 150), ("Phone", 170), ("Company", 180), ("Email", 150))
        s.line(x0, y0, x0, y0 + 29, "rgb(210,210,210)")
        left = 0
        for i, (title, cw) in enumerate(columns):
            if i:
                s.line(x0 + left, y0 + 1, x0 + left, y0 + 29, "rgb(210,210,210)")
            s.text(x0 + left + cw / 2, y0 + 8, title, 12, anchor="middle")
            left += cw
        s.image("inc.png", x0 + 150 - 20, y0 + 10, width=10, height=10)
        # The header's check-all box is a system check box at (5, 7), 14 x 14.
        s.rect(x0 + 5, y0 + 7, 14, 14, "#FFFFFF", "#7A7A7A")
        cb_w, cb_h = size_of(self.images, "checkbox.png")
        for r, (ticked, deleted, cells) in enumerate(rows):
            top = y0 + 30 + r * 30
            fill = "rgb(161,219,238)" if r == selected else ("#FFFFFF" if r % 2 else "rgb(245,245,245)")
            s.rect(x0, top, width, 30, fill)
            s.line(x0, top, x0, top + 30, "rgb(220,220,220)")
            s.line(x0, top + 29, x0 + width - 1, top + 29, "rgb(220,220,220)")
            y = (30 - cb_h) // 2
            s.image("checkbox.png", x0 + 5, top + y, frame=2 if ticked else 0, frames=4, width=cb_w, height=cb_h)
            left = 0
            for i, (_title, cw) in enumerate(columns):
                text_left = left
                if i == 0:
                    text_left += cb_w // 4 + 10
                    if deleted:
                        s.image("deleted.png", x0 + cb_w // 4 + 10, top + y, width=14, height=14)
                        text_left += 14 + 5
                if i:
                    s.line(x0 + left, top, x0 + left, top + 29, "rgb(220,220,220)")
                s.text(x0 + (text_left + left + cw) / 2, top + 8, cells[i], 12,
                       "#FF0000" if deleted else "#000000", anchor="middle")
                left += cw
        s.parts.append("</svg>")

    def card(self, name, org, lines):
        s = self.scene
        x0, y0 = 733, 34
        s.rect(x0, y0, 241, 575, "rgb(240,245,255)")
        s.line(x0, y0, x0, y0 + 574, "rgb(200,200,200)")
        s.image("contactperson.png", x0 + 20, y0 + 20, width=62, height=62)
        pw, _ = size_of(self.images, "contactperson.png")
        s.text(x0 + pw + 35, y0 + 20, name, 16, "rgb(100,100,240)")
        bottom = y0 + 38
        for line in org:
            s.text(x0 + pw + 35, bottom + 3, line, 10)
            bottom += 15
        y = y0 + 100
        for label, value in lines:
            s.text(x0 + 95, y, label, 12, "rgb(150,150,150)", anchor="end")
            s.text(x0 + 100, y, value, 12, "rgb(50,50,50)")
            y += 15


ROWS = [
    (1, 1, ("Nadia Ferreira", "+44 7700 900123", "", "")),
    (1, 1, ("Tomasz Wolny", "+48 601 234 567", "", "")),
    (1, 0, ("Alice Martin", "+33 6 12 34 56 78", "Atelier Nord", "alice@example.org")),
    (1, 0, ("Ben Okafor", "+234 803 555 0199", "Lagos Freight", "ben.okafor@example.com")),
    (0, 0, ("Chen Jing", "+86 138 0013 8000", "", "chen.jing@example.net")),
    (1, 0, ("Daniel Weiss", "+49 151 2345 6789", "Weiss & Sohn", "")),
    (1, 0, ("Elena Rossi", "+39 347 123 4567", "", "elena@example.it")),
    (1, 0, ("Farid Haddad", "+961 3 123 456", "Cedar Labs", "farid@example.com")),
    (0, 0, ("Grace Lee", "+1 415 555 0142", "", "")),
    (1, 0, ("Hiro Tanaka", "+81 90 1234 5678", "Tanaka Design", "hiro@example.jp")),
]


def scenes(images):
    out = {}

    m = Main(images)
    m.device_page("loaddata-0.png")
    out["device-reading"] = m.scene

    m = Main(images)
    m.device_page("loadfail.png")
    m.failure_texts()
    out["device-failed"] = m.scene

    m = Main(images)
    m.scene.image("mainbg2.png", 0, 0, width=m.W, height=m.H)
    m.caption_buttons()
    m.tree("Contacts", has_data=False)
    m.progress(0.42)
    m.scene.image("animate.png", 20, 641, frame=2, frames=8, width=144, height=18)
    m.button("pause.png", -92, -20, 4)
    m.button("stop.png", -20, -20, 4)
    out["results-loading"] = m.scene

    m = Main(images)
    m.scene.image("mainbg2.png", 0, 0, width=m.W, height=m.H)
    m.caption_buttons(hover="close.png")
    m.tree("Contacts (12)")
    m.list_view(ROWS)
    m.card("Tomasz Wolny", [], [("Mobile:", "+48 601 234 567")])
    m.button("back.png", 20, -20, 3)
    m.button("recover.png", -30, -20, 3, state=1)
    out["results"] = m.scene

    box = Scene(images, 420 * 2 + 30, 190)
    for i, (icon, lines, buttons) in enumerate((
            ("warn.png", ("Are you sure to go back to reload the", "data from Android phone?"), ("yes.png", "no.png")),
            ("right.png", ("Recovering finished, 12 files have", "been recovered."), ("ok.png",)))):
        x0 = i * 450
        box.image("msgbox.png", x0, 0, width=420, height=190)
        box.text(x0 + 40, 7, "Marlowen Cardivane", 14, "#FFFFFF", font=LINK_FONT)
        box.image(icon, x0 + 20, 75, width=40, height=40)
        box.image("close.png", x0 + 420 - 21 - 5, 5, frame=0, frames=4, width=84, height=22)
        top = (190 - 18 * len(lines)) // 2
        for n, line in enumerate(lines):
            box.text(x0 + 70, top + 18 * n, line, 16, font=LINK_FONT)
        if len(buttons) == 2:
            box.image(buttons[0], x0 + 210 - 80 - 20, 145, frame=0, frames=4, width=320, height=30)
            box.image(buttons[1], x0 + 230, 145, frame=0, frames=4, width=320, height=30)
        else:
            box.image(buttons[0], x0 + 170, 145, frame=1, frames=4, width=320, height=30)
    out["message-box"] = box

    about = Scene(images, 500, 370)
    about.image("aboutbk.png", 0, 0, width=500, height=370)
    about.text(38, 7, "Marlowen Cardivane", 11, "#FFFFFF")
    about.image("close.png", 500 - 8 - 21, 5, frame=0, frames=4, width=84, height=22)
    about.text(40, 135, "Version:1.0.0.1", 13, "rgb(0,0,90)")
    about.text(40, 190, "This program is protected by copyright law and international treaties.", 12)
    about.text(40, 205, "Unauthorized reproduction or distribution may result in penalties.", 12)
    about.text(40, 270, "Homepage:https://www.marlowen.example", 16, "#0000FF", font=LINK_FONT, underline=True)
    about.text(40, 310, "Copyright (c) Marlowen. All rights reserved.", 12)
    about.image("ok.png", 500 - 20 - 80, 370 - 15 - 30, frame=0, frames=4, width=320, height=30)
    out["about-box"] = about
    return out


WINE_FONTS = "/usr/share/wine/fonts"


def use_window_fonts(work):
    """Let the sketched texts use the Tahoma the program draws with under
    Wine, when that font is on the machine; otherwise the fallback stands in."""
    if not os.path.exists(os.path.join(WINE_FONTS, "tahoma.ttf")):
        return
    conf = os.path.join(work, "fonts.conf")
    with open(conf, "w", encoding="utf-8") as f:
        f.write('<?xml version="1.0"?><!DOCTYPE fontconfig SYSTEM "fonts.dtd"><fontconfig>'
                '<include ignore_missing="yes">/etc/fonts/fonts.conf</include>'
                '<dir>%s</dir><cachedir>%s</cachedir></fontconfig>' % (WINE_FONTS, os.path.join(work, "cache")))
    os.environ["FONTCONFIG_FILE"] = conf


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--images", required=True)
    parser.add_argument("--out", required=True)
    parser.add_argument("--magick", default="/usr/bin/convert")
    parser.add_argument("--rsvg", default="rsvg-convert")
    args = parser.parse_args()
    images = os.path.abspath(args.images)
    os.makedirs(args.out, exist_ok=True)
    with tempfile.TemporaryDirectory() as work:
        use_window_fonts(work)
        # Frame 0 of the loading animation stands in for the GIF.
        staged = os.path.join(work, "image")
        os.makedirs(staged)
        for name in os.listdir(images):
            # Copies, not links: the renderer only reads files below the SVG's folder.
            shutil.copy(os.path.join(images, name), os.path.join(staged, name))
        subprocess.run([args.magick, os.path.join(images, "loaddata.gif") + "[0]",
                        os.path.join(staged, "loaddata-0.png")], check=True)
        for name, scene in scenes(staged).items():
            svg = os.path.join(work, name + ".svg")
            with open(svg, "w", encoding="utf-8") as f:
                f.write(scene.svg())
            subprocess.run([args.rsvg, "-o", os.path.join(args.out, "art-preview-%s.png" % name), svg], check=True)


if __name__ == "__main__":
    main()

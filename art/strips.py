"""Multi-frame skin pictures composed from shared pieces: image button strips
(normal, hover, pressed, disabled side by side), check box strips, the busy
spinner and the moving layer of the loading animation."""

import math

import fontmetrics
import palette as P

FONT = fontmetrics.FAMILY


def _svg(width, height, body, defs=""):
    return ('<svg xmlns="http://www.w3.org/2000/svg" width="%d" height="%d" viewBox="0 0 %d %d">'
            '<defs>%s</defs>%s</svg>\n' % (width, height, width, height, defs, body))


def _gradient(gid, top, bottom):
    return ('<linearGradient id="%s" x1="0" y1="0" x2="0" y2="1">'
            '<stop offset="0" stop-color="%s"/><stop offset="1" stop-color="%s"/></linearGradient>'
            % (gid, top, bottom))


# ---------------------------------------------------------------- glyphs
# Each glyph is drawn in a 12 x 12 box with its top-left corner at the origin;
# "ink" is substituted with the state's colour.

GLYPHS = {
    "close": '<path d="M1.5 1.5 L10.5 10.5 M10.5 1.5 L1.5 10.5" stroke="{ink}" stroke-width="1.5" '
             'stroke-linecap="round" fill="none"/>',
    "min": '<path d="M1.5 8.5 H10.5" stroke="{ink}" stroke-width="1.6" stroke-linecap="round"/>',
    "menu": '<path d="M1 2.5 H11 M1 6 H11 M1 9.5 H11" stroke="{ink}" stroke-width="1.5" '
            'stroke-linecap="round"/>',
    "help": '<circle cx="6" cy="6" r="5.6" fill="none" stroke="{ink}" stroke-width="1.3"/>'
            '<path d="M4.2 4.7 C4.2 3.6 5 3 6 3 C7 3 7.8 3.6 7.8 4.6 C7.8 5.9 6 5.9 6 7.3" '
            'fill="none" stroke="{ink}" stroke-width="1.3" stroke-linecap="round"/>'
            '<circle cx="6" cy="9.2" r="0.85" fill="{ink}"/>',
    "home": '<path d="M1 6.3 L6 1.6 L11 6.3" fill="none" stroke="{ink}" stroke-width="1.4" '
            'stroke-linecap="round" stroke-linejoin="round"/>'
            '<path d="M2.6 5.6 V10.8 H5 V7.8 H7 V10.8 H9.4 V5.6" fill="none" stroke="{ink}" '
            'stroke-width="1.3" stroke-linejoin="round"/>',
    "back": '<path d="M10.5 6 H2 M5.8 2 L1.8 6 L5.8 10" fill="none" stroke="{ink}" stroke-width="1.7" '
            'stroke-linecap="round" stroke-linejoin="round"/>',
    "pause": '<rect x="2.5" y="1.5" width="2.6" height="9" rx="0.8" fill="{ink}"/>'
             '<rect x="6.9" y="1.5" width="2.6" height="9" rx="0.8" fill="{ink}"/>',
    "continue": '<path d="M3 1.6 L10.4 6 L3 10.4 Z" fill="{ink}" stroke="{ink}" stroke-width="0.8" '
                'stroke-linejoin="round"/>',
    "stop": '<rect x="2" y="2" width="8" height="8" rx="1.4" fill="{ink}"/>',
    "recover": '<path d="M6 1 V7.6 M3 4.8 L6 7.8 L9 4.8" fill="none" stroke="{ink}" stroke-width="1.7" '
               'stroke-linecap="round" stroke-linejoin="round"/>'
               '<path d="M1.2 8 V10.6 H10.8 V8" fill="none" stroke="{ink}" stroke-width="1.6" '
               'stroke-linecap="round" stroke-linejoin="round"/>',
    "refresh": '<path d="M10 4.2 A4.6 4.6 0 1 0 10.6 7.2" fill="none" stroke="{ink}" stroke-width="1.7" '
               'stroke-linecap="round"/>'
               '<path d="M7.4 0.9 L11.3 1.2 L10.6 5.1 Z" fill="{ink}"/>',
}


def _glyph(name, x, y, ink, scale=1.0):
    return '<g transform="translate(%g,%g) scale(%g)">%s</g>' % (x, y, scale, GLYPHS[name].format(ink=ink))


# ---------------------------------------------------------------- caption buttons
# Title-bar buttons: a white glyph straight on the bar; hover and press show a
# soft tile behind it. The close button turns red like a window's own.

def _tile(width, height, colour, opacity):
    return ('<rect x="0" y="0" width="%d" height="%d" rx="3" fill="%s" fill-opacity="%g"/>'
            % (width, height, colour, opacity))


def caption_strip(glyph, width, states, danger=False):
    height = 22
    frames = []
    for state in range(states):
        tile = ""
        ink, opacity = "#FFFFFF", 1.0
        if state == 1:
            tile = _tile(width, height, P.DANGER if danger else "#FFFFFF", 1.0 if danger else 0.22)
        elif state == 2:
            tile = _tile(width, height, P.DANGER_DARK if danger else "#06314F", 1.0 if danger else 0.30)
        elif state == 3:
            opacity = 0.4
        gx = (width - 12) / 2.0
        body = '<g opacity="%g">%s%s</g>' % (opacity, tile, _glyph(glyph, gx, 5, ink))
        frames.append('<g transform="translate(%d,0)">%s</g>' % (state * width, body))
    return _svg(width * states, height, "".join(frames))


# ---------------------------------------------------------------- push buttons

PUSH_STYLES = {
    # state: (fill top, fill bottom, border, text, glyph)
    "primary": [
        ("#34A0E3", "#1B7DC0", "#1670AC", "#FFFFFF", "#FFFFFF"),
        ("#4BB0EC", "#2490D4", "#1A78B8", "#FFFFFF", "#FFFFFF"),
        ("#1870AE", "#1D7FC2", "#135F96", "#EAF4FB", "#EAF4FB"),
        ("#E4E9ED", "#E4E9ED", "#CBD3DA", "#A2ADB7", "#A2ADB7"),
    ],
    "secondary": [
        ("#FFFFFF", "#EDF1F4", "#B3BFCA", P.TEXT, P.ACCENT),
        ("#FFFFFF", "#E4F1FB", "#3D9BDB", P.TEXT, P.ACCENT),
        ("#D8E9F6", "#E7F1F9", "#2B84C2", P.TEXT, P.ACCENT_DARK),
        ("#F3F4F5", "#F3F4F5", "#D3D8DD", "#A9B2BA", "#B5BDC4"),
    ],
}


def push_strip(label, glyph, width, height, states, style, glyph_ink=None):
    size = 13 if height > 30 else 12
    text_w = fontmetrics.text_width(label, size, bold=True)
    gap = 6 if glyph else 0
    glyph_w = 12 if glyph else 0
    content = glyph_w + gap + text_w
    left = (width - content) / 2.0
    frames, defs = [], []
    for state in range(states):
        top, bottom, border, text, ink = PUSH_STYLES[style][state]
        if glyph_ink and state < 3:
            ink = glyph_ink
        gid = "fill%d" % state
        defs.append(_gradient(gid, top, bottom))
        shift = 1 if state == 2 else 0
        cy = height / 2.0 + shift
        parts = [
            '<rect x="0.5" y="0.5" width="%g" height="%g" rx="4" fill="url(#%s)" stroke="%s"/>'
            % (width - 1, height - 1, gid, border),
        ]
        if state in (0, 1):
            parts.append('<path d="M4 1.5 H%g" stroke="#FFFFFF" stroke-opacity="%g"/>'
                         % (width - 4, 0.35 if style == "primary" else 0.9))
        if glyph:
            parts.append(_glyph(glyph, round(left), cy - 6, ink))
        parts.append('<text x="%g" y="%g" font-family="%s" font-weight="bold" font-size="%d" fill="%s">%s</text>'
                     % (round(left) + glyph_w + gap, cy + size * 0.36, FONT, size, text, label))
        frames.append('<g transform="translate(%d,0)">%s</g>' % (state * width, "".join(parts)))
    return _svg(width * states, height, "".join(frames), "".join(defs))


# ---------------------------------------------------------------- check boxes

def _check_box(size, look):
    r = 3 if size >= 16 else 2.5
    box = size - 1
    inset = 0.5
    if look == "off":
        fill, stroke, mark = "#FFFFFF", "#8FA2B3", ""
    elif look == "off-hot":
        fill, stroke, mark = "#EEF7FD", P.ACCENT, ""
    elif look == "partial":
        fill, stroke = "#FFFFFF", P.ACCENT
        m = size * 0.3
        mark = '<rect x="%g" y="%g" width="%g" height="%g" rx="1" fill="%s"/>' % (m, m, size - 2 * m, size - 2 * m,
                                                                                  P.ACCENT)
    elif look in ("on", "on-hot"):
        fill = P.ACCENT if look == "on" else "#3FA6E6"
        stroke = P.ACCENT_DARK if look == "on" else P.ACCENT
        k = size / 16.0
        mark = ('<path d="M%g %g L%g %g L%g %g" fill="none" stroke="#FFFFFF" stroke-width="%g" '
                'stroke-linecap="round" stroke-linejoin="round"/>'
                % (4 * k, 8.3 * k, 6.9 * k, 11.1 * k, 12.2 * k, 5.1 * k, 1.9 * k))
    else:  # unavailable
        fill, stroke, mark = "#EEF0F2", "#CAD1D7", ""
    return ('<rect x="%g" y="%g" width="%g" height="%g" rx="%g" fill="%s" stroke="%s"/>%s'
            % (inset, inset, box, box, r, fill, stroke, mark))


def check_strip(size, looks):
    frames = ['<g transform="translate(%d,0)">%s</g>' % (i * size, _check_box(size, look))
              for i, look in enumerate(looks)]
    return _svg(size * len(looks), size, "".join(frames))


# ---------------------------------------------------------------- busy spinner

def spinner_strip(size=18, frames=8):
    """Eight spokes; the lead spoke steps clockwise one place per frame and
    the ones behind it fade."""
    c = size / 2.0
    inner, outer = size * 0.22, size / 2.0 - 1.6
    fade = [1.0, 0.8, 0.62, 0.48, 0.38, 0.3, 0.25, 0.22]
    out = []
    for f in range(frames):
        spokes = []
        for j in range(frames):
            angle = 2 * math.pi * j / frames - math.pi / 2
            dx, dy = math.cos(angle), math.sin(angle)
            spokes.append('<path d="M%.3f %.3f L%.3f %.3f" stroke="%s" stroke-opacity="%g" stroke-width="2.2" '
                          'stroke-linecap="round"/>'
                          % (c + inner * dx, c + inner * dy, c + outer * dx, c + outer * dy, P.ACCENT,
                             fade[(f - j) % frames]))
        out.append('<g transform="translate(%d,0)">%s</g>' % (f * size, "".join(spokes)))
    return _svg(size * frames, size, "".join(out))


# ---------------------------------------------------------------- loading animation

LOADING_FRAMES = 12
# The track between the phone and the computer in src/loaddata.svg.
TRACK_X0, TRACK_X1, TRACK_Y = 268.0, 496.0, 132.0
PACKETS = 3


def loading_delay(frame):
    # Hundredths of a second. The packet that lands on the computer rests a
    # little longer, so the flow reads as arriving rather than sliding.
    return 12 if frame % (LOADING_FRAMES // PACKETS) == 0 else 7


def loading_layer(frame):
    parts = []
    span = TRACK_X1 - TRACK_X0
    for p in range(PACKETS):
        t = ((frame + p * LOADING_FRAMES / PACKETS) % LOADING_FRAMES) / LOADING_FRAMES
        x = TRACK_X0 + span * t
        edge = min(t, 1 - t) / 0.12
        opacity = max(0.0, min(1.0, edge))
        parts.append('<rect x="%.2f" y="%.2f" width="14" height="14" rx="3.5" fill="%s" fill-opacity="%.2f"/>'
                     % (x - 7, TRACK_Y - 7, P.ACCENT, opacity))
    # The sync ring on the phone turns one twelfth per frame.
    angle = frame * 360.0 / LOADING_FRAMES
    parts.append('<g transform="rotate(%g 200 122)"><path d="M200 106 A16 16 0 1 1 184.8 117.1" fill="none" '
                 'stroke="%s" stroke-width="4" stroke-linecap="round"/>'
                 '<path d="M180.2 111.8 L190.5 113.5 L183.6 121.3 Z" fill="%s"/></g>'
                 % (angle, P.ACCENT, P.ACCENT))
    # Rows of the list on the computer fill in as packets arrive.
    rows = 1 + frame * PACKETS // LOADING_FRAMES
    for r in range(rows):
        y = 90 + r * 20
        parts.append('<circle cx="535" cy="%d" r="5.5" fill="%s"/>'
                     '<rect x="547" y="%d" width="%d" height="5" rx="2.5" fill="%s"/>'
                     '<rect x="547" y="%d" width="%d" height="3" rx="1.5" fill="#CBD7E2"/>'
                     % (y, P.DANGER if r == 0 else P.ACCENT_SOFT, y - 5, 92 - 14 * (r % 2),
                        "#E9948C" if r == 0 else "#9DB3C6", y + 2, 58 + 10 * (r % 3)))
    return "".join(parts)


# ---------------------------------------------------------------- the strip table

STRIPS = {
    # Title bar: 22 high, centred in the 32-pixel bar at y 5.
    "close": lambda: caption_strip("close", 21, 4, danger=True),
    "min": lambda: caption_strip("min", 21, 4),
    "menu": lambda: caption_strip("menu", 21, 3),
    "btn_help": lambda: caption_strip("help", 24, 4),
    "btn_home": lambda: caption_strip("home", 24, 4),
    # Footer of the main window.
    "back": lambda: push_strip("Back", "back", 96, 30, 3, "secondary"),
    "pause": lambda: push_strip("Pause", "pause", 96, 30, 4, "secondary"),
    "continue": lambda: push_strip("Continue", "continue", 96, 30, 4, "secondary", glyph_ink=P.SUCCESS),
    "stop": lambda: push_strip("Stop", "stop", 66, 30, 4, "secondary", glyph_ink=P.DANGER),
    "recover": lambda: push_strip("Recover", "recover", 132, 34, 3, "primary"),
    "refresh": lambda: push_strip("Refresh", "refresh", 132, 34, 3, "primary"),
    # Message box and about box.
    "ok": lambda: push_strip("OK", None, 80, 30, 4, "primary"),
    "yes": lambda: push_strip("Yes", None, 80, 30, 4, "primary"),
    "no": lambda: push_strip("No", None, 80, 30, 4, "secondary"),
    "cancel": lambda: push_strip("Cancel", None, 80, 30, 4, "secondary"),
    # List rows show frame 0 (unticked) and frame 2 (ticked).
    "checkbox": lambda: check_strip(14, ["off", "off-hot", "on", "on-hot"]),
    # The tree shows frame 0 (unticked), 3 (ticked) and 4 (category without data).
    "checkboxes": lambda: check_strip(16, ["off", "off-hot", "partial", "on", "unavailable"]),
    "animate": spinner_strip,
}


def strip_svg(stem):
    return STRIPS[stem]()

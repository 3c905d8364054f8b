"""The skin's colours. The SVG sources under src/ use the same values."""

ACCENT = "#1B7DC0"        # title bars, primary buttons, ticks
ACCENT_DARK = "#1467A6"
ACCENT_SOFT = "#7FBFE8"
TEXT = "#23384A"
SUCCESS = "#2EA55A"
DANGER = "#E0483B"
DANGER_DARK = "#B93328"

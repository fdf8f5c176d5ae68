#!/usr/bin/env python3
# SPDX-FileCopyrightText: 2026 Lotto developers
# SPDX-License-Identifier: GPL-3.0-or-later
"""font_covers_texts.py: the page's Ming subset has a glyph for every character of every text the page can show.

Usage: font_covers_texts.py SITE-FOLDER EXPECTED-JSON

The texts are taken apart from the list the build cut the subset from: the design's title, captions and headings,
the instruction texts, the balls' numbers and the run-time error reports as EXPECTED-JSON (the tests' own table)
writes them; and the built index.html's own text as a browser shows it: every text node except scripts, styles,
the title (the browser's own face draws it) and what only screen readers are told. A character without a glyph
would show in whatever face the phone has, or as a box.
"""
import html.parser
import json
import pathlib
import sys

from fontTools.ttLib import TTFont


class ShownText(html.parser.HTMLParser):
    """The text of a page that reaches the screen."""

    UNSHOWN_TAGS = {"script", "style", "title"}
    VOID_TAGS = {"meta", "link", "input", "br", "img", "hr", "source", "wbr"}

    def __init__(self):
        super().__init__()
        self.unshown_depth = []  # for each open element: whether it or an ancestor is never shown
        self.text = []

    def handle_starttag(self, tag, attrs):
        if tag in self.VOID_TAGS:
            return
        classes = (dict(attrs).get("class") or "").split()
        hidden = tag in self.UNSHOWN_TAGS or "for-screen-readers" in classes
        self.unshown_depth.append(hidden or (bool(self.unshown_depth) and self.unshown_depth[-1]))

    def handle_endtag(self, tag):
        if tag not in self.VOID_TAGS and self.unshown_depth:
            self.unshown_depth.pop()

    def handle_data(self, data):
        if not (self.unshown_depth and self.unshown_depth[-1]):
            self.text.append(data)


def program_texts(expected):
    """Every text the program can put on the page, as the tests' table writes them."""
    texts = [expected["title"], *expected["slotHeadings"], *expected["runTimeErrorReports"].values()]
    texts += [button["caption"] for button in expected["buttons"].values()]
    texts += [state["line"] for state in expected["states"].values()]
    texts += [str(number) for number in range(1, 43)]  # the balls' numbers
    return "\n".join(texts)


def main():
    if len(sys.argv) != 3:
        sys.exit(__doc__)
    site, expected_file = pathlib.Path(sys.argv[1]), pathlib.Path(sys.argv[2])
    fonts = sorted(site.glob("*.woff2"))
    if len(fonts) != 1:
        sys.exit(f"font_covers_texts.py: expected one WOFF2 in {site}, found {[f.name for f in fonts]}")
    cmap = TTFont(fonts[0]).getBestCmap()

    page = ShownText()
    page.feed((site / "index.html").read_text(encoding="utf-8"))
    expected = json.loads(expected_file.read_text(encoding="utf-8"))
    sources = {"the program's texts": program_texts(expected), "index.html": "".join(page.text)}
    missing = {}
    for source, text in sources.items():
        for character in sorted(set(text)):
            if not character.isspace() and ord(character) not in cmap:
                missing.setdefault(character, source)
    if missing:
        listed = ", ".join(f"{c} (U+{ord(c):04X}, from {source})" for c, source in missing.items())
        sys.exit(f"font_covers_texts.py: {fonts[0].name} has no glyph for {listed}")
    shown = len(set("".join(sources.values())) - {c for c in "".join(sources.values()) if c.isspace()})
    print(f"{fonts[0].name}: a glyph for each of the {shown} characters the page can show")


if __name__ == "__main__":
    main()

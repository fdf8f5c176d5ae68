#!/usr/bin/env python3
# SPDX-FileCopyrightText: 2026 Lotto developers
# SPDX-License-Identifier: GPL-3.0-or-later
"""subset_ming.py: cuts the page's Ming subset from an installed font collection, with the notice its licence asks.

Usage: subset_ming.py COLLECTION FAMILY-FILE TEXTS-FILE OUT.woff2 NOTICE-TEMPLATE OUT-NOTICE

Keeps the glyphs of every text in TEXTS-FILE from the face whose family FAMILY-FILE names, as WOFF2. The Arphic
Public License asks each modified file to say how and when it was changed: the notice goes into the font's own
description (name ID 10) and, filled in from NOTICE-TEMPLATE, beside it. The date is the build's, or
SOURCE_DATE_EPOCH's when set, so that a reproducible build stays reproducible.
"""
import datetime
import logging
import os
import sys

from fontTools import subset, version as fonttools_version
from fontTools.ttLib import TTCollection

DESCRIPTION_NAME_ID = 10


def font_number(collection_path, family):
    collection = TTCollection(collection_path, lazy=True)
    for number, font in enumerate(collection.fonts):
        if font["name"].getDebugName(1) == family:
            return number
    sys.exit(f"subset_ming.py: no face named {family!r} in {collection_path}")


def main():
    if len(sys.argv) != 7:
        sys.exit(__doc__)
    collection, family_file, texts_file, output, notice_template, notice_output = sys.argv[1:]
    with open(family_file, encoding="utf-8") as f:
        family = f.read().strip()
    with open(texts_file, encoding="utf-8") as f:
        text = "".join(ch for ch in f.read() if not ch.isspace()) + " "
    epoch = os.environ.get("SOURCE_DATE_EPOCH")
    when = datetime.datetime.fromtimestamp(int(epoch), datetime.timezone.utc) if epoch else datetime.datetime.now(
        datetime.timezone.utc)
    with open(notice_template, encoding="utf-8") as f:
        notice = (f.read().replace("@DATE@", when.strftime("%Y-%m-%d")).replace("@FAMILY@", family)
                  .replace("@FONTTOOLS@", fonttools_version).replace("@FONT_FILE@", os.path.basename(output)))

    logging.getLogger("fontTools.subset").setLevel(logging.ERROR)  # tables it drops: bitmaps no browser reads
    options = subset.Options()
    options.flavor = "woff2"
    options.font_number = font_number(collection, family)
    options.name_IDs = ["*"]  # the copyright, licence and description names stay with the font
    options.name_languages = ["*"]
    font = subset.load_font(collection, options)
    subsetter = subset.Subsetter(options)
    subsetter.populate(text=text)
    subsetter.subset(font)
    # The notice without its SPDX header lines, which speak of the notice file, not of the font.
    changed = " ".join(line for line in notice.splitlines() if line and "SPDX-" not in line)
    font["name"].setName(changed, DESCRIPTION_NAME_ID, 3, 1, 0x409)
    subset.save_font(font, output, options)
    with open(notice_output, "w", encoding="utf-8") as f:
        f.write(notice)


if __name__ == "__main__":
    main()

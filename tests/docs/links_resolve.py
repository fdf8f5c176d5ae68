#!/usr/bin/env python3
# SPDX-FileCopyrightText: 2026 Lotto developers
# SPDX-License-Identifier: GPL-3.0-or-later
# links_resolve.py: every relative link of the given Markdown files leads to a file that exists, and every #part of
# a link to a heading of the file it names.
# usage: links_resolve.py FILE.md...
import pathlib
import re
import sys

# [text](target) and ![alt](target), with an optional "title"; code is taken out first, where brackets are code.
LINK = re.compile(r'!?\[[^\]]*\]\(\s*<?([^)\s>]+)>?(?:\s+"[^"]*")?\s*\)')
FENCE = re.compile(r'^(```|~~~).*?^\1', re.M | re.S)
CODE_SPAN = re.compile(r'`[^`\n]*`')
SCHEME = re.compile(r'^[A-Za-z][A-Za-z0-9+.-]*:')


def anchors(path):
    """The anchors a Markdown host makes of a file's headings: lower case, punctuation dropped, spaces as dashes,
    and -1, -2 … after a repeated one."""
    seen = {}
    result = set()
    for line in FENCE.sub('', path.read_text(encoding='utf-8')).splitlines():
        heading = re.match(r'#{1,6}\s+(.*?)\s*#*\s*$', line)
        if not heading:
            continue
        slug = re.sub(r'[^\w\- ]', '', CODE_SPAN.sub(lambda span: span.group(0)[1:-1], heading.group(1)).lower())
        slug = slug.replace(' ', '-')
        count = seen.get(slug, 0)
        seen[slug] = count + 1
        result.add(slug if count == 0 else f'{slug}-{count}')
    return result


def broken_links(path):
    text = CODE_SPAN.sub('', FENCE.sub('', path.read_text(encoding='utf-8')))
    for target in LINK.findall(text):
        if SCHEME.match(target):
            continue  # another site's address: not this tree's to keep
        file_part, _, anchor = target.partition('#')
        linked = (path.parent / file_part).resolve() if file_part else path.resolve()
        if not linked.exists():
            yield f'{path}: {target}: no such file'
        elif anchor and linked.suffix == '.md' and anchor not in anchors(linked):
            yield f'{path}: {target}: no heading makes #{anchor} in {linked.name}'


def main(paths):
    checked = [pathlib.Path(path) for path in paths]
    problems = [problem for path in checked for problem in broken_links(path)]
    for problem in problems:
        print(problem)
    print(f'{len(checked)} files, {len(problems)} broken links')
    return 1 if problems or not checked else 0


if __name__ == '__main__':
    sys.exit(main(sys.argv[1:]))

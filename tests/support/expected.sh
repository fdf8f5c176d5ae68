# SPDX-FileCopyrightText: 2026 Lotto developers
# SPDX-License-Identifier: GPL-3.0-or-later
# expected.sh: sourced by the shell tests and scripts: what they expect, read from tests/support/expected.json.
# shellcheck shell=bash

expected_json=$(dirname "${BASH_SOURCE[0]}")/expected.json

# expected PATH...: for each PATH, its keys joined by dots (a list's items by number), one line with the table's value
# there, a list's items separated by spaces: `expected title boxes.Command2.pixels` prints 樂透程式, then 480 80 97 41.
# One reading of the table for them all: on a loaded machine each start of Python takes a while.
expected() {
  "$(command -v /usr/bin/python3 || command -v python3)" - "$expected_json" "$@" <<'EOF'
import json
import sys

with open(sys.argv[1], encoding="utf-8") as table_file:
    table = json.load(table_file)
for path in sys.argv[2:]:
    value = table
    for key in path.split("."):
        value = value[int(key)] if isinstance(value, list) else value[key]
    print(" ".join(map(str, value)) if isinstance(value, list) else value)
EOF
}

#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Lotto developers
# SPDX-License-Identifier: GPL-3.0-or-later
# check_deb_package.sh: builds the Debian package with CPack, checks what it installs and depends on, and lints it.
# Usage: check_deb_package.sh BUILD_DIR APP_ID WORK_DIR
set -euo pipefail
build_dir=$1 app_id=$2 work_dir=$3
# shellcheck source=scripts/lib/checks.sh
source "$(dirname "$0")/../../scripts/lib/checks.sh"

rm -rf "$work_dir"
cpack --config "$build_dir/CPackConfig.cmake" -G DEB -B "$work_dir" >"$work_dir.log" 2>&1 || {
  cat "$work_dir.log" >&2
  exit 1
}
debs=("$work_dir"/*.deb)
[ ${#debs[@]} -eq 1 ] || { echo "expected one .deb, found: ${debs[*]}" >&2; exit 1; }
deb=${debs[0]}

contents=$(dpkg-deb --contents "$deb")
# Debian keeps games in /usr/games, with a manual page, a changelog and a copyright file.
for path in usr/games/lotto \
  "usr/share/applications/$app_id.desktop" \
  "usr/share/metainfo/$app_id.metainfo.xml" \
  "usr/share/icons/hicolor/scalable/apps/$app_id.svg" \
  "usr/share/icons/hicolor/16x16/apps/$app_id.png" \
  "usr/share/icons/hicolor/256x256/apps/$app_id.png" \
  usr/share/man/man6/lotto.6.gz \
  usr/share/doc/lotto/changelog.gz \
  usr/share/doc/lotto/copyright; do
  grep -qE " \./$path\$" <<<"$contents" || fail "missing from the package: $path"
done
grep -qE " \./usr/share/icons/hicolor/[^/]+/apps/$app_id\.(svg|png)\$" <<<"$contents" || fail "no icon in hicolor"
grep -qE '^-rwxr-xr-x .* \./usr/games/lotto$' <<<"$contents" || fail "usr/games/lotto is not executable"

depends=$(dpkg-deb --field "$deb" Depends)
echo "Depends: $depends"
# The Ming face the design is drawn for, Qt's Chinese texts, and the Qt the program links.
for needed in fonts-arphic-uming qt6-translations-l10n libqt6widgets6; do
  grep -qE "(^|, )$needed( |,|\$)" <<<"$depends" || fail "Depends lacks: $needed"
done
grep -qF '|' <<<"$depends" && fail "Depends offers alternatives, whose fonts the design was not drawn for: $depends"

# Debian's own package checker, at its strictest: no error and no warning.
lintian_output=$(lintian -EIL +pedantic "$deb" 2>&1 | grep -v '^running with root privileges' || true)
echo "lintian: ${lintian_output:-(nothing to report)}"
grep -qE '^[EW]: ' <<<"$lintian_output" && fail "lintian reports errors or warnings"

# The entry inside the package must be the one that validates, naming the installed program.
extracted="$work_dir/root"
dpkg-deb --extract "$deb" "$extracted"
desktop-file-validate "$extracted/usr/share/applications/$app_id.desktop" || fail "the packaged entry is not valid"
exec_line=$(grep -m1 '^Exec=' "$extracted/usr/share/applications/$app_id.desktop")
command=${exec_line#Exec=}
command=${command%% *}
[ -x "$extracted/usr/games/$command" ] || fail "the entry's $exec_line is not the packaged program in usr/games"
grep -qx "Icon=$app_id" "$extracted/usr/share/applications/$app_id.desktop" || fail "the entry does not name the installed icon"
exit $((failures > 0))

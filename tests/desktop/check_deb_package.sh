#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Lotto developers
# SPDX-License-Identifier: GPL-3.0-or-later
# check_deb_package.sh: builds the Debian package with CPack and checks what it installs and depends on.
# Usage: check_deb_package.sh BUILD_DIR APP_ID WORK_DIR
set -euo pipefail
build_dir=$1 app_id=$2 work_dir=$3

rm -rf "$work_dir"
cpack --config "$build_dir/CPackConfig.cmake" -G DEB -B "$work_dir" >"$work_dir.log" 2>&1 || {
  cat "$work_dir.log" >&2
  exit 1
}
debs=("$work_dir"/*.deb)
[ ${#debs[@]} -eq 1 ] || { echo "expected one .deb, found: ${debs[*]}" >&2; exit 1; }
deb=${debs[0]}

failures=0
contents=$(dpkg-deb --contents "$deb")
for path in usr/bin/lotto \
  "usr/share/applications/$app_id.desktop" \
  "usr/share/metainfo/$app_id.metainfo.xml" \
  "usr/share/icons/hicolor/scalable/apps/$app_id.svg" \
  "usr/share/icons/hicolor/16x16/apps/$app_id.png" \
  "usr/share/icons/hicolor/256x256/apps/$app_id.png"; do
  if ! grep -qE " \./$path\$" <<<"$contents"; then
    echo "missing from the package: $path" >&2
    failures=$((failures + 1))
  fi
done
if ! grep -qE '^-rwxr-xr-x .* \./usr/bin/lotto$' <<<"$contents"; then
  echo "usr/bin/lotto is not executable" >&2
  failures=$((failures + 1))
fi

depends=$(dpkg-deb --field "$deb" Depends)
echo "Depends: $depends"
for needed in 'libqt6widgets6' 'fonts-arphic-uming | fonts-noto-cjk' 'libqt6svg6'; do
  if ! grep -qF "$needed" <<<"$depends"; then
    echo "Depends lacks: $needed" >&2
    failures=$((failures + 1))
  fi
done

# The entry inside the package must be the one that validates, naming the installed program.
extracted="$work_dir/root"
dpkg-deb --extract "$deb" "$extracted"
desktop-file-validate "$extracted/usr/share/applications/$app_id.desktop" || failures=$((failures + 1))
grep -qx 'Exec=lotto' "$extracted/usr/share/applications/$app_id.desktop" || {
  echo "the entry does not start lotto" >&2
  failures=$((failures + 1))
}
grep -qx "Icon=$app_id" "$extracted/usr/share/applications/$app_id.desktop" || {
  echo "the entry does not name the installed icon" >&2
  failures=$((failures + 1))
}
exit $((failures > 0))

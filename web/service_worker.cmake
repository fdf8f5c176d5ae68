# SPDX-FileCopyrightText: 2026 Lotto developers
# SPDX-License-Identifier: GPL-3.0-or-later
# service_worker.cmake: writes sw.js with the site's files and a cache name taken from their contents.
# cmake -DSITE=dir -DFILES="a;b" -DTEMPLATE=sw.js.in -DOUTPUT=dir/sw.js -P service_worker.cmake
set(contents "")
set(quoted "\"./\"")
foreach(file IN LISTS FILES)
  file(SHA256 "${SITE}/${file}" hash)
  string(APPEND contents "${hash}")
  string(APPEND quoted ", \"${file}\"")
endforeach()
string(SHA256 SITE_HASH "${contents}")
string(SUBSTRING "${SITE_HASH}" 0 16 SITE_HASH)
set(SITE_FILES "${quoted}")
configure_file("${TEMPLATE}" "${OUTPUT}" @ONLY)

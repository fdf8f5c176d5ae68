# SPDX-FileCopyrightText: 2026 Lotto developers
# SPDX-License-Identifier: GPL-3.0-or-later
# service_worker.cmake: writes sw.js with the site's files, each with its SHA-256, and a cache name taken from their
# contents, and removes whatever else an earlier build left in the folder, so that it holds what the page needs and
# no more.
# cmake -DSITE=dir -DFILES="a;b" -DTEMPLATE=sw.js.in -DOUTPUT=dir/sw.js -P service_worker.cmake
cmake_minimum_required(VERSION 3.22)
set(contents "")
set(entries "")
foreach(file IN LISTS FILES)
  file(SHA256 "${SITE}/${file}" hash)
  string(APPEND contents "${hash}")
  list(APPEND entries "\"${file}\": \"${hash}\"")
  if(file STREQUAL "index.html")
    list(APPEND entries "\"./\": \"${hash}\"")  # the address the page is opened at
  endif()
endforeach()
string(SHA256 SITE_HASH "${contents}")
string(SUBSTRING "${SITE_HASH}" 0 16 SITE_HASH)
list(JOIN entries ", " SITE_FILES)
configure_file("${TEMPLATE}" "${OUTPUT}" @ONLY)

file(GLOB present RELATIVE "${SITE}" "${SITE}/*")
get_filename_component(worker "${OUTPUT}" NAME)
foreach(file IN LISTS present)
  if(NOT file IN_LIST FILES AND NOT file STREQUAL worker)
    file(REMOVE_RECURSE "${SITE}/${file}")
  endif()
endforeach()

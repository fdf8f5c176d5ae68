# SPDX-FileCopyrightText: 2026 Lotto developers
# SPDX-License-Identifier: GPL-3.0-or-later
# site_weight.cmake: the page's folder weighs no more than its budget, every file counted as it lies there.
# cmake -DSITE=<build>/site -DBUDGET=<bytes> -P site_weight.cmake; lists each file's size, largest first.
cmake_minimum_required(VERSION 3.22)
if(NOT EXISTS "${SITE}/index.html")
  message(FATAL_ERROR "${SITE} holds no page")
endif()
file(GLOB_RECURSE files LIST_DIRECTORIES false RELATIVE "${SITE}" "${SITE}/*")
set(total 0)
set(lines "")
foreach(file IN LISTS files)
  file(SIZE "${SITE}/${file}" size)
  math(EXPR total "${total} + ${size}")
  string(LENGTH "${size}" digits)
  math(EXPR missing_digits "10 - ${digits}")
  string(REPEAT "0" ${missing_digits} padding)  # sorted as text, so padded to one width
  list(APPEND lines "${padding}${size} ${size} ${file}")
endforeach()
list(SORT lines ORDER DESCENDING)
foreach(line IN LISTS lines)
  string(SUBSTRING "${line}" 11 -1 line)  # past the padded size
  message("${line}")
endforeach()
list(LENGTH files count)
if(total GREATER BUDGET)
  math(EXPR over "${total} - ${BUDGET}")
  message(FATAL_ERROR "${total} bytes in ${count} files, ${over} over the budget of ${BUDGET}")
endif()
message("${total} bytes in ${count} files, within the budget of ${BUDGET}")

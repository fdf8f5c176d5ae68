# SPDX-FileCopyrightText: 2026 Lotto developers
# SPDX-License-Identifier: GPL-3.0-or-later
# debian_layout.cmake: run by CPack on the staged package: the program to usr/games, stripped as Debian strips.
set(usr "${CPACK_TEMPORARY_INSTALL_DIRECTORY}/usr")
if(NOT EXISTS "${usr}/bin/lotto")
  message(FATAL_ERROR "the staged package holds no usr/bin/lotto under ${CPACK_TEMPORARY_INSTALL_DIRECTORY}")
endif()
file(MAKE_DIRECTORY "${usr}/games")
file(RENAME "${usr}/bin/lotto" "${usr}/games/lotto")
file(GLOB left_in_bin "${usr}/bin/*")
if(NOT left_in_bin)
  file(REMOVE_RECURSE "${usr}/bin")
endif()
# CPack strips the symbols; the compiler's banner goes too, as dh_strip removes it.
find_program(OBJCOPY objcopy REQUIRED)
execute_process(COMMAND "${OBJCOPY}" --remove-section=.comment "${usr}/games/lotto" COMMAND_ERROR_IS_FATAL ANY)

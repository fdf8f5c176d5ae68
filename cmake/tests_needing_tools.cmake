# SPDX-FileCopyrightText: 2026 Lotto developers
# SPDX-License-Identifier: GPL-3.0-or-later
# tests_needing_tools.cmake: a test that runs an outside tool is added only where the tool is found, and configure
# names in one line every test left out and the package that brings what it lacks.
#
# A packager's build or a contributor's first configure often lacks the X server, the screen reader or the
# package checkers; those tests are then left out rather than failing the whole configure. scripts/test installs
# every tool first, so there nothing is left out; -DLOTTO_REQUIRE_EVERY_TEST=ON turns a missing tool into an error.

option(LOTTO_REQUIRE_EVERY_TEST "Fail the configure when a test's tool is missing, instead of leaving the test out" OFF)

# lotto_tests_need(<found-var> TESTS <test>... [PROGRAMS <program>=<package>...] [FOUND <variable>=<package>...])
#
# Sets <found-var> to TRUE when every program is found and every FOUND variable is true. Otherwise sets it to FALSE
# and notes the tests, with the packages of whatever is missing, for lotto_report_left_out_tests(). Each program's
# path is cached under its name in upper case with - and . as _ (desktop-file-validate: DESKTOP_FILE_VALIDATE).
# FOUND takes what a find_package() or a check of the caller's own decided, such as a module a script imports.
function(lotto_tests_need found_var)
  cmake_parse_arguments(PARSE_ARGV 1 arg "" "" "TESTS;PROGRAMS;FOUND")
  set(missing_packages "")
  foreach(entry IN LISTS arg_PROGRAMS)
    string(REPLACE "=" ";" pair "${entry}")
    list(GET pair 0 program)
    list(GET pair 1 package)
    string(MAKE_C_IDENTIFIER "${program}" variable)
    string(TOUPPER "${variable}" variable)
    # Found where the tests' scripts look: on the PATH, not in CMake's own system folders, so that a tool kept off
    # the PATH leaves its tests out. Helpers such as the AT-SPI bus launcher live in libexec, which no PATH names.
    find_program(${variable} ${program} NO_CMAKE_SYSTEM_PATH PATHS /usr/libexec)
    if(NOT ${variable})
      list(APPEND missing_packages ${package})
    endif()
  endforeach()
  foreach(entry IN LISTS arg_FOUND)
    string(REPLACE "=" ";" pair "${entry}")
    list(GET pair 0 variable)
    list(GET pair 1 package)
    if(NOT ${variable})
      list(APPEND missing_packages ${package})
    endif()
  endforeach()

  if(NOT missing_packages)
    set(${found_var} TRUE PARENT_SCOPE)
    return()
  endif()
  set(${found_var} FALSE PARENT_SCOPE)
  list(REMOVE_DUPLICATES missing_packages)
  list(JOIN missing_packages ", " packages)
  list(JOIN arg_TESTS ", " tests)
  if(LOTTO_REQUIRE_EVERY_TEST)
    message(FATAL_ERROR "Missing for ${tests}: ${packages}")
  endif()
  set_property(GLOBAL APPEND PROPERTY LOTTO_LEFT_OUT_TESTS "${tests} (${packages})")
endfunction()

# Prints the one line naming the tests left out; call it once, after every test folder.
function(lotto_report_left_out_tests)
  get_property(left_out GLOBAL PROPERTY LOTTO_LEFT_OUT_TESTS)
  if(left_out)
    list(JOIN left_out "; " text)
    # On stderr, so it shows also where the configure's progress lines are hidden (scripts/build).
    message(NOTICE "Tests left out, with the packages that bring their tools: ${text}")
  endif()
endfunction()

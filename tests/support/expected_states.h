// SPDX-FileCopyrightText: 2026 Lotto developers
// SPDX-License-Identifier: GPL-3.0-or-later
// expected_states.h: the design's slot headings and state table, written once here for every layer's tests.
#pragma once

#include <array>

namespace lotto::testing {

// The result slots' headings while nothing is drawn into them: 一 to 六, then 特 for the special number.
inline constexpr std::array<const char16_t*, 7> kSlotHeadings = {u"一", u"二", u"三", u"四", u"五", u"六", u"特"};

// The roll's beat, whenever it runs.
inline constexpr int kRollIntervalMs = 30;

// The moments of a game the state table tells apart.
enum class Phase {
  Opened,     // the window has just opened
  AfterDraw,  // a number was drawn, and fewer than seven are
  Running,    // Next was pressed after a draw
  Finished,   // the seventh number was drawn
  Cleared,    // 清除 was pressed
};

inline const char* phaseName(Phase phase) {
  switch (phase) {
    case Phase::Opened:
      return "opened";
    case Phase::AfterDraw:
      return "after a draw";
    case Phase::Running:
      return "after Next";
    case Phase::Finished:
      return "after the seventh draw";
    case Phase::Cleared:
      return "after 清除";
  }
  return "?";
}

// One row of the state table; Bye is enabled in every phase.
struct ExpectedState {
  bool next;             // Command1, "Next", enabled
  bool draw;             // Command2, "開獎", enabled
  bool clear;            // Command3, "清除", enabled
  bool rolling;          // Timer1 enabled
  const char16_t* line;  // what Text1 reads
};

inline constexpr ExpectedState expectedState(Phase phase) {
  switch (phase) {
    case Phase::Opened:
      return {false, true, false, true, u""};
    case Phase::AfterDraw:
      return {true, false, true, false, u"NEXT開獎"};
    case Phase::Running:
      return {true, true, true, true, u"請按開獎"};
    case Phase::Finished:
      return {false, false, true, false, u"按清除重開"};
    case Phase::Cleared:
      return {false, true, false, true, u"請按開獎"};
  }
  return {};
}

}  // namespace lotto::testing

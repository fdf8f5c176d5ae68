// SPDX-FileCopyrightText: 2026 Lotto developers
// SPDX-License-Identifier: GPL-3.0-or-later
// expected_states.h: the design's slot headings, names and state table as the C++ tests read them from expected.json.
#pragma once

#include <array>
#include <codecvt>
#include <fstream>
#include <locale>
#include <nlohmann/json.hpp>
#include <optional>
#include <stdexcept>
#include <string>

namespace lotto::testing {

// What every layer's tests expect, written once in tests/support/expected.json for the C++, Python and JavaScript
// tests alike: the design's values as the design writes them, never the program's own constants.
inline const nlohmann::json& expected() {
  static const nlohmann::json table = [] {
    std::ifstream in(LOTTO_EXPECTED_JSON);
    if (!in) {
      throw std::runtime_error("cannot read " LOTTO_EXPECTED_JSON);
    }
    return nlohmann::json::parse(in);
  }();
  return table;
}

// The table's UTF-8 as the program's UTF-16 captions; text that is not UTF-8 throws.
inline std::u16string utf16(const std::string& utf8) {
  return std::wstring_convert<std::codecvt_utf8_utf16<char16_t>, char16_t>().from_bytes(utf8);
}

inline std::u16string expectedText(const nlohmann::json& text) { return utf16(text.get<std::string>()); }

// The result slots' headings while nothing is drawn into them: 一 to 六, then 特 for the special number.
inline const std::array<std::u16string, 7> kSlotHeadings = [] {
  std::array<std::u16string, 7> headings;
  for (std::size_t k = 0; k < headings.size(); ++k) {
    headings[k] = expectedText(expected().at("slotHeadings").at(k));
  }
  return headings;
}();

// The roll's beat, whenever it runs.
inline const int kRollIntervalMs = expected().at("rollIntervalMs").get<int>();

// The moments of a game the state table tells apart.
enum class Phase {
  Opened,     // the window has just opened
  AfterDraw,  // a number was drawn, and fewer than seven are
  Running,    // Next was pressed after a draw
  Finished,   // the seventh number was drawn
  Cleared,    // 清除 was pressed
};

inline const char* phaseName(Phase phase) {
  static const char* const kNames[] = {"opened", "after a draw", "after Next", "after the seventh draw", "after 清除"};
  return kNames[static_cast<int>(phase)];
}

// One row of the state table; Bye is enabled in every phase.
struct ExpectedState {
  bool next;            // Command1, "Next", enabled
  bool draw;            // Command2, "開獎", enabled
  bool clear;           // Command3, "清除", enabled
  bool rolling;         // Timer1 enabled
  std::u16string line;  // what Text1 reads
};

inline ExpectedState expectedState(Phase phase) {
  static const char* const kRows[] = {"opened", "afterDraw", "running", "finished", "cleared"};
  const nlohmann::json& row = expected().at("states").at(kRows[static_cast<int>(phase)]);
  return {row.at("next").get<bool>(), row.at("draw").get<bool>(), row.at("clear").get<bool>(),
          row.at("rolling").get<bool>(), expectedText(row.at("line"))};
}

// What a layer shows of a row: its buttons, its roll and the roll's beat, and its instruction line.
struct SeenState {
  bool next, draw, clear, bye;
  bool rolling;
  int intervalMs;
  std::optional<std::u16string> line;  // nothing where the user typed over it
};

// How `seen` differs from the state table's row for `phase`, with `typed` after the line: empty where it does not.
inline std::string stateMismatch(Phase phase, const SeenState& seen, const std::u16string& typed = {}) {
  const ExpectedState want = expectedState(phase);
  std::string wrong;
  const auto expect = [&wrong](bool holds, const std::string& what) {
    if (!holds) wrong += what + "; ";
  };
  expect(seen.next == want.next, want.next ? "Next greyed" : "Next enabled");
  expect(seen.draw == want.draw, want.draw ? "開獎 greyed" : "開獎 enabled");
  expect(seen.clear == want.clear, want.clear ? "清除 greyed" : "清除 enabled");
  expect(seen.bye, "Bye greyed");
  expect(seen.rolling == want.rolling, want.rolling ? "the roll stopped" : "the roll runs");
  expect(seen.intervalMs == kRollIntervalMs, "the roll beats every " + std::to_string(seen.intervalMs) + " ms");
  expect(!seen.line || *seen.line == want.line + typed, "another instruction line");
  return wrong.empty() ? wrong : wrong + phaseName(phase);
}

}  // namespace lotto::testing

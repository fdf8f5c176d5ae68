// SPDX-FileCopyrightText: 2026 Lotto developers
// SPDX-License-Identifier: GPL-3.0-or-later
// texts_test.cpp: every text the draw core writes and every error it raises is in the lists the core exports, from
// which the page cuts its font: a text missing there would show with glyphs missing.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <iterator>
#include <set>
#include <string>

#include "draw_logic.h"
#include "expected_states.h"
#include "recording_board_view.h"
#include "scripted_random_source.h"

namespace lotto {
namespace {

using testing::RecordingBoardView;
using testing::ScriptedRandomSource;

// The recording board, noting every text the core writes on it.
class TextNotingBoard : public RecordingBoardView {
 public:
  void setLabelText(SmallInt label, const std::u16string& text) override {
    labelTexts.insert(text);
    RecordingBoardView::setLabelText(label, text);
  }
  void setInstructionText(const std::u16string& text) override {
    instructionTexts.insert(text);
    RecordingBoardView::setInstructionText(text);
  }

  std::set<std::u16string> labelTexts, instructionTexts;
};

TEST(ExportedTextsTest, EveryTextAGameWritesIsInTheCoresLists) {
  TextNotingBoard board;
  ScriptedRandomSource random({}, 20260108);
  DrawLogic logic(board, random);
  logic.Form_Load();
  for (int game = 0; game < 2; ++game) {
    for (int draw = 0; draw < kSlotCount; ++draw) {
      logic.Timer1_Timer();
      logic.Command2_Click();
      logic.Command1_Click();
    }
    logic.Command3_Click();
  }

  std::set<std::u16string> labelList(std::begin(texts::kSlotHeadings), std::end(texts::kSlotHeadings));
  for (int number = 1; number <= 42; ++number) {
    labelList.insert(testing::utf16(std::to_string(number)));  // the balls' numbers, written out
  }
  const std::set<std::u16string> instructionList(std::begin(texts::kInstructionTexts),
                                                 std::end(texts::kInstructionTexts));
  for (const std::u16string& text : board.labelTexts) {
    EXPECT_EQ(labelList.count(text), 1u) << "a label text outside the lists, " << text.size() << " code units";
  }
  for (const std::u16string& text : board.instructionTexts) {
    EXPECT_EQ(instructionList.count(text), 1u) << "an instruction text outside kInstructionTexts";
  }
  // The game wrote all three lines, the seven headings back and numbers into the slots.
  EXPECT_EQ(board.instructionTexts.size(), 3u);
  EXPECT_GT(board.labelTexts.size(), 42u);
}

TEST(ExportedTextsTest, EveryErrorTheCoreRaisesIsInItsList) {
  // Each way the core and its board end a procedure with a run-time error.
  const std::function<void()> raises[] = {
      [] { add16(32767, 1); },
      [] { RecordingBoardView().setLabelText(kLabelCount, u"1"); },
      [] {
        RecordingBoardView board;
        ScriptedRandomSource brokenSource({1.0f});  // breaks its promise of r < 1
        DrawLogic(board, brokenSource).Timer1_Timer();
      },
      [] { SeededRandomSource("no such entropy source").next(); },
  };
  const auto listed = everyRunTimeError();
  for (std::size_t way = 0; way < std::size(raises); ++way) {
    try {
      raises[way]();
      ADD_FAILURE() << "way " << way << " raised nothing";
    } catch (const RunTimeError& error) {
      const bool inList = std::any_of(listed.begin(), listed.end(), [&](const RunTimeError& each) {
        return each.number() == error.number() && std::string(each.what()) == error.what();
      });
      EXPECT_TRUE(inList) << "way " << way << ": error " << static_cast<int>(error.number()) << " " << error.what();
    }
  }
}

}  // namespace
}  // namespace lotto

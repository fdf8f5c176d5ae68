// SPDX-FileCopyrightText: 2026 Lotto developers
// SPDX-License-Identifier: GPL-3.0-or-later
// web_binding.cpp: what the page and the program call of each other through embind.
#include <emscripten/bind.h>

#include <array>
#include <optional>
#include <string>

#include "accessible_texts.h"
#include "form1_design.h"
#include "web_board.h"
#include "web_program.h"

namespace lotto::web {

namespace {

std::string cssColour(Colour colour) {
  return "rgb(" + std::to_string(redOf(colour)) + ", " + std::to_string(greenOf(colour)) + ", " +
         std::to_string(blueOf(colour)) + ")";
}

// The page's JavaScript board and front end. Indexes are checked here, before they reach the page, so that an index
// with no control behind it is the run-time error it is on the desktop; buttons go by their design names and colours as
// CSS. A tick writes 43 disc colours of which two change what the page shows, and each call into the page costs
// microseconds: so the colour each disc last showed is kept here, as a painter keeps what it last painted, and only a
// change is passed on.
class PageBoard : public emscripten::wrapper<WebBoard> {
 public:
  EMSCRIPTEN_WRAPPER(PageBoard);

  std::u16string labelText(SmallInt label) const override {
    return call<std::u16string>("labelText", design::checkedItemIndex(label));
  }
  void setLabelText(SmallInt label, const std::u16string& text) override {
    call<void>("setLabelText", design::checkedItemIndex(label), text);
  }
  void setLabelVisible(SmallInt label, bool visible) override {
    call<void>("setLabelVisible", design::checkedItemIndex(label), visible);
  }
  void setDiscColour(SmallInt disc, Colour colour) override {
    std::optional<Colour>& shown = shownColours_[design::checkedItemIndex(disc)];
    if (shown != colour) {
      shown = colour;
      call<void>("setDiscColour", disc, cssColour(colour));
    }
  }
  void setDiscVisible(SmallInt disc, bool visible) override {
    call<void>("setDiscVisible", design::checkedItemIndex(disc), visible);
  }
  void setButtonEnabled(Button button, bool enabled) override {
    call<void>("setButtonEnabled", std::string(design::controlName(design::controlOf(button))), enabled);
  }
  void setInstructionText(const std::u16string& text) override { call<void>("setInstructionText", text); }
  void setTimerInterval(int milliseconds) override { call<void>("setTimerInterval", milliseconds); }
  void setTimerEnabled(bool enabled) override { call<void>("setTimerEnabled", enabled); }

  bool controlEnabled(design::Control control) const override {
    return call<bool>("controlEnabled", std::string(design::controlName(control)));
  }
  void showWindow() override { call<void>("showWindow"); }
  void focusControl(design::Control control, midend::FocusMove) override {
    call<void>("focusControl", std::string(design::controlName(control)));
  }
  void announce(const std::u16string& text) override { call<void>("announce", text); }
  void showRunTimeError(const std::u16string& title, const std::string& line) override {
    call<void>("showRunTimeError", title, line);
  }
  void end(int status) override { call<void>("end", status); }

 private:
  std::array<std::optional<Colour>, kLabelCount> shownColours_{};  // none yet: the design's fill, as laid out
};

// A factory rather than a bound constructor: this embind misreads a constructor that takes the board.
WebProgram* makeProgram(WebBoard* board) { return new WebProgram(*board); }

std::u16string accessibleLabelName(int label, const std::u16string& caption) {
  return midend::labelName(design::checkedItemIndex(label), caption);
}

}  // namespace

EMSCRIPTEN_BINDINGS(lotto) {
  emscripten::class_<WebBoard>("WebBoard").allow_subclass<PageBoard>("PageBoard");
  emscripten::class_<WebProgram>("WebProgram")
      .function("start", &WebProgram::start)
      .function("tick", &WebProgram::tick)
      .function("click", &WebProgram::click)
      .function("ended", &WebProgram::ended);
  emscripten::function("makeProgram", &makeProgram, emscripten::allow_raw_pointers());
  emscripten::function("accessibleLabelName", &accessibleLabelName);
}

}  // namespace lotto::web

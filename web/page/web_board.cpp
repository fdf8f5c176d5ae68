// SPDX-FileCopyrightText: 2026 Lotto developers
// SPDX-License-Identifier: GPL-3.0-or-later
// web_board.cpp: the board view and front end as calls of the page's imported functions.
#include "web_board.h"

#include <cstring>

#include "accessible_texts.h"
#include "colour.h"
#include "form1_design.h"
#include "page_imports.h"

namespace lotto::web {

namespace {

int controlIndex(design::Control control) { return static_cast<int>(control); }

}  // namespace

// A reload is a new start, yet a browser may bring back what the page's controls held before it: so each control is
// put as the window opens, whatever it holds now. A window without one of them is of another build, and fails here.
void WebBoard::nameControls() const {
  for (int index = 0; index < design::kControlCount; ++index) {
    const design::ControlDesign& control = design::form1().control(static_cast<design::Control>(index));
    lotto_page_name_control(index, control.name, std::strlen(control.name));
    lotto_page_set_control_enabled(index, control.enabledAtStart);
  }
  const std::u16string startText;  // the text box starts empty
  lotto_page_set_instruction_text(startText.data(), startText.size());
}

std::array<Colour, kLabelCount> WebBoard::designFills() {
  std::array<Colour, kLabelCount> fills{};
  for (std::size_t disc = 0; disc < fills.size(); ++disc) {
    fills[disc] = design::form1().shape1[disc].fill;
  }
  return fills;
}

std::u16string WebBoard::labelText(SmallInt label) const {
  const int checked = design::checkedItemIndex(label);
  std::u16string text(16, u'\0');  // a ball's number or a slot's heading fits; a longer text is asked for again
  std::size_t length = lotto_page_label_text(checked, text.data(), text.size());
  if (length > text.size()) {
    text.resize(length);
    length = lotto_page_label_text(checked, text.data(), text.size());
  }
  text.resize(length);
  return text;
}

// The page names each ball and slot for screen readers as the desktop does; the name goes with the caption.
void WebBoard::setLabelText(SmallInt label, const std::u16string& text) {
  const int checked = design::checkedItemIndex(label);
  const std::u16string name = midend::labelName(checked, text);
  lotto_page_set_label_text(checked, text.data(), text.size(), name.data(), name.size());
}

void WebBoard::setLabelVisible(SmallInt label, bool visible) {
  lotto_page_set_label_visible(design::checkedItemIndex(label), visible);
}

void WebBoard::setDiscColour(SmallInt disc, Colour colour) {
  const int checked = design::checkedItemIndex(disc);
  Colour& shown = shownColours_[static_cast<std::size_t>(checked)];
  if (shown != colour) {
    shown = colour;
    // Which ball is lit goes with its colour: where the system forces its own colours on the page, the colour is
    // lost and the page shows the light in the system's colours instead.
    lotto_page_set_disc_colour(checked, redOf(colour) << 16 | greenOf(colour) << 8 | blueOf(colour),
                               colour == kBallLit);
  }
}

void WebBoard::setDiscVisible(SmallInt disc, bool visible) {
  lotto_page_set_disc_visible(design::checkedItemIndex(disc), visible);
}

void WebBoard::setButtonEnabled(Button button, bool enabled) {
  lotto_page_set_control_enabled(controlIndex(design::controlOf(button)), enabled);
}

void WebBoard::setInstructionText(const std::u16string& text) {
  lotto_page_set_instruction_text(text.data(), text.size());
}

void WebBoard::setTimerInterval(int milliseconds) { lotto_page_set_timer_interval(milliseconds); }

void WebBoard::setTimerEnabled(bool enabled) { lotto_page_set_timer_enabled(enabled); }

bool WebBoard::controlEnabled(design::Control control) const {
  return lotto_page_control_enabled(controlIndex(control)) != 0;
}

void WebBoard::showWindow() { lotto_page_show_window(); }

void WebBoard::focusControl(design::Control control, midend::FocusMove) {
  lotto_page_focus_control(controlIndex(control));
}

void WebBoard::announce(const std::u16string& text) { lotto_page_announce(text.data(), text.size()); }

void WebBoard::showRunTimeError(const std::u16string& title, const std::string& line) {
  lotto_page_show_run_time_error(title.data(), title.size(), line.data(), line.size());
}

void WebBoard::end(int status) { lotto_page_end(status); }

}  // namespace lotto::web

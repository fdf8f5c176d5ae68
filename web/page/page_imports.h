// SPDX-FileCopyrightText: 2026 Lotto developers
// SPDX-License-Identifier: GPL-3.0-or-later
// page_imports.h: the page's functions the program calls, implemented in page_imports.js over lotto.js's board.
#pragma once

#include <cstddef>

// Texts travel as UTF-16 code units (UTF-8 bytes for the error line) and their count; flags as 0 or 1.
extern "C" {
void lotto_page_name_control(int control, const char* name, std::size_t nameBytes);
std::size_t lotto_page_label_text(int label, char16_t* text, std::size_t capacity);
void lotto_page_set_label_text(int label, const char16_t* text, std::size_t length, const char16_t* name,
                               std::size_t nameLength);
void lotto_page_set_label_visible(int label, int visible);
void lotto_page_set_disc_colour(int disc, int rgb, int lit);
void lotto_page_set_disc_visible(int disc, int visible);
void lotto_page_set_control_enabled(int control, int enabled);
void lotto_page_set_instruction_text(const char16_t* text, std::size_t length);
void lotto_page_set_timer_interval(int milliseconds);
void lotto_page_set_timer_enabled(int enabled);
int lotto_page_control_enabled(int control);
void lotto_page_show_window();
void lotto_page_focus_control(int control);
void lotto_page_announce(const char16_t* text, std::size_t length);
void lotto_page_show_run_time_error(const char16_t* title, std::size_t titleLength, const char* line,
                                    std::size_t lineBytes);
void lotto_page_end(int status);
}

// SPDX-FileCopyrightText: 2026 Lotto developers
// SPDX-License-Identifier: GPL-3.0-or-later
// expected_positions.h: where the design puts the window, its controls, discs and number labels, in pixels.
#pragma once

#include <QPoint>
#include <QRect>
#include <array>

#include "expected_states.h"

namespace lotto::testing {

// The design's pixel positions as expected.json writes them: worked out by hand from the design's twips, 15 twips
// to a pixel, rounded to nearest.
inline std::array<int, 4> expectedPixels(const char* table, const char* name) {
  return expected().at(table).at(name).at("pixels").get<std::array<int, 4>>();
}

inline int expectedPixel(const char* table, const char* column, int index) {
  const nlohmann::json& value = expected().at(table).at(column).at("pixels");
  return value.is_array() ? value.at(index).get<int>() : value.get<int>();
}

// The window's or a control's box.
inline QRect designedBox(const char* control) {
  const auto [left, top, width, height] = expectedPixels("boxes", control);
  return {left, top, width, height};
}

// A disc's box; row 6 is the result slots.
inline QRect designedDisc(int disc) {
  const int row = disc / 7, column = disc % 7;
  const int left = expectedPixel("discs", row == 0 ? "leftRow0" : row == 6 ? "slotLeft" : "left", column);
  const int top = row == 6 ? expectedPixel("discs", "slotTop", 0) : expectedPixel("discs", "top", row);
  const int size = expectedPixel("discs", "size", 0);
  return {left, top, size, size};
}

// A number label's corner: the disc's Left + 270 twips; the slots' labels have their own.
inline QPoint designedLabelCorner(int label) {
  const int row = label / 7, column = label % 7;
  const int left = expectedPixel("labels", row == 0 ? "leftRow0" : row == 6 ? "slotLeft" : "left", column);
  const int top = row == 6 ? expectedPixel("labels", "slotTop", column) : expectedPixel("labels", "top", row);
  return {left, top};
}

// A spot of a disc's fill clear of its number: left of the label, on the disc's middle row.
inline QPoint fillSpot(int disc) {
  const QRect r = designedDisc(disc);
  return {r.left() + 8, r.center().y()};
}

}  // namespace lotto::testing

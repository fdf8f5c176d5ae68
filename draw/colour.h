// SPDX-FileCopyrightText: 2026 Lotto developers
// SPDX-License-Identifier: GPL-3.0-or-later
// colour.h: colours as 0x00BBGGRR values, and the two colours a ball can have.
#pragma once

#include <cstdint>

namespace lotto {

using Colour = std::uint32_t;

constexpr Colour rgb(int red, int green, int blue) {
  return static_cast<Colour>(red) | static_cast<Colour>(green) << 8 | static_cast<Colour>(blue) << 16;
}
constexpr int redOf(Colour c) { return static_cast<int>(c & 0xFF); }
constexpr int greenOf(Colour c) { return static_cast<int>(c >> 8 & 0xFF); }
constexpr int blueOf(Colour c) { return static_cast<int>(c >> 16 & 0xFF); }

constexpr Colour kBallAtRest = rgb(255, 128, 0);  // orange
constexpr Colour kBallLit = rgb(0, 0, 128);       // navy
static_assert(kBallAtRest == 0x000080FF && kBallLit == 0x00800000, "colours are 0x00BBGGRR");

}  // namespace lotto

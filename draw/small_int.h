// SPDX-FileCopyrightText: 2026 Lotto developers
// SPDX-License-Identifier: GPL-3.0-or-later
// small_int.h: 16-bit signed arithmetic that raises an overflow error instead of wrapping.
#pragma once

#include <cstdint>
#include <limits>

#include "run_time_error.h"

namespace lotto {

using SmallInt = std::int16_t;

// Narrows a wider result to 16 bits, or raises the overflow error.
inline SmallInt toSmallInt(long long value) {
  if (value < std::numeric_limits<SmallInt>::min() || value > std::numeric_limits<SmallInt>::max()) {
    throw RunTimeError::overflow();
  }
  return static_cast<SmallInt>(value);
}

inline SmallInt add16(SmallInt a, SmallInt b) { return toSmallInt(static_cast<long long>(a) + b); }

}  // namespace lotto

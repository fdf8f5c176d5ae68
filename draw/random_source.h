// SPDX-FileCopyrightText: 2026 Lotto developers
// SPDX-License-Identifier: GPL-3.0-or-later
// random_source.h: where the roll gets its randomness, and the turn of a random value into a ball index.
#pragma once

#include <cstdint>
#include <random>

#include "small_int.h"

namespace lotto {

class RandomSource {
 public:
  virtual ~RandomSource() = default;
  // The next value of the sequence, 0 <= r < 1.
  virtual float next() = 0;
};

// Mersenne Twister seeded once with eight words from std::random_device (see FAIRNESS.md for their source),
// so that no two runs share a sequence and no single 32-bit seed limits the games possible.
class SeededRandomSource : public RandomSource {
 public:
  static constexpr int kSeedWords = 8;

  SeededRandomSource();
  explicit SeededRandomSource(std::seed_seq& seed);

  float next() override;

 private:
  std::mt19937 engine_;
};

// floor(r * 42) as a 16-bit ball index; a product outside 0..41 is a floating-point fault.
SmallInt randomBallIndex(float r);

// 24 random bits scaled by 2^-24: exactly representable, so never rounds up to 1.
inline float unitFloatFromBits(std::uint32_t bits) { return static_cast<float>(bits >> 8) * (1.0f / 16777216.0f); }

}  // namespace lotto

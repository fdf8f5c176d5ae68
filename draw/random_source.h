// SPDX-FileCopyrightText: 2026 Lotto developers
// SPDX-License-Identifier: GPL-3.0-or-later
// random_source.h: where the roll gets its randomness, and the turn of a random value into a ball index.
#pragma once

#include <cstdint>
#include <optional>
#include <random>
#include <string>

#include "small_int.h"

namespace lotto {

class RandomSource {
 public:
  virtual ~RandomSource() = default;
  // The next value of the sequence, 0 <= r < 1.
  virtual float next() = 0;
};

// Where a generator's seed comes from: each call gives one more 32-bit word, or throws when there is none.
class EntropySource {
 public:
  virtual ~EntropySource() = default;
  virtual std::uint32_t nextWord() = 0;
};

// Mersenne Twister seeded once with eight words from std::random_device (see docs/fairness.md for their source),
// so that no two runs share a sequence and no single 32-bit seed limits the games possible.
// It is seeded on first use, inside a procedure, so that an entropy source that fails is a
// run-time error with a report like any other, not an exception before the window exists.
class SeededRandomSource : public RandomSource {
 public:
  static constexpr int kSeedWords = 8;

  // The standard library's own default source. No token names it everywhere: libstdc++ calls it
  // "default", libc++ (the browser's and macOS's library) knows only "/dev/urandom" and refuses the other.
  SeededRandomSource() = default;
  // `entropyToken` names the std::random_device source; one the library does not know is an entropy failure.
  explicit SeededRandomSource(std::string entropyToken);
  explicit SeededRandomSource(std::seed_seq& seed);
  // Seeded from `entropy` instead of the library's source, which must outlive the first next().
  explicit SeededRandomSource(EntropySource& entropy) : entropy_(&entropy) {}

  float next() override;

 private:
  std::optional<std::string> entropyToken_;  // none: the library's default source
  EntropySource* entropy_ = nullptr;         // instead of the library's
  std::optional<std::mt19937> engine_;
};

// floor(r * 42) as a 16-bit ball index; a product outside 0..41 is a floating-point fault.
SmallInt randomBallIndex(float r);

// 24 random bits scaled by 2^-24: exactly representable, so never rounds up to 1.
inline float unitFloatFromBits(std::uint32_t bits) { return static_cast<float>(bits >> 8) * (1.0f / 16777216.0f); }

}  // namespace lotto

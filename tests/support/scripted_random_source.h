// SPDX-FileCopyrightText: 2026 Lotto developers
// SPDX-License-Identifier: GPL-3.0-or-later
// scripted_random_source.h: a random source that plays back a fixed list of values, then a fixed seed.
#pragma once

#include <cstddef>
#include <random>
#include <vector>

#include "random_source.h"

namespace lotto::testing {

// The value that makes the roll pick ball `ball`.
inline float valueForBall(int ball) { return (static_cast<float>(ball) + 0.5f) / 42.0f; }

class ScriptedRandomSource : public RandomSource {
 public:
  explicit ScriptedRandomSource(std::vector<float> script = {}, unsigned fallbackSeed = 1)
      : script_(std::move(script)), fallback_(fallbackSeed) {}

  void playBalls(std::initializer_list<int> balls) {
    for (int ball : balls) script_.push_back(valueForBall(ball));
  }

  float next() override {
    ++calls;
    if (position_ < script_.size()) return script_[position_++];
    return unitFloatFromBits(static_cast<std::uint32_t>(fallback_()));
  }

  std::size_t remaining() const { return script_.size() - position_; }
  int calls = 0;

 private:
  std::vector<float> script_;
  std::size_t position_ = 0;
  std::mt19937 fallback_;
};

}  // namespace lotto::testing

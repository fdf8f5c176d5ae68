// SPDX-FileCopyrightText: 2026 Lotto developers
// SPDX-License-Identifier: GPL-3.0-or-later
// random_source.cpp: the seeded generator and the random ball index.
#include "random_source.h"

#include <array>
#include <cmath>

#include "board_view.h"
#include "run_time_error.h"

namespace lotto {

namespace {

std::mt19937 engineSeededFromEntropy() {
  std::random_device entropy;
  std::array<std::uint32_t, SeededRandomSource::kSeedWords> words{};
  for (auto& word : words) {
    word = entropy();
  }
  std::seed_seq seed(words.begin(), words.end());
  return std::mt19937(seed);
}

}  // namespace

SeededRandomSource::SeededRandomSource() : engine_(engineSeededFromEntropy()) {}

SeededRandomSource::SeededRandomSource(std::seed_seq& seed) : engine_(seed) {}

float SeededRandomSource::next() { return unitFloatFromBits(static_cast<std::uint32_t>(engine_())); }

SmallInt randomBallIndex(float r) {
  const float product = r * 42.0f;
  if (!std::isfinite(product)) {
    throw RunTimeError::floatingPointFault();
  }
  const float index = std::floor(product);
  // A source that breaks its 0 <= r < 1 promise must not light a ball that is not there.
  if (index < 0.0f || index >= static_cast<float>(kBallCount)) {
    throw RunTimeError::floatingPointFault();
  }
  return toSmallInt(static_cast<long long>(index));
}

}  // namespace lotto

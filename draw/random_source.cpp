// SPDX-FileCopyrightText: 2026 Lotto developers
// SPDX-License-Identifier: GPL-3.0-or-later
// random_source.cpp: the seeded generator and the random ball index.
#include "random_source.h"

#include <array>
#include <cmath>
#include <exception>
#include <utility>

#include "board_view.h"
#include "run_time_error.h"

namespace lotto {

namespace {

std::mt19937 engineSeededFromEntropy(const std::optional<std::string>& token) {
  std::array<std::uint32_t, SeededRandomSource::kSeedWords> words{};
  try {
    std::optional<std::random_device> entropy;  // not movable, so built in place either way
    if (token) {
      entropy.emplace(*token);
    } else {
      entropy.emplace();
    }
    for (auto& word : words) {
      word = (*entropy)();
    }
  } catch (const std::exception&) {  // the library says why in English only, and names no remedy
    throw RunTimeError::noEntropy();
  }
  std::seed_seq seed(words.begin(), words.end());
  return std::mt19937(seed);
}

}  // namespace

SeededRandomSource::SeededRandomSource(std::string entropyToken) : entropyToken_(std::move(entropyToken)) {}

SeededRandomSource::SeededRandomSource(std::seed_seq& seed) : engine_(std::in_place, seed) {}

float SeededRandomSource::next() {
  if (!engine_) {
    engine_ = engineSeededFromEntropy(entropyToken_);
  }
  return unitFloatFromBits(static_cast<std::uint32_t>((*engine_)()));
}

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

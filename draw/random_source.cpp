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

std::mt19937 engineSeededFrom(EntropySource& entropy) {
  std::array<std::uint32_t, SeededRandomSource::kSeedWords> words{};
  for (auto& word : words) {
    word = entropy.nextWord();
  }
  std::seed_seq seed(words.begin(), words.end());
  return std::mt19937(seed);
}

class DeviceEntropy : public EntropySource {
 public:
  explicit DeviceEntropy(const std::optional<std::string>& token) {
    if (token) {
      device_.emplace(*token);
    } else {
      device_.emplace();
    }
  }
  std::uint32_t nextWord() override { return static_cast<std::uint32_t>((*device_)()); }

 private:
  std::optional<std::random_device> device_;  // not movable, so built in place either way
};

}  // namespace

SeededRandomSource::SeededRandomSource(std::string entropyToken) : entropyToken_(std::move(entropyToken)) {}

SeededRandomSource::SeededRandomSource(std::seed_seq& seed) : engine_(std::in_place, seed) {}

float SeededRandomSource::next() {
  if (!engine_) {
    try {
      if (entropy_ != nullptr) {
        engine_ = engineSeededFrom(*entropy_);
      } else {
        DeviceEntropy device(entropyToken_);
        engine_ = engineSeededFrom(device);
      }
    } catch (const std::exception&) {  // the library says why in English only, and names no remedy
      throw RunTimeError::noEntropy();
    }
  }
  return unitFloatFromBits(static_cast<std::uint32_t>((*engine_)()));
}

SmallInt randomBallIndex(float r) {
  const float product = r * static_cast<float>(kBallCount);
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

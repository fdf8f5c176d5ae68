// SPDX-FileCopyrightText: 2026 Lotto developers
// SPDX-License-Identifier: GPL-3.0-or-later
// fairness_test.cpp: every number has the same chance: the ball index, the generator, whole games, and a cheat caught.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <boost/math/distributions/chi_squared.hpp>
#include <cmath>
#include <cstdio>
#include <functional>
#include <memory>
#include <numeric>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "draw_logic.h"
#include "random_source.h"
#include "recording_board_view.h"

namespace lotto {
namespace {

using testing::RecordingBoardView;

constexpr double kFairP = 0.001;     // a fair draw fails this once in a thousand tests
constexpr double kRejectedP = 1e-6;  // how clearly the cheat must stand out
constexpr int kGames = 100000;
constexpr std::uint32_t kGeneratorSeed[] = {0x4c6f7474, 0x6f343221, 2024, 7, 42, 1, 3, 5};

std::string seedText(const std::uint32_t* seed, int words) {
  std::string text;
  for (int i = 0; i < words; ++i) text += (i ? ", " : "{") + std::to_string(seed[i]);
  return text + "}";
}

std::unique_ptr<SeededRandomSource> fixedSource(std::uint32_t variant) {
  std::vector<std::uint32_t> words(std::begin(kGeneratorSeed), std::end(kGeneratorSeed));
  words.back() += variant;
  std::seed_seq seed(words.begin(), words.end());
  return std::make_unique<SeededRandomSource>(seed);
}

struct ChiSquareResult {
  double statistic = 0;
  int degreesOfFreedom = 0;
  double p = 1;
};

// Pearson's statistic for equal chances in every cell, times `scale` where the cells are not independent.
ChiSquareResult chiSquareUniform(const std::vector<long long>& counts, double scale = 1) {
  const double expected =
      static_cast<double>(std::accumulate(counts.begin(), counts.end(), 0LL)) / static_cast<double>(counts.size());
  ChiSquareResult result;
  for (long long count : counts) {
    result.statistic += (static_cast<double>(count) - expected) * (static_cast<double>(count) - expected) / expected;
  }
  result.statistic *= scale;
  result.degreesOfFreedom = static_cast<int>(counts.size()) - 1;
  const boost::math::chi_squared_distribution<double> chiSquare(result.degreesOfFreedom);
  result.p = boost::math::cdf(boost::math::complement(chiSquare, result.statistic));
  return result;
}

void report(const char* name, const ChiSquareResult& r) {
  std::printf("  %-34s chi2 = %10.2f  df = %4d  p = %.4g\n", name, r.statistic, r.degreesOfFreedom, r.p);
}

TEST(RandomBallIndex, SpreadsEveryValueTheSourceCanProduceEvenlyOverTheBalls) {
  // The source builds r from 24 bits, so these 2^24 values are all the rolls there are.
  std::array<long long, kBallCount> counts{};
  long long outOfRange = 0;
  for (std::uint32_t k = 0; k < (1u << 24); ++k) {
    const SmallInt ball = randomBallIndex(unitFloatFromBits(k << 8));
    if (ball < 0 || ball >= kBallCount) {
      ++outOfRange;
    } else {
      ++counts[ball];
    }
  }
  const auto [fewest, most] = std::minmax_element(counts.begin(), counts.end());
  std::printf("  2^24 values: %lld out of range; buckets hold %lld..%lld (largest deviation %lld)\n", outOfRange,
              *fewest, *most, *most - *fewest);
  EXPECT_EQ(outOfRange, 0);
  // 2^24 / 42 is not whole, so the best any mapping can do is buckets that differ by one.
  EXPECT_LE(*most - *fewest, 1);
}

TEST(SeededRandomSource, GivesTheBallsEqualChancesOverAMillionRolls) {
  SCOPED_TRACE("seed " + seedText(kGeneratorSeed, static_cast<int>(std::size(kGeneratorSeed))));
  auto random = fixedSource(0);
  std::vector<long long> counts(kBallCount);
  long long offGrid = 0;
  for (int i = 0; i < 1000000; ++i) {
    const float r = random->next();
    // Every value must be one the exhaustive test above has covered.
    if (!(r >= 0.0f && r < 1.0f) || std::ldexp(r, 24) != std::floor(std::ldexp(r, 24))) ++offGrid;
    ++counts[randomBallIndex(r)];
  }
  const ChiSquareResult result = chiSquareUniform(counts);
  report("10^6 rolls over 42 balls", result);
  EXPECT_EQ(offGrid, 0);
  EXPECT_GT(result.p, kFairP);
}

// Entropy words counted out, one of them changed on request.
class CountedEntropy : public EntropySource {
 public:
  explicit CountedEntropy(int changedWord = -1) : changedWord_(changedWord) {}
  std::uint32_t nextWord() override {
    const std::uint32_t word = 0x9E3779B9u * static_cast<std::uint32_t>(++asked);
    return asked == changedWord_ ? word ^ 1u : word;
  }
  int asked = 0;

 private:
  int changedWord_;
};

std::vector<float> firstRolls(RandomSource& source) {
  std::vector<float> rolls(20);
  for (float& roll : rolls) roll = source.next();
  return rolls;
}

TEST(SeededRandomSource, StartsEachRunFromFreshEntropyOfAtLeastEightWords) {
  // A 32-bit seed would allow only 2^32 different runs: at least eight words are asked for, once, and each one
  // steers the sequence, down to the last.
  CountedEntropy entropy;
  SeededRandomSource seeded(entropy);
  const std::vector<float> rolls = firstRolls(seeded);
  EXPECT_GE(entropy.asked, 8);
  for (int word = 1; word <= entropy.asked; ++word) {
    CountedEntropy changed(word);
    SeededRandomSource other(changed);
    EXPECT_NE(firstRolls(other), rolls) << "entropy word " << word << " changes nothing";
  }

  SeededRandomSource first;
  SeededRandomSource second;
  int samePosition = 0;
  for (int i = 0; i < 1000; ++i) {
    if (first.next() == second.next()) ++samePosition;
  }
  // Two unrelated streams agree at a position with chance 2^-24.
  EXPECT_LT(samePosition, 5) << "two programs started together would draw the same numbers";
}

// How a player decides when to press 開獎: from the ticks since the timer last restarted and what the board shows.
using Player = std::function<bool(int ticks, const RecordingBoardView& board)>;

// Waits 1..40 ticks at random, blind to the light: a person cannot react within one 30 ms tick.
Player randomlyWaiting(unsigned seed) {
  return [engine = std::mt19937(seed), wait = 0](int ticks, const RecordingBoardView&) mutable {
    if (wait == 0) wait = std::uniform_int_distribution<int>(1, 40)(engine);
    if (ticks < wait) return false;
    wait = 0;
    return true;
  };
}

Player steady(int wait) {
  return [wait](int ticks, const RecordingBoardView&) { return ticks >= wait; };
}

// The cheat: a machine that watches the light and presses when its favourite ball is lit.
Player lightWatching(SmallInt favourite) {
  return [favourite](int ticks, const RecordingBoardView& board) {
    const auto& disc = board.discs[favourite];
    return (disc.visible && disc.colour == kBallLit) || ticks >= 40;
  };
}

struct GameTally {
  std::vector<std::vector<long long>> perSlot =
      std::vector<std::vector<long long>>(kSlotCount, std::vector<long long>(kBallCount));
  std::vector<long long> allNumbers = std::vector<long long>(kBallCount);
  std::vector<long long> firstBySecond = std::vector<long long>(kBallCount * (kBallCount - 1));
  std::vector<long long> firstByNextFirst = std::vector<long long>(kBallCount * kBallCount);
  std::vector<long long> specialByNextFirst = std::vector<long long>(kBallCount * kBallCount);
  long long duplicates = 0;
  long long outOfRange = 0;
  std::string illegalClick;
};

struct Program {
  explicit Program(RandomSource& random) : logic(board, random) { logic.Form_Load(); }
  RecordingBoardView board;
  DrawLogic logic;
};

void click(Program& program, Button button, void (DrawLogic::*command)(), GameTally& tally) {
  // A disabled button delivers no click; a game that needs one has gone wrong.
  if (!program.board.enabled(button)) {
    if (tally.illegalClick.empty()) tally.illegalClick = "button " + std::to_string(static_cast<int>(button));
    return;
  }
  (program.logic.*command)();
}

enum class NewGame { Clear, Restart };  // 清除, or a freshly started program

// Plays whole games through the real draw procedures: ticks until the player presses, 開獎, Next,
// ..., seven draws, then 清除 or a new program. Ticks arrive only while the timer runs, as the window
// guarantees; a player may press before the first one.
GameTally playGames(RandomSource& random, Player player, int games, NewGame newGame = NewGame::Clear) {
  auto program = std::make_unique<Program>(random);
  GameTally tally;
  int previousFirst = -1;
  int previousSpecial = -1;
  for (int game = 0; game < games; ++game) {
    if (game > 0 && newGame == NewGame::Restart) program = std::make_unique<Program>(random);
    if (game > 0 && newGame == NewGame::Clear) click(*program, Button::Command3, &DrawLogic::Command3_Click, tally);
    const RecordingBoardView& board = program->board;
    std::array<int, kSlotCount> numbers{};
    for (int draw = 0; draw < kSlotCount; ++draw) {
      if (draw > 0) click(*program, Button::Command1, &DrawLogic::Command1_Click, tally);
      for (int ticks = 0; !player(ticks, board); ++ticks) {
        if (board.timerEnabled) program->logic.Timer1_Timer();
      }
      click(*program, Button::Command2, &DrawLogic::Command2_Click, tally);
    }
    std::array<bool, kBallCount + 1> seen{};
    for (int k = 0; k < kSlotCount; ++k) {
      const std::u16string text = board.labels[kFirstSlotLabel + k].text;
      int number = 0;
      for (char16_t c : text) number = (c >= u'0' && c <= u'9' && number < 100) ? number * 10 + (c - u'0') : 1000;
      if (text.empty() || number < 1 || number > kBallCount) {
        ++tally.outOfRange;
        number = 0;
      } else if (seen[number]) {
        ++tally.duplicates;
      }
      seen[number] = true;
      numbers[k] = number;
      if (number > 0) {
        ++tally.perSlot[k][number - 1];
        ++tally.allNumbers[number - 1];
      }
    }
    const int first = numbers[0] - 1;
    const int second = numbers[1] - 1;
    if (first >= 0 && second >= 0 && first != second) {
      ++tally.firstBySecond[first * (kBallCount - 1) + (second < first ? second : second - 1)];
    }
    if (previousFirst >= 0 && first >= 0) ++tally.firstByNextFirst[previousFirst * kBallCount + first];
    // A draw that took a ball left over from before the press would show here: the last game's
    // special number was the ball lit last.
    if (previousSpecial >= 0 && first >= 0) ++tally.specialByNextFirst[previousSpecial * kBallCount + first];
    previousFirst = first;
    previousSpecial = numbers[kSlotCount - 1] - 1;
  }
  return tally;
}

std::vector<std::pair<std::string, ChiSquareResult>> judge(const GameTally& tally) {
  std::vector<std::pair<std::string, ChiSquareResult>> tests;
  for (int k = 0; k < kSlotCount; ++k) {
    tests.emplace_back("slot " + std::to_string(k + 1), chiSquareUniform(tally.perSlot[k]));
  }
  // A game's seven numbers are drawn without replacement, so their counts go together: each has
  // variance p(1-p) with p = 1/6 and the 42 sum to 7. Pearson's sum is then 35/41 of a chi-square
  // with 41 degrees of freedom, not one.
  tests.emplace_back("all drawn numbers", chiSquareUniform(tally.allNumbers, 41.0 / 35.0));
  tests.emplace_back("slot 1 x slot 2 (42x41)", chiSquareUniform(tally.firstBySecond));
  tests.emplace_back("slot 1, game to game (42x42)", chiSquareUniform(tally.firstByNextFirst));
  tests.emplace_back("special x next slot 1 (42x42)", chiSquareUniform(tally.specialByNextFirst));
  for (const auto& [name, result] : tests) report(name.c_str(), result);
  return tests;
}

void expectFairGames(Player player, std::uint32_t variant, const std::string& playerSeed,
                     NewGame newGame = NewGame::Clear) {
  SCOPED_TRACE("generator seed " + seedText(kGeneratorSeed, SeededRandomSource::kSeedWords) + " + " +
               std::to_string(variant) + " in the last word; " + playerSeed);
  auto random = fixedSource(variant);
  const GameTally tally = playGames(*random, std::move(player), kGames, newGame);
  EXPECT_EQ(tally.illegalClick, "") << "the games needed a click on a disabled button";
  EXPECT_EQ(tally.duplicates, 0);
  EXPECT_EQ(tally.outOfRange, 0);
  for (const auto& [name, result] : judge(tally)) EXPECT_GT(result.p, kFairP) << name;
}

TEST(WholeGames, AreFairWhenThePlayerWaitsARandomNumberOfTicks) {
  expectFairGames(randomlyWaiting(20240607), 1, "player seed 20240607");
}

TEST(WholeGames, AreFairWhenThePlayerAlwaysWaitsTheSameNumberOfTicks) {
  expectFairGames(steady(1), 2, "one tick before every press");
}

// A script's clicks can beat the first tick after Next, after 清除 and at start.
TEST(WholeGames, AreFairWhenThePlayerPressesBeforeTheFirstTickAfterNextAndClear) {
  expectFairGames(steady(0), 4, "no tick before any press, 清除 between games");
}

TEST(WholeGames, AreFairWhenThePlayerPressesBeforeTheFirstTickOfAFreshProgram) {
  expectFairGames(steady(0), 5, "no tick before any press, a new program for every game", NewGame::Restart);
}

TEST(WholeGames, RejectAMachineThatPressesWhenItsFavouriteBallIsLit) {
  SCOPED_TRACE("generator seed " + seedText(kGeneratorSeed, SeededRandomSource::kSeedWords) + " + 3");
  auto random = fixedSource(3);
  const GameTally tally = playGames(*random, lightWatching(6), kGames);  // wants number 7
  EXPECT_LT(judge(tally)[0].second.p, kRejectedP) << "slot 1 should give the cheat away";
  EXPECT_EQ(tally.duplicates, 0);
}

}  // namespace
}  // namespace lotto

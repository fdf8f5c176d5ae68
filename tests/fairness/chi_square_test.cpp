// SPDX-FileCopyrightText: 2026 Lotto developers
// SPDX-License-Identifier: GPL-3.0-or-later
// chi_square_test.cpp: the chi-square p-value against closed forms, printed tables and high-precision values.
#include "chi_square.h"

#include <gtest/gtest.h>

#include <cmath>

namespace lotto::testing {
namespace {

// Accuracy: relative error below 1e-10 against every exact value here, from p near 1 down to
// p = 1e-22, for 1 up to 1763 degrees of freedom (the sizes the fairness tests use).
constexpr double kRelativeTolerance = 1e-10;

TEST(ChiSquarePValue, MatchesClosedFormsForOneAndTwoDegreesOfFreedom) {
  for (double x : {1e-6, 0.01, 0.5, 1.0, 2.0, 3.841458820694124, 10.0, 25.0, 60.0, 120.0}) {
    // Two degrees of freedom: Q = e^(-x/2). One: Q = erfc(sqrt(x/2)).
    EXPECT_NEAR(chiSquarePValue(x, 2), std::exp(-x / 2), std::exp(-x / 2) * kRelativeTolerance) << "x = " << x;
    const double oneDegree = std::erfc(std::sqrt(x / 2));
    EXPECT_NEAR(chiSquarePValue(x, 1), oneDegree, oneDegree * kRelativeTolerance) << "x = " << x;
  }
}

TEST(ChiSquarePValue, MatchesHighPrecisionReferenceValues) {
  // Q(df/2, x/2) worked out to 17 digits in 30-digit arithmetic.
  struct Reference {
    int degreesOfFreedom;
    double statistic;
    double p;
  };
  const Reference references[] = {
      {3, 0.5, 0.91889141165467586},      {5, 1e-3, 0.99999999831851228},
      {41, 41, 0.4706223768189809},       {41, 74.74468, 0.0010000649352516998},
      {41, 200, 8.5230243477357726e-23},  {100, 124.3421134, 0.050000000025272323},
      {1721, 1721, 0.49546668214963647},  {1721, 1900, 0.0015256854642301393},
      {1763, 1900, 0.011875478592460565},
  };
  for (const Reference& r : references) {
    EXPECT_NEAR(chiSquarePValue(r.statistic, r.degreesOfFreedom), r.p, r.p * kRelativeTolerance)
        << "df = " << r.degreesOfFreedom << ", x = " << r.statistic;
  }
}

TEST(ChiSquarePValue, ReproducesPrintedCriticalValues) {
  // Printed tables give the critical values to three decimals, so the p-value agrees to that rounding.
  EXPECT_NEAR(chiSquarePValue(3.841, 1), 0.05, 1e-4);
  EXPECT_NEAR(chiSquarePValue(18.307, 10), 0.05, 1e-4);
  EXPECT_NEAR(chiSquarePValue(74.745, 41), 0.001, 1e-6);
  EXPECT_NEAR(chiSquarePValue(149.449, 100), 0.001, 1e-6);
}

TEST(ChiSquareUniform, ScoresEvenCountsAsPerfectAndLopsidedOnesAsImpossible) {
  const ChiSquareResult even = chiSquareUniform(std::vector<long long>(42, 1000));
  EXPECT_EQ(even.statistic, 0.0);
  EXPECT_EQ(even.degreesOfFreedom, 41);
  EXPECT_EQ(even.p, 1.0);

  std::vector<long long> lopsided(42, 1000);
  lopsided[6] = 1500;  // one number drawn half as often again
  const ChiSquareResult skewed = chiSquareUniform(lopsided);
  EXPECT_LT(skewed.p, 1e-20);
}

}  // namespace
}  // namespace lotto::testing

// SPDX-FileCopyrightText: 2026 Lotto developers
// SPDX-License-Identifier: GPL-3.0-or-later
// chi_square.cpp: the incomplete gamma by its power series below a + 1 and its continued fraction above.
#include "chi_square.h"

#include <cmath>
#include <limits>
#include <numeric>
#include <stdexcept>

namespace lotto::testing {

namespace {

constexpr double kEpsilon = 1e-15;
constexpr int kMaxTerms = 100000;  // a near 900 (pair tables) needs a few hundred terms
constexpr double kTiny = std::numeric_limits<double>::min() / kEpsilon;

// x^a e^-x / Γ(a), in logs so that a in the hundreds does not overflow.
double gammaPrefactor(double a, double x) { return std::exp(a * std::log(x) - x - std::lgamma(a)); }

// P(a, x) by its series; converges fast for x < a + 1.
double lowerBySeries(double a, double x) {
  double term = 1.0 / a;
  double sum = term;
  for (int n = 1; n < kMaxTerms; ++n) {
    term *= x / (a + n);
    sum += term;
    if (std::fabs(term) < std::fabs(sum) * kEpsilon) {
      return sum * gammaPrefactor(a, x);
    }
  }
  throw std::runtime_error("incomplete gamma series did not converge");
}

// Q(a, x) by its continued fraction (modified Lentz); converges fast for x >= a + 1.
double upperByContinuedFraction(double a, double x) {
  double b = x + 1.0 - a;
  double c = 1.0 / kTiny;
  double d = 1.0 / b;
  double fraction = d;
  for (int i = 1; i < kMaxTerms; ++i) {
    const double an = -i * (i - a);
    b += 2.0;
    d = an * d + b;
    if (std::fabs(d) < kTiny) d = kTiny;
    c = b + an / c;
    if (std::fabs(c) < kTiny) c = kTiny;
    d = 1.0 / d;
    const double step = d * c;
    fraction *= step;
    if (std::fabs(step - 1.0) < kEpsilon) {
      return fraction * gammaPrefactor(a, x);
    }
  }
  throw std::runtime_error("incomplete gamma continued fraction did not converge");
}

}  // namespace

double regularizedUpperGamma(double a, double x) {
  if (!(a > 0.0) || !(x >= 0.0)) {
    throw std::domain_error("incomplete gamma needs a > 0 and x >= 0");
  }
  if (x == 0.0) {
    return 1.0;
  }
  return x < a + 1.0 ? 1.0 - lowerBySeries(a, x) : upperByContinuedFraction(a, x);
}

double chiSquarePValue(double statistic, int degreesOfFreedom) {
  return regularizedUpperGamma(degreesOfFreedom / 2.0, statistic / 2.0);
}

ChiSquareResult chiSquareUniform(const std::vector<long long>& counts) {
  const double total = static_cast<double>(std::accumulate(counts.begin(), counts.end(), 0LL));
  const double expected = total / static_cast<double>(counts.size());
  ChiSquareResult result;
  for (long long count : counts) {
    const double difference = static_cast<double>(count) - expected;
    result.statistic += difference * difference / expected;
  }
  result.degreesOfFreedom = static_cast<int>(counts.size()) - 1;
  result.p = chiSquarePValue(result.statistic, result.degreesOfFreedom);
  return result;
}

}  // namespace lotto::testing

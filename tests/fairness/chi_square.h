// SPDX-FileCopyrightText: 2026 Lotto developers
// SPDX-License-Identifier: GPL-3.0-or-later
// chi_square.h: Pearson's chi-square test and the regularized incomplete gamma function behind its p-value.
#pragma once

#include <vector>

namespace lotto::testing {

// Q(a, x) = Γ(a, x) / Γ(a), the upper tail; a > 0, x >= 0.
double regularizedUpperGamma(double a, double x);

// The chance that a chi-square variable with this many degrees of freedom reaches the statistic.
double chiSquarePValue(double statistic, int degreesOfFreedom);

struct ChiSquareResult {
  double statistic = 0;
  int degreesOfFreedom = 0;
  double p = 1;
};

// Goodness of fit of the counts to equal chances in every cell.
ChiSquareResult chiSquareUniform(const std::vector<long long>& counts);

}  // namespace lotto::testing

// SPDX-FileCopyrightText: 2026 Lotto developers
// SPDX-License-Identifier: GPL-3.0-or-later
// program_doubles.h: a run-time error report and a program end that record what they were given.
#pragma once

#include <QString>
#include <vector>

#include "program_end.h"
#include "run_time_error_report.h"

namespace lotto::testing {

// The Qt front end's classes, tested here.
using namespace desktop;

class CapturingRunTimeErrorReport : public RunTimeErrorReport {
 public:
  void show(const QString& title, const QString& text) override {
    titles.push_back(title);
    errors.push_back(text);
  }
  std::vector<QString> titles;
  std::vector<QString> errors;  // each report's line
};

class RecordingProgramEnd : public ProgramEnd {
 public:
  void end(int status) override { statuses.push_back(status); }
  std::vector<int> statuses;
};

}  // namespace lotto::testing

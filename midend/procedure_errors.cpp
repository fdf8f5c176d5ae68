// SPDX-FileCopyrightText: 2026 Lotto developers
// SPDX-License-Identifier: GPL-3.0-or-later
// procedure_errors.cpp: the wording of a run-time error's report.
#include "procedure_errors.h"

namespace lotto::midend {

std::string runTimeErrorLine(const RunTimeError& error) {
  return "執行階段錯誤 " + std::to_string(static_cast<int>(error.number())) + "：" + error.what();
}

}  // namespace lotto::midend

// SPDX-FileCopyrightText: 2026 Lotto developers
// SPDX-License-Identifier: GPL-3.0-or-later
// procedure_errors.h: the run-time error an event procedure ends with, caught and worded for its report.
#pragma once

#include <exception>
#include <optional>
#include <string>

#include "run_time_error.h"

namespace lotto::midend {

// Runs one event procedure. Whatever it throws comes back as the run-time error that ends the program,
// so that no exception crosses a toolkit's event loop or the browser's.
template <typename Procedure>
std::optional<RunTimeError> runProcedure(Procedure&& procedure) {
  try {
    procedure();
  } catch (const RunTimeError& error) {
    return error;
  } catch (const std::exception& error) {
    return RunTimeError(ErrorNumber::InvalidCall, error.what());
  } catch (...) {
    return RunTimeError(ErrorNumber::InvalidCall, "未知的錯誤");
  }
  return std::nullopt;
}

// The one line of the report that names the error, in Traditional Chinese and UTF-8: "執行階段錯誤 6：溢位".
std::string runTimeErrorLine(const RunTimeError& error);

}  // namespace lotto::midend

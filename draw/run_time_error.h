// SPDX-FileCopyrightText: 2026 Lotto developers
// SPDX-License-Identifier: GPL-3.0-or-later
// run_time_error.h: the one error a procedure can end with; it ends the program with a report.
#pragma once

#include <array>
#include <stdexcept>
#include <string>

namespace lotto {

// Numbers follow the convention users of forms runtimes know from their error reports.
enum class ErrorNumber : int {
  InvalidCall = 5,
  Overflow = 6,
  NoSuchControl = 340,
};

class RunTimeError : public std::runtime_error {
 public:
  RunTimeError(ErrorNumber number, const std::string& messageUtf8) : std::runtime_error(messageUtf8), number_(number) {}

  ErrorNumber number() const { return number_; }

  static RunTimeError overflow() { return {ErrorNumber::Overflow, "溢位"}; }
  static RunTimeError noSuchControl() { return {ErrorNumber::NoSuchControl, "控制項陣列元素不存在"}; }
  static RunTimeError floatingPointFault() { return {ErrorNumber::InvalidCall, "浮點運算錯誤"}; }
  static RunTimeError noEntropy() { return {ErrorNumber::InvalidCall, "作業系統的亂數來源無法使用"}; }

 private:
  ErrorNumber number_;
};

// Every run-time error the draw core and its board can raise, for whatever must be ready to report each one (the
// page's font). A new one belongs here too.
inline std::array<RunTimeError, 4> everyRunTimeError() {
  return {RunTimeError::overflow(), RunTimeError::noSuchControl(), RunTimeError::floatingPointFault(),
          RunTimeError::noEntropy()};
}

}  // namespace lotto

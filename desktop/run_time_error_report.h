// SPDX-FileCopyrightText: 2026 Lotto developers
// SPDX-License-Identifier: GPL-3.0-or-later
// run_time_error_report.h: how a run-time error is told to the user before the program ends.
#pragma once

#include <QString>

class QWidget;

namespace lotto::desktop {

class RunTimeErrorReport {
 public:
  virtual ~RunTimeErrorReport() = default;
  // `title` is the window's, `text` the one line that names the error, in Traditional Chinese.
  virtual void show(const QString& title, const QString& text) = 0;
};

// A modal message box over the window, and the same line on stderr.
class DialogRunTimeErrorReport : public RunTimeErrorReport {
 public:
  explicit DialogRunTimeErrorReport(QWidget* parent = nullptr) : parent_(parent) {}
  void setParent(QWidget* parent) { parent_ = parent; }
  void show(const QString& title, const QString& text) override;

 private:
  QWidget* parent_;
};

}  // namespace lotto::desktop

// SPDX-FileCopyrightText: 2026 Lotto developers
// SPDX-License-Identifier: GPL-3.0-or-later
// run_time_error_report.cpp: the dialog and stderr line of a run-time error.
#include "run_time_error_report.h"

#include <QMessageBox>
#include <cstdio>

#include "form1_design.h"
#include "procedure_errors.h"

namespace lotto::desktop {

QString runTimeErrorText(const RunTimeError& error) { return QString::fromStdString(midend::runTimeErrorLine(error)); }

void DialogRunTimeErrorReport::show(const RunTimeError& error) {
  const QString title = QString::fromUtf16(design::form1().title);
  const QString text = runTimeErrorText(error);
  std::fprintf(stderr, "%s: %s\n", title.toUtf8().constData(), text.toUtf8().constData());
  std::fflush(stderr);
  QMessageBox::critical(parent_, title, text);
}

}  // namespace lotto::desktop

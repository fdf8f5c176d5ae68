// SPDX-FileCopyrightText: 2026 Lotto developers
// SPDX-License-Identifier: GPL-3.0-or-later
// run_time_error_report.cpp: the dialog and stderr line of a run-time error.
#include "run_time_error_report.h"

#include <QMessageBox>
#include <cstdio>

namespace lotto::desktop {

void DialogRunTimeErrorReport::show(const QString& title, const QString& text) {
  std::fprintf(stderr, "%s: %s\n", title.toUtf8().constData(), text.toUtf8().constData());
  std::fflush(stderr);
  QMessageBox::critical(parent_, title, text);
}

}  // namespace lotto::desktop

// SPDX-FileCopyrightText: 2026 Lotto developers
// SPDX-License-Identifier: GPL-3.0-or-later
// qt_warnings.cpp: a message handler that keeps Qt's warnings for the test instead of printing them.
#include "qt_warnings.h"

#include <QString>
#include <QtGlobal>
#include <vector>

namespace lotto::testing {

namespace {

std::vector<std::string> warnings;
QtMessageHandler previous = nullptr;

// The test machine's environment, not the program: a headless session often has no runtime dir.
bool isEnvironmentNoise(const QString& message) { return message.startsWith(QStringLiteral("QStandardPaths: ")); }

void keepWarnings(QtMsgType type, const QMessageLogContext& context, const QString& message) {
  const bool isWarning = type == QtWarningMsg || type == QtCriticalMsg || type == QtFatalMsg;
  if (isWarning && !isEnvironmentNoise(message)) {
    warnings.push_back(message.toStdString());
  }
  if (previous != nullptr && type == QtFatalMsg) {
    previous(type, context, message);
  }
}

}  // namespace

void QtWarnings::install() {
  warnings.clear();
  previous = qInstallMessageHandler(keepWarnings);
}

void QtWarnings::uninstall() { qInstallMessageHandler(previous); }

std::optional<std::string> QtWarnings::takeFirst() {
  if (warnings.empty()) return std::nullopt;
  std::string first = warnings.front();
  warnings.clear();
  return first;
}

}  // namespace lotto::testing

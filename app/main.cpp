// SPDX-FileCopyrightText: 2026 Lotto developers
// SPDX-License-Identifier: GPL-3.0-or-later
// main.cpp: the lottery program's entry: one window, one thread, until Bye or the window closes.
#include <QApplication>
#include <cstdio>
#include <cstdlib>

#include "lotto_program.h"
#include "traditional_chinese_locale.h"

namespace {

bool isSet(const char* name) {
  const char* value = std::getenv(name);
  return value != nullptr && *value != '\0';
}

// Without this check Qt aborts with a plugin stack trace instead of a sentence.
bool hasDisplay() { return isSet("QT_QPA_PLATFORM") || isSet("DISPLAY") || isSet("WAYLAND_DISPLAY"); }

}  // namespace

int main(int argc, char* argv[]) {
  if (!hasDisplay()) {
    std::fputs("lotto needs a graphical desktop, but neither DISPLAY nor WAYLAND_DISPLAY is set.\n", stderr);
    return EXIT_FAILURE;
  }
  QApplication app(argc, argv);
  // Wayland shells find the window's icon and name through the desktop entry of this name.
  QGuiApplication::setDesktopFileName(QStringLiteral(LOTTO_APP_ID));
  lotto::TraditionalChineseLocale locale(app);

  lotto::SeededRandomSource random;
  lotto::DialogRunTimeErrorReport report;
  lotto::EventLoopProgramEnd end;
  lotto::LottoProgram program(random, report, end);
  report.setParent(&program.form());
  program.start();
  if (program.ended()) {
    return EXIT_FAILURE;  // loading failed and was reported; there is no event loop to leave yet
  }
  return app.exec();
}

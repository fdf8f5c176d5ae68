// SPDX-FileCopyrightText: 2026 Lotto developers
// SPDX-License-Identifier: GPL-3.0-or-later
// main.cpp: the lottery program's entry: one window, one thread, until Bye or the window closes.
#if __has_include(<malloc.h>)
#include <malloc.h>
#endif

#include <QApplication>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "display_start.h"
#include "lotto_program.h"
#include "traditional_chinese_locale.h"

int main(int argc, char* argv[]) {
  lotto::desktop::openClosedStandardDescriptors();
#ifdef M_MMAP_THRESHOLD
  // Loading the fonts reads a few tables of half a megabyte each and frees them. Each such free would raise
  // glibc's mmap threshold, so that the next large reads land in the heap and stay there, scattered, for the
  // program's whole life; at glibc's starting threshold they are mapped and returned as they are freed. Other C
  // libraries have no such threshold to fix.
  mallopt(M_MMAP_THRESHOLD, 128 * 1024);
#endif
  const std::string noDisplay = lotto::desktop::missingDisplaySentence(argc, argv);
  if (!noDisplay.empty()) {
    std::fputs(noDisplay.c_str(), stderr);
    return EXIT_FAILURE;
  }
  lotto::desktop::HeldToolkitStart heldStart;
  QApplication app(argc, argv);
  heldStart.release();
  // Wayland shells find the window's icon and name through the desktop entry of this name.
  QGuiApplication::setDesktopFileName(QStringLiteral(LOTTO_APP_ID));
  lotto::desktop::TraditionalChineseLocale locale(app);

  lotto::SeededRandomSource random;
  lotto::desktop::DialogRunTimeErrorReport report;
  lotto::desktop::EventLoopProgramEnd end;
  lotto::desktop::LottoProgram program(random, report, end);
  report.setParent(&program.form());
  program.start();
  if (program.ended()) {
    return EXIT_FAILURE;  // loading failed and was reported; there is no event loop to leave yet
  }
  return app.exec();
}

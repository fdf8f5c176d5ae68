// SPDX-FileCopyrightText: 2026 Lotto developers
// SPDX-License-Identifier: GPL-3.0-or-later
// traditional_chinese_locale.cpp: setting the zh-TW locale and loading Qt's zh_TW translations.
#include "traditional_chinese_locale.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>

namespace lotto::desktop {

TraditionalChineseLocale::TraditionalChineseLocale(QCoreApplication& app) {
  const QLocale taiwan(QLocale::Chinese, QLocale::TraditionalChineseScript, QLocale::Taiwan);
  QLocale::setDefault(taiwan);
  loaded_ = toolkitTranslator_.load(taiwan, QStringLiteral("qtbase"), QStringLiteral("_"),
                                    QLibraryInfo::path(QLibraryInfo::TranslationsPath));
  if (loaded_) {
    app.installTranslator(&toolkitTranslator_);
  }
}

}  // namespace lotto::desktop

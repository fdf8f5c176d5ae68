// SPDX-FileCopyrightText: 2026 Lotto developers
// SPDX-License-Identifier: GPL-3.0-or-later
// traditional_chinese_locale.h: the program speaks zh-TW, and so do the toolkit's own dialogs.
#pragma once

#include <QTranslator>

class QCoreApplication;

namespace lotto::desktop {

class TraditionalChineseLocale {
 public:
  explicit TraditionalChineseLocale(QCoreApplication& app);
  bool toolkitTranslationsLoaded() const { return loaded_; }

 private:
  QTranslator toolkitTranslator_;
  bool loaded_ = false;
};

}  // namespace lotto::desktop

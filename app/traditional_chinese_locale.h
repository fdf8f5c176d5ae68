// traditional_chinese_locale.h: the program speaks zh-TW, and so do the toolkit's own dialogs.
#pragma once

#include <QTranslator>

class QCoreApplication;

namespace lotto {

class TraditionalChineseLocale {
 public:
  explicit TraditionalChineseLocale(QCoreApplication& app);
  bool toolkitTranslationsLoaded() const { return loaded_; }

 private:
  QTranslator toolkitTranslator_;
  bool loaded_ = false;
};

}  // namespace lotto

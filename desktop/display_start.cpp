// SPDX-FileCopyrightText: 2026 Lotto developers
// SPDX-License-Identifier: GPL-3.0-or-later
// display_start.cpp: the standard descriptors, the sentences, and the toolkit's start-up held back.
#include "display_start.h"

#include <fcntl.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonObject>
#include <QLibrary>
#include <QPluginLoader>
#include <QString>
#include <QStringList>
#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <set>
#include <vector>

namespace lotto::desktop {

namespace {

constexpr int kFailureStatus = 1;

// A platform the toolkit tried, as its plugin loader reported it: found means a plugin of that name is installed.
struct PlatformTried {
  std::string name;
  bool found;
};

// While the toolkit starts: the real stderr, the file that holds what went to it, the handler before ours, and the
// platforms tried so far.
int realStderr = -1;
std::FILE* held = nullptr;
QtMessageHandler previousHandler = nullptr;
std::vector<PlatformTried> platformsTried;

std::string environment(const char* name) {
  const char* value = std::getenv(name);
  return value != nullptr ? value : "";
}

void writeAll(int fd, const std::string& text) {
  std::size_t written = 0;
  while (written < text.size()) {
    const ssize_t n = ::write(fd, text.data() + written, text.size() - written);
    if (n < 0 && errno == EINTR) {
      continue;
    }
    if (n <= 0) {
      return;
    }
    written += static_cast<std::size_t>(n);
  }
}

// What went to stderr while it was held.
std::string heldText() {
  std::string text;
  if (held == nullptr) {
    return text;
  }
  std::fflush(stderr);
  const int fd = ::fileno(held);
  char buffer[4096];
  ::lseek(fd, 0, SEEK_SET);
  for (ssize_t n; (n = ::read(fd, buffer, sizeof buffer)) > 0;) {
    text.append(buffer, static_cast<std::size_t>(n));
  }
  return text;
}

// The platform a "Could not find / load the Qt platform plugin" line of the plugin loader is about.
void notePlatformTried(const QString& message) {
  static const QString find = QStringLiteral("Could not find the Qt platform plugin \"");
  static const QString load = QStringLiteral("Could not load the Qt platform plugin \"");
  const bool found = message.startsWith(load);
  if (!found && !message.startsWith(find)) {
    return;
  }
  const qsizetype start = (found ? load : find).size();
  const qsizetype end = message.indexOf(QLatin1Char('"'), start);
  if (end > start) {
    platformsTried.push_back({message.mid(start, end - start).toStdString(), found});
  }
}

// The folders the toolkit looks in for platform plugins. It has two loaders: one for the folder
// QT_QPA_PLATFORM_PLUGIN_PATH names, tried first, and one for platforms/ in each library path (QT_PLUGIN_PATH's,
// then Qt's own). Each loader takes the first plugin of a name it finds, in the order of its folders.
std::vector<QStringList> platformPluginLoaders() {
  std::vector<QStringList> loaders;
  const QString named = qEnvironmentVariable("QT_QPA_PLATFORM_PLUGIN_PATH");
  if (!named.isEmpty()) {
    loaders.push_back({named});
  }
  QStringList folders;
  for (const QString& path : QCoreApplication::libraryPaths()) {
    folders << path + QStringLiteral("/platforms");
  }
  loaders.push_back(folders);
  return loaders;
}

// The platform names a plugin file offers, read from its metadata without loading it.
QStringList platformKeys(const QPluginLoader& plugin) {
  QStringList keys;
  const QJsonObject metaData = plugin.metaData();
  if (!metaData.value(QStringLiteral("IID")).toString().contains(QStringLiteral("QPlatformIntegrationFactory"))) {
    return keys;
  }
  const QJsonArray declared =
      metaData.value(QStringLiteral("MetaData")).toObject().value(QStringLiteral("Keys")).toArray();
  for (const auto& key : declared) {
    keys << key.toString();
  }
  return keys;
}

// Every platform installed, in alphabetical order.
std::vector<std::string> platformsAvailable() {
  std::set<std::string> names;
  for (const QStringList& folders : platformPluginLoaders()) {
    for (const QString& folder : folders) {
      for (const QFileInfo& file : QDir(folder).entryInfoList(QDir::Files)) {
        for (const QString& key : platformKeys(QPluginLoader(file.absoluteFilePath()))) {
          names.insert(key.toStdString());
        }
      }
    }
  }
  return {names.begin(), names.end()};
}

// A plugin that the toolkit found but cannot load: its file and the loader's reason.
struct UnloadablePlugin {
  std::string file;
  std::string reason;
};

// The first plugin of the platform `name` the toolkit tried and could not load; nothing when each one loads.
std::optional<UnloadablePlugin> pluginThatDoesNotLoad(const std::string& name) {
  for (const QStringList& folders : platformPluginLoaders()) {
    for (const QString& folder : folders) {
      const QFileInfoList files = QDir(folder).entryInfoList(QDir::Files);
      const auto offersName = [&name](const QFileInfo& file) {
        return platformKeys(QPluginLoader(file.absoluteFilePath()))
            .contains(QString::fromStdString(name), Qt::CaseInsensitive);
      };
      const auto tried = std::find_if(files.begin(), files.end(), offersName);
      if (tried == files.end()) {
        continue;
      }
      // As a library: a second QPluginLoader of a plugin the toolkit failed to load only says "Unknown error".
      QLibrary plugin(tried->absoluteFilePath());
      if (!plugin.load()) {
        return UnloadablePlugin{tried->absoluteFilePath().toStdString(), plugin.errorString().toStdString()};
      }
      break;  // this loader's plugin of that name loads; on to the next loader
    }
  }
  return std::nullopt;
}

std::string joined(const std::vector<std::string>& parts, const std::string& separator) {
  std::string text;
  for (const std::string& part : parts) {
    text += (text.empty() ? "" : separator) + part;
  }
  return text;
}

// The display a platform plugin that loaded would have shown the window on.
std::string displayOf(const std::string& platform, bool somethingNamedBefore) {
  if (platform.rfind("wayland", 0) == 0) {
    const std::string name = environment("WAYLAND_DISPLAY");
    return "Wayland 顯示器 " + (name.empty() ? std::string("wayland-0") : name);
  }
  if (platform == "xcb") {
    const std::string name = environment("DISPLAY");
    // X11 is tried last even without a DISPLAY; name it then only if nothing else was tried.
    return name.empty() ? (somethingNamedBefore ? "" : "X 顯示器（DISPLAY 沒有設定）") : "X 顯示器 " + name;
  }
  return "顯示平台 " + platform;
}

std::string unreachableDisplaySentence(const std::vector<std::string>& platforms) {
  std::vector<std::string> displays;
  for (const std::string& platform : platforms) {
    const std::string display = displayOf(platform, !displays.empty());
    if (!display.empty()) {
      displays.push_back(display);
    }
  }
  return "樂透程式無法開啟視窗，因為連不上 " + joined(displays, " 或 ") + "。\n";
}

std::string noSuchPlatformSentence(const std::vector<std::string>& platforms) {
  const std::vector<std::string> available = platformsAvailable();
  return "樂透程式無法開啟視窗，因為沒有名為 " + joined(platforms, " 或 ") + " 的顯示平台；" +
         (available.empty() ? "這裡一個顯示平台也沒有安裝。\n"
                            : "可用的顯示平台有 " + joined(available, "、") + "。\n");
}

// What to tell the user when no platform started, from the platforms tried and the toolkit's last word.
std::string startFailureReport(const QString& fatalMessage) {
  const std::string toolkitLines = heldText() + fatalMessage.toStdString() + "\n";
  std::vector<std::string> loaded, missing;
  for (const PlatformTried& platform : platformsTried) {
    if (!platform.found) {
      missing.push_back(platform.name);
      continue;
    }
    if (const auto plugin = pluginThatDoesNotLoad(platform.name)) {
      return "樂透程式無法開啟視窗，因為顯示平台 " + platform.name + " 的外掛程式 " + plugin->file +
             " 無法載入，Qt 的說明如下。\n" + plugin->reason + "\n" + toolkitLines;
    }
    loaded.push_back(platform.name);
  }
  if (!loaded.empty()) {
    return unreachableDisplaySentence(loaded);
  }
  if (!missing.empty()) {
    return noSuchPlatformSentence(missing);
  }
  return "樂透程式無法開啟視窗，Qt 的說明如下。\n" + toolkitLines;
}

// The toolkit's messages go where they always do (into the held file) except the fatal one it gives when no
// platform could start: that becomes our report, and the program ends without an abort. On the way, the plugin
// loader's lines tell which platforms were tried and whether each one's plugin was there.
void holdingHandler(QtMsgType type, const QMessageLogContext& context, const QString& message) {
  if (type != QtFatalMsg) {
    if (context.category != nullptr && std::strcmp(context.category, "qt.qpa.plugin") == 0) {
      notePlatformTried(message);
    }
    if (previousHandler != nullptr) {
      previousHandler(type, context, message);
    }
    return;
  }
  writeAll(realStderr >= 0 ? realStderr : STDERR_FILENO, startFailureReport(message));
  ::_exit(kFailureStatus);
}

// Whether the toolkit is told its platform on the command line (-platform or --platform NAME).
bool namesPlatform(int argc, char* argv[]) {
  for (int i = 1; i + 1 < argc; ++i) {
    if (std::strcmp(argv[i], "-platform") == 0 || std::strcmp(argv[i], "--platform") == 0) {
      return true;
    }
  }
  return false;
}

}  // namespace

void openClosedStandardDescriptors() {
  for (int fd = STDIN_FILENO; fd <= STDERR_FILENO; ++fd) {
    if (::fcntl(fd, F_GETFD) != -1 || errno != EBADF) {
      continue;
    }
    const int opened = ::open("/dev/null", fd == STDIN_FILENO ? O_RDONLY : O_WRONLY);
    if (opened >= 0 && opened != fd) {  // only when a lower one could not be opened either
      ::dup2(opened, fd);
      ::close(opened);
    }
  }
}

std::string missingDisplaySentence(int argc, char* argv[]) {
  if (namesPlatform(argc, argv)) {
    return {};
  }
  for (const char* name : {"QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY"}) {
    if (!environment(name).empty()) {
      return {};
    }
  }
  return "樂透程式需要圖形桌面才能開啟視窗，但 DISPLAY 和 WAYLAND_DISPLAY 都沒有設定。\n";
}

HeldToolkitStart::HeldToolkitStart() {
  std::fflush(stderr);
  held = std::tmpfile();
  realStderr = held != nullptr ? ::fcntl(STDERR_FILENO, F_DUPFD_CLOEXEC, 3) : -1;
  if (realStderr >= 0) {
    ::dup2(::fileno(held), STDERR_FILENO);
  }
  platformsTried.clear();
  previousHandler = qInstallMessageHandler(holdingHandler);
}

void HeldToolkitStart::release() {
  if (released_) {
    return;
  }
  released_ = true;
  qInstallMessageHandler(previousHandler);
  std::fflush(stderr);
  if (realStderr >= 0) {
    const std::string text = heldText();
    ::dup2(realStderr, STDERR_FILENO);
    ::close(realStderr);
    realStderr = -1;
    // Nothing went wrong: what the toolkit said on the way is shown after all.
    writeAll(STDERR_FILENO, text);
  }
  if (held != nullptr) {
    std::fclose(held);
    held = nullptr;
  }
}

}  // namespace lotto::desktop

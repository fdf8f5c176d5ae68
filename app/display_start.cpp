// SPDX-FileCopyrightText: 2026 Lotto developers
// SPDX-License-Identifier: GPL-3.0-or-later
// display_start.cpp: the standard descriptors, the sentences, and the toolkit's start-up held back.
#include "display_start.h"

#include <fcntl.h>
#include <unistd.h>

#include <QString>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <sstream>
#include <vector>

namespace lotto {

namespace {

constexpr int kFailureStatus = 1;

// While the toolkit starts: the real stderr, the file that holds what went to it, the handler before ours.
int realStderr = -1;
std::FILE* held = nullptr;
QtMessageHandler previousHandler = nullptr;

std::string environment(const char* name) {
  const char* value = std::getenv(name);
  return value != nullptr ? value : "";
}

// The platforms the toolkit tries, in its order: those QT_QPA_PLATFORM names, else Wayland first when
// the session is Wayland's, then X11.
std::vector<std::string> platformsTried() {
  std::vector<std::string> platforms;
  std::istringstream chosen(environment("QT_QPA_PLATFORM"));
  for (std::string platform; std::getline(chosen, platform, ';');) {
    platforms.push_back(platform.substr(0, platform.find(':')));
  }
  if (platforms.empty()) {
    if (!environment("WAYLAND_DISPLAY").empty() || environment("XDG_SESSION_TYPE") == "wayland") {
      platforms.emplace_back("wayland");
    }
    platforms.emplace_back("xcb");
  }
  return platforms;
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

// The toolkit's messages go where they always do (into the held file) except the fatal one it gives
// when no platform could start: that becomes our sentence, and the program ends without an abort.
void holdingHandler(QtMsgType type, const QMessageLogContext& context, const QString& message) {
  if (type != QtFatalMsg) {
    if (previousHandler != nullptr) {
      previousHandler(type, context, message);
    }
    return;
  }
  writeAll(realStderr >= 0 ? realStderr : STDERR_FILENO, unreachableDisplaySentence());
  ::_exit(kFailureStatus);
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

std::string missingDisplaySentence() {
  for (const char* name : {"QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY"}) {
    if (!environment(name).empty()) {
      return {};
    }
  }
  return "樂透程式需要圖形桌面才能開啟視窗，但 DISPLAY 和 WAYLAND_DISPLAY 都沒有設定。\n";
}

std::string unreachableDisplaySentence() {
  std::string displays;
  for (const std::string& platform : platformsTried()) {
    std::string display;
    if (platform.rfind("wayland", 0) == 0) {
      const std::string name = environment("WAYLAND_DISPLAY");
      display = "Wayland 顯示器 " + (name.empty() ? std::string("wayland-0") : name);
    } else if (platform == "xcb") {
      const std::string name = environment("DISPLAY");
      // X11 is tried last even without a DISPLAY; name it then only if nothing else was tried.
      display = name.empty() ? (displays.empty() ? "X 顯示器（DISPLAY 沒有設定）" : "") : "X 顯示器 " + name;
    } else {
      display = "顯示平台 " + platform;
    }
    if (!display.empty()) {
      displays += (displays.empty() ? "" : " 或 ") + display;
    }
  }
  return "樂透程式無法開啟視窗，因為連不上 " + displays + "。\n";
}

HeldToolkitStart::HeldToolkitStart() {
  std::fflush(stderr);
  held = std::tmpfile();
  realStderr = held != nullptr ? ::fcntl(STDERR_FILENO, F_DUPFD_CLOEXEC, 3) : -1;
  if (realStderr >= 0) {
    ::dup2(::fileno(held), STDERR_FILENO);
  }
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
    ::dup2(realStderr, STDERR_FILENO);
    ::close(realStderr);
    realStderr = -1;
    // Nothing went wrong: what the toolkit said on the way is shown after all.
    const int fd = ::fileno(held);
    char buffer[4096];
    ::lseek(fd, 0, SEEK_SET);
    for (ssize_t n; (n = ::read(fd, buffer, sizeof buffer)) > 0;) {
      writeAll(STDERR_FILENO, std::string(buffer, static_cast<std::size_t>(n)));
    }
  }
  if (held != nullptr) {
    std::fclose(held);
    held = nullptr;
  }
}

}  // namespace lotto

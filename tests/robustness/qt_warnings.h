// SPDX-FileCopyrightText: 2026 Lotto developers
// SPDX-License-Identifier: GPL-3.0-or-later
// qt_warnings.h: turns every Qt warning, critical or fatal message into something a test can fail on.
#pragma once

#include <optional>
#include <string>

namespace lotto::testing {

class QtWarnings {
 public:
  static void install();
  static void uninstall();
  // The first warning since the last call, if any; forgets the rest.
  static std::optional<std::string> takeFirst();
};

}  // namespace lotto::testing

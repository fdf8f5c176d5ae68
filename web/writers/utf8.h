// SPDX-FileCopyrightText: 2026 Lotto developers
// SPDX-License-Identifier: GPL-3.0-or-later
// utf8.h: the program's UTF-16 texts as the UTF-8 the page's files are written in.
#pragma once

#include <string>

namespace lotto::web {

std::string utf8(const std::u16string& text);

}  // namespace lotto::web

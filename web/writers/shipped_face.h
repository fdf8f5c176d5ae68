// SPDX-FileCopyrightText: 2026 Lotto developers
// SPDX-License-Identifier: GPL-3.0-or-later
// shipped_face.h: the Ming face the page ships, a subset, so that a phone with no Ming face draws the design too.
#pragma once

#include "form1_design.h"

namespace lotto::web {

// The subset stands in for every Big5 design face, cut from that face's first substitute. Its family name keeps
// it apart from an installed face; its file (named by the build) lies beside index.html.
constexpr const char* kShippedMingFamily = "AR PL UMing TW subset";
constexpr const char* kShippedMingFile = LOTTO_SHIPPED_MING_FILE;

}  // namespace lotto::web

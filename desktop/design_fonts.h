// SPDX-FileCopyrightText: 2026 Lotto developers
// SPDX-License-Identifier: GPL-3.0-or-later
// design_fonts.h: the design's fonts as Qt fonts, with substitutes for faces Linux does not have.
#pragma once

#include <QFont>
#include <QString>

#include "form1_design.h"

namespace lotto::desktop {

// The installed face that stands in for a design face; the design face itself when installed.
QString resolvedFace(const char16_t* designFace);

// Pixel sizes come from the points at 96 dpi, so the layout matches the design in logical pixels.
QFont designFont(const design::FontDesign& font);

}  // namespace lotto::desktop

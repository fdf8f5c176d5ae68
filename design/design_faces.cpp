// SPDX-FileCopyrightText: 2026 Lotto developers
// SPDX-License-Identifier: GPL-3.0-or-later
// design_faces.cpp: the substitutes for 新細明體 and MS Sans Serif.
#include "design_faces.h"

#include <string_view>

namespace lotto::design {

namespace {

// Faces to fall back on when the design face itself is not to be had: a Traditional Chinese Ming face for the
// Big5 serif, a common sans face for the ANSI sans. Of the Ming faces only UMing's are offered: the design's
// number positions are drawn around their metrics, and other Ming faces push two-digit numbers across their discs'
// rims. On the desktop, whatever face the font system gives for the design face's own name, through any alias,
// comes first: it is what the user or the distribution asked that name to mean.
constexpr FaceSubstitutes kSubstitutes[] = {
    {u"新細明體", {"AR PL UMing TW", "AR PL UMing TW MBE", "AR PL UMing HK"}, "serif"},
    {u"MS Sans Serif", {"DejaVu Sans", "Liberation Sans", "Noto Sans"}, "sans-serif"},
};

}  // namespace

const FaceSubstitutes* substitutesFor(const char16_t* designFace) {
  for (const FaceSubstitutes& entry : kSubstitutes) {
    if (std::u16string_view(entry.designFace) == designFace) {
      return &entry;
    }
  }
  return nullptr;
}

}  // namespace lotto::design

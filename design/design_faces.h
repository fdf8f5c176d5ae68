// SPDX-FileCopyrightText: 2026 Lotto developers
// SPDX-License-Identifier: GPL-3.0-or-later
// design_faces.h: the faces that stand in for the design's fonts where the design's own are not installed.
#pragma once

#include <array>

namespace lotto::design {

struct FaceSubstitutes {
  const char16_t* designFace;
  // Installed families to try, best first.
  std::array<const char*, 3> candidates;
  // The kind of face the design means, for renderers that name one last ("serif", "sans-serif").
  const char* genericFamily;
};

// The substitutes for `designFace`, or nullptr when the design names a face with none.
const FaceSubstitutes* substitutesFor(const char16_t* designFace);

}  // namespace lotto::design

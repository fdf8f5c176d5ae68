// SPDX-FileCopyrightText: 2026 Lotto developers
// SPDX-License-Identifier: GPL-3.0-or-later
// design_fonts.cpp: picking installed faces for the design's fonts.
#include "design_fonts.h"

#include <QFontDatabase>
#include <QHash>
#include <QStringList>
#include <cmath>

namespace lotto {

namespace {

struct Substitutes {
  const char16_t* designFace;
  const char* candidates[3];
};

// Faces to fall back on when the design face itself is not to be had: a Traditional Chinese Ming face for the
// Big5 serif, a common sans face for the ANSI sans. Of the Ming faces only UMing's are offered: the design's
// number positions are drawn around their metrics, and other Ming faces push two-digit numbers across their discs'
// rims. Whatever face the font system gives for the design face's own name, through any alias, comes first
// (lookUpFace): it is what the user or the distribution asked that name to mean.
constexpr Substitutes kSubstitutes[] = {
    {u"新細明體", {"AR PL UMing TW", "AR PL UMing TW MBE", "AR PL UMing HK"}},
    {u"MS Sans Serif", {"DejaVu Sans", "Liberation Sans", "Noto Sans"}},
};

constexpr double kDesignDpi = 96.0;
constexpr double kPointsPerInch = 72.0;

// The design face counts as installed also under an alias or a localised name, as the font system resolves
// it (the user's own alias rules included). The substitutes are names of real families, so they are looked
// up in the list of installed families, fetched once: each alias resolution runs the font system's whole
// set of substitution rules, a noticeable part of start-up.
QString lookUpFace(const QString& face) {
  if (QFontDatabase::hasFamily(face)) {
    return face;
  }
  static const QStringList installed = QFontDatabase::families();
  for (const auto& entry : kSubstitutes) {
    if (face != QString::fromUtf16(entry.designFace)) {
      continue;
    }
    for (const char* candidate : entry.candidates) {
      const QString family = QString::fromLatin1(candidate);
      if (installed.contains(family, Qt::CaseInsensitive)) {
        return family;
      }
    }
  }
  return face;  // let the font system choose its nearest match
}

}  // namespace

// Each query runs the font system's whole set of substitution rules, a noticeable part of start-up when
// repeated for every control; the installed faces do not change while the program runs.
QString resolvedFace(const char16_t* designFace) {
  static QHash<QString, QString> resolved;
  const QString face = QString::fromUtf16(designFace);
  auto found = resolved.constFind(face);
  if (found == resolved.constEnd()) {
    found = resolved.insert(face, lookUpFace(face));
  }
  return *found;
}

QFont designFont(const design::FontDesign& font) {
  QFont result(resolvedFace(font.face));
  result.setPixelSize(static_cast<int>(std::lround(font.points * kDesignDpi / kPointsPerInch)));
  result.setBold(font.bold);
  return result;
}

}  // namespace lotto

// SPDX-FileCopyrightText: 2026 Lotto developers
// SPDX-License-Identifier: GPL-3.0-or-later
// design_fonts.cpp: picking installed faces for the design's fonts.
#include "design_fonts.h"

#include <QFontDatabase>
#include <QHash>
#include <QStringList>

#include "design_faces.h"

namespace lotto::desktop {

namespace {

// The design face counts as installed also under an alias or a localised name, as the font system resolves
// it (the user's own alias rules included). The substitutes are names of real families, so they are looked
// up in the list of installed families, fetched once: each alias resolution runs the font system's whole
// set of substitution rules, a noticeable part of start-up.
QString lookUpFace(const QString& face) {
  if (QFontDatabase::hasFamily(face)) {
    return face;
  }
  static const QStringList installed = QFontDatabase::families();
  if (const design::FaceSubstitutes* substitutes = design::substitutesFor(face.toStdU16String().c_str())) {
    for (const char* candidate : substitutes->candidates) {
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
  result.setPixelSize(design::pixelSize(font));
  result.setBold(font.bold);
  return result;
}

}  // namespace lotto::desktop

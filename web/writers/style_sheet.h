// SPDX-FileCopyrightText: 2026 Lotto developers
// SPDX-License-Identifier: GPL-3.0-or-later
// style_sheet.h: the page's stylesheet, gathered element by element and written with each shared value once.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "colour.h"

namespace lotto::web {

// A colour as the page's stylesheet and its manifest write it: "#rrggbb".
std::string hexColour(Colour colour);

// For each class and each aspect of its look (its position, its font …), the value most of the class share goes to
// the class, and each other value to the elements that have it, after it. Seven rows of balls share one label
// offset, 49 discs one look: the sheet stays a few kilobytes.
class StyleSheet {
 public:
  // The `declarations` of one `aspect` of the element `selector`, which belongs to the class `cls`.
  void set(const std::string& cls, const std::string& selector, const std::string& aspect,
           const std::string& declarations);
  // The rules, in the order the classes and their aspects were first set.
  std::string text() const;

 private:
  struct Aspect {
    std::string name;
    std::vector<std::pair<std::string, std::string>> values;  // selector, declarations
  };
  struct Class {
    std::string name;
    std::vector<Aspect> aspects;
  };

  Aspect& aspectOf(const std::string& cls, const std::string& aspect);

  std::vector<Class> classes_;
};

}  // namespace lotto::web

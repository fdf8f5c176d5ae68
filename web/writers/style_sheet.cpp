// SPDX-FileCopyrightText: 2026 Lotto developers
// SPDX-License-Identifier: GPL-3.0-or-later
// style_sheet.cpp: folding the values an element class shares into one rule for the class.
#include "style_sheet.h"

#include <algorithm>
#include <cstdio>
#include <map>

namespace lotto::web {

std::string hexColour(Colour colour) {
  char hex[8];
  std::snprintf(hex, sizeof hex, "#%02x%02x%02x", redOf(colour), greenOf(colour), blueOf(colour));
  return hex;
}

void StyleSheet::set(const std::string& cls, const std::string& selector, const std::string& aspect,
                     const std::string& declarations) {
  aspectOf(cls, aspect).values.emplace_back(selector, declarations);
}

std::string StyleSheet::text() const {
  std::string css;
  for (const Class& c : classes_) {
    for (const Aspect& aspect : c.aspects) {
      std::map<std::string, std::vector<std::string>> selectorsByValue;
      std::vector<std::string> valuesInOrder;
      for (const auto& [selector, declarations] : aspect.values) {
        if (selectorsByValue[declarations].empty()) {
          valuesInOrder.push_back(declarations);
        }
        selectorsByValue[declarations].push_back(selector);
      }
      std::string common = *std::max_element(valuesInOrder.begin(), valuesInOrder.end(),
                                             [&](const std::string& a, const std::string& b) {
                                               return selectorsByValue[a].size() < selectorsByValue[b].size();
                                             });
      if (selectorsByValue[common].size() > 1 || aspect.values.size() == 1) {
        css += "." + c.name + "{" + common + "}\n";
      } else {
        common.clear();  // no value shared: each element has its own
      }
      for (const std::string& value : valuesInOrder) {
        if (value == common) {
          continue;
        }
        const std::vector<std::string>& selectors = selectorsByValue[value];
        for (std::size_t i = 0; i < selectors.size(); ++i) {
          css += (i ? "," : "") + selectors[i];
        }
        css += "{" + value + "}\n";
      }
    }
  }
  return css;
}

StyleSheet::Aspect& StyleSheet::aspectOf(const std::string& cls, const std::string& aspect) {
  auto c = std::find_if(classes_.begin(), classes_.end(), [&](const Class& each) { return each.name == cls; });
  if (c == classes_.end()) {
    c = classes_.insert(classes_.end(), Class{cls, {}});
  }
  auto a = std::find_if(c->aspects.begin(), c->aspects.end(), [&](const Aspect& each) { return each.name == aspect; });
  if (a == c->aspects.end()) {
    a = c->aspects.insert(c->aspects.end(), Aspect{aspect, {}});
  }
  return *a;
}

}  // namespace lotto::web

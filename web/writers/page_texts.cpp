// SPDX-FileCopyrightText: 2026 Lotto developers
// SPDX-License-Identifier: GPL-3.0-or-later
// page_texts.cpp: run at build time under node: the page's files that follow from the design and the code.
//
// Usage: page_texts TEMPLATE OUT-DIR ICON... Each ICON is FILE=SIZE=USE, one of the home-screen icons the build
// renders (web/CMakeLists.txt names them), USE being any or maskable (the manifest's) or apple-touch-icon (the
// page's own link). Writes into OUT-DIR:
//   index.html            the template with the window's title, the Apple icon and the window itself filled in:
//                         every element of the form as the form's load leaves it, so the first paint shows it all;
//   form1.css             the positions, sizes, colours and fonts of those elements, which the build writes
//                         into the page's head with lotto.css (inline_script.js);
//   manifest.webmanifest  the installed app's id, name, colours and icons;
//   texts.txt             every text the page can show, so the shipped Ming subset holds every glyph of them:
//                         the program's, from the lists the design and the draw core keep, and the sentences of
//                         the page itself (not those only screen readers tell);
//   ming-family.txt       the installed family the shipped subset is cut from.
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

#include "design_faces.h"
#include "draw_logic.h"
#include "form1_design.h"
#include "page_form.h"
#include "procedure_errors.h"
#include "shipped_face.h"
#include "style_sheet.h"
#include "texts.h"
#include "utf8.h"

namespace lotto::web {
namespace {

using web::utf8;

std::string utf8(const char16_t* text) { return utf8(std::u16string(text)); }

// The text between the template's tags: what the page itself says. Comments and attributes say nothing.
std::string templateSentences(const std::string& page) {
  std::string sentences;
  bool inTag = false;
  for (std::size_t i = 0; i < page.size(); ++i) {
    if (!inTag && page.compare(i, 4, "<!--") == 0) {
      const std::size_t end = page.find("-->", i);
      i = end == std::string::npos ? page.size() : end + 2;
    } else if (page[i] == '<') {
      inTag = true;
    } else if (page[i] == '>') {
      inTag = false;
      sentences += '\n';
    } else if (!inTag) {
      sentences += page[i];
    }
  }
  return sentences;
}

// Every text the program can show, from the lists the design and the draw core keep of them: the design's
// captions, headings and title, the balls' numbers, the instruction texts, and the report of every run-time error.
std::string programTexts() {
  std::string texts;
  for (const char16_t* caption : design::designCaptions()) {
    texts += utf8(caption) + "\n";
  }
  for (SmallInt ball = 0; ball < kBallCount; ++ball) {
    texts += utf8(ballNumberText(ball)) + "\n";
  }
  for (const char16_t* line : texts::kInstructionTexts) {
    texts += utf8(line) + "\n";
  }
  for (const RunTimeError& error : everyRunTimeError()) {
    texts += midend::runTimeErrorLine(error) + "\n";
  }
  texts += midend::runTimeErrorLine(*midend::runProcedure([] { throw 0; })) + "\n";  // what no procedure names
  return texts;
}

// A PNG icon the build renders for a home screen, as given on the command line: FILE=SIZE=USE.
struct HomeScreenIcon {
  std::string file;
  std::string size;  // pixels across, and as many high
  std::string use;   // any, maskable or apple-touch-icon
};

HomeScreenIcon homeScreenIcon(const std::string& argument) {
  const std::size_t first = argument.find('='), second = argument.find('=', first + 1);
  if (first == std::string::npos || second == std::string::npos) {
    throw std::runtime_error("an icon is FILE=SIZE=USE, not " + argument);
  }
  HomeScreenIcon icon{argument.substr(0, first), argument.substr(first + 1, second - first - 1),
                      argument.substr(second + 1)};
  if (icon.use != "any" && icon.use != "maskable" && icon.use != "apple-touch-icon") {
    throw std::runtime_error("an icon's use is any, maskable or apple-touch-icon, not " + icon.use);
  }
  return icon;
}

// The id is the start address, so the installed app stays the same app whatever a later build changes in its
// manifest. Phones want PNG icons besides the SVG one, among them a maskable one to cut to their own shape.
std::string manifest(const std::vector<HomeScreenIcon>& icons) {
  const design::FormDesign& d = design::form1();
  const std::string title = utf8(d.title), background = hexColour(d.background);
  std::string entries = "    {\"src\": \"lotto.svg\", \"sizes\": \"any\", \"type\": \"image/svg+xml\"}";
  for (const HomeScreenIcon& icon : icons) {
    if (icon.use == "apple-touch-icon") {
      continue;  // named by the page, not the manifest
    }
    entries += ",\n    {\"src\": \"" + icon.file + "\", \"sizes\": \"" + icon.size + "x" + icon.size +
               "\", \"type\": \"image/png\"" + (icon.use == "maskable" ? ", \"purpose\": \"maskable\"" : "") + "}";
  }
  return "{\n  \"id\": \"./\",\n  \"name\": \"" + title + "\",\n  \"short_name\": \"" + title +
         "\",\n  \"lang\": \"zh-Hant-TW\",\n  \"start_url\": \"./\",\n  \"scope\": \"./\",\n"
         "  \"display\": \"standalone\",\n  \"background_color\": \"" +
         background + "\",\n  \"theme_color\": \"" + background + "\",\n  \"icons\": [\n" + entries + "\n  ]\n}\n";
}

// The file of the Apple icon the page links to.
std::string appleTouchIcon(const std::vector<HomeScreenIcon>& icons) {
  for (const HomeScreenIcon& icon : icons) {
    if (icon.use == "apple-touch-icon") {
      return icon.file;
    }
  }
  throw std::runtime_error("no icon given for apple-touch-icon");
}

// The installed face the subset is cut from: the first substitute of the design's Big5 face.
std::string mingFamily() {
  const design::FontDesign& font = *design::form1().label1[0].font;
  if (!design::isBig5(font) || design::substitutesFor(font.face) == nullptr) {
    throw std::logic_error("the number labels' face is no longer a Big5 face with substitutes");
  }
  return design::substitutesFor(font.face)->candidates[0];
}

std::string replaced(std::string text, const std::string& placeholder, const std::string& value) {
  for (std::size_t at = text.find(placeholder); at != std::string::npos; at = text.find(placeholder, at)) {
    text.replace(at, placeholder.size(), value);
    at += value.size();
  }
  return text;
}

void write(const std::string& path, const std::string& content) {
  std::ofstream out(path, std::ios::binary);
  out << content;
  if (!out) {
    throw std::runtime_error("cannot write " + path);
  }
}

}  // namespace
}  // namespace lotto::web

int main(int argc, char* argv[]) {
  if (argc < 3) {
    std::cerr << "usage: page_texts TEMPLATE OUT-DIR ICON...\n";
    return 2;
  }
  try {
    std::ifstream in(argv[1], std::ios::binary);
    std::stringstream page;
    page << in.rdbuf();
    if (!in) {
      throw std::runtime_error(std::string("cannot read ") + argv[1]);
    }
    const std::string out = argv[2];
    std::vector<lotto::web::HomeScreenIcon> icons;
    for (int i = 3; i < argc; ++i) {
      icons.push_back(lotto::web::homeScreenIcon(argv[i]));
    }
    const lotto::web::PageForm form = lotto::web::form1Page();
    const std::string titled = lotto::web::replaced(
        lotto::web::replaced(page.str(), "@TITLE@", lotto::web::utf8(lotto::design::form1().title)),
        "@APPLE_TOUCH_ICON@", lotto::web::appleTouchIcon(icons));
    lotto::web::write(out + "/index.html", lotto::web::replaced(titled, "@FORM1@", form.html + form.descriptions));
    lotto::web::write(out + "/form1.css", form.css);
    lotto::web::write(out + "/manifest.webmanifest", lotto::web::manifest(icons));
    lotto::web::write(
        out + "/texts.txt",
        lotto::web::programTexts() +
            lotto::web::templateSentences(lotto::web::replaced(
                lotto::web::replaced(lotto::web::replaced(titled, "@FORM1@", form.html), "@INLINE_SCRIPT@", ""),
                "@INLINE_STYLE@", "")));
    lotto::web::write(out + "/ming-family.txt", lotto::web::mingFamily());
  } catch (const std::exception& error) {
    std::cerr << "page_texts: " << error.what() << "\n";
    return 1;
  }
  return 0;
}

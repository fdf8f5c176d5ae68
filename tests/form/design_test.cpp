// SPDX-FileCopyrightText: 2026 Lotto developers
// SPDX-License-Identifier: GPL-3.0-or-later
// design_test.cpp: the window as drawn, measured in pixels against its design.
#include <QFontInfo>
#include <QFontMetrics>
#include <QImage>
#include <QPixmap>
#include <QRegion>
#include <QScreen>
#include <QWindow>
#include <array>
#include <functional>
#include <map>
#include <utility>

#include "expected_positions.h"
#include "program_fixture.h"
#include "window_watch.h"

namespace lotto {

// The Qt front end's classes, tested here.
using namespace desktop;
namespace {

using testing::designedBox;
using testing::designedDisc;
using testing::designedLabelCorner;
using testing::expectedPixels;
using testing::fillSpot;
using testing::ProgramTest;

// The design's colours as expected.json writes them.
QRgb expectedColour(const char* name) {
  const auto rgb = testing::expected().at("colours").at(name).at("rgb").get<std::array<int, 3>>();
  return qRgb(rgb[0], rgb[1], rgb[2]);
}
const QRgb kBackground = expectedColour("background");
const QRgb kOrange = expectedColour("ball");
const QRgb kNavy = expectedColour("light");
const QRgb kFrameGreen = expectedColour("frame");
const QRgb kOutlineBlue = expectedColour("outline");
const QRgb kSpecialRed = expectedColour("special");

QSize designedFormSize() { return designedBox("Form1").size(); }

// A control's or the labels' font as the design writes it: face, size in points and in pixels at 96 dpi, weight.
struct ExpectedFont {
  QString face;
  int pixels;
  bool bold;
};
ExpectedFont designedFont(const char* control) {
  const nlohmann::json& font = testing::expected().at("fonts").at(control);
  return {QString::fromStdString(font.at("face").get<std::string>()), font.at("pixels").get<int>(),
          font.at("bold").get<bool>()};
}

// The installed faces that may stand in for a design face on Linux, best first: the face itself where a font
// system knows it, then the Ming faces the design's number positions are drawn around, or common sans faces.
QStringList standInsFor(const QString& designFace) {
  if (designFace == QStringLiteral("新細明體")) {
    return {designFace, QStringLiteral("AR PL UMing TW"), QStringLiteral("Noto Serif CJK TC")};
  }
  if (designFace == QStringLiteral("MS Sans Serif")) {
    return {designFace, QStringLiteral("DejaVu Sans"), QStringLiteral("Liberation Sans"), QStringLiteral("Noto Sans")};
  }
  return {designFace};
}

QString caption(const char* button) {
  return QString::fromStdString(testing::expected().at("buttons").at(button).at("caption").get<std::string>());
}
QString title() { return QString::fromStdString(testing::expected().at("title").get<std::string>()); }

std::string hex(QRgb pixel) { return QColor(pixel).name().toStdString(); }

bool isInk(QRgb pixel) { return qRed(pixel) < 100 && qGreen(pixel) < 100 && qBlue(pixel) < 100; }

int countPixels(const QImage& image, const QRect& area, const std::function<bool(QRgb)>& matches) {
  int count = 0;
  const QRect inside = area.intersected(image.rect());
  for (int y = inside.top(); y <= inside.bottom(); ++y) {
    for (int x = inside.left(); x <= inside.right(); ++x) {
      count += matches(image.pixel(x, y)) ? 1 : 0;
    }
  }
  return count;
}

class WindowDesignTest : public ProgramTest {
 protected:
  QImage grabForm() {
    const QImage image = form.grab().toImage();
    EXPECT_EQ(image.devicePixelRatio(), 1.0);
    EXPECT_EQ(image.size(), designedFormSize());
    return image;
  }

  // What the window's surface really holds, after the pending repaints went through.
  QImage onScreen() {
    QCoreApplication::sendPostedEvents(&form, QEvent::UpdateRequest);
    return form.screen()->grabWindow(form.winId()).toImage();
  }

  // The length of the run of `colour` through `from` along `step`, or 0 when `from` is another colour.
  static int runThrough(const QImage& image, QPoint from, QPoint step, QRgb colour) {
    if (image.pixel(from) != colour) {
      return 0;
    }
    int length = 1;
    for (QPoint p = from + step; image.valid(p) && image.pixel(p) == colour; p += step) ++length;
    for (QPoint p = from - step; image.valid(p) && image.pixel(p) == colour; p -= step) ++length;
    return length;
  }

  // Every number and slot label shares one font: Label1's pixels and weight, in the face the window draws 開獎 in,
  // whose design face Label1 shares.
  QFont labelFont() const {
    const ExpectedFont want = designedFont("Label1");
    EXPECT_EQ(designedFont("Command2").face, want.face);
    QFont font(QFontInfo(form.Command2->font()).family());
    font.setPixelSize(want.pixels);
    font.setBold(want.bold);
    return font;
  }
  QFontMetrics labelMetrics() const { return QFontMetrics(labelFont()); }
};

TEST_F(WindowDesignTest, TitleSizeButtonsAndInstructionLineFollowTheDesign) {
  EXPECT_EQ(form.windowTitle(), title());
  EXPECT_EQ(form.size(), designedFormSize());
  EXPECT_EQ(form.Timer1->interval(), testing::kRollIntervalMs);
  EXPECT_EQ(form.Timer1->timerType(), Qt::PreciseTimer) << "a coarse timer may be 5 % off the 30 ms beat";
  EXPECT_TRUE(form.Timer1->isActive());

  // The face each control is drawn in is one that stands in for its design face, and the controls that share a
  // design face share the face drawn.
  std::map<QString, QString> drawnFaceOf;
  const auto expectFont = [&](const char* control, const QFont& font) {
    const ExpectedFont want = designedFont(control);
    const QString drawn = QFontInfo(font).family();
    EXPECT_EQ(font.pixelSize(), want.pixels) << control;
    EXPECT_EQ(font.bold(), want.bold) << control;
    EXPECT_TRUE(standInsFor(want.face).contains(drawn))
        << control << " is drawn in " << drawn.toStdString() << " for " << want.face.toStdString();
    EXPECT_EQ(drawnFaceOf.emplace(want.face, drawn).first->second, drawn) << control;
  };
  const testing::ExpectedState opened = testing::expectedState(testing::Phase::Opened);
  struct Expected {
    QPushButton* button;
    const char* name;
    bool enabled;
  };
  for (const Expected& e :
       {Expected{form.Command1, "Command1", opened.next}, Expected{form.Command2, "Command2", opened.draw},
        Expected{form.Command3, "Command3", opened.clear},
        Expected{form.Command4, "Command4", true}}) {  // Bye is never greyed
    EXPECT_EQ(e.button->text(), caption(e.name));
    EXPECT_EQ(e.button->geometry(), designedBox(e.name)) << e.name;
    EXPECT_EQ(e.button->isEnabled(), e.enabled) << e.name;
    expectFont(e.name, e.button->font());
    EXPECT_FALSE(e.button->isDefault() || e.button->autoDefault()) << e.name;
  }
  expectFont("Text1", form.Text1->font());
  EXPECT_EQ(form.Text1->geometry(), designedBox("Text1"));
  EXPECT_TRUE(form.Text1->isEnabled());
  EXPECT_FALSE(form.Text1->isReadOnly());
  EXPECT_TRUE(form.Text1->text().isEmpty());
}

TEST_F(WindowDesignTest, RightAfterStartTheSurfaceShowsBackgroundDiscsFrameAndHeadings) {
  const QImage image = grabForm();
  for (QPoint free : {QPoint(4, 4), QPoint(300, 395), QPoint(540, 470), QPoint(240, 486)}) {
    EXPECT_EQ(hex(image.pixel(free)), hex(kBackground)) << free.x() << "," << free.y();
  }

  for (int disc = 0; disc < kLabelCount; ++disc) {
    const QRect r = designedDisc(disc);
    ASSERT_EQ(form.discGeometry(disc), r) << "disc " << disc;
    const QPoint spot = fillSpot(disc);
    ASSERT_FALSE(form.labelGeometry(disc).contains(spot)) << "disc " << disc;
    EXPECT_EQ(hex(image.pixel(spot)), hex(kOrange)) << "fill of disc " << disc;
    // The one-pixel outline sits on the disc's outermost pixels: left, right, top and bottom.
    for (QPoint edge : {QPoint(r.left(), r.center().y()), QPoint(r.right(), r.center().y()),
                        QPoint(r.center().x(), r.top()), QPoint(r.center().x(), r.bottom())}) {
      EXPECT_EQ(hex(image.pixel(edge)), hex(kOutlineBlue))
          << "outline of disc " << disc << " at " << edge.x() << "," << edge.y();
    }
    EXPECT_EQ(hex(image.pixel(r.left() - 1, r.center().y())), hex(kBackground)) << "outside disc " << disc;
  }
  EXPECT_EQ(countPixels(image, image.rect(), [](QRgb p) { return p == kNavy; }), 0) << "nothing is lit before a tick";

  // Each frame line: a run across it at its designed position as wide as the design's line, green at both ends.
  const int lineWidth = testing::expected().at("lines").at("width").get<int>();
  const auto lineEnds = [](const char* name) {
    const auto [x1, y1, x2, y2] = expectedPixels("lines", name);
    return std::pair<QPoint, QPoint>{{x1, y1}, {x2, y2}};
  };
  for (const char* name : {"Line1", "Line2", "Line3", "Line4"}) {
    const auto [from, to] = lineEnds(name);
    const QPoint middle = (from + to) / 2;
    const QPoint across = from.y() == to.y() ? QPoint(0, 1) : QPoint(1, 0);
    EXPECT_EQ(runThrough(image, middle, across, kFrameGreen), lineWidth) << name;
    EXPECT_EQ(hex(image.pixel(from)), hex(kFrameGreen)) << name << " at " << from.x() << "," << from.y();
    EXPECT_EQ(hex(image.pixel(to)), hex(kFrameGreen)) << name << " at " << to.x() << "," << to.y();
  }
  // Line1 meets Line2 at the top right; a square cap fills the corner out to half the line's width.
  const QPoint topRight = lineEnds("Line1").second;
  EXPECT_EQ(hex(image.pixel(topRight + QPoint(lineWidth / 2, -lineWidth / 2))), hex(kFrameGreen)) << "square corner";

  const QRect special = form.labelGeometry(kLabelCount - 1);
  const auto isSpecialRed = [](QRgb p) { return p == kSpecialRed; };
  EXPECT_GT(countPixels(image, special, isSpecialRed), 15) << "特 is dark red";
  EXPECT_EQ(countPixels(image, image.rect(), isSpecialRed), countPixels(image, special, isSpecialRed));
  for (int k = 0; k < kSlotCount - 1; ++k) {
    EXPECT_GT(countPixels(image, form.labelGeometry(kFirstSlotLabel + k), isInk), 15) << "heading " << k;
  }
}

TEST_F(WindowDesignTest, ATickLightsOneDiscNavyAndADrawnBallLeavesBackground) {
  tickLighting(10);
  QImage image = grabForm();
  EXPECT_EQ(hex(image.pixel(fillSpot(10))), hex(kNavy));
  EXPECT_EQ(hex(image.pixel(fillSpot(11))), hex(kOrange));

  click(form.Command2);
  image = grabForm();
  const QRect drawn = form.discGeometry(10);
  EXPECT_EQ(countPixels(image, drawn, [](QRgb p) { return p != kBackground; }), 0) << "ball 11 is gone";
  EXPECT_GT(countPixels(image, form.labelGeometry(kFirstSlotLabel), isInk), 15) << "11 shows in the first slot";
}

TEST_F(WindowDesignTest, TheSpecialNumberIsDrawnDarkRedLikeItsHeading) {
  for (int ball : {1, 2, 3, 4, 5, 6, 40}) {
    tickLighting(ball);
    click(form.Command2);
    click(form.Command1);
  }
  ASSERT_EQ(form.labelCaption(kLabelCount - 1), QStringLiteral("41"));
  const QImage image = grabForm();
  const auto isSpecialRed = [](QRgb p) { return p == kSpecialRed; };
  EXPECT_GT(countPixels(image, form.labelGeometry(kLabelCount - 1), isSpecialRed), 15);
  EXPECT_EQ(countPixels(image, form.labelGeometry(kFirstSlotLabel), isSpecialRed), 0) << "the other slots stay black";
}

// Text ink stays inside each label's rectangle, and the rectangle is the caption's one-line extent.
TEST_F(WindowDesignTest, LabelsSizeThemselvesToTheirCaptions) {
  const QImage image = grabForm();
  const QFontMetrics metrics = labelMetrics();
  for (int label = 0; label < kLabelCount; ++label) {
    const QRect r = form.labelGeometry(label);
    const QString caption = form.labelCaption(label);
    EXPECT_EQ(r, QRect(designedLabelCorner(label), QSize(metrics.horizontalAdvance(caption), metrics.height())))
        << "label " << label;
    if (label < kLabelCount - 1) {
      const QRect around = r.united(form.discGeometry(label)).adjusted(-4, -4, 4, 4);
      EXPECT_EQ(countPixels(image, around, isInk), countPixels(image, r, isInk)) << "ink outside label " << label;
    }
  }
  EXPECT_GT(form.labelGeometry(9).width(), form.labelGeometry(0).width()) << "\"10\" is wider than \"1\"";
  const QRect ten = form.labelGeometry(9);
  const int oneWidth = metrics.horizontalAdvance(QStringLiteral("1"));
  EXPECT_GT(countPixels(image, QRect(ten.left() + oneWidth, ten.top(), ten.width() - oneWidth, ten.height()), isInk), 0)
      << "the second digit sits right of where a one-digit number ends";

  const QRect heading = form.labelGeometry(kFirstSlotLabel);
  tickLighting(0);
  click(form.Command2);
  const QRect slot = form.labelGeometry(kFirstSlotLabel);
  EXPECT_EQ(slot.topLeft(), designedLabelCorner(kFirstSlotLabel));
  EXPECT_EQ(slot.width(), metrics.horizontalAdvance(QStringLiteral("1")));
  EXPECT_LT(slot.width(), heading.width()) << "\"1\" is narrower than 一";
}

TEST_F(WindowDesignTest, TheDesignFacesResolveToAMingFaceThatCoversEveryCaption) {
  const QFont numberFont = labelFont();
  const QString ming = QFontInfo(numberFont).family();
  EXPECT_TRUE(standInsFor(designedFont("Label1").face).contains(ming)) << ming.toStdString();
  QString texts = title();
  for (const char* button : {"Command1", "Command2", "Command3", "Command4"}) {
    texts += caption(button);
  }
  for (const std::u16string& heading : testing::kSlotHeadings) {
    texts += QString::fromStdU16String(heading);
  }
  for (testing::Phase phase : {testing::Phase::AfterDraw, testing::Phase::Running, testing::Phase::Finished}) {
    texts += QString::fromStdU16String(testing::expectedState(phase).line);
  }
  for (const QFont& font : {numberFont, form.Command2->font(), form.Text1->font()}) {
    const QFontMetrics metrics(font);
    for (char32_t c : texts.toUcs4()) {
      EXPECT_TRUE(metrics.inFontUcs4(c)) << "U+" << std::hex << static_cast<unsigned>(c);
    }
  }
}

class RepaintTest : public WindowDesignTest {
 protected:
  void SetUp() override {
    // Showing needs the event loop once.
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    onScreen();
    form.installEventFilter(&recorder);
  }
  testing::PaintCounter recorder;
};

TEST_F(RepaintTest, ATickRepaintsOnlyTheDiscsWhoseLightChanged) {
  tickLighting(3);
  onScreen();
  recorder.painted = QRegion();
  tickLighting(30);
  const QImage screen = onScreen();
  EXPECT_EQ(recorder.painted, QRegion(form.discGeometry(3)) + form.discGeometry(30));
  EXPECT_EQ(hex(screen.pixel(fillSpot(30))), hex(kNavy));
  EXPECT_EQ(hex(screen.pixel(fillSpot(3))), hex(kOrange));

  recorder.painted = QRegion();
  tickLighting(30);
  onScreen();
  EXPECT_TRUE((recorder.painted - form.discGeometry(30)).isEmpty()) << "the same ball lit again touches no other";
}

TEST_F(RepaintTest, ACaptionChangeRepaintsItsOldAndNewExtent) {
  const QRect heading = form.labelGeometry(kFirstSlotLabel);
  tickLighting(0);
  click(form.Command2);  // "1" replaces the wider heading 一
  const QRect number = form.labelGeometry(kFirstSlotLabel);
  ASSERT_LT(number.width(), heading.width());
  QImage screen = onScreen();
  EXPECT_TRUE(recorder.painted.contains(heading)) << "old extent";
  EXPECT_TRUE(recorder.painted.contains(number)) << "new extent";
  EXPECT_EQ(countPixels(screen, heading, isInk), countPixels(form.grab().toImage(), heading, isInk))
      << "no leftover of 一 beside the 1";

  recorder.painted = QRegion();
  click(form.Command3);  // and back
  screen = onScreen();
  EXPECT_TRUE(recorder.painted.contains(heading));
  EXPECT_EQ(countPixels(screen, heading, isInk), countPixels(form.grab().toImage(), heading, isInk));
}

}  // namespace
}  // namespace lotto

// SPDX-FileCopyrightText: 2026 Lotto developers
// SPDX-License-Identifier: GPL-3.0-or-later
// scaled_rendering_test.cpp: the window at the screen's scale factor, drawn sharp and unclipped, and its icon.
#include <gtest/gtest.h>

#include <QColor>
#include <QFontMetrics>
#include <QIcon>
#include <QImage>
#include <QLineEdit>
#include <QPixmap>
#include <QPushButton>
#include <QTimer>
#include <cmath>

#include "expected_positions.h"
#include "form1.h"

namespace lotto {

// The Qt front end's classes, tested here.
using namespace desktop;
namespace {

// The scale comes from the environment (QT_SCALE_FACTOR), as it would on a real screen.
class ScaledRenderingTest : public ::testing::Test {
 protected:
  ScaledRenderingTest() {
    form.Timer1->stop();
    for (int ball = 0; ball < kBallCount; ++ball) {
      form.setLabelCaption(ball, QString::number(ball + 1));
    }
    form.setLabelCaption(kFirstSlotLabel + 1, QStringLiteral("42"));
    form.setLabelCaption(kLabelCount - 1, QStringLiteral("38"));
    form.show();
    scale = form.devicePixelRatioF();
  }

  QImage grab() { return form.grab().toImage().convertToFormat(QImage::Format_RGB32); }

  // The image's pixel under a point given in the window's logical pixels.
  QColor at(const QImage& image, double x, double y) const {
    return image.pixelColor(static_cast<int>(x * scale), static_cast<int>(y * scale));
  }

  // The device pixels a logical rectangle covers, rounded outward.
  QRect deviceRect(const QRect& r) const {
    const int left = static_cast<int>(std::floor(r.left() * scale));
    const int top = static_cast<int>(std::floor(r.top() * scale));
    const int right = static_cast<int>(std::ceil((r.left() + r.width()) * scale));
    const int bottom = static_cast<int>(std::ceil((r.top() + r.height()) * scale));
    return {QPoint(left, top), QPoint(right - 1, bottom - 1)};
  }

  Form1 form;
  double scale = 1.0;
};

// Sum of squared steps between neighbouring pixels: how crisp the edges inside `area` are.
double edgeEnergy(const QImage& image, const QRect& area) {
  double energy = 0;
  for (int y = area.top(); y <= area.bottom(); ++y) {
    for (int x = area.left(); x < area.right(); ++x) {
      const int step = qGray(image.pixel(x + 1, y)) - qGray(image.pixel(x, y));
      energy += static_cast<double>(step) * step;
    }
  }
  return energy;
}

TEST_F(ScaledRenderingTest, DesignColoursSitAtTheirScaledPositions) {
  const QImage image = grab();
  ASSERT_EQ(image.width(), static_cast<int>(std::lround(593 * scale))) << "scale " << scale;
  ASSERT_EQ(image.height(), static_cast<int>(std::lround(497 * scale)));

  EXPECT_EQ(at(image, 3, 3), QColor(0, 192, 192)) << "background";
  EXPECT_EQ(at(image, 300, 408), QColor(0, 128, 0)) << "frame line";
  const QRect disc = testing::designedDisc(15);
  EXPECT_EQ(at(image, testing::fillSpot(15).x(), disc.center().y()), QColor(255, 128, 0)) << "disc fill";
  // The one-pixel outline: its bluest device pixel on the disc's left edge.
  int bluest = 0;
  for (int x = static_cast<int>(disc.left() * scale) - 1; x <= static_cast<int>((disc.left() + 2) * scale); ++x) {
    const QColor c = image.pixelColor(x, static_cast<int>(disc.center().y() * scale));
    bluest = std::max(bluest, c.blue() - std::max(c.red(), c.green()));
  }
  EXPECT_GT(bluest, 150) << "blue outline";

  int darkRed = 0;
  const QRect special = deviceRect(form.labelGeometry(kLabelCount - 1));
  for (int y = special.top(); y <= special.bottom(); ++y) {
    for (int x = special.left(); x <= special.right(); ++x) {
      const QColor c = image.pixelColor(x, y);
      darkRed += c.red() > 150 && c.green() < 60 && c.blue() < 60 ? 1 : 0;
    }
  }
  EXPECT_GT(darkRed, static_cast<int>(10 * scale * scale)) << "the special number in dark red";
}

TEST_F(ScaledRenderingTest, TextAndDiscsArePaintedAtDeviceResolutionNotEnlarged) {
  ASSERT_GE(scale, 2.0) << "told apart from an enlarged copy only from scale 2 on";
  const QImage native = grab();
  QImage oneX(form.size(), QImage::Format_RGB32);
  form.render(&oneX);
  const QImage blurred = oneX.scaled(native.size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
  const QImage blocky = oneX.scaled(native.size(), Qt::IgnoreAspectRatio, Qt::FastTransformation);

  for (int label : {0, 23, 41, int{kFirstSlotLabel}, kLabelCount - 1}) {
    const QRect area = deviceRect(form.labelGeometry(label)).intersected(native.rect());
    EXPECT_GT(edgeEnergy(native, area), 1.4 * edgeEnergy(blurred, area)) << "label " << label;
    int differing = 0;
    for (int y = area.top(); y <= area.bottom(); ++y) {
      for (int x = area.left(); x <= area.right(); ++x) {
        differing += native.pixel(x, y) != blocky.pixel(x, y) ? 1 : 0;
      }
    }
    EXPECT_GT(differing, area.width() * area.height() / 20) << "label " << label << " is a copy of the 1x pixels";
  }
  const QRect disc = deviceRect(form.discGeometry(8));
  EXPECT_GT(edgeEnergy(native, disc), 1.4 * edgeEnergy(blurred, disc)) << "disc outline";
}

// Every number's ink must stay inside the rectangle that is repainted for it, or a repaint
// clips its edge off and a shorter number leaves a stale sliver of the old one on screen.
TEST_F(ScaledRenderingTest, EveryLabelsInkFitsTheAreaRepaintedForIt) {
  const QImage all = grab();
  for (int label = 0; label < kLabelCount; ++label) {
    form.setLabelVisible(label, false);
    const QImage without = grab();
    form.setLabelVisible(label, true);
    QRect ink;
    for (int y = 0; y < all.height(); ++y) {
      for (int x = 0; x < all.width(); ++x) {
        if (all.pixel(x, y) != without.pixel(x, y)) {
          ink |= QRect(x, y, 1, 1);
        }
      }
    }
    ASSERT_FALSE(ink.isEmpty()) << "label " << label << " paints nothing";
    const QRect allowed = deviceRect(form.labelPaintBounds(label));
    EXPECT_TRUE(allowed.contains(ink)) << "label " << label << " at scale " << scale << ": ink (" << ink.left() << ","
                                       << ink.top() << ")-(" << ink.right() << "," << ink.bottom() << ") outside ("
                                       << allowed.left() << "," << allowed.top() << ")-(" << allowed.right() << ","
                                       << allowed.bottom() << ")";
  }
  for (QPushButton* button : {form.Command1, form.Command2, form.Command3, form.Command4}) {
    EXPECT_LE(QFontMetrics(button->font()).horizontalAdvance(button->text()), button->width() - 8)
        << button->text().toStdString();
  }
  EXPECT_LE(QFontMetrics(form.Text1->font()).height(), form.Text1->height() - 4);
}

TEST(WindowIconTest, IsTheOrangeBallWithABlueRim) {
  Form1 form;
  form.Timer1->stop();
  const QIcon icon = form.windowIcon();
  ASSERT_FALSE(icon.isNull()) << "the icon resource is missing";
  const QImage image = icon.pixmap(QSize(128, 128)).toImage();
  ASSERT_EQ(image.size(), QSize(128, 128));
  const QColor rim = image.pixelColor(6, 64);
  const QColor body = image.pixelColor(24, 64);
  EXPECT_TRUE(rim.blue() > 200 && rim.red() < 60 && rim.green() < 60) << rim.name().toStdString();
  EXPECT_TRUE(body.red() > 200 && body.green() > 90 && body.green() < 170 && body.blue() < 60)
      << body.name().toStdString();
  EXPECT_EQ(image.pixelColor(0, 0).alpha(), 0) << "corners stay transparent";
}

}  // namespace
}  // namespace lotto

// SPDX-FileCopyrightText: 2026 Lotto developers
// SPDX-License-Identifier: GPL-3.0-or-later
// form1.h: the lottery window: real buttons and text box over one surface that paints discs, labels and lines.
#pragma once

#include <QFont>
#include <QHash>
#include <QImage>
#include <QRect>
#include <QStaticText>
#include <QString>
#include <QWidget>
#include <array>
#include <vector>

#include "colour.h"
#include "form1_design.h"
#include "game_focus.h"

class QLineEdit;
class QPushButton;
class QTimer;

namespace lotto::desktop {

class Form1 : public QWidget {
  Q_OBJECT

 public:
  explicit Form1(QWidget* parent = nullptr);

  // The design's controls, under their design names.
  QPushButton* const Command1;
  QPushButton* const Command2;
  QPushButton* const Command3;
  QPushButton* const Command4;
  QLineEdit* const Text1;
  QTimer* const Timer1;

  // Label1(0..48) and Shape1(0..48), the lightweight items painted on the surface. An index with no item
  // behind it raises the run-time error of a missing control, as the design's runtime does.
  QString labelCaption(int label) const { return labelAt(label).caption; }
  void setLabelCaption(int label, const QString& caption);
  bool labelVisible(int label) const { return labelAt(label).visible; }
  void setLabelVisible(int label, bool visible);
  QRect labelGeometry(int label) const { return labelAt(label).rect; }
  // What painting Label1(label) may touch: bold glyphs overhang their advance, and antialiased
  // edges at fractional scales spill past whole pixels, so this can be wider than the geometry.
  QRect labelPaintBounds(int label) const { return labelAt(label).paintBounds; }

  Colour discColour(int disc) const { return discAt(disc).colour; }
  void setDiscColour(int disc, Colour colour);
  bool discVisible(int disc) const { return discAt(disc).visible; }
  void setDiscVisible(int disc, bool visible);
  QRect discGeometry(int disc) const { return discAt(disc).rect; }

  bool controlEnabled(design::Control control) const;
  void focusControl(design::Control control, Qt::FocusReason reason);
  // While held, a button that greys itself keeps the focus until focusControl() moves it, instead of the
  // toolkit passing it on to the next control first, which a screen reader would announce.
  void holdFocus(bool hold) { holdingFocus_ = hold; }
  // How the last press of a button was made: a key, a mouse button, or a finger on a touch screen.
  midend::PressedBy lastPress() const { return lastPress_; }
  // The widget the design's control is on this form.
  QWidget* widgetOf(design::Control control) const;

 signals:
  void closing();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;
  bool focusNextPrevChild(bool next) override { return holdingFocus_ || QWidget::focusNextPrevChild(next); }

 private:
  struct LabelItem {
    QString caption;
    QStaticText laidOut;  // shared with the shaped caption, not shaped again per label or per paint
    bool visible = true;
    QRect rect;  // follows the caption: one line in the label's font
    QRect paintBounds;
    QColor textColour;
  };
  struct DiscItem {
    Colour colour = 0;
    bool visible = true;
    QRect rect;
  };
  struct LineItem {
    QLine line;
    QColor colour;
    int width = 1;
    QRect bounds;
  };

  // Discs are copied from one drawing per look and pixel ratio: a copy costs a fraction of rasterising
  // the circle again, and the light repaints two discs 33 times a second. The look is everything drawDisc()
  // draws from, so two discs share a drawing only where they would be drawn alike.
  struct DiscLook {
    Colour fill;
    Colour outline;
    int outlinePixels;
    QSize size;
    bool operator==(const DiscLook& other) const {
      return fill == other.fill && outline == other.outline && outlinePixels == other.outlinePixels &&
             size == other.size;
    }
  };
  struct DiscSprite {
    DiscLook look;
    qreal pixelRatio;
    QImage image;
  };

  // A caption as the label font draws it. The labels show the same few texts over and over: the design's
  // "0" on every ball until the numbers are written, a drawn number again in its slot, the numbers again
  // after Clear. So each distinct text is shaped and measured once, the first time it is shown.
  struct ShapedCaption {
    QStaticText laidOut;
    int advance = 0;  // the label's width: one line of the text, no wrapping
    QRect ink;        // what the glyphs cover, from the baseline at the label's left edge
  };

  LabelItem& labelAt(int label);
  const LabelItem& labelAt(int label) const;
  DiscItem& discAt(int disc);
  const DiscItem& discAt(int disc) const;
  const ShapedCaption& shapedCaption(const QString& caption);
  void layOutCaption(LabelItem& label, int index, const QString& caption);
  const QImage& discSprite(int disc, qreal pixelRatio) const;
  DiscLook discLook(int disc) const;
  static void drawDisc(QPainter& painter, const QRect& rect, const DiscLook& look);
  void paintLabel(QPainter& painter, const LabelItem& label) const;
  void paintDisc(QPainter& painter, int disc) const;
  static void paintLine(QPainter& painter, const LineItem& line);
  QRect itemBounds(const design::ItemRef& item) const;

  QFont labelFont_;
  int labelAscent_ = 0;
  int labelHeight_ = 0;
  QHash<QString, ShapedCaption> shapedCaptions_;
  std::array<LabelItem, kLabelCount> labels_;
  std::array<DiscItem, kLabelCount> discs_;
  std::array<LineItem, design::kLineCount> lines_;
  mutable std::vector<DiscSprite> discSprites_;
  std::vector<QWidget*> tabOrder_;  // the controls that can take the focus, by tab index
  bool holdingFocus_ = false;
  midend::PressedBy lastPress_ = midend::PressedBy::Mouse;
};

}  // namespace lotto::desktop

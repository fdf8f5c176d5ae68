// SPDX-FileCopyrightText: 2026 Lotto developers
// SPDX-License-Identifier: GPL-3.0-or-later
// form1.cpp: building the lottery window from its design and painting its surface.
#include "form1.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QDir>
#include <QFontMetrics>
#include <QIcon>
#include <QImageReader>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QTimer>
#include <utility>

#include "design_fonts.h"
#include "form1_accessibility.h"

namespace lotto::desktop {

namespace {

using design::toPixels;

// The same drawing the desktop entry shows, so the task bar and the menu agree: every size the build put into
// the window's resources (desktop/CMakeLists.txt).
QIcon makeWindowIcon() {
  QIcon icon;
  const QDir icons(QStringLiteral(":/icons"));
  for (const QString& file : icons.entryList(QDir::Files)) {
    QImageReader reader(icons.filePath(file), "png");
    reader.setAutoDetectImageFormat(false);  // else every image plugin is loaded to be asked about PNG first
    icon.addPixmap(QPixmap::fromImage(reader.read()));
  }
  return icon;
}

QRect toPixelRect(const design::TwipRect& r) {
  return {toPixels(r.left), toPixels(r.top), toPixels(r.width), toPixels(r.height)};
}

QColor toQColor(Colour c) { return QColor(redOf(c), greenOf(c), blueOf(c)); }

QPushButton* makeButton(QWidget* form, const design::ControlDesign& d) {
  auto* button = new QPushButton(QString::fromUtf16(d.caption), form);
  button->setGeometry(toPixelRect(d.rect));
  button->setFont(designFont(*d.font));
  button->setEnabled(d.enabledAtStart);
  button->setAutoDefault(false);
  return button;
}

QLineEdit* makeTextBox(QWidget* form, const design::ControlDesign& d) {
  auto* text = new QLineEdit(form);
  text->setGeometry(toPixelRect(d.rect));
  text->setFont(designFont(*d.font));
  return text;
}

// Idle until the midend arms it as the design has it.
QTimer* makeTimer(QObject* form) {
  auto* timer = new QTimer(form);
  timer->setTimerType(Qt::PreciseTimer);  // the light must keep its 30 ms beat, not drift
  return timer;
}

}  // namespace

Form1::Form1(QWidget* parent)
    : QWidget(parent),
      Command1(makeButton(this, design::form1().control(design::Control::Command1))),
      Command2(makeButton(this, design::form1().control(design::Control::Command2))),
      Command3(makeButton(this, design::form1().control(design::Control::Command3))),
      Command4(makeButton(this, design::form1().control(design::Control::Command4))),
      Text1(makeTextBox(this, design::form1().control(design::Control::Text1))),
      Timer1(makeTimer(this)) {
  const design::FormDesign& d = design::form1();
  setWindowTitle(QString::fromUtf16(d.title));
  setWindowIcon(makeWindowIcon());
  installForm1Accessibility();
  nameForm1Controls(*this);
  resize(toPixels(d.clientWidth), toPixels(d.clientHeight));
  setAttribute(Qt::WA_OpaquePaintEvent);  // paintEvent fills the background itself

  // Every number label shares one font; measure it once, not per paint.
  labelFont_ = designFont(*d.label1[0].font);
  const QFontMetrics labelMetrics(labelFont_);
  labelAscent_ = labelMetrics.ascent();
  labelHeight_ = labelMetrics.height();
  const QColor controlText = palette().color(QPalette::ButtonText);
  for (int i = 0; i < kLabelCount; ++i) {
    const design::LabelDesign& label = d.label1[i];
    layOutCaption(labels_[i], i, QString::fromUtf16(label.caption));
    labels_[i].textColour = label.usesDefaultTextColour ? controlText : toQColor(label.textColour);
    discs_[i].colour = d.shape1[i].fill;
    discs_[i].rect = toPixelRect(d.shape1[i].rect);
  }
  for (int i = 0; i < design::kLineCount; ++i) {
    const design::LineDesign& line = d.lines[i];
    lines_[i].line = QLine(toPixels(line.x1), toPixels(line.y1), toPixels(line.x2), toPixels(line.y2));
    lines_[i].colour = toQColor(line.colour);
    lines_[i].width = line.widthPixels;
    const int reach = line.widthPixels / 2 + 1;  // square caps reach half the width past each end
    lines_[i].bounds =
        QRect(lines_[i].line.p1(), lines_[i].line.p2()).normalized().adjusted(-reach, -reach, reach, reach);
  }

  for (design::Control control : design::controlsInTabOrder()) {
    tabOrder_.push_back(widgetOf(control));
  }
  for (std::size_t i = 1; i < tabOrder_.size(); ++i) {
    setTabOrder(tabOrder_[i - 1], tabOrder_[i]);
  }
  for (QPushButton* button : {Command1, Command2, Command3, Command4}) {
    button->installEventFilter(this);
  }
}

QWidget* Form1::widgetOf(design::Control control) const {
  switch (control) {
    case design::Control::Command1:
      return Command1;
    case design::Control::Command2:
      return Command2;
    case design::Control::Command3:
      return Command3;
    case design::Control::Command4:
      return Command4;
    case design::Control::Text1:
      return Text1;
  }
  return Text1;
}

bool Form1::controlEnabled(design::Control control) const { return widgetOf(control)->isEnabled(); }

void Form1::focusControl(design::Control control, Qt::FocusReason reason) { widgetOf(control)->setFocus(reason); }

// Return and Enter press the focused button as Space does: on release, and never again for the key's
// auto-repeats. (An auto-default button would click on every repeat of a held key, and look different.)
bool Form1::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::MouseButtonPress) {
    // A tap reaches a button as the mouse press the toolkit makes of it, still naming the touch screen.
    const QPointingDevice* device = static_cast<QMouseEvent*>(event)->pointingDevice();
    const bool touch = device != nullptr && device->type() == QInputDevice::DeviceType::TouchScreen;
    lastPress_ = touch ? midend::PressedBy::Touch : midend::PressedBy::Mouse;
  } else if (event->type() == QEvent::KeyPress) {
    lastPress_ = midend::PressedBy::Keyboard;
  }
  if (event->type() == QEvent::KeyPress || event->type() == QEvent::KeyRelease) {
    const auto* key = static_cast<QKeyEvent*>(event);
    if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
      QKeyEvent space(key->type(), Qt::Key_Space, key->modifiers() & ~Qt::KeypadModifier, QStringLiteral(" "),
                      key->isAutoRepeat());
      QCoreApplication::sendEvent(watched, &space);
      return true;
    }
  }
  return QWidget::eventFilter(watched, event);
}

Form1::LabelItem& Form1::labelAt(int label) { return labels_[design::checkedItemIndex(label)]; }
const Form1::LabelItem& Form1::labelAt(int label) const { return labels_[design::checkedItemIndex(label)]; }
Form1::DiscItem& Form1::discAt(int disc) { return discs_[design::checkedItemIndex(disc)]; }
const Form1::DiscItem& Form1::discAt(int disc) const { return discs_[design::checkedItemIndex(disc)]; }

const Form1::ShapedCaption& Form1::shapedCaption(const QString& caption) {
  auto found = shapedCaptions_.constFind(caption);
  if (found == shapedCaptions_.constEnd()) {
    const QFontMetrics metrics(labelFont_);
    ShapedCaption shaped{QStaticText(caption), metrics.horizontalAdvance(caption), metrics.boundingRect(caption)};
    shaped.laidOut.setTextFormat(Qt::PlainText);
    shaped.laidOut.prepare(QTransform(), labelFont_);
    found = shapedCaptions_.insert(caption, std::move(shaped));
  }
  return *found;
}

void Form1::layOutCaption(LabelItem& label, int index, const QString& caption) {
  const ShapedCaption& shaped = shapedCaption(caption);
  const design::LabelDesign& d = design::form1().label1[index];
  label.caption = caption;
  label.laidOut = shaped.laidOut;
  label.rect = QRect(toPixels(d.left), toPixels(d.top), shaped.advance, labelHeight_);
  const QRect ink = shaped.ink.translated(label.rect.left(), label.rect.top() + labelAscent_);
  label.paintBounds = label.rect.united(ink).adjusted(-1, -1, 1, 1);
}

void Form1::setLabelCaption(int label, const QString& caption) {
  LabelItem& item = labelAt(label);
  if (item.caption == caption) {
    return;
  }
  const QRect before = item.paintBounds;
  layOutCaption(item, label, caption);
  if (item.visible) {
    update(before.united(item.paintBounds));
  }
  announceLabelCaption(*this, label);
}

void Form1::setLabelVisible(int label, bool visible) {
  LabelItem& item = labelAt(label);
  if (item.visible != visible) {
    item.visible = visible;
    update(item.paintBounds);
    if (discs_[label].visible) {
      announceItemOnBoard(*this, label, visible);  // a ball is on the board while its disc and number show
    }
  }
}

void Form1::setDiscColour(int disc, Colour colour) {
  DiscItem& item = discAt(disc);
  if (item.colour != colour) {
    item.colour = colour;
    if (item.visible) {
      update(item.rect);
    }
  }
}

void Form1::setDiscVisible(int disc, bool visible) {
  DiscItem& item = discAt(disc);
  if (item.visible != visible) {
    item.visible = visible;
    update(item.rect);
    if (labels_[disc].visible) {
      announceItemOnBoard(*this, disc, visible);
    }
  }
}

QRect Form1::itemBounds(const design::ItemRef& item) const {
  switch (item.kind) {
    case design::ItemRef::Kind::Label:
      return labels_[item.index].visible ? labels_[item.index].paintBounds : QRect();
    case design::ItemRef::Kind::Disc:
      return discs_[item.index].visible ? discs_[item.index].rect : QRect();
    case design::ItemRef::Kind::Line:
      return lines_[item.index].bounds;
  }
  return {};
}

void Form1::paintEvent(QPaintEvent* event) {
  QPainter painter(this);
  // A tick dirties two discs that may lie far apart. Their bounding box would take in every item between
  // them, each drawn only to be clipped away, so work from the dirty rectangles themselves.
  const QRegion& dirty = event->region();
  const QColor background = toQColor(design::form1().background);
  for (const QRect& rect : dirty) {
    painter.fillRect(rect, background);
  }
  painter.setFont(labelFont_);  // the only font painted here
  const auto& stacking = design::form1().stackingTopDown;
  for (auto item = stacking.rbegin(); item != stacking.rend(); ++item) {
    const QRect bounds = itemBounds(*item);
    if (!dirty.intersects(bounds)) {
      continue;
    }
    switch (item->kind) {
      case design::ItemRef::Kind::Label:
        paintLabel(painter, labels_[item->index]);
        break;
      case design::ItemRef::Kind::Disc:
        paintDisc(painter, item->index);
        break;
      case design::ItemRef::Kind::Line:
        paintLine(painter, lines_[item->index]);
        break;
    }
  }
}

void Form1::paintLabel(QPainter& painter, const LabelItem& label) const {
  painter.setPen(label.textColour);
  painter.drawStaticText(label.rect.topLeft(), label.laidOut);
}

void Form1::paintDisc(QPainter& painter, int disc) const {
  const QRect& rect = discs_[disc].rect;
  const QTransform& toDevice = painter.deviceTransform();
  const QPointF deviceCorner = toDevice.map(QPointF(rect.topLeft()));
  // A copy lands on exactly the pixels a drawing would only at a whole-pixel offset and a plain scale.
  const bool copyIsExact = toDevice.type() <= QTransform::TxScale && toDevice.m11() == toDevice.m22() &&
                           deviceCorner == deviceCorner.toPoint();
  if (copyIsExact) {
    painter.drawImage(rect.topLeft(), discSprite(disc, toDevice.m11()));
  } else {
    drawDisc(painter, rect, discLook(disc));
  }
}

Form1::DiscLook Form1::discLook(int disc) const {
  const design::DiscDesign& d = design::form1().shape1[disc];
  return {discs_[disc].colour, d.outline, d.outlinePixels, discs_[disc].rect.size()};
}

// Aliased, so every pixel of the disc is exactly its fill or its outline colour, as designed.
void Form1::drawDisc(QPainter& painter, const QRect& rect, const DiscLook& look) {
  painter.setPen(QPen(toQColor(look.outline), look.outlinePixels));
  painter.setBrush(toQColor(look.fill));
  painter.drawEllipse(rect.adjusted(0, 0, -look.outlinePixels, -look.outlinePixels));
}

const QImage& Form1::discSprite(int disc, qreal pixelRatio) const {
  const DiscLook look = discLook(disc);
  for (const DiscSprite& sprite : discSprites_) {
    if (sprite.look == look && sprite.pixelRatio == pixelRatio) {
      return sprite.image;
    }
  }
  QImage image(look.size * pixelRatio, QImage::Format_ARGB32_Premultiplied);
  image.setDevicePixelRatio(pixelRatio);
  image.fill(Qt::transparent);
  {
    QPainter imagePainter(&image);
    drawDisc(imagePainter, QRect(QPoint(0, 0), look.size), look);
  }
  discSprites_.push_back({look, pixelRatio, std::move(image)});
  return discSprites_.back().image;
}

void Form1::paintLine(QPainter& painter, const LineItem& line) {
  QPen pen(line.colour, line.width);
  pen.setCapStyle(Qt::SquareCap);  // square caps close the frame's corners
  painter.setPen(pen);
  painter.drawLine(line.line);
}

void Form1::closeEvent(QCloseEvent* event) {
  emit closing();
  QWidget::closeEvent(event);
}

}  // namespace lotto::desktop

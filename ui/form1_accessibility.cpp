// SPDX-FileCopyrightText: 2026 Lotto developers
// SPDX-License-Identifier: GPL-3.0-or-later
// form1_accessibility.cpp: accessible interfaces for the window and the balls and slots it paints.
#include "form1_accessibility.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QWindow>
#include <array>

#include "form1.h"

namespace lotto {

namespace {

constexpr const char16_t* kBallPrefix = u"號碼 ";
constexpr const char16_t* kSpecialSlot = u"特別號";
constexpr const char16_t* kSlotOrdinalBefore = u"第";
constexpr const char16_t* kSlotOrdinalAfter = u"個號碼";
constexpr const char16_t* kSlotEmpty = u"未開出";
constexpr const char16_t* kLitBall = u"亮燈中";

constexpr const char16_t* kInstructionLineName = u"操作提示";
constexpr const char16_t* kDrawHelp = u"取出亮燈的球";
constexpr const char16_t* kNextHelp = u"讓燈光繼續跳動";
constexpr const char16_t* kClearHelp = u"清除號碼，重新開始";
constexpr const char16_t* kByeHelp = u"結束程式";

QString text(const char16_t* s) { return QString::fromUtf16(s); }

bool isSlot(int label) { return label >= kFirstSlotLabel; }

// One ball or result slot: a disc with its number label, painted by the window itself.
class PaintedItemAccessible : public QAccessibleInterface {
 public:
  PaintedItemAccessible(Form1* form, int label) : form_(form), label_(label) {}

  bool isValid() const override { return !form_.isNull(); }
  QObject* object() const override { return nullptr; }
  QWindow* window() const override { return form_ ? form_->window()->windowHandle() : nullptr; }

  QAccessibleInterface* parent() const override { return QAccessible::queryAccessibleInterface(form_); }
  QAccessibleInterface* child(int) const override { return nullptr; }
  int childCount() const override { return 0; }
  int indexOfChild(const QAccessibleInterface*) const override { return -1; }
  QAccessibleInterface* childAt(int, int) const override { return nullptr; }

  QString text(QAccessible::Text t) const override {
    if (!form_) {
      return {};
    }
    switch (t) {
      case QAccessible::Name:
        return accessibleLabelName(*form_, label_);
      case QAccessible::Value:
        return isSlot(label_) ? form_->labelCaption(label_) : QString();
      case QAccessible::Description:
        // Read on demand only: the light moves every 30 ms, far too often to announce.
        return isLit() ? lotto::text(kLitBall) : QString();
      default:
        return {};
    }
  }
  void setText(QAccessible::Text, const QString&) override {}

  QRect rect() const override {
    if (!form_) {
      return {};
    }
    const QRect disc = form_->discGeometry(label_);
    return {form_->mapToGlobal(disc.topLeft()), disc.size()};
  }

  QAccessible::Role role() const override { return QAccessible::StaticText; }

  QAccessible::State state() const override {
    QAccessible::State s;
    s.readOnly = true;
    if (!form_ || !onBoard()) {
      s.invisible = true;
    }
    return s;
  }

  int label() const { return label_; }
  const Form1* form() const { return form_; }

 private:
  bool onBoard() const { return form_->labelVisible(label_) && form_->discVisible(label_); }
  bool isLit() const { return !isSlot(label_) && onBoard() && form_->discColour(label_) == kBallLit; }

  QPointer<Form1> form_;
  int label_;
};

// The window: the painted items first, in reading order, then its real widgets.
class Form1Accessible : public QAccessibleWidget {
 public:
  explicit Form1Accessible(Form1* form) : QAccessibleWidget(form, QAccessible::Window) {}

  ~Form1Accessible() override {
    for (QAccessible::Id id : itemIds_) {
      if (id != 0) {
        QAccessible::deleteAccessibleInterface(id);
      }
    }
  }

  int childCount() const override { return kLabelCount + QAccessibleWidget::childCount(); }

  QAccessibleInterface* child(int index) const override {
    if (index < 0) {
      return nullptr;
    }
    if (index >= kLabelCount) {
      return QAccessibleWidget::child(index - kLabelCount);
    }
    QAccessible::Id& id = itemIds_[index];
    if (id == 0) {
      id = QAccessible::registerAccessibleInterface(new PaintedItemAccessible(form(), index));
    }
    return QAccessible::accessibleInterface(id);
  }

  int indexOfChild(const QAccessibleInterface* child) const override {
    if (const auto* item = dynamic_cast<const PaintedItemAccessible*>(child)) {
      return item->form() == form() ? item->label() : -1;
    }
    const int widgetIndex = QAccessibleWidget::indexOfChild(child);
    return widgetIndex < 0 ? -1 : kLabelCount + widgetIndex;
  }

  // Widgets sit above the painted surface, so they are asked first; drawn balls are not there.
  QAccessibleInterface* childAt(int x, int y) const override {
    for (int i = childCount() - 1; i >= 0; --i) {
      QAccessibleInterface* candidate = child(i);
      if (candidate != nullptr && !candidate->state().invisible && candidate->rect().contains(x, y)) {
        return candidate;
      }
    }
    return nullptr;
  }

 private:
  Form1* form() const { return static_cast<Form1*>(widget()); }

  mutable std::array<QAccessible::Id, kLabelCount> itemIds_{};
};

QAccessibleInterface* form1Factory(const QString& className, QObject* object) {
  if (object != nullptr && object->isWidgetType() && className == QLatin1String(Form1::staticMetaObject.className())) {
    return new Form1Accessible(static_cast<Form1*>(object));
  }
  return nullptr;
}

}  // namespace

void installForm1Accessibility() {
  static bool installed = false;
  if (!installed) {
    QAccessible::installFactory(form1Factory);
    installed = true;
  }
}

void nameForm1Controls(Form1& form) {
  form.Text1->setAccessibleName(text(kInstructionLineName));
  form.Command1->setAccessibleDescription(text(kNextHelp));
  form.Command2->setAccessibleDescription(text(kDrawHelp));
  form.Command3->setAccessibleDescription(text(kClearHelp));
  form.Command4->setAccessibleDescription(text(kByeHelp));
}

void announceLabelCaption(Form1& form, int label) {
  QAccessibleEvent event(&form, QAccessible::NameChanged);
  event.setChild(label);
  QAccessible::updateAccessibility(&event);
}

QString accessibleLabelName(const Form1& form, int label) {
  const QString caption = form.labelCaption(label);
  if (!isSlot(label)) {
    return text(kBallPrefix) + caption;
  }
  const QString heading = QString::fromUtf16(design::form1().label1[label].caption);
  const bool special = label == kLabelCount - 1;
  const QString slot = special ? text(kSpecialSlot) : text(kSlotOrdinalBefore) + heading + text(kSlotOrdinalAfter);
  return slot + QLatin1Char(' ') + (caption == heading ? text(kSlotEmpty) : caption);
}

}  // namespace lotto

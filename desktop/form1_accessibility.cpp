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
#include <string>

#include "accessible_texts.h"
#include "form1.h"

namespace lotto::desktop {

namespace {

QString text(const char16_t* s) { return QString::fromUtf16(s); }

// Something the window paints or tells, with no widget of its own: a leaf among the window's children.
class FormLeafAccessible : public QAccessibleInterface {
 public:
  explicit FormLeafAccessible(Form1* form) : form_(form) {}

  bool isValid() const override { return !form_.isNull(); }
  QObject* object() const override { return nullptr; }
  QWindow* window() const override { return form_ ? form_->window()->windowHandle() : nullptr; }

  QAccessibleInterface* parent() const override { return QAccessible::queryAccessibleInterface(form_); }
  QAccessibleInterface* child(int) const override { return nullptr; }
  int childCount() const override { return 0; }
  int indexOfChild(const QAccessibleInterface*) const override { return -1; }
  QAccessibleInterface* childAt(int, int) const override { return nullptr; }

  const Form1* form() const { return form_; }

 protected:
  QPointer<Form1> form_;
};

// One ball or result slot: a disc with its number label, painted by the window itself.
class PaintedItemAccessible : public FormLeafAccessible {
 public:
  PaintedItemAccessible(Form1* form, int label) : FormLeafAccessible(form), label_(label) {}

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
        return isLit() ? desktop::text(midend::kLitBall) : QString();
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

 private:
  bool onBoard() const { return form_->labelVisible(label_) && form_->discVisible(label_); }
  bool isLit() const { return !isSlot(label_) && onBoard() && form_->discColour(label_) == kBallLit; }

  int label_;
};

// The number just drawn, told as a notification: screen readers speak a notification that starts showing
// wherever the focus is, whereas a slot's new name is spoken only if the slot has the focus, which it never has.
class DrawNotificationAccessible : public FormLeafAccessible {
 public:
  explicit DrawNotificationAccessible(Form1* form) : FormLeafAccessible(form) {}

  QString text(QAccessible::Text t) const override { return t == QAccessible::Name ? message_ : QString(); }
  void setText(QAccessible::Text, const QString&) override {}
  QRect rect() const override { return {}; }
  QAccessible::Role role() const override { return QAccessible::Notification; }
  QAccessible::State state() const override {
    QAccessible::State s;
    s.readOnly = true;
    s.invisible = message_.isEmpty();
    return s;
  }

  void setMessage(const QString& message) { message_ = message; }

 private:
  QString message_;  // empty until the first announcement
};

// The window: the painted items first, in reading order, then the draw notification, then its real widgets.
class Form1Accessible : public QAccessibleWidget {
 public:
  explicit Form1Accessible(Form1* form) : QAccessibleWidget(form, QAccessible::Window) {}

  ~Form1Accessible() override {
    for (QAccessible::Id id : itemIds_) {
      if (id != 0) {
        QAccessible::deleteAccessibleInterface(id);
      }
    }
    if (notificationId_ != 0) {
      QAccessible::deleteAccessibleInterface(notificationId_);
    }
  }

  int childCount() const override { return kFirstWidgetChild + QAccessibleWidget::childCount(); }

  QAccessibleInterface* child(int index) const override {
    if (index < 0) {
      return nullptr;
    }
    if (index >= kFirstWidgetChild) {
      return QAccessibleWidget::child(index - kFirstWidgetChild);
    }
    if (index == kDrawNotificationChild) {
      return notification();
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
    if (child != nullptr && child == notification()) {
      return kDrawNotificationChild;
    }
    const int widgetIndex = QAccessibleWidget::indexOfChild(child);
    return widgetIndex < 0 ? -1 : kFirstWidgetChild + widgetIndex;
  }

  DrawNotificationAccessible* notification() const {
    if (notificationId_ == 0) {
      notificationId_ = QAccessible::registerAccessibleInterface(new DrawNotificationAccessible(form()));
    }
    return static_cast<DrawNotificationAccessible*>(QAccessible::accessibleInterface(notificationId_));
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

  static constexpr int kFirstWidgetChild = kDrawNotificationChild + 1;

  mutable std::array<QAccessible::Id, kLabelCount> itemIds_{};
  mutable QAccessible::Id notificationId_ = 0;
};

QAccessibleInterface* form1Factory(const QString& className, QObject* object) {
  if (object != nullptr && object->isWidgetType() && className == QLatin1String(Form1::staticMetaObject.className())) {
    return new Form1Accessible(static_cast<Form1*>(object));
  }
  return nullptr;
}

}  // namespace

void showDrawNotification(Form1& form, const QString& message) {
  if (!QAccessible::isActive()) {
    return;
  }
  auto* window = dynamic_cast<Form1Accessible*>(QAccessible::queryAccessibleInterface(&form));
  if (window == nullptr) {
    return;
  }
  window->notification()->setMessage(message);
  QAccessibleEvent renamed(&form, QAccessible::NameChanged);
  renamed.setChild(kDrawNotificationChild);
  QAccessible::updateAccessibility(&renamed);
  QAccessibleEvent shown(&form, message.isEmpty() ? QAccessible::ObjectHide : QAccessible::ObjectShow);
  shown.setChild(kDrawNotificationChild);
  QAccessible::updateAccessibility(&shown);
}

void installForm1Accessibility() {
  static bool installed = false;
  if (!installed) {
    QAccessible::installFactory(form1Factory);
    installed = true;
  }
}

void nameForm1Controls(Form1& form) {
  form.Text1->setAccessibleName(text(midend::kInstructionLineName));
  form.Command1->setAccessibleDescription(text(midend::description(design::Control::Command1)));
  form.Command2->setAccessibleDescription(text(midend::description(design::Control::Command2)));
  form.Command3->setAccessibleDescription(text(midend::description(design::Control::Command3)));
  form.Command4->setAccessibleDescription(text(midend::description(design::Control::Command4)));
}

void announceLabelCaption(Form1& form, int label) {
  QAccessibleEvent event(&form, QAccessible::NameChanged);
  event.setChild(label);
  QAccessible::updateAccessibility(&event);
}

void announceItemOnBoard(Form1& form, int item, bool onBoard) {
  // Qt's AT-SPI bridge sends show and hide as the `showing` state change; the state change event carries
  // `invisible` to the bridges that forward it (Qt 6.4's AT-SPI bridge drops it; its state set says it).
  QAccessibleEvent shown(&form, onBoard ? QAccessible::ObjectShow : QAccessible::ObjectHide);
  shown.setChild(item);
  QAccessible::updateAccessibility(&shown);
  QAccessible::State changed;
  changed.invisible = true;
  QAccessibleStateChangeEvent state(&form, changed);
  state.setChild(item);
  QAccessible::updateAccessibility(&state);
}

QString accessibleLabelName(const Form1& form, int label) {
  return QString::fromStdU16String(midend::labelName(label, form.labelCaption(label).toStdU16String()));
}

}  // namespace lotto::desktop

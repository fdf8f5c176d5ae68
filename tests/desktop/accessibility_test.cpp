// SPDX-FileCopyrightText: 2026 Lotto developers
// SPDX-License-Identifier: GPL-3.0-or-later
// accessibility_test.cpp: what a screen reader finds in the window and hears during a game.
#include <QAccessible>
#include <optional>
#include <vector>

#include "form1_accessibility.h"
#include "program_fixture.h"
#include "window_watch.h"

namespace lotto {

// The Qt front end's classes, tested here.
using namespace desktop;
namespace {

struct Announcement {
  QAccessible::Event type;
  int formChild;  // index among the window's accessible children, -1 for any other object
  QString name;
};

std::vector<Announcement>* heard = nullptr;

void recordAnnouncement(QAccessibleEvent* event) {
  if (heard == nullptr) {
    return;
  }
  QAccessibleInterface* iface = event->accessibleInterface();
  QAccessibleInterface* parent = iface != nullptr ? iface->parent() : nullptr;
  const bool onForm = parent != nullptr && parent->object() != nullptr &&
                      parent->object()->inherits(Form1::staticMetaObject.className());
  heard->push_back({event->type(), onForm ? parent->indexOfChild(iface) : -1,
                    iface != nullptr ? iface->text(QAccessible::Name) : QString()});
}

class AccessibilityTest : public testing::ProgramTest {
 protected:
  // Wait for the bus, where there is one, before any window exists whose timer could tick meanwhile.
  static void SetUpTestSuite() { testing::accessibilityBusListening(); }

  AccessibilityTest() {
    heard = &announcements;
    QAccessible::installUpdateHandler(recordAnnouncement);
  }
  ~AccessibilityTest() override {
    QAccessible::installUpdateHandler(nullptr);
    heard = nullptr;
  }

  QAccessibleInterface* window() const { return QAccessible::queryAccessibleInterface(&form); }
  QAccessibleInterface* item(int label) const { return window()->child(label); }
  QAccessibleInterface* widgetNamed(const QString& name) const {
    for (int i = kLabelCount; i < window()->childCount(); ++i) {
      QAccessibleInterface* child = window()->child(i);
      if (child->text(QAccessible::Name) == name) {
        return child;
      }
    }
    return nullptr;
  }
  // The renamed balls and slots, in the order they were renamed.
  std::vector<Announcement> itemAnnouncements() const {
    std::vector<Announcement> items;
    for (const Announcement& a : announcements) {
      if (a.type == QAccessible::NameChanged && a.formChild >= 0 && a.formChild < kLabelCount) {
        items.push_back(a);
      }
    }
    return items;
  }

  // What the notification said last before the focus moved on, which a screen reader says first: its text when
  // shown, empty when hidden; nothing when it did not change before the last focus move, or changed after it, where
  // it would wait behind all the focused control says and be lost to the next key.
  std::optional<QString> notificationBeforeFocus() const {
    std::optional<QString> said;
    std::optional<QString> beforeFocus;
    for (const Announcement& a : announcements) {
      if (a.type == QAccessible::Focus) {
        beforeFocus = said;
        said.reset();
      } else if (a.formChild == kDrawNotificationChild &&
                 (a.type == QAccessible::ObjectShow || a.type == QAccessible::ObjectHide)) {
        said = a.type == QAccessible::ObjectShow ? a.name : QString();
      }
    }
    return said ? std::nullopt : beforeFocus;
  }

  void draw(int ball) {
    tickLighting(ball);
    click(form.Command2);
  }

  std::vector<Announcement> announcements;
};

TEST_F(AccessibilityTest, TreeNamesBallsSlotsLineAndButtonsAfterDraws) {
  draw(6);  // number 7 into slot 一
  click(form.Command1);
  draw(41);  // number 42 into slot 二

  QAccessibleInterface* root = window();
  ASSERT_NE(root, nullptr);
  EXPECT_EQ(root->role(), QAccessible::Window);
  EXPECT_EQ(root->text(QAccessible::Name), QStringLiteral("樂透程式"));
  ASSERT_GE(root->childCount(), kLabelCount + 5);

  for (int ball = 0; ball < kBallCount; ++ball) {
    QAccessibleInterface* b = item(ball);
    ASSERT_NE(b, nullptr);
    EXPECT_EQ(b->text(QAccessible::Name), QStringLiteral("號碼 ") + QString::number(ball + 1));
    EXPECT_EQ(b->role(), QAccessible::StaticText);
    EXPECT_EQ(b->state().invisible, ball == 6 || ball == 41) << ball;
    EXPECT_EQ(b->parent(), root);
    EXPECT_EQ(root->indexOfChild(b), ball);
  }
  const QRect disc = form.discGeometry(20);
  EXPECT_EQ(item(20)->rect(), QRect(form.mapToGlobal(disc.topLeft()), disc.size()));
  EXPECT_EQ(root->childAt(item(20)->rect().center().x(), item(20)->rect().center().y()), item(20));
  EXPECT_EQ(root->childAt(item(6)->rect().center().x(), item(6)->rect().center().y()), nullptr)
      << "a drawn ball is no longer there to point at";

  EXPECT_EQ(item(kFirstSlotLabel)->text(QAccessible::Name), QStringLiteral("第一個號碼 7"));
  EXPECT_EQ(item(kFirstSlotLabel + 1)->text(QAccessible::Name), QStringLiteral("第二個號碼 42"));
  EXPECT_EQ(item(kFirstSlotLabel + 1)->text(QAccessible::Value), QStringLiteral("42"));
  EXPECT_EQ(item(kFirstSlotLabel + 2)->text(QAccessible::Name), QStringLiteral("第三個號碼 未開出"));
  EXPECT_EQ(item(kFirstSlotLabel + 2)->text(QAccessible::Value), QString::fromStdU16String(testing::kSlotHeadings[2]));
  EXPECT_EQ(item(kLabelCount - 1)->text(QAccessible::Name), QStringLiteral("特別號 未開出"));
  for (int k = 0; k < kSlotCount; ++k) {
    EXPECT_FALSE(item(kFirstSlotLabel + k)->state().invisible) << k;
  }

  QAccessibleInterface* line = widgetNamed(QStringLiteral("操作提示"));
  ASSERT_NE(line, nullptr);
  EXPECT_EQ(line->role(), QAccessible::EditableText);
  EXPECT_EQ(line->text(QAccessible::Value),
            QString::fromStdU16String(testing::expectedState(testing::Phase::AfterDraw).line));
  for (const char* caption : {"開獎", "Next", "清除", "Bye"}) {
    QAccessibleInterface* button = widgetNamed(QString::fromUtf8(caption));
    ASSERT_NE(button, nullptr) << caption;
    EXPECT_EQ(button->role(), QAccessible::Button) << caption;
    EXPECT_FALSE(button->text(QAccessible::Description).isEmpty()) << caption;
  }
  EXPECT_TRUE(widgetNamed(QStringLiteral("開獎"))->state().disabled);
  EXPECT_FALSE(widgetNamed(QStringLiteral("Next"))->state().disabled);
}

TEST_F(AccessibilityTest, TicksStaySilentAndEachDrawAnnouncesItsSlotOnce) {
  if (!QAccessible::isActive()) {
    ASSERT_FALSE(qEnvironmentVariableIsSet("LOTTO_ACCESSIBILITY_BUS")) << "the accessibility bus never enabled Qt";
    GTEST_SKIP() << "no assistive-technology bus: announcements are checked by desktop_screen_reader_announcements";
  }
  form.activateWindow();  // the focus moves, and is told, only in the active window
  ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
  announcements.clear();
  for (int i = 0; i < 5; ++i) {
    tickLighting(3 * i);
  }
  EXPECT_TRUE(announcements.empty()) << "first: event " << announcements.front().type;
  EXPECT_EQ(item(12)->text(QAccessible::Description), QStringLiteral("亮燈中")) << "the light can still be asked for";
  EXPECT_TRUE(item(9)->text(QAccessible::Description).isEmpty());

  click(form.Command2);
  std::vector<Announcement> heardItems = itemAnnouncements();
  ASSERT_EQ(heardItems.size(), 1u);
  EXPECT_EQ(heardItems[0].type, QAccessible::NameChanged);
  EXPECT_EQ(heardItems[0].formChild, kFirstSlotLabel);
  EXPECT_EQ(heardItems[0].name, QStringLiteral("第一個號碼 13"));
  EXPECT_EQ(notificationBeforeFocus(), QStringLiteral("第一個號碼 13"));

  // The seventh number lands in the special slot, announced as such.
  for (int ball : {20, 21, 22, 23, 24, 25}) {
    click(form.Command1);
    announcements.clear();
    tickLighting(ball);
    EXPECT_TRUE(announcements.empty()) << "tick before drawing " << ball;
    click(form.Command2);
  }
  heardItems = itemAnnouncements();
  ASSERT_EQ(heardItems.size(), 1u);
  EXPECT_EQ(heardItems[0].formChild, kLabelCount - 1);
  EXPECT_EQ(heardItems[0].name, QStringLiteral("特別號 26"));
  EXPECT_EQ(notificationBeforeFocus(), QStringLiteral("特別號 26"));

  // Clearing puts every heading back, each slot telling its own change.
  announcements.clear();
  click(form.Command3);
  heardItems = itemAnnouncements();
  ASSERT_EQ(heardItems.size(), static_cast<std::size_t>(kSlotCount));
  for (int k = 0; k < kSlotCount; ++k) {
    EXPECT_EQ(heardItems[k].formChild, kFirstSlotLabel + k);
    EXPECT_TRUE(heardItems[k].name.endsWith(QStringLiteral("未開出"))) << heardItems[k].name.toStdString();
  }
  EXPECT_EQ(notificationBeforeFocus(), QStringLiteral("新的一局開始"));
  EXPECT_FALSE(item(12)->state().invisible);
}

}  // namespace
}  // namespace lotto

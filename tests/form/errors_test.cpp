// SPDX-FileCopyrightText: 2026 Lotto developers
// SPDX-License-Identifier: GPL-3.0-or-later
// errors_test.cpp: run-time errors end the program with a report, and the toolkit speaks zh-TW.
#include <QAbstractButton>
#include <QLocale>
#include <QMessageBox>
#include <functional>
#include <limits>

#include "expected_positions.h"
#include "procedure_errors.h"
#include "program_fixture.h"
#include "qt_board_view.h"
#include "traditional_chinese_locale.h"

namespace lotto {

// The Qt front end's classes, tested here.
using namespace desktop;
namespace {

using testing::ProgramTest;

// Through the board view and on the window itself: no index reaches past Label1(48) or Shape1(48).
TEST(QtBoardViewTest, AnIndexWithNoControlBehindItIsARunTimeError) {
  Form1 form;
  QtBoardView board(form);
  board.setTimerEnabled(true);  // the roll runs, as the program's start leaves it
  EXPECT_TRUE(board.labelText(48) == testing::kSlotHeadings[6]);
  EXPECT_EQ(form.discGeometry(48), testing::designedDisc(48));
  for (int bad : {-1, 49, int{std::numeric_limits<SmallInt>::max()}}) {
    const auto expectNoSuchControl = [bad](const std::function<void()>& operation, const char* name) {
      try {
        operation();
        ADD_FAILURE() << name << "(" << bad << ") did not fail";
      } catch (const RunTimeError& error) {
        EXPECT_EQ(error.number(), ErrorNumber::NoSuchControl) << name << "(" << bad << ")";
      }
    };
    expectNoSuchControl([&] { board.labelText(bad); }, "labelText");
    expectNoSuchControl([&] { board.setLabelText(bad, u"1"); }, "setLabelText");
    expectNoSuchControl([&] { board.setLabelVisible(bad, false); }, "setLabelVisible");
    expectNoSuchControl([&] { board.setDiscColour(bad, kBallLit); }, "setDiscColour");
    expectNoSuchControl([&] { board.setDiscVisible(bad, false); }, "setDiscVisible");
    expectNoSuchControl([&] { form.labelCaption(bad); }, "Form1::labelCaption");
    expectNoSuchControl([&] { form.discColour(bad); }, "Form1::discColour");
  }
  EXPECT_TRUE(form.Timer1->isActive()) << "no failed operation ended the program";
}

class RunTimeErrorTest : public ProgramTest {
 protected:
  // The error ended the program: reported once, a failure status, the roll stopped, nothing runs after.
  void expectEndedBy(const QString& line) {
    ASSERT_EQ(report.errors.size(), 1u);
    EXPECT_EQ(report.titles[0], QStringLiteral("樂透程式"));
    EXPECT_EQ(report.errors[0], line);
    ASSERT_EQ(end.statuses.size(), 1u);
    EXPECT_NE(end.statuses[0], 0);
    expectNothingRunsAfterTheEnd();
  }
};

TEST_F(RunTimeErrorTest, AFloatingPointFaultInATickEndsTheProgramWithAReport) {
  random = testing::ScriptedRandomSource({std::numeric_limits<float>::quiet_NaN()});
  EXPECT_NO_THROW(tick());
  expectEndedBy(QStringLiteral("執行階段錯誤 5：浮點運算錯誤"));
}

TEST_F(RunTimeErrorTest, AnErrorInsideAClickIsCaughtByTheRoutingToo) {
  tickLighting(9);
  click(form.Command2);
  click(form.Command1);
  // 開獎 before the next tick re-rolls off the drawn ball; a source that breaks its r < 1 promise faults there.
  random = testing::ScriptedRandomSource({1.0f});
  EXPECT_NO_THROW(click(form.Command2));
  expectEndedBy(QStringLiteral("執行階段錯誤 5：浮點運算錯誤"));
  EXPECT_EQ(slot(1), QString::fromStdU16String(testing::kSlotHeadings[1])) << "nothing was drawn";
}

// The entropy source is opened on first use, inside the procedure, so its failure is reported like any
// other run-time error. std::random_device refuses a token it does not know, as it fails when the
// operating system has no entropy to give.
TEST(RandomSourceFailureTest, AnEntropySourceThatFailsIsReportedAsARunTimeError) {
  SeededRandomSource random("no such entropy source");
  testing::CapturingRunTimeErrorReport report;
  testing::RecordingProgramEnd end;
  LottoProgram program(random, report, end);
  program.start();
  ASSERT_FALSE(program.ended()) << "the window opens before anything is rolled";
  EXPECT_NO_THROW(QMetaObject::invokeMethod(program.form().Timer1, "timeout", Qt::DirectConnection));
  ASSERT_EQ(report.errors.size(), 1u);
  EXPECT_EQ(report.errors[0], QStringLiteral("執行階段錯誤 5：作業系統的亂數來源無法使用"));
  EXPECT_EQ(end.statuses, std::vector<int>{1});
  EXPECT_EQ(program.form().labelCaption(kFirstSlotLabel), QString::fromStdU16String(testing::kSlotHeadings[0]));
}

// The other reports are read in full where a procedure raises them (here and in midend_test.cpp).
TEST(RunTimeErrorTextTest, AMissingControlIsReportedAsError340) {
  EXPECT_EQ(midend::runTimeErrorLine(RunTimeError::noSuchControl()),
            testing::expected().at("runTimeErrorReports").at("noSuchControl").get<std::string>());
}

TEST(TraditionalChineseLocaleTest, TheToolkitsOwnDialogsSpeakZhTw) {
  QMessageBox untranslated(QMessageBox::Critical, QStringLiteral("t"), QStringLiteral("x"), QMessageBox::Ok);
  ASSERT_EQ(untranslated.button(QMessageBox::Ok)->text().remove(QLatin1Char('&')), QStringLiteral("OK"));

  TraditionalChineseLocale locale(*QCoreApplication::instance());
  ASSERT_TRUE(locale.toolkitTranslationsLoaded());
  EXPECT_EQ(QLocale().name(), QStringLiteral("zh_TW"));
  QMessageBox translated(QMessageBox::Critical, QStringLiteral("t"), QStringLiteral("x"), QMessageBox::Ok);
  const QString ok = translated.button(QMessageBox::Ok)->text();
  EXPECT_TRUE(ok.contains(QStringLiteral("確定"))) << ok.toStdString();
}

}  // namespace
}  // namespace lotto

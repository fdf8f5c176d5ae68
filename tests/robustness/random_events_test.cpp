// SPDX-FileCopyrightText: 2026 Lotto developers
// SPDX-License-Identifier: GPL-3.0-or-later
// random_events_test.cpp: thousands of random clicks, ticks, keys, typing and pastes on the real window, each checked.
#include <gtest/gtest.h>
#include <rapidcheck.h>
#include <rapidcheck/gtest.h>
#include <rapidcheck/state.h>

#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QTimerEvent>
#include <array>
#include <cstdio>
#include <memory>
#include <optional>
#include <ostream>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "expected_states.h"
#include "game_scenarios.h"
#include "lotto_program.h"
#include "program_fixture.h"
#include "qt_warnings.h"
#include "window_watch.h"

namespace lotto::testing {

// The Qt front end's classes, tested here.
using namespace desktop;
namespace {

constexpr int kOneMegabyte = 1 << 20;

enum class Kind { Click, Tick, Key, Type, Paste };

struct Event {
  Kind kind;
  int which = 0;      // button 1..4 for a click; 0 Tab, 1 Space, 2 Return for a key
  int length = 0;     // characters typed or pasted
  unsigned seed = 0;  // for the characters

  std::string text() const {
    static const char* const kKeys[] = {"Tab", "Space", "Return"};
    return kind == Kind::Click  ? "click" + std::to_string(which)
           : kind == Kind::Tick ? std::string("tick")
           : kind == Kind::Key  ? std::string(kKeys[which])
                                : (kind == Kind::Type ? "type" : "paste") + std::to_string(length);
  }
};

// Mostly ticks and the buttons a game needs; some keys and typing; pastes are rare and a megabyte one rarer still,
// since the line edit relays out every character it keeps.
rc::Gen<Event> anyEvent() {
  using rc::gen::just;
  const auto withSeed = [](Kind kind, rc::Gen<int> length) {
    return rc::gen::map(rc::gen::pair(length, rc::gen::arbitrary<unsigned>()),
                        [kind](const std::pair<int, unsigned>& p) {
                          return Event{kind, 0, p.first, p.second};
                        });
  };
  const rc::Gen<int> pasteLength = rc::gen::weightedOneOf<int>(
      {{1, just(kOneMegabyte)}, {3, rc::gen::inRange(1000, 70001)}, {96, rc::gen::inRange(0, 201)}});
  return rc::gen::weightedOneOf<Event>({{400, just(Event{Kind::Tick})},
                                        {200, just(Event{Kind::Click, 2})},
                                        {150, just(Event{Kind::Click, 1})},
                                        {25, just(Event{Kind::Click, 3})},
                                        {2, just(Event{Kind::Click, 4})},
                                        {40, just(Event{Kind::Key, 0})},
                                        {60, just(Event{Kind::Key, 1})},
                                        {20, just(Event{Kind::Key, 2})},
                                        {60, withSeed(Kind::Type, rc::gen::inRange(1, 25))},
                                        {12, withSeed(Kind::Paste, pasteLength)}});
}

// Letters, digits, CJK, an emoji's surrogate pair and the control characters a clipboard may carry.
QString charactersFor(const Event& event) {
  static const QString pool =
      QStringLiteral("ab09 開獎清除請按特一\t\n\r\b\x1b\x7f") + QChar(0) + QChar(1) + QString::fromUtf8("😀");
  std::mt19937 engine(event.seed);
  std::uniform_int_distribution<int> index(0, static_cast<int>(pool.size()) - 1);
  QString text;
  text.reserve(event.length);
  while (text.size() < event.length) {
    const QChar c = pool[index(engine)];
    if (c.isHighSurrogate()) {
      if (text.size() + 2 > event.length) continue;
      text += c;
      text += pool[pool.indexOf(c) + 1];
    } else if (!c.isLowSurrogate()) {
      text += c;
    }
  }
  return text;
}

// One key press per character, as a keyboard would send it: control characters as their keys,
// everything else (CJK, an emoji's surrogate pair) as text on an unknown key.
void typeInto(QWidget* widget, const QString& text) {
  for (qsizetype i = 0; i < text.size(); ++i) {
    QString typed(text[i]);
    if (text[i].isHighSurrogate() && i + 1 < text.size()) typed += text[++i];
    const char16_t c = text[i].unicode();
    const Qt::Key key = c == u'\t'                 ? Qt::Key_Tab
                        : c == u'\n' || c == u'\r' ? Qt::Key_Return
                        : c == u'\b'               ? Qt::Key_Backspace
                        : c == 0x1b                ? Qt::Key_Escape
                        : c == 0x7f                ? Qt::Key_Delete
                        : c == u' '                ? Qt::Key_Space
                        : (c >= u'0' && c <= u'9') || (c >= u'a' && c <= u'z')
                            ? static_cast<Qt::Key>(QChar(c).toUpper().unicode())
                            : Qt::Key_unknown;
    QTest::sendKeyEvent(QTest::Click, widget, key, typed, Qt::NoModifier);
  }
}

int visibleLitBall(Form1& form) {
  int lit = -1;
  for (int ball = 0; ball < kBallCount; ++ball) {
    if (form.discVisible(ball) && form.discColour(ball) == kBallLit) lit = lit == -1 ? ball : -2;
  }
  return lit;
}

// The program's random source, watched: the last value it gave and how many values in all.
class WatchedRandomSource : public RandomSource {
 public:
  explicit WatchedRandomSource(std::seed_seq& seed) : source_(seed) {}
  float next() override {
    ++values;
    return last = source_.next();
  }
  float last = 0;
  long long values = 0;

 private:
  SeededRandomSource source_;
};

// What a run went through, so a mix that stops reaching whole games or painting shows.
struct Coverage {
  long long events = 0;
  int programs = 0;
  int finishedGames = 0;
  int megabytePastes = 0;
  long long paints = 0;
};

// The real window under random events, and the game's model: which row of the state table it is in, followed by the
// clicks the window delivered (a key's target is the focus's to decide, so the window, not the model, says which
// button a key pressed).
class RandomEventRun {
 public:
  RandomEventRun(unsigned seed, Coverage& coverage) : seed_(seed), coverage_(coverage) { startProgram(); }
  ~RandomEventRun() { coverage_.paints += paintCounter_.paints; }

  // Plays one event; returns the first broken promise, or nothing.
  std::optional<std::string> play(const Event& event) {
    ++coverage_.events;
    if (event.kind == Kind::Paste && event.length == kOneMegabyte) ++coverage_.megabytePastes;
    return apply(event);
  }

 private:
  void startProgram() {
    program_.reset();
    report_ = std::make_unique<CapturingRunTimeErrorReport>();
    end_ = std::make_unique<RecordingProgramEnd>();
    std::seed_seq seed{seed_, static_cast<unsigned>(programsStarted_)};
    random_ = std::make_unique<WatchedRandomSource>(seed);
    valuesAtBoardChange_ = 0;
    program_ = std::make_unique<LottoProgram>(*random_, *report_, *end_);
    Form1& form = program_->form();
    QPushButton* buttons[] = {form.Command1, form.Command2, form.Command3, form.Command4};
    for (int b = 0; b < 4; ++b) {
      QObject::connect(buttons[b], &QPushButton::clicked, [this, b] { clicked_.push_back(b + 1); });
    }
    form.installEventFilter(&paintCounter_);
    program_->start();
    // Painting needs the window exposed, which takes the event loop once; a real tick that lands
    // meanwhile only moves the light.
    exposed_ = QTest::qWaitForWindowExposed(&form);
    game_ = {};
    lineKnown_ = true;
    ++programsStarted_;
    ++coverage_.programs;
  }

  std::optional<std::string> apply(const Event& event) {
    Form1& form = program_->form();
    if (!exposed_) return "the window was never shown";
    const std::array<bool, 4> enabledBefore = {form.Command1->isEnabled(), form.Command2->isEnabled(),
                                               form.Command3->isEnabled(), form.Command4->isEnabled()};
    clicked_.clear();
    bool ticked = false;
    QPushButton* buttons[] = {form.Command1, form.Command2, form.Command3, form.Command4};
    QWidget* focused = form.focusWidget() != nullptr ? form.focusWidget() : &form;
    switch (event.kind) {
      case Kind::Click:
        QTest::mouseClick(buttons[event.which - 1], Qt::LeftButton);
        break;
      case Kind::Tick:
        // The platform delivers a tick only while the timer runs.
        if (form.Timer1->isActive()) {
          QTimerEvent tick(form.Timer1->timerId());
          QCoreApplication::sendEvent(form.Timer1, &tick);
          ticked = true;
        }
        break;
      case Kind::Key:
        if (focused == form.Text1) lineKnown_ = false;  // keys sent to the line may change it
        QTest::keyClick(focused, event.which == 0 ? Qt::Key_Tab : event.which == 1 ? Qt::Key_Space : Qt::Key_Return);
        break;
      case Kind::Type:
        QTest::mouseClick(form.Text1, Qt::LeftButton);
        typeInto(form.Text1, charactersFor(event));
        lineKnown_ = false;
        break;
      case Kind::Paste:
        QGuiApplication::clipboard()->setText(charactersFor(event));
        QTest::mouseClick(form.Text1, Qt::LeftButton);
        QTest::keyClick(form.Text1, Qt::Key_V, Qt::ControlModifier);
        lineKnown_ = false;
        break;
    }
    QCoreApplication::sendPostedEvents();  // paint what changed, as the event loop would next

    if (auto warning = QtWarnings::takeFirst()) return "Qt warned: " + *warning;
    if (!report_->errors.empty()) return std::string("run-time error: ") + report_->errors.front().toStdString();
    if (clicked_.size() > 1) return "one event delivered " + std::to_string(clicked_.size()) + " clicks";
    const int button = clicked_.empty() ? 0 : clicked_.front();
    if (button != 0 && !enabledBefore[button - 1]) return "disabled button " + std::to_string(button) + " clicked";

    if (button == 4) return byeEndsTheRun();
    if (program_->ended()) return "the program ended without Bye";
    if (button != 0) advanceModel(button);
    if (auto fault = checkBoard(button == 2)) return fault;
    if (button == 2 || button == 3) valuesAtBoardChange_ = random_->values;
    if (auto fault = checkControls()) return fault;
    if (ticked) {
      const int lit = visibleLitBall(form);
      if (lit < 0) return "after a tick " + std::string(lit == -1 ? "no" : "more than one") + " ball is lit";
      if (lit != program_->logic().state().candidateIndex) return "the lit ball is not the candidate";
    } else if (visibleLitBall(form) == -2) {
      return "more than one ball is lit";
    }
    return std::nullopt;
  }

  void advanceModel(int button) {
    game_.follow({button == 1 ? Press::Next : button == 2 ? Press::Draw : Press::Clear});
    if (button == 2 && game_.phase == Phase::Finished) ++coverage_.finishedGames;
    lineKnown_ = true;  // each command that ran wrote the line
  }

  // Bye is recorded, not obeyed: the run checks that it ended the program at once, that nothing
  // runs afterwards, and then goes on with a fresh program.
  std::optional<std::string> byeEndsTheRun() {
    Form1& form = program_->form();
    if (!program_->ended()) return "Bye did not end the program";
    if (end_->statuses != std::vector<int>{0}) return "Bye ended with the wrong status";
    if (form.Timer1->isActive()) return "the roll runs on after Bye";
    const DrawState before = program_->logic().state();
    if (form.Command3->isEnabled()) QTest::mouseClick(form.Command3, Qt::LeftButton);
    if (form.Command2->isEnabled()) QTest::mouseClick(form.Command2, Qt::LeftButton);
    if (program_->logic().state().drawnCount != before.drawnCount) return "a command ran after Bye";
    startProgram();
    return std::nullopt;
  }

  std::optional<std::string> checkBoard(bool drew) {
    Form1& form = program_->form();
    const DrawState state = program_->logic().state();
    if (state.drawnCount < 0 || state.drawnCount > kSlotCount) return "drawnCount " + std::to_string(state.drawnCount);
    const int drawn = static_cast<int>(game_.drawn.size());
    if (state.drawnCount != drawn)
      return "drawnCount " + std::to_string(state.drawnCount) + ", expected " + std::to_string(drawn);
    if (state.candidateIndex < 0 || state.candidateIndex >= kBallCount) return "candidateIndex out of range";
    std::set<int> inSlots;
    for (int k = 0; k < kSlotCount; ++k) {
      const QString text = form.labelCaption(kFirstSlotLabel + k);
      if (k >= state.drawnCount) {
        if (text != QString::fromStdU16String(kSlotHeadings[k]))
          return "empty slot " + std::to_string(k) + " lost its heading";
        continue;
      }
      bool isNumber = false;
      const int number = text.toInt(&isNumber);
      if (!isNumber || number < 1 || number > kBallCount || text != QString::number(number)) {
        return "slot " + std::to_string(k) + " holds '" + text.toStdString() + "'";
      }
      if (!inSlots.insert(number).second) return "number " + std::to_string(number) + " drawn twice";
    }
    for (int ball = 0; ball < kBallCount; ++ball) {
      if (form.labelCaption(ball) != QString::number(ball + 1))
        return "ball " + std::to_string(ball) + " lost its number";
      const bool hidden = !form.discVisible(ball);
      if (form.labelVisible(ball) == hidden) return "ball " + std::to_string(ball) + " half hidden";
      if (hidden != (inSlots.count(ball + 1) == 1)) {
        return "ball " + std::to_string(ball) + (hidden ? " hidden but not drawn" : " drawn but still shown");
      }
    }
    for (int disc = kFirstSlotLabel; disc < kLabelCount; ++disc) {
      if (!form.discVisible(disc) || form.discColour(disc) != kBallAtRest) return "a slot disc changed";
    }
    // 開獎 takes the ball of the last roll, made since the board last changed (start, a draw, 清除).
    const QString taken = drew ? form.labelCaption(kFirstSlotLabel + state.drawnCount - 1) : QString();
    if (drew && random_->values == valuesAtBoardChange_) {
      return "開獎 took " + taken.toStdString() + " with no roll since the board last changed";
    }
    if (drew && taken != QString::number(randomBallIndex(random_->last) + 1)) {
      return "開獎 took " + taken.toStdString() + ", not the ball of the last roll";
    }
    return std::nullopt;
  }

  std::optional<std::string> checkControls() {
    SeenState seen = seenState(program_->form());
    if (!lineKnown_) seen.line.reset();
    const std::string wrong = stateMismatch(game_.phase, seen);
    return wrong.empty() ? std::nullopt : std::optional<std::string>(wrong);
  }

  unsigned seed_;
  Coverage& coverage_;
  PaintCounter paintCounter_;
  std::unique_ptr<CapturingRunTimeErrorReport> report_;
  std::unique_ptr<RecordingProgramEnd> end_;
  std::unique_ptr<WatchedRandomSource> random_;
  long long valuesAtBoardChange_ = 0;
  std::unique_ptr<LottoProgram> program_;
  GameSoFar game_;         // where the game is in the state table, by the clicks the window delivered
  bool lineKnown_ = true;  // false once the user has typed over the instruction line
  std::vector<int> clicked_;
  bool exposed_ = false;
  int programsStarted_ = 0;
};

// One random event as a step of RapidCheck's state machine; the model is the run's own (see RandomEventRun).
struct NoModel {};
struct PlayEvent : rc::state::Command<NoModel, RandomEventRun> {
  Event event = *anyEvent();
  void run(const NoModel&, RandomEventRun& window) const override {
    if (auto fault = window.play(event)) RC_FAIL(*fault);
  }
  void show(std::ostream& out) const override { out << event.text(); }
};

// Each case plays a fresh program; a failing sequence is shrunk to the fewest events that still fail, and
// RapidCheck's RC_PARAMS="reproduce=…" replays it.
TEST(RandomEvents, NeverCorruptTheGame) {
  QtWarnings::install();
  Coverage coverage;
  rc::detail::checkGTest([&coverage] {
    RandomEventRun window(*rc::gen::arbitrary<unsigned>(), coverage);
    rc::state::check(NoModel{}, window, rc::state::gen::execOneOfWithArgs<PlayEvent>());
  });
  QtWarnings::uninstall();
  if (HasFailure()) return;  // RapidCheck printed the shrunk events and how to replay them
  std::printf(
      "  %lld events, every check held: %d programs (a fresh one after each Bye), %d games drawn to the end, %d "
      "megabyte pastes, %lld paints\n",
      coverage.events, coverage.programs, coverage.finishedGames, coverage.megabytePastes, coverage.paints);
  EXPECT_GT(coverage.finishedGames, 0) << "the mix no longer plays a game to its end";
  EXPECT_GT(coverage.paints, coverage.events / 10) << "the window is not repainting";
}

}  // namespace
}  // namespace lotto::testing

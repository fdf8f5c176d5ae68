// SPDX-FileCopyrightText: 2026 Lotto developers
// SPDX-License-Identifier: GPL-3.0-or-later
// lotto_program.cpp: wiring the window's events to the draw procedures.
#include "lotto_program.h"

#include <QPushButton>
#include <QTimer>
#include <optional>

#include "procedure_errors.h"

namespace lotto::desktop {

namespace {
constexpr int kFailureStatus = 1;
}

LottoProgram::LottoProgram(RandomSource& random, RunTimeErrorReport& report, ProgramEnd& end)
    : board_(form_, [this] { endProgram(0); }), logic_(board_, random), report_(report), end_(end) {
  QObject::connect(form_.Timer1, &QTimer::timeout, [this] { run([this] { logic_.Timer1_Timer(); }); });
  QObject::connect(form_.Command1, &QPushButton::clicked, [this] { command([this] { logic_.Command1_Click(); }); });
  QObject::connect(form_.Command2, &QPushButton::clicked, [this] { command([this] { logic_.Command2_Click(); }); });
  QObject::connect(form_.Command3, &QPushButton::clicked, [this] { command([this] { logic_.Command3_Click(); }); });
  QObject::connect(form_.Command4, &QPushButton::clicked, [this] { command([this] { logic_.Command4_Click(); }); });
  // Closing the window ends the program through the toolkit; no procedure runs on that path.
  QObject::connect(&form_, &Form1::closing, [this] { halt(); });
}

void LottoProgram::start() {
  run([this] { logic_.Form_Load(); });
  if (ended_) {
    return;
  }
  form_.show();
  form_.focusFirstInTabOrder();
}

template <typename Procedure>
void LottoProgram::run(Procedure procedure) {
  if (ended_) {
    return;
  }
  if (const std::optional<RunTimeError> error = midend::runProcedure(procedure)) {
    fail(*error);
  }
}

// A button's procedure, then the focus to where the game goes on, so no key press lands on 清除 or Bye
// by itself.
template <typename Procedure>
void LottoProgram::command(Procedure procedure) {
  form_.holdFocus(true);
  run(procedure);
  form_.holdFocus(false);
  if (!ended_) {
    form_.focusWhereTheGameGoesOn();
  }
}

void LottoProgram::halt() {
  ended_ = true;
  form_.Timer1->stop();  // also keeps ticks from running behind a modal report
}

void LottoProgram::fail(const RunTimeError& error) {
  halt();
  report_.show(error);
  end_.end(kFailureStatus);
}

void LottoProgram::endProgram(int status) {
  halt();
  end_.end(status);
}

}  // namespace lotto::desktop

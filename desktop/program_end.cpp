// SPDX-FileCopyrightText: 2026 Lotto developers
// SPDX-License-Identifier: GPL-3.0-or-later
// program_end.cpp: leaving the event loop.
#include "program_end.h"

#include <QCoreApplication>

namespace lotto::desktop {

void EventLoopProgramEnd::end(int status) { QCoreApplication::exit(status); }

}  // namespace lotto::desktop

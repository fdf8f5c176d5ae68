// SPDX-FileCopyrightText: 2026 Lotto developers
// SPDX-License-Identifier: GPL-3.0-or-later
// program_end.h: ending the program with a status.
#pragma once

namespace lotto::desktop {

class ProgramEnd {
 public:
  virtual ~ProgramEnd() = default;
  virtual void end(int status) = 0;
};

// Leaves the event loop; main returns the status.
class EventLoopProgramEnd : public ProgramEnd {
 public:
  void end(int status) override;
};

}  // namespace lotto::desktop

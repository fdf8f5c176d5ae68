// program_end.cpp: leaving the event loop.
#include "program_end.h"

#include <QCoreApplication>

namespace lotto {

void EventLoopProgramEnd::end(int status) { QCoreApplication::exit(status); }

}  // namespace lotto

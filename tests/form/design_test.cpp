// design_test.cpp: the window as drawn, measured in pixels against its design.
#include "program_fixture.h"

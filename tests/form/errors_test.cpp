// errors_test.cpp: run-time errors end the program with a report, and the toolkit speaks zh-TW.
#include "program_fixture.h"

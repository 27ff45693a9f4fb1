// Check-pass run step: the whole-file checks for the kind of file parsed.
#ifndef KIVO_DRIVER_TEST_H
#define KIVO_DRIVER_TEST_H

#include "common/types.h"

// KIVO files get the model and component checks, parameter files the
// parameter-tree checks, package and board-description files the board
// checks (isRecursive: a file referenced from a board description, whose own
// references are collected but not followed).
void TEST(const char* sFileName_in, KIVO_FILE_TYPE eType, BOOL isRecursive);

#endif

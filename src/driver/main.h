// One complete run over one file: push a root, parse, check, free and total.
#ifndef KIVO_DRIVER_MAIN_H
#define KIVO_DRIVER_MAIN_H

#include "common/types.h"

// Checks the file sArgv1 as a file of kind eType; prints the totals at the
// end unless no root container could be made.
void MAIN(const char* sArgv1, KIVO_FILE_TYPE eType);

// Back to program-start state (geKivoVersion, gbDoingAmi).
void MAIN_Reset();

#endif

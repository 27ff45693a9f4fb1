// First run step: a fresh root container for the file about to be parsed.
#ifndef KIVO_DRIVER_INIT_H
#define KIVO_DRIVER_INIT_H

#include "common/types.h"

// Pushes a new root container; SUCCESS if it could be made.
STATUS INIT();

#endif

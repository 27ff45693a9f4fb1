// Puts every module back to its program-start state, so that one process can
// check several files in a row exactly as separate processes would.
#ifndef KIVO_DRIVER_RESET_H
#define KIVO_DRIVER_RESET_H

void KIVOCHK_ResetAll();

#endif

// Package parasitics: the [Package] lines of a component, R_pkg, L_pkg and
// C_pkg, each a typ/min/max triple used for pins without values of their own.
#ifndef KIVO_COMPONENT_PKG_H
#define KIVO_COMPONENT_PKG_H

#include "common/rng.h"
#include "common/types.h"

struct pkg {
    RNG* pR_pkg = nullptr;  // null until its line is read
    RNG* pL_pkg = nullptr;
    RNG* pC_pkg = nullptr;
};
typedef pkg PKG;

// A record with three absent values; failure: line error 1200.
STATUS PKG_New(PKG** ppPkg);
// One [Package] data line.
void PKG_ReceiveLine(PKG* pPkg, const char* sLine);
// When the component ends: reports each value that never came.
void PKG_Test(const PKG* pPkg, const char* sComponent);
void PKG_Free(PKG* pPkg);

#endif

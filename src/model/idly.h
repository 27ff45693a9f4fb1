// [Initial Delay] of models and submodels.
// Stand-in: records which of its entries are given and reports nothing until
// the module is built.
#ifndef KIVO_MODEL_IDLY_H
#define KIVO_MODEL_IDLY_H

#include "common/rng.h"
#include "common/types.h"

struct idly {
    RNG* pVt = nullptr;  // V-T delay
    RNG* pIt = nullptr;  // I-T delay
};
typedef idly IDLY;

STATUS IDLY_New(char* psLine_in, IDLY** ppIdly_in);
void IDLY_ReceiveLine(IDLY* pIdly, char* psLine_in);
void IDLY_Fini(IDLY* pIdly, const char* sModel, const char* psName);
void IDLY_Free(IDLY* pIdly);

#endif

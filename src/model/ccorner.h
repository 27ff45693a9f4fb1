// [C Comp Corner].
// Stand-in: accepts its lines and reports nothing until the module is built.
#ifndef KIVO_MODEL_CCORNER_H
#define KIVO_MODEL_CCORNER_H

#include "common/rng.h"
#include "common/types.h"

struct ccomp_corner {
    RNG* pC_comp = nullptr;
    RNG* pC_comp_pullup = nullptr;
    RNG* pC_comp_pulldown = nullptr;
    RNG* pC_comp_power_clamp = nullptr;
    RNG* pC_comp_gnd_clamp = nullptr;
};
typedef ccomp_corner CCORNER;

STATUS CCORNER_New(char* psLine_in, CCORNER** ppCcorner_out);
void CCORNER_ReceiveLine(char* psLine_in, CCORNER* pCcorner_io);
void CCORNER_Fini(CCORNER* pCorner, const char* sModel);
void CCORNER_Free(CCORNER* pCorner);

#endif

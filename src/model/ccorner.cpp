#include "model/ccorner.h"

#include <new>

STATUS CCORNER_New(char*, CCORNER** ppCcorner_out)
{
    KIVO_ASSERT(ppCcorner_out != nullptr);
    CCORNER_Free(*ppCcorner_out);
    *ppCcorner_out = new (std::nothrow) CCORNER;
    return *ppCcorner_out != nullptr ? SUCCESS : FAILURE;
}

void CCORNER_ReceiveLine(char*, CCORNER*) {}

void CCORNER_Fini(CCORNER*, const char*) {}

void CCORNER_Free(CCORNER* pCorner)
{
    if (pCorner == nullptr) return;
    RNG_Free(pCorner->pC_comp);
    RNG_Free(pCorner->pC_comp_pullup);
    RNG_Free(pCorner->pC_comp_pulldown);
    RNG_Free(pCorner->pC_comp_power_clamp);
    RNG_Free(pCorner->pC_comp_gnd_clamp);
    delete pCorner;
}

#include "model/idly.h"

#include <cstring>
#include <new>

#include "common/cmn.h"

STATUS IDLY_New(char*, IDLY** ppIdly_in)
{
    KIVO_ASSERT(ppIdly_in != nullptr);
    IDLY_Free(*ppIdly_in);
    *ppIdly_in = new (std::nothrow) IDLY;
    return *ppIdly_in != nullptr ? SUCCESS : FAILURE;
}

void IDLY_ReceiveLine(IDLY* pIdly, char* psLine_in)
{
    KIVO_ASSERT(pIdly != nullptr && psLine_in != nullptr);
    ARGS a;
    if (CMN_ArgParsePlus(psLine_in, 1, '=', &a) != SUCCESS || a.iCount == 0) return;
    RNG** ppField = nullptr;
    if (std::strcmp(a.Arg(0), "V-T") == 0) ppField = &pIdly->pVt;
    if (std::strcmp(a.Arg(0), "I-T") == 0) ppField = &pIdly->pIt;
    if (ppField != nullptr && *ppField == nullptr) *ppField = new (std::nothrow) RNG;
}

void IDLY_Fini(IDLY*, const char*, const char*) {}

void IDLY_Free(IDLY* pIdly)
{
    if (pIdly == nullptr) return;
    RNG_Free(pIdly->pVt);
    RNG_Free(pIdly->pIt);
    delete pIdly;
}

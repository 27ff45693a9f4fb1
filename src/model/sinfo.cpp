#include "model/sinfo.h"

#include <new>

#include "model/crv.h"

STATUS SINFO_New(char*, SINFO** ppSinfo_out, const char*)
{
    KIVO_ASSERT(ppSinfo_out != nullptr);
    SINFO_Free(*ppSinfo_out);
    *ppSinfo_out = nullptr;
    return SINFO_Alloc(ppSinfo_out);
}

STATUS SINFO_Alloc(SINFO** ppSinfo_out)
{
    KIVO_ASSERT(ppSinfo_out != nullptr);
    *ppSinfo_out = new (std::nothrow) SINFO;
    return *ppSinfo_out != nullptr ? SUCCESS : FAILURE;
}

void SINFO_Test(SINFO*, const char*, const char*) {}

void SINFO_Free(SINFO* pSinfo)
{
    if (pSinfo == nullptr) return;
    RNG_Free(pSinfo->pRs);
    RNG_Free(pSinfo->pLs);
    RNG_Free(pSinfo->pRls);
    RNG_Free(pSinfo->pCs);
    RNG_Free(pSinfo->pRcs);
    RNG_Free(pSinfo->pLcs);
    CRV_Free(pSinfo->pIs);
    SMOS_FreeList(pSinfo->pIms);
    delete pSinfo;
}

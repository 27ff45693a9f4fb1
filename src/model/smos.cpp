#include "model/smos.h"

#include <new>

#include "model/crv.h"

STATUS SMOS_New(char*, SMOS** ppSmos_in, SMOS** ppSmos_out)
{
    KIVO_ASSERT(ppSmos_in != nullptr && ppSmos_out != nullptr);
    *ppSmos_out = nullptr;
    SMOS* pNew = new (std::nothrow) SMOS;
    if (pNew == nullptr) return FAILURE;
    SMOS** pp = ppSmos_in;
    while (*pp != nullptr) pp = &(*pp)->pNext;
    *pp = pNew;
    *ppSmos_out = pNew;
    return SUCCESS;
}

void SMOS_ReceiveLine(char*) {}

void SMOS_Fini(MDL*, KEYWORD_TYPE) {}

void SMOS_TestList(SMOS*, const char*, const char*) {}

void SMOS_FreeList(SMOS* pSmos)
{
    while (pSmos != nullptr) {
        SMOS* pNext = pSmos->pNext;
        delete pSmos->pdVds;
        CRV_Free(pSmos->pIs);
        delete pSmos;
        pSmos = pNext;
    }
}

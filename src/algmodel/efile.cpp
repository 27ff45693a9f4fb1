#include "algmodel/efile.h"

void EXEFILE_AddLink(EXEFILE* pNew, EXEFILE* pPrev)
{
    KIVO_ASSERT(pNew != nullptr);
    pNew->pNext = pPrev;
}

void EXEFILE_FreeList(EXEFILE* pList)
{
    while (pList != nullptr) {
        EXEFILE* pNext = pList->pNext;
        delete pList;
        pList = pNext;
    }
}

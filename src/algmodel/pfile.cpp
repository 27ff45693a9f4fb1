#include "algmodel/pfile.h"

void PARAMFILE_AddLink(PARAMFILE* pNew, PARAMFILE* pPrev)
{
    KIVO_ASSERT(pNew != nullptr);
    pNew->pNext = pPrev;
}

void PARAMFILE_FreeList(PARAMFILE* pList)
{
    while (pList != nullptr) {
        PARAMFILE* pNext = pList->pNext;
        delete pList;
        pList = pNext;
    }
}

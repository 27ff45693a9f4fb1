#include "component/sswch.h"

#include <new>

STATUS SSWCH_ParseLine(char* sLine, SSWCH** ppSswch)
{
    KIVO_ASSERT(sLine != nullptr && ppSswch != nullptr);
    *ppSswch = new (std::nothrow) SSWCH;
    return *ppSswch != nullptr ? SUCCESS : FAILURE;
}

SSWCH* SSWCH_LinkSswch(SSWCH** ppSswchs, SSWCH* pNew)
{
    KIVO_ASSERT(ppSswchs != nullptr && pNew != nullptr);
    SSWCH** pp = ppSswchs;
    while (*pp != nullptr) pp = &(*pp)->pNext;
    *pp = pNew;
    return pNew;
}

BOOL SSWCH_isLinked(const SSWCH* pList, const SSWCH* pSswch)
{
    for (const SSWCH* p = pList; p != nullptr; p = p->pNext)
        if (p == pSswch) return TRUE;
    return FALSE;
}

void SSWCH_TestList(SSWCH*, spinmpg*, const char*) {}

BOOL SSWCH_HasFunction(const SSWCH* pSswchList, const char* sFunction)
{
    KIVO_ASSERT(sFunction != nullptr);
    for (const SSWCH* p = pSswchList; p != nullptr; p = p->pNext)
        for (const std::string& s : p->psFunctions)
            if (s == sFunction) return TRUE;
    return FALSE;
}

void SSWCH_FreeList(SSWCH* pList)
{
    while (pList != nullptr) {
        SSWCH* pNext = pList->pNext;
        delete pList;
        pList = pNext;
    }
}

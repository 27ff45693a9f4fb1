#include "testdata/testload.h"

#include "parse/kivo.h"

STATUS TESTLOAD_Init()
{
    KIVO* pKivo = nullptr;
    if (KIVO_GetKIVO(&pKivo) != SUCCESS) return FAILURE;
    TESTLOAD* pNew = new TESTLOAD;
    KIVO_AddTestLoad(pKivo, pNew);
    return SUCCESS;
}

STATUS TESTLOAD_ReceiveLine(LINE_TYPE, KEYWORD_TYPE, char*) { return SUCCESS; }

STATUS TESTLOAD_Fini(KEYWORD_TYPE) { return SUCCESS; }

void TESTLOAD_AddLink(TESTLOAD* pNew, TESTLOAD* pPrev)
{
    KIVO_ASSERT(pNew != nullptr);
    pNew->pNext = pPrev;
}

void TESTLOAD_FreeList(TESTLOAD* pList)
{
    while (pList != nullptr) {
        TESTLOAD* pNext = pList->pNext;
        delete pList;
        pList = pNext;
    }
}

void TESTLOAD_TestList(TESTLOAD*) {}

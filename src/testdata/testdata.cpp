#include "testdata/testdata.h"

#include "parse/kivo.h"

STATUS TESTDATA_Init()
{
    KIVO* pKivo = nullptr;
    if (KIVO_GetKIVO(&pKivo) != SUCCESS) return FAILURE;
    TESTDATA* pNew = new TESTDATA;
    KIVO_AddTestData(pKivo, pNew);
    return SUCCESS;
}

STATUS TESTDATA_ReceiveLine(LINE_TYPE, KEYWORD_TYPE, char*) { return SUCCESS; }

STATUS TESTDATA_Fini(KEYWORD_TYPE) { return SUCCESS; }

void TESTDATA_AddLink(TESTDATA* pNew, TESTDATA* pPrev)
{
    KIVO_ASSERT(pNew != nullptr);
    pNew->pNext = pPrev;
}

void TESTDATA_FreeList(TESTDATA* pList)
{
    while (pList != nullptr) {
        TESTDATA* pNext = pList->pNext;
        delete pList;
        pList = pNext;
    }
}

void TESTDATA_TestList(TESTDATA*) {}

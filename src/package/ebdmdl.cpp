#include "package/ebdmdl.h"

#include "parse/kivo.h"

STATUS EBDMDL_Init()
{
    KIVO* pKivo = nullptr;
    if (KIVO_GetKIVO(&pKivo) != SUCCESS) return FAILURE;
    EBDMDL* pNew = new EBDMDL;
    KIVO_AddEbdMdl(pKivo, pNew);
    return SUCCESS;
}

STATUS EBDMDL_ReceiveLine(LINE_TYPE, KEYWORD_TYPE, char*) { return SUCCESS; }

STATUS EBDMDL_Fini(KEYWORD_TYPE) { return SUCCESS; }

void EBDMDL_AddLink(EBDMDL* pNew, EBDMDL* pPrev)
{
    KIVO_ASSERT(pNew != nullptr);
    pNew->pNext = pPrev;
}

void EBDMDL_FreeList(EBDMDL* pList)
{
    while (pList != nullptr) {
        EBDMDL* pNext = pList->pNext;
        delete pList;
        pList = pNext;
    }
}

void EBDMDL_TestList(EBDMDL*, BOOL) {}

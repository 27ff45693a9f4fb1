#include "model/submdl.h"

#include "common/cmn.h"
#include "model/smspec.h"
#include "parse/kivo.h"

STATUS SUBMDL_Init()
{
    KIVO* pKivo = nullptr;
    if (KIVO_GetKIVO(&pKivo) != SUCCESS) return FAILURE;
    SUBMDL* pNew = new SUBMDL;
    KIVO_AddSubMdl(pKivo, pNew);
    return SUCCESS;
}

STATUS SUBMDL_ReceiveLine(LINE_TYPE, KEYWORD_TYPE, char*) { return SUCCESS; }

STATUS SUBMDL_Fini(KEYWORD_TYPE) { return SUCCESS; }

void SUBMDL_AddLink(SUBMDL* pNew, SUBMDL* pPrev)
{
    KIVO_ASSERT(pNew != nullptr);
    pNew->pNext = pPrev;
}

void SUBMDL_FreeList(SUBMDL* pList)
{
    while (pList != nullptr) {
        SUBMDL* pNext = pList->pNext;
        SMSPEC_Free(pList->pSmSpec);
        delete pList;
        pList = pNext;
    }
}

void ADDSUBMDL_Start(char*, ADD_SUBMDL**) {}

void ADDSUBMDL_ReceiveLine(char* psLine_in, ADD_SUBMDL** ppList_io)
{
    KIVO_ASSERT(psLine_in != nullptr && ppList_io != nullptr);
    ARGS a;
    if (CMN_ArgParse(psLine_in, 1, &a) != SUCCESS || a.iCount == 0) return;
    ADD_SUBMDL* pNew = new ADD_SUBMDL;
    pNew->sSubMdl.assign(a.Arg(0), 0, 40);
    CMN_ArgFree(&a);
    ADD_SUBMDL** pp = ppList_io;
    while (*pp != nullptr) pp = &(*pp)->pNext;
    *pp = pNew;
}

void ADDSUBMDL_FreeList(ADD_SUBMDL* pList)
{
    while (pList != nullptr) {
        ADD_SUBMDL* pNext = pList->pNext;
        delete pList;
        pList = pNext;
    }
}

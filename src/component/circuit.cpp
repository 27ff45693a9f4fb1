#include "component/circuit.h"

STATUS CCALL_ParseLine(char* sLine, CCALL** ppCcall)
{
    KIVO_ASSERT(sLine != nullptr && ppCcall != nullptr);
    return SUCCESS;
}

void CCALL_checkPortNode(cmpnt*, extern_cir*) {}

void CCALL_FreeList(CCALL* pList)
{
    while (pList != nullptr) {
        CCALL* pNext = pList->pNext;
        PORTMAP* pMap = pList->pMap;
        while (pMap != nullptr) {
            PORTMAP* pMapNext = pMap->pNext;
            delete pMap;
            pMap = pMapNext;
        }
        delete pList;
        pList = pNext;
    }
}

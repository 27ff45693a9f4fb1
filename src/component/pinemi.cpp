#include "component/pinemi.h"

void PINEMI_TestList(PINEMI*, pinemidomains*, pin*, const char*) {}

void PINEMI_FreeList(PINEMI* pList)
{
    while (pList != nullptr) {
        PINEMI* pNext = pList->pNext;
        delete pList;
        pList = pNext;
    }
}

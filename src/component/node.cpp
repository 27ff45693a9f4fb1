#include "component/node.h"

STATUS NODE_ParseLine(char* sLine, SNODE** ppNode)
{
    KIVO_ASSERT(sLine != nullptr && ppNode != nullptr);
    return SUCCESS;
}

void TestNodeErrors(cmpnt*) {}

void NODE_FreeList(SNODE* pList)
{
    while (pList != nullptr) {
        SNODE* pNext = pList->next;
        delete pList;
        pList = pNext;
    }
}

#include "component/apkg.h"

#include <cstring>
#include <new>

#include "common/errlog.h"

void APKG_ReceiveLine(APKGMODEL** ppApkg_in, const char* psLine_in)
{
    KIVO_ASSERT(ppApkg_in != nullptr && psLine_in != nullptr);
    std::size_t uiLen = std::strlen(psLine_in);
    if (uiLen > APKG_NAME_LEN) {
        ERRLOG_LineErrorNew(1600, psLine_in);
        uiLen = APKG_NAME_LEN;
    }
    if (uiLen == 0) {
        ERRLOG_LineErrorNew(1601);
        return;
    }
    APKGMODEL* pNew = new (std::nothrow) APKGMODEL;
    if (pNew == nullptr) {
        ERRLOG_LineErrorNew(1602);
        return;
    }
    pNew->sModel.assign(psLine_in, uiLen);

    APKGMODEL* pHead = *ppApkg_in;
    if (pHead == nullptr) {
        pNew->pIndex.reset(new (std::nothrow) apkg_index);
        if (pNew->pIndex == nullptr) {
            delete pNew;
            ERRLOG_LineErrorNew(1602);
            return;
        }
        pNew->pIndex->pTail = pNew;
        pNew->pIndex->setNames.insert(pNew->sModel);
        *ppApkg_in = pNew;
        return;
    }
    // A list always starts with a name added here, which carries the index.
    KIVO_ASSERT(pHead->pIndex != nullptr);
    apkg_index& idx = *pHead->pIndex;
    if (!idx.setNames.insert(pNew->sModel).second) ERRLOG_LineErrorNew(1605, pNew->sModel);
    idx.pTail->pNext = pNew;
    idx.pTail = pNew;
}

void APKG_Fini(const APKGMODEL* pApkg)
{
    if (pApkg == nullptr)
        ERRLOG_LineErrorNew(1603);
    else if (pApkg->pNext == nullptr)
        ERRLOG_LineWarnNew(1604);
}

void APKG_TestList(const APKGMODEL*) {}

void APKG_FreeList(APKGMODEL* pApkg)
{
    while (pApkg != nullptr) {
        APKGMODEL* pNext = pApkg->pNext;
        delete pApkg;
        pApkg = pNext;
    }
}

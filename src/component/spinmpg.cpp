#include "component/spinmpg.h"

#include <new>

#include "common/cmn.h"

namespace {

void s_NextWord(const char** ppc, std::string& sOut, std::size_t uiLen)
{
    CMN_EatWhitespace(ppc);
    const char* pStart = *ppc;
    CMN_EatNonWhitespace(ppc);
    std::size_t n = static_cast<std::size_t>(*ppc - pStart);
    sOut.assign(pStart, n < uiLen ? n : uiLen);
}

}  // namespace

STATUS SPINMPG_ParseLine(char* sLine, int iHeaderCount, SPINMPG** ppSpinMpg)
{
    KIVO_ASSERT(sLine != nullptr && ppSpinMpg != nullptr);
    (void)iHeaderCount;
    *ppSpinMpg = new (std::nothrow) SPINMPG;
    if (*ppSpinMpg == nullptr) return FAILURE;
    SPINMPG* p = *ppSpinMpg;
    const char* pc = sLine;
    s_NextWord(&pc, p->sPin1, 5);
    s_NextWord(&pc, p->sPin2, 5);
    s_NextWord(&pc, p->sModel, geFileVersion >= VER_4 ? 40 : 20);
    s_NextWord(&pc, p->sFunc, 20);
    return SUCCESS;
}

SPINMPG* SPINMPG_LinkSpinMpg(SPINMPG** ppSpinMpgs, SPINMPG* pNew)
{
    KIVO_ASSERT(ppSpinMpgs != nullptr && pNew != nullptr);
    SPINMPG** pp = ppSpinMpgs;
    while (*pp != nullptr) pp = &(*pp)->pNext;
    *pp = pNew;
    return pNew;
}

void SPINMPG_TestList(SPINMPG*, pin*, const char*, sswch*) {}

void SPINMPG_FreeList(SPINMPG* pList)
{
    while (pList != nullptr) {
        SPINMPG* pNext = pList->pNext;
        delete pList;
        pList = pNext;
    }
}

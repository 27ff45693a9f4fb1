#include "component/difpin.h"

#include <new>

#include "common/cmn.h"

namespace {

// Copies the next blank- or tab-separated word of *ppc into sOut (at most
// uiLen characters) and moves past it.
void s_NextWord(const char** ppc, std::string& sOut, std::size_t uiLen)
{
    CMN_EatWhitespace(ppc);
    const char* pStart = *ppc;
    CMN_EatNonWhitespace(ppc);
    std::size_t n = static_cast<std::size_t>(*ppc - pStart);
    sOut.assign(pStart, n < uiLen ? n : uiLen);
}

}  // namespace

STATUS DIFPIN_ParseLine(char* sLine, int iHeaderCount, DIFPIN** ppDifPin)
{
    KIVO_ASSERT(sLine != nullptr && ppDifPin != nullptr);
    (void)iHeaderCount;
    *ppDifPin = new (std::nothrow) DIFPIN;
    if (*ppDifPin == nullptr) return FAILURE;
    const char* p = sLine;
    s_NextWord(&p, (*ppDifPin)->sDiff_Pin, 5);
    s_NextWord(&p, (*ppDifPin)->sInv_pin, 5);
    return SUCCESS;
}

DIFPIN* DIFPIN_LinkDIFPIN(DIFPIN** ppDifPins, DIFPIN* pNew)
{
    KIVO_ASSERT(ppDifPins != nullptr && pNew != nullptr);
    DIFPIN** pp = ppDifPins;
    while (*pp != nullptr) pp = &(*pp)->pNext;
    *pp = pNew;
    return pNew;
}

void DIFPIN_TestList(DIFPIN*, pin*, const char*) {}

BOOL DIFPIN_PinExists(const DIFPIN* pDiffPins, const char* sPin)
{
    KIVO_ASSERT(sPin != nullptr);
    for (const DIFPIN* p = pDiffPins; p != nullptr; p = p->pNext)
        if (p->sDiff_Pin == sPin) return TRUE;
    return FALSE;
}

void DIFPIN_FreeList(DIFPIN* pList)
{
    while (pList != nullptr) {
        DIFPIN* pNext = pList->pNext;
        delete pList;
        pList = pNext;
    }
}

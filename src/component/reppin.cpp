#include "component/reppin.h"

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

STATUS REPPIN_ParseLine(char* sLine, REPPIN** ppRepPin)
{
    KIVO_ASSERT(sLine != nullptr && ppRepPin != nullptr);
    *ppRepPin = new (std::nothrow) REPPIN;
    if (*ppRepPin == nullptr) return FAILURE;
    const char* p = sLine;
    s_NextWord(&p, (*ppRepPin)->sRepeater_Pin, 5);
    s_NextWord(&p, (*ppRepPin)->sNonInv_pin, 5);
    return SUCCESS;
}

REPPIN* REPPIN_LinkREPPIN(REPPIN** ppRepPins, REPPIN* pNew)
{
    KIVO_ASSERT(ppRepPins != nullptr && pNew != nullptr);
    REPPIN** pp = ppRepPins;
    while (*pp != nullptr) pp = &(*pp)->pNext;
    *pp = pNew;
    return pNew;
}

void REPPIN_TestList(REPPIN*, pin*, difpin*, const char*) {}

void REPPIN_FreeList(REPPIN* pList)
{
    while (pList != nullptr) {
        REPPIN* pNext = pList->pNext;
        delete pList;
        pList = pNext;
    }
}

#include "component/cmpntemi.h"

#include <new>

namespace {

// The block being read; null when none is open.
CMPNTEMI* gpCmpntEmi = nullptr;

}  // namespace

STATUS CMPNTEMI_ReceiveLine(LINE_TYPE eLineType, KEYWORD_TYPE eLineKeyword, char* sLine,
                            CMPNTEMI** ppCmpntEmi)
{
    KIVO_ASSERT(sLine != nullptr && ppCmpntEmi != nullptr);
    if (eLineType != KEYWORD_LINE) return SUCCESS;
    if (eLineKeyword == BEGIN_EMI_COMPONENT_KEY) {
        CMPNTEMI* pNew = new (std::nothrow) CMPNTEMI;
        if (pNew == nullptr) return FAILURE;
        CMPNTEMI_Free(*ppCmpntEmi);
        *ppCmpntEmi = pNew;
        gpCmpntEmi = pNew;
    } else if (eLineKeyword == END_EMI_COMPONENT_KEY) {
        CMPNTEMI_Fini(eLineKeyword);
    }
    return SUCCESS;
}

void CMPNTEMI_Fini(KEYWORD_TYPE) { gpCmpntEmi = nullptr; }

BOOL CMPNTEMI_InProgress() { return gpCmpntEmi != nullptr ? TRUE : FALSE; }

void CMPNTEMI_Test(cmpnt*, CMPNTEMI*) {}

void CMPNTEMI_Free(CMPNTEMI* pCmpntEmi)
{
    if (pCmpntEmi == nullptr) return;
    if (pCmpntEmi == gpCmpntEmi) gpCmpntEmi = nullptr;
    PINEMI_FreeList(pCmpntEmi->pPinEmi);
    if (pCmpntEmi->pPinEmiDomains != nullptr) {
        PIN_EMI_DOMAIN* p = pCmpntEmi->pPinEmiDomains->pNext;
        while (p != nullptr) {
            PIN_EMI_DOMAIN* pNext = p->pNext;
            delete p->pdValue;
            delete p;
            p = pNext;
        }
        delete pCmpntEmi->pPinEmiDomains;
    }
    delete pCmpntEmi->pCpd;
    delete pCmpntEmi->pC_HeatSink_Gnd;
    delete pCmpntEmi->pC_HeatSink_Float;
    delete pCmpntEmi;
}

void CMPNTEMI_Reset() { gpCmpntEmi = nullptr; }

#include "model/mdlemi.h"

#include <new>

STATUS MDLEMI_New(char*, MDLEMI** ppMdlemi_out)
{
    KIVO_ASSERT(ppMdlemi_out != nullptr);
    MDLEMI_Free(*ppMdlemi_out);
    *ppMdlemi_out = new (std::nothrow) MDLEMI;
    return *ppMdlemi_out != nullptr ? SUCCESS : FAILURE;
}

void MDLEMI_ReceiveLine(char*, MDLEMI*) {}

void MDLEMI_Fini(MDL*) {}

void MDLEMI_Free(MDLEMI* pMdlemi) { delete pMdlemi; }

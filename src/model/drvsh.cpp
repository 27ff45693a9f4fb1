#include "model/drvsh.h"

#include <new>

STATUS DRVSH_New(char*, DRVSH** ppDrvsh_out)
{
    KIVO_ASSERT(ppDrvsh_out != nullptr);
    DRVSH_Free(*ppDrvsh_out);
    *ppDrvsh_out = new (std::nothrow) DRVSH;
    return *ppDrvsh_out != nullptr ? SUCCESS : FAILURE;
}

void DRVSH_ReceiveLine(char*, DRVSH*, const char*) {}

void DRVSH_Fini(DRVSH*, const char*) {}

void DRVSH_Free(DRVSH* pDrvsh)
{
    if (pDrvsh == nullptr) return;
    while (pDrvsh->pModels != nullptr) {
        DRVSH_MODEL* pNext = pDrvsh->pModels->pNext;
        DLY_Free(pDrvsh->pModels->pDlys);
        delete pDrvsh->pModels;
        pDrvsh->pModels = pNext;
    }
    delete pDrvsh;
}

STATUS DRVSH_Test(MDL*) { return SUCCESS; }

#include "algmodel/algmod.h"

#include <new>

STATUS ALGMOD_New(char*, ALGMOD** ppAlgmod_out)
{
    KIVO_ASSERT(ppAlgmod_out != nullptr);
    ALGMOD_Free(*ppAlgmod_out);
    *ppAlgmod_out = new (std::nothrow) ALGMOD;
    return *ppAlgmod_out != nullptr ? SUCCESS : FAILURE;
}

void ALGMOD_ReceiveLine(char*, ALGMOD*) {}
void ALGMOD_Fini(ALGMOD*) {}
STATUS ALGMOD_Test(MDL*) { return SUCCESS; }
void ALGMOD_TestExe(ALGMOD*) {}
void ALGMOD_MarkDone(ALGMOD*, ALGMOD*) {}
void ALGMOD_Free(ALGMOD* pAlgMod) { delete pAlgMod; }

// Algorithmic models: [Algorithmic Model] and the executable probe.
// Stand-in: accepts its lines and reports nothing until the module is built.
#ifndef KIVO_ALGMODEL_ALGMOD_H
#define KIVO_ALGMODEL_ALGMOD_H

#include <string>

#include "common/types.h"
#include "model/mdl.h"

struct algmod {
    int iUnused = 0;
};
typedef algmod ALGMOD;

STATUS ALGMOD_New(char* psLine_in, ALGMOD** ppAlgmod_out);
void ALGMOD_ReceiveLine(char* psLine_in, ALGMOD* pAlgmod_io);
void ALGMOD_Fini(ALGMOD* pAlgMod);
STATUS ALGMOD_Test(MDL* pMdl);
void ALGMOD_TestExe(ALGMOD* pAlgMod);
void ALGMOD_MarkDone(ALGMOD* pTarget, ALGMOD* pSource);
void ALGMOD_Free(ALGMOD* pAlgMod);

#endif

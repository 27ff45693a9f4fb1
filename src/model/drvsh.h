// Driver schedules: [Driver Schedule] of a multi-stage driver and its check
// in the check pass.
// Stand-in: accepts its lines and reports nothing until the module is built.
#ifndef KIVO_MODEL_DRVSH_H
#define KIVO_MODEL_DRVSH_H

#include <string>

#include "common/types.h"
#include "model/dly.h"
#include "model/mdl.h"

struct drvshmodel {
    drvshmodel* pNext = nullptr;
    std::string sModel;  // scheduled model
    DLY* pDlys = nullptr;
};
typedef drvshmodel DRVSH_MODEL;

struct drvsh {
    DRVSH_MODEL* pModels = nullptr;  // newest first
};

STATUS DRVSH_New(char* psLine_in, DRVSH** ppDrvsh_out);
void DRVSH_ReceiveLine(char* psLine_in, DRVSH* pDrvsh_io, const char* sModel);
void DRVSH_Fini(DRVSH* pDrvsh_in, const char* sModel);
void DRVSH_Free(DRVSH* pDrvsh);
STATUS DRVSH_Test(MDL* pMdl);

#endif

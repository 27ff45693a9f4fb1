// Per-stage delays of a [Driver Schedule] entry.
// Stand-in: accepts its lines and reports nothing until the module is built.
#ifndef KIVO_MODEL_DLY_H
#define KIVO_MODEL_DLY_H

#include "common/types.h"

struct dly {
    double dRon = 0.0;
    NUMSTAT eRonStat = NOT_SET;
    double dRoff = 0.0;
    NUMSTAT eRoffStat = NOT_SET;
    double dFon = 0.0;
    NUMSTAT eFonStat = NOT_SET;
    double dFoff = 0.0;
    NUMSTAT eFoffStat = NOT_SET;
};
typedef dly DLY;

STATUS DLY_ParseDly(char* psLine_in, const char* psLabel_in, DLY** ppDly_out);
void DLY_Free(DLY* pDly);

#endif

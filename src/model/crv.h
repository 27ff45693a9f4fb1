// Current-voltage tables ([Pulldown], [Pullup], [GND Clamp], [POWER Clamp],
// [ISSO PD], [ISSO PU], [Series Current], [Series MOSFET]): reading rows,
// checking each row as it arrives and the whole table when its keyword
// closes, and the current at a voltage by linear interpolation.
#ifndef KIVO_MODEL_CRV_H
#define KIVO_MODEL_CRV_H

#include "common/rngp.h"
#include "common/types.h"
#include "model/mdl.h"

// Rows in file order; dValue is the voltage, typ/min/max the currents.
struct crv {
    RNGP* pCurve = nullptr;
};

enum DIRECTION { NO_DIRECTION = 0, INCREASING = 1, DECREASING = 2 };

// Monotonicity tracker of one column.
struct monotonic {
    double dNum = 0.0;        // last value seen
    NUMSTAT eStat = NOT_SET;  // NOT_SET: nothing seen; SET: tracking; NA: found non-monotonic
    DIRECTION eDir = NO_DIRECTION;
};
typedef monotonic MONOTONIC_INFO;

// A voltage with the typical current at it.
struct Isign {
    double dV = 0.0;
    double dI = 0.0;
    NUMSTAT eVstat = NOT_SET;
    NUMSTAT eIstat = NOT_SET;
};

// Most rows a table should have; further rows are kept but reported once.
constexpr int CRV_MAX_ROWS = 100;

// Starts a table on its keyword line.  *ppCrv_out is the owner's field: a
// table already there is reported (1100) and replaced.
STATUS CRV_New(char* psLine_in, const char* psLabel_in, CRV** ppCrv_out);
// One data row of the open table.
void CRV_ReceiveLine(char* psLine_in, CRV* pCrv_io, const char* psLabel_in);
// Whole-table checks when the keyword closes.  eType_in is the owner's model
// type (submodels pass OUTPUT), eCurve_in the table's keyword in model terms,
// label the owner kind printed first ("Model" or "Submodel").
void CRV_Fini(const char* psModel_in, MODEL_TYPE eType_in, KEYWORD_TYPE eCurve_in, CRV* pCrv_in,
              const char* psLabel_in, const char* label);
// Releases rows and record (null is allowed).
void CRV_Free(CRV* pCrv_in);
// Typical, minimum and maximum currents at dVal by linear interpolation over
// the first segment that contains it.  Each output is null or a new double
// that the caller releases with delete.
void CRV_GetRefValCurrent(CRV* pCrv_in, double dVal, double** pdTypVal, double** pdMinVal,
                          double** pdMaxVal);

// Back to program-start state.
void CRV_Reset();

#endif

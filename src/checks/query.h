// Curve arithmetic for the electrical checks: a current-voltage table seen as
// a piecewise-linear function of voltage, one process corner at a time.
// Iteration over the points valid for a corner, the direction of the voltage
// column, interpolation and extrapolation, shifting and mirroring of the
// voltage axis, point-wise sums over the union of two voltage grids, the
// reference voltages of a model per corner, and the all-zero table.
#ifndef KIVO_CHECKS_QUERY_H
#define KIVO_CHECKS_QUERY_H

#include "common/rng.h"
#include "common/rngp.h"
#include "common/types.h"
#include "model/crv.h"
#include "model/mdl.h"

// Process corner.  The values are single bits, so a set of corners is an OR
// of them; any other value selects no column.
enum tagstatprocess { QRY_TYP = 1, QRY_MIN = 2, QRY_MAX = 4 };
typedef tagstatprocess QRY_PROCESS;

// ---------------------------------------------------------------------------
// Points.  An X point has a voltage in state SET; a Y point of a corner is an
// X point whose current of that corner is SET.  A step that finds nothing
// returns null and leaves the outputs unchanged.
// ---------------------------------------------------------------------------
RNGP* qry_ThisXPoint(RNGP* pR, double* pdX);
RNGP* qry_NextXPoint(RNGP* pR, double* pdX);
RNGP* qry_PrevXPoint(RNGP* pR, double* pdX);
RNGP* qry_FirstXPoint(RNGP* pR, double* pdX);
RNGP* qry_LastXPoint(RNGP* pR, double* pdX);
RNGP* qry_ThisYPoint(RNGP* pR, QRY_PROCESS tmm, double* pdX, double* pdY);
RNGP* qry_NextYPoint(RNGP* pR, QRY_PROCESS tmm, double* pdX, double* pdY);
RNGP* qry_PrevYPoint(RNGP* pR, QRY_PROCESS tmm, double* pdX, double* pdY);
RNGP* qry_FirstYPoint(RNGP* pR, QRY_PROCESS tmm, double* pdX, double* pdY);
RNGP* qry_LastYPoint(RNGP* pR, QRY_PROCESS tmm, double* pdX, double* pdY);

// "TYP", "MIN", "MAX"; "UNK" for any other value.
const char* qry_ProcessString(QRY_PROCESS eProcess);
// Reverses the list headed by pR in place; returns the new head (old tail).
RNGP* qry_ReverseRngpLinks(RNGP* pR);
// 1 when the list is absent or has fewer than two Y points of the corner.
int qry_RngpIsBad(RNGP* pRngp, QRY_PROCESS tmm);
// The corner's value of a triple when it is SET (no fallback to typical): 1
// and *vref; else 0 and *vref unchanged.
int qry_GetRngVal(RNG* pRng, QRY_PROCESS tmm, double* vref);
// The four reference voltages of a model for one corner.
void qry_GetRefs4Process(MDL* pMdl, QRY_PROCESS eProcess, double* pdPOWER_Clamp_Ref,
                         double* pdPullup_Ref, double* pdGND_Clamp_Ref, double* pdPulldown_Ref);
// Adds dShift to the voltage of every point whose voltage is given (SET or NA).
void qry_ShiftX(RNGP* pR, double dShift);
// Flips the sign of the voltage of every point whose voltage is given.
void qry_NegateX(RNGP* pR);
// Direction of the voltage column: 1 ascending, -1 descending, 0 undetermined.
int qry_ValueDirection(RNGP* pR);
void qry_UnsetPoint(RNGP* pR);
// Sets the voltage and the corner's current (an unknown corner sets only X).
void qry_SetPoint(RNGP* pR, QRY_PROCESS eProcess, double x, double y);

// Current of a table at a voltage for one corner, interpolated inside the
// table and extrapolated along its first or last segment outside it.  0 when
// the table is absent or empty, its direction undetermined, or the corner
// has no Y point.
int qry_Y(CRV* pCrv, double dVoltage, QRY_PROCESS tmm, double* pdCurrent);
// The same on a bare list of known direction.  *ppR is where the search
// starts and, on return, where a search for a voltage further along the
// list's direction may resume.
int qry_YRngp(RNGP** ppR, int direction, double dVoltage, QRY_PROCESS tmm, double* pdCurrent);
// Sets corner tmm of pR to the sum of both lists' currents at x (a list that
// has none contributes 0); leaves it alone when neither has one.
void qry_AddYRngpAtX(RNGP** ppR1, RNGP** ppR2, int direction, double x, QRY_PROCESS tmm, RNGP* pR);
// Point-wise sum of two tables over the union of their voltage grids (merged
// within 1e-5), ascending, carrying the corners of iProcess.  A new table the
// caller releases with CRV_Free; null when memory runs out.  The inputs are
// returned in the order they were given.
CRV* qry_AddCrvsProcess(CRV* pC1, CRV* pC2, int iProcess);
// Shared constant table: points at 0 V and 1 V with zero current in every
// corner.  Never free or modify it.
CRV* qry_NullYFriendlyCrv(void);

#endif

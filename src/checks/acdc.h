// Model curve checks: relates each model's DC tables to one another and to
// its AC data, per process corner.  Builds the combined pull-down and pull-up
// characteristics in one ground-referenced frame, checks their monotonicity,
// solves the driver's operating points into the waveform fixtures, the ramp
// load and the timing test load, compares the ISSO tables with the pull-up
// and pull-down, and flags excessive clamp currents, currents an open-ended
// model must not drive, and clamps that dynamic-clamp submodels make
// non-monotonic.
#ifndef KIVO_CHECKS_ACDC_H
#define KIVO_CHECKS_ACDC_H

#include "checks/query.h"
#include "common/rng.h"
#include "common/types.h"
#include "model/crv.h"
#include "model/mdl.h"
#include "model/submdl.h"
#include "model/wvfrm.h"

// Every model of the list, in list order; returns how many failed.
int acdc_CheckAllModels(MDL* pMdl);
// One model: 0 when a corner check, the clamp-current check or the
// open-ended check failed, else 1.
int acdc_CheckModel(MDL* pMdl);
// The combined-characteristic checks of one corner.
int acdc_CheckModelProcess(MDL* pMdl, QRY_PROCESS eProcess);

// DC operating point of a table (ascending voltages) loaded by a resistor
// r_fix to v_fix; v_ac_intercept picks among several crossings.  1 and the
// point when one was found, else 0.
int acdc_VI_Given_VIC_VR(CRV* pCrv, double v_fix, double r_fix, QRY_PROCESS eProcess,
                         double v_ac_intercept, double* pdVoltage, double* pdCurrent);
// Intersection of y = m1 x + b1 and y = m2 x + b2; 0 (outputs untouched) for
// parallel lines.
int acdc_Interesction(double m1, double b1, double m2, double b2, double* x, double* y);

// The load checks of one corner (0 when they reported a warning or error;
// the ramp check always returns 1).
int acdc_CheckModelProcessRamp(MDL* pMdl, QRY_PROCESS eProcess, CRV* pCrv_Low, CRV* pCrv_High);
int acdc_CheckModelProcessWave(MDL* pMdl, QRY_PROCESS eProcess, WVFRM* pW, CRV* pCrv_Low,
                               CRV* pCrv_High, int is_rising);
int acdc_CheckModelProcessTestLoad(MDL* pMdl, QRY_PROCESS eProcess, CRV* pCrv_Low, CRV* pCrv_High);

// [ISSO PU] and [ISSO PD] against [Pullup] and [Pulldown].
void acdc_checkIsso(MDL* pMdl, QRY_PROCESS eProcess);
// Clamp currents at -1.5 V.
int acdc_CheckShuntCurrents(MDL* pMdl);
int acdc_CurrentNotExcessive(CRV* pC, const char* sModel, const char* sCurve, double dV, double dMaxI);
// Open-drain, open-sink and open-source models against the tables they
// must not drive.
int acdc_CheckOpenEndedCurrents(MDL* pMdl);
// 1 when any point with a voltage has a non-zero current in any corner.
int acdc_CurrentNotZero(CRV* pC);

// Clamps combined with the dynamic-clamp submodels each model adds.
int acdc_CheckAllSubModels(MDL* pMdl, SUBMDL* pSubMdl);
int acdc_CheckSubModelClamps(MDL* pMdl, SUBMDL* pSubMdl, QRY_PROCESS eProcess);

// Reference voltages of the ramp and ISSO checks: 1 and *pdVal, or 0 when
// the corner has none.
int acdc_getPullupReference(RNG* pRef, RNG* pVr, QRY_PROCESS eProcess, double* pdVal);
int acdc_getPulldownReference(RNG* pRef, QRY_PROCESS eProcess, double* pdVal);

#endif

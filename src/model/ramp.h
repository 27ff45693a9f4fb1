// [Ramp]: the rising and falling slew of a driver as dV/dt ratios per corner,
// and the load resistance of the measurement.
#ifndef KIVO_MODEL_RAMP_H
#define KIVO_MODEL_RAMP_H

#include "common/types.h"

// One direction of a ramp; each ratio is kept as its two parts.
struct rampline {
    double dTyp_dV = 0.0;
    double dTyp_dt = 0.0;
    NUMSTAT eTypStat = NOT_SET;
    double dMin_dV = 0.0;
    double dMin_dt = 0.0;
    NUMSTAT eMinStat = NOT_SET;
    double dMax_dV = 0.0;
    double dMax_dt = 0.0;
    NUMSTAT eMaxStat = NOT_SET;
};
typedef rampline RAMPLINE;

struct ramp {
    RAMPLINE* pD_r = nullptr;  // dV/dt_r, null when absent
    RAMPLINE* pD_f = nullptr;  // dV/dt_f
    double dRload = 0.0;       // R_load
    NUMSTAT eRloadStat = NOT_SET;
};
typedef ramp RAMP;

enum RAMP_SUB { NOT_RAMP_SUB = 0, DT_R = 1, DT_F = 2, R_LOAD = 3 };

// Starts a [Ramp] on its keyword line; a ramp already in *ppRamp_out is
// reported (1300) and replaced.
STATUS RAMP_New(char* psLine_in, RAMP** ppRamp_out);
// One subparameter line; sModel_in names the owner in messages.
void RAMP_ReceiveLine(char* psLine_in, RAMP* pRamp_io, const char* sModel_in);
// Checks that both directions were given.
void RAMP_Fini(RAMP* pRamp_in);
// Releases the record (null is allowed).
void RAMP_Free(RAMP* pRamp_in);

// Back to program-start state.
void RAMP_Reset();

#endif

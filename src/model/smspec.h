// [Submodel Spec]: a submodel's trigger voltages and off delay.
#ifndef KIVO_MODEL_SMSPEC_H
#define KIVO_MODEL_SMSPEC_H

#include "common/rng.h"
#include "common/types.h"
#include "model/submdl.h"

struct smspec {
    RNG* pVtrigR = nullptr;    // V_trigger_r
    RNG* pVtrigF = nullptr;    // V_trigger_f
    RNG* pOffDelay = nullptr;  // Off_delay
};
typedef smspec SMSPEC;

enum SMSPEC_SUB { NOT_SMSPEC_SUB = 0, SMSPEC_VTRIGR = 1, SMSPEC_VTRIGF = 2, SMSPEC_OFFDELAY = 3 };

// Starts a [Submodel Spec]; a record already in *ppSmSpec_out is reported
// (2700) and replaced.
STATUS SMSPEC_New(char* psLine_in, SMSPEC** ppSmSpec_out);
// One subparameter line; sModel names the submodel in messages.
void SMSPEC_ReceiveLine(char* psLine_in, SMSPEC* pSmSpec_io, const char* sModel);
// Closing check: at least one value.
void SMSPEC_Fini(SUBMDL* pSubMdl_in);
// Releases the record (null is allowed).
void SMSPEC_Free(SMSPEC* pSmSpec_in);

// Back to program-start state.
void SMSPEC_Reset();

#endif

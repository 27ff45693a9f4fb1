// [Model Spec]: a model's thresholds, overshoot and pulse limits, timing
// test-load references and weak-driver values, each a typ/min/max triple,
// checked against one another when the keyword closes.
#ifndef KIVO_MODEL_MSPEC_H
#define KIVO_MODEL_MSPEC_H

#include "common/rng.h"
#include "common/types.h"
#include "model/mdl.h"

struct mspec {
    BOOL bHysteresisThresholdsAll = FALSE;  // all of Vinh+, Vinh-, Vinl+, Vinl- given
    RNG* pVinh = nullptr;
    RNG* pVinl = nullptr;
    RNG* pVinhP = nullptr;  // Vinh+
    RNG* pVinhM = nullptr;  // Vinh-
    RNG* pVinlP = nullptr;  // Vinl+
    RNG* pVinlM = nullptr;  // Vinl-
    RNG* pSOshootL = nullptr;
    RNG* pSOshootH = nullptr;
    RNG* pDOshootL = nullptr;
    RNG* pDOshootH = nullptr;
    RNG* pDOshootT = nullptr;
    RNG* pPulseH = nullptr;
    RNG* pPulseL = nullptr;
    RNG* pPulseT = nullptr;
    RNG* pVmeas = nullptr;
    RNG* pVref = nullptr;
    RNG* pCref = nullptr;
    RNG* pRref = nullptr;
    RNG* pRref_diff = nullptr;
    RNG* pCref_diff = nullptr;
    RNG* pVrefRising = nullptr;
    RNG* pVrefFalling = nullptr;
    RNG* pCrefRising = nullptr;
    RNG* pCrefFalling = nullptr;
    RNG* pRrefRising = nullptr;
    RNG* pRrefFalling = nullptr;
    RNG* pVmeasRising = nullptr;
    RNG* pVmeasFalling = nullptr;
    RNG* pDOshootAmpH = nullptr;
    RNG* pDOshootAmpL = nullptr;
    RNG* pDOshootAreaH = nullptr;
    RNG* pDOshootAreaL = nullptr;
    RNG* pWeakR = nullptr;
    RNG* pWeakV = nullptr;
    RNG* pWeakI = nullptr;
};
typedef mspec MSPEC;

enum MSPEC_SUB {
    NOT_MSPEC_SUB = 0,
    MSPEC_VINH,
    MSPEC_VINL,
    MSPEC_VINHP,
    MSPEC_VINHM,
    MSPEC_VINLP,
    MSPEC_VINLM,
    MSPEC_SOSHOOTH,
    MSPEC_SOSHOOTL,
    MSPEC_DOSHOOTH,
    MSPEC_DOSHOOTL,
    MSPEC_DOSHOOTT,
    MSPEC_PULSEH,
    MSPEC_PULSEL,
    MSPEC_PULSET,
    MSPEC_VMEAS,
    MSPEC_VREF,
    MSPEC_CREF,
    MSPEC_RREF,
    MSPEC_RREF_DIFF,
    MSPEC_CREF_DIFF,
    MSPEC_VREF_RISING,
    MSPEC_VREF_FALLING,
    MSPEC_CREF_RISING,
    MSPEC_CREF_FALLING,
    MSPEC_RREF_RISING,
    MSPEC_RREF_FALLING,
    MSPEC_VMEAS_RISING,
    MSPEC_VMEAS_FALLING,
    MSPEC_DOSHOOT_AMPH,
    MSPEC_DOSHOOT_AMPL,
    MSPEC_DOSHOOT_AREAH,
    MSPEC_DOSHOOT_AREAL,
    MSPEC_WEAK_R,
    MSPEC_WEAK_V,
    MSPEC_WEAK_I
};

// Relation a range check requires.
enum OP_TYPE { OP_LT = 0, OP_GT = 1, OP_LE = 2, OP_GE = 3 };

// Starts a [Model Spec]; a record already in *ppMspec_out is reported (3800)
// and replaced.
STATUS MSPEC_New(char* psLine_in, MSPEC** ppMspec_out);
// One subparameter line; sModel names the model in messages.
void MSPEC_ReceiveLine(char* psLine_in, MSPEC* pMspec_io, const char* sModel);
// Closing checks of the model's [Model Spec].
void MSPEC_Fini(MDL* pMdl_in);
// Releases the record (null is allowed).
void MSPEC_Free(MSPEC* pMspec_in);

// Back to program-start state.
void MSPEC_Reset();

#endif

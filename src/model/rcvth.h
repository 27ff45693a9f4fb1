// [Receiver Thresholds]: single values for a receiver's thresholds, slews and
// reference supply, and the check, after the whole file is read, that the
// set suited to single-ended or differential use is present.
#ifndef KIVO_MODEL_RCVTH_H
#define KIVO_MODEL_RCVTH_H

#include <string>

#include "common/types.h"
#include "model/mdl.h"

struct rcvth {
    double* pdVth = nullptr;
    double* pdVthMin = nullptr;
    double* pdVthMax = nullptr;
    double* pdVinhAc = nullptr;
    double* pdVinhDc = nullptr;
    double* pdVinlAc = nullptr;
    double* pdVinlDc = nullptr;
    double* pdThresholdSensitivity = nullptr;
    std::string* psReferenceSupply = nullptr;  // the Reference_supply word
    double* pdVcrossLow = nullptr;
    double* pdVcrossHigh = nullptr;
    double* pdVdiffAc = nullptr;
    double* pdVdiffDc = nullptr;
    double* pdTslewAc = nullptr;
    double* pdTdiffslewAc = nullptr;
};
typedef rcvth RCVTH;

enum RCVTH_SUB {
    NOT_RCVTH_SUB = 0,
    RCVTH_VTH = 1,
    RCVTH_VTH_MIN = 2,
    RCVTH_VTH_MAX = 3,
    RCVTH_VINH_AC = 4,
    RCVTH_VINH_DC = 5,
    RCVTH_VINL_AC = 6,
    RCVTH_VINL_DC = 7,
    RCVTH_THRESHOLD_SENSITIVITY = 8,
    RCVTH_REFERENCE_SUPPLY = 9,
    RCVTH_VCROSS_LOW = 10,
    RCVTH_VCROSS_HIGH = 11,
    RCVTH_VDIFF_AC = 12,
    RCVTH_VDIFF_DC = 13,
    RCVTH_TSLEW_AC = 14,
    RCVTH_TDIFFSLEW_AC = 15
};

// Starts a [Receiver Thresholds]; a record already in *ppRcvth_out is
// reported (3200) and replaced.
STATUS RCVTH_New(char* psLine_in, RCVTH** ppRcvth_out);
// One subparameter line; sModel names the model.
void RCVTH_ReceiveLine(char* psLine_in, RCVTH* pRcvth_io, const char* sModel);
// Closing check of the model's [Receiver Thresholds].
void RCVTH_Fini(MDL* pMdl_in);
// Releases the record (null is allowed).
void RCVTH_Free(RCVTH* pRcvth_in);
// Check pass, over the whole model list: each model with [Receiver
// Thresholds] must give the values its use (differential pair or not) needs.
STATUS RCVTH_Check(MDL* pMdl_in);

// Back to program-start state.
void RCVTH_Reset();

#endif

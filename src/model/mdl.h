// Models: the [Model] record and its subparameters, the one-line typ/min/max
// keywords, the routing of every model keyword to the module that reads it,
// the end-of-model checks and the model queries other sections use.
// Also holds, for now, the [External Model] record and the [External Circuit]
// section, which are read silently until their own reader exists.
#ifndef KIVO_MODEL_MDL_H
#define KIVO_MODEL_MDL_H

#include <string>

#include "common/types.h"

struct rng;
struct crv;
struct ramp;
struct wvfrm;
struct mspec;
struct rcvth;
struct drvsh;
struct sinfo;
struct addsubmdl;
struct algmod;
struct mdlemi;
struct idly;
struct ccomp_corner;
struct submdl;

// Model_type values; io_types holds their words (index = value - 2).
enum MODEL_TYPE {
    TYPE_NOT_SET = 0,
    NO_TYPE = 1,
    INPUT = 2,
    OUTPUT = 3,
    IO = 4,
    THREE_STATE = 5,
    OPEN_DRAIN = 6,
    IO_OPEN_DRAIN = 7,
    OPEN_SINK = 8,
    IO_OPEN_SINK = 9,
    OPEN_SOURCE = 10,
    IO_OPEN_SOURCE = 11,
    INPUT_ECL = 12,
    OUTPUT_ECL = 13,
    IO_ECL = 14,
    TERMINATOR = 15,
    SERIES = 16,
    SERIES_SWITCH = 17,
    THREE_STATE_ECL = 18,
    IO_DIFF = 19,
    OUTPUT_DIFF = 20,
    TRI_STATE_DIFF = 21,
    INPUT_DIFF = 22
};

enum MODEL_POLARITY { POLARITY_NOT_SET = 0, NO_POLARITY = 1, NON_INVERTING = 2, INVERTING = 3 };
enum MODEL_ENABLE { ENABLE_NOT_SET = 0, NO_ENABLE = 1, ACTIVE_HIGH = 2, ACTIVE_LOW = 3 };
enum MDL_USAGE { USAGE_DIFFERENTIAL = 0, USAGE_SINGLE_ENDED = 1, USAGE_NOTKNOWN = 2 };

// Subparameter identifiers of [Model] and (from LANGUAGE on) [External Model].
enum MODEL_SUB {
    NOT_MODEL_SUB = 0,
    IO_TYPE = 1,
    POLARITY = 2,
    ENABLE = 3,
    VINL = 4,
    VINH = 5,
    VMEAS = 6,
    CREF = 7,
    RREF = 8,
    VREF = 9,
    RREF_DIFF = 10,
    CREF_DIFF = 11,
    C_COMP = 12,
    C_COMP_PULLUP = 13,
    C_COMP_PULLDOWN = 14,
    C_COMP_POWER_CLAMP = 15,
    C_COMP_GND_CLAMP = 16,
    LANGUAGE = 17,
    CORNER = 18,
    PORTS = 19,
    D2A = 20,
    A2D = 21,
    PARAMETERS = 22,
    PORT_TYPE = 23,
    CONVERTER_PARAMETERS = 24,
    TYP = 25,
    MIN = 26,
    MAX = 27,
    SPICE = 28,
    VHDL = 29,
    VERILOG = 30,
    ISS = 31,
    VHDLA = 32,
    VERILOGA = 33
};

// [External Model] record.  Placeholder until the external-model reader
// exists: its lines are accepted without checks.
struct extern_mdl {
    int language = 0;
};
typedef extern_mdl EXTMDL;

typedef rng RNG;
typedef crv CRV;
typedef ramp RAMP;
typedef wvfrm WVFRM;
typedef mspec MSPEC;
typedef rcvth RCVTH;
typedef drvsh DRVSH;
typedef sinfo SINFO;
typedef addsubmdl ADD_SUBMDL;
typedef algmod ALGMOD;
typedef mdlemi MDLEMI;
typedef idly IDLY;
typedef ccomp_corner CCORNER;

// One [Model].  Every pointer is owned by the record and null while the
// keyword or subparameter is absent.
struct mdl {
    mdl* pNext = nullptr;
    std::string sModel;  // at most 40 characters (20 before version 4.2)
    MODEL_TYPE eType = TYPE_NOT_SET;
    MODEL_POLARITY ePolarity = POLARITY_NOT_SET;
    MODEL_ENABLE eEnable = ENABLE_NOT_SET;
    double* pdVinl = nullptr;
    double* pdVinh = nullptr;
    RNG* pC_comp = nullptr;
    RNG* pC_comp_pullup = nullptr;
    RNG* pC_comp_pulldown = nullptr;
    RNG* pC_comp_power_clamp = nullptr;
    RNG* pC_comp_gnd_clamp = nullptr;
    double* pdVmeas = nullptr;
    double* pdCref = nullptr;
    double* pdRref = nullptr;
    double* pdVref = nullptr;
    double* pdCref_diff = nullptr;
    double* pdRref_diff = nullptr;
    RNG* pTemp_Range = nullptr;
    RNG* pVoltage_Range = nullptr;
    RNG* pPullup_Ref = nullptr;
    RNG* pPulldown_Ref = nullptr;
    RNG* pPOWER_Clamp_Ref = nullptr;
    RNG* pGND_Clamp_Ref = nullptr;
    RNG* pExternal_Ref = nullptr;
    CCORNER* pCcompCorner = nullptr;
    RNG* pTTgnd = nullptr;
    RNG* pTTpower = nullptr;
    DRVSH* pDrvsh = nullptr;
    MSPEC* pMspec = nullptr;
    RCVTH* pRcvth = nullptr;
    SINFO* pOn = nullptr;   // [On] block; for Series models the only block
    SINFO* pOff = nullptr;  // [Off] block
    ADD_SUBMDL* pSubMdl = nullptr;
    CRV* pPulldown = nullptr;
    CRV* pPullup = nullptr;
    CRV* pGND_Clamp = nullptr;
    CRV* pPOWER_Clamp = nullptr;
    RNG* pRgnd = nullptr;
    RNG* pRpower = nullptr;
    RNG* pRac = nullptr;
    RNG* pCac = nullptr;
    RAMP* pRamp = nullptr;
    WVFRM* pRising = nullptr;   // [Rising Waveform] tables in file order
    WVFRM* pFalling = nullptr;  // [Falling Waveform] tables in file order
    EXTMDL* external = nullptr;
    ALGMOD* pAlgModel = nullptr;  // [Algorithmic Model]
    CRV* pIssoPu = nullptr;
    CRV* pIssoPd = nullptr;
    MDLEMI* pMdlemi = nullptr;
    IDLY* pIdly = nullptr;
    int isReferenced = 0;
    MDL_USAGE usage = USAGE_NOTKNOWN;
};
typedef mdl MDL;

// ---------------------------------------------------------------------------
// Section operations, called by the router for KIVO files.
// ---------------------------------------------------------------------------
STATUS MDL_Init();
STATUS MDL_ReceiveLine(LINE_TYPE eTyp_in, KEYWORD_TYPE eKeyword_in, char* sLine_in);
STATUS MDL_Fini(KEYWORD_TYPE eNewKeyword);

// ---------------------------------------------------------------------------
// Records and lists.
// ---------------------------------------------------------------------------
STATUS MDL_New(MDL** ppMdl);
void MDL_AddLink(MDL* pNew, MDL* pPrev);
void MDL_Free(MDL* pMdl_in);
void MDL_FreeList(MDL* pMdl);

// ---------------------------------------------------------------------------
// Queries.
// ---------------------------------------------------------------------------
// First model of the list with exactly that name: marks it referenced and
// returns SUCCESS, else FAILURE.
STATUS MDL_NameExists(const char* psName_in, MDL* pMdl_in);
// Same search without marking; null when absent (or the list is empty).
MDL* MDL_FindModel(const char* psName_in, MDL* pMdl_in);
// Type of the named model; FAILURE when there is no such model.
STATUS MDL_GetType(MDL* pMdlList, const char* sModelName_in, MODEL_TYPE* eType_out);
// The Model_type word of t; null for TYPE_NOT_SET, NO_TYPE and unknown values.
void MDL_FindTypeName(MODEL_TYPE t, const char** name);
// The Model_type word of t, or "No Type" when it has none.
const char* MDL_TypeWord(MODEL_TYPE t);
// The model being read (null between models).
MDL* MDL_GetCurrentModel();

// Model-type groups.
BOOL MDL_IsReceiverType(MODEL_TYPE t);  // inputs and bidirectionals, not differential
int mdl_etype_output(MODEL_TYPE t);     // 1 for the driver types, else 0

// ---------------------------------------------------------------------------
// Check pass.
// ---------------------------------------------------------------------------
// Warns about the first model (newest first) that nothing references.
void MDL_TestMdlReference(MDL* pMdl);
void MDL_TestSubMdlReferences(MDL* pMdl, submdl* pSubMdl);
void MDL_TestSubMdls(MDL* pMdl, submdl* pSubMdl);

// Back to program-start state.
void MDL_Reset();

// ---------------------------------------------------------------------------
// [External Circuit] (read silently for now).
// ---------------------------------------------------------------------------
struct extern_cir {
    extern_cir* pNext = nullptr;
};
typedef extern_cir EXTCIR;

void EXT_CIR_Init();
STATUS EXT_ReceiveLine(LINE_TYPE eLineType, KEYWORD_TYPE eKeyword, char* sLine);
STATUS EXT_Fini(KEYWORD_TYPE eNewKeyword);
void EXT_AddLink(EXTCIR* pNew, EXTCIR* pPrev);
void EXT_FreeList(EXTCIR* pList);

#endif

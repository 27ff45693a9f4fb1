// Series-element blocks of Series and Series_switch models ([On], [Off] and
// the series keywords that fill them).
// Stand-in: accepts its lines and reports nothing until the module is built.
#ifndef KIVO_MODEL_SINFO_H
#define KIVO_MODEL_SINFO_H

#include "common/rng.h"
#include "common/types.h"
#include "model/mdl.h"
#include "model/smos.h"

struct sinfo {
    RNG* pRs = nullptr;   // [R Series]
    RNG* pLs = nullptr;   // [L Series]
    RNG* pRls = nullptr;  // [Rl Series]
    RNG* pCs = nullptr;   // [C Series]
    RNG* pRcs = nullptr;  // [Rc Series]
    RNG* pLcs = nullptr;  // [Lc Series]
    CRV* pIs = nullptr;   // [Series Current]
    SMOS* pIms = nullptr; // [Series MOSFET] tables in file order
};

// [On] or [Off] (key "[On]" or "[Off]"): a block already in *ppSinfo_out is
// replaced.
STATUS SINFO_New(char* psLine_in, SINFO** ppSinfo_out, const char* key);
// A block made implicitly by a series keyword.
STATUS SINFO_Alloc(SINFO** ppSinfo_out);
void SINFO_Test(SINFO* pSinfo, const char* sModel, const char* key);
void SINFO_Free(SINFO* pSinfo);

#endif

// One typ/min/max triple read from a line.
#ifndef KIVO_COMMON_RNG_H
#define KIVO_COMMON_RNG_H

#include "common/types.h"

struct rng {
    double dTyp = 0.0;
    NUMSTAT eTypStat = NOT_SET;
    double dMin = 0.0;
    NUMSTAT eMinStat = NOT_SET;
    double dMax = 0.0;
    NUMSTAT eMaxStat = NOT_SET;
};
typedef rng RNG;

// Reads the three columns of psLine_in into a new record (handed back even
// when a column is bad, in which case the result is FAILURE).  psLabel_in
// names the quantity in messages; doWarning TRUE checks that typ lies
// between min and max.
STATUS RNG_ParseRange(const char* psLine_in, const char* psLabel_in, RNG** ppRng_out, BOOL doWarning);
// Releases the record (null is allowed).
void RNG_Free(RNG* pRng);

#endif

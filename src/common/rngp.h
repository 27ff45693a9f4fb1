// One table row (independent value and typ/min/max) as a node of a doubly
// linked list forming a curve or waveform.
#ifndef KIVO_COMMON_RNGP_H
#define KIVO_COMMON_RNGP_H

#include "common/types.h"

struct rngp {
    rngp* pNext = nullptr;
    rngp* pPrev = nullptr;
    double dValue = 0.0;
    NUMSTAT eValueStat = NOT_SET;
    double dTyp = 0.0;
    NUMSTAT eTypStat = NOT_SET;
    double dMin = 0.0;
    NUMSTAT eMinStat = NOT_SET;
    double dMax = 0.0;
    NUMSTAT eMaxStat = NOT_SET;
};
typedef rngp RNGP;

// Reads one row into a new record; psCol_in names the first column.
STATUS RNGP_ParseLine(const char* psLine_in, const char* psLabel_in, const char* psCol_in,
                      RNGP** ppRngp_out);
// Appends pNewRngp_io to the list headed by *ppRngp_io (it becomes the head
// of an empty list); *iCnt_out receives the rows now in the list.  With
// checkDuplicates TRUE, each earlier row with the same first value draws 1403.
void RNGP_LinkLine(RNGP** ppRngp_io, RNGP* pNewRngp_io, int* iCnt_out, BOOL checkDuplicates);
// A new empty row.
STATUS RNGP_New(RNGP** ppRngp_out);
// SUCCESS and the previous row, or FAILURE at the head.
STATUS RNGP_Prev(RNGP* pRngp_in, RNGP** ppPrev_out);
// Releases the row and every row after it (iteratively).
void RNGP_FreeList(RNGP* pRngp_in);

// Back to program-start state.
void RNGP_Reset();

#endif

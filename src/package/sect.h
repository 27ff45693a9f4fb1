// One R/L/C section of a package or board path: a length and the resistance,
// inductance and capacitance per unit length, written as Len=, R=, L=, C=
// items closed by a "/".
#ifndef KIVO_PACKAGE_SECT_H
#define KIVO_PACKAGE_SECT_H

#include <optional>

#include "common/types.h"

struct sect {
    std::optional<double> pdLen;  // absent when the item was not given
    std::optional<double> pdL;
    std::optional<double> pdR;
    std::optional<double> pdC;
};
typedef sect SECT;

// Reads one section from psLine_in.  SUCCESS with *ppSect_out null: the text
// holds no further section.  SUCCESS with a section: *ppsLine_out points past
// its "/".  FAILURE: the text ended before the closing "/" (reported, the
// items read are discarded).
STATUS SECT_ParseSection(char* psLine_in, SECT** ppSect_out, char** ppsLine_out);
void SECT_Free(SECT* pSect);

#endif

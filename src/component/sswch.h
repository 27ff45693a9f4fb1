// Series switch groups: the rows of a component's [Series Switch Groups],
// each "On" or "Off" and the switch functions that change together.
// Stand-in: each data line becomes an empty group and nothing is reported
// until the groups' own rules are built.
#ifndef KIVO_COMPONENT_SSWCH_H
#define KIVO_COMPONENT_SSWCH_H

#include <string>
#include <vector>

#include "common/types.h"

struct spinmpg;

struct sswch {
    sswch* pNext = nullptr;
    std::string sState;                   // "On" or "Off"
    std::vector<std::string> psFunctions;  // function names, at most 20 each
    unsigned uiNumF = 0;
};
typedef sswch SSWCH;

STATUS SSWCH_ParseLine(char* sLine, SSWCH** ppSswch);
SSWCH* SSWCH_LinkSswch(SSWCH** ppSswchs, SSWCH* pNew);
// pSswch is already one of the list's groups.
BOOL SSWCH_isLinked(const SSWCH* pList, const SSWCH* pSswch);
void SSWCH_TestList(SSWCH* pSswchList, spinmpg* pSpinMpgList, const char* sComponent);
BOOL SSWCH_HasFunction(const SSWCH* pSswchList, const char* sFunction);
void SSWCH_FreeList(SSWCH* pList);

#endif

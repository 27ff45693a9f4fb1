// Series pin mapping: the rows of a component's [Series Pin Mapping] table,
// each two pins joined through a series model (or model selector) and an
// optional switch function.
// Stand-in: rows keep their words and nothing is reported until the
// table's own rules are built.
#ifndef KIVO_COMPONENT_SPINMPG_H
#define KIVO_COMPONENT_SPINMPG_H

#include <string>

#include "common/types.h"

struct pin;
struct sswch;

struct spinmpg {
    spinmpg* pNext = nullptr;
    int iColumnCount = 0;
    std::string sPin1;   // at most 5
    std::string sPin2;   // at most 5
    std::string sModel;  // model or model selector, at most 40 (20 before 4.2)
    std::string sFunc;   // function_table_group, at most 20; empty if absent
};
typedef spinmpg SPINMPG;

STATUS SPINMPG_ParseLine(char* sLine, int iHeaderCount, SPINMPG** ppSpinMpg);
SPINMPG* SPINMPG_LinkSpinMpg(SPINMPG** ppSpinMpgs, SPINMPG* pNew);
void SPINMPG_TestList(SPINMPG* pSpinMpgList, pin* pPins, const char* sComponent, sswch* pSswch);
void SPINMPG_FreeList(SPINMPG* pList);

#endif

// Repeater pins: the rows of a component's [Repeater Pin] table, each the
// receiving pin of a repeater and its transmitting pin.
// Stand-in: rows keep their two pin names and nothing is reported until the
// table's own rules are built.
#ifndef KIVO_COMPONENT_REPPIN_H
#define KIVO_COMPONENT_REPPIN_H

#include <string>

#include "common/types.h"

struct pin;
struct difpin;

struct reppin {
    reppin* pNext = nullptr;
    std::string sRepeater_Pin;  // receiving pin, at most 5
    std::string sNonInv_pin;    // tx_non_inv_pin, at most 5
};
typedef reppin REPPIN;

STATUS REPPIN_ParseLine(char* sLine, REPPIN** ppRepPin);
REPPIN* REPPIN_LinkREPPIN(REPPIN** ppRepPins, REPPIN* pNew);
void REPPIN_TestList(REPPIN* pRepPinList, pin* pPinList, difpin* pDiffPins, const char* sComponent);
void REPPIN_FreeList(REPPIN* pList);

#endif

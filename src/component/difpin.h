// Differential pins: the rows of a component's [Diff Pin] table, each a pin
// and its inverting partner with the pair's threshold and delays.
// Stand-in: rows keep their two pin names; no other column is read and
// nothing is reported until the table's own rules are built.
#ifndef KIVO_COMPONENT_DIFPIN_H
#define KIVO_COMPONENT_DIFPIN_H

#include <string>

#include "common/types.h"

struct pin;

struct difpin {
    difpin* pNext = nullptr;
    int iColumnCount = 0;
    std::string sDiff_Pin;  // at most 5
    std::string sInv_pin;   // at most 5
    double dVdiff = 0.0;
    NUMSTAT eVdiff = NOT_SET;
    double dTdelay_typ = 0.0;
    NUMSTAT eTdelay_typ = NOT_SET;
    double dTdelay_min = 0.0;
    NUMSTAT eTdelay_min = NOT_SET;
    double dTdelay_max = 0.0;
    NUMSTAT eTdelay_max = NOT_SET;
};
typedef difpin DIFPIN;

// One data row into a new record (*ppDifPin); FAILURE only when no record
// could be made.
STATUS DIFPIN_ParseLine(char* sLine, int iHeaderCount, DIFPIN** ppDifPin);
// Appends the row at the end of the list; returns it.
DIFPIN* DIFPIN_LinkDIFPIN(DIFPIN** ppDifPins, DIFPIN* pNew);
void DIFPIN_TestList(DIFPIN* pDifPinList, pin* pPinList, const char* sComponent);
// Some row's first pin equals sPin (with case).
BOOL DIFPIN_PinExists(const DIFPIN* pDiffPins, const char* sPin);
void DIFPIN_FreeList(DIFPIN* pList);

#endif

// Pin mapping: the rows of a component's [Pin Mapping] table, giving for each
// pin the bus labels of its pull-down, pull-up, ground-clamp, power-clamp and
// external references.  Two pins that share a label share a bus; a bus is
// anchored by the POWER or GND pins that carry the label.  The check pass
// verifies mapped pins, supply pins and that every bus reaches a supply pin.
#ifndef KIVO_COMPONENT_PINMPG_H
#define KIVO_COMPONENT_PINMPG_H

#include <memory>
#include <string>
#include <unordered_map>

#include "common/types.h"

struct pin;

constexpr unsigned PINMPG_LABEL_LEN = 15;

struct pinmpg;

// Kept on the first row of a list built with PINMPG_LinkPinMpg: the last row,
// and for every pin its first row and the number of rows that carry it.
struct pinmpg_index {
    pinmpg* pTail = nullptr;
    std::unordered_map<std::string, std::pair<pinmpg*, int>> mapByPin;
};

struct pinmpg {
    pinmpg* pNext = nullptr;      // next row, file order
    int iColumnCount = 0;         // columns found on the row
    std::string sPin_Mapping;     // pin, at most 5
    std::string sPulldown_ref;    // bus labels, at most 15 each; empty = absent
    std::string sPullup_ref;
    std::string sGnd_clamp_ref;
    std::string sPower_clamp_ref;
    std::string sExt_ref;         // 4.2 and later
    std::unique_ptr<pinmpg_index> pIndex;  // on the first row only
};
typedef pinmpg PINMPG;

// One data row into a new record; iHeaderCount is the column count of the
// [Pin Mapping] header.  FAILURE only when no record could be made.
STATUS PINMPG_ParseLine(const char* sLine, int iHeaderCount, PINMPG** ppPinMpg);
// Appends the row, reporting each earlier row of the same pin; returns it.
PINMPG* PINMPG_LinkPinMpg(PINMPG** ppPinMpgs, PINMPG* pNew);
// Check pass of one component's mapping against its pins.
void PINMPG_TestList(PINMPG* pPinMpgList, pin* pPins, const char* sComponent);
// The pin has a row (with case).
BOOL PINMPG_TestPin(const PINMPG* pList, const char* sPin);
// The first row's pull-up label (isPower TRUE) or pull-down label of the pin;
// null when the pin has no row.
const char* PINMPG_GetPinMapping(const PINMPG* pList, const char* sPin, BOOL isPower);
void PINMPG_FreeList(PINMPG* pList);

#endif

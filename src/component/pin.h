// The pin list: the rows of a component's [Pin] table, each a terminal of the
// package with its signal, the model (or model selector, or POWER, GND, NC,
// CIRCUITCALL) that drives it, and optionally its own R, L and C.  In the
// check pass the pins are checked against models, model selectors,
// [Pin Mapping] and the component's package models.
#ifndef KIVO_COMPONENT_PIN_H
#define KIVO_COMPONENT_PIN_H

#include <memory>
#include <string>
#include <unordered_map>

#include "common/types.h"

struct pinmpg;
struct difpin;

constexpr unsigned PIN_NAME_LEN = 5;

struct pin;

// Kept on the first row of a list built with PIN_LinkPin: the last row, and
// for every pin name its first row and the number of rows that carry it, so
// that appending and lookups by pin name take constant time.
struct pin_index {
    pin* pTail = nullptr;
    std::unordered_map<std::string, std::pair<pin*, int>> mapByName;
};

struct pin {
    pin* pNext = nullptr;       // next row, file order
    int iColumnCount = 0;       // columns found on the row
    std::string sPin;           // at most 5
    std::string sSignal_name;   // at most 40 (20 before 4.2)
    std::string sModel_name;    // at most 40 (20 before 4.2)
    double dR_pin = 0.0;
    NUMSTAT eR_pinNS = NOT_SET;
    double dL_pin = 0.0;
    NUMSTAT eL_pinNS = NOT_SET;
    double dC_pin = 0.0;
    NUMSTAT eC_pinNS = NOT_SET;
    std::unique_ptr<pin_index> pIndex;  // on the first row only
};
typedef pin PIN;

// One data row into a new record; iHeaderCols is the column count of the
// [Pin] header and pRlcOrder the positions (0, 1, 2 = fourth, fifth, sixth
// column) of R_pin, L_pin and C_pin.  FAILURE only when no record could be
// made.
STATUS PIN_ParseLine(const char* sLine, int iHeaderCols, PIN** ppPin, const int pRlcOrder[3]);
// Appends the row at the end of the list, reporting each earlier row of the
// same pin; returns the row.
PIN* PIN_LinkPin(PIN** ppPinList, PIN* pNewPin);

// Check pass of one component's pins against models, model selectors,
// differential pins and [Pin Mapping].
void PIN_TestList(PIN* pPinList, pinmpg* pPinmpgs, difpin* pDiffPins, const char* sComponent,
                  const char* sPackage_Model);
// The pins against one package model ([Pin Numbers] and [Merged Pins]).
void PIN_TestPkgMdl(PIN* pPinList, pinmpg* pPinmpgs, const char* sComponent, const char* sPackage_Model);

// Lookups by pin name, with case; the first row of a name is the one found.
BOOL PIN_PinExists(const PIN* pList, const char* sPin);
PIN* PIN_FindPin(PIN* pList, const char* sPin);
// The row's model name, or null when the pin does not exist.
const char* PIN_GetModel(PIN* pList, const char* sPin);
// TRUE when the pin exists and its model name is POWER, GND, or either
// (ignoring case).
BOOL PIN_ModelNameIsPOWER(PIN* pList, const char* sPin);
BOOL PIN_ModelNameIsGND(PIN* pList, const char* sPin);
BOOL PIN_ModelNameIsPOWEROrGND(PIN* pList, const char* sPin);

void PIN_FreeList(PIN* pList);

#endif

// Model selectors: [Model Selector] sections (3.2 and later), each naming a
// set of alternative models that a pin or a series pin mapping may use in
// place of one fixed model.  The module reads the selectors, answers the pin
// checks' questions about them, and in the check pass verifies that their
// models exist, that a selector's models are all differential or all
// single-ended, and that the selector is used.
#ifndef KIVO_MODEL_MSEL_H
#define KIVO_MODEL_MSEL_H

#include <memory>
#include <string>
#include <unordered_map>

#include "common/types.h"
#include "model/mdl.h"

constexpr unsigned MSEL_DESCRIPTION_LEN = 120;

struct mselmodel {
    mselmodel* pNext = nullptr;
    std::string sModel;        // model name, at most 40 (20 before 4.2)
    std::string sDescription;  // at most 120 less the model name's length
};
typedef mselmodel MSELMODEL;

struct msel;

// Kept on the first record of the root's selector list (the newest) and
// handed on to each newer one as it is linked: the first selector of every
// name, so that lookups by name take constant time.
struct msel_index {
    std::unordered_map<std::string, msel*> mapByName;
};

struct msel {
    msel* pNext = nullptr;                // root list, newest first
    MSELMODEL* pMselModels = nullptr;     // entries, file order
    std::string sMsel;                    // at most 40 (20 before 4.2)
    MDL_USAGE usage = USAGE_NOTKNOWN;
    // Entries: the last one, and how many carry each model name.
    MSELMODEL* pLastModel = nullptr;
    std::unordered_map<std::string, int> mapModelCount;
    std::unique_ptr<msel_index> pIndex;  // on the head of the root's list only
};
typedef msel MSEL;

// Router operations.
STATUS MSEL_Init();
STATUS MSEL_ReceiveLine(LINE_TYPE eLineType, KEYWORD_TYPE eLineKeyword, char* sLine);
STATUS MSEL_Fini();
void MSEL_AddLink(MSEL* pNew, MSEL* pPrev);
void MSEL_FreeList(MSEL* pList);

// Exact-name lookups in a selector list; the first in list order is found.
// They mark nothing.
STATUS MSEL_NameExists(const char* psName_in, MSEL* pMsel_in);
MSEL* MSEL_FindMsel(const char* psName_in, MSEL* pMsel_in);
// Any entry names an existing model of type Series (Series_switch).
BOOL MSEL_HasSeries(const MSEL* pMsel);
BOOL MSEL_HasSeriesSwitch(const MSEL* pMsel);

// Check pass over the root's selector list.
void MSEL_TestList(MSEL* pMselList);

// Back to program-start state (no current selector).
void MSEL_Reset();

#endif

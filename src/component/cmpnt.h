// Components: the [Component] section of a KIVO file and every keyword that
// belongs to it.  One record per [Component] holds the component's own
// values and the tables that the keywords inside it build (pins, pin
// mapping, differential, repeater and series pins, switch groups, package
// parasitics, alternate package models, node declarations, circuit calls,
// EMI data).  At the end of a component its required keywords are checked;
// in the check pass each component runs its list of checks.
#ifndef KIVO_COMPONENT_CMPNT_H
#define KIVO_COMPONENT_CMPNT_H

#include <string>

#include "common/types.h"
#include "component/apkg.h"
#include "component/circuit.h"
#include "component/cmpntemi.h"
#include "component/difpin.h"
#include "component/node.h"
#include "component/pin.h"
#include "component/pinmpg.h"
#include "component/pkg.h"
#include "component/reppin.h"
#include "component/spinmpg.h"
#include "component/sswch.h"
#include "model/mdl.h"

constexpr unsigned CMPNT_NAME_LEN = 40;

// Si_location and Timing_location values.
enum TESTLOC_TYPE { LOC_NOT_SET = 0, NO_LOC = 1, CMPNT_DIE = 2, CMPNT_PIN = 3 };

// Component subparameters.
enum CMPNT_SUB { NOT_CMPNT_SUB = 0, SI_LOCATION = 1, TIMING_LOCATION = 2 };

struct cmpnt {
    cmpnt* pNext = nullptr;             // root list, newest first
    std::string sComponent;             // at most 40
    std::string sManufacturer;          // at most 40
    PKG* pPackage = nullptr;            // [Package]; null until the keyword
    int iPinHeaderCount = 0;            // columns of the [Pin] header (0 = none yet)
    PIN* pPins = nullptr;               // file order
    std::string sPackage_Model;         // at most 40; empty = none
    int iPin_MappingsHeaderCount = 0;
    PINMPG* pPin_Mappings = nullptr;
    int iDiff_PinsHeaderCount = 0;
    DIFPIN* pDiff_Pins = nullptr;
    int iRep_PinsHeaderCount = 0;
    REPPIN* pRepeater_Pins = nullptr;
    TESTLOC_TYPE eSiLocation = LOC_NOT_SET;
    TESTLOC_TYPE eTimingLocation = LOC_NOT_SET;
    SSWCH* pSswch = nullptr;
    int iSpin_MappingsHeaderCount = 0;
    SPINMPG* pSpin_Mappings = nullptr;
    APKGMODEL* pApkgMdls = nullptr;     // file order
    SNODE* pNode = nullptr;             // first element: the head made by the keyword
    CCALL* pCcall = nullptr;            // newest first
    CMPNTEMI* pCmpntEmi = nullptr;
};
typedef cmpnt CMPNT;

// Router operations.
STATUS CMPNT_Init();
STATUS CMPNT_ReceiveLine(LINE_TYPE eLineType, KEYWORD_TYPE eKeyword, char* sLine);
STATUS CMPNT_Fini(KEYWORD_TYPE eNewKeyword);
void CMPNT_AddLink(CMPNT* pNew, CMPNT* pPrev);
void CMPNT_FreeList(CMPNT* pList);

// Check pass over the root's components, with its external circuits and models.
void CMPNT_TestList(CMPNT* pCmpntList, EXTCIR* pExts, MDL* pMdls);

// TRUE when a pin of a [Diff Pin] pair uses the model, directly or through a
// model selector; the model (and a selector on the way) is then marked
// differential, and *ppPinOut (when given) receives the pin.
BOOL CMPNT_IsDifferentialPinModel(MDL* pMdl, PIN** ppPinOut);

// Back to program-start state (no open component).
void CMPNT_Reset();

#endif

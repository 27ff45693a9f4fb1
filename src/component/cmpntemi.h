// Component EMI: the block between [Begin EMI Component] and
// [End EMI Component] with its [Pin EMI] and [Pin Domain EMI] tables.
// Stand-in: the block is opened and closed by its keywords so that the
// component can tell when one is open; nothing is read or reported until
// the block's own rules are built.
#ifndef KIVO_COMPONENT_CMPNTEMI_H
#define KIVO_COMPONENT_CMPNTEMI_H

#include "common/types.h"
#include "component/pinemi.h"

struct cmpnt;

enum CMPNTEMI_DOMAIN { NOT_DOMAIN = 0, ANALOG_DOMAIN = 1, DIGITAL_DOMAIN = 2, DIGITAL_ANALOG_DOMAIN = 3 };

struct pinemidomain {
    std::string sLabel;          // at most 20
    double* pdValue = nullptr;   // percentage
    pinemidomain* pNext = nullptr;
};
typedef pinemidomain PIN_EMI_DOMAIN;

struct pinemidomains {
    pinemidomain* pNext = nullptr;  // the first domain
};
typedef pinemidomains PIN_EMI_DOMAINS;

struct cmpntemi {
    CMPNTEMI_DOMAIN eDomain = NOT_DOMAIN;
    double* pCpd = nullptr;
    double* pC_HeatSink_Gnd = nullptr;
    double* pC_HeatSink_Float = nullptr;
    PINEMI* pPinEmi = nullptr;
    PIN_EMI_DOMAINS* pPinEmiDomains = nullptr;
};
typedef cmpntemi CMPNTEMI;

// Every line of the four EMI keywords; sLine is the keyword's value on a
// keyword line and the whole line otherwise; ppCmpntEmi is the component's
// field.
STATUS CMPNTEMI_ReceiveLine(LINE_TYPE eLineType, KEYWORD_TYPE eLineKeyword, char* sLine,
                            CMPNTEMI** ppCmpntEmi);
// The block ends (eNew is the keyword that ends it).
void CMPNTEMI_Fini(KEYWORD_TYPE eNew);
// A block is open.
BOOL CMPNTEMI_InProgress();
void CMPNTEMI_Test(cmpnt* pCmpnt, CMPNTEMI* pCmpntEmi);
void CMPNTEMI_Free(CMPNTEMI* pCmpntEmi);
// Back to program-start state (no block open).
void CMPNTEMI_Reset();

#endif

// Pin EMI: the [Pin EMI] rows of a component's EMI block, each a pin with
// its domain and clock divider.
// Stand-in: nothing is read or reported until the table's own rules are
// built.
#ifndef KIVO_COMPONENT_PINEMI_H
#define KIVO_COMPONENT_PINEMI_H

#include <string>

#include "common/types.h"

struct pin;
struct pinemidomains;

struct pinemi {
    pinemi* pNext = nullptr;
    int iColumnCount = 0;
    std::string sPinEmi;     // at most 5
    std::string sPinDomain;  // at most 20
    double dClockDiv = 0.0;
    NUMSTAT eClockDiv = NOT_SET;
};
typedef pinemi PINEMI;

void PINEMI_TestList(PINEMI* pPinEmi, pinemidomains* pPinDomainEmis, pin* pPin, const char* sComponent);
void PINEMI_FreeList(PINEMI* pList);

#endif

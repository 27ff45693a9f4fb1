// [Merged Pins] groups of a package model: one merging pin and the pins
// connected to it on one pad.
#ifndef KIVO_PACKAGE_MPINS_H
#define KIVO_PACKAGE_MPINS_H

#include <string>
#include <vector>

#include "common/types.h"

struct mpin {
    mpin* pNext = nullptr;
    std::string sPin;                        // the merging pin, at most 5 characters
    int nMergedPins = 0;                     // number of connected pins
    std::vector<std::string> ppMergedPins;   // the connected pins, in order
};
typedef mpin MPINS;

// Starts a new list of groups (a new package model): forgets the group being
// filled and the record of which pins are already connected.
void MPINS_StartList();
// Reads a [Merged Pins] keyword value, appends a new group to *ppMpins_in and
// makes it the group being filled; *ppcPin receives its merging pin.
STATUS MPINS_New(const char* psLine_in, MPINS** ppMpins_in, const char** ppcPin);
// A data line of the group: each word is a connected pin.
STATUS MPINS_ReceiveLine(MPINS* pMpins, const char* sLine);
// The group being filled (null when none).
MPINS* MPINS_GetCurrent();
// Appends pNew at the end of the list *ppMpins.
void MPINS_LinkMpins(MPINS** ppMpins, MPINS* pNew);
// The connected pins of the group being filled, their count and the line of
// its [Merged Pins] keyword.  FAILURE when no group is being filled.
STATUS MPINS_GetConnectedMergedPins(const std::vector<std::string>** pppcPins, int* pnPins,
                                    unsigned long* pLineno);
void MPINS_FreeList(MPINS* pList);

// Back to program-start state.
void MPINS_Reset();

#endif

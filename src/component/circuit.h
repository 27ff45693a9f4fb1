// Circuit calls: the [Circuit Call] blocks of a component, each an instance
// of an external circuit with its port map, and their check against the
// external circuits of the file.
// Stand-in: blocks are kept with their names; their lines are accepted and
// nothing is reported until the calls' own rules are built.
#ifndef KIVO_COMPONENT_CIRCUIT_H
#define KIVO_COMPONENT_CIRCUIT_H

#include <string>

#include "common/types.h"

struct cmpnt;
struct extern_cir;

struct port_map {
    port_map* pNext = nullptr;
    std::string port;  // at most 40
    std::string node;  // at most 40
};
typedef port_map PORTMAP;

struct ccall {
    int line_num = 0;      // line of the [Circuit Call] keyword
    std::string sCcall;    // external circuit name, at most 40
    std::string sig1;      // referenced pins, at most 5 each
    std::string sig2;
    PORTMAP* pMap = nullptr;  // newest first
    ccall* pNext = nullptr;   // the component's list is newest first
};
typedef ccall CCALL;

// One data line of the newest call (the head of *ppCcall).
STATUS CCALL_ParseLine(char* sLine, CCALL** ppCcall);
// Check pass for one component against the file's external circuits.
void CCALL_checkPortNode(cmpnt* pCmpnt, extern_cir* pExts);
void CCALL_FreeList(CCALL* pList);

#endif

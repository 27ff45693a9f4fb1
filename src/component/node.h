// Node declarations: the names a component declares between
// [Node Declarations] and [End Node Declarations].
// Stand-in: the lines are accepted and nothing is reported until the
// declarations' own rules are built.
#ifndef KIVO_COMPONENT_NODE_H
#define KIVO_COMPONENT_NODE_H

#include <string>

#include "common/types.h"

struct cmpnt;

struct snode {
    std::string node;       // the declared name (any length); empty in a fresh head
    snode* next = nullptr;  // newest first
};
typedef snode SNODE;

// Each word of the line is a node name.
STATUS NODE_ParseLine(char* sLine, SNODE** ppNode);
// At [End Node Declarations].
void TestNodeErrors(cmpnt* pcmpt);
void NODE_FreeList(SNODE* pList);

#endif

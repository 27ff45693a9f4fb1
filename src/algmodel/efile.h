// Executable files named by algorithmic models.
// Stand-in: accepts its lines and reports nothing until the module is built.
#ifndef KIVO_ALGMODEL_EFILE_H
#define KIVO_ALGMODEL_EFILE_H

#include <string>

#include "common/types.h"

struct exefile {
    exefile* pNext = nullptr;
};
typedef exefile EXEFILE;

void EXEFILE_AddLink(EXEFILE* pNew, EXEFILE* pPrev);
void EXEFILE_FreeList(EXEFILE* pList);

#endif

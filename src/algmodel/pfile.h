// Parameter files named by algorithmic models.
// Stand-in: accepts its lines and reports nothing until the module is built.
#ifndef KIVO_ALGMODEL_PFILE_H
#define KIVO_ALGMODEL_PFILE_H

#include <string>

#include "common/types.h"

struct paramfile {
    paramfile* pNext = nullptr;
};
typedef paramfile PARAMFILE;

void PARAMFILE_AddLink(PARAMFILE* pNew, PARAMFILE* pPrev);
void PARAMFILE_FreeList(PARAMFILE* pList);

#endif

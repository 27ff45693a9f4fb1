// Component and model cross-checks.
// Stand-in: accepts its lines and reports nothing until the module is built.
#ifndef KIVO_COMPONENT_CHK_H
#define KIVO_COMPONENT_CHK_H

#include <string>

#include "common/types.h"
#include "component/cmpnt.h"
#include "model/mdl.h"
#include "model/submdl.h"

int chk_CheckAllModels(MDL* pMdl);
int chk_CheckAllComponents(CMPNT* pCmpnt);
int chk_CheckAllSubModels(SUBMDL* pSubMdl);

#endif

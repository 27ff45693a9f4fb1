// Model curve checks.
// Stand-in: accepts its lines and reports nothing until the module is built.
#ifndef KIVO_CHECKS_ACDC_H
#define KIVO_CHECKS_ACDC_H

#include <string>

#include "common/types.h"
#include "model/mdl.h"
#include "model/submdl.h"

int acdc_CheckAllModels(MDL* pMdl);
int acdc_CheckAllSubModels(MDL* pMdl, SUBMDL* pSubMdl);

#endif

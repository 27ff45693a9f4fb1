#include "checks/acdc.h"

int acdc_CheckAllModels(MDL*) { return 0; }
int acdc_CheckAllSubModels(MDL*, SUBMDL*) { return 0; }

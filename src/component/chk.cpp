#include "component/chk.h"

int chk_CheckAllModels(MDL*) { return 0; }
int chk_CheckAllComponents(CMPNT*) { return 0; }
int chk_CheckAllSubModels(SUBMDL*) { return 0; }

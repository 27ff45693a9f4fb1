// Algorithmic-model parameter files: the check of a parameter file.
// Stand-in: accepts its lines and reports nothing until the module is built.
#ifndef KIVO_ALGMODEL_AMI_H
#define KIVO_ALGMODEL_AMI_H

#include <string>

#include "common/types.h"

STATUS AMI_Test(char* sFileName_in);

#endif

#include "driver/main.h"

#include <string>

#include "common/cmn.h"
#include "driver/fini.h"
#include "driver/init.h"
#include "driver/test.h"
#include "parse/parse.h"

// Version found by detection for the top-level file (6.1 for -ami files).
KIVO_VER geKivoVersion = VER_UNKNOWN;
// TRUE only while a top-level -ami file is parsed and tested.
BOOL gbDoingAmi = FALSE;

void MAIN(const char* sArgv1, KIVO_FILE_TYPE eType)
{
    KIVO_ASSERT(sArgv1 != nullptr);
    if (INIT() != SUCCESS) return;

    // The run works on its own copy of the name, cut at the longest name the
    // reader keeps.
    std::string sFileName(sArgv1);
    if (sFileName.size() > CMN_MAX_FILENAME) sFileName.resize(CMN_MAX_FILENAME);

    if (eType == TYPE_AMI) gbDoingAmi = TRUE;
    if (PARSE(sFileName.c_str(), eType) == SUCCESS) TEST(sFileName.c_str(), eType, FALSE);
    gbDoingAmi = FALSE;
    FINI();
}

void MAIN_Reset()
{
    geKivoVersion = VER_UNKNOWN;
    gbDoingAmi = FALSE;
}

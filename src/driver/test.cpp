#include "driver/test.h"

#include <string>

#include "algmodel/ami.h"
#include "parse/kivo.h"

void TEST(const char* sFileName_in, KIVO_FILE_TYPE eType, BOOL isRecursive)
{
    KIVO_ASSERT(sFileName_in != nullptr);
    switch (eType) {
    case TYPE_KVO: KIVO_Test(); break;
    case TYPE_AMI: {
        std::string sName(sFileName_in);
        AMI_Test(sName.data());
        break;
    }
    default: EBD_Test(isRecursive); break;
    }
}

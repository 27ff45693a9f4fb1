#include "algmodel/ami.h"

#include "parse/parse.h"

STATUS AMI_Test(char*)
{
    PARSE_FreeBuffer();
    return SUCCESS;
}

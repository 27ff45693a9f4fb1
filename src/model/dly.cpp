#include "model/dly.h"

#include <new>

STATUS DLY_ParseDly(char*, const char*, DLY** ppDly_out)
{
    KIVO_ASSERT(ppDly_out != nullptr);
    *ppDly_out = new (std::nothrow) DLY;
    return *ppDly_out != nullptr ? SUCCESS : FAILURE;
}

void DLY_Free(DLY* pDly) { delete pDly; }

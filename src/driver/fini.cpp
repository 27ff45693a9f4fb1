#include "driver/fini.h"

#include "common/errlog.h"
#include "parse/kivo.h"

void FINI()
{
    KIVO* pKivo = nullptr;
    if (KIVO_GetKIVO(&pKivo) == SUCCESS) KIVO_Free(pKivo);
    ERRLOG_Totals();
}

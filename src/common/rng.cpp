#include "common/rng.h"

#include <new>

#include "common/cmn.h"
#include "common/errlog.h"

STATUS RNG_ParseRange(const char* psLine_in, const char* psLabel_in, RNG** ppRng_out, BOOL doWarning)
{
    KIVO_ASSERT(psLine_in != nullptr && psLabel_in != nullptr && ppRng_out != nullptr);
    *ppRng_out = nullptr;

    ARGS args;
    if (CMN_ArgParse(psLine_in, 3, &args) != SUCCESS) {
        ERRLOG_LineBugNew(3900, psLabel_in, "rng.c", __LINE__);
        return FAILURE;
    }

    // Missing columns are named; a wrong count is reported; reading goes on.
    switch (args.iActualCnt) {
    case 3: break;
    case 2: ERRLOG_LineErrorNew(3901, "maximum", psLabel_in); break;
    case 1:
        ERRLOG_LineErrorNew(3901, "minimum", psLabel_in);
        ERRLOG_LineErrorNew(3901, "maximum", psLabel_in);
        break;
    default: ERRLOG_LineErrorNew(3902, args.iActualCnt, psLabel_in, 3); break;
    }

    RNG* pRng = new (std::nothrow) RNG;
    if (pRng == nullptr) {
        ERRLOG_BugNew(3904, "rng.c", __LINE__);
        CMN_ArgFree(&args);
        return FAILURE;
    }

    STATUS eStatus = SUCCESS;
    if (CMN_GetColValue(args.Arg(0), psLabel_in, "Typical", &pRng->dTyp, &pRng->eTypStat) != SUCCESS)
        eStatus = FAILURE;
    if (CMN_GetColValue(args.Arg(1), psLabel_in, "Minimum", &pRng->dMin, &pRng->eMinStat) != SUCCESS)
        eStatus = FAILURE;
    if (CMN_GetColValue(args.Arg(2), psLabel_in, "Maximum", &pRng->dMax, &pRng->eMaxStat) != SUCCESS)
        eStatus = FAILURE;

    // The typical value must not lie strictly outside both limits.
    if (doWarning == TRUE && pRng->eTypStat == SET && pRng->eMinStat == SET && pRng->eMaxStat == SET) {
        bool bBelow = pRng->dTyp < pRng->dMin && pRng->dTyp < pRng->dMax;
        bool bAbove = pRng->dTyp > pRng->dMin && pRng->dTyp > pRng->dMax;
        if (bBelow || bAbove) ERRLOG_LineWarnNew(3903);
    }

    CMN_ArgFree(&args);
    *ppRng_out = pRng;
    return eStatus;
}

void RNG_Free(RNG* pRng) { delete pRng; }

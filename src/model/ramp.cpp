#include "model/ramp.h"

#include <cstring>
#include <new>

#include "common/cmn.h"
#include "common/errlog.h"
#include "parse/parse.h"

namespace {

unsigned long gRampBeginLine = 0;

struct ramp_sub_entry {
    const char* psName;
    RAMP_SUB eSub;
};
constexpr ramp_sub_entry ramp_subs[] = {
    {"dV/dt_r", DT_R}, {"dV/dt_f", DT_F}, {"R_load", R_LOAD}, {"NOT_SUB", NOT_RAMP_SUB}};

RAMP_SUB s_FindSub(const char* psName)
{
    for (const ramp_sub_entry& e : ramp_subs)
        if (e.eSub != NOT_RAMP_SUB && std::strcmp(e.psName, psName) == 0) return e.eSub;
    return NOT_RAMP_SUB;
}

// Text after the line's first word.
char* s_AfterFirstWord(char* psLine)
{
    char* p = psLine;
    CMN_EatWhitespace(&p);
    CMN_EatNonWhitespace(&p);
    CMN_EatWhitespace(&p);
    return p;
}

// Reads one column "dV/dt" (no blanks around the slash) or NA.
void s_ReadRatio(const char* psCol, const char* psColName, const char* psSub, double* pdV,
                 double* pdT, NUMSTAT* peStat)
{
    *peStat = NOT_SET;
    ARGS parts;
    if (CMN_ArgParsePlus(psCol, 3, '/', &parts) != SUCCESS) {
        ERRLOG_BugNew(1303, psSub, "ramp.c", __LINE__);
        return;
    }
    if (parts.iActualCnt == 1 && CMN_StrSameIC(parts.Arg(0), "NA") == TRUE) {
        *pdV = 0.0;
        *pdT = 0.0;
        *peStat = NA;
    } else if (parts.iActualCnt == 3 && std::strcmp(parts.Arg(1), "/") == 0) {
        // Both parts are read (and a suspicious one reported) even when the
        // other is refused.
        const char* items[2] = {parts.Arg(0), parts.Arg(2)};
        double values[2] = {0.0, 0.0};
        bool bGood = true;
        for (int i = 0; i < 2; ++i) {
            GBU g = CMN_Get_Value(items[i], &values[i]);
            if (g == BAD)
                bGood = false;
            else if (g == UGLY)
                ERRLOG_LineWarnNew(1311, psColName, psSub, items[i]);
        }
        if (bGood) {
            *pdV = values[0];
            *pdT = values[1];
            *peStat = SET;
        } else {
            ERRLOG_LineErrorNew(1312, psSub, psColName, psCol);
        }
    } else {
        ERRLOG_LineErrorNew(1312, psSub, psColName, psCol);
    }
    CMN_ArgFree(&parts);
}

void s_ReadRampLine(char* psLine, RAMPLINE** ppLine, const char* psSub, const char* sModel)
{
    if (*ppLine != nullptr) {
        ERRLOG_LineErrorNew(1307, psSub, sModel);
        return;
    }
    RAMPLINE* pRl = new (std::nothrow) RAMPLINE;
    if (pRl == nullptr) {
        ERRLOG_BugNew(1301, "ramp.c", __LINE__);
        return;
    }
    *ppLine = pRl;

    ARGS cols;
    if (CMN_ArgParse(s_AfterFirstWord(psLine), 3, &cols) != SUCCESS) {
        ERRLOG_BugNew(1303, psSub, "ramp.c", __LINE__);
        return;
    }
    switch (cols.iActualCnt) {
    case 3: break;
    case 2: ERRLOG_LineErrorNew(1308, "maximum", psSub); break;
    case 1:
        ERRLOG_LineErrorNew(1308, "minimum", psSub);
        ERRLOG_LineErrorNew(1308, "maximum", psSub);
        break;
    default: ERRLOG_LineErrorNew(1304, cols.iActualCnt, psSub, 3); break;
    }
    if (cols.Arg(0) != nullptr)
        s_ReadRatio(cols.Arg(0), "Typical", psSub, &pRl->dTyp_dV, &pRl->dTyp_dt, &pRl->eTypStat);
    if (cols.Arg(1) != nullptr)
        s_ReadRatio(cols.Arg(1), "Minimum", psSub, &pRl->dMin_dV, &pRl->dMin_dt, &pRl->eMinStat);
    if (cols.Arg(2) != nullptr)
        s_ReadRatio(cols.Arg(2), "Maximum", psSub, &pRl->dMax_dV, &pRl->dMax_dt, &pRl->eMaxStat);
    CMN_ArgFree(&cols);

    if (pRl->eTypStat == NA) ERRLOG_LineErrorNew(1309, psSub);
    const struct {
        NUMSTAT eStat;
        double dV, dT;
    } ratios[3] = {{pRl->eTypStat, pRl->dTyp_dV, pRl->dTyp_dt},
                   {pRl->eMinStat, pRl->dMin_dV, pRl->dMin_dt},
                   {pRl->eMaxStat, pRl->dMax_dV, pRl->dMax_dt}};
    for (const auto& r : ratios) {
        if (r.eStat != SET) continue;
        if (!(r.dV > 0.0)) ERRLOG_LineErrorNew(1310, "dV");
        if (!(r.dT > 0.0)) ERRLOG_LineErrorNew(1310, "dT");
    }
}

void s_ReadRload(char* psLine, RAMP* pRamp, const char* sModel)
{
    if (pRamp->eRloadStat == SET) {
        ERRLOG_LineErrorNew(1307, "R_load", sModel);
        return;
    }
    ARGS a;
    if (CMN_ArgParsePlus(psLine, 3, '=', &a) != SUCCESS) {
        ERRLOG_BugNew(1303, "R_load", "ramp.c", __LINE__);
        return;
    }
    if (a.iActualCnt < 3) {
        ERRLOG_LineErrorNew(1313, "R_load");
    } else {
        if (a.iActualCnt > 3) ERRLOG_LineErrorNew(1304, a.iActualCnt, "R_load", 3);
        if (std::strcmp(a.Arg(1), "=") != 0) {
            ERRLOG_LineErrorNew(1313, "R_load");
        } else {
            double d = 0.0;
            GBU g = CMN_Get_Value(a.Arg(2), &d);
            if (g == BAD) {
                ERRLOG_LineErrorNew(1314, "R_load", a.Arg(2));
            } else {
                if (g == UGLY) ERRLOG_LineWarnNew(1311, "Ramp", "R_load", a.Arg(2));
                pRamp->dRload = d;
                pRamp->eRloadStat = SET;
            }
        }
    }
    CMN_ArgFree(&a);
}

}  // namespace

STATUS RAMP_New(char* psLine_in, RAMP** ppRamp_out)
{
    KIVO_ASSERT(psLine_in != nullptr && ppRamp_out != nullptr);
    if (*ppRamp_out != nullptr) {
        ERRLOG_LineErrorNew(1300);
        RAMP_Free(*ppRamp_out);
        *ppRamp_out = nullptr;
    }
    RAMP* pRamp = new (std::nothrow) RAMP;
    if (pRamp == nullptr) {
        ERRLOG_BugNew(1301, "ramp.c", __LINE__);
        return FAILURE;
    }
    char* p = psLine_in;
    if (CMN_EatKeyword(&p) != SUCCESS) {
        ERRLOG_LineBugNew(1302, "ramp.c", __LINE__);
    } else {
        ARGS a;
        if (CMN_ArgParse(p, 0, &a) != SUCCESS)
            ERRLOG_BugNew(1303, "Ramp", "ramp.c", __LINE__);
        else if (a.iActualCnt > 0)
            ERRLOG_LineErrorNew(1304, a.iActualCnt + 1, "Ramp", 1);
        CMN_ArgFree(&a);
    }
    gRampBeginLine = PARSE_GetLineNum();
    *ppRamp_out = pRamp;
    return SUCCESS;
}

void RAMP_ReceiveLine(char* psLine_in, RAMP* pRamp_io, const char* sModel_in)
{
    KIVO_ASSERT(psLine_in != nullptr && pRamp_io != nullptr && sModel_in != nullptr);
    ARGS a;
    if (CMN_ArgParsePlus(psLine_in, 1, '=', &a) != SUCCESS) {
        ERRLOG_BugNew(1303, "Ramp Sub-Parameter", "ramp.c", __LINE__);
        return;
    }
    RAMP_SUB eSub = a.iCount > 0 ? s_FindSub(a.Arg(0)) : NOT_RAMP_SUB;
    CMN_ArgFree(&a);
    switch (eSub) {
    case DT_R: s_ReadRampLine(psLine_in, &pRamp_io->pD_r, "dV/dt_r", sModel_in); break;
    case DT_F: s_ReadRampLine(psLine_in, &pRamp_io->pD_f, "dV/dt_f", sModel_in); break;
    case R_LOAD: s_ReadRload(psLine_in, pRamp_io, sModel_in); break;
    case NOT_RAMP_SUB: ERRLOG_LineErrorNew(1305); break;
    }
}

void RAMP_Fini(RAMP* pRamp_in)
{
    KIVO_ASSERT(pRamp_in != nullptr);
    const int iLine = static_cast<int>(gRampBeginLine);
    if (pRamp_in->pD_r == nullptr) ERRLOG_ErrorNew(1306, "dV/dt_r", iLine);
    if (pRamp_in->pD_f == nullptr) ERRLOG_ErrorNew(1306, "dV/dt_f", iLine);
}

void RAMP_Free(RAMP* pRamp_in)
{
    if (pRamp_in == nullptr) return;
    delete pRamp_in->pD_r;
    delete pRamp_in->pD_f;
    delete pRamp_in;
}

void RAMP_Reset() { gRampBeginLine = 0; }

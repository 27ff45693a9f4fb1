#include "model/wvfrm.h"

#include <cmath>
#include <cstring>
#include <new>

#include "common/cmn.h"
#include "common/errlog.h"
#include "parse/parse.h"

namespace {

WVFRM* gCurrentWvfrm = nullptr;
unsigned long gCurrentWvfrmBeginLine = 0;

// The list appended to last, so that appending many tables stays linear.
WVFRM** gppTailList = nullptr;
WVFRM* gpTailHead = nullptr;
WVFRM* gpTail = nullptr;
int giTailCount = 0;

void s_ForgetTail()
{
    gppTailList = nullptr;
    gpTailHead = nullptr;
    gpTail = nullptr;
    giTailCount = 0;
}

struct wvfrm_sub_entry {
    const char* psName;
    WVFRM_SUB eSub;
};
constexpr wvfrm_sub_entry wvfrm_subs[] = {
    {"R_fixture", R_FIXTURE}, {"V_fixture", V_FIXTURE}, {"V_fixture_min", V_FIXTURE_MIN},
    {"V_fixture_max", V_FIXTURE_MAX}, {"C_fixture", C_FIXTURE}, {"L_fixture", L_FIXTURE},
    {"R_dut", R_DUT}, {"L_dut", L_DUT}, {"C_dut", C_DUT}, {"NOT_SUB", NOT_WVFRM_SUB}};

WVFRM_SUB s_FindSub(const char* psName, const char** ppsTableName)
{
    for (const wvfrm_sub_entry& e : wvfrm_subs) {
        if (e.eSub == NOT_WVFRM_SUB) break;
        if (std::strcmp(e.psName, psName) == 0) {
            *ppsTableName = e.psName;
            return e.eSub;
        }
    }
    return NOT_WVFRM_SUB;
}

double** s_Field(WVFRM* w, WVFRM_SUB eSub)
{
    switch (eSub) {
    case R_FIXTURE: return &w->pdR_fixture;
    case V_FIXTURE: return &w->pdV_fixture;
    case V_FIXTURE_MIN: return &w->pdV_fixture_min;
    case V_FIXTURE_MAX: return &w->pdV_fixture_max;
    case C_FIXTURE: return &w->pdC_fixture;
    case L_FIXTURE: return &w->pdL_fixture;
    case R_DUT: return &w->pdR_dut;
    case L_DUT: return &w->pdL_dut;
    case C_DUT: return &w->pdC_dut;
    case NOT_WVFRM_SUB: break;
    }
    return nullptr;
}

// Golden waveforms of test data take no fixture subparameters.
bool s_IsGolden(const char* psLabel)
{
    static const char* const golden[] = {
        "Rising Waveform Near",      "Rising Waveform Far",      "Falling Waveform Near",
        "Falling Waveform Far",      "Diff Rising Waveform Near", "Diff Rising Waveform Far",
        "Diff Falling Waveform Near", "Diff Falling Waveform Far"};
    for (const char* s : golden)
        if (std::strcmp(s, psLabel) == 0) return true;
    return false;
}

bool s_IsPulse(const char* psLabel)
{
    return std::strcmp(psLabel, "GND Pulse Table") == 0 ||
           std::strcmp(psLabel, "POWER Pulse Table") == 0 ||
           std::strcmp(psLabel, "GND Pulse") == 0 || std::strcmp(psLabel, "POWER Pulse") == 0;
}

void s_ReadFixture(char* psLine, WVFRM* w, WVFRM_SUB eSub, const char* psName, const char* psLabel)
{
    if (w->pTrng != nullptr) ERRLOG_LineErrorNew(2013, psName);
    double** ppd = s_Field(w, eSub);
    if (*ppd != nullptr) {
        ERRLOG_LineErrorNew(2014, psLabel, psName);
        return;
    }
    // Present from here on, even when the value is refused.
    *ppd = new (std::nothrow) double(0.0);
    if (*ppd == nullptr) {
        ERRLOG_BugNew(2012, "wvfrm.c", __LINE__);
        return;
    }
    ARGS a;
    if (CMN_ArgParsePlus(psLine, 3, '=', &a) != SUCCESS) {
        ERRLOG_BugNew(2002, psLabel, "wvfrm.c", __LINE__);
        return;
    }
    if (a.iActualCnt < 3) {
        ERRLOG_LineErrorNew(2015, psLabel);
    } else {
        if (a.iActualCnt > 3) ERRLOG_LineErrorNew(2003, a.iActualCnt, psLabel, 3);
        if (std::strcmp(a.Arg(1), "=") != 0) {
            ERRLOG_LineErrorNew(2015, psLabel);
        } else {
            double d = 0.0;
            GBU g = CMN_Get_Value(a.Arg(2), &d);
            if (g == BAD) {
                ERRLOG_LineErrorNew(2017, psLabel, a.Arg(2));
            } else {
                if (g == UGLY) ERRLOG_LineWarnNew(2016, psLabel, psName, a.Arg(2));
                **ppd = d;
            }
        }
    }
    CMN_ArgFree(&a);
}

void s_ReadRow(char* psLine, WVFRM* w, const char* psLabel)
{
    RNGP* pRow = nullptr;
    if (RNGP_ParseLine(psLine, psLabel, "Time", &pRow) != SUCCESS || pRow == nullptr) return;
    int iCnt = 0;
    RNGP_LinkLine(&w->pTrng, pRow, &iCnt, TRUE);

    int iLimit = WVFRM_MAX_ROWS;
    if (geFileVersion < VER_4 || s_IsPulse(psLabel)) iLimit = WVFRM_MAX_ROWS_OLD;
    if (iCnt > iLimit) ERRLOG_LineErrorNew(2018, iLimit, psLabel);

    if (pRow->eValueStat == NA) {
        ERRLOG_LineErrorNew(2019, "Time");
    } else if (pRow->eValueStat == SET && pRow->pPrev != nullptr && pRow->pPrev->eValueStat == SET &&
               !(pRow->dValue > pRow->pPrev->dValue)) {
        ERRLOG_LineErrorNew(2020);
    }
}

void s_FreeOne(WVFRM* w)
{
    delete w->pdR_fixture;
    delete w->pdV_fixture;
    delete w->pdV_fixture_min;
    delete w->pdV_fixture_max;
    delete w->pdC_fixture;
    delete w->pdL_fixture;
    delete w->pdR_dut;
    delete w->pdL_dut;
    delete w->pdC_dut;
    RNGP_FreeList(w->pTrng);
    WVFRM_Free(w->pComposite);  // a composite table has no composite of its own
    delete w;
}

NUMSTAT s_Stat(const RNGP* p, int iCol)
{
    return iCol == 0 ? p->eTypStat : (iCol == 1 ? p->eMinStat : p->eMaxStat);
}
double s_Val(const RNGP* p, int iCol) { return iCol == 0 ? p->dTyp : (iCol == 1 ? p->dMin : p->dMax); }
const char* const gColumns[3] = {"Typical", "Minimum", "Maximum"};

}  // namespace

STATUS WVFRM_New(char* psLine_in, WVFRM** ppWvfrm_out, const char* psLabel_in)
{
    KIVO_ASSERT(psLine_in != nullptr && ppWvfrm_out != nullptr && psLabel_in != nullptr);
    WVFRM* pNew = new (std::nothrow) WVFRM;
    if (pNew == nullptr) {
        ERRLOG_BugNew(2012, "wvfrm.c", __LINE__);
        return FAILURE;
    }
    // Append at the end, counting the tables already there.
    if (!(gppTailList == ppWvfrm_out && gpTailHead != nullptr && gpTailHead == *ppWvfrm_out)) {
        s_ForgetTail();
        gppTailList = ppWvfrm_out;
        gpTailHead = *ppWvfrm_out;
        for (WVFRM* w = *ppWvfrm_out; w != nullptr; w = w->pNext) {
            gpTail = w;
            ++giTailCount;
        }
    }
    if (giTailCount >= WVFRM_MAX_TABLES) ERRLOG_LineErrorNew(2000, psLabel_in);
    if (gpTail == nullptr) {
        *ppWvfrm_out = pNew;
        gpTailHead = pNew;
    } else {
        gpTail->pNext = pNew;
    }
    gpTail = pNew;
    ++giTailCount;

    char* p = psLine_in;
    if (CMN_EatKeyword(&p) != SUCCESS) {
        ERRLOG_LineBugNew(2001, "wvfrm.c", __LINE__);
    } else {
        ARGS a;
        if (CMN_ArgParse(p, 0, &a) != SUCCESS)
            ERRLOG_BugNew(2002, psLabel_in, "wvfrm.c", __LINE__);
        else if (a.iActualCnt > 0)
            ERRLOG_LineErrorNew(2003, a.iActualCnt + 1, psLabel_in, 1);
        CMN_ArgFree(&a);
    }
    gCurrentWvfrm = pNew;
    gCurrentWvfrmBeginLine = PARSE_GetLineNum();
    return SUCCESS;
}

void WVFRM_ReceiveLine(char* psLine_in, const char* psLabel_in)
{
    KIVO_ASSERT(psLine_in != nullptr && psLabel_in != nullptr);
    if (gCurrentWvfrm == nullptr) return;  // its table could not be created
    ARGS a;
    if (CMN_ArgParsePlus(psLine_in, 1, '=', &a) != SUCCESS) {
        ERRLOG_BugNew(2002, psLabel_in, "wvfrm.c", __LINE__);
        return;
    }
    std::string sFirst = a.iCount > 0 ? a.Arg(0) : "";
    CMN_ArgFree(&a);

    const char* psName = nullptr;
    WVFRM_SUB eSub = s_FindSub(sFirst.c_str(), &psName);
    if (eSub != NOT_WVFRM_SUB) {
        if (s_IsGolden(psLabel_in))
            ERRLOG_LineErrorNew(2010);
        else
            s_ReadFixture(psLine_in, gCurrentWvfrm, eSub, psName, psLabel_in);
        return;
    }
    double d = 0.0;
    BOOL bNA = FALSE;
    if (sFirst.empty() || CMN_Get_ValueOrNA(sFirst.c_str(), &d, &bNA) == BAD) {
        ERRLOG_LineErrorNew(2011, psLabel_in);
        return;
    }
    s_ReadRow(psLine_in, gCurrentWvfrm, psLabel_in);
}

void WVFRM_Fini(const char* psLabel_in, WVFRM_TYPE eWtype)
{
    KIVO_ASSERT(psLabel_in != nullptr);
    WVFRM* w = gCurrentWvfrm;
    if (w == nullptr) return;
    const int iLine = static_cast<int>(gCurrentWvfrmBeginLine);

    if (eWtype == RISE_FALL_MODEL) {
        if (w->pdR_fixture == nullptr) ERRLOG_ErrorNew(2004, "R_fixture", psLabel_in, iLine);
        if (w->pdV_fixture == nullptr) ERRLOG_ErrorNew(2004, "V_fixture", psLabel_in, iLine);
    }

    long lRows = 0;
    bool bAnySet[3] = {false, false, false};
    bool bBelow[3] = {false, false, false}, bAbove[3] = {false, false, false};
    const RNGP* pFirst = w->pTrng;
    const RNGP* pLast = nullptr;
    for (const RNGP* p = w->pTrng; p != nullptr; p = p->pNext) {
        ++lRows;
        pLast = p;
        for (int c = 0; c < 3; ++c) {
            if (s_Stat(p, c) != SET) continue;
            bAnySet[c] = true;
            if (s_Val(p, c) < 0.0) bBelow[c] = true;
            if (s_Val(p, c) > 0.0) bAbove[c] = true;
        }
    }

    if (lRows < 2) {
        ERRLOG_ErrorNew(2005, psLabel_in, iLine);
    } else {
        const RNGP* ends[2] = {pFirst, pLast};
        const char* names[2] = {"First", "Last"};
        for (int i = 0; i < 2; ++i)
            for (int c = 0; c < 3; ++c)
                if (s_Stat(ends[i], c) == NA && (c == 0 || bAnySet[c]))
                    ERRLOG_ErrorNew(2006, names[i], gColumns[c], psLabel_in, iLine);
    }

    if (eWtype == GND_POWER_PULSE) {
        if (lRows >= 2) {
            for (int c = 0; c < 3; ++c) {
                if (s_Stat(pFirst, c) == NA || s_Stat(pLast, c) == NA) continue;
                if (s_Val(pFirst, c) != s_Val(pLast, c))
                    ERRLOG_ErrorNew(2007, gColumns[c], psLabel_in, iLine);
            }
        }
        const bool bGnd = std::strncmp(psLabel_in, "GND", 3) == 0;
        for (int c = 0; c < 3; ++c) {
            if (bGnd && bBelow[c]) ERRLOG_WarnNew(2008, psLabel_in, gColumns[c], iLine);
            if (!bGnd && bAbove[c]) ERRLOG_WarnNew(2009, psLabel_in, gColumns[c], iLine);
        }
    }
    gCurrentWvfrm = nullptr;
}

void WVFRM_Free(WVFRM* pWvfrm_io)
{
    s_ForgetTail();
    while (pWvfrm_io != nullptr) {
        WVFRM* pNext = pWvfrm_io->pNext;
        if (pWvfrm_io == gCurrentWvfrm) gCurrentWvfrm = nullptr;
        s_FreeOne(pWvfrm_io);
        pWvfrm_io = pNext;
    }
}

BOOL WVFRM_Compare(WVFRM* w1, WVFRM* w2, int cnt, const char* sModel, const char* sLabel)
{
    KIVO_ASSERT(w1 != nullptr && w2 != nullptr && sModel != nullptr && sLabel != nullptr);
    const RNGP* p1 = w1->pTrng;
    const RNGP* p2 = w2->pTrng;
    while (p1 != nullptr && p2 != nullptr) {
        bool bDiffer = p1->eValueStat != p2->eValueStat;
        if (!bDiffer && p1->eValueStat == SET &&
            std::fabs(p1->dValue - p2->dValue) > 1e-6 * std::fabs(p1->dValue))
            bDiffer = true;
        if (bDiffer) {
            ERRLOG_CautionNew(2021, sModel, sLabel, cnt);
            return FALSE;
        }
        p1 = p1->pNext;
        p2 = p2->pNext;
    }
    if (p1 != nullptr || p2 != nullptr) {
        ERRLOG_CautionNew(2021, sModel, sLabel, cnt);
        return FALSE;
    }
    return TRUE;
}

void WVFRM_Reset()
{
    gCurrentWvfrm = nullptr;
    gCurrentWvfrmBeginLine = 0;
    s_ForgetTail();
}

#include "model/crv.h"

#include <algorithm>
#include <cmath>
#include <new>

#include "common/cmn.h"
#include "common/errlog.h"
#include "parse/parse.h"

namespace {

// State of the table being read (tables never interleave).
unsigned long gBeginLine = 0;
MONOTONIC_INFO gVol, gTyp, gMin, gMax;

void s_ResetTrackers()
{
    gVol = MONOTONIC_INFO();
    gTyp = MONOTONIC_INFO();
    gMin = MONOTONIC_INFO();
    gMax = MONOTONIC_INFO();
}

// Feeds one value to a column's tracker; a value against the direction
// already found is noted once and ends the check of that column.
void s_Monotonic(MONOTONIC_INFO& m, double v, const char* psLabel, const char* psColumn)
{
    if (m.eStat == NA) return;
    if (m.eStat == NOT_SET) {
        m.dNum = v;
        m.eStat = SET;
        m.eDir = NO_DIRECTION;
        return;
    }
    if (m.eDir == NO_DIRECTION) {
        if (v > m.dNum)
            m.eDir = INCREASING;
        else if (v < m.dNum)
            m.eDir = DECREASING;
    } else if ((m.eDir == INCREASING && v < m.dNum) || (m.eDir == DECREASING && v > m.dNum)) {
        ERRLOG_LineNoteNew(1110, psLabel, psColumn);
        m.eStat = NA;
        return;
    }
    m.dNum = v;
}

// Updates the lowest- and highest-voltage rows with one row of set voltage.
void s_Extremes(const RNGP* pRow, Isign& vmin, Isign& vmax)
{
    Isign cur;
    cur.dV = pRow->dValue;
    cur.eVstat = SET;
    cur.dI = pRow->dTyp;
    cur.eIstat = pRow->eTypStat;
    if (vmin.eVstat != SET) {
        vmin = cur;
        vmax = cur;
    } else if (cur.dV < vmin.dV || (cur.dV == vmin.dV && vmin.eIstat != SET)) {
        vmin = cur;
    } else if (cur.dV > vmax.dV || (cur.dV == vmax.dV && vmax.eIstat != SET)) {
        vmax = cur;
    }
}

double* s_NewDouble(double d)
{
    double* p = new (std::nothrow) double(d);
    if (p == nullptr) ERRLOG_BugNew(1101, "crv.c", __LINE__);
    return p;
}

// Currents available at one end of an interpolation segment.
struct seg_end {
    double dV = 0.0;
    bool bTyp = false, bMin = false, bMax = false;
    double dTyp = 0.0, dMin = 0.0, dMax = 0.0;
};

// A minimum or maximum given as NA stands for the typical; a missing one is
// not available.  Without a typical current nothing is available.
seg_end s_End(const RNGP* p)
{
    seg_end e;
    e.dV = p->dValue;
    if (p->eTypStat != SET) return e;
    e.bTyp = true;
    e.dTyp = p->dTyp;
    if (p->eMinStat == SET) {
        e.bMin = true;
        e.dMin = p->dMin;
    } else if (p->eMinStat == NA) {
        e.bMin = true;
        e.dMin = p->dTyp;
    }
    if (p->eMaxStat == SET) {
        e.bMax = true;
        e.dMax = p->dMax;
    } else if (p->eMaxStat == NA) {
        e.bMax = true;
        e.dMax = p->dTyp;
    }
    return e;
}

}  // namespace

STATUS CRV_New(char* psLine_in, const char* psLabel_in, CRV** ppCrv_out)
{
    KIVO_ASSERT(psLine_in != nullptr && psLabel_in != nullptr && ppCrv_out != nullptr);
    if (*ppCrv_out != nullptr) {
        ERRLOG_LineErrorNew(1100, psLabel_in);
        CRV_Free(*ppCrv_out);
        *ppCrv_out = nullptr;
    }
    CRV* pCrv = new (std::nothrow) CRV;
    if (pCrv == nullptr) {
        ERRLOG_BugNew(1101, "crv.c", __LINE__);
        return FAILURE;
    }
    char* p = psLine_in;
    if (CMN_EatKeyword(&p) != SUCCESS) {
        ERRLOG_LineBugNew(1102, "crv.c", __LINE__);
    } else {
        ARGS args;
        if (CMN_ArgParse(p, 0, &args) != SUCCESS)
            ERRLOG_BugNew(1103, psLabel_in, "crv.c", __LINE__);
        else if (args.iActualCnt > 0)
            ERRLOG_LineErrorNew(1104, args.iActualCnt + 1, psLabel_in, 1);
        CMN_ArgFree(&args);
    }
    gBeginLine = PARSE_GetLineNum();
    s_ResetTrackers();
    *ppCrv_out = pCrv;
    return SUCCESS;
}

void CRV_ReceiveLine(char* psLine_in, CRV* pCrv_io, const char* psLabel_in)
{
    KIVO_ASSERT(psLine_in != nullptr && pCrv_io != nullptr && psLabel_in != nullptr);
    RNGP* pRow = nullptr;
    if (RNGP_ParseLine(psLine_in, psLabel_in, "Voltage", &pRow) != SUCCESS || pRow == nullptr)
        return;
    int iCnt = 0;
    RNGP_LinkLine(&pCrv_io->pCurve, pRow, &iCnt, TRUE);

    if (pRow->eValueStat == SET) s_Monotonic(gVol, pRow->dValue, psLabel_in, "Voltage");
    if (pRow->eTypStat == SET) s_Monotonic(gTyp, pRow->dTyp, psLabel_in, "Typical");
    if (pRow->eMinStat == SET) s_Monotonic(gMin, pRow->dMin, psLabel_in, "Minimum");
    if (pRow->eMaxStat == SET) s_Monotonic(gMax, pRow->dMax, psLabel_in, "Maximum");

    if (pRow->eValueStat == NA) ERRLOG_LineErrorNew(1106);

    if (iCnt == CRV_MAX_ROWS + 1) ERRLOG_LineErrorNew(1107, CRV_MAX_ROWS, psLabel_in);
}

void CRV_Fini(const char* psModel_in, MODEL_TYPE eType_in, KEYWORD_TYPE eCurve_in, CRV* pCrv_in,
              const char* psLabel_in, const char* label)
{
    KIVO_ASSERT(psModel_in != nullptr && pCrv_in != nullptr && psLabel_in != nullptr &&
                label != nullptr && eCurve_in != NOT_KEY);
    const int iLine = static_cast<int>(gBeginLine);

    // One walk: count, first and last rows, columns ever set, extremes.
    long lRows = 0;
    bool bAnyMin = false, bAnyMax = false;
    const RNGP* pFirst = pCrv_in->pCurve;
    const RNGP* pLast = nullptr;
    Isign vmin, vmax;
    for (const RNGP* p = pCrv_in->pCurve; p != nullptr; p = p->pNext) {
        ++lRows;
        pLast = p;
        if (p->eMinStat == SET) bAnyMin = true;
        if (p->eMaxStat == SET) bAnyMax = true;
        if (p->eValueStat == SET) s_Extremes(p, vmin, vmax);
    }

    if (lRows < 2) {
        ERRLOG_ErrorNew(1108, psLabel_in, iLine);
    } else {
        const RNGP* ends[2] = {pFirst, pLast};
        const char* names[2] = {"First", "Last"};
        for (int i = 0; i < 2; ++i) {
            if (ends[i]->eTypStat == NA) ERRLOG_ErrorNew(1109, names[i], "Typical", psLabel_in, iLine);
            if (ends[i]->eMinStat == NA && bAnyMin)
                ERRLOG_ErrorNew(1109, names[i], "Minimum", psLabel_in, iLine);
            if (ends[i]->eMaxStat == NA && bAnyMax)
                ERRLOG_ErrorNew(1109, names[i], "Maximum", psLabel_in, iLine);
        }
    }

    // Direction of the typical current from the lowest to the highest voltage.
    bool bCheck = eType_in != TYPE_NOT_SET && eType_in != NO_TYPE && vmin.eIstat == SET &&
                  vmax.eIstat == SET && eCurve_in != ISSO_PD_KEY && eCurve_in != ISSO_PU_KEY;
    DIRECTION eExpect = DECREASING;
    if (eType_in == SERIES || eType_in == SERIES_SWITCH) {
        if (eCurve_in == SERIES_CURRENT_KEY) bCheck = false;
        if (eCurve_in == SERIES_MOSFET_KEY || eCurve_in == PULLDOWN_KEY || eCurve_in == GND_CLAMP_KEY)
            eExpect = INCREASING;
    } else if (eType_in == INPUT_ECL || eType_in == OUTPUT_ECL || eType_in == IO_ECL ||
               eType_in == THREE_STATE_ECL) {
        if (eCurve_in == GND_CLAMP_KEY) eExpect = INCREASING;
    } else {
        if (eCurve_in == PULLDOWN_KEY || eCurve_in == GND_CLAMP_KEY) eExpect = INCREASING;
    }
    if (bCheck) {
        if (eExpect == INCREASING && vmin.dI > vmax.dI)
            ERRLOG_WarnNew(1111, label, psModel_in, psLabel_in);
        else if (eExpect == DECREASING && vmin.dI < vmax.dI)
            ERRLOG_WarnNew(1112, label, psModel_in, psLabel_in);
    }

    // A clamp's current must reach zero somewhere in each column.
    if ((eCurve_in == GND_CLAMP_KEY || eCurve_in == PWR_CLAMP_KEY) && pFirst != nullptr) {
        for (int iCol = 0; iCol < 3; ++iCol) {
            auto stat = [iCol](const RNGP* p) {
                return iCol == 0 ? p->eTypStat : (iCol == 1 ? p->eMinStat : p->eMaxStat);
            };
            auto val = [iCol](const RNGP* p) {
                return iCol == 0 ? p->dTyp : (iCol == 1 ? p->dMin : p->dMax);
            };
            if (stat(pFirst) != SET || stat(pLast) != SET) continue;
            bool bZero = false, bBelow = false, bAbove = false;
            for (const RNGP* p = pFirst; p != nullptr; p = p->pNext) {
                if (stat(p) != SET) continue;
                double v = val(p);
                if (std::fabs(v) <= 1e-6)
                    bZero = true;
                else if (v < 0.0)
                    bBelow = true;
                else if (v > 0.0)
                    bAbove = true;
            }
            if (!bZero && bBelow != bAbove) ERRLOG_WarnNew(1113 + iCol, label, psModel_in, psLabel_in);
        }
    }
}

void CRV_Free(CRV* pCrv_in)
{
    if (pCrv_in == nullptr) return;
    RNGP_FreeList(pCrv_in->pCurve);
    delete pCrv_in;
}

void CRV_GetRefValCurrent(CRV* pCrv_in, double dVal, double** pdTypVal, double** pdMinVal,
                          double** pdMaxVal)
{
    KIVO_ASSERT(pCrv_in != nullptr && pdTypVal != nullptr && pdMinVal != nullptr &&
                pdMaxVal != nullptr);
    *pdTypVal = nullptr;
    *pdMinVal = nullptr;
    *pdMaxVal = nullptr;

    const RNGP* p = pCrv_in->pCurve;
    while (p != nullptr && p->eValueStat != SET) p = p->pNext;
    if (p == nullptr) return;
    seg_end start = s_End(p);

    for (p = p->pNext; p != nullptr; p = p->pNext) {
        if (p->eValueStat != SET) continue;
        const double v1 = p->dValue;
        // A voltage (almost) equal to the start's is the same point; an exact
        // repeat of 0 V is caught too, where the relative test is empty and
        // the segment would have no length.
        if (v1 == start.dV || std::fabs(v1 - start.dV) < 1e-6 * std::fabs(start.dV)) continue;
        seg_end end = s_End(p);
        if (!end.bTyp) {
            start = end;
            continue;
        }
        const double lo = std::min(start.dV, v1), hi = std::max(start.dV, v1);
        const bool bInside = (dVal >= lo && dVal <= hi) || std::fabs(dVal - v1) <= 1e-6 * std::fabs(dVal);
        if (!bInside) {
            start = end;
            continue;
        }
        const double f = (dVal - start.dV) / (v1 - start.dV);
        if (start.bTyp) *pdTypVal = s_NewDouble(start.dTyp + f * (end.dTyp - start.dTyp));
        if (start.bMin && end.bMin) *pdMinVal = s_NewDouble(start.dMin + f * (end.dMin - start.dMin));
        if (start.bMax && end.bMax) *pdMaxVal = s_NewDouble(start.dMax + f * (end.dMax - start.dMax));
        return;
    }
}

void CRV_Reset()
{
    gBeginLine = 0;
    s_ResetTrackers();
}

#include "checks/acdc.h"

#include <cmath>
#include <string>
#include <unordered_map>

#include "common/errlog.h"
#include "model/mspec.h"
#include "model/ramp.h"

namespace {

constexpr QRY_PROCESS corners[3] = {QRY_TYP, QRY_MIN, QRY_MAX};

// ---------------------------------------------------------------------------
// Monotonicity: one tracker per column (voltage, typical, minimum, maximum),
// all starting afresh for each table.
// ---------------------------------------------------------------------------
struct trackers {
    MONOTONIC_INFO vol, typ, min, max;
};

// Feeds one value to a tracker; a value against the column's direction is
// reported once and stops the tracker.  Equal values never violate.
void s_CheckMonotonicValue(MONOTONIC_INFO* pM, double v, const char* label, const char* name,
                           const char* col, ERROR_TYPES et)
{
    if (pM->eStat == NOT_SET) {
        pM->dNum = v;
        pM->eStat = SET;
        pM->eDir = NO_DIRECTION;
        return;
    }
    if ((pM->eDir == DECREASING && v > pM->dNum) || (pM->eDir == INCREASING && v < pM->dNum)) {
        if (et == etWARNING)
            ERRLOG_WarnNew(1509, label, name, col);
        else
            ERRLOG_NoteNew(1509, label, name, col);
        pM->eStat = NA;
    } else if (pM->eDir == NO_DIRECTION) {
        if (v > pM->dNum) pM->eDir = INCREASING;
        if (v < pM->dNum) pM->eDir = DECREASING;
    }
    pM->dNum = v;
}

// The columns of one point that the corner looks at.
void s_CheckMonotonic(trackers* t, const RNGP* p, const char* name, const char* label, QRY_PROCESS eProcess,
                      ERROR_TYPES et)
{
    KIVO_ASSERT(p != nullptr && label != nullptr);
    switch (eProcess) {
    case QRY_MIN:
        if (p->eMinStat == SET && t->min.eStat != NA)
            s_CheckMonotonicValue(&t->min, p->dMin, label, name, "Minimum", et);
        break;
    case QRY_MAX:
        if (p->eMaxStat == SET && t->max.eStat != NA)
            s_CheckMonotonicValue(&t->max, p->dMax, label, name, "Maximum", et);
        break;
    case QRY_TYP:
        if (p->eValueStat == SET && t->vol.eStat != NA)
            s_CheckMonotonicValue(&t->vol, p->dValue, label, name, "Voltage", et);
        if (p->eTypStat == SET && t->typ.eStat != NA)
            s_CheckMonotonicValue(&t->typ, p->dTyp, label, name, "Typical", et);
        break;
    }
}

void s_CheckMonotonicity(CRV* pCrv, const char* name, const char* label, QRY_PROCESS eProcess, ERROR_TYPES et)
{
    KIVO_ASSERT(label != nullptr);
    if (pCrv == nullptr || qry_RngpIsBad(pCrv->pCurve, eProcess)) return;
    trackers t;
    for (const RNGP* p = pCrv->pCurve; p != nullptr; p = p->pNext)
        s_CheckMonotonic(&t, p, name, label, eProcess, et);
}

// ---------------------------------------------------------------------------
// Small helpers.
// ---------------------------------------------------------------------------
bool s_IsBad(const CRV* pCrv, QRY_PROCESS eProcess)
{
    return qry_RngpIsBad(pCrv != nullptr ? pCrv->pCurve : nullptr, eProcess) != 0;
}

bool s_IsEcl(MODEL_TYPE t) { return t == INPUT_ECL || t == OUTPUT_ECL || t == IO_ECL || t == THREE_STATE_ECL; }

// A table's corner copied onto its own grid plus 0 V and 1 V (an absent
// table gives two zero-current points).
CRV* s_Copy(CRV* pCrv, QRY_PROCESS eProcess)
{
    return qry_AddCrvsProcess(pCrv, qry_NullYFriendlyCrv(), eProcess);
}

const char* s_CornerWord(QRY_PROCESS eProcess)
{
    switch (eProcess) {
    case QRY_TYP: return "Typical";
    case QRY_MIN: return "Minimum";
    case QRY_MAX: return "Maximum";
    }
    return "Typical";
}

// The corner's current of a table at a voltage, through the curve module's
// interpolation; false when it has none.
bool s_CurrentAt(CRV* pCrv, double dV, QRY_PROCESS eProcess, double* pdI)
{
    double* pTyp = nullptr;
    double* pMin = nullptr;
    double* pMax = nullptr;
    CRV_GetRefValCurrent(pCrv, dV, &pTyp, &pMin, &pMax);
    double* pWant = eProcess == QRY_MIN ? pMin : (eProcess == QRY_MAX ? pMax : pTyp);
    const bool bFound = pWant != nullptr;
    if (bFound) *pdI = *pWant;
    delete pTyp;
    delete pMin;
    delete pMax;
    return bFound;
}

// ---------------------------------------------------------------------------
// Timing test load: Vmeas, Rref and Vref, from the model or its [Model Spec].
// ---------------------------------------------------------------------------
bool s_HasTyp(const RNG* r) { return r != nullptr && r->eTypStat == SET; }

double s_SpecValue(const RNG* r, QRY_PROCESS eProcess)
{
    if (eProcess == QRY_MIN && r->eMinStat == SET) return r->dMin;
    if (eProcess == QRY_MAX && r->eMaxStat == SET) return r->dMax;
    return r->dTyp;
}

struct load_value {
    const double* pdModel = nullptr;  // the model's own subparameter
    const RNG* pSpec = nullptr;       // plain [Model Spec] value
    const RNG* pRising = nullptr;
    const RNG* pFalling = nullptr;

    bool PlainAvailable() const { return s_HasTyp(pSpec) || pdModel != nullptr; }
    // The rising and falling variants count only without a plain typical.
    bool RisingAvailable() const { return !s_HasTyp(pSpec) && s_HasTyp(pRising); }
    bool FallingAvailable() const { return !s_HasTyp(pSpec) && s_HasTyp(pFalling); }
    bool Available() const { return PlainAvailable() || (RisingAvailable() && FallingAvailable()); }
    double Plain(QRY_PROCESS e) const { return s_HasTyp(pSpec) ? s_SpecValue(pSpec, e) : *pdModel; }
};

struct test_load {
    load_value vmeas, rref, vref;
};

test_load s_TestLoad(const MDL* pMdl)
{
    test_load t;
    t.vmeas.pdModel = pMdl->pdVmeas;
    t.rref.pdModel = pMdl->pdRref;
    t.vref.pdModel = pMdl->pdVref;
    if (const MSPEC* s = pMdl->pMspec) {
        t.vmeas.pSpec = s->pVmeas;
        t.vmeas.pRising = s->pVmeasRising;
        t.vmeas.pFalling = s->pVmeasFalling;
        t.rref.pSpec = s->pRref;
        t.rref.pRising = s->pRrefRising;
        t.rref.pFalling = s->pRrefFalling;
        t.vref.pSpec = s->pVref;
        t.vref.pRising = s->pVrefRising;
        t.vref.pFalling = s->pVrefFalling;
    }
    return t;
}

enum load_outcome { LOAD_NO_POINT, LOAD_FAIL, LOAD_PASS };

// Operating points of the two tables into Rref to Vref: the low state must
// reach below Vmeas and the high state above it.
load_outcome s_TryLoad(MDL* pMdl, QRY_PROCESS eProcess, CRV* pLow, CRV* pHigh, double dVmeas, double dRref,
                       double dVref, const char* psEdge)
{
    double vLow = 0.0, iLow = 0.0, vHigh = 0.0, iHigh = 0.0;
    const bool bLow =
        pLow != nullptr && acdc_VI_Given_VIC_VR(pLow, dVref, dRref, eProcess, 0.0, &vLow, &iLow) != 0;
    const bool bHigh =
        pHigh != nullptr && acdc_VI_Given_VIC_VR(pHigh, dVref, dRref, eProcess, 0.0, &vHigh, &iHigh) != 0;
    if (!bLow && !bHigh) return LOAD_NO_POINT;
    if (pMdl->external == nullptr && ((bLow && dVmeas < vLow) || (bHigh && vHigh < dVmeas))) {
        if (psEdge != nullptr)
            ERRLOG_WarnNew(1515, pMdl->sModel, qry_ProcessString(eProcess), psEdge, dVmeas, dRref, dVref);
        else
            ERRLOG_WarnNew(1500, pMdl->sModel, qry_ProcessString(eProcess), dVmeas, dRref, dVref);
        return LOAD_FAIL;
    }
    return LOAD_PASS;
}

// ---------------------------------------------------------------------------
// Dynamic-clamp submodels.
// ---------------------------------------------------------------------------
bool s_NonDrivingType(MODEL_TYPE t)
{
    return t == INPUT || t == IO || t == IO_OPEN_DRAIN || t == IO_OPEN_SINK || t == IO_OPEN_SOURCE || t == IO_ECL ||
           t == INPUT_ECL || t == TERMINATOR;
}

bool s_DrivingType(MODEL_TYPE t)
{
    return t == OUTPUT || t == IO || t == THREE_STATE || t == OPEN_DRAIN || t == IO_OPEN_DRAIN || t == OPEN_SINK ||
           t == IO_OPEN_SINK || t == OPEN_SOURCE || t == IO_OPEN_SOURCE || t == OUTPUT_ECL || t == IO_ECL ||
           t == THREE_STATE_ECL;
}

// *ppAll += pAdd; the addend is released.  False when memory ran out (then
// *ppAll is released too).
bool s_Accumulate(CRV** ppAll, CRV* pAdd, QRY_PROCESS eProcess)
{
    if (pAdd == nullptr) {
        CRV_Free(*ppAll);
        *ppAll = nullptr;
        return false;
    }
    CRV* pSum = qry_AddCrvsProcess(*ppAll, pAdd, eProcess);
    CRV_Free(*ppAll);
    CRV_Free(pAdd);
    *ppAll = pSum;
    return pSum != nullptr;
}

// The model's clamps plus the clamps of every dynamic-clamp submodel it adds
// in one of the two given modes, checked for monotonicity.
void s_CombinedClamp(MDL* pMdl, const std::unordered_map<std::string, SUBMDL*>& index, CRV* pGC, CRV* pPC,
                     double dGndRef, double dPwrRef, SUBMDL_MODE eMode, const char* psLabel, QRY_PROCESS eProcess)
{
    CRV* pAll = qry_AddCrvsProcess(pGC, pPC, eProcess);
    if (pAll == nullptr) return;
    for (const ADD_SUBMDL* e = pMdl->pSubMdl; e != nullptr; e = e->pNext) {
        auto it = index.find(e->sSubMdl);
        if (it == index.end()) continue;
        SUBMDL* s = it->second;
        if (s->eType != DYNAMIC_CLAMP || (e->eMode != MODE_ALL && e->eMode != eMode)) continue;
        CRV* pSubGC = s_Copy(s->pGND_Clamp, eProcess);
        if (pSubGC != nullptr) qry_ShiftX(pSubGC->pCurve, dGndRef);
        if (!s_Accumulate(&pAll, pSubGC, eProcess)) return;
        CRV* pSubPC = s_Copy(s->pPOWER_Clamp, eProcess);
        if (pSubPC != nullptr) {
            qry_NegateX(pSubPC->pCurve);
            qry_ShiftX(pSubPC->pCurve, dPwrRef);
        }
        if (!s_Accumulate(&pAll, pSubPC, eProcess)) return;
    }
    s_CheckMonotonicity(pAll, pMdl->sModel.c_str(), psLabel, eProcess, etNOTE);
    CRV_Free(pAll);
}

// The minimum (bMin) or maximum of a reference range: its own value when
// given, its typical value when it is NA.  1 when found; 0 when it is NA
// without a typical value; -1 when the range or the value is absent.
int s_ReferenceMinMax(const RNG* pRng, bool bMin, double* pdVal)
{
    if (pRng == nullptr) return -1;
    const NUMSTAT e = bMin ? pRng->eMinStat : pRng->eMaxStat;
    if (e == SET) {
        *pdVal = bMin ? pRng->dMin : pRng->dMax;
        return 1;
    }
    if (e == NA) {
        if (pRng->eTypStat != SET) return 0;
        *pdVal = pRng->dTyp;
        return 1;
    }
    return -1;
}

}  // namespace

// ---------------------------------------------------------------------------
// Whole models.
// ---------------------------------------------------------------------------
int acdc_CheckAllModels(MDL* pMdl)
{
    int iFailed = 0;
    for (MDL* m = pMdl; m != nullptr; m = m->pNext)
        if (acdc_CheckModel(m) == 0) ++iFailed;
    return iFailed;
}

int acdc_CheckModel(MDL* pMdl)
{
    KIVO_ASSERT(pMdl != nullptr);
    int iResult = 1;
    const MODEL_TYPE t = pMdl->eType;
    if (t != INPUT && t != INPUT_ECL && t != TERMINATOR && t != SERIES && t != SERIES_SWITCH) {
        for (QRY_PROCESS c : corners)
            if (acdc_CheckModelProcess(pMdl, c) == 0) iResult = 0;
        for (QRY_PROCESS c : corners) acdc_checkIsso(pMdl, c);
    }
    if (acdc_CheckShuntCurrents(pMdl) == 0) iResult = 0;
    if (acdc_CheckOpenEndedCurrents(pMdl) == 0) iResult = 0;
    return iResult;
}

int acdc_CheckModelProcess(MDL* pMdl, QRY_PROCESS eProcess)
{
    KIVO_ASSERT(pMdl != nullptr);
    if (pMdl->pPulldown != nullptr && pMdl->pPullup != nullptr && s_IsBad(pMdl->pPulldown, eProcess) &&
        s_IsBad(pMdl->pPullup, eProcess))
        return 1;

    double dPwrRef = 0.0, dPuRef = 0.0, dGndRef = 0.0, dPdRef = 0.0;
    qry_GetRefs4Process(pMdl, eProcess, &dPwrRef, &dPuRef, &dGndRef, &dPdRef);

    CRV* pPD = s_Copy(pMdl->pPulldown, eProcess);
    CRV* pPU = pPD != nullptr ? s_Copy(pMdl->pPullup, eProcess) : nullptr;
    CRV* pGC = pPU != nullptr ? s_Copy(pMdl->pGND_Clamp, eProcess) : nullptr;
    CRV* pPC = pGC != nullptr ? s_Copy(pMdl->pPOWER_Clamp, eProcess) : nullptr;
    if (pPC == nullptr) {
        CRV_Free(pPD);
        CRV_Free(pPU);
        CRV_Free(pGC);
        return 0;
    }

    // Into one ground-referenced frame: pull-up and POWER clamp tables are
    // relative to their supply.
    if (s_IsEcl(pMdl->eType)) qry_NegateX(pPD->pCurve);
    qry_ShiftX(pPD->pCurve, dPdRef);
    qry_NegateX(pPU->pCurve);
    qry_ShiftX(pPU->pCurve, dPuRef);
    qry_NegateX(pPC->pCurve);
    qry_ShiftX(pPC->pCurve, dPwrRef);
    qry_ShiftX(pGC->pCurve, dGndRef);

    CRV* pShunt = qry_AddCrvsProcess(pPC, pGC, eProcess);
    CRV* pLow = pShunt != nullptr ? qry_AddCrvsProcess(pShunt, pPD, eProcess) : nullptr;
    CRV* pHigh = pLow != nullptr ? qry_AddCrvsProcess(pShunt, pPU, eProcess) : nullptr;

    int iResult = 0;
    if (pHigh != nullptr) {
        const char* psName = pMdl->sModel.c_str();
        s_CheckMonotonicity(pLow, psName, "Combined Pulldown for Model:", eProcess, etNOTE);
        s_CheckMonotonicity(pHigh, psName, "Combined Pullup for Model:", eProcess, etNOTE);

        iResult = acdc_CheckModelProcessRamp(pMdl, eProcess, pLow, pHigh);

        const test_load load = s_TestLoad(pMdl);
        if (pMdl->pRising != nullptr || pMdl->pFalling != nullptr || load.vmeas.Available() ||
            load.rref.Available() || load.vref.Available()) {
            for (WVFRM* w = pMdl->pRising; w != nullptr; w = w->pNext)
                if (acdc_CheckModelProcessWave(pMdl, eProcess, w, pLow, pHigh, 1) == 0) iResult = 0;
            for (WVFRM* w = pMdl->pFalling; w != nullptr; w = w->pNext)
                if (acdc_CheckModelProcessWave(pMdl, eProcess, w, pLow, pHigh, 0) == 0) iResult = 0;
            CRV* pLoadLow = pMdl->pPulldown != nullptr && s_IsBad(pMdl->pPulldown, eProcess) ? nullptr : pLow;
            CRV* pLoadHigh = pMdl->pPullup != nullptr && s_IsBad(pMdl->pPullup, eProcess) ? nullptr : pHigh;
            if (acdc_CheckModelProcessTestLoad(pMdl, eProcess, pLoadLow, pLoadHigh) == 0) iResult = 0;
        }
    }

    CRV_Free(pPD);
    CRV_Free(pPU);
    CRV_Free(pGC);
    CRV_Free(pPC);
    CRV_Free(pShunt);
    CRV_Free(pLow);
    CRV_Free(pHigh);
    return iResult;
}

// ---------------------------------------------------------------------------
// Operating points.
// ---------------------------------------------------------------------------
int acdc_Interesction(double m1, double b1, double m2, double b2, double* x, double* y)
{
    KIVO_ASSERT(x != nullptr && y != nullptr);
    if (std::fabs(m1 - m2) < 1e-32) return 0;
    *x = (b2 - b1) / (m1 - m2);
    *y = *x * m1 + b1;
    return 1;
}

int acdc_VI_Given_VIC_VR(CRV* pCrv, double v_fix, double r_fix, QRY_PROCESS eProcess, double v_ac_intercept,
                         double* pdVoltage, double* pdCurrent)
{
    KIVO_ASSERT(pdVoltage != nullptr && pdCurrent != nullptr);
    if (pCrv == nullptr) return 0;
    // The load line: current g (v_fix - V) into the pin.
    const double g = r_fix >= 1e-32 ? 1.0 / r_fix : 1e32;
    const double m1 = -g;
    const double b1 = g * v_fix;

    double x1 = 0.0, y1 = 0.0, x2 = 0.0, y2 = 0.0;
    RNGP* p1 = qry_FirstYPoint(pCrv->pCurve, eProcess, &x1, &y1);
    if (p1 == nullptr) return 0;
    RNGP* p2 = qry_NextYPoint(p1, eProcess, &x2, &y2);
    if (p2 == nullptr || x2 < x1) return 0;

    double dBest = 1e32;
    bool bFound = false, bFirst = true;
    double xc = 0.0, yc = 0.0, xi = 0.0, yi = 0.0;
    while (p2 != nullptr) {
        const double m2 = x2 - x1 < 1e-32 ? 1e32 : (y2 - y1) / (x2 - x1);
        const double b2 = y1 - x1 * m2;
        if (acdc_Interesction(m1, b1, m2, b2, &xi, &yi) == 0) return 0;
        if (bFirst && xi <= x1) {
            // The first segment extends downward.
            xc = xi;
            yc = yi;
            bFound = true;
        } else if (x1 - 1e-6 < xi && xi < x2 + 1e-6 && std::fabs(xi - v_ac_intercept) < dBest) {
            dBest = std::fabs(xi - v_ac_intercept);
            xc = xi;
            yc = yi;
            bFound = true;
        }
        bFirst = false;
        p1 = p2;
        x1 = x2;
        y1 = y2;
        p2 = qry_NextYPoint(p1, eProcess, &x2, &y2);
    }
    if (!bFound) {
        // The last segment extends upward.
        xc = xi;
        yc = yi;
    }
    *pdVoltage = xc;
    *pdCurrent = yc;
    return 1;
}

// ---------------------------------------------------------------------------
// Ramp, waveforms, test load.
// ---------------------------------------------------------------------------
int acdc_CheckModelProcessRamp(MDL* pMdl, QRY_PROCESS eProcess, CRV* pCrv_Low, CRV* pCrv_High)
{
    KIVO_ASSERT(pMdl != nullptr);
    const RAMP* pRamp = pMdl->pRamp;
    if (pRamp == nullptr || pRamp->pD_r == nullptr || pRamp->pD_f == nullptr) return 1;
    double dVpu = 0.0, dVpd = 0.0;
    if (acdc_getPullupReference(pMdl->pPullup_Ref, pMdl->pVoltage_Range, eProcess, &dVpu) == 0) return 1;
    if (acdc_getPulldownReference(pMdl->pPulldown_Ref, eProcess, &dVpd) == 0) return 1;

    // Where the ramp's load resistor goes.
    double dVr = dVpd, dVf = dVpu;
    const MODEL_TYPE t = pMdl->eType;
    if (t == OUTPUT_ECL || t == IO_ECL || t == THREE_STATE_ECL) {
        dVr = dVpu - 2.0;
        dVf = dVpu - 2.0;
    } else if (t == OPEN_DRAIN || t == IO_OPEN_DRAIN || t == OPEN_SINK || t == IO_OPEN_SINK) {
        dVr = dVpu;
    } else if (t == OPEN_SOURCE || t == IO_OPEN_SOURCE) {
        dVf = dVpd;
    }
    const double dR = pRamp->eRloadStat == SET ? pRamp->dRload : 50.0;

    auto dV = [eProcess](const RAMPLINE* l, double* pd) {
        NUMSTAT e = eProcess == QRY_MIN ? l->eMinStat : (eProcess == QRY_MAX ? l->eMaxStat : l->eTypStat);
        *pd = eProcess == QRY_MIN ? l->dMin_dV : (eProcess == QRY_MAX ? l->dMax_dV : l->dTyp_dV);
        return e == SET;
    };
    auto compare = [&](double dRampDV, double vLow, double vHigh, const char* psEdge) {
        const double dCalc = 0.6 * std::fabs(vLow - vHigh);
        if (std::fabs(dCalc - dRampDV) > 0.05 * std::fabs(dRampDV))
            ERRLOG_CautionNew(1514, dRampDV, 5.0, dCalc, pMdl->sModel, qry_ProcessString(eProcess), psEdge);
    };

    double dRise = 0.0, dFall = 0.0, vLow = 0.0, vHigh = 0.0, dI = 0.0;
    if (dV(pRamp->pD_r, &dRise)) {
        if (acdc_VI_Given_VIC_VR(pCrv_Low, dVr, dR, eProcess, dVr, &vLow, &dI) != 0 &&
            acdc_VI_Given_VIC_VR(pCrv_High, dVr, dR, eProcess, dVr + dRise, &vHigh, &dI) != 0)
            compare(dRise, vLow, vHigh, "Rising");
    }
    if (dV(pRamp->pD_f, &dFall)) {
        if (acdc_VI_Given_VIC_VR(pCrv_High, dVf, dR, eProcess, dVf, &vHigh, &dI) != 0 &&
            acdc_VI_Given_VIC_VR(pCrv_Low, dVf, dR, eProcess, dVf - dFall, &vLow, &dI) != 0)
            compare(dFall, vLow, vHigh, "Falling");
    }
    return 1;
}

int acdc_CheckModelProcessWave(MDL* pMdl, QRY_PROCESS eProcess, WVFRM* pW, CRV* pCrv_Low, CRV* pCrv_High,
                               int is_rising)
{
    KIVO_ASSERT(pMdl != nullptr && pW != nullptr);
    // The fixture: an open load when R_fixture is missing; the corner's own
    // fixture voltage when given, else V_fixture.  The message names the
    // fixture voltage of the corner, whichever value stood in for it.
    const double dR = pW->pdR_fixture != nullptr ? *pW->pdR_fixture : 1e32;
    double dV = pW->pdV_fixture != nullptr ? *pW->pdV_fixture : 0.0;
    const char* psV = "V_fixture";
    if (eProcess == QRY_MIN) {
        psV = "V_fixture_min";
        if (pW->pdV_fixture_min != nullptr) dV = *pW->pdV_fixture_min;
    } else if (eProcess == QRY_MAX) {
        psV = "V_fixture_max";
        if (pW->pdV_fixture_max != nullptr) dV = *pW->pdV_fixture_max;
    }

    double t = 0.0, dFirst = 0.0, dLast = 0.0;
    if (qry_FirstYPoint(pW->pTrng, eProcess, &t, &dFirst) == nullptr) return 1;
    qry_LastYPoint(pW->pTrng, eProcess, &t, &dLast);
    const double dVlow = is_rising ? dFirst : dLast;
    const double dVhigh = is_rising ? dLast : dFirst;

    double vDcLow = 0.0, vDcHigh = 0.0, dI = 0.0;
    if (acdc_VI_Given_VIC_VR(pCrv_Low, dV, dR, eProcess, dVlow, &vDcLow, &dI) == 0) return 1;
    if (acdc_VI_Given_VIC_VR(pCrv_High, dV, dR, eProcess, dVhigh, &vDcHigh, &dI) == 0) return 1;

    const double dSwing = std::fabs(dVhigh - dVlow);
    const double dLow = std::fabs(vDcLow - dVlow);
    const double dHigh = std::fabs(vDcHigh - dVhigh);
    const bool bError = dLow > 0.1 * dSwing || dHigh > 0.1 * dSwing;
    const bool bWarn = dLow > 0.02 * dSwing || dHigh > 0.02 * dSwing;
    if (!bError && !bWarn) return 1;

    double dPctLow = 100.0, dPctHigh = 100.0;
    if (vDcLow != vDcHigh) {
        dPctLow = dLow / std::fabs(vDcLow - vDcHigh) * 100.0;
        dPctHigh = dHigh / std::fabs(vDcHigh - vDcLow) * 100.0;
    }
    const char* psEdge = is_rising ? "Rising" : "Falling";
    const char* psCorner = qry_ProcessString(eProcess);
    if (bError)
        ERRLOG_ErrorNew(1503, pMdl->sModel, psEdge, dR, psV, dV, psCorner, dVlow, dVhigh, vDcLow, vDcHigh,
                        dPctLow, dPctHigh);
    else
        ERRLOG_WarnNew(1503, pMdl->sModel, psEdge, dR, psV, dV, psCorner, dVlow, dVhigh, vDcLow, vDcHigh,
                       dPctLow, dPctHigh);
    return 0;
}

int acdc_CheckModelProcessTestLoad(MDL* pMdl, QRY_PROCESS eProcess, CRV* pCrv_Low, CRV* pCrv_High)
{
    KIVO_ASSERT(pMdl != nullptr);
    const test_load t = s_TestLoad(pMdl);
    if (!t.vmeas.Available() || !t.rref.Available() || !t.vref.Available()) return 1;

    if (t.vmeas.RisingAvailable() && t.rref.RisingAvailable() && t.vref.RisingAvailable()) {
        const load_outcome e =
            s_TryLoad(pMdl, eProcess, pCrv_Low, pCrv_High, s_SpecValue(t.vmeas.pRising, eProcess),
                      s_SpecValue(t.rref.pRising, eProcess), s_SpecValue(t.vref.pRising, eProcess), "Rising");
        if (e == LOAD_NO_POINT) return 1;
        if (e == LOAD_FAIL) return 0;
    }
    if (t.vmeas.FallingAvailable() && t.rref.FallingAvailable() && t.vref.FallingAvailable()) {
        return s_TryLoad(pMdl, eProcess, pCrv_Low, pCrv_High, s_SpecValue(t.vmeas.pFalling, eProcess),
                         s_SpecValue(t.rref.pFalling, eProcess), s_SpecValue(t.vref.pFalling, eProcess),
                         "Falling") == LOAD_FAIL
                   ? 0
                   : 1;
    }
    if (t.vmeas.PlainAvailable() && t.rref.PlainAvailable() && t.vref.PlainAvailable()) {
        return s_TryLoad(pMdl, eProcess, pCrv_Low, pCrv_High, t.vmeas.Plain(eProcess), t.rref.Plain(eProcess),
                         t.vref.Plain(eProcess), nullptr) == LOAD_FAIL
                   ? 0
                   : 1;
    }
    return 1;
}

// ---------------------------------------------------------------------------
// ISSO tables, clamp currents, open-ended models.
// ---------------------------------------------------------------------------
void acdc_checkIsso(MDL* pMdl, QRY_PROCESS eProcess)
{
    KIVO_ASSERT(pMdl != nullptr);
    double dVpu = 0.0, dVpd = 0.0;
    if (acdc_getPullupReference(pMdl->pPullup_Ref, pMdl->pVoltage_Range, eProcess, &dVpu) == 0) return;
    if (acdc_getPulldownReference(pMdl->pPulldown_Ref, eProcess, &dVpd) == 0) return;
    const char* psModel = pMdl->sModel.c_str();
    const char* psCorner = s_CornerWord(eProcess);

    if (pMdl->pIssoPu != nullptr && pMdl->pPullup != nullptr && !s_IsBad(pMdl->pIssoPu, eProcess) &&
        !s_IsBad(pMdl->pPullup, eProcess)) {
        double dIiso = 0.0, dIpu = 0.0, dI = 0.0;
        if (s_CurrentAt(pMdl->pIssoPu, 0.0, eProcess, &dIiso) &&
            s_CurrentAt(pMdl->pPullup, dVpu - dVpd, eProcess, &dIpu) &&
            std::fabs(dIpu - dIiso) > 0.05 * std::fabs(dIiso))
            ERRLOG_WarnNew(1512, psModel, psCorner, "ISSO_PU", dIiso, 5.0, "Pullup", dIpu, dVpd);
        if (s_CurrentAt(pMdl->pIssoPu, dVpu - dVpd, eProcess, &dI) && std::fabs(dI) > 1e-6)
            ERRLOG_WarnNew(1513, psModel, psCorner, "ISSO_PU", dI, "Pulldown", dVpd, dVpu - dVpd, 1e-6);
    }
    if (pMdl->pIssoPd != nullptr && pMdl->pPulldown != nullptr && !s_IsBad(pMdl->pIssoPd, eProcess) &&
        !s_IsBad(pMdl->pPulldown, eProcess)) {
        double dIiso = 0.0, dIpd = 0.0, dI = 0.0;
        if (s_CurrentAt(pMdl->pIssoPd, 0.0, eProcess, &dIiso) &&
            s_CurrentAt(pMdl->pPulldown, dVpu, eProcess, &dIpd) &&
            std::fabs(dIpd - dIiso) > 0.05 * std::fabs(dIiso))
            ERRLOG_WarnNew(1512, psModel, psCorner, "ISSO_PD", dIiso, 5.0, "Pulldown", dIpd, dVpu);
        if (s_CurrentAt(pMdl->pIssoPd, dVpu - dVpd, eProcess, &dI) && std::fabs(dI) > 1e-6)
            ERRLOG_WarnNew(1513, psModel, psCorner, "ISSO_PD", dI, "Pullup", dVpu, dVpu - dVpd, 1e-6);
    }
}

int acdc_CurrentNotExcessive(CRV* pC, const char* sModel, const char* sCurve, double dV, double dMaxI)
{
    KIVO_ASSERT(sModel != nullptr && sCurve != nullptr);
    int iResult = 1;
    for (QRY_PROCESS c : corners) {
        double dI = 0.0;
        if (qry_Y(pC, dV, c, &dI) != 0 && std::fabs(dI) > dMaxI) {
            ERRLOG_WarnNew(1506, sModel, qry_ProcessString(c), sCurve, dI, dV);
            iResult = 0;
        }
    }
    return iResult;
}

int acdc_CheckShuntCurrents(MDL* pMdl)
{
    KIVO_ASSERT(pMdl != nullptr);
    const char* psModel = pMdl->sModel.c_str();
    const int iGnd = acdc_CurrentNotExcessive(pMdl->pGND_Clamp, psModel, "GND_Clamp", -1.5, 10.0);
    const int iPwr = acdc_CurrentNotExcessive(pMdl->pPOWER_Clamp, psModel, "POWER_Clamp", -1.5, 10.0);
    return iGnd != 0 && iPwr != 0 ? 1 : 0;
}

int acdc_CurrentNotZero(CRV* pC)
{
    if (pC == nullptr) return 0;
    for (const RNGP* p = pC->pCurve; p != nullptr; p = p->pNext) {
        if (p->eValueStat != SET) continue;
        // A not-a-number current compares unequal to zero, so it counts.
        if (p->dTyp != 0.0 || p->dMin != 0.0 || p->dMax != 0.0) return 1;
    }
    return 0;
}

int acdc_CheckOpenEndedCurrents(MDL* pMdl)
{
    KIVO_ASSERT(pMdl != nullptr);
    const MODEL_TYPE t = pMdl->eType;
    const std::string& s = pMdl->sModel;
    if (t == OPEN_DRAIN || t == IO_OPEN_DRAIN || t == OPEN_SINK || t == IO_OPEN_SINK) {
        if (acdc_CurrentNotZero(pMdl->pPullup)) {
            ERRLOG_ErrorNew(1507, s);
            return 0;
        }
        if (acdc_CurrentNotZero(pMdl->pIssoPu)) {
            ERRLOG_ErrorNew(1510, s);
            return 0;
        }
    } else if (t == OPEN_SOURCE || t == IO_OPEN_SOURCE) {
        if (acdc_CurrentNotZero(pMdl->pPulldown)) {
            ERRLOG_ErrorNew(1508, s);
            return 0;
        }
        if (acdc_CurrentNotZero(pMdl->pIssoPd)) {
            ERRLOG_ErrorNew(1511, s);
            return 0;
        }
    }
    return 1;
}

// ---------------------------------------------------------------------------
// Dynamic-clamp submodels.
// ---------------------------------------------------------------------------
int acdc_CheckAllSubModels(MDL* pMdl, SUBMDL* pSubMdl)
{
    for (QRY_PROCESS c : corners) acdc_CheckSubModelClamps(pMdl, pSubMdl, c);
    return 0;
}

int acdc_CheckSubModelClamps(MDL* pMdl, SUBMDL* pSubMdl, QRY_PROCESS eProcess)
{
    // Submodels by name, the first of a name winning.
    std::unordered_map<std::string, SUBMDL*> index;
    for (SUBMDL* s = pSubMdl; s != nullptr; s = s->pNext) index.emplace(s->sSubModel, s);

    for (MDL* m = pMdl; m != nullptr; m = m->pNext) {
        if (m->pSubMdl == nullptr) continue;
        if (m->pGND_Clamp != nullptr && m->pPOWER_Clamp != nullptr && s_IsBad(m->pGND_Clamp, eProcess) &&
            s_IsBad(m->pPOWER_Clamp, eProcess))
            continue;
        double dPwrRef = 0.0, dPuRef = 0.0, dGndRef = 0.0, dPdRef = 0.0;
        qry_GetRefs4Process(m, eProcess, &dPwrRef, &dPuRef, &dGndRef, &dPdRef);
        CRV* pGC = s_Copy(m->pGND_Clamp, eProcess);
        CRV* pPC = s_Copy(m->pPOWER_Clamp, eProcess);
        if (pGC != nullptr && pPC != nullptr) {
            qry_ShiftX(pGC->pCurve, dGndRef);
            qry_NegateX(pPC->pCurve);
            qry_ShiftX(pPC->pCurve, dPwrRef);
            if (s_NonDrivingType(m->eType))
                s_CombinedClamp(m, index, pGC, pPC, dGndRef, dPwrRef, NON_DRIVING,
                                "Combined Clamp in Non Driving Mode for Model", eProcess);
            if (s_DrivingType(m->eType))
                s_CombinedClamp(m, index, pGC, pPC, dGndRef, dPwrRef, DRIVING,
                                "Combined Clamp in Driving Mode for Model", eProcess);
        }
        CRV_Free(pGC);
        CRV_Free(pPC);
    }
    return 0;
}

// ---------------------------------------------------------------------------
// References of the ramp and ISSO checks.
// ---------------------------------------------------------------------------
int acdc_getPullupReference(RNG* pRef, RNG* pVr, QRY_PROCESS eProcess, double* pdVal)
{
    KIVO_ASSERT(pdVal != nullptr);
    if (eProcess == QRY_TYP) {
        if (pRef != nullptr && pRef->eTypStat == SET) {
            *pdVal = pRef->dTyp;
            return 1;
        }
        if (pVr != nullptr && pVr->eTypStat == SET) {
            *pdVal = pVr->dTyp;
            return 1;
        }
        return 0;
    }
    if (eProcess != QRY_MIN && eProcess != QRY_MAX) return 0;
    const bool bMin = eProcess == QRY_MIN;
    const int iRef = s_ReferenceMinMax(pRef, bMin, pdVal);
    if (iRef >= 0) return iRef;
    return s_ReferenceMinMax(pVr, bMin, pdVal) == 1 ? 1 : 0;
}

int acdc_getPulldownReference(RNG* pRef, QRY_PROCESS eProcess, double* pdVal)
{
    KIVO_ASSERT(pdVal != nullptr);
    if (eProcess == QRY_TYP) {
        *pdVal = pRef != nullptr && pRef->eTypStat == SET ? pRef->dTyp : 0.0;
        return 1;
    }
    if (eProcess != QRY_MIN && eProcess != QRY_MAX) return 0;
    const bool bMin = eProcess == QRY_MIN;
    const int iRef = s_ReferenceMinMax(pRef, bMin, pdVal);
    if (iRef >= 0) return iRef;
    *pdVal = 0.0;
    return 1;
}

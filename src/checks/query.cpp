#include "checks/query.h"

#include <cmath>
#include <new>
#include <utility>

#include "common/errlog.h"

namespace {

// Largest single-precision value: the "nothing emitted yet" voltage of a sum.
constexpr double QRY_NO_X = 3.4028234663852886e38;
// Voltages closer than this are one grid point of a sum.
constexpr double QRY_X_EPS = 1e-5;

bool s_IsX(const RNGP* p) { return p != nullptr && p->eValueStat == SET; }

// The current column of a corner, or null for an unknown corner.
bool s_Column(const RNGP* p, QRY_PROCESS tmm, double* pdY)
{
    switch (tmm) {
    case QRY_TYP:
        if (p->eTypStat != SET) return false;
        *pdY = p->dTyp;
        return true;
    case QRY_MIN:
        if (p->eMinStat != SET) return false;
        *pdY = p->dMin;
        return true;
    case QRY_MAX:
        if (p->eMaxStat != SET) return false;
        *pdY = p->dMax;
        return true;
    }
    return false;
}

bool s_IsY(const RNGP* p, QRY_PROCESS tmm)
{
    double d = 0.0;
    return s_IsX(p) && s_Column(p, tmm, &d);
}

RNGP* s_Tail(RNGP* p)
{
    if (p == nullptr) return nullptr;
    while (p->pNext != nullptr) p = p->pNext;
    return p;
}

RNGP* s_StoreX(RNGP* p, double* pdX)
{
    if (p != nullptr) *pdX = p->dValue;
    return p;
}

RNGP* s_StoreY(RNGP* p, QRY_PROCESS tmm, double* pdX, double* pdY)
{
    if (p != nullptr) {
        *pdX = p->dValue;
        s_Column(p, tmm, pdY);
    }
    return p;
}

// One input of a sum: its X cursor and one resume point per corner.
struct sum_input {
    CRV* pCrv = nullptr;
    bool bReversed = false;
    RNGP* pCursor = nullptr;  // next X point to merge, null when done
    double dCursorX = 0.0;
    RNGP* pResume[5] = {nullptr, nullptr, nullptr, nullptr, nullptr};  // by corner bit
};

void s_Advance(sum_input& in) { in.pCursor = qry_NextXPoint(in.pCursor, &in.dCursorX); }

void s_StartInput(sum_input& in, CRV* pCrv)
{
    in.pCrv = pCrv;
    if (pCrv == nullptr) return;
    const int iDir = qry_ValueDirection(pCrv->pCurve);
    if (iDir == 0) return;  // contributes currents only, once the first point resets it
    if (iDir < 0) {
        pCrv->pCurve = qry_ReverseRngpLinks(pCrv->pCurve);
        in.bReversed = true;
    }
    in.pCursor = qry_FirstXPoint(pCrv->pCurve, &in.dCursorX);
    for (RNGP*& r : in.pResume) r = pCrv->pCurve;
}

void s_RestoreInput(sum_input& in)
{
    if (in.bReversed) in.pCrv->pCurve = qry_ReverseRngpLinks(in.pCrv->pCurve);
    in.bReversed = false;
}

}  // namespace

// ---------------------------------------------------------------------------
// Points.
// ---------------------------------------------------------------------------
RNGP* qry_ThisXPoint(RNGP* pR, double* pdX)
{
    KIVO_ASSERT(pdX != nullptr);
    return s_StoreX(s_IsX(pR) ? pR : nullptr, pdX);
}

RNGP* qry_NextXPoint(RNGP* pR, double* pdX)
{
    KIVO_ASSERT(pdX != nullptr);
    if (pR == nullptr) return nullptr;
    RNGP* p = pR->pNext;
    while (p != nullptr && !s_IsX(p)) p = p->pNext;
    return s_StoreX(p, pdX);
}

RNGP* qry_PrevXPoint(RNGP* pR, double* pdX)
{
    KIVO_ASSERT(pdX != nullptr);
    if (pR == nullptr) return nullptr;
    RNGP* p = pR->pPrev;
    while (p != nullptr && !s_IsX(p)) p = p->pPrev;
    return s_StoreX(p, pdX);
}

RNGP* qry_FirstXPoint(RNGP* pR, double* pdX)
{
    KIVO_ASSERT(pdX != nullptr);
    RNGP* p = pR;
    while (p != nullptr && !s_IsX(p)) p = p->pNext;
    return s_StoreX(p, pdX);
}

RNGP* qry_LastXPoint(RNGP* pR, double* pdX)
{
    KIVO_ASSERT(pdX != nullptr);
    RNGP* p = s_Tail(pR);
    while (p != nullptr && !s_IsX(p)) p = p->pPrev;
    return s_StoreX(p, pdX);
}

RNGP* qry_ThisYPoint(RNGP* pR, QRY_PROCESS tmm, double* pdX, double* pdY)
{
    KIVO_ASSERT(pdX != nullptr && pdY != nullptr);
    return s_StoreY(s_IsY(pR, tmm) ? pR : nullptr, tmm, pdX, pdY);
}

RNGP* qry_NextYPoint(RNGP* pR, QRY_PROCESS tmm, double* pdX, double* pdY)
{
    KIVO_ASSERT(pdX != nullptr && pdY != nullptr);
    if (pR == nullptr) return nullptr;
    RNGP* p = pR->pNext;
    while (p != nullptr && !s_IsY(p, tmm)) p = p->pNext;
    return s_StoreY(p, tmm, pdX, pdY);
}

RNGP* qry_PrevYPoint(RNGP* pR, QRY_PROCESS tmm, double* pdX, double* pdY)
{
    KIVO_ASSERT(pdX != nullptr && pdY != nullptr);
    if (pR == nullptr) return nullptr;
    RNGP* p = pR->pPrev;
    while (p != nullptr && !s_IsY(p, tmm)) p = p->pPrev;
    return s_StoreY(p, tmm, pdX, pdY);
}

RNGP* qry_FirstYPoint(RNGP* pR, QRY_PROCESS tmm, double* pdX, double* pdY)
{
    KIVO_ASSERT(pdX != nullptr && pdY != nullptr);
    RNGP* p = pR;
    while (p != nullptr && !s_IsY(p, tmm)) p = p->pNext;
    return s_StoreY(p, tmm, pdX, pdY);
}

RNGP* qry_LastYPoint(RNGP* pR, QRY_PROCESS tmm, double* pdX, double* pdY)
{
    KIVO_ASSERT(pdX != nullptr && pdY != nullptr);
    RNGP* p = s_Tail(pR);
    while (p != nullptr && !s_IsY(p, tmm)) p = p->pPrev;
    return s_StoreY(p, tmm, pdX, pdY);
}

// ---------------------------------------------------------------------------
// Small helpers.
// ---------------------------------------------------------------------------
const char* qry_ProcessString(QRY_PROCESS eProcess)
{
    switch (eProcess) {
    case QRY_TYP: return "TYP";
    case QRY_MIN: return "MIN";
    case QRY_MAX: return "MAX";
    }
    return "UNK";
}

RNGP* qry_ReverseRngpLinks(RNGP* pR)
{
    RNGP* pNewHead = nullptr;
    for (RNGP* p = pR; p != nullptr;) {
        std::swap(p->pNext, p->pPrev);
        pNewHead = p;
        p = p->pPrev;  // the old next
    }
    return pNewHead;
}

int qry_RngpIsBad(RNGP* pRngp, QRY_PROCESS tmm)
{
    int iCount = 0;
    for (RNGP* p = pRngp; p != nullptr && iCount < 2; p = p->pNext)
        if (s_IsY(p, tmm)) ++iCount;
    return iCount < 2 ? 1 : 0;
}

int qry_GetRngVal(RNG* pRng, QRY_PROCESS tmm, double* vref)
{
    KIVO_ASSERT(vref != nullptr);
    if (pRng == nullptr) return 0;
    switch (tmm) {
    case QRY_TYP:
        if (pRng->eTypStat != SET) return 0;
        *vref = pRng->dTyp;
        return 1;
    case QRY_MIN:
        if (pRng->eMinStat != SET) return 0;
        *vref = pRng->dMin;
        return 1;
    case QRY_MAX:
        if (pRng->eMaxStat != SET) return 0;
        *vref = pRng->dMax;
        return 1;
    }
    return 0;
}

void qry_GetRefs4Process(MDL* pMdl, QRY_PROCESS eProcess, double* pdPOWER_Clamp_Ref,
                         double* pdPullup_Ref, double* pdGND_Clamp_Ref, double* pdPulldown_Ref)
{
    KIVO_ASSERT(pMdl != nullptr && pdPOWER_Clamp_Ref != nullptr && pdPullup_Ref != nullptr &&
                pdGND_Clamp_Ref != nullptr && pdPulldown_Ref != nullptr);
    // Each later lookup that succeeds overrides the earlier ones: a reference
    // keyword beats the voltage range, a corner value beats the typical one.
    *pdPOWER_Clamp_Ref = 0.0;
    qry_GetRngVal(pMdl->pVoltage_Range, QRY_TYP, pdPOWER_Clamp_Ref);
    qry_GetRngVal(pMdl->pVoltage_Range, eProcess, pdPOWER_Clamp_Ref);
    qry_GetRngVal(pMdl->pPOWER_Clamp_Ref, QRY_TYP, pdPOWER_Clamp_Ref);
    qry_GetRngVal(pMdl->pPOWER_Clamp_Ref, eProcess, pdPOWER_Clamp_Ref);

    *pdPullup_Ref = 0.0;
    qry_GetRngVal(pMdl->pVoltage_Range, QRY_TYP, pdPullup_Ref);
    qry_GetRngVal(pMdl->pVoltage_Range, eProcess, pdPullup_Ref);
    qry_GetRngVal(pMdl->pPullup_Ref, QRY_TYP, pdPullup_Ref);
    qry_GetRngVal(pMdl->pPullup_Ref, eProcess, pdPullup_Ref);

    *pdGND_Clamp_Ref = 0.0;
    qry_GetRngVal(pMdl->pGND_Clamp_Ref, QRY_TYP, pdGND_Clamp_Ref);
    qry_GetRngVal(pMdl->pGND_Clamp_Ref, eProcess, pdGND_Clamp_Ref);

    // ECL buffers pull down towards the supply rail.
    *pdPulldown_Ref = 0.0;
    const MODEL_TYPE t = pMdl->eType;
    if (t == INPUT_ECL || t == OUTPUT_ECL || t == IO_ECL || t == THREE_STATE_ECL) {
        qry_GetRngVal(pMdl->pVoltage_Range, QRY_TYP, pdPulldown_Ref);
        qry_GetRngVal(pMdl->pVoltage_Range, eProcess, pdPulldown_Ref);
    }
    qry_GetRngVal(pMdl->pPulldown_Ref, QRY_TYP, pdPulldown_Ref);
    qry_GetRngVal(pMdl->pPulldown_Ref, eProcess, pdPulldown_Ref);
}

void qry_ShiftX(RNGP* pR, double dShift)
{
    for (RNGP* p = pR; p != nullptr; p = p->pNext)
        if (p->eValueStat != NOT_SET) p->dValue += dShift;
}

void qry_NegateX(RNGP* pR)
{
    for (RNGP* p = pR; p != nullptr; p = p->pNext)
        if (p->eValueStat != NOT_SET) p->dValue = -p->dValue;
}

int qry_ValueDirection(RNGP* pR)
{
    double x1 = 0.0, x2 = 0.0;
    RNGP* p = qry_FirstXPoint(pR, &x1);
    while (p != nullptr) {
        p = qry_NextXPoint(p, &x2);
        if (p == nullptr) return 0;
        if (x1 != x2) return x1 > x2 ? -1 : 1;
        x1 = x2;  // equal leading voltages are skipped
    }
    return 0;
}

void qry_UnsetPoint(RNGP* pR)
{
    KIVO_ASSERT(pR != nullptr);
    pR->eValueStat = NOT_SET;
    pR->eTypStat = NOT_SET;
    pR->eMinStat = NOT_SET;
    pR->eMaxStat = NOT_SET;
}

void qry_SetPoint(RNGP* pR, QRY_PROCESS eProcess, double x, double y)
{
    KIVO_ASSERT(pR != nullptr);
    pR->dValue = x;
    pR->eValueStat = SET;
    switch (eProcess) {
    case QRY_TYP:
        pR->dTyp = y;
        pR->eTypStat = SET;
        break;
    case QRY_MIN:
        pR->dMin = y;
        pR->eMinStat = SET;
        break;
    case QRY_MAX:
        pR->dMax = y;
        pR->eMaxStat = SET;
        break;
    }
}

// ---------------------------------------------------------------------------
// Interpolation.
// ---------------------------------------------------------------------------
int qry_Y(CRV* pCrv, double dVoltage, QRY_PROCESS tmm, double* pdCurrent)
{
    KIVO_ASSERT(pdCurrent != nullptr);
    if (pCrv == nullptr || pCrv->pCurve == nullptr) return 0;
    const int iDir = qry_ValueDirection(pCrv->pCurve);
    if (iDir == 0) return 0;
    RNGP* pStart = pCrv->pCurve;
    return qry_YRngp(&pStart, iDir, dVoltage, tmm, pdCurrent);
}

int qry_YRngp(RNGP** ppR, int direction, double dVoltage, QRY_PROCESS tmm, double* pdCurrent)
{
    KIVO_ASSERT(pdCurrent != nullptr);
    if (ppR == nullptr || *ppR == nullptr || direction == 0) return 0;

    double px = 0.0, py = 0.0;
    RNGP* pP = qry_FirstYPoint(*ppR, tmm, &px, &py);
    if (pP == nullptr) {
        *ppR = nullptr;
        return 0;
    }
    // Three consecutive Y points: before-lower B, lower L and the current P.
    RNGP* pB = pP;
    RNGP* pL = pP;
    double bx = px, by = py, lx = px, ly = py;
    for (;;) {
        pB = pL;
        bx = lx;
        by = ly;
        pL = pP;
        lx = px;
        ly = py;
        RNGP* pNext = qry_NextYPoint(pP, tmm, &px, &py);
        if (pNext == nullptr) break;  // px, py still hold L's coordinates
        pP = pNext;
        if (direction >= 0 ? px >= dVoltage : px <= dVoltage) break;
    }

    double x = px, y = py;
    if (x == lx) {
        // The list ran out, or P repeats L's voltage: use the segment B-L.
        x = bx;
        y = by;
        if (bx == lx) {
            // No segment of two distinct voltages: the line through L is flat.
            x = lx + (direction >= 0 ? QRY_X_EPS : -QRY_X_EPS);
            y = ly;
        }
    }
    *pdCurrent = y + (ly - y) / (lx - x) * (dVoltage - x);
    *ppR = pB;
    return 1;
}

void qry_AddYRngpAtX(RNGP** ppR1, RNGP** ppR2, int direction, double x, QRY_PROCESS tmm, RNGP* pR)
{
    KIVO_ASSERT(pR != nullptr);
    double y1 = 0.0, y2 = 0.0;
    const int i1 = qry_YRngp(ppR1, direction, x, tmm, &y1);
    const int i2 = qry_YRngp(ppR2, direction, x, tmm, &y2);
    if (i1 == 0 && i2 == 0) return;
    const double dSum = (i1 != 0 ? y1 : 0.0) + (i2 != 0 ? y2 : 0.0);
    switch (tmm) {
    case QRY_TYP:
        pR->dTyp = dSum;
        pR->eTypStat = SET;
        break;
    case QRY_MIN:
        pR->dMin = dSum;
        pR->eMinStat = SET;
        break;
    case QRY_MAX:
        pR->dMax = dSum;
        pR->eMaxStat = SET;
        break;
    }
}

CRV* qry_AddCrvsProcess(CRV* pC1, CRV* pC2, int iProcess)
{
    CRV* pOut = new (std::nothrow) CRV;
    if (pOut == nullptr) {
        ERRLOG_BugNew(3300);
        return nullptr;
    }
    sum_input in[2];
    s_StartInput(in[0], pC1);
    if (pC2 != nullptr && pC2 == pC1) {
        // A table added to itself is turned round once and read twice.
        in[1] = in[0];
        in[1].bReversed = false;
    } else {
        s_StartInput(in[1], pC2);
    }

    RNGP* pTail = nullptr;
    double dLastX = QRY_NO_X;
    bool bOk = true;
    static const QRY_PROCESS corners[3] = {QRY_MIN, QRY_TYP, QRY_MAX};
    while ((in[0].pCursor != nullptr || in[1].pCursor != nullptr) && bOk) {
        double dX = 0.0;
        if (in[0].pCursor == nullptr || in[1].pCursor == nullptr) {
            sum_input& only = in[0].pCursor != nullptr ? in[0] : in[1];
            dX = only.dCursorX;
            s_Advance(only);
        } else if (std::fabs(in[0].dCursorX - in[1].dCursorX) < QRY_X_EPS) {
            dX = in[0].dCursorX;
            s_Advance(in[0]);
            s_Advance(in[1]);
        } else if (in[0].dCursorX < in[1].dCursorX) {
            dX = in[0].dCursorX;
            s_Advance(in[0]);
        } else {
            dX = in[1].dCursorX;
            s_Advance(in[1]);
        }
        if (!(std::fabs(dX - dLastX) > QRY_X_EPS)) continue;

        RNGP* pNew = nullptr;
        if (RNGP_New(&pNew) != SUCCESS || pNew == nullptr) {
            bOk = false;
            break;
        }
        pNew->dValue = dX;
        pNew->eValueStat = SET;
        if (dX < dLastX) {
            // First point: every input is read from its head, also one whose
            // voltage column has no direction.
            for (sum_input& i : in)
                if (i.pCrv != nullptr && i.pCrv->pCurve != nullptr)
                    for (RNGP*& r : i.pResume) r = i.pCrv->pCurve;
        }
        dLastX = dX;
        for (QRY_PROCESS c : corners)
            if ((iProcess & c) != 0) qry_AddYRngpAtX(&in[0].pResume[c], &in[1].pResume[c], 1, dX, c, pNew);
        // Append at the tail (the list is new, so its tail is known).
        if (pTail == nullptr) {
            pOut->pCurve = pNew;
        } else {
            pTail->pNext = pNew;
            pNew->pPrev = pTail;
        }
        pTail = pNew;
    }
    s_RestoreInput(in[0]);
    s_RestoreInput(in[1]);
    if (!bOk) {
        CRV_Free(pOut);
        return nullptr;
    }
    return pOut;
}

CRV* qry_NullYFriendlyCrv(void)
{
    static RNGP nodes[2];
    static CRV nullCrv;
    static bool bMade = false;
    if (!bMade) {
        for (int i = 0; i < 2; ++i) {
            nodes[i] = RNGP{};
            nodes[i].dValue = static_cast<double>(i);
            nodes[i].eValueStat = SET;
            nodes[i].eTypStat = SET;
            nodes[i].eMinStat = SET;
            nodes[i].eMaxStat = SET;
        }
        nodes[0].pNext = &nodes[1];
        nodes[1].pPrev = &nodes[0];
        nullCrv.pCurve = &nodes[0];
        bMade = true;
    }
    return &nullCrv;
}

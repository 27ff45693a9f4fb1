#include "model/mspec.h"

#include <cstring>
#include <new>
#include <string>

#include "common/cmn.h"
#include "common/errlog.h"
#include "parse/parse.h"

namespace {

unsigned long gMspecBeginLine = 0;

// Which model types a subparameter does not suit.
enum type_rule {
    RULE_NONE,         // not checked
    RULE_RECEIVER,     // only receivers
    RULE_NOT_SERIES,   // not Series or Series_switch
    RULE_TEST_LOAD,    // not for inputs, terminators and series elements
    RULE_DIFF,         // only differential types
    RULE_WEAK          // not for terminators and series elements
};

struct mspec_sub_entry {
    const char* psName;
    MSPEC_SUB eSub;
    RNG* mspec::*pField;
    KIVO_VER eFirst;      // first version whose table holds the name
    type_rule eRule;
    const char* psLabel;  // name in storage messages
};

// Names per version: the 3.2 table, then the 4.2 additions, then 5.1's.
constexpr mspec_sub_entry mspec_subs[] = {
    {"Vinh", MSPEC_VINH, &mspec::pVinh, VER_3, RULE_RECEIVER, "Vinh"},
    {"Vinl", MSPEC_VINL, &mspec::pVinl, VER_3, RULE_RECEIVER, "Vinl"},
    {"Vinh+", MSPEC_VINHP, &mspec::pVinhP, VER_3, RULE_RECEIVER, "Vinh+"},
    {"Vinh-", MSPEC_VINHM, &mspec::pVinhM, VER_3, RULE_RECEIVER, "Vinh-"},
    {"Vinl+", MSPEC_VINLP, &mspec::pVinlP, VER_3, RULE_RECEIVER, "Vinl+"},
    {"Vinl-", MSPEC_VINLM, &mspec::pVinlM, VER_3, RULE_RECEIVER, "Vinl-"},
    {"S_overshoot_high", MSPEC_SOSHOOTH, &mspec::pSOshootH, VER_3, RULE_NOT_SERIES, "S_overshoot_high"},
    {"S_overshoot_low", MSPEC_SOSHOOTL, &mspec::pSOshootL, VER_3, RULE_NOT_SERIES, "S_overshoot_low"},
    {"D_overshoot_high", MSPEC_DOSHOOTH, &mspec::pDOshootH, VER_3, RULE_NOT_SERIES, "D_overshoot_high"},
    {"D_overshoot_low", MSPEC_DOSHOOTL, &mspec::pDOshootL, VER_3, RULE_NOT_SERIES, "D_overshoot_low"},
    {"D_overshoot_time", MSPEC_DOSHOOTT, &mspec::pDOshootT, VER_3, RULE_NOT_SERIES, "D_overshoot_time"},
    {"Pulse_high", MSPEC_PULSEH, &mspec::pPulseH, VER_3, RULE_RECEIVER, "PulseHigh"},
    {"Pulse_low", MSPEC_PULSEL, &mspec::pPulseL, VER_3, RULE_RECEIVER, "PulseLow"},
    {"Pulse_time", MSPEC_PULSET, &mspec::pPulseT, VER_3, RULE_RECEIVER, "PulseTime"},
    {"Vmeas", MSPEC_VMEAS, &mspec::pVmeas, VER_3, RULE_TEST_LOAD, "Vmeas"},
    {"Vref", MSPEC_VREF, &mspec::pVref, VER_4, RULE_TEST_LOAD, "Vref"},
    {"Rref", MSPEC_RREF, &mspec::pRref, VER_4, RULE_TEST_LOAD, "Rref"},
    {"Cref", MSPEC_CREF, &mspec::pCref, VER_4, RULE_TEST_LOAD, "Cref"},
    {"Rref_diff", MSPEC_RREF_DIFF, &mspec::pRref_diff, VER_4, RULE_DIFF, "Rref_diff"},
    {"Cref_diff", MSPEC_CREF_DIFF, &mspec::pCref_diff, VER_4, RULE_DIFF, "Cref_diff"},
    {"Vref_rising", MSPEC_VREF_RISING, &mspec::pVrefRising, VER_4, RULE_TEST_LOAD, "Vref_rising"},
    {"Vref_falling", MSPEC_VREF_FALLING, &mspec::pVrefFalling, VER_4, RULE_TEST_LOAD, "Vref_falling"},
    {"Cref_rising", MSPEC_CREF_RISING, &mspec::pCrefRising, VER_4, RULE_TEST_LOAD, "Cref_rising"},
    {"Cref_falling", MSPEC_CREF_FALLING, &mspec::pCrefFalling, VER_4, RULE_TEST_LOAD, "Cref_falling"},
    {"Rref_rising", MSPEC_RREF_RISING, &mspec::pRrefRising, VER_4, RULE_TEST_LOAD, "Rref_rising"},
    {"Rref_falling", MSPEC_RREF_FALLING, &mspec::pRrefFalling, VER_4, RULE_TEST_LOAD, "Rref_falling"},
    {"Vmeas_rising", MSPEC_VMEAS_RISING, &mspec::pVmeasRising, VER_4, RULE_TEST_LOAD, "Vmeas_rising"},
    {"Vmeas_falling", MSPEC_VMEAS_FALLING, &mspec::pVmeasFalling, VER_4, RULE_TEST_LOAD, "Vmeas_falling"},
    {"D_overshoot_ampl_h", MSPEC_DOSHOOT_AMPH, &mspec::pDOshootAmpH, VER_5, RULE_NONE, "D_overshoot_ampl_h"},
    {"D_overshoot_ampl_l", MSPEC_DOSHOOT_AMPL, &mspec::pDOshootAmpL, VER_5, RULE_NONE, "D_overshoot_ampl_l"},
    {"D_overshoot_area_h", MSPEC_DOSHOOT_AREAH, &mspec::pDOshootAreaH, VER_5, RULE_NONE, "D_overshoot_area_h"},
    {"D_overshoot_area_l", MSPEC_DOSHOOT_AREAL, &mspec::pDOshootAreaL, VER_5, RULE_NONE, "D_overshoot_area_l"},
    {"Weak_R", MSPEC_WEAK_R, &mspec::pWeakR, VER_5, RULE_WEAK, "Weak_R"},
    {"Weak_V", MSPEC_WEAK_V, &mspec::pWeakV, VER_5, RULE_WEAK, "Weak_V"},
    {"Weak_I", MSPEC_WEAK_I, &mspec::pWeakI, VER_5, RULE_WEAK, "Weak_I"},
};

// The table of the file's version: 3.2 (and older), 4.2, or 5.1 and later.
KIVO_VER s_TableVersion()
{
    if (geFileVersion >= VER_5) return VER_5;
    if (geFileVersion == VER_4) return VER_4;
    return VER_3;
}

const mspec_sub_entry* s_FindSub(const char* psName)
{
    const KIVO_VER eTable = s_TableVersion();
    for (const mspec_sub_entry& e : mspec_subs)
        if (e.eFirst <= eTable && std::strcmp(e.psName, psName) == 0) return &e;
    return nullptr;
}

bool s_Unsuited(type_rule eRule, MODEL_TYPE t)
{
    const bool bSeries = t == SERIES || t == SERIES_SWITCH;
    switch (eRule) {
    case RULE_NONE: return false;
    case RULE_RECEIVER: return MDL_IsReceiverType(t) != TRUE;
    case RULE_NOT_SERIES: return bSeries;
    case RULE_TEST_LOAD: return t == INPUT || t == INPUT_ECL || t == TERMINATOR || bSeries;
    case RULE_DIFF: return !(t == IO_DIFF || t == OUTPUT_DIFF || t == TRI_STATE_DIFF || t == INPUT_DIFF);
    case RULE_WEAK: return t == TERMINATOR || bSeries;
    }
    return false;
}

int s_Line() { return static_cast<int>(gMspecBeginLine); }

// Sign checks: a missing minimum or maximum stands for the typical value;
// nothing is checked without a typical value.
void s_CheckSign(const RNG* p, const std::string& sName, bool bWarnBelow)
{
    if (p == nullptr || p->eTypStat != SET) return;
    const double values[3] = {p->dTyp, p->eMaxStat == SET ? p->dMax : p->dTyp,
                              p->eMinStat == SET ? p->dMin : p->dTyp};
    const char* suffix[3] = {" (Typ)", " (Max)", " (Min)"};
    for (int i = 0; i < 3; ++i) {
        const std::string sLabel = sName + suffix[i];
        if (bWarnBelow && values[i] < 0.0) ERRLOG_WarnNew(3811, sLabel, s_Line());
        if (!bWarnBelow && values[i] > 0.0) ERRLOG_WarnNew(3810, sLabel, s_Line());
    }
}

bool s_Holds(double a, double b, OP_TYPE op)
{
    switch (op) {
    case OP_LT: return a < b;
    case OP_GT: return a > b;
    case OP_LE: return a <= b;
    case OP_GE: return a >= b;
    }
    return true;
}

void s_RangeWarn(const char* psA, const char* psCol, const char* psB, OP_TYPE op)
{
    ERRLOG_WarnNew(3817 + static_cast<int>(op), psA, psCol, psB, psCol, s_Line());
}

// Typical against typical, then minimum and maximum where both triples have
// that column (NA standing for the typical).
void s_RangeCheck(const RNG* a, const RNG* b, const char* psA, const char* psB, OP_TYPE op)
{
    if (a == nullptr || b == nullptr || a->eTypStat != SET || b->eTypStat != SET) return;
    if (!s_Holds(a->dTyp, b->dTyp, op)) s_RangeWarn(psA, "Typ", psB, op);
    if (a->eMinStat != NOT_SET && b->eMinStat != NOT_SET) {
        double da = a->eMinStat == NA ? a->dTyp : a->dMin;
        double db = b->eMinStat == NA ? b->dTyp : b->dMin;
        if (!s_Holds(da, db, op)) s_RangeWarn(psA, "Min", psB, op);
    }
    if (a->eMaxStat != NOT_SET && b->eMaxStat != NOT_SET) {
        double da = a->eMaxStat == NA ? a->dTyp : a->dMax;
        double db = b->eMaxStat == NA ? b->dTyp : b->dMax;
        if (!s_Holds(da, db, op)) s_RangeWarn(psA, "Max", psB, op);
    }
}

// Each column of a (typical when set; minimum and maximum when given, NA
// standing for the typical) against one number.
void s_ValueCheck(const RNG* a, double dB, const char* psA, const char* psB, OP_TYPE op)
{
    if (a == nullptr) return;
    if (a->eTypStat == SET && !s_Holds(a->dTyp, dB, op)) s_RangeWarn(psA, "Typ", psB, op);
    if (a->eMinStat == SET || (a->eMinStat == NA && a->eTypStat == SET)) {
        double da = a->eMinStat == NA ? a->dTyp : a->dMin;
        if (!s_Holds(da, dB, op)) s_RangeWarn(psA, "Min", psB, op);
    }
    if (a->eMaxStat == SET || (a->eMaxStat == NA && a->eTypStat == SET)) {
        double da = a->eMaxStat == NA ? a->dTyp : a->dMax;
        if (!s_Holds(da, dB, op)) s_RangeWarn(psA, "Max", psB, op);
    }
}

void s_Missing(const char* psWhat, const char* psNeeds) { ERRLOG_ErrorNew(3812, psWhat, psNeeds, s_Line()); }

void s_Pair(const RNG* pPlain, const RNG* pRising, const RNG* pFalling, const char* psPlain,
            const char* psRising, const char* psFalling)
{
    if (pRising != nullptr && pFalling == nullptr) ERRLOG_ErrorNew(3815, psFalling, psRising);
    if (pFalling != nullptr && pRising == nullptr) ERRLOG_ErrorNew(3815, psRising, psFalling);
    if (pPlain != nullptr) {
        if (pRising != nullptr) ERRLOG_ErrorNew(3816, psPlain, psRising);
        if (pFalling != nullptr) ERRLOG_ErrorNew(3816, psPlain, psFalling);
    }
}

}  // namespace

STATUS MSPEC_New(char* psLine_in, MSPEC** ppMspec_out)
{
    KIVO_ASSERT(psLine_in != nullptr && ppMspec_out != nullptr);
    if (*ppMspec_out != nullptr) {
        ERRLOG_LineErrorNew(3800);
        MSPEC_Free(*ppMspec_out);
        *ppMspec_out = nullptr;
    }
    MSPEC* p = new (std::nothrow) MSPEC;
    if (p == nullptr) {
        ERRLOG_BugNew(3801, "mspec.c", __LINE__);
        return FAILURE;
    }
    char* pc = psLine_in;
    if (CMN_EatKeyword(&pc) != SUCCESS) {
        ERRLOG_LineBugNew(3802, "mspec.c", __LINE__);
    } else {
        ARGS a;
        if (CMN_ArgParse(pc, 0, &a) != SUCCESS)
            ERRLOG_BugNew(3803, "Model Spec", "mspec.c", __LINE__);
        else if (a.iActualCnt > 0)
            ERRLOG_LineErrorNew(3804, a.iActualCnt + 1, "Model Spec", 1);
        CMN_ArgFree(&a);
    }
    gMspecBeginLine = PARSE_GetLineNum();
    *ppMspec_out = p;
    return SUCCESS;
}

void MSPEC_ReceiveLine(char* psLine_in, MSPEC* pMspec_io, const char* sModel)
{
    KIVO_ASSERT(psLine_in != nullptr && pMspec_io != nullptr && sModel != nullptr);
    ARGS a;
    if (CMN_ArgParsePlus(psLine_in, 1, '=', &a) != SUCCESS) {
        ERRLOG_BugNew(3803, "Model Spec Sub-Parameter", "mspec.c", __LINE__);
        return;
    }
    const mspec_sub_entry* pEntry = a.iCount > 0 ? s_FindSub(a.Arg(0)) : nullptr;
    CMN_ArgFree(&a);
    if (pEntry == nullptr) {
        ERRLOG_LineErrorNew(3806);
        return;
    }

    if (MDL* pMdl = MDL_GetCurrentModel(); pMdl != nullptr && s_Unsuited(pEntry->eRule, pMdl->eType))
        ERRLOG_LineWarnNew(3805, pEntry->psName, MDL_TypeWord(pMdl->eType));

    RNG*& pField = pMspec_io->*(pEntry->pField);
    if (pField != nullptr) {
        ERRLOG_LineErrorNew(3807, pEntry->psLabel, sModel);
        return;
    }
    char* pc = psLine_in;
    CMN_EatWhitespace(&pc);
    CMN_EatNonWhitespace(&pc);
    CMN_EatWhitespace(&pc);
    RNG_ParseRange(pc, pEntry->psLabel, &pField, TRUE);
    if (pField != nullptr && pField->eTypStat == NA) ERRLOG_LineErrorNew(3808);
}

void MSPEC_Fini(MDL* pMdl_in)
{
    KIVO_ASSERT(pMdl_in != nullptr);
    MSPEC* m = pMdl_in->pMspec;
    if (m == nullptr) return;

    // 1. Hysteresis thresholds come as a set of four.
    const int iHyst = (m->pVinhP != nullptr) + (m->pVinhM != nullptr) + (m->pVinlP != nullptr) +
                      (m->pVinlM != nullptr);
    m->bHysteresisThresholdsAll = iHyst == 4 ? TRUE : FALSE;
    if (iHyst > 0 && iHyst < 4) ERRLOG_WarnNew(3809, "", s_Line());
    if (iHyst == 4) {
        s_RangeCheck(m->pVinhP, m->pVinhM, "Vinh+", "Vinh-", OP_GE);
        s_RangeCheck(m->pVinlP, m->pVinlM, "Vinl+", "Vinl-", OP_GE);
    }

    // 2.-3. Static overshoot.
    s_CheckSign(m->pSOshootH, "S_overshoot_high", true);
    s_CheckSign(m->pSOshootL, "S_overshoot_low", false);

    // 4.-5. Dynamic overshoot needs its static limit and its time.
    if (m->pDOshootH != nullptr) {
        s_CheckSign(m->pDOshootH, "D_overshoot_high", true);
        if (m->pSOshootH != nullptr)
            s_RangeCheck(m->pDOshootH, m->pSOshootH, "D_overshoot_high", "S_overshoot_high", OP_GT);
        else
            s_Missing("D_overshoot_high", "S_overshoot_high");
        if (m->pDOshootT == nullptr) s_Missing("D_overshoot_high", "D_overshoot_time");
    }
    if (m->pDOshootL != nullptr) {
        s_CheckSign(m->pDOshootL, "D_overshoot_low", false);
        if (m->pSOshootL != nullptr)
            s_RangeCheck(m->pDOshootL, m->pSOshootL, "D_overshoot_low", "S_overshoot_low", OP_LT);
        else
            s_Missing("D_overshoot_low", "S_overshoot_low");
        if (m->pDOshootT == nullptr) s_Missing("D_overshoot_low", "D_overshoot_time");
    }

    // 6.-9. Overshoot areas need their amplitudes.
    if (m->pDOshootAreaH != nullptr) {
        s_CheckSign(m->pDOshootAreaH, "D_overshoot_area_h", true);
        if (m->pDOshootAmpH == nullptr)
            ERRLOG_ErrorNew(3813, "D_overshoot_ampl_h", "D_overshoot_area_h", s_Line());
    }
    if (m->pDOshootAreaL != nullptr) {
        s_CheckSign(m->pDOshootAreaL, "D_overshoot_area_l", true);
        if (m->pDOshootAmpL == nullptr)
            ERRLOG_ErrorNew(3813, "D_overshoot_amp_l", "D_overshoot_area_l", s_Line());
    }
    s_CheckSign(m->pDOshootAmpH, "D_overshoot_ampl_h", true);
    s_CheckSign(m->pDOshootAmpL, "D_overshoot_amp_l", true);

    // 10. Overshoot time.
    if (m->pDOshootT != nullptr) {
        if (m->pDOshootL == nullptr && m->pDOshootH == nullptr)
            ERRLOG_WarnNew(3814, "D_overshoot_time", s_Line());
        else
            s_CheckSign(m->pDOshootT, "D_overshoot_time", true);
    }

    // 11.-13. Pulse immunity against the thresholds.
    if (m->pPulseH != nullptr) {
        if (m->pPulseT == nullptr) s_Missing("Pulse_high", "Pulse_time");
        if (m->bHysteresisThresholdsAll == TRUE)
            s_RangeCheck(m->pPulseH, m->pVinhM, "Pulse_high", "Vinh-", OP_GT);
        else if (m->pVinl != nullptr)
            s_RangeCheck(m->pPulseH, m->pVinl, "Pulse_high", "Vinl", OP_GT);
        else if (pMdl_in->pdVinl != nullptr)
            s_ValueCheck(m->pPulseH, *pMdl_in->pdVinl, "Pulse_high", "Vinl", OP_GT);
        else
            s_Missing("Pulse_high", "Thresholds or Hysteresis Thresholds");
    }
    if (m->pPulseL != nullptr) {
        if (m->pPulseT == nullptr) s_Missing("Pulse_low", "Pulse_time");
        if (m->bHysteresisThresholdsAll == TRUE)
            s_RangeCheck(m->pPulseL, m->pVinlP, "Pulse_low", "Vinl+", OP_LT);
        else if (m->pVinh != nullptr)
            s_RangeCheck(m->pPulseL, m->pVinh, "Pulse_low", "Vinh", OP_LT);
        else if (pMdl_in->pdVinh != nullptr)
            s_ValueCheck(m->pPulseL, *pMdl_in->pdVinh, "Pulse_low", "Vinh", OP_LT);
        else
            s_Missing("Pulse_low", "Thresholds or Hysteresis Thresholds");
    }
    if (m->pPulseT != nullptr) {
        if (m->pPulseH == nullptr && m->pPulseL == nullptr)
            ERRLOG_WarnNew(3814, "Pulse_time", s_Line());
        else
            s_CheckSign(m->pPulseT, "Pulse_time", true);
    }

    // 14. Rising and falling variants come in pairs and replace the plain value.
    s_Pair(m->pVmeas, m->pVmeasRising, m->pVmeasFalling, "Vmeas", "Vmeas_rising", "Vmeas_falling");
    s_Pair(m->pVref, m->pVrefRising, m->pVrefFalling, "Vref", "Vref_rising", "Vref_falling");
    s_Pair(m->pCref, m->pCrefRising, m->pCrefFalling, "Cref", "Cref_rising", "Cref_falling");
    s_Pair(m->pRref, m->pRrefRising, m->pRrefFalling, "Rref", "Rref_rising", "Rref_falling");

    // 15. Weak driver: a resistance or a current, each with its voltage.
    if (m->pWeakR != nullptr && m->pWeakI != nullptr) ERRLOG_ErrorNew(3821);
    if (m->pWeakR != nullptr && m->pWeakV == nullptr) ERRLOG_ErrorNew(3822);
    if (m->pWeakI != nullptr && m->pWeakV == nullptr) ERRLOG_ErrorNew(3822);
    if (m->pWeakV != nullptr && m->pWeakR == nullptr && m->pWeakI == nullptr) ERRLOG_ErrorNew(3822);
}

void MSPEC_Free(MSPEC* pMspec_in)
{
    if (pMspec_in == nullptr) return;
    for (const mspec_sub_entry& e : mspec_subs) RNG_Free(pMspec_in->*(e.pField));
    delete pMspec_in;
}

void MSPEC_Reset() { gMspecBeginLine = 0; }

#include "model/rcvth.h"

#include <cstring>
#include <new>

#include "common/cmn.h"
#include "common/errlog.h"
#include "component/cmpnt.h"
#include "component/pin.h"
#include "parse/parse.h"

namespace {

unsigned long gRcvthBeginLine = 0;

struct rcvth_sub_entry {
    const char* psName;
    RCVTH_SUB eSub;
    double* rcvth::*pField;  // null for Reference_supply
};
constexpr rcvth_sub_entry rcvth_subs[] = {
    {"Vth", RCVTH_VTH, &rcvth::pdVth},
    {"Vth_min", RCVTH_VTH_MIN, &rcvth::pdVthMin},
    {"Vth_max", RCVTH_VTH_MAX, &rcvth::pdVthMax},
    {"Vinh_ac", RCVTH_VINH_AC, &rcvth::pdVinhAc},
    {"Vinh_dc", RCVTH_VINH_DC, &rcvth::pdVinhDc},
    {"Vinl_ac", RCVTH_VINL_AC, &rcvth::pdVinlAc},
    {"Vinl_dc", RCVTH_VINL_DC, &rcvth::pdVinlDc},
    {"Threshold_sensitivity", RCVTH_THRESHOLD_SENSITIVITY, &rcvth::pdThresholdSensitivity},
    {"Reference_supply", RCVTH_REFERENCE_SUPPLY, nullptr},
    {"Vcross_low", RCVTH_VCROSS_LOW, &rcvth::pdVcrossLow},
    {"Vcross_high", RCVTH_VCROSS_HIGH, &rcvth::pdVcrossHigh},
    {"Vdiff_ac", RCVTH_VDIFF_AC, &rcvth::pdVdiffAc},
    {"Vdiff_dc", RCVTH_VDIFF_DC, &rcvth::pdVdiffDc},
    {"Tslew_ac", RCVTH_TSLEW_AC, &rcvth::pdTslewAc},
    {"Tdiffslew_ac", RCVTH_TDIFFSLEW_AC, &rcvth::pdTdiffslewAc},
};

// Words Reference_supply may take.
constexpr const char* ref_supplies[] = {"Power_clamp_ref", "Gnd_clamp_ref", "Pullup_ref",
                                        "Pulldown_ref", "Ext_ref"};

void s_ReadValue(char* psLine, double*& pdField, const char* psName)
{
    if (pdField != nullptr) {
        ERRLOG_LineErrorNew(3231, psName);
        return;
    }
    // Present from here on, even when the value is refused.
    pdField = new (std::nothrow) double(0.0);
    if (pdField == nullptr) {
        ERRLOG_BugNew(3201, "rcvth.c", __LINE__);
        return;
    }
    ARGS a;
    if (CMN_ArgParsePlus(psLine, 3, '=', &a) != SUCCESS) {
        ERRLOG_BugNew(3203, psName, "rcvth.c", __LINE__);
        return;
    }
    if (a.iActualCnt < 3) {
        ERRLOG_LineErrorNew(3232, psName);
    } else {
        if (a.iActualCnt > 3) ERRLOG_LineErrorNew(3204, a.iActualCnt, psName, 3);
        if (std::strcmp(a.Arg(1), "=") != 0) {
            ERRLOG_LineErrorNew(3232, psName);
        } else {
            double d = 0.0;
            if (CMN_Get_Value(a.Arg(2), &d) == BAD)
                ERRLOG_LineErrorNew(3233, psName, a.Arg(2));
            else
                *pdField = d;
        }
    }
    CMN_ArgFree(&a);
}

void s_ReadReferenceSupply(char* psLine, RCVTH* p)
{
    const char* psName = "Reference_supply";
    if (p->psReferenceSupply != nullptr) {
        ERRLOG_LineErrorNew(3231, psName);
        return;
    }
    ARGS a;
    if (CMN_ArgParsePlus(psLine, 2, '=', &a) != SUCCESS) {
        ERRLOG_BugNew(3203, psName, "rcvth.c", __LINE__);
        return;
    }
    const char* psWord = nullptr;
    if (a.iActualCnt == 2) {
        psWord = a.Arg(1);
    } else if (a.iActualCnt == 1 || (a.iActualCnt == 3 && std::strcmp(a.Arg(1), "=") == 0)) {
        ERRLOG_LineErrorNew(3232, psName);
    } else {
        ERRLOG_LineErrorNew(3204, a.iActualCnt, psName, 2);
        if (a.iActualCnt >= 4) psWord = a.Arg(1);
    }
    if (psWord != nullptr) {
        bool bKnown = false;
        for (const char* s : ref_supplies)
            if (std::strcmp(s, psWord) == 0) bKnown = true;
        if (!bKnown) {
            ERRLOG_LineErrorNew(3234, psWord);
        } else {
            p->psReferenceSupply = new (std::nothrow) std::string(psWord);
            if (p->psReferenceSupply == nullptr) ERRLOG_BugNew(3201, "rcvth.c", __LINE__);
        }
    }
    CMN_ArgFree(&a);
}

// The pin of a differential pair that uses the model, or null.
const char* s_DiffPin(MDL* pMdl)
{
    PIN* pPin = nullptr;
    if (CMPNT_IsDifferentialPinModel(pMdl, &pPin) != TRUE) return nullptr;
    return pPin != nullptr ? pPin->sPin.c_str() : "";
}

}  // namespace

STATUS RCVTH_New(char* psLine_in, RCVTH** ppRcvth_out)
{
    KIVO_ASSERT(psLine_in != nullptr && ppRcvth_out != nullptr);
    if (*ppRcvth_out != nullptr) {
        ERRLOG_LineErrorNew(3200);
        RCVTH_Free(*ppRcvth_out);
        *ppRcvth_out = nullptr;
    }
    RCVTH* p = new (std::nothrow) RCVTH;
    if (p == nullptr) {
        ERRLOG_BugNew(3201, "rcvth.c", __LINE__);
        return FAILURE;
    }
    char* pc = psLine_in;
    if (CMN_EatKeyword(&pc) != SUCCESS) {
        ERRLOG_LineBugNew(3202, "rcvth.c", __LINE__);
    } else {
        ARGS a;
        if (CMN_ArgParse(pc, 0, &a) != SUCCESS)
            ERRLOG_BugNew(3203, "Receiver Threshold", "rcvth.c", __LINE__);
        else if (a.iActualCnt > 0)
            ERRLOG_LineErrorNew(3204, a.iActualCnt + 1, "Receiver Threshold", 1);
        CMN_ArgFree(&a);
    }
    gRcvthBeginLine = PARSE_GetLineNum();
    *ppRcvth_out = p;
    return SUCCESS;
}

void RCVTH_ReceiveLine(char* psLine_in, RCVTH* pRcvth_io, const char* sModel)
{
    KIVO_ASSERT(psLine_in != nullptr && pRcvth_io != nullptr && sModel != nullptr);
    ARGS a;
    if (CMN_ArgParsePlus(psLine_in, 1, '=', &a) != SUCCESS) {
        ERRLOG_BugNew(3203, "Receiver Threshold Sub-Parameter", "rcvth.c", __LINE__);
        return;
    }
    const rcvth_sub_entry* pEntry = nullptr;
    for (const rcvth_sub_entry& e : rcvth_subs)
        if (a.iCount > 0 && std::strcmp(e.psName, a.Arg(0)) == 0) pEntry = &e;
    CMN_ArgFree(&a);
    if (pEntry == nullptr)
        ERRLOG_LineErrorNew(3230);
    else if (pEntry->pField == nullptr)
        s_ReadReferenceSupply(psLine_in, pRcvth_io);
    else
        s_ReadValue(psLine_in, pRcvth_io->*(pEntry->pField), pEntry->psName);
}

void RCVTH_Fini(MDL* pMdl_in)
{
    KIVO_ASSERT(pMdl_in != nullptr);
    const RCVTH* p = pMdl_in->pRcvth;
    if (p == nullptr) return;
    if (p->pdThresholdSensitivity != nullptr && p->psReferenceSupply == nullptr)
        ERRLOG_ErrorNew(3205, pMdl_in->sModel);
}

void RCVTH_Free(RCVTH* pRcvth_in)
{
    if (pRcvth_in == nullptr) return;
    for (const rcvth_sub_entry& e : rcvth_subs)
        if (e.pField != nullptr) delete (pRcvth_in->*(e.pField));
    delete pRcvth_in->psReferenceSupply;
    delete pRcvth_in;
}

STATUS RCVTH_Check(MDL* pMdl_in)
{
    for (MDL* pMdl = pMdl_in; pMdl != nullptr; pMdl = pMdl->pNext) {
        const RCVTH* p = pMdl->pRcvth;
        if (p == nullptr) continue;
        if (const char* psPin = s_DiffPin(pMdl); psPin != nullptr) {
            const double* diff[5] = {p->pdVcrossLow, p->pdVcrossHigh, p->pdVdiffAc, p->pdVdiffDc,
                                     p->pdTdiffslewAc};
            for (int i = 0; i < 5; ++i)
                if (diff[i] == nullptr) ERRLOG_WarnNew(3206 + i, pMdl->sModel, psPin);
        } else {
            const double* single[6] = {p->pdVth, p->pdVinhAc, p->pdVinlAc, p->pdVinhDc, p->pdVinlDc,
                                       p->pdTslewAc};
            for (int i = 0; i < 6; ++i)
                if (single[i] == nullptr) ERRLOG_WarnNew(3219 + i, pMdl->sModel);
        }
    }
    return SUCCESS;
}

void RCVTH_Reset() { gRcvthBeginLine = 0; }

#include "model/smspec.h"

#include <cstring>
#include <new>

#include "common/cmn.h"
#include "common/errlog.h"
#include "parse/parse.h"

namespace {

unsigned long gSmSpecBeginLine = 0;

struct smspec_sub_entry {
    const char* psName;
    SMSPEC_SUB eSub;
    RNG* smspec::*pField;
};
constexpr smspec_sub_entry smspec_subs[] = {
    {"V_trigger_r", SMSPEC_VTRIGR, &smspec::pVtrigR},
    {"V_trigger_f", SMSPEC_VTRIGF, &smspec::pVtrigF},
    {"Off_delay", SMSPEC_OFFDELAY, &smspec::pOffDelay},
};

}  // namespace

STATUS SMSPEC_New(char* psLine_in, SMSPEC** ppSmSpec_out)
{
    KIVO_ASSERT(psLine_in != nullptr && ppSmSpec_out != nullptr);
    if (*ppSmSpec_out != nullptr) {
        ERRLOG_LineErrorNew(2700);
        SMSPEC_Free(*ppSmSpec_out);
        *ppSmSpec_out = nullptr;
    }
    SMSPEC* p = new (std::nothrow) SMSPEC;
    if (p == nullptr) {
        ERRLOG_BugNew(2701, "smspec.c", __LINE__);
        return FAILURE;
    }
    char* pc = psLine_in;
    if (CMN_EatKeyword(&pc) != SUCCESS) {
        ERRLOG_LineBugNew(2702, "smspec.c", __LINE__);
    } else {
        ARGS a;
        if (CMN_ArgParse(pc, 0, &a) != SUCCESS)
            ERRLOG_BugNew(2703, "Submodel Spec", "smspec.c", __LINE__);
        else if (a.iActualCnt > 0)
            ERRLOG_LineErrorNew(2704, a.iActualCnt + 1, "Submodel Spec", 1);
        CMN_ArgFree(&a);
    }
    gSmSpecBeginLine = PARSE_GetLineNum();
    *ppSmSpec_out = p;
    return SUCCESS;
}

void SMSPEC_ReceiveLine(char* psLine_in, SMSPEC* pSmSpec_io, const char* sModel)
{
    KIVO_ASSERT(psLine_in != nullptr && pSmSpec_io != nullptr && sModel != nullptr);
    ARGS a;
    if (CMN_ArgParsePlus(psLine_in, 1, '=', &a) != SUCCESS) {
        ERRLOG_BugNew(2703, "Sub Model Spec Sub-Parameter", "smspec.c", __LINE__);
        return;
    }
    const smspec_sub_entry* pEntry = nullptr;
    for (const smspec_sub_entry& e : smspec_subs)
        if (a.iCount > 0 && std::strcmp(e.psName, a.Arg(0)) == 0) pEntry = &e;
    CMN_ArgFree(&a);
    if (pEntry == nullptr) {
        ERRLOG_LineErrorNew(2706);
        return;
    }
    RNG*& pField = pSmSpec_io->*(pEntry->pField);
    if (pField != nullptr) {
        ERRLOG_LineErrorNew(2707, pEntry->psName, sModel);
        return;
    }
    char* pc = psLine_in;
    CMN_EatWhitespace(&pc);
    CMN_EatNonWhitespace(&pc);
    CMN_EatWhitespace(&pc);
    RNG_ParseRange(pc, pEntry->psName, &pField, TRUE);
    if (pField != nullptr && pField->eTypStat == NA) ERRLOG_LineErrorNew(2708);
}

void SMSPEC_Fini(SUBMDL* pSubMdl_in)
{
    KIVO_ASSERT(pSubMdl_in != nullptr);
    const SMSPEC* p = pSubMdl_in->pSmSpec;
    if (p == nullptr) return;
    if (p->pVtrigR == nullptr && p->pVtrigF == nullptr && p->pOffDelay == nullptr)
        ERRLOG_ErrorNew(2705, pSubMdl_in->sSubModel);
}

void SMSPEC_Free(SMSPEC* pSmSpec_in)
{
    if (pSmSpec_in == nullptr) return;
    RNG_Free(pSmSpec_in->pVtrigR);
    RNG_Free(pSmSpec_in->pVtrigF);
    RNG_Free(pSmSpec_in->pOffDelay);
    delete pSmSpec_in;
}

void SMSPEC_Reset() { gSmSpecBeginLine = 0; }

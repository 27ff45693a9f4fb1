#include "model/submdl.h"

#include <cstring>
#include <new>
#include <string>
#include <unordered_set>

#include "common/cmn.h"
#include "common/errlog.h"
#include "common/rng.h"
#include "model/crv.h"
#include "model/idly.h"
#include "model/mdl.h"
#include "model/ramp.h"
#include "model/smspec.h"
#include "model/wvfrm.h"
#include "parse/kivo.h"

namespace {

// Longest submodel name, in every version; also the longest [Add Submodel] name.
constexpr unsigned SUBMDL_NAME_LEN = 40;

// ---------------------------------------------------------------------------
// Module state.
// ---------------------------------------------------------------------------
SUBMDL* gCurrentSmodel = nullptr;        // the submodel being read
KEYWORD_TYPE gCurrentKeyword = NOT_KEY;  // its open keyword

// Names of the submodels read so far into the current root, for the
// duplicate check of a new name.
KIVO* gpNamesRoot = nullptr;
SUBMDL* gpNamesHead = nullptr;
std::unordered_set<std::string> gNames;

// The [Add Submodel] list being filled and its last entry, so that a long
// list is not walked for every line.
ADD_SUBMDL** gppAddList = nullptr;
ADD_SUBMDL* gpAddTail = nullptr;

void s_ForgetNames()
{
    gpNamesRoot = nullptr;
    gpNamesHead = nullptr;
    if (!gNames.empty()) gNames.clear();
}

// ---------------------------------------------------------------------------
// Constant tables.
// ---------------------------------------------------------------------------
struct subtype_entry {
    const char* psWord;
    SUBTYPE eType;
};
// Submodel_type words of version 3.2 files, then of 4.2 and later; the last
// entry of each is the sentinel.
constexpr subtype_entry subtypes[] = {
    {"Dynamic_clamp", DYNAMIC_CLAMP}, {"Bus_hold", BUS_HOLD}, {"No Type", SNO_TYPE}};
constexpr subtype_entry subtypes_ver4[] = {
    {"Dynamic_clamp", DYNAMIC_CLAMP}, {"Bus_hold", BUS_HOLD}, {"Fall_back", FALL_BACK}, {"No Type", SNO_TYPE}};

struct submdlmode_entry {
    const char* psWord;
    SUBMDL_MODE eMode;
};
constexpr submdlmode_entry submdlmodes[] = {
    {"Driving", DRIVING}, {"Non-Driving", NON_DRIVING}, {"All", MODE_ALL}, {"No Mode", NO_MODE}};

// The four current-voltage tables of a submodel.
struct curve_keyword {
    KEYWORD_TYPE eKey;       // the submodel keyword
    KEYWORD_TYPE eModelKey;  // the same table in model terms
    const char* psLabel;
    CRV* submdl::*pField;
};
constexpr curve_keyword curve_keywords[] = {
    {SUBMDL_PULLDOWN_KEY, PULLDOWN_KEY, "Pulldown", &submdl::pPulldown},
    {SUBMDL_PULLUP_KEY, PULLUP_KEY, "Pullup", &submdl::pPullup},
    {SUBMDL_GND_CLAMP_KEY, GND_CLAMP_KEY, "GND Clamp", &submdl::pGND_Clamp},
    {SUBMDL_PWR_CLAMP_KEY, PWR_CLAMP_KEY, "POWER Clamp", &submdl::pPOWER_Clamp},
};

const curve_keyword* s_CurveKeyword(KEYWORD_TYPE eKey)
{
    for (const curve_keyword& c : curve_keywords)
        if (c.eKey == eKey) return &c;
    return nullptr;
}

const char* s_Name() { return gCurrentSmodel->sSubModel.c_str(); }

// ---------------------------------------------------------------------------
// [Submodel] line: the name.
// ---------------------------------------------------------------------------
void s_LearnNames(KIVO* pKivo)
{
    s_ForgetNames();
    gpNamesRoot = pKivo;
    gpNamesHead = pKivo->pSubMdls;
    for (SUBMDL* p = pKivo->pSubMdls; p != nullptr; p = p->pNext) gNames.insert(p->sSubModel);
}

void s_SetName(char* psLine)
{
    char* p = psLine;
    if (CMN_EatKeyword(&p) != SUCCESS) {
        ERRLOG_LineBugNew(2408, "SubModel", "submdl.c", __LINE__);
        return;
    }
    ARGS a;
    if (CMN_ArgParse(p, 1, &a) != SUCCESS) {
        ERRLOG_ErrorNew(2409);
        return;
    }
    if (a.iActualCnt == 0) {
        ERRLOG_LineErrorNew(2410);
        return;
    }
    if (a.iActualCnt > 1) ERRLOG_LineErrorNew(2411, a.iActualCnt, "Sub Model", 1);
    std::string sName = a.Arg(0);
    CMN_ArgFree(&a);

    if (sName.size() > SUBMDL_NAME_LEN) {
        ERRLOG_LineErrorNew(2412, static_cast<int>(SUBMDL_NAME_LEN));
        sName.resize(SUBMDL_NAME_LEN);
    } else {
        if (CMN_ReservedWord(sName.c_str()) == FAILURE) ERRLOG_LineErrorNew(2413, sName);
        if (gNames.count(sName) != 0) ERRLOG_LineErrorNew(2414, sName);
    }
    gCurrentSmodel->sSubModel = sName;
    gNames.insert(sName);
}

// ---------------------------------------------------------------------------
// [Submodel] subparameter line (Submodel_type).
// ---------------------------------------------------------------------------
void s_SubparameterLine(char* psLine)
{
    SUBMDL* s = gCurrentSmodel;
    ARGS a;
    if (CMN_ArgParsePlus(psLine, 1, '=', &a) != SUCCESS) {
        ERRLOG_BugNew(2415, "Sub Model Sub-Parameter", "submdl.c", __LINE__);
        return;
    }
    const bool bKnown = a.iCount > 0 && std::strcmp(a.Arg(0), "Submodel_type") == 0;
    CMN_ArgFree(&a);
    if (!bKnown) {
        ERRLOG_LineErrorNew(2416);
        return;
    }
    if (s->eType != STYPE_NOT_SET) {
        ERRLOG_LineErrorNew(2417, "Submodel_type", s->sSubModel);
        return;
    }
    s->eType = SNO_TYPE;

    ARGS b;
    if (CMN_ArgParsePlus(psLine, 2, '=', &b) != SUCCESS) {
        ERRLOG_BugNew(2415, "Sub Model Sub-Parameter", "submdl.c", __LINE__);
        return;
    }
    if (b.iActualCnt == 1) {
        ERRLOG_LineErrorNew(2418, "Submodel_type");
    } else if (b.iActualCnt > 2) {
        if (std::strcmp(b.Arg(1), "=") == 0)
            ERRLOG_LineErrorNew(2419, "Submodel_type");
        else
            ERRLOG_LineErrorNew(2420, b.iActualCnt, "Submodel_type", 2);
    } else if (b.iActualCnt == 2) {
        const char* psWord = b.Arg(1);
        const subtype_entry* table = geFileVersion <= VER_3 ? subtypes : subtypes_ver4;
        const subtype_entry* pExact = nullptr;
        const subtype_entry* pCase = nullptr;
        for (const subtype_entry* e = table; e->eType != SNO_TYPE; ++e) {
            if (pExact == nullptr && std::strcmp(e->psWord, psWord) == 0) pExact = e;
            if (pCase == nullptr && CMN_StrSameIC(e->psWord, psWord) == TRUE) pCase = e;
        }
        if (pExact != nullptr)
            s->eType = pExact->eType;
        else if (pCase != nullptr)
            ERRLOG_LineErrorNew(2421, "Submodel_type", psWord, pCase->psWord);
        else
            ERRLOG_LineErrorNew(2422, "Submodel_type", psWord);
    }
    CMN_ArgFree(&b);
}

// ---------------------------------------------------------------------------
// Keyword lines, data lines, closing.
// ---------------------------------------------------------------------------
void s_KeywordStart(KEYWORD_TYPE eKey, char* psLine)
{
    SUBMDL* s = gCurrentSmodel;
    if (const curve_keyword* c = s_CurveKeyword(eKey)) {
        CRV_New(psLine, c->psLabel, &(s->*(c->pField)));
        return;
    }
    switch (eKey) {
    case SUBMDL_KEY: s_SetName(psLine); return;
    case SUBMDL_SPEC_KEY:
        if (s->pPullup != nullptr || s->pPulldown != nullptr || s->pPOWER_Clamp != nullptr ||
            s->pGND_Clamp != nullptr || s->pGND_Pulse != nullptr || s->pPOWER_Pulse != nullptr ||
            s->pRamp != nullptr || s->pRising != nullptr || s->pFalling != nullptr)
            ERRLOG_LineErrorNew(2406);
        SMSPEC_New(psLine, &s->pSmSpec);
        return;
    case SUBMDL_GPULSE_KEY:
        if (s->pGND_Pulse != nullptr) {
            ERRLOG_LineErrorNew(2404);
            WVFRM_Free(s->pGND_Pulse);
            s->pGND_Pulse = nullptr;
        }
        WVFRM_New(psLine, &s->pGND_Pulse, "GND Pulse");
        return;
    case SUBMDL_PPULSE_KEY:
        if (s->pPOWER_Pulse != nullptr) {
            ERRLOG_LineErrorNew(2405);
            WVFRM_Free(s->pPOWER_Pulse);
            s->pPOWER_Pulse = nullptr;
        }
        WVFRM_New(psLine, &s->pPOWER_Pulse, "POWER Pulse");
        return;
    case SUBMDL_RAMP_KEY: RAMP_New(psLine, &s->pRamp); return;
    case SUBMDL_RISING_WAVE_KEY: WVFRM_New(psLine, &s->pRising, "Rising Waveform"); return;
    case SUBMDL_FALLING_WAVE_KEY: WVFRM_New(psLine, &s->pFalling, "Falling Waveform"); return;
    case SUBMDL_INITIAL_DELAY_KEY: IDLY_New(psLine, &s->pIdly); return;
    default: ERRLOG_LineBugNew(2407, "submdl.c", __LINE__); return;
    }
}

void s_DataLine(KEYWORD_TYPE eKey, char* psLine)
{
    SUBMDL* s = gCurrentSmodel;
    if (const curve_keyword* c = s_CurveKeyword(eKey)) {
        if (CRV* pCrv = s->*(c->pField)) CRV_ReceiveLine(psLine, pCrv, c->psLabel);
        return;
    }
    switch (eKey) {
    case SUBMDL_KEY: s_SubparameterLine(psLine); return;
    case SUBMDL_SPEC_KEY:
        if (s->pSmSpec != nullptr) SMSPEC_ReceiveLine(psLine, s->pSmSpec, s_Name());
        return;
    case SUBMDL_GPULSE_KEY: WVFRM_ReceiveLine(psLine, "GND Pulse Table"); return;
    case SUBMDL_PPULSE_KEY: WVFRM_ReceiveLine(psLine, "POWER Pulse Table"); return;
    case SUBMDL_RAMP_KEY:
        if (s->pRamp != nullptr) RAMP_ReceiveLine(psLine, s->pRamp, s_Name());
        return;
    case SUBMDL_RISING_WAVE_KEY: WVFRM_ReceiveLine(psLine, "Rising Waveform"); return;
    case SUBMDL_FALLING_WAVE_KEY: WVFRM_ReceiveLine(psLine, "Falling Waveform"); return;
    case SUBMDL_INITIAL_DELAY_KEY:
        if (s->pIdly != nullptr) IDLY_ReceiveLine(s->pIdly, psLine);
        return;
    default: ERRLOG_LineBugNew(2407, "submdl.c", __LINE__); return;
    }
}

void s_KeywordClose(KEYWORD_TYPE eKey)
{
    SUBMDL* s = gCurrentSmodel;
    if (const curve_keyword* c = s_CurveKeyword(eKey)) {
        if (CRV* pCrv = s->*(c->pField)) CRV_Fini(s_Name(), OUTPUT, c->eModelKey, pCrv, c->psLabel, "Submodel");
        return;
    }
    switch (eKey) {
    case SUBMDL_KEY:
        if (s->eType == STYPE_NOT_SET) ERRLOG_ErrorNew(2423, s->sSubModel, "Submodel_type");
        return;
    case SUBMDL_SPEC_KEY:
        if (s->pSmSpec != nullptr) SMSPEC_Fini(s);
        return;
    case SUBMDL_GPULSE_KEY: WVFRM_Fini("GND Pulse Table", GND_POWER_PULSE); return;
    case SUBMDL_PPULSE_KEY: WVFRM_Fini("POWER Pulse Table", GND_POWER_PULSE); return;
    case SUBMDL_RAMP_KEY:
        if (s->pRamp != nullptr) RAMP_Fini(s->pRamp);
        return;
    case SUBMDL_RISING_WAVE_KEY: WVFRM_Fini("Rising", RISE_FALL_MODEL); return;
    case SUBMDL_FALLING_WAVE_KEY: WVFRM_Fini("Falling", RISE_FALL_MODEL); return;
    case SUBMDL_INITIAL_DELAY_KEY:
        if (s->pIdly != nullptr) IDLY_Fini(s->pIdly, s_Name(), "SubModel");
        return;
    default: return;
    }
}

// ---------------------------------------------------------------------------
// End-of-submodel checks.
// ---------------------------------------------------------------------------
// The value of column iCol (0 typical, 1 minimum, 2 maximum) of a triple or a
// row, with its state.
void s_RngCol(const RNG* r, int iCol, double* pd, NUMSTAT* pe)
{
    *pd = iCol == 0 ? r->dTyp : (iCol == 1 ? r->dMin : r->dMax);
    *pe = iCol == 0 ? r->eTypStat : (iCol == 1 ? r->eMinStat : r->eMaxStat);
}

void s_RowCol(const RNGP* r, int iCol, double* pd, NUMSTAT* pe)
{
    *pd = iCol == 0 ? r->dTyp : (iCol == 1 ? r->dMin : r->dMax);
    *pe = iCol == 0 ? r->eTypStat : (iCol == 1 ? r->eMinStat : r->eMaxStat);
}

// Compares a trigger voltage with one waveform row, column by column.  A
// column is compared when both sides have it; when one side has it and the
// other wrote NA, the NA side stands in with its typical value.  bBelow: a
// trigger below the row is reported, else a trigger above it.
void s_TriggerAgainstRow(const SUBMDL* s, const RNG* pTrig, const RNGP* pRow, bool bBelow, int iCode)
{
    static const char* const cols[3] = {"Typ", "Min", "Max"};
    for (int iCol = 0; iCol < 3; ++iCol) {
        double t = 0.0, r = 0.0;
        NUMSTAT et = NOT_SET, er = NOT_SET;
        s_RngCol(pTrig, iCol, &t, &et);
        s_RowCol(pRow, iCol, &r, &er);
        if (et == SET && er == SET) {
            // both given
        } else if (et == SET && er == NA) {
            r = pRow->dTyp;
        } else if (er == SET && et == NA) {
            t = pTrig->dTyp;
        } else {
            continue;
        }
        if (bBelow ? t < r : t > r) ERRLOG_WarnNew(iCode, s->sSubModel, cols[iCol]);
    }
}

const RNGP* s_LastRow(const RNGP* p)
{
    if (p == nullptr) return nullptr;
    while (p->pNext != nullptr) p = p->pNext;
    return p;
}

// A rising trigger must lie within the rising waveforms' swing, a falling
// one within the falling waveforms' swing.
void s_TriggerChecks(const SUBMDL* s)
{
    const SMSPEC* pSpec = s->pSmSpec;
    if (pSpec == nullptr) return;
    if (pSpec->pVtrigR != nullptr && pSpec->pVtrigR->eTypStat == SET) {
        for (const WVFRM* w = s->pRising; w != nullptr; w = w->pNext) {
            const RNGP* pFirst = w->pTrng;
            if (pFirst == nullptr || pFirst->eTypStat != SET) continue;
            s_TriggerAgainstRow(s, pSpec->pVtrigR, pFirst, true, 2441);
            const RNGP* pLast = s_LastRow(pFirst);
            if (pLast->eTypStat == SET) s_TriggerAgainstRow(s, pSpec->pVtrigR, pLast, false, 2442);
        }
    }
    if (pSpec->pVtrigF != nullptr && pSpec->pVtrigF->eTypStat == SET) {
        for (const WVFRM* w = s->pFalling; w != nullptr; w = w->pNext) {
            const RNGP* pFirst = w->pTrng;
            if (pFirst == nullptr || pFirst->eTypStat != SET) continue;
            s_TriggerAgainstRow(s, pSpec->pVtrigF, pFirst, false, 2443);
            const RNGP* pLast = s_LastRow(pFirst);
            if (pLast->eTypStat == SET) s_TriggerAgainstRow(s, pSpec->pVtrigF, pLast, true, 2444);
        }
    }
}

bool s_AnyComposite(const WVFRM* w)
{
    for (; w != nullptr; w = w->pNext)
        if (w->pComposite != nullptr) return true;
    return false;
}

void s_EndChecks(const SUBMDL* s)
{
    const SMSPEC* pSpec = s->pSmSpec;
    const char* psName = s->sSubModel.c_str();
    const bool bOffDelay = pSpec != nullptr && pSpec->pOffDelay != nullptr;
    const bool bVtrigR = pSpec != nullptr && pSpec->pVtrigR != nullptr;
    const bool bVtrigF = pSpec != nullptr && pSpec->pVtrigF != nullptr;
    const bool bPullup = s->pPullup != nullptr, bPulldown = s->pPulldown != nullptr;

    switch (s->eType) {
    case BUS_HOLD:
        if (pSpec == nullptr) {
            ERRLOG_ErrorNew(2424, psName);
        } else {
            if (!bVtrigR) ERRLOG_ErrorNew(2425, psName);
            if (!bVtrigF) ERRLOG_ErrorNew(2426, psName);
            if (bOffDelay && bPullup && bPulldown) ERRLOG_ErrorNew(2427, psName);
        }
        if (s->pRamp == nullptr) ERRLOG_ErrorNew(2428, psName);
        if (!bPullup && !bPulldown) ERRLOG_ErrorNew(2429, psName);
        break;
    case DYNAMIC_CLAMP:
        if (s->pGND_Pulse != nullptr && !bVtrigF) ERRLOG_ErrorNew(2430, psName);
        if (s->pPOWER_Pulse != nullptr && !bVtrigR) ERRLOG_ErrorNew(2431, psName);
        if (s->pGND_Pulse == nullptr && s->pPOWER_Pulse == nullptr && s->pGND_Clamp == nullptr &&
            s->pPOWER_Clamp == nullptr)
            ERRLOG_ErrorNew(2432, psName);
        if (bOffDelay) ERRLOG_ErrorNew(2433, psName);
        break;
    case FALL_BACK:
        if (pSpec == nullptr) {
            ERRLOG_ErrorNew(2434, psName);
        } else {
            if (!bVtrigR) ERRLOG_ErrorNew(2435, psName);
            if (!bVtrigF) ERRLOG_ErrorNew(2436, psName);
        }
        if (!bPullup && !bPulldown) ERRLOG_ErrorNew(2437, psName);
        if (bPullup && bPulldown) ERRLOG_ErrorNew(2438, psName);
        if (s->pRamp == nullptr) ERRLOG_ErrorNew(2439, psName);
        if (bOffDelay) ERRLOG_ErrorNew(2440, psName);
        break;
    default: break;  // unset or refused type: only the checks below
    }

    s_TriggerChecks(s);

    if (s->pIdly != nullptr) {
        if (s->pIdly->pVt != nullptr && s->pRising == nullptr && s->pFalling == nullptr)
            ERRLOG_ErrorNew(2445, psName, "V-T", "Rising or Falling Waveform");
        if (s->pIdly->pIt != nullptr && !s_AnyComposite(s->pRising) && !s_AnyComposite(s->pFalling))
            ERRLOG_ErrorNew(2445, psName, "I-T", "Composite Current Waveform");
    }
}

}  // namespace

// ---------------------------------------------------------------------------
// Section operations.
// ---------------------------------------------------------------------------
STATUS SUBMDL_Init()
{
    gCurrentSmodel = nullptr;
    gCurrentKeyword = NOT_KEY;
    KIVO* pKivo = nullptr;
    if (KIVO_GetKIVO(&pKivo) != SUCCESS || pKivo == nullptr) {
        ERRLOG_BugNew(2401);
        return FAILURE;
    }
    SUBMDL* pNew = nullptr;
    if (SUBMDL_New(&pNew) != SUCCESS) return FAILURE;
    if (pKivo != gpNamesRoot || pKivo->pSubMdls != gpNamesHead) s_LearnNames(pKivo);
    KIVO_AddSubMdl(pKivo, pNew);
    gpNamesHead = pNew;
    gCurrentSmodel = pNew;
    return SUCCESS;
}

STATUS SUBMDL_ReceiveLine(LINE_TYPE eTyp_in, KEYWORD_TYPE eKeyword_in, char* sLine_in)
{
    KIVO_ASSERT(sLine_in != nullptr);
    if (gCurrentSmodel == nullptr) {
        if (eTyp_in == KEYWORD_LINE)
            ERRLOG_LineErrorNew(2402);
        else
            ERRLOG_LineErrorNew(2403);
        return FAILURE;
    }
    if (eTyp_in == KEYWORD_LINE) {
        gCurrentKeyword = eKeyword_in;
        s_KeywordStart(eKeyword_in, sLine_in);
    } else {
        s_DataLine(eKeyword_in, sLine_in);
    }
    return SUCCESS;
}

STATUS SUBMDL_Fini(KEYWORD_TYPE eNewKeyword)
{
    if (gCurrentSmodel == nullptr) return SUCCESS;
    s_KeywordClose(gCurrentKeyword);
    gCurrentKeyword = NOT_KEY;
    if (eNewKeyword < SUBMDL_SPEC_KEY || eNewKeyword > SUBMDL_INITIAL_DELAY_KEY) {
        s_EndChecks(gCurrentSmodel);
        gCurrentSmodel = nullptr;
    }
    return SUCCESS;
}

// ---------------------------------------------------------------------------
// Records and lists.
// ---------------------------------------------------------------------------
STATUS SUBMDL_New(SUBMDL** ppMdl)
{
    KIVO_ASSERT(ppMdl != nullptr);
    *ppMdl = new (std::nothrow) SUBMDL;
    if (*ppMdl == nullptr) {
        ERRLOG_BugNew(2400, "submdl.c", __LINE__);
        return FAILURE;
    }
    return SUCCESS;
}

void SUBMDL_AddLink(SUBMDL* pNew, SUBMDL* pPrev)
{
    KIVO_ASSERT(pNew != nullptr);
    pNew->pNext = pPrev;
}

void SUBMDL_Free(SUBMDL* pMdl_in)
{
    if (pMdl_in == nullptr) return;
    if (pMdl_in == gCurrentSmodel) {
        // A submodel left open by an unrecognised keyword at the end of a
        // file: nothing may reach it any more.
        gCurrentSmodel = nullptr;
        gCurrentKeyword = NOT_KEY;
    }
    if (pMdl_in == gpNamesHead) s_ForgetNames();
    CRV_Free(pMdl_in->pPulldown);
    CRV_Free(pMdl_in->pPullup);
    CRV_Free(pMdl_in->pGND_Clamp);
    CRV_Free(pMdl_in->pPOWER_Clamp);
    RAMP_Free(pMdl_in->pRamp);
    WVFRM_Free(pMdl_in->pRising);
    WVFRM_Free(pMdl_in->pFalling);
    WVFRM_Free(pMdl_in->pGND_Pulse);
    WVFRM_Free(pMdl_in->pPOWER_Pulse);
    IDLY_Free(pMdl_in->pIdly);
    SMSPEC_Free(pMdl_in->pSmSpec);
    delete pMdl_in;
}

void SUBMDL_FreeList(SUBMDL* pMdl)
{
    while (pMdl != nullptr) {
        SUBMDL* pNext = pMdl->pNext;
        SUBMDL_Free(pMdl);
        pMdl = pNext;
    }
}

SUBMDL* SUBMDL_NameExists(const char* psName_in, SUBMDL* pMdl_in)
{
    KIVO_ASSERT(psName_in != nullptr);
    for (SUBMDL* p = pMdl_in; p != nullptr; p = p->pNext)
        if (p->sSubModel == psName_in) return p;
    return nullptr;
}

// ---------------------------------------------------------------------------
// [Add Submodel].
// ---------------------------------------------------------------------------
void ADDSUBMDL_Start(char* psLine_in, ADD_SUBMDL** ppList_io)
{
    KIVO_ASSERT(psLine_in != nullptr && ppList_io != nullptr);
    if (*ppList_io != nullptr) ERRLOG_LineErrorNew(208);
    char* p = psLine_in;
    if (CMN_EatKeyword(&p) != SUCCESS) {
        ERRLOG_BugNew(122, "mdl.c", __LINE__);
    } else {
        ARGS a;
        if (CMN_ArgParse(p, 0, &a) != SUCCESS)
            ERRLOG_BugNew(134, "Add Submodel", "mdl.c", __LINE__);
        else if (a.iActualCnt > 0)
            ERRLOG_LineErrorNew(137, a.iActualCnt + 1, "Add Submodel", 1);
        CMN_ArgFree(&a);
    }
    const MDL* m = MDL_GetCurrentModel();
    if (m != nullptr && (m->eType == SERIES || m->eType == SERIES_SWITCH)) ERRLOG_LineErrorNew(209);

    // Later entries go after the last one already in the list.
    gppAddList = ppList_io;
    gpAddTail = *ppList_io;
    while (gpAddTail != nullptr && gpAddTail->pNext != nullptr) gpAddTail = gpAddTail->pNext;
}

void ADDSUBMDL_ReceiveLine(char* psLine_in, ADD_SUBMDL** ppList_io)
{
    KIVO_ASSERT(psLine_in != nullptr && ppList_io != nullptr);
    ARGS a;
    if (CMN_ArgParse(psLine_in, 2, &a) != SUCCESS) {
        ERRLOG_BugNew(134, "Add Submodel", "mdl.c", __LINE__);
        return;
    }
    if (a.iActualCnt > 2) ERRLOG_LineErrorNew(210);
    if (a.iActualCnt == 0) {
        ERRLOG_LineErrorNew(211);
        return;
    }
    ADD_SUBMDL* pNew = new (std::nothrow) ADD_SUBMDL;
    if (pNew == nullptr) {
        ERRLOG_BugNew(100, "mdl.c", __LINE__);
        return;
    }
    std::string sName = a.Arg(0);
    if (sName.size() > SUBMDL_NAME_LEN) {
        ERRLOG_LineErrorNew(212, static_cast<int>(SUBMDL_NAME_LEN));
        sName.resize(SUBMDL_NAME_LEN);
    } else if (CMN_ReservedWord(sName.c_str()) == FAILURE) {
        ERRLOG_LineErrorNew(213, sName);
    }
    pNew->sSubMdl = sName;

    // Append at the end of the model's list.
    if (gppAddList != ppList_io || *ppList_io == nullptr) {
        gppAddList = ppList_io;
        gpAddTail = *ppList_io;
        while (gpAddTail != nullptr && gpAddTail->pNext != nullptr) gpAddTail = gpAddTail->pNext;
    }
    if (gpAddTail == nullptr)
        *ppList_io = pNew;
    else
        gpAddTail->pNext = pNew;
    gpAddTail = pNew;

    if (a.iActualCnt < 2) {
        ERRLOG_LineErrorNew(215);
    } else {
        const char* psWord = a.Arg(1);
        const submdlmode_entry* pExact = nullptr;
        const submdlmode_entry* pCase = nullptr;
        for (const submdlmode_entry* e = submdlmodes; e->eMode != NO_MODE; ++e) {
            if (pExact == nullptr && std::strcmp(e->psWord, psWord) == 0) pExact = e;
            if (pCase == nullptr && CMN_StrSameIC(e->psWord, psWord) == TRUE) pCase = e;
        }
        if (pExact != nullptr)
            pNew->eMode = pExact->eMode;
        else if (pCase != nullptr)
            ERRLOG_LineErrorNew(136, "Add Submodel Mode", psWord, pCase->psWord);
        else
            ERRLOG_LineErrorNew(158, "Add Submodel Mode", psWord);
    }
    CMN_ArgFree(&a);

    const MDL* m = MDL_GetCurrentModel();
    if (m == nullptr) return;
    const MODEL_TYPE t = m->eType;
    if (pNew->eMode == DRIVING && (t == INPUT || t == INPUT_ECL || t == TERMINATOR)) ERRLOG_LineErrorNew(216);
    if (pNew->eMode == NON_DRIVING &&
        (t == OUTPUT || t == OPEN_DRAIN || t == OPEN_SINK || t == OPEN_SOURCE || t == OUTPUT_ECL))
        ERRLOG_LineErrorNew(217);
}

void ADDSUBMDL_FreeList(ADD_SUBMDL* pList)
{
    while (pList != nullptr) {
        ADD_SUBMDL* pNext = pList->pNext;
        if (pList == gpAddTail) {
            gppAddList = nullptr;
            gpAddTail = nullptr;
        }
        delete pList;
        pList = pNext;
    }
}

// ---------------------------------------------------------------------------
// Check pass.
// ---------------------------------------------------------------------------
void SUBMDL_TestSubMdls(mdl* pMdl, SUBMDL* pSubMdl)
{
    std::unordered_set<std::string> names;
    for (const SUBMDL* s = pSubMdl; s != nullptr; s = s->pNext) names.insert(s->sSubModel);
    for (const MDL* m = pMdl; m != nullptr; m = m->pNext)
        for (const ADD_SUBMDL* e = m->pSubMdl; e != nullptr; e = e->pNext)
            if (names.count(e->sSubMdl) == 0) ERRLOG_ErrorNew(218, e->sSubMdl, m->sModel);
}

void SUBMDL_TestSubMdlReferences(mdl* pMdl, SUBMDL* pSubMdl)
{
    std::unordered_set<std::string> names;
    for (const MDL* m = pMdl; m != nullptr; m = m->pNext)
        for (const ADD_SUBMDL* e = m->pSubMdl; e != nullptr; e = e->pNext) names.insert(e->sSubMdl);
    for (const SUBMDL* s = pSubMdl; s != nullptr; s = s->pNext)
        if (names.count(s->sSubModel) == 0) ERRLOG_WarnNew(220, s->sSubModel);
}

void SUBMDL_Reset()
{
    gCurrentSmodel = nullptr;
    gCurrentKeyword = NOT_KEY;
    s_ForgetNames();
    gppAddList = nullptr;
    gpAddTail = nullptr;
}

#include "model/mdl.h"

#include <cstring>
#include <new>
#include <string>
#include <unordered_map>
#include <unordered_set>

#include "algmodel/algmod.h"
#include "common/cmn.h"
#include "common/errlog.h"
#include "common/rng.h"
#include "model/ccorner.h"
#include "model/crv.h"
#include "model/drvsh.h"
#include "model/idly.h"
#include "model/mdlemi.h"
#include "model/mspec.h"
#include "model/ramp.h"
#include "model/rcvth.h"
#include "model/sinfo.h"
#include "model/smos.h"
#include "model/submdl.h"
#include "model/wvfrm.h"
#include "parse/kivo.h"
#include "parse/parse.h"

namespace {

// ---------------------------------------------------------------------------
// Module state.
// ---------------------------------------------------------------------------
MDL* gCurrentModel = nullptr;             // the model being read
KEYWORD_TYPE gCurrentKeyword = NOT_KEY;   // its open keyword
SINFO* gCurrentSeries = nullptr;          // series block the series keywords fill
WVFRM* gLastRiseFallParsed = nullptr;     // waveform a [Composite Current] extends
// The waveform list of the last [Rising Waveform] or [Falling Waveform], and
// whether the [Composite Current] that followed it was attached, so that a
// second [Composite Current] in a row goes to the same waveform.
KEYWORD_TYPE geLastWaveKeyword = NOT_KEY;
bool gbCompositeAttached = false;

// Names of the models read so far into the current root, for the duplicate
// check of a new model name.
KIVO* gpNamesRoot = nullptr;
MDL* gpNamesHead = nullptr;
std::unordered_set<std::string> gNames;

// Name lookups for the queries: first model of a list by name.
MDL* gpLookupHead = nullptr;
std::unordered_map<std::string, MDL*> gLookup;

// Clearing an empty table is skipped: it would still sweep its buckets, once
// per model when a long list is freed.
void s_ForgetLookups()
{
    gpLookupHead = nullptr;
    if (!gLookup.empty()) gLookup.clear();
}

void s_ForgetNames()
{
    gpNamesRoot = nullptr;
    gpNamesHead = nullptr;
    if (!gNames.empty()) gNames.clear();
}

// ---------------------------------------------------------------------------
// Constant tables.
// ---------------------------------------------------------------------------
struct model_sub_entry {
    const char* psName;
    MODEL_SUB eSub;
};
constexpr model_sub_entry model_subs[] = {
    {"Model_type", IO_TYPE},
    {"Polarity", POLARITY},
    {"Enable", ENABLE},
    {"Vinl", VINL},
    {"Vinh", VINH},
    {"Vmeas", VMEAS},
    {"Cref", CREF},
    {"Rref", RREF},
    {"Vref", VREF},
    {"Rref_diff", RREF_DIFF},
    {"Cref_diff", CREF_DIFF},
    {"C_comp", C_COMP},
    {"C_comp_pullup", C_COMP_PULLUP},
    {"C_comp_pulldown", C_COMP_PULLDOWN},
    {"C_comp_power_clamp", C_COMP_POWER_CLAMP},
    {"C_comp_gnd_clamp", C_COMP_GND_CLAMP},
    {"NOT_SUB", NOT_MODEL_SUB},
};

// Model_type words, index = value - 2; the last entry is the sentinel.
constexpr const char* io_types[] = {
    "Input",       "Output",        "I/O",          "3-state",         "Open_drain",
    "I/O_open_drain", "Open_sink",  "I/O_open_sink", "Open_source",    "I/O_open_source",
    "Input_ECL",   "Output_ECL",    "I/O_ECL",      "Terminator",      "Series",
    "Series_switch", "3-state_ECL", "I/O_diff",     "Output_diff",     "3-state_diff",
    "Input_diff",  "No Type"};
constexpr int IO_TYPES_COUNT = 21;

constexpr const char* polarities[] = {"Non-Inverting", "Inverting", "No Polarity"};
constexpr const char* enables[] = {"Active-High", "Active-Low", "No Enable"};

// How many Model_type words the file's version allows.
int s_TypeCount()
{
    switch (geFileVersion) {
    case VER_2: return 14;
    case VER_3: return 17;
    case VER_4:
    case VER_5:
    case VER_6:
    case VER_61: return 21;
    default: return 14;
    }
}

bool s_InNoTestLoadGroup(MODEL_TYPE t)
{
    return t == INPUT || t == INPUT_DIFF || t == INPUT_ECL || t == TERMINATOR || t == SERIES ||
           t == SERIES_SWITCH;
}

bool s_InBidirectionalGroup(MODEL_TYPE t)
{
    return t == IO || t == IO_OPEN_DRAIN || t == IO_OPEN_SINK || t == IO_OPEN_SOURCE || t == IO_ECL;
}

bool s_IsModelKeyword(KEYWORD_TYPE k) { return k >= EXTERNAL_MODEL_KEY && k <= INITIAL_DELAY_KEY; }

const char* s_Name() { return gCurrentModel->sModel.c_str(); }

// Text after the line's first word.
char* s_AfterFirstWord(char* psLine)
{
    char* p = psLine;
    CMN_EatWhitespace(&p);
    CMN_EatNonWhitespace(&p);
    CMN_EatWhitespace(&p);
    return p;
}

// ---------------------------------------------------------------------------
// [Model] line: the name.
// ---------------------------------------------------------------------------
void s_LearnNames(KIVO* pKivo)
{
    s_ForgetNames();
    gpNamesRoot = pKivo;
    gpNamesHead = pKivo->pMdls;
    for (MDL* p = pKivo->pMdls; p != nullptr; p = p->pNext) gNames.insert(p->sModel);
}

void s_SetName(char* psLine)
{
    char* p = psLine;
    if (CMN_EatKeyword(&p) != SUCCESS) {
        ERRLOG_LineBugNew(125, "Model", "mdl.c", __LINE__);
        return;
    }
    ARGS a;
    if (CMN_ArgParse(p, 1, &a) != SUCCESS) {
        ERRLOG_ErrorNew(126);
        return;
    }
    if (a.iActualCnt == 0) {
        ERRLOG_LineErrorNew(127);
        return;
    }
    if (a.iActualCnt > 1) ERRLOG_LineErrorNew(128, a.iActualCnt, "Model", 1);
    std::string sName = a.Arg(0);
    CMN_ArgFree(&a);

    const unsigned uiLimit = geFileVersion >= VER_4 ? 40 : 20;
    if (sName.size() > uiLimit) {
        ERRLOG_LineErrorNew(129, static_cast<int>(uiLimit));
        sName.resize(uiLimit);
    } else {
        if (CMN_ReservedWord(sName.c_str()) == FAILURE) ERRLOG_LineErrorNew(130, sName);
        if (gNames.count(sName) != 0) ERRLOG_LineErrorNew(131, sName);
    }
    CMN_SetStr(gCurrentModel->sModel, sName.c_str(), 40, "Model");
    gNames.insert(gCurrentModel->sModel);
    s_ForgetLookups();
}

// ---------------------------------------------------------------------------
// [Model] subparameter lines.
// ---------------------------------------------------------------------------
MODEL_SUB s_FindSub(const char* psName, const char** ppsTableName)
{
    for (const model_sub_entry& e : model_subs) {
        if (e.eSub == NOT_MODEL_SUB) break;
        if (std::strcmp(e.psName, psName) == 0) {
            *ppsTableName = e.psName;
            return e.eSub;
        }
    }
    return NOT_MODEL_SUB;
}

// Reads the word of "Name Word"; returns the index of the word among the
// first iCount entries of the table, or -1 when it is refused.
int s_ReadWord(char* psLine, const char* psName, const char* const* table, int iCount)
{
    ARGS a;
    if (CMN_ArgParsePlus(psLine, 2, '=', &a) != SUCCESS) {
        ERRLOG_BugNew(134, "Model Sub-Parameter", "mdl.c", __LINE__);
        return -1;
    }
    int iFound = -1;
    if (a.iActualCnt == 1) {
        ERRLOG_LineErrorNew(175, psName);
    } else if (a.iActualCnt > 2) {
        if (std::strcmp(a.Arg(1), "=") == 0)
            ERRLOG_LineErrorNew(176, psName);
        else
            ERRLOG_LineErrorNew(137, a.iActualCnt, psName, 2);
    } else if (a.iActualCnt == 2) {
        const char* psWord = a.Arg(1);
        for (int i = 0; i < iCount && iFound < 0; ++i)
            if (std::strcmp(table[i], psWord) == 0) iFound = i;
        if (iFound < 0) {
            int iCase = -1;
            for (int i = 0; i < iCount && iCase < 0; ++i)
                if (CMN_StrSameIC(table[i], psWord) == TRUE) iCase = i;
            if (iCase >= 0)
                ERRLOG_LineErrorNew(136, psName, psWord, table[iCase]);
            else
                ERRLOG_LineErrorNew(158, psName, psWord);
        }
    }
    CMN_ArgFree(&a);
    return iFound;
}

// Reads "Name = value" into a field that becomes present as soon as the line
// is taken up.
void s_ReadNumber(char* psLine, double*& pdField, const char* psName)
{
    if (pdField != nullptr) {
        ERRLOG_LineErrorNew(119, psName, s_Name());
        return;
    }
    pdField = new (std::nothrow) double(0.0);
    if (pdField == nullptr) {
        ERRLOG_BugNew(100, "mdl.c", __LINE__);
        return;
    }
    ARGS a;
    if (CMN_ArgParsePlus(psLine, 3, '=', &a) != SUCCESS) {
        ERRLOG_BugNew(134, "Model Sub-Parameter", "mdl.c", __LINE__);
        return;
    }
    if (a.iActualCnt < 3) {
        ERRLOG_LineErrorNew(176, psName);
    } else {
        if (a.iActualCnt > 3) ERRLOG_LineErrorNew(137, a.iActualCnt, psName, 3);
        if (std::strcmp(a.Arg(1), "=") != 0) {
            ERRLOG_LineErrorNew(176, psName);
        } else {
            double d = 0.0;
            if (CMN_Get_Value(a.Arg(2), &d) == BAD)
                ERRLOG_LineErrorNew(149, psName, a.Arg(2));
            else
                *pdField = d;
        }
    }
    CMN_ArgFree(&a);
}

// C_comp and its variants: "Name typ min max".
void s_ReadCcomp(char* psLine, RNG*& pField, const char* psName)
{
    if (pField != nullptr) {
        ERRLOG_LineErrorNew(119, psName, s_Name());
        return;
    }
    RNG_ParseRange(s_AfterFirstWord(psLine), psName, &pField, TRUE);
    if (pField == nullptr) return;
    const RNG& r = *pField;
    if (r.eTypStat == NA) ERRLOG_LineErrorNew(178);
    const bool bTyp = r.eTypStat == SET, bMin = r.eMinStat == SET, bMax = r.eMaxStat == SET;
    if ((bMin && bTyp && r.dMin > r.dTyp) || (bMin && bMax && r.dMin > r.dMax))
        ERRLOG_LineWarnNew(177, s_Name(), psName);
    if ((bMax && bTyp && r.dMax < r.dTyp) || (bMin && bMax && r.dMax < r.dMin))
        ERRLOG_LineWarnNew(179, s_Name(), psName);
}

// A subparameter naming one word of a table, given once per model: a repeat
// is reported and ignored; otherwise the field becomes eNone, or the word's
// value counted from eFirst when the word is one of the first iCount.
template <class E>
void s_WordSubparameter(char* psLine, const char* psName, E* peField, E eNotSet, E eNone,
                        const char* const* table, int iCount, E eFirst)
{
    if (*peField != eNotSet) {
        ERRLOG_LineErrorNew(119, psName, s_Name());
        return;
    }
    *peField = eNone;
    int i = s_ReadWord(psLine, psName, table, iCount);
    if (i >= 0) *peField = static_cast<E>(i + eFirst);
}

void s_SubparameterLine(char* psLine)
{
    ARGS a;
    if (CMN_ArgParsePlus(psLine, 1, '=', &a) != SUCCESS) {
        ERRLOG_BugNew(134, "Model Sub-Parameter", "mdl.c", __LINE__);
        return;
    }
    const char* psName = nullptr;
    MODEL_SUB eSub = a.iCount > 0 ? s_FindSub(a.Arg(0), &psName) : NOT_MODEL_SUB;
    CMN_ArgFree(&a);

    MDL* m = gCurrentModel;
    const MODEL_TYPE t = m->eType;
    switch (eSub) {
    case NOT_MODEL_SUB: ERRLOG_LineErrorNew(174); return;
    case IO_TYPE:
        s_WordSubparameter(psLine, psName, &m->eType, TYPE_NOT_SET, NO_TYPE, io_types, s_TypeCount(), INPUT);
        return;
    case POLARITY:
        s_WordSubparameter(psLine, psName, &m->ePolarity, POLARITY_NOT_SET, NO_POLARITY, polarities, 2,
                           NON_INVERTING);
        return;
    case ENABLE:
        s_WordSubparameter(psLine, psName, &m->eEnable, ENABLE_NOT_SET, NO_ENABLE, enables, 2, ACTIVE_HIGH);
        return;
    case VINL:
    case VINH:
        if (MDL_IsReceiverType(t) == TRUE)
            s_ReadNumber(psLine, eSub == VINL ? m->pdVinl : m->pdVinh, psName);
        else if (t != TYPE_NOT_SET && t != NO_TYPE)
            ERRLOG_LineWarnNew(eSub == VINL ? 159 : 161, MDL_TypeWord(t));
        return;
    case RREF_DIFF:
    case CREF_DIFF:
        if (geFileVersion <= VER_3)
            ERRLOG_LineErrorNew(eSub == RREF_DIFF ? 164 : 162);
        else if (mdl_etype_output(t) == 1)
            s_ReadNumber(psLine, eSub == RREF_DIFF ? m->pdRref_diff : m->pdCref_diff, psName);
        else
            ERRLOG_LineWarnNew(eSub == RREF_DIFF ? 165 : 163, MDL_TypeWord(t));
        return;
    case VMEAS:
    case CREF:
    case RREF:
    case VREF: {
        if (s_InNoTestLoadGroup(t)) {
            const int iCode = eSub == VMEAS ? 166 : eSub == CREF ? 167 : eSub == RREF ? 168 : 169;
            ERRLOG_LineWarnNew(iCode, MDL_TypeWord(t));
            return;
        }
        double*& pd = eSub == VMEAS ? m->pdVmeas : eSub == CREF ? m->pdCref : eSub == RREF ? m->pdRref : m->pdVref;
        s_ReadNumber(psLine, pd, psName);
        return;
    }
    case C_COMP: s_ReadCcomp(psLine, m->pC_comp, psName); return;
    case C_COMP_PULLUP:
    case C_COMP_PULLDOWN:
    case C_COMP_POWER_CLAMP:
    case C_COMP_GND_CLAMP: {
        if (geFileVersion < VER_4) {
            ERRLOG_LineErrorNew(170 + (eSub - C_COMP_PULLUP));
            return;
        }
        RNG*& pr = eSub == C_COMP_PULLUP      ? m->pC_comp_pullup
                   : eSub == C_COMP_PULLDOWN  ? m->pC_comp_pulldown
                   : eSub == C_COMP_POWER_CLAMP ? m->pC_comp_power_clamp
                                                : m->pC_comp_gnd_clamp;
        s_ReadCcomp(psLine, pr, psName);
        return;
    }
    default: ERRLOG_BugNew(122, "mdl.c", __LINE__); return;
    }
}

// ---------------------------------------------------------------------------
// One-line typ/min/max keywords.
// ---------------------------------------------------------------------------
void s_ReadRangeKeyword(char* psLine, RNG*& pField, const char* psLabel)
{
    if (pField != nullptr) {
        ERRLOG_LineErrorNew(119, psLabel, s_Name());
        return;
    }
    if (gCurrentModel->eType == SERIES_SWITCH && gCurrentSeries != nullptr) {
        static const char* const general[] = {"Voltage Range",         "Temperature Range",
                                              "Pullup Reference",      "Pulldown Reference",
                                              "POWER Clamp Reference", "GND Clamp Reference"};
        for (const char* s : general)
            if (CMN_StrSameIC(s, psLabel) == TRUE) ERRLOG_LineErrorNew(204, s_Name(), psLabel);
    }
    char* p = psLine;
    if (CMN_EatKeyword(&p) != SUCCESS) {
        ERRLOG_LineBugNew(125, psLabel, "mdl.c", __LINE__);
        return;
    }
    RNG_ParseRange(p, psLabel, &pField, TRUE);
    if (pField != nullptr && pField->eTypStat == NA) ERRLOG_LineErrorNew(178);
}

// [TTgnd] and [TTpower] times must not be negative.
void s_CheckTransitTimes(const RNG* p, int iTypCode)
{
    if (p == nullptr) return;
    if (p->eTypStat == SET && p->dTyp < 0.0) ERRLOG_LineErrorNew(iTypCode);
    if (p->eMinStat == SET && p->dMin < 0.0) ERRLOG_LineErrorNew(iTypCode + 1);
    if (p->eMaxStat == SET && p->dMax < 0.0) ERRLOG_LineErrorNew(iTypCode + 2);
}

// ---------------------------------------------------------------------------
// Order of [Model Spec] and [Receiver Thresholds].
// ---------------------------------------------------------------------------
bool s_HasLaterKeywords(const MDL* m, bool bForModelSpec)
{
    bool b = m->pTemp_Range || m->pVoltage_Range || m->pPullup_Ref || m->pPulldown_Ref ||
             m->pPOWER_Clamp_Ref || m->pGND_Clamp_Ref || m->pTTgnd || m->pTTpower || m->pDrvsh ||
             m->pPullup || m->pPulldown || m->pPOWER_Clamp || m->pGND_Clamp || m->pRgnd ||
             m->pRpower || m->pRac || m->pCac || m->pRamp || m->pRising || m->pFalling || m->pSubMdl;
    if (bForModelSpec) b = b || m->pRcvth || m->pIssoPd || m->pIssoPu;
    return b;
}

// ---------------------------------------------------------------------------
// Series-element keywords.
// ---------------------------------------------------------------------------
// Type check of the series keywords; makes a block current when none is.
bool s_SeriesAllowed()
{
    MDL* m = gCurrentModel;
    if (m->eType != SERIES && m->eType != SERIES_SWITCH) {
        ERRLOG_LineErrorNew(206);
        return false;
    }
    if (gCurrentSeries == nullptr) {
        if (m->eType == SERIES_SWITCH) ERRLOG_LineErrorNew(207);
        if (m->pOn == nullptr && SINFO_Alloc(&m->pOn) != SUCCESS) return false;
        gCurrentSeries = m->pOn;
    }
    return true;
}

struct series_range {
    KEYWORD_TYPE eKey;
    RNG* sinfo::*pField;
    const char* psLabel;
};
constexpr series_range series_ranges[] = {
    {R_SERIES_KEY, &sinfo::pRs, "R_series"},   {L_SERIES_KEY, &sinfo::pLs, "L_series"},
    {RL_SERIES_KEY, &sinfo::pRls, "Rl_series"}, {C_SERIES_KEY, &sinfo::pCs, "C_series"},
    {LC_SERIES_KEY, &sinfo::pLcs, "Lc_series"}, {RC_SERIES_KEY, &sinfo::pRcs, "Rc_series"},
};

// ---------------------------------------------------------------------------
// Keyword start actions.
// ---------------------------------------------------------------------------
struct range_keyword {
    KEYWORD_TYPE eKey;
    RNG* mdl::*pField;
    const char* psLabel;
};
constexpr range_keyword range_keywords[] = {
    {TEMP_RANGE_KEY, &mdl::pTemp_Range, "Temperature Range"},
    {VR_KEY, &mdl::pVoltage_Range, "Voltage Range"},
    {PULLUP_REF_KEY, &mdl::pPullup_Ref, "Pullup Reference"},
    {PULLDOWN_REF_KEY, &mdl::pPulldown_Ref, "Pulldown Reference"},
    {PWR_CLAMP_REF_KEY, &mdl::pPOWER_Clamp_Ref, "POWER Clamp Reference"},
    {GND_CLAMP_REF_KEY, &mdl::pGND_Clamp_Ref, "GND Clamp Reference"},
    {EXTERNAL_REF_KEY, &mdl::pExternal_Ref, "External Reference"},
    {RGND_KEY, &mdl::pRgnd, "Rgnd"},
    {RPOWER_KEY, &mdl::pRpower, "Rpower"},
    {RAC_KEY, &mdl::pRac, "Rac"},
    {CAC_KEY, &mdl::pCac, "Cac"},
    {TTGND_KEY, &mdl::pTTgnd, "TTgnd"},
    {TTPOWER_KEY, &mdl::pTTpower, "TTpower"},
};

struct curve_keyword {
    KEYWORD_TYPE eKey;
    CRV* mdl::*pField;
    const char* psNewLabel;   // name while the table is read
    const char* psFiniLabel;  // name in the closing checks
};
constexpr curve_keyword curve_keywords[] = {
    {PULLDOWN_KEY, &mdl::pPulldown, "Pulldown", "Pulldown"},
    {PULLUP_KEY, &mdl::pPullup, "Pullup", "Pullup"},
    {GND_CLAMP_KEY, &mdl::pGND_Clamp, "GND Clamp", "GND Clamp"},
    {PWR_CLAMP_KEY, &mdl::pPOWER_Clamp, "POWER Clamp", "POWER Clamp"},
    {ISSO_PD_KEY, &mdl::pIssoPd, "ISSO_PD", "ISSO PD"},
    {ISSO_PU_KEY, &mdl::pIssoPu, "ISSO_PU", "ISSO PU"},
};

const range_keyword* s_RangeKeyword(KEYWORD_TYPE k)
{
    for (const range_keyword& r : range_keywords)
        if (r.eKey == k) return &r;
    return nullptr;
}

const curve_keyword* s_CurveKeyword(KEYWORD_TYPE k)
{
    for (const curve_keyword& c : curve_keywords)
        if (c.eKey == k) return &c;
    return nullptr;
}

const series_range* s_SeriesRange(KEYWORD_TYPE k)
{
    for (const series_range& s : series_ranges)
        if (s.eKey == k) return &s;
    return nullptr;
}

void s_CompositeStart(char* psLine, KEYWORD_TYPE ePrev)
{
    MDL* m = gCurrentModel;
    gLastRiseFallParsed = nullptr;
    KEYWORD_TYPE eWave = NOT_KEY;
    if (ePrev == RISING_WAVE_KEY || ePrev == FALLING_WAVE_KEY)
        eWave = ePrev;
    else if (ePrev == COMPOSITE_CURRENT_KEY && gbCompositeAttached)
        eWave = geLastWaveKeyword;
    gbCompositeAttached = false;
    if (eWave == NOT_KEY) {
        ERRLOG_LineErrorNew(257);
        return;
    }
    WVFRM* pLast = eWave == RISING_WAVE_KEY ? m->pRising : m->pFalling;
    if (pLast == nullptr) {
        ERRLOG_LineErrorNew(258);
        return;
    }
    while (pLast->pNext != nullptr) pLast = pLast->pNext;
    if (pLast->pComposite != nullptr) {
        ERRLOG_LineBugNew(263);
        WVFRM_Free(pLast->pComposite);
        pLast->pComposite = nullptr;
    }
    if (WVFRM_New(psLine, &pLast->pComposite, "Composite Current") == SUCCESS) {
        gLastRiseFallParsed = pLast;
        gbCompositeAttached = true;
    }
}

void s_KeywordStart(KEYWORD_TYPE eKey, KEYWORD_TYPE ePrev, char* psLine)
{
    MDL* m = gCurrentModel;
    if (const range_keyword* r = s_RangeKeyword(eKey)) {
        const bool bNew = m->*(r->pField) == nullptr;
        s_ReadRangeKeyword(psLine, m->*(r->pField), r->psLabel);
        if (bNew && eKey == TTGND_KEY) s_CheckTransitTimes(m->pTTgnd, 108);
        if (bNew && eKey == TTPOWER_KEY) s_CheckTransitTimes(m->pTTpower, 112);
        return;
    }
    if (const curve_keyword* c = s_CurveKeyword(eKey)) {
        CRV_New(psLine, c->psNewLabel, &(m->*(c->pField)));
        return;
    }
    if (const series_range* s = s_SeriesRange(eKey)) {
        if (s_SeriesAllowed()) s_ReadRangeKeyword(psLine, gCurrentSeries->*(s->pField), s->psLabel);
        return;
    }
    switch (eKey) {
    case MODEL_KEY: s_SetName(psLine); return;
    case RAMP_KEY: RAMP_New(psLine, &m->pRamp); return;
    case RISING_WAVE_KEY:
    case FALLING_WAVE_KEY:
        geLastWaveKeyword = eKey;
        gbCompositeAttached = false;
        if (eKey == RISING_WAVE_KEY)
            WVFRM_New(psLine, &m->pRising, "Rising Waveform");
        else
            WVFRM_New(psLine, &m->pFalling, "Falling Waveform");
        return;
    case COMPOSITE_CURRENT_KEY: s_CompositeStart(psLine, ePrev); return;
    case MODEL_SPEC_KEY:
        if (s_HasLaterKeywords(m, true)) ERRLOG_LineErrorNew(116);
        MSPEC_New(psLine, &m->pMspec);
        return;
    case RECEIVER_THRESHOLDS_KEY:
        if (s_HasLaterKeywords(m, false)) ERRLOG_LineErrorNew(120);
        if (MDL_IsReceiverType(m->eType) != TRUE) ERRLOG_LineWarnNew(117, MDL_TypeWord(m->eType));
        RCVTH_New(psLine, &m->pRcvth);
        return;
    case DRIVER_SCH_KEY: DRVSH_New(psLine, &m->pDrvsh); return;
    case ON_KEY:
    case OFF_KEY: {
        if (m->eType != SERIES_SWITCH) {
            ERRLOG_LineErrorNew(205);
            return;
        }
        SINFO** pp = eKey == ON_KEY ? &m->pOn : &m->pOff;
        if (SINFO_New(psLine, pp, eKey == ON_KEY ? "[On]" : "[Off]") == SUCCESS) gCurrentSeries = *pp;
        return;
    }
    case SERIES_CURRENT_KEY:
        if (s_SeriesAllowed()) CRV_New(psLine, "Series_Current", &gCurrentSeries->pIs);
        return;
    case SERIES_MOSFET_KEY:
        if (s_SeriesAllowed()) {
            SMOS* pNew = nullptr;
            if (SMOS_New(psLine, &gCurrentSeries->pIms, &pNew) == SUCCESS && pNew != nullptr)
                CRV_New(psLine, "Series_MOSFET", &pNew->pIs);
        }
        return;
    case ADD_SUBMDL_KEY: ADDSUBMDL_Start(psLine, &m->pSubMdl); return;
    case EXTERNAL_MODEL_KEY:
        if (m->external != nullptr) {
            ERRLOG_LineErrorNew(119, "[External_Model]", s_Name());
        } else {
            m->external = new (std::nothrow) EXTMDL;
            if (m->external == nullptr) ERRLOG_BugNew(100, "mdl.c", __LINE__);
        }
        return;
    case ALGORITHMIC_MODEL_KEY: ALGMOD_New(psLine, &m->pAlgModel); return;
    case BEGIN_EMI_MODEL_KEY: MDLEMI_New(psLine, &m->pMdlemi); return;
    case CCOMP_CORNER_KEY: CCORNER_New(psLine, &m->pCcompCorner); return;
    case INITIAL_DELAY_KEY: IDLY_New(psLine, &m->pIdly); return;
    case END_EXTERNAL_MODEL_KEY:
    case END_ALGORITHMIC_MODEL_KEY:
    case END_EMI_MODEL_KEY: return;  // their work is done when the section closes
    default: ERRLOG_BugNew(122, "mdl.c", __LINE__); return;
    }
}

// ---------------------------------------------------------------------------
// Data lines.
// ---------------------------------------------------------------------------
void s_DataLine(KEYWORD_TYPE eKey, char* psLine)
{
    MDL* m = gCurrentModel;
    if (s_RangeKeyword(eKey) != nullptr || s_SeriesRange(eKey) != nullptr) {
        ERRLOG_LineErrorNew(121);
        return;
    }
    if (const curve_keyword* c = s_CurveKeyword(eKey)) {
        if (CRV* pCrv = m->*(c->pField)) CRV_ReceiveLine(psLine, pCrv, c->psNewLabel);
        return;
    }
    switch (eKey) {
    case MODEL_KEY: s_SubparameterLine(psLine); return;
    case RAMP_KEY:
        if (m->pRamp != nullptr) RAMP_ReceiveLine(psLine, m->pRamp, s_Name());
        return;
    case RISING_WAVE_KEY: WVFRM_ReceiveLine(psLine, "Rising Waveform"); return;
    case FALLING_WAVE_KEY: WVFRM_ReceiveLine(psLine, "Falling Waveform"); return;
    case COMPOSITE_CURRENT_KEY:
        if (gLastRiseFallParsed != nullptr) WVFRM_ReceiveLine(psLine, "Composite Current");
        return;
    case MODEL_SPEC_KEY:
        if (m->pMspec != nullptr) MSPEC_ReceiveLine(psLine, m->pMspec, s_Name());
        return;
    case RECEIVER_THRESHOLDS_KEY:
        if (m->pRcvth != nullptr) RCVTH_ReceiveLine(psLine, m->pRcvth, s_Name());
        return;
    case DRIVER_SCH_KEY:
        if (m->pDrvsh != nullptr) DRVSH_ReceiveLine(psLine, m->pDrvsh, s_Name());
        return;
    case ON_KEY:
    case OFF_KEY: ERRLOG_LineErrorNew(121); return;
    case SERIES_CURRENT_KEY:
        if (m->eType != SERIES && m->eType != SERIES_SWITCH)
            ERRLOG_LineErrorNew(206);
        else if (gCurrentSeries != nullptr && gCurrentSeries->pIs != nullptr)
            CRV_ReceiveLine(psLine, gCurrentSeries->pIs, "Series_Current");
        return;
    case SERIES_MOSFET_KEY:
        if (m->eType != SERIES && m->eType != SERIES_SWITCH)
            ERRLOG_LineErrorNew(206);
        else
            SMOS_ReceiveLine(psLine);
        return;
    case ADD_SUBMDL_KEY: ADDSUBMDL_ReceiveLine(psLine, &m->pSubMdl); return;
    case EXTERNAL_MODEL_KEY: return;  // external-model subparameters are not checked yet
    case END_EXTERNAL_MODEL_KEY: ERRLOG_BugNew(122, "mdl.c", __LINE__); return;
    case ALGORITHMIC_MODEL_KEY:
        if (m->pAlgModel != nullptr) ALGMOD_ReceiveLine(psLine, m->pAlgModel);
        return;
    case BEGIN_EMI_MODEL_KEY:
        if (m->pMdlemi != nullptr) MDLEMI_ReceiveLine(psLine, m->pMdlemi);
        return;
    case CCOMP_CORNER_KEY:
        if (m->pCcompCorner != nullptr) CCORNER_ReceiveLine(psLine, m->pCcompCorner);
        return;
    case INITIAL_DELAY_KEY:
        if (m->pIdly != nullptr) IDLY_ReceiveLine(m->pIdly, psLine);
        return;
    case END_ALGORITHMIC_MODEL_KEY:
    case END_EMI_MODEL_KEY: ERRLOG_LineErrorNew(174); return;
    default: ERRLOG_BugNew(122, "mdl.c", __LINE__); return;
    }
}

// ---------------------------------------------------------------------------
// Closing.
// ---------------------------------------------------------------------------
// End of the subparameter block (the [Model] keyword closes).
void s_SubparametersEnd()
{
    const MDL* m = gCurrentModel;
    if (m->eType == TYPE_NOT_SET) ERRLOG_ErrorNew(180, m->sModel, "Model_type");
    if (s_InBidirectionalGroup(m->eType) && m->pdVmeas != nullptr) {
        if (m->pdVinl != nullptr && *m->pdVmeas <= *m->pdVinl) ERRLOG_CautionNew(182, m->sModel);
        if (m->pdVinh != nullptr && *m->pdVmeas >= *m->pdVinh) ERRLOG_CautionNew(183, m->sModel);
    }
}

void s_KeywordClose(KEYWORD_TYPE eKey)
{
    MDL* m = gCurrentModel;
    if (const curve_keyword* c = s_CurveKeyword(eKey)) {
        if (CRV* pCrv = m->*(c->pField)) CRV_Fini(s_Name(), m->eType, eKey, pCrv, c->psFiniLabel, "Model");
        return;
    }
    switch (eKey) {
    case MODEL_KEY: s_SubparametersEnd(); return;
    case RAMP_KEY:
        if (m->pRamp != nullptr) RAMP_Fini(m->pRamp);
        return;
    case RISING_WAVE_KEY: WVFRM_Fini("Rising", RISE_FALL_MODEL); return;
    case FALLING_WAVE_KEY: WVFRM_Fini("Falling", RISE_FALL_MODEL); return;
    case COMPOSITE_CURRENT_KEY:
        if (gLastRiseFallParsed != nullptr) {
            WVFRM_Fini("Composite Current", COMPOSITE_CURRENT);
            gLastRiseFallParsed = nullptr;
        }
        return;
    case MODEL_SPEC_KEY: MSPEC_Fini(m); return;
    case RECEIVER_THRESHOLDS_KEY: RCVTH_Fini(m); return;
    case DRIVER_SCH_KEY:
        if (m->pDrvsh != nullptr) DRVSH_Fini(m->pDrvsh, s_Name());
        return;
    case SERIES_CURRENT_KEY:
        if (gCurrentSeries != nullptr && gCurrentSeries->pIs != nullptr)
            CRV_Fini(s_Name(), m->eType, SERIES_CURRENT_KEY, gCurrentSeries->pIs, "Series_Current", "Model");
        return;
    case SERIES_MOSFET_KEY:
        if (gCurrentSeries != nullptr && gCurrentSeries->pIms != nullptr) SMOS_Fini(m, eKey);
        return;
    case ALGORITHMIC_MODEL_KEY:
        if (m->pAlgModel != nullptr) ALGMOD_Fini(m->pAlgModel);
        return;
    case BEGIN_EMI_MODEL_KEY: MDLEMI_Fini(m); return;
    case CCOMP_CORNER_KEY:
        if (m->pCcompCorner != nullptr) CCORNER_Fini(m->pCcompCorner, s_Name());
        return;
    case INITIAL_DELAY_KEY:
        if (m->pIdly != nullptr) IDLY_Fini(m->pIdly, s_Name(), "Model");
        return;
    default: return;  // one-line keywords and end keywords need nothing
    }
}

bool s_HasComposite(const WVFRM* w)
{
    for (; w != nullptr; w = w->pNext)
        if (w->pComposite != nullptr) return true;
    return false;
}

// Checks run once when a model ends.
void s_ModelEnd()
{
    const MDL* m = gCurrentModel;
    const char* n = m->sModel.c_str();
    const MODEL_TYPE t = m->eType;

    // 1. Some die capacitance.
    if (!m->pC_comp && !m->pC_comp_pullup && !m->pC_comp_pulldown && !m->pC_comp_power_clamp &&
        !m->pC_comp_gnd_clamp && !m->external)
        ERRLOG_ErrorNew(181, n);

    // 2. Receiver thresholds.
    if (MDL_IsReceiverType(t) == TRUE) {
        const char* psWord = nullptr;
        MDL_FindTypeName(t, &psWord);
        if (psWord == nullptr) {
            ERRLOG_BugNew(122, "mdl.c", __LINE__);
        } else {
            if (m->pdVinl == nullptr && m->pRcvth == nullptr) ERRLOG_WarnNew(184, n, psWord, "Vinl");
            if (m->pdVinh == nullptr && m->pRcvth == nullptr) ERRLOG_WarnNew(184, n, psWord, "Vinh");
        }
        if (m->pdVinl != nullptr && m->pdVinh != nullptr && *m->pdVinl > *m->pdVinh)
            ERRLOG_WarnNew(274, n);
    }

    // 3.-4. Terminator loads.
    if (t != TERMINATOR) {
        if (m->pRgnd) ERRLOG_ErrorNew(185, n, "Rgnd");
        if (m->pRpower) ERRLOG_ErrorNew(185, n, "Rpower");
        if (m->pRac) ERRLOG_ErrorNew(185, n, "Rac");
        if (m->pCac) ERRLOG_ErrorNew(185, n, "Cac");
    }
    if (m->pRac || m->pCac) {
        if (!m->pRac) ERRLOG_ErrorNew(186, n);
        if (!m->pCac) ERRLOG_ErrorNew(187, n);
    }

    // 5. References.
    if (!m->pVoltage_Range) {
        if (!m->pPullup_Ref) ERRLOG_ErrorNew(188, n, "Pullup Reference");
        if (!m->pPulldown_Ref) ERRLOG_ErrorNew(188, n, "Pulldown Reference");
        if (!m->pPOWER_Clamp_Ref) ERRLOG_ErrorNew(188, n, "POWER Clamp Reference");
        if (!m->pGND_Clamp_Ref) ERRLOG_ErrorNew(188, n, "GND Clamp Reference");
    }

    // 6. Ramp.
    if (t == SERIES || t == SERIES_SWITCH) {
        if (m->pRamp) ERRLOG_ErrorNew(189, n);
    } else if (t != INPUT && t != INPUT_ECL && t != TERMINATOR && t != INPUT_DIFF) {
        if (!m->pRamp) ERRLOG_ErrorNew(190, n);
    }

    // 7. Keywords a series element cannot have.
    if (t == SERIES || t == SERIES_SWITCH) {
        const int iCode = t == SERIES ? 191 : 192;
        const struct {
            bool bPresent;
            const char* psLabel;
        } banned[] = {{m->pPullup != nullptr, "Pullup"},
                      {m->pPulldown != nullptr, "Pulldown"},
                      {m->pPOWER_Clamp != nullptr, "POWER_Clamp"},
                      {m->pGND_Clamp != nullptr, "GND_Clamp"},
                      {m->pRising != nullptr, "Rising Waveform"},
                      {m->pFalling != nullptr, "Falling Waveform"},
                      {m->pTTgnd != nullptr, "TTgnd"},
                      {m->pTTpower != nullptr, "TTpower"},
                      {m->pDrvsh != nullptr, "Driver Schedule"}};
        for (const auto& b : banned)
            if (b.bPresent) ERRLOG_ErrorNew(iCode, n, b.psLabel);
        if (m->pMspec) ERRLOG_WarnNew(iCode, n, "Model Spec");
    }

    // 8. Series-element blocks.
    if (t == SERIES) {
        if (m->pOn) SINFO_Test(m->pOn, n, "");
    } else if (t == SERIES_SWITCH) {
        if (m->pOn)
            SINFO_Test(m->pOn, n, "[On]");
        else
            ERRLOG_ErrorNew(193, n);
        if (m->pOff)
            SINFO_Test(m->pOff, n, "[Off]");
        else
            ERRLOG_ErrorNew(194, n);
    }

    // 9. The reference a receiver threshold uses must be defined.
    if (m->pRcvth != nullptr && m->pRcvth->psReferenceSupply != nullptr) {
        const std::string& s = *m->pRcvth->psReferenceSupply;
        if (s == "Power_clamp_ref" && !m->pPOWER_Clamp_Ref) ERRLOG_ErrorNew(195, n);
        if (s == "Gnd_clamp_ref" && !m->pGND_Clamp_Ref) ERRLOG_ErrorNew(196, n);
        if (s == "Pullup_ref" && !m->pPullup_Ref) ERRLOG_ErrorNew(197, n);
        if (s == "Pulldown_ref" && !m->pPulldown_Ref) ERRLOG_ErrorNew(198, n);
        if (s == "Ext_ref" && !m->pExternal_Ref) ERRLOG_ErrorNew(199, n);
    }

    // 10. Timing test load, given as a subparameter or in [Model Spec].
    const MSPEC* ms = m->pMspec;
    const bool bVmeas = m->pdVmeas || (ms && ms->pVmeas);
    const bool bVref = m->pdVref || (ms && ms->pVref);
    const bool bRref = m->pdRref || (ms && ms->pRref);
    switch (t) {
    case OPEN_DRAIN:
    case IO_OPEN_DRAIN:
    case OPEN_SINK:
    case IO_OPEN_SINK:
    case OPEN_SOURCE:
    case IO_OPEN_SOURCE:
    case OUTPUT_ECL:
    case IO_ECL:
    case THREE_STATE_ECL:
        if (!bVmeas || !bVref || !bRref) ERRLOG_WarnNew(200, n);
        break;
    case OUTPUT:
    case IO:
    case THREE_STATE:
        if (!bVmeas) ERRLOG_WarnNew(201, n);
        break;
    case IO_DIFF:
    case OUTPUT_DIFF:
    case TRI_STATE_DIFF:
        if (!m->pdRref_diff && !m->pdCref_diff) ERRLOG_WarnNew(202, n);
        break;
    default: break;
    }

    // 11. What [Initial Delay] needs of the waveforms.
    if (m->pIdly != nullptr) {
        if (m->pIdly->pVt != nullptr && !m->pRising && !m->pFalling)
            ERRLOG_ErrorNew(273, n, "V-T", "Rising or Falling Waveform");
        if (m->pIdly->pIt != nullptr && !s_HasComposite(m->pRising) && !s_HasComposite(m->pFalling))
            ERRLOG_ErrorNew(273, n, "I-T", "Composite Current Waveform");
    }
}

void s_ForgetCurrent()
{
    gCurrentModel = nullptr;
    gCurrentKeyword = NOT_KEY;
    gCurrentSeries = nullptr;
    gLastRiseFallParsed = nullptr;
    geLastWaveKeyword = NOT_KEY;
    gbCompositeAttached = false;
}

}  // namespace

// ---------------------------------------------------------------------------
// Section operations.
// ---------------------------------------------------------------------------
STATUS MDL_Init()
{
    KIVO* pKivo = nullptr;
    if (KIVO_GetKIVO(&pKivo) != SUCCESS) {
        ERRLOG_BugNew(101);
        return FAILURE;
    }
    MDL* pNew = nullptr;
    s_ForgetCurrent();
    if (MDL_New(&pNew) != SUCCESS) return FAILURE;
    if (gpNamesRoot != pKivo || gpNamesHead != pKivo->pMdls) s_LearnNames(pKivo);
    gCurrentModel = pNew;
    KIVO_AddMdl(pKivo, pNew);
    gpNamesHead = pNew;
    s_ForgetLookups();
    return SUCCESS;
}

STATUS MDL_ReceiveLine(LINE_TYPE eTyp_in, KEYWORD_TYPE eKeyword_in, char* sLine_in)
{
    KIVO_ASSERT(sLine_in != nullptr);
    if (gCurrentModel == nullptr) {
        if (eTyp_in == KEYWORD_LINE)
            ERRLOG_LineErrorNew(102);
        else
            ERRLOG_LineErrorNew(107);
        return SUCCESS;
    }
    if (eTyp_in == KEYWORD_LINE) {
        const KEYWORD_TYPE ePrev = gCurrentKeyword;
        gCurrentKeyword = eKeyword_in;
        s_KeywordStart(eKeyword_in, ePrev, sLine_in);
    } else {
        s_DataLine(eKeyword_in, sLine_in);
    }
    return SUCCESS;
}

STATUS MDL_Fini(KEYWORD_TYPE eNewKeyword)
{
    if (gCurrentModel == nullptr) return SUCCESS;
    MDL* m = gCurrentModel;
    const KEYWORD_TYPE eOpen = gCurrentKeyword;

    // An [External Model] must be closed by its end keyword; until then the
    // model stays open and is not checked.
    if (eOpen == EXTERNAL_MODEL_KEY) {
        if (m->external == nullptr) {
            ERRLOG_LineErrorNew(230);
            return SUCCESS;
        }
        if (eNewKeyword != END_EXTERNAL_MODEL_KEY) {
            ERRLOG_LineErrorNew(123);
            return SUCCESS;
        }
    }
    if (eOpen == ALGORITHMIC_MODEL_KEY && eNewKeyword != END_ALGORITHMIC_MODEL_KEY)
        ERRLOG_LineErrorNew(259);
    if (eOpen == BEGIN_EMI_MODEL_KEY && eNewKeyword != END_EMI_MODEL_KEY) ERRLOG_LineErrorNew(260);
    s_KeywordClose(eOpen);

    if (eNewKeyword == END_ALGORITHMIC_MODEL_KEY && eOpen != ALGORITHMIC_MODEL_KEY)
        ERRLOG_LineErrorNew(261);
    if (eNewKeyword == END_EMI_MODEL_KEY && eOpen != BEGIN_EMI_MODEL_KEY) ERRLOG_LineErrorNew(262);

    if (s_IsModelKeyword(eNewKeyword) && eNewKeyword != MODEL_KEY) return SUCCESS;
    s_ModelEnd();
    s_ForgetCurrent();
    return SUCCESS;
}

// ---------------------------------------------------------------------------
// Records and lists.
// ---------------------------------------------------------------------------
STATUS MDL_New(MDL** ppMdl)
{
    KIVO_ASSERT(ppMdl != nullptr);
    *ppMdl = new (std::nothrow) MDL;
    if (*ppMdl == nullptr) {
        ERRLOG_BugNew(100, "mdl.c", __LINE__);
        return FAILURE;
    }
    return SUCCESS;
}

void MDL_AddLink(MDL* pNew, MDL* pPrev)
{
    KIVO_ASSERT(pNew != nullptr);
    pNew->pNext = pPrev;
}

void MDL_Free(MDL* m)
{
    if (m == nullptr) return;
    if (m == gCurrentModel) s_ForgetCurrent();
    s_ForgetLookups();
    s_ForgetNames();

    delete m->pdVinl;
    delete m->pdVinh;
    delete m->pdVmeas;
    delete m->pdCref;
    delete m->pdRref;
    delete m->pdVref;
    delete m->pdCref_diff;
    delete m->pdRref_diff;
    for (RNG* p : {m->pC_comp, m->pC_comp_pullup, m->pC_comp_pulldown, m->pC_comp_power_clamp,
                   m->pC_comp_gnd_clamp, m->pTemp_Range, m->pVoltage_Range, m->pPullup_Ref,
                   m->pPulldown_Ref, m->pPOWER_Clamp_Ref, m->pGND_Clamp_Ref, m->pExternal_Ref,
                   m->pTTgnd, m->pTTpower, m->pRgnd, m->pRpower, m->pRac, m->pCac})
        RNG_Free(p);
    for (CRV* p : {m->pPulldown, m->pPullup, m->pGND_Clamp, m->pPOWER_Clamp, m->pIssoPu, m->pIssoPd})
        CRV_Free(p);
    CCORNER_Free(m->pCcompCorner);
    DRVSH_Free(m->pDrvsh);
    MSPEC_Free(m->pMspec);
    RCVTH_Free(m->pRcvth);
    SINFO_Free(m->pOn);
    SINFO_Free(m->pOff);
    ADDSUBMDL_FreeList(m->pSubMdl);
    RAMP_Free(m->pRamp);
    WVFRM_Free(m->pRising);
    WVFRM_Free(m->pFalling);
    delete m->external;
    ALGMOD_Free(m->pAlgModel);
    MDLEMI_Free(m->pMdlemi);
    IDLY_Free(m->pIdly);
    delete m;
}

void MDL_FreeList(MDL* pMdl)
{
    while (pMdl != nullptr) {
        MDL* pNext = pMdl->pNext;
        MDL_Free(pMdl);
        pMdl = pNext;
    }
}

// ---------------------------------------------------------------------------
// Queries.
// ---------------------------------------------------------------------------
MDL* MDL_FindModel(const char* psName_in, MDL* pMdl_in)
{
    KIVO_ASSERT(psName_in != nullptr);
    if (gpLookupHead != pMdl_in) {
        gLookup.clear();
        gpLookupHead = pMdl_in;
        for (MDL* p = pMdl_in; p != nullptr; p = p->pNext) gLookup.emplace(p->sModel, p);
    }
    auto it = gLookup.find(psName_in);
    return it != gLookup.end() ? it->second : nullptr;
}

STATUS MDL_NameExists(const char* psName_in, MDL* pMdl_in)
{
    KIVO_ASSERT(psName_in != nullptr && pMdl_in != nullptr);
    MDL* p = MDL_FindModel(psName_in, pMdl_in);
    if (p == nullptr) return FAILURE;
    p->isReferenced = 1;
    return SUCCESS;
}

STATUS MDL_GetType(MDL* pMdlList, const char* sModelName_in, MODEL_TYPE* eType_out)
{
    KIVO_ASSERT(eType_out != nullptr);
    MDL* p = MDL_FindModel(sModelName_in, pMdlList);
    if (p == nullptr) return FAILURE;
    *eType_out = p->eType;
    return SUCCESS;
}

void MDL_FindTypeName(MODEL_TYPE t, const char** name)
{
    KIVO_ASSERT(name != nullptr);
    *name = nullptr;
    const int i = static_cast<int>(t) - INPUT;
    if (i >= 0 && i < IO_TYPES_COUNT) *name = io_types[i];
}

const char* MDL_TypeWord(MODEL_TYPE t)
{
    const char* p = nullptr;
    MDL_FindTypeName(t, &p);
    return p != nullptr ? p : io_types[IO_TYPES_COUNT];
}

MDL* MDL_GetCurrentModel() { return gCurrentModel; }

BOOL MDL_IsReceiverType(MODEL_TYPE t)
{
    return CMN_ToBool(t == INPUT || t == IO || t == IO_OPEN_DRAIN || t == IO_OPEN_SINK ||
                      t == IO_OPEN_SOURCE || t == INPUT_ECL || t == IO_ECL);
}

int mdl_etype_output(MODEL_TYPE t)
{
    switch (t) {
    case OUTPUT:
    case IO:
    case THREE_STATE:
    case OPEN_DRAIN:
    case IO_OPEN_DRAIN:
    case OPEN_SINK:
    case IO_OPEN_SINK:
    case OPEN_SOURCE:
    case IO_OPEN_SOURCE:
    case OUTPUT_ECL:
    case IO_ECL:
    case THREE_STATE_ECL:
    case IO_DIFF:
    case OUTPUT_DIFF:
    case TRI_STATE_DIFF: return 1;
    default: return 0;
    }
}

// ---------------------------------------------------------------------------
// Check pass.
// ---------------------------------------------------------------------------
void MDL_TestMdlReference(MDL* pMdl)
{
    for (MDL* p = pMdl; p != nullptr; p = p->pNext) {
        if (p->isReferenced == 0) {
            ERRLOG_WarnNew(219, p->sModel);
            return;
        }
    }
}

// The cross-references between [Add Submodel] entries and submodels are the
// submodel module's.
void MDL_TestSubMdlReferences(MDL* pMdl, submdl* pSubMdl) { SUBMDL_TestSubMdlReferences(pMdl, pSubMdl); }
void MDL_TestSubMdls(MDL* pMdl, submdl* pSubMdl) { SUBMDL_TestSubMdls(pMdl, pSubMdl); }

void MDL_Reset()
{
    s_ForgetCurrent();
    s_ForgetLookups();
    s_ForgetNames();
}

// ---------------------------------------------------------------------------
// [External Circuit], read silently for now.
// ---------------------------------------------------------------------------
void EXT_CIR_Init()
{
    KIVO* pKivo = nullptr;
    if (KIVO_GetKIVO(&pKivo) != SUCCESS) {
        ERRLOG_BugNew(101);
        return;
    }
    EXTCIR* pNew = new (std::nothrow) EXTCIR;
    if (pNew == nullptr) {
        ERRLOG_BugNew(100, "mdl.c", __LINE__);
        return;
    }
    gCurrentSeries = nullptr;
    KIVO_AddExt(pKivo, pNew);
}

STATUS EXT_ReceiveLine(LINE_TYPE, KEYWORD_TYPE, char*) { return SUCCESS; }

STATUS EXT_Fini(KEYWORD_TYPE) { return SUCCESS; }

void EXT_AddLink(EXTCIR* pNew, EXTCIR* pPrev)
{
    KIVO_ASSERT(pNew != nullptr);
    pNew->pNext = pPrev;
}

void EXT_FreeList(EXTCIR* pList)
{
    while (pList != nullptr) {
        EXTCIR* pNext = pList->pNext;
        delete pList;
        pList = pNext;
    }
}

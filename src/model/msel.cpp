#include "model/msel.h"

#include <cstring>
#include <new>
#include <unordered_set>

#include "common/cmn.h"
#include "common/errlog.h"
#include "component/cmpnt.h"
#include "component/pin.h"
#include "component/spinmpg.h"
#include "parse/kivo.h"

namespace {

// The selector being read (from [Model Selector] until the next one).
MSEL* gCurrentMsel = nullptr;
// The selector keyword whose lines are arriving, and the one before it.
KEYWORD_TYPE geCurrentKeyword = NOT_KEY;
KEYWORD_TYPE gePreviousKeyword = NOT_KEY;

// Names of selectors and of their models: 40 characters from 4.2 on, 20 before.
unsigned s_NameLimit() { return geFileVersion >= VER_4 ? 40u : 20u; }

// The first model of each name in list order, so that the check pass looks
// models up in constant time and finds the one a walk of the list would find.
using ModelIndex = std::unordered_map<std::string, MDL*>;

void s_IndexModels(MDL* pMdls, ModelIndex& mapModels)
{
    for (MDL* p = pMdls; p != nullptr; p = p->pNext) mapModels.emplace(p->sModel, p);
}

MDL* s_FindModel(const ModelIndex& mapModels, const std::string& sName)
{
    auto it = mapModels.find(sName);
    return it != mapModels.end() ? it->second : nullptr;
}

// A walk of the root's models, for the occasional single question.
MDL* s_WalkModels(const char* sName)
{
    KIVO* pKivo = nullptr;
    if (KIVO_GetKIVO(&pKivo) != SUCCESS) return nullptr;
    MDL* pMdls = nullptr;
    (void)KIVO_GetMdls(pKivo, &pMdls);
    for (MDL* p = pMdls; p != nullptr; p = p->pNext)
        if (p->sModel == sName) return p;
    return nullptr;
}

BOOL s_HasModelOfType(const MSEL* pMsel, MODEL_TYPE eType)
{
    KIVO_ASSERT(pMsel != nullptr);
    for (const MSELMODEL* p = pMsel->pMselModels; p != nullptr; p = p->pNext) {
        const MDL* pMdl = s_WalkModels(p->sModel.c_str());
        if (pMdl != nullptr && pMdl->eType == eType) return TRUE;
    }
    return FALSE;
}

// A selector left without a name still answers to the empty name, like any
// other: a pin whose model column is missing finds the newest of them.
void s_IndexUnnamed(MSEL* pMsel)
{
    if (pMsel->pIndex != nullptr) pMsel->pIndex->mapByName[pMsel->sMsel] = pMsel;
}

// The [Model Selector] line: the selector's name.
void s_SetName(char* sLine)
{
    MSEL* pMsel = gCurrentMsel;
    char* pValue = sLine;
    (void)CMN_EatKeyword(&pValue);
    ARGS args;
    if (CMN_ArgParse(pValue, 1, &args) != SUCCESS) {
        ERRLOG_ErrorNew(4009);
        s_IndexUnnamed(pMsel);
        return;
    }
    if (args.iActualCnt == 0) {
        ERRLOG_LineErrorNew(4010);
        s_IndexUnnamed(pMsel);
        return;
    }
    if (args.iActualCnt > 1) ERRLOG_LineErrorNew(4011, args.iActualCnt, "Model Selector", 1);
    std::string sName = args.Arg(0);
    const unsigned uiLimit = s_NameLimit();
    if (sName.size() > uiLimit) {
        ERRLOG_LineErrorNew(4012, static_cast<int>(uiLimit));
        sName.resize(uiLimit);
    }
    if (CMN_ReservedWord(sName.c_str()) == FAILURE) ERRLOG_LineErrorNew(4013, sName);
    // Earlier selectors of the file are the ones after this one in the list.
    if (pMsel->pIndex != nullptr) {
        if (pMsel->pIndex->mapByName.count(sName) != 0) ERRLOG_LineErrorNew(4014, sName);
        pMsel->pIndex->mapByName[sName] = pMsel;
    } else if (MSEL_FindMsel(sName.c_str(), pMsel->pNext) != nullptr) {
        ERRLOG_LineErrorNew(4014, sName);
    }
    pMsel->sMsel = sName;
}

// One entry line: a model name and its description.
void s_AddEntry(char* sLine)
{
    MSEL* pMsel = gCurrentMsel;
    ARGS args;
    if (CMN_ArgParse(sLine, 2, &args) != SUCCESS) {
        ERRLOG_LineBugNew(4015, "Model Selector Sub-Parameter", "msel.c", __LINE__);
        return;
    }
    if (args.iActualCnt == 0) {
        ERRLOG_LineErrorNew(4016);
        return;
    }
    if (args.iActualCnt == 1) ERRLOG_LineErrorNew(4011, 1, "Model Selector", 2);

    MSELMODEL* pNew = new (std::nothrow) MSELMODEL;
    if (pNew == nullptr) {
        ERRLOG_LineErrorNew(4008);
        return;
    }
    pNew->sModel = args.Arg(0);
    const unsigned uiLimit = s_NameLimit();
    if (pNew->sModel.size() > uiLimit) {
        ERRLOG_LineErrorNew(4017, static_cast<int>(uiLimit));
        pNew->sModel.resize(uiLimit);
    }
    if (CMN_StrSameIC(pNew->sModel.c_str(), "NA") == TRUE) ERRLOG_LineErrorNew(4018);

    // The description is the rest of the line after the model name.
    const char* pDesc = sLine;
    CMN_EatWhitespace(&pDesc);
    CMN_EatNonWhitespace(&pDesc);
    CMN_EatWhitespace(&pDesc);
    const std::size_t uiDescLimit = MSEL_DESCRIPTION_LEN - pNew->sModel.size();
    if (std::strlen(pDesc) > uiDescLimit) {
        ERRLOG_LineErrorNew(4019, pDesc, static_cast<unsigned>(uiDescLimit));
        pNew->sDescription.assign(pDesc, uiDescLimit);
    } else {
        pNew->sDescription = pDesc;
    }

    int& iEarlier = pMsel->mapModelCount[pNew->sModel];
    for (int i = 0; i < iEarlier; ++i) ERRLOG_LineErrorNew(4025, pNew->sModel);
    ++iEarlier;
    if (pMsel->pLastModel == nullptr)
        pMsel->pMselModels = pNew;
    else
        pMsel->pLastModel->pNext = pNew;
    pMsel->pLastModel = pNew;
}

void s_FreeModels(MSELMODEL* p)
{
    while (p != nullptr) {
        MSELMODEL* pNext = p->pNext;
        delete p;
        p = pNext;
    }
}

// Names that pins and series pin mappings of every component give as their model.
void s_CollectUsedNames(std::unordered_set<std::string>& setUsed)
{
    KIVO* pKivo = nullptr;
    if (KIVO_GetKIVO(&pKivo) != SUCCESS) return;
    CMPNT* pCmpnts = nullptr;
    (void)KIVO_GetCmpnts(pKivo, &pCmpnts);
    for (const CMPNT* pC = pCmpnts; pC != nullptr; pC = pC->pNext) {
        for (const PIN* p = pC->pPins; p != nullptr; p = p->pNext) setUsed.insert(p->sModel_name);
        for (const SPINMPG* p = pC->pSpin_Mappings; p != nullptr; p = p->pNext) setUsed.insert(p->sModel);
    }
}

}  // namespace

STATUS MSEL_Init()
{
    gCurrentMsel = nullptr;
    KIVO* pKivo = nullptr;
    if (KIVO_GetKIVO(&pKivo) != SUCCESS) {
        ERRLOG_LineBugNew(4000, "msel.c", __LINE__);
        return FAILURE;
    }
    MSEL* pNew = new (std::nothrow) MSEL;
    if (pNew == nullptr) {
        ERRLOG_LineErrorNew(4007);
        return FAILURE;
    }
    KIVO_AddMsel(pKivo, pNew);
    gCurrentMsel = pNew;
    return SUCCESS;
}

STATUS MSEL_ReceiveLine(LINE_TYPE eLineType, KEYWORD_TYPE eLineKeyword, char* sLine)
{
    KIVO_ASSERT(sLine != nullptr);
    if (eLineType != KEYWORD_LINE && eLineType != OTHER_LINE) {
        ERRLOG_LineBugNew(4004, "msel.c", __LINE__);
        return FAILURE;
    }
    if (gCurrentMsel == nullptr) {
        ERRLOG_LineErrorNew(eLineType == KEYWORD_LINE ? 4001 : 4002);
        return FAILURE;
    }
    if (eLineType == KEYWORD_LINE) {
        gePreviousKeyword = geCurrentKeyword;
        geCurrentKeyword = eLineKeyword;
        if (eLineKeyword != MSEL_KEY) {
            ERRLOG_LineBugNew(4003, "msel.c", __LINE__);
            return FAILURE;
        }
        s_SetName(sLine);
        return SUCCESS;
    }
    if (geCurrentKeyword != MSEL_KEY) {
        ERRLOG_LineErrorNew(4002);
        return FAILURE;
    }
    s_AddEntry(sLine);
    return SUCCESS;
}

STATUS MSEL_Fini()
{
    if (gCurrentMsel == nullptr) return SUCCESS;
    if (gCurrentMsel->pMselModels == nullptr)
        ERRLOG_ErrorNew(4005, gCurrentMsel->sMsel);
    else if (gCurrentMsel->pMselModels->pNext == nullptr)
        ERRLOG_WarnNew(4006, gCurrentMsel->sMsel);
    return SUCCESS;
}

void MSEL_AddLink(MSEL* pNew, MSEL* pPrev)
{
    KIVO_ASSERT(pNew != nullptr);
    pNew->pNext = pPrev;
    // The name index travels with the head of the list.
    if (pPrev != nullptr && pPrev->pIndex != nullptr) {
        pNew->pIndex = std::move(pPrev->pIndex);
    } else if (pPrev == nullptr) {
        pNew->pIndex.reset(new (std::nothrow) msel_index);
    }
}

void MSEL_FreeList(MSEL* pList)
{
    while (pList != nullptr) {
        MSEL* pNext = pList->pNext;
        if (pList == gCurrentMsel) gCurrentMsel = nullptr;
        s_FreeModels(pList->pMselModels);
        delete pList;
        pList = pNext;
    }
}

MSEL* MSEL_FindMsel(const char* psName_in, MSEL* pMsel_in)
{
    KIVO_ASSERT(psName_in != nullptr);
    if (pMsel_in == nullptr) return nullptr;
    if (pMsel_in->pIndex != nullptr) {
        auto it = pMsel_in->pIndex->mapByName.find(psName_in);
        return it != pMsel_in->pIndex->mapByName.end() ? it->second : nullptr;
    }
    for (MSEL* p = pMsel_in; p != nullptr; p = p->pNext)
        if (p->sMsel == psName_in) return p;
    return nullptr;
}

STATUS MSEL_NameExists(const char* psName_in, MSEL* pMsel_in)
{
    return MSEL_FindMsel(psName_in, pMsel_in) != nullptr ? SUCCESS : FAILURE;
}

BOOL MSEL_HasSeries(const MSEL* pMsel) { return s_HasModelOfType(pMsel, SERIES); }

BOOL MSEL_HasSeriesSwitch(const MSEL* pMsel) { return s_HasModelOfType(pMsel, SERIES_SWITCH); }

void MSEL_TestList(MSEL* pMselList)
{
    KIVO* pKivo = nullptr;
    if (KIVO_GetKIVO(&pKivo) != SUCCESS) {
        ERRLOG_BugNew(4020, "msel.c", __LINE__);
        return;
    }
    MDL* pMdls = nullptr;
    (void)KIVO_GetMdls(pKivo, &pMdls);
    ModelIndex mapModels;
    s_IndexModels(pMdls, mapModels);
    std::unordered_set<std::string> setUsed;
    s_CollectUsedNames(setUsed);

    for (MSEL* pMsel = pMselList; pMsel != nullptr; pMsel = pMsel->pNext) {
        if (MDL* pSame = s_FindModel(mapModels, pMsel->sMsel)) {
            ERRLOG_ErrorNew(4021, pMsel->sMsel);
            pSame->isReferenced = 1;
        }
        if (setUsed.count(pMsel->sMsel) == 0) ERRLOG_WarnNew(4026, pMsel->sMsel);

        BOOL bFirstDifferential = FALSE;
        for (const MSELMODEL* pEntry = pMsel->pMselModels; pEntry != nullptr; pEntry = pEntry->pNext) {
            BOOL bDifferential = FALSE;
            if (CMN_ReservedWord(pEntry->sModel.c_str()) == SUCCESS) {
                MDL* pMdl = s_FindModel(mapModels, pEntry->sModel);
                if (pMdl == nullptr) {
                    ERRLOG_ErrorNew(4024, pEntry->sModel, pMsel->sMsel);
                } else {
                    pMdl->isReferenced = 1;
                    bDifferential = pMdl->usage == USAGE_DIFFERENTIAL ? TRUE : FALSE;
                }
            }
            if (pEntry == pMsel->pMselModels)
                bFirstDifferential = bDifferential;
            else if (bDifferential == TRUE && bFirstDifferential == FALSE)
                ERRLOG_WarnNew(4022, pEntry->sModel, pMsel->sMsel);
            else if (bDifferential == FALSE && bFirstDifferential == TRUE)
                ERRLOG_WarnNew(4023, pEntry->sModel, pMsel->sMsel);
        }
        pMsel->usage = bFirstDifferential == TRUE ? USAGE_DIFFERENTIAL : USAGE_SINGLE_ENDED;
    }
}

void MSEL_Reset()
{
    gCurrentMsel = nullptr;
    geCurrentKeyword = NOT_KEY;
    gePreviousKeyword = NOT_KEY;
}

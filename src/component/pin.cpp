#include "component/pin.h"

#include <cstring>
#include <new>
#include <unordered_set>

#include "common/cmn.h"
#include "common/errlog.h"
#include "component/difpin.h"
#include "component/pinmpg.h"
#include "model/mdl.h"
#include "model/msel.h"
#include "package/pkgmdl.h"
#include "parse/kivo.h"

namespace {

// Words of a [Pin] row: pin, signal, model, and the three optional values.
constexpr int PIN_MAX_WORDS = 6;

// Signal and model names: 40 characters from 4.2 on, 20 before.
unsigned s_NameLimit() { return geFileVersion >= VER_4 ? 40u : 20u; }

// Model names a pin may carry instead of a model.
BOOL s_IsReservedModelName(const char* sModel)
{
    return (CMN_StrSameIC(sModel, "POWER") == TRUE || CMN_StrSameIC(sModel, "GND") == TRUE ||
            CMN_StrSameIC(sModel, "CIRCUITCALL") == TRUE || CMN_StrSameIC(sModel, "NC") == TRUE)
               ? TRUE
               : FALSE;
}

// Builds the index of a list whose rows were linked by hand.
void s_BuildIndex(PIN* pHead)
{
    pHead->pIndex.reset(new pin_index);
    for (PIN* p = pHead; p != nullptr; p = p->pNext) {
        auto& entry = pHead->pIndex->mapByName.try_emplace(p->sPin, p, 0).first->second;
        ++entry.second;
        pHead->pIndex->pTail = p;
    }
}

const PIN* s_Find(const PIN* pList, const char* sPin)
{
    KIVO_ASSERT(sPin != nullptr);
    if (pList == nullptr) return nullptr;
    if (pList->pIndex != nullptr) {
        auto it = pList->pIndex->mapByName.find(sPin);
        return it != pList->pIndex->mapByName.end() ? it->second.first : nullptr;
    }
    for (const PIN* p = pList; p != nullptr; p = p->pNext)
        if (p->sPin == sPin) return p;
    return nullptr;
}

// The first model of each name in list order (the one a walk would find).
using ModelIndex = std::unordered_map<std::string, MDL*>;

void s_IndexModels(MDL* pMdls, ModelIndex& mapModels)
{
    for (MDL* p = pMdls; p != nullptr; p = p->pNext) mapModels.emplace(p->sModel, p);
}

// What the pin checks need to know of one model selector.
struct SelectorKinds {
    bool bSeries = false;
    bool bSeriesSwitch = false;
};

SelectorKinds s_SelectorKinds(const MSEL* pMsel, const ModelIndex& mapModels)
{
    SelectorKinds kinds;
    for (const MSELMODEL* p = pMsel->pMselModels; p != nullptr; p = p->pNext) {
        auto it = mapModels.find(p->sModel);
        if (it == mapModels.end()) continue;
        if (it->second->eType == SERIES) kinds.bSeries = true;
        if (it->second->eType == SERIES_SWITCH) kinds.bSeriesSwitch = true;
    }
    return kinds;
}

// Kind of a [Merged Pins] group, given by its first pin.
enum GROUP_KIND { GROUP_NEITHER, GROUP_POWER, GROUP_GND };

}  // namespace

STATUS PIN_ParseLine(const char* sLine, int iHeaderCols, PIN** ppPin, const int pRlcOrder[3])
{
    KIVO_ASSERT(sLine != nullptr && ppPin != nullptr && pRlcOrder != nullptr);
    *ppPin = new (std::nothrow) PIN;
    ARGS args;
    if (*ppPin == nullptr || CMN_ArgParse(sLine, PIN_MAX_WORDS, &args) != SUCCESS) {
        delete *ppPin;
        *ppPin = nullptr;
        ERRLOG_LineErrorNew(614);
        ERRLOG_LineErrorNew(600);
        return FAILURE;
    }
    PIN* pPin = *ppPin;
    const int nWords = args.iCount;

    if (nWords > 0) {
        ++pPin->iColumnCount;
        CMN_SetStr(pPin->sPin, args.Arg(0), PIN_NAME_LEN, "Pin");
    } else {
        ERRLOG_LineErrorNew(601);
    }
    if (nWords > 1) {
        ++pPin->iColumnCount;
        CMN_SetStr(pPin->sSignal_name, args.Arg(1), s_NameLimit(), "Signal name");
    } else {
        ERRLOG_LineErrorNew(602);
    }
    if (nWords > 2) {
        ++pPin->iColumnCount;
        CMN_SetStr(pPin->sModel_name, args.Arg(2), s_NameLimit(), "Model name");
    } else {
        ERRLOG_LineErrorNew(603);
    }

    struct {
        const char* sColumn;
        double* pdValue;
        NUMSTAT* peStat;
    } const aValues[3] = {
        {"R_pin", &pPin->dR_pin, &pPin->eR_pinNS},
        {"L_pin", &pPin->dL_pin, &pPin->eL_pinNS},
        {"C_pin", &pPin->dC_pin, &pPin->eC_pinNS},
    };
    for (int i = 0; i < 3; ++i) {
        const int iWord = 3 + pRlcOrder[i];
        if (iWord >= nWords) continue;
        ++pPin->iColumnCount;
        (void)CMN_GetColValue(args.Arg(iWord), "Pin", aValues[i].sColumn, aValues[i].pdValue,
                              aValues[i].peStat);
    }

    if (pPin->iColumnCount != 3 && pPin->iColumnCount != 6) ERRLOG_LineErrorNew(604);
    if (pPin->iColumnCount == 6 && iHeaderCols == 3) ERRLOG_LineErrorNew(605);
    return SUCCESS;
}

PIN* PIN_LinkPin(PIN** ppPinList, PIN* pNewPin)
{
    KIVO_ASSERT(ppPinList != nullptr && pNewPin != nullptr);
    if (*ppPinList == nullptr) {
        pNewPin->pIndex.reset(new pin_index);
        pNewPin->pIndex->pTail = pNewPin;
        pNewPin->pIndex->mapByName.try_emplace(pNewPin->sPin, pNewPin, 1);
        *ppPinList = pNewPin;
        return pNewPin;
    }
    PIN* pHead = *ppPinList;
    if (pHead->pIndex == nullptr) s_BuildIndex(pHead);
    pin_index& idx = *pHead->pIndex;
    auto& entry = idx.mapByName.try_emplace(pNewPin->sPin, pNewPin, 0).first->second;
    for (int i = 0; i < entry.second; ++i) ERRLOG_LineErrorNew(606, pNewPin->sPin);
    ++entry.second;
    idx.pTail->pNext = pNewPin;
    idx.pTail = pNewPin;
    return pNewPin;
}

void PIN_TestList(PIN* pPinList, PINMPG* pPinmpgs, DIFPIN* pDiffPins, const char* sComponent,
                  const char* sPackage_Model)
{
    KIVO_ASSERT(sComponent != nullptr && sPackage_Model != nullptr);
    KIVO* pKivo = nullptr;
    if (KIVO_GetKIVO(&pKivo) != SUCCESS) {
        ERRLOG_BugNew(607, "pin.c", __LINE__);
        return;
    }
    MDL* pMdls = nullptr;
    MSEL* pMsels = nullptr;
    (void)KIVO_GetMdls(pKivo, &pMdls);
    (void)KIVO_GetMsels(pKivo, &pMsels);
    ModelIndex mapModels;
    s_IndexModels(pMdls, mapModels);

    // Pins that are the pin or the inverting pin of a [Diff Pin] row.
    std::unordered_set<std::string> setDiffPins;
    for (const DIFPIN* p = pDiffPins; p != nullptr; p = p->pNext) {
        setDiffPins.insert(p->sDiff_Pin);
        setDiffPins.insert(p->sInv_pin);
    }
    std::unordered_map<const MSEL*, SelectorKinds> mapSelectorKinds;

    for (PIN* pPin = pPinList; pPin != nullptr; pPin = pPin->pNext) {
        const char* sPin = pPin->sPin.c_str();
        const char* sModel = pPin->sModel_name.c_str();
        if (s_IsReservedModelName(sModel) == FALSE) {
            auto itModel = mapModels.find(pPin->sModel_name);
            MDL* pMdl = itModel != mapModels.end() ? itModel->second : nullptr;
            const bool bDiffPin = setDiffPins.count(pPin->sPin) != 0;
            if (pMdl != nullptr) {
                pMdl->isReferenced = 1;
                if (geFileVersion >= VER_3) {
                    if (pMdl->eType == SERIES || pMdl->eType == SERIES_SWITCH)
                        ERRLOG_ErrorNew(610, sComponent, sPin, sModel);
                    if (pMdl->usage == USAGE_DIFFERENTIAL && !bDiffPin) ERRLOG_CautionNew(611, sPin, sModel);
                }
            } else if (geFileVersion < VER_3) {
                ERRLOG_ErrorNew(608, sComponent, sModel, sPin);
            } else if (MSEL* pMsel = MSEL_FindMsel(sModel, pMsels)) {
                if (pMsel->usage == USAGE_DIFFERENTIAL && !bDiffPin) ERRLOG_CautionNew(609, sPin, sModel);
                auto itKinds = mapSelectorKinds.find(pMsel);
                if (itKinds == mapSelectorKinds.end())
                    itKinds = mapSelectorKinds.emplace(pMsel, s_SelectorKinds(pMsel, mapModels)).first;
                if (itKinds->second.bSeries) ERRLOG_ErrorNew(620, sComponent, sPin, sModel, "Series");
                if (itKinds->second.bSeriesSwitch) ERRLOG_ErrorNew(620, sComponent, sPin, sModel, "Series Switch");
            } else {
                ERRLOG_ErrorNew(608, sComponent, sModel, sPin);
            }
        }
        if (pPinmpgs != nullptr && PINMPG_TestPin(pPinmpgs, sPin) == FALSE) ERRLOG_ErrorNew(612, sComponent, sPin);
    }
}

void PIN_TestPkgMdl(PIN* pPinList, PINMPG* pPinmpgs, const char* sComponent, const char* sPackage_Model)
{
    KIVO_ASSERT(sComponent != nullptr && sPackage_Model != nullptr);
    if (*sPackage_Model == '\0') return;
    KIVO* pKivo = nullptr;
    if (KIVO_GetKIVO(&pKivo) != SUCCESS) {
        ERRLOG_BugNew(607, "pin.c", __LINE__);
        return;
    }
    PKGMDL* pPkgMdls = nullptr;
    if (KIVO_GetPkgMdls(pKivo, &pPkgMdls) != SUCCESS) return;

    // Every pin of the package model must be a pin of the component.
    const char* sPkgPin = nullptr;
    for (STATUS st = PKGMDL_GetPin_Number(pPkgMdls, sPackage_Model, TRUE, &sPkgPin); st == SUCCESS;
         st = PKGMDL_GetPin_Number(pPkgMdls, sPackage_Model, FALSE, &sPkgPin)) {
        if (PIN_PinExists(pPinList, sPkgPin) == FALSE) ERRLOG_ErrorNew(613, sPkgPin, sPackage_Model, sComponent);
    }

    // [Merged Pins]: each group joins supply pins of one kind on one bus.
    BOOL bMappingReported = FALSE;
    GROUP_KIND eKind = GROUP_NEITHER;
    std::string sFirstPin;
    const char* sFirstBus = nullptr;
    std::string sFirstBusCopy;
    const char* sMerged = nullptr;
    BOOL bNewGroup = FALSE;
    for (STATUS st = PKGMDL_GetMergedPin_Number(pPkgMdls, sPackage_Model, TRUE, &sMerged, &bNewGroup);
         st == SUCCESS; st = PKGMDL_GetMergedPin_Number(pPkgMdls, sPackage_Model, FALSE, &sMerged, &bNewGroup)) {
        if (pPinmpgs == nullptr && bMappingReported == FALSE) {
            ERRLOG_ErrorNew(619, sPackage_Model, sComponent);
            bMappingReported = TRUE;
        }
        if (bNewGroup == TRUE) {
            eKind = GROUP_NEITHER;
            sFirstPin = sMerged;
            sFirstBus = nullptr;
        }
        if (*sMerged == '\0') continue;
        if (PIN_PinExists(pPinList, sMerged) == FALSE) ERRLOG_ErrorNew(616, sMerged, sPackage_Model, sComponent);
        const BOOL bPower = PIN_ModelNameIsPOWER(pPinList, sMerged);
        const BOOL bGnd = PIN_ModelNameIsGND(pPinList, sMerged);
        if (bNewGroup == TRUE) {
            if (bPower == TRUE || bGnd == TRUE) {
                eKind = bPower == TRUE ? GROUP_POWER : GROUP_GND;
                const char* sBus = PINMPG_GetPinMapping(pPinmpgs, sMerged, bPower);
                if (sBus != nullptr) {
                    sFirstBusCopy = sBus;
                    sFirstBus = sFirstBusCopy.c_str();
                }
            } else {
                ERRLOG_ErrorNew(615, sMerged, sPackage_Model, sComponent);
            }
            continue;
        }
        if (bPower == TRUE && eKind == GROUP_GND) {
            ERRLOG_ErrorNew(617, sComponent, "POWER", sMerged, sPackage_Model, "GND", sFirstPin);
        } else if (bGnd == TRUE && eKind == GROUP_POWER) {
            ERRLOG_ErrorNew(617, sComponent, "GND", sMerged, sPackage_Model, "POWER", sFirstPin);
        } else if (bPower == FALSE && bGnd == FALSE) {
            ERRLOG_ErrorNew(615, sMerged, sPackage_Model, sComponent);
        } else if (eKind != GROUP_NEITHER) {
            const char* sBus = PINMPG_GetPinMapping(pPinmpgs, sMerged, eKind == GROUP_POWER ? TRUE : FALSE);
            if (sBus != nullptr && sFirstBus != nullptr && *sBus != '\0' && *sFirstBus != '\0' &&
                std::strcmp(sBus, sFirstBus) != 0)
                ERRLOG_ErrorNew(618, sComponent, sPackage_Model, sMerged, sFirstPin, sBus, sFirstBus);
        }
    }
}

BOOL PIN_PinExists(const PIN* pList, const char* sPin) { return s_Find(pList, sPin) != nullptr ? TRUE : FALSE; }

PIN* PIN_FindPin(PIN* pList, const char* sPin) { return const_cast<PIN*>(s_Find(pList, sPin)); }

const char* PIN_GetModel(PIN* pList, const char* sPin)
{
    const PIN* p = s_Find(pList, sPin);
    return p != nullptr ? p->sModel_name.c_str() : nullptr;
}

BOOL PIN_ModelNameIsPOWER(PIN* pList, const char* sPin)
{
    const PIN* p = s_Find(pList, sPin);
    return p != nullptr ? CMN_StrSameIC(p->sModel_name.c_str(), "POWER") : FALSE;
}

BOOL PIN_ModelNameIsGND(PIN* pList, const char* sPin)
{
    const PIN* p = s_Find(pList, sPin);
    return p != nullptr ? CMN_StrSameIC(p->sModel_name.c_str(), "GND") : FALSE;
}

BOOL PIN_ModelNameIsPOWEROrGND(PIN* pList, const char* sPin)
{
    return (PIN_ModelNameIsPOWER(pList, sPin) == TRUE || PIN_ModelNameIsGND(pList, sPin) == TRUE) ? TRUE : FALSE;
}

void PIN_FreeList(PIN* pList)
{
    while (pList != nullptr) {
        PIN* pNext = pList->pNext;
        delete pList;
        pList = pNext;
    }
}

#include "component/pinmpg.h"

#include <new>
#include <unordered_set>
#include <vector>

#include "common/cmn.h"
#include "common/errlog.h"
#include "component/pin.h"

namespace {

// Words of a row: pin and five bus labels.
constexpr int PINMPG_MAX_WORDS = 6;

// A label that names a bus: present and not NC.
bool s_IsBus(const std::string& sLabel) { return !sLabel.empty() && CMN_StrSameIC(sLabel.c_str(), "NC") == FALSE; }

// Absent or NC.
bool s_IsNone(const std::string& sLabel) { return !s_IsBus(sLabel); }

void s_BuildIndex(PINMPG* pHead)
{
    pHead->pIndex.reset(new pinmpg_index);
    for (PINMPG* p = pHead; p != nullptr; p = p->pNext) {
        auto& entry = pHead->pIndex->mapByPin.try_emplace(p->sPin_Mapping, p, 0).first->second;
        ++entry.second;
        pHead->pIndex->pTail = p;
    }
}

const PINMPG* s_Find(const PINMPG* pList, const char* sPin)
{
    KIVO_ASSERT(sPin != nullptr);
    if (pList == nullptr) return nullptr;
    if (pList->pIndex != nullptr) {
        auto it = pList->pIndex->mapByPin.find(sPin);
        return it != pList->pIndex->mapByPin.end() ? it->second.first : nullptr;
    }
    for (const PINMPG* p = pList; p != nullptr; p = p->pNext)
        if (p->sPin_Mapping == sPin) return p;
    return nullptr;
}

// The supply pins that anchor each bus: for every label, the first two rows
// (file order) whose pin is POWER or GND and whose pull-down or pull-up label
// is that label.  A row searching its own label skips itself, so two suffice.
struct Anchor {
    const PINMPG* pRow;
    bool bPower;
};
using AnchorIndex = std::unordered_map<std::string, std::vector<Anchor>>;

void s_IndexAnchors(const PINMPG* pList, PIN* pPins, AnchorIndex& mapAnchors)
{
    for (const PINMPG* p = pList; p != nullptr; p = p->pNext) {
        const char* sPin = p->sPin_Mapping.c_str();
        const bool bPower = PIN_ModelNameIsPOWER(pPins, sPin) == TRUE;
        if (!bPower && PIN_ModelNameIsGND(pPins, sPin) == FALSE) continue;
        for (const std::string* pLabel : {&p->sPulldown_ref, &p->sPullup_ref}) {
            if (pLabel->empty()) continue;
            if (pLabel == &p->sPullup_ref && p->sPullup_ref == p->sPulldown_ref) continue;
            std::vector<Anchor>& v = mapAnchors[*pLabel];
            if (v.size() < 2) v.push_back({p, bPower});
        }
    }
}

// Bus search for the label of one row: the first other row, in file order,
// that carries the label and belongs to a POWER or GND pin.  No such row is
// error iNoAnchorMsg; one of the other supply kind is caution iOtherKindMsg.
void s_SearchBus(const AnchorIndex& mapAnchors, const PINMPG* pRow, const std::string& sLabel, bool bPreferPower,
                 int iNoAnchorMsg, int iOtherKindMsg, const char* sComponent)
{
    const Anchor* pFound = nullptr;
    auto it = mapAnchors.find(sLabel);
    if (it != mapAnchors.end()) {
        for (const Anchor& a : it->second) {
            if (a.pRow == pRow) continue;
            pFound = &a;
            break;
        }
    }
    if (pFound == nullptr)
        ERRLOG_ErrorNew(iNoAnchorMsg, sComponent, sLabel);
    else if (pFound->bPower != bPreferPower)
        ERRLOG_CautionNew(iOtherKindMsg, sComponent, sLabel);
}

// One kind of label (pull-up, clamps, external reference): rows whose label
// is absent or NC, or whose own pin is a supply pin, are skipped.
void s_TestLabels(const PINMPG* pList, PIN* pPins, const AnchorIndex& mapAnchors,
                  std::string PINMPG::*pLabel, bool bPreferPower, int iNoAnchorMsg, int iOtherKindMsg,
                  const char* sComponent)
{
    for (const PINMPG* p = pList; p != nullptr; p = p->pNext) {
        const std::string& sLabel = p->*pLabel;
        if (!s_IsBus(sLabel)) continue;
        if (PIN_ModelNameIsPOWEROrGND(pPins, p->sPin_Mapping.c_str()) == TRUE) continue;
        s_SearchBus(mapAnchors, p, sLabel, bPreferPower, iNoAnchorMsg, iOtherKindMsg, sComponent);
    }
}

}  // namespace

STATUS PINMPG_ParseLine(const char* sLine, int iHeaderCount, PINMPG** ppPinMpg)
{
    KIVO_ASSERT(sLine != nullptr && ppPinMpg != nullptr);
    *ppPinMpg = new (std::nothrow) PINMPG;
    ARGS args;
    if (*ppPinMpg == nullptr || CMN_ArgParse(sLine, PINMPG_MAX_WORDS, &args) != SUCCESS) {
        delete *ppPinMpg;
        *ppPinMpg = nullptr;
        ERRLOG_LineErrorNew(728);
        return FAILURE;
    }
    PINMPG* pRow = *ppPinMpg;
    const int nWords = args.iActualCnt;
    if (nWords > PINMPG_MAX_WORDS) ERRLOG_LineErrorNew(700);

    struct Column {
        std::string PINMPG::*pField;
        const char* sLabel;
    };
    static const Column aColumns[6] = {
        {&PINMPG::sPin_Mapping, "Pin"},
        {&PINMPG::sPulldown_ref, "pulldown_ref"},
        {&PINMPG::sPullup_ref, "pullup_ref"},
        {&PINMPG::sGnd_clamp_ref, "gnd_clamp_ref"},
        {&PINMPG::sPower_clamp_ref, "power_clamp_ref"},
        {&PINMPG::sExt_ref, "ext_ref"},
    };
    const int nColumns = args.iCount;
    for (int i = 0; i < nColumns; ++i) {
        ++pRow->iColumnCount;
        CMN_SetStr(pRow->*(aColumns[i].pField), args.Arg(i), i == 0 ? PIN_NAME_LEN : PINMPG_LABEL_LEN,
                   aColumns[i].sLabel);
    }
    for (int i = 1; i < nColumns; ++i)
        if (CMN_StrSameIC(args.Arg(i), "NA") == TRUE) ERRLOG_LineErrorNew(729, args.Arg(i));

    if (nWords < 1) ERRLOG_LineErrorNew(701);
    if (nWords < 2) ERRLOG_LineErrorNew(702);
    if (nWords < 3) ERRLOG_LineErrorNew(703);

    const int iCount = pRow->iColumnCount;
    if (geFileVersion >= VER_4) {
        if (iCount != 3 && iCount != 5 && iCount != 6) ERRLOG_LineErrorNew(704);
    } else if (iCount != 3 && iCount != 5) {
        ERRLOG_LineErrorNew(705);
    }
    if (iCount == 5 && iHeaderCount == 3) ERRLOG_LineErrorNew(706);
    if (geFileVersion >= VER_4 && iCount == 6 && iHeaderCount != 6) ERRLOG_LineErrorNew(707);
    return SUCCESS;
}

PINMPG* PINMPG_LinkPinMpg(PINMPG** ppPinMpgs, PINMPG* pNew)
{
    KIVO_ASSERT(ppPinMpgs != nullptr && pNew != nullptr);
    if (*ppPinMpgs == nullptr) {
        pNew->pIndex.reset(new pinmpg_index);
        pNew->pIndex->pTail = pNew;
        pNew->pIndex->mapByPin.try_emplace(pNew->sPin_Mapping, pNew, 1);
        *ppPinMpgs = pNew;
        return pNew;
    }
    PINMPG* pHead = *ppPinMpgs;
    if (pHead->pIndex == nullptr) s_BuildIndex(pHead);
    pinmpg_index& idx = *pHead->pIndex;
    auto& entry = idx.mapByPin.try_emplace(pNew->sPin_Mapping, pNew, 0).first->second;
    for (int i = 0; i < entry.second; ++i) ERRLOG_LineErrorNew(708);
    ++entry.second;
    idx.pTail->pNext = pNew;
    idx.pTail = pNew;
    return pNew;
}

void PINMPG_TestList(PINMPG* pPinMpgList, PIN* pPins, const char* sComponent)
{
    KIVO_ASSERT(sComponent != nullptr);
    const bool bLongForm = geFileVersion >= VER_4;

    // Supply and unconnected pins carry only the references that suit them.
    for (PIN* pPin = pPins; pPin != nullptr; pPin = pPin->pNext) {
        const PINMPG* pRow = s_Find(pPinMpgList, pPin->sPin.c_str());
        if (pRow == nullptr) continue;
        const char* sModel = pPin->sModel_name.c_str();
        const char* sPin = pPin->sPin.c_str();
        if (CMN_StrSameIC(sModel, "POWER") == TRUE) {
            const bool bPullupOnly = s_IsBus(pRow->sPullup_ref) && s_IsNone(pRow->sPulldown_ref) &&
                                     s_IsNone(pRow->sGnd_clamp_ref) && s_IsNone(pRow->sPower_clamp_ref);
            if (!bPullupOnly) {
                if (bLongForm)
                    ERRLOG_WarnNew(709, sComponent, sPin);
                else
                    ERRLOG_WarnNew(710, sPin);
            }
        } else if (CMN_StrSameIC(sModel, "GND") == TRUE) {
            const bool bPulldownOnly = s_IsBus(pRow->sPulldown_ref) && s_IsNone(pRow->sPullup_ref) &&
                                       s_IsNone(pRow->sGnd_clamp_ref) && s_IsNone(pRow->sPower_clamp_ref);
            if (!bPulldownOnly) {
                if (bLongForm)
                    ERRLOG_WarnNew(711, sComponent, sPin);
                else
                    ERRLOG_WarnNew(712, sPin);
            }
        } else if (CMN_StrSameIC(sModel, "NC") == TRUE) {
            const bool bAnyReference = s_IsBus(pRow->sPulldown_ref) || s_IsBus(pRow->sPullup_ref) ||
                                       s_IsBus(pRow->sGnd_clamp_ref) || s_IsBus(pRow->sPower_clamp_ref) ||
                                       s_IsBus(pRow->sExt_ref);
            if (bAnyReference) {
                if (bLongForm)
                    ERRLOG_WarnNew(713, sComponent, sPin);
                else
                    ERRLOG_WarnNew(714, sPin);
            }
        }
    }
    if (pPins == nullptr) return;

    for (const PINMPG* p = pPinMpgList; p != nullptr; p = p->pNext)
        if (PIN_PinExists(pPins, p->sPin_Mapping.c_str()) == FALSE) ERRLOG_ErrorNew(715, sComponent, p->sPin_Mapping);

    AnchorIndex mapAnchors;
    s_IndexAnchors(pPinMpgList, pPins, mapAnchors);
    std::unordered_set<std::string> setPullupLabels;
    for (const PINMPG* p = pPinMpgList; p != nullptr; p = p->pNext) setPullupLabels.insert(p->sPullup_ref);

    // Pull-down labels: a supply pin's label should not also be a pull-up label;
    // a signal pin's label should reach a supply pin, preferably GND.
    for (const PINMPG* p = pPinMpgList; p != nullptr; p = p->pNext) {
        if (!s_IsBus(p->sPulldown_ref)) continue;
        if (PIN_ModelNameIsPOWEROrGND(pPins, p->sPin_Mapping.c_str()) == TRUE) {
            if (setPullupLabels.count(p->sPulldown_ref) != 0) {
                if (bLongForm)
                    ERRLOG_CautionNew(718, sComponent, p->sPulldown_ref);
                else
                    ERRLOG_CautionNew(719, p->sPulldown_ref);
            }
            continue;
        }
        s_SearchBus(mapAnchors, p, p->sPulldown_ref, false, 716, 717, sComponent);
    }
    s_TestLabels(pPinMpgList, pPins, mapAnchors, &PINMPG::sPullup_ref, true, 720, 721, sComponent);
    s_TestLabels(pPinMpgList, pPins, mapAnchors, &PINMPG::sGnd_clamp_ref, false, 722, 723, sComponent);
    s_TestLabels(pPinMpgList, pPins, mapAnchors, &PINMPG::sPower_clamp_ref, true, 724, 725, sComponent);
    if (bLongForm) s_TestLabels(pPinMpgList, pPins, mapAnchors, &PINMPG::sExt_ref, true, 726, 727, sComponent);
}

BOOL PINMPG_TestPin(const PINMPG* pList, const char* sPin) { return s_Find(pList, sPin) != nullptr ? TRUE : FALSE; }

const char* PINMPG_GetPinMapping(const PINMPG* pList, const char* sPin, BOOL isPower)
{
    const PINMPG* p = s_Find(pList, sPin);
    if (p == nullptr) return nullptr;
    return isPower == TRUE ? p->sPullup_ref.c_str() : p->sPulldown_ref.c_str();
}

void PINMPG_FreeList(PINMPG* pList)
{
    while (pList != nullptr) {
        PINMPG* pNext = pList->pNext;
        delete pList;
        pList = pNext;
    }
}

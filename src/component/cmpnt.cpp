#include "component/cmpnt.h"

#include <cstring>
#include <new>
#include <unordered_map>
#include <unordered_set>

#include "common/cmn.h"
#include "common/errlog.h"
#include "model/msel.h"
#include "package/pkgmdl.h"
#include "parse/kivo.h"
#include "parse/parse.h"

namespace {

// The component being built; null outside a component section.
CMPNT* gpCmpnt = nullptr;
// [Manufacturer] was seen in the open component.
BOOL gbFoundManufacturer = FALSE;
// Positions (0, 1, 2 = fourth, fifth, sixth column) of R_pin, L_pin, C_pin in
// [Pin] rows.
int giPinRlcOrder[3] = {0, 1, 2};
// The component keyword whose lines are arriving.
KEYWORD_TYPE geCurrentKeyword = NOT_KEY;
// The keyword that last ended a component keyword.
KEYWORD_TYPE gePreviousKeyword = NOT_KEY;

// Component subparameters, searched in this order (with case).
struct SubEntry {
    const char* sName;
    CMPNT_SUB eSub;
};
const SubEntry component_subs[] = {
    {"Si_location", SI_LOCATION},
    {"Timing_location", TIMING_LOCATION},
    {"", NOT_CMPNT_SUB},
};

// Values of both location subparameters; the empty entry closes the table.
struct LocEntry {
    const char* sName;
    TESTLOC_TYPE eLoc;
};
const LocEntry locations[] = {
    {"Pin", CMPNT_PIN},
    {"Die", CMPNT_DIE},
    {"", NO_LOC},
};

// The keywords that keep a component open: [Manufacturer] through
// [End Circuit Call], and the four EMI component keywords.
bool s_InGroup(KEYWORD_TYPE eKey)
{
    return (eKey >= MANU_KEY && eKey <= END_CIRCUIT_CALL_KEY) ||
           (eKey >= BEGIN_EMI_COMPONENT_KEY && eKey <= PIN_DOMAIN_EMI_KEY);
}

// The header words after a table keyword: the first iMax of them are kept,
// all of them are counted.
void s_ReadHeader(const char* sValue, int iMax, ARGS* pWords)
{
    if (CMN_ArgParse(sValue, iMax, pWords) != SUCCESS) *pWords = ARGS();
}

bool s_IsWord(const char* sWord, const char* sExpected)
{
    return sWord != nullptr && CMN_StrSameIC(sWord, sExpected) == TRUE;
}

// Column headers that must stand in order: the first iRequired must be
// present; each later one, when present, must be the expected word.
void s_TestHeaderWords(const ARGS& words, const char* const asExpected[], int nExpected, int iRequired)
{
    for (int i = 0; i < nExpected; ++i) {
        const char* sWord = words.Arg(i);
        if (sWord == nullptr && i >= iRequired) continue;
        if (!s_IsWord(sWord, asExpected[i])) ERRLOG_LineErrorNew(529, asExpected[i]);
    }
}

// [Pin] header: signal_name model_name, then R_pin, L_pin, C_pin in any order.
void s_PinHeader(const char* sValue)
{
    if (gpCmpnt->iPinHeaderCount != 0) {
        ERRLOG_LineErrorNew(523);
        return;
    }
    if (*sValue == '\0') ERRLOG_LineErrorNew(528, "Pin");
    ARGS words;
    s_ReadHeader(sValue, 6, &words);
    const int nWords = words.iCount;
    const int iCount = 1 + nWords;
    gpCmpnt->iPinHeaderCount = iCount;
    if (iCount != 3 && iCount != 6) ERRLOG_LineErrorNew(532, "Pin", 3, 6, iCount);
    static const char* const asNames[] = {"signal_name", "model_name"};
    s_TestHeaderWords(words, asNames, 2, 2);

    static const char* const asValues[3] = {"R_pin", "L_pin", "C_pin"};
    bool abSeen[3] = {false, false, false};
    for (int k = 0; k < 3 && 2 + k < nWords; ++k) {
        const char* sWord = words.Arg(2 + k);
        int j = 0;
        while (j < 3 && CMN_StrSameIC(sWord, asValues[j]) == FALSE) ++j;
        if (j == 3) {
            ERRLOG_LineErrorNew(530, sWord);
        } else if (abSeen[j]) {
            ERRLOG_LineErrorNew(531, sWord);
        } else {
            abSeen[j] = true;
            giPinRlcOrder[j] = k;
        }
    }
}

// [Pin Mapping] header: pulldown_ref pullup_ref, then optionally
// gnd_clamp_ref power_clamp_ref and (4.2 on) ext_ref.
void s_PinMappingHeader(const char* sValue)
{
    if (gpCmpnt->iPin_MappingsHeaderCount != 0) {
        ERRLOG_LineErrorNew(525);
        return;
    }
    if (*sValue == '\0') ERRLOG_LineErrorNew(528, "Pin_Mapping");
    ARGS words;
    s_ReadHeader(sValue, 5, &words);
    const int iCount = 1 + words.iCount;
    gpCmpnt->iPin_MappingsHeaderCount = iCount;
    if (geFileVersion < VER_4) {
        if (iCount != 3 && iCount != 5) ERRLOG_LineErrorNew(532, "Pin_Mappings", 3, 5, iCount);
    } else if (iCount != 3 && iCount != 5 && iCount != 6) {
        ERRLOG_LineErrorNew(526, iCount);
    }
    static const char* const asNames[] = {"pulldown_ref", "pullup_ref", "gnd_clamp_ref", "power_clamp_ref",
                                          "ext_ref"};
    s_TestHeaderWords(words, asNames, 5, 2);
}

// [Diff Pin] header: inv_pin vdiff tdelay_typ, then optionally tdelay_min tdelay_max.
void s_DiffPinHeader(const char* sValue)
{
    if (gpCmpnt->iDiff_PinsHeaderCount != 0) {
        ERRLOG_LineErrorNew(527);
        return;
    }
    if (*sValue == '\0') ERRLOG_LineErrorNew(528, "Diff_Pins");
    ARGS words;
    s_ReadHeader(sValue, 6, &words);
    const int iCount = 1 + words.iCount;
    gpCmpnt->iDiff_PinsHeaderCount = iCount;
    if (iCount != 4 && iCount != 6) ERRLOG_LineErrorNew(532, "Diff_Pins", 4, 6, iCount);
    static const char* const asNames[] = {"inv_pin", "vdiff", "tdelay_typ", "tdelay_min", "tdelay_max"};
    s_TestHeaderWords(words, asNames, 5, 3);
}

// [Repeater Pin] header: tx_non_inv_pin alone.
void s_RepeaterPinHeader(const char* sValue)
{
    if (gpCmpnt->iRep_PinsHeaderCount != 0) ERRLOG_LineErrorNew(554);
    if (*sValue == '\0') ERRLOG_LineErrorNew(528, "Repeater Pin");
    ARGS words;
    s_ReadHeader(sValue, 2, &words);
    gpCmpnt->iRep_PinsHeaderCount = 1 + words.iCount;
    static const char* const asNames[] = {"tx_non_inv_pin"};
    s_TestHeaderWords(words, asNames, 1, 1);
    if (words.iCount > 1) ERRLOG_LineErrorNew(530, words.Arg(1));
}

// [Series Pin Mapping] header: pin_2 model_name, then optionally
// function_table_group.  A second header starts the table over.
void s_SeriesPinMappingHeader(const char* sValue)
{
    if (gpCmpnt->iSpin_MappingsHeaderCount != 0) {
        ERRLOG_LineErrorNew(542);
        SPINMPG_FreeList(gpCmpnt->pSpin_Mappings);
        gpCmpnt->pSpin_Mappings = nullptr;
    }
    if (*sValue == '\0') ERRLOG_LineErrorNew(528, "Series_Pin_Mapping");
    ARGS words;
    s_ReadHeader(sValue, 3, &words);
    const int iCount = 1 + words.iCount;
    gpCmpnt->iSpin_MappingsHeaderCount = iCount;
    if (iCount != 3 && iCount != 4) ERRLOG_LineErrorNew(532, "Series_Pin_Mappings", 3, 4, iCount);
    static const char* const asNames[] = {"pin_2", "model_name", "function_table_group"};
    s_TestHeaderWords(words, asNames, 3, 2);
    if (words.iActualCnt > 3) ERRLOG_LineErrorNew(543);
}

// Si_location or Timing_location line.
void s_Location(const char* sLine, const char* sLabel, TESTLOC_TYPE* peLoc)
{
    if (*peLoc != LOC_NOT_SET) ERRLOG_LineErrorNew(537, sLabel, gpCmpnt->sComponent);
    *peLoc = NO_LOC;
    ARGS args;
    if (CMN_ArgParse(sLine, 2, &args) != SUCCESS) {
        ERRLOG_BugNew(534, sLabel, "cmpnt.c", __LINE__);
        return;
    }
    if (args.iActualCnt == 1)
        ERRLOG_LineErrorNew(538, sLabel);
    else if (args.iActualCnt != 2)
        ERRLOG_LineErrorNew(539, args.iActualCnt, sLabel, 2);
    if (args.iActualCnt != 2) return;
    const char* sValue = args.Arg(1);
    for (const LocEntry* p = locations; *p->sName != '\0'; ++p) {
        if (std::strcmp(sValue, p->sName) == 0) {
            *peLoc = p->eLoc;
            return;
        }
        if (CMN_StrSameIC(sValue, p->sName) == TRUE) {
            ERRLOG_LineErrorNew(540, sLabel, sValue, p->sName);
            return;
        }
    }
    ERRLOG_LineErrorNew(541, sLabel, sValue);
}

// Data line after [Component]: a component subparameter (3.2 on).
void s_ComponentSub(const char* sLine)
{
    if (geFileVersion < VER_3) {
        ERRLOG_LineErrorNew(506);
        return;
    }
    ARGS args;
    if (CMN_ArgParse(sLine, 1, &args) != SUCCESS) {
        ERRLOG_BugNew(534, "Component Sub-Parameter", "cmpnt.c", __LINE__);
        return;
    }
    const char* sFirst = args.Arg(0);
    const SubEntry* pSub = component_subs;
    while (pSub->eSub != NOT_CMPNT_SUB && (sFirst == nullptr || std::strcmp(sFirst, pSub->sName) != 0)) ++pSub;
    switch (pSub->eSub) {
    case SI_LOCATION:
        s_Location(sLine, "Si_location", &gpCmpnt->eSiLocation);
        break;
    case TIMING_LOCATION:
        s_Location(sLine, "Timing_location", &gpCmpnt->eTimingLocation);
        break;
    case NOT_CMPNT_SUB:
        ERRLOG_LineErrorNew(535);
        break;
    }
}

bool s_HasBlank(const std::string& s)
{
    for (char c : s)
        if (CMN_IsWhitespace(static_cast<unsigned char>(c)) == TRUE) return true;
    return false;
}

void s_KeywordLine(KEYWORD_TYPE eKey, char* sLine)
{
    if (eKey == ENDALT_PKGMDLS_KEY && geCurrentKeyword != ALTERNATE_PKGMDLS_KEY) ERRLOG_LineErrorNew(503);
    if (geCurrentKeyword == ALTERNATE_PKGMDLS_KEY && eKey != ENDALT_PKGMDLS_KEY) ERRLOG_LineErrorNew(504);
    if (CMPNTEMI_InProgress() == TRUE && eKey != PIN_EMI_KEY && eKey != PIN_DOMAIN_EMI_KEY &&
        eKey != END_EMI_COMPONENT_KEY)
        ERRLOG_LineErrorNew(553);
    char* sValue = sLine;
    (void)CMN_EatKeyword(&sValue);
    geCurrentKeyword = eKey;

    CMPNT* pC = gpCmpnt;
    switch (eKey) {
    case COMPNT_KEY:
        (void)CMN_SetKeywordStr(pC->sComponent, sValue, CMPNT_NAME_LEN, "Component");
        if (s_HasBlank(pC->sComponent)) ERRLOG_LineWarnNew(513, pC->sComponent);
        (void)CMN_ReservedWordErr(pC->sComponent.c_str());
        break;
    case MANU_KEY:
        (void)CMN_SetKeywordStr(pC->sManufacturer, sValue, CMPNT_NAME_LEN, "Manufacturer");
        gbFoundManufacturer = TRUE;
        break;
    case PACKAGE_KEY:
        if (pC->pPackage != nullptr) {
            ERRLOG_LineErrorNew(517);
            break;
        }
        if (*sValue != '\0') ERRLOG_LineErrorNew(518);
        if (PKG_New(&pC->pPackage) != SUCCESS) ERRLOG_LineErrorNew(533, "Package");
        break;
    case PIN_KEY:
        s_PinHeader(sValue);
        break;
    case PKGMDL_KEY:
        (void)CMN_SetKeywordStr(pC->sPackage_Model, sValue, CMPNT_NAME_LEN, "Package_Model");
        (void)CMN_ReservedWordErr(pC->sPackage_Model.c_str());
        break;
    case PINMPG_KEY:
        s_PinMappingHeader(sValue);
        break;
    case DIFPIN_KEY:
        s_DiffPinHeader(sValue);
        break;
    case REPEATERPIN_KEY:
        s_RepeaterPinHeader(sValue);
        break;
    case SSWCHGS_KEY: {
        if (pC->pSswch != nullptr) ERRLOG_LineErrorNew(546);
        ARGS args;
        if (CMN_ArgParse(sValue, 0, &args) == SUCCESS && args.iActualCnt > 0)
            ERRLOG_LineErrorNew(539, args.iActualCnt + 1, "Series_Switch_Groups", 1);
        break;
    }
    case SPINMPG_KEY:
        s_SeriesPinMappingHeader(sValue);
        break;
    case ALTERNATE_PKGMDLS_KEY:
        if (pC->pApkgMdls != nullptr)
            ERRLOG_LineErrorNew(520);
        else if (*sValue != '\0')
            ERRLOG_LineErrorNew(521);
        break;
    case ENDALT_PKGMDLS_KEY:
        if (*sValue != '\0') ERRLOG_LineErrorNew(522);
        APKG_Fini(pC->pApkgMdls);
        break;
    case NODE_DECLARE_KEY:
        if (pC->pNode != nullptr) {
            ERRLOG_LineErrorNew(548);
        } else {
            pC->pNode = new (std::nothrow) SNODE;
            if (pC->pNode == nullptr) ERRLOG_LineErrorNew(549);
        }
        break;
    case END_NODE_DECLARE_KEY:
        TestNodeErrors(pC);
        break;
    case CIRCUIT_CALL_KEY: {
        CCALL* pNew = new (std::nothrow) CCALL;
        if (pNew == nullptr) {
            ERRLOG_LineErrorNew(550);
            break;
        }
        (void)CMN_SetKeywordStr(pNew->sCcall, sValue, CMPNT_NAME_LEN, "Circuit Call");
        pNew->line_num = static_cast<int>(PARSE_GetLineNum());
        pNew->pNext = pC->pCcall;
        pC->pCcall = pNew;
        break;
    }
    case END_CIRCUIT_CALL_KEY:
        break;
    case BEGIN_EMI_COMPONENT_KEY:
    case END_EMI_COMPONENT_KEY:
    case PIN_EMI_KEY:
    case PIN_DOMAIN_EMI_KEY:
        (void)CMPNTEMI_ReceiveLine(KEYWORD_LINE, eKey, sValue, &pC->pCmpntEmi);
        break;
    default:
        ERRLOG_LineBugNew(505, "cmpnt.c", __LINE__);
        break;
    }
}

void s_DataLine(char* sLine)
{
    CMPNT* pC = gpCmpnt;
    switch (geCurrentKeyword) {
    case COMPNT_KEY:
        s_ComponentSub(sLine);
        break;
    case MANU_KEY:
        ERRLOG_LineErrorNew(507);
        break;
    case PACKAGE_KEY:
        if (pC->pPackage != nullptr) PKG_ReceiveLine(pC->pPackage, sLine);
        break;
    case PIN_KEY: {
        PIN* pNew = nullptr;
        if (PIN_ParseLine(sLine, pC->iPinHeaderCount, &pNew, giPinRlcOrder) != SUCCESS)
            ERRLOG_LineErrorNew(533, "Pin");
        else
            (void)PIN_LinkPin(&pC->pPins, pNew);
        break;
    }
    case PKGMDL_KEY:
        ERRLOG_LineErrorNew(508);
        break;
    case PINMPG_KEY: {
        PINMPG* pNew = nullptr;
        if (PINMPG_ParseLine(sLine, pC->iPin_MappingsHeaderCount, &pNew) != SUCCESS)
            ERRLOG_LineErrorNew(533, "Pin_Mapping");
        else
            (void)PINMPG_LinkPinMpg(&pC->pPin_Mappings, pNew);
        break;
    }
    case DIFPIN_KEY: {
        DIFPIN* pNew = nullptr;
        if (DIFPIN_ParseLine(sLine, pC->iDiff_PinsHeaderCount, &pNew) != SUCCESS)
            ERRLOG_LineErrorNew(533, "Diff_Pin");
        else
            (void)DIFPIN_LinkDIFPIN(&pC->pDiff_Pins, pNew);
        break;
    }
    case REPEATERPIN_KEY: {
        REPPIN* pNew = nullptr;
        if (REPPIN_ParseLine(sLine, &pNew) != SUCCESS)
            ERRLOG_LineErrorNew(533, "Repeater_Pin");
        else
            (void)REPPIN_LinkREPPIN(&pC->pRepeater_Pins, pNew);
        break;
    }
    case SSWCHGS_KEY: {
        SSWCH* pGroup = nullptr;
        if (SSWCH_ParseLine(sLine, &pGroup) != SUCCESS)
            ERRLOG_LineErrorNew(533, "Series_Switch_Group");
        else if (pGroup != nullptr && SSWCH_isLinked(pC->pSswch, pGroup) == FALSE)
            (void)SSWCH_LinkSswch(&pC->pSswch, pGroup);
        break;
    }
    case SPINMPG_KEY: {
        SPINMPG* pNew = nullptr;
        if (SPINMPG_ParseLine(sLine, pC->iSpin_MappingsHeaderCount, &pNew) != SUCCESS)
            ERRLOG_LineErrorNew(533, "Series_Pin_Mapping");
        else
            (void)SPINMPG_LinkSpinMpg(&pC->pSpin_Mappings, pNew);
        break;
    }
    case ALTERNATE_PKGMDLS_KEY:
        APKG_ReceiveLine(&pC->pApkgMdls, sLine);
        break;
    case NODE_DECLARE_KEY:
        if (pC->pNode != nullptr) (void)NODE_ParseLine(sLine, &pC->pNode);
        break;
    case CIRCUIT_CALL_KEY:
        if (pC->pCcall != nullptr) (void)CCALL_ParseLine(sLine, &pC->pCcall);
        break;
    case BEGIN_EMI_COMPONENT_KEY:
    case END_EMI_COMPONENT_KEY:
    case PIN_EMI_KEY:
    case PIN_DOMAIN_EMI_KEY:
        (void)CMPNTEMI_ReceiveLine(OTHER_LINE, geCurrentKeyword, sLine, &pC->pCmpntEmi);
        break;
    default:
        ERRLOG_LineBugNew(509, "cmpnt.c", __LINE__);
        break;
    }
}

// Looks for one package model of the component: in the file, then in a
// package file beside it.
void s_FindPackageModel(const std::string& sModel, const std::string& sComponent)
{
    if (sModel.empty()) return;
    KIVO* pKivo = nullptr;
    if (KIVO_GetKIVO(&pKivo) != SUCCESS) {
        ERRLOG_BugNew(515, "cmpnt.c", __LINE__);
        return;
    }
    PKGMDL* pPkgMdls = nullptr;
    (void)KIVO_GetPkgMdls(pKivo, &pPkgMdls);
    if (PKGMDL_FindPackageModel(pPkgMdls, sModel.c_str(), nullptr) == SUCCESS) return;
    if (PKGMDL_FindPkgFile(sModel.c_str()) == SUCCESS) {
        (void)KIVO_GetPkgMdls(pKivo, &pPkgMdls);
        if (PKGMDL_FindPackageModel(pPkgMdls, sModel.c_str(), nullptr) == SUCCESS) return;
    }
    ERRLOG_ErrorNew(516, sModel, sComponent);
}

// Pins of a [Diff Pin] pair: the pin and the inverting pin of every row.
void s_DiffPinNames(const CMPNT* pC, std::unordered_set<std::string>& setNames)
{
    for (const DIFPIN* p = pC->pDiff_Pins; p != nullptr; p = p->pNext) {
        setNames.insert(p->sDiff_Pin);
        setNames.insert(p->sInv_pin);
    }
}

bool s_IsDiffType(MODEL_TYPE eType)
{
    return eType == IO_DIFF || eType == OUTPUT_DIFF || eType == TRI_STATE_DIFF || eType == INPUT_DIFF;
}

// Pins on differential models must be declared as a [Diff Pin] pair.
void s_TestDiffModels(const CMPNT* pC, const std::unordered_map<std::string, MDL*>& mapModels)
{
    std::unordered_set<std::string> setDiffPins;
    s_DiffPinNames(pC, setDiffPins);
    for (const PIN* pPin = pC->pPins; pPin != nullptr; pPin = pPin->pNext) {
        auto it = mapModels.find(pPin->sModel_name);
        if (it == mapModels.end()) continue;
        const MDL* pMdl = it->second;
        if (!s_IsDiffType(pMdl->eType)) continue;
        if (pMdl->external == nullptr) ERRLOG_ErrorNew(544);
        if (setDiffPins.count(pPin->sPin) == 0) {
            const char* sType = nullptr;
            MDL_FindTypeName(pMdl->eType, &sType);
            ERRLOG_ErrorNew(545, pC->sComponent, pPin->sPin, pPin->sModel_name, sType != nullptr ? sType : "");
        }
    }
}

// Each pair of components with the same name, once per pair, in list order.
void s_TestDuplicateNames(const CMPNT* pList)
{
    std::unordered_map<std::string, int> mapTotal;
    for (const CMPNT* p = pList; p != nullptr; p = p->pNext) ++mapTotal[p->sComponent];
    std::unordered_map<std::string, int> mapSeen;
    for (const CMPNT* p = pList; p != nullptr; p = p->pNext) {
        const int iLater = mapTotal[p->sComponent] - ++mapSeen[p->sComponent];
        for (int i = 0; i < iLater; ++i) ERRLOG_ErrorNew(511, p->sComponent);
    }
}

void s_Free(CMPNT* pC)
{
    if (pC == gpCmpnt) gpCmpnt = nullptr;
    PKG_Free(pC->pPackage);
    PIN_FreeList(pC->pPins);
    PINMPG_FreeList(pC->pPin_Mappings);
    DIFPIN_FreeList(pC->pDiff_Pins);
    REPPIN_FreeList(pC->pRepeater_Pins);
    SSWCH_FreeList(pC->pSswch);
    SPINMPG_FreeList(pC->pSpin_Mappings);
    APKG_FreeList(pC->pApkgMdls);
    NODE_FreeList(pC->pNode);
    CCALL_FreeList(pC->pCcall);
    CMPNTEMI_Free(pC->pCmpntEmi);
    delete pC;
}

}  // namespace

STATUS CMPNT_Init()
{
    gpCmpnt = nullptr;
    KIVO* pKivo = nullptr;
    if (KIVO_GetKIVO(&pKivo) != SUCCESS) {
        ERRLOG_LineBugNew(500, "cmpnt.c", __LINE__);
        return FAILURE;
    }
    CMPNT* pNew = new (std::nothrow) CMPNT;
    if (pNew == nullptr) {
        ERRLOG_LineErrorNew(512);
        return FAILURE;
    }
    KIVO_AddCmpnt(pKivo, pNew);
    gpCmpnt = pNew;
    gbFoundManufacturer = FALSE;
    giPinRlcOrder[0] = 0;
    giPinRlcOrder[1] = 1;
    giPinRlcOrder[2] = 2;
    // A keyword left open by the previous component does not carry over.
    geCurrentKeyword = NOT_KEY;
    return SUCCESS;
}

STATUS CMPNT_ReceiveLine(LINE_TYPE eLineType, KEYWORD_TYPE eKeyword, char* sLine)
{
    KIVO_ASSERT(sLine != nullptr);
    if (eLineType != KEYWORD_LINE && eLineType != OTHER_LINE) {
        ERRLOG_LineBugNew(510, "cmpnt.c", __LINE__);
        return FAILURE;
    }
    if (gpCmpnt == nullptr) {
        ERRLOG_LineErrorNew(eLineType == KEYWORD_LINE ? 501 : 502);
        return FAILURE;
    }
    if (eLineType == KEYWORD_LINE)
        s_KeywordLine(eKeyword, sLine);
    else
        s_DataLine(sLine);
    return SUCCESS;
}

STATUS CMPNT_Fini(KEYWORD_TYPE eNewKeyword)
{
    if (s_InGroup(eNewKeyword)) {
        gePreviousKeyword = eNewKeyword;
        return SUCCESS;
    }
    if (gpCmpnt != nullptr) {
        CMPNT* pC = gpCmpnt;
        if (gePreviousKeyword == ALTERNATE_PKGMDLS_KEY) ERRLOG_LineErrorNew(504);
        if (CMPNTEMI_InProgress() == TRUE) CMPNTEMI_Fini(eNewKeyword);
        if (gbFoundManufacturer == FALSE) ERRLOG_ErrorNew(514, pC->sComponent);
        if (pC->pPackage == nullptr)
            ERRLOG_ErrorNew(519, pC->sComponent);
        else
            PKG_Test(pC->pPackage, pC->sComponent.c_str());
        gpCmpnt = nullptr;
        gbFoundManufacturer = FALSE;
    }
    gePreviousKeyword = eNewKeyword;
    return SUCCESS;
}

void CMPNT_AddLink(CMPNT* pNew, CMPNT* pPrev)
{
    KIVO_ASSERT(pNew != nullptr);
    pNew->pNext = pPrev;
}

void CMPNT_FreeList(CMPNT* pList)
{
    while (pList != nullptr) {
        CMPNT* pNext = pList->pNext;
        s_Free(pList);
        pList = pNext;
    }
}

void CMPNT_TestList(CMPNT* pCmpntList, EXTCIR* pExts, MDL* pMdls)
{
    s_TestDuplicateNames(pCmpntList);

    std::unordered_map<std::string, MDL*> mapModels;
    for (MDL* p = pMdls; p != nullptr; p = p->pNext) mapModels.emplace(p->sModel, p);

    for (CMPNT* pC = pCmpntList; pC != nullptr; pC = pC->pNext) {
        const char* sComponent = pC->sComponent.c_str();
        // A package file read by the lookup declares its own version.
        const KIVO_VER eSavedVersion = geFileVersion;
        s_FindPackageModel(pC->sPackage_Model, pC->sComponent);
        for (const APKGMODEL* p = pC->pApkgMdls; p != nullptr; p = p->pNext)
            s_FindPackageModel(p->sModel, pC->sComponent);
        geFileVersion = eSavedVersion;

        if (pC->pPins == nullptr)
            ERRLOG_ErrorNew(524, sComponent);
        else
            PIN_TestList(pC->pPins, pC->pPin_Mappings, pC->pDiff_Pins, sComponent, pC->sPackage_Model.c_str());
        if (pC->pPins != nullptr) {
            PIN_TestPkgMdl(pC->pPins, pC->pPin_Mappings, sComponent, pC->sPackage_Model.c_str());
            for (const APKGMODEL* p = pC->pApkgMdls; p != nullptr; p = p->pNext)
                PIN_TestPkgMdl(pC->pPins, pC->pPin_Mappings, sComponent, p->sModel.c_str());
        }
        if (pC->pPin_Mappings != nullptr) PINMPG_TestList(pC->pPin_Mappings, pC->pPins, sComponent);
        if (pC->pDiff_Pins != nullptr) DIFPIN_TestList(pC->pDiff_Pins, pC->pPins, sComponent);
        if (pC->pRepeater_Pins != nullptr)
            REPPIN_TestList(pC->pRepeater_Pins, pC->pPins, pC->pDiff_Pins, sComponent);
        if (pC->pSpin_Mappings != nullptr)
            SPINMPG_TestList(pC->pSpin_Mappings, pC->pPins, sComponent, pC->pSswch);
        if (pC->pSswch != nullptr) SSWCH_TestList(pC->pSswch, pC->pSpin_Mappings, sComponent);
        CCALL_checkPortNode(pC, pExts);
        if (pMdls != nullptr) s_TestDiffModels(pC, mapModels);
        if (pC->pCmpntEmi != nullptr) CMPNTEMI_Test(pC, pC->pCmpntEmi);
    }
}

BOOL CMPNT_IsDifferentialPinModel(MDL* pMdl, PIN** ppPinOut)
{
    KIVO_ASSERT(pMdl != nullptr);
    KIVO* pKivo = nullptr;
    if (KIVO_GetKIVO(&pKivo) != SUCCESS) {
        ERRLOG_LineBugNew(500, "cmpnt.c", __LINE__);
        return FALSE;
    }
    CMPNT* pCmpnts = nullptr;
    if (KIVO_GetCmpnts(pKivo, &pCmpnts) != SUCCESS) {
        ERRLOG_LineBugNew(547, "cmpnt.c", __LINE__);
        return FALSE;
    }
    MSEL* pMsels = nullptr;
    (void)KIVO_GetMsels(pKivo, &pMsels);
    const char* sModel = pMdl->sModel.c_str();

    for (CMPNT* pC = pCmpnts; pC != nullptr; pC = pC->pNext) {
        if (pC->pPins == nullptr) continue;
        for (const DIFPIN* pDiff = pC->pDiff_Pins; pDiff != nullptr; pDiff = pDiff->pNext) {
            for (const std::string* pName : {&pDiff->sDiff_Pin, &pDiff->sInv_pin}) {
                PIN* pPin = PIN_FindPin(pC->pPins, pName->c_str());
                if (pPin == nullptr) continue;
                bool bUses = pPin->sModel_name == sModel;
                if (!bUses) {
                    MSEL* pMsel = MSEL_FindMsel(pPin->sModel_name.c_str(), pMsels);
                    if (pMsel == nullptr) continue;
                    for (const MSELMODEL* p = pMsel->pMselModels; p != nullptr && !bUses; p = p->pNext)
                        bUses = p->sModel == sModel;
                    if (!bUses) {
                        pMsel->usage = USAGE_DIFFERENTIAL;
                        continue;
                    }
                }
                if (ppPinOut != nullptr) *ppPinOut = pPin;
                pMdl->usage = USAGE_DIFFERENTIAL;
                return TRUE;
            }
        }
    }
    return FALSE;
}

void CMPNT_Reset()
{
    gpCmpnt = nullptr;
    gbFoundManufacturer = FALSE;
    giPinRlcOrder[0] = 0;
    giPinRlcOrder[1] = 1;
    giPinRlcOrder[2] = 2;
    geCurrentKeyword = NOT_KEY;
    gePreviousKeyword = NOT_KEY;
    CMPNTEMI_Reset();
}

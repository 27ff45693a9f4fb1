#include "package/pkgmdl.h"

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <string>
#include <system_error>
#include <unordered_map>
#include <vector>

#include "common/cmn.h"
#include "common/errlog.h"
#include "parse/kivo.h"
#include "parse/parse.h"

namespace {

constexpr unsigned kNameLen = 40;
constexpr unsigned kDescriptionLen = 60;
constexpr unsigned kPinNameLen = 5;
constexpr unsigned kScanLineLen = 120;

// ---------------------------------------------------------------------------
// Module state: the package model being read.
// ---------------------------------------------------------------------------
PKGMDL* gpPkgMdl = nullptr;
BOOL gbPinNumbersFound = FALSE;
BOOL gbModelDataFound = FALSE;
BOOL gbEndModelDataFound = FALSE;
BOOL gbEndPkgMdlFound = FALSE;
BOOL gbPin_SectionsFound = FALSE;  // [Number Of Sections] given: pins carry section chains
KEYWORD_TYPE geCurrentKeyword = NOT_KEY;
KEYWORD_TYPE gePrevKeyword = NOT_KEY;
KEYWORD_TYPE geMatrixKeyword = NOT_KEY;  // matrix whose [Row]s are being read
// Sections form: the pin being read (-1: none), its current chain element
// and the forks opened and not yet closed, innermost last.
long glCurrentPin = -1;
PKG_ELEMENT* gpCurrentElement = nullptr;
std::vector<PKG_ELEMENT*> gvForkStack;

// Iterators of the pin lookups.
struct PIN_ITERATOR {
    PKGMDL* pList = nullptr;
    std::string sName;
    PKGMDL* pModel = nullptr;
    std::size_t uiNext = 0;
    MPINS* pGroup = nullptr;   // merged pins: group being walked
    long lMember = -1;         // merged pins: -1 = its merging pin, else connected pin
};
PIN_ITERATOR gPinIter;
PIN_ITERATOR gMergedIter;

bool s_IsMatrixKey(KEYWORD_TYPE e)
{
    return e == PKGMDL_RMX_KEY || e == PKGMDL_IMX_KEY || e == PKGMDL_CMX_KEY;
}

MTX** s_MatrixOf(PKGMDL* p, KEYWORD_TYPE e)
{
    switch (e) {
    case PKGMDL_RMX_KEY: return &p->pResistanceMatrix;
    case PKGMDL_IMX_KEY: return &p->pInductanceMatrix;
    case PKGMDL_CMX_KEY: return &p->pCapacitanceMatrix;
    default: return nullptr;
    }
}

// ---------------------------------------------------------------------------
// Section chains.
// ---------------------------------------------------------------------------
void s_FreeChain(PKG_ELEMENT* pHead)
{
    // Forks hold branches of their own: walk with an explicit stack.
    std::vector<PKG_ELEMENT*> pending;
    if (pHead != nullptr) pending.push_back(pHead);
    while (!pending.empty()) {
        PKG_ELEMENT* p = pending.back();
        pending.pop_back();
        while (p != nullptr) {
            PKG_ELEMENT* pNext = p->pNext;
            if (p->eType == PKG_FORK_TYPE) {
                if (p->uContent.pFork != nullptr) pending.push_back(p->uContent.pFork);
            } else {
                SECT_Free(p->uContent.pSect);
            }
            delete p;
            p = pNext;
        }
    }
}

// Sections of a chain, those inside fork branches included.
unsigned long s_CountSections(const PKG_ELEMENT* pHead)
{
    unsigned long ulCount = 0;
    std::vector<const PKG_ELEMENT*> pending;
    if (pHead != nullptr) pending.push_back(pHead);
    while (!pending.empty()) {
        const PKG_ELEMENT* p = pending.back();
        pending.pop_back();
        for (; p != nullptr; p = p->pNext) {
            if (p->eType == PKG_FORK_TYPE) {
                if (p->uContent.pFork != nullptr) pending.push_back(p->uContent.pFork);
            } else {
                ++ulCount;
            }
        }
    }
    return ulCount;
}

// Adds an element to the current pin's chain after the current element (or
// as the pin's first element); with bIntoBranch, an element that follows
// the fork just opened goes into that fork's branch instead.  It becomes
// the current element.  Sections enter the branch of the open fork; a fork
// is always put after the current element, even after a fork just opened.
void s_AppendElement(PKG_ELEMENT* pNew, bool bIntoBranch)
{
    PKG_ELEMENT* pCur = gpCurrentElement;
    if (pCur == nullptr) {
        gpPkgMdl->ppPin_Sections[static_cast<std::size_t>(glCurrentPin)] = pNew;
    } else if (bIntoBranch && !gvForkStack.empty() && gvForkStack.back() == pCur) {
        pNew->pNext = pCur->uContent.pFork;
        pCur->uContent.pFork = pNew;
    } else {
        pNew->pNext = pCur->pNext;
        pCur->pNext = pNew;
    }
    gpCurrentElement = pNew;
}

// Reads the sections of a line into the current pin's chain until the line
// holds no further section or a section fails.
void s_ReadSections(char* p)
{
    for (;;) {
        SECT* pSect = nullptr;
        char* pNext = p;
        if (SECT_ParseSection(p, &pSect, &pNext) != SUCCESS || pSect == nullptr) return;
        PKG_ELEMENT* pElem = new PKG_ELEMENT;
        pElem->eType = PKG_SECTION_TYPE;
        pElem->uContent.pSect = pSect;
        s_AppendElement(pElem, true);
        p = pNext;
    }
}

// ---------------------------------------------------------------------------
// [Pin Numbers].
// ---------------------------------------------------------------------------
// Stores a pin name (already cut to 5 characters).  -1 when the line is
// dropped, else the pin's 0-based position.
long s_AddPinName(const std::string& sName)
{
    PKGMDL* p = gpPkgMdl;
    if (!p->bPin_NumbersCreated) {
        if (p->uiNumber_of_Pins == 0) {
            ERRLOG_LineErrorNew(3433);
            return -1;
        }
        p->bPin_NumbersCreated = true;
    }
    if (p->ppPin_Numbers.size() >= p->uiNumber_of_Pins) {
        ERRLOG_LineErrorNew(3435);
        return -1;
    }
    auto found = p->mPinIndex.find(sName);
    if (found != p->mPinIndex.end())
        ERRLOG_LineErrorNew(3437, sName);
    p->ppPin_Numbers.push_back(sName);
    long lPos = static_cast<long>(p->ppPin_Numbers.size()) - 1;
    if (found == p->mPinIndex.end()) p->mPinIndex.emplace(sName, static_cast<unsigned>(lPos + 1));
    if (gbPin_SectionsFound == TRUE) p->ppPin_Sections.push_back(nullptr);
    return lPos;
}

std::string s_CutPinName(const char* sName, std::size_t uiLen)
{
    std::string s(sName, uiLen);
    if (s.size() > kPinNameLen) {
        ERRLOG_LineErrorNew(3432);
        s.resize(kPinNameLen);
    }
    return s;
}

void s_PinSimple(const char* sLine) { s_AddPinName(s_CutPinName(sLine, std::strlen(sLine))); }

bool s_IsLenLine(const char* s)
{
    if (std::strncmp(s, "Len", 3) != 0) return false;
    s += 3;
    while (*s == ' ' || *s == '\t') ++s;
    return *s == '=';
}

// A line of [Pin Numbers] when pins carry section chains: a pin name with
// its first sections, or a continuation: more sections, "Fork", "Endfork".
void s_PinSections(char* sLine)
{
    if (s_IsLenLine(sLine)) {
        if (glCurrentPin < 0 || gpCurrentElement == nullptr) {
            ERRLOG_LineErrorNew(3438);
            return;
        }
        s_ReadSections(sLine);
        return;
    }
    if (std::strcmp(sLine, "Fork") == 0) {
        if (!gvForkStack.empty()) ERRLOG_LineErrorNew(3439);
        if (glCurrentPin < 0) {
            ERRLOG_LineErrorNew(3440);
            return;
        }
        PKG_ELEMENT* pFork = new PKG_ELEMENT;
        pFork->eType = PKG_FORK_TYPE;
        s_AppendElement(pFork, false);
        gvForkStack.push_back(pFork);
        return;
    }
    if (std::strcmp(sLine, "Endfork") == 0) {
        if (glCurrentPin < 0) {
            ERRLOG_LineErrorNew(3441);
            return;
        }
        if (gvForkStack.empty()) {
            ERRLOG_LineErrorNew(3443);
            return;
        }
        PKG_ELEMENT* pFork = gvForkStack.back();
        gvForkStack.pop_back();
        gpCurrentElement = pFork;
        if (pFork->uContent.pFork == nullptr) ERRLOG_LineErrorNew(3442);
        return;
    }

    // A new pin.
    char* p = sLine;
    while (*p != '\0' && *p != ' ' && *p != '\t') ++p;
    std::string sWord(sLine, static_cast<std::size_t>(p - sLine));
    gpCurrentElement = nullptr;
    glCurrentPin = -1;
    if (!gvForkStack.empty()) {
        ERRLOG_LineErrorNew(3444, sWord);
        gvForkStack.clear();
    }
    std::string sName = s_CutPinName(sWord.c_str(), sWord.size());
    if (sWord.find('=') != std::string::npos) ERRLOG_LineWarnNew(3445, sWord);
    if (sWord.find('/') != std::string::npos) ERRLOG_LineWarnNew(3446, sWord);
    static const char* const kSuspicious[] = {"Len", "Fork", "Endfork", "C", "R", "L"};
    for (const char* s : kSuspicious)
        if (sWord == s) ERRLOG_LineWarnNew(3447, sWord);

    long lPos = s_AddPinName(sName);
    if (lPos < 0) return;  // the line is dropped
    glCurrentPin = lPos;
    s_ReadSections(p);
    if (gpPkgMdl->ppPin_Sections[static_cast<std::size_t>(lPos)] == nullptr) ERRLOG_LineErrorNew(3449);
}

// ---------------------------------------------------------------------------
// Keywords.
// ---------------------------------------------------------------------------
// [Number Of Pins] and [Number Of Sections] share their value rules.
void s_Count(const char* sValue, unsigned* puiField, bool bLine, int iBlank, int iDup, int iSuspicious,
             int iBad, int iZero)
{
    if (*sValue == '\0') {
        ERRLOG_LineErrorNew(iBlank);
        return;
    }
    if (*puiField != 0) {
        ERRLOG_LineErrorNew(iDup);
        return;
    }
    unsigned ui = 0;
    GBU g = CMN_StrToUI(sValue, &ui);
    if (g == BAD) {
        if (bLine)
            ERRLOG_LineErrorNew(iBad);
        else
            ERRLOG_ErrorNew(iBad);
        return;
    }
    if (g == UGLY) {
        if (bLine)
            ERRLOG_LineWarnNew(iSuspicious);
        else
            ERRLOG_WarnNew(iSuspicious);
    }
    *puiField = ui;
    if (ui == 0) {
        if (bLine)
            ERRLOG_LineErrorNew(iZero);
        else
            ERRLOG_ErrorNew(iZero);
    }
}

// [Pin Numbers], [Model Data], [End Model Data], [End Package Model]: once
// each, with nothing after the keyword.
void s_SeenOnce(BOOL* pbFound, const char* sLabel, const char* sValue)
{
    if (*pbFound == TRUE) {
        ERRLOG_LineErrorNew(3468, sLabel);
        return;
    }
    if (*sValue != '\0') ERRLOG_LineErrorNew(3469, sLabel);
    *pbFound = TRUE;
}

void s_ReceiveKeyword(KEYWORD_TYPE eKeyword, char* sLine)
{
    PKGMDL* p = gpPkgMdl;
    char* sValue = sLine;
    CMN_EatKeyword(&sValue);
    gePrevKeyword = geCurrentKeyword;
    geCurrentKeyword = eKeyword;

    switch (eKeyword) {
    case PKGMDL_DEF_KEY:
        CMN_SetKeywordStr(p->sDefine_Package_Model, sValue, kNameLen, "Define Package Model");
        CMN_ReservedWordErr(p->sDefine_Package_Model.c_str());
        break;
    case PKGMDL_MANU_KEY: CMN_SetKeywordStr(p->sManufacturer, sValue, kNameLen, "Manufacturer"); break;
    case PKGMDL_OEM_KEY: CMN_SetKeywordStr(p->sOEM, sValue, kNameLen, "OEM"); break;
    case PKGMDL_DESC_KEY: CMN_SetKeywordStr(p->sDescription, sValue, kDescriptionLen, "Description"); break;
    case PKGMDL_NUMPIN_KEY:
        s_Count(sValue, &p->uiNumber_of_Pins, true, 3420, 3421, 3422, 3423, 3424);
        break;
    case PKGMDL_NUMSEC_KEY: {
        if (*sValue == '\0') {
            ERRLOG_LineErrorNew(3425);
            break;
        }
        if (p->uiNumber_of_Sections != 0) {
            ERRLOG_LineErrorNew(3426);
            break;
        }
        if (!p->ppPin_Numbers.empty()) ERRLOG_LineErrorNew(3427);
        s_Count(sValue, &p->uiNumber_of_Sections, false, 3425, 3426, 3428, 3429, 3430);
        if (gbPin_SectionsFound != TRUE) {
            gbPin_SectionsFound = TRUE;
            // Pins stored before sections mode have empty chains.
            p->ppPin_Sections.resize(p->ppPin_Numbers.size(), nullptr);
        }
        break;
    }
    case PKGMDL_PINNUM_KEY: s_SeenOnce(&gbPinNumbersFound, "Pin_Numbers", sValue); break;
    case PKGMDL_MDLDATA_KEY: s_SeenOnce(&gbModelDataFound, "Model_Data", sValue); break;
    case PKGMDL_MDLEND_KEY:
        // The end of the model data also ends the matrix whose rows were read.
        if (gbEndModelDataFound != TRUE) geMatrixKeyword = NOT_KEY;
        s_SeenOnce(&gbEndModelDataFound, "End_Model_Data", sValue);
        break;
    case PKGMDL_END_KEY: s_SeenOnce(&gbEndPkgMdlFound, "End_Package_Model", sValue); break;
    case PKGMDL_RMX_KEY:
    case PKGMDL_IMX_KEY:
    case PKGMDL_CMX_KEY: {
        geMatrixKeyword = eKeyword;
        MTX** ppMtx = s_MatrixOf(p, eKeyword);
        if (*ppMtx != nullptr) {
            ERRLOG_LineErrorNew(eKeyword == PKGMDL_RMX_KEY   ? 3460
                                : eKeyword == PKGMDL_IMX_KEY ? 3461
                                                             : 3462);
            break;
        }
        MTX_New(ppMtx, sValue, p->uiNumber_of_Pins);
        break;
    }
    case PKGMDL_BW_KEY:
        if (s_IsMatrixKey(gePrevKeyword)) {
            MTX* pMtx = *s_MatrixOf(p, gePrevKeyword);
            if (pMtx == nullptr)
                ERRLOG_LineBugNew(3463, "pkgmdl.c", __LINE__);
            else
                MTX_SetBandwidth(pMtx, sValue);
        } else if (gePrevKeyword == PKGMDL_BW_KEY) {
            ERRLOG_LineErrorNew(3464);
        } else {
            ERRLOG_LineErrorNew(3465);
        }
        break;
    case PKGMDL_ROW_KEY:
        if (!s_IsMatrixKey(geMatrixKeyword)) {
            ERRLOG_LineErrorNew(3466);
        } else {
            MTX* pMtx = *s_MatrixOf(p, geMatrixKeyword);
            if (pMtx == nullptr)
                ERRLOG_LineBugNew(3463, "pkgmdl.c", __LINE__);
            else
                MTX_AddRow(pMtx, sValue);
        }
        break;
    case PKGMDL_MPINS_KEY: {
        if (gbPinNumbersFound != TRUE || gbModelDataFound == TRUE) ERRLOG_LineErrorNew(3471);
        const char* pcPin = nullptr;
        if (MPINS_New(sValue, &p->pMpins, &pcPin) == SUCCESS && !p->ppPin_Numbers.empty() && *pcPin != '\0' &&
            p->mPinIndex.count(pcPin) == 0)
            ERRLOG_LineErrorNew(3473, pcPin);
        break;
    }
    default: ERRLOG_LineBugNew(3403, "pkgmdl.c", __LINE__); break;
    }
}

void s_ReceiveData(char* sLine)
{
    switch (geCurrentKeyword) {
    case PKGMDL_ROW_KEY:
        if (s_IsMatrixKey(geMatrixKeyword) && *s_MatrixOf(gpPkgMdl, geMatrixKeyword) != nullptr) {
            MTX_AddRowData(*s_MatrixOf(gpPkgMdl, geMatrixKeyword), sLine);
            return;
        }
        break;
    case PKGMDL_MPINS_KEY:
        if (MPINS_GetCurrent() != nullptr) {
            MPINS_ReceiveLine(MPINS_GetCurrent(), sLine);
            return;
        }
        break;
    case PKGMDL_PINNUM_KEY:
        if (geFileVersion >= VER_3 && gbPin_SectionsFound == TRUE)
            s_PinSections(sLine);
        else
            s_PinSimple(sLine);
        return;
    default: break;
    }
    ERRLOG_LineErrorNew(3404);
}

// ---------------------------------------------------------------------------
// End of a [Merged Pins] block and of a package model.
// ---------------------------------------------------------------------------
void s_EndMergedPinsBlock()
{
    const std::vector<std::string>* pPins = nullptr;
    int nPins = 0;
    unsigned long ulLine = 0;
    if (MPINS_GetConnectedMergedPins(&pPins, &nPins, &ulLine) != SUCCESS) return;
    if (nPins == 0) ERRLOG_ErrorNew(3475, static_cast<int>(ulLine));
    for (const std::string& sPin : *pPins)
        if (gpPkgMdl->mPinIndex.count(sPin) != 0) ERRLOG_ErrorNew(3474, sPin);
}

void s_EndChecks()
{
    PKGMDL* p = gpPkgMdl;
    const std::string& sName = p->sDefine_Package_Model;
    const bool bSections = gbPin_SectionsFound == TRUE;
    if (sName.empty()) ERRLOG_ErrorNew(3417);
    if (p->sManufacturer.empty()) ERRLOG_ErrorNew(3467, "Manufacturer", sName);
    if (p->sOEM.empty()) ERRLOG_ErrorNew(3418, sName);
    if (p->sDescription.empty()) ERRLOG_ErrorNew(3419, sName);
    if (p->uiNumber_of_Pins == 0) ERRLOG_ErrorNew(3431, sName);
    if (gbPinNumbersFound != TRUE) {
        ERRLOG_ErrorNew(3452, sName);
    } else if (p->uiNumber_of_Pins > 0) {
        unsigned uiCount = static_cast<unsigned>(p->ppPin_Numbers.size());
        if (uiCount == 0)
            ERRLOG_ErrorNew(3453, sName);
        else if (uiCount < p->uiNumber_of_Pins)
            ERRLOG_ErrorNew(3454, p->uiNumber_of_Pins, uiCount, sName);
    }
    if (bSections) {
        if (!gvForkStack.empty()) {
            ERRLOG_ErrorNew(3450);
            gvForkStack.clear();
        }
        for (std::size_t u = 0; u < p->ppPin_Sections.size(); ++u) {
            unsigned long ulCount = s_CountSections(p->ppPin_Sections[u]);
            if (ulCount > p->uiNumber_of_Sections)
                ERRLOG_ErrorNew(3451, p->ppPin_Numbers[u], static_cast<long>(ulCount),
                                static_cast<long>(p->uiNumber_of_Sections));
        }
    }
    if (bSections && gbModelDataFound == TRUE) ERRLOG_ErrorNew(3456, sName);
    if (!bSections && gbModelDataFound != TRUE) ERRLOG_ErrorNew(3455, sName);

    if (p->pResistanceMatrix != nullptr) {
        if (bSections)
            ERRLOG_ErrorNew(3411, sName);
        else
            MTX_Test("Resistance", p->pResistanceMatrix, sName.c_str());
    }
    if (p->pInductanceMatrix != nullptr) {
        if (bSections)
            ERRLOG_ErrorNew(3412, sName);
        else
            MTX_Test("Inductance", p->pInductanceMatrix, sName.c_str());
    } else if (!bSections) {
        ERRLOG_ErrorNew(3413, sName);
    }
    if (p->pCapacitanceMatrix != nullptr) {
        if (bSections)
            ERRLOG_ErrorNew(3414, sName);
        else
            MTX_Test("Capacitance", p->pCapacitanceMatrix, sName.c_str());
    } else if (!bSections) {
        ERRLOG_ErrorNew(3415, sName);
    }
    if (bSections && gbEndModelDataFound == TRUE) ERRLOG_ErrorNew(3458, sName);
    if (!bSections && gbEndModelDataFound != TRUE) ERRLOG_ErrorNew(3457, sName);
    if (gbEndPkgMdlFound != TRUE) ERRLOG_ErrorNew(3459);
}

// Forgets which keywords of the current package model were seen.
void s_ForgetKeywordsSeen()
{
    gbPinNumbersFound = FALSE;
    gbModelDataFound = FALSE;
    gbEndModelDataFound = FALSE;
    gbEndPkgMdlFound = FALSE;
    gbPin_SectionsFound = FALSE;
    geCurrentKeyword = NOT_KEY;
}

void s_ClosePkgMdl()
{
    gpPkgMdl = nullptr;
    glCurrentPin = -1;
    gpCurrentElement = nullptr;
    gvForkStack.clear();
    geMatrixKeyword = NOT_KEY;
    MTX_Reset();
    MPINS_StartList();
}

// ---------------------------------------------------------------------------
// Package-file search.
// ---------------------------------------------------------------------------
// The package files of a directory are its regular files whose names end in
// ".pkg" and do not start with a point (hidden files are not package files);
// directories and symbolic links are not listed.  They are read in byte
// order of their names.  The directory name is used only as a path, never
// interpreted, so any characters in it are harmless.
std::vector<std::string> s_ListPkgFiles(const std::string& sDir)
{
    namespace fs = std::filesystem;
    std::vector<std::string> names;
    std::error_code ec;
    fs::directory_iterator it(sDir.empty() ? fs::path(".") : fs::path(sDir), ec);
    if (ec) return names;
    for (fs::directory_iterator end; it != end; it.increment(ec)) {
        if (ec) break;
        std::string sName = it->path().filename().string();
        if (sName.size() <= 4 || sName[0] == '.' || sName.compare(sName.size() - 4, 4, ".pkg") != 0) continue;
        std::error_code ecStat;
        fs::file_status st = it->symlink_status(ecStat);
        if (ecStat || !fs::is_regular_file(st)) continue;
        names.push_back(std::move(sName));
    }
    std::sort(names.begin(), names.end());
    return names;
}

// TRUE when the package file defines sPackage_Model: a [Define Package
// Model] line (blanks or underscores between the words, any case) whose
// value starts with the model name.
bool s_FileDefines(const std::string& sFile, const char* sPackage_Model)
{
    FILE* pFile = nullptr;
    std::string sBase;
    if (CMN_OpenFile(sFile.c_str(), TYPE_PKG, &pFile, sBase) != SUCCESS) return false;
    static const char* const kForms[] = {"[DEFINE PACKAGE MODEL]", "[DEFINE PACKAGE_MODEL]", "[DEFINE_PACKAGE MODEL]",
                                         "[DEFINE_PACKAGE_MODEL]"};
    const std::size_t uiNameLen = std::strlen(sPackage_Model);
    char buf[kScanLineLen + 1];
    bool bFound = false;
    while (!bFound && CMN_GetLine(buf, sizeof buf, pFile) != nullptr) {
        const char* p = buf;
        while (*p == ' ' || *p == '\t') ++p;
        if (*p != '[') continue;
        bool bKeyword = false;
        for (const char* sForm : kForms)
            if (CMN_StrSameICn(p, sForm, 22) == TRUE) bKeyword = true;
        if (!bKeyword) continue;
        p += 22;
        while (*p == ' ' || *p == '\t') ++p;
        if (std::strncmp(p, sPackage_Model, uiNameLen) == 0) bFound = true;
    }
    std::fclose(pFile);
    return bFound;
}

}  // namespace

// ---------------------------------------------------------------------------
// Section operations.
// ---------------------------------------------------------------------------
STATUS PKGMDL_Init()
{
    KIVO* pKivo = nullptr;
    if (KIVO_GetKIVO(&pKivo) != SUCCESS) {
        ERRLOG_LineBugNew(3400, "pkgmdl.c", __LINE__);
        return FAILURE;
    }
    PKGMDL* pNew = new PKGMDL;
    KIVO_AddPkgMdl(pKivo, pNew);
    s_ClosePkgMdl();
    gpPkgMdl = pNew;
    s_ForgetKeywordsSeen();
    return SUCCESS;
}

STATUS PKGMDL_ReceiveLine(LINE_TYPE eLineType, KEYWORD_TYPE eKeyword, char* sLine)
{
    KIVO_ASSERT(sLine != nullptr);
    if (eLineType != KEYWORD_LINE && eLineType != OTHER_LINE) {
        ERRLOG_LineBugNew(3405, "pkgmdl.c", __LINE__);
        return FAILURE;
    }
    if (gpPkgMdl == nullptr) {
        ERRLOG_LineErrorNew(eLineType == KEYWORD_LINE ? 3401 : 3402);
        return FAILURE;
    }
    if (eLineType == KEYWORD_LINE)
        s_ReceiveKeyword(eKeyword, sLine);
    else
        s_ReceiveData(sLine);
    return SUCCESS;
}

STATUS PKGMDL_Fini(KEYWORD_TYPE eNewKeyword)
{
    if (gpPkgMdl == nullptr) return SUCCESS;
    if (geCurrentKeyword == PKGMDL_MPINS_KEY) s_EndMergedPinsBlock();
    if ((eNewKeyword >= PKGMDL_MANU_KEY && eNewKeyword <= PKGMDL_ROW_KEY) || eNewKeyword == PKGMDL_NUMSEC_KEY ||
        eNewKeyword == PKGMDL_MPINS_KEY)
        return SUCCESS;
    MTX_Fini();
    if (eNewKeyword == PKGMDL_MDLEND_KEY || eNewKeyword == PKGMDL_END_KEY) return SUCCESS;
    s_EndChecks();
    s_ClosePkgMdl();
    return SUCCESS;
}

void PKGMDL_AddLink(PKGMDL* pNew, PKGMDL* pPrev)
{
    KIVO_ASSERT(pNew != nullptr);
    pNew->pNext = pPrev;
}

PKGMDL* PKGMDL_GetLastLink(PKGMDL* pList)
{
    if (pList == nullptr) return nullptr;
    while (pList->pNext != nullptr) pList = pList->pNext;
    return pList;
}

void PKGMDL_Free(PKGMDL* p)
{
    if (p == nullptr) return;
    if (p == gpPkgMdl) s_ClosePkgMdl();
    if (p == gPinIter.pModel) gPinIter = PIN_ITERATOR();
    if (p == gMergedIter.pModel) gMergedIter = PIN_ITERATOR();
    MTX_Free(p->pResistanceMatrix);
    MTX_Free(p->pInductanceMatrix);
    MTX_Free(p->pCapacitanceMatrix);
    for (PKG_ELEMENT* pChain : p->ppPin_Sections) s_FreeChain(pChain);
    MPINS_FreeList(p->pMpins);
    delete p;
}

void PKGMDL_FreeList(PKGMDL* pList)
{
    while (pList != nullptr) {
        PKGMDL* pNext = pList->pNext;
        PKGMDL_Free(pList);
        pList = pNext;
    }
}

void PKGMDL_TestList(PKGMDL* pPkgMdlList)
{
    // How many models of each name are still to come, for the duplicate
    // report: one message per pair.
    std::unordered_map<std::string, unsigned long> mRemaining;
    for (PKGMDL* p = pPkgMdlList; p != nullptr; p = p->pNext) ++mRemaining[p->sDefine_Package_Model];
    for (PKGMDL* p = pPkgMdlList; p != nullptr; p = p->pNext) {
        if (p->pMpins != nullptr && p->pResistanceMatrix == nullptr && p->pInductanceMatrix == nullptr &&
            p->pCapacitanceMatrix == nullptr)
            ERRLOG_ErrorNew(3472, p->sDefine_Package_Model);
        unsigned long& ulLater = mRemaining[p->sDefine_Package_Model];
        --ulLater;
        for (unsigned long u = 0; u < ulLater; ++u) ERRLOG_ErrorNew(3410, p->sDefine_Package_Model);
    }
}

// ---------------------------------------------------------------------------
// Lookups.
// ---------------------------------------------------------------------------
STATUS PKGMDL_FindPackageModel(PKGMDL* pPkgMdls, const char* sPackage_Model, PKGMDL** ppPkgMdl_out)
{
    KIVO_ASSERT(sPackage_Model != nullptr);
    for (PKGMDL* p = pPkgMdls; p != nullptr; p = p->pNext) {
        if (p->sDefine_Package_Model == sPackage_Model) {
            if (ppPkgMdl_out != nullptr) *ppPkgMdl_out = p;
            return SUCCESS;
        }
    }
    return FAILURE;
}

STATUS PKGMDL_FindPkgFile(const char* sPackage_Model)
{
    KIVO_ASSERT(sPackage_Model != nullptr);
    std::string sDir;
    CMN_GetKvoPath(sDir);
    bool bRead = false;
    for (const std::string& sFile : s_ListPkgFiles(sDir)) {
        if (!s_FileDefines(sFile, sPackage_Model)) continue;
        PARSE(sFile.c_str(), TYPE_PKG);
        bRead = true;
    }
    return bRead ? SUCCESS : FAILURE;
}

STATUS PKGMDL_GetPin_Number(PKGMDL* pPkgMdls_in, const char* sPackage_Model_in, BOOL bGetFirstPin_in,
                            const char** ppcPin_Number_out)
{
    KIVO_ASSERT(sPackage_Model_in != nullptr && ppcPin_Number_out != nullptr);
    PIN_ITERATOR& it = gPinIter;
    if (bGetFirstPin_in == TRUE || it.pList != pPkgMdls_in || it.sName != sPackage_Model_in) {
        it = PIN_ITERATOR();
        it.pList = pPkgMdls_in;
        it.sName = sPackage_Model_in;
        PKGMDL_FindPackageModel(pPkgMdls_in, sPackage_Model_in, &it.pModel);
    }
    if (it.pModel == nullptr || it.uiNext >= it.pModel->ppPin_Numbers.size()) return FAILURE;
    *ppcPin_Number_out = it.pModel->ppPin_Numbers[it.uiNext++].c_str();
    return SUCCESS;
}

STATUS PKGMDL_GetMergedPin_Number(PKGMDL* pPkgMdls_in, const char* sPackage_Model_in, BOOL bGetFirstPin_in,
                                  const char** ppcMergedPin_out, BOOL* pbNewPin)
{
    KIVO_ASSERT(sPackage_Model_in != nullptr && ppcMergedPin_out != nullptr && pbNewPin != nullptr);
    PIN_ITERATOR& it = gMergedIter;
    if (bGetFirstPin_in == TRUE || it.pList != pPkgMdls_in || it.sName != sPackage_Model_in) {
        it = PIN_ITERATOR();
        it.pList = pPkgMdls_in;
        it.sName = sPackage_Model_in;
        if (PKGMDL_FindPackageModel(pPkgMdls_in, sPackage_Model_in, &it.pModel) == SUCCESS)
            it.pGroup = it.pModel->pMpins;
    }
    while (it.pGroup != nullptr) {
        if (it.lMember < 0) {
            it.lMember = 0;
            *ppcMergedPin_out = it.pGroup->sPin.c_str();
            *pbNewPin = TRUE;
            return SUCCESS;
        }
        std::size_t u = static_cast<std::size_t>(it.lMember);
        if (u < it.pGroup->ppMergedPins.size()) {
            ++it.lMember;
            *ppcMergedPin_out = it.pGroup->ppMergedPins[u].c_str();
            *pbNewPin = FALSE;
            return SUCCESS;
        }
        it.pGroup = it.pGroup->pNext;
        it.lMember = -1;
    }
    return FAILURE;
}

STATUS PKGMDL_GetPinIndex(const char* sPin_in, unsigned* puiIndex_out)
{
    KIVO_ASSERT(sPin_in != nullptr && puiIndex_out != nullptr);
    *puiIndex_out = 0;
    if (gpPkgMdl == nullptr) return FAILURE;
    auto it = gpPkgMdl->mPinIndex.find(sPin_in);
    if (it == gpPkgMdl->mPinIndex.end()) return FAILURE;
    *puiIndex_out = it->second;
    return SUCCESS;
}

void PKGMDL_GetPinName(std::string& sPin_out, unsigned indexIn)
{
    sPin_out.clear();
    if (gpPkgMdl != nullptr && indexIn < gpPkgMdl->ppPin_Numbers.size()) sPin_out = gpPkgMdl->ppPin_Numbers[indexIn];
}

void PKGMDL_Reset()
{
    s_ClosePkgMdl();
    s_ForgetKeywordsSeen();
    gePrevKeyword = NOT_KEY;
    gPinIter = PIN_ITERATOR();
    gMergedIter = PIN_ITERATOR();
    MTX_Reset();
    MPINS_Reset();
}

#include "parse/hdr.h"

#include <cctype>
#include <cstring>
#include <new>

#include "common/cmn.h"
#include "common/errlog.h"
#include "parse/kivo.h"
#include "parse/parse.h"

// Version whose rules govern the file being read; set from [KIVO Ver] and
// kept from file to file.
KIVO_VER geFileVersion = VER_UNKNOWN;

namespace {

// The open header record (null when none is open).
HDR* gpHdr = nullptr;

// One found-flag per header keyword of the open record.
BOOL gbFoundKIVO_Ver = FALSE;
BOOL gbFoundFile_name = FALSE;
BOOL gbFoundFile_Rev = FALSE;
BOOL gbFoundDate = FALSE;
BOOL gbFoundSource = FALSE;
BOOL gbFoundNotes = FALSE;
BOOL gbFoundDisclaimer = FALSE;
BOOL gbFoundCopyright = FALSE;

// Keyword of the last header keyword line: its free text receives the data
// lines that follow.
KEYWORD_TYPE geHdrKeyword = NOT_KEY;

BOOL gbAllowAnyFile_name = FALSE;
BOOL gbAllow1xVersions = FALSE;
BOOL gbAllowAnyVersion = FALSE;

// The version values a header may declare.
const char* const s_ValidVersions[] = {"2.0", "2.1", "3.0", "3.1", "3.2", "4.0",
                                       "4.1", "4.2", "5.0", "5.1", "6.0", "6.1"};

// Characters other than letters and digits that a file name may hold.
const char s_FileNameMarks[] = "_^$~!#%&-{})(@'`.";

void s_ClearFoundFlags()
{
    gbFoundKIVO_Ver = FALSE;
    gbFoundFile_name = FALSE;
    gbFoundFile_Rev = FALSE;
    gbFoundDate = FALSE;
    gbFoundSource = FALSE;
    gbFoundNotes = FALSE;
    gbFoundDisclaimer = FALSE;
    gbFoundCopyright = FALSE;
}

// Appends one piece of free text after a newline.
void s_AppendText(std::optional<std::string>& sText, const char* sAdd)
{
    try {
        if (!sText) {
            sText.emplace(sAdd);
            return;
        }
        sText->reserve(sText->size() + std::strlen(sAdd) + 2);
        sText->push_back('\n');
        sText->append(sAdd);
    } catch (const std::bad_alloc&) {
        ERRLOG_LineErrorNew(1020);
    }
}

// Starts a free text with the keyword line's value (possibly empty).
void s_StartText(std::optional<std::string>& sText, const char* sValue)
{
    try {
        sText.emplace(sValue);
    } catch (const std::bad_alloc&) {
        ERRLOG_LineErrorNew(1020);
    }
}

BOOL s_IsValidVersion(const std::string& sVer)
{
    for (const char* sValid : s_ValidVersions) {
        if (sVer == sValid) return TRUE;
    }
    if (gbAllow1xVersions == TRUE && sVer.compare(0, 2, "1.") == 0) return TRUE;
    return FALSE;
}

// The rule set chosen by an accepted, non-empty version value.
KIVO_VER s_VersionOf(const std::string& sVer)
{
    if (gbAllowAnyVersion == TRUE) return VER_61;
    if (sVer[0] == '6' && sVer.size() >= 3 && sVer[2] == '1') return VER_61;
    if (sVer[0] == '6' && sVer.size() >= 3 && sVer[2] == '0') return VER_6;
    switch (sVer[0]) {
    case '5': return VER_5;
    case '4': return VER_4;
    case '3': return VER_3;
    case '1': return VER_1;
    case '2': return VER_2;
    default: return geFileVersion;
    }
}

void s_SetKIVO_Ver(const char* sValue)
{
    if (gbFoundFile_name == TRUE || gbFoundFile_Rev == TRUE || gbFoundDate == TRUE ||
        gbFoundSource == TRUE || gbFoundNotes == TRUE || gbFoundDisclaimer == TRUE ||
        gbFoundCopyright == TRUE) {
        ERRLOG_LineErrorNew(1007);
    }
    if (gbFoundKIVO_Ver == TRUE) {
        ERRLOG_LineErrorNew(1005);
        return;
    }
    gbFoundKIVO_Ver = TRUE;
    CMN_SetKeywordStr(gpHdr->sKIVO_Ver, sValue, HDR_KIVO_VER_LEN, "KIVO_Version");

    const std::string& sVer = gpHdr->sKIVO_Ver;
    if (sVer.empty()) return;
    if (gbAllowAnyVersion == FALSE && s_IsValidVersion(sVer) == FALSE) {
        ERRLOG_LineErrorNew(1008, sVer);
        return;
    }
    geFileVersion = s_VersionOf(sVer);
}

// The file-name rules: lower case, characters a DOS file name may hold, one
// period, and the name the file was opened under.
void s_CheckFile_name(const std::string& sName)
{
    bool bPointSeen = false;
    for (char c : sName) {
        const unsigned char uc = static_cast<unsigned char>(c);
        if (std::isupper(uc)) {
            ERRLOG_LineErrorNew(1010, sName, c);
        } else if (!std::isalnum(uc) && (c == '\0' || std::strchr(s_FileNameMarks, c) == nullptr)) {
            ERRLOG_LineErrorNew(1011, sName, c);
        } else if (c == '.') {
            if (bPointSeen) ERRLOG_LineErrorNew(1012, sName);
            bPointSeen = true;
        }
    }
    if (!bPointSeen) ERRLOG_LineErrorNew(1013, sName);

    std::string sOpened;
    PARSE_GetFileName(sOpened);
    if (CMN_StrSameIC(sOpened.c_str(), sName.c_str()) == FALSE) ERRLOG_LineErrorNew(1014, sOpened, sName);
}

void s_SetFile_name(const char* sValue)
{
    if (gbFoundFile_name == TRUE) {
        ERRLOG_LineErrorNew(1009);
        return;
    }
    gbFoundFile_name = TRUE;

    // The allowed length grows with the version: 12 before 3.2, 24 in 3.2,
    // 44 from 4.2 on; from 3.2 on a longer name is reported but kept whole.
    if (geFileVersion < VER_3) {
        CMN_SetKeywordStr(gpHdr->sFile_name, sValue, 12, "File_name");
    } else if (geFileVersion == VER_3) {
        CMN_SetFilenameStr(gpHdr->sFile_name, sValue, 24, "File_name");
    } else {
        CMN_SetFilenameStr(gpHdr->sFile_name, sValue, 44, "File_name");
    }

    const std::string& sName = gpHdr->sFile_name;
    if (gbAllowAnyFile_name == FALSE && !sName.empty()) s_CheckFile_name(sName);
    CMN_ReservedWordErr(sName.c_str());
}

// [File Rev] and [Date]: a plain value that may not be a reserved word.
void s_SetPlain(BOOL& bFound, int iDupCode, std::string& sField, unsigned uiLen, const char* sKeyword,
                const char* sValue)
{
    if (bFound == TRUE) {
        ERRLOG_LineErrorNew(iDupCode);
        return;
    }
    bFound = TRUE;
    CMN_SetKeywordStr(sField, sValue, uiLen, sKeyword);
    CMN_ReservedWordErr(sField.c_str());
}

// [Source], [Notes] and [Copyright]: a free text given once.
void s_SetText(BOOL& bFound, int iDupCode, std::optional<std::string>& sText, const char* sValue)
{
    if (bFound == TRUE) {
        ERRLOG_LineErrorNew(iDupCode);
        return;
    }
    bFound = TRUE;
    s_StartText(sText, sValue);
}

// [Disclaimer]: a second one continues the text of the first.
void s_SetDisclaimer(const char* sValue)
{
    if (gbFoundDisclaimer == TRUE) {
        s_AppendText(gpHdr->sDisclaimer, sValue);
        return;
    }
    gbFoundDisclaimer = TRUE;
    s_StartText(gpHdr->sDisclaimer, sValue);
}

STATUS s_ReceiveKeywordLine(KEYWORD_TYPE eKeyword, char* sLine)
{
    geHdrKeyword = eKeyword;
    char* sValue = sLine;
    if (CMN_EatKeyword(&sValue) != SUCCESS) sValue = sLine + std::strlen(sLine);

    switch (eKeyword) {
    case KIVOVER_KEY: s_SetKIVO_Ver(sValue); break;
    case FILENAME_KEY: s_SetFile_name(sValue); break;
    case FILEREV_KEY:
        s_SetPlain(gbFoundFile_Rev, 1015, gpHdr->sFile_Rev, HDR_FILE_REV_LEN, "File_Rev", sValue);
        break;
    case DATE_KEY: s_SetPlain(gbFoundDate, 1016, gpHdr->sDate, HDR_DATE_LEN, "Date", sValue); break;
    case SOURCE_KEY: s_SetText(gbFoundSource, 1017, gpHdr->sSource, sValue); break;
    case NOTES_KEY: s_SetText(gbFoundNotes, 1018, gpHdr->sNotes, sValue); break;
    case DISCLMR_KEY: s_SetDisclaimer(sValue); break;
    case COPYRIGHT_KEY: s_SetText(gbFoundCopyright, 1019, gpHdr->sCopyright, sValue); break;
    default: ERRLOG_LineBugNew(1003); return FAILURE;
    }
    return SUCCESS;
}

STATUS s_ReceiveDataLine(const char* sLine)
{
    switch (geHdrKeyword) {
    case SOURCE_KEY: s_AppendText(gpHdr->sSource, sLine); break;
    case NOTES_KEY: s_AppendText(gpHdr->sNotes, sLine); break;
    case DISCLMR_KEY: s_AppendText(gpHdr->sDisclaimer, sLine); break;
    case COPYRIGHT_KEY: s_AppendText(gpHdr->sCopyright, sLine); break;
    default: ERRLOG_LineErrorNew(1002); return FAILURE;
    }
    return SUCCESS;
}

// Accessor bodies: the record is checked before its field is read.
STATUS s_GetField(const HDR* pHdr, std::string hdr::*pField, const char** psOut)
{
    KIVO_ASSERT(pHdr != nullptr && psOut != nullptr);
    const std::string& sField = pHdr->*pField;
    *psOut = sField.empty() ? nullptr : sField.c_str();
    return *psOut != nullptr ? SUCCESS : FAILURE;
}

STATUS s_GetText(const HDR* pHdr, std::optional<std::string> hdr::*pText, const char** psOut)
{
    KIVO_ASSERT(pHdr != nullptr && psOut != nullptr);
    const std::optional<std::string>& sText = pHdr->*pText;
    *psOut = sText ? sText->c_str() : nullptr;
    return *psOut != nullptr ? SUCCESS : FAILURE;
}

}  // namespace

STATUS HDR_Init()
{
    KIVO* pKivo = nullptr;
    if (KIVO_GetKIVO(&pKivo) != SUCCESS) {
        ERRLOG_BugNew(1000);
        return FAILURE;
    }
    HDR* pNew = new (std::nothrow) HDR;
    if (pNew == nullptr) {
        ERRLOG_ErrorNew(1006);
        return FAILURE;
    }
    KIVO_AddHdr(pKivo, pNew);
    gpHdr = pNew;
    s_ClearFoundFlags();
    return SUCCESS;
}

STATUS HDR_ReceiveLine(LINE_TYPE eLineType, KEYWORD_TYPE eKeyword, char* sLine)
{
    KIVO_ASSERT(sLine != nullptr);
    if (gpHdr == nullptr) {
        ERRLOG_LineErrorNew(eLineType == KEYWORD_LINE ? 1001 : 1002);
        return FAILURE;
    }
    if (eLineType == KEYWORD_LINE) return s_ReceiveKeywordLine(eKeyword, sLine);
    if (eLineType == OTHER_LINE) return s_ReceiveDataLine(sLine);
    ERRLOG_LineBugNew(1004);
    return FAILURE;
}

STATUS HDR_Fini(KEYWORD_TYPE eNewKeyword)
{
    if (eNewKeyword == KIVOVER_KEY) {
        if (gpHdr != nullptr) ERRLOG_LineErrorNew(1005);
        return SUCCESS;
    }
    if (eNewKeyword >= FILENAME_KEY && eNewKeyword <= COPYRIGHT_KEY) return SUCCESS;

    if (gpHdr != nullptr) {
        CMN_TestRequiredKeyword("KIVO_Version", gbFoundKIVO_Ver);
        CMN_TestRequiredKeyword("File_name", gbFoundFile_name);
        CMN_TestRequiredKeyword("File_Rev", gbFoundFile_Rev);
        gpHdr = nullptr;
    }
    return SUCCESS;
}

void HDR_AddLink(HDR* pNew, HDR* pPrev)
{
    KIVO_ASSERT(pNew != nullptr);
    pNew->pNext = pPrev;
}

void HDR_FreeList(HDR* pList)
{
    while (pList != nullptr) {
        HDR* pNext = pList->pNext;
        // A header still open when its root goes away is closed with it.
        if (pList == gpHdr) gpHdr = nullptr;
        delete pList;
        pList = pNext;
    }
}

STATUS HDR_GetKIVO_Ver(const HDR* pHdr, const char** psOut) { return s_GetField(pHdr, &hdr::sKIVO_Ver, psOut); }
STATUS HDR_GetFile_name(const HDR* pHdr, const char** psOut) { return s_GetField(pHdr, &hdr::sFile_name, psOut); }
STATUS HDR_GetFile_Rev(const HDR* pHdr, const char** psOut) { return s_GetField(pHdr, &hdr::sFile_Rev, psOut); }
STATUS HDR_GetDate(const HDR* pHdr, const char** psOut) { return s_GetField(pHdr, &hdr::sDate, psOut); }
STATUS HDR_GetSource(const HDR* pHdr, const char** psOut) { return s_GetText(pHdr, &hdr::sSource, psOut); }
STATUS HDR_GetNotes(const HDR* pHdr, const char** psOut) { return s_GetText(pHdr, &hdr::sNotes, psOut); }
STATUS HDR_GetDisclaimer(const HDR* pHdr, const char** psOut) { return s_GetText(pHdr, &hdr::sDisclaimer, psOut); }
STATUS HDR_GetCopyright(const HDR* pHdr, const char** psOut) { return s_GetText(pHdr, &hdr::sCopyright, psOut); }

void HDR_AllowAnyFile_name(int allow) { gbAllowAnyFile_name = CMN_ToBool(allow != 0); }
void HDR_Allow1xVersions(int allow) { gbAllow1xVersions = CMN_ToBool(allow != 0); }
void HDR_AllowAnyVersion(int allow) { gbAllowAnyVersion = CMN_ToBool(allow != 0); }

void HDR_Reset()
{
    gpHdr = nullptr;
    s_ClearFoundFlags();
    geHdrKeyword = NOT_KEY;
    gbAllowAnyFile_name = FALSE;
    gbAllow1xVersions = FALSE;
    gbAllowAnyVersion = FALSE;
    geFileVersion = VER_UNKNOWN;
}

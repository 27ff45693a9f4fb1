// The file header: [KIVO Ver], [File Name], [File Rev], [Date], [Source],
// [Notes], [Disclaimer] and [Copyright].  Each [KIVO Ver] starts a header
// record; the header ends at the first keyword that is not a header keyword.
// The [KIVO Ver] value sets geFileVersion, which selects the keyword table,
// the router and every version-dependent rule of the checker.
#ifndef KIVO_PARSE_HDR_H
#define KIVO_PARSE_HDR_H

#include <optional>
#include <string>

#include "common/types.h"

// Field widths of the fixed text fields (characters, terminator excluded).
constexpr unsigned HDR_KIVO_VER_LEN = 70;
constexpr unsigned HDR_FILE_NAME_LEN = 1024;
constexpr unsigned HDR_FILE_REV_LEN = 70;
constexpr unsigned HDR_DATE_LEN = 40;

struct hdr {
    hdr* pNext = nullptr;                   // next header record of the root
    std::string sKIVO_Ver;                  // [KIVO Ver], at most 70
    std::string sFile_name;                 // [File Name], at most 1024
    std::string sFile_Rev;                  // [File Rev], at most 70
    std::string sDate;                      // [Date], at most 40
    std::optional<std::string> sSource;     // free texts: lines joined by newlines,
    std::optional<std::string> sNotes;      // absent when the keyword was not given
    std::optional<std::string> sDisclaimer;
    std::optional<std::string> sCopyright;
};
typedef hdr HDR;

// Starts a header record when [KIVO Ver] opens.
STATUS HDR_Init();
// Every line of a header keyword (the keyword line and its data lines).
STATUS HDR_ReceiveLine(LINE_TYPE eLineType, KEYWORD_TYPE eKeyword, char* sLine);
// The current header keyword has ended; eNewKeyword is the one that follows.
STATUS HDR_Fini(KEYWORD_TYPE eNewKeyword);

void HDR_AddLink(HDR* pNew, HDR* pPrev);
void HDR_FreeList(HDR* pList);

// Accessors: SUCCESS with the text when it is non-empty (fixed fields) or
// present (free texts), else FAILURE with null.
STATUS HDR_GetKIVO_Ver(const HDR* pHdr, const char** psOut);
STATUS HDR_GetFile_name(const HDR* pHdr, const char** psOut);
STATUS HDR_GetFile_Rev(const HDR* pHdr, const char** psOut);
STATUS HDR_GetDate(const HDR* pHdr, const char** psOut);
STATUS HDR_GetSource(const HDR* pHdr, const char** psOut);
STATUS HDR_GetNotes(const HDR* pHdr, const char** psOut);
STATUS HDR_GetDisclaimer(const HDR* pHdr, const char** psOut);
STATUS HDR_GetCopyright(const HDR* pHdr, const char** psOut);

// Switches (nothing in the program sets them): skip the [File Name] checks;
// accept versions beginning with "1."; accept any version text as 6.1.
void HDR_AllowAnyFile_name(int allow);
void HDR_Allow1xVersions(int allow);
void HDR_AllowAnyVersion(int allow);

// Back to program-start state (no open record, flags and switches cleared,
// geFileVersion unknown).
void HDR_Reset();

#endif

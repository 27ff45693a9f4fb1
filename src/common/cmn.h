// Common utilities: field splitting, numbers with scale letters and "NA",
// fixed-width text fields with their length and duplicate rules, names
// compared without case, memory with reported failures, file opening with
// the extension and case rules, version detection and the line reader.
#ifndef KIVO_COMMON_CMN_H
#define KIVO_COMMON_CMN_H

#include <cstddef>
#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "common/types.h"

// Longest file name (and directory part) kept by the reader.
constexpr unsigned CMN_MAX_FILENAME = 1024;
// Longest value CMN_SetStr ever keeps when it has to cut one.
constexpr unsigned CMN_MAX_CUT_LEN = 2176;

// ---------------------------------------------------------------------------
// Fields of one line.
// ---------------------------------------------------------------------------
struct args {
    int iMaxCnt = 0;     // capacity asked for by the caller
    int iCount = 0;      // fields stored (at most iMaxCnt)
    int iActualCnt = 0;  // fields found on the line (may exceed iMaxCnt)
    // iMaxCnt entries; entries from iCount on are empty and stand for "null".
    std::vector<std::string> arg;

    // Field i, or nullptr when no field i was stored (i < 0 or i >= iCount).
    const char* Arg(int i) const;
};
typedef args ARGS;

// Splits on blanks and tabs.
STATUS CMN_ArgParse(const char* psLine_in, int iMaxCnt_in, ARGS* pArgs_out);
// Same; a field also ends before cDelimeter, and a field starting with it is
// the delimiter alone ('\0' means no delimiter).
STATUS CMN_ArgParsePlus(const char* psLine_in, int iMaxCnt_in, char cDelimeter, ARGS* pArgs_out);
// Releases the stored fields; the record is empty afterwards.
void CMN_ArgFree(ARGS* pArgs_io);

// ---------------------------------------------------------------------------
// Numbers.
// ---------------------------------------------------------------------------
// Number with an optional scale letter (T G M k m u n p f) or unit letters.
GBU CMN_Get_Value(const char* psItem_in, double* pdNum_out);
// "NA" in any case: GOOD, 0 and *bNA_out = TRUE; else CMN_Get_Value.
GBU CMN_Get_ValueOrNA(const char* psItem_in, double* pdNum_out, BOOL* bNA_out);
// One typ/min/max column; psStr_in null means the column is absent.
STATUS CMN_GetColValue(const char* psStr_in, const char* psLabel_in, const char* psColumn_in,
                       double* dNum_out, NUMSTAT* pStat_out);
GBU CMN_StrToUI(const char* s, unsigned* pui);
GBU CMN_StrToL(const char* s, long* pl);
GBU CMN_StrToDbl(const char* s, double* pd);

// Token kinds of CMN_gettok.
enum CMN_TOKEN {
    CMN_TOK_ERROR = 0,  // malformed item (already reported)
    CMN_TOK_LEN = 1,    // Len=value
    CMN_TOK_R = 2,      // R=value
    CMN_TOK_C = 3,      // C=value
    CMN_TOK_L = 4,      // L=value
    CMN_TOK_SLASH = 5,  // "/"
    CMN_TOK_END = 6     // nothing more
};
// Reads one item of an R/L/C line (R=1.2 L=3n C=1p /); returns a CMN_TOKEN.
int CMN_gettok(char* in, double* val, char** out);

// ---------------------------------------------------------------------------
// Record fields and names.
// ---------------------------------------------------------------------------
// Stores sSrc into a field of uiLen characters, reporting a value that is too
// long (1912, cut) or empty (1913).
void CMN_SetStr(std::string& sDest, const char* sSrc, unsigned uiLen, const char* sKeyword);
// As CMN_SetStr, but a field that already holds text is a duplicate (1911).
STATUS CMN_SetKeywordStr(std::string& sDest, const char* sSrc, unsigned uiLen, const char* sKeyword);
// As CMN_SetKeywordStr, but a too-long value is reported (1914) and kept
// whole (up to CMN_MAX_FILENAME characters).
STATUS CMN_SetFilenameStr(std::string& sDest, const char* sSrc, unsigned uiLen, const char* sKeyword);
// bValue FALSE: error 1915 with the keyword and the current file name.
void CMN_TestRequiredKeyword(const char* sKeyword, BOOL bValue);
// FAILURE if the name is a reserved word (GND, NC, POWER, CIRCUITCALL, NA; any case).
STATUS CMN_ReservedWord(const char* psName);
// Same test, reporting 1916.
STATUS CMN_ReservedWordErr(const char* psName);

// ---------------------------------------------------------------------------
// Comparison and scanning.
// ---------------------------------------------------------------------------
BOOL CMN_StrSameIC(const char* s1, const char* s2);
BOOL CMN_StrSameICn(const char* s1, const char* s2, unsigned long ulMax);
// Replaces blanks of sPossible by "_" (in place), then CMN_StrSameIC.
BOOL CMN_MatchKeyword(const char* sKeyword, char* sPossible);
// Blank, tab, newline, vertical tab, form feed, carriage return.
BOOL CMN_IsWhitespace(int c);
void CMN_EatWhitespace(char** ppc);
void CMN_EatWhitespace(const char** ppc);
// Removes trailing white space in place.
void CMN_TerminateEnd(char* pc);
void CMN_TerminateEnd(std::string& s);
// Moves past the first "]" and the white space after it; FAILURE (pointer
// unchanged) when there is no "]".  Works on text of any length.
STATUS CMN_EatKeyword(char** ppc_io);
STATUS CMN_EatKeyword(const char** ppc_io);
// Moves past the current run of non-white characters.  Any length.
void CMN_EatNonWhitespace(char** ppc_io);
void CMN_EatNonWhitespace(const char** ppc_io);

// ---------------------------------------------------------------------------
// Memory and plain strings.
// ---------------------------------------------------------------------------
// Zero-filled block; failure: error 1906, *ppv null, FAILURE.
STATUS CMN_malloc(void** ppv, std::size_t size);
// Resize; failure: error 1907, *ppv null (the old block is released), FAILURE.
STATUS CMN_realloc(void** ppv, std::size_t size);
void CMN_free(void* pv);
void CMN_freeSetNull(void** ppv);
// Copies at most len characters and terminates at dest[len].
void CMN_strncpy(char* dest, const char* src, std::size_t len);
// New copy (release with CMN_free); null for null input; failure: bug 1908, null.
char* CMN_StrMake(const char* str);
// New text of the first size characters (release with CMN_free); null on failure.
char* CMN_StrMakeN(const char* src, std::size_t size);
// Decimal text of ul in one static buffer, overwritten by the next call.
const char* CMN_ultoa(unsigned long ul);
FILE* CMN_fopen(const char* name, const char* mode);
// Part after the last "/" (the whole text if there is none).
const char* CMN_getBasename(const char* path);
void CMN_ConvertToLower(char* s);
void CMN_ConvertToUpper(char* s);
void CMN_ConvertToLower(std::string& s);
void CMN_ConvertToUpper(std::string& s);
BOOL CMN_AnyUpper(const char* s);

// ---------------------------------------------------------------------------
// Files and lines.
// ---------------------------------------------------------------------------
// Applies the directory, extension and case rules and opens the file for
// reading; sBasename_out receives the base name (original case, with an
// appended extension).  Errors 1900-1905, 1924.
STATUS CMN_OpenFile(const char* sName_in, KIVO_FILE_TYPE eFileType, FILE** ppFile,
                    std::string& sBasename_out);
// Version declared by the file's [KIVO Ver] line; *pul_out (may be null)
// receives the number of lines read.  Illegal characters are not reported
// here: the parse reports them once, with their line numbers.
KIVO_VER CMN_getKivoVer(const char* sArgv1, unsigned long* pul_out, KIVO_FILE_TYPE eType);
// Reads one line (newline kept), storing at most uiBufSize - 1 characters;
// the rest of a longer line is read and dropped.  Null at end of file.
char* CMN_GetLine(char* pBuffer, unsigned uiBufSize, FILE* pFile);
// Same; *pLen receives the number of characters stored (newline included)
// and *pbTab whether they hold a tab.
char* CMN_GetLine(char* pBuffer, unsigned uiBufSize, FILE* pFile, std::size_t* pLen, BOOL* pbTab);
// Reads one whole line of any length (newline kept); nullopt at end of file.
// *error becomes 1 when an illegal character was found, else 0.
std::optional<std::string> CMN_GetInfiniteLine(FILE* pFile, int* error);
// Directory of the last opened name that had one ("" or ending in "/").
void CMN_GetKvoPath(std::string& sPath_out);
// SUCCESS if the name, looked for in that directory, can be opened for reading.
STATUS CMN_checkFileExists(const char* sFileName);
// Non-zero: illegal characters are neither reported nor replaced.
void CMN_AllowAnyCharacter(int allow);

// Back to program-start state (directory, switches).
void CMN_Reset();

#endif

// The line reader and the keyword routers: opens a file of a given kind,
// reads and classifies its lines and hands each to the section that owns it.
#ifndef KIVO_PARSE_PARSE_H
#define KIVO_PARSE_PARSE_H

#include <cstddef>
#include <string>

#include "common/types.h"

// Reads one file of the given kind.  KIVO, package and board-description
// files are read line by line and routed to their sections; parameter files
// (TYPE_AMI, TYPE_PARAM) are read whole into the buffer below.
STATUS PARSE(const char* sFileName_in, KIVO_FILE_TYPE eFileType);

// Line being processed (parameter-file counter while a parameter file is read).
unsigned long PARSE_GetLineNum();
// Base name of the file being read (at most 1024 characters).
void PARSE_GetFileName(std::string& sFileName_out);
// Kind of the file being read (TYPE_UNKNOWN before the first one).
KIVO_FILE_TYPE PARSE_GetFileType();
// Comment character of the model file being read ('|' unless [Comment Char]).
char PARSE_GetCommentChar();

void PARSE_AllowAnyLineLength(int allow);
void PARSE_SuppressBanners(int allow);

// The whole parameter file after comment removal (empty when none was read).
const std::string& PARSE_GetBuffer();
void PARSE_FreeBuffer();

// Continuation flag of a series switch group: set while a group line is
// waiting for its closing "/"; a keyword line arriving first is reported.
void PARSE_SetContinue(BOOL bContinue);
BOOL PARSE_GetContinue();

// Name of a keyword value from the 2.1 table.
void PARSE_GetKeywordStr(KEYWORD_TYPE eKey_in, std::string& sKeywordStr_out);

// One row of a keyword table: the keyword's name in upper case with "_" for
// blanks, and its value.  Every table ends with a row whose eKey is NOT_KEY.
struct keywrd {
    const char* sName;
    KEYWORD_TYPE eKey;
};
typedef keywrd KEYWRD;

// The keyword table that governs files of the given version; *pRows (may be
// null) receives its row count, the terminating row included.
const KEYWRD* PARSE_GetKeywordTable(KIVO_VER eVer, std::size_t* pRows);
// First row of that table whose name matches sName (the text between the
// brackets: case ignored, blanks and underscores alike); NOT_KEY if none.
KEYWORD_TYPE PARSE_LookupKeyword(KIVO_VER eVer, const char* sName);

// Observer of the router, for tests and diagnostics: called for every
// finish sent, every section started and every line handed to a section.
enum PARSE_EVENT { PARSE_EV_FINI, PARSE_EV_INIT, PARSE_EV_RECEIVE };
struct PARSE_TRACE {
    PARSE_EVENT eEvent;
    const char* sOwner;     // "HDR", "CMPNT", "EXT", "MDL", "PKGMDL", "EBDMDL",
                            // "MSEL", "SUBMDL", "TESTDATA", "TESTLOAD" or "END"
    KEYWORD_TYPE eKeyword;  // finish: the new keyword; start: the keyword
                            // started; receive: the current keyword
    LINE_TYPE eLineType;    // receive only
    const char* sLine;      // receive only
};
typedef void (*PARSE_TRACE_FN)(const PARSE_TRACE& trace);
// Null switches the observer off (the default).
void PARSE_SetTrace(PARSE_TRACE_FN pfTrace);

// Back to program-start state.
void PARSE_Reset();

#endif

// The numbered message log: every finding is reported here by number, with
// the values for the message text's placeholders, printed in the form chosen
// by severity, line number and the -numbered switch, and counted.
#ifndef KIVO_COMMON_ERRLOG_H
#define KIVO_COMMON_ERRLOG_H

#include <cstddef>
#include <cstdio>
#include <initializer_list>
#include <string>
#include <type_traits>

#include "common/types.h"

enum ERROR_TYPES {
    etBUG = 0,
    etLINE_BUG = 1,
    etERROR = 2,
    etLINE_ERROR = 3,
    etWARNING = 4,
    etLINE_WARNING = 5,
    etCAUTION = 6,
    etLINE_CAUTION = 7,
    etNOTE = 8,
    etLINE_NOTE = 9,
    etERR_INTERNAL = 10
};

struct ERROR_INFO_STRUCT {
    int iErrorCode;
    const char* pMsg;
};

// One value for a placeholder.  The formatter checks each value against its
// conversion (%d wants a signed integer, %u/%x an unsigned one, %s a text,
// %c a character, %e/%f/%g a double): a mismatch aborts in debug and test
// builds and is converted as sensibly as possible in release builds.
struct ErrArg {
    enum Kind { INT, UINT, DBL, STR, CHR } eKind;
    long long llVal = 0;
    unsigned long long ullVal = 0;
    double dVal = 0.0;
    const char* sVal = nullptr;

    ErrArg(int v) : eKind(INT), llVal(v) {}
    ErrArg(long v) : eKind(INT), llVal(v) {}
    ErrArg(long long v) : eKind(INT), llVal(v) {}
    ErrArg(unsigned v) : eKind(UINT), ullVal(v) {}
    ErrArg(unsigned long v) : eKind(UINT), ullVal(v) {}
    ErrArg(unsigned long long v) : eKind(UINT), ullVal(v) {}
    ErrArg(double v) : eKind(DBL), dVal(v) {}
    ErrArg(char v) : eKind(CHR), llVal(static_cast<unsigned char>(v)) {}
    ErrArg(const char* v) : eKind(STR), sVal(v) {}
    ErrArg(char* v) : eKind(STR), sVal(v) {}
    ErrArg(const std::string& v) : eKind(STR), sVal(v.c_str()) {}
};

// Core entry: report message iCode with severity eType and the given values.
void ERRLOG_Report(ERROR_TYPES eType, int iCode, std::initializer_list<ErrArg> args);
// Same, with a caller's printf format instead of a number (always unnumbered).
void ERRLOG_ReportFmt(ERROR_TYPES eType, const char* sFmt, std::initializer_list<ErrArg> args);

template <class... A>
void ERRLOG_BugNew(int c, const A&... a) { ERRLOG_Report(etBUG, c, {ErrArg(a)...}); }
template <class... A>
void ERRLOG_LineBugNew(int c, const A&... a) { ERRLOG_Report(etLINE_BUG, c, {ErrArg(a)...}); }
template <class... A>
void ERRLOG_ErrorNew(int c, const A&... a) { ERRLOG_Report(etERROR, c, {ErrArg(a)...}); }
template <class... A>
void ERRLOG_LineErrorNew(int c, const A&... a) { ERRLOG_Report(etLINE_ERROR, c, {ErrArg(a)...}); }
template <class... A>
void ERRLOG_WarnNew(int c, const A&... a) { ERRLOG_Report(etWARNING, c, {ErrArg(a)...}); }
template <class... A>
void ERRLOG_LineWarnNew(int c, const A&... a) { ERRLOG_Report(etLINE_WARNING, c, {ErrArg(a)...}); }
template <class... A>
void ERRLOG_CautionNew(int c, const A&... a) { ERRLOG_Report(etCAUTION, c, {ErrArg(a)...}); }
template <class... A>
void ERRLOG_NoteNew(int c, const A&... a) { ERRLOG_Report(etNOTE, c, {ErrArg(a)...}); }
template <class... A>
void ERRLOG_LineNoteNew(int c, const A&... a) { ERRLOG_Report(etLINE_NOTE, c, {ErrArg(a)...}); }

// Format-taking family (unnumbered forms only).
template <class... A>
void ERRLOG_Bugx(const char* f, const A&... a) { ERRLOG_ReportFmt(etBUG, f, {ErrArg(a)...}); }
template <class... A>
void ERRLOG_LineBugx(const char* f, const A&... a) { ERRLOG_ReportFmt(etLINE_BUG, f, {ErrArg(a)...}); }
template <class... A>
void ERRLOG_Errorx(const char* f, const A&... a) { ERRLOG_ReportFmt(etERROR, f, {ErrArg(a)...}); }
template <class... A>
void ERRLOG_LineErrorx(const char* f, const A&... a) { ERRLOG_ReportFmt(etLINE_ERROR, f, {ErrArg(a)...}); }
template <class... A>
void ERRLOG_Warnx(const char* f, const A&... a) { ERRLOG_ReportFmt(etWARNING, f, {ErrArg(a)...}); }
template <class... A>
void ERRLOG_LineWarnx(const char* f, const A&... a) { ERRLOG_ReportFmt(etLINE_WARNING, f, {ErrArg(a)...}); }
template <class... A>
void ERRLOG_Cautionx(const char* f, const A&... a) { ERRLOG_ReportFmt(etCAUTION, f, {ErrArg(a)...}); }
template <class... A>
void ERRLOG_LineCautionx(const char* f, const A&... a) { ERRLOG_ReportFmt(etLINE_CAUTION, f, {ErrArg(a)...}); }
template <class... A>
void ERRLOG_Notex(const char* f, const A&... a) { ERRLOG_ReportFmt(etNOTE, f, {ErrArg(a)...}); }
template <class... A>
void ERRLOG_LineNotex(const char* f, const A&... a) { ERRLOG_ReportFmt(etLINE_NOTE, f, {ErrArg(a)...}); }

// Prints the totals and the verdict line.
void ERRLOG_Totals();
void ERRLOG_GetCounts(unsigned long* pBug_cnt, unsigned long* pError_cnt, unsigned long* pWarn_cnt);
void ERRLOG_SetOutputFile(FILE* pFile);
void ERRLOG_SuppressBugs(BOOL b);
void ERRLOG_SuppressErrors(BOOL b);
void ERRLOG_SuppressWarns(BOOL b);

// Row index of errCode in the message table, or -1.
int BSearchErrorLogTable(int errCode);
// The whole table, for tests.
const ERROR_INFO_STRUCT* ERRLOG_Table(std::size_t* pCount);

// Expands a printf format with checked values (the formatter the log uses).
std::string ERRLOG_Format(const char* sFmt, std::initializer_list<ErrArg> args);

// Back to program-start state (counters, switches, stream).
void ERRLOG_Reset();

#endif

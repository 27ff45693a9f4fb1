#include "common/errlog.h"

#include <cstring>
#include <string>

#include "parse/parse.h"

BOOL gbSuppressCautions = TRUE;
BOOL gbOldStyleErrors = TRUE;

namespace {

const ERROR_INFO_STRUCT errorLogTable[] = {
#define MESSAGE(code, text) {code, text},
#include "common/messages.def"
#undef MESSAGE
};
constexpr int kTableRows = static_cast<int>(sizeof(errorLogTable) / sizeof(errorLogTable[0]));

FILE* gpLogFile = nullptr;
unsigned long gulBug_cnt = 0;
unsigned long gulError_cnt = 0;
unsigned long gulWarn_cnt = 0;
unsigned long gulCaution_cnt = 0;
BOOL gbSuppressBugs = FALSE;
BOOL gbSuppressErrors = FALSE;
BOOL gbSuppressWarns = FALSE;

// Width of the line-number field of every line-numbered form.
constexpr int kLineWidth = 4;
// Longest text that is still a candidate for the two-line form.
constexpr std::size_t kWrapMax = 75;

FILE* s_stream()
{
    if (gpLogFile == nullptr) gpLogFile = stdout;
    return gpLogFile;
}

// A value handed to a conversion it does not fit is a fault in the calling
// code: test and debug builds stop at once so the tests catch it; release
// builds print the value as sensibly as they can.
void s_argMismatch()
{
#ifndef NDEBUG
    CMN_AssertFailed(__FILE__, __LINE__);
#endif
}

bool s_isIntKind(ErrArg::Kind k) { return k == ErrArg::INT || k == ErrArg::UINT || k == ErrArg::CHR; }

long long s_asSigned(const ErrArg& a)
{
    switch (a.eKind) {
    case ErrArg::INT:
    case ErrArg::CHR: return a.llVal;
    case ErrArg::UINT: return static_cast<long long>(a.ullVal);
    case ErrArg::DBL: return static_cast<long long>(a.dVal);
    case ErrArg::STR: break;
    }
    return 0;
}

unsigned long long s_asUnsigned(const ErrArg& a)
{
    switch (a.eKind) {
    case ErrArg::INT:
    case ErrArg::CHR: return static_cast<unsigned long long>(a.llVal);
    case ErrArg::UINT: return a.ullVal;
    case ErrArg::DBL: return static_cast<unsigned long long>(a.dVal);
    case ErrArg::STR: break;
    }
    return 0;
}

double s_asDouble(const ErrArg& a)
{
    switch (a.eKind) {
    case ErrArg::INT:
    case ErrArg::CHR: return static_cast<double>(a.llVal);
    case ErrArg::UINT: return static_cast<double>(a.ullVal);
    case ErrArg::DBL: return a.dVal;
    case ErrArg::STR: break;
    }
    return 0.0;
}

template <class T>
void s_append(std::string& out, const std::string& spec, T value)
{
    char buf[512];
    int n = std::snprintf(buf, sizeof buf, spec.c_str(), value);
    if (n < 0) return;
    if (static_cast<std::size_t>(n) < sizeof buf) {
        out.append(buf, static_cast<std::size_t>(n));
        return;
    }
    std::string big(static_cast<std::size_t>(n) + 1, '\0');
    std::snprintf(big.data(), big.size(), spec.c_str(), value);
    out.append(big.data(), static_cast<std::size_t>(n));
}

// Wrapping thresholds: texts whose length lies between the threshold and 75
// (both inclusive) are printed on a line of their own.
std::size_t s_wrapMin(ERROR_TYPES e)
{
    switch (e) {
    case etERROR: return 72;
    case etLINE_ERROR: return 60;
    case etWARNING: return 70;
    case etLINE_WARNING: return 58;
    case etCAUTION: return 70;
    case etLINE_CAUTION: return 58;
    case etNOTE: return 73;
    case etLINE_NOTE: return 61;
    default: return 0;  // bugs and internal errors never wrap
    }
}

bool s_hasLine(ERROR_TYPES e)
{
    return e == etLINE_BUG || e == etLINE_ERROR || e == etLINE_WARNING || e == etLINE_CAUTION ||
           e == etLINE_NOTE;
}

const char* s_word(ERROR_TYPES e)
{
    switch (e) {
    case etBUG:
    case etLINE_BUG: return "PROGRAM BUG";
    case etERROR:
    case etLINE_ERROR: return "ERROR";
    case etWARNING:
    case etLINE_WARNING: return "WARNING";
    case etCAUTION:
    case etLINE_CAUTION: return "CAUTION";
    case etNOTE:
    case etLINE_NOTE: return "NOTE";
    case etERR_INTERNAL: return "INTERNAL ERROR";
    }
    return "ERROR";
}

char s_letter(ERROR_TYPES e)
{
    switch (e) {
    case etBUG:
    case etLINE_BUG: return 'B';
    case etERROR:
    case etLINE_ERROR: return 'E';
    case etWARNING:
    case etLINE_WARNING: return 'W';
    case etCAUTION:
    case etLINE_CAUTION: return 'C';
    case etNOTE:
    case etLINE_NOTE: return 'N';
    case etERR_INTERNAL: return 'I';
    }
    return 'E';
}

BOOL s_suppressed(ERROR_TYPES e)
{
    switch (e) {
    case etBUG:
    case etLINE_BUG: return gbSuppressBugs;
    case etERROR:
    case etLINE_ERROR: return gbSuppressErrors;
    case etWARNING:
    case etLINE_WARNING: return gbSuppressWarns;
    case etCAUTION:
    case etLINE_CAUTION: return gbSuppressCautions;
    default: return FALSE;
    }
}

void s_count(ERROR_TYPES e)
{
    switch (e) {
    case etBUG:
    case etLINE_BUG: ++gulBug_cnt; break;
    case etERROR:
    case etLINE_ERROR: ++gulError_cnt; break;
    case etWARNING:
    case etLINE_WARNING: ++gulWarn_cnt; break;
    case etCAUTION:
    case etLINE_CAUTION: ++gulCaution_cnt; break;
    default: break;
    }
}

// Prints an already expanded text in the form of its severity; bNumbered
// chooses the letter-and-number prefix.
void s_print(ERROR_TYPES e, bool bNumbered, int iCode, const std::string& sText)
{
    s_count(e);
    FILE* f = s_stream();
    std::size_t wrapMin = s_wrapMin(e);
    bool bWrap = wrapMin != 0 && sText.size() >= wrapMin && sText.size() <= kWrapMax;

    if (bNumbered)
        std::fprintf(f, "%c%04d", s_letter(e), iCode);
    else
        std::fputs(s_word(e), f);
    if (s_hasLine(e)) std::fprintf(f, " (line %*lu)", kLineWidth, PARSE_GetLineNum());
    if (bWrap)
        std::fputs(" -\n    ", f);
    else
        std::fputs(" - ", f);
    std::fwrite(sText.data(), 1, sText.size(), f);
    std::fputc('\n', f);
}

}  // namespace

std::string ERRLOG_Format(const char* sFmt, std::initializer_list<ErrArg> args)
{
    std::string out;
    if (sFmt == nullptr) return out;
    const ErrArg* pArg = args.begin();
    const ErrArg* pEnd = args.end();
    auto next = [&]() -> const ErrArg* {
        if (pArg == pEnd) {
            s_argMismatch();
            return nullptr;
        }
        return pArg++;
    };
    // Copies a field width or precision at pc into sSpec; "*" takes it from
    // the next value.
    auto count = [&](const char*& pc, std::string& sSpec) {
        if (*pc == '*') {
            const ErrArg* w = next();
            sSpec += std::to_string(w ? s_asSigned(*w) : 0);
            ++pc;
        } else {
            while (*pc >= '0' && *pc <= '9') sSpec.push_back(*pc++);
        }
    };

    for (const char* p = sFmt; *p != '\0'; ++p) {
        if (*p != '%') {
            out.push_back(*p);
            continue;
        }
        const char* start = p++;
        if (*p == '%') {
            out.push_back('%');
            continue;
        }
        std::string spec = "%";
        while (*p != '\0' && std::strchr("-+ #0", *p) != nullptr) spec.push_back(*p++);
        count(p, spec);
        if (*p == '.') {
            spec.push_back(*p++);
            count(p, spec);
        }
        while (*p != '\0' && std::strchr("hlLqjzt", *p) != nullptr) ++p;  // length comes from the value
        char conv = *p;
        if (conv == '\0') {
            out.append(start);
            break;
        }
        const ErrArg* a = nullptr;
        switch (conv) {
        case 'd':
        case 'i':
            if ((a = next()) == nullptr) break;
            if (!s_isIntKind(a->eKind)) s_argMismatch();
            s_append(out, spec + "lld", s_asSigned(*a));
            break;
        case 'u':
        case 'x':
        case 'X':
        case 'o':
            if ((a = next()) == nullptr) break;
            if (!s_isIntKind(a->eKind)) s_argMismatch();
            s_append(out, spec + "ll" + conv, s_asUnsigned(*a));
            break;
        case 'c':
            if ((a = next()) == nullptr) break;
            if (!s_isIntKind(a->eKind)) s_argMismatch();
            // A zero character stands for "no character" (a plural "s" left out).
            if (s_asSigned(*a) != 0)
                s_append(out, spec + "c", static_cast<int>(static_cast<unsigned char>(s_asSigned(*a))));
            break;
        case 'e':
        case 'E':
        case 'f':
        case 'F':
        case 'g':
        case 'G':
        case 'a':
        case 'A':
            if ((a = next()) == nullptr) break;
            if (a->eKind == ErrArg::STR) s_argMismatch();
            s_append(out, spec + conv, s_asDouble(*a));
            break;
        case 's':
            if ((a = next()) == nullptr) break;
            if (a->eKind != ErrArg::STR) {
                s_argMismatch();
                break;
            }
            s_append(out, spec + "s", a->sVal != nullptr ? a->sVal : "(null)");
            break;
        default:
            // Not a conversion the log knows: keep the text as written.
            out.append(start, static_cast<std::size_t>(p - start + 1));
            break;
        }
    }
    if (pArg != pEnd) s_argMismatch();
    return out;
}

int BSearchErrorLogTable(int errCode)
{
    int lo = 0;
    int hi = kTableRows - 1;
    while (lo <= hi) {
        int mid = lo + (hi - lo) / 2;
        if (errorLogTable[mid].iErrorCode < errCode)
            lo = mid + 1;
        else if (errorLogTable[mid].iErrorCode > errCode)
            hi = mid - 1;
        else
            return mid;
    }
    return -1;
}

const ERROR_INFO_STRUCT* ERRLOG_Table(std::size_t* pCount)
{
    if (pCount != nullptr) *pCount = static_cast<std::size_t>(kTableRows);
    return errorLogTable;
}

void ERRLOG_Report(ERROR_TYPES eType, int iCode, std::initializer_list<ErrArg> args)
{
    int row = BSearchErrorLogTable(iCode);
    if (row < 0) {
        // Unknown numbers print the text of row 0, whatever the switches say.
        s_print(etERR_INTERNAL, gbOldStyleErrors == FALSE, 0, errorLogTable[0].pMsg);
        return;
    }
    if (s_suppressed(eType) == TRUE) return;
    s_print(eType, gbOldStyleErrors == FALSE, iCode, ERRLOG_Format(errorLogTable[row].pMsg, args));
}

void ERRLOG_ReportFmt(ERROR_TYPES eType, const char* sFmt, std::initializer_list<ErrArg> args)
{
    if (s_suppressed(eType) == TRUE) return;
    s_print(eType, false, 0, ERRLOG_Format(sFmt, args));
}

void ERRLOG_Totals()
{
    FILE* f = s_stream();
    if (gulBug_cnt != 0 || gulError_cnt != 0 || gulWarn_cnt != 0) std::fputc('\n', f);
    if (gulBug_cnt != 0) std::fprintf(f, "Bugs    : %ld\n", static_cast<long>(gulBug_cnt));
    std::fprintf(f, "Errors  : %ld\n", static_cast<long>(gulError_cnt));
    if (gulWarn_cnt != 0) std::fprintf(f, "Warnings: %ld\n", static_cast<long>(gulWarn_cnt));
    if (gulCaution_cnt != 0) std::fprintf(f, "Cautions: %ld\n", static_cast<long>(gulCaution_cnt));
    std::fprintf(f, "\nFile %s\n", (gulBug_cnt != 0 || gulError_cnt != 0) ? "Failed" : "Passed");
}

void ERRLOG_GetCounts(unsigned long* pBug_cnt, unsigned long* pError_cnt, unsigned long* pWarn_cnt)
{
    if (pBug_cnt != nullptr) *pBug_cnt = gulBug_cnt;
    if (pError_cnt != nullptr) *pError_cnt = gulError_cnt;
    if (pWarn_cnt != nullptr) *pWarn_cnt = gulWarn_cnt;
}

void ERRLOG_SetOutputFile(FILE* pFile) { gpLogFile = pFile; }
void ERRLOG_SuppressBugs(BOOL b) { gbSuppressBugs = b; }
void ERRLOG_SuppressErrors(BOOL b) { gbSuppressErrors = b; }
void ERRLOG_SuppressWarns(BOOL b) { gbSuppressWarns = b; }

void ERRLOG_Reset()
{
    gpLogFile = nullptr;
    gulBug_cnt = gulError_cnt = gulWarn_cnt = gulCaution_cnt = 0;
    gbSuppressBugs = gbSuppressErrors = gbSuppressWarns = FALSE;
    gbSuppressCautions = TRUE;
    gbOldStyleErrors = TRUE;
}

#include "common/cmn.h"

#include <sys/stat.h>

#include <algorithm>
#include <bit>
#include <cctype>
#include <cerrno>
#include <climits>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <new>

#include "common/errlog.h"
#include "parse/parse.h"

namespace {

// Directory part (with its final "/") of the last opened name that had one.
std::string gsFilePath_kvo;
// Illegal characters are neither reported nor replaced.
BOOL gbAllowAnyCharacter = FALSE;

// Scale letters in the order they are searched, with their factors.
struct scale {
    char cLetter;
    double dFactor;
};
const scale Scales[] = {
    {'T', 1e12}, {'G', 1e9}, {'M', 1e6}, {'k', 1e3}, {'m', 1e-3},
    {'u', 1e-6}, {'n', 1e-9}, {'p', 1e-12}, {'f', 1e-15},
};

// Names no signal or pin may take, compared ignoring case.
const char* const ReservedWords[] = {"GND", "NC", "POWER", "CIRCUITCALL", "NA", ""};

const char* const kHintShort = "  To fix, save file in MS_DOS format and remove .txt extension.";
const char* const kHintLong = "  - To fix, save file in MS_DOS format and remove .txt extension.";

constexpr int kCtrlZ = 26;

bool s_isBlankTab(char c) { return c == ' ' || c == '\t'; }
bool s_isDigit(char c) { return c >= '0' && c <= '9'; }
bool s_isAlpha(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
char s_upper(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }
char s_lower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

// Length of the longest leading part of p that is a decimal number: sign,
// digits with an optional point, optional exponent.  0 when there is none.
std::size_t s_numberLen(const char* p)
{
    const char* q = p;
    if (*q == '+' || *q == '-') ++q;
    bool bDigits = false;
    while (s_isDigit(*q)) {
        ++q;
        bDigits = true;
    }
    if (*q == '.') {
        ++q;
        while (s_isDigit(*q)) {
            ++q;
            bDigits = true;
        }
    }
    if (!bDigits) return 0;
    if (*q == 'e' || *q == 'E') {
        const char* r = q + 1;
        if (*r == '+' || *r == '-') ++r;
        if (s_isDigit(*r)) {
            while (s_isDigit(*r)) ++r;
            q = r;
        }
    }
    return static_cast<std::size_t>(q - p);
}

// Value of the len characters at p, which s_numberLen accepted.
double s_toDouble(const char* p, std::size_t len)
{
    char* pEnd = nullptr;
    double d = std::strtod(p, &pEnd);
    if (pEnd == p + len) return d;
    // The conversion read further than the decimal form (a hexadecimal
    // prefix): convert only the decimal part.
    std::string s(p, len);
    return std::strtod(s.c_str(), nullptr);
}

const char* s_skipSpace(const char* p)
{
    while (*p != '\0' && CMN_IsWhitespace(static_cast<unsigned char>(*p))) ++p;
    return p;
}

// Kind of an illegal character, or nullptr when the character is allowed.
const char* s_illegalKind(int c)
{
    if (c == 0) return "NUL";
    if (c >= 128) return "non-7-bit ASCII";
    if (c < 32 && c != '\t') return "control";
    return nullptr;
}

// Printable 7-bit characters: everything else needs a closer look.
bool s_isPrintable(unsigned char c) { return c >= 32 && c < 128; }

// Index of the first character of p[0..n) that is not printable (below 32 or
// above 127), or n when there is none.  Eight characters are tested at a
// time: a byte with its top bit set is caught directly, a byte below 32
// borrows when 32 is subtracted from it.  A borrow only disturbs the bytes
// after the one that caused it, so the first byte flagged is always a true
// find.
std::size_t s_firstUnprintable(const char* p, std::size_t n)
{
    static_assert(std::endian::native == std::endian::little, "bytes are counted from the low end");
    constexpr std::uint64_t kOnes = 0x0101010101010101ULL;
    constexpr std::uint64_t kHigh = 0x8080808080808080ULL;
    std::size_t i = 0;
    for (; i + 8 <= n; i += 8) {
        std::uint64_t x;
        std::memcpy(&x, p + i, 8);
        const std::uint64_t m = (x | ((x - 32 * kOnes) & ~x)) & kHigh;
        if (m != 0) return i + static_cast<std::size_t>(std::countr_zero(m) / 8);
    }
    for (; i < n; ++i)
        if (!s_isPrintable(static_cast<unsigned char>(p[i]))) return i;
    return n;
}

enum HINT_STYLE { HINT_BY_POSITION, HINT_ALWAYS_LONG };

// Lines are read in pieces of at most kPieceSize - 1 characters with fgets,
// which finds the line end with a block search.  Between reads every byte of
// the piece buffer holds '\n'; after a read, the first '\n' then tells where
// the data ends even when the line contains NUL characters: a newline that
// was read is followed by the terminator, a filler newline comes right after
// the terminator.  Only the bytes a read wrote are refilled, so the cost of a
// line stays proportional to its length, and memory stays bounded however
// long the line is.
constexpr std::size_t kPieceSize = 4096;
char gacPiece[kPieceSize];
bool gbPieceFilled = false;

// Reads the next piece of the current line into gacPiece; returns its length
// (0 at end of file).  The piece ends with '\n' when it ends the line.
// *pbPlain tells that the piece is printable text ending with its newline.
std::size_t s_readPiece(FILE* pFile, bool* pbPlain)
{
    *pbPlain = false;
    if (!gbPieceFilled) {
        std::memset(gacPiece, '\n', kPieceSize);
        gbPieceFilled = true;
    }
    if (std::fgets(gacPiece, static_cast<int>(kPieceSize), pFile) == nullptr) {
        // A failed read may leave the buffer in any state.
        if (std::ferror(pFile)) std::memset(gacPiece, '\n', kPieceSize);
        return 0;
    }
    // The usual line: printable text up to its newline.  (A filler newline
    // cannot come first: the terminator before it is not printable.)
    const std::size_t uFirst = s_firstUnprintable(gacPiece, kPieceSize);
    if (gacPiece[uFirst] == '\n') {
        *pbPlain = true;
        return uFirst + 1;
    }
    const char* pNl = static_cast<const char*>(std::memchr(gacPiece, '\n', kPieceSize));
    if (pNl == nullptr) return kPieceSize - 1;  // a full piece without newline
    const std::size_t i = static_cast<std::size_t>(pNl - gacPiece);
    if (i + 1 < kPieceSize && gacPiece[i + 1] == '\0') return i + 1;  // the line's newline
    return i - 1;  // filler right after the terminator: the data ends before it
}

// Gives the bytes of the last piece (its data and terminator) back to the filler.
void s_refillPiece(std::size_t len) { std::memset(gacPiece, '\n', len + 1); }

// Next character of the stream without taking it.
int s_peek(FILE* pFile)
{
    const int c = std::getc(pFile);
    if (c != EOF) std::ungetc(c, pFile);
    return c;
}

// Reads one line, handing the characters it keeps to sink(text, count) in
// order, and returns the number of characters of the line (newline
// included), or -1 at end of file.  A carriage return before a line feed and
// a control-Z before end of file are dropped.  Other illegal characters are
// reported (when bReport and not allowed) and become blanks; a NUL always
// does, so kept text stays one string.  ulKeep is the number of characters
// the caller stores: the short hint is given only to characters within it,
// and *pbTab (when given) tells whether a tab lies within it.
template <class Sink>
long s_readLine(FILE* pFile, unsigned long ulKeep, HINT_STYLE eHint, bool bReport, int* pIllegal,
                bool* pbTab, Sink&& sink)
{
    unsigned long ulPos = 0;  // characters of the line so far
    for (;;) {
        bool bPlain = false;
        const std::size_t len = s_readPiece(pFile, &bPlain);
        if (len == 0) break;
        char* const p = gacPiece;
        const bool bNewline = p[len - 1] == '\n';
        std::size_t n = bNewline ? len - 1 : len;  // characters before the newline
        if (!bPlain && n > 0) {
            const char cLast = p[n - 1];
            if (bNewline) {
                if (cLast == '\r') --n;
            } else if (cLast == '\r' || cLast == kCtrlZ) {
                // The piece ends the line only at end of file; a full piece
                // is followed by more of the stream.
                const int next = len == kPieceSize - 1 ? s_peek(pFile) : EOF;
                if ((cLast == '\r' && next == '\n') || (cLast == kCtrlZ && next == EOF)) --n;
            }
        }
        for (std::size_t i = bPlain ? n : s_firstUnprintable(p, n); i < n; ++i) {
            const unsigned char c = static_cast<unsigned char>(p[i]);
            if (s_isPrintable(c)) continue;
            if (c == '\t') {
                if (pbTab != nullptr && ulPos + i < ulKeep) *pbTab = true;
                continue;
            }
            if (gbAllowAnyCharacter == FALSE) {
                if (pIllegal != nullptr) *pIllegal = 1;
                if (bReport) {
                    const char* sHint = "";
                    if (eHint == HINT_ALWAYS_LONG)
                        sHint = kHintLong;
                    else if (ulPos + i < ulKeep)
                        sHint = kHintShort;
                    ERRLOG_LineErrorNew(1917, s_illegalKind(c), static_cast<unsigned>(c), sHint);
                }
                p[i] = ' ';
            } else if (c == 0) {
                p[i] = ' ';
            }
        }
        if (bNewline) p[n++] = '\n';
        sink(p, n);
        ulPos += n;
        s_refillPiece(len);
        if (bNewline || len < kPieceSize - 1) break;
    }
    // Nothing left of the line (end of file, or a control-Z alone before it).
    if (ulPos == 0) return -1;
    return static_cast<long>(ulPos);
}

char* s_getLine(char* pBuffer, unsigned uiBufSize, FILE* pFile, bool bReport, std::size_t* pLen = nullptr,
                BOOL* pbTab = nullptr)
{
    KIVO_ASSERT(pBuffer != nullptr && pFile != nullptr && uiBufSize >= 1);
    const std::size_t uKeep = uiBufSize - 1;
    std::size_t uStored = 0;
    bool bTab = false;
    const long lLen = s_readLine(pFile, uKeep, HINT_BY_POSITION, bReport, nullptr, &bTab,
                                 [&](const char* p, std::size_t n) {
                                     // The rest of a longer line is read and dropped.
                                     const std::size_t uTake = std::min(n, uKeep - uStored);
                                     std::memcpy(pBuffer + uStored, p, uTake);
                                     uStored += uTake;
                                 });
    if (lLen < 0) return nullptr;
    pBuffer[uStored] = '\0';
    if (pLen != nullptr) *pLen = uStored;
    if (pbTab != nullptr) *pbTab = CMN_ToBool(bTab);
    return pBuffer;
}

// Opens a path for reading; a directory does not count as a readable file.
FILE* s_tryOpen(const std::string& sPath)
{
    FILE* pFile = std::fopen(sPath.c_str(), "r");
    if (pFile == nullptr) return nullptr;
    struct stat st;
    if (fstat(fileno(pFile), &st) == 0 && S_ISDIR(st.st_mode)) {
        std::fclose(pFile);
        return nullptr;
    }
    return pFile;
}

template <class P>
STATUS s_eatKeyword(P* ppc_io)
{
    KIVO_ASSERT(ppc_io != nullptr && *ppc_io != nullptr);
    P pc = *ppc_io;
    while (*pc != '\0' && *pc != ']') ++pc;
    if (*pc == '\0') return FAILURE;
    ++pc;
    while (*pc != '\0' && CMN_IsWhitespace(static_cast<unsigned char>(*pc))) ++pc;
    *ppc_io = pc;
    return SUCCESS;
}

template <class P>
void s_eatNonWhitespace(P* ppc_io)
{
    KIVO_ASSERT(ppc_io != nullptr && *ppc_io != nullptr);
    P pc = *ppc_io;
    while (*pc != '\0' && !CMN_IsWhitespace(static_cast<unsigned char>(*pc))) ++pc;
    *ppc_io = pc;
}

template <class P>
void s_eatWhitespace(P* ppc)
{
    KIVO_ASSERT(ppc != nullptr && *ppc != nullptr);
    P pc = *ppc;
    while (*pc != '\0' && CMN_IsWhitespace(static_cast<unsigned char>(*pc))) ++pc;
    *ppc = pc;
}

// Copies at most kMax characters of [p, pEnd) into a terminated buffer.
constexpr std::size_t kTokMax = 1024;
void s_copyWord(char (&sOut)[kTokMax + 1], const char* p, const char* pEnd)
{
    std::size_t n = static_cast<std::size_t>(pEnd - p);
    if (n > kTokMax) n = kTokMax;
    std::memcpy(sOut, p, n);
    sOut[n] = '\0';
}

// A too-long value quoted in a message is cut so the message stays within
// the log's line buffer.
std::string s_quoted(const char* sValue, std::size_t len)
{
    return std::string(sValue, (len < CMN_MAX_CUT_LEN) ? len : CMN_MAX_CUT_LEN);
}

}  // namespace

// ---------------------------------------------------------------------------
// Preconditions.
// ---------------------------------------------------------------------------

void CMN_AssertFailed(const char* sFile, int iLine)
{
    std::fprintf(stdout, "%s:%d:assertion failed.\n", CMN_getBasename(sFile != nullptr ? sFile : "?"),
                 iLine);
    std::fflush(stdout);
    std::abort();
}

// ---------------------------------------------------------------------------
// Fields.
// ---------------------------------------------------------------------------

const char* args::Arg(int i) const
{
    if (i < 0 || i >= iCount || static_cast<std::size_t>(i) >= arg.size()) return nullptr;
    return arg[static_cast<std::size_t>(i)].c_str();
}

STATUS CMN_ArgParse(const char* psLine_in, int iMaxCnt_in, ARGS* pArgs_out)
{
    return CMN_ArgParsePlus(psLine_in, iMaxCnt_in, '\0', pArgs_out);
}

STATUS CMN_ArgParsePlus(const char* psLine_in, int iMaxCnt_in, char cDelimeter, ARGS* pArgs_out)
{
    KIVO_ASSERT(psLine_in != nullptr && pArgs_out != nullptr && iMaxCnt_in >= 0);
    pArgs_out->iMaxCnt = iMaxCnt_in;
    pArgs_out->iCount = 0;
    pArgs_out->iActualCnt = 0;
    pArgs_out->arg.clear();
    try {
        pArgs_out->arg.resize(static_cast<std::size_t>(iMaxCnt_in));
        const char* p = psLine_in;
        for (;;) {
            p = s_skipSpace(p);
            if (*p == '\0') break;
            const char* pStart = p;
            if (cDelimeter != '\0' && *p == cDelimeter) {
                ++p;
            } else {
                while (*p != '\0' && *p != ' ' && *p != '\t' && *p != '\n' &&
                       !(cDelimeter != '\0' && *p == cDelimeter))
                    ++p;
            }
            if (pArgs_out->iCount < iMaxCnt_in) {
                pArgs_out->arg[static_cast<std::size_t>(pArgs_out->iCount)].assign(
                    pStart, static_cast<std::size_t>(p - pStart));
                ++pArgs_out->iCount;
            }
            ++pArgs_out->iActualCnt;
        }
    } catch (const std::bad_alloc&) {
        ERRLOG_BugNew(1908, "cmn.c", __LINE__);
        return FAILURE;
    }
    return SUCCESS;
}

void CMN_ArgFree(ARGS* pArgs_io)
{
    KIVO_ASSERT(pArgs_io != nullptr);
    pArgs_io->arg.clear();
    pArgs_io->arg.shrink_to_fit();
    pArgs_io->iMaxCnt = 0;
    pArgs_io->iCount = 0;
    pArgs_io->iActualCnt = 0;
}

// ---------------------------------------------------------------------------
// Numbers.
// ---------------------------------------------------------------------------

GBU CMN_Get_Value(const char* psItem_in, double* pdNum_out)
{
    KIVO_ASSERT(psItem_in != nullptr && pdNum_out != nullptr);
    const char* p = s_skipSpace(psItem_in);
    std::size_t len = s_numberLen(p);
    if (len == 0) return BAD;
    double d = s_toDouble(p, len);
    const char* pRest = p + len;
    if (*pRest == '\0') {
        *pdNum_out = d;
        return GOOD;
    }
    double dFactor = 1.0;
    bool bScale = false;
    for (const scale& s : Scales) {
        if (*pRest == s.cLetter) {
            dFactor = s.dFactor;
            bScale = true;
            break;
        }
    }
    // A unit written right after the number (3.3V) stands as it is.
    if (!bScale && !s_isAlpha(*pRest)) return BAD;
    *pdNum_out = d * dFactor;
    for (const char* q = pRest; *q != '\0'; ++q)
        if (s_isDigit(*q)) return UGLY;
    return GOOD;
}

GBU CMN_Get_ValueOrNA(const char* psItem_in, double* pdNum_out, BOOL* bNA_out)
{
    KIVO_ASSERT(psItem_in != nullptr && pdNum_out != nullptr && bNA_out != nullptr);
    if (CMN_StrSameIC(psItem_in, "NA") == TRUE) {
        *pdNum_out = 0.0;
        *bNA_out = TRUE;
        return GOOD;
    }
    *bNA_out = FALSE;
    return CMN_Get_Value(psItem_in, pdNum_out);
}

STATUS CMN_GetColValue(const char* psStr_in, const char* psLabel_in, const char* psColumn_in,
                       double* dNum_out, NUMSTAT* pStat_out)
{
    KIVO_ASSERT(psLabel_in != nullptr && psColumn_in != nullptr && dNum_out != nullptr &&
                pStat_out != nullptr);
    *pStat_out = NOT_SET;
    if (psStr_in == nullptr) return SUCCESS;
    BOOL bNA = FALSE;
    switch (CMN_Get_ValueOrNA(psStr_in, dNum_out, &bNA)) {
    case GOOD:
        *pStat_out = (bNA == TRUE) ? NA : SET;
        return SUCCESS;
    case UGLY:
        ERRLOG_LineWarnNew(1910, psColumn_in, psLabel_in, psStr_in);
        *pStat_out = SET;
        return SUCCESS;
    case BAD:
        break;
    }
    ERRLOG_LineErrorNew(1909, psColumn_in, psStr_in);
    return FAILURE;
}

GBU CMN_StrToUI(const char* s, unsigned* pui)
{
    KIVO_ASSERT(s != nullptr && pui != nullptr);
    const char* p = s_skipSpace(s);
    if (*p == '-') return BAD;
    char* pEnd = nullptr;
    errno = 0;
    unsigned long ul = std::strtoul(p, &pEnd, 10);
    if (pEnd == p) return BAD;
    if (errno == ERANGE || ul > UINT_MAX) return BAD;
    *pui = static_cast<unsigned>(ul);
    return (*pEnd == '\0') ? GOOD : UGLY;
}

GBU CMN_StrToL(const char* s, long* pl)
{
    KIVO_ASSERT(s != nullptr && pl != nullptr);
    char* pEnd = nullptr;
    errno = 0;
    long l = std::strtol(s, &pEnd, 10);
    if (pEnd == s) return BAD;
    if (errno == ERANGE) return BAD;
    *pl = l;
    return (*pEnd == '\0') ? GOOD : UGLY;
}

GBU CMN_StrToDbl(const char* s, double* pd)
{
    KIVO_ASSERT(s != nullptr && pd != nullptr);
    const char* p = s_skipSpace(s);
    std::size_t len = s_numberLen(p);
    if (len == 0) return BAD;
    *pd = s_toDouble(p, len);
    return (p[len] == '\0') ? GOOD : UGLY;
}

int CMN_gettok(char* in, double* val, char** out)
{
    KIVO_ASSERT(in != nullptr && val != nullptr && out != nullptr);
    char* p = in;
    while (s_isBlankTab(*p)) ++p;
    if (*p == '\0') {
        *out = p;
        return CMN_TOK_END;
    }
    if (*p == '/') {
        ++p;
        while (s_isBlankTab(*p)) ++p;
        *out = p;
        return CMN_TOK_SLASH;
    }
    if (*p == '=') {
        ++p;
        while (s_isBlankTab(*p)) ++p;
        *out = p;
        ERRLOG_LineErrorNew(1918);
        return CMN_TOK_ERROR;
    }

    char* pWord = p;
    while (*p != '\0' && !s_isBlankTab(*p) && *p != '=' && *p != '/') ++p;
    char sWord[kTokMax + 1];
    s_copyWord(sWord, pWord, p);
    int iKind = CMN_TOK_ERROR;
    if (std::strcmp(sWord, "Len") == 0)
        iKind = CMN_TOK_LEN;
    else if (std::strcmp(sWord, "R") == 0)
        iKind = CMN_TOK_R;
    else if (std::strcmp(sWord, "C") == 0)
        iKind = CMN_TOK_C;
    else if (std::strcmp(sWord, "L") == 0)
        iKind = CMN_TOK_L;
    if (iKind == CMN_TOK_ERROR) {
        ERRLOG_LineErrorNew(1919, sWord);
        *out = p;
        return CMN_TOK_ERROR;
    }

    while (s_isBlankTab(*p)) ++p;
    if (*p == '\0') {
        ERRLOG_LineErrorNew(1920);
        return CMN_TOK_END;
    }
    if (*p != '=') {
        ERRLOG_LineErrorNew(1921);
        char* pSlash = std::strchr(p, '/');
        *out = (pSlash != nullptr) ? pSlash + 1 : p + std::strlen(p);
        return CMN_TOK_ERROR;
    }
    ++p;
    while (s_isBlankTab(*p)) ++p;
    if (*p == '\0') {
        ERRLOG_LineErrorNew(1920);
        return CMN_TOK_END;
    }

    char* pValue = p;
    while (*p != '\0' && !s_isBlankTab(*p) && *p != '/') ++p;
    if (p == pValue) {
        ERRLOG_LineErrorNew(1923);
        *val = 0.0;
    } else {
        char sValue[kTokMax + 1];
        s_copyWord(sValue, pValue, p);
        if (CMN_Get_Value(sValue, val) != GOOD) ERRLOG_LineErrorNew(1922, sValue);
    }
    while (s_isBlankTab(*p)) ++p;
    *out = p;
    return iKind;
}

// ---------------------------------------------------------------------------
// Record fields and names.
// ---------------------------------------------------------------------------

void CMN_SetStr(std::string& sDest, const char* sSrc, unsigned uiLen, const char* sKeyword)
{
    KIVO_ASSERT(sSrc != nullptr && sKeyword != nullptr);
    std::size_t len = std::strlen(sSrc);
    std::size_t keep = len;
    if (len > uiLen) {
        unsigned uiCut = (uiLen < CMN_MAX_CUT_LEN) ? uiLen : CMN_MAX_CUT_LEN;
        ERRLOG_LineErrorNew(1912, sKeyword, s_quoted(sSrc, len), uiCut);
        keep = uiCut;
    } else if (len == 0) {
        ERRLOG_LineErrorNew(1913, sKeyword);
    }
    sDest.assign(sSrc, keep);
}

STATUS CMN_SetKeywordStr(std::string& sDest, const char* sSrc, unsigned uiLen, const char* sKeyword)
{
    KIVO_ASSERT(sSrc != nullptr && sKeyword != nullptr);
    if (!sDest.empty()) {
        ERRLOG_LineErrorNew(1911, sKeyword);
        return FAILURE;
    }
    CMN_SetStr(sDest, sSrc, uiLen, sKeyword);
    return SUCCESS;
}

STATUS CMN_SetFilenameStr(std::string& sDest, const char* sSrc, unsigned uiLen, const char* sKeyword)
{
    KIVO_ASSERT(sSrc != nullptr && sKeyword != nullptr);
    if (!sDest.empty()) {
        ERRLOG_LineErrorNew(1911, sKeyword);
        return FAILURE;
    }
    std::size_t len = std::strlen(sSrc);
    if (len > uiLen)
        ERRLOG_LineErrorNew(1914, sKeyword, s_quoted(sSrc, len), uiLen);
    else if (len == 0)
        ERRLOG_LineErrorNew(1913, sKeyword);
    sDest.assign(sSrc, (len < CMN_MAX_FILENAME) ? len : CMN_MAX_FILENAME);
    return SUCCESS;
}

void CMN_TestRequiredKeyword(const char* sKeyword, BOOL bValue)
{
    KIVO_ASSERT(sKeyword != nullptr);
    if (bValue != FALSE) return;
    std::string sFile;
    PARSE_GetFileName(sFile);
    ERRLOG_ErrorNew(1915, sKeyword, sFile);
}

STATUS CMN_ReservedWord(const char* psName)
{
    KIVO_ASSERT(psName != nullptr);
    for (const char* const* pp = ReservedWords; **pp != '\0'; ++pp)
        if (CMN_StrSameIC(psName, *pp) == TRUE) return FAILURE;
    return SUCCESS;
}

STATUS CMN_ReservedWordErr(const char* psName)
{
    if (CMN_ReservedWord(psName) == SUCCESS) return SUCCESS;
    ERRLOG_LineErrorNew(1916, psName);
    return FAILURE;
}

// ---------------------------------------------------------------------------
// Comparison and scanning.
// ---------------------------------------------------------------------------

BOOL CMN_StrSameIC(const char* s1, const char* s2)
{
    KIVO_ASSERT(s1 != nullptr && s2 != nullptr);
    for (; *s1 != '\0' && *s2 != '\0'; ++s1, ++s2)
        if (s_upper(*s1) != s_upper(*s2)) return FALSE;
    return CMN_ToBool(*s1 == *s2);
}

BOOL CMN_StrSameICn(const char* s1, const char* s2, unsigned long ulMax)
{
    KIVO_ASSERT(s1 != nullptr && s2 != nullptr);
    for (unsigned long i = 0; i < ulMax; ++i) {
        if (s1[i] == '\0' || s2[i] == '\0') return CMN_ToBool(s1[i] == s2[i]);
        if (s_upper(s1[i]) != s_upper(s2[i])) return FALSE;
    }
    return TRUE;
}

BOOL CMN_MatchKeyword(const char* sKeyword, char* sPossible)
{
    KIVO_ASSERT(sKeyword != nullptr && sPossible != nullptr);
    for (char* p = sPossible; *p != '\0'; ++p)
        if (*p == ' ') *p = '_';
    return CMN_StrSameIC(sKeyword, sPossible);
}

BOOL CMN_IsWhitespace(int c)
{
    return CMN_ToBool(c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r');
}

void CMN_EatWhitespace(char** ppc) { s_eatWhitespace(ppc); }
void CMN_EatWhitespace(const char** ppc) { s_eatWhitespace(ppc); }

void CMN_TerminateEnd(char* pc)
{
    KIVO_ASSERT(pc != nullptr);
    std::size_t n = std::strlen(pc);
    while (n > 0 && CMN_IsWhitespace(static_cast<unsigned char>(pc[n - 1]))) --n;
    pc[n] = '\0';
}

void CMN_TerminateEnd(std::string& s)
{
    std::size_t n = s.size();
    while (n > 0 && CMN_IsWhitespace(static_cast<unsigned char>(s[n - 1]))) --n;
    s.resize(n);
}

STATUS CMN_EatKeyword(char** ppc_io) { return s_eatKeyword(ppc_io); }
STATUS CMN_EatKeyword(const char** ppc_io) { return s_eatKeyword(ppc_io); }
void CMN_EatNonWhitespace(char** ppc_io) { s_eatNonWhitespace(ppc_io); }
void CMN_EatNonWhitespace(const char** ppc_io) { s_eatNonWhitespace(ppc_io); }

// ---------------------------------------------------------------------------
// Memory and plain strings.
// ---------------------------------------------------------------------------

STATUS CMN_malloc(void** ppv, std::size_t size)
{
    KIVO_ASSERT(ppv != nullptr && size != 0);
    *ppv = std::calloc(1, size);
    if (*ppv == nullptr) {
        ERRLOG_ErrorNew(1906, size);
        return FAILURE;
    }
    return SUCCESS;
}

STATUS CMN_realloc(void** ppv, std::size_t size)
{
    KIVO_ASSERT(ppv != nullptr && size != 0);
    void* pNew = std::realloc(*ppv, size);
    if (pNew == nullptr) {
        std::free(*ppv);
        *ppv = nullptr;
        ERRLOG_ErrorNew(1907, size);
        return FAILURE;
    }
    *ppv = pNew;
    return SUCCESS;
}

void CMN_free(void* pv)
{
    KIVO_ASSERT(pv != nullptr);
    std::free(pv);
}

void CMN_freeSetNull(void** ppv)
{
    KIVO_ASSERT(ppv != nullptr && *ppv != nullptr);
    std::free(*ppv);
    *ppv = nullptr;
}

void CMN_strncpy(char* dest, const char* src, std::size_t len)
{
    KIVO_ASSERT(dest != nullptr && src != nullptr);
    std::size_t n = strnlen(src, len);
    std::memcpy(dest, src, n);
    dest[n] = '\0';
    dest[len] = '\0';
}

char* CMN_StrMake(const char* str)
{
    if (str == nullptr) return nullptr;
    std::size_t n = std::strlen(str);
    char* p = static_cast<char*>(std::malloc(n + 1));
    if (p == nullptr) {
        ERRLOG_BugNew(1908, "cmn.c", __LINE__);
        return nullptr;
    }
    std::memcpy(p, str, n + 1);
    return p;
}

char* CMN_StrMakeN(const char* src, std::size_t size)
{
    KIVO_ASSERT(src != nullptr);
    char* p = static_cast<char*>(std::malloc(size + 1));
    if (p == nullptr) return nullptr;
    std::size_t n = strnlen(src, size);
    std::memcpy(p, src, n);
    p[n] = '\0';
    return p;
}

const char* CMN_ultoa(unsigned long ul)
{
    // Wide enough for every unsigned long (20 digits).
    static char sBuf[24];
    std::snprintf(sBuf, sizeof sBuf, "%lu", ul);
    return sBuf;
}

FILE* CMN_fopen(const char* name, const char* mode)
{
    KIVO_ASSERT(name != nullptr && mode != nullptr);
    return std::fopen(name, mode);
}

const char* CMN_getBasename(const char* path)
{
    KIVO_ASSERT(path != nullptr);
    const char* p = std::strrchr(path, '/');
    return (p != nullptr) ? p + 1 : path;
}

void CMN_ConvertToLower(char* s)
{
    KIVO_ASSERT(s != nullptr);
    for (; *s != '\0'; ++s) *s = s_lower(*s);
}

void CMN_ConvertToUpper(char* s)
{
    KIVO_ASSERT(s != nullptr);
    for (; *s != '\0'; ++s) *s = s_upper(*s);
}

void CMN_ConvertToLower(std::string& s)
{
    for (char& c : s) c = s_lower(c);
}

void CMN_ConvertToUpper(std::string& s)
{
    for (char& c : s) c = s_upper(c);
}

BOOL CMN_AnyUpper(const char* s)
{
    KIVO_ASSERT(s != nullptr);
    for (; *s != '\0'; ++s)
        if (*s >= 'A' && *s <= 'Z') return TRUE;
    return FALSE;
}

// ---------------------------------------------------------------------------
// Files and lines.
// ---------------------------------------------------------------------------

STATUS CMN_OpenFile(const char* sName_in, KIVO_FILE_TYPE eFileType, FILE** ppFile,
                    std::string& sBasename_out)
{
    KIVO_ASSERT(sName_in != nullptr && ppFile != nullptr);
    KIVO_ASSERT(eFileType >= TYPE_KVO && eFileType <= TYPE_PARAM);
    *ppFile = nullptr;

    // The directory of a name that has one is remembered, so that a later
    // name without one is looked for in the same place.
    std::string sBase;
    const char* pSlash = std::strrchr(sName_in, '/');
    if (pSlash != nullptr) {
        gsFilePath_kvo.assign(sName_in, static_cast<std::size_t>(pSlash - sName_in + 1));
        sBase = pSlash + 1;
    } else {
        sBase = sName_in;
    }

    const char* sExt = nullptr;
    int iWrongExt = 0;
    switch (eFileType) {
    case TYPE_KVO: sExt = ".kvo"; iWrongExt = 1900; break;
    case TYPE_EBD: sExt = ".ebd"; iWrongExt = 1902; break;
    case TYPE_PKG: sExt = ".pkg"; iWrongExt = 1903; break;
    case TYPE_AMI: sExt = ".ami"; iWrongExt = 1924; break;
    case TYPE_PARAM:
    case TYPE_UNKNOWN: break;
    }
    if (sExt != nullptr) {
        std::size_t dot = sBase.rfind('.');
        if (dot == std::string::npos) {
            if (sBase.size() + std::strlen(sExt) > CMN_MAX_FILENAME) {
                ERRLOG_ErrorNew(1901);
                return FAILURE;
            }
            sBase += sExt;
        } else if (CMN_StrSameIC(sBase.c_str() + dot, sExt) != TRUE) {
            ERRLOG_ErrorNew(iWrongExt);
            return FAILURE;
        }
    }

    if (gsFilePath_kvo.size() + sBase.size() > CMN_MAX_FILENAME) {
        ERRLOG_ErrorNew(1904);
        return FAILURE;
    }

    // Exact name first, then the whole path in lower case, then upper case.
    std::string sPath = gsFilePath_kvo + sBase;
    FILE* pFile = s_tryOpen(sPath);
    if (pFile == nullptr) {
        CMN_ConvertToLower(sPath);
        pFile = s_tryOpen(sPath);
        if (pFile != nullptr) {
            CMN_ConvertToLower(gsFilePath_kvo);
        } else {
            CMN_ConvertToUpper(sPath);
            pFile = s_tryOpen(sPath);
            if (pFile != nullptr) CMN_ConvertToUpper(gsFilePath_kvo);
        }
    }
    if (pFile == nullptr) {
        ERRLOG_ErrorNew(1905, gsFilePath_kvo, sBase);
        return FAILURE;
    }
    *ppFile = pFile;
    sBasename_out = sBase;
    return SUCCESS;
}

KIVO_VER CMN_getKivoVer(const char* sArgv1, unsigned long* pul_out, KIVO_FILE_TYPE eType)
{
    KIVO_ASSERT(sArgv1 != nullptr);
    FILE* pFile = nullptr;
    std::string sBase;
    if (CMN_OpenFile(sArgv1, eType, &pFile, sBase) != SUCCESS) return VER_UNKNOWN;

    unsigned long ulCount = 0;
    KIVO_VER eVer = VER_UNKNOWN;
    char sLine[121];
    // Illegal characters are left to the parse, which reports each once.
    while (s_getLine(sLine, sizeof sLine, pFile, false) != nullptr) {
        ++ulCount;
        const char* p = sLine;
        while (s_isBlankTab(*p)) ++p;
        if (*p != '[') continue;
        if (CMN_StrSameICn(sLine, "[KIVO Ver]", 10) != TRUE &&
            CMN_StrSameICn(sLine, "[KIVO_Ver]", 10) != TRUE)
            break;
        p = std::strchr(sLine, ']') + 1;
        while (s_isBlankTab(*p)) ++p;
        switch (p[0]) {
        case '1': eVer = VER_1; break;
        case '2': eVer = VER_2; break;
        case '3': eVer = VER_3; break;
        case '4': eVer = VER_4; break;
        case '5': eVer = VER_5; break;
        case '6':
            if (p[1] == '\0' || (p[1] == '.' && p[2] == '\0') || (p[1] == '.' && p[2] == '0'))
                eVer = VER_6;
            else if (p[1] == '.' && p[2] == '1')
                eVer = VER_61;
            break;
        default: break;
        }
        break;
    }
    std::fclose(pFile);
    if (pul_out != nullptr) *pul_out = ulCount;
    return eVer;
}

char* CMN_GetLine(char* pBuffer, unsigned uiBufSize, FILE* pFile)
{
    return s_getLine(pBuffer, uiBufSize, pFile, true);
}

char* CMN_GetLine(char* pBuffer, unsigned uiBufSize, FILE* pFile, std::size_t* pLen, BOOL* pbTab)
{
    KIVO_ASSERT(pLen != nullptr && pbTab != nullptr);
    return s_getLine(pBuffer, uiBufSize, pFile, true, pLen, pbTab);
}

std::optional<std::string> CMN_GetInfiniteLine(FILE* pFile, int* error)
{
    KIVO_ASSERT(pFile != nullptr && error != nullptr);
    *error = 0;
    std::string sLine;
    const long lLen = s_readLine(pFile, ULONG_MAX, HINT_ALWAYS_LONG, true, error, nullptr,
                                 [&](const char* p, std::size_t n) { sLine.append(p, n); });
    if (lLen < 0) return std::nullopt;
    return sLine;
}

void CMN_GetKvoPath(std::string& sPath_out) { sPath_out = gsFilePath_kvo; }

STATUS CMN_checkFileExists(const char* sFileName)
{
    KIVO_ASSERT(sFileName != nullptr);
    std::string sPath = gsFilePath_kvo;
    if (!sPath.empty() && sPath.back() != '/') sPath += '/';
    sPath += sFileName;
    FILE* pFile = s_tryOpen(sPath);
    if (pFile == nullptr) return FAILURE;
    std::fclose(pFile);
    return SUCCESS;
}

void CMN_AllowAnyCharacter(int allow) { gbAllowAnyCharacter = CMN_ToBool(allow != 0); }

void CMN_Reset()
{
    gsFilePath_kvo.clear();
    gbAllowAnyCharacter = FALSE;
}

#include "parse/parse.h"

#include <array>
#include <cstdio>
#include <cstring>
#include <iterator>
#include <new>
#include <optional>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "common/cmn.h"
#include "common/errlog.h"
#include "component/cmpnt.h"
#include "model/mdl.h"
#include "model/msel.h"
#include "model/submdl.h"
#include "package/ebdmdl.h"
#include "package/pkgmdl.h"
#include "parse/hdr.h"
#include "testdata/testdata.h"
#include "testdata/testload.h"

namespace {

// ===========================================================================
// Reader state
// ===========================================================================

constexpr char kDefaultComment = '|';
// Characters that may not become the comment character.
constexpr const char* gpcBadCommChars =
    "0123456789abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ[]._/=+-";
// Lines of model files are read into a buffer of this size (1023 characters
// kept; the rest of a longer line is read and dropped).
constexpr unsigned kLineBufSize = 1024;
// Longest keyword name between the brackets.  Keeps the closing bracket within
// the first 121 characters of the line, where the sections look for it.
constexpr std::size_t kMaxKeywordName = 117;
// Stream buffer of the model file being read.
constexpr std::size_t kReadBlock = 1 << 16;

unsigned long gulLineNum = 1;        // model-file line being processed
unsigned long gulLineNumParam = 1;   // parameter-file line being read
unsigned long gulQuoteStartLine = 0; // parameter-file line where the open string began
char gpcComment = kDefaultComment;
BOOL bTabFound = FALSE;
BOOL gbInQuote = FALSE;
std::string gsFileName;
KEYWORD_TYPE geCurrentKeyword = NOT_KEY;
BOOL gbEndFound = FALSE;
BOOL gbKIVO_VerFound = FALSE;
KIVO_FILE_TYPE geCurrFileType = TYPE_UNKNOWN;
KIVO_FILE_TYPE gePrevFileType = TYPE_UNKNOWN;
BOOL gbInSubModel = FALSE;
std::string gsBuffer;
BOOL gbAllowAnyLineLength = FALSE;
BOOL gbSuppressBanners = FALSE;
BOOL gbContinue = FALSE;
PARSE_TRACE_FN gpfTrace = nullptr;

// Closes the file being read on every way out.
struct FileCloser {
    FILE* pFile = nullptr;
    ~FileCloser()
    {
        if (pFile != nullptr) fclose(pFile);
    }
};

// ===========================================================================
// Keyword tables
// ===========================================================================

struct KeywordDef {
    KEYWORD_TYPE eKey;
    const char* sName;
    int iFirstVer;  // 21, 32, 42, 51, 60 or 61
};

constexpr KeywordDef kKeywordDefs[] = {
#define KEYWORD(id, name, ver) {id, name, ver},
#include "common/keywords.def"
#undef KEYWORD
};
static_assert(std::size(kKeywordDefs) == NOT_KEY, "one row per keyword value");

// The six rule sets with their own keyword table and router.
enum VER_GROUP { GRP_21, GRP_32, GRP_42, GRP_51, GRP_60, GRP_61, GRP_COUNT };
constexpr int kGroupVer[GRP_COUNT] = {21, 32, 42, 51, 60, 61};

VER_GROUP s_groupOf(KIVO_VER eVer)
{
    switch (eVer) {
    case VER_3: return GRP_32;
    case VER_4: return GRP_42;
    case VER_5: return GRP_51;
    case VER_6: return GRP_60;
    case VER_61: return GRP_61;
    default: return GRP_21;  // unknown, 1.x and 2.x
    }
}

// Whether the keyword value belongs to the rule set.
bool s_inGroup(KEYWORD_TYPE eKey, VER_GROUP eGroup)
{
    return eKey >= 0 && eKey < NOT_KEY && kKeywordDefs[eKey].iFirstVer <= kGroupVer[eGroup];
}

struct KeywordTable {
    std::vector<keywrd> rows;
    // Upper-case name -> value of the first row holding it.
    std::unordered_map<std::string_view, KEYWORD_TYPE> index;
};

// Rows in keyword order, except that the external-circuit keywords stand
// after [Test Load], and [Comment Char], [End] and the terminator close the
// table.  Names repeated further down ([Manufacturer], [Pulldown] ...) are
// never found by name; the context rules of s_getKeyword reach them.
KeywordTable s_buildTable(VER_GROUP eGroup)
{
    KeywordTable t;
    auto add = [&t](KEYWORD_TYPE eKey) {
        t.rows.push_back({kKeywordDefs[eKey].sName, eKey});
        t.index.emplace(kKeywordDefs[eKey].sName, eKey);  // keeps the first
    };
    const bool bExtAfterTestLoad = eGroup >= GRP_42;
    for (const KeywordDef& d : kKeywordDefs) {
        if (d.eKey == COMMENT_KEY || d.eKey == END_KEY) continue;
        const bool bExt = d.eKey == EXTERNAL_CIRCUIT_KEY || d.eKey == END_EXTERNAL_CIRCUIT_KEY;
        if (bExt && bExtAfterTestLoad) continue;
        if (s_inGroup(d.eKey, eGroup)) add(d.eKey);
        if (d.eKey == TESTLOAD_KEY && bExtAfterTestLoad) {
            add(EXTERNAL_CIRCUIT_KEY);
            add(END_EXTERNAL_CIRCUIT_KEY);
        }
    }
    add(COMMENT_KEY);
    add(END_KEY);
    t.rows.push_back({"", NOT_KEY});
    return t;
}

const KeywordTable& s_table(VER_GROUP eGroup)
{
    static const std::array<KeywordTable, GRP_COUNT> tables = [] {
        std::array<KeywordTable, GRP_COUNT> a;
        for (int g = 0; g < GRP_COUNT; ++g) a[g] = s_buildTable(static_cast<VER_GROUP>(g));
        return a;
    }();
    return tables[eGroup];
}

// ===========================================================================
// Owners of the keywords and the routes of each rule set
// ===========================================================================

enum OWNER {
    OWN_NONE,  // no route: the keyword cannot occur in this rule set
    OWN_HDR,
    OWN_CMPNT,
    OWN_EXT,
    OWN_MDL,
    OWN_PKGMDL,
    OWN_EBDMDL,
    OWN_MSEL,
    OWN_SUBMDL,
    OWN_TESTDATA,
    OWN_TESTLOAD,
    OWN_END,      // [End]: handled by the reader
    OWN_UNKNOWN,  // no valid keyword open
    OWN_COUNT
};

// File kinds a route delivers to.
constexpr unsigned KIND_K = 1u << TYPE_KVO;
constexpr unsigned KIND_P = 1u << TYPE_PKG;
constexpr unsigned KIND_E = 1u << TYPE_EBD;
constexpr unsigned KIND_ALL = KIND_K | KIND_P | KIND_E;

struct OwnerSpan {
    KEYWORD_TYPE eFirst, eLast;
    OWNER eOwner;
    unsigned uKinds;
};

// Who owns each keyword and in which file kinds it receives its lines.  A
// keyword is routed in every rule set whose table holds it.  [Comment Char]
// has no owner: the reader handles it.
constexpr OwnerSpan kOwnerSpans[] = {
    {KIVOVER_KEY, KIVOVER_KEY, OWN_HDR, KIND_ALL},
    {FILENAME_KEY, COPYRIGHT_KEY, OWN_HDR, KIND_ALL},
    {COMPNT_KEY, END_CIRCUIT_CALL_KEY, OWN_CMPNT, KIND_K},
    {EXTERNAL_CIRCUIT_KEY, END_EXTERNAL_CIRCUIT_KEY, OWN_EXT, KIND_K},
    {BEGIN_EMI_COMPONENT_KEY, PIN_DOMAIN_EMI_KEY, OWN_CMPNT, KIND_K},
    {EXTERNAL_MODEL_KEY, INITIAL_DELAY_KEY, OWN_MDL, KIND_K},
    {PKGMDL_DEF_KEY, PKGMDL_MPINS_KEY, OWN_PKGMDL, KIND_K | KIND_P},
    {EBDMDL_DEF_KEY, EBDMDL_END_KEY, OWN_EBDMDL, KIND_E},
    {MSEL_KEY, MSEL_KEY, OWN_MSEL, KIND_K},
    {SUBMDL_KEY, SUBMDL_INITIAL_DELAY_KEY, OWN_SUBMDL, KIND_K},
    {TESTDATA_KEY, TESTDATA_DIFF_FALLING_FAR_KEY, OWN_TESTDATA, KIND_K},
    {TESTLOAD_KEY, TESTLOAD_KEY, OWN_TESTLOAD, KIND_K},
    {END_KEY, END_KEY, OWN_END, KIND_ALL},
};

// Rule sets in which a span reaches other file kinds than its owner row says:
// before board descriptions existed, package-model keywords reached every kind.
struct KindOverride {
    VER_GROUP eGroup;
    KEYWORD_TYPE eFirst, eLast;
    unsigned uKinds;
};
constexpr KindOverride kKindOverrides[] = {
    {GRP_21, PKGMDL_DEF_KEY, PKGMDL_END_KEY, KIND_ALL},
};

struct Route {
    OWNER eOwner = OWN_NONE;
    unsigned uKinds = 0;
};
using RouteTable = std::array<Route, NOT_KEY + 1>;

const Route& s_route(VER_GROUP eGroup, KEYWORD_TYPE eKey)
{
    static const std::array<RouteTable, GRP_COUNT> routes = [] {
        std::array<RouteTable, GRP_COUNT> a{};
        for (int g = 0; g < GRP_COUNT; ++g) {
            const VER_GROUP eGroup = static_cast<VER_GROUP>(g);
            for (const OwnerSpan& s : kOwnerSpans)
                for (int k = s.eFirst; k <= s.eLast; ++k)
                    if (s_inGroup(static_cast<KEYWORD_TYPE>(k), eGroup)) a[g][k] = {s.eOwner, s.uKinds};
            for (const KindOverride& o : kKindOverrides)
                if (o.eGroup == eGroup)
                    for (int k = o.eFirst; k <= o.eLast; ++k) a[g][k].uKinds = o.uKinds;
            a[g][NOT_KEY] = {OWN_UNKNOWN, KIND_ALL};
        }
        return a;
    }();
    KIVO_ASSERT(eKey >= 0 && eKey <= NOT_KEY);
    return routes[eGroup][eKey];
}

// ---------------------------------------------------------------------------
// [End] and the operations of each owner
// ---------------------------------------------------------------------------

// [End]: nothing may follow the keyword on its line.
void s_setEndFound(char* sLine)
{
    char* p = sLine;
    CMN_EatKeyword(&p);
    if (*p != '\0') ERRLOG_LineErrorNew(920);
    gbEndFound = TRUE;
}

STATUS s_receiveEnd(LINE_TYPE, KEYWORD_TYPE, char* sLine)
{
    s_setEndFound(sLine);
    return SUCCESS;
}

struct OwnerOps {
    const char* sName;
    STATUS (*pfReceive)(LINE_TYPE, KEYWORD_TYPE, char*);
    void (*pfFini)(KEYWORD_TYPE);  // null: the owner has no finish
};

const OwnerOps kOwnerOps[OWN_COUNT] = {
    /* OWN_NONE     */ {"", nullptr, nullptr},
    /* OWN_HDR      */ {"HDR", HDR_ReceiveLine, [](KEYWORD_TYPE e) { (void)HDR_Fini(e); }},
    /* OWN_CMPNT    */ {"CMPNT", CMPNT_ReceiveLine, [](KEYWORD_TYPE e) { (void)CMPNT_Fini(e); }},
    /* OWN_EXT      */ {"EXT", EXT_ReceiveLine, nullptr},
    /* OWN_MDL      */ {"MDL", MDL_ReceiveLine, [](KEYWORD_TYPE e) { (void)MDL_Fini(e); }},
    /* OWN_PKGMDL   */ {"PKGMDL", PKGMDL_ReceiveLine, [](KEYWORD_TYPE e) { (void)PKGMDL_Fini(e); }},
    /* OWN_EBDMDL   */ {"EBDMDL", EBDMDL_ReceiveLine, [](KEYWORD_TYPE e) { (void)EBDMDL_Fini(e); }},
    /* OWN_MSEL     */ {"MSEL", MSEL_ReceiveLine, [](KEYWORD_TYPE) { (void)MSEL_Fini(); }},
    /* OWN_SUBMDL   */ {"SUBMDL", SUBMDL_ReceiveLine, [](KEYWORD_TYPE e) { (void)SUBMDL_Fini(e); }},
    /* OWN_TESTDATA */ {"TESTDATA", TESTDATA_ReceiveLine, [](KEYWORD_TYPE e) { (void)TESTDATA_Fini(e); }},
    /* OWN_TESTLOAD */ {"TESTLOAD", TESTLOAD_ReceiveLine, [](KEYWORD_TYPE e) { (void)TESTLOAD_Fini(e); }},
    /* OWN_END      */ {"END", s_receiveEnd, nullptr},
    /* OWN_UNKNOWN  */ {"", nullptr, nullptr},
};

// ---------------------------------------------------------------------------
// Sections that a keyword opens
// ---------------------------------------------------------------------------

// [KIVO Ver] starts a new header; a second one in the same file is reported.
void s_startHeader()
{
    if (gbKIVO_VerFound) ERRLOG_LineErrorNew(910);
    gbKIVO_VerFound = TRUE;
    (void)HDR_Init();
}

constexpr int START = 0;  // start the section; any other value is the message to report

struct StartRow {
    KEYWORD_TYPE eKey;
    const char* sOwner;
    void (*pfInit)();
    int iKvo, iPkg, iEbd;  // action per file kind
    int iEbd21;            // action in a board-description file under the 2.1 rules
};

const StartRow kStartRows[] = {
    {KIVOVER_KEY, "HDR", s_startHeader, START, START, START, START},
    {COMPNT_KEY, "CMPNT", [] { (void)CMPNT_Init(); }, START, 911, 912, 911},
    {EXTERNAL_CIRCUIT_KEY, "EXT", [] { EXT_CIR_Init(); }, START, 911, 911, 911},
    {MODEL_KEY, "MDL", [] { (void)MDL_Init(); }, START, 911, 912, 911},
    {PKGMDL_DEF_KEY, "PKGMDL", [] { (void)PKGMDL_Init(); }, START, START, 912, START},
    {EBDMDL_DEF_KEY, "EBDMDL", [] { (void)EBDMDL_Init(); }, 913, 911, START, START},
    {MSEL_KEY, "MSEL", [] { (void)MSEL_Init(); }, START, 911, 912, 912},
    {SUBMDL_KEY, "SUBMDL", [] { (void)SUBMDL_Init(); }, START, 911, 912, 912},
    {TESTDATA_KEY, "TESTDATA", [] { (void)TESTDATA_Init(); }, START, 911, 912, 912},
    {TESTLOAD_KEY, "TESTLOAD", [] { (void)TESTLOAD_Init(); }, START, 911, 912, 912},
};

const StartRow* s_startRow(KEYWORD_TYPE eKey)
{
    static const std::array<const StartRow*, NOT_KEY + 1> rows = [] {
        std::array<const StartRow*, NOT_KEY + 1> a{};
        for (const StartRow& r : kStartRows) a[r.eKey] = &r;
        return a;
    }();
    return rows[eKey];
}

// ===========================================================================
// The router
// ===========================================================================

// Keyword names match ignoring case, with blanks and underscores alike:
// acName receives the name with blanks written as "_", acUpper the same in
// upper case; both are terminated.
void s_normalizeName(const char* sName, std::size_t n, char* acName, char* acUpper)
{
    for (std::size_t i = 0; i < n; ++i) {
        const char c = sName[i] == ' ' ? '_' : sName[i];
        acName[i] = c;
        acUpper[i] = (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
    }
    acName[n] = '\0';
    acUpper[n] = '\0';
}

// Value of the first row of the rule set's table with this upper-case name.
KEYWORD_TYPE s_findKeyword(VER_GROUP eGroup, std::string_view sUpper)
{
    const KeywordTable& t = s_table(eGroup);
    const auto it = t.index.find(sUpper);
    return it == t.index.end() ? NOT_KEY : it->second;
}

// Recognises the keyword of a keyword line in the rule set's table and
// applies the context rules.
STATUS s_getKeyword(const char* sLine, KEYWORD_TYPE ePrevKeyword, KEYWORD_TYPE* peNewKeyword,
                    VER_GROUP eGroup, KIVO_FILE_TYPE eKind)
{
    KIVO_ASSERT(sLine[0] == '[');
    const char* pClose = std::strchr(sLine, ']');
    if (pClose == nullptr) {
        ERRLOG_LineErrorNew(914);
        return FAILURE;
    }
    const std::size_t n = static_cast<std::size_t>(pClose - sLine - 1);
    if (n < 1 || n > kMaxKeywordName) {
        ERRLOG_LineErrorNew(915);
        return FAILURE;
    }
    // The name with blanks shown as "_", and its upper-case form for the lookup.
    char acName[kMaxKeywordName + 1];
    char acUpper[kMaxKeywordName + 1];
    s_normalizeName(sLine + 1, n, acName, acUpper);
    KEYWORD_TYPE eKey = s_findKeyword(eGroup, std::string_view(acUpper, n));
    if (eKey == NOT_KEY) {
        ERRLOG_LineErrorNew(916, acName);
        return FAILURE;
    }

    if (eKey == MANU_KEY) {
        switch (ePrevKeyword) {
        case PKGMDL_DEF_KEY:
        case PKGMDL_MANU_KEY:
        case PKGMDL_OEM_KEY:
        case PKGMDL_DESC_KEY: eKey = PKGMDL_MANU_KEY; break;
        case EBDMDL_DEF_KEY:
        case EBDMDL_MANU_KEY: eKey = EBDMDL_MANU_KEY; break;
        default: break;  // manufacturer of the component
        }
    }
    if (eKey == PKGMDL_NUMPIN_KEY && eKind == TYPE_EBD) eKey = EBDMDL_NUMPIN_KEY;
    if (gbInSubModel) {
        switch (eKey) {
        case PULLDOWN_KEY: eKey = SUBMDL_PULLDOWN_KEY; break;
        case PULLUP_KEY: eKey = SUBMDL_PULLUP_KEY; break;
        case GND_CLAMP_KEY: eKey = SUBMDL_GND_CLAMP_KEY; break;
        case PWR_CLAMP_KEY: eKey = SUBMDL_PWR_CLAMP_KEY; break;
        case RAMP_KEY: eKey = SUBMDL_RAMP_KEY; break;
        case RISING_WAVE_KEY: eKey = SUBMDL_RISING_WAVE_KEY; break;
        case FALLING_WAVE_KEY: eKey = SUBMDL_FALLING_WAVE_KEY; break;
        case INITIAL_DELAY_KEY: eKey = SUBMDL_INITIAL_DELAY_KEY; break;
        default: break;
        }
    }
    *peNewKeyword = eKey;
    return SUCCESS;
}

void s_trace(PARSE_EVENT eEvent, const char* sOwner, KEYWORD_TYPE eKeyword,
             LINE_TYPE eLineType = OTHER_LINE, const char* sLine = nullptr)
{
    if (gpfTrace != nullptr) gpfTrace({eEvent, sOwner, eKeyword, eLineType, sLine});
}

// Tells the owner of the previous keyword that its keyword has ended.  Sent
// at every keyword change, whatever the file kind.
void s_sendFini(VER_GROUP eGroup, KEYWORD_TYPE ePrevKeyword, KEYWORD_TYPE eNewKeyword)
{
    const OwnerOps& ops = kOwnerOps[s_route(eGroup, ePrevKeyword).eOwner];
    if (ops.pfFini == nullptr) return;
    s_trace(PARSE_EV_FINI, ops.sName, eNewKeyword);
    ops.pfFini(eNewKeyword);
}

// Starts the section the new keyword opens, or reports the keyword as not
// allowed in this kind of file.
void s_sendInit(VER_GROUP eGroup, KIVO_FILE_TYPE eKind, KEYWORD_TYPE eNewKeyword)
{
    const StartRow* pRow = s_startRow(eNewKeyword);
    if (pRow == nullptr || !s_inGroup(eNewKeyword, eGroup)) return;
    int iAction = START;
    switch (eKind) {
    case TYPE_KVO: iAction = pRow->iKvo; break;
    case TYPE_PKG: iAction = pRow->iPkg; break;
    case TYPE_EBD: iAction = eGroup == GRP_21 ? pRow->iEbd21 : pRow->iEbd; break;
    default: KIVO_ASSERT(!"router called for a parameter file");
    }
    if (iAction == START) {
        s_trace(PARSE_EV_INIT, pRow->sOwner, eNewKeyword);
        pRow->pfInit();
    } else
        ERRLOG_LineErrorNew(iAction);
}

// Handles one line of a KIVO, package or board-description file under the
// rules of one version group.
void s_routeLine(VER_GROUP eGroup, KIVO_FILE_TYPE eKind, LINE_TYPE eLineType, char* sLine)
{
    KIVO_ASSERT(sLine != nullptr);
    KIVO_ASSERT(eLineType == KEYWORD_LINE || eLineType == OTHER_LINE);

    if (eLineType == KEYWORD_LINE) {
        // A series switch group still waiting for its "/" is cut short.
        if (eGroup >= GRP_32 && gbContinue) {
            ERRLOG_LineErrorNew(909);
            gbContinue = FALSE;
        }
        const KEYWORD_TYPE ePrevKeyword = geCurrentKeyword;
        KEYWORD_TYPE eNewKeyword = NOT_KEY;
        if (s_getKeyword(sLine, ePrevKeyword, &eNewKeyword, eGroup, eKind) != SUCCESS) {
            // The section that was open gets no finish; data lines up to the
            // next valid keyword are reported.
            geCurrentKeyword = NOT_KEY;
            return;
        }
        geCurrentKeyword = eNewKeyword;
        s_sendFini(eGroup, ePrevKeyword, eNewKeyword);
        s_sendInit(eGroup, eKind, eNewKeyword);
        if (eGroup >= GRP_32) {
            if (eNewKeyword == MODEL_KEY) gbInSubModel = FALSE;
            if (eNewKeyword == SUBMDL_KEY) gbInSubModel = TRUE;
        }
    }

    const Route& r = s_route(eGroup, geCurrentKeyword);
    switch (r.eOwner) {
    case OWN_NONE: ERRLOG_LineBugNew(908, "parse.c", __LINE__); return;
    case OWN_UNKNOWN: ERRLOG_LineErrorNew(907, sLine); return;
    default: break;
    }
    // A route for another kind of file drops the line: its keyword line was
    // already reported when the keyword started.
    if ((r.uKinds & (1u << eKind)) == 0) return;
    const OwnerOps& ops = kOwnerOps[r.eOwner];
    s_trace(PARSE_EV_RECEIVE, ops.sName, geCurrentKeyword, eLineType, sLine);
    (void)ops.pfReceive(eLineType, geCurrentKeyword, sLine);
}

void s_sendLine(KIVO_FILE_TYPE eKind, LINE_TYPE eLineType, char* sLine)
{
    s_routeLine(GRP_21, eKind, eLineType, sLine);
}
void s_sendLineVer3(KIVO_FILE_TYPE eKind, LINE_TYPE eLineType, char* sLine)
{
    s_routeLine(GRP_32, eKind, eLineType, sLine);
}
void s_sendLineVer4(KIVO_FILE_TYPE eKind, LINE_TYPE eLineType, char* sLine)
{
    s_routeLine(GRP_42, eKind, eLineType, sLine);
}
void s_sendLineVer5(KIVO_FILE_TYPE eKind, LINE_TYPE eLineType, char* sLine)
{
    s_routeLine(GRP_51, eKind, eLineType, sLine);
}
void s_sendLineVer6(KIVO_FILE_TYPE eKind, LINE_TYPE eLineType, char* sLine)
{
    s_routeLine(GRP_60, eKind, eLineType, sLine);
}
void s_sendLineVer61(KIVO_FILE_TYPE eKind, LINE_TYPE eLineType, char* sLine)
{
    s_routeLine(GRP_61, eKind, eLineType, sLine);
}

// Hands a line to the router of the version that governs the file now.
void s_sendByVersion(LINE_TYPE eLineType, char* sLine)
{
    using Router = void (*)(KIVO_FILE_TYPE, LINE_TYPE, char*);
    static constexpr Router kRouters[] = {
        s_sendLine,      // VER_UNKNOWN
        s_sendLine,      // VER_1
        s_sendLine,      // VER_2
        s_sendLineVer3,  // VER_3
        s_sendLineVer4,  // VER_4
        s_sendLineVer5,  // VER_5
        s_sendLineVer6,  // VER_6
        s_sendLineVer61, // VER_61
    };
    KIVO_ASSERT(geFileVersion >= VER_UNKNOWN && geFileVersion <= VER_61);
    kRouters[geFileVersion](geCurrFileType, eLineType, sLine);
}

// ===========================================================================
// Reading KIVO, package and board-description files
// ===========================================================================

bool s_isFreeTextKeyword(KEYWORD_TYPE eKey)
{
    return eKey == SOURCE_KEY || eKey == NOTES_KEY || eKey == DISCLMR_KEY || eKey == COPYRIGHT_KEY;
}

// [Comment Char] <c>_char: the new comment character applies from the next line.
void s_setCommentChar(char* sLine)
{
    char* pValue = sLine;
    CMN_EatKeyword(&pValue);
    if (pValue[0] == '\0' || std::strncmp(pValue + 1, "_char", 5) != 0) {
        ERRLOG_LineErrorNew(917);
        return;
    }
    if (std::strchr(gpcBadCommChars, pValue[0]) != nullptr) {
        ERRLOG_LineErrorNew(918, pValue[0]);
        return;
    }
    gpcComment = pValue[0];
    const char* pRest = pValue + 6;
    while (*pRest == ' ' || *pRest == '\t') ++pRest;
    if (*pRest != '\0' && *pRest != gpcComment) ERRLOG_LineErrorNew(919);
}

bool s_isCommentCharKeyword(const char* p)
{
    return CMN_StrSameICn(p, "[COMMENT_CHAR]", 14) || CMN_StrSameICn(p, "[COMMENT CHAR]", 14);
}

// One line of a model file, as read (newline kept when it was stored), of
// uLen characters; bTab tells whether it holds a tab.
void s_readLine(char* sLine, std::size_t uLen, BOOL bTab)
{
    if (uLen > 0 && sLine[uLen - 1] == '\n') sLine[--uLen] = '\0';

    const int iLimit = geFileVersion >= VER_4 ? 120 : 80;
    if (uLen > static_cast<std::size_t>(iLimit) && !gbAllowAnyLineLength) ERRLOG_LineErrorNew(905, iLimit);
    if (!bTabFound && bTab) {
        ERRLOG_LineWarnNew(921);
        bTabFound = TRUE;
    }

    char* p = sLine;
    while (*p == ' ' || *p == '\t') ++p;
    LINE_TYPE eType;
    if (*p != '[') {
        eType = (*p == '\0' || *p == gpcComment) ? COMMENT_LINE : OTHER_LINE;
    } else if (p == sLine) {
        eType = KEYWORD_LINE;
    } else if (s_isFreeTextKeyword(geCurrentKeyword)) {
        eType = OTHER_LINE;  // free text of a header keyword
    } else {
        ERRLOG_LineErrorNew(906);
        eType = KEYWORD_LINE;
    }

    if (gbEndFound) {
        if (eType != COMMENT_LINE) ERRLOG_LineErrorNew(902);
        return;
    }
    if (eType == COMMENT_LINE) return;
    if (eType == KEYWORD_LINE && s_isCommentCharKeyword(p)) {
        s_setCommentChar(p);
        return;
    }
    // The comment runs from the first comment character to the end of the
    // line; trailing white space before it goes too.
    char* pEnd = sLine + uLen;
    char* pComment = static_cast<char*>(std::memchr(p, gpcComment, static_cast<std::size_t>(pEnd - p)));
    if (pComment != nullptr) pEnd = pComment;
    while (pEnd > p && CMN_IsWhitespace(static_cast<unsigned char>(pEnd[-1]))) --pEnd;
    *pEnd = '\0';
    s_sendByVersion(eType, p);
}

STATUS s_parseModelFile(const char* sFileName_in, KIVO_FILE_TYPE eFileType)
{
    gePrevFileType = geCurrFileType;
    geCurrFileType = eFileType;

    unsigned long ulLines = ~0UL;
    const KIVO_VER eVer = CMN_getKivoVer(sFileName_in, &ulLines, eFileType);
    const char* sVer = nullptr;
    switch (eVer) {
    case VER_2: sVer = "2.1"; break;
    case VER_3: sVer = "3.2"; break;
    case VER_4: sVer = "4.2"; break;
    case VER_5: sVer = "5.1"; break;
    case VER_6: sVer = "6.0"; break;
    case VER_61: sVer = "6.1"; break;
    case VER_UNKNOWN:
    case VER_1: ERRLOG_ErrorNew(900, sFileName_in); return FAILURE;
    }
    if (!gbSuppressBanners) printf("\nChecking %s for KIVO %s Compatibility...\n\n", sFileName_in, sVer);

    gbInSubModel = FALSE;
    bTabFound = FALSE;
    gulLineNum = 1;
    gpcComment = kDefaultComment;
    gsFileName.clear();
    geCurrentKeyword = NOT_KEY;
    gbKIVO_VerFound = FALSE;
    gbEndFound = FALSE;

    FileCloser file;
    if (CMN_OpenFile(sFileName_in, eFileType, &file.pFile, gsFileName) != SUCCESS) return FAILURE;
    // Large files are read in large blocks.
    std::setvbuf(file.pFile, nullptr, _IOFBF, kReadBlock);
    if (CMN_AnyUpper(gsFileName.c_str())) ERRLOG_WarnNew(901, gsFileName);

    char acLine[kLineBufSize];
    std::size_t uLen = 0;
    BOOL bTab = FALSE;
    while (CMN_GetLine(acLine, kLineBufSize, file.pFile, &uLen, &bTab) != nullptr) {
        s_readLine(acLine, uLen, bTab);
        ++gulLineNum;
    }
    if (!gbEndFound) {
        // Finish the open section as if the file ended properly.
        ERRLOG_ErrorNew(903);
        char acEnd[] = "[END]";
        s_sendByVersion(KEYWORD_LINE, acEnd);
    }
    return SUCCESS;
}

// ===========================================================================
// Reading parameter files
// ===========================================================================

// Removes the comment of one parameter-file line (outside double-quoted
// strings) and appends the line to the buffer.
STATUS s_appendParamLine(std::string& sLine)
{
    if (!sLine.empty() && sLine.back() == '\n')
        sLine.back() = ' ';
    else
        sLine.push_back(' ');  // a last line without newline ends in a blank too
    for (std::size_t i = 0; i < sLine.size(); ++i) {
        const char c = sLine[i];
        if (c == gpcComment && !gbInQuote) {
            sLine[i] = ' ';
            sLine.resize(i + 1);
            break;
        }
        if (c == '"') {
            gbInQuote = gbInQuote ? FALSE : TRUE;
            if (gbInQuote) gulQuoteStartLine = gulLineNumParam;
        }
    }
    try {
        gsBuffer += sLine;
    } catch (const std::bad_alloc&) {
        ERRLOG_ErrorNew(922, "parse.c", __LINE__);
        return FAILURE;
    }
    return SUCCESS;
}

STATUS s_readParamLines(FILE* pFile)
{
    for (;;) {
        int iIllegal = 0;
        std::optional<std::string> sLine = CMN_GetInfiniteLine(pFile, &iIllegal);
        if (!sLine) {
            if (!gbInQuote) return SUCCESS;
            ERRLOG_ErrorNew(924, static_cast<long>(gulQuoteStartLine));
            ERRLOG_ErrorNew(925);
            return FAILURE;
        }
        if (iIllegal != 0) {
            ERRLOG_ErrorNew(925);
            return FAILURE;
        }
        if (s_appendParamLine(*sLine) != SUCCESS) return FAILURE;
        ++gulLineNumParam;
    }
}

STATUS s_parseParamFile(const char* sFileName_in, KIVO_FILE_TYPE eFileType)
{
    // A parameter file is read in the middle of a model file (from its
    // [Algorithmic Model] lines): the model file's comment character, tab
    // warning and name are set aside and given back afterwards.
    const char cSavedComment = gpcComment;
    const BOOL bSavedTabFound = bTabFound;
    std::string sSavedFileName = std::move(gsFileName);
    const BOOL bSavedAllowAny = gbAllowAnyLineLength;
    auto restore = [&] {
        gbAllowAnyLineLength = bSavedAllowAny;
        geCurrFileType = gePrevFileType;
        gpcComment = cSavedComment;
        bTabFound = bSavedTabFound;
        gsFileName = std::move(sSavedFileName);
    };

    gePrevFileType = geCurrFileType;
    geCurrFileType = eFileType;
    gbAllowAnyLineLength = TRUE;
    bTabFound = FALSE;
    gulLineNumParam = 1;
    gpcComment = kDefaultComment;  // a parameter file cannot change it
    gsFileName.clear();
    PARSE_FreeBuffer();
    gbInQuote = FALSE;  // every parameter file starts outside a string

    FileCloser file;
    if (CMN_OpenFile(sFileName_in, eFileType, &file.pFile, gsFileName) != SUCCESS) {
        restore();
        return FAILURE;
    }
    if (!gbSuppressBanners && !gbDoingAmi) printf("\n... Reading %s\n", sFileName_in);
    if (CMN_AnyUpper(gsFileName.c_str())) ERRLOG_WarnNew(901, gsFileName);

    const STATUS eResult = s_readParamLines(file.pFile);
    if (eResult != SUCCESS) PARSE_FreeBuffer();
    restore();
    return eResult;
}

}  // namespace

// ===========================================================================
// Interface
// ===========================================================================

STATUS PARSE(const char* sFileName_in, KIVO_FILE_TYPE eFileType)
{
    KIVO_ASSERT(sFileName_in != nullptr);
    switch (eFileType) {
    case TYPE_KVO:
    case TYPE_PKG:
    case TYPE_EBD: return s_parseModelFile(sFileName_in, eFileType);
    case TYPE_AMI:
    case TYPE_PARAM: return s_parseParamFile(sFileName_in, eFileType);
    default: KIVO_ASSERT(!"unknown file kind");
    }
    return FAILURE;
}

unsigned long PARSE_GetLineNum()
{
    return (geCurrFileType == TYPE_AMI || geCurrFileType == TYPE_PARAM) ? gulLineNumParam : gulLineNum;
}

void PARSE_GetFileName(std::string& sFileName_out) { sFileName_out.assign(gsFileName, 0, CMN_MAX_FILENAME); }

KIVO_FILE_TYPE PARSE_GetFileType() { return geCurrFileType; }

char PARSE_GetCommentChar() { return gpcComment; }

void PARSE_AllowAnyLineLength(int allow) { gbAllowAnyLineLength = allow != 0 ? TRUE : FALSE; }

void PARSE_SuppressBanners(int allow) { gbSuppressBanners = allow != 0 ? TRUE : FALSE; }

const std::string& PARSE_GetBuffer() { return gsBuffer; }

void PARSE_FreeBuffer() { std::string().swap(gsBuffer); }

void PARSE_SetContinue(BOOL bContinue) { gbContinue = bContinue; }

BOOL PARSE_GetContinue() { return gbContinue; }

void PARSE_GetKeywordStr(KEYWORD_TYPE eKey_in, std::string& sKeywordStr_out)
{
    if (s_inGroup(eKey_in, GRP_21)) {
        sKeywordStr_out = kKeywordDefs[eKey_in].sName;
        return;
    }
    ERRLOG_LineBugNew(904);
    sKeywordStr_out = "Unknown enumerated keyword code";
}

const KEYWRD* PARSE_GetKeywordTable(KIVO_VER eVer, std::size_t* pRows)
{
    const KeywordTable& t = s_table(s_groupOf(eVer));
    if (pRows != nullptr) *pRows = t.rows.size();
    return t.rows.data();
}

KEYWORD_TYPE PARSE_LookupKeyword(KIVO_VER eVer, const char* sName)
{
    KIVO_ASSERT(sName != nullptr);
    const std::size_t n = std::strlen(sName);
    std::string sChanged(n, '\0'), sUpper(n, '\0');
    s_normalizeName(sName, n, sChanged.data(), sUpper.data());
    return s_findKeyword(s_groupOf(eVer), sUpper);
}

void PARSE_SetTrace(PARSE_TRACE_FN pfTrace) { gpfTrace = pfTrace; }

void PARSE_Reset()
{
    gulLineNum = 1;
    gulLineNumParam = 1;
    gulQuoteStartLine = 0;
    gpcComment = kDefaultComment;
    bTabFound = FALSE;
    gbInQuote = FALSE;
    gsFileName.clear();
    geCurrentKeyword = NOT_KEY;
    gbEndFound = FALSE;
    gbKIVO_VerFound = FALSE;
    geCurrFileType = TYPE_UNKNOWN;
    gePrevFileType = TYPE_UNKNOWN;
    gbInSubModel = FALSE;
    PARSE_FreeBuffer();
    gbAllowAnyLineLength = FALSE;
    gbSuppressBanners = FALSE;
    gbContinue = FALSE;
    gpfTrace = nullptr;
}

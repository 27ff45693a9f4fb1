// Shared enumerations, program-wide switches and the precondition macro.
#ifndef KIVO_COMMON_TYPES_H
#define KIVO_COMMON_TYPES_H

#include <cstdio>
#include <cstdlib>

// Result of most operations.
enum STATUS { FAILURE = 0, SUCCESS = 1 };

// Three-valued flag; globals of this type carry the prefix gb.
enum BOOL { FALSE = 0, TRUE = 1, UNKNOWN = 2 };

// Result of a number conversion: BAD (nothing read or unacceptable trailing
// text), GOOD, UGLY (a number followed by suspicious text).
enum GBU { BAD = 0, GOOD = 1, UGLY = 2 };

// State of a value read from the file.
enum NUMSTAT { NOT_SET = 0, SET = 1, NA = 2 };

// Version rule sets; ordered, so "4.2 or later" is a comparison with VER_4.
enum KIVO_VER {
    VER_UNKNOWN = 0,
    VER_1 = 1,
    VER_2 = 2,
    VER_3 = 3,
    VER_4 = 4,
    VER_5 = 5,
    VER_6 = 6,
    VER_61 = 7
};

enum KIVO_FILE_TYPE {
    TYPE_UNKNOWN = 0,
    TYPE_KVO = 1,
    TYPE_PKG = 2,
    TYPE_EBD = 3,
    TYPE_AMI = 4,
    TYPE_PARAM = 5
};

enum LINE_TYPE {
    COMMENT_LINE = 0,
    KEYWORD_LINE = 1,
    DESCRIPTION_LINE = 2,
    NOT_DESCRIPTION_LINE = 3,
    OTHER_LINE = 4
};

// One value per keyword of the newest version, then NOT_KEY.
enum KEYWORD_TYPE {
#define KEYWORD(id, name, ver) id,
#include "common/keywords.def"
#undef KEYWORD
    NOT_KEY
};
static_assert(NOT_KEY == 124, "keyword enumeration out of step");

inline BOOL CMN_ToBool(bool b) { return b ? TRUE : FALSE; }

// ---------------------------------------------------------------------------
// Program-wide switches and versions.  Each is defined by the module that
// owns it; every module resets its own through its reset entry point.
// ---------------------------------------------------------------------------
extern BOOL gbSuppressCautions;  // errlog: TRUE until -caution
extern BOOL gbOldStyleErrors;    // errlog: TRUE until -numbered
extern KIVO_VER geKivoVersion;   // driver: version of the top-level file
extern BOOL gbDoingAmi;          // driver: a top-level -ami file is being checked
extern KIVO_VER geFileVersion;   // hdr: version from the [KIVO Ver] line

// Prints "<file>:<line>:assertion failed." on standard output, flushes it and
// aborts.  Only for violated preconditions that no input file can reach.
[[noreturn]] void CMN_AssertFailed(const char* sFile, int iLine);

#define KIVO_ASSERT(cond)                                  \
    do {                                                   \
        if (!(cond)) CMN_AssertFailed(__FILE__, __LINE__); \
    } while (0)

#endif

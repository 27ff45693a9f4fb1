// kivo_chk: checks one KIVO, package, board-description or algorithmic-model
// parameter file against the rules of the version it declares.
//
// Exit status: 0 after a completed run (whatever it found), 1 for a wrong
// command line, 2 when the file's version cannot be detected because the
// file could not be opened or is empty, 3 when the file has no valid
// [KIVO Ver] as its first keyword or declares a version that its kind does
// not allow.
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "common/cmn.h"
#include "common/errlog.h"
#include "driver/main.h"
#include "legacy/v01.h"

namespace {

const char* const sProgram = "ZIROVIR6";
const char* const sProgramVersion = "V6.1.4";

// The two lines printed directly (not through the message log, not counted).
const char* const sBadVersion = "Couldn't find Version. Exiting.";
const char* const sIncorrectVersion = "ERROR (line %*lu) - Version not valid for .ebd files.  Exiting.\n";

// Line-number field width of the direct lines.
const int iLineWidth = 4;

// Version detection leaves the line count untouched when the file could not
// be opened.
const unsigned long ulNoCount = ULONG_MAX;

[[noreturn]] void s_exit(int iStatus)
{
    fflush(stdout);
    exit(iStatus);
}

// Name shown when the argument vector holds no program name at all (a
// vector emptied by the flag passes, or a process started without one).
const char* const sDefaultProgName = "kivo_chk";

void s_usage(const char* sProgName)
{
    const char* sName = CMN_getBasename(sProgName != nullptr ? sProgName : sDefaultProgName);
    printf("\nKIVOfile validation:\n");
    printf("This program is provided free of charge to the electrical engineering community.\n");
    printf("Its purpose is to validate that the contents of an ASCII device-data file\n");
    printf("conform to the KIVO standard: that its keywords, subparameters and\n");
    printf("tables are written as the declared KIVO version requires, and that the\n");
    printf("data they hold are consistent with one another.\n");
    printf("Usage: %s       <KVO filename>\n", sName);
    printf("     : %s  -ebd <EBD filename>\n", sName);
    printf("     : %s  -pkg <PKG filename>\n", sName);
    printf("     : %s  -ami <AMI filename>\n", sName);
    printf("Usage: %s  -caution -numbered      <KVO filename>\n", sName);
    printf("     : %s  -caution -numbered -ebd <EBD filename>\n", sName);
    printf("     : %s  -caution -numbered -pkg <PKG filename>\n", sName);
    printf("     : %s  -caution -numbered -ami <AMI filename>\n", sName);
    printf("The flags prior to the file name can be in any order, and the -caution and/or -numbered flags "
           "are optional.\n");
}

bool s_IsCaution(const char* sArg) { return strcmp(sArg, "-caution") == 0 || strcmp(sArg, "-CAUTION") == 0; }

bool s_IsNumbered(const char* sArg) { return CMN_StrSameIC(sArg, "-numbered") == TRUE; }

// Removes every entry the predicate matches, shifting the later entries one
// place down.  The walk goes on with the next index, so an entry that slid
// into a removed place is not looked at in this pass.
template <class Pred>
int s_RemoveFlag(int argc, char** argv, Pred isFlag, BOOL& bSwitch)
{
    for (int i = 0; i < argc; i++) {
        if (!isFlag(argv[i])) continue;
        bSwitch = FALSE;
        for (int j = i; j < argc; j++) argv[j] = argv[j + 1];  // argv[argc] is the null end mark
        argc--;
    }
    return argc;
}

bool s_IsKindFlag(const char* sArg, const char* sLower, const char* sUpper)
{
    return strcmp(sArg, sLower) == 0 || strcmp(sArg, sUpper) == 0;
}

}  // namespace

int main(int argc, char** argv)
{
    printf("%s %s\n", sProgram, sProgramVersion);

    // Both passes start at the program name itself, so the usage text names
    // whatever entry 0 holds once the flags are gone.
    argc = s_RemoveFlag(argc, argv, s_IsCaution, gbSuppressCautions);
    argc = s_RemoveFlag(argc, argv, s_IsNumbered, gbOldStyleErrors);

    KIVO_FILE_TYPE eType = TYPE_UNKNOWN;
    const char* sFile = nullptr;
    if (argc == 2) {
        eType = TYPE_KVO;
        sFile = argv[1];
    } else if (argc == 3) {
        // The first test that holds decides; the kind flag may stand before
        // or after the file name.
        struct {
            const char* sLower;
            const char* sUpper;
            KIVO_FILE_TYPE eType;
        } const kinds[] = {{"-ebd", "-EBD", TYPE_EBD}, {"-pkg", "-PKG", TYPE_PKG}, {"-ami", "-AMI", TYPE_AMI}};
        for (const auto& kind : kinds) {
            if (s_IsKindFlag(argv[1], kind.sLower, kind.sUpper)) {
                eType = kind.eType;
                sFile = argv[2];
            } else if (s_IsKindFlag(argv[2], kind.sLower, kind.sUpper)) {
                eType = kind.eType;
                sFile = argv[1];
            }
            if (sFile != nullptr) break;
        }
    }
    if (sFile == nullptr) {
        s_usage(argc > 0 ? argv[0] : nullptr);
        s_exit(1);
    }

    if (eType == TYPE_AMI) {
        // Parameter files declare no version.
        geKivoVersion = VER_61;
        MAIN(sFile, TYPE_AMI);
        fflush(stdout);
        return 0;
    }

    unsigned long ulLines = ulNoCount;
    const KIVO_VER eVersion = CMN_getKivoVer(sFile, &ulLines, eType);
    switch (eVersion) {
    case VER_1:
    case VER_2:
        if (eType == TYPE_EBD) {
            printf(sIncorrectVersion, iLineWidth, ulLines);
            s_exit(3);
        }
        geKivoVersion = eVersion;
        if (eVersion == VER_1) {
            // The legacy checker answers a kind flag still on the command
            // line with its own usage text and status 1.
            v01_main(argc, argv);
            fflush(stdout);
            return 0;
        }
        MAIN(sFile, eType);
        break;
    case VER_3:
    case VER_4:
    case VER_5:
    case VER_6:
    case VER_61:
        geKivoVersion = eVersion;
        MAIN(sFile, eType);
        break;
    case VER_UNKNOWN:
    default:
        if (ulLines == ulNoCount) s_exit(2);  // the open failure was already reported
        if (ulLines == 0) {
            ERRLOG_ErrorNew(50);
            s_exit(2);
        }
        if (gbOldStyleErrors == FALSE) {
            printf("E%04d (line %*lu) - %s\n", 50, iLineWidth, ulLines, sBadVersion);
        } else {
            printf("ERROR (line %*lu) - %s\n", iLineWidth, ulLines, sBadVersion);
        }
        s_exit(3);
    }
    fflush(stdout);
    return 0;
}

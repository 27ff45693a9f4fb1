#include "parse/parse.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <set>
#include <string>
#include <vector>

#include "common/cmn.h"
#include "common/errlog.h"
#include "parse/hdr.h"
#include "parse/kivo.h"
#include "test_support.h"

namespace {

const char* const kKeyNames[] = {
#define KEYWORD(id, name, ver) #id,
#include "common/keywords.def"
#undef KEYWORD
    "NOT_KEY"};

std::string KeyName(KEYWORD_TYPE e) { return kKeyNames[e]; }

std::vector<KEYWORD_TYPE> TableKeys(KIVO_VER eVer)
{
    std::size_t n = 0;
    const KEYWRD* rows = PARSE_GetKeywordTable(eVer, &n);
    std::vector<KEYWORD_TYPE> keys;
    for (std::size_t i = 0; i < n; ++i) keys.push_back(rows[i].eKey);
    return keys;
}

// ---------------------------------------------------------------------------
// Keyword tables
// ---------------------------------------------------------------------------

TEST(ParseKeywordTables, RowCountsPerVersion)
{
    const struct {
        KIVO_VER eVer;
        std::size_t uRows;
    } cases[] = {{VER_UNKNOWN, 50}, {VER_1, 50}, {VER_2, 50}, {VER_3, 88},
                 {VER_4, 109},      {VER_5, 121}, {VER_6, 122}, {VER_61, 125}};
    for (const auto& c : cases) {
        std::size_t n = 0;
        PARSE_GetKeywordTable(c.eVer, &n);
        EXPECT_EQ(n, c.uRows) << "version " << c.eVer;
    }
}

TEST(ParseKeywordTables, RowOrder)
{
    for (KIVO_VER eVer : {VER_2, VER_3, VER_4, VER_5, VER_6, VER_61}) {
        std::vector<KEYWORD_TYPE> keys = TableKeys(eVer);
        ASSERT_GE(keys.size(), 3u);
        // Every table closes with [Comment Char], [End] and the terminator.
        EXPECT_EQ(keys[keys.size() - 3], COMMENT_KEY) << eVer;
        EXPECT_EQ(keys[keys.size() - 2], END_KEY) << eVer;
        EXPECT_EQ(keys[keys.size() - 1], NOT_KEY) << eVer;
        keys.resize(keys.size() - 3);
        // From 4.2 on the external-circuit pair stands right after [Test Load].
        if (eVer >= VER_4) {
            ASSERT_GE(keys.size(), 3u);
            EXPECT_EQ(keys[keys.size() - 3], TESTLOAD_KEY) << eVer;
            EXPECT_EQ(keys[keys.size() - 2], EXTERNAL_CIRCUIT_KEY) << eVer;
            EXPECT_EQ(keys[keys.size() - 1], END_EXTERNAL_CIRCUIT_KEY) << eVer;
            keys.resize(keys.size() - 2);
        }
        // All other rows in keyword order, each once.
        for (std::size_t i = 1; i < keys.size(); ++i)
            EXPECT_LT(keys[i - 1], keys[i]) << eVer << " row " << i;
    }
}

TEST(ParseKeywordTables, EachTableExtendsThePreviousOne)
{
    const KIVO_VER vers[] = {VER_2, VER_3, VER_4, VER_5, VER_6, VER_61};
    for (std::size_t i = 1; i < std::size(vers); ++i) {
        std::vector<KEYWORD_TYPE> a = TableKeys(vers[i - 1]), b = TableKeys(vers[i]);
        std::set<KEYWORD_TYPE> sb(b.begin(), b.end());
        for (KEYWORD_TYPE k : a) EXPECT_TRUE(sb.count(k)) << KeyName(k) << " lost in " << vers[i];
    }
    auto added = [](KIVO_VER eOld, KIVO_VER eNew) {
        std::vector<KEYWORD_TYPE> a = TableKeys(eOld), b = TableKeys(eNew);
        std::set<KEYWORD_TYPE> sa(a.begin(), a.end());
        std::set<KEYWORD_TYPE> out;
        for (KEYWORD_TYPE k : b)
            if (!sa.count(k)) out.insert(k);
        return out;
    };
    EXPECT_EQ(added(VER_5, VER_6), std::set<KEYWORD_TYPE>({REPEATERPIN_KEY}));
    EXPECT_EQ(added(VER_6, VER_61),
              std::set<KEYWORD_TYPE>({INITIAL_DELAY_KEY, PKGMDL_MPINS_KEY, SUBMDL_INITIAL_DELAY_KEY}));
    std::set<KEYWORD_TYPE> s32 = added(VER_2, VER_3);
    EXPECT_EQ(s32.size(), 38u);
    for (KEYWORD_TYPE k : {SSWCHGS_KEY, EXTERNAL_REF_KEY, EBDMDL_MANU_KEY, SUBMDL_PULLDOWN_KEY, MSEL_KEY})
        EXPECT_TRUE(s32.count(k)) << KeyName(k);
    std::set<KEYWORD_TYPE> s42 = added(VER_3, VER_4);
    EXPECT_EQ(s42.size(), 21u);
    for (KEYWORD_TYPE k : {RECEIVER_THRESHOLDS_KEY, TESTDATA_KEY, EXTERNAL_CIRCUIT_KEY, EXTERNAL_MODEL_KEY})
        EXPECT_TRUE(s42.count(k)) << KeyName(k);
    EXPECT_EQ(added(VER_4, VER_5).size(), 12u);
}

TEST(ParseKeywordTables, NamesMatchIgnoringCaseWithBlanksAsUnderscores)
{
    for (const char* s : {"pin mapping", "PIN_MAPPING", "Pin Mapping", "pIN_mAPPING", "Pin_mapping"})
        EXPECT_EQ(PARSE_LookupKeyword(VER_61, s), PINMPG_KEY) << s;
    // Blanks are not trimmed or merged.
    for (const char* s : {"Pin  Mapping", " Pin Mapping", "Pin Mapping ", "PinMapping", ""})
        EXPECT_EQ(PARSE_LookupKeyword(VER_61, s), NOT_KEY) << '"' << s << '"';
}

TEST(ParseKeywordTables, RepeatedNamesFindTheFirstRow)
{
    for (KIVO_VER eVer : {VER_2, VER_3, VER_61}) {
        EXPECT_EQ(PARSE_LookupKeyword(eVer, "Manufacturer"), MANU_KEY);
        EXPECT_EQ(PARSE_LookupKeyword(eVer, "Number Of Pins"), PKGMDL_NUMPIN_KEY);
        EXPECT_EQ(PARSE_LookupKeyword(eVer, "Pulldown"), PULLDOWN_KEY);
        EXPECT_EQ(PARSE_LookupKeyword(eVer, "Falling Waveform"), FALLING_WAVE_KEY);
    }
    EXPECT_EQ(PARSE_LookupKeyword(VER_61, "Initial Delay"), INITIAL_DELAY_KEY);
}

TEST(ParseKeywordTables, KeywordsOfLaterVersionsAreUnknownBefore)
{
    EXPECT_EQ(PARSE_LookupKeyword(VER_3, "Test Data"), NOT_KEY);
    EXPECT_EQ(PARSE_LookupKeyword(VER_4, "Test Data"), TESTDATA_KEY);
    EXPECT_EQ(PARSE_LookupKeyword(VER_2, "Model Selector"), NOT_KEY);
    EXPECT_EQ(PARSE_LookupKeyword(VER_3, "Model Selector"), MSEL_KEY);
    EXPECT_EQ(PARSE_LookupKeyword(VER_5, "Repeater Pin"), NOT_KEY);
    EXPECT_EQ(PARSE_LookupKeyword(VER_6, "Repeater Pin"), REPEATERPIN_KEY);
    EXPECT_EQ(PARSE_LookupKeyword(VER_6, "Initial Delay"), NOT_KEY);
    EXPECT_EQ(PARSE_LookupKeyword(VER_6, "Merged Pins"), NOT_KEY);
    EXPECT_EQ(PARSE_LookupKeyword(VER_61, "Merged Pins"), PKGMDL_MPINS_KEY);
    EXPECT_EQ(PARSE_LookupKeyword(VER_UNKNOWN, "Begin Board Description"), NOT_KEY);
}

// The lookup must give what comparing the name with each row in order gives.
TEST(ParseKeywordTables, LookupAgreesWithFirstMatchingRow)
{
    for (KIVO_VER eVer : {VER_2, VER_3, VER_4, VER_5, VER_6, VER_61}) {
        std::size_t n = 0;
        const KEYWRD* rows = PARSE_GetKeywordTable(eVer, &n);
        for (std::size_t i = 0; i + 1 < n; ++i) {
            // The name as a file would write it: lower case, with blanks.
            std::string s = rows[i].sName;
            for (char& c : s) c = c == '_' ? ' ' : static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
            KEYWORD_TYPE eFirst = NOT_KEY;
            for (std::size_t j = 0; j + 1 < n; ++j) {
                std::string sPossible = s;
                if (CMN_MatchKeyword(rows[j].sName, sPossible.data())) {
                    eFirst = rows[j].eKey;
                    break;
                }
            }
            EXPECT_EQ(PARSE_LookupKeyword(eVer, s.c_str()), eFirst) << s;
        }
    }
}

// ---------------------------------------------------------------------------
// Running files through the reader and the router
// ---------------------------------------------------------------------------

std::vector<std::string>* gpEvents = nullptr;

void s_collect(const PARSE_TRACE& t)
{
    static const char* const kEvent[] = {"FINI", "INIT", "RECV"};
    std::string s = std::string(kEvent[t.eEvent]) + " " + t.sOwner + " " + KeyName(t.eKeyword);
    if (t.eEvent == PARSE_EV_RECEIVE) s += std::string(t.eLineType == KEYWORD_LINE ? " K " : " D ") + t.sLine;
    gpEvents->push_back(s);
}

class ParseFileTest : public ProgramStateTest {
protected:
    void SetUp() override
    {
        ProgramStateTest::SetUp();
        ASSERT_EQ(KIVO_New(), SUCCESS);
        PARSE_SuppressBanners(1);
        ASSERT_TRUE(scratch_.Create("parse_test_"));
        gpEvents = &events;
        PARSE_SetTrace(s_collect);
    }
    void TearDown() override
    {
        PARSE_SetTrace(nullptr);
        gpEvents = nullptr;
        scratch_.Remove();
        ProgramStateTest::TearDown();
    }

    std::string Write(const std::string& sName, const std::string& sText) const
    {
        return scratch_.Write(sName, sText);
    }

    // Parses the file and returns what the message log printed.
    std::string Parse(const std::string& sPath, KIVO_FILE_TYPE eType, STATUS* peResult = nullptr)
    {
        return CaptureLog([&] {
            const STATUS e = PARSE(sPath.c_str(), eType);
            if (peResult != nullptr) *peResult = e;
        });
    }

    // The events from the first one that mentions sFrom on.
    std::vector<std::string> EventsFrom(const std::string& sFrom) const
    {
        for (std::size_t i = 0; i < events.size(); ++i)
            if (events[i].find(sFrom) != std::string::npos) return {events.begin() + i, events.end()};
        return {};
    }

    ScratchDir scratch_;
    std::vector<std::string> events;
};

const std::string kHead61 = "[KIVO Ver] 6.1\n[File Name] r.kvo\n[File Rev] 1.0\n";

TEST_F(ParseFileTest, HeaderThenModelThenPullup)
{
    Parse(Write("r.kvo", kHead61 + "[Model] m\nModel_type Input\n[Pullup]\n0 0 0 0\n[End]\n"), TYPE_KVO);
    const std::vector<std::string> want = {
        "INIT HDR KIVOVER_KEY",
        "RECV HDR KIVOVER_KEY K [KIVO Ver] 6.1",
        "FINI HDR FILENAME_KEY",
        "RECV HDR FILENAME_KEY K [File Name] r.kvo",
        "FINI HDR FILEREV_KEY",
        "RECV HDR FILEREV_KEY K [File Rev] 1.0",
        "FINI HDR MODEL_KEY",
        "INIT MDL MODEL_KEY",
        "RECV MDL MODEL_KEY K [Model] m",
        "RECV MDL MODEL_KEY D Model_type Input",
        // The model learns that [Pullup] follows before its lines arrive.
        "FINI MDL PULLUP_KEY",
        "RECV MDL PULLUP_KEY K [Pullup]",
        "RECV MDL PULLUP_KEY D 0 0 0 0",
        "FINI MDL END_KEY",
        "RECV END END_KEY K [End]",
    };
    EXPECT_EQ(events, want);
}

TEST_F(ParseFileTest, PulldownInsideASubmodelGoesToTheSubmodel)
{
    Parse(Write("r.kvo", "[KIVO Ver] 3.2\n[File Name] r.kvo\n[File Rev] 1.0\n"
                         "[Submodel] s\n[Pulldown]\n1 2 3 4\n[Model] m\n[Pulldown]\n[End]\n"),
          TYPE_KVO);
    const std::vector<std::string> want = {
        "FINI HDR SUBMDL_KEY",
        "INIT SUBMDL SUBMDL_KEY",
        "RECV SUBMDL SUBMDL_KEY K [Submodel] s",
        "FINI SUBMDL SUBMDL_PULLDOWN_KEY",
        "RECV SUBMDL SUBMDL_PULLDOWN_KEY K [Pulldown]",
        "RECV SUBMDL SUBMDL_PULLDOWN_KEY D 1 2 3 4",
        "FINI SUBMDL MODEL_KEY",
        "INIT MDL MODEL_KEY",
        "RECV MDL MODEL_KEY K [Model] m",
        "FINI MDL PULLDOWN_KEY",
        "RECV MDL PULLDOWN_KEY K [Pulldown]",
        "FINI MDL END_KEY",
        "RECV END END_KEY K [End]",
    };
    EXPECT_EQ(EventsFrom("FINI HDR SUBMDL_KEY"), want);
}

TEST_F(ParseFileTest, ManufacturerFollowsThePackageModelOnlyRightAfterItsOwnKeywords)
{
    Parse(Write("r.pkg", "[KIVO Ver] 4.2\n[File Name] r.pkg\n[File Rev] 1.0\n"
                         "[Define Package Model] p\n[Manufacturer] a\n[OEM] o\n[Manufacturer] b\n"
                         "[Number Of Pins] 2\n[Manufacturer] c\n[End]\n"),
          TYPE_PKG);
    const std::vector<std::string> want = {
        "FINI HDR PKGMDL_DEF_KEY",
        "INIT PKGMDL PKGMDL_DEF_KEY",
        "RECV PKGMDL PKGMDL_DEF_KEY K [Define Package Model] p",
        "FINI PKGMDL PKGMDL_MANU_KEY",
        "RECV PKGMDL PKGMDL_MANU_KEY K [Manufacturer] a",
        "FINI PKGMDL PKGMDL_OEM_KEY",
        "RECV PKGMDL PKGMDL_OEM_KEY K [OEM] o",
        "FINI PKGMDL PKGMDL_MANU_KEY",
        "RECV PKGMDL PKGMDL_MANU_KEY K [Manufacturer] b",
        "FINI PKGMDL PKGMDL_NUMPIN_KEY",
        "RECV PKGMDL PKGMDL_NUMPIN_KEY K [Number Of Pins] 2",
        // The component's manufacturer: dropped in a package file, but the
        // component still hears of the next keyword.
        "FINI PKGMDL MANU_KEY",
        "FINI CMPNT END_KEY",
        "RECV END END_KEY K [End]",
    };
    EXPECT_EQ(EventsFrom("FINI HDR PKGMDL_DEF_KEY"), want);
}

TEST_F(ParseFileTest, BoardDescriptionKeywords)
{
    const std::string out =
        Parse(Write("r.ebd", "[KIVO Ver] 4.2\n[File Name] r.ebd\n[File Rev] 1.0\n"
                             "[Begin Board Description] b\n[Manufacturer] m\n[Number Of Pins] 2\n"
                             "[End Board Description]\n[End]\n"),
              TYPE_EBD);
    const std::vector<std::string> want = {
        "FINI HDR EBDMDL_DEF_KEY",
        "INIT EBDMDL EBDMDL_DEF_KEY",
        "RECV EBDMDL EBDMDL_DEF_KEY K [Begin Board Description] b",
        "FINI EBDMDL EBDMDL_MANU_KEY",
        "RECV EBDMDL EBDMDL_MANU_KEY K [Manufacturer] m",
        "FINI EBDMDL EBDMDL_NUMPIN_KEY",
        "RECV EBDMDL EBDMDL_NUMPIN_KEY K [Number Of Pins] 2",
        "FINI EBDMDL EBDMDL_END_KEY",
        "RECV EBDMDL EBDMDL_END_KEY K [End Board Description]",
        "FINI EBDMDL END_KEY",
        "RECV END END_KEY K [End]",
    };
    EXPECT_EQ(EventsFrom("FINI HDR EBDMDL_DEF_KEY"), want);
}

TEST_F(ParseFileTest, KeywordsNotAllowedInAPackageFileStartNothingAndLoseTheirLines)
{
    const std::string out = Parse(Write("r.pkg", "[KIVO Ver] 4.2\n[File Name] r.pkg\n[File Rev] 1.0\n"
                                                 "[Component] c\n[Model] m\nModel_type Input\n[End]\n"),
                                  TYPE_PKG);
    EXPECT_EQ(out,
              "ERROR (line    4) - Illegal keyword for a '.pkg' file.\n"
              "ERROR (line    5) - Illegal keyword for a '.pkg' file.\n");
    const std::vector<std::string> want = {
        "FINI HDR COMPNT_KEY",
        "FINI CMPNT MODEL_KEY",
        "FINI MDL END_KEY",
        "RECV END END_KEY K [End]",
    };
    EXPECT_EQ(EventsFrom("FINI HDR COMPNT_KEY"), want);
}

TEST_F(ParseFileTest, ExternalCircuitHasNoFinish)
{
    Parse(Write("r.kvo", "[KIVO Ver] 4.2\n[File Name] r.kvo\n[File Rev] 1.0\n"
                         "[External Circuit] e\nx\n[End External Circuit]\n[Model] m\n[End]\n"),
          TYPE_KVO);
    const std::vector<std::string> want = {
        "FINI HDR EXTERNAL_CIRCUIT_KEY",
        "INIT EXT EXTERNAL_CIRCUIT_KEY",
        "RECV EXT EXTERNAL_CIRCUIT_KEY K [External Circuit] e",
        "RECV EXT EXTERNAL_CIRCUIT_KEY D x",
        "RECV EXT END_EXTERNAL_CIRCUIT_KEY K [End External Circuit]",
        "INIT MDL MODEL_KEY",
        "RECV MDL MODEL_KEY K [Model] m",
        "FINI MDL END_KEY",
        "RECV END END_KEY K [End]",
    };
    EXPECT_EQ(EventsFrom("FINI HDR EXTERNAL_CIRCUIT_KEY"), want);
}

TEST_F(ParseFileTest, UnknownKeywordCutsTheOpenSectionWithoutFinish)
{
    const std::string out = Parse(Write("r.kvo", kHead61 + "[Model] m\n[Bogus]\nstray data\n[Pullup]\n[End]\n"),
                                  TYPE_KVO);
    // The model's own end checks follow; they are not looked at here.
    EXPECT_EQ(out.substr(0, out.find("\nERROR - ") + 1),
              "ERROR (line    5) - Invalid Keyword: Bogus\n"
              "ERROR (line    6) - Data for unknown keyword.\nstray data\n");
    const std::vector<std::string> want = {
        "INIT MDL MODEL_KEY",
        "RECV MDL MODEL_KEY K [Model] m",
        "RECV MDL PULLUP_KEY K [Pullup]",
        "FINI MDL END_KEY",
        "RECV END END_KEY K [End]",
    };
    EXPECT_EQ(EventsFrom("INIT MDL"), want);
}

TEST_F(ParseFileTest, MissingEndFinishesTheLastSection)
{
    const std::string out = Parse(Write("r.kvo", kHead61 + "[Model] m\n"), TYPE_KVO);
    EXPECT_EQ(out.rfind("ERROR - Required keyword 'End' not found.\n", 0), 0u) << out;
    const std::vector<std::string> want = {
        "FINI MDL END_KEY",
        "RECV END END_KEY K [END]",
    };
    EXPECT_EQ(EventsFrom("FINI MDL END_KEY"), want);
}

// A board-description file whose [KIVO Ver] value is not valid keeps the
// rules of the version before it: those of 2.1 at program start.
TEST_F(ParseFileTest, BoardDescriptionUnderTheOldestRules)
{
    const std::string out = Parse(Write("r.ebd", "[KIVO Ver] 3.9\n[File Name] r.ebd\n[File Rev] 1.0\n"
                                                 "[Component] c\n[Define Package Model] p\n"
                                                 "[Number Of Pins] 2\n[End]\n"),
                                  TYPE_EBD);
    EXPECT_NE(out.find("ERROR (line    4) - Illegal keyword for a '.pkg' file.\n"), std::string::npos) << out;
    // [Number Of Pins] becomes the board's keyword, which these rules cannot
    // route: an internal fault reported at its line, naming this module.
    EXPECT_NE(out.find("PROGRAM BUG (line    6) - parse.c:"), std::string::npos) << out;
    EXPECT_NE(out.find(":Unknown current keyword.\n"), std::string::npos) << out;
    const std::vector<std::string> want = {
        "FINI CMPNT PKGMDL_DEF_KEY",
        "INIT PKGMDL PKGMDL_DEF_KEY",
        "RECV PKGMDL PKGMDL_DEF_KEY K [Define Package Model] p",
        "FINI PKGMDL EBDMDL_NUMPIN_KEY",
        "RECV END END_KEY K [End]",
    };
    EXPECT_EQ(EventsFrom("FINI CMPNT PKGMDL_DEF_KEY"), want);
}

TEST_F(ParseFileTest, OpenSwitchGroupIsReportedByTheRoutersOf32On)
{
    // The oldest rules have no switch groups: the flag is left alone.
    PARSE_SetContinue(TRUE);
    std::string out = Parse(Write("b.pkg", "[KIVO Ver] 2.1\n[File Name] b.pkg\n[File Rev] 1.0\n[End]\n"), TYPE_PKG);
    EXPECT_EQ(out, "");
    EXPECT_EQ(PARSE_GetContinue(), TRUE);

    // The [KIVO Ver] line still goes through the router of the version before
    // it (here 2.1); the next keyword line meets the 3.2 router.
    out = Parse(Write("a.pkg", "[KIVO Ver] 3.2\n[File Name] a.pkg\n[File Rev] 1.0\n[End]\n"), TYPE_PKG);
    EXPECT_EQ(out, "ERROR (line    2) -\n    Previous keyword not terminated properly. Possibly missing a \"/\"\n\n");
    EXPECT_EQ(PARSE_GetContinue(), FALSE);
}

TEST_F(ParseFileTest, KeywordNameForMessages)
{
    std::string s;
    PARSE_GetKeywordStr(MANU_KEY, s);
    EXPECT_EQ(s, "MANUFACTURER");
    PARSE_GetKeywordStr(PKGMDL_MANU_KEY, s);
    EXPECT_EQ(s, "MANUFACTURER");
    PARSE_GetKeywordStr(COMMENT_KEY, s);
    EXPECT_EQ(s, "COMMENT_CHAR");
    const std::string sLog = CaptureLog([&] { PARSE_GetKeywordStr(SSWCHGS_KEY, s); });  // not in the 2.1 table
    EXPECT_EQ(s, "Unknown enumerated keyword code");
    EXPECT_EQ(sLog, "PROGRAM BUG (line    1) - Unknown enumerated keyword code.\n");
}

// ---------------------------------------------------------------------------
// Parameter files
// ---------------------------------------------------------------------------

TEST_F(ParseFileTest, ParameterFileCommentsAreCutOutsideStringsOnly)
{
    STATUS e = FAILURE;
    const std::string out = Parse(Write("p.ami", "(root | note \"not a string\n"
                                                 "  (Description \"a | b\n"
                                                 "c\" ) | tail\n"
                                                 "(x 1) | note\n"
                                                 "(y 2)"),
                                  TYPE_AMI, &e);
    EXPECT_EQ(e, SUCCESS);
    EXPECT_EQ(out, "");
    // Every line ends in a blank, the last one (without newline) too.
    EXPECT_EQ(PARSE_GetBuffer(), "(root  " "  (Description \"a | b " "c\" )  " "(x 1)  " "(y 2) ");
    PARSE_FreeBuffer();
    EXPECT_EQ(PARSE_GetBuffer(), "");
}

TEST_F(ParseFileTest, UnterminatedStringAbandonsTheParameterFile)
{
    STATUS e = SUCCESS;
    std::string out = Parse(Write("u.ami", "(root\n (a 1)\n (Description \"open\n more\n"), TYPE_AMI, &e);
    EXPECT_EQ(e, FAILURE);
    EXPECT_EQ(out,
              "ERROR - Unterminated string detected. Possibly started at line 3\n"
              "ERROR - Parsing aborted\n");
    EXPECT_EQ(PARSE_GetBuffer(), "");
    // The next parameter file starts outside a string.
    out = Parse(Write("n.ami", "(root | c\n)\n"), TYPE_AMI, &e);
    EXPECT_EQ(e, SUCCESS);
    EXPECT_EQ(PARSE_GetBuffer(), "(root  ) ");
}

TEST_F(ParseFileTest, IllegalCharacterAbandonsTheParameterFile)
{
    STATUS e = SUCCESS;
    const std::string out = Parse(Write("i.ami", "(root\n (a 1)\n (b \x01)\n)\n"), TYPE_AMI, &e);
    EXPECT_EQ(e, FAILURE);
    // Line numbers count the parameter file's lines.
    EXPECT_EQ(out,
              "ERROR (line    3) - Found illegal control character (code 1).  - To fix, save file in "
              "MS_DOS format and remove .txt extension.\n"
              "ERROR - Parsing aborted\n");
    EXPECT_EQ(PARSE_GetBuffer(), "");
}

TEST_F(ParseFileTest, ReadingBannerOnlyForParameterFilesNamedInsideAModel)
{
    PARSE_SuppressBanners(0);
    const std::string sPath = Write("b.ami", "(root)\n");
    testing::internal::CaptureStdout();
    Parse(sPath, TYPE_AMI);
    std::fflush(stdout);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "\n... Reading " + sPath + "\n");

    gbDoingAmi = TRUE;
    testing::internal::CaptureStdout();
    Parse(sPath, TYPE_AMI);
    std::fflush(stdout);
    gbDoingAmi = FALSE;
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
}

TEST_F(ParseFileTest, FileWithoutUsableVersionIsNotRead)
{
    // The name is shown as given; its length decides whether the text wraps.
    auto report = [](const std::string& sName) {
        const std::string sText = "Could not determine Version for file " + sName;
        return std::string("ERROR -") + (sText.size() >= 72 && sText.size() <= 75 ? "\n    " : " ") + sText + "\n";
    };
    STATUS e = SUCCESS;
    const std::string sNoVer = Write("nover.kvo", "| header missing\n[Component] c\n[End]\n");
    EXPECT_EQ(Parse(sNoVer, TYPE_KVO, &e), report(sNoVer));
    EXPECT_EQ(e, FAILURE);
    const std::string sOld = Write("old.kvo", "[KIVO Ver] 1.1\n[End]\n");
    EXPECT_EQ(Parse(sOld, TYPE_KVO, &e), report(sOld));
    EXPECT_EQ(e, FAILURE);
    EXPECT_TRUE(events.empty());
}

TEST_F(ParseFileTest, ParameterFileReadLeavesTheModelFileStateAsItWas)
{
    Parse(Write("m.kvo", "[KIVO Ver] 6.1\n[File Name] m.kvo\n[File Rev] 1.0\n[Comment Char] #_char\n[End]\n"),
          TYPE_KVO);
    ASSERT_EQ(PARSE_GetCommentChar(), '#');
    const unsigned long ulLine = PARSE_GetLineNum();
    STATUS e = FAILURE;
    Parse(Write("q.txt", "(root # kept\n)\n"), TYPE_PARAM, &e);
    EXPECT_EQ(e, SUCCESS);
    EXPECT_EQ(PARSE_GetBuffer(), "(root # kept ) ");
    EXPECT_EQ(PARSE_GetCommentChar(), '#');
    EXPECT_EQ(PARSE_GetFileType(), TYPE_KVO);
    EXPECT_EQ(PARSE_GetLineNum(), ulLine);
    std::string sName;
    PARSE_GetFileName(sName);
    EXPECT_EQ(sName, "m.kvo");

    // Also when the parameter file cannot be opened.
    const std::string out = Parse(scratch_.Path() + "/absent.ami", TYPE_AMI, &e);
    EXPECT_EQ(e, FAILURE);
    EXPECT_NE(out.find("Unable To Open File"), std::string::npos) << out;
    EXPECT_EQ(PARSE_GetFileType(), TYPE_KVO);
    PARSE_GetFileName(sName);
    EXPECT_EQ(sName, "m.kvo");
}

}  // namespace

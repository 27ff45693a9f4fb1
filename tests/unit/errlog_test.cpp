#include "common/errlog.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <regex>
#include <set>
#include <sstream>
#include <string>

#include "parse/parse.h"
#include "test_support.h"

namespace {

class ErrlogTest : public ProgramStateTest {};

TEST(ErrlogTable, StrictlyAscendingAndUnique)
{
    std::size_t n = 0;
    const ERROR_INFO_STRUCT* t = ERRLOG_Table(&n);
    ASSERT_GT(n, 1000u);
    EXPECT_EQ(t[0].iErrorCode, 0);
    EXPECT_STREQ(t[0].pMsg, "Error code doesn't exist.");
    for (std::size_t i = 1; i < n; ++i) {
        EXPECT_LT(t[i - 1].iErrorCode, t[i].iErrorCode) << "row " << i;
        ASSERT_NE(t[i].pMsg, nullptr);
    }
    for (std::size_t i = 0; i < n; ++i) EXPECT_EQ(BSearchErrorLogTable(t[i].iErrorCode), static_cast<int>(i));
    EXPECT_EQ(BSearchErrorLogTable(1), -1);
    EXPECT_EQ(BSearchErrorLogTable(99999), -1);
    EXPECT_EQ(BSearchErrorLogTable(-5), -1);
}

TEST(ErrlogTable, TextsThatCarryNewlinesAndQuotes)
{
    int r907 = BSearchErrorLogTable(907);
    ASSERT_GE(r907, 0);
    std::size_t n = 0;
    const ERROR_INFO_STRUCT* t = ERRLOG_Table(&n);
    EXPECT_STREQ(t[r907].pMsg, "Data for unknown keyword.\n%s");
    int r1909 = BSearchErrorLogTable(1909);
    ASSERT_GE(r1909, 0);
    EXPECT_STREQ(t[r1909].pMsg, "Invalid %s Value (\"%s\")");
    int r3903 = BSearchErrorLogTable(3903);
    ASSERT_GE(r3903, 0);
    EXPECT_STREQ(t[r3903].pMsg, "Typ value is not in between Min and Max ");
}

// Every message number the program reports must have a row: a missing one
// would print the internal error instead of the finding.
TEST(ErrlogTable, EveryReportedNumberHasARow)
{
    namespace fs = std::filesystem;
    std::regex call(R"(ERRLOG_(?:Line)?(?:Bug|Error|Warn|Caution|Note)New\s*\(\s*(\d+))");
    std::set<int> missing;
    int seen = 0;
    for (const auto& e : fs::recursive_directory_iterator(fs::path(KIVO_SOURCE_DIR) / "src")) {
        if (!e.is_regular_file() || e.path().extension() != ".cpp") continue;
        std::ifstream in(e.path());
        std::stringstream ss;
        ss << in.rdbuf();
        std::string text = ss.str();
        for (std::sregex_iterator it(text.begin(), text.end(), call), end; it != end; ++it) {
            ++seen;
            int code = std::stoi((*it)[1].str());
            if (BSearchErrorLogTable(code) < 0) missing.insert(code);
        }
    }
    EXPECT_GT(seen, 0);
    std::string list;
    for (int c : missing) list += std::to_string(c) + " ";
    EXPECT_TRUE(missing.empty()) << "numbers without a row: " << list;
}

// The start keywords of the series, driver-schedule, initial-delay,
// c-comp-corner and EMI sections share the "Incorrect Number of Line Items"
// error, each under its own module's number; none may fall back to the
// missing-number text.
TEST_F(ErrlogTest, ItemCountRowsOfTheModelSectionKeywords)
{
    gbOldStyleErrors = FALSE;
    const struct {
        int iCode;
        const char* sLabel;
    } cases[] = {{2904, "[On]"}, {4204, "Driver Schedule"}, {5404, "Initial Delay"}, {5004, "C_comp_corner"},
                 {4801, "EMI Model"}};
    for (const auto& c : cases) {
        char want[128];
        std::snprintf(want, sizeof want, "E%04d - Incorrect Number of Line Items (2) For %s: Expecting 1\n",
                      c.iCode, c.sLabel);
        EXPECT_EQ(CaptureLog([&] { ERRLOG_ErrorNew(c.iCode, 2, c.sLabel, 1); }), want);  // short enough for one line
    }
    for (int iCode : {2901, 4201, 5001, 4804})
        EXPECT_EQ(CaptureLog([&] { ERRLOG_BugNew(iCode, "x.c", 7); }),
                  "B" + std::to_string(iCode) + " - Unable to Allocate Memory: x.c 7\n");
}

TEST_F(ErrlogTest, NumberedAndUnnumberedPrefixes)
{
    gbOldStyleErrors = FALSE;
    EXPECT_EQ(CaptureLog([] { ERRLOG_LineErrorNew(905, 80); }), "E0905 (line    1) - Exceeds 80 chararacters.\n");
    EXPECT_EQ(CaptureLog([] { ERRLOG_ErrorNew(4101); }), "E4101 - Required keyword 'Component' not found.\n");
    EXPECT_EQ(CaptureLog([] { ERRLOG_WarnNew(901, "A.kvo"); }), "W0901 - Filename 'A.kvo' should be lowercase\n");
    EXPECT_EQ(CaptureLog([] { ERRLOG_BugNew(1000); }), "B1000 - Unable to get ptr to KIVO struct?\n");
    EXPECT_EQ(CaptureLog([] { ERRLOG_LineBugNew(1003); }), "B1003 (line    1) - Bad keyword type passed to hdr.\n");
    gbOldStyleErrors = TRUE;
    EXPECT_EQ(CaptureLog([] { ERRLOG_LineErrorNew(905, 120); }), "ERROR (line    1) - Exceeds 120 chararacters.\n");
    EXPECT_EQ(CaptureLog([] { ERRLOG_BugNew(1000); }), "PROGRAM BUG - Unable to get ptr to KIVO struct?\n");
    EXPECT_EQ(CaptureLog([] { ERRLOG_LineWarnNew(921); }),
              "WARNING (line    1) - KIVO files should not contain tab characters.\n");
}

TEST_F(ErrlogTest, UnknownNumberPrintsRowZeroUncountedWhateverTheSwitches)
{
    ERRLOG_SuppressErrors(TRUE);
    EXPECT_EQ(CaptureLog([] { ERRLOG_ErrorNew(1); }), "INTERNAL ERROR - Error code doesn't exist.\n");
    gbOldStyleErrors = FALSE;
    EXPECT_EQ(CaptureLog([] { ERRLOG_LineWarnNew(2); }), "I0000 - Error code doesn't exist.\n");
    unsigned long b = 9, e = 9, w = 9;
    ERRLOG_GetCounts(&b, &e, &w);
    EXPECT_EQ(b + e + w, 0u);
}

// 1913 expands to "Zero length value for keyword '<k>'." = 33 + len(k) characters,
// so the keyword's length steers the text to any length we want.
std::string TextOfLength(std::size_t n) { return std::string(n - 33, 'k'); }

TEST_F(ErrlogTest, LineErrorWrapsFrom60To75)
{
    for (std::size_t len : {59u, 60u, 75u, 76u}) {
        std::string k = TextOfLength(len);
        std::string text = "Zero length value for keyword '" + k + "'.";
        ASSERT_EQ(text.size(), len);
        std::string out = CaptureLog([&] { ERRLOG_LineErrorNew(1913, k); });
        if (len >= 60 && len <= 75)
            EXPECT_EQ(out, "ERROR (line    1) -\n    " + text + "\n") << len;
        else
            EXPECT_EQ(out, "ERROR (line    1) - " + text + "\n") << len;
    }
}

TEST_F(ErrlogTest, ThresholdsPerSeverity)
{
    struct Case {
        ERROR_TYPES e;
        std::size_t first;
    } cases[] = {{etERROR, 72}, {etWARNING, 70}, {etLINE_WARNING, 58}, {etNOTE, 73}, {etLINE_NOTE, 61}};
    for (const Case& c : cases) {
        std::string below = TextOfLength(c.first - 1), at = TextOfLength(c.first);
        std::string outBelow = CaptureLog([&] { ERRLOG_Report(c.e, 1913, {below}); });
        std::string outAt = CaptureLog([&] { ERRLOG_Report(c.e, 1913, {at}); });
        EXPECT_EQ(outBelow.find(" -\n    "), std::string::npos) << c.e;
        EXPECT_NE(outAt.find(" -\n    "), std::string::npos) << c.e;
    }
    // Bugs never wrap.
    std::string k = TextOfLength(65);
    std::string out = CaptureLog([&] { ERRLOG_LineBugNew(1913, k); });
    EXPECT_EQ(out, "PROGRAM BUG (line    1) - Zero length value for keyword '" + k + "'.\n");
}

TEST_F(ErrlogTest, NewlinesInTextCountTowardsTheLength)
{
    // 907 with a 34-character line: "Data for unknown keyword.\n" is 26, total 60.
    std::string line(34, 'x');
    EXPECT_EQ(CaptureLog([&] { ERRLOG_LineErrorNew(907, line); }),
              "ERROR (line    1) -\n    Data for unknown keyword.\n" + line + "\n");
}

TEST_F(ErrlogTest, CautionsOnlyWhenAskedFor)
{
    EXPECT_EQ(CaptureLog([] { ERRLOG_CautionNew(1913, "x"); }), "");
    gbSuppressCautions = FALSE;
    EXPECT_EQ(CaptureLog([] { ERRLOG_CautionNew(1913, "x"); }), "CAUTION - Zero length value for keyword 'x'.\n");
    EXPECT_EQ(CaptureLog([] { ERRLOG_Totals(); }), "Errors  : 0\nCautions: 1\n\nFile Passed\n");
}

TEST_F(ErrlogTest, SuppressedSeveritiesAreNeitherPrintedNorCounted)
{
    ERRLOG_SuppressWarns(TRUE);
    ERRLOG_SuppressBugs(TRUE);
    EXPECT_EQ(CaptureLog([] {
                  ERRLOG_WarnNew(901, "a");
                  ERRLOG_BugNew(1000);
              }),
              "");
    EXPECT_EQ(CaptureLog([] { ERRLOG_Totals(); }), "Errors  : 0\n\nFile Passed\n");
}

TEST_F(ErrlogTest, NotesCannotBeSuppressedAndAreNotCounted)
{
    ERRLOG_SuppressErrors(TRUE);
    ERRLOG_SuppressWarns(TRUE);
    EXPECT_EQ(CaptureLog([] { ERRLOG_NoteNew(1913, "n"); }), "NOTE - Zero length value for keyword 'n'.\n");
    EXPECT_EQ(CaptureLog([] { ERRLOG_Totals(); }), "Errors  : 0\n\nFile Passed\n");
}

TEST_F(ErrlogTest, TotalsForms)
{
    EXPECT_EQ(CaptureLog([] { ERRLOG_WarnNew(901, "a"); }), "WARNING - Filename 'a' should be lowercase\n");
    EXPECT_EQ(CaptureLog([] { ERRLOG_Totals(); }), "\nErrors  : 0\nWarnings: 1\n\nFile Passed\n");
    CaptureLog([] {
        ERRLOG_ErrorNew(4101);
        ERRLOG_BugNew(1000);
    });
    EXPECT_EQ(CaptureLog([] { ERRLOG_Totals(); }), "\nBugs    : 1\nErrors  : 1\nWarnings: 1\n\nFile Failed\n");
    unsigned long b = 0, e = 0;
    ERRLOG_GetCounts(&b, &e, nullptr);
    EXPECT_EQ(b, 1u);
    EXPECT_EQ(e, 1u);
}

TEST_F(ErrlogTest, FormatterConversions)
{
    EXPECT_EQ(ERRLOG_Format("%5.2f%% and %6.3eA", {12.345, 0.001}), "12.35% and 1.000e-03A");
    EXPECT_EQ(ERRLOG_Format("%g|%c|%x|%u|%d", {2.5e-9, 'q', 13u, 7u, -3}), "2.5e-09|q|d|7|-3");
    EXPECT_EQ(ERRLOG_Format("%*lu|", {4, 7ul}), "   7|");
    std::string s = "str";
    EXPECT_EQ(ERRLOG_Format("<%s>", {s}), "<str>");
    EXPECT_EQ(ERRLOG_Format("%s", {static_cast<const char*>(nullptr)}), "(null)");
    std::string longText(5000, 'z');
    EXPECT_EQ(ERRLOG_Format("%s!", {longText}).size(), 5001u);
}

#ifndef NDEBUG
TEST(ErrlogDeathTest, MismatchedValueStopsDebugBuilds)
{
    EXPECT_DEATH(ERRLOG_Format("%d", {"text"}), "");
    EXPECT_DEATH(ERRLOG_Format("%s", {3}), "");
    EXPECT_DEATH(ERRLOG_Format("%s %s", {"one"}), "");
    EXPECT_DEATH(ERRLOG_Format("%s", {"one", "two"}), "");
}
#endif

}  // namespace

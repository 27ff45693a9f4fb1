#include "parse/hdr.h"

#include <gtest/gtest.h>

#include <csignal>
#include <cstdio>
#include <string>
#include <vector>

#include "common/errlog.h"
#include "parse/kivo.h"
#include "parse/parse.h"
#include "test_support.h"

namespace {

// Feeds header lines the way the router does: the finish of the previous
// header keyword, the start of a new header on [KIVO Ver], then the line.
class HdrTest : public ProgramStateTest {
protected:
    void SetUp() override
    {
        ProgramStateTest::SetUp();
        ASSERT_EQ(KIVO_New(), SUCCESS);
    }

    void Keyword(KEYWORD_TYPE eKey, const std::string& sLine)
    {
        if (eCurrent != NOT_KEY) HDR_Fini(eKey);
        if (eKey == KIVOVER_KEY) HDR_Init();
        eCurrent = eKey;
        std::vector<char> buf(sLine.begin(), sLine.end());
        buf.push_back('\0');
        HDR_ReceiveLine(KEYWORD_LINE, eKey, buf.data());
    }
    void Data(const std::string& sLine)
    {
        std::vector<char> buf(sLine.begin(), sLine.end());
        buf.push_back('\0');
        HDR_ReceiveLine(OTHER_LINE, eCurrent, buf.data());
    }
    // Closes the header; the required-keyword findings are not looked at.
    void End()
    {
        CaptureLog([&] { HDR_Fini(END_KEY); });
        eCurrent = END_KEY;
    }
    HDR* TopHdr()
    {
        KIVO* pKivo = nullptr;
        EXPECT_EQ(KIVO_GetKIVO(&pKivo), SUCCESS);
        HDR* pHdr = nullptr;
        KIVO_GetHdrs(pKivo, &pHdr);
        return pHdr;
    }

    KEYWORD_TYPE eCurrent = NOT_KEY;
};

TEST_F(HdrTest, FreeTextsJoinLinesWithNewlines)
{
    std::string out = CaptureLog([&] {
        Keyword(KIVOVER_KEY, "[KIVO Ver] 6.1");
        Keyword(NOTES_KEY, "[Notes]");
        Data("first line");
        Data("second line");
        Keyword(SOURCE_KEY, "[Source] Bench");
        Data("more");
        Keyword(DISCLMR_KEY, "[Disclaimer] One.");
        Data("still one");
        Keyword(DISCLMR_KEY, "[Disclaimer] Two.");
    });
    EXPECT_EQ(out, "");
    HDR* pHdr = TopHdr();
    ASSERT_NE(pHdr, nullptr);
    const char* s = nullptr;
    ASSERT_EQ(HDR_GetNotes(pHdr, &s), SUCCESS);
    EXPECT_STREQ(s, "\nfirst line\nsecond line");  // an empty keyword value still starts the text
    ASSERT_EQ(HDR_GetSource(pHdr, &s), SUCCESS);
    EXPECT_STREQ(s, "Bench\nmore");
    ASSERT_EQ(HDR_GetDisclaimer(pHdr, &s), SUCCESS);
    EXPECT_STREQ(s, "One.\nstill one\nTwo.");  // a second [Disclaimer] continues the first
    EXPECT_EQ(HDR_GetCopyright(pHdr, &s), FAILURE);
    EXPECT_EQ(s, nullptr);
    EXPECT_EQ(HDR_GetDate(pHdr, &s), FAILURE);
    EXPECT_EQ(s, nullptr);
    ASSERT_EQ(HDR_GetKIVO_Ver(pHdr, &s), SUCCESS);
    EXPECT_STREQ(s, "6.1");
}

TEST_F(HdrTest, DuplicateTextKeywordAppendsItsDataLinesToTheFirst)
{
    std::string out = CaptureLog([&] {
        Keyword(KIVOVER_KEY, "[KIVO Ver] 6.1");
        Keyword(NOTES_KEY, "[Notes] a");
        Keyword(NOTES_KEY, "[Notes] b");
        Data("c");
    });
    EXPECT_EQ(out, "ERROR (line    1) - Duplicate Notes keyword.\n");
    const char* s = nullptr;
    ASSERT_EQ(HDR_GetNotes(TopHdr(), &s), SUCCESS);
    EXPECT_STREQ(s, "a\nc");
}

TEST_F(HdrTest, VersionValueChoosesRuleSet)
{
    const struct {
        const char* sValue;
        KIVO_VER eWant;
    } cases[] = {{"2.0", VER_2}, {"2.1", VER_2}, {"3.0", VER_3}, {"3.1", VER_3}, {"3.2", VER_3},
                 {"4.0", VER_4}, {"4.1", VER_4}, {"4.2", VER_4}, {"5.0", VER_5}, {"5.1", VER_5},
                 {"6.0", VER_6}, {"6.1", VER_61}};
    for (const auto& c : cases) {
        geFileVersion = VER_UNKNOWN;
        std::string out = CaptureLog([&] { Keyword(KIVOVER_KEY, std::string("[KIVO Ver] ") + c.sValue); });
        EXPECT_EQ(out, "") << c.sValue;
        EXPECT_EQ(geFileVersion, c.eWant) << c.sValue;
        End();
    }
}

TEST_F(HdrTest, IllegalOrEmptyVersionKeepsPreviousRuleSet)
{
    geFileVersion = VER_4;
    std::string out = CaptureLog([&] { Keyword(KIVOVER_KEY, "[KIVO Ver] 5.2"); });
    EXPECT_EQ(out, "ERROR (line    1) - Illegal KIVO_Version '5.2'.\n");
    EXPECT_EQ(geFileVersion, VER_4);

    End();
    out = CaptureLog([&] { Keyword(KIVOVER_KEY, "[KIVO Ver] 1.1"); });
    EXPECT_EQ(out, "ERROR (line    1) - Illegal KIVO_Version '1.1'.\n");
    EXPECT_EQ(geFileVersion, VER_4);

    End();
    out = CaptureLog([&] { Keyword(KIVOVER_KEY, "[KIVO Ver]"); });
    EXPECT_EQ(out, "ERROR (line    1) - Zero length value for keyword 'KIVO_Version'.\n");
    EXPECT_EQ(geFileVersion, VER_4);
}

TEST_F(HdrTest, SwitchesWidenTheRules)
{
    HDR_Allow1xVersions(1);
    std::string out = CaptureLog([&] { Keyword(KIVOVER_KEY, "[KIVO Ver] 1.1"); });
    EXPECT_EQ(out, "");
    EXPECT_EQ(geFileVersion, VER_1);
    End();

    HDR_AllowAnyVersion(1);
    out = CaptureLog([&] { Keyword(KIVOVER_KEY, "[KIVO Ver] 9.9"); });
    EXPECT_EQ(out, "");
    EXPECT_EQ(geFileVersion, VER_61);

    HDR_AllowAnyFile_name(1);
    out = CaptureLog([&] { Keyword(FILENAME_KEY, "[File Name] Not+A_Dos..Name"); });
    EXPECT_EQ(out, "");
}

TEST_F(HdrTest, FileNameRulesReportEachCharacterInOrder)
{
    geFileVersion = VER_61;
    std::string out = CaptureLog([&] {
        Keyword(KIVOVER_KEY, "[KIVO Ver] 6.1");
        Keyword(FILENAME_KEY, "[File Name] A b.c.d.e");
    });
    // The file being read has no name here, so the opened-name rule fires too.
    EXPECT_EQ(out,
              "ERROR (line    1) - File_name 'A b.c.d.e' contains an upper case character 'A'.\n"
              "ERROR (line    1) -\n    File_name 'A b.c.d.e' contains a character ' ' that is illegal for DOS.\n"
              "ERROR (line    1) - File_name 'A b.c.d.e' contains more than one period.\n"
              "ERROR (line    1) - File_name 'A b.c.d.e' contains more than one period.\n"
              "ERROR (line    1) - File name opened '' not the same as File_name 'A b.c.d.e'.\n");
}

TEST_F(HdrTest, FileNameLengthDependsOnVersion)
{
    const std::string s30 = "abcdefghijklmnopqrstuvwxyz.kvo";  // 30 characters
    HDR_AllowAnyFile_name(1);

    // Before 3.2: cut to 12.
    std::string out = CaptureLog([&] {
        Keyword(KIVOVER_KEY, "[KIVO Ver] 2.1");
        Keyword(FILENAME_KEY, "[File Name] " + s30);
    });
    EXPECT_EQ(out, "ERROR (line    1) - File_name string '" + s30 + "' is too long, truncating to 12 characters.\n");
    const char* s = nullptr;
    ASSERT_EQ(HDR_GetFile_name(TopHdr(), &s), SUCCESS);
    EXPECT_STREQ(s, "abcdefghijkl");
    End();

    // 3.2: 24 allowed, the longer name is kept whole.
    out = CaptureLog([&] {
        Keyword(KIVOVER_KEY, "[KIVO Ver] 3.2");
        Keyword(FILENAME_KEY, "[File Name] " + s30);
    });
    EXPECT_EQ(out, "ERROR (line    1) - File_name string '" + s30 + "' is too long, maximum length 24 allowed.\n");
    ASSERT_EQ(HDR_GetFile_name(TopHdr(), &s), SUCCESS);
    EXPECT_EQ(std::string(s), s30);
    End();

    // 4.2 on: 44 allowed.
    out = CaptureLog([&] {
        Keyword(KIVOVER_KEY, "[KIVO Ver] 4.2");
        Keyword(FILENAME_KEY, "[File Name] " + s30);
    });
    EXPECT_EQ(out, "");
}

TEST_F(HdrTest, HeaderEndsAtFirstOtherKeywordAndChecksRequiredOnes)
{
    std::string out = CaptureLog([&] {
        Keyword(KIVOVER_KEY, "[KIVO Ver] 6.1");
        Keyword(DATE_KEY, "[Date] today");
        HDR_Fini(COMPNT_KEY);
        eCurrent = NOT_KEY;
        // After the header closed, header lines are orphans.
        std::vector<char> kw = {'[', 'D', 'a', 't', 'e', ']', '\0'};
        HDR_ReceiveLine(KEYWORD_LINE, DATE_KEY, kw.data());
        std::vector<char> data = {'x', '\0'};
        HDR_ReceiveLine(OTHER_LINE, DATE_KEY, data.data());
    });
    EXPECT_EQ(out,
              "ERROR - Required keyword 'File_name' not found in file ''.\n"
              "ERROR - Required keyword 'File_Rev' not found in file ''.\n"
              "ERROR (line    1) - Orphan File Header keyword.\n"
              "ERROR (line    1) - Orphan Data Line.\n");
}

TEST_F(HdrTest, SecondVersionKeywordInsideHeaderIsReportedByFinish)
{
    std::string out = CaptureLog([&] {
        Keyword(KIVOVER_KEY, "[KIVO Ver] 6.1");
        HDR_Fini(KIVOVER_KEY);
        HDR_Fini(FILENAME_KEY);  // another header keyword: nothing
    });
    EXPECT_EQ(out, "ERROR (line    1) - Duplicate KIVO_Ver keyword\n");
}

TEST_F(HdrTest, FreeingTheRootClosesAnOpenHeader)
{
    CaptureLog([&] { Keyword(KIVOVER_KEY, "[KIVO Ver] 6.1"); });
    KIVO_Reset();
    ASSERT_EQ(KIVO_New(), SUCCESS);
    // The record went with its root: a data line is now an orphan, and no
    // finish reports a duplicate for the next file's [KIVO Ver].
    std::string out = CaptureLog([&] {
        Data("text");
        HDR_Fini(KIVOVER_KEY);
    });
    EXPECT_EQ(out, "ERROR (line    1) - Orphan Data Line.\n");
}

// A null record handed to an accessor is a fault of the calling code: the
// assertion line is printed and the program aborts (rather than crashing on
// the record's field).
TEST(HdrDeathTest, AccessorsCheckTheRecordFirst)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    const char* s = nullptr;
    EXPECT_EXIT(HDR_GetFile_name(nullptr, &s), testing::KilledBySignal(SIGABRT), "");
    EXPECT_EXIT(HDR_GetNotes(nullptr, &s), testing::KilledBySignal(SIGABRT), "");
}

}  // namespace

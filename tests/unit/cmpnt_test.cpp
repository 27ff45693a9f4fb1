// A component section read end to end where the expected output cannot be
// fixed byte for byte: a data line after an end keyword is reported as a
// program bug that names the checker's own source position.
#include <gtest/gtest.h>

#include <cstdio>
#include <regex>
#include <string>

#include "common/errlog.h"
#include "driver/reset.h"
#include "parse/kivo.h"
#include "parse/parse.h"
#include "test_support.h"

namespace {

class ComponentParseTest : public ProgramStateTest {
protected:
    void SetUp() override
    {
        ProgramStateTest::SetUp();
        gbOldStyleErrors = FALSE;
        PARSE_SuppressBanners(1);
        ASSERT_EQ(KIVO_New(), SUCCESS);
        ASSERT_TRUE(scratch_.Create("cmpnt_test_"));
    }
    // Writes the file, parses it as a KIVO file and returns what the log printed.
    std::string Parse(const std::string& sName, const std::string& sText)
    {
        const std::string sPath = scratch_.Write(sName, sText);
        return CaptureLog([&] { EXPECT_EQ(PARSE(sPath.c_str(), TYPE_KVO), SUCCESS); });
    }
    ScratchDir scratch_;
};

TEST_F(ComponentParseTest, DataAfterAnEndKeywordIsAProgramBugAtItsLine)
{
    const std::string sOut = Parse("afterend.kvo",
                                   "[KIVO Ver] 6.1\n"
                                   "[File Name] afterend.kvo\n"
                                   "[File Rev] 1.0\n"
                                   "[Component] d\n"
                                   "[Manufacturer] Acme\n"
                                   "[Package]\n"
                                   "R_pkg 0.2 0.1 0.3\n"
                                   "L_pkg 1n 0.5n 2n\n"
                                   "C_pkg 1p 0.5p 2p\n"
                                   "[Pin] signal_name model_name\n"
                                   "1 VDD POWER\n"
                                   "[Alternate Package Models]\n"
                                   "pk1\n"
                                   "pk2\n"
                                   "[End Alternate Package Models]\n"
                                   "pk3\n"
                                   "[Node Declarations]\n"
                                   "n1\n"
                                   "[End Node Declarations]\n"
                                   "n2\n"
                                   "[End Circuit Call]\n"
                                   "stray text\n"
                                   "[End]\n");
    const std::regex re("B0509 \\(line   16\\) - cmpnt\\.c:([0-9]+):Unknown keyword received data\\.\n"
                        "B0509 \\(line   20\\) - cmpnt\\.c:\\1:Unknown keyword received data\\.\n"
                        "B0509 \\(line   22\\) - cmpnt\\.c:\\1:Unknown keyword received data\\.\n");
    EXPECT_TRUE(std::regex_match(sOut, re)) << sOut;
}

TEST_F(ComponentParseTest, AComponentLeftOpenByAnUnknownKeywordIsNotReusedByTheNextFile)
{
    // An unknown keyword keeps the component from being finished; the next
    // file's orphan component lines must not reach the freed record.
    Parse("first.kvo",
          "[KIVO Ver] 6.1\n[File Name] first.kvo\n[File Rev] 1.0\n"
          "[Component] a\n[Manufacturer] Acme\n[No Such Keyword]\n[End]\n");
    KIVO* pKivo = nullptr;
    ASSERT_EQ(KIVO_GetKIVO(&pKivo), SUCCESS);
    KIVO_Free(pKivo);
    ASSERT_EQ(KIVO_New(), SUCCESS);
    const std::string sOut = Parse("second.kvo",
                                   "[KIVO Ver] 6.1\n[File Name] second.kvo\n[File Rev] 1.0\n"
                                   "[Pin] signal_name model_name\n1 VDD POWER\n[End]\n");
    EXPECT_EQ(sOut, "E0501 (line    4) - Orphan Component keyword.\n"
                    "E0502 (line    5) - Orphan data line keyword.\n");
}

}  // namespace

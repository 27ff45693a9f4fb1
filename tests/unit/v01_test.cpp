// In-process checks of the legacy version-1.x checker: the paths no file in
// a test folder can reach through the program (a file that cannot be opened
// or rewound), the line-reading limits, and that runs do not leak state into
// each other.
#include "legacy/v01.h"
#include "test_support.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>


namespace {

namespace fs = std::filesystem;

// Runs the checker on one file name and returns what it printed.
std::string RunChecker(const std::string& sName)
{
    std::fflush(stdout);
    FILE* pOut = std::tmpfile();
    EXPECT_NE(pOut, nullptr);
    const int iSaved = dup(STDOUT_FILENO);
    dup2(fileno(pOut), STDOUT_FILENO);

    std::string sProg = "kivo_chk";
    std::string sArg = sName;
    char* argv[] = {sProg.data(), sArg.data(), nullptr};
    const int iStatus = v01_main(2, argv);
    std::fflush(stdout);

    dup2(iSaved, STDOUT_FILENO);
    close(iSaved);
    EXPECT_EQ(iStatus, 0);

    std::string sOut = ReadStream(pOut);
    if (pOut != nullptr) std::fclose(pOut);
    return sOut;
}

class V01Test : public ::testing::Test {
protected:
    void SetUp() override
    {
        V01_Reset();
        ASSERT_TRUE(scratch_.Create("v01_test."));
        dir = scratch_.Path();
    }

    std::string Write(const std::string& sName, const std::string& sText) const
    {
        return scratch_.Write(sName, sText);
    }

    ScratchDir scratch_;
    fs::path dir;
};

const std::string kHeader = "[KIVO Ver] 1.1\n[File Name] t.kvo\n[File Rev] 1.0\n";
const std::string kTail =
    "[Model] m\nModel_type Input\nC_comp 1p 1p 1p\n[Voltage Range] 5 4.5 5.5\n"
    "[Component] c\n[Manufacturer] Acme\n[Package]\nR_pkg 1 1 1\nL_pkg 1n 1n 1n\nC_pkg 1p 1p 1p\n"
    "[Pin] signal_name model_name\n1 a m\n[End]\n";

std::string Checking(const std::string& sPath)
{
    return "\nChecking " + sPath + " for KIVO 1.1 Compatibility...\n\n";
}

TEST_F(V01Test, FileThatCannotBeOpenedEndsWithTotalsOnly)
{
    const std::string sPath = (dir / "absent.kvo").string();
    EXPECT_EQ(RunChecker(sPath),
              "ERROR - Unable To Open File '" + sPath + "'\n\nErrors  : 1\n\nFile " + sPath + ": Failed\n");
}

TEST_F(V01Test, NameWithoutExtensionIsLookedUpWithKvoAppended)
{
    const std::string sPath = Write("t.kvo", kHeader + kTail);
    const std::string sBare = (dir / "t").string();
    EXPECT_EQ(RunChecker(sBare), Checking(sPath) + "Errors  : 0\n\nFile " + sPath + ": Passed\n");
}

TEST_F(V01Test, NameIsTriedAsGivenThenInLowerCaseThenInUpperCase)
{
    // Relative names, so that only the file name's case differs.
    const fs::path cwd = fs::current_path();
    fs::current_path(dir);
    Write("T.KVO", "[KIVO Ver] 1.1\n[File Name] t.kvo\n[File Rev] 1.0\n" + kTail);
    Write("low.kvo", "[KIVO Ver] 1.1\n[File Name] low.kvo\n[File Rev] 1.0\n" + kTail);
    const std::string sUpper = RunChecker("t.kvo");
    const std::string sLower = RunChecker("LOW.KVO");
    fs::current_path(cwd);
    EXPECT_EQ(sUpper, Checking("T.KVO") + "Errors  : 0\n\nFile T.KVO: Passed\n");
    EXPECT_EQ(sLower, Checking("low.kvo") + "Errors  : 0\n\nFile low.kvo: Passed\n");
}

TEST_F(V01Test, OverlongNameOnTheCommandLineIsRefused)
{
    const std::string sLong = (dir / (std::string(300, 'a') + ".kvo")).string();
    EXPECT_EQ(RunChecker(sLong),
              "ERROR - Unable To Open File '" + sLong + "'\n\nErrors  : 1\n\nFile " + sLong + ": Failed\n");
}

TEST_F(V01Test, FileThatCannotBeRewoundStopsAfterTheFirstPass)
{
    // A pipe reached through a link named like a model file: it can be read
    // once but not rewound for the component pass.
    int fds[2];
    ASSERT_EQ(pipe(fds), 0);
    const std::string sText = "[KIVO Ver] 1.1\n[File Name] p.kvo\n[File Rev] 1.0\n[End]\n";
    ASSERT_EQ(write(fds[1], sText.data(), sText.size()), static_cast<ssize_t>(sText.size()));
    const std::string sLink = (dir / "p.kvo").string();
    fs::create_symlink("/proc/self/fd/" + std::to_string(fds[0]), sLink);

    const std::string sOut = RunChecker(sLink);
    close(fds[1]);
    close(fds[0]);
    EXPECT_EQ(sOut, Checking(sLink) +
                        "ERROR - Unable To Rewind File For Second (Component) Pass\n"
                        "ERROR - Missing Keyword: COMPONENT\n"
                        "\nErrors  : 2\n\nFile " +
                        sLink + ": Failed\n");
}

TEST_F(V01Test, LinesAreCutAfter1022Characters)
{
    // The closing bracket as character 1022 is kept (the name is then too
    // long to be a keyword); as character 1023 it is cut off.
    const std::string sKept = "[" + std::string(1020, 'k') + "]";
    const std::string sCut = "[" + std::string(1021, 'k') + "]";
    ASSERT_EQ(sKept.size(), 1022u);
    const std::string sPath = Write("t.kvo", kHeader + sKept + "\n" + sCut + "\r\n" + kTail);
    EXPECT_EQ(RunChecker(sPath), Checking(sPath) +
                                     "ERROR (line    4) - Exceeds 80 characters\n"
                                     "ERROR (line    4) - Invalid Keyword\n"
                                     "ERROR (line    5) - Exceeds 80 characters\n"
                                     "ERROR (line    5) - Keyword Missing Ending Bracket (']')\n"
                                     "\nErrors  : 4\n\nFile " +
                                     sPath + ": Failed\n");
}

TEST_F(V01Test, CarriageReturnCountsUnlessItEndsTheLine)
{
    // 80 characters and CR LF: within the width. A CR inside the line is an
    // ordinary character, so 80 characters with one more CR inside are 81.
    const std::string s80(80, 'x');
    const std::string sPath =
        Write("t.kvo", kHeader + "|" + s80.substr(1) + "\r\n" + "|\r" + s80.substr(1) + "\n" + kTail);
    EXPECT_EQ(RunChecker(sPath),
              Checking(sPath) + "ERROR (line    5) - Exceeds 80 characters\n\nErrors  : 1\n\nFile " + sPath +
                  ": Failed\n");
}

TEST_F(V01Test, RunsDoNotCarryStateIntoEachOther)
{
    // The second run sees a fresh comment character, fresh model names,
    // fresh counters and an unchanged width check.
    const std::string sText = kHeader + "[Comment Char] #_char\n" +
                              "[Model] m\nModel_type Input\nC_comp 1p 1p 1p\n[Voltage Range] 5 4.5 5.5\n"
                              "[Component] c\n[Manufacturer] Acme\n[Package]\nR_pkg 1 1 1\nL_pkg 1n 1n 1n\n"
                              "C_pkg 1p 1p 1p\n[Pin] signal_name model_name\n1 a m\n2 b undefined\n[End]\nafter\n";
    const std::string sPath = Write("t.kvo", sText);
    const std::string sFirst = RunChecker(sPath);
    const std::string sSecond = RunChecker(sPath);
    EXPECT_EQ(sFirst, sSecond);
    EXPECT_EQ(sFirst, Checking(sPath) +
                          "ERROR (line   17) - Model Name 'undefined' Undefined For Pin '2'\n"
                          "ERROR (line   19) - Non-Comment Line Exists After 'End' Keyword\n"
                          "\nErrors  : 2\n\nFile " +
                          sPath + ": Failed\n");
}

TEST_F(V01Test, BinaryInputGetsMessagesAndTotals)
{
    std::string sJunk = kHeader;
    unsigned int uSeed = 12345;
    for (int i = 0; i < 20000; ++i) {
        uSeed = uSeed * 1103515245u + 12345u;
        sJunk += static_cast<char>((uSeed >> 16) & 0xff);
    }
    const std::string sPath = Write("t.kvo", sJunk);
    const std::string sOut = RunChecker(sPath);
    EXPECT_EQ(sOut.rfind(Checking(sPath), 0), 0u);
    const std::string sEnd = "\nFile " + sPath + ": Failed\n";
    ASSERT_GE(sOut.size(), sEnd.size());
    EXPECT_EQ(sOut.substr(sOut.size() - sEnd.size()), sEnd);
    EXPECT_NE(sOut.find("ERROR - Missing Keyword: END\n"), std::string::npos);
}

TEST(V01UsageTest, AnyCountButTwoGivesUsageAndStatusOne)
{
    std::string sProg = "kivo_chk", sFlag = "-pkg", sFile = "x.pkg";
    char* argv3[] = {sProg.data(), sFlag.data(), sFile.data(), nullptr};
    char* argv1[] = {sProg.data(), nullptr};
    // The usage text itself is checked end to end; here only the status.
    const auto quiet = [](int argc, char** argv) {
        if (std::freopen("/dev/null", "w", stdout) == nullptr) std::abort();
        v01_main(argc, argv);
    };
    EXPECT_EXIT(quiet(3, argv3), ::testing::ExitedWithCode(1), "");
    EXPECT_EXIT(quiet(1, argv1), ::testing::ExitedWithCode(1), "");
}

}  // namespace

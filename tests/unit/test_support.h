// Shared set-up of the unit tests: reading back what the message log wrote,
// fixtures that start every test from program-start state, and scratch
// directories for the files a test reads.
#ifndef KIVO_TESTS_UNIT_TEST_SUPPORT_H
#define KIVO_TESTS_UNIT_TEST_SUPPORT_H

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <system_error>

#include "common/errlog.h"
#include "common/types.h"
#include "driver/reset.h"

// Everything written to the stream, from its start.
inline std::string ReadStream(FILE* f)
{
    std::string s;
    if (f == nullptr) return s;
    std::fflush(f);
    std::rewind(f);
    char buf[4096];
    std::size_t n;
    while ((n = std::fread(buf, 1, sizeof buf, f)) > 0) s.append(buf, n);
    return s;
}

// A numbered message as the log prints it while the line counter is at 1
// (its value at program start): errors wrap from 60 (with a line) or 72
// (without) up to 75 characters, warnings from 58 or 70; bugs never wrap.
inline std::string NumberedMsg(char cSev, int iCode, bool bLine, const std::string& sText)
{
    std::size_t lo = 10000;
    if (cSev == 'E') lo = bLine ? 60 : 72;
    if (cSev == 'W') lo = bLine ? 58 : 70;
    char sPrefix[40];
    std::snprintf(sPrefix, sizeof sPrefix, "%c%04d", cSev, iCode);
    std::string s = sPrefix;
    if (bLine) s += " (line    1)";
    if (sText.size() >= lo && sText.size() <= 75) return s + " -\n    " + sText + "\n";
    return s + " - " + sText + "\n";
}
inline std::string LineMsg(char cSev, int iCode, const std::string& sText)
{
    return NumberedMsg(cSev, iCode, true, sText);
}

// Runs fn with the message log writing into a temporary stream and returns
// what it printed; the log is detached afterwards.
template <class F>
std::string CaptureLog(F fn)
{
    FILE* f = std::tmpfile();
    EXPECT_NE(f, nullptr);
    ERRLOG_SetOutputFile(f);
    fn();
    std::string s = ReadStream(f);
    if (f != nullptr) std::fclose(f);
    ERRLOG_SetOutputFile(nullptr);
    return s;
}

// A directory of a test's own, removed with everything in it.
class ScratchDir {
public:
    ScratchDir() = default;
    ScratchDir(const ScratchDir&) = delete;
    ScratchDir& operator=(const ScratchDir&) = delete;
    ~ScratchDir() { Remove(); }

    // Makes a fresh directory named sPrefix plus a unique suffix under the
    // system's temporary directory.
    bool Create(const std::string& sPrefix)
    {
        std::string sTemplate = (std::filesystem::temp_directory_path() / (sPrefix + "XXXXXX")).string();
        if (mkdtemp(sTemplate.data()) == nullptr) return false;
        sPath_ = sTemplate;
        return true;
    }
    void Remove()
    {
        if (sPath_.empty()) return;
        std::error_code ec;
        std::filesystem::remove_all(sPath_, ec);
        sPath_.clear();
    }
    const std::string& Path() const { return sPath_; }

    // Writes a file under the directory (or a subdirectory of it) and
    // returns its path.
    std::string Write(const std::string& sRelPath, const std::string& sText) const
    {
        std::filesystem::path p = std::filesystem::path(sPath_) / sRelPath;
        std::filesystem::create_directories(p.parent_path());
        std::ofstream(p, std::ios::binary) << sText;
        return p.string();
    }

private:
    std::string sPath_;
};

// Every test starts and ends in program-start state.
class ProgramStateTest : public ::testing::Test {
protected:
    void SetUp() override { KIVOCHK_ResetAll(); }
    void TearDown() override { KIVOCHK_ResetAll(); }
};

// Program-start state, with the message log in numbered form written to a
// temporary stream that Log() drains.
class LogTest : public ProgramStateTest {
protected:
    void SetUp() override
    {
        ProgramStateTest::SetUp();
        gbOldStyleErrors = FALSE;
        pLog_ = std::tmpfile();
        ASSERT_NE(pLog_, nullptr);
        ERRLOG_SetOutputFile(pLog_);
    }
    void TearDown() override
    {
        // The reset detaches the log before its stream is closed.
        ProgramStateTest::TearDown();
        if (pLog_ != nullptr) std::fclose(pLog_);
        pLog_ = nullptr;
    }
    // Everything the log printed since the last call.
    std::string Log()
    {
        std::string s = ReadStream(pLog_);
        if (pLog_ != nullptr) std::fclose(pLog_);
        pLog_ = std::tmpfile();
        ERRLOG_SetOutputFile(pLog_);
        return s;
    }

    FILE* pLog_ = nullptr;
};

#endif

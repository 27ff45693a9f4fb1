// Shared set-up of the package-model tests: a fresh program state, a fresh
// root container, the message log in numbered form captured in a temporary
// stream, and a scratch directory for package files.
#ifndef KIVO_TESTS_UNIT_PKG_FIXTURE_H
#define KIVO_TESTS_UNIT_PKG_FIXTURE_H

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "common/errlog.h"
#include "driver/reset.h"
#include "package/pkgmdl.h"
#include "parse/kivo.h"
#include "parse/parse.h"

class PkgTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ResetAll();
        gbOldStyleErrors = FALSE;
        PARSE_SuppressBanners(1);
        ASSERT_EQ(KIVO_New(), SUCCESS);
        std::string sTemplate = (std::filesystem::temp_directory_path() / "pkg_test_XXXXXX").string();
        ASSERT_NE(mkdtemp(sTemplate.data()), nullptr);
        sDir_ = sTemplate;
        pLog_ = std::tmpfile();
        ASSERT_NE(pLog_, nullptr);
        ERRLOG_SetOutputFile(pLog_);
    }
    void TearDown() override
    {
        ResetAll();
        if (pLog_ != nullptr) std::fclose(pLog_);
        std::error_code ec;
        std::filesystem::remove_all(sDir_, ec);
    }
    static void ResetAll()
    {
        KIVOCHK_ResetAll();
        PKGMDL_Reset();
    }

    // Writes a file under the scratch directory (or a subdirectory of it).
    std::string Write(const std::string& sRelPath, const std::string& sText) const
    {
        std::filesystem::path p = std::filesystem::path(sDir_) / sRelPath;
        std::filesystem::create_directories(p.parent_path());
        std::ofstream(p, std::ios::binary) << sText;
        return p.string();
    }

    // Everything the message log printed since the last call.
    std::string Log()
    {
        std::fflush(pLog_);
        std::rewind(pLog_);
        std::string s;
        char buf[4096];
        std::size_t n;
        while ((n = std::fread(buf, 1, sizeof buf, pLog_)) > 0) s.append(buf, n);
        std::fclose(pLog_);
        pLog_ = std::tmpfile();
        ERRLOG_SetOutputFile(pLog_);
        return s;
    }

    // Reads a package file into the current root; returns the messages.
    std::string ParsePkg(const std::string& sPath)
    {
        EXPECT_EQ(PARSE(sPath.c_str(), TYPE_PKG), SUCCESS);
        return Log();
    }

    static PKGMDL* Models()
    {
        KIVO* pKivo = nullptr;
        if (KIVO_GetKIVO(&pKivo) != SUCCESS) return nullptr;
        return pKivo->pPkgMdls;
    }

    // A package file's header for the given base name.
    static std::string Header(const std::string& sBase, const char* sVer = "6.1")
    {
        return std::string("[KIVO Ver] ") + sVer + "\n[File Name] " + sBase + "\n[File Rev] 1.0\n";
    }

    std::string sDir_;
    FILE* pLog_ = nullptr;
};

#endif

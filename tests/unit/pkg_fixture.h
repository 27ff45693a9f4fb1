// Shared set-up of the package-model tests: a fresh program state, a fresh
// root container, the message log in numbered form captured in a temporary
// stream, and a scratch directory for package files.
#ifndef KIVO_TESTS_UNIT_PKG_FIXTURE_H
#define KIVO_TESTS_UNIT_PKG_FIXTURE_H

#include <string>

#include "package/pkgmdl.h"
#include "parse/kivo.h"
#include "parse/parse.h"
#include "test_support.h"

class PkgTest : public LogTest {
protected:
    void SetUp() override
    {
        LogTest::SetUp();
        if (HasFatalFailure()) return;
        PARSE_SuppressBanners(1);
        ASSERT_EQ(KIVO_New(), SUCCESS);
        ASSERT_TRUE(scratch_.Create("pkg_test_"));
        sDir_ = scratch_.Path();
    }

    // Writes a file under the scratch directory (or a subdirectory of it).
    std::string Write(const std::string& sRelPath, const std::string& sText) const
    {
        return scratch_.Write(sRelPath, sText);
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

    ScratchDir scratch_;
    std::string sDir_;
};

#endif

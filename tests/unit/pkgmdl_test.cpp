#include "package/pkgmdl.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "common/cmn.h"
#include "pkg_fixture.h"

namespace {

namespace fs = std::filesystem;

class PkgMdlTest : public PkgTest {
protected:
    // A complete package model with two pins and full matrices.
    static std::string Model(const std::string& sName, const std::string& sManufacturer)
    {
        return "[Define Package Model] " + sName + "\n[Manufacturer] " + sManufacturer +
               "\n[OEM] Acme\n[Description] test\n[Number Of Pins] 2\n[Pin Numbers]\n1\n2\n[Model Data]\n"
               "[Resistance Matrix] Full_matrix\n[Row] 1\n1 0\n[Row] 2\n1\n"
               "[Inductance Matrix] Full_matrix\n[Row] 1\n1n 0\n[Row] 2\n1n\n"
               "[Capacitance Matrix] Full_matrix\n[Row] 1\n1p 0\n[Row] 2\n1p\n"
               "[End Model Data]\n[End Package Model]\n";
    }
    std::string PkgFile(const std::string& sBase, const std::string& sModels) const
    {
        std::string sLower = sBase;
        CMN_ConvertToLower(sLower);
        return Header(sLower) + sModels + "[End]\n";
    }
    // Makes sDirectory the directory of the file being checked, as reading a
    // KIVO file in it does.
    void CheckFileIn(const std::string& sDirectory)
    {
        std::string sTop = sDirectory + "/top.kvo";
        std::ofstream(sTop) << "[KIVO Ver] 6.1\n";
        FILE* f = nullptr;
        std::string sBase;
        ASSERT_EQ(CMN_OpenFile(sTop.c_str(), TYPE_KVO, &f, sBase), SUCCESS);
        std::fclose(f);
    }
    static std::vector<std::string> Manufacturers()
    {
        std::vector<std::string> v;
        for (PKGMDL* p = Models(); p != nullptr; p = p->pNext) v.push_back(p->sManufacturer);
        return v;
    }
};

// ---------------------------------------------------------------------------
// Lookups
// ---------------------------------------------------------------------------

TEST_F(PkgMdlTest, FindPackageModelTakesTheNewestWithCase)
{
    ParsePkg(Write("two.pkg", PkgFile("two.pkg", Model("QFP", "first") + Model("qfp", "lower") + Model("QFP", "second"))));
    PKGMDL* p = nullptr;
    ASSERT_EQ(PKGMDL_FindPackageModel(Models(), "QFP", &p), SUCCESS);
    EXPECT_EQ(p->sManufacturer, "second");
    ASSERT_EQ(PKGMDL_FindPackageModel(Models(), "qfp", &p), SUCCESS);
    EXPECT_EQ(p->sManufacturer, "lower");
    EXPECT_EQ(PKGMDL_FindPackageModel(Models(), "Qfp", nullptr), FAILURE);
    EXPECT_EQ(PKGMDL_FindPackageModel(nullptr, "QFP", nullptr), FAILURE);
}

TEST_F(PkgMdlTest, PinNumberIteratorStopsAtTheNamesGiven)
{
    // Four pins declared, three named.
    std::string s = "[Define Package Model] P3\n[Manufacturer] Acme\n[OEM] Acme\n[Description] t\n"
                    "[Number Of Pins] 4\n[Pin Numbers]\nA1\nB2\nC3\n[Model Data]\n"
                    "[End Model Data]\n[End Package Model]\n";
    ParsePkg(Write("p3.pkg", PkgFile("p3.pkg", s + Model("OTHER", "x"))));
    const char* pc = nullptr;
    std::vector<std::string> names;
    for (BOOL bFirst = TRUE; PKGMDL_GetPin_Number(Models(), "P3", bFirst, &pc) == SUCCESS; bFirst = FALSE)
        names.push_back(pc);
    EXPECT_EQ(names, (std::vector<std::string>{"A1", "B2", "C3"}));
    EXPECT_EQ(PKGMDL_GetPin_Number(Models(), "P3", FALSE, &pc), FAILURE);
    // A restart begins again with the first pin.
    ASSERT_EQ(PKGMDL_GetPin_Number(Models(), "P3", TRUE, &pc), SUCCESS);
    EXPECT_STREQ(pc, "A1");
    // Another model's pins, then an unknown model.
    ASSERT_EQ(PKGMDL_GetPin_Number(Models(), "OTHER", TRUE, &pc), SUCCESS);
    EXPECT_STREQ(pc, "1");
    EXPECT_EQ(PKGMDL_GetPin_Number(Models(), "NONE", TRUE, &pc), FAILURE);
}

TEST_F(PkgMdlTest, MergedPinIteratorWalksGroupsInFileOrder)
{
    std::string s = "[Define Package Model] MP\n[Manufacturer] Acme\n[OEM] Acme\n[Description] t\n"
                    "[Number Of Pins] 2\n[Pin Numbers]\n1\n2\n[Merged Pins] 1\nV1 V2\n[Merged Pins] 2\nV3\n"
                    "[Model Data]\n[Resistance Matrix] Full_matrix\n[Row] 1\n1 0\n[Row] 2\n1\n"
                    "[Inductance Matrix] Full_matrix\n[Row] 1\n1n 0\n[Row] 2\n1n\n"
                    "[Capacitance Matrix] Full_matrix\n[Row] 1\n1p 0\n[Row] 2\n1p\n"
                    "[End Model Data]\n[End Package Model]\n";
    EXPECT_EQ(ParsePkg(Write("mp.pkg", PkgFile("mp.pkg", s))), "");
    std::string sWalk;
    const char* pc = nullptr;
    BOOL bNew = FALSE;
    for (BOOL bFirst = TRUE; PKGMDL_GetMergedPin_Number(Models(), "MP", bFirst, &pc, &bNew) == SUCCESS;
         bFirst = FALSE)
        sWalk += std::string(bNew == TRUE ? "[" : " ") + pc;
    EXPECT_EQ(sWalk, "[1 V1 V2[2 V3");
    EXPECT_EQ(PKGMDL_GetMergedPin_Number(Models(), "NONE", TRUE, &pc, &bNew), FAILURE);
}

// ---------------------------------------------------------------------------
// Package-file search
// ---------------------------------------------------------------------------

TEST_F(PkgMdlTest, SearchReadsRegularPackageFilesInByteOrder)
{
    const std::string d = sDir_;
    Write("b.pkg", PkgFile("b.pkg", Model("PKGX", "from_b")));
    Write("B.pkg", PkgFile("B.pkg", Model("PKGX", "from_B")));
    Write("a.pkg", PkgFile("a.pkg", Model("OTHER", "other_a") + Model("PKGX", "from_a")));
    // A model whose name begins with the one looked for counts as a match.
    Write("pkgxl.pkg", PkgFile("pkgxl.pkg", Model("PKGXL", "from_pkgxl")));
    // Not package files: hidden, wrong case of extension, other extension,
    // a directory, a symbolic link, and a file not defining the model.
    Write(".hidden.pkg", PkgFile(".hidden.pkg", Model("PKGX", "from_hidden")));
    Write("c.PKG", PkgFile("c.PKG", Model("PKGX", "from_c")));
    Write("d.pkg.bak", PkgFile("d.pkg.bak", Model("PKGX", "from_d")));
    fs::create_directory(d + "/dir.pkg");
    fs::create_symlink("a.pkg", d + "/link.pkg");
    Write("other.pkg", PkgFile("other.pkg", Model("OTHER", "from_other")));
    CheckFileIn(d);
    Log();

    ASSERT_EQ(PKGMDL_FindPkgFile("PKGX"), SUCCESS);
    // Read B.pkg, a.pkg, b.pkg, pkgxl.pkg in this order: newest first.
    EXPECT_EQ(Manufacturers(),
              (std::vector<std::string>{"from_pkgxl", "from_b", "from_a", "other_a", "from_B"}));
    EXPECT_EQ(Log(), "W0901 - Filename 'B.pkg' should be lowercase\n");
    PKGMDL* p = nullptr;
    ASSERT_EQ(PKGMDL_FindPackageModel(Models(), "PKGX", &p), SUCCESS);
    EXPECT_EQ(p->sManufacturer, "from_b");

    EXPECT_EQ(PKGMDL_FindPkgFile("NONE"), FAILURE);
    EXPECT_EQ(Manufacturers().size(), 5u);
}

TEST_F(PkgMdlTest, SearchFindsNothingInADirectoryWithoutPackageFiles)
{
    CheckFileIn(sDir_);
    EXPECT_EQ(PKGMDL_FindPkgFile("PKGX"), FAILURE);
    EXPECT_EQ(Models(), nullptr);
    EXPECT_EQ(Log(), "");
}

TEST_F(PkgMdlTest, DirectoryNameIsAPlainName)
{
    // Quotes, a semicolon, a command substitution and blanks in the
    // directory name are only characters of a path.
    const std::string sWeird = sDir_ + "/q'uote; semi $(touch PWNED) \"dq\" `touch PWNED2`";
    fs::create_directories(sWeird);
    std::ofstream(sWeird + "/pkg one.pkg") << PkgFile("pkg one.pkg", Model("PKGX", "in_weird"));
    CheckFileIn(sWeird);
    Log();

    ASSERT_EQ(PKGMDL_FindPkgFile("PKGX"), SUCCESS);
    EXPECT_EQ(Manufacturers(), (std::vector<std::string>{"in_weird"}));
    for (const char* s : {"PWNED", "PWNED2"}) {
        EXPECT_FALSE(fs::exists(fs::current_path() / s));
        EXPECT_FALSE(fs::exists(fs::path(sDir_) / s));
        EXPECT_FALSE(fs::exists(fs::path(sWeird) / s));
    }
    // No temporary file is left behind (or made) next to the checked file.
    std::vector<std::string> entries;
    for (const auto& e : fs::directory_iterator(sWeird)) entries.push_back(e.path().filename().string());
    std::sort(entries.begin(), entries.end());
    EXPECT_EQ(entries, (std::vector<std::string>{"pkg one.pkg", "top.kvo"}));
}

// ---------------------------------------------------------------------------
// Long and deep section chains
// ---------------------------------------------------------------------------

TEST_F(PkgMdlTest, ForkGoesAfterTheCurrentElementSectionsIntoTheOpenBranch)
{
    // Lines 11 to 17: a pin with one section, a fork, a second fork while
    // the first is open (placed after the first, not inside it), a section
    // in the second fork's branch, both forks closed, and a last section,
    // which follows the fork closed last.
    std::string s = Header("fork.pkg") +
                    "[Define Package Model] FK\n[Manufacturer] Acme\n[OEM] Acme\n[Description] t\n"
                    "[Number Of Pins] 1\n[Number Of Sections] 9\n[Pin Numbers]\n"
                    "1 Len=0 R=1 /\nFork\nFork\nLen=0 R=2 /\nEndfork\nEndfork\nLen=0 R=3 /\n"
                    "[End Package Model]\n[End]\n";
    EXPECT_EQ(ParsePkg(Write("fork.pkg", s)),
              "E3439 (line   13) - Cannot Nest Forks\n"
              "E3442 (line   16) - Empty Fork/Endfork found\n");
    ASSERT_NE(Models(), nullptr);
    ASSERT_EQ(Models()->ppPin_Sections.size(), 1u);
    // Expected chain: R=1, outer fork (empty branch), R=3, inner fork
    // (branch R=2).
    std::string sChain;
    for (const PKG_ELEMENT* p = Models()->ppPin_Sections[0]; p != nullptr; p = p->pNext) {
        if (p->eType == PKG_SECTION_TYPE) {
            sChain += "S" + std::to_string(static_cast<int>(*p->uContent.pSect->pdR)) + " ";
            continue;
        }
        sChain += "F(";
        for (const PKG_ELEMENT* q = p->uContent.pFork; q != nullptr; q = q->pNext)
            sChain += q->eType == PKG_SECTION_TYPE ? "S" + std::to_string(static_cast<int>(*q->uContent.pSect->pdR)) : "F";
        sChain += ") ";
    }
    EXPECT_EQ(sChain, "S1 F() S3 F(S2) ");
}

TEST_F(PkgMdlTest, DeepForksAndLongChainsAreCountedAndFreed)
{
    const unsigned nForks = 100000;
    const unsigned nSections = 100000;
    std::string s = Header("deep.pkg") +
                    "[Define Package Model] DEEP\n[Manufacturer] Acme\n[OEM] Acme\n[Description] t\n"
                    "[Number Of Pins] 1\n[Number Of Sections] 1\n[Pin Numbers]\n1 Len=0 R=1 /\n";
    for (unsigned i = 0; i < nForks; ++i) s += "Fork\n";
    for (unsigned i = 0; i < nSections; ++i) s += "Len=0 R=1 /\n";
    s += "[End Package Model]\n[End]\n";
    std::string sLog = ParsePkg(Write("deep.pkg", s));

    std::size_t nNested = 0;
    for (std::size_t pos = 0; (pos = sLog.find("E3439", pos)) != std::string::npos; ++pos) ++nNested;
    EXPECT_EQ(nNested, nForks - 1);
    const std::string sTail =
        "E3450 - Some Fork sub parameters were not terminated with Endfork\n"
        "E3451 - Pin '1' has 100001 sections. This is greater than the Number of Sections 1 specified\n";
    ASSERT_GE(sLog.size(), sTail.size());
    EXPECT_EQ(sLog.substr(sLog.size() - sTail.size()), sTail);
    KIVOCHK_ResetAll();  // frees the chains
    EXPECT_EQ(Models(), nullptr);
}

}  // namespace

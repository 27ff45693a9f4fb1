#include "package/mtx.h"

#include <gtest/gtest.h>

#include <string>

#include "package/pkgmdl.h"
#include "pkg_fixture.h"

namespace {

class MtxTest : public PkgTest {
protected:
    // A package file with [Number Of Pins] n, pins named 1..n and the given
    // model data; the model is read and handed back.
    PKGMDL* Read(unsigned n, const std::string& sModelData, std::string* psLog = nullptr)
    {
        std::string s = Header("m.pkg") +
                        "[Define Package Model] M\n[Manufacturer] Acme\n[OEM] Acme\n[Description] test\n"
                        "[Number Of Pins] " +
                        std::to_string(n) + "\n[Pin Numbers]\n";
        for (unsigned i = 1; i <= n; ++i) s += std::to_string(i) + "\n";
        s += "[Model Data]\n" + sModelData + "[End Model Data]\n[End Package Model]\n[End]\n";
        std::string sLog = ParsePkg(Write("m.pkg", s));
        if (psLog != nullptr) *psLog = sLog;
        return Models();
    }
};

// Rows of a full matrix of 3 pins: 1 | 2 | 3 (diagonal), with couplings
// 12, 13, 23; the lower triangle reads the rows above.
const char* const kFull3 =
    "[Resistance Matrix] Full_matrix\n[Row] 1\n1 12 13\n[Row] 2\n2 23\n[Row] 3\n3\n";

TEST_F(MtxTest, FullMatrixIsReadSymmetrically)
{
    PKGMDL* p = Read(3, kFull3);
    ASSERT_NE(p, nullptr);
    MTX* m = p->pResistanceMatrix;
    ASSERT_NE(m, nullptr);
    EXPECT_EQ(m->eMatrixType, FULL_MTX);
    const double want[3][3] = {{1, 12, 13}, {12, 2, 23}, {13, 23, 3}};
    for (unsigned i = 0; i < 3; ++i)
        for (unsigned j = 0; j < 3; ++j) EXPECT_DOUBLE_EQ(MTX_GetValue(m, i, j), want[i][j]) << i << "," << j;
}

TEST_F(MtxTest, BandedRowsShortenAtTheEnd)
{
    PKGMDL* p = Read(4,
                     "[Resistance Matrix] Banded_matrix\n[Bandwidth] 2\n"
                     "[Row] 1\n1 12 13\n[Row] 2\n2 23 24\n[Row] 3\n3 34\n[Row] 4\n4\n");
    ASSERT_NE(p, nullptr);
    MTX* m = p->pResistanceMatrix;
    unsigned slots[4];
    unsigned k = 0;
    for (ROW* r = m->pMatrixRows; r != nullptr && k < 4; r = r->pNext) slots[k++] = r->uiColumnCount;
    ASSERT_EQ(k, 4u);
    EXPECT_EQ(slots[0], 3u);
    EXPECT_EQ(slots[1], 3u);
    EXPECT_EQ(slots[2], 2u);
    EXPECT_EQ(slots[3], 1u);
    EXPECT_EQ(m->eMatrixType, BANDED_SIMPLE_MTX);
    EXPECT_DOUBLE_EQ(MTX_GetValue(m, 3, 1), 24);
    EXPECT_DOUBLE_EQ(MTX_GetValue(m, 0, 3), 0);  // outside the band
}

TEST_F(MtxTest, LastRowCirclingBackMakesAWrapMatrix)
{
    // Bandwidth 1 of 5 pins: the last row's second value couples pin 5 to pin 1.
    std::string sLog;
    PKGMDL* p = Read(5,
                     "[Resistance Matrix] Banded_matrix\n[Bandwidth] 1\n"
                     "[Row] 1\n100 12\n[Row] 2\n200 23\n[Row] 3\n300 34\n[Row] 4\n400 45\n[Row] 5\n500 51\n",
                     &sLog);
    ASSERT_NE(p, nullptr);
    MTX* m = p->pResistanceMatrix;
    EXPECT_EQ(m->eMatrixType, BANDED_WRAP_MTX);
    for (ROW* r = m->pMatrixRows; r != nullptr; r = r->pNext) EXPECT_EQ(r->uiColumnCount, 2u);
    EXPECT_DOUBLE_EQ(MTX_GetValue(m, 4, 0), 51);
    EXPECT_DOUBLE_EQ(MTX_GetValue(m, 0, 4), 51);
    EXPECT_DOUBLE_EQ(MTX_GetValue(m, 3, 4), 45);
    EXPECT_DOUBLE_EQ(MTX_GetValue(m, 0, 2), 0);
    // The circled-back row is complete: the only findings are the two
    // matrices the file does not give.
    EXPECT_EQ(sLog,
              "E3413 - Inductance matrix not found for Package Model 'M'.\n"
              "E3415 - Capacitance matrix not found for Package Model 'M'.\n");
}

TEST_F(MtxTest, SparseEntriesBelongToTheRowOfTheSmallerPosition)
{
    PKGMDL* p = Read(3,
                     "[Resistance Matrix] Sparse_matrix\n[Row] 1\n1 1\n3 13\n[Row] 2\n2 2\n[Row] 3\n3 3\n");
    ASSERT_NE(p, nullptr);
    MTX* m = p->pResistanceMatrix;
    EXPECT_EQ(m->eMatrixType, SPARSE_MTX);
    EXPECT_DOUBLE_EQ(MTX_GetValue(m, 2, 0), 13);
    EXPECT_DOUBLE_EQ(MTX_GetValue(m, 0, 2), 13);
    EXPECT_DOUBLE_EQ(MTX_GetValue(m, 1, 0), 0);
    EXPECT_DOUBLE_EQ(MTX_GetValue(m, 2, 2), 3);
}

TEST_F(MtxTest, HugePinCountCostsNoMemoryUpFront)
{
    // Four thousand million pins: rows hold only what the file gives.
    std::string s = Header("m.pkg") +
                    "[Define Package Model] M\n[Manufacturer] Acme\n[OEM] Acme\n[Description] test\n"
                    "[Number Of Pins] 4000000000\n[Pin Numbers]\n1\n2\n[Model Data]\n"
                    "[Resistance Matrix] Full_matrix\n[Row] 1\n1 0.1\n[Row] 2\n1\n"
                    "[Inductance Matrix] Sparse_matrix\n[Row] 1\n1 1n\n"
                    "[Capacitance Matrix] Banded_matrix\n[Bandwidth] 3000000000\n[Row] 1\n1p\n"
                    "[End Model Data]\n[End Package Model]\n[End]\n";
    std::string sLog = ParsePkg(Write("m.pkg", s));
    EXPECT_NE(sLog.find("E3717"), std::string::npos);
    EXPECT_NE(sLog.find("E3116"), std::string::npos);
    ASSERT_NE(Models(), nullptr);
    EXPECT_EQ(Models()->pResistanceMatrix->pMatrixRows->uiColumnCount, 4000000000u);
}

// A 5 000-pin package with banded matrices: the row and pin lookups are
// indexed and the element check visits only stored values, so this stays
// fast; a coupling larger than its diagonal is found from both of its rows.
TEST_F(MtxTest, LargeBandedPackage)
{
    const unsigned n = 5000;
    std::string s = Header("big.pkg") +
                    "[Define Package Model] BIG\n[Manufacturer] Acme\n[OEM] Acme\n[Description] big\n"
                    "[Number Of Pins] " +
                    std::to_string(n) + "\n[Pin Numbers]\n";
    for (unsigned i = 1; i <= n; ++i) s += "P" + std::to_string(i) + "\n";
    s += "[Model Data]\n";
    const char* const kinds[] = {"Resistance", "Inductance", "Capacitance"};
    for (const char* sKind : kinds) {
        s += std::string("[") + sKind + " Matrix] Banded_matrix\n[Bandwidth] 2\n";
        for (unsigned i = 1; i <= n; ++i) {
            s += "[Row] P" + std::to_string(i) + "\n";
            const bool bCap = sKind[0] == 'C';
            std::string sOff = bCap ? "-0.1p" : "1n";
            std::string sDiag = bCap ? "1p" : "5n";
            if (!bCap && sKind[0] == 'I' && i == 4000) sOff = "9n";
            s += sDiag;
            for (unsigned k = 1; k <= 2 && i + k <= n; ++k) s += " " + sOff;
            s += "\n";
        }
    }
    s += "[End Model Data]\n[End Package Model]\n[End]\n";
    std::string sLog = ParsePkg(Write("big.pkg", s));
    EXPECT_EQ(sLog,
              "W3720 - Package BIG: The Inductance Matrix has diagonal element 5.000000e-09 at row P4000 whose "
              "magnitude is less than off diagonal element 9.000000e-09 at col P4001\n"
              "W3720 - Package BIG: The Inductance Matrix has diagonal element 5.000000e-09 at row P4000 whose "
              "magnitude is less than off diagonal element 9.000000e-09 at col P4002\n"
              "W3720 - Package BIG: The Inductance Matrix has diagonal element 5.000000e-09 at row P4001 whose "
              "magnitude is less than off diagonal element 9.000000e-09 at col P4000\n"
              "W3720 - Package BIG: The Inductance Matrix has diagonal element 5.000000e-09 at row P4002 whose "
              "magnitude is less than off diagonal element 9.000000e-09 at col P4000\n");
}

}  // namespace

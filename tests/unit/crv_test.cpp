#include "model/crv.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "common/errlog.h"
#include "parse/parse.h"
#include "test_support.h"

namespace {

class CrvTest : public LogTest {
protected:
    void TearDown() override
    {
        CRV_Free(pCrv);
        LogTest::TearDown();
    }
    void Table(std::initializer_list<const char*> rows)
    {
        std::string sKey = "[Pulldown]";
        ASSERT_EQ(CRV_New(sKey.data(), "Pulldown", &pCrv), SUCCESS);
        for (const char* r : rows) {
            std::string s = r;
            CRV_ReceiveLine(s.data(), pCrv, "Pulldown");
        }
    }
    // Currents at dV as text "typ min max", "-" for an absent value.
    std::string At(double dV)
    {
        double *pTyp = nullptr, *pMin = nullptr, *pMax = nullptr;
        CRV_GetRefValCurrent(pCrv, dV, &pTyp, &pMin, &pMax);
        std::string s;
        for (double* p : {pTyp, pMin, pMax}) {
            char buf[32];
            if (p != nullptr)
                std::snprintf(buf, sizeof buf, "%g", *p);
            else
                std::snprintf(buf, sizeof buf, "-");
            s += (s.empty() ? "" : " ") + std::string(buf);
            delete p;
        }
        return s;
    }

    CRV* pCrv = nullptr;
};

TEST_F(CrvTest, InterpolatesWithinTheFirstSegmentThatHoldsTheVoltage)
{
    Table({"0 0 0 0", "1 10 8 12", "2 30 20 40"});
    EXPECT_EQ(At(0.5), "5 4 6");
    EXPECT_EQ(At(1.5), "20 14 26");
    // A table row's own voltage gives that row's currents.
    EXPECT_EQ(At(0.0), "0 0 0");
    EXPECT_EQ(At(1.0), "10 8 12");
    EXPECT_EQ(At(2.0), "30 20 40");
}

TEST_F(CrvTest, NothingOutsideTheTable)
{
    Table({"0 0 0 0", "1 10 8 12"});
    EXPECT_EQ(At(-0.1), "- - -");
    EXPECT_EQ(At(1.1), "- - -");
}

TEST_F(CrvTest, NaMinimumStandsForTypicalAndMissingMaximumIsNotAvailable)
{
    Table({"0 0 NA", "1 10 NA"});
    EXPECT_EQ(At(0.5), "5 5 -");
}

TEST_F(CrvTest, RowsWithoutVoltageAreSkippedAndRowsWithoutTypicalRestart)
{
    Table({"0 0 0 0", "NA 100 100 100", "1 NA NA NA", "2 20 20 20", "3 40 40 40"});
    // The row at 1 V has no currents: the segment from 0 V to it gives none,
    // and it starts the next segment without currents.
    EXPECT_EQ(At(0.5), "- - -");
    EXPECT_EQ(At(1.5), "- - -");
    EXPECT_EQ(At(2.5), "30 30 30");
}

TEST_F(CrvTest, AlmostEqualVoltagesAreOneRow)
{
    Table({"1 10 10 10", "1.0000000001 99 99 99", "2 20 20 20"});
    EXPECT_EQ(At(1.5), "15 15 15");
}

TEST_F(CrvTest, RepeatedZeroVoltageIsOneRowToo)
{
    // The nearness test is relative to the start voltage, so at 0 V only an
    // exact repeat is the same row; it must not become a zero-length segment.
    Table({"0 0 0 0", "0 5 5 5", "1 10 10 10"});
    Log();  // the repeated voltage is warned about; not the point here
    EXPECT_EQ(At(0.0), "0 0 0");
    EXPECT_EQ(At(0.5), "5 5 5");
}

TEST_F(CrvTest, OneRowGivesNothingAnywhere)
{
    Table({"1 10 10 10"});
    EXPECT_EQ(At(1.0), "- - -");
}

TEST_F(CrvTest, DescendingVoltagesInterpolateToo)
{
    Table({"2 20 20 20", "0 0 0 0"});
    EXPECT_EQ(At(0.5), "5 5 5");
}

TEST_F(CrvTest, LongTableIsReadOnceReportedOnceAndFreed)
{
    std::string sKey = "[GND Clamp]";
    ASSERT_EQ(CRV_New(sKey.data(), "GND Clamp", &pCrv), SUCCESS);
    const int kRows = 200000;
    char buf[80];
    for (int i = 0; i < kRows; ++i) {
        std::snprintf(buf, sizeof buf, "%d 0 0 0", i);
        CRV_ReceiveLine(buf, pCrv, "GND Clamp");
    }
    int iRows = 0;
    for (const RNGP* p = pCrv->pCurve; p != nullptr; p = p->pNext) ++iRows;
    EXPECT_EQ(iRows, kRows);
    CRV_Fini("m", INPUT, GND_CLAMP_KEY, pCrv, "GND Clamp", "Model");
    EXPECT_EQ(Log(), "E1107 (line    1) - More Than 100 Voltage Points Provided For GND Clamp\n");
    CRV_Free(pCrv);  // iterative: a recursive release of 200 000 rows would overflow the stack
    pCrv = nullptr;
}

}  // namespace

#include "common/rng.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "common/cmn.h"
#include "common/errlog.h"
#include "parse/parse.h"
#include "test_support.h"

namespace {

class RngTest : public LogTest {
protected:
    void TearDown() override
    {
        RNG_Free(pRng);
        LogTest::TearDown();
    }
    // Parses a line into pRng (releasing the previous record).
    STATUS Parse(const char* sLine, BOOL bWarn = FALSE)
    {
        RNG_Free(pRng);
        pRng = nullptr;
        return RNG_ParseRange(sLine, "Vinl", &pRng, bWarn);
    }
    RNG* pRng = nullptr;
};

TEST_F(RngTest, ThreeColumnsWithNA)
{
    ASSERT_EQ(Parse("5 NA na", TRUE), SUCCESS);
    ASSERT_NE(pRng, nullptr);
    EXPECT_EQ(pRng->dTyp, 5);
    EXPECT_EQ(pRng->eTypStat, SET);
    EXPECT_EQ(pRng->dMin, 0);
    EXPECT_EQ(pRng->eMinStat, NA);
    EXPECT_EQ(pRng->dMax, 0);
    EXPECT_EQ(pRng->eMaxStat, NA);
    EXPECT_EQ(Log(), "");
}

TEST_F(RngTest, ScalesAreApplied)
{
    ASSERT_EQ(Parse("1.5m 1.2mV 1.8m"), SUCCESS);
    EXPECT_DOUBLE_EQ(pRng->dTyp, 1.5e-3);
    EXPECT_DOUBLE_EQ(pRng->dMin, 1.2e-3);
    EXPECT_DOUBLE_EQ(pRng->dMax, 1.8e-3);
}

TEST_F(RngTest, MissingColumnsAreNamed)
{
    ASSERT_EQ(Parse("5"), SUCCESS);
    EXPECT_EQ(Log(), LineMsg('E', 3901, "No minimum Value Was Provided for Vinl") +
                         LineMsg('E', 3901, "No maximum Value Was Provided for Vinl"));
    EXPECT_EQ(pRng->dTyp, 5);
    EXPECT_EQ(pRng->eTypStat, SET);
    EXPECT_EQ(pRng->eMinStat, NOT_SET);
    EXPECT_EQ(pRng->eMaxStat, NOT_SET);

    ASSERT_EQ(Parse("5 4"), SUCCESS);
    EXPECT_EQ(Log(), LineMsg('E', 3901, "No maximum Value Was Provided for Vinl"));
    EXPECT_EQ(pRng->eMinStat, SET);
    EXPECT_EQ(pRng->eMaxStat, NOT_SET);
}

TEST_F(RngTest, WrongFieldCounts)
{
    ASSERT_EQ(Parse("1 2 3 4"), SUCCESS);
    EXPECT_EQ(Log(), LineMsg('E', 3902, "Incorrect Number of Line Items (4) For Vinl: Expecting 3"));
    EXPECT_EQ(pRng->dTyp, 1);
    EXPECT_EQ(pRng->dMin, 2);
    EXPECT_EQ(pRng->dMax, 3);

    ASSERT_EQ(Parse(""), SUCCESS);
    EXPECT_EQ(Log(), LineMsg('E', 3902, "Incorrect Number of Line Items (0) For Vinl: Expecting 3"));
    EXPECT_EQ(pRng->eTypStat, NOT_SET);
    EXPECT_EQ(pRng->eMinStat, NOT_SET);
    EXPECT_EQ(pRng->eMaxStat, NOT_SET);
}

TEST_F(RngTest, BadColumnFailsButTheRecordIsHandedBack)
{
    EXPECT_EQ(Parse("1 x 3", TRUE), FAILURE);
    ASSERT_NE(pRng, nullptr);
    EXPECT_EQ(Log(), LineMsg('E', 1909, "Invalid Minimum Value (\"x\")"));
    EXPECT_EQ(pRng->eTypStat, SET);
    EXPECT_EQ(pRng->eMinStat, NOT_SET);
    EXPECT_EQ(pRng->dMax, 3);

    EXPECT_EQ(Parse("1 2 3m4"), SUCCESS);
    EXPECT_EQ(Log(), LineMsg('W', 1910, "Suspicious Maximum Vinl Value (\"3m4\"); Numeric in Scale"));
    EXPECT_DOUBLE_EQ(pRng->dMax, 3e-3);
    EXPECT_EQ(pRng->eMaxStat, SET);
}

TEST_F(RngTest, TypicalOutsideBothLimitsIsWarned)
{
    const std::string sWarn = LineMsg('W', 3903, "Typ value is not in between Min and Max ");
    const struct {
        const char* sLine;
        bool bWarn;
    } cases[] = {
        {"1 2 3", true},   // below both
        {"4 1 3", true},   // above both
        {"2 3 1", false},  // between, with min above max
        {"2 2 3", false},  // equal to a limit
        {"3 2 3", false},
        {"1 NA 3", false},  // only when all three are numbers
    };
    for (const auto& c : cases) {
        Parse(c.sLine, TRUE);
        EXPECT_EQ(Log(), c.bWarn ? sWarn : "") << c.sLine;
    }
    // Without the check nothing is said.
    Parse("1 2 3", FALSE);
    EXPECT_EQ(Log(), "");
}

TEST_F(RngTest, FreeAcceptsNull) { RNG_Free(nullptr); }

}  // namespace

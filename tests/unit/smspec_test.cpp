#include "model/smspec.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "common/errlog.h"
#include "parse/parse.h"
#include "test_support.h"

namespace {

class SmspecTest : public LogTest {
protected:
    void SetUp() override
    {
        LogTest::SetUp();
        sub.sSubModel = "hold";
    }
    void TearDown() override
    {
        SMSPEC_Free(sub.pSmSpec);
        sub.pSmSpec = nullptr;
        LogTest::TearDown();
    }
    void Line(const char* sLine)
    {
        std::string s = sLine;
        SMSPEC_ReceiveLine(s.data(), sub.pSmSpec, sub.sSubModel.c_str());
    }
    void Start(const char* sLine)
    {
        std::string s = sLine;
        ASSERT_EQ(SMSPEC_New(s.data(), &sub.pSmSpec), SUCCESS);
    }

    SUBMDL sub;
};

TEST_F(SmspecTest, ReadsTheThreeValues)
{
    Start("[Submodel Spec]");
    Line("V_trigger_r     2.0V        1.9V        2.1V");
    Line("V_trigger_f     1.0V        0.9V        1.1V");
    Line("Off_delay       1n          NA          NA");
    SMSPEC_Fini(&sub);
    EXPECT_EQ(Log(), "");
    ASSERT_NE(sub.pSmSpec->pVtrigR, nullptr);
    EXPECT_DOUBLE_EQ(sub.pSmSpec->pVtrigR->dMax, 2.1);
    ASSERT_NE(sub.pSmSpec->pOffDelay, nullptr);
    EXPECT_EQ(sub.pSmSpec->pOffDelay->eMinStat, NA);
}

TEST_F(SmspecTest, LineFaults)
{
    Start("[Submodel Spec] extra");
    Line("V_trigger_x     2.0V        1.9V        2.1V");
    Line("V_trigger_r     NA          1.9V        2.1V");
    Line("V_trigger_r     2.0V        1.9V        2.1V");
    EXPECT_EQ(Log(),
              "E2704 (line    1) -\n    Incorrect Number of Line Items (2) For Submodel Spec: Expecting 1\n"
              "E2706 (line    1) - Unknown Line Among Sub Model Spec Data\n"
              "E2708 (line    1) - 'NA' not allowed for Typical value\n"
              "E2707 (line    1) - V_trigger_r Already Defined For Submodel 'hold'\n");
}

TEST_F(SmspecTest, SecondSectionReplacesTheFirst)
{
    Start("[Submodel Spec]");
    Line("V_trigger_r     2.0V        1.9V        2.1V");
    Start("[Submodel Spec]");
    EXPECT_EQ(Log(), "E2700 (line    1) - Sub Model Specification: Already Defined for this sub model\n");
    EXPECT_EQ(sub.pSmSpec->pVtrigR, nullptr);
}

TEST_F(SmspecTest, EmptySectionIsReportedAtClose)
{
    Start("[Submodel Spec]");
    SMSPEC_Fini(&sub);
    EXPECT_EQ(Log(), "E2705 - Submodel hold: Empty Submodel Spec\n");
}

}  // namespace

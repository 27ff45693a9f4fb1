#include "model/wvfrm.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "common/errlog.h"
#include "parse/parse.h"
#include "test_support.h"

namespace {

class WvfrmTest : public LogTest {
protected:
    void SetUp() override
    {
        LogTest::SetUp();
        gbSuppressCautions = FALSE;
        geFileVersion = VER_61;
    }
    void TearDown() override
    {
        WVFRM_Free(pList);
        WVFRM_Free(pOther);
        LogTest::TearDown();
    }
    // Reads one table (keyword line, then lines) into *ppList.
    void Table(WVFRM** ppList, const char* sKey, const char* sLabel, std::initializer_list<const char*> lines)
    {
        std::string k = sKey;
        ASSERT_EQ(WVFRM_New(k.data(), ppList, sLabel), SUCCESS);
        for (const char* l : lines) {
            std::string s = l;
            WVFRM_ReceiveLine(s.data(), sLabel);
        }
    }

    WVFRM* pList = nullptr;
    WVFRM* pOther = nullptr;
};

TEST_F(WvfrmTest, GndPulseTableMustCloseAndStayAtOrBelowZero)
{
    Table(&pList, "[GND Pulse Table]", "GND Pulse Table",
          {"0 0 0 0", "1n -0.5 -0.2 0.1", "2n -0.3 -0.1 0.2", "3n -0.1 0 0.3"});
    WVFRM_Fini("GND Pulse Table", GND_POWER_PULSE);
    EXPECT_EQ(Log(),
              "E2007 - First Typical Value should be the same as the Last for GND Pulse Table Waveform "
              "Beginning at Line 1\n"
              "E2007 - First Maximum Value should be the same as the Last for GND Pulse Table Waveform "
              "Beginning at Line 1\n"
              "W2008 - Found some GND Pulse Table (Typical) offsets less than 0 for Table Beginning at Line 1\n"
              "W2008 - Found some GND Pulse Table (Minimum) offsets less than 0 for Table Beginning at Line 1\n");
}

TEST_F(WvfrmTest, PowerPulseTableWarnsAboutPositiveOffsetsAndSkipsNaEnds)
{
    Table(&pList, "[POWER Pulse Table]", "POWER Pulse Table", {"0 0 NA 0", "1n 0.2 0 0", "2n 0 0 NA"});
    WVFRM_Fini("POWER Pulse Table", GND_POWER_PULSE);
    // The NA ends are reported as such and left out of the first-equals-last test.
    EXPECT_EQ(Log(),
              "E2006 - First Minimum Value Cannot Be 'NA' for POWER Pulse Table Waveform Beginning at Line 1\n"
              "E2006 - Last Maximum Value Cannot Be 'NA' for POWER Pulse Table Waveform Beginning at Line 1\n"
              "W2009 - Found some POWER Pulse Table (Typical) offsets greater than 0 for Table Beginning at "
              "Line 1\n");
}

TEST_F(WvfrmTest, PulseTablesHoldAHundredRowsInEveryVersion)
{
    std::string k = "[GND Pulse Table]";
    ASSERT_EQ(WVFRM_New(k.data(), &pList, "GND Pulse"), SUCCESS);
    char buf[64];
    for (int i = 0; i < 102; ++i) {
        std::snprintf(buf, sizeof buf, "%dn 0 0 0", i);
        WVFRM_ReceiveLine(buf, "GND Pulse Table");
    }
    const std::string sRow = "E2018 (line    1) -\n    More than 100 data points provided for GND Pulse Table table\n";
    EXPECT_EQ(Log(), sRow + sRow);
}

TEST_F(WvfrmTest, GoldenWaveformsTakeNoFixture)
{
    Table(&pList, "[Rising Waveform Near]", "Rising Waveform Near", {"R_fixture = 50", "0 0 0 0", "1n 1 1 1"});
    WVFRM_Fini("Rising Waveform Near", RISE_FALL_GOLDEN);
    EXPECT_EQ(Log(), "E2010 (line    1) - SubParameters are not allowed in Golden Waveforms\n");
    EXPECT_EQ(pList->pdR_fixture, nullptr);
}

TEST_F(WvfrmTest, CompareAcceptsIdenticalTimesAndReportsTheFirstDifferenceOnce)
{
    Table(&pList, "[Rising Waveform]", "Rising Waveform", {"0 0 0 0", "1n 1 1 1", "2n 2 2 2"});
    WVFRM_Fini("Composite Current", COMPOSITE_CURRENT);
    Table(&pOther, "[Composite Current]", "Composite Current", {"0 1m 1m 1m", "1n 2m 2m 2m", "2n 3m 3m 3m"});
    WVFRM_Fini("Composite Current", COMPOSITE_CURRENT);
    EXPECT_EQ(WVFRM_Compare(pList, pOther, 1, "m", "Rising"), TRUE);
    EXPECT_EQ(Log(), "");

    // One more row in the second table.
    WVFRM* pLonger = nullptr;
    Table(&pLonger, "[Composite Current]", "Composite Current", {"0 1m 1m 1m", "1n 2m 2m 2m", "2n 3m 3m 3m", "3n 0 0 0"});
    WVFRM_Fini("Composite Current", COMPOSITE_CURRENT);
    EXPECT_EQ(WVFRM_Compare(pList, pLonger, 2, "m", "Rising"), FALSE);
    EXPECT_EQ(Log(),
              "C2021 - Model m: Rising Waveform [2] and its Composite Current don't have identical time "
              "points\n");
    WVFRM_Free(pLonger);
}

TEST_F(WvfrmTest, CompareReportsDifferentTimes)
{
    Table(&pList, "[Rising Waveform]", "Rising Waveform", {"0 0 0 0", "1n 1 1 1"});
    WVFRM_Fini("Composite Current", COMPOSITE_CURRENT);
    Table(&pOther, "[Composite Current]", "Composite Current", {"0 0 0 0", "1.1n 1 1 1"});
    WVFRM_Fini("Composite Current", COMPOSITE_CURRENT);
    EXPECT_EQ(WVFRM_Compare(pList, pOther, 3, "m", "Falling"), FALSE);
    EXPECT_NE(Log().find("C2021"), std::string::npos);
}

TEST_F(WvfrmTest, AppendsTablesInFileOrderAndReportsTheHundredFirst)
{
    char key[] = "[Rising Waveform]";
    for (int i = 0; i < 101; ++i) {
        std::string k = key;
        ASSERT_EQ(WVFRM_New(k.data(), &pList, "Rising Waveform"), SUCCESS);
        char row[32];
        std::snprintf(row, sizeof row, "%d 0 0 0", i);
        WVFRM_ReceiveLine(row, "Rising Waveform");
    }
    EXPECT_EQ(Log(), "E2000 (line    1) - More than 100 Rising Waveforms are defined\n");
    int i = 0;
    for (const WVFRM* w = pList; w != nullptr; w = w->pNext, ++i) {
        ASSERT_NE(w->pTrng, nullptr);
        EXPECT_EQ(w->pTrng->dValue, i);
    }
    EXPECT_EQ(i, 101);
}

TEST_F(WvfrmTest, LongWaveformIsReadAndFreed)
{
    std::string k = "[Rising Waveform]";
    ASSERT_EQ(WVFRM_New(k.data(), &pList, "Rising Waveform"), SUCCESS);
    const int kRows = 100000;
    char buf[64];
    for (int i = 0; i < kRows; ++i) {
        std::snprintf(buf, sizeof buf, "%dp 0 0 0", i);
        WVFRM_ReceiveLine(buf, "Rising Waveform");
    }
    int iRows = 0;
    for (const RNGP* p = pList->pTrng; p != nullptr; p = p->pNext) ++iRows;
    EXPECT_EQ(iRows, kRows);
    const std::string s = Log();
    // Every row beyond the thousandth is reported, nothing else.
    std::size_t nMessages = 0, nOthers = 0;
    for (std::size_t pos = 0; (pos = s.find("E2018 (line", pos)) != std::string::npos; ++pos) ++nMessages;
    for (std::size_t pos = 0; (pos = s.find(" - ", pos)) != std::string::npos; ++pos) ++nOthers;
    EXPECT_EQ(nMessages, static_cast<std::size_t>(kRows - 1000));
    EXPECT_EQ(nOthers, 0u);
    WVFRM_Free(pList);
    pList = nullptr;
}

}  // namespace

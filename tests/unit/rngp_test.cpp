#include "common/rngp.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "common/errlog.h"
#include "parse/parse.h"
#include "test_support.h"

namespace {

class RngpTest : public LogTest {
protected:
    void TearDown() override
    {
        RNGP_FreeList(pRow);
        LogTest::TearDown();
    }
    STATUS Parse(const char* sLine)
    {
        RNGP_FreeList(pRow);
        pRow = nullptr;
        return RNGP_ParseLine(sLine, "Pullup", "Voltage", &pRow);
    }
    static RNGP* Row(double d)
    {
        RNGP* p = nullptr;
        EXPECT_EQ(RNGP_New(&p), SUCCESS);
        p->dValue = d;
        p->eValueStat = SET;
        return p;
    }
    static std::vector<double> Values(RNGP* pHead)
    {
        std::vector<double> v;
        RNGP* pLast = nullptr;
        for (RNGP* p = pHead; p != nullptr; p = p->pNext) {
            EXPECT_EQ(p->pPrev, pLast);
            pLast = p;
            v.push_back(p->dValue);
        }
        return v;
    }
    RNGP* pRow = nullptr;
};

TEST_F(RngpTest, NewRowIsEmpty)
{
    ASSERT_EQ(RNGP_New(&pRow), SUCCESS);
    EXPECT_EQ(pRow->pNext, nullptr);
    EXPECT_EQ(pRow->pPrev, nullptr);
    EXPECT_EQ(pRow->dValue, 0);
    EXPECT_EQ(pRow->eValueStat, NOT_SET);
    EXPECT_EQ(pRow->eTypStat, NOT_SET);
    EXPECT_EQ(pRow->eMinStat, NOT_SET);
    EXPECT_EQ(pRow->eMaxStat, NOT_SET);
}

TEST_F(RngpTest, FullRow)
{
    ASSERT_EQ(Parse("-1.5 2m NA 3u"), SUCCESS);
    EXPECT_EQ(Log(), "");
    EXPECT_DOUBLE_EQ(pRow->dValue, -1.5);
    EXPECT_EQ(pRow->eValueStat, SET);
    EXPECT_DOUBLE_EQ(pRow->dTyp, 2e-3);
    EXPECT_EQ(pRow->eMinStat, NA);
    EXPECT_EQ(pRow->dMin, 0);
    EXPECT_DOUBLE_EQ(pRow->dMax, 3e-6);
}

TEST_F(RngpTest, MissingColumnsAreNamedInOrder)
{
    ASSERT_EQ(Parse("0.5 1m 2m"), SUCCESS);
    EXPECT_EQ(Log(), LineMsg('E', 1401, "No maximum Value Was Provided for Pullup"));
    EXPECT_DOUBLE_EQ(pRow->dValue, 0.5);
    EXPECT_DOUBLE_EQ(pRow->dTyp, 1e-3);
    EXPECT_DOUBLE_EQ(pRow->dMin, 2e-3);
    EXPECT_EQ(pRow->eMaxStat, NOT_SET);

    ASSERT_EQ(Parse("0.5 1"), SUCCESS);
    EXPECT_EQ(Log(), LineMsg('E', 1401, "No minimum Value Was Provided for Pullup") +
                         LineMsg('E', 1401, "No maximum Value Was Provided for Pullup"));

    ASSERT_EQ(Parse("0.5"), SUCCESS);
    EXPECT_EQ(Log(), LineMsg('E', 1401, "No typical Value Was Provided for Pullup") +
                         LineMsg('E', 1401, "No minimum Value Was Provided for Pullup") +
                         LineMsg('E', 1401, "No maximum Value Was Provided for Pullup"));
    EXPECT_EQ(pRow->eValueStat, SET);
    EXPECT_EQ(pRow->eTypStat, NOT_SET);
}

TEST_F(RngpTest, WrongCountsAndBadNumbers)
{
    ASSERT_EQ(Parse("1 2 3 4 5"), SUCCESS);
    EXPECT_EQ(Log(), LineMsg('E', 1402, "Incorrect Number of Line Items (5) For Pullup: Expecting 4"));
    EXPECT_EQ(pRow->dMax, 4);

    ASSERT_EQ(Parse(""), SUCCESS);
    EXPECT_EQ(Log(), LineMsg('E', 1402, "Incorrect Number of Line Items (0) For Pullup: Expecting 4"));

    // A bad number leaves its column unset but the row stands.
    ASSERT_EQ(Parse("x 1 y 3"), SUCCESS);
    EXPECT_EQ(Log(), LineMsg('E', 1909, "Invalid Voltage Value (\"x\")") +
                         LineMsg('E', 1909, "Invalid Minimum Value (\"y\")"));
    EXPECT_EQ(pRow->eValueStat, NOT_SET);
    EXPECT_EQ(pRow->eTypStat, SET);
    EXPECT_EQ(pRow->eMinStat, NOT_SET);
    EXPECT_EQ(pRow->eMaxStat, SET);
}

TEST_F(RngpTest, LinkingAppendsAndCounts)
{
    int n = 0;
    RNGP_LinkLine(&pRow, Row(1), &n, FALSE);
    EXPECT_EQ(n, 1);
    RNGP_LinkLine(&pRow, Row(2), &n, FALSE);
    RNGP_LinkLine(&pRow, Row(3), &n, FALSE);
    EXPECT_EQ(n, 3);
    EXPECT_EQ(Values(pRow), (std::vector<double>{1, 2, 3}));

    RNGP* pPrev = nullptr;
    EXPECT_EQ(RNGP_Prev(pRow, &pPrev), FAILURE);
    EXPECT_EQ(RNGP_Prev(pRow->pNext, &pPrev), SUCCESS);
    EXPECT_EQ(pPrev, pRow);
    EXPECT_EQ(Log(), "");
}

TEST_F(RngpTest, RepeatedFirstValuesAreWarnedPerEarlierRow)
{
    int n = 0;
    RNGP_LinkLine(&pRow, Row(1), &n, TRUE);
    RNGP_LinkLine(&pRow, Row(2), &n, TRUE);
    RNGP_LinkLine(&pRow, Row(1), &n, TRUE);
    EXPECT_EQ(Log(), LineMsg('W', 1403, "Value 1.000000e+00 repeated in the First Column"));
    RNGP_LinkLine(&pRow, Row(1), &n, TRUE);
    EXPECT_EQ(n, 4);
    const std::string sOne = LineMsg('W', 1403, "Value 1.000000e+00 repeated in the First Column");
    EXPECT_EQ(Log(), sOne + sOne);
    // Without the check the same value passes silently.
    RNGP_LinkLine(&pRow, Row(1), &n, FALSE);
    EXPECT_EQ(n, 5);
    EXPECT_EQ(Log(), "");
    // Rows linked without the check still count once the check is asked for.
    RNGP_LinkLine(&pRow, Row(1), &n, TRUE);
    std::string sExpected;
    for (int i = 0; i < 4; ++i) sExpected += sOne;
    EXPECT_EQ(Log(), sExpected);
    EXPECT_EQ(Values(pRow), (std::vector<double>{1, 2, 1, 1, 1, 1}));
}

TEST_F(RngpTest, DuplicateCheckSeesRowsLinkedEarlierWithoutIt)
{
    int n = 0;
    RNGP_LinkLine(&pRow, Row(0.0), &n, FALSE);
    RNGP_LinkLine(&pRow, Row(5e-9), &n, FALSE);
    RNGP_LinkLine(&pRow, Row(-0.0), &n, TRUE);  // the zeros are equal
    EXPECT_EQ(Log(), LineMsg('W', 1403, "Value -0.000000e+00 repeated in the First Column"));
    RNGP_LinkLine(&pRow, Row(5e-9), &n, TRUE);
    EXPECT_EQ(Log(), LineMsg('W', 1403, "Value 5.000000e-09 repeated in the First Column"));
    EXPECT_EQ(n, 4);
}

TEST_F(RngpTest, SeveralListsBuiltSideBySide)
{
    std::vector<RNGP*> heads(6, nullptr);
    int n = 0;
    for (int row = 0; row < 50; ++row)
        for (std::size_t l = 0; l < heads.size(); ++l) {
            RNGP_LinkLine(&heads[l], Row(row % 10), &n, TRUE);
            EXPECT_EQ(n, row + 1);
        }
    // Each list saw each value five times: 0+1+2+3+4 warnings per value.
    std::string out = Log();
    std::size_t count = 0;
    for (std::size_t pos = 0; (pos = out.find("W1403", pos)) != std::string::npos; ++pos) ++count;
    EXPECT_EQ(count, heads.size() * 10 * (0 + 1 + 2 + 3 + 4));
    for (RNGP* h : heads) {
        EXPECT_EQ(Values(h).size(), 50u);
        RNGP_FreeList(h);
    }
}

TEST_F(RngpTest, ListChangedOrFreedOutsideLinking)
{
    int n = 0;
    RNGP_LinkLine(&pRow, Row(1), &n, FALSE);
    RNGP_LinkLine(&pRow, Row(2), &n, FALSE);
    // Grown by hand: linking finds the real end.
    RNGP* pHand = Row(3);
    pRow->pNext->pNext = pHand;
    pHand->pPrev = pRow->pNext;
    RNGP_LinkLine(&pRow, Row(4), &n, FALSE);
    EXPECT_EQ(n, 4);
    EXPECT_EQ(Values(pRow), (std::vector<double>{1, 2, 3, 4}));

    // Cut after the second row: linking continues from the new end.
    RNGP* pTail = pRow->pNext->pNext;
    pRow->pNext->pNext = nullptr;
    RNGP_FreeList(pTail);
    RNGP_LinkLine(&pRow, Row(5), &n, FALSE);
    EXPECT_EQ(n, 3);
    EXPECT_EQ(Values(pRow), (std::vector<double>{1, 2, 5}));

    // A whole list freed and a new one started.
    RNGP_FreeList(pRow);
    pRow = nullptr;
    for (int i = 0; i < 3; ++i) RNGP_LinkLine(&pRow, Row(i), &n, TRUE);
    EXPECT_EQ(n, 3);
    EXPECT_EQ(Log(), "");
}

TEST_F(RngpTest, LongTablesLinkAndFree)
{
    int n = 0;
    RNGP* pHead = nullptr;
    const int kRows = 200000;
    for (int i = 0; i < kRows; ++i) RNGP_LinkLine(&pHead, Row(i), &n, TRUE);
    EXPECT_EQ(n, kRows);
    EXPECT_EQ(Log(), "");
    RNGP_FreeList(pHead);
}

}  // namespace

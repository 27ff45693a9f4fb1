#include "package/sect.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "pkg_fixture.h"

namespace {

class SectTest : public PkgTest {
protected:
    // Parses every section of sText; returns the sections read and the
    // status of the last call.
    std::vector<SECT> ParseAll(const std::string& sText, STATUS* peLast)
    {
        buf_.assign(sText.begin(), sText.end());
        buf_.push_back('\0');
        std::vector<SECT> out;
        char* p = buf_.data();
        for (;;) {
            SECT* pSect = nullptr;
            char* pNext = nullptr;
            *peLast = SECT_ParseSection(p, &pSect, &pNext);
            if (*peLast != SUCCESS || pSect == nullptr) break;
            out.push_back(*pSect);
            SECT_Free(pSect);
            p = pNext;
        }
        return out;
    }
    std::vector<char> buf_;
};

TEST_F(SectTest, ReadsSectionsUpToTheEndOfTheText)
{
    STATUS e = FAILURE;
    std::vector<SECT> v = ParseAll("Len=1 R=0.5 L=2n C=1p / Len=0 L=3n /", &e);
    EXPECT_EQ(e, SUCCESS);
    ASSERT_EQ(v.size(), 2u);
    EXPECT_DOUBLE_EQ(*v[0].pdLen, 1.0);
    EXPECT_DOUBLE_EQ(*v[0].pdR, 0.5);
    EXPECT_DOUBLE_EQ(*v[0].pdL, 2e-9);
    EXPECT_DOUBLE_EQ(*v[0].pdC, 1e-12);
    EXPECT_DOUBLE_EQ(*v[1].pdLen, 0.0);
    EXPECT_FALSE(v[1].pdR.has_value());
    EXPECT_FALSE(v[1].pdC.has_value());
    EXPECT_EQ(Log(), "");
}

TEST_F(SectTest, EmptyTextHoldsNoSection)
{
    STATUS e = FAILURE;
    EXPECT_TRUE(ParseAll("   ", &e).empty());
    EXPECT_EQ(e, SUCCESS);
    EXPECT_EQ(Log(), "");
}

TEST_F(SectTest, NonZeroLengthNeedsInductanceAndCapacitance)
{
    STATUS e = FAILURE;
    std::vector<SECT> v = ParseAll("Len=1 L=1n /", &e);
    ASSERT_EQ(v.size(), 1u);  // the section is still made
    EXPECT_EQ(e, SUCCESS);
    EXPECT_EQ(Log(), "E3012 (line    1) -  L and C must be specified when Len != 0\n");
    // A zero length needs neither.
    v = ParseAll("Len=0 R=1 /", &e);
    EXPECT_EQ(v.size(), 1u);
    EXPECT_EQ(Log(), "");
}

TEST_F(SectTest, ItemsBeforeTheLengthAreReportedAndKept)
{
    STATUS e = FAILURE;
    std::vector<SECT> v = ParseAll("R=1 C=2p L=3n /", &e);
    ASSERT_EQ(v.size(), 1u);
    EXPECT_DOUBLE_EQ(*v[0].pdR, 1.0);
    EXPECT_DOUBLE_EQ(*v[0].pdC, 2e-12);
    EXPECT_DOUBLE_EQ(*v[0].pdL, 3e-9);
    EXPECT_FALSE(v[0].pdLen.has_value());
    EXPECT_EQ(Log(),
              "E3002 (line    1) - Len should be specified before R\n"
              "E3008 (line    1) - Len should be specified before C\n"
              "E3005 (line    1) - Len should be specified before L\n");
}

TEST_F(SectTest, DuplicateAndNegativeItemsKeepTheLaterValue)
{
    STATUS e = FAILURE;
    std::vector<SECT> v = ParseAll("Len=1 Len=-2 R=1 R=-3 L=1n L=-1n C=1p C=-1p /", &e);
    ASSERT_EQ(v.size(), 1u);
    EXPECT_DOUBLE_EQ(*v[0].pdLen, -2.0);
    EXPECT_DOUBLE_EQ(*v[0].pdR, -3.0);
    EXPECT_DOUBLE_EQ(*v[0].pdL, -1e-9);
    EXPECT_DOUBLE_EQ(*v[0].pdC, -1e-12);
    EXPECT_EQ(Log(),
              "E3000 (line    1) - Duplicate Len sub param in R/L/C section\n"
              "E3001 (line    1) - Len should not be less than zero\n"
              "E3003 (line    1) - Duplicate R sub param in R/L/C section\n"
              "E3004 (line    1) - R should not be less than zero\n"
              "E3006 (line    1) - Duplicate L sub param in R/L/C section\n"
              "E3007 (line    1) - L should not be less than zero\n"
              "E3009 (line    1) - Duplicate C sub param in R/L/C section\n"
              "E3010 (line    1) - C should not be less than zero\n");
}

TEST_F(SectTest, MissingSlashDiscardsTheSectionAndFails)
{
    STATUS e = SUCCESS;
    std::vector<SECT> v = ParseAll("Len=0 R=1 / Len=0 L=1n", &e);
    EXPECT_EQ(v.size(), 1u);  // the first, closed section only
    EXPECT_EQ(e, FAILURE);
    EXPECT_EQ(Log(), "E3013 (line    1) - Premature end of R/L/C section. Trailing '/' missing\n");
}

TEST_F(SectTest, SlashWithoutItemsIsAnEmptySection)
{
    STATUS e = FAILURE;
    std::vector<SECT> v = ParseAll("/", &e);
    ASSERT_EQ(v.size(), 1u);
    EXPECT_FALSE(v[0].pdLen.has_value());
    EXPECT_FALSE(v[0].pdR.has_value());
    EXPECT_EQ(Log(), "E3011 (line    1) - Empty R/L/C section found\n");
}

TEST_F(SectTest, MalformedItemsAreSkippedAfterTheirReport)
{
    // The unknown word and the stray "=" are reported by the tokenizer; the
    // section goes on with the items after them.
    STATUS e = FAILURE;
    std::vector<SECT> v = ParseAll("Len=0 Q=1 R=2 /", &e);
    ASSERT_EQ(v.size(), 1u);
    EXPECT_DOUBLE_EQ(*v[0].pdR, 2.0);
    EXPECT_EQ(Log(),
              "E1919 (line    1) - Unexpected token 'Q' found in R/L/C section\n"
              "E1918 (line    1) - Unexpected '=' found\n"
              "E1919 (line    1) - Unexpected token '1' found in R/L/C section\n");
}

}  // namespace

#include "common/stringlist.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <regex>
#include <string>
#include <vector>

#include "common/errlog.h"
#include "test_support.h"

namespace {

std::vector<std::string> Texts(STR_LIST* p)
{
    std::vector<std::string> v;
    for (; p != nullptr; p = STR_LIST_next(p)) v.emplace_back(STR_LIST_string(p));
    return v;
}
using V = std::vector<std::string>;

TEST(StringList, AddPrependsAndUniqueSkipsExactCopies)
{
    STR_LIST* p = nullptr;
    p = STR_LIST_add(p, "a");
    p = STR_LIST_add(p, "b");
    p = STR_LIST_add(p, "a");
    EXPECT_EQ(Texts(p), (V{"a", "b", "a"}));
    p = STR_LIST_add_unique(p, "b");
    EXPECT_EQ(Texts(p), (V{"a", "b", "a"}));
    // The comparison is exact, case included.
    p = STR_LIST_add_unique(p, "B");
    EXPECT_EQ(Texts(p), (V{"B", "a", "b", "a"}));
    EXPECT_EQ(STR_LIST_find(p, "b"), TRUE);
    EXPECT_EQ(STR_LIST_find(p, "c"), FALSE);
    EXPECT_EQ(STR_LIST_free(p), nullptr);
}

TEST(StringList, AddListKeepsArgumentOrderSoTheLastIsFirst)
{
    STR_LIST* p = STR_LIST_add(nullptr, "old");
    p = STR_LIST_add_list(p, "x", "y", "z", static_cast<const char*>(nullptr));
    EXPECT_EQ(Texts(p), (V{"z", "y", "x", "old"}));
    STR_LIST_free(p);
}

TEST(StringList, AccessorsAreNullSafe)
{
    EXPECT_EQ(STR_LIST_next(nullptr), nullptr);
    EXPECT_EQ(STR_LIST_string(nullptr), nullptr);
    EXPECT_EQ(STR_LIST_find(nullptr, "a"), FALSE);
    EXPECT_EQ(STR_LIST_free(nullptr), nullptr);
}

TEST(StringList, LongListFreesIteratively)
{
    STR_LIST* p = nullptr;
    for (int i = 0; i < 500000; ++i) p = STR_LIST_add(p, "n");
    EXPECT_EQ(STR_LIST_free(p), nullptr);
}

class StrIntTest : public LogTest {};

TEST_F(StrIntTest, CountsExactTexts)
{
    STR_INT_init();
    STR_INT_incr("pin");
    STR_INT_incr("pin");
    STR_INT_incr("Pin");
    // The text is compared, not the pointer.
    std::string s = "pin";
    STR_INT_incr(s.c_str());
    EXPECT_EQ(STR_INT_value("pin"), 3);
    EXPECT_EQ(STR_INT_value("Pin"), 1);
    EXPECT_EQ(Log(), "");
    STR_INT_init();
    EXPECT_EQ(STR_INT_value("pin"), 0);
    EXPECT_TRUE(std::regex_match(Log(), std::regex("B2101 - Should not be here stringlist\\.c [0-9]+\n")));
}

TEST_F(StrIntTest, MoreThanThirtyTextsAreAllCounted)
{
    STR_INT_init();
    std::vector<std::string> names;
    for (int i = 0; i < 40; ++i) names.push_back("name" + std::to_string(i));
    for (int i = 0; i < 40; ++i)
        for (int k = 0; k <= i; ++k) STR_INT_incr(names[static_cast<std::size_t>(i)].c_str());
    for (int i = 0; i < 40; ++i) EXPECT_EQ(STR_INT_value(names[static_cast<std::size_t>(i)].c_str()), i + 1);
    EXPECT_EQ(Log(), "");
}

}  // namespace

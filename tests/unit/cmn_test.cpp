#include "common/cmn.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cfloat>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>

#include "common/errlog.h"
#include "parse/parse.h"
#include "test_support.h"

namespace {

std::string LineErr(int iCode, const std::string& s) { return LineMsg('E', iCode, s); }
std::string LineWarn(int iCode, const std::string& s) { return LineMsg('W', iCode, s); }
std::string Err(int iCode, const std::string& s) { return NumberedMsg('E', iCode, false, s); }

const std::string kHint = "  To fix, save file in MS_DOS format and remove .txt extension.";
const std::string kLongHint = "  - To fix, save file in MS_DOS format and remove .txt extension.";

// Every test starts from program-start state, with the log in numbered form
// written to a temporary stream that Log() drains.
class CmnTest : public LogTest {};

// ---------------------------------------------------------------------------
// Numbers
// ---------------------------------------------------------------------------

struct ValueCase {
    const char* sIn;
    GBU eResult;
    double dValue;
};

TEST_F(CmnTest, GetValueExamples)
{
    const ValueCase cases[] = {
        {"10", GOOD, 10},       {"2.5n", GOOD, 2.5e-9},  {"2.5nH", GOOD, 2.5e-9},
        {"3.3V", GOOD, 3.3},    {"1.2mA", GOOD, 1.2e-3}, {"5m2", UGLY, 5e-3},
        {"1e-3", GOOD, 1e-3},   {"1.5M", GOOD, 1.5e6},   {"1.5m", GOOD, 1.5e-3},
        {"100pF", GOOD, 1e-10}, {"2.2uH3", UGLY, 2.2e-6}, {"50Ohm", GOOD, 50},
        {"-2.5k", GOOD, -2500}, {"+3", GOOD, 3},         {".5", GOOD, 0.5},
        {"5.", GOOD, 5},        {"  7", GOOD, 7},        {"1E3", GOOD, 1000},
        // Scale letters keep their case: K is just a unit, and there is no meg.
        {"1K", GOOD, 1},        {"1meg", GOOD, 1e-3},
        // An "e" without exponent digits is a unit letter after the number.
        {"2e", GOOD, 2},        {"2e+", GOOD, 2},
    };
    for (const ValueCase& c : cases) {
        double d = -777;
        EXPECT_EQ(CMN_Get_Value(c.sIn, &d), c.eResult) << c.sIn;
        EXPECT_DOUBLE_EQ(d, c.dValue) << c.sIn;
    }
    EXPECT_EQ(Log(), "");
}

TEST_F(CmnTest, GetValueEveryScaleLetter)
{
    const struct {
        const char* s;
        double d;
    } cases[] = {{"2T", 2e12}, {"2G", 2e9},   {"2M", 2e6},   {"2k", 2e3},  {"2m", 2e-3},
                 {"2u", 2e-6}, {"2n", 2e-9}, {"2p", 2e-12}, {"2f", 2e-15}};
    for (const auto& c : cases) {
        double d = 0;
        EXPECT_EQ(CMN_Get_Value(c.s, &d), GOOD) << c.s;
        EXPECT_DOUBLE_EQ(d, c.d) << c.s;
    }
}

TEST_F(CmnTest, GetValueBadLeavesOutputAlone)
{
    for (const char* s : {"4/", "x", "", "-", ".", "5 ", "5%", "5..", "inf", "nan", "NA", "e5"}) {
        double d = -777;
        EXPECT_EQ(CMN_Get_Value(s, &d), BAD) << '"' << s << '"';
        EXPECT_EQ(d, -777) << s;
    }
}

TEST_F(CmnTest, GetValueReadsDecimalNumbersOnly)
{
    // No hexadecimal form: "0x10" is 0 followed by letters with digits.
    double d = -1;
    EXPECT_EQ(CMN_Get_Value("0x10", &d), UGLY);
    EXPECT_EQ(d, 0);
}

TEST_F(CmnTest, ValueOrNAAnyCase)
{
    for (const char* s : {"NA", "na", "Na", "nA"}) {
        double d = -1;
        BOOL bNA = UNKNOWN;
        EXPECT_EQ(CMN_Get_ValueOrNA(s, &d, &bNA), GOOD) << s;
        EXPECT_EQ(d, 0) << s;
        EXPECT_EQ(bNA, TRUE) << s;
    }
    double d = -1;
    BOOL bNA = UNKNOWN;
    EXPECT_EQ(CMN_Get_ValueOrNA("4.5", &d, &bNA), GOOD);
    EXPECT_EQ(bNA, FALSE);
    EXPECT_DOUBLE_EQ(d, 4.5);
    EXPECT_EQ(CMN_Get_ValueOrNA("NAN", &d, &bNA), BAD);
    EXPECT_EQ(bNA, FALSE);
}

TEST_F(CmnTest, ColumnValueStates)
{
    double d = -1;
    NUMSTAT e = SET;
    EXPECT_EQ(CMN_GetColValue(nullptr, "Vinl", "Typical", &d, &e), SUCCESS);
    EXPECT_EQ(e, NOT_SET);
    EXPECT_EQ(d, -1);

    EXPECT_EQ(CMN_GetColValue("na", "Vinl", "Typical", &d, &e), SUCCESS);
    EXPECT_EQ(e, NA);
    EXPECT_EQ(d, 0);

    EXPECT_EQ(CMN_GetColValue("1.5m", "Vinl", "Typical", &d, &e), SUCCESS);
    EXPECT_EQ(e, SET);
    EXPECT_DOUBLE_EQ(d, 1.5e-3);
    EXPECT_EQ(Log(), "");

    // A digit in the scale: warned, value kept.
    EXPECT_EQ(CMN_GetColValue("2.2uH3", "Vinl", "Maximum", &d, &e), SUCCESS);
    EXPECT_EQ(e, SET);
    EXPECT_DOUBLE_EQ(d, 2.2e-6);
    EXPECT_EQ(Log(), LineWarn(1910, "Suspicious Maximum Vinl Value (\"2.2uH3\"); Numeric in Scale"));

    // Unreadable: error, state stays unset.
    d = -1;
    EXPECT_EQ(CMN_GetColValue("4/", "Vinl", "Minimum", &d, &e), FAILURE);
    EXPECT_EQ(e, NOT_SET);
    EXPECT_EQ(d, -1);
    EXPECT_EQ(Log(), LineErr(1909, "Invalid Minimum Value (\"4/\")"));
}

TEST_F(CmnTest, UnsignedConversion)
{
    unsigned u = 99;
    EXPECT_EQ(CMN_StrToUI("-5", &u), BAD);
    EXPECT_EQ(CMN_StrToUI(" -5", &u), BAD);
    EXPECT_EQ(CMN_StrToUI("", &u), BAD);
    EXPECT_EQ(CMN_StrToUI("abc", &u), BAD);
    EXPECT_EQ(CMN_StrToUI("4294967296", &u), BAD);
    EXPECT_EQ(u, 99u);
    EXPECT_EQ(CMN_StrToUI("12abc", &u), UGLY);
    EXPECT_EQ(u, 12u);
    EXPECT_EQ(CMN_StrToUI("4294967295", &u), GOOD);
    EXPECT_EQ(u, 4294967295u);
}

TEST_F(CmnTest, SignedAndRealConversion)
{
    long l = 99;
    EXPECT_EQ(CMN_StrToL("-5", &l), GOOD);
    EXPECT_EQ(l, -5);
    EXPECT_EQ(CMN_StrToL("7x", &l), UGLY);
    EXPECT_EQ(l, 7);
    EXPECT_EQ(CMN_StrToL("x7", &l), BAD);
    EXPECT_EQ(CMN_StrToL("99999999999999999999999", &l), BAD);
    EXPECT_EQ(l, 7);

    double d = 0;
    EXPECT_EQ(CMN_StrToDbl("-2.5e3", &d), GOOD);
    EXPECT_DOUBLE_EQ(d, -2500);
    // No scale letters here: any trailing text is suspicious.
    EXPECT_EQ(CMN_StrToDbl("2.5n", &d), UGLY);
    EXPECT_DOUBLE_EQ(d, 2.5);
    EXPECT_EQ(CMN_StrToDbl("n", &d), BAD);
}

// ---------------------------------------------------------------------------
// R/L/C tokens
// ---------------------------------------------------------------------------

TEST_F(CmnTest, GettokReadsAWholeLine)
{
    char line[] = "R=1.2 L=3n  C = 1p / Len=5";
    char* p = line;
    double v = 0;
    EXPECT_EQ(CMN_gettok(p, &v, &p), CMN_TOK_R);
    EXPECT_DOUBLE_EQ(v, 1.2);
    EXPECT_EQ(CMN_gettok(p, &v, &p), CMN_TOK_L);
    EXPECT_DOUBLE_EQ(v, 3e-9);
    EXPECT_EQ(CMN_gettok(p, &v, &p), CMN_TOK_C);
    EXPECT_DOUBLE_EQ(v, 1e-12);
    EXPECT_EQ(CMN_gettok(p, &v, &p), CMN_TOK_SLASH);
    EXPECT_STREQ(p, "Len=5");
    EXPECT_EQ(CMN_gettok(p, &v, &p), CMN_TOK_LEN);
    EXPECT_DOUBLE_EQ(v, 5);
    EXPECT_EQ(CMN_gettok(p, &v, &p), CMN_TOK_END);
    EXPECT_EQ(Log(), "");
}

TEST_F(CmnTest, GettokErrors)
{
    double v = -1;
    char* out = nullptr;

    char eq[] = "= 5 R=1";
    EXPECT_EQ(CMN_gettok(eq, &v, &out), CMN_TOK_ERROR);
    EXPECT_STREQ(out, "5 R=1");
    EXPECT_EQ(Log(), LineErr(1918, "Unexpected '=' found"));

    // Names are matched with their case.
    char word[] = "r=1 C=2";
    EXPECT_EQ(CMN_gettok(word, &v, &out), CMN_TOK_ERROR);
    EXPECT_STREQ(out, "=1 C=2");
    EXPECT_EQ(Log(), LineErr(1919, "Unexpected token 'r' found in R/L/C section"));

    char bare[] = "R  ";
    out = nullptr;
    EXPECT_EQ(CMN_gettok(bare, &v, &out), CMN_TOK_END);
    EXPECT_EQ(out, nullptr);
    EXPECT_EQ(Log(), LineErr(1920, "Premature end of R/L/C section"));

    char dangling[] = "L = ";
    EXPECT_EQ(CMN_gettok(dangling, &v, &out), CMN_TOK_END);
    EXPECT_EQ(out, nullptr);
    EXPECT_EQ(Log(), LineErr(1920, "Premature end of R/L/C section"));

    char noeq[] = "R 5 / C=1";
    EXPECT_EQ(CMN_gettok(noeq, &v, &out), CMN_TOK_ERROR);
    EXPECT_STREQ(out, " C=1");
    EXPECT_EQ(Log(), LineErr(1921, "Error parsing R/L/C section. Missing '='"));

    char noeqEnd[] = "C 5";
    EXPECT_EQ(CMN_gettok(noeqEnd, &v, &out), CMN_TOK_ERROR);
    EXPECT_STREQ(out, "");
    EXPECT_EQ(Log(), LineErr(1921, "Error parsing R/L/C section. Missing '='"));

    char empty[] = "R=/ L=1";
    v = -1;
    EXPECT_EQ(CMN_gettok(empty, &v, &out), CMN_TOK_R);
    EXPECT_EQ(v, 0);
    EXPECT_STREQ(out, "/ L=1");
    EXPECT_EQ(Log(), LineErr(1923, "Numerical value expected"));

    char bad[] = "L=abc C=1";
    EXPECT_EQ(CMN_gettok(bad, &v, &out), CMN_TOK_L);
    EXPECT_STREQ(out, "C=1");
    EXPECT_EQ(Log(), LineErr(1922, "Illegal number found 'abc'"));

    char ugly[] = "L=5m2";
    EXPECT_EQ(CMN_gettok(ugly, &v, &out), CMN_TOK_L);
    EXPECT_EQ(Log(), LineErr(1922, "Illegal number found '5m2'"));

    char blank[] = " \t ";
    EXPECT_EQ(CMN_gettok(blank, &v, &out), CMN_TOK_END);
    EXPECT_EQ(Log(), "");
}

// ---------------------------------------------------------------------------
// Fields
// ---------------------------------------------------------------------------

TEST_F(CmnTest, SplitCountsFieldsBeyondCapacity)
{
    ARGS a;
    ASSERT_EQ(CMN_ArgParse("a  b\tc", 2, &a), SUCCESS);
    EXPECT_EQ(a.iMaxCnt, 2);
    EXPECT_EQ(a.iCount, 2);
    EXPECT_EQ(a.iActualCnt, 3);
    EXPECT_STREQ(a.Arg(0), "a");
    EXPECT_STREQ(a.Arg(1), "b");
    EXPECT_EQ(a.Arg(2), nullptr);
    EXPECT_EQ(a.Arg(-1), nullptr);
    CMN_ArgFree(&a);
    EXPECT_EQ(a.Arg(0), nullptr);
}

TEST_F(CmnTest, SplitFewerFieldsThanCapacity)
{
    ARGS a;
    ASSERT_EQ(CMN_ArgParse("  x  y  \n", 4, &a), SUCCESS);
    EXPECT_EQ(a.iCount, 2);
    EXPECT_EQ(a.iActualCnt, 2);
    EXPECT_STREQ(a.Arg(1), "y");
    EXPECT_EQ(a.Arg(2), nullptr);
    EXPECT_EQ(a.Arg(3), nullptr);

    // The record is reused: the second split replaces the first.
    ASSERT_EQ(CMN_ArgParse("", 3, &a), SUCCESS);
    EXPECT_EQ(a.iActualCnt, 0);
    EXPECT_EQ(a.Arg(0), nullptr);

    // Capacity 0 only counts.
    ASSERT_EQ(CMN_ArgParse("p q r", 0, &a), SUCCESS);
    EXPECT_EQ(a.iCount, 0);
    EXPECT_EQ(a.iActualCnt, 3);
    EXPECT_EQ(a.Arg(0), nullptr);
    CMN_ArgFree(&a);
}

TEST_F(CmnTest, SplitWithDelimiter)
{
    ARGS a;
    ASSERT_EQ(CMN_ArgParsePlus("a=b", 5, '=', &a), SUCCESS);
    ASSERT_EQ(a.iActualCnt, 3);
    EXPECT_STREQ(a.Arg(0), "a");
    EXPECT_STREQ(a.Arg(1), "=");
    EXPECT_STREQ(a.Arg(2), "b");

    ASSERT_EQ(CMN_ArgParsePlus("x ==y= z", 10, '=', &a), SUCCESS);
    ASSERT_EQ(a.iActualCnt, 6);
    EXPECT_STREQ(a.Arg(0), "x");
    EXPECT_STREQ(a.Arg(1), "=");
    EXPECT_STREQ(a.Arg(2), "=");
    EXPECT_STREQ(a.Arg(3), "y");
    EXPECT_STREQ(a.Arg(4), "=");
    EXPECT_STREQ(a.Arg(5), "z");
    EXPECT_EQ(a.Arg(6), nullptr);

    // Without a delimiter the sign is ordinary text.
    ASSERT_EQ(CMN_ArgParse("a=b", 5, &a), SUCCESS);
    EXPECT_EQ(a.iActualCnt, 1);
    EXPECT_STREQ(a.Arg(0), "a=b");
    CMN_ArgFree(&a);
}

// ---------------------------------------------------------------------------
// Record fields and names
// ---------------------------------------------------------------------------

TEST_F(CmnTest, SetStrCutsALongValue)
{
    std::string sField;
    std::string sValue = "abcdefghijklmnopqrstuvwxyz0123";  // 30 characters
    CMN_SetStr(sField, sValue.c_str(), 20, "Manufacturer");
    EXPECT_EQ(sField, sValue.substr(0, 20));
    EXPECT_EQ(Log(), LineErr(1912, "Manufacturer string '" + sValue + "' is too long, truncating to 20 characters."));

    CMN_SetStr(sField, "exactly20characters!", 20, "Manufacturer");
    EXPECT_EQ(sField, "exactly20characters!");
    EXPECT_EQ(Log(), "");

    CMN_SetStr(sField, "", 20, "Manufacturer");
    EXPECT_EQ(sField, "");
    EXPECT_EQ(Log(), LineErr(1913, "Zero length value for keyword 'Manufacturer'."));
}

TEST_F(CmnTest, SetStrNeverKeepsMoreThanTheCap)
{
    std::string sField;
    std::string sValue(3000, 'v');
    CMN_SetStr(sField, sValue.c_str(), 2500, "K");
    EXPECT_EQ(sField.size(), 2176u);
    std::string out = Log();
    EXPECT_EQ(out.rfind("E1912 (line    1) - K string 'vvv", 0), 0u) << out.substr(0, 60);
    // The value quoted in the message is cut to the same cap.
    EXPECT_EQ(out.find(std::string(2177, 'v')), std::string::npos);
    unsigned long b = 0, e = 0, w = 0;
    ERRLOG_GetCounts(&b, &e, &w);
    EXPECT_EQ(e, 1u);
}

TEST_F(CmnTest, SetKeywordStrRejectsADuplicate)
{
    std::string sField;
    EXPECT_EQ(CMN_SetKeywordStr(sField, "first", 20, "Version"), SUCCESS);
    EXPECT_EQ(sField, "first");
    EXPECT_EQ(Log(), "");
    EXPECT_EQ(CMN_SetKeywordStr(sField, "second", 20, "Version"), FAILURE);
    EXPECT_EQ(sField, "first");
    EXPECT_EQ(Log(), LineErr(1911, "Duplicate 'Version' keyword."));
}

TEST_F(CmnTest, SetFilenameStrKeepsTheWholeName)
{
    std::string sField;
    std::string sName = "a_rather_long_file_name.pkg";  // 27 characters
    EXPECT_EQ(CMN_SetFilenameStr(sField, sName.c_str(), 24, "Package Model"), SUCCESS);
    EXPECT_EQ(sField, sName);
    EXPECT_EQ(Log(), LineErr(1914, "Package Model string '" + sName + "' is too long, maximum length 24 allowed."));

    EXPECT_EQ(CMN_SetFilenameStr(sField, "x.pkg", 24, "Package Model"), FAILURE);
    EXPECT_EQ(sField, sName);
    EXPECT_EQ(Log(), LineErr(1911, "Duplicate 'Package Model' keyword."));

    std::string sHuge(1500, 'f');
    std::string sOther;
    EXPECT_EQ(CMN_SetFilenameStr(sOther, sHuge.c_str(), 24, "F"), SUCCESS);
    EXPECT_EQ(sOther.size(), 1024u);
}

TEST_F(CmnTest, RequiredKeyword)
{
    CMN_TestRequiredKeyword("Component", TRUE);
    CMN_TestRequiredKeyword("Component", UNKNOWN);
    EXPECT_EQ(Log(), "");
    CMN_TestRequiredKeyword("Component", FALSE);
    std::string sFile;
    PARSE_GetFileName(sFile);
    EXPECT_EQ(Log(), Err(1915, "Required keyword 'Component' not found in file '" + sFile + "'."));
}

TEST_F(CmnTest, ReservedWords)
{
    for (const char* s : {"Gnd", "GND", "nc", "Power", "circuitcall", "NA", "na"})
        EXPECT_EQ(CMN_ReservedWord(s), FAILURE) << s;
    for (const char* s : {"GNDA", "N", "", "VCC", "POWER1"}) EXPECT_EQ(CMN_ReservedWord(s), SUCCESS) << s;
    EXPECT_EQ(Log(), "");
    EXPECT_EQ(CMN_ReservedWordErr("vcc"), SUCCESS);
    EXPECT_EQ(Log(), "");
    EXPECT_EQ(CMN_ReservedWordErr("Gnd"), FAILURE);
    EXPECT_EQ(Log(), LineErr(1916, "Illegal use of Reserved Word 'Gnd'."));
}

// ---------------------------------------------------------------------------
// Comparison and scanning
// ---------------------------------------------------------------------------

TEST_F(CmnTest, CaseInsensitiveComparison)
{
    EXPECT_EQ(CMN_StrSameIC("Model_Selector", "MODEL_selector"), TRUE);
    EXPECT_EQ(CMN_StrSameIC("abc", "abcd"), FALSE);
    EXPECT_EQ(CMN_StrSameIC("abcd", "abc"), FALSE);
    EXPECT_EQ(CMN_StrSameIC("", ""), TRUE);
    EXPECT_EQ(CMN_StrSameIC("a_b", "a b"), FALSE);

    EXPECT_EQ(CMN_StrSameICn("abcX", "ABCy", 3), TRUE);
    EXPECT_EQ(CMN_StrSameICn("abcX", "ABCy", 4), FALSE);
    EXPECT_EQ(CMN_StrSameICn("ab", "AB", 5), TRUE);
    EXPECT_EQ(CMN_StrSameICn("ab", "abc", 5), FALSE);
    EXPECT_EQ(CMN_StrSameICn("abc", "ab", 5), FALSE);
    EXPECT_EQ(CMN_StrSameICn("abc", "xyz", 0), TRUE);
}

TEST_F(CmnTest, MatchKeywordTurnsBlanksIntoUnderscores)
{
    char sPossible[] = "model  SELECTOR";
    EXPECT_EQ(CMN_MatchKeyword("Model__Selector", sPossible), TRUE);
    EXPECT_STREQ(sPossible, "model__SELECTOR");
    char sOther[] = "Model Spec";
    EXPECT_EQ(CMN_MatchKeyword("Model_Selector", sOther), FALSE);
}

TEST_F(CmnTest, WhitespaceHelpers)
{
    for (int c : {' ', '\t', '\n', '\v', '\f', '\r'}) EXPECT_EQ(CMN_IsWhitespace(c), TRUE) << c;
    for (int c : {int('a'), int('_'), 0, 26}) EXPECT_EQ(CMN_IsWhitespace(c), FALSE) << c;

    char s[] = " \t\r\n abc \t\r\n";
    char* p = s;
    CMN_EatWhitespace(&p);
    EXPECT_STREQ(p, "abc \t\r\n");
    CMN_TerminateEnd(p);
    EXPECT_STREQ(p, "abc");
    char blanks[] = "   ";
    CMN_TerminateEnd(blanks);
    EXPECT_STREQ(blanks, "");
    std::string str = "x y \t";
    CMN_TerminateEnd(str);
    EXPECT_EQ(str, "x y");
}

TEST_F(CmnTest, EatKeywordAndNonWhitespaceOnAnyLength)
{
    char line[] = "[Model Selector] \t  name rest";
    char* p = line;
    EXPECT_EQ(CMN_EatKeyword(&p), SUCCESS);
    EXPECT_STREQ(p, "name rest");
    CMN_EatNonWhitespace(&p);
    EXPECT_STREQ(p, " rest");

    char none[] = "[Model";
    p = none;
    EXPECT_EQ(CMN_EatKeyword(&p), FAILURE);
    EXPECT_EQ(p, none);

    // Lines of parameter files are not limited in length.
    std::string sLong = "[" + std::string(3000, 'k') + "]  v";
    const char* q = sLong.c_str();
    EXPECT_EQ(CMN_EatKeyword(&q), SUCCESS);
    EXPECT_STREQ(q, "v");
    std::string sWord = std::string(5000, 'w') + " tail";
    q = sWord.c_str();
    CMN_EatNonWhitespace(&q);
    EXPECT_STREQ(q, " tail");
}

// ---------------------------------------------------------------------------
// Memory and plain strings
// ---------------------------------------------------------------------------

TEST_F(CmnTest, PlainStringHelpers)
{
    EXPECT_STREQ(CMN_getBasename("a/b/c.kvo"), "c.kvo");
    EXPECT_STREQ(CMN_getBasename("c.kvo"), "c.kvo");
    EXPECT_STREQ(CMN_getBasename("dir/"), "");

    char s[] = "MiXeD_09";
    CMN_ConvertToLower(s);
    EXPECT_STREQ(s, "mixed_09");
    EXPECT_EQ(CMN_AnyUpper(s), FALSE);
    CMN_ConvertToUpper(s);
    EXPECT_STREQ(s, "MIXED_09");
    EXPECT_EQ(CMN_AnyUpper("abC"), TRUE);

    EXPECT_STREQ(CMN_ultoa(0), "0");
    EXPECT_STREQ(CMN_ultoa(ULONG_MAX), std::to_string(ULONG_MAX).c_str());
    const char* p = CMN_ultoa(12);
    CMN_ultoa(345);
    EXPECT_STREQ(p, "345");  // one buffer, overwritten

    char dest[8];
    std::memset(dest, 'x', sizeof dest);
    CMN_strncpy(dest, "abcdef", 3);
    EXPECT_STREQ(dest, "abc");
    CMN_strncpy(dest, "ab", 5);
    EXPECT_STREQ(dest, "ab");
    EXPECT_EQ(dest[5], '\0');

    EXPECT_EQ(CMN_StrMake(nullptr), nullptr);
    char* m = CMN_StrMake("copy");
    ASSERT_NE(m, nullptr);
    EXPECT_STREQ(m, "copy");
    CMN_free(m);
    char* n = CMN_StrMakeN("abcdef", 3);
    ASSERT_NE(n, nullptr);
    EXPECT_STREQ(n, "abc");
    CMN_freeSetNull(reinterpret_cast<void**>(&n));
    EXPECT_EQ(n, nullptr);
}

TEST_F(CmnTest, MemoryBlocks)
{
    void* pv = nullptr;
    ASSERT_EQ(CMN_malloc(&pv, 64), SUCCESS);
    const unsigned char* pc = static_cast<const unsigned char*>(pv);
    for (int i = 0; i < 64; ++i) EXPECT_EQ(pc[i], 0) << i;
    std::memcpy(pv, "keep", 5);
    ASSERT_EQ(CMN_realloc(&pv, 4096), SUCCESS);
    EXPECT_STREQ(static_cast<const char*>(pv), "keep");
    CMN_freeSetNull(&pv);
    EXPECT_EQ(pv, nullptr);
    EXPECT_EQ(Log(), "");
}

#ifndef __SANITIZE_ADDRESS__
// An impossible request is reported with its size (the sanitizer's allocator
// aborts on such requests instead of failing them, so only plain builds test this).
TEST_F(CmnTest, MemoryFailuresAreReported)
{
    const std::size_t huge = SIZE_MAX - 16;
    void* pv = reinterpret_cast<void*>(1);
    EXPECT_EQ(CMN_malloc(&pv, huge), FAILURE);
    EXPECT_EQ(pv, nullptr);
    EXPECT_EQ(Log(), Err(1906, "Memory allocation failed.  This request " + std::to_string(huge) + ".\n"));

    ASSERT_EQ(CMN_malloc(&pv, 16), SUCCESS);
    EXPECT_EQ(CMN_realloc(&pv, huge), FAILURE);
    EXPECT_EQ(pv, nullptr);
    EXPECT_EQ(Log(), Err(1907, "Memory reallocation failed.  This request " + std::to_string(huge) + ".\n"));
}
#endif

TEST(CmnAssertDeathTest, PrintsBaseNameAndLineOnStandardOutput)
{
    ScratchDir scratch;
    ASSERT_TRUE(scratch.Create("cmnassert"));
    std::string sOut = scratch.Path() + "/out";
    EXPECT_DEATH(
        {
            if (std::freopen(sOut.c_str(), "w", stdout) == nullptr) std::exit(3);
            CMN_AssertFailed("/some/where/cmn.cpp", 42);
        },
        "");
    std::ifstream in(sOut);
    std::string s((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_EQ(s, "cmn.cpp:42:assertion failed.\n");
}

// ---------------------------------------------------------------------------
// Files and lines
// ---------------------------------------------------------------------------

// Works inside a fresh scratch directory (the current directory during the
// test, so that relative names have no upper-case letters of their own).
class CmnFileTest : public CmnTest {
protected:
    void SetUp() override
    {
        CmnTest::SetUp();
        ASSERT_TRUE(scratch_.Create("cmntest"));
        sOldCwd = std::filesystem::current_path();
        std::filesystem::current_path(scratch_.Path());
    }
    void TearDown() override
    {
        std::filesystem::current_path(sOldCwd);
        scratch_.Remove();
        CmnTest::TearDown();
    }
    void Write(const std::string& sName, const std::string& sBytes) const { scratch_.Write(sName, sBytes); }
    // Reads every line of a file with CMN_GetLine and a buffer of uiSize.
    static std::vector<std::string> Lines(const std::string& sName, unsigned uiSize)
    {
        std::vector<std::string> v;
        FILE* f = std::fopen(sName.c_str(), "rb");
        EXPECT_NE(f, nullptr);
        if (f == nullptr) return v;
        std::vector<char> buf(uiSize);
        while (CMN_GetLine(buf.data(), uiSize, f) != nullptr) v.emplace_back(buf.data());
        std::fclose(f);
        return v;
    }
    ScratchDir scratch_;
    std::filesystem::path sOldCwd;
};

using V = std::vector<std::string>;

TEST_F(CmnFileTest, GetLineDropsCRBeforeLFAndControlZAtEnd)
{
    Write("crlf", "ab\r\ncd\r\n\r\nlast");
    EXPECT_EQ(Lines("crlf", 1024), (V{"ab\n", "cd\n", "\n", "last"}));
    Write("ctrlz", "ab\n\x1a");
    EXPECT_EQ(Lines("ctrlz", 1024), (V{"ab\n"}));
    Write("ctrlz2", "ab\x1a");
    EXPECT_EQ(Lines("ctrlz2", 1024), (V{"ab"}));
    Write("empty", "");
    EXPECT_EQ(Lines("empty", 1024), V{});
    Write("tab", "a\tb\n");
    EXPECT_EQ(Lines("tab", 1024), (V{"a\tb\n"}));
    EXPECT_EQ(Log(), "");
}

TEST_F(CmnFileTest, GetLineReportsIllegalCharactersAsBlanks)
{
    Write("lonecr", "ab\rcd\n");
    EXPECT_EQ(Lines("lonecr", 1024), (V{"ab cd\n"}));
    EXPECT_EQ(Log(), LineErr(1917, "Found illegal control character (code d)." + kHint));

    Write("crcrlf", "a\r\r\nb\r");
    EXPECT_EQ(Lines("crcrlf", 1024), (V{"a \n", "b "}));
    EXPECT_EQ(Log(), LineErr(1917, "Found illegal control character (code d)." + kHint) +
                         LineErr(1917, "Found illegal control character (code d)." + kHint));

    Write("nul", std::string("a\0b\n", 4));
    EXPECT_EQ(Lines("nul", 1024), (V{"a b\n"}));
    EXPECT_EQ(Log(), LineErr(1917, "Found illegal NUL character (code 0)." + kHint));

    Write("high", "x\xe9y\n");
    EXPECT_EQ(Lines("high", 1024), (V{"x y\n"}));
    EXPECT_EQ(Log(), LineErr(1917, "Found illegal non-7-bit ASCII character (code e9)." + kHint));

    // A control-Z that is not the last character of the file is illegal.
    Write("midz", "a\x1a\nb\n");
    EXPECT_EQ(Lines("midz", 1024), (V{"a \n", "b\n"}));
    EXPECT_EQ(Log(), LineErr(1917, "Found illegal control character (code 1a)." + kHint));
}

TEST_F(CmnFileTest, GetLineKeepsTheStartOfALongLine)
{
    Write("long", "abcdefghij\nnext\n");
    EXPECT_EQ(Lines("long", 8), (V{"abcdefg", "next\n"}));
    // Exactly as long as the buffer allows, without its newline.
    Write("fit", "abcdefg\nz\n");
    EXPECT_EQ(Lines("fit", 8), (V{"abcdefg", "z\n"}));
    EXPECT_EQ(Log(), "");
}

TEST_F(CmnFileTest, GetLineHintOnlyWithinTheStoredPart)
{
    // Buffer of 8 keeps 7 characters: positions 0..6 get the hint, later
    // positions (read and dropped) an empty one.
    Write("hint", "abcdef\x01\x02xyz\x03\n");
    EXPECT_EQ(Lines("hint", 8), (V{"abcdef "}));
    EXPECT_EQ(Log(), LineErr(1917, "Found illegal control character (code 1)." + kHint) +
                         LineErr(1917, "Found illegal control character (code 2).") +
                         LineErr(1917, "Found illegal control character (code 3)."));
}

TEST_F(CmnFileTest, AllowAnyCharacter)
{
    CMN_AllowAnyCharacter(1);
    Write("any", std::string("a\x01\xe9\0b\rc\n", 8));
    EXPECT_EQ(Lines("any", 1024), (V{"a\x01\xe9 b\rc\n"}));
    FILE* f = std::fopen("any", "rb");
    ASSERT_NE(f, nullptr);
    int err = 7;
    auto line = CMN_GetInfiniteLine(f, &err);
    std::fclose(f);
    ASSERT_TRUE(line.has_value());
    EXPECT_EQ(err, 0);
    EXPECT_EQ(Log(), "");
    CMN_AllowAnyCharacter(0);
    EXPECT_EQ(Lines("any", 1024), (V{"a   b c\n"}));
    EXPECT_NE(Log(), "");
}

TEST_F(CmnFileTest, InfiniteLine)
{
    std::string sBig(5000, 'p');
    Write("inf", sBig + "\r\nsecond\x01\nlast\x1a");
    FILE* f = std::fopen("inf", "rb");
    ASSERT_NE(f, nullptr);
    int err = 7;
    auto l1 = CMN_GetInfiniteLine(f, &err);
    ASSERT_TRUE(l1.has_value());
    EXPECT_EQ(*l1, sBig + "\n");
    EXPECT_EQ(err, 0);
    EXPECT_EQ(Log(), "");

    auto l2 = CMN_GetInfiniteLine(f, &err);
    ASSERT_TRUE(l2.has_value());
    EXPECT_EQ(*l2, "second \n");
    EXPECT_EQ(err, 1);
    EXPECT_EQ(Log(), LineErr(1917, "Found illegal control character (code 1)." + kLongHint));

    auto l3 = CMN_GetInfiniteLine(f, &err);
    ASSERT_TRUE(l3.has_value());
    EXPECT_EQ(*l3, "last");
    EXPECT_EQ(err, 0);
    EXPECT_FALSE(CMN_GetInfiniteLine(f, &err).has_value());
    std::fclose(f);
}

// The reader takes lines in blocks of a few thousand characters; these
// lines put a carriage return, a control-Z or a NUL right at the end of such
// a block, and mix long lines with short ones, for lengths around the usual
// block sizes.  Each expectation follows from the line rules alone.
TEST_F(CmnFileTest, LineRulesHoldAcrossLongLines)
{
    std::vector<std::size_t> sizes = {1, 2, 3, 100, 1021, 1022, 1023, 1024, 1025};
    for (std::size_t base : {4096u, 8192u})
        for (std::size_t n = base - 5; n <= base + 2; ++n) sizes.push_back(n);
    for (std::size_t n : sizes) {
        SCOPED_TRACE("line of " + std::to_string(n) + " characters");
        const std::string a(n, 'a');
        auto infinite = [&](const std::string& sBytes) {
            Write("blk", sBytes);
            std::vector<std::string> v;
            FILE* f = std::fopen("blk", "rb");
            EXPECT_NE(f, nullptr);
            if (f == nullptr) return v;
            int err = 0;
            while (auto l = CMN_GetInfiniteLine(f, &err)) v.push_back(*l);
            std::fclose(f);
            return v;
        };
        // CR-LF, and a control-Z before the end of the file.
        EXPECT_EQ(infinite(a + "\r\n" + "b\r\n"), (V{a + "\n", "b\n"}));
        EXPECT_EQ(infinite(a + "\x1a"), (V{a}));
        EXPECT_EQ(infinite(a + "\n\x1a"), (V{a + "\n"}));
        EXPECT_EQ(Log(), "");
        // A CR not before LF and a control-Z not before the end are illegal.
        EXPECT_EQ(infinite(a + "\rx\n"), (V{a + " x\n"}));
        EXPECT_EQ(infinite(a + "\x1a\n"), (V{a + " \n"}));
        EXPECT_EQ(infinite(a + "\r"), (V{a + " "}));
        const std::string sCtl = LineErr(1917, "Found illegal control character (code d)." + kLongHint);
        const std::string sZ = LineErr(1917, "Found illegal control character (code 1a)." + kLongHint);
        EXPECT_EQ(Log(), sCtl + sZ + sCtl);
        // NUL characters become blanks wherever they stand.
        EXPECT_EQ(infinite(a + std::string("\0\n\0", 3)), (V{a + " \n", " "}));
        EXPECT_EQ(infinite(std::string("\0", 1) + a + "\nz"), (V{" " + a + "\n", "z"}));
        const std::string sNul = LineErr(1917, "Found illegal NUL character (code 0)." + kLongHint);
        EXPECT_EQ(Log(), sNul + sNul + sNul);
        // A short last line without newline after a long one.
        EXPECT_EQ(infinite(a + "\nab"), (V{a + "\n", "ab"}));
        // The fixed buffer keeps the start of the line and drops the rest.
        Write("blk", a + "\r\n" + "cd\n");
        EXPECT_EQ(Lines("blk", 1024), (V{n + 1 <= 1023 ? a + "\n" : a.substr(0, 1023), "cd\n"}));
        EXPECT_EQ(Log(), "");
    }
}

TEST_F(CmnFileTest, HintFollowsThePositionInTheWholeLine)
{
    // With a buffer of 1024, positions 0 to 1022 are stored.  Characters after
    // the first blocks of a long line get the empty hint.
    std::string s(9000, 'x');
    s[1022] = '\x01';
    s[1023] = '\x02';
    s[8999] = '\x03';
    Write("hint", s + "\n");
    const V lines = Lines("hint", 1024);
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0], std::string(1022, 'x') + " ");
    EXPECT_EQ(Log(), LineErr(1917, "Found illegal control character (code 1)." + kHint) +
                         LineErr(1917, "Found illegal control character (code 2).") +
                         LineErr(1917, "Found illegal control character (code 3)."));
}

// The reader measures the line and looks for tabs while it reads; only the
// stored characters count for the tab.
TEST_F(CmnFileTest, StoredLengthAndTabAreHandedBack)
{
    Write("len", "abc\r\n\nlong line\n1234\tx\n12345\tx\n");
    FILE* f = std::fopen("len", "rb");
    ASSERT_NE(f, nullptr);
    char buf[6];
    std::size_t n = 99;
    BOOL bTab = UNKNOWN;
    ASSERT_NE(CMN_GetLine(buf, sizeof buf, f, &n, &bTab), nullptr);
    EXPECT_EQ(n, 4u);
    EXPECT_STREQ(buf, "abc\n");
    EXPECT_EQ(bTab, FALSE);
    ASSERT_NE(CMN_GetLine(buf, sizeof buf, f, &n, &bTab), nullptr);
    EXPECT_EQ(n, 1u);
    ASSERT_NE(CMN_GetLine(buf, sizeof buf, f, &n, &bTab), nullptr);
    EXPECT_EQ(n, 5u);
    EXPECT_STREQ(buf, "long ");
    EXPECT_EQ(bTab, FALSE);
    ASSERT_NE(CMN_GetLine(buf, sizeof buf, f, &n, &bTab), nullptr);
    EXPECT_STREQ(buf, "1234\t");
    EXPECT_EQ(bTab, TRUE);
    ASSERT_NE(CMN_GetLine(buf, sizeof buf, f, &n, &bTab), nullptr);
    EXPECT_STREQ(buf, "12345");
    EXPECT_EQ(bTab, FALSE);
    EXPECT_EQ(CMN_GetLine(buf, sizeof buf, f, &n, &bTab), nullptr);
    std::fclose(f);
}

TEST_F(CmnFileTest, OpenAppendsOrChecksTheExtension)
{
    Write("d/x.kvo", "");
    FILE* f = nullptr;
    std::string sBase;
    ASSERT_EQ(CMN_OpenFile("d/x", TYPE_KVO, &f, sBase), SUCCESS);
    std::fclose(f);
    EXPECT_EQ(sBase, "x.kvo");
    std::string sPath;
    CMN_GetKvoPath(sPath);
    EXPECT_EQ(sPath, "d/");

    // The extension is compared without case and the name keeps its case.
    Write("d/y.KVO", "");
    ASSERT_EQ(CMN_OpenFile("d/y.KVO", TYPE_KVO, &f, sBase), SUCCESS);
    std::fclose(f);
    EXPECT_EQ(sBase, "y.KVO");
    EXPECT_EQ(Log(), "");

    Write("d/x.txt", "");
    EXPECT_EQ(CMN_OpenFile("d/x.txt", TYPE_KVO, &f, sBase), FAILURE);
    EXPECT_EQ(f, nullptr);
    EXPECT_EQ(Log(), Err(1900, "File Name Requires '.kvo' Extension."));
    EXPECT_EQ(CMN_OpenFile("d/x.txt", TYPE_EBD, &f, sBase), FAILURE);
    EXPECT_EQ(Log(), Err(1902, "File Name Requires '.ebd' Extension."));
    EXPECT_EQ(CMN_OpenFile("d/x.txt", TYPE_PKG, &f, sBase), FAILURE);
    EXPECT_EQ(Log(), Err(1903, "File Name Requires '.pkg' Extension."));
    EXPECT_EQ(CMN_OpenFile("d/x.txt", TYPE_AMI, &f, sBase), FAILURE);
    EXPECT_EQ(Log(), Err(1924, "File Name Requires '.ami' Extension."));

    // Parameter files take any name as it is.
    ASSERT_EQ(CMN_OpenFile("d/x.txt", TYPE_PARAM, &f, sBase), SUCCESS);
    std::fclose(f);
    Write("d/plain", "");
    ASSERT_EQ(CMN_OpenFile("d/plain", TYPE_PARAM, &f, sBase), SUCCESS);
    std::fclose(f);
    EXPECT_EQ(sBase, "plain");
    EXPECT_EQ(Log(), "");
}

TEST_F(CmnFileTest, OpenTriesLowerThenUpperCase)
{
    Write("lc/abc.kvo", "");
    FILE* f = nullptr;
    std::string sBase, sPath;
    ASSERT_EQ(CMN_OpenFile("LC/ABC.kvo", TYPE_KVO, &f, sBase), SUCCESS);
    std::fclose(f);
    EXPECT_EQ(sBase, "ABC.kvo");
    CMN_GetKvoPath(sPath);
    EXPECT_EQ(sPath, "lc/");

    Write("UC/ABC.PKG", "");
    ASSERT_EQ(CMN_OpenFile("uc/abc", TYPE_PKG, &f, sBase), SUCCESS);
    std::fclose(f);
    EXPECT_EQ(sBase, "abc.pkg");
    CMN_GetKvoPath(sPath);
    EXPECT_EQ(sPath, "UC/");
    EXPECT_EQ(Log(), "");

    EXPECT_EQ(CMN_OpenFile("nodir/None.kvo", TYPE_KVO, &f, sBase), FAILURE);
    EXPECT_EQ(Log(), Err(1905, "Unable To Open File 'nodir/None.kvo'"));
}

TEST_F(CmnFileTest, NameWithoutDirectoryUsesTheLastDirectory)
{
    Write("top.kvo", "");
    Write("sub/top.kvo", "");
    Write("sub/part.pkg", "");
    FILE* f = nullptr;
    std::string sBase, sPath;
    ASSERT_EQ(CMN_OpenFile("top", TYPE_KVO, &f, sBase), SUCCESS);  // no directory yet
    std::fclose(f);
    CMN_GetKvoPath(sPath);
    EXPECT_EQ(sPath, "");
    EXPECT_EQ(CMN_checkFileExists("top.kvo"), SUCCESS);

    ASSERT_EQ(CMN_OpenFile("sub/top.kvo", TYPE_KVO, &f, sBase), SUCCESS);
    std::fclose(f);
    ASSERT_EQ(CMN_OpenFile("part.pkg", TYPE_PKG, &f, sBase), SUCCESS);
    std::fclose(f);
    CMN_GetKvoPath(sPath);
    EXPECT_EQ(sPath, "sub/");
    EXPECT_EQ(CMN_checkFileExists("part.pkg"), SUCCESS);
    EXPECT_EQ(CMN_checkFileExists("missing.pkg"), FAILURE);

    EXPECT_EQ(CMN_OpenFile("gone.pkg", TYPE_PKG, &f, sBase), FAILURE);
    EXPECT_EQ(Log(), Err(1905, "Unable To Open File 'sub/gone.pkg'"));
}

TEST_F(CmnFileTest, DirectoryIsNotAFile)
{
    std::filesystem::create_directories("dd/x.kvo");
    FILE* f = nullptr;
    std::string sBase;
    EXPECT_EQ(CMN_OpenFile("dd/x.kvo", TYPE_KVO, &f, sBase), FAILURE);
    EXPECT_EQ(f, nullptr);
    EXPECT_EQ(Log(), Err(1905, "Unable To Open File 'dd/x.kvo'"));
    EXPECT_EQ(CMN_checkFileExists("x.kvo"), FAILURE);
}

TEST_F(CmnFileTest, NameLengthLimits)
{
    FILE* f = nullptr;
    std::string sBase;
    // Appending ".kvo" to 1021 characters would exceed 1024.
    EXPECT_EQ(CMN_OpenFile(std::string(1021, 'n').c_str(), TYPE_KVO, &f, sBase), FAILURE);
    EXPECT_EQ(Log(), Err(1901, "Unable to append filename extension."));
    // 1020 + ".kvo" fits alone, but not after the directory.
    EXPECT_EQ(CMN_OpenFile(("d/" + std::string(1020, 'n')).c_str(), TYPE_KVO, &f, sBase), FAILURE);
    EXPECT_EQ(Log(), Err(1904, "Unable to assemble filename."));
    EXPECT_EQ(CMN_OpenFile(std::string(2000, 'n').c_str(), TYPE_PARAM, &f, sBase), FAILURE);
    EXPECT_EQ(Log(), Err(1904, "Unable to assemble filename."));
}

struct VerCase {
    const char* sText;
    KIVO_VER eVer;
    unsigned long ulLines;
};

TEST_F(CmnFileTest, VersionDetection)
{
    const VerCase cases[] = {
        {"[KIVO Ver] 4.2\n", VER_4, 1},
        {"| note\n\n[kivo_ver]      4.2\n[File Name] x.kvo\n", VER_4, 3},
        {"[KIVO Ver]\t3.2\n", VER_3, 1},
        {"[KIVO Ver]1.1\n", VER_1, 1},
        {"[KIVO Ver] 2.1\n", VER_2, 1},
        {"[KIVO VER] 5.1\n", VER_5, 1},
        {"[KIVO Ver] 6.0\n", VER_6, 1},
        {"[KIVO Ver] 6.1\n", VER_61, 1},
        {"[KIVO Ver] 6.2\n", VER_UNKNOWN, 1},
        {"[KIVO Ver] 7.0\n", VER_UNKNOWN, 1},
        {"[KIVO Ver] 6", VER_6, 1},
        {"[KIVO Ver] 6.", VER_6, 1},
        {"[KIVO Ver] 6\n", VER_UNKNOWN, 1},
        {"[KIVO Ver] 6.\n", VER_UNKNOWN, 1},
        {"[KIVO Ver] x\n", VER_UNKNOWN, 1},
        {"a\nb\n  [Component] c\n[KIVO Ver] 4.2\n", VER_UNKNOWN, 3},
        {"one\ntwo\nthree\nfour\n", VER_UNKNOWN, 4},
        {" [KIVO Ver] 4.2\n", VER_UNKNOWN, 1},
        // Illegal characters are left to the parse.
        {"\x01\xe9\n[KIVO Ver] 5.1\r\n", VER_5, 2},
    };
    int i = 0;
    for (const VerCase& c : cases) {
        std::string sName = "v";
        sName += std::to_string(i++);
        sName += ".kvo";
        Write(sName, c.sText);
        unsigned long ul = 999;
        EXPECT_EQ(CMN_getKivoVer(sName.c_str(), &ul, TYPE_KVO), c.eVer) << c.sText;
        EXPECT_EQ(ul, c.ulLines) << c.sText;
    }
    EXPECT_EQ(Log(), "");
}

TEST_F(CmnFileTest, VersionDetectionOfAFileThatDoesNotOpen)
{
    Write("v.txt", "[KIVO Ver] 4.2\n");
    unsigned long ul = 999;
    EXPECT_EQ(CMN_getKivoVer("v.txt", &ul, TYPE_KVO), VER_UNKNOWN);
    EXPECT_EQ(ul, 999u);
    EXPECT_EQ(Log(), Err(1900, "File Name Requires '.kvo' Extension."));
    Write("p.pkg", "[KIVO Ver] 5.1\n");
    EXPECT_EQ(CMN_getKivoVer("p", &ul, TYPE_PKG), VER_5);
}

TEST_F(CmnFileTest, ResetForgetsTheDirectoryAndSwitch)
{
    Write("r/x.kvo", "");
    FILE* f = nullptr;
    std::string sBase, sPath;
    ASSERT_EQ(CMN_OpenFile("r/x.kvo", TYPE_KVO, &f, sBase), SUCCESS);
    std::fclose(f);
    CMN_AllowAnyCharacter(1);
    CMN_Reset();
    CMN_GetKvoPath(sPath);
    EXPECT_EQ(sPath, "");
    Write("c", "\x01\n");
    EXPECT_EQ(Lines("c", 16), (V{" \n"}));
    EXPECT_NE(Log(), "");
}

}  // namespace

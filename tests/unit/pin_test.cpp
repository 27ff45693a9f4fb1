// Lookups by name over pins, pin-mapping rows, alternate package names and
// model selectors: the first row of a name is the one found, duplicates are
// reported once per earlier row, and lists linked by hand (without the index
// the linking operations keep) give the same answers.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <regex>
#include <string>

#include "common/errlog.h"
#include "component/apkg.h"
#include "component/cmpnt.h"
#include "component/pin.h"
#include "component/pinmpg.h"
#include "driver/reset.h"
#include "model/msel.h"
#include "parse/kivo.h"
#include "test_support.h"

namespace {

class NameLookupTest : public LogTest {
protected:
    void SetUp() override
    {
        LogTest::SetUp();
        geFileVersion = VER_61;
    }
    static PIN* MakePin(const char* sRow)
    {
        char acLine[128];
        std::snprintf(acLine, sizeof acLine, "%s", sRow);
        static const int aiOrder[3] = {0, 1, 2};
        PIN* p = nullptr;
        EXPECT_EQ(PIN_ParseLine(acLine, 3, &p, aiOrder), SUCCESS);
        return p;
    }
    static PINMPG* MakeRow(const char* sRow)
    {
        char acLine[128];
        std::snprintf(acLine, sizeof acLine, "%s", sRow);
        PINMPG* p = nullptr;
        EXPECT_EQ(PINMPG_ParseLine(acLine, 6, &p), SUCCESS);
        return p;
    }};

TEST_F(NameLookupTest, PinLookupsFindTheFirstRowOfAName)
{
    PIN* pList = nullptr;
    PIN* pFirst = PIN_LinkPin(&pList, MakePin("1 VDD POWER"));
    PIN_LinkPin(&pList, MakePin("2 A io"));
    PIN* pSecond = PIN_LinkPin(&pList, MakePin("1 X gnd"));
    PIN_LinkPin(&pList, MakePin("1 Y io"));
    // One message per earlier row of the same pin.
    EXPECT_EQ(Log(), "E0606 (line    1) - Duplicate Pin '1'.\n"
                     "E0606 (line    1) - Duplicate Pin '1'.\n"
                     "E0606 (line    1) - Duplicate Pin '1'.\n");
    EXPECT_EQ(PIN_FindPin(pList, "1"), pFirst);
    EXPECT_NE(pSecond, pFirst);
    EXPECT_STREQ(PIN_GetModel(pList, "1"), "POWER");
    EXPECT_EQ(PIN_ModelNameIsPOWER(pList, "1"), TRUE);
    EXPECT_EQ(PIN_ModelNameIsGND(pList, "1"), FALSE);
    EXPECT_EQ(PIN_ModelNameIsPOWEROrGND(pList, "2"), FALSE);
    EXPECT_EQ(PIN_PinExists(pList, "3"), FALSE);
    EXPECT_EQ(PIN_GetModel(pList, "3"), nullptr);
    EXPECT_EQ(PIN_FindPin(nullptr, "1"), nullptr);
    // File order is kept.
    EXPECT_EQ(pList, pFirst);
    EXPECT_STREQ(pList->pNext->sPin.c_str(), "2");
    EXPECT_EQ(pList->pNext->pNext, pSecond);
    PIN_FreeList(pList);
}

TEST_F(NameLookupTest, PinNamesCompareWithCaseAndModelWordsWithout)
{
    PIN* pList = nullptr;
    PIN_LinkPin(&pList, MakePin("a1 VDD power"));
    PIN_LinkPin(&pList, MakePin("A1 VSS Gnd"));
    EXPECT_EQ(Log(), "");
    EXPECT_EQ(PIN_ModelNameIsPOWER(pList, "a1"), TRUE);
    EXPECT_EQ(PIN_ModelNameIsGND(pList, "A1"), TRUE);
    EXPECT_EQ(PIN_ModelNameIsPOWEROrGND(pList, "A1"), TRUE);
    PIN_FreeList(pList);
}

TEST_F(NameLookupTest, HandLinkedPinListsAreSearchedAndExtendedAlike)
{
    PIN* pA = MakePin("7 A io");
    PIN* pB = MakePin("8 B io");
    PIN* pC = MakePin("7 C io");
    pA->pNext = pB;
    pB->pNext = pC;
    EXPECT_EQ(PIN_FindPin(pA, "7"), pA);
    EXPECT_EQ(PIN_FindPin(pA, "8"), pB);
    PIN* pList = pA;
    PIN* pD = PIN_LinkPin(&pList, MakePin("8 D io"));
    EXPECT_EQ(Log(), "E0606 (line    1) - Duplicate Pin '8'.\n");
    EXPECT_EQ(pC->pNext, pD);
    EXPECT_EQ(PIN_FindPin(pList, "8"), pB);
    PIN_FreeList(pList);
}

TEST_F(NameLookupTest, PinMappingGivesTheFirstRowsBuses)
{
    PINMPG* pList = nullptr;
    PINMPG_LinkPinMpg(&pList, MakeRow("1 GND1 VDD1"));
    PINMPG_LinkPinMpg(&pList, MakeRow("2 GND2 VDD2"));
    PINMPG_LinkPinMpg(&pList, MakeRow("1 GND3 VDD3"));
    EXPECT_EQ(Log(), "E0708 (line    1) - Duplicate Pin Mapping Pin.\n");
    EXPECT_STREQ(PINMPG_GetPinMapping(pList, "1", TRUE), "VDD1");
    EXPECT_STREQ(PINMPG_GetPinMapping(pList, "1", FALSE), "GND1");
    EXPECT_STREQ(PINMPG_GetPinMapping(pList, "2", TRUE), "VDD2");
    EXPECT_EQ(PINMPG_GetPinMapping(pList, "3", TRUE), nullptr);
    EXPECT_EQ(PINMPG_GetPinMapping(nullptr, "1", TRUE), nullptr);
    EXPECT_EQ(PINMPG_TestPin(pList, "2"), TRUE);
    EXPECT_EQ(PINMPG_TestPin(pList, "3"), FALSE);
    PINMPG_FreeList(pList);
}

TEST_F(NameLookupTest, AlternatePackageNamesRepeatedAreReportedAndKept)
{
    APKGMODEL* pList = nullptr;
    APKG_ReceiveLine(&pList, "pkA");
    APKG_ReceiveLine(&pList, "pkB");
    APKG_ReceiveLine(&pList, "pkA");
    APKG_ReceiveLine(&pList, "pka");
    EXPECT_EQ(Log(), "E1605 (line    1) - Package Model Name Previously Defined (\"pkA\")\n");
    int n = 0;
    for (const APKGMODEL* p = pList; p != nullptr; p = p->pNext) ++n;
    EXPECT_EQ(n, 4);
    APKG_FreeList(pList);
}

TEST_F(NameLookupTest, SelectorLookupFindsTheNewestOfANameAsTheListGrows)
{
    ASSERT_EQ(KIVO_New(), SUCCESS);
    char acA[] = "[Model Selector] sA";
    char acB[] = "[Model Selector] sB";
    char acA2[] = "[Model Selector] sA";
    ASSERT_EQ(MSEL_Init(), SUCCESS);
    MSEL_ReceiveLine(KEYWORD_LINE, MSEL_KEY, acA);
    KIVO* pKivo = nullptr;
    ASSERT_EQ(KIVO_GetKIVO(&pKivo), SUCCESS);
    MSEL* pOldA = pKivo->pMsels;
    ASSERT_EQ(MSEL_Init(), SUCCESS);
    MSEL_ReceiveLine(KEYWORD_LINE, MSEL_KEY, acB);
    MSEL* pB = pKivo->pMsels;
    EXPECT_EQ(MSEL_FindMsel("sA", pKivo->pMsels), pOldA);
    ASSERT_EQ(MSEL_Init(), SUCCESS);
    MSEL_ReceiveLine(KEYWORD_LINE, MSEL_KEY, acA2);
    EXPECT_EQ(Log(), "E4014 (line    1) - Model Selector Name Previously Defined (\"sA\")\n");
    MSEL* pNewA = pKivo->pMsels;
    EXPECT_NE(pNewA, pOldA);
    // The head of the list answers; the older records still chain on.
    EXPECT_EQ(MSEL_FindMsel("sA", pKivo->pMsels), pNewA);
    EXPECT_EQ(MSEL_FindMsel("sB", pKivo->pMsels), pB);
    EXPECT_EQ(MSEL_FindMsel("sb", pKivo->pMsels), nullptr);
    EXPECT_EQ(MSEL_NameExists("sB", pKivo->pMsels), SUCCESS);
    // A search from inside the list sees only the older selectors.
    EXPECT_EQ(MSEL_FindMsel("sA", pB), pOldA);
}

TEST_F(NameLookupTest, DifferentialQueryMarksModelAndPassedSelectors)
{
    ASSERT_EQ(KIVO_New(), SUCCESS);
    KIVO* pKivo = nullptr;
    ASSERT_EQ(KIVO_GetKIVO(&pKivo), SUCCESS);
    // A selector s1 that does not list the model, on the first pin of a pair;
    // the model itself on the inverting pin.
    char acSel[] = "[Model Selector] s1";
    char acEntry[] = "other a model";
    ASSERT_EQ(MSEL_Init(), SUCCESS);
    MSEL_ReceiveLine(KEYWORD_LINE, MSEL_KEY, acSel);
    MSEL_ReceiveLine(OTHER_LINE, MSEL_KEY, acEntry);
    MSEL* pSel = pKivo->pMsels;

    ASSERT_EQ(CMPNT_Init(), SUCCESS);
    CMPNT* pC = pKivo->pCmpnts;
    PIN_LinkPin(&pC->pPins, MakePin("1 P s1"));
    PIN_LinkPin(&pC->pPins, MakePin("2 N rx"));
    DIFPIN* pDiff = new DIFPIN;
    pDiff->sDiff_Pin = "1";
    pDiff->sInv_pin = "2";
    pC->pDiff_Pins = pDiff;

    MDL* pMdl = new MDL;
    pMdl->sModel = "rx";
    KIVO_AddMdl(pKivo, pMdl);
    PIN* pFound = nullptr;
    EXPECT_EQ(CMPNT_IsDifferentialPinModel(pMdl, &pFound), TRUE);
    ASSERT_NE(pFound, nullptr);
    EXPECT_EQ(pFound->sPin, "2");
    EXPECT_EQ(pMdl->usage, USAGE_DIFFERENTIAL);
    EXPECT_EQ(pSel->usage, USAGE_DIFFERENTIAL);

    MDL* pOther = new MDL;
    pOther->sModel = "unused";
    KIVO_AddMdl(pKivo, pOther);
    EXPECT_EQ(CMPNT_IsDifferentialPinModel(pOther, nullptr), FALSE);
    EXPECT_EQ(pOther->usage, USAGE_NOTKNOWN);
}

TEST_F(NameLookupTest, DifferentialQueryWithoutComponentsIsAProgramBug)
{
    // A file with models but no [Component]: the query cannot reach the
    // component list, says so as a line bug naming its own source position,
    // and answers that the model is not differential.
    ASSERT_EQ(KIVO_New(), SUCCESS);
    KIVO* pKivo = nullptr;
    ASSERT_EQ(KIVO_GetKIVO(&pKivo), SUCCESS);
    MDL* pMdl = new MDL;
    pMdl->sModel = "rx";
    KIVO_AddMdl(pKivo, pMdl);
    PIN* pFound = nullptr;
    EXPECT_EQ(CMPNT_IsDifferentialPinModel(pMdl, &pFound), FALSE);
    EXPECT_EQ(pFound, nullptr);
    EXPECT_EQ(pMdl->usage, USAGE_NOTKNOWN);
    const std::string sLog = Log();
    const std::regex re("B0547 \\(line +[0-9]+\\) - cmpnt\\.c:[0-9]+:Unable to get Components\\.\n");
    EXPECT_TRUE(std::regex_match(sLog, re)) << sLog;
}

}  // namespace

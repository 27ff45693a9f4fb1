#include "parse/kivo.h"

#include <gtest/gtest.h>

#include <csignal>
#include <cstdio>
#include <string>

#include "algmodel/algmod.h"
#include "common/errlog.h"
#include "component/cmpnt.h"
#include "driver/reset.h"
#include "model/mdl.h"
#include "parse/hdr.h"
#include "test_support.h"

namespace {

class KivoTest : public ProgramStateTest {};

KIVO* Top()
{
    KIVO* p = nullptr;
    KIVO_GetKIVO(&p);
    return p;
}

TEST_F(KivoTest, RootsFormAStack)
{
    KIVO* p = nullptr;
    EXPECT_EQ(KIVO_GetKIVO(&p), FAILURE);
    EXPECT_EQ(p, nullptr);

    ASSERT_EQ(KIVO_New(), SUCCESS);
    KIVO* pBottom = Top();
    ASSERT_EQ(KIVO_New(), SUCCESS);
    KIVO* pTop = Top();
    EXPECT_NE(pTop, pBottom);
    EXPECT_EQ(pTop->pNext, pBottom);

    // A nested run frees its own root; the referencing file's root is on top again.
    KIVO_Free(pTop);
    EXPECT_EQ(Top(), pBottom);
    KIVO_Free(pBottom);
    EXPECT_EQ(KIVO_GetKIVO(&p), FAILURE);
}

TEST_F(KivoTest, FreeingARootBelowTheTopUnlinksIt)
{
    ASSERT_EQ(KIVO_New(), SUCCESS);
    KIVO* pA = Top();
    ASSERT_EQ(KIVO_New(), SUCCESS);
    KIVO* pB = Top();
    ASSERT_EQ(KIVO_New(), SUCCESS);
    KIVO* pC = Top();

    KIVO_Free(pB);
    EXPECT_EQ(Top(), pC);
    EXPECT_EQ(pC->pNext, pA);
    KIVO_Free(pC);
    EXPECT_EQ(Top(), pA);
    EXPECT_EQ(pA->pNext, nullptr);
}

TEST_F(KivoTest, ListsHoldRecordsNewestFirst)
{
    ASSERT_EQ(KIVO_New(), SUCCESS);
    KIVO* pKivo = Top();
    MDL* pOut = nullptr;
    EXPECT_EQ(KIVO_GetMdls(pKivo, &pOut), FAILURE);
    EXPECT_EQ(pOut, nullptr);

    MDL* pFirst = new MDL;
    MDL* pSecond = new MDL;
    KIVO_AddMdl(pKivo, pFirst);
    KIVO_AddMdl(pKivo, pSecond);
    ASSERT_EQ(KIVO_GetMdls(pKivo, &pOut), SUCCESS);
    EXPECT_EQ(pOut, pSecond);
    EXPECT_EQ(pOut->pNext, pFirst);
    EXPECT_EQ(pFirst->pNext, nullptr);

    HDR* pH1 = new HDR;
    HDR* pH2 = new HDR;
    KIVO_AddHdr(pKivo, pH1);
    KIVO_AddHdr(pKivo, pH2);
    HDR* pHdrs = nullptr;
    ASSERT_EQ(KIVO_GetHdrs(pKivo, &pHdrs), SUCCESS);
    EXPECT_EQ(pHdrs, pH2);
    EXPECT_EQ(pHdrs->pNext, pH1);
    // Freed with the root (the sanitizer build reports any leak).
}

// The check pass of a file without components reports the missing
// [Component]; the executable probe prints its two status lines once each,
// around the probes, and only when some model has an algorithmic model.
TEST_F(KivoTest, CheckPassStatusLinesOfTheExecutableProbe)
{
    const std::string sOpen = "... Status of [Algorithmic Model] Executables for Linux 64:\n";
    const std::string sClose = "... This ZIROVIR6 executable supports Linux 64 bit only\n";

    ASSERT_EQ(KIVO_New(), SUCCESS);
    KIVO_AddMdl(Top(), new MDL);
    fflush(stdout);
    testing::internal::CaptureStdout();
    KIVO_Test();
    fflush(stdout);
    std::string out = testing::internal::GetCapturedStdout();
    EXPECT_NE(out.find("ERROR - Required keyword 'Component' not found.\n"), std::string::npos) << out;
    EXPECT_EQ(out.find(sOpen), std::string::npos) << out;
    EXPECT_EQ(out.find(sClose), std::string::npos) << out;

    // Three models, the two outer ones with algorithmic models.
    KIVOCHK_ResetAll();
    ASSERT_EQ(KIVO_New(), SUCCESS);
    MDL* pM1 = new MDL;
    pM1->pAlgModel = new ALGMOD;
    KIVO_AddMdl(Top(), pM1);
    KIVO_AddMdl(Top(), new MDL);
    MDL* pM3 = new MDL;
    pM3->pAlgModel = new ALGMOD;
    KIVO_AddMdl(Top(), pM3);
    fflush(stdout);
    testing::internal::CaptureStdout();
    KIVO_Test();
    fflush(stdout);
    out = testing::internal::GetCapturedStdout();
    for (MDL* pM : {pM1, pM3}) {
        ALGMOD_Free(pM->pAlgModel);
        pM->pAlgModel = nullptr;
    }
    const auto posOpen = out.find(sOpen);
    const auto posClose = out.find(sClose);
    ASSERT_NE(posOpen, std::string::npos) << out;
    ASSERT_NE(posClose, std::string::npos) << out;
    EXPECT_LT(posOpen, posClose);
    EXPECT_EQ(out.find(sOpen, posOpen + 1), std::string::npos) << out;
    EXPECT_EQ(out.find(sClose, posClose + 1), std::string::npos) << out;
    // The missing-component error comes before the probe.
    EXPECT_LT(out.find("Required keyword 'Component' not found."), posOpen);
}

TEST_F(KivoTest, ResetFreesEveryRoot)
{
    ASSERT_EQ(KIVO_New(), SUCCESS);
    KIVO_AddCmpnt(Top(), new CMPNT);
    ASSERT_EQ(KIVO_New(), SUCCESS);
    KIVO_Reset();
    KIVO* p = nullptr;
    EXPECT_EQ(KIVO_GetKIVO(&p), FAILURE);
}

// A null root handed to an accessor is a fault of the calling code: the
// assertion line is printed and the program aborts (rather than crashing on
// the root's field).
TEST(KivoDeathTest, AccessorsCheckTheRootFirst)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    MDL* pMdls = nullptr;
    EXPECT_EXIT(KIVO_GetMdls(nullptr, &pMdls), testing::KilledBySignal(SIGABRT), "");
    HDR* pHdrs = nullptr;
    EXPECT_EXIT(KIVO_GetHdrs(nullptr, &pHdrs), testing::KilledBySignal(SIGABRT), "");
}

}  // namespace

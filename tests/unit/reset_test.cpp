#include "driver/reset.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "common/errlog.h"
#include "model/submdl.h"
#include "parse/kivo.h"
#include "test_support.h"

namespace {

class ResetTest : public ProgramStateTest {};

// A submodel still open when its file's root goes away must not be written
// to by the next file checked in the same process: after the reset, a data
// line without a [Submodel] is an orphan.
TEST_F(ResetTest, OpenSubmodelIsForgotten)
{
    ASSERT_EQ(KIVO_New(), SUCCESS);
    ASSERT_EQ(SUBMDL_Init(), SUCCESS);
    KIVOCHK_ResetAll();

    ASSERT_EQ(KIVO_New(), SUCCESS);
    std::vector<char> line = {'x', '\0'};
    std::string out = CaptureLog([&] { SUBMDL_ReceiveLine(OTHER_LINE, NOT_KEY, line.data()); });
    EXPECT_EQ(out, "ERROR (line    1) - Orphan data line keyword.\n");
}

// Counters and switches of the message log start over.
TEST_F(ResetTest, MessageLogStartsOver)
{
    gbOldStyleErrors = FALSE;
    gbSuppressCautions = FALSE;
    CaptureLog([] { ERRLOG_ErrorNew(4101); });
    KIVOCHK_ResetAll();
    EXPECT_EQ(CaptureLog([] {
                  ERRLOG_CautionNew(1913, "x");
                  ERRLOG_Totals();
              }),
              "Errors  : 0\n\nFile Passed\n");
}

}  // namespace

#include "driver/reset.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "common/errlog.h"
#include "model/submdl.h"
#include "parse/kivo.h"

namespace {

// Runs fn with the message log writing into a temporary stream and returns
// what it printed.
template <class F>
std::string Capture(F fn)
{
    FILE* f = std::tmpfile();
    EXPECT_NE(f, nullptr);
    ERRLOG_SetOutputFile(f);
    fn();
    std::fflush(f);
    std::rewind(f);
    std::string out;
    char buf[4096];
    std::size_t n;
    while ((n = std::fread(buf, 1, sizeof buf, f)) > 0) out.append(buf, n);
    std::fclose(f);
    ERRLOG_SetOutputFile(nullptr);
    return out;
}

class ResetTest : public ::testing::Test {
protected:
    void SetUp() override { KIVOCHK_ResetAll(); }
    void TearDown() override { KIVOCHK_ResetAll(); }
};

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
    std::string out = Capture([&] { SUBMDL_ReceiveLine(OTHER_LINE, NOT_KEY, line.data()); });
    EXPECT_EQ(out, "ERROR (line    1) - Orphan data line keyword.\n");
}

// Counters and switches of the message log start over.
TEST_F(ResetTest, MessageLogStartsOver)
{
    gbOldStyleErrors = FALSE;
    gbSuppressCautions = FALSE;
    Capture([] { ERRLOG_ErrorNew(4101); });
    KIVOCHK_ResetAll();
    EXPECT_EQ(Capture([] {
                  ERRLOG_CautionNew(1913, "x");
                  ERRLOG_Totals();
              }),
              "Errors  : 0\n\nFile Passed\n");
}

}  // namespace

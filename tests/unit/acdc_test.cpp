// Operating points into a resistive load and the reference voltages of the
// ramp and ISSO checks, on small tables worked out by hand.
#include "checks/acdc.h"

#include <gtest/gtest.h>

#include <cmath>
#include <initializer_list>
#include <limits>

#include "common/rng.h"
#include "model/crv.h"
#include "curve_tables.h"

namespace {

TEST(AcdcIntersection, LinesAndParallels)
{
    double x = 7.0, y = 7.0;
    ASSERT_EQ(acdc_Interesction(-1.0, 2.0, 1.0, 0.0, &x, &y), 1);  // y = 2 - x, y = x
    EXPECT_DOUBLE_EQ(x, 1.0);
    EXPECT_DOUBLE_EQ(y, 1.0);
    x = y = 7.0;
    EXPECT_EQ(acdc_Interesction(0.5, 1.0, 0.5, 2.0, &x, &y), 0);
    EXPECT_EQ(x, 7.0);
    EXPECT_EQ(y, 7.0);
}

// Zero-current crossings at 0.5, 1.5, 2.5 and 3.5 V.
TEST(AcdcOperatingPoint, HintPicksAmongSeveralCrossings)
{
    CRV* c = MakeTyp({{0, -1}, {1, 1}, {2, -1}, {3, 1}, {4, -1}});
    double v = 0.0, i = 0.0;
    ASSERT_EQ(acdc_VI_Given_VIC_VR(c, 0.0, 1e32, QRY_TYP, 0.0, &v, &i), 1);  // open load
    EXPECT_DOUBLE_EQ(v, 0.5);
    ASSERT_EQ(acdc_VI_Given_VIC_VR(c, 0.0, 1e32, QRY_TYP, 2.4, &v, &i), 1);
    EXPECT_DOUBLE_EQ(v, 2.5);
    ASSERT_EQ(acdc_VI_Given_VIC_VR(c, 0.0, 1e32, QRY_TYP, 10.0, &v, &i), 1);
    EXPECT_DOUBLE_EQ(v, 3.5);
    ASSERT_EQ(acdc_VI_Given_VIC_VR(c, 0.0, 1e32, QRY_TYP, 1.6, &v, &i), 1);
    EXPECT_DOUBLE_EQ(v, 1.5);
    CRV_Free(c);
}

TEST(AcdcOperatingPoint, ResistorLoadOnALinearTable)
{
    // Table I = V / 20 (20 ohms to ground), load 50 ohms to 3.3 V: the
    // divider gives 3.3 * 20 / 70.
    CRV* c = MakeTyp({{-1, -0.05}, {0, 0}, {4, 0.2}});
    double v = 0.0, i = 0.0;
    ASSERT_EQ(acdc_VI_Given_VIC_VR(c, 3.3, 50.0, QRY_TYP, 0.0, &v, &i), 1);
    EXPECT_NEAR(v, 3.3 * 20.0 / 70.0, 1e-12);
    EXPECT_NEAR(i, 3.3 / 70.0, 1e-12);
    // A zero resistor pins the pin to the fixture voltage.
    ASSERT_EQ(acdc_VI_Given_VIC_VR(c, 1.0, 0.0, QRY_TYP, 0.0, &v, &i), 1);
    EXPECT_DOUBLE_EQ(v, 1.0);
    CRV_Free(c);
}

TEST(AcdcOperatingPoint, EndSegmentsExtend)
{
    // Always positive current: the load line I = -V meets the first segment
    // extended below 0 V, at -0.5 V.
    CRV* up = MakeTyp({{0, 1}, {1, 2}});
    double v = 0.0, i = 0.0;
    ASSERT_EQ(acdc_VI_Given_VIC_VR(up, 0.0, 1.0, QRY_TYP, 0.0, &v, &i), 1);
    EXPECT_DOUBLE_EQ(v, -0.5);
    EXPECT_DOUBLE_EQ(i, 0.5);
    // I = V - 2 against I = 5 - V: the last segment extended up to 3.5 V.
    CRV* down = MakeTyp({{0, -2}, {1, -1}});
    ASSERT_EQ(acdc_VI_Given_VIC_VR(down, 5.0, 1.0, QRY_TYP, 0.0, &v, &i), 1);
    EXPECT_DOUBLE_EQ(v, 3.5);
    EXPECT_DOUBLE_EQ(i, 1.5);
    CRV_Free(up);
    CRV_Free(down);
}

TEST(AcdcOperatingPoint, NoAnswer)
{
    double v = 9.0, i = 9.0;
    CRV* desc = MakeTyp({{1, 0}, {0, 1}});
    EXPECT_EQ(acdc_VI_Given_VIC_VR(desc, 0.0, 1.0, QRY_TYP, 0.0, &v, &i), 0);
    CRV* parallel = MakeTyp({{0, 0}, {1, -1}});  // slope equals the load's
    EXPECT_EQ(acdc_VI_Given_VIC_VR(parallel, 0.0, 1.0, QRY_TYP, 0.0, &v, &i), 0);
    CRV* one = MakeTyp({{0, 0}, {1, CELL_NA}});
    EXPECT_EQ(acdc_VI_Given_VIC_VR(one, 0.0, 1.0, QRY_TYP, 0.0, &v, &i), 0);
    EXPECT_EQ(acdc_VI_Given_VIC_VR(nullptr, 0.0, 1.0, QRY_TYP, 0.0, &v, &i), 0);
    EXPECT_EQ(v, 9.0);
    EXPECT_EQ(i, 9.0);
    CRV_Free(desc);
    CRV_Free(parallel);
    CRV_Free(one);
}

TEST(AcdcReferences, Pullup)
{
    double d = -1.0;
    RNG* ref = MakeRng(5.0, CELL_NA, CELL_NONE);
    RNG* vr = MakeRng(3.3, 3.0, CELL_NA);
    EXPECT_EQ(acdc_getPullupReference(ref, vr, QRY_TYP, &d), 1);
    EXPECT_EQ(d, 5.0);
    EXPECT_EQ(acdc_getPullupReference(ref, vr, QRY_MIN, &d), 1);
    EXPECT_EQ(d, 5.0);  // NA minimum: the reference's typical
    EXPECT_EQ(acdc_getPullupReference(ref, vr, QRY_MAX, &d), 1);
    EXPECT_EQ(d, 3.3);  // no reference maximum; range maximum NA: range typical
    EXPECT_EQ(acdc_getPullupReference(nullptr, vr, QRY_MIN, &d), 1);
    EXPECT_EQ(d, 3.0);

    RNG* vr2 = MakeRng(3.3, CELL_NONE, 3.6);
    d = -1.0;
    EXPECT_EQ(acdc_getPullupReference(nullptr, vr2, QRY_MIN, &d), 0);
    EXPECT_EQ(d, -1.0);
    EXPECT_EQ(acdc_getPullupReference(nullptr, vr2, QRY_MAX, &d), 1);
    EXPECT_EQ(d, 3.6);

    RNG* ref2 = MakeRng(CELL_NA, CELL_NA, 1.0);
    EXPECT_EQ(acdc_getPullupReference(ref2, nullptr, QRY_TYP, &d), 0);
    EXPECT_EQ(acdc_getPullupReference(ref2, vr, QRY_MIN, &d), 0);  // NA without a typical: no fallback
    EXPECT_EQ(acdc_getPullupReference(ref2, nullptr, QRY_MAX, &d), 1);
    EXPECT_EQ(d, 1.0);
    EXPECT_EQ(acdc_getPullupReference(nullptr, nullptr, QRY_TYP, &d), 0);
    for (RNG* r : {ref, vr, vr2, ref2}) RNG_Free(r);
}

TEST(AcdcReferences, Pulldown)
{
    double d = -1.0;
    for (QRY_PROCESS c : {QRY_TYP, QRY_MIN, QRY_MAX}) {
        d = -1.0;
        EXPECT_EQ(acdc_getPulldownReference(nullptr, c, &d), 1);
        EXPECT_EQ(d, 0.0);
    }
    RNG* ref = MakeRng(CELL_NA, CELL_NA, 0.5);
    EXPECT_EQ(acdc_getPulldownReference(ref, QRY_TYP, &d), 1);
    EXPECT_EQ(d, 0.0);
    d = -1.0;
    EXPECT_EQ(acdc_getPulldownReference(ref, QRY_MIN, &d), 0);
    EXPECT_EQ(d, -1.0);
    EXPECT_EQ(acdc_getPulldownReference(ref, QRY_MAX, &d), 1);
    EXPECT_EQ(d, 0.5);
    RNG* ref2 = MakeRng(0.2, CELL_NONE, CELL_NA);
    EXPECT_EQ(acdc_getPulldownReference(ref2, QRY_MIN, &d), 1);
    EXPECT_EQ(d, 0.0);
    EXPECT_EQ(acdc_getPulldownReference(ref2, QRY_MAX, &d), 1);
    EXPECT_EQ(d, 0.2);
    RNG_Free(ref);
    RNG_Free(ref2);
}

TEST(AcdcCurrents, NotZero)
{
    CRV* zero = MakeTyp({{0, 0}, {1, 0}});
    CRV* lone = MakeTyp({{CELL_NA, 1}, {0, 0}});  // current only where no voltage
    CRV* nan = MakeTyp({{0, 0}, {1, std::numeric_limits<double>::quiet_NaN()}});
    CRV* some = MakeTyp({{0, 0}, {1, -1e-9}});
    EXPECT_EQ(acdc_CurrentNotZero(nullptr), 0);
    EXPECT_EQ(acdc_CurrentNotZero(zero), 0);
    EXPECT_EQ(acdc_CurrentNotZero(lone), 0);
    EXPECT_EQ(acdc_CurrentNotZero(nan), 1);
    EXPECT_EQ(acdc_CurrentNotZero(some), 1);
    for (CRV* c : {zero, lone, nan, some}) CRV_Free(c);
}

}  // namespace

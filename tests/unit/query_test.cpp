// Curve arithmetic on small tables whose results are worked out by hand.
#include "checks/query.h"

#include <gtest/gtest.h>

#include <cmath>
#include <initializer_list>
#include <vector>

#include "common/rng.h"
#include "model/crv.h"
#include "model/mdl.h"
#include "curve_tables.h"

namespace {

std::vector<double> Xs(const CRV* pCrv)
{
    std::vector<double> v;
    for (const RNGP* p = pCrv->pCurve; p != nullptr; p = p->pNext) v.push_back(p->dValue);
    return v;
}

// The list's back links must mirror its forward links.
void ExpectConsistentLinks(const CRV* pCrv)
{
    const RNGP* pPrev = nullptr;
    for (const RNGP* p = pCrv->pCurve; p != nullptr; p = p->pNext) {
        EXPECT_EQ(p->pPrev, pPrev);
        pPrev = p;
    }
}

double Y(CRV* pCrv, double v, QRY_PROCESS c = QRY_TYP)
{
    double d = -12345.0;
    EXPECT_EQ(qry_Y(pCrv, v, c, &d), 1) << "at " << v;
    return d;
}

// ---------------------------------------------------------------------------
// Points and iteration.
// ---------------------------------------------------------------------------
TEST(QueryPoints, XPointsSkipRowsWithoutVoltage)
{
    CRV* c = MakeCrv(
        {{CELL_NONE, 1, 1, 1}, {0.0, 2, 2, 2}, {CELL_NA, 3, 3, 3}, {1.0, 4, 4, 4}, {CELL_NONE, 5, 5, 5}});
    double x = -7.0;
    RNGP* p = qry_FirstXPoint(c->pCurve, &x);
    ASSERT_NE(p, nullptr);
    EXPECT_EQ(x, 0.0);
    p = qry_NextXPoint(p, &x);
    ASSERT_NE(p, nullptr);
    EXPECT_EQ(x, 1.0);
    EXPECT_EQ(p->dTyp, 4.0);
    // Nothing after it: null, and x keeps its value.
    x = -7.0;
    EXPECT_EQ(qry_NextXPoint(p, &x), nullptr);
    EXPECT_EQ(x, -7.0);
    EXPECT_EQ(qry_LastXPoint(c->pCurve, &x), p);
    EXPECT_EQ(x, 1.0);
    EXPECT_EQ(qry_PrevXPoint(p, &x)->dTyp, 2.0);
    EXPECT_EQ(x, 0.0);
    x = -7.0;
    EXPECT_EQ(qry_ThisXPoint(c->pCurve, &x), nullptr);  // first row has no voltage
    EXPECT_EQ(x, -7.0);
    CRV_Free(c);
}

TEST(QueryPoints, YPointsNeedVoltageAndTheCornersCurrent)
{
    CRV* c = MakeCrv({{0.0, 1, CELL_NA, 10}, {1.0, CELL_NA, 2, 20}, {2.0, 3, CELL_NONE, CELL_NONE},
                      {CELL_NA, 4, 4, 4}});
    double x = -7.0, y = -7.0;
    // Minimum: only the second row.
    RNGP* p = qry_FirstYPoint(c->pCurve, QRY_MIN, &x, &y);
    ASSERT_NE(p, nullptr);
    EXPECT_EQ(x, 1.0);
    EXPECT_EQ(y, 2.0);
    x = y = -7.0;
    EXPECT_EQ(qry_NextYPoint(p, QRY_MIN, &x, &y), nullptr);
    EXPECT_EQ(x, -7.0);
    EXPECT_EQ(y, -7.0);
    // Typical: rows one and three; the NA voltage row does not count.
    p = qry_LastYPoint(c->pCurve, QRY_TYP, &x, &y);
    ASSERT_NE(p, nullptr);
    EXPECT_EQ(x, 2.0);
    EXPECT_EQ(y, 3.0);
    p = qry_PrevYPoint(p, QRY_TYP, &x, &y);
    ASSERT_NE(p, nullptr);
    EXPECT_EQ(x, 0.0);
    EXPECT_EQ(y, 1.0);
    EXPECT_EQ(qry_ThisYPoint(c->pCurve->pNext, QRY_TYP, &x, &y), nullptr);
    EXPECT_EQ(qry_ThisYPoint(c->pCurve->pNext, QRY_MAX, &x, &y), c->pCurve->pNext);
    EXPECT_EQ(y, 20.0);
    // A value that is not one corner selects no column.
    EXPECT_EQ(qry_FirstYPoint(c->pCurve, static_cast<QRY_PROCESS>(3), &x, &y), nullptr);
    CRV_Free(c);
}

TEST(QueryPoints, ProcessStrings)
{
    EXPECT_STREQ(qry_ProcessString(QRY_TYP), "TYP");
    EXPECT_STREQ(qry_ProcessString(QRY_MIN), "MIN");
    EXPECT_STREQ(qry_ProcessString(QRY_MAX), "MAX");
    EXPECT_STREQ(qry_ProcessString(static_cast<QRY_PROCESS>(3)), "UNK");
    EXPECT_STREQ(qry_ProcessString(static_cast<QRY_PROCESS>(0)), "UNK");
}

TEST(QueryPoints, BadWhenFewerThanTwoYPoints)
{
    CRV* c = MakeCrv({{0.0, 1, CELL_NA, 1}, {1.0, 2, 5, CELL_NONE}, {2.0, 3, CELL_NA, CELL_NONE}});
    EXPECT_EQ(qry_RngpIsBad(c->pCurve, QRY_TYP), 0);
    EXPECT_EQ(qry_RngpIsBad(c->pCurve, QRY_MIN), 1);
    EXPECT_EQ(qry_RngpIsBad(c->pCurve, QRY_MAX), 1);
    EXPECT_EQ(qry_RngpIsBad(nullptr, QRY_TYP), 1);
    CRV_Free(c);
}

TEST(QueryPoints, SetAndUnsetPoint)
{
    RNGP r;
    qry_SetPoint(&r, QRY_MAX, 1.5, -2.0);
    EXPECT_EQ(r.eValueStat, SET);
    EXPECT_EQ(r.dValue, 1.5);
    EXPECT_EQ(r.eMaxStat, SET);
    EXPECT_EQ(r.dMax, -2.0);
    EXPECT_EQ(r.eTypStat, NOT_SET);
    EXPECT_EQ(r.eMinStat, NOT_SET);
    qry_SetPoint(&r, static_cast<QRY_PROCESS>(5), 2.5, 9.0);  // unknown corner: only X
    EXPECT_EQ(r.dValue, 2.5);
    EXPECT_EQ(r.eTypStat, NOT_SET);
    EXPECT_EQ(r.eMinStat, NOT_SET);
    qry_UnsetPoint(&r);
    EXPECT_EQ(r.eValueStat, NOT_SET);
    EXPECT_EQ(r.eMaxStat, NOT_SET);
}

// ---------------------------------------------------------------------------
// Reversal, shift, mirror, direction.
// ---------------------------------------------------------------------------
TEST(QueryAxis, ReverseTwiceRestoresTheList)
{
    CRV* c = MakeTyp({{0, 0}, {1, 1}, {2, 4}});
    RNGP* pOldTail = c->pCurve->pNext->pNext;
    c->pCurve = qry_ReverseRngpLinks(c->pCurve);
    EXPECT_EQ(c->pCurve, pOldTail);
    EXPECT_EQ(Xs(c), (std::vector<double>{2, 1, 0}));
    ExpectConsistentLinks(c);
    c->pCurve = qry_ReverseRngpLinks(c->pCurve);
    EXPECT_EQ(Xs(c), (std::vector<double>{0, 1, 2}));
    ExpectConsistentLinks(c);
    EXPECT_EQ(qry_ReverseRngpLinks(nullptr), nullptr);
    CRV_Free(c);
}

TEST(QueryAxis, ShiftAndMirrorMoveGivenVoltagesOnly)
{
    CRV* c = MakeCrv({{1.0, 0, 0, 0}, {CELL_NA, 0, 0, 0}, {CELL_NONE, 0, 0, 0}, {0.0, 0, 0, 0}});
    qry_ShiftX(c->pCurve, 0.5);
    EXPECT_EQ(Xs(c), (std::vector<double>{1.5, 0.5, 0.0, 0.5}));
    qry_ShiftX(c->pCurve, -0.5);
    qry_NegateX(c->pCurve);
    const std::vector<double> v = Xs(c);
    EXPECT_EQ(v[0], -1.0);
    EXPECT_EQ(v[2], 0.0);
    EXPECT_FALSE(std::signbit(v[2]));  // not given: untouched
    EXPECT_TRUE(std::signbit(v[3]));   // 0.0 mirrors to -0.0
    EXPECT_TRUE(std::signbit(v[1]));   // NA voltage (held as 0) is mirrored too
    CRV_Free(c);
}

TEST(QueryAxis, DirectionOfTheVoltageColumn)
{
    CRV* up = MakeTyp({{0, 0}, {1, 1}});
    CRV* down = MakeTyp({{1, 0}, {0, 1}});
    CRV* leadUp = MakeTyp({{2, 0}, {2, 0}, {3, 0}, {1, 0}});
    CRV* leadDown = MakeTyp({{2, 0}, {2, 0}, {1, 0}});
    CRV* flat = MakeTyp({{2, 0}, {2, 1}, {2, 2}});
    CRV* one = MakeTyp({{2, 0}});
    CRV* gap = MakeCrv({{CELL_NA, 0, 0, 0}, {3.0, 0, 0, 0}, {CELL_NONE, 0, 0, 0}, {1.0, 0, 0, 0}});
    EXPECT_EQ(qry_ValueDirection(up->pCurve), 1);
    EXPECT_EQ(qry_ValueDirection(down->pCurve), -1);
    EXPECT_EQ(qry_ValueDirection(leadUp->pCurve), 1);
    EXPECT_EQ(qry_ValueDirection(leadDown->pCurve), -1);
    EXPECT_EQ(qry_ValueDirection(flat->pCurve), 0);
    EXPECT_EQ(qry_ValueDirection(one->pCurve), 0);
    EXPECT_EQ(qry_ValueDirection(gap->pCurve), -1);
    EXPECT_EQ(qry_ValueDirection(nullptr), 0);
    for (CRV* c : {up, down, leadUp, leadDown, flat, one, gap}) CRV_Free(c);
}

// ---------------------------------------------------------------------------
// Interpolation and extrapolation.
// ---------------------------------------------------------------------------
// (0,0) (1,2) (3,3): slope 2 on the first segment, 0.5 on the second.
TEST(QueryInterpolation, AtAndBetweenPoints)
{
    CRV* c = MakeTyp({{0, 0}, {1, 2}, {3, 3}});
    EXPECT_DOUBLE_EQ(Y(c, 0.0), 0.0);
    EXPECT_DOUBLE_EQ(Y(c, 1.0), 2.0);
    EXPECT_DOUBLE_EQ(Y(c, 3.0), 3.0);
    EXPECT_DOUBLE_EQ(Y(c, 0.5), 1.0);
    EXPECT_DOUBLE_EQ(Y(c, 2.0), 2.5);
    EXPECT_DOUBLE_EQ(Y(c, 2.6), 2.8);
    CRV_Free(c);
}

TEST(QueryInterpolation, ExtrapolatesAlongTheEndSegments)
{
    CRV* c = MakeTyp({{0, 0}, {1, 2}, {3, 3}});
    EXPECT_DOUBLE_EQ(Y(c, -1.0), -2.0);  // 0 + 2 * (-1)
    EXPECT_DOUBLE_EQ(Y(c, -2.5), -5.0);
    EXPECT_DOUBLE_EQ(Y(c, 5.0), 4.0);  // 3 + 0.5 * 2
    EXPECT_DOUBLE_EQ(Y(c, 7.0), 5.0);
    CRV_Free(c);
}

TEST(QueryInterpolation, DescendingTableActsLikeAscending)
{
    CRV* c = MakeTyp({{3, 3}, {1, 2}, {0, 0}});
    EXPECT_DOUBLE_EQ(Y(c, 0.5), 1.0);
    EXPECT_DOUBLE_EQ(Y(c, 2.0), 2.5);
    EXPECT_DOUBLE_EQ(Y(c, 1.0), 2.0);
    EXPECT_DOUBLE_EQ(Y(c, -1.0), -2.0);
    EXPECT_DOUBLE_EQ(Y(c, 5.0), 4.0);
    EXPECT_EQ(Xs(c), (std::vector<double>{3, 1, 0}));  // untouched
    CRV_Free(c);
}

TEST(QueryInterpolation, CornersUseTheirOwnColumnAndSkipNA)
{
    // Minimum is NA in the middle row, so its line runs (0,-4)-(2,0).
    CRV* c = MakeCrv({{0.0, 0, -4, 10}, {1.0, 1, CELL_NA, 30}, {2.0, 2, 0, CELL_NONE}});
    EXPECT_DOUBLE_EQ(Y(c, 1.0, QRY_MIN), -2.0);
    EXPECT_DOUBLE_EQ(Y(c, 3.0, QRY_MIN), 2.0);
    // Maximum: (0,10) (1,30), extrapolated beyond 1 along that segment.
    EXPECT_DOUBLE_EQ(Y(c, 2.0, QRY_MAX), 50.0);
    EXPECT_DOUBLE_EQ(Y(c, 0.25, QRY_MAX), 15.0);
    CRV_Free(c);
}

TEST(QueryInterpolation, SingleYPointIsFlat)
{
    CRV* c = MakeCrv({{0.0, 1, CELL_NA, 0}, {1.0, 2, 7, 0}, {2.0, 3, CELL_NA, 0}});
    EXPECT_DOUBLE_EQ(Y(c, -3.0, QRY_MIN), 7.0);
    EXPECT_DOUBLE_EQ(Y(c, 1.0, QRY_MIN), 7.0);
    EXPECT_DOUBLE_EQ(Y(c, 9.0, QRY_MIN), 7.0);
    CRV_Free(c);
}

TEST(QueryInterpolation, FailsWithoutUsableData)
{
    double d = 42.0;
    EXPECT_EQ(qry_Y(nullptr, 0.0, QRY_TYP, &d), 0);
    CRV empty;
    EXPECT_EQ(qry_Y(&empty, 0.0, QRY_TYP, &d), 0);
    CRV* flat = MakeTyp({{1, 0}, {1, 5}});
    EXPECT_EQ(qry_Y(flat, 1.0, QRY_TYP, &d), 0);
    CRV* noMin = MakeCrv({{0.0, 1, CELL_NA, 0}, {1.0, 2, CELL_NONE, 0}});
    EXPECT_EQ(qry_Y(noMin, 0.5, QRY_MIN, &d), 0);
    EXPECT_EQ(d, 42.0);
    RNGP* pNone = noMin->pCurve;
    EXPECT_EQ(qry_YRngp(&pNone, 1, 0.5, QRY_MIN, &d), 0);
    EXPECT_EQ(pNone, nullptr);  // nothing to resume from
    RNGP* pStart = noMin->pCurve;
    EXPECT_EQ(qry_YRngp(&pStart, 0, 0.5, QRY_TYP, &d), 0);  // no direction
    EXPECT_EQ(pStart, noMin->pCurve);
    CRV_Free(flat);
    CRV_Free(noMin);
}

TEST(QueryInterpolation, RepeatedVoltages)
{
    // A step at 1 V: between the steps the segment before them is used.
    CRV* step = MakeTyp({{0, 0}, {1, 1}, {1, 2}, {2, 3}});
    EXPECT_DOUBLE_EQ(Y(step, 0.5), 0.5);
    EXPECT_DOUBLE_EQ(Y(step, 1.0), 1.0);
    EXPECT_DOUBLE_EQ(Y(step, 1.5), 2.5);
    // A table ending in a step stays at the last current beyond it, rather
    // than following the vertical step.
    CRV* tail = MakeTyp({{0, 0}, {1, 1}, {1, 2}});
    EXPECT_DOUBLE_EQ(Y(tail, 5.0), 2.0);
    CRV_Free(step);
    CRV_Free(tail);
}

TEST(QueryInterpolation, ResumePointGivesTheSameResults)
{
    CRV* c = MakeTyp({{0, 0}, {1, 2}, {2, 2}, {4, 6}, {5, 5}});
    RNGP* pResume = c->pCurve;
    const double vs[] = {-1.0, 0.0, 0.5, 1.0, 1.5, 3.0, 4.0, 4.5, 7.0};
    const double want[] = {-2.0, 0.0, 1.0, 2.0, 2.0, 4.0, 6.0, 5.5, 3.0};
    for (int i = 0; i < 9; ++i) {
        double d = 0.0;
        ASSERT_EQ(qry_YRngp(&pResume, 1, vs[i], QRY_TYP, &d), 1);
        EXPECT_DOUBLE_EQ(d, want[i]) << "at " << vs[i];
        EXPECT_DOUBLE_EQ(Y(c, vs[i]), want[i]);
    }
    CRV_Free(c);
}

// ---------------------------------------------------------------------------
// Sums.
// ---------------------------------------------------------------------------
TEST(QuerySum, UnequalGridsAreMergedAndEachSideInterpolated)
{
    // A: slope 2 through (0,0); B: slope 5 through (1,10).
    CRV* a = MakeTyp({{0, 0}, {2, 4}});
    CRV* b = MakeTyp({{1, 10}, {3, 20}});
    CRV* s = qry_AddCrvsProcess(a, b, QRY_TYP);
    ASSERT_NE(s, nullptr);
    EXPECT_EQ(Xs(s), (std::vector<double>{0, 1, 2, 3}));
    const double want[] = {5.0, 12.0, 19.0, 26.0};
    int i = 0;
    for (const RNGP* p = s->pCurve; p != nullptr; p = p->pNext, ++i) {
        EXPECT_EQ(p->eValueStat, SET);
        EXPECT_EQ(p->eTypStat, SET);
        EXPECT_DOUBLE_EQ(p->dTyp, want[i]);
        EXPECT_EQ(p->eMinStat, NOT_SET);
        EXPECT_EQ(p->eMaxStat, NOT_SET);
    }
    ExpectConsistentLinks(s);
    CRV_Free(s);
    CRV_Free(a);
    CRV_Free(b);
}

TEST(QuerySum, VoltagesWithin1e5AreOnePoint)
{
    CRV* a = MakeTyp({{0, 0}, {1.000000, 1}, {2, 2}});
    CRV* b = MakeTyp({{1.000004, 10}, {2.5, 10}});
    CRV* s = qry_AddCrvsProcess(a, b, QRY_TYP);
    ASSERT_NE(s, nullptr);
    EXPECT_EQ(Xs(s), (std::vector<double>{0, 1.0, 2, 2.5}));
    // At 1.0: a gives 1, b (flat) gives 10.
    EXPECT_DOUBLE_EQ(s->pCurve->pNext->dTyp, 11.0);
    // At 2.5: a extrapolated to 2.5.
    EXPECT_DOUBLE_EQ(s->pCurve->pNext->pNext->pNext->dTyp, 12.5);
    CRV_Free(s);
    CRV_Free(a);
    CRV_Free(b);
}

TEST(QuerySum, DescendingInputIsReadAscendingAndGivenBack)
{
    CRV* a = MakeTyp({{2, 4}, {1, 1}, {0, 0}});
    CRV* b = MakeTyp({{0.5, 1}, {1.5, 1}});
    RNGP* pHead = a->pCurve;
    CRV* s = qry_AddCrvsProcess(a, b, QRY_TYP);
    ASSERT_NE(s, nullptr);
    EXPECT_EQ(a->pCurve, pHead);
    EXPECT_EQ(Xs(a), (std::vector<double>{2, 1, 0}));
    ExpectConsistentLinks(a);
    EXPECT_EQ(Xs(s), (std::vector<double>{0, 0.5, 1, 1.5, 2}));
    // a: 0, 0.5, 1, 2.5, 4; b: 1 everywhere.
    const double want[] = {1.0, 1.5, 2.0, 3.5, 5.0};
    int i = 0;
    for (const RNGP* p = s->pCurve; p != nullptr; p = p->pNext) EXPECT_DOUBLE_EQ(p->dTyp, want[i++]);
    CRV_Free(s);
    CRV_Free(a);
    CRV_Free(b);
}

TEST(QuerySum, TableAddedToItself)
{
    CRV* a = MakeTyp({{2, 4}, {1, 1}, {0, 0}});
    CRV* s = qry_AddCrvsProcess(a, a, QRY_TYP);
    ASSERT_NE(s, nullptr);
    EXPECT_EQ(Xs(s), (std::vector<double>{0, 1, 2}));
    const double want[] = {0.0, 2.0, 8.0};
    int i = 0;
    for (const RNGP* p = s->pCurve; p != nullptr; p = p->pNext) EXPECT_DOUBLE_EQ(p->dTyp, want[i++]);
    EXPECT_EQ(Xs(a), (std::vector<double>{2, 1, 0}));
    ExpectConsistentLinks(a);
    CRV_Free(s);
    CRV_Free(a);
}

TEST(QuerySum, CornersMissingOnOneSideOrBoth)
{
    // a has typ and min, b has typ only; max is in neither.
    CRV* a = MakeCrv({{0.0, 1, 2, CELL_NONE}, {1.0, 1, 4, CELL_NA}});
    CRV* b = MakeCrv({{0.0, 10, CELL_NA, CELL_NONE}, {1.0, 20, CELL_NA, CELL_NONE}});
    CRV* s = qry_AddCrvsProcess(a, b, QRY_TYP | QRY_MIN | QRY_MAX);
    ASSERT_NE(s, nullptr);
    ASSERT_EQ(Xs(s), (std::vector<double>{0, 1}));
    const RNGP* p0 = s->pCurve;
    const RNGP* p1 = p0->pNext;
    EXPECT_DOUBLE_EQ(p0->dTyp, 11.0);
    EXPECT_DOUBLE_EQ(p1->dTyp, 21.0);
    EXPECT_DOUBLE_EQ(p0->dMin, 2.0);  // b contributes nothing
    EXPECT_DOUBLE_EQ(p1->dMin, 4.0);
    EXPECT_EQ(p0->eMaxStat, NOT_SET);
    EXPECT_EQ(p1->eMaxStat, NOT_SET);
    CRV_Free(s);
    // Only the corners asked for are carried.
    s = qry_AddCrvsProcess(a, b, QRY_MIN);
    ASSERT_NE(s, nullptr);
    EXPECT_EQ(s->pCurve->eTypStat, NOT_SET);
    EXPECT_EQ(s->pCurve->eMinStat, SET);
    CRV_Free(s);
    CRV_Free(a);
    CRV_Free(b);
}

TEST(QuerySum, NullTableCopiesOntoAGridWithZeroAndOneVolt)
{
    CRV* n = qry_NullYFriendlyCrv();
    ASSERT_NE(n, nullptr);
    EXPECT_EQ(n, qry_NullYFriendlyCrv());
    EXPECT_EQ(Xs(n), (std::vector<double>{0, 1}));
    for (const RNGP* p = n->pCurve; p != nullptr; p = p->pNext) {
        EXPECT_EQ(p->eTypStat, SET);
        EXPECT_EQ(p->eMinStat, SET);
        EXPECT_EQ(p->eMaxStat, SET);
        EXPECT_EQ(p->dTyp, 0.0);
    }
    // An absent table gives the two zero points.
    CRV* s = qry_AddCrvsProcess(nullptr, n, QRY_TYP);
    ASSERT_NE(s, nullptr);
    EXPECT_EQ(Xs(s), (std::vector<double>{0, 1}));
    EXPECT_EQ(s->pCurve->dTyp, 0.0);
    EXPECT_EQ(s->pCurve->eTypStat, SET);
    CRV_Free(s);
    // A table's grid plus 0 V and 1 V, descending input included.
    CRV* t = MakeTyp({{3, -3}, {-2, 2}});
    s = qry_AddCrvsProcess(t, n, QRY_TYP);
    ASSERT_NE(s, nullptr);
    EXPECT_EQ(Xs(s), (std::vector<double>{-2, 0, 1, 3}));
    const double want[] = {2.0, 0.0, -1.0, -3.0};
    int i = 0;
    for (const RNGP* p = s->pCurve; p != nullptr; p = p->pNext) EXPECT_DOUBLE_EQ(p->dTyp, want[i++]);
    CRV_Free(s);
    CRV_Free(t);
    // The shared table is unchanged.
    EXPECT_EQ(Xs(n), (std::vector<double>{0, 1}));
}

TEST(QuerySum, UndirectedTableStillContributesCurrents)
{
    // All voltages equal: no X values of its own, read as ascending.
    CRV* flat = MakeTyp({{0.5, 3}, {0.5, 3}});
    CRV* s = qry_AddCrvsProcess(flat, qry_NullYFriendlyCrv(), QRY_TYP);
    ASSERT_NE(s, nullptr);
    EXPECT_EQ(Xs(s), (std::vector<double>{0, 1}));
    EXPECT_DOUBLE_EQ(s->pCurve->dTyp, 3.0);
    EXPECT_DOUBLE_EQ(s->pCurve->pNext->dTyp, 3.0);
    CRV_Free(s);
    CRV_Free(flat);
}

// ---------------------------------------------------------------------------
// Reference voltages.
// ---------------------------------------------------------------------------
TEST(QueryRefs, RngValueHasNoFallback)
{
    RNG* r = MakeRng(3.3, CELL_NA, 3.6);
    double d = -1.0;
    EXPECT_EQ(qry_GetRngVal(r, QRY_TYP, &d), 1);
    EXPECT_EQ(d, 3.3);
    d = -1.0;
    EXPECT_EQ(qry_GetRngVal(r, QRY_MIN, &d), 0);
    EXPECT_EQ(d, -1.0);
    EXPECT_EQ(qry_GetRngVal(r, QRY_MAX, &d), 1);
    EXPECT_EQ(d, 3.6);
    EXPECT_EQ(qry_GetRngVal(nullptr, QRY_TYP, &d), 0);
    RNG_Free(r);
}

TEST(QueryRefs, CascadePerCorner)
{
    MDL m;
    m.eType = OUTPUT;
    m.pVoltage_Range = MakeRng(3.3, 3.0, 3.6);
    m.pPullup_Ref = MakeRng(5.0, CELL_NA, 5.5);
    m.pGND_Clamp_Ref = MakeRng(0.1, CELL_NONE, -0.1);
    m.pPulldown_Ref = MakeRng(CELL_NA, 0.2, CELL_NA);
    double pc = 0, pu = 0, gc = 0, pd = 0;

    qry_GetRefs4Process(&m, QRY_TYP, &pc, &pu, &gc, &pd);
    EXPECT_EQ(pc, 3.3);
    EXPECT_EQ(pu, 5.0);
    EXPECT_EQ(gc, 0.1);
    EXPECT_EQ(pd, 0.0);

    qry_GetRefs4Process(&m, QRY_MIN, &pc, &pu, &gc, &pd);
    EXPECT_EQ(pc, 3.0);
    EXPECT_EQ(pu, 5.0);  // NA minimum inherits the reference's typical
    EXPECT_EQ(gc, 0.1);
    EXPECT_EQ(pd, 0.2);

    qry_GetRefs4Process(&m, QRY_MAX, &pc, &pu, &gc, &pd);
    EXPECT_EQ(pc, 3.6);
    EXPECT_EQ(pu, 5.5);
    EXPECT_EQ(gc, -0.1);
    EXPECT_EQ(pd, 0.0);

    // ECL buffers pull down towards the voltage range unless a pulldown
    // reference corner says otherwise.
    m.eType = OUTPUT_ECL;
    qry_GetRefs4Process(&m, QRY_MAX, &pc, &pu, &gc, &pd);
    EXPECT_EQ(pd, 3.6);
    qry_GetRefs4Process(&m, QRY_MIN, &pc, &pu, &gc, &pd);
    EXPECT_EQ(pd, 0.2);

    RNG_Free(m.pVoltage_Range);
    RNG_Free(m.pPullup_Ref);
    RNG_Free(m.pGND_Clamp_Ref);
    RNG_Free(m.pPulldown_Ref);
    m.pVoltage_Range = m.pPullup_Ref = m.pGND_Clamp_Ref = m.pPulldown_Ref = nullptr;
    qry_GetRefs4Process(&m, QRY_TYP, &pc, &pu, &gc, &pd);
    EXPECT_EQ(pc, 0.0);
    EXPECT_EQ(pu, 0.0);
    EXPECT_EQ(gc, 0.0);
    EXPECT_EQ(pd, 0.0);
}

}  // namespace

// Tables and ranges built by hand for the curve-arithmetic tests, cell by
// cell, with markers for a cell written as NA or left out.
#ifndef KIVO_TESTS_UNIT_CURVE_TABLES_H
#define KIVO_TESTS_UNIT_CURVE_TABLES_H

#include <initializer_list>
#include <utility>

#include "common/rng.h"
#include "common/rngp.h"
#include "model/crv.h"

constexpr double CELL_NA = 1e300;
constexpr double CELL_NONE = -1e300;

inline void SetCell(double v, double* pd, NUMSTAT* pe)
{
    if (v == CELL_NA) {
        *pd = 0.0;
        *pe = NA;
    } else if (v == CELL_NONE) {
        *pd = 0.0;
        *pe = NOT_SET;
    } else {
        *pd = v;
        *pe = SET;
    }
}

struct TableRow {
    double x, typ, min, max;
};

// Appends a row to the table whose last row is *ppTail.
inline void AppendRow(CRV* pCrv, RNGP** ppTail, const TableRow& r)
{
    RNGP* p = new RNGP;
    SetCell(r.x, &p->dValue, &p->eValueStat);
    SetCell(r.typ, &p->dTyp, &p->eTypStat);
    SetCell(r.min, &p->dMin, &p->eMinStat);
    SetCell(r.max, &p->dMax, &p->eMaxStat);
    if (*ppTail == nullptr) {
        pCrv->pCurve = p;
    } else {
        (*ppTail)->pNext = p;
        p->pPrev = *ppTail;
    }
    *ppTail = p;
}

// A table owned by the test, rows in the order given.
inline CRV* MakeCrv(std::initializer_list<TableRow> rows)
{
    CRV* pCrv = new CRV;
    RNGP* pTail = nullptr;
    for (const TableRow& r : rows) AppendRow(pCrv, &pTail, r);
    return pCrv;
}

// A table of typical values only.
inline CRV* MakeTyp(std::initializer_list<std::pair<double, double>> pts)
{
    CRV* pCrv = new CRV;
    RNGP* pTail = nullptr;
    for (const auto& pt : pts) AppendRow(pCrv, &pTail, {pt.first, pt.second, CELL_NONE, CELL_NONE});
    return pCrv;
}

inline RNG* MakeRng(double t, double mn, double mx)
{
    RNG* r = new RNG;
    SetCell(t, &r->dTyp, &r->eTypStat);
    SetCell(mn, &r->dMin, &r->eMinStat);
    SetCell(mx, &r->dMax, &r->eMaxStat);
    return r;
}

#endif

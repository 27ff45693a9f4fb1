#include "package/mtx.h"

#include <algorithm>
#include <functional>
#include <map>
#include <queue>
#include <cmath>
#include <string>
#include <utility>
#include <vector>

#include "common/cmn.h"
#include "common/errlog.h"
#include "package/pkgmdl.h"

namespace {

// The smallest positive normal single-precision value: a diagonal entry
// counts as negative, and a coupling as positive, only beyond it.
constexpr double kTiny = 1.1754943508222875e-38;

MTX* gpMtx = nullptr;  // matrix being filled

bool s_IsBanded(const MTX* pMtx)
{
    return pMtx->eMatrixType == BANDED_SIMPLE_MTX || pMtx->eMatrixType == BANDED_WRAP_MTX;
}

// Slot of row pRow (at 0-based position k) that holds column c, when the
// column lies in the row's stored range.  A sparse row holds the columns
// from its own position on: the entries before it belong to the rows above.
bool s_SlotOf(const MTX* pMtx, const ROW* pRow, unsigned k, unsigned c, unsigned* puiSlot)
{
    switch (pMtx->eMatrixType) {
    case FULL_MTX:
    case BANDED_SIMPLE_MTX:
        if (c < k || c - k >= pRow->uiColumnCount) return false;
        *puiSlot = c - k;
        return true;
    case BANDED_WRAP_MTX: {
        unsigned N = pMtx->uiRowCount;
        if (N == 0 || c >= N) return false;
        unsigned s = static_cast<unsigned>((static_cast<unsigned long long>(c) + N - k % N) % N);
        if (s >= pRow->uiColumnCount) return false;
        *puiSlot = s;
        return true;
    }
    case SPARSE_MTX:
        if (c < k || c >= pRow->uiColumnCount) return false;
        *puiSlot = c;
        return true;
    default:
        return false;
    }
}

// Walks the filled slots of the row at 0-based position k in ascending order
// of the columns they hold.  A circle-back row holds its last columns first
// and then circles back to column 0, so it is walked from the slot that
// circles back.
class ROW_CURSOR {
public:
    ROW_CURSOR(const MTX* pMtx, const ROW* pRow, unsigned k) : m_pMtx(pMtx), m_pRow(pRow), m_k(k)
    {
        if (pRow->bSparse) {
            m_it = pRow->mColumns.begin();
            return;
        }
        unsigned F = pRow->uiFilled;
        if (pMtx->eMatrixType == BANDED_WRAP_MTX) {
            unsigned N = pMtx->uiRowCount;
            unsigned r = k % N;
            unsigned w = (r == 0) ? F : N - r;  // first slot that circles back
            m_uiWrapFirst = w;
            m_uiWrapCount = (F > w) ? F - w : 0;
        }
    }

    bool AtEnd() const
    {
        return m_pRow->bSparse ? m_it == m_pRow->mColumns.end() : m_uiStep >= m_pRow->uiFilled;
    }
    // Column and value of the current entry.
    unsigned Column() const { return s_Column(Slot()); }
    double Value() const { return m_pRow->bSparse ? m_it->second : m_pRow->adColumns[Slot()]; }
    void Next()
    {
        if (m_pRow->bSparse)
            ++m_it;
        else
            ++m_uiStep;
    }

private:
    unsigned Slot() const
    {
        if (m_pRow->bSparse) return m_it->first;
        if (m_uiStep < m_uiWrapCount) return m_uiWrapFirst + m_uiStep;
        return m_uiStep - m_uiWrapCount;
    }
    unsigned s_Column(unsigned s) const
    {
        switch (m_pMtx->eMatrixType) {
        case BANDED_WRAP_MTX:
            return static_cast<unsigned>((static_cast<unsigned long long>(m_k) + s) % m_pMtx->uiRowCount);
        case SPARSE_MTX: return s;
        default: return m_k + s;
        }
    }

    const MTX* m_pMtx;
    const ROW* m_pRow;
    unsigned m_k;
    unsigned m_uiStep = 0;
    unsigned m_uiWrapFirst = 0;
    unsigned m_uiWrapCount = 0;
    std::map<unsigned, double>::const_iterator m_it;
};

// Value (i, j) of the symmetric matrix: from row i when column j lies in its
// stored range, otherwise from row j at column i; absent values read as 0.
double s_Value(const MTX* pMtx, const std::vector<ROW*>& rows, unsigned i, unsigned j)
{
    unsigned s = 0;
    if (i < rows.size() && s_SlotOf(pMtx, rows[i], i, j, &s)) {
        const double* pd = ROW_GetColumn(rows[i], s);
        return pd != nullptr ? *pd : 0.0;
    }
    if (j < rows.size() && s_SlotOf(pMtx, rows[j], j, i, &s)) {
        const double* pd = ROW_GetColumn(rows[j], s);
        return pd != nullptr ? *pd : 0.0;
    }
    return 0.0;
}

// One off-diagonal value v = (i, j) of row i with diagonal d; |v| is added
// to the row's sum.
void s_CheckOffDiagonal(const char* sType, const char* sPackageModel, bool bCapacitance, unsigned i,
                        unsigned j, double d, double v, const std::string& sRowPin, double* pdSum)
{
    *pdSum += std::fabs(v);
    if (!bCapacitance) {
        if (std::fabs(v) > d) {
            std::string sColPin;
            PKGMDL_GetPinName(sColPin, j);
            ERRLOG_WarnNew(3720, sPackageModel, sType, d, sRowPin, v, sColPin);
        }
    } else if (j > i && v > kTiny) {
        std::string sColPin;
        PKGMDL_GetPinName(sColPin, j);
        ERRLOG_ErrorNew(3722, sPackageModel, sType, v, sRowPin, sColPin);
    }
}

// The element check over the rows present: every diagonal entry must not be
// negative; a resistance or inductance entry must not exceed its row's
// diagonal in magnitude; a capacitance coupling must not be positive, and the
// couplings of a row together must not exceed its diagonal.
//
// Only stored entries can be non-zero, so each row visits its own entries
// and the entries of the other rows that reach into its column, in column
// order; a heap hands out the entries of all rows column by column.  The
// work is proportional to the number of stored values, not to the square
// of the pin count.  Absent entries read as zero and can only matter
// against a diagonal below zero: such a row visits every column.
void s_ElementCheck(const char* sType, const MTX* pMtx, const char* sPackageModel)
{
    std::vector<ROW*> rows;
    rows.reserve(pMtx->uiRowsPresent);
    for (ROW* pRow = pMtx->pMatrixRows; pRow != nullptr; pRow = pRow->pNext) rows.push_back(pRow);
    const unsigned n = static_cast<unsigned>(rows.size());
    const bool bCapacitance = std::string(sType) == "Capacitance";

    // Simple (non circling) dense rows hold the columns from their own
    // position on, filled from the first: the rows above that reach column i
    // are a sliding set, visited in row order.  Circle-back and sparse rows
    // hand out their entries through a heap ordered by (column, row).
    const bool bSweep = pMtx->eMatrixType == FULL_MTX || pMtx->eMatrixType == BANDED_SIMPLE_MTX;
    std::vector<unsigned> active;
    using ENTRY = std::pair<unsigned, unsigned>;
    std::priority_queue<ENTRY, std::vector<ENTRY>, std::greater<ENTRY>> heap;
    std::vector<ROW_CURSOR> cursors;
    if (!bSweep) {
        cursors.reserve(n);
        for (unsigned j = 0; j < n; ++j) {
            cursors.emplace_back(pMtx, rows[j], j);
            if (!cursors[j].AtEnd()) heap.emplace(cursors[j].Column(), j);
        }
    }

    std::vector<std::pair<unsigned, double>> others;
    for (unsigned i = 0; i < n; ++i) {
        // Entries of other rows that lie in column i, in row order.  Row i's
        // own range takes precedence where both could hold the value.
        others.clear();
        if (bSweep) {
            if (i > 0) active.push_back(i - 1);
            std::size_t w = 0;
            for (unsigned j : active) {
                const ROW* pRow = rows[j];
                if (i - j >= pRow->uiFilled) continue;  // this row ends before column i
                others.emplace_back(j, pRow->adColumns[i - j]);
                active[w++] = j;
            }
            active.resize(w);
        } else {
            unsigned s = 0;
            while (!heap.empty() && heap.top().first <= i) {
                unsigned j = heap.top().second;
                bool bInColumn = heap.top().first == i;
                heap.pop();
                if (bInColumn && j != i && !s_SlotOf(pMtx, rows[i], i, j, &s))
                    others.emplace_back(j, cursors[j].Value());
                cursors[j].Next();
                if (!cursors[j].AtEnd()) heap.emplace(cursors[j].Column(), j);
            }
        }

        std::string sRowPin;
        PKGMDL_GetPinName(sRowPin, i);
        double d = s_Value(pMtx, rows, i, i);
        if (d < 0 && std::fabs(d) > kTiny) {
            ERRLOG_ErrorNew(3719, sPackageModel, sType, d, sRowPin);
            continue;
        }

        double dSum = 0.0;
        if (!bCapacitance && d < 0) {
            // A diagonal just below zero: every coupling, absent ones (zero)
            // included, exceeds it in magnitude.
            for (unsigned j = 0; j < n; ++j)
                if (j != i)
                    s_CheckOffDiagonal(sType, sPackageModel, bCapacitance, i, j, d, s_Value(pMtx, rows, i, j),
                                       sRowPin, &dSum);
            continue;
        }
        ROW_CURSOR own(pMtx, rows[i], i);
        auto b = others.begin();
        for (;;) {
            while (!own.AtEnd() && (own.Column() == i || own.Column() >= n)) own.Next();
            bool bOwn = !own.AtEnd() && (b == others.end() || own.Column() < b->first);
            if (bOwn) {
                s_CheckOffDiagonal(sType, sPackageModel, bCapacitance, i, own.Column(), d, own.Value(),
                                   sRowPin, &dSum);
                own.Next();
            } else if (b != others.end()) {
                s_CheckOffDiagonal(sType, sPackageModel, bCapacitance, i, b->first, d, b->second, sRowPin,
                                   &dSum);
                ++b;
            } else {
                break;
            }
        }
        if (bCapacitance && std::fabs(d - dSum) > kTiny && dSum > d && dSum - d > 0.0001 * d)
            ERRLOG_ErrorNew(3721, sPackageModel, sType, d, sRowPin, dSum);
    }
}

}  // namespace

STATUS MTX_New(MTX** ppMtx, const char* sLine, unsigned uiNumber_of_Pins)
{
    KIVO_ASSERT(ppMtx != nullptr && sLine != nullptr);
    MTX_Fini();
    MTX* pMtx = new MTX;
    pMtx->uiRowCount = uiNumber_of_Pins;
    *ppMtx = pMtx;
    gpMtx = pMtx;

    if (*sLine == '\0')
        ERRLOG_LineErrorNew(3701);
    else if (CMN_StrSameIC(sLine, "Banded_matrix") == TRUE)
        pMtx->eMatrixType = BANDED_SIMPLE_MTX;
    else if (CMN_StrSameIC(sLine, "Sparse_matrix") == TRUE)
        pMtx->eMatrixType = SPARSE_MTX;
    else if (CMN_StrSameIC(sLine, "Full_matrix") == TRUE)
        pMtx->eMatrixType = FULL_MTX;
    else
        ERRLOG_LineErrorNew(3702, sLine);
    return SUCCESS;
}

STATUS MTX_SetBandwidth(MTX* pMtx, const char* sLine)
{
    KIVO_ASSERT(pMtx != nullptr && sLine != nullptr);
    if (!s_IsBanded(pMtx)) {
        ERRLOG_LineErrorNew(3703);
        return FAILURE;
    }
    pMtx->bBandwidthFound = TRUE;
    unsigned ui = 0;
    GBU g = CMN_StrToUI(sLine, &ui);
    if (g == BAD) {
        ERRLOG_LineErrorNew(3704);
        return FAILURE;
    }
    if (g == UGLY) ERRLOG_LineErrorNew(3705);
    pMtx->uiMatrix_Bandwidth = ui;
    if (ui >= pMtx->uiRowCount) ERRLOG_LineErrorNew(3706, ui, pMtx->uiRowCount);
    return SUCCESS;
}

STATUS MTX_AddRow(MTX* pMtx, const char* sLine)
{
    KIVO_ASSERT(pMtx != nullptr && sLine != nullptr);
    unsigned long long k = pMtx->uiRowsPresent;
    unsigned long long N = pMtx->uiRowCount;
    unsigned long long ullSlots = 0;
    switch (pMtx->eMatrixType) {
    case FULL_MTX:
        if (k >= N) return FAILURE;
        ullSlots = N - k;
        break;
    case BANDED_SIMPLE_MTX:
        if (k >= N) return FAILURE;
        ullSlots = std::min<unsigned long long>(pMtx->uiMatrix_Bandwidth + 1ULL, N - k);
        break;
    case BANDED_WRAP_MTX:
        if (k > N) return FAILURE;
        ullSlots = pMtx->uiMatrix_Bandwidth + 1ULL;
        break;
    case SPARSE_MTX:
        ullSlots = N;
        break;
    default:
        return FAILURE;  // rows of a matrix of unknown type are not stored
    }
    // A circle-back row never needs more slots than the matrix has columns.
    if (ullSlots > N && pMtx->eMatrixType == BANDED_WRAP_MTX) ullSlots = N;
    return ROW_AddRow(pMtx, static_cast<unsigned>(ullSlots), sLine) != nullptr ? SUCCESS : FAILURE;
}

STATUS MTX_AddRowData(MTX* pMtx, char* sLine)
{
    KIVO_ASSERT(pMtx != nullptr && sLine != nullptr);
    ROW* pRow = pMtx->pLastRow;
    if (pRow == nullptr) return FAILURE;  // no row could be made: nothing to fill
    switch (pMtx->eMatrixType) {
    case FULL_MTX: ROW_AddFullRowData(pMtx, pRow, sLine); break;
    case BANDED_SIMPLE_MTX:
    case BANDED_WRAP_MTX: ROW_AddBandedRowData(pMtx, pRow, sLine); break;
    case SPARSE_MTX: ROW_AddSparseRowData(pMtx, pRow, sLine); break;
    default: return FAILURE;
    }
    return SUCCESS;
}

void MTX_Fini()
{
    MTX* pMtx = gpMtx;
    if (pMtx == nullptr) return;
    gpMtx = nullptr;
    if (pMtx->uiRowsPresent != pMtx->uiRowCount)
        ERRLOG_LineErrorNew(3717, pMtx->uiRowCount, pMtx->uiRowsPresent);
    if (pMtx->pMatrixRows == nullptr) return;
    ROW_CheckColumns(pMtx->pMatrixRows, pMtx->eMatrixType == SPARSE_MTX ? FALSE : TRUE);
}

void MTX_Test(const char* sType, MTX* pMtx, const char* sPackageModel)
{
    KIVO_ASSERT(sType != nullptr && pMtx != nullptr && sPackageModel != nullptr);
    if (s_IsBanded(pMtx) && pMtx->bBandwidthFound != TRUE) {
        ERRLOG_ErrorNew(3716, sType);
        return;
    }
    if (pMtx->eMatrixType == UNKNOWN_MTX) return;
    s_ElementCheck(sType, pMtx, sPackageModel);
}

void MTX_Free(MTX* pMtx)
{
    if (pMtx == nullptr) return;
    if (pMtx == gpMtx) gpMtx = nullptr;
    ROW_FreeList(pMtx->pMatrixRows);
    delete pMtx;
}

void MTX_SetBandedTypeToWrap(MTX* pMtx, unsigned uiNewColumnCount)
{
    KIVO_ASSERT(pMtx != nullptr);
    pMtx->eMatrixType = BANDED_WRAP_MTX;
    ROW_ResizeColumns(pMtx->pMatrixRows, uiNewColumnCount);
}

BOOL MTX_IsBandedTypeWrap(const MTX* pMtx)
{
    KIVO_ASSERT(pMtx != nullptr);
    return CMN_ToBool(pMtx->eMatrixType == BANDED_WRAP_MTX);
}

unsigned MTX_GetRowCount(const MTX* pMtx)
{
    KIVO_ASSERT(pMtx != nullptr);
    return pMtx->uiRowCount;
}

unsigned MTX_GetBandwidth(const MTX* pMtx)
{
    KIVO_ASSERT(pMtx != nullptr);
    return pMtx->uiMatrix_Bandwidth;
}

double MTX_GetValue(const MTX* pMtx, unsigned i, unsigned j)
{
    KIVO_ASSERT(pMtx != nullptr);
    std::vector<ROW*> rows;
    for (ROW* pRow = pMtx->pMatrixRows; pRow != nullptr; pRow = pRow->pNext) rows.push_back(pRow);
    return s_Value(pMtx, rows, i, j);
}

void MTX_Reset() { gpMtx = nullptr; }

#include "package/row.h"

#include <cmath>
#include <string>

#include "common/cmn.h"
#include "common/errlog.h"
#include "package/mtx.h"
#include "package/pkgmdl.h"

namespace {

constexpr unsigned kPinNameLen = 5;

// Cuts the next blank- or tab-separated word out of *pp in place and moves
// *pp past it; null when the text holds no further word.
char* s_NextWord(char** pp)
{
    char* p = *pp;
    while (*p == ' ' || *p == '\t') ++p;
    if (*p == '\0') {
        *pp = p;
        return nullptr;
    }
    char* pWord = p;
    while (*p != '\0' && *p != ' ' && *p != '\t') ++p;
    if (*p != '\0') *p++ = '\0';
    *pp = p;
    return pWord;
}

// Reads one matrix value: BAD is reported (3103), trailing text warned
// (3104).  FALSE when the word is not a number.
bool s_ReadValue(const char* sWord, double* pd)
{
    GBU g = CMN_Get_Value(sWord, pd);
    if (g == BAD) {
        ERRLOG_LineErrorNew(3103);
        return false;
    }
    if (g == UGLY) ERRLOG_LineWarnNew(3104);
    return true;
}

// Stores a value in the first empty slot of a dense row.
void s_StoreNext(ROW* pRow, double d)
{
    pRow->adColumns.push_back(d);
    ++pRow->uiFilled;
    pRow->bFoundSelfCoupling = TRUE;
}

}  // namespace

ROW* ROW_AddRow(mtx* pMtx, unsigned uiColumnCount, const char* sLine)
{
    KIVO_ASSERT(pMtx != nullptr && sLine != nullptr);
    std::string sPin = sLine;
    if (sPin.empty()) ERRLOG_LineErrorNew(3120);
    if (sPin.size() > kPinNameLen) {
        ERRLOG_LineErrorNew(3121);
        sPin.resize(kPinNameLen);
    }
    CMN_ReservedWordErr(sPin.c_str());

    ROW* pRow = new ROW;
    pRow->sPin_Number = sPin;
    pRow->uiColumnCount = uiColumnCount;
    pRow->bSparse = (pMtx->eMatrixType == SPARSE_MTX);

    unsigned uiPinPos = 0;
    bool bFound = PKGMDL_GetPinIndex(sPin.c_str(), &uiPinPos) == SUCCESS;
    if (!bFound) ERRLOG_LineErrorNew(3100, sPin);

    // Every earlier row of the same pin is reported once.
    unsigned& uiEarlier = pMtx->mRowsPerPin[sPin];
    for (unsigned u = 0; u < uiEarlier; ++u) ERRLOG_LineErrorNew(3101, sPin);
    ++uiEarlier;

    if (pMtx->pLastRow == nullptr)
        pMtx->pMatrixRows = pRow;
    else
        pMtx->pLastRow->pNext = pRow;
    pMtx->pLastRow = pRow;
    pRow->uiPosition = ++pMtx->uiRowsPresent;

    if (bFound && uiPinPos != pRow->uiPosition) ERRLOG_LineErrorNew(3102, sPin, uiPinPos, pRow->uiPosition);
    return pRow;
}

void ROW_AddFullRowData(mtx* pMtx, ROW* pRow, char* sLine)
{
    KIVO_ASSERT(pMtx != nullptr && pRow != nullptr && sLine != nullptr);
    char* p = sLine;
    while (char* sWord = s_NextWord(&p)) {
        double d = 0;
        if (!s_ReadValue(sWord, &d)) return;
        if (pRow->uiFilled >= pRow->uiColumnCount) {
            ERRLOG_LineErrorNew(3105);
            return;
        }
        s_StoreNext(pRow, d);
    }
}

void ROW_AddBandedRowData(mtx* pMtx, ROW* pRow, char* sLine)
{
    KIVO_ASSERT(pMtx != nullptr && pRow != nullptr && sLine != nullptr);
    char* p = sLine;
    while (char* sWord = s_NextWord(&p)) {
        double d = 0;
        if (!s_ReadValue(sWord, &d)) return;
        if (pRow->uiFilled < pRow->uiColumnCount) {
            s_StoreNext(pRow, d);
            continue;
        }
        // The row is full.  The shortened rows at the end of a banded matrix
        // may carry more values only when the band circles back to the first
        // columns: the matrix then becomes a circle-back (wrap) matrix whose
        // rows all hold bandwidth + 1 values.
        unsigned long long ullN = MTX_GetRowCount(pMtx);
        unsigned long long ullBand = MTX_GetBandwidth(pMtx);
        unsigned long long ullSlots = pRow->uiColumnCount;
        if (ullSlots == ullBand + 1 || MTX_IsBandedTypeWrap(pMtx) == TRUE || ullN >= ullSlots + pRow->uiPosition) {
            ERRLOG_LineErrorNew(3107, pRow->uiColumnCount);
            return;
        }
        unsigned long long ullLimit = (ullN == 0) ? 0 : (ullN - 1) / 2;
        if (ullBand > ullLimit) {
            ERRLOG_LineErrorNew(3708, static_cast<unsigned>(ullLimit));
            continue;
        }
        MTX_SetBandedTypeToWrap(pMtx, static_cast<unsigned>(ullBand + 1));
        s_StoreNext(pRow, d);
    }
}

void ROW_AddSparseRowData(mtx* pMtx, ROW* pRow, char* sLine)
{
    KIVO_ASSERT(pMtx != nullptr && pRow != nullptr && sLine != nullptr);
    char* p = sLine;
    char* sIndex = s_NextWord(&p);
    if (sIndex == nullptr) {
        ERRLOG_LineErrorNew(3110);
        return;
    }
    if (pRow->sPin_Number == sIndex) pRow->bFoundSelfCoupling = TRUE;

    unsigned uiPinPos = 0;
    if (PKGMDL_GetPinIndex(sIndex, &uiPinPos) != SUCCESS) {
        ERRLOG_LineErrorNew(3100, sIndex);
        return;
    }
    // Only the upper triangle is stored: a column before the row's own
    // position belongs to the row of that column.
    if (uiPinPos < pRow->uiPosition) {
        ERRLOG_LineErrorNew(3111);
        return;
    }
    unsigned uiSlot = uiPinPos - 1;
    if (pRow->mColumns.count(uiSlot) != 0) {
        ERRLOG_LineErrorNew(3113, uiPinPos);
        return;
    }
    char* sValue = s_NextWord(&p);
    if (sValue == nullptr) {
        ERRLOG_LineErrorNew(3114);
        return;
    }
    double d = 0;
    if (!s_ReadValue(sValue, &d)) return;
    if (char* sExtra = s_NextWord(&p)) ERRLOG_LineErrorNew(3115, sExtra);
    if (uiSlot >= pRow->uiColumnCount) return;  // a pin beyond the row's slots cannot be stored
    pRow->mColumns.emplace(uiSlot, d);
    ++pRow->uiFilled;
}

void ROW_ResizeColumns(ROW* pRows_in, unsigned uiNewColCount)
{
    for (ROW* pRow = pRows_in; pRow != nullptr; pRow = pRow->pNext) {
        if (pRow->uiColumnCount < uiNewColCount) pRow->uiColumnCount = uiNewColCount;
    }
}

void ROW_CheckColumns(ROW* pRows_in, BOOL bCheckCount)
{
    bool bCheckSelf = true;
    for (ROW* pRow = pRows_in; pRow != nullptr; pRow = pRow->pNext) {
        if (bCheckCount == TRUE) {
            if (pRow->uiFilled < pRow->uiColumnCount) {
                ERRLOG_LineErrorNew(3116, pRow->uiColumnCount, pRow->sPin_Number, pRow->uiFilled,
                                    pRow->uiFilled == 1 ? '\0' : 's');
                bCheckSelf = false;
                continue;
            }
        } else if (pRow->uiFilled == 0) {
            ERRLOG_LineErrorNew(3117, pRow->sPin_Number);
            bCheckSelf = false;
            continue;
        }
        if (bCheckSelf && pRow->bFoundSelfCoupling != TRUE) ERRLOG_LineErrorNew(3118, pRow->sPin_Number);
    }
}

const double* ROW_GetColumn(const ROW* pRow, unsigned uiSlot)
{
    KIVO_ASSERT(pRow != nullptr);
    if (uiSlot >= pRow->uiColumnCount) return nullptr;
    if (pRow->bSparse) {
        auto it = pRow->mColumns.find(uiSlot);
        return it == pRow->mColumns.end() ? nullptr : &it->second;
    }
    return uiSlot < pRow->uiFilled ? &pRow->adColumns[uiSlot] : nullptr;
}

void ROW_FreeList(ROW* pRows)
{
    while (pRows != nullptr) {
        ROW* pNext = pRows->pNext;
        delete pRows;
        pRows = pNext;
    }
}

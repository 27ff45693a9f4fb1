// Package matrices: the resistance, inductance and capacitance matrices of a
// package model, stored as their upper triangle with the diagonal.
//
// Storage of a matrix of N pins (rows in [Pin Numbers] order), k-th row from 0:
//   full                 N - k slots, slot s holds column k + s
//   banded, simple       min(bandwidth + 1, N - k) slots, column k + s
//   banded, circle-back  bandwidth + 1 slots, column (k + s) mod N
//   sparse               N slots, slot s holds column s
#ifndef KIVO_PACKAGE_MTX_H
#define KIVO_PACKAGE_MTX_H

#include <string>
#include <unordered_map>

#include "common/types.h"
#include "package/row.h"

enum MTX_TYPE {
    UNKNOWN_MTX = 0,
    BANDED_SIMPLE_MTX = 1,
    BANDED_WRAP_MTX = 2,
    SPARSE_MTX = 3,
    FULL_MTX = 4
};

struct mtx {
    MTX_TYPE eMatrixType = UNKNOWN_MTX;
    unsigned uiRowCount = 0;            // the package's pin count when the matrix was created
    BOOL bBandwidthFound = FALSE;
    unsigned uiMatrix_Bandwidth = 0;
    ROW* pMatrixRows = nullptr;         // rows in file order

    // Bookkeeping of the row list: its last row, its length, and how many
    // rows each pin already has.
    ROW* pLastRow = nullptr;
    unsigned uiRowsPresent = 0;
    std::unordered_map<std::string, unsigned> mRowsPerPin;
};
typedef mtx MTX;

// Ends the matrix being filled, creates a matrix of uiNumber_of_Pins rows of
// the type named by sLine into *ppMtx and makes it the matrix being filled.
STATUS MTX_New(MTX** ppMtx, const char* sLine, unsigned uiNumber_of_Pins);
// [Bandwidth] of a banded matrix.
STATUS MTX_SetBandwidth(MTX* pMtx, const char* sLine);
// [Row]: a new row for the pin named by sLine, when the matrix has room.
STATUS MTX_AddRow(MTX* pMtx, const char* sLine);
// A data line of the matrix's last row.
STATUS MTX_AddRowData(MTX* pMtx, char* sLine);
// End of the matrix being filled: row count and row completeness.
void MTX_Fini();
// Whole-matrix checks; sType is "Resistance", "Inductance" or "Capacitance".
void MTX_Test(const char* sType, MTX* pMtx, const char* sPackageModel);
void MTX_Free(MTX* pMtx);

// Helpers for the row code.
void MTX_SetBandedTypeToWrap(MTX* pMtx, unsigned uiNewColumnCount);
BOOL MTX_IsBandedTypeWrap(const MTX* pMtx);
unsigned MTX_GetRowCount(const MTX* pMtx);
unsigned MTX_GetBandwidth(const MTX* pMtx);

// Value (i, j) of the symmetric matrix (0 when absent), i and j 0-based row
// positions.
double MTX_GetValue(const MTX* pMtx, unsigned i, unsigned j);

// Back to program-start state.
void MTX_Reset();

#endif

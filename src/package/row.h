// One [Row] of a package matrix: the pin it belongs to and its value slots.
// Only the upper triangle of the symmetric matrix is stored; which column a
// slot holds depends on the matrix type (see mtx.h).
#ifndef KIVO_PACKAGE_ROW_H
#define KIVO_PACKAGE_ROW_H

#include <map>
#include <string>
#include <vector>

#include "common/types.h"

struct mtx;

struct row {
    row* pNext = nullptr;
    std::string sPin_Number;            // at most 5 characters
    BOOL bFoundSelfCoupling = FALSE;
    unsigned uiColumnCount = 0;         // number of value slots
    unsigned uiPosition = 0;            // 1-based position of the row in its matrix

    // Value slots.  A dense row (full and banded matrices) is filled from its
    // first slot on, so its filled slots are exactly slots 0 to uiFilled - 1
    // and only those are kept.  A sparse row keeps its filled slots by slot
    // number.  Either way a row costs memory in proportion to its values,
    // however many pins the package declares.
    bool bSparse = false;
    unsigned uiFilled = 0;                 // number of filled slots
    std::vector<double> adColumns;         // dense: values of slots 0 to uiFilled - 1
    std::map<unsigned, double> mColumns;   // sparse: filled slots
};
typedef row ROW;

// Creates a row of uiColumnCount empty slots for the pin named by sLine,
// checks the pin against the package model's [Pin Numbers] and the rows
// already in the matrix, and appends it to the matrix.  Null when no row
// could be made.
ROW* ROW_AddRow(mtx* pMtx, unsigned uiColumnCount, const char* sLine);
// Data lines of the last row, by matrix type.
void ROW_AddFullRowData(mtx* pMtx, ROW* pRow, char* sLine);
void ROW_AddBandedRowData(mtx* pMtx, ROW* pRow, char* sLine);
void ROW_AddSparseRowData(mtx* pMtx, ROW* pRow, char* sLine);
// Grows every row of the list to uiNewColCount slots (new slots empty).
void ROW_ResizeColumns(ROW* pRows_in, unsigned uiNewColCount);
// End-of-matrix checks of the rows: with bCheckCount every slot must be
// filled (dense rows), otherwise at least one (sparse rows); rows without
// their self-coupled entry are reported until the first count error.
void ROW_CheckColumns(ROW* pRows_in, BOOL bCheckCount);
// Value of a slot, or null when the slot is empty or out of range.
const double* ROW_GetColumn(const ROW* pRow, unsigned uiSlot);
void ROW_FreeList(ROW* pRows);

#endif

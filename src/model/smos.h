// [Series MOSFET] tables of a series element.
// Stand-in: accepts its lines and reports nothing until the module is built.
#ifndef KIVO_MODEL_SMOS_H
#define KIVO_MODEL_SMOS_H

#include "common/types.h"
#include "model/mdl.h"

struct smos {
    double* pdVds = nullptr;  // Vds of the table
    CRV* pIs = nullptr;       // the current table
    smos* pNext = nullptr;
};
typedef smos SMOS;

// Appends a new table to the list *ppSmos_in and returns it in *ppSmos_out.
STATUS SMOS_New(char* psLine_in, SMOS** ppSmos_in, SMOS** ppSmos_out);
void SMOS_ReceiveLine(char* psLine_in);
void SMOS_Fini(MDL* pMdl, KEYWORD_TYPE kword);
void SMOS_TestList(SMOS* pSmos, const char* sModel, const char* key);
void SMOS_FreeList(SMOS* pSmos);

#endif

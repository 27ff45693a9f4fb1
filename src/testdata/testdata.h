// Test data: [Test Data] sections.
// Stand-in: accepts its lines and reports nothing until the module is built.
#ifndef KIVO_TESTDATA_TESTDATA_H
#define KIVO_TESTDATA_TESTDATA_H

#include <string>

#include "common/types.h"

struct testdata {
    testdata* pNext = nullptr;
};
typedef testdata TESTDATA;

STATUS TESTDATA_Init();
STATUS TESTDATA_ReceiveLine(LINE_TYPE eLineType, KEYWORD_TYPE eKeyword, char* sLine);
STATUS TESTDATA_Fini(KEYWORD_TYPE eNewKeyword);
void TESTDATA_AddLink(TESTDATA* pNew, TESTDATA* pPrev);
void TESTDATA_FreeList(TESTDATA* pList);
void TESTDATA_TestList(TESTDATA* pList);

#endif

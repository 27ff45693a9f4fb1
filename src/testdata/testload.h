// Test loads: [Test Load] sections.
// Stand-in: accepts its lines and reports nothing until the module is built.
#ifndef KIVO_TESTDATA_TESTLOAD_H
#define KIVO_TESTDATA_TESTLOAD_H

#include <string>

#include "common/types.h"

struct testload {
    testload* pNext = nullptr;
};
typedef testload TESTLOAD;

STATUS TESTLOAD_Init();
STATUS TESTLOAD_ReceiveLine(LINE_TYPE eLineType, KEYWORD_TYPE eKeyword, char* sLine);
STATUS TESTLOAD_Fini(KEYWORD_TYPE eNewKeyword);
void TESTLOAD_AddLink(TESTLOAD* pNew, TESTLOAD* pPrev);
void TESTLOAD_FreeList(TESTLOAD* pList);
void TESTLOAD_TestList(TESTLOAD* pList);

#endif

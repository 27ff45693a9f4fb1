// Electrical board descriptions: [Begin Board Description] sections.
// Stand-in: accepts its lines and reports nothing until the module is built.
#ifndef KIVO_PACKAGE_EBDMDL_H
#define KIVO_PACKAGE_EBDMDL_H

#include <string>

#include "common/types.h"

struct ebdmdl {
    ebdmdl* pNext = nullptr;
};
typedef ebdmdl EBDMDL;

STATUS EBDMDL_Init();
STATUS EBDMDL_ReceiveLine(LINE_TYPE eLineType, KEYWORD_TYPE eKeyword, char* sLine);
STATUS EBDMDL_Fini(KEYWORD_TYPE eNewKeyword);
void EBDMDL_AddLink(EBDMDL* pNew, EBDMDL* pPrev);
void EBDMDL_FreeList(EBDMDL* pList);
void EBDMDL_TestList(EBDMDL* pEbdMdlList, BOOL isRecursive);

#endif

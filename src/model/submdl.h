// Submodels: [Submodel] sections, and the [Add Submodel] entries of models.
// Stand-in: accepts its lines and reports nothing until the module is built.
#ifndef KIVO_MODEL_SUBMDL_H
#define KIVO_MODEL_SUBMDL_H

#include <string>

#include "common/types.h"

struct smspec;

struct submdl {
    submdl* pNext = nullptr;
    std::string sSubModel;      // name, at most 40 characters
    smspec* pSmSpec = nullptr;  // [Submodel Spec], owned
};
typedef submdl SUBMDL;

STATUS SUBMDL_Init();
STATUS SUBMDL_ReceiveLine(LINE_TYPE eLineType, KEYWORD_TYPE eKeyword, char* sLine);
STATUS SUBMDL_Fini(KEYWORD_TYPE eNewKeyword);
void SUBMDL_AddLink(SUBMDL* pNew, SUBMDL* pPrev);
void SUBMDL_FreeList(SUBMDL* pList);

// When a submodel acts.
enum SUBMDL_MODE { DRIVING = 0, NON_DRIVING = 1, MODE_ALL = 2, NO_MODE = 3 };

// One [Add Submodel] entry of a model, in file order.
struct addsubmdl {
    std::string sSubMdl;  // submodel name, at most 40 characters
    SUBMDL_MODE eMode = NO_MODE;
    addsubmdl* pNext = nullptr;
};
typedef addsubmdl ADD_SUBMDL;

// [Add Submodel] keyword line of a model whose list is *ppList_io.
void ADDSUBMDL_Start(char* psLine_in, ADD_SUBMDL** ppList_io);
// One [Add Submodel] data line: appends an entry to *ppList_io.
void ADDSUBMDL_ReceiveLine(char* psLine_in, ADD_SUBMDL** ppList_io);
// Releases a list of entries (null is allowed).
void ADDSUBMDL_FreeList(ADD_SUBMDL* pList);

#endif

// Submodels: [Submodel] sections with their own tables (a dynamic clamp, a
// bus-hold circuit or a fall-back driver), and the [Add Submodel] entries by
// which models attach them, with the cross-references between the two.
#ifndef KIVO_MODEL_SUBMDL_H
#define KIVO_MODEL_SUBMDL_H

#include <string>

#include "common/types.h"

struct crv;
struct ramp;
struct wvfrm;
struct idly;
struct smspec;
struct mdl;

// Submodel_type values.
enum SUBTYPE { STYPE_NOT_SET = 0, SNO_TYPE = 1, DYNAMIC_CLAMP = 2, BUS_HOLD = 3, FALL_BACK = 4 };

enum SUBMDL_SUB { NOT_SUBMDL_SUB = 0, SUBMDL_TYPE = 1 };

// One [Submodel].  Every pointer is owned by the record and null while its
// keyword is absent.
struct submdl {
    submdl* pNext = nullptr;
    std::string sSubModel;  // name, at most 40 characters in every version
    SUBTYPE eType = STYPE_NOT_SET;
    crv* pPulldown = nullptr;
    crv* pPullup = nullptr;
    crv* pGND_Clamp = nullptr;
    crv* pPOWER_Clamp = nullptr;
    ramp* pRamp = nullptr;
    wvfrm* pRising = nullptr;   // [Rising Waveform] tables in file order
    wvfrm* pFalling = nullptr;  // [Falling Waveform] tables in file order
    wvfrm* pGND_Pulse = nullptr;    // [GND Pulse Table], one table
    wvfrm* pPOWER_Pulse = nullptr;  // [POWER Pulse Table], one table
    idly* pIdly = nullptr;
    smspec* pSmSpec = nullptr;  // [Submodel Spec]
};
typedef submdl SUBMDL;

// When a submodel acts.
enum SUBMDL_MODE { DRIVING = 0, NON_DRIVING = 1, MODE_ALL = 2, NO_MODE = 3 };

// One [Add Submodel] entry of a model, in file order.
struct addsubmdl {
    std::string sSubMdl;  // submodel name, at most 40 characters
    SUBMDL_MODE eMode = NO_MODE;
    addsubmdl* pNext = nullptr;
};
typedef addsubmdl ADD_SUBMDL;

// ---------------------------------------------------------------------------
// Section operations, called by the router for KIVO files.
// ---------------------------------------------------------------------------
// [Submodel]: a new record at the head of the root's submodel list.
STATUS SUBMDL_Init();
// Keyword and data lines of the submodel keywords.
STATUS SUBMDL_ReceiveLine(LINE_TYPE eTyp_in, KEYWORD_TYPE eKeyword_in, char* sLine_in);
// Closes the open keyword; a keyword outside the submodel's table keywords
// ends the submodel and runs its end checks.
STATUS SUBMDL_Fini(KEYWORD_TYPE eNewKeyword);

// ---------------------------------------------------------------------------
// Records and lists.
// ---------------------------------------------------------------------------
STATUS SUBMDL_New(SUBMDL** ppMdl);
void SUBMDL_AddLink(SUBMDL* pNew, SUBMDL* pPrev);
void SUBMDL_Free(SUBMDL* pMdl_in);
void SUBMDL_FreeList(SUBMDL* pMdl);
// First submodel of the list with exactly that name, or null.
SUBMDL* SUBMDL_NameExists(const char* psName_in, SUBMDL* pMdl_in);

// ---------------------------------------------------------------------------
// [Add Submodel] of a model (called by the model reader).
// ---------------------------------------------------------------------------
// Keyword line; *ppList_io is the current model's entry list.
void ADDSUBMDL_Start(char* psLine_in, addsubmdl** ppList_io);
// One data line: appends an entry to *ppList_io.
void ADDSUBMDL_ReceiveLine(char* psLine_in, addsubmdl** ppList_io);
// Releases a list of entries (null is allowed).
void ADDSUBMDL_FreeList(addsubmdl* pList);

// ---------------------------------------------------------------------------
// Check pass.
// ---------------------------------------------------------------------------
// Error 218 for every [Add Submodel] entry that names no submodel.
void SUBMDL_TestSubMdls(mdl* pMdl, SUBMDL* pSubMdl);
// Warning 220 for every submodel that no [Add Submodel] entry names.
void SUBMDL_TestSubMdlReferences(mdl* pMdl, SUBMDL* pSubMdl);

// Back to program-start state.
void SUBMDL_Reset();

#endif

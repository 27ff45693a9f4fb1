// Package models: [Define Package Model] sections, in a KIVO file or alone
// in a package file, with their pin list, their R/L/C matrices or per-pin
// section chains and their merged-pin groups; the lookups that components
// make against them, and the search for package files next to a KIVO file.
#ifndef KIVO_PACKAGE_PKGMDL_H
#define KIVO_PACKAGE_PKGMDL_H

#include <string>
#include <unordered_map>
#include <vector>

#include "common/types.h"
#include "package/mpins.h"
#include "package/mtx.h"
#include "package/sect.h"

enum PKG_ELEMENT_TYPE { PKG_FORK_TYPE = 0, PKG_SECTION_TYPE = 1 };

// One element of a pin's chain: a section, or a fork whose branch is a
// list of elements of its own.
struct pkgelement {
    pkgelement* pNext = nullptr;
    PKG_ELEMENT_TYPE eType = PKG_SECTION_TYPE;
    union {
        pkgelement* pFork;  // first element of the branch (fork)
        SECT* pSect;        // the section (section)
    } uContent{};
};
typedef pkgelement PKG_ELEMENT;

struct pkgmdl {
    pkgmdl* pNext = nullptr;
    std::string sDefine_Package_Model;  // at most 40 characters
    std::string sManufacturer;          // at most 40
    std::string sOEM;                   // at most 40
    std::string sDescription;           // at most 60
    unsigned uiNumber_of_Pins = 0;      // 0 = not given or bad
    unsigned uiNumber_of_Sections = 0;
    // [Pin Numbers] names in order (at most 5 characters each).  The list
    // exists from the first pin line on; it never holds more than
    // uiNumber_of_Pins names.
    std::vector<std::string> ppPin_Numbers;
    bool bPin_NumbersCreated = false;
    MPINS* pMpins = nullptr;
    // Per stored pin, its section chain (sections mode only).
    std::vector<PKG_ELEMENT*> ppPin_Sections;
    MTX* pResistanceMatrix = nullptr;
    MTX* pInductanceMatrix = nullptr;
    MTX* pCapacitanceMatrix = nullptr;
    // 1-based position of the first pin of each name.
    std::unordered_map<std::string, unsigned> mPinIndex;
};
typedef pkgmdl PKGMDL;

// Section operations (called by the router).
STATUS PKGMDL_Init();
STATUS PKGMDL_ReceiveLine(LINE_TYPE eLineType, KEYWORD_TYPE eKeyword, char* sLine);
STATUS PKGMDL_Fini(KEYWORD_TYPE eNewKeyword);

// Root container linking and release.
void PKGMDL_AddLink(PKGMDL* pNew, PKGMDL* pPrev);
PKGMDL* PKGMDL_GetLastLink(PKGMDL* pList);
void PKGMDL_Free(PKGMDL* pPkgMdl);
void PKGMDL_FreeList(PKGMDL* pList);

// Check pass of a KIVO file over its package models.
void PKGMDL_TestList(PKGMDL* pPkgMdlList);

// ---------------------------------------------------------------------------
// Lookups for components and pins.
// ---------------------------------------------------------------------------
// SUCCESS for the first package model of the list (newest first) named
// sPackage_Model (with case); it is handed back when ppPkgMdl_out is given.
STATUS PKGMDL_FindPackageModel(PKGMDL* pPkgMdls, const char* sPackage_Model, PKGMDL** ppPkgMdl_out);
// Looks for package files in the directory of the file being checked that
// define sPackage_Model, and reads each into the current root container.
// SUCCESS when at least one file was read.
STATUS PKGMDL_FindPkgFile(const char* sPackage_Model);
// Iterator over the [Pin Numbers] of the named model: bGetFirstPin_in TRUE
// starts from the first pin.  FAILURE after the last pin or when the model
// does not exist.  The text stays valid while the model exists.
STATUS PKGMDL_GetPin_Number(PKGMDL* pPkgMdls_in, const char* sPackage_Model_in, BOOL bGetFirstPin_in,
                            const char** ppcPin_Number_out);
// Iterator over the named model's [Merged Pins] groups: for each group first
// its merging pin (*pbNewPin TRUE), then each connected pin (*pbNewPin
// FALSE).  FAILURE after the last pin or when the model does not exist.
STATUS PKGMDL_GetMergedPin_Number(PKGMDL* pPkgMdls_in, const char* sPackage_Model_in, BOOL bGetFirstPin_in,
                                  const char** ppcMergedPin_out, BOOL* pbNewPin);

// Lookups in the package model being read (for the matrix code).
// 1-based position of the first pin named sPin_in; FAILURE and 0 when absent.
STATUS PKGMDL_GetPinIndex(const char* sPin_in, unsigned* puiIndex_out);
// Pin name at a 0-based position (empty when there is none).
void PKGMDL_GetPinName(std::string& sPin_out, unsigned indexIn);

// Back to program-start state.
void PKGMDL_Reset();

#endif

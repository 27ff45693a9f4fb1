// Alternate package models: the names listed between
// [Alternate Package Models] and [End Alternate Package Models], each a
// package model that may replace the component's [Package Model].
#ifndef KIVO_COMPONENT_APKG_H
#define KIVO_COMPONENT_APKG_H

#include <memory>
#include <string>
#include <unordered_set>

#include "common/types.h"

constexpr unsigned APKG_NAME_LEN = 40;

struct apkgmodel;

// Kept on the first name of a list: the last name and the names present, so
// that appending and the duplicate test take constant time.
struct apkg_index {
    apkgmodel* pTail = nullptr;
    std::unordered_set<std::string> setNames;
};

struct apkgmodel {
    apkgmodel* pNext = nullptr;
    std::string sModel;  // at most 40
    std::unique_ptr<apkg_index> pIndex;  // on the first name only
};
typedef apkgmodel APKGMODEL;

// One name line inside the block, appended to *ppApkg_in.
void APKG_ReceiveLine(APKGMODEL** ppApkg_in, const char* psLine_in);
// At [End Alternate Package Models]: a block with no name or only one.
void APKG_Fini(const APKGMODEL* pApkg);
// Nothing to check: the names are looked up with the component.
void APKG_TestList(const APKGMODEL* pApkgList);
void APKG_FreeList(APKGMODEL* pApkg);

#endif

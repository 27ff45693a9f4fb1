// The root container: owns every record parsed from one file, and runs the
// check pass over them.  Roots form a stack so that a file referenced from a
// board description can be parsed into a fresh root.
#ifndef KIVO_PARSE_KIVO_H
#define KIVO_PARSE_KIVO_H

#include "common/types.h"

struct hdr;
struct cmpnt;
struct mdl;
struct extern_cir;
struct submdl;
struct pkgmdl;
struct ebdmdl;
struct msel;
struct testdata;
struct testload;
struct paramfile;
struct exefile;

struct kivo {
    kivo* pNext = nullptr;  // the root below this one on the stack
    hdr* pHdrs = nullptr;
    cmpnt* pCmpnts = nullptr;
    mdl* pMdls = nullptr;
    extern_cir* pExts = nullptr;
    submdl* pSubMdls = nullptr;
    pkgmdl* pPkgMdls = nullptr;
    ebdmdl* pEbdMdls = nullptr;
    msel* pMsels = nullptr;
    testdata* pTestData = nullptr;
    testload* pTestLoad = nullptr;
    paramfile* pParamFile = nullptr;
    exefile* pExeFile = nullptr;
};
typedef kivo KIVO;

STATUS KIVO_New();
STATUS KIVO_GetKIVO(KIVO** ppKivo);
void KIVO_Free(KIVO* pKivo);

STATUS KIVO_GetHdrs(KIVO* pKivo, hdr** ppOut);
STATUS KIVO_GetCmpnts(KIVO* pKivo, cmpnt** ppOut);
STATUS KIVO_GetExts(KIVO* pKivo, extern_cir** ppOut);
STATUS KIVO_GetMdls(KIVO* pKivo, mdl** ppOut);
STATUS KIVO_GetPkgMdls(KIVO* pKivo, pkgmdl** ppOut);
STATUS KIVO_GetEbdMdls(KIVO* pKivo, ebdmdl** ppOut);
STATUS KIVO_GetMsels(KIVO* pKivo, msel** ppOut);
STATUS KIVO_GetSubMdls(KIVO* pKivo, submdl** ppOut);
STATUS KIVO_GetTestData(KIVO* pKivo, testdata** ppOut);
STATUS KIVO_GetTestLoad(KIVO* pKivo, testload** ppOut);
STATUS KIVO_GetParamFile(KIVO* pKivo, paramfile** ppOut);
STATUS KIVO_GetExeFile(KIVO* pKivo, exefile** ppOut);

void KIVO_AddHdr(KIVO* pKivo, hdr* pNew);
void KIVO_AddCmpnt(KIVO* pKivo, cmpnt* pNew);
void KIVO_AddExt(KIVO* pKivo, extern_cir* pNew);
void KIVO_AddMdl(KIVO* pKivo, mdl* pNew);
void KIVO_AddPkgMdl(KIVO* pKivo, pkgmdl* pNew);
void KIVO_AddEbdMdl(KIVO* pKivo, ebdmdl* pNew);
void KIVO_AddMsel(KIVO* pKivo, msel* pNew);
void KIVO_AddSubMdl(KIVO* pKivo, submdl* pNew);
void KIVO_AddTestData(KIVO* pKivo, testdata* pNew);
void KIVO_AddTestLoad(KIVO* pKivo, testload* pNew);
void KIVO_AddParamFile(KIVO* pKivo, paramfile* pNew);
void KIVO_AddExeFile(KIVO* pKivo, exefile* pNew);

// Check pass of a KIVO file, over the top root.
void KIVO_Test();
// Check pass of a package or board-description file.
void EBD_Test(BOOL isRecursive);

// Frees every root on the stack (program-start state).
void KIVO_Reset();

#endif

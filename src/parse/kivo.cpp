#include "parse/kivo.h"

#include <cstdio>
#include <new>

#include "algmodel/algmod.h"
#include "algmodel/efile.h"
#include "algmodel/pfile.h"
#include "checks/acdc.h"
#include "common/errlog.h"
#include "component/chk.h"
#include "component/cmpnt.h"
#include "model/drvsh.h"
#include "model/mdl.h"
#include "model/msel.h"
#include "model/rcvth.h"
#include "model/submdl.h"
#include "package/ebdmdl.h"
#include "package/pkgmdl.h"
#include "parse/hdr.h"
#include "testdata/testdata.h"
#include "testdata/testload.h"

namespace {

// Top of the root stack; null when no file is being checked.
KIVO* gpKivo = nullptr;

// Accessor body shared by every list: the head when the list is non-empty.
// The root is checked before its field is read.
template <class T>
STATUS s_GetList(KIVO* pKivo, T* kivo::*pList, T** ppOut)
{
    KIVO_ASSERT(pKivo != nullptr && ppOut != nullptr);
    *ppOut = pKivo->*pList;
    return *ppOut != nullptr ? SUCCESS : FAILURE;
}

// The executable probe: every model with an algorithmic model has its
// executables probed once; equal executables named again by a later model
// are marked as already reported so that each is listed once.
void s_TestExecutables(MDL* pMdls)
{
    BOOL bStatusPrinted = FALSE;
    for (MDL* pMdl = pMdls; pMdl != nullptr; pMdl = pMdl->pNext) {
        if (pMdl->pAlgModel == nullptr) continue;
        if (bStatusPrinted == FALSE) {
            printf("... Status of [Algorithmic Model] Executables for Linux 64:\n");
            bStatusPrinted = TRUE;
        }
        ALGMOD_TestExe(pMdl->pAlgModel);
        for (MDL* pLater = pMdl->pNext; pLater != nullptr; pLater = pLater->pNext) {
            if (pLater->pAlgModel != nullptr) ALGMOD_MarkDone(pLater->pAlgModel, pMdl->pAlgModel);
        }
    }
    if (bStatusPrinted == TRUE) printf("... This ZIROVIR6 executable supports Linux 64 bit only\n");
}

}  // namespace

STATUS KIVO_New()
{
    KIVO* pNew = new (std::nothrow) KIVO;
    if (pNew == nullptr) {
        ERRLOG_ErrorNew(4100);
        return FAILURE;
    }
    pNew->pNext = gpKivo;
    gpKivo = pNew;
    return SUCCESS;
}

STATUS KIVO_GetKIVO(KIVO** ppKivo)
{
    KIVO_ASSERT(ppKivo != nullptr);
    *ppKivo = gpKivo;
    return gpKivo != nullptr ? SUCCESS : FAILURE;
}

void KIVO_Free(KIVO* pKivo)
{
    KIVO_ASSERT(pKivo != nullptr);

    // Unlink the root from wherever it stands on the stack.
    for (KIVO** ppLink = &gpKivo; *ppLink != nullptr; ppLink = &(*ppLink)->pNext) {
        if (*ppLink == pKivo) {
            *ppLink = pKivo->pNext;
            break;
        }
    }
    pKivo->pNext = nullptr;

    if (pKivo->pHdrs != nullptr) HDR_FreeList(pKivo->pHdrs);
    CMPNT_FreeList(pKivo->pCmpnts);
    MDL_FreeList(pKivo->pMdls);
    PKGMDL_FreeList(pKivo->pPkgMdls);
    MSEL_FreeList(pKivo->pMsels);
    EBDMDL_FreeList(pKivo->pEbdMdls);
    SUBMDL_FreeList(pKivo->pSubMdls);
    TESTDATA_FreeList(pKivo->pTestData);
    TESTLOAD_FreeList(pKivo->pTestLoad);
    PARAMFILE_FreeList(pKivo->pParamFile);
    EXEFILE_FreeList(pKivo->pExeFile);
    EXT_FreeList(pKivo->pExts);
    delete pKivo;
}

STATUS KIVO_GetHdrs(KIVO* pKivo, hdr** ppOut) { return s_GetList(pKivo, &kivo::pHdrs, ppOut); }
STATUS KIVO_GetCmpnts(KIVO* pKivo, cmpnt** ppOut) { return s_GetList(pKivo, &kivo::pCmpnts, ppOut); }
STATUS KIVO_GetExts(KIVO* pKivo, extern_cir** ppOut) { return s_GetList(pKivo, &kivo::pExts, ppOut); }
STATUS KIVO_GetMdls(KIVO* pKivo, mdl** ppOut) { return s_GetList(pKivo, &kivo::pMdls, ppOut); }
STATUS KIVO_GetPkgMdls(KIVO* pKivo, pkgmdl** ppOut) { return s_GetList(pKivo, &kivo::pPkgMdls, ppOut); }
STATUS KIVO_GetEbdMdls(KIVO* pKivo, ebdmdl** ppOut) { return s_GetList(pKivo, &kivo::pEbdMdls, ppOut); }
STATUS KIVO_GetMsels(KIVO* pKivo, msel** ppOut) { return s_GetList(pKivo, &kivo::pMsels, ppOut); }
STATUS KIVO_GetSubMdls(KIVO* pKivo, submdl** ppOut) { return s_GetList(pKivo, &kivo::pSubMdls, ppOut); }
STATUS KIVO_GetTestData(KIVO* pKivo, testdata** ppOut) { return s_GetList(pKivo, &kivo::pTestData, ppOut); }
STATUS KIVO_GetTestLoad(KIVO* pKivo, testload** ppOut) { return s_GetList(pKivo, &kivo::pTestLoad, ppOut); }
STATUS KIVO_GetParamFile(KIVO* pKivo, paramfile** ppOut) { return s_GetList(pKivo, &kivo::pParamFile, ppOut); }
STATUS KIVO_GetExeFile(KIVO* pKivo, exefile** ppOut) { return s_GetList(pKivo, &kivo::pExeFile, ppOut); }

// Each add puts the record at the head of its list, so lists hold their
// records newest first.
void KIVO_AddHdr(KIVO* pKivo, hdr* pNew)
{
    KIVO_ASSERT(pKivo != nullptr && pNew != nullptr);
    HDR_AddLink(pNew, pKivo->pHdrs);
    pKivo->pHdrs = pNew;
}

void KIVO_AddCmpnt(KIVO* pKivo, cmpnt* pNew)
{
    KIVO_ASSERT(pKivo != nullptr && pNew != nullptr);
    CMPNT_AddLink(pNew, pKivo->pCmpnts);
    pKivo->pCmpnts = pNew;
}

void KIVO_AddExt(KIVO* pKivo, extern_cir* pNew)
{
    KIVO_ASSERT(pKivo != nullptr && pNew != nullptr);
    EXT_AddLink(pNew, pKivo->pExts);
    pKivo->pExts = pNew;
}

void KIVO_AddMdl(KIVO* pKivo, mdl* pNew)
{
    KIVO_ASSERT(pKivo != nullptr && pNew != nullptr);
    MDL_AddLink(pNew, pKivo->pMdls);
    pKivo->pMdls = pNew;
}

void KIVO_AddPkgMdl(KIVO* pKivo, pkgmdl* pNew)
{
    KIVO_ASSERT(pKivo != nullptr && pNew != nullptr);
    PKGMDL_AddLink(pNew, pKivo->pPkgMdls);
    pKivo->pPkgMdls = pNew;
}

void KIVO_AddEbdMdl(KIVO* pKivo, ebdmdl* pNew)
{
    KIVO_ASSERT(pKivo != nullptr && pNew != nullptr);
    EBDMDL_AddLink(pNew, pKivo->pEbdMdls);
    pKivo->pEbdMdls = pNew;
}

void KIVO_AddMsel(KIVO* pKivo, msel* pNew)
{
    KIVO_ASSERT(pKivo != nullptr && pNew != nullptr);
    MSEL_AddLink(pNew, pKivo->pMsels);
    pKivo->pMsels = pNew;
}

void KIVO_AddSubMdl(KIVO* pKivo, submdl* pNew)
{
    KIVO_ASSERT(pKivo != nullptr && pNew != nullptr);
    SUBMDL_AddLink(pNew, pKivo->pSubMdls);
    pKivo->pSubMdls = pNew;
}

void KIVO_AddTestData(KIVO* pKivo, testdata* pNew)
{
    KIVO_ASSERT(pKivo != nullptr && pNew != nullptr);
    TESTDATA_AddLink(pNew, pKivo->pTestData);
    pKivo->pTestData = pNew;
}

void KIVO_AddTestLoad(KIVO* pKivo, testload* pNew)
{
    KIVO_ASSERT(pKivo != nullptr && pNew != nullptr);
    TESTLOAD_AddLink(pNew, pKivo->pTestLoad);
    pKivo->pTestLoad = pNew;
}

void KIVO_AddParamFile(KIVO* pKivo, paramfile* pNew)
{
    KIVO_ASSERT(pKivo != nullptr && pNew != nullptr);
    PARAMFILE_AddLink(pNew, pKivo->pParamFile);
    pKivo->pParamFile = pNew;
}

void KIVO_AddExeFile(KIVO* pKivo, exefile* pNew)
{
    KIVO_ASSERT(pKivo != nullptr && pNew != nullptr);
    EXEFILE_AddLink(pNew, pKivo->pExeFile);
    pKivo->pExeFile = pNew;
}

void KIVO_Test()
{
    KIVO* pKivo = nullptr;
    if (KIVO_GetKIVO(&pKivo) != SUCCESS) return;

    // Models: receiver thresholds, curve checks, cross-checks, driver
    // schedules and algorithmic-model parameter files.
    MDL* pMdls = nullptr;
    if (KIVO_GetMdls(pKivo, &pMdls) == SUCCESS) {
        RCVTH_Check(pMdls);
        acdc_CheckAllModels(pMdls);
        chk_CheckAllModels(pMdls);
        DRVSH_Test(pMdls);
        ALGMOD_Test(pMdls);
    }

    MSEL* pMsels = nullptr;
    if (KIVO_GetMsels(pKivo, &pMsels) == SUCCESS) MSEL_TestList(pMsels);

    // Components against the models they name.
    CMPNT* pCmpnts = nullptr;
    if (KIVO_GetCmpnts(pKivo, &pCmpnts) == SUCCESS) {
        EXTCIR* pExts = nullptr;
        KIVO_GetExts(pKivo, &pExts);
        chk_CheckAllComponents(pCmpnts);
        CMPNT_TestList(pCmpnts, pExts, pMdls);
    } else {
        ERRLOG_ErrorNew(4101);
    }

    PKGMDL* pPkgMdls = nullptr;
    if (KIVO_GetPkgMdls(pKivo, &pPkgMdls) == SUCCESS) PKGMDL_TestList(pPkgMdls);

    TESTDATA* pTestData = nullptr;
    if (KIVO_GetTestData(pKivo, &pTestData) == SUCCESS) TESTDATA_TestList(pTestData);
    TESTLOAD* pTestLoad = nullptr;
    if (KIVO_GetTestLoad(pKivo, &pTestLoad) == SUCCESS) TESTLOAD_TestList(pTestLoad);

    if (pMdls != nullptr) s_TestExecutables(pMdls);

    SUBMDL* pSubMdls = nullptr;
    if (KIVO_GetSubMdls(pKivo, &pSubMdls) == SUCCESS) {
        MDL_TestSubMdlReferences(pMdls, pSubMdls);
        chk_CheckAllSubModels(pSubMdls);
        acdc_CheckAllSubModels(pMdls, pSubMdls);
    }
    MDL_TestSubMdls(pMdls, pSubMdls);

    // Last: models that nothing references.
    if (pMdls != nullptr) MDL_TestMdlReference(pMdls);
}

void EBD_Test(BOOL isRecursive)
{
    KIVO* pKivo = nullptr;
    if (KIVO_GetKIVO(&pKivo) != SUCCESS) return;
    EBDMDL* pEbdMdls = nullptr;
    if (KIVO_GetEbdMdls(pKivo, &pEbdMdls) == SUCCESS) EBDMDL_TestList(pEbdMdls, isRecursive);
}

void KIVO_Reset()
{
    while (gpKivo != nullptr) KIVO_Free(gpKivo);
}

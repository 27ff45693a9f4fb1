#include "component/pkg.h"

#include <new>

#include "common/cmn.h"
#include "common/errlog.h"

namespace {

struct PkgValue {
    const char* sName;  // matched ignoring case
    RNG* PKG::*pField;
    int iDuplicateMsg;
};

const PkgValue s_Values[] = {
    {"R_pkg", &PKG::pR_pkg, 1203},
    {"L_pkg", &PKG::pL_pkg, 1204},
    {"C_pkg", &PKG::pC_pkg, 1205},
};

}  // namespace

STATUS PKG_New(PKG** ppPkg)
{
    KIVO_ASSERT(ppPkg != nullptr);
    *ppPkg = new (std::nothrow) PKG;
    if (*ppPkg == nullptr) {
        ERRLOG_LineErrorNew(1200);
        return FAILURE;
    }
    return SUCCESS;
}

void PKG_ReceiveLine(PKG* pPkg, const char* sLine)
{
    KIVO_ASSERT(pPkg != nullptr && sLine != nullptr);
    ARGS args;
    if (CMN_ArgParse(sLine, 4, &args) != SUCCESS) return;
    if (args.iActualCnt != 4) {
        ERRLOG_LineErrorNew(1202, 4, args.iActualCnt);
        return;
    }
    const char* sName = args.Arg(0);
    const PkgValue* pValue = nullptr;
    for (const PkgValue& v : s_Values) {
        if (CMN_StrSameIC(v.sName, sName) == TRUE) {
            pValue = &v;
            break;
        }
    }
    if (pValue == nullptr) {
        ERRLOG_LineErrorNew(1206);
        return;
    }
    RNG*& pRng = pPkg->*(pValue->pField);
    if (pRng != nullptr) {
        ERRLOG_LineErrorNew(pValue->iDuplicateMsg);
        return;
    }
    // The three columns follow the value's name.
    const char* pRest = sLine;
    CMN_EatWhitespace(&pRest);
    CMN_EatNonWhitespace(&pRest);
    CMN_EatWhitespace(&pRest);
    RNG* pNew = nullptr;
    if (RNG_ParseRange(pRest, sName, &pNew, TRUE) != SUCCESS) ERRLOG_LineErrorNew(1207, sName);
    if (pNew == nullptr) return;
    pRng = pNew;
    if (pNew->eTypStat != SET) ERRLOG_LineErrorNew(1209);
    if (pNew->eMinStat == NOT_SET) ERRLOG_LineErrorNew(1210);
    if (pNew->eMaxStat == NOT_SET) ERRLOG_LineErrorNew(1211);
}

void PKG_Test(const PKG* pPkg, const char* sComponent)
{
    KIVO_ASSERT(pPkg != nullptr && sComponent != nullptr);
    if (pPkg->pR_pkg == nullptr) ERRLOG_ErrorNew(1213, sComponent);
    if (pPkg->pL_pkg == nullptr) ERRLOG_ErrorNew(1215, sComponent);
    if (pPkg->pC_pkg == nullptr) ERRLOG_ErrorNew(1217, sComponent);
}

void PKG_Free(PKG* pPkg)
{
    if (pPkg == nullptr) return;
    RNG_Free(pPkg->pR_pkg);
    RNG_Free(pPkg->pL_pkg);
    RNG_Free(pPkg->pC_pkg);
    delete pPkg;
}

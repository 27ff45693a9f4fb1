#include "common/rngp.h"

#include <cmath>
#include <new>
#include <unordered_map>
#include <vector>

#include "common/cmn.h"
#include "common/errlog.h"

namespace {

// Lists are appended to row by row while a table is read, and a list only
// knows its head.  To keep appending linear, the last few lists appended to
// remember their tail, their length and (once a duplicate check was asked
// for) how often each first-column value occurs.  An entry is dropped when
// its list is freed, and re-learnt by one walk when it was evicted or the
// list was changed behind its back.
struct list_info {
    RNGP* pHead = nullptr;
    RNGP* pTail = nullptr;
    int iCount = 0;
    bool bIndexed = false;
    std::unordered_map<double, int> values;
    unsigned long ulUsed = 0;
};

constexpr std::size_t kCachedLists = 4;
std::vector<list_info> gLists;
unsigned long gulClock = 0;

// Key under which a value is counted: both zeros compare equal.
double s_key(double d) { return (d == 0.0) ? 0.0 : d; }

void s_index(list_info& info, double d)
{
    if (std::isnan(d)) return;  // never equal to anything
    ++info.values[s_key(d)];
}

list_info* s_find(RNGP* pHead)
{
    for (list_info& info : gLists)
        if (info.pHead == pHead) return &info;
    return nullptr;
}

void s_drop(list_info* pInfo)
{
    std::size_t i = static_cast<std::size_t>(pInfo - gLists.data());
    gLists.erase(gLists.begin() + static_cast<long>(i));
}

// Learns a list by walking it once.
list_info* s_learn(RNGP* pHead)
{
    if (list_info* pOld = s_find(pHead)) s_drop(pOld);
    if (gLists.size() >= kCachedLists) {
        std::size_t iOldest = 0;
        for (std::size_t i = 1; i < gLists.size(); ++i)
            if (gLists[i].ulUsed < gLists[iOldest].ulUsed) iOldest = i;
        gLists.erase(gLists.begin() + static_cast<long>(iOldest));
    }
    list_info info;
    info.pHead = pHead;
    info.iCount = 1;
    info.pTail = pHead;
    while (info.pTail->pNext != nullptr) {
        info.pTail = info.pTail->pNext;
        ++info.iCount;
    }
    gLists.push_back(std::move(info));
    return &gLists.back();
}

}  // namespace

STATUS RNGP_New(RNGP** ppRngp_out)
{
    KIVO_ASSERT(ppRngp_out != nullptr);
    *ppRngp_out = new (std::nothrow) RNGP;
    if (*ppRngp_out == nullptr) {
        ERRLOG_BugNew(1404, "rngp.c", __LINE__);
        return FAILURE;
    }
    return SUCCESS;
}

STATUS RNGP_ParseLine(const char* psLine_in, const char* psLabel_in, const char* psCol_in,
                      RNGP** ppRngp_out)
{
    KIVO_ASSERT(psLine_in != nullptr && psLabel_in != nullptr && psCol_in != nullptr &&
                ppRngp_out != nullptr);
    *ppRngp_out = nullptr;

    ARGS args;
    if (CMN_ArgParse(psLine_in, 4, &args) != SUCCESS) {
        ERRLOG_LineBugNew(1400, psLabel_in);
        return FAILURE;
    }

    switch (args.iActualCnt) {
    case 4: break;
    case 3: ERRLOG_LineErrorNew(1401, "maximum", psLabel_in); break;
    case 2:
        ERRLOG_LineErrorNew(1401, "minimum", psLabel_in);
        ERRLOG_LineErrorNew(1401, "maximum", psLabel_in);
        break;
    case 1:
        ERRLOG_LineErrorNew(1401, "typical", psLabel_in);
        ERRLOG_LineErrorNew(1401, "minimum", psLabel_in);
        ERRLOG_LineErrorNew(1401, "maximum", psLabel_in);
        break;
    default: ERRLOG_LineErrorNew(1402, args.iActualCnt, psLabel_in, 4); break;
    }

    RNGP* pRow = nullptr;
    if (RNGP_New(&pRow) != SUCCESS) {
        CMN_ArgFree(&args);
        return FAILURE;
    }

    // A bad number is reported and leaves its column unset; the row stands.
    CMN_GetColValue(args.Arg(0), psLabel_in, psCol_in, &pRow->dValue, &pRow->eValueStat);
    CMN_GetColValue(args.Arg(1), psLabel_in, "Typical", &pRow->dTyp, &pRow->eTypStat);
    CMN_GetColValue(args.Arg(2), psLabel_in, "Minimum", &pRow->dMin, &pRow->eMinStat);
    CMN_GetColValue(args.Arg(3), psLabel_in, "Maximum", &pRow->dMax, &pRow->eMaxStat);

    CMN_ArgFree(&args);
    *ppRngp_out = pRow;
    return SUCCESS;
}

void RNGP_LinkLine(RNGP** ppRngp_io, RNGP* pNewRngp_io, int* iCnt_out, BOOL checkDuplicates)
{
    KIVO_ASSERT(ppRngp_io != nullptr && pNewRngp_io != nullptr && iCnt_out != nullptr);
    pNewRngp_io->pNext = nullptr;

    RNGP* pHead = *ppRngp_io;
    list_info* pInfo = nullptr;
    if (pHead == nullptr) {
        *ppRngp_io = pNewRngp_io;
        pNewRngp_io->pPrev = nullptr;
        pInfo = s_learn(pNewRngp_io);
        pInfo->ulUsed = ++gulClock;
        if (checkDuplicates == TRUE) {
            pInfo->bIndexed = true;
            s_index(*pInfo, pNewRngp_io->dValue);
        }
        *iCnt_out = 1;
        return;
    }

    pInfo = s_find(pHead);
    if (pInfo != nullptr && pInfo->pTail->pNext != nullptr) {
        // Grown by other means since last seen: learn it again.
        s_drop(pInfo);
        pInfo = nullptr;
    }
    if (pInfo == nullptr) pInfo = s_learn(pHead);
    pInfo->ulUsed = ++gulClock;

    if (checkDuplicates == TRUE) {
        if (!pInfo->bIndexed) {
            pInfo->values.clear();
            for (RNGP* p = pHead; p != nullptr; p = p->pNext) s_index(*pInfo, p->dValue);
            pInfo->bIndexed = true;
        }
        double d = pNewRngp_io->dValue;
        if (!std::isnan(d)) {
            auto it = pInfo->values.find(s_key(d));
            int iRepeats = (it != pInfo->values.end()) ? it->second : 0;
            for (int i = 0; i < iRepeats; ++i) ERRLOG_LineWarnNew(1403, d);
        }
    }

    pInfo->pTail->pNext = pNewRngp_io;
    pNewRngp_io->pPrev = pInfo->pTail;
    pInfo->pTail = pNewRngp_io;
    ++pInfo->iCount;
    if (pInfo->bIndexed) s_index(*pInfo, pNewRngp_io->dValue);
    *iCnt_out = pInfo->iCount;
}

STATUS RNGP_Prev(RNGP* pRngp_in, RNGP** ppPrev_out)
{
    KIVO_ASSERT(pRngp_in != nullptr && ppPrev_out != nullptr);
    *ppPrev_out = pRngp_in->pPrev;
    return (pRngp_in->pPrev != nullptr) ? SUCCESS : FAILURE;
}

void RNGP_FreeList(RNGP* pRngp_in)
{
    while (pRngp_in != nullptr) {
        RNGP* pNext = pRngp_in->pNext;
        // Forget any remembered list this row heads or ends.
        for (std::size_t i = 0; i < gLists.size();) {
            if (gLists[i].pHead == pRngp_in || gLists[i].pTail == pRngp_in)
                gLists.erase(gLists.begin() + static_cast<long>(i));
            else
                ++i;
        }
        delete pRngp_in;
        pRngp_in = pNext;
    }
}

void RNGP_Reset()
{
    gLists.clear();
    gulClock = 0;
}

#include "package/sect.h"

#include "common/cmn.h"
#include "common/errlog.h"

namespace {

// One R, L or C item: it needs a length before it, may be given once, and
// must not be negative.  Later values replace earlier ones.
void s_SetItem(SECT* pSect, std::optional<double>& pdItem, double dValue, int iNoLen, int iDup,
               int iNegative)
{
    if (!pSect->pdLen) ERRLOG_LineErrorNew(iNoLen);
    if (pdItem) ERRLOG_LineErrorNew(iDup);
    if (dValue < 0) ERRLOG_LineErrorNew(iNegative);
    pdItem = dValue;
}

}  // namespace

STATUS SECT_ParseSection(char* psLine_in, SECT** ppSect_out, char** ppsLine_out)
{
    KIVO_ASSERT(psLine_in != nullptr && ppSect_out != nullptr && ppsLine_out != nullptr);
    *ppSect_out = nullptr;
    *ppsLine_out = psLine_in;

    SECT work;
    int iItems = 0;
    char* p = psLine_in;
    for (;;) {
        double dValue = 0;
        char* pNext = p;
        int iTok = CMN_gettok(p, &dValue, &pNext);
        p = pNext;
        switch (iTok) {
        case CMN_TOK_END:
            *ppsLine_out = p;
            if (iItems == 0) return SUCCESS;
            ERRLOG_LineErrorNew(3013);
            return FAILURE;
        case CMN_TOK_SLASH: {
            if (iItems == 0) {
                ERRLOG_LineErrorNew(3011);
            } else if (work.pdLen && *work.pdLen != 0 && (!work.pdL || !work.pdC)) {
                ERRLOG_LineErrorNew(3012);
            }
            SECT* pNew = new SECT(work);
            *ppSect_out = pNew;
            *ppsLine_out = p;
            return SUCCESS;
        }
        case CMN_TOK_LEN:
            ++iItems;
            if (work.pdLen) ERRLOG_LineErrorNew(3000);
            if (dValue < 0) ERRLOG_LineErrorNew(3001);
            work.pdLen = dValue;
            break;
        case CMN_TOK_R:
            ++iItems;
            s_SetItem(&work, work.pdR, dValue, 3002, 3003, 3004);
            break;
        case CMN_TOK_C:
            ++iItems;
            s_SetItem(&work, work.pdC, dValue, 3008, 3009, 3010);
            break;
        case CMN_TOK_L:
            ++iItems;
            s_SetItem(&work, work.pdL, dValue, 3005, 3006, 3007);
            break;
        default:
            // A malformed item was reported by the tokenizer; reading goes
            // on with what follows it (the tokenizer always moves past it).
            KIVO_ASSERT(pNext != nullptr);
            break;
        }
    }
}

void SECT_Free(SECT* pSect) { delete pSect; }

#include "package/mpins.h"

#include <string>
#include <unordered_map>
#include <vector>

#include "common/cmn.h"
#include "common/errlog.h"
#include "parse/parse.h"

namespace {

constexpr unsigned kPinNameLen = 5;

MPINS* gpCurrent = nullptr;             // group being filled
unsigned long gulCurrentLine = 0;       // line of its [Merged Pins] keyword
// For each connected pin, the groups that list it, in list order and each
// group once, so that a pin connected again is reported against every
// group that already holds it without walking all groups.
std::unordered_map<std::string, std::vector<MPINS*>> gmConnected;
// Merging pins of the groups of the current list.
std::unordered_map<std::string, MPINS*> gmMerging;

}  // namespace

void MPINS_StartList()
{
    gpCurrent = nullptr;
    gulCurrentLine = 0;
    gmConnected.clear();
    gmMerging.clear();
}

void MPINS_LinkMpins(MPINS** ppMpins, MPINS* pNew)
{
    KIVO_ASSERT(ppMpins != nullptr && pNew != nullptr);
    MPINS** ppEnd = ppMpins;
    while (*ppEnd != nullptr) ppEnd = &(*ppEnd)->pNext;
    *ppEnd = pNew;
}

STATUS MPINS_New(const char* psLine_in, MPINS** ppMpins_in, const char** ppcPin)
{
    KIVO_ASSERT(psLine_in != nullptr && ppMpins_in != nullptr && ppcPin != nullptr);
    ARGS args;
    if (CMN_ArgParse(psLine_in, 1, &args) != SUCCESS) return FAILURE;
    std::string sPin;
    if (args.iActualCnt == 0) {
        ERRLOG_LineErrorNew(5303);
    } else {
        if (args.iActualCnt > 1) ERRLOG_LineErrorNew(5304, args.iActualCnt, "Merged Pins", 1);
        sPin = args.Arg(0);
        if (sPin.size() > kPinNameLen) {
            ERRLOG_LineErrorNew(5305, sPin, static_cast<int>(kPinNameLen));
            sPin.resize(kPinNameLen);
        }
    }
    CMN_ArgFree(&args);

    if (gmMerging.count(sPin) != 0) ERRLOG_LineErrorNew(5307, sPin);

    MPINS* pNew = new MPINS;
    pNew->sPin = sPin;
    // The group being filled is the last of the list: append after it
    // without walking the list.
    if (gpCurrent != nullptr && *ppMpins_in != nullptr)
        gpCurrent->pNext = pNew;
    else
        MPINS_LinkMpins(ppMpins_in, pNew);
    gmMerging.emplace(sPin, pNew);
    gpCurrent = pNew;
    gulCurrentLine = PARSE_GetLineNum();
    *ppcPin = pNew->sPin.c_str();
    return SUCCESS;
}

STATUS MPINS_ReceiveLine(MPINS* pMpins, const char* sLine)
{
    KIVO_ASSERT(pMpins != nullptr && sLine != nullptr);
    const char* p = sLine;
    for (;;) {
        while (*p == ' ' || *p == '\t') ++p;
        if (*p == '\0') break;
        const char* pStart = p;
        while (*p != '\0' && *p != ' ' && *p != '\t') ++p;
        std::string sPin(pStart, static_cast<std::size_t>(p - pStart));

        std::vector<MPINS*>& groups = gmConnected[sPin];
        for (MPINS* pGroup : groups) ERRLOG_LineErrorNew(5308, sPin, pGroup->sPin);
        if (groups.empty() || groups.back() != pMpins) groups.push_back(pMpins);

        pMpins->ppMergedPins.push_back(std::move(sPin));
        ++pMpins->nMergedPins;
    }
    return SUCCESS;
}

MPINS* MPINS_GetCurrent() { return gpCurrent; }

STATUS MPINS_GetConnectedMergedPins(const std::vector<std::string>** pppcPins, int* pnPins,
                                    unsigned long* pLineno)
{
    KIVO_ASSERT(pppcPins != nullptr && pnPins != nullptr && pLineno != nullptr);
    if (gpCurrent == nullptr) return FAILURE;
    *pppcPins = &gpCurrent->ppMergedPins;
    *pnPins = gpCurrent->nMergedPins;
    *pLineno = gulCurrentLine;
    return SUCCESS;
}

void MPINS_FreeList(MPINS* pList)
{
    while (pList != nullptr) {
        MPINS* pNext = pList->pNext;
        if (pList == gpCurrent) MPINS_StartList();
        delete pList;
        pList = pNext;
    }
}

void MPINS_Reset() { MPINS_StartList(); }

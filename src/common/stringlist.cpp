#include "common/stringlist.h"

#include <cstdarg>
#include <cstring>
#include <new>
#include <string>
#include <vector>

#include "common/errlog.h"

namespace {

// One counted text.  The text is copied, so a caller's temporary text may be
// counted safely.
struct str_int {
    std::string string;
    int i = 0;
};

// Room for the bounded set of names the model module counts; the table
// grows beyond it rather than dropping a name.
constexpr std::size_t kStrIntEntries = 30;
std::vector<str_int> gStrInt;

str_int* s_findCounter(const char* string)
{
    for (str_int& e : gStrInt)
        if (e.string == string) return &e;
    return nullptr;
}

}  // namespace

STR_LIST* STR_LIST_add(STR_LIST* pSlist, const char* string)
{
    STR_LIST* pNew = new (std::nothrow) STR_LIST;
    if (pNew == nullptr) {
        ERRLOG_BugNew(2100, "stringlist.c", __LINE__);
        return nullptr;
    }
    pNew->string = string;
    pNew->pNext = pSlist;
    return pNew;
}

STR_LIST* STR_LIST_add_unique(STR_LIST* pSlist, const char* string)
{
    if (STR_LIST_find(pSlist, string) == TRUE) return pSlist;
    return STR_LIST_add(pSlist, string);
}

STR_LIST* STR_LIST_add_list(STR_LIST* pSlist, ...)
{
    va_list ap;
    va_start(ap, pSlist);
    for (const char* s = va_arg(ap, const char*); s != nullptr; s = va_arg(ap, const char*))
        pSlist = STR_LIST_add(pSlist, s);
    va_end(ap);
    return pSlist;
}

STR_LIST* STR_LIST_free(STR_LIST* pSlist)
{
    while (pSlist != nullptr) {
        STR_LIST* pNext = pSlist->pNext;
        delete pSlist;
        pSlist = pNext;
    }
    return nullptr;
}

STR_LIST* STR_LIST_next(STR_LIST* pSlist) { return (pSlist != nullptr) ? pSlist->pNext : nullptr; }

const char* STR_LIST_string(STR_LIST* pSlist) { return (pSlist != nullptr) ? pSlist->string : nullptr; }

BOOL STR_LIST_find(STR_LIST* pSlist, const char* name)
{
    KIVO_ASSERT(name != nullptr);
    for (; pSlist != nullptr; pSlist = pSlist->pNext)
        if (pSlist->string != nullptr && std::strcmp(pSlist->string, name) == 0) return TRUE;
    return FALSE;
}

void STR_INT_init()
{
    gStrInt.clear();
    gStrInt.reserve(kStrIntEntries);
}

void STR_INT_incr(const char* string)
{
    KIVO_ASSERT(string != nullptr);
    str_int* p = s_findCounter(string);
    if (p != nullptr) {
        ++p->i;
        return;
    }
    gStrInt.push_back(str_int{string, 1});
}

int STR_INT_value(const char* string)
{
    KIVO_ASSERT(string != nullptr);
    const str_int* p = s_findCounter(string);
    if (p == nullptr) {
        ERRLOG_BugNew(2101, "stringlist.c", __LINE__);
        return 0;
    }
    return p->i;
}

void STR_INT_Reset()
{
    gStrInt.clear();
    gStrInt.shrink_to_fit();
}

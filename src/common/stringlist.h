// A list of borrowed texts, and a small table counting texts.
#ifndef KIVO_COMMON_STRINGLIST_H
#define KIVO_COMMON_STRINGLIST_H

#include "common/types.h"

// List node; the text is the caller's and is not copied.
struct string_list {
    const char* string = nullptr;
    string_list* pNext = nullptr;
};
typedef string_list STR_LIST;

// Prepends a node; returns the new head (null and bug 2100 if no memory).
STR_LIST* STR_LIST_add(STR_LIST* pSlist, const char* string);
// Returns the list unchanged if the exact text is present, else prepends.
STR_LIST* STR_LIST_add_unique(STR_LIST* pSlist, const char* string);
// Adds each text of a null-terminated argument list in argument order (the
// last ends up first).
STR_LIST* STR_LIST_add_list(STR_LIST* pSlist, ...);
// Releases the nodes (not the texts); returns null.
STR_LIST* STR_LIST_free(STR_LIST* pSlist);
STR_LIST* STR_LIST_next(STR_LIST* pSlist);
const char* STR_LIST_string(STR_LIST* pSlist);
BOOL STR_LIST_find(STR_LIST* pSlist, const char* name);

// Text counter.
void STR_INT_init();
void STR_INT_incr(const char* string);
// Count of the text; a text never counted gives bug 2101 and 0.
int STR_INT_value(const char* string);
// Back to program-start state (an empty counter).
void STR_INT_Reset();

#endif

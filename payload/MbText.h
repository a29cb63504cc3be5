// Byte-string searches that step over double-byte characters, so a trail
// byte is never taken for the character searched for. Portable: the caller
// tells which bytes lead a double-byte character in its code page.
#pragma once
#include <stddef.h>

typedef bool (*LeadByteFn)(unsigned char byte);

const size_t MB_NPOS = (size_t)-1;

// Lead bytes of the double-byte ANSI code pages (932, 936, 949, 950); every
// other code page has none.
LeadByteFn LeadByteFnForCodePage(unsigned codePage);
bool NoLeadBytes(unsigned char byte);

size_t MbFind(const char* text, size_t length, const char* needle, LeadByteFn isLead);
size_t MbReverseFind(const char* text, size_t length, char ch, LeadByteFn isLead);

// Where a payload entry is written, decided on its full path (host folder
// followed directly by the entry's name).
#pragma once
#include <stddef.h>
#include <stdint.h>

#include "MbText.h"

struct PayloadTarget {
  bool intoOem;  // the OEM folder goes in front of the last component
  size_t split;  // with intoOem: index just past the last backslash
};

// A path holding ".prd" anywhere (case-sensitive) is the product file and is
// written as it is; anything else goes to <folder>OEM\<last component>.
// Without a backslash the path is used as it is.
PayloadTarget PayloadTargetOf(const char* fullPath, size_t length, LeadByteFn isLead);

// True when a stored name would land outside the host folder: an absolute or
// drive path, a leading separator, a ':' anywhere, or a ".." component.
// Both '\' and '/' separate components, as they do for Windows.
bool PayloadNameEscapes(const char* name, size_t length, LeadByteFn isLead);

struct PayloadEntry;

// In a block that PayloadCheck passed: the first entry whose name escapes
// and its index, or false when none does.
bool PayloadFindEscapingName(const void* block, size_t blockSize, LeadByteFn isLead, PayloadEntry* entry,
                             uint32_t* index);

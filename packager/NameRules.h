// Which stored names a package may carry. A stored name is a path relative
// to the host folder, in the target ANSI code page, '\' between folders.
#pragma once
#include <stddef.h>

#include <string>

#include "MbText.h"

enum NameProblem {
  NAME_OK = 0,
  NAME_EMPTY,
  NAME_NOT_UTF8,
  NAME_NOT_IN_CODE_PAGE,  // a character the code page cannot hold
  NAME_TURNS_ASCII,       // a character the code page maps onto an ASCII one
  NAME_ABSOLUTE,
  NAME_DRIVE,
  NAME_COLON,
  NAME_PARENT,
  NAME_ESCAPES,           // leaves the host folder some other way
  NAME_FORWARD_SLASH,
  NAME_INVALID_CHAR,
  NAME_EMPTY_COMPONENT,
  NAME_TRAILING_DOT_OR_SPACE,
  NAME_DEVICE,
  NAME_TOO_LONG,
};

const char* NameProblemText(NameProblem problem);

// The rules on a stored name as the installer will see it.
NameProblem CheckStoredName(const char* name, size_t length, LeadByteFn isLead);

// Converts a UTF-8 name to the code page and checks it. On a conversion
// problem *culprit is the character at fault, in UTF-8.
NameProblem StoredNameFromLocal(const std::string& local, unsigned codePage, std::string* stored,
                                std::string* culprit);

// Where the installer writes an entry, relative to the host folder, by its
// own rule on the full path (host folder followed directly by the name).
#pragma once
#include <stddef.h>

#include <string>

#include "MbText.h"

struct Destination {
  bool intoOem;
  size_t split;  // with intoOem: where "OEM\" goes into the name
};

// host must end in '\' and hold ASCII only, so no lead byte of the name's
// code page can pair with its last byte.
Destination DestinationOf(const std::string& host, const char* name, size_t length, LeadByteFn isLead);

// The name as written below the host folder: OEM\ put in where it goes.
std::string DestinationName(const char* name, size_t length, const Destination& destination);

// A local folder seen as the installer would see a host folder: '\'
// between parts, a trailing '\', and every non-ASCII byte masked so that
// only what the rule looks at (".prd", '\') carries over.
std::string HostPathForRule(const std::string& folder);

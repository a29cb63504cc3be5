// What list and verify say about a block.
#pragma once
#include <stddef.h>
#include <stdint.h>

#include <string>
#include <vector>

#include "MbText.h"
#include "PayloadFormat.h"

struct ListedEntry {
  size_t offset;
  std::string name;         // as stored, in the code page
  uint32_t size;
  bool intoOem;
  std::string destination;  // below the host folder, as stored
};

// The entries up to where the walk stops, with the notional host folder
// C:\Host\ for the destination rule.
PayloadStatus ListPayload(const unsigned char* block, size_t size, LeadByteFn isLead,
                          std::vector<ListedEntry>* entries, PayloadSummary* summary);

// Every reason the block would not install as its names say; empty when
// it would: a truncated walk, bytes after the last entry, names that leave
// the host folder or that Windows cannot create.
std::vector<std::string> VerifyPayload(const unsigned char* block, size_t size, LeadByteFn isLead,
                                       unsigned codePage);

// A stored name for a UTF-8 terminal; what does not convert, and control
// characters, come out as \xNN.
std::string DisplayName(const std::string& stored, unsigned codePage);

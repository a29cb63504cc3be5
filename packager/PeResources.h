// The installer's payload resource: type "EXE_DUMP", neutral language.
// Putting a block into a stub image, and finding it again.
#pragma once
#include <stddef.h>
#include <stdint.h>

#include <string>
#include <vector>

#include "ByteIo.h"
#include "ResourceTree.h"

const uint32_t kDefaultPayloadId = 24001;

ResName PayloadResourceType();

// An all-digits text is an integer id (1 to 65535); anything else is a string
// name of printable ASCII, upper-cased as FindResource looks it up. A
// leading '#' is refused: FindResource would read it as an id.
bool ParseResourceName(const std::string& text, ResName* name, std::string* error);

// Adds the block as EXE_DUMP/name/neutral, replacing a resource of that
// type, name and language; every other resource stays as it was. Warns when
// another EXE_DUMP name comes first, since the installer uses only that one.
bool EmbedPayload(const Bytes& image, const ResName& name, const Bytes& block, Bytes* out,
                  std::vector<std::string>* warnings, std::string* error);

struct FoundPayload {
  ResName name;
  ResName language;
  const unsigned char* data;  // into the image
  uint32_t size;
  size_t names;               // how many EXE_DUMP names the image holds
};

// The block the installer would use: the first EXE_DUMP name in directory
// order, in its first language, which is the neutral one when it has one
// since language ids sort ascending.
bool FindPayload(const Bytes& image, FoundPayload* found, std::string* error);

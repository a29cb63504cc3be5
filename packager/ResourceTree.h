// The resource tree of a PE image as a flat list of type/name/language
// leaves: read from an image, and laid out afresh as a section.
#pragma once
#include <stdint.h>

#include <string>
#include <vector>

#include "ByteIo.h"
#include "PeImage.h"

struct ResName {
  bool isString;
  uint32_t id;
  std::u16string text;
};

ResName ResId(uint32_t id);
ResName ResString(const std::u16string& text);
bool operator==(const ResName& a, const ResName& b);
// Directory order: string names first, by text ignoring ASCII case, then
// ids ascending. This is the order EnumResourceNames reports.
int CompareResNames(const ResName& a, const ResName& b);
// "#24001" for an id, the text in UTF-8 for a string name.
std::string ResNameText(const ResName& name);

struct ResEntry {
  ResName type;
  ResName name;
  ResName language;
  uint32_t codePage;
  const unsigned char* data;  // not owned: points into the image or the caller's buffer
  uint32_t size;
};

// Every leaf, in the order the directories list them. An image without a
// resource directory gives an empty list.
bool ReadResources(const Bytes& file, const PeImage& image, std::vector<ResEntry>* entries, std::string* error);

// A resource section for the entries, to be mapped at sectionRva.
bool BuildResourceSection(std::vector<ResEntry> entries, uint32_t sectionRva, Bytes* section, std::string* error);

#include "PeCheck.h"

#include <gtest/gtest.h>

PeImage ParsedImage(const Bytes& image) {
  PeImage pe;
  EXPECT_EQ(PeParse(image.data(), image.size(), &pe), PE_OK);
  return pe;
}

std::vector<ResEntry> ResourcesOf(const Bytes& image) {
  std::vector<ResEntry> entries;
  std::string error;
  EXPECT_TRUE(ReadResources(image, ParsedImage(image), &entries, &error)) << error;
  return entries;
}

Bytes DataOf(const ResEntry& entry) { return Bytes(entry.data, entry.data + entry.size); }

void ExpectWellFormed(const Bytes& image) {
  PeImage pe;
  ASSERT_EQ(PeParse(image.data(), image.size(), &pe), PE_OK);
  uint64_t end = AlignUp(pe.sizeOfHeaders, pe.sectionAlignment);
  for (size_t i = 0; i < pe.sections.size(); i++) {
    const PeSection& s = pe.sections[i];
    SCOPED_TRACE("section " + std::to_string(i));
    EXPECT_EQ(s.virtualAddress % pe.sectionAlignment, 0u);
    EXPECT_GE(s.virtualAddress, end) << "overlaps the section before";
    if (s.rawSize != 0) {
      EXPECT_EQ(s.rawPointer % pe.fileAlignment, 0u);
      EXPECT_EQ(s.rawSize % pe.fileAlignment, 0u);
      EXPECT_LE((uint64_t)s.rawPointer + s.rawSize, image.size());
      EXPECT_GE(s.rawPointer, pe.sizeOfHeaders);
    }
    end = AlignUp((uint64_t)s.virtualAddress + (s.virtualSize ? s.virtualSize : s.rawSize), pe.sectionAlignment);
  }
  EXPECT_EQ(GetU32(&image[pe.optionalOffset + 56]), end) << "SizeOfImage";
  uint32_t rva, size;
  PeDataDirectory(image.data(), pe, kPeResourceDirectory, &rva, &size);
  size_t offset;
  if (rva != 0) {
    EXPECT_TRUE(PeRvaToOffset(pe, rva, size, &offset)) << "resource slot outside the sections";
  }
  // Resource data must be at least DWORD aligned: dialog templates need it.
  std::vector<ResEntry> entries;
  std::string error;
  EXPECT_TRUE(ReadResources(image, pe, &entries, &error)) << error;
  for (const ResEntry& entry : entries) {
    EXPECT_EQ((entry.data - image.data()) % 8, 0) << ResNameText(entry.type) << "/" << ResNameText(entry.name);
  }
  EXPECT_EQ(GetU32(&image[pe.checksumOffset]), PeChecksum(image.data(), image.size(), pe.checksumOffset));
}

void ExpectResourcesKept(const std::vector<ResEntry>& before, const std::vector<ResEntry>& after) {
  for (const ResEntry& old : before) {
    std::string label = ResNameText(old.type) + "/" + ResNameText(old.name) + "/" + ResNameText(old.language);
    const ResEntry* found = NULL;
    for (const ResEntry& entry : after) {
      if (entry.type == old.type && entry.name == old.name && entry.language == old.language) found = &entry;
    }
    if (found == NULL) {
      ADD_FAILURE() << label << " is gone";
      continue;
    }
    EXPECT_EQ(found->codePage, old.codePage) << label;
    EXPECT_TRUE(DataOf(*found) == DataOf(old)) << label << " changed";
  }
}

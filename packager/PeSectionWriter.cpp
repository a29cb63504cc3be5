#include "PeSectionWriter.h"

#include <string.h>

static const uint32_t kInitializedData = 0x00000040;
static const uint32_t kMemRead = 0x40000000;

static uint64_t SectionExtent(const PeSection& section) {
  uint32_t size = section.virtualSize > section.rawSize ? section.virtualSize : section.rawSize;
  return (uint64_t)section.virtualAddress + size;
}

static bool Contains(const PeSection& section, uint32_t rva) {
  return rva >= section.virtualAddress && rva < SectionExtent(section);
}

// The old section can be rewritten only when nothing but resources lives in
// it and growing it moves nothing else: last in memory and in the file.
static bool CanReplace(const Bytes& file, const PeImage& image, size_t index) {
  const PeSection& candidate = image.sections[index];
  uint32_t rva, size;
  PeDataDirectory(file.data(), image, kPeResourceDirectory, &rva, &size);
  if (rva != candidate.virtualAddress || candidate.rawSize == 0) return false;
  if ((size_t)candidate.rawPointer + candidate.rawSize != PeSectionDataEnd(image)) return false;
  for (size_t i = 0; i < image.sections.size(); i++) {
    if (i != index && image.sections[i].virtualAddress >= candidate.virtualAddress) return false;
  }
  for (unsigned slot = 0; slot < image.dataDirectoryCount; slot++) {
    if (slot == kPeResourceDirectory || slot == kPeSecurityDirectory) continue;
    PeDataDirectory(file.data(), image, slot, &rva, &size);
    if (size != 0 && Contains(candidate, rva)) return false;
  }
  return true;
}

static bool HeaderRoomForOneMore(const Bytes& file, const PeImage& image) {
  if (image.sections.size() >= 0xFFFF) return false;
  size_t start = image.sectionTableOffset + image.sections.size() * kPeSectionHeaderSize;
  size_t end = start + kPeSectionHeaderSize;
  if (end > image.sizeOfHeaders) return false;
  for (const PeSection& section : image.sections) {
    if (section.rawSize != 0 && end > section.rawPointer) return false;
    if (end > section.virtualAddress) return false;
  }
  // Something else (a bound import table, say) may live in the slack.
  for (size_t i = start; i < end; i++) {
    if (file[i] != 0) return false;
  }
  return true;
}

PeStatus PePlanResourceSection(const Bytes& file, const PeImage& image, PeResourcePlan* plan) {
  if (image.dataDirectoryCount <= kPeResourceDirectory) return PE_NO_RESOURCE_SLOT;
  uint32_t rva, size;
  PeDataDirectory(file.data(), image, kPeSecurityDirectory, &rva, &size);
  if (size != 0) return PE_SIGNED;

  PeDataDirectory(file.data(), image, kPeResourceDirectory, &rva, &size);
  for (size_t i = 0; rva != 0 && i < image.sections.size(); i++) {
    if (Contains(image.sections[i], rva) && CanReplace(file, image, i)) {
      plan->replace = true;
      plan->index = i;
      plan->rva = image.sections[i].virtualAddress;
      return PE_OK;
    }
  }

  if (!HeaderRoomForOneMore(file, image)) return PE_NO_HEADER_ROOM;
  uint64_t end = AlignUp(image.sizeOfHeaders, image.sectionAlignment);
  for (const PeSection& section : image.sections) {
    uint64_t extent = AlignUp(SectionExtent(section), image.sectionAlignment);
    if (extent > end) end = extent;
  }
  if (end > 0xFFFFFFFFu) return PE_TOO_LARGE;
  plan->replace = false;
  plan->index = image.sections.size();
  plan->rva = (uint32_t)end;
  return PE_OK;
}

static void WriteSectionHeader(unsigned char* header, uint32_t virtualSize, uint32_t rva, uint32_t rawSize,
                               uint32_t rawPointer) {
  PutU32(header + 8, virtualSize);
  PutU32(header + 12, rva);
  PutU32(header + 16, rawSize);
  PutU32(header + 20, rawPointer);
}

// Tools that go by section name should find the live tree, not the one
// left behind; the old section's contents stay where they are.
static void RetireOldResourceName(const Bytes& file, const PeImage& image, unsigned char* bytes) {
  uint32_t rva, size;
  PeDataDirectory(file.data(), image, kPeResourceDirectory, &rva, &size);
  static const char kName[8] = {'.', 'r', 's', 'r', 'c', 0, 0, 0};
  for (const PeSection& section : image.sections) {
    if (rva != 0 && Contains(section, rva) && memcmp(&file[section.headerOffset], kName, 8) == 0) {
      memcpy(bytes + section.headerOffset, ".oldrsrc", 8);
    }
  }
}

static const uint64_t kPageSize = 4096;

PeStatus PeWriteResourceSection(const Bytes& file, const PeImage& image, const PeResourcePlan& plan,
                                const Bytes& data, Bytes* out) {
  size_t tailStart = PeSectionDataEnd(image);
  uint64_t padded = AlignUp(data.size(), image.fileAlignment);
  // A new section starts on a page boundary of the file: a loader can then
  // map the payload straight from the file (Wine copies it otherwise).
  uint64_t pageAlignment = image.fileAlignment > kPageSize ? image.fileAlignment : kPageSize;
  uint64_t rawPointer = plan.replace ? image.sections[plan.index].rawPointer
                                     : AlignUp(tailStart, pageAlignment);
  uint64_t tailSize = file.size() - tailStart;
  if (AlignUp((uint64_t)plan.rva + data.size(), image.sectionAlignment) > 0xFFFFFFFFu || rawPointer + padded + tailSize > 0xFFFFFFFFu) {
    return PE_TOO_LARGE;
  }

  Bytes result(file.begin(), file.begin() + (plan.replace ? (size_t)rawPointer : tailStart));
  result.resize((size_t)rawPointer, 0);
  result.insert(result.end(), data.begin(), data.end());
  result.resize((size_t)(rawPointer + padded), 0);
  result.insert(result.end(), file.begin() + tailStart, file.end());
  unsigned char* bytes = result.data();

  uint32_t symbols = GetU32(bytes + image.coffOffset + 8);
  if (symbols != 0 && symbols >= tailStart) {
    PutU32(bytes + image.coffOffset + 8, (uint32_t)(symbols + (rawPointer + padded - tailStart)));
  }

  unsigned char* optional = bytes + image.optionalOffset;
  int64_t initialized = GetU32(optional + 8);
  if (plan.replace) {
    const PeSection& old = image.sections[plan.index];
    WriteSectionHeader(bytes + old.headerOffset, (uint32_t)data.size(), plan.rva, (uint32_t)padded,
                       (uint32_t)rawPointer);
    if (old.characteristics & kInitializedData) initialized -= old.rawSize;
  } else {
    unsigned char* header = bytes + image.sectionTableOffset + image.sections.size() * kPeSectionHeaderSize;
    memset(header, 0, kPeSectionHeaderSize);
    memcpy(header, ".rsrc", 5);
    WriteSectionHeader(header, (uint32_t)data.size(), plan.rva, (uint32_t)padded, (uint32_t)rawPointer);
    PutU32(header + 36, kInitializedData | kMemRead);
    PutU16(bytes + image.coffOffset + 2, (uint16_t)(image.sections.size() + 1));
    RetireOldResourceName(file, image, bytes);
  }
  initialized += (int64_t)padded;
  PutU32(optional + 8, initialized < 0 ? 0 : (uint32_t)initialized);
  PutU32(optional + 56, (uint32_t)AlignUp((uint64_t)plan.rva + data.size(), image.sectionAlignment));
  PutU32(bytes + image.dataDirectoryOffset + kPeResourceDirectory * 8, plan.rva);
  PutU32(bytes + image.dataDirectoryOffset + kPeResourceDirectory * 8 + 4, (uint32_t)data.size());
  PutU32(bytes + image.checksumOffset, PeChecksum(bytes, result.size(), image.checksumOffset));
  out->swap(result);
  return PE_OK;
}

#include "PeImage.h"

#include "ByteIo.h"

const char* PeStatusText(PeStatus status) {
  switch (status) {
    case PE_OK: return "ok";
    case PE_NOT_MZ: return "not an executable (no MZ header)";
    case PE_TRUNCATED: return "the PE image is cut short";
    case PE_NO_PE_SIGNATURE: return "not a PE image (no PE signature)";
    case PE_UNKNOWN_MAGIC: return "neither a PE32 nor a PE32+ image";
    case PE_BAD_HEADERS: return "the PE headers are inconsistent";
    case PE_BAD_ALIGNMENT: return "the section or file alignment is not a power of two";
    case PE_BAD_SECTIONS: return "a section lies outside the file";
    case PE_NO_RESOURCE_SLOT: return "the image has no resource directory slot";
    case PE_SIGNED: return "the image is signed; strip its signature first";
    case PE_NO_HEADER_ROOM: return "no room in the headers for another section";
    case PE_TOO_LARGE: return "the image would pass 4 GiB";
  }
  return "unknown PE status";
}

static bool PowerOfTwo(uint32_t value) { return value != 0 && (value & (value - 1)) == 0; }

PeStatus PeParse(const unsigned char* file, size_t size, PeImage* image) {
  if (size < 2 || file[0] != 'M' || file[1] != 'Z') return PE_NOT_MZ;
  if (size < 0x40) return PE_TRUNCATED;
  uint64_t peOffset = GetU32(file + 0x3C);
  if (peOffset + 24 > size) return PE_TRUNCATED;
  if (file[peOffset] != 'P' || file[peOffset + 1] != 'E' || file[peOffset + 2] != 0 || file[peOffset + 3] != 0) {
    return PE_NO_PE_SIGNATURE;
  }
  PeImage result;
  result.coffOffset = (size_t)peOffset + 4;
  result.machine = GetU16(file + result.coffOffset);
  uint16_t sectionCount = GetU16(file + result.coffOffset + 2);
  uint16_t optionalSize = GetU16(file + result.coffOffset + 16);
  result.optionalOffset = result.coffOffset + 20;
  if (result.optionalOffset + 2 > size) return PE_TRUNCATED;
  uint16_t magic = GetU16(file + result.optionalOffset);
  if (magic != 0x10B && magic != 0x20B) return PE_UNKNOWN_MAGIC;
  result.pe32Plus = magic == 0x20B;

  size_t fixedSize = result.pe32Plus ? 112 : 96;
  if (optionalSize < fixedSize) return PE_BAD_HEADERS;
  if ((uint64_t)result.optionalOffset + optionalSize > size) return PE_TRUNCATED;
  const unsigned char* optional = file + result.optionalOffset;
  result.sectionAlignment = GetU32(optional + 32);
  result.fileAlignment = GetU32(optional + 36);
  result.sizeOfHeaders = GetU32(optional + 60);
  result.checksumOffset = result.optionalOffset + 64;
  result.dataDirectoryOffset = result.optionalOffset + fixedSize;
  result.dataDirectoryCount = GetU32(optional + fixedSize - 4);
  if ((uint64_t)result.dataDirectoryCount * 8 > optionalSize - fixedSize) return PE_BAD_HEADERS;
  if (!PowerOfTwo(result.sectionAlignment) || !PowerOfTwo(result.fileAlignment)) return PE_BAD_ALIGNMENT;

  result.sectionTableOffset = result.optionalOffset + optionalSize;
  uint64_t tableEnd = result.sectionTableOffset + (uint64_t)sectionCount * kPeSectionHeaderSize;
  if (tableEnd > size) return PE_TRUNCATED;
  if (tableEnd > result.sizeOfHeaders) return PE_BAD_HEADERS;
  if (result.sizeOfHeaders > size) return PE_TRUNCATED;
  for (uint16_t i = 0; i < sectionCount; i++) {
    const unsigned char* header = file + result.sectionTableOffset + i * kPeSectionHeaderSize;
    PeSection section;
    section.headerOffset = result.sectionTableOffset + i * kPeSectionHeaderSize;
    section.virtualSize = GetU32(header + 8);
    section.virtualAddress = GetU32(header + 12);
    section.rawSize = GetU32(header + 16);
    section.rawPointer = GetU32(header + 20);
    section.characteristics = GetU32(header + 36);
    if (section.rawSize != 0 && (uint64_t)section.rawPointer + section.rawSize > size) return PE_BAD_SECTIONS;
    result.sections.push_back(section);
  }
  *image = result;
  return PE_OK;
}

void PeDataDirectory(const unsigned char* file, const PeImage& image, unsigned index, uint32_t* rva,
                     uint32_t* size) {
  *rva = *size = 0;
  if (index >= image.dataDirectoryCount) return;
  *rva = GetU32(file + image.dataDirectoryOffset + index * 8);
  *size = GetU32(file + image.dataDirectoryOffset + index * 8 + 4);
}

bool PeRvaToOffset(const PeImage& image, uint32_t rva, uint32_t size, size_t* offset) {
  for (const PeSection& section : image.sections) {
    if (rva < section.virtualAddress) continue;
    uint64_t into = (uint64_t)rva - section.virtualAddress;
    if (into + size > section.rawSize) continue;
    *offset = (size_t)(section.rawPointer + into);
    return true;
  }
  return false;
}

size_t PeSectionDataEnd(const PeImage& image) {
  size_t end = image.sizeOfHeaders;
  for (const PeSection& section : image.sections) {
    if (section.rawSize != 0 && (size_t)section.rawPointer + section.rawSize > end) {
      end = (size_t)section.rawPointer + section.rawSize;
    }
  }
  return end;
}

uint32_t PeChecksum(const unsigned char* file, size_t size, size_t checksumOffset) {
  uint64_t sum = 0;
  for (size_t i = 0; i < size; i += 2) {
    uint32_t low = file[i];
    uint32_t high = i + 1 < size ? file[i + 1] : 0;
    if (i >= checksumOffset && i < checksumOffset + 4) low = 0;
    if (i + 1 >= checksumOffset && i + 1 < checksumOffset + 4) high = 0;
    sum += low | (high << 8);
    sum = (sum & 0xFFFF) + (sum >> 16);
  }
  sum = (sum & 0xFFFF) + (sum >> 16);
  return (uint32_t)(sum + size);
}

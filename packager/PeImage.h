// Reads the headers of a PE32 or PE32+ image: where the fields this tool
// changes live, and the section table.
#pragma once
#include <stddef.h>
#include <stdint.h>

#include <vector>

enum PeStatus {
  PE_OK = 0,
  PE_NOT_MZ,
  PE_TRUNCATED,
  PE_NO_PE_SIGNATURE,
  PE_UNKNOWN_MAGIC,
  PE_BAD_HEADERS,
  PE_BAD_ALIGNMENT,
  PE_BAD_SECTIONS,
  PE_NO_RESOURCE_SLOT,
  PE_SIGNED,
  PE_NO_HEADER_ROOM,
  PE_TOO_LARGE,
};

const char* PeStatusText(PeStatus status);

const unsigned kPeResourceDirectory = 2;
const unsigned kPeSecurityDirectory = 4;
const uint16_t kPeMachineI386 = 0x14C;
const uint16_t kPeMachineAmd64 = 0x8664;
const size_t kPeSectionHeaderSize = 40;

struct PeSection {
  size_t headerOffset;
  uint32_t virtualSize;
  uint32_t virtualAddress;
  uint32_t rawSize;
  uint32_t rawPointer;
  uint32_t characteristics;
};

struct PeImage {
  bool pe32Plus;
  uint16_t machine;
  size_t coffOffset;  // the COFF file header, right after "PE\0\0"
  size_t optionalOffset;
  size_t sectionTableOffset;
  size_t checksumOffset;
  size_t dataDirectoryOffset;
  uint32_t dataDirectoryCount;
  uint32_t sectionAlignment;
  uint32_t fileAlignment;
  uint32_t sizeOfHeaders;
  std::vector<PeSection> sections;
};

PeStatus PeParse(const unsigned char* file, size_t size, PeImage* image);

// A data directory slot; zeros when the image has fewer slots.
void PeDataDirectory(const unsigned char* file, const PeImage& image, unsigned index, uint32_t* rva,
                     uint32_t* size);

// File offset of [rva, rva + size) when all of it lies in one section's
// file data.
bool PeRvaToOffset(const PeImage& image, uint32_t rva, uint32_t size, size_t* offset);

// Where the last section's file data ends: what follows is overlay, such
// as a COFF symbol table.
size_t PeSectionDataEnd(const PeImage& image);

// The image checksum: 16-bit one's-complement-style sum of the file with
// the checksum field taken as zero, plus the file length.
uint32_t PeChecksum(const unsigned char* file, size_t size, size_t checksumOffset);

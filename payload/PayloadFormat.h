// The payload block: a 32-bit little-endian count, then that many entries,
// each a 0-terminated name, a 32-bit little-endian size and the data.
// Portable: shared by the installer and the packager.
#pragma once
#include <stddef.h>
#include <stdint.h>

enum PayloadStatus {
  PAYLOAD_OK = 0,
  PAYLOAD_NO_COUNT,           // fewer than 4 bytes
  PAYLOAD_NAME_UNTERMINATED,  // the name runs to the end without its 0
  PAYLOAD_SIZE_TRUNCATED,     // the size field runs past the end
  PAYLOAD_DATA_TRUNCATED,     // the data run past the end
};

const char* PayloadStatusText(PayloadStatus status);

struct PayloadEntry {
  const char* name;           // points into the block, 0-terminated
  size_t nameLength;
  const unsigned char* data;  // points into the block
  uint32_t size;
  size_t offset;              // of the entry's first byte in the block
};

// Walks a block in place; never reads past blockSize.
class CPayloadCursor {
 public:
  CPayloadCursor(const void* block, size_t blockSize);

  PayloadStatus ReadCount(uint32_t* count);
  PayloadStatus ReadEntry(PayloadEntry* entry);
  size_t Offset() const { return m_offset; }

 private:
  const unsigned char* m_block;
  size_t m_size;
  size_t m_offset;
};

struct PayloadSummary {
  uint32_t count;
  uint32_t failedEntry;  // index of the entry that broke the walk
  size_t end;            // offset just past the last entry read
};

// Reads the whole block once: every entry must lie inside it. Bytes after
// the last entry are not an error here; summary->end tells where it ended.
PayloadStatus PayloadCheck(const void* block, size_t blockSize, PayloadSummary* summary);

uint32_t PayloadReadU32(const unsigned char* p);
void PayloadWriteU32(unsigned char* p, uint32_t value);

#include "PayloadFormat.h"

uint32_t PayloadReadU32(const unsigned char* p) {
  return (uint32_t)p[0] | ((uint32_t)p[1] << 8) | ((uint32_t)p[2] << 16) | ((uint32_t)p[3] << 24);
}

void PayloadWriteU32(unsigned char* p, uint32_t value) {
  p[0] = (unsigned char)value;
  p[1] = (unsigned char)(value >> 8);
  p[2] = (unsigned char)(value >> 16);
  p[3] = (unsigned char)(value >> 24);
}

const char* PayloadStatusText(PayloadStatus status) {
  switch (status) {
    case PAYLOAD_OK: return "ok";
    case PAYLOAD_NO_COUNT: return "the block is shorter than its 4-byte count";
    case PAYLOAD_NAME_UNTERMINATED: return "a name runs to the end of the block without its 0 byte";
    case PAYLOAD_SIZE_TRUNCATED: return "a size field runs past the end of the block";
    case PAYLOAD_DATA_TRUNCATED: return "an entry's data run past the end of the block";
  }
  return "unknown payload status";
}

CPayloadCursor::CPayloadCursor(const void* block, size_t blockSize)
    : m_block((const unsigned char*)block), m_size(blockSize), m_offset(0) {}

PayloadStatus CPayloadCursor::ReadCount(uint32_t* count) {
  if (m_size - m_offset < 4) return PAYLOAD_NO_COUNT;
  *count = PayloadReadU32(m_block + m_offset);
  m_offset += 4;
  return PAYLOAD_OK;
}

PayloadStatus CPayloadCursor::ReadEntry(PayloadEntry* entry) {
  size_t start = m_offset;
  size_t at = start;
  while (at < m_size && m_block[at] != 0) at++;
  if (at == m_size) return PAYLOAD_NAME_UNTERMINATED;
  size_t nameLength = at - start;
  at++;  // the name's 0 byte
  if (m_size - at < 4) return PAYLOAD_SIZE_TRUNCATED;
  uint32_t size = PayloadReadU32(m_block + at);
  at += 4;
  // Compared as remaining bytes so a huge size cannot wrap the offset.
  if ((uint64_t)(m_size - at) < (uint64_t)size) return PAYLOAD_DATA_TRUNCATED;

  entry->name = (const char*)(m_block + start);
  entry->nameLength = nameLength;
  entry->data = m_block + at;
  entry->size = size;
  entry->offset = start;
  m_offset = at + size;
  return PAYLOAD_OK;
}

PayloadStatus PayloadCheck(const void* block, size_t blockSize, PayloadSummary* summary) {
  CPayloadCursor cursor(block, blockSize);
  summary->count = 0;
  summary->failedEntry = 0;
  summary->end = 0;
  PayloadStatus status = cursor.ReadCount(&summary->count);
  if (status != PAYLOAD_OK) return status;
  for (uint32_t i = 0; i < summary->count; i++) {
    PayloadEntry entry;
    status = cursor.ReadEntry(&entry);
    if (status != PAYLOAD_OK) {
      summary->failedEntry = i;
      summary->end = cursor.Offset();
      return status;
    }
  }
  summary->end = cursor.Offset();
  return PAYLOAD_OK;
}

// Lays out a payload block: a count, then each entry's name, 0 byte, size
// and data, back to back.
#pragma once
#include <stddef.h>
#include <stdint.h>

#include <string>

#include "ByteIo.h"

// A resource's size is 32 bits wide, so no block or entry may pass this.
const uint64_t kMaxPayloadBytes = 0xFFFFFFFFu;

class CPayloadWriter {
 public:
  CPayloadWriter();

  // False, leaving the block as it was, when it would pass kMaxPayloadBytes.
  // The name must not hold a 0 byte.
  bool Add(const std::string& name, const unsigned char* data, size_t size);
  const Bytes& Block() const { return m_block; }
  uint32_t Count() const { return m_count; }

 private:
  Bytes m_block;
  uint32_t m_count;
};

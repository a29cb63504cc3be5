#include "PayloadWriter.h"

#include "PayloadFormat.h"

CPayloadWriter::CPayloadWriter() : m_block(4, 0), m_count(0) {}

bool CPayloadWriter::Add(const std::string& name, const unsigned char* data, size_t size) {
  uint64_t grown = (uint64_t)m_block.size() + name.size() + 5 + size;
  if (grown > kMaxPayloadBytes) return false;
  m_block.reserve((size_t)grown);
  m_block.insert(m_block.end(), name.begin(), name.end());
  m_block.push_back(0);
  AppendU32(&m_block, (uint32_t)size);
  m_block.insert(m_block.end(), data, data + size);
  PayloadWriteU32(&m_block[0], ++m_count);
  return true;
}

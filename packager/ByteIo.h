// Little-endian field access on byte buffers, as PE headers and the payload
// block store them.
#pragma once
#include <stddef.h>
#include <stdint.h>

#include <vector>

typedef std::vector<unsigned char> Bytes;

inline uint16_t GetU16(const unsigned char* p) { return (uint16_t)(p[0] | (p[1] << 8)); }

inline uint32_t GetU32(const unsigned char* p) {
  return (uint32_t)p[0] | ((uint32_t)p[1] << 8) | ((uint32_t)p[2] << 16) | ((uint32_t)p[3] << 24);
}

inline void PutU16(unsigned char* p, uint16_t value) {
  p[0] = (unsigned char)value;
  p[1] = (unsigned char)(value >> 8);
}

inline void PutU32(unsigned char* p, uint32_t value) {
  PutU16(p, (uint16_t)value);
  PutU16(p + 2, (uint16_t)(value >> 16));
}

inline void AppendU16(Bytes* out, uint16_t value) {
  out->push_back((unsigned char)value);
  out->push_back((unsigned char)(value >> 8));
}

inline void AppendU32(Bytes* out, uint32_t value) {
  AppendU16(out, (uint16_t)value);
  AppendU16(out, (uint16_t)(value >> 16));
}

inline uint64_t AlignUp(uint64_t value, uint64_t alignment) {
  return (value + alignment - 1) / alignment * alignment;
}

// Payload blocks written byte by byte, so a case can hold any name, even one
// the packager would refuse, and any corruption.
#pragma once
#include <stdint.h>

#include <string>
#include <vector>

namespace pw {

struct PayloadFile {
  std::string name;  // ANSI bytes, stored as they are
  std::string data;
};

std::string PayloadBlock(const std::vector<PayloadFile>& files);
void PutU32(std::string* bytes, size_t at, uint32_t value);

}  // namespace pw

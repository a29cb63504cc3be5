#include "PayloadBlock.h"

namespace pw {

void PutU32(std::string* bytes, size_t at, uint32_t value) {
  for (int i = 0; i < 4; i++) (*bytes)[at + i] = (char)(value >> (8 * i));
}

std::string PayloadBlock(const std::vector<PayloadFile>& files) {
  std::string block(4, '\0');
  PutU32(&block, 0, (uint32_t)files.size());
  for (const PayloadFile& f : files) {
    block += f.name;
    block += '\0';
    size_t at = block.size();
    block.append(4, '\0');
    PutU32(&block, at, (uint32_t)f.data.size());
    block += f.data;
  }
  return block;
}

}  // namespace pw

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "PayloadFormat.h"

namespace {

struct File { std::string name; std::string data; };

std::vector<unsigned char> Block(const std::vector<File>& files) {
  std::vector<unsigned char> block(4);
  PayloadWriteU32(block.data(), (uint32_t)files.size());
  for (const File& f : files) {
    block.insert(block.end(), f.name.begin(), f.name.end());
    block.push_back(0);
    unsigned char size[4];
    PayloadWriteU32(size, (uint32_t)f.data.size());
    block.insert(block.end(), size, size + 4);
    block.insert(block.end(), f.data.begin(), f.data.end());
  }
  return block;
}

std::vector<PayloadEntry> ReadAll(const std::vector<unsigned char>& block) {
  CPayloadCursor cursor(block.data(), block.size());
  uint32_t count = 0;
  EXPECT_EQ(PAYLOAD_OK, cursor.ReadCount(&count));
  std::vector<PayloadEntry> entries(count);
  for (auto& e : entries) EXPECT_EQ(PAYLOAD_OK, cursor.ReadEntry(&e));
  EXPECT_EQ(block.size(), cursor.Offset());
  return entries;
}

TEST(PayloadFormat, FourZeroBytesHoldNoEntries) {
  std::vector<unsigned char> block = {0, 0, 0, 0};
  PayloadSummary s;
  EXPECT_EQ(PAYLOAD_OK, PayloadCheck(block.data(), block.size(), &s));
  EXPECT_EQ(0u, s.count);
  EXPECT_EQ(4u, s.end);
}

TEST(PayloadFormat, ReferenceShapedBlockHasTheKnownOffsets) {
  std::vector<File> files = {{"AddonProd.prd", std::string(299008, 'p')},
                             {"AddonIcon.ico", std::string(2238, 'i')},
                             {"AddonConf.ini", std::string(552, 'c')},
                             {"AddonTool.exe", std::string(28672, 'x')}};
  for (auto& f : files) f.name.resize(12);
  std::vector<unsigned char> block = Block(files);
  ASSERT_EQ(330542u, block.size());
  EXPECT_EQ(0x00, block[17]);
  EXPECT_EQ(0x90, block[18]);
  EXPECT_EQ(0x04, block[19]);
  EXPECT_EQ(0x00, block[20]);

  std::vector<PayloadEntry> e = ReadAll(block);
  ASSERT_EQ(4u, e.size());
  const size_t nameAt[] = {4, 299029, 301284, 301853};
  const size_t dataAt[] = {21, 299046, 301301, 301870};
  const uint32_t size[] = {299008, 2238, 552, 28672};
  for (int i = 0; i < 4; i++) {
    EXPECT_EQ(nameAt[i], e[i].offset) << i;
    EXPECT_EQ(dataAt[i], (size_t)(e[i].data - block.data())) << i;
    EXPECT_EQ(size[i], e[i].size) << i;
    EXPECT_EQ(12u, e[i].nameLength) << i;
  }
}

TEST(PayloadFormat, EmptyNamesEmptyDataAndEqualNamesAreAllRead) {
  std::vector<unsigned char> block = Block({{"", "abc"}, {"a.txt", ""}, {"a.txt", "1"}, {"a.txt", "22"}});
  std::vector<PayloadEntry> e = ReadAll(block);
  ASSERT_EQ(4u, e.size());
  EXPECT_EQ(0u, e[0].nameLength);
  EXPECT_EQ(std::string("abc"), std::string((const char*)e[0].data, e[0].size));
  EXPECT_EQ(0u, e[1].size);
  EXPECT_EQ(e[1].data, (const unsigned char*)e[2].name);  // next entry right after the size
  EXPECT_EQ(std::string("22"), std::string((const char*)e[3].data, e[3].size));
}

TEST(PayloadFormat, EveryPrefixOfABlockIsRefusedWithoutReadingPastIt) {
  std::vector<unsigned char> whole = Block({{"one.prd", "12345"}, {"", ""}, {"three", "xy"}});
  for (size_t n = 0; n < whole.size(); n++) {
    // A copy of exactly n bytes, so a read past it shows under a sanitizer.
    std::vector<unsigned char> prefix(whole.begin(), whole.begin() + n);
    PayloadSummary s;
    PayloadStatus status = PayloadCheck(prefix.data(), prefix.size(), &s);
    EXPECT_NE(PAYLOAD_OK, status) << "prefix " << n;
    EXPECT_LE(s.end, n);
  }
  PayloadSummary s;
  EXPECT_EQ(PAYLOAD_OK, PayloadCheck(whole.data(), whole.size(), &s));
}

TEST(PayloadFormat, CorruptFieldsGiveTheirStatus) {
  struct Case { const char* what; size_t at; uint32_t value; PayloadStatus status; uint32_t failed; };
  // Block: count | "a\0" size=3 "xyz" | "b\0" size=1 "q"
  const Case cases[] = {
      {"count larger than the entries", 0, 3, PAYLOAD_NAME_UNTERMINATED, 2},
      {"size just past the end", 6, 4 + 2 + 4 + 1 + 1, PAYLOAD_DATA_TRUNCATED, 0},
      {"size near 4 GiB", 6, 0xFFFFFFFFu, PAYLOAD_DATA_TRUNCATED, 0},
      {"second size past the end", 15, 2, PAYLOAD_DATA_TRUNCATED, 1},
  };
  for (const Case& c : cases) {
    std::vector<unsigned char> block = Block({{"a", "xyz"}, {"b", "q"}});
    PayloadWriteU32(&block[c.at], c.value);
    PayloadSummary s;
    EXPECT_EQ(c.status, PayloadCheck(block.data(), block.size(), &s)) << c.what;
    EXPECT_EQ(c.failed, s.failedEntry) << c.what;
  }
  std::vector<unsigned char> noSize = {1, 0, 0, 0, 'a', 0, 9};
  PayloadSummary s;
  EXPECT_EQ(PAYLOAD_SIZE_TRUNCATED, PayloadCheck(noSize.data(), noSize.size(), &s));
}

TEST(PayloadFormat, TrailingBytesAreReportedThroughTheEnd) {
  std::vector<unsigned char> block = Block({{"a", "x"}});
  size_t exact = block.size();
  block.push_back(0xEE);
  PayloadSummary s;
  EXPECT_EQ(PAYLOAD_OK, PayloadCheck(block.data(), block.size(), &s));
  EXPECT_EQ(exact, s.end);
}

}  // namespace

// The resource writer against a real Setup stub, as the linker made it.
#include <gtest/gtest.h>

#include "PeCheck.h"
#include "PeResources.h"
#include "Platform.h"
#include "TestSupport.h"

namespace {

struct Stub {
  const char* label;
  const char* path;
  uint16_t machine;
};

Bytes Noise(size_t size, uint32_t seed) {
  Bytes bytes(size);
  for (unsigned char& b : bytes) b = (unsigned char)((seed = seed * 1103515245 + 12345) >> 16);
  return bytes;
}

Bytes SampleBlock(uint32_t seed) {
  Bytes tool = Noise(100000, seed);
  return BlockOf({{"PRODUCT1.prd", std::string(3000, 'p')},
                  {"PRODTOOL.exe", std::string(tool.begin(), tool.end())},
                  {"Sub\\empty.ini", ""}});
}

class StubTest : public testing::TestWithParam<Stub> {
 protected:
  void SetUp() override {
    std::string path = GetParam().path;
    if (path.empty()) GTEST_SKIP() << "no stub: configure with -D" << GetParam().label << "=path/to/stub.exe";
    std::string error;
    if (!ReadFileBytes(path, &m_stub, &error)) GTEST_SKIP() << "stub " << path << ": " << error;
  }

  Bytes Embed(const Bytes& image, const Bytes& block, const ResName& name = ResId(kDefaultPayloadId),
              std::vector<std::string>* warnings = NULL) {
    Bytes out;
    std::vector<std::string> ignored;
    std::string error;
    EXPECT_TRUE(EmbedPayload(image, name, block, &out, warnings ? warnings : &ignored, &error)) << error;
    return out;
  }

  Bytes m_stub;
};

TEST_P(StubTest, StubIsAnImageOfItsMachine) {
  PeImage pe = ParsedImage(m_stub);
  EXPECT_EQ(pe.machine, GetParam().machine);
  EXPECT_FALSE(ResourcesOf(m_stub).empty()) << "a stub without resources tests little";
  // The linker's own checksum, when it wrote one, is what ours computes.
  uint32_t stored = GetU32(&m_stub[pe.checksumOffset]);
  if (stored != 0) {
    EXPECT_EQ(PeChecksum(m_stub.data(), m_stub.size(), pe.checksumOffset), stored);
  }
}

TEST_P(StubTest, EmbedKeepsTheImageAndReadsBack) {
  Bytes block = SampleBlock(1);
  Bytes out = Embed(m_stub, block);
  ExpectWellFormed(out);

  std::vector<ResEntry> before = ResourcesOf(m_stub), after = ResourcesOf(out);
  ExpectResourcesKept(before, after);
  EXPECT_EQ(after.size(), before.size() + 1);
  FoundPayload found;
  std::string error;
  ASSERT_TRUE(FindPayload(out, &found, &error)) << error;
  EXPECT_EQ(ResNameText(found.name), "#24001");
  EXPECT_EQ(ResNameText(found.language), "#0");
  EXPECT_TRUE(Bytes(found.data, found.data + found.size) == block);

  PeImage old = ParsedImage(m_stub), pe = ParsedImage(out);
  EXPECT_EQ(pe.machine, old.machine);
  EXPECT_EQ(GetU32(&out[pe.optionalOffset + 16]), GetU32(&m_stub[old.optionalOffset + 16])) << "entry point";
  // Every section but a rewritten resource section is untouched.
  uint32_t oldRva, oldSize;
  PeDataDirectory(m_stub.data(), old, kPeResourceDirectory, &oldRva, &oldSize);
  for (size_t i = 0; i < old.sections.size(); i++) {
    const PeSection& s = old.sections[i];
    if (s.virtualAddress == oldRva || s.rawSize == 0) continue;
    SCOPED_TRACE("section " + std::to_string(i));
    EXPECT_EQ(pe.sections[i].rawPointer, s.rawPointer);
    EXPECT_EQ(pe.sections[i].virtualAddress, s.virtualAddress);
    EXPECT_TRUE(std::equal(m_stub.begin() + s.rawPointer, m_stub.begin() + s.rawPointer + s.rawSize,
                           out.begin() + s.rawPointer));
  }
  // A COFF symbol table after the sections moves along intact.
  uint32_t oldSymbols = GetU32(&m_stub[old.coffOffset + 8]);
  if (oldSymbols != 0) {
    uint32_t symbols = GetU32(&out[pe.coffOffset + 8]);
    EXPECT_TRUE(std::equal(m_stub.begin() + oldSymbols, m_stub.end(), out.begin() + symbols, out.end()));
  }
}

TEST_P(StubTest, SameInputsGiveTheSameBytes) {
  Bytes block = SampleBlock(2);
  EXPECT_TRUE(Embed(m_stub, block) == Embed(m_stub, block));
}

TEST_P(StubTest, ReplacesAnExistingPayload) {
  Bytes once = Embed(m_stub, SampleBlock(3));
  Bytes small = BlockOf({{"only.prd", "x"}});
  Bytes twice = Embed(once, small);
  ExpectWellFormed(twice);
  EXPECT_EQ(ParsedImage(twice).sections.size(), ParsedImage(once).sections.size());
  EXPECT_LT(twice.size(), once.size());
  std::vector<ResEntry> after = ResourcesOf(twice);
  ExpectResourcesKept(ResourcesOf(m_stub), after);
  EXPECT_EQ(after.size(), ResourcesOf(once).size());
  FoundPayload found;
  std::string error;
  ASSERT_TRUE(FindPayload(twice, &found, &error)) << error;
  EXPECT_TRUE(Bytes(found.data, found.data + found.size) == small);
  EXPECT_EQ(found.names, 1u);
}

TEST_P(StubTest, StringNamedPayload) {
  ResName name;
  std::string error;
  ASSERT_TRUE(ParseResourceName("payload", &name, &error));
  Bytes block = SampleBlock(4);
  Bytes out = Embed(m_stub, block, name);
  ExpectWellFormed(out);
  FoundPayload found;
  ASSERT_TRUE(FindPayload(out, &found, &error)) << error;
  EXPECT_EQ(ResNameText(found.name), "PAYLOAD");
  EXPECT_TRUE(Bytes(found.data, found.data + found.size) == block);

  // An id added later comes after the string name: the installer keeps
  // using the string one, and the writer says so.
  std::vector<std::string> warnings;
  Bytes both = Embed(out, BlockOf({}), ResId(kDefaultPayloadId), &warnings);
  EXPECT_EQ(warnings.size(), 1u);
  ASSERT_TRUE(FindPayload(both, &found, &error)) << error;
  EXPECT_EQ(ResNameText(found.name), "PAYLOAD");
  EXPECT_EQ(found.names, 2u);
}

const Stub kStubs[] = {
    {"PW_STUB_I686", PW_STUB_I686, kPeMachineI386},
    {"PW_STUB_X64", PW_STUB_X64, kPeMachineAmd64},
};

INSTANTIATE_TEST_SUITE_P(Stubs, StubTest, testing::ValuesIn(kStubs),
                         [](const testing::TestParamInfo<Stub>& info) { return std::string(info.param.label); });

}  // namespace

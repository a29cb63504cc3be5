#include <gtest/gtest.h>

#include "PeCheck.h"
#include "PeResources.h"
#include "PeSectionWriter.h"
#include "TestSupport.h"

namespace {

const uint32_t kCode = 0x60000020, kData = 0xC0000040;

FakeImage TwoSections() {
  FakeImage layout;
  layout.sections.push_back({".text", 0x1000, 0x300, Bytes(0x300, 0xCC), kCode});
  layout.sections.push_back({".data", 0x2000, 0x10, Bytes(0x10, 0xDA), kData});
  return layout;
}

Bytes Embed(const Bytes& image, const Bytes& block, const ResName& name = ResId(kDefaultPayloadId)) {
  Bytes out;
  std::vector<std::string> warnings;
  std::string error;
  EXPECT_TRUE(EmbedPayload(image, name, block, &out, &warnings, &error)) << error;
  return out;
}

Bytes FoundBlock(const Bytes& image) {
  FoundPayload found;
  std::string error;
  EXPECT_TRUE(FindPayload(image, &found, &error)) << error;
  return error.empty() ? Bytes(found.data, found.data + found.size) : Bytes();
}

// The tree laid out at rva, as a section of the fake image.
FakeSection ResourceSection(uint32_t rva, const std::vector<ResEntry>& entries) {
  Bytes data;
  std::string error;
  EXPECT_TRUE(BuildResourceSection(entries, rva, &data, &error)) << error;
  return FakeSection{".rsrc", rva, (uint32_t)data.size(), data, 0x40000040};
}

const Bytes kDialog = ToBytes("dialog template");
const Bytes kIcon(1000, 0x1C);

std::vector<ResEntry> StubResources() {
  return {{ResId(5), ResId(131), ResId(0), 0, kDialog.data(), (uint32_t)kDialog.size()},
          {ResId(3), ResId(1), ResId(1033), 1252, kIcon.data(), (uint32_t)kIcon.size()}};
}

TEST(PeChecksum, FoldsCarriesSkipsItsFieldAndAddsTheLength) {
  // Words 0xFFFF + 0x0002 carry into 0x0002; the field at 4 counts as zero;
  // the odd last byte is a word of its own; plus 9 for the length.
  const unsigned char file[] = {0xFF, 0xFF, 0x02, 0x00, 0xAA, 0xBB, 0xCC, 0xDD, 0x01};
  EXPECT_EQ(PeChecksum(file, sizeof file, 4), 0x0000000Cu);
  // With the field elsewhere its bytes count: 0x0002 + 0xBBAA + 0xDDCC folds
  // to 0x9979, + 0x0001, + 9.
  EXPECT_EQ(PeChecksum(file, sizeof file, 100), 0x00009983u);
}

TEST(PeParse, RefusesWhatIsNotAPeImage) {
  Bytes good = MakeImage(TwoSections());
  PeImage pe;
  ASSERT_EQ(PeParse(good.data(), good.size(), &pe), PE_OK);

  struct Case {
    const char* what;
    Bytes image;
    PeStatus status;
  };
  auto patched = [&](size_t at, uint32_t value, int width) {
    Bytes b = good;
    if (width == 2) PutU16(&b[at], (uint16_t)value);
    else PutU32(&b[at], value);
    return b;
  };
  const size_t optional = 0x84 + 20;
  const Case cases[] = {
      {"no MZ", ToBytes("ZM and more bytes"), PE_NOT_MZ},
      {"MZ only", ToBytes("MZ"), PE_TRUNCATED},
      {"e_lfanew past the end", patched(0x3C, 0x7FFFFFF0, 4), PE_TRUNCATED},
      {"no PE signature", patched(0x80, 0x00004550 ^ 0xFF, 4), PE_NO_PE_SIGNATURE},
      {"ROM magic", patched(optional, 0x107, 2), PE_UNKNOWN_MAGIC},
      {"file alignment 0x300", patched(optional + 36, 0x300, 4), PE_BAD_ALIGNMENT},
      {"more data directories than fit", patched(optional + 92, 17, 4), PE_BAD_HEADERS},
      {"section data past the end", patched(0x84 + 20 + 224 + 40 + 16, 0x100000, 4), PE_BAD_SECTIONS},
      {"cut inside the headers", Bytes(good.begin(), good.begin() + 0x100), PE_TRUNCATED},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(PeParse(c.image.data(), c.image.size(), &pe), c.status);
  }
}

TEST(PeWriter, AppendsASectionToAnImageWithoutResources) {
  for (bool pe32Plus : {false, true}) {
    SCOPED_TRACE(pe32Plus ? "PE32+" : "PE32");
    FakeImage layout = TwoSections();
    layout.pe32Plus = pe32Plus;
    Bytes stub = MakeImage(layout);
    Bytes block = BlockOf({{"a.prd", "product"}});
    Bytes out = Embed(stub, block);
    ExpectWellFormed(out);
    PeImage pe = ParsedImage(out);
    ASSERT_EQ(pe.sections.size(), 3u);
    EXPECT_EQ(pe.sections[2].virtualAddress, 0x3000u);
    EXPECT_EQ(memcmp(&out[pe.sections[2].headerOffset], ".rsrc\0\0\0", 8), 0);
    EXPECT_EQ(FoundBlock(out), block);
    // The old sections are where they were, byte for byte.
    for (int i = 0; i < 2; i++) {
      EXPECT_EQ(Bytes(out.begin() + pe.sections[i].rawPointer, out.begin() + pe.sections[i].rawPointer + 0x200),
                Bytes(stub.begin() + pe.sections[i].rawPointer, stub.begin() + pe.sections[i].rawPointer + 0x200));
    }
    EXPECT_EQ(GetU32(&out[pe.optionalOffset + 8]), pe.sections[2].rawSize) << "SizeOfInitializedData";
  }
}

TEST(PeWriter, ReplacesTheLastSectionInPlaceAndMovesTheSymbolTable) {
  FakeImage layout = TwoSections();
  layout.tail = ToBytes("COFF symbols and strings");
  layout.tailIsSymbolTable = true;
  Bytes first = Embed(MakeImage(layout), BlockOf({{"small.prd", "x"}}));
  PeImage pe = ParsedImage(first);
  ASSERT_EQ(pe.sections.size(), 3u);

  Bytes bigger = BlockOf({{"big.prd", std::string(5000, 'b')}});
  Bytes second = Embed(first, bigger);
  ExpectWellFormed(second);
  PeImage again = ParsedImage(second);
  ASSERT_EQ(again.sections.size(), 3u) << "replaced, not appended";
  EXPECT_EQ(again.sections[2].rawPointer, pe.sections[2].rawPointer);
  EXPECT_GT(again.sections[2].rawSize, pe.sections[2].rawSize);
  EXPECT_EQ(FoundBlock(second), bigger);
  EXPECT_EQ(ResourcesOf(second).size(), 1u);

  uint32_t symbols = GetU32(&second[again.coffOffset + 8]);
  EXPECT_EQ(symbols, second.size() - layout.tail.size());
  EXPECT_EQ(Bytes(second.begin() + symbols, second.end()), layout.tail);
  // Shrinking brings it back.
  Bytes third = Embed(second, BlockOf({{"small.prd", "x"}}));
  EXPECT_EQ(third, first);
}

TEST(PeWriter, KeepsEveryResourceAndRetiresAnOldSectionThatIsNotLast) {
  FakeImage layout = TwoSections();
  layout.sections.push_back(ResourceSection(0x3000, StubResources()));
  layout.sections.push_back({".reloc", 0x4000, 0x20, Bytes(0x20, 0x7E), 0x42000040});
  layout.directories[kPeResourceDirectory][0] = 0x3000;
  layout.directories[kPeResourceDirectory][1] = layout.sections[2].virtualSize;
  layout.directories[5][0] = 0x4000;
  layout.directories[5][1] = 0x20;
  Bytes stub = MakeImage(layout);

  Bytes block = BlockOf({{"a.prd", "product"}});
  Bytes out = Embed(stub, block);
  ExpectWellFormed(out);
  PeImage pe = ParsedImage(out);
  ASSERT_EQ(pe.sections.size(), 5u);
  EXPECT_EQ(memcmp(&out[pe.sections[2].headerOffset], ".oldrsrc", 8), 0);
  EXPECT_EQ(pe.sections[4].virtualAddress, 0x5000u);
  std::vector<ResEntry> after = ResourcesOf(out);
  EXPECT_EQ(after.size(), 3u);
  ExpectResourcesKept(ResourcesOf(stub), after);
  EXPECT_EQ(FoundBlock(out), block);
}

TEST(PeWriter, AppendsWhenAnotherDirectoryPointsIntoTheResourceSection) {
  FakeImage layout = TwoSections();
  layout.sections.push_back(ResourceSection(0x3000, StubResources()));
  layout.directories[kPeResourceDirectory][0] = 0x3000;
  layout.directories[kPeResourceDirectory][1] = layout.sections[2].virtualSize;
  layout.directories[6][0] = 0x3010;  // a debug directory living there
  layout.directories[6][1] = 0x1C;
  Bytes stub = MakeImage(layout);
  PeResourcePlan plan;
  ASSERT_EQ(PePlanResourceSection(stub, ParsedImage(stub), &plan), PE_OK);
  EXPECT_FALSE(plan.replace);

  layout.directories[6][0] = layout.directories[6][1] = 0;
  stub = MakeImage(layout);
  ASSERT_EQ(PePlanResourceSection(stub, ParsedImage(stub), &plan), PE_OK);
  EXPECT_TRUE(plan.replace);
}

TEST(PeWriter, RefusesImagesItCannotExtend) {
  struct Case {
    const char* what;
    FakeImage layout;
    PeStatus status;
  };
  Case noRoom{"headers full", TwoSections(), PE_NO_HEADER_ROOM};
  // Three headers end at 0x1F0; a fourth would pass 0x200.
  noRoom.layout.sizeOfHeaders = 0x200;
  noRoom.layout.sections.push_back({".idata", 0x3000, 0x10, Bytes(0x10, 1), kData});
  Case signed_{"signed", TwoSections(), PE_SIGNED};
  signed_.layout.directories[kPeSecurityDirectory][0] = 0x800;
  signed_.layout.directories[kPeSecurityDirectory][1] = 0x10;
  Case noSlot{"two directory slots", TwoSections(), PE_NO_RESOURCE_SLOT};
  noSlot.layout.dataDirectoryCount = 2;

  for (const Case& c : {noRoom, signed_, noSlot}) {
    SCOPED_TRACE(c.what);
    Bytes stub = MakeImage(c.layout);
    PeResourcePlan plan;
    EXPECT_EQ(PePlanResourceSection(stub, ParsedImage(stub), &plan), c.status);
    Bytes out;
    std::vector<std::string> warnings;
    std::string error;
    EXPECT_FALSE(EmbedPayload(stub, ResId(kDefaultPayloadId), BlockOf({}), &out, &warnings, &error));
    EXPECT_EQ(error, PeStatusText(c.status));
  }

  // Slack that is not zero may belong to something else.
  Bytes stub = MakeImage(TwoSections());
  stub[0x84 + 20 + 224 + 80 + 3] = 1;
  PeResourcePlan plan;
  EXPECT_EQ(PePlanResourceSection(stub, ParsedImage(stub), &plan), PE_NO_HEADER_ROOM);
}

TEST(ResourceTree, LaysOutInDirectoryOrder) {
  const Bytes data = ToBytes("d");
  std::vector<ResEntry> entries;
  for (const ResName& name : {ResId(24001), ResString(u"payload"), ResId(7), ResString(u"ALPHA"),
                              ResString(u"Z_LAST"), ResString(u"ZA")}) {
    entries.push_back({PayloadResourceType(), name, ResId(0), 0, data.data(), 1});
  }
  entries.push_back({ResId(5), ResId(131), ResId(1033), 1252, data.data(), 1});
  Bytes section;
  std::string error;
  ASSERT_TRUE(BuildResourceSection(entries, 0x5000, &section, &error)) << error;
  FakeImage layout = TwoSections();
  layout.sections.push_back({".rsrc", 0x5000, (uint32_t)section.size(), section, 0x40000040});
  layout.directories[kPeResourceDirectory][0] = 0x5000;
  layout.directories[kPeResourceDirectory][1] = (uint32_t)section.size();
  std::vector<ResEntry> read = ResourcesOf(MakeImage(layout));

  std::vector<std::string> order;
  for (const ResEntry& e : read) order.push_back(ResNameText(e.type) + "/" + ResNameText(e.name));
  // '_' (0x5F) sorts after 'A' once case is ignored, as Windows compares.
  EXPECT_EQ(order, (std::vector<std::string>{"EXE_DUMP/ALPHA", "EXE_DUMP/payload", "EXE_DUMP/ZA", "EXE_DUMP/Z_LAST",
                                             "EXE_DUMP/#7", "EXE_DUMP/#24001", "#5/#131"}));
  EXPECT_EQ(ResNameText(read.back().language), "#1033");
  EXPECT_EQ(read.back().codePage, 1252u);
  EXPECT_EQ(DataOf(read.back()), data);
  // Named entries are counted apart from id entries.
  EXPECT_EQ(GetU16(&section[12]), 1);
  EXPECT_EQ(GetU16(&section[14]), 1);

  entries.push_back(entries[0]);
  EXPECT_FALSE(BuildResourceSection(entries, 0x5000, &section, &error));
  EXPECT_NE(error.find("twice"), std::string::npos);
}

// Trees with offsets that point nowhere must be refused, not followed.
TEST(ResourceTree, RefusesBrokenTrees) {
  const Bytes data = ToBytes("payload");
  Bytes good;
  std::string error;
  ASSERT_TRUE(BuildResourceSection({{PayloadResourceType(), ResId(1), ResId(0), 0, data.data(), 7}}, 0x3000, &good,
                                   &error));
  // Root 0x00 (+0x10 entry), type dir 0x18 (+0x28), name dir 0x30 (+0x40),
  // data entry 0x48, string at 0x58.
  struct Case {
    const char* what;
    size_t at;
    uint32_t value;
  };
  const Case cases[] = {
      {"type name past the section", 0x10, 0x80000000u | 0x7000},
      {"subdirectory past the section", 0x14, 0x80000000u | 0x7000},
      {"leaf at the type level", 0x14, 0x48},
      {"directory at the language level", 0x44, 0x80000000u | 0x18},
      {"data outside the image", 0x48, 0x90000},
      {"data longer than the section", 0x4C, 0x10000},
      {"name longer than the section", 0x58, 0xFFFF},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Bytes section = good;
    if (c.at == 0x58) PutU16(&section[c.at], (uint16_t)c.value);
    else PutU32(&section[c.at], c.value);
    FakeImage layout = TwoSections();
    layout.sections.push_back({".rsrc", 0x3000, (uint32_t)section.size(), section, 0x40000040});
    layout.directories[kPeResourceDirectory][0] = 0x3000;
    layout.directories[kPeResourceDirectory][1] = (uint32_t)section.size();
    Bytes image = MakeImage(layout);
    std::vector<ResEntry> entries;
    EXPECT_FALSE(ReadResources(image, ParsedImage(image), &entries, &error));
  }
}

TEST(PeResources, ParseResourceName) {
  struct Case {
    const char* text;
    bool ok;
    const char* name;
  };
  const Case cases[] = {
      {"24001", true, "#24001"},  {"007", true, "#7"},        {"65535", true, "#65535"},
      {"payload", true, "PAYLOAD"}, {"My Data_1", true, "MY DATA_1"}, {"0", false, ""},
      {"65536", false, ""},        {"99999999999999999999", false, ""}, {"", false, ""},
      {"#24001", false, ""},       {"caf\xC3\xA9", false, ""}, {"tab\there", false, ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    ResName name;
    std::string error;
    ASSERT_EQ(ParseResourceName(c.text, &name, &error), c.ok) << error;
    if (c.ok) {
      EXPECT_EQ(ResNameText(name), c.name);
    }
  }
  ResName name;
  std::string error;
  EXPECT_TRUE(ParseResourceName(std::string(255, 'n'), &name, &error));
  EXPECT_FALSE(ParseResourceName(std::string(256, 'n'), &name, &error));
}

TEST(PeResources, FindsThePayloadTheInstallerWouldUse) {
  const Bytes a = ToBytes("A"), b = ToBytes("B"), c = ToBytes("C"), d = ToBytes("D");
  FakeImage layout = TwoSections();
  layout.sections.push_back(ResourceSection(
      0x3000, {{PayloadResourceType(), ResId(100), ResId(0), 0, a.data(), 1},
               {PayloadResourceType(), ResString(u"SECOND"), ResId(1033), 0, b.data(), 1},
               {PayloadResourceType(), ResString(u"SECOND"), ResId(0), 0, c.data(), 1},
               {PayloadResourceType(), ResString(u"THIRD"), ResId(0), 0, d.data(), 1}}));
  layout.directories[kPeResourceDirectory][0] = 0x3000;
  layout.directories[kPeResourceDirectory][1] = layout.sections[2].virtualSize;
  FoundPayload found;
  std::string error;
  ASSERT_TRUE(FindPayload(MakeImage(layout), &found, &error)) << error;
  EXPECT_EQ(ResNameText(found.name), "SECOND");  // string names come before ids
  EXPECT_EQ(std::string((const char*)found.data, found.size), "C");  // neutral before 1033
  EXPECT_EQ(found.names, 3u);

  EXPECT_FALSE(FindPayload(MakeImage(TwoSections()), &found, &error));
  EXPECT_EQ(error, "the image holds no EXE_DUMP resource");
}

TEST(PeResources, WarnsWhenAnotherPayloadComesFirst) {
  Bytes first = Embed(MakeImage(TwoSections()), BlockOf({{"a.prd", "1"}}), ResString(u"FIRST"));
  Bytes out;
  std::vector<std::string> warnings;
  std::string error;
  ASSERT_TRUE(EmbedPayload(first, ResId(24001), BlockOf({}), &out, &warnings, &error)) << error;
  ASSERT_EQ(warnings.size(), 1u);
  EXPECT_NE(warnings[0].find("FIRST"), std::string::npos);
  EXPECT_EQ(FoundBlock(out), BlockOf({{"a.prd", "1"}}));
}

}  // namespace

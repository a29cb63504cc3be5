#include <gtest/gtest.h>
#include <unistd.h>

#include "PackFiles.h"
#include "PayloadFormat.h"
#include "PayloadWriter.h"
#include "TestSupport.h"

namespace {

// The four-file package: 12-character names, sizes as a real add-on has them.
TEST(PayloadWriter, ReferenceShapedBlock) {
  const char* names[] = {"PRODUCT1.prd", "PRODICON.ico", "PRODINFO.ini", "PRODTOOL.exe"};
  const uint32_t sizes[] = {299008, 2238, 552, 28672};
  CPayloadWriter writer;
  for (int i = 0; i < 4; i++) {
    Bytes data(sizes[i], (unsigned char)('a' + i));
    ASSERT_TRUE(writer.Add(names[i], data.data(), data.size()));
  }
  const Bytes& block = writer.Block();
  ASSERT_EQ(block.size(), 330542u);
  EXPECT_EQ(Bytes(block.begin(), block.begin() + 4), (Bytes{0x04, 0x00, 0x00, 0x00}));
  EXPECT_EQ(Bytes(block.begin() + 17, block.begin() + 21), (Bytes{0x00, 0x90, 0x04, 0x00}));

  struct Row {
    size_t nameAt, sizeAt, dataAt, dataEnd;
  };
  const Row rows[] = {{4, 17, 21, 299029},
                      {299029, 299042, 299046, 301284},
                      {301284, 301297, 301301, 301853},
                      {301853, 301866, 301870, 330542}};
  for (int i = 0; i < 4; i++) {
    SCOPED_TRACE(names[i]);
    EXPECT_EQ(std::string((const char*)&block[rows[i].nameAt]), names[i]);
    EXPECT_EQ(block[rows[i].sizeAt - 1], 0);  // the name's terminator
    EXPECT_EQ(PayloadReadU32(&block[rows[i].sizeAt]), sizes[i]);
    EXPECT_EQ(block[rows[i].dataAt], 'a' + i);
    EXPECT_EQ(block[rows[i].dataEnd - 1], 'a' + i);
    EXPECT_EQ(rows[i].dataEnd - rows[i].dataAt, sizes[i]);
  }
  PayloadSummary summary;
  EXPECT_EQ(PayloadCheck(block.data(), block.size(), &summary), PAYLOAD_OK);
  EXPECT_EQ(summary.end, block.size());
}

TEST(PayloadWriter, EmptyBlockAndEmptyFiles) {
  CPayloadWriter writer;
  EXPECT_EQ(writer.Block(), (Bytes{0, 0, 0, 0}));
  ASSERT_TRUE(writer.Add("a", NULL, 0));
  ASSERT_TRUE(writer.Add("b", (const unsigned char*)"x", 1));
  EXPECT_EQ(writer.Block(), BlockOf({{"a", ""}, {"b", "x"}}));
}

TEST(PackFiles, StoresFilesInOrderUnderTheirNames) {
  CScratchDir dir;
  WriteFile(dir / "b.prd", "product");
  WriteFile(dir / "a.ini", "[x]");
  WriteFile(dir / "empty", "");
  std::vector<FileArg> files = {{dir / "b.prd", ""}, {dir / "a.ini", "Sub\\Conf.ini"}, {dir / "empty", ""}};
  Bytes block;
  std::vector<std::string> warnings;
  std::string error;
  ASSERT_TRUE(PackFiles(files, 1252, &block, &warnings, &error)) << error;
  EXPECT_EQ(block, BlockOf({{"b.prd", "product"}, {"Sub\\Conf.ini", "[x]"}, {"empty", ""}}));
  EXPECT_TRUE(warnings.empty());
}

TEST(PackFiles, ConvertsNamesToTheCodePage) {
  CScratchDir dir;
  WriteFile(dir / "caf\xC3\xA9.txt", "x");
  Bytes block;
  std::vector<std::string> warnings;
  std::string error;
  ASSERT_TRUE(PackFiles({{dir / "caf\xC3\xA9.txt", ""}}, 1252, &block, &warnings, &error)) << error;
  EXPECT_EQ(block, BlockOf({{"caf\xE9.txt", "x"}}));
  EXPECT_FALSE(PackFiles({{dir / "caf\xC3\xA9.txt", ""}}, 932, &block, &warnings, &error));
  EXPECT_NE(error.find("caf\xC3\xA9.txt"), std::string::npos) << error;
}

TEST(PackFiles, WarnsWhenANameComesTwice) {
  CScratchDir dir;
  WriteFile(dir / "one", "1");
  WriteFile(dir / "two", "2");
  Bytes block;
  std::vector<std::string> warnings;
  std::string error;
  ASSERT_TRUE(PackFiles({{dir / "one", "Readme.txt"}, {dir / "two", "README.TXT"}}, 1252, &block, &warnings, &error));
  ASSERT_EQ(warnings.size(), 1u);
  EXPECT_NE(warnings[0].find(dir / "two"), std::string::npos);
}

struct Refusal {
  const char* what;
  FileArg file;      // paths relative to the scratch folder
  const char* error;  // a part of the message
};

TEST(PackFiles, RefusalsNameTheFile) {
  CScratchDir dir;
  WriteFile(dir / "ok.txt", "x");
  WriteFile(dir / "back\\slash.txt", "x");
  MakeDir(dir / "folder");
  // A sparse file one byte too large; nothing of it is read.
  WriteFile(dir / "huge", "");
  ASSERT_EQ(truncate((dir / "huge").c_str(), 0x100000000LL), 0);

  const Refusal refusals[] = {
      {"missing file", {"missing.txt", ""}, "No such file"},
      {"folder", {"folder", ""}, "not a regular file"},
      {"too large", {"huge", ""}, "4294967296 bytes"},
      {"bad stored name", {"ok.txt", "..\\ok.txt"}, "'..'"},
      {"backslash in a base name", {"back\\slash.txt", ""}, "PATH=NAME"},
  };
  for (const Refusal& r : refusals) {
    SCOPED_TRACE(r.what);
    FileArg file{dir / r.file.source, r.file.name};
    Bytes block;
    std::vector<std::string> warnings;
    std::string error;
    EXPECT_FALSE(PackFiles({{dir / "ok.txt", ""}, file}, 1252, &block, &warnings, &error));
    EXPECT_NE(error.find(file.source), std::string::npos) << error;
    EXPECT_NE(error.find(r.error), std::string::npos) << error;
  }
}

TEST(ParseFileArg, SplitsAtTheFirstEquals) {
  struct Case {
    const char* argument;
    bool ok;
    const char* source;
    const char* name;
  };
  const Case cases[] = {
      {"dir/file.txt", true, "dir/file.txt", ""},
      {"file.txt=Sub\\Name.txt", true, "file.txt", "Sub\\Name.txt"},
      {"a=b=c", true, "a", "b=c"},
      {"=name", false, "", ""},
      {"file=", false, "", ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.argument);
    FileArg file;
    std::string error;
    ASSERT_EQ(ParseFileArg(c.argument, &file, &error), c.ok);
    if (!c.ok) continue;
    EXPECT_EQ(file.source, c.source);
    EXPECT_EQ(file.name, c.name);
  }
}

}  // namespace

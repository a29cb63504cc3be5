// Fixtures shared by the packager tests: scratch folders, files, running
// the parcelwright binary, and small PE images made to order.
#pragma once
#include <stdint.h>

#include <string>
#include <vector>

#include "ByteIo.h"

class CScratchDir {
 public:
  CScratchDir();
  ~CScratchDir();
  const std::string& Path() const { return m_path; }
  std::string operator/(const std::string& name) const { return m_path + "/" + name; }

 private:
  std::string m_path;
};

Bytes ToBytes(const std::string& text);
void WriteFile(const std::string& path, const std::string& contents);
std::string ReadFile(const std::string& path);  // "<missing>" when it cannot be read
bool Exists(const std::string& path);
bool IsDirectory(const std::string& path);
void MakeDir(const std::string& path);

// A block from (name, data) pairs, laid out by hand.
Bytes BlockOf(const std::vector<std::pair<std::string, std::string>>& entries);

struct RunResult {
  int code;
  std::string out;
  std::string err;
};
// Runs the parcelwright binary under test with the arguments (each quoted).
RunResult RunTool(const std::vector<std::string>& args);

struct FakeSection {
  std::string name;
  uint32_t virtualAddress;
  uint32_t virtualSize;
  Bytes raw;  // padded to the file alignment when laid out
  uint32_t characteristics;
};

struct FakeImage {
  bool pe32Plus = false;
  uint32_t fileAlignment = 0x200;
  uint32_t sectionAlignment = 0x1000;
  uint32_t sizeOfHeaders = 0x400;
  uint32_t dataDirectoryCount = 16;
  std::vector<FakeSection> sections;
  uint32_t directories[16][2] = {};  // rva, size
  Bytes tail;                        // after the last section
  bool tailIsSymbolTable = false;
};

// A PE image with those headers and sections, not meant to run.
Bytes MakeImage(const FakeImage& layout);

#include "TestSupport.h"

#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include "PayloadFormat.h"

CScratchDir::CScratchDir() {
  char pattern[] = "/tmp/pwtest-XXXXXX";
  const char* made = mkdtemp(pattern);
  m_path = made ? made : "/tmp";
}

CScratchDir::~CScratchDir() {
  if (m_path != "/tmp") {
    std::string command = "rm -rf '" + m_path + "'";
    if (system(command.c_str()) != 0) fprintf(stderr, "could not remove %s\n", m_path.c_str());
  }
}

Bytes ToBytes(const std::string& text) { return Bytes(text.begin(), text.end()); }

void WriteFile(const std::string& path, const std::string& contents) {
  FILE* file = fopen(path.c_str(), "wb");
  if (file == NULL) return;
  fwrite(contents.data(), 1, contents.size(), file);
  fclose(file);
}

std::string ReadFile(const std::string& path) {
  FILE* file = fopen(path.c_str(), "rb");
  if (file == NULL) return "<missing>";
  std::string contents;
  char buffer[4096];
  size_t n;
  while ((n = fread(buffer, 1, sizeof buffer, file)) > 0) contents.append(buffer, n);
  fclose(file);
  return contents;
}

bool Exists(const std::string& path) {
  struct stat st;
  return stat(path.c_str(), &st) == 0;
}

bool IsDirectory(const std::string& path) {
  struct stat st;
  return stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

void MakeDir(const std::string& path) { mkdir(path.c_str(), 0777); }

Bytes BlockOf(const std::vector<std::pair<std::string, std::string>>& entries) {
  Bytes block;
  AppendU32(&block, (uint32_t)entries.size());
  for (const auto& entry : entries) {
    block.insert(block.end(), entry.first.begin(), entry.first.end());
    block.push_back(0);
    AppendU32(&block, (uint32_t)entry.second.size());
    block.insert(block.end(), entry.second.begin(), entry.second.end());
  }
  return block;
}

static std::string Quote(const std::string& text) {
  std::string quoted = "'";
  for (char c : text) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return quoted + "'";
}

RunResult RunTool(const std::vector<std::string>& args) {
  CScratchDir scratch;
  std::string command = Quote(PARCELWRIGHT_EXE);
  for (const std::string& arg : args) command += " " + Quote(arg);
  command += " >" + Quote(scratch / "out") + " 2>" + Quote(scratch / "err");
  int status = system(command.c_str());
  RunResult result;
  result.code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  result.out = ReadFile(scratch / "out");
  result.err = ReadFile(scratch / "err");
  return result;
}

Bytes MakeImage(const FakeImage& layout) {
  size_t optionalSize = (layout.pe32Plus ? 112 : 96) + layout.dataDirectoryCount * 8;
  Bytes file(layout.sizeOfHeaders, 0);
  file[0] = 'M';
  file[1] = 'Z';
  PutU32(&file[0x3C], 0x80);
  memcpy(&file[0x80], "PE\0\0", 4);
  unsigned char* coff = &file[0x84];
  PutU16(coff, layout.pe32Plus ? 0x8664 : 0x14C);
  PutU16(coff + 2, (uint16_t)layout.sections.size());
  PutU16(coff + 16, (uint16_t)optionalSize);
  PutU16(coff + 18, 0x0102);
  unsigned char* optional = coff + 20;
  PutU16(optional, layout.pe32Plus ? 0x20B : 0x10B);
  PutU32(optional + 32, layout.sectionAlignment);
  PutU32(optional + 36, layout.fileAlignment);
  PutU32(optional + 60, layout.sizeOfHeaders);
  PutU32(optional + (layout.pe32Plus ? 108 : 92), layout.dataDirectoryCount);
  unsigned char* directories = optional + (layout.pe32Plus ? 112 : 96);
  for (uint32_t i = 0; i < layout.dataDirectoryCount && i < 16; i++) {
    PutU32(directories + i * 8, layout.directories[i][0]);
    PutU32(directories + i * 8 + 4, layout.directories[i][1]);
  }

  uint32_t imageEnd = (uint32_t)AlignUp(layout.sizeOfHeaders, layout.sectionAlignment);
  size_t headerAt = 0x84 + 20 + optionalSize;
  for (const FakeSection& section : layout.sections) {
    size_t rawPointer = file.size();
    size_t rawSize = (size_t)AlignUp(section.raw.size(), layout.fileAlignment);
    file.insert(file.end(), section.raw.begin(), section.raw.end());
    file.resize(rawPointer + rawSize, 0);
    unsigned char* header = &file[headerAt];
    memcpy(header, section.name.data(), section.name.size() < 8 ? section.name.size() : 8);
    PutU32(header + 8, section.virtualSize);
    PutU32(header + 12, section.virtualAddress);
    PutU32(header + 16, (uint32_t)rawSize);
    PutU32(header + 20, rawSize ? (uint32_t)rawPointer : 0);
    PutU32(header + 36, section.characteristics);
    headerAt += 40;
    uint32_t end = (uint32_t)AlignUp(section.virtualAddress + section.virtualSize, layout.sectionAlignment);
    if (end > imageEnd) imageEnd = end;
  }
  PutU32(&file[0x84 + 20 + 56], imageEnd);
  if (layout.tailIsSymbolTable) PutU32(&file[0x84 + 8], (uint32_t)file.size());
  file.insert(file.end(), layout.tail.begin(), layout.tail.end());
  return file;
}

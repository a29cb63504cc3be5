// A payload block given as a file of its own or inside an installer.
#pragma once
#include <stddef.h>

#include <string>

#include "ByteIo.h"

struct PayloadSource {
  Bytes file;
  bool fromImage;        // an installer: the block is its EXE_DUMP resource
  std::string resource;  // with fromImage: the resource's name, "#24001" say
  size_t resourceNames;  // with fromImage: EXE_DUMP names in the image
  size_t offset;         // of the block in file
  size_t size;

  const unsigned char* Block() const { return file.data() + offset; }
};

// A file that starts with "MZ" is read as an installer, anything else as a
// block.
bool LoadPayloadSource(const std::string& path, PayloadSource* source, std::string* error);

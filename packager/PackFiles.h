// Turns the files named on the command line into a payload block.
#pragma once
#include <string>
#include <vector>

#include "ByteIo.h"

struct FileSpec {
  std::string source;  // local path
  std::string name;    // stored name as given, UTF-8; empty: the base name
};

// "PATH" or "PATH=NAME", split at the first '='.
bool ParseFileSpec(const std::string& argument, FileSpec* spec, std::string* error);

// Adds the files in order. Every refusal names the file and the reason.
// Warnings tell of names stored twice, where the later file wins.
bool PackFiles(const std::vector<FileSpec>& specs, unsigned codePage, Bytes* block,
               std::vector<std::string>* warnings, std::string* error);

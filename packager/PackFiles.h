// Turns the files named on the command line into a payload block.
#pragma once
#include <string>
#include <vector>

#include "ByteIo.h"

struct FileArg {
  std::string source;  // local path
  std::string name;    // stored name as given, UTF-8; empty: the base name
};

// "PATH" or "PATH=NAME", split at the first '='.
bool ParseFileArg(const std::string& argument, FileArg* file, std::string* error);

// Adds the files in order. Every refusal names the file and the reason.
// Warnings tell of names stored twice, where the later file wins.
bool PackFiles(const std::vector<FileArg>& files, unsigned codePage, Bytes* block,
               std::vector<std::string>* warnings, std::string* error);

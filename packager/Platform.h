// Everything that differs between POSIX and Windows: files, folders, the
// program's own location, command-line text and code page conversion.
// Text is UTF-8 on both sides; only this file knows the native forms.
#pragma once
#include <stdint.h>

#include <string>
#include <vector>

#include "ByteIo.h"

bool ReadFileBytes(const std::string& path, Bytes* out, std::string* error);
// Creates or truncates; a file left half written is removed again.
bool WriteFileBytes(const std::string& path, const void* data, size_t size, std::string* error);
// Fails for anything that is not a regular file.
bool RegularFileSize(const std::string& path, uint64_t* size, std::string* error);
// One level only, like CreateDirectory: the parent must exist.
bool MakeDirectory(const std::string& path);

// Folder of the running executable, with a trailing separator; empty when
// it cannot be told.
std::string ExecutableDirectory();
// The last component of a local path.
std::string PathBaseName(const std::string& path);
std::string PathJoin(const std::string& folder, const std::string& name);

bool CodePageSupported(unsigned codePage);
// False when the text holds a character the code page has no byte for.
bool LocalToCodePage(const std::string& text, unsigned codePage, std::string* out);
bool CodePageToLocal(const std::string& bytes, unsigned codePage, std::string* text);

// The arguments after the program name, as UTF-8.
std::vector<std::string> CommandLineArgs(int argc, char** argv);

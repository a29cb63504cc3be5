// UTF-8 walking and UTF-16 conversion, for names given on the command line
// and resource names, which PE stores in UTF-16.
#pragma once
#include <stddef.h>
#include <stdint.h>

#include <string>

// Reads the character at *pos and moves past it; false on malformed UTF-8
// (overlong forms, surrogates and values past U+10FFFF included).
bool Utf8Next(const std::string& text, size_t* pos, uint32_t* codePoint);
bool Utf8ToUtf16(const std::string& text, std::u16string* out);
// Unpaired surrogates come out as U+FFFD.
std::string Utf16ToUtf8(const std::u16string& text);

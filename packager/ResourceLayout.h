// Sizes and flags of the resource directory structures.
#pragma once
#include <stddef.h>
#include <stdint.h>

const uint32_t kHighBit = 0x80000000u;  // a string name, or a subdirectory
const size_t kDirectorySize = 16;
const size_t kEntrySize = 8;
const size_t kDataEntrySize = 16;

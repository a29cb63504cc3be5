// Installs a block into a local folder the way the installer would into a
// host folder: the product file into the folder itself, the rest into the
// OEM folder next to each name's last component. For trying packages out
// where the installer cannot run.
#pragma once
#include <stddef.h>

#include <string>
#include <vector>

// Writes the entries in order and stops at the first one that fails, as
// the installer does; what was written stays. A block that is cut short or
// holds a name leaving the folder is refused before anything is written.
// `written` gets one line per entry written.
bool ExtractPayload(const unsigned char* block, size_t size, const std::string& folder, unsigned codePage,
                    std::vector<std::string>* written, std::string* error);

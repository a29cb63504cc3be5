// Puts a fresh resource section into a PE image: in place of the old one
// when that is the image's last section, else as a new last section.
#pragma once
#include <stddef.h>
#include <stdint.h>

#include "ByteIo.h"
#include "PeImage.h"

struct PeResourcePlan {
  bool replace;   // rewrite section `index`; otherwise append a section
  size_t index;
  uint32_t rva;   // where the section will be mapped; its contents need it
};

PeStatus PePlanResourceSection(const Bytes& file, const PeImage& image, PeResourcePlan* plan);

// Writes `data` as the resource section and brings the section table, the
// resource directory slot, SizeOfImage, SizeOfInitializedData and the
// checksum up to date. Bytes after the last section (a symbol table, say)
// move along behind it.
PeStatus PeWriteResourceSection(const Bytes& file, const PeImage& image, const PeResourcePlan& plan,
                                const Bytes& data, Bytes* out);

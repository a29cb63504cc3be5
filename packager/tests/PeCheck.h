// Checks on a written image that hold for any correct PE writer.
#pragma once
#include "ByteIo.h"
#include "PeImage.h"
#include "ResourceTree.h"

// Sections in address order without overlap, aligned, inside the file;
// SizeOfImage covering the last; the resource slot inside one section; the
// checksum right.
void ExpectWellFormed(const Bytes& image);

PeImage ParsedImage(const Bytes& image);
std::vector<ResEntry> ResourcesOf(const Bytes& image);
Bytes DataOf(const ResEntry& entry);
// The entries of `before` all in `after`, with the same code page and data.
void ExpectResourcesKept(const std::vector<ResEntry>& before, const std::vector<ResEntry>& after);

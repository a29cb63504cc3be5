#include "ResourceTree.h"

#include <algorithm>

#include "ResourceLayout.h"

// Directories may share subtrees; this bounds the walk of a hostile tree.
static const size_t kMaxVisits = 1 << 20;

namespace {

struct TreeReader {
  const Bytes& file;
  const PeImage& image;
  size_t root;   // file offset of the root directory
  size_t limit;  // end of the section holding it
  size_t visits;
  std::vector<ResEntry>* entries;
  std::string* error;

  bool Fail(const std::string& what) {
    *error = "resource tree: " + what;
    return false;
  }

  bool Has(uint64_t offset, uint64_t size) const { return root + offset + size <= limit; }

  bool ReadName(uint32_t field, ResName* name) {
    if (!(field & kHighBit)) {
      *name = ResId(field);
      return true;
    }
    uint32_t at = field & ~kHighBit;
    if (!Has(at, 2)) return Fail("a name lies outside the section");
    uint16_t length = GetU16(&file[root + at]);
    if (!Has(at + 2, length * 2u)) return Fail("a name runs past the section");
    std::u16string text;
    for (uint16_t i = 0; i < length; i++) text.push_back((char16_t)GetU16(&file[root + at + 2 + i * 2]));
    *name = ResString(text);
    return true;
  }

  bool ReadLeaf(uint32_t at, ResName path[3]) {
    if (!Has(at, kDataEntrySize)) return Fail("a data entry lies outside the section");
    const unsigned char* p = &file[root + at];
    ResEntry entry{path[0], path[1], path[2], GetU32(p + 8), NULL, GetU32(p + 4)};
    size_t offset;
    if (!PeRvaToOffset(image, GetU32(p), entry.size, &offset)) {
      return Fail("the data of " + ResNameText(path[0]) + "/" + ResNameText(path[1]) + " lie outside the file");
    }
    entry.data = file.data() + offset;
    entries->push_back(entry);
    return true;
  }

  // Level 0 lists types, 1 names, 2 languages, whose entries are leaves.
  bool ReadDirectory(uint32_t at, int level, ResName path[3]) {
    if (!Has(at, kDirectorySize)) return Fail("a directory lies outside the section");
    const unsigned char* p = &file[root + at];
    size_t count = (size_t)GetU16(p + 12) + GetU16(p + 14);
    if (!Has(at + kDirectorySize, count * kEntrySize)) return Fail("a directory runs past the section");
    for (size_t i = 0; i < count; i++) {
      if (++visits > kMaxVisits) return Fail("too many entries");
      const unsigned char* entry = p + kDirectorySize + i * kEntrySize;
      if (!ReadName(GetU32(entry), &path[level])) return false;
      uint32_t target = GetU32(entry + 4);
      bool isDirectory = (target & kHighBit) != 0;
      if (isDirectory != (level < 2)) return Fail("the tree is not three levels deep");
      bool ok = isDirectory ? ReadDirectory(target & ~kHighBit, level + 1, path) : ReadLeaf(target, path);
      if (!ok) return false;
    }
    return true;
  }
};

}  // namespace

bool ReadResources(const Bytes& file, const PeImage& image, std::vector<ResEntry>* entries, std::string* error) {
  entries->clear();
  uint32_t rva, size;
  PeDataDirectory(file.data(), image, kPeResourceDirectory, &rva, &size);
  if (rva == 0) return true;
  size_t root;
  if (!PeRvaToOffset(image, rva, kDirectorySize, &root)) {
    *error = "resource tree: the root lies outside the file";
    return false;
  }
  size_t limit = root;
  for (const PeSection& section : image.sections) {
    size_t end = (size_t)section.rawPointer + section.rawSize;
    if (root >= section.rawPointer && root < end) limit = std::max(limit, end);
  }
  TreeReader reader{file, image, root, limit, 0, entries, error};
  ResName path[3];
  return reader.ReadDirectory(0, 0, path);
}

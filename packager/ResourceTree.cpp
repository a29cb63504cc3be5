#include "ResourceTree.h"

#include <algorithm>

#include "Utf.h"

static const uint32_t kHighBit = 0x80000000u;
static const size_t kDirectorySize = 16;
static const size_t kEntrySize = 8;
static const size_t kDataEntrySize = 16;
// Directories may share subtrees; this bounds the walk of a hostile tree.
static const size_t kMaxVisits = 1 << 20;

ResName ResId(uint32_t id) { return ResName{false, id, std::u16string()}; }

ResName ResString(const std::u16string& text) { return ResName{true, 0, text}; }

bool operator==(const ResName& a, const ResName& b) {
  return a.isString == b.isString && (a.isString ? a.text == b.text : a.id == b.id);
}

static char16_t UpperAscii(char16_t c) { return (c >= u'a' && c <= u'z') ? (char16_t)(c - 32) : c; }

int CompareResNames(const ResName& a, const ResName& b) {
  if (a.isString != b.isString) return a.isString ? -1 : 1;
  if (!a.isString) return a.id < b.id ? -1 : (a.id > b.id ? 1 : 0);
  size_t n = std::min(a.text.size(), b.text.size());
  for (size_t i = 0; i < n; i++) {
    char16_t x = UpperAscii(a.text[i]), y = UpperAscii(b.text[i]);
    if (x != y) return x < y ? -1 : 1;
  }
  if (a.text.size() != b.text.size()) return a.text.size() < b.text.size() ? -1 : 1;
  return a.text < b.text ? -1 : (b.text < a.text ? 1 : 0);
}

std::string ResNameText(const ResName& name) {
  return name.isString ? Utf16ToUtf8(name.text) : "#" + std::to_string(name.id);
}

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

namespace {

struct NameNode {
  const ResName* name;
  std::vector<const ResEntry*> languages;
};

struct TypeNode {
  const ResName* type;
  std::vector<NameNode> names;
};

struct SectionLayout {
  Bytes* out;
  size_t stringsAt;  // next free byte for a name string

  void PutName(size_t entryAt, const ResName& name) {
    if (!name.isString) {
      PutU32(&(*out)[entryAt], name.id);
      return;
    }
    PutU32(&(*out)[entryAt], kHighBit | (uint32_t)stringsAt);
    PutU16(&(*out)[stringsAt], (uint16_t)name.text.size());
    for (size_t i = 0; i < name.text.size(); i++) PutU16(&(*out)[stringsAt + 2 + i * 2], name.text[i]);
    stringsAt += 2 + name.text.size() * 2;
  }

  void PutDirectory(size_t at, size_t named, size_t ids) {
    PutU16(&(*out)[at + 12], (uint16_t)named);
    PutU16(&(*out)[at + 14], (uint16_t)ids);
  }
};

static size_t StringBytes(const ResName& name) { return name.isString ? 2 + name.text.size() * 2 : 0; }

}  // namespace

bool BuildResourceSection(std::vector<ResEntry> entries, uint32_t sectionRva, Bytes* section, std::string* error) {
  auto less = [](const ResEntry& a, const ResEntry& b) {
    int c = CompareResNames(a.type, b.type);
    if (c == 0) c = CompareResNames(a.name, b.name);
    if (c == 0) c = CompareResNames(a.language, b.language);
    return c < 0;
  };
  std::stable_sort(entries.begin(), entries.end(), less);

  std::vector<TypeNode> types;
  size_t directoryBytes = kDirectorySize, stringBytes = 0;
  for (size_t i = 0; i < entries.size(); i++) {
    const ResEntry& e = entries[i];
    if (i > 0 && !less(entries[i - 1], e)) {
      *error = "resource " + ResNameText(e.type) + "/" + ResNameText(e.name) + "/" + ResNameText(e.language) +
               " is there twice";
      return false;
    }
    for (const ResName* name : {&e.type, &e.name, &e.language}) {
      if (name->isString && name->text.size() > 0xFFFF) {
        *error = "resource name " + ResNameText(*name).substr(0, 40) + "... is too long";
        return false;
      }
    }
    if (types.empty() || !(*types.back().type == e.type)) {
      types.push_back(TypeNode{&e.type, {}});
      directoryBytes += kEntrySize + kDirectorySize;
      stringBytes += StringBytes(e.type);
    }
    std::vector<NameNode>& names = types.back().names;
    if (names.empty() || !(*names.back().name == e.name)) {
      names.push_back(NameNode{&e.name, {}});
      directoryBytes += kEntrySize + kDirectorySize;
      stringBytes += StringBytes(e.name);
    }
    names.back().languages.push_back(&e);
    directoryBytes += kEntrySize;
    stringBytes += StringBytes(e.language);
  }
  bool tooMany = types.size() > 0xFFFF;
  for (const TypeNode& t : types) {
    tooMany = tooMany || t.names.size() > 0xFFFF;
    for (const NameNode& n : t.names) tooMany = tooMany || n.languages.size() > 0xFFFF;
  }
  if (tooMany) {
    *error = "more resources under one directory than it can list";
    return false;
  }

  // Directories, then data entries, then name strings, then the data, each
  // data block 8-aligned as resource compilers lay them out.
  size_t dataEntriesAt = directoryBytes;
  size_t stringsAt = dataEntriesAt + entries.size() * kDataEntrySize;
  uint64_t dataAt = AlignUp(stringsAt + stringBytes, 8);
  uint64_t total = dataAt;
  for (const ResEntry& e : entries) total = AlignUp(total, 8) + e.size;
  if (stringsAt + stringBytes >= kHighBit || total + sectionRva > 0xFFFFFFFFu) {
    *error = "the resources would pass 4 GiB";
    return false;
  }

  Bytes out((size_t)total, 0);
  SectionLayout layout{&out, stringsAt};
  size_t typeDirAt = kDirectorySize + types.size() * kEntrySize;
  size_t nameDirAt = typeDirAt;
  for (const TypeNode& t : types) nameDirAt += kDirectorySize + t.names.size() * kEntrySize;
  size_t dataEntryAt = dataEntriesAt;
  size_t dataBlockAt = (size_t)dataAt;

  size_t namedTypes = 0;
  for (const TypeNode& t : types) namedTypes += t.type->isString ? 1 : 0;
  layout.PutDirectory(0, namedTypes, types.size() - namedTypes);
  for (size_t t = 0; t < types.size(); t++) {
    const std::vector<NameNode>& names = types[t].names;
    size_t rootEntry = kDirectorySize + t * kEntrySize;
    layout.PutName(rootEntry, *types[t].type);
    PutU32(&out[rootEntry + 4], kHighBit | (uint32_t)typeDirAt);
    size_t namedNames = 0;
    for (const NameNode& n : names) namedNames += n.name->isString ? 1 : 0;
    layout.PutDirectory(typeDirAt, namedNames, names.size() - namedNames);

    for (size_t n = 0; n < names.size(); n++) {
      const std::vector<const ResEntry*>& languages = names[n].languages;
      size_t typeEntry = typeDirAt + kDirectorySize + n * kEntrySize;
      layout.PutName(typeEntry, *names[n].name);
      PutU32(&out[typeEntry + 4], kHighBit | (uint32_t)nameDirAt);
      size_t namedLanguages = 0;
      for (const ResEntry* e : languages) namedLanguages += e->language.isString ? 1 : 0;
      layout.PutDirectory(nameDirAt, namedLanguages, languages.size() - namedLanguages);

      for (size_t l = 0; l < languages.size(); l++) {
        const ResEntry& e = *languages[l];
        size_t nameEntry = nameDirAt + kDirectorySize + l * kEntrySize;
        layout.PutName(nameEntry, e.language);
        PutU32(&out[nameEntry + 4], (uint32_t)dataEntryAt);
        dataBlockAt = (size_t)AlignUp(dataBlockAt, 8);
        PutU32(&out[dataEntryAt], sectionRva + (uint32_t)dataBlockAt);
        PutU32(&out[dataEntryAt + 4], e.size);
        PutU32(&out[dataEntryAt + 8], e.codePage);
        if (e.size != 0) std::copy(e.data, e.data + e.size, out.begin() + dataBlockAt);
        dataEntryAt += kDataEntrySize;
        dataBlockAt += e.size;
      }
      nameDirAt += kDirectorySize + languages.size() * kEntrySize;
    }
    typeDirAt += kDirectorySize + names.size() * kEntrySize;
  }
  section->swap(out);
  return true;
}

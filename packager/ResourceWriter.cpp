#include "ResourceTree.h"

#include <algorithm>

#include "ResourceLayout.h"

namespace {

struct NameNode {
  const ResName* name;
  std::vector<const ResEntry*> languages;
};

struct TypeNode {
  const ResName* type;
  std::vector<NameNode> names;
};

bool EntryLess(const ResEntry& a, const ResEntry& b) {
  int c = CompareResNames(a.type, b.type);
  if (c == 0) c = CompareResNames(a.name, b.name);
  if (c == 0) c = CompareResNames(a.language, b.language);
  return c < 0;
}

size_t StringBytes(const ResName& name) { return name.isString ? 2 + name.text.size() * 2 : 0; }

// Groups sorted entries into the type and name levels, counting the bytes
// the directories and the name strings take.
bool Group(const std::vector<ResEntry>& sorted, std::vector<TypeNode>* types, size_t* directoryBytes,
           size_t* stringBytes, std::string* error) {
  *directoryBytes = kDirectorySize;
  *stringBytes = 0;
  for (size_t i = 0; i < sorted.size(); i++) {
    const ResEntry& e = sorted[i];
    if (i > 0 && !EntryLess(sorted[i - 1], e)) {
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
    if (types->empty() || !(*types->back().type == e.type)) {
      types->push_back(TypeNode{&e.type, {}});
      *directoryBytes += kEntrySize + kDirectorySize;
      *stringBytes += StringBytes(e.type);
    }
    std::vector<NameNode>& names = types->back().names;
    if (names.empty() || !(*names.back().name == e.name)) {
      names.push_back(NameNode{&e.name, {}});
      *directoryBytes += kEntrySize + kDirectorySize;
      *stringBytes += StringBytes(e.name);
    }
    names.back().languages.push_back(&e);
    *directoryBytes += kEntrySize;
    *stringBytes += StringBytes(e.language);
  }
  bool tooMany = types->size() > 0xFFFF;
  for (const TypeNode& t : *types) {
    tooMany = tooMany || t.names.size() > 0xFFFF;
    for (const NameNode& n : t.names) tooMany = tooMany || n.languages.size() > 0xFFFF;
  }
  if (tooMany) *error = "more resources under one directory than it can list";
  return !tooMany;
}

// Fills a section laid out as: directories breadth first, then the data
// entries, then the name strings, then the data, each block 8-aligned as
// resource compilers lay them out.
class CSectionWriter {
 public:
  CSectionWriter(Bytes* out, uint32_t sectionRva, size_t dataEntriesAt, size_t stringsAt, size_t dataAt)
      : m_out(*out), m_rva(sectionRva), m_dataEntryAt(dataEntriesAt), m_stringAt(stringsAt), m_dataAt(dataAt) {}

  // A directory header with its counts; its entries follow it.
  template <typename Item, typename NameOf>
  void Directory(size_t at, const std::vector<Item>& items, NameOf nameOf) {
    size_t named = 0;
    for (const Item& item : items) named += nameOf(item).isString ? 1 : 0;
    PutU16(&m_out[at + 12], (uint16_t)named);
    PutU16(&m_out[at + 14], (uint16_t)(items.size() - named));
  }

  void Entry(size_t at, const ResName& name, uint32_t target) {
    if (name.isString) {
      PutU32(&m_out[at], kHighBit | (uint32_t)m_stringAt);
      PutU16(&m_out[m_stringAt], (uint16_t)name.text.size());
      for (size_t i = 0; i < name.text.size(); i++) PutU16(&m_out[m_stringAt + 2 + i * 2], name.text[i]);
      m_stringAt += StringBytes(name);
    } else {
      PutU32(&m_out[at], name.id);
    }
    PutU32(&m_out[at + 4], target);
  }

  // A data entry and its data; returns the data entry's offset.
  uint32_t Leaf(const ResEntry& e) {
    size_t at = m_dataEntryAt;
    m_dataAt = (size_t)AlignUp(m_dataAt, 8);
    PutU32(&m_out[at], m_rva + (uint32_t)m_dataAt);
    PutU32(&m_out[at + 4], e.size);
    PutU32(&m_out[at + 8], e.codePage);
    if (e.size != 0) std::copy(e.data, e.data + e.size, m_out.begin() + m_dataAt);
    m_dataAt += e.size;
    m_dataEntryAt += kDataEntrySize;
    return (uint32_t)at;
  }

 private:
  Bytes& m_out;
  uint32_t m_rva;
  size_t m_dataEntryAt;
  size_t m_stringAt;
  size_t m_dataAt;
};

const ResName& TypeOf(const TypeNode& node) { return *node.type; }
const ResName& NameOf(const NameNode& node) { return *node.name; }
const ResName& LanguageOf(const ResEntry* entry) { return entry->language; }

}  // namespace

bool BuildResourceSection(std::vector<ResEntry> entries, uint32_t sectionRva, Bytes* section, std::string* error) {
  std::stable_sort(entries.begin(), entries.end(), EntryLess);
  std::vector<TypeNode> types;
  size_t directoryBytes, stringBytes;
  if (!Group(entries, &types, &directoryBytes, &stringBytes, error)) return false;

  size_t stringsAt = directoryBytes + entries.size() * kDataEntrySize;
  uint64_t dataAt = AlignUp(stringsAt + stringBytes, 8);
  uint64_t total = dataAt;
  for (const ResEntry& e : entries) total = AlignUp(total, 8) + e.size;
  if (stringsAt + stringBytes >= kHighBit || total + sectionRva > 0xFFFFFFFFu) {
    *error = "the resources would pass 4 GiB";
    return false;
  }

  Bytes out((size_t)total, 0);
  CSectionWriter writer(&out, sectionRva, directoryBytes, stringsAt, (size_t)dataAt);
  size_t typeDirAt = kDirectorySize + types.size() * kEntrySize;
  size_t nameDirAt = typeDirAt;
  for (const TypeNode& t : types) nameDirAt += kDirectorySize + t.names.size() * kEntrySize;

  writer.Directory(0, types, TypeOf);
  for (size_t t = 0; t < types.size(); t++) {
    const std::vector<NameNode>& names = types[t].names;
    writer.Entry(kDirectorySize + t * kEntrySize, *types[t].type, kHighBit | (uint32_t)typeDirAt);
    writer.Directory(typeDirAt, names, NameOf);
    for (size_t n = 0; n < names.size(); n++) {
      const std::vector<const ResEntry*>& languages = names[n].languages;
      writer.Entry(typeDirAt + kDirectorySize + n * kEntrySize, *names[n].name, kHighBit | (uint32_t)nameDirAt);
      writer.Directory(nameDirAt, languages, LanguageOf);
      for (size_t l = 0; l < languages.size(); l++) {
        const ResEntry& e = *languages[l];
        writer.Entry(nameDirAt + kDirectorySize + l * kEntrySize, e.language, writer.Leaf(e));
      }
      nameDirAt += kDirectorySize + languages.size() * kEntrySize;
    }
    typeDirAt += kDirectorySize + names.size() * kEntrySize;
  }
  section->swap(out);
  return true;
}

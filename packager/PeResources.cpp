#include "PeResources.h"

#include "PeImage.h"
#include "PeSectionWriter.h"

ResName PayloadResourceType() { return ResString(u"EXE_DUMP"); }

static const size_t kMaxNameText = 255;  // what the installer's name buffer holds

bool ParseResourceName(const std::string& text, ResName* name, std::string* error) {
  if (text.empty()) {
    *error = "the resource name is empty";
    return false;
  }
  if (text.find_first_not_of("0123456789") == std::string::npos) {
    unsigned long id = 0;
    for (char c : text) {
      id = id * 10 + (unsigned long)(c - '0');
      if (id > 0xFFFF) break;
    }
    if (id == 0 || id > 0xFFFF) {
      *error = "resource id " + text + " is not between 1 and 65535";
      return false;
    }
    *name = ResId((uint32_t)id);
    return true;
  }
  if (text[0] == '#') {
    *error = "resource name \"" + text + "\" starts with '#', which FindResource takes for an id";
    return false;
  }
  if (text.size() > kMaxNameText) {
    *error = "resource name \"" + text.substr(0, 40) + "...\" is longer than " + std::to_string(kMaxNameText);
    return false;
  }
  std::u16string upper;
  for (char c : text) {
    if (c < 0x20 || c > 0x7E) {
      *error = "resource name \"" + text + "\" holds a character that is not printable ASCII";
      return false;
    }
    upper.push_back((char16_t)((c >= 'a' && c <= 'z') ? c - 32 : c));
  }
  *name = ResString(upper);
  return true;
}

static bool IsPayload(const ResEntry& entry) { return entry.type == PayloadResourceType(); }

bool EmbedPayload(const Bytes& image, const ResName& name, const Bytes& block, Bytes* out,
                  std::vector<std::string>* warnings, std::string* error) {
  if (block.size() > 0xFFFFFFFFu) {
    *error = "the payload passes 4 GiB";
    return false;
  }
  PeImage pe;
  PeStatus status = PeParse(image.data(), image.size(), &pe);
  if (status != PE_OK) {
    *error = PeStatusText(status);
    return false;
  }
  std::vector<ResEntry> entries;
  if (!ReadResources(image, pe, &entries, error)) return false;

  ResEntry payload{PayloadResourceType(), name, ResId(0), 0, block.data(), (uint32_t)block.size()};
  bool replaced = false;
  for (ResEntry& entry : entries) {
    if (IsPayload(entry) && entry.name == name && entry.language == payload.language) {
      entry = payload;
      replaced = true;
    }
  }
  if (!replaced) entries.push_back(payload);

  const ResName* first = NULL;
  for (const ResEntry& entry : entries) {
    if (IsPayload(entry) && (first == NULL || CompareResNames(entry.name, *first) < 0)) first = &entry.name;
  }
  if (!(*first == name)) {
    warnings->push_back("the stub also holds EXE_DUMP resource " + ResNameText(*first) +
                        ", which the installer finds first and installs instead of " + ResNameText(name));
  }

  PeResourcePlan plan;
  status = PePlanResourceSection(image, pe, &plan);
  if (status != PE_OK) {
    *error = PeStatusText(status);
    return false;
  }
  Bytes section;
  if (!BuildResourceSection(entries, plan.rva, &section, error)) return false;
  status = PeWriteResourceSection(image, pe, plan, section, out);
  if (status != PE_OK) {
    *error = PeStatusText(status);
    return false;
  }
  return true;
}

bool FindPayload(const Bytes& image, FoundPayload* found, std::string* error) {
  PeImage pe;
  PeStatus status = PeParse(image.data(), image.size(), &pe);
  if (status != PE_OK) {
    *error = PeStatusText(status);
    return false;
  }
  std::vector<ResEntry> entries;
  if (!ReadResources(image, pe, &entries, error)) return false;

  const ResEntry* chosen = NULL;
  found->names = 0;
  const ResName* lastName = NULL;
  for (const ResEntry& entry : entries) {
    if (!IsPayload(entry)) continue;
    if (lastName == NULL || !(*lastName == entry.name)) found->names++;
    lastName = &entry.name;
    if (chosen == NULL) chosen = &entry;
  }
  if (chosen == NULL) {
    *error = "the image holds no EXE_DUMP resource";
    return false;
  }
  found->name = chosen->name;
  found->language = chosen->language;
  found->data = chosen->data;
  found->size = chosen->size;
  return true;
}

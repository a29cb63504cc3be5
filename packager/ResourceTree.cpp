#include "ResourceTree.h"

#include <algorithm>

#include "Utf.h"

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

#include "Utf.h"

bool Utf8Next(const std::string& text, size_t* pos, uint32_t* codePoint) {
  size_t i = *pos;
  unsigned char lead = (unsigned char)text[i];
  size_t length;
  uint32_t value, minimum;
  if (lead < 0x80) {
    *codePoint = lead;
    *pos = i + 1;
    return true;
  } else if ((lead & 0xE0) == 0xC0) {
    length = 2, value = lead & 0x1F, minimum = 0x80;
  } else if ((lead & 0xF0) == 0xE0) {
    length = 3, value = lead & 0x0F, minimum = 0x800;
  } else if ((lead & 0xF8) == 0xF0) {
    length = 4, value = lead & 0x07, minimum = 0x10000;
  } else {
    return false;
  }
  if (text.size() - i < length) return false;
  for (size_t k = 1; k < length; k++) {
    unsigned char c = (unsigned char)text[i + k];
    if ((c & 0xC0) != 0x80) return false;
    value = (value << 6) | (c & 0x3F);
  }
  if (value < minimum || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF)) return false;
  *codePoint = value;
  *pos = i + length;
  return true;
}

bool Utf8ToUtf16(const std::string& text, std::u16string* out) {
  std::u16string result;
  for (size_t i = 0; i < text.size();) {
    uint32_t c;
    if (!Utf8Next(text, &i, &c)) return false;
    if (c >= 0x10000) {
      result.push_back((char16_t)(0xD800 + ((c - 0x10000) >> 10)));
      result.push_back((char16_t)(0xDC00 + ((c - 0x10000) & 0x3FF)));
    } else {
      result.push_back((char16_t)c);
    }
  }
  *out = result;
  return true;
}

static void AppendUtf8(std::string* out, uint32_t c) {
  if (c < 0x80) {
    out->push_back((char)c);
  } else if (c < 0x800) {
    out->push_back((char)(0xC0 | (c >> 6)));
    out->push_back((char)(0x80 | (c & 0x3F)));
  } else if (c < 0x10000) {
    out->push_back((char)(0xE0 | (c >> 12)));
    out->push_back((char)(0x80 | ((c >> 6) & 0x3F)));
    out->push_back((char)(0x80 | (c & 0x3F)));
  } else {
    out->push_back((char)(0xF0 | (c >> 18)));
    out->push_back((char)(0x80 | ((c >> 12) & 0x3F)));
    out->push_back((char)(0x80 | ((c >> 6) & 0x3F)));
    out->push_back((char)(0x80 | (c & 0x3F)));
  }
}

std::string Utf16ToUtf8(const std::u16string& text) {
  std::string out;
  for (size_t i = 0; i < text.size(); i++) {
    uint32_t c = text[i];
    if (c >= 0xD800 && c <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 && text[i + 1] <= 0xDFFF) {
      c = 0x10000 + ((c - 0xD800) << 10) + (text[++i] - 0xDC00);
    } else if (c >= 0xD800 && c <= 0xDFFF) {
      c = 0xFFFD;
    }
    AppendUtf8(&out, c);
  }
  return out;
}

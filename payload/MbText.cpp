#include "MbText.h"

#include <string.h>

bool NoLeadBytes(unsigned char) { return false; }

static bool LeadByte932(unsigned char b) { return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC); }
static bool LeadByteWide(unsigned char b) { return b >= 0x81 && b <= 0xFE; }

LeadByteFn LeadByteFnForCodePage(unsigned codePage) {
  switch (codePage) {
    case 932: return LeadByte932;
    case 936:
    case 949:
    case 950: return LeadByteWide;
    default: return NoLeadBytes;
  }
}

// Length of the character at i; a lead byte at the very end stands alone.
static size_t CharLength(const char* text, size_t length, size_t i, LeadByteFn isLead) {
  return (isLead((unsigned char)text[i]) && i + 1 < length) ? 2 : 1;
}

size_t MbFind(const char* text, size_t length, const char* needle, LeadByteFn isLead) {
  size_t needleLength = strlen(needle);
  for (size_t i = 0; i + needleLength <= length; i += CharLength(text, length, i, isLead)) {
    if (memcmp(text + i, needle, needleLength) == 0) return i;
  }
  return MB_NPOS;
}

size_t MbReverseFind(const char* text, size_t length, char ch, LeadByteFn isLead) {
  size_t found = MB_NPOS;
  for (size_t i = 0; i < length; i += CharLength(text, length, i, isLead)) {
    if (text[i] == ch) found = i;
  }
  return found;
}

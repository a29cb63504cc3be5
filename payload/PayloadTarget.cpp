#include "PayloadTarget.h"

#include "PayloadFormat.h"

PayloadTarget PayloadTargetOf(const char* fullPath, size_t length, LeadByteFn isLead) {
  PayloadTarget target = {false, 0};
  if (MbFind(fullPath, length, ".prd", isLead) != MB_NPOS) return target;
  size_t slash = MbReverseFind(fullPath, length, '\\', isLead);
  if (slash == MB_NPOS) return target;
  target.intoOem = true;
  target.split = slash + 1;
  return target;
}

static bool IsSeparator(char c) { return c == '\\' || c == '/'; }

// Windows drops trailing dots and blanks from a component, so "..", "... "
// and ". ." all climb; a component of dots and blanks with two dots or more is
// taken as a climb.
static bool ClimbsUp(const char* component, size_t length) {
  size_t dots = 0;
  for (size_t i = 0; i < length; i++) {
    if (component[i] == '.') dots++;
    else if (component[i] != ' ') return false;
  }
  return dots >= 2;
}

bool PayloadNameEscapes(const char* name, size_t length, LeadByteFn isLead) {
  if (length > 0 && IsSeparator(name[0])) return true;
  size_t componentStart = 0;
  for (size_t i = 0; i <= length;) {
    if (i == length || IsSeparator(name[i])) {
      if (ClimbsUp(name + componentStart, i - componentStart)) return true;
      componentStart = i + 1;
      i++;
      continue;
    }
    if (name[i] == ':') return true;
    i += (isLead((unsigned char)name[i]) && i + 1 < length) ? 2 : 1;
  }
  return false;
}

bool PayloadFindEscapingName(const void* block, size_t blockSize, LeadByteFn isLead, PayloadEntry* entry,
                             uint32_t* index) {
  CPayloadCursor cursor(block, blockSize);
  uint32_t count = 0;
  if (cursor.ReadCount(&count) != PAYLOAD_OK) return false;
  for (uint32_t i = 0; i < count; i++) {
    if (cursor.ReadEntry(entry) != PAYLOAD_OK) return false;
    if (PayloadNameEscapes(entry->name, entry->nameLength, isLead)) {
      *index = i;
      return true;
    }
  }
  return false;
}

#include "NameRules.h"

#include <ctype.h>
#include <string.h>

#include "PayloadTarget.h"
#include "Platform.h"
#include "Utf.h"

// Shortest host folder is "C:\"; with the name it must stay within the 260
// bytes the ANSI file functions take, terminator included.
static const size_t kMaxNameLength = 256;
static const size_t kMaxComponentLength = 255;

const char* NameProblemText(NameProblem problem) {
  switch (problem) {
    case NAME_OK: return "ok";
    case NAME_EMPTY: return "the name is empty";
    case NAME_NOT_UTF8: return "the name is not valid UTF-8";
    case NAME_NOT_IN_CODE_PAGE: return "the name holds a character the code page cannot hold";
    case NAME_TURNS_ASCII: return "the name holds a character the code page turns into an ASCII one";
    case NAME_ABSOLUTE: return "the name is absolute (starts with a separator)";
    case NAME_DRIVE: return "the name starts with a drive letter";
    case NAME_COLON: return "the name holds ':'";
    case NAME_PARENT: return "the name climbs out with a '..' component";
    case NAME_ESCAPES: return "the name lands outside the host folder";
    case NAME_FORWARD_SLASH: return "the name holds '/'; folders are separated by '\\'";
    case NAME_INVALID_CHAR: return "the name holds a character Windows file names cannot hold (<>\"|?* or a control character)";
    case NAME_EMPTY_COMPONENT: return "the name has an empty folder part or ends in '\\'";
    case NAME_TRAILING_DOT_OR_SPACE: return "a part of the name ends in '.' or ' ', which Windows drops";
    case NAME_DEVICE: return "a part of the name is a reserved device name (CON, NUL, COM1, ...)";
    case NAME_TOO_LONG: return "the name is too long for Windows paths";
  }
  return "unknown name problem";
}

static size_t CharLength(const char* text, size_t length, size_t i, LeadByteFn isLead) {
  return (isLead((unsigned char)text[i]) && i + 1 < length) ? 2 : 1;
}

static bool HasSingleByte(const char* name, size_t length, LeadByteFn isLead, char wanted) {
  for (size_t i = 0; i < length; i += CharLength(name, length, i, isLead)) {
    if (name[i] == wanted) return true;
  }
  return false;
}

static bool AllDotsAndBlanks(const char* text, size_t length) {
  size_t dots = 0;
  for (size_t i = 0; i < length; i++) {
    if (text[i] == '.') dots++;
    else if (text[i] != ' ') return false;
  }
  return dots >= 2;
}

// Says why PayloadNameEscapes refused, for the message only.
static NameProblem EscapeKind(const char* name, size_t length, LeadByteFn isLead) {
  if (name[0] == '\\' || name[0] == '/') return NAME_ABSOLUTE;
  if (length >= 2 && name[1] == ':' && isalpha((unsigned char)name[0])) return NAME_DRIVE;
  if (HasSingleByte(name, length, isLead, ':')) return NAME_COLON;
  size_t start = 0;
  for (size_t i = 0; i <= length;) {
    if (i == length || name[i] == '\\' || name[i] == '/') {
      if (AllDotsAndBlanks(name + start, i - start)) return NAME_PARENT;
      start = ++i;
    } else {
      i += CharLength(name, length, i, isLead);
    }
  }
  return NAME_ESCAPES;
}

static bool SameLetters(const char* text, const char* upper, size_t length) {
  for (size_t i = 0; i < length; i++) {
    if (toupper((unsigned char)text[i]) != upper[i]) return false;
  }
  return true;
}

static bool IsDeviceName(const char* part, size_t length) {
  size_t stem = 0;
  while (stem < length && part[stem] != '.') stem++;
  while (stem > 0 && part[stem - 1] == ' ') stem--;
  static const char* const kDevices[] = {"CON", "PRN", "AUX", "NUL"};
  for (const char* device : kDevices) {
    if (stem == 3 && SameLetters(part, device, 3)) return true;
  }
  if (stem == 4 && (SameLetters(part, "COM", 3) || SameLetters(part, "LPT", 3))) {
    return part[3] >= '1' && part[3] <= '9';
  }
  return false;
}

static NameProblem CheckComponent(const char* part, size_t length) {
  if (length == 0) return NAME_EMPTY_COMPONENT;
  if (part[length - 1] == '.' || part[length - 1] == ' ') return NAME_TRAILING_DOT_OR_SPACE;
  if (IsDeviceName(part, length)) return NAME_DEVICE;
  if (length > kMaxComponentLength) return NAME_TOO_LONG;
  return NAME_OK;
}

NameProblem CheckStoredName(const char* name, size_t length, LeadByteFn isLead) {
  if (length == 0) return NAME_EMPTY;
  if (PayloadNameEscapes(name, length, isLead)) return EscapeKind(name, length, isLead);

  // Stepping by character looks only at single bytes and lead bytes, and
  // no lead byte is in the forbidden set.
  for (size_t i = 0; i < length; i += CharLength(name, length, i, isLead)) {
    unsigned char c = (unsigned char)name[i];
    if (c == '/') return NAME_FORWARD_SLASH;
    if (c < 0x20 || strchr("<>\"|?*:", c) != NULL) return NAME_INVALID_CHAR;
  }

  size_t start = 0;
  for (size_t i = 0; i <= length;) {
    if (i == length || name[i] == '\\') {
      NameProblem problem = CheckComponent(name + start, i - start);
      if (problem != NAME_OK) return problem;
      start = ++i;
    } else {
      i += CharLength(name, length, i, isLead);
    }
  }
  return length > kMaxNameLength ? NAME_TOO_LONG : NAME_OK;
}

NameProblem StoredNameFromLocal(const std::string& local, unsigned codePage, std::string* stored,
                                std::string* culprit) {
  if (local.empty()) return NAME_EMPTY;
  LeadByteFn isLead = LeadByteFnForCodePage(codePage);
  std::string result;
  // One character at a time, so the character at fault can be named and no
  // character can turn into a separator or other ASCII on the way.
  for (size_t i = 0; i < local.size();) {
    size_t start = i;
    uint32_t codePoint;
    if (!Utf8Next(local, &i, &codePoint)) return NAME_NOT_UTF8;
    std::string character = local.substr(start, i - start);
    if (codePoint < 0x80) {
      result += character;
      continue;
    }
    std::string converted;
    if (!LocalToCodePage(character, codePage, &converted) || converted.empty() || converted.size() > 2 ||
        isLead((unsigned char)converted[0]) != (converted.size() == 2)) {
      *culprit = character;
      return NAME_NOT_IN_CODE_PAGE;
    }
    if (converted.size() == 1 && (unsigned char)converted[0] < 0x80) {
      *culprit = character;
      return NAME_TURNS_ASCII;
    }
    result += converted;
  }
  NameProblem problem = CheckStoredName(result.data(), result.size(), isLead);
  if (problem == NAME_OK) *stored = result;
  return problem;
}

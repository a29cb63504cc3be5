#include "Str.h"

#include <string.h>

static char g_emptyText[1] = {0};

CString::CString() : m_data(g_emptyText), m_length(0), m_capacity(0) {}

CString::CString(const CString& other) : CString() { Assign(other.m_data, other.m_length); }

CString::CString(LPCSTR text) : CString() {
  if (text) Assign(text, (int)strlen(text));
}

CString::CString(LPCSTR text, int length) : CString() { Assign(text, length); }

CString::CString(char ch, int repeat) : CString() {
  Reserve(repeat);
  memset(m_data, ch, repeat);
  m_length = repeat;
  m_data[m_length] = 0;
}

CString::~CString() {
  if (m_capacity) delete[] m_data;
}

CString& CString::operator=(const CString& other) {
  if (this != &other) Assign(other.m_data, other.m_length);
  return *this;
}

CString& CString::operator=(LPCSTR text) {
  // The text may point into this string's own buffer.
  CString copy(text);
  Assign(copy.m_data, copy.m_length);
  return *this;
}

CString& CString::operator+=(const CString& other) {
  CString copy(other);
  Append(copy.m_data, copy.m_length);
  return *this;
}

CString& CString::operator+=(LPCSTR text) { return *this += CString(text); }

CString& CString::operator+=(char ch) {
  Append(&ch, 1);
  return *this;
}

void CString::Empty() { Assign("", 0); }

void CString::Reserve(int capacity) {
  if (capacity <= m_capacity) return;
  int grown = m_capacity * 2;
  if (grown < capacity) grown = capacity;
  char* data = new char[grown + 1];
  memcpy(data, m_data, m_length + 1);
  if (m_capacity) delete[] m_data;
  m_data = data;
  m_capacity = grown;
}

void CString::Assign(LPCSTR text, int length) {
  if (length == 0 && m_capacity == 0) return;
  Reserve(length);
  memmove(m_data, text, length);
  m_length = length;
  m_data[m_length] = 0;
}

void CString::Append(LPCSTR text, int length) {
  if (length == 0) return;
  Reserve(m_length + length);
  memmove(m_data + m_length, text, length);
  m_length += length;
  m_data[m_length] = 0;
}

LPSTR CString::GetBuffer(int minLength) {
  Reserve(minLength < m_length ? m_length : minLength);
  if (m_capacity == 0) Reserve(1);
  return m_data;
}

void CString::ReleaseBuffer(int newLength) {
  if (m_capacity == 0) return;
  if (newLength < 0) newLength = (int)strlen(m_data);
  m_length = newLength;
  m_data[m_length] = 0;
}

CString CString::Left(int count) const {
  if (count < 0) count = 0;
  if (count > m_length) count = m_length;
  return CString(m_data, count);
}

CString CString::Mid(int first) const { return Mid(first, m_length); }

CString CString::Mid(int first, int count) const {
  if (first < 0) first = 0;
  if (first > m_length) first = m_length;
  if (count < 0) count = 0;
  if (count > m_length - first) count = m_length - first;
  return CString(m_data + first, count);
}

CString CString::Right(int count) const {
  if (count < 0) count = 0;
  if (count > m_length) count = m_length;
  return CString(m_data + m_length - count, count);
}

int CString::Find(char ch) const {
  for (LPCSTR p = m_data; *p; p = CharNextA(p)) {
    if (*p == ch) return (int)(p - m_data);
  }
  return -1;
}

int CString::Find(LPCSTR sub) const {
  int subLength = (int)strlen(sub);
  for (LPCSTR p = m_data; *p; p = CharNextA(p)) {
    if (strncmp(p, sub, subLength) == 0) return (int)(p - m_data);
  }
  return subLength == 0 ? 0 : -1;
}

int CString::ReverseFind(char ch) const {
  int found = -1;
  for (LPCSTR p = m_data; *p; p = CharNextA(p)) {
    if (*p == ch) found = (int)(p - m_data);
  }
  return found;
}

static bool IsBlank(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }

void CString::TrimLeft() {
  int i = 0;
  while (i < m_length && IsBlank(m_data[i])) i++;
  if (i) Assign(CString(m_data + i, m_length - i).m_data, m_length - i);
}

void CString::TrimRight() {
  // Walk forward so a trail byte is never taken for a blank.
  int keep = 0;
  for (LPCSTR p = m_data; *p; p = CharNextA(p)) {
    if (!IsBlank(*p)) keep = (int)(CharNextA(p) - m_data);
  }
  ReleaseBuffer(keep);
}

// Single-byte characters are cased by the ANSI code page; double-byte ones
// are left as they are.
static void CaseEach(char* data, bool upper) {
  for (char* p = data; *p; p = CharNextA(p)) {
    if (IsDBCSLeadByte((BYTE)*p)) continue;
    if (upper) CharUpperBuffA(p, 1);
    else CharLowerBuffA(p, 1);
  }
}

void CString::MakeUpper() {
  if (m_length) CaseEach(m_data, true);
}

void CString::MakeLower() {
  if (m_length) CaseEach(m_data, false);
}

int CString::Compare(LPCSTR other) const { return strcmp(m_data, other); }

int CString::CompareNoCase(LPCSTR other) const { return lstrcmpiA(m_data, other); }

CString operator+(const CString& a, const CString& b) {
  CString r(a);
  r += b;
  return r;
}

CString operator+(const CString& a, LPCSTR b) {
  CString r(a);
  r += b;
  return r;
}

CString operator+(LPCSTR a, const CString& b) {
  CString r(a);
  r += b;
  return r;
}

CString operator+(const CString& a, char b) {
  CString r(a);
  r += b;
  return r;
}

bool operator==(const CString& a, LPCSTR b) { return a.Compare(b) == 0; }
bool operator!=(const CString& a, LPCSTR b) { return a.Compare(b) != 0; }

// CString: an ANSI string in the system code page. Lengths count bytes;
// searches step over double-byte characters.
#pragma once
#include <windows.h>

class CString {
 public:
  CString();
  CString(const CString& other);
  CString(LPCSTR text);
  CString(LPCSTR text, int length);
  CString(char ch, int repeat = 1);
  ~CString();

  CString& operator=(const CString& other);
  CString& operator=(LPCSTR text);
  CString& operator+=(const CString& other);
  CString& operator+=(LPCSTR text);
  CString& operator+=(char ch);

  int GetLength() const { return m_length; }
  BOOL IsEmpty() const { return m_length == 0; }
  void Empty();
  operator LPCSTR() const { return m_data; }
  char GetAt(int index) const { return m_data[index]; }
  char operator[](int index) const { return m_data[index]; }
  void SetAt(int index, char ch) { m_data[index] = ch; }

  // Room for at least minLength bytes; ReleaseBuffer(-1) takes the length
  // up to the first NUL.
  LPSTR GetBuffer(int minLength);
  void ReleaseBuffer(int newLength = -1);

  CString Left(int count) const;
  CString Mid(int first) const;
  CString Mid(int first, int count) const;
  CString Right(int count) const;

  int Find(char ch) const;
  int Find(LPCSTR sub) const;
  int ReverseFind(char ch) const;

  void TrimLeft();
  void TrimRight();
  void MakeUpper();
  void MakeLower();

  int Compare(LPCSTR other) const;
  int CompareNoCase(LPCSTR other) const;

 private:
  void Assign(LPCSTR text, int length);
  void Append(LPCSTR text, int length);
  void Reserve(int capacity);

  char* m_data;
  int m_length;
  int m_capacity;
};

CString operator+(const CString& a, const CString& b);
CString operator+(const CString& a, LPCSTR b);
CString operator+(LPCSTR a, const CString& b);
CString operator+(const CString& a, char b);
bool operator==(const CString& a, LPCSTR b);
bool operator!=(const CString& a, LPCSTR b);

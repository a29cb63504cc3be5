#pragma once
#include "Array.h"
#include "Str.h"

class CStringArray {
 public:
  int GetSize() const { return m_items.GetSize(); }
  const CString& GetAt(int index) const { return m_items[index]; }
  const CString& operator[](int index) const { return m_items[index]; }
  int Add(const CString& item) { return m_items.Add(item); }
  void RemoveAll() { m_items.RemoveAll(); }

 private:
  CAfxArray<CString> m_items;
};
